// The shipped local database built once per test run from its sources and opened read-only, as the
// program opens it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "data/db/ado.h"
#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"

namespace qxtest {

class LocalDatabase {
 public:
  static db::CAdoConnection& Get() {
    static LocalDatabase* instance = new LocalDatabase;  // lives for the whole run
    return instance->connection_;
  }

 private:
  LocalDatabase() {
    std::string error;
    built_ = db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/DatLocal", dir_.Path() / "DatLocal.db", &error);
    EXPECT_TRUE(built_) << error;
    connection_.SetReporter(&reporter_);
    EXPECT_TRUE(connection_.Open((dir_.Path() / "DatLocal.db").string(), db::OpenMode::ReadOnly));
  }
  dbtest::TempDir dir_;
  dbtest::CapturingReporter reporter_;
  db::CAdoConnection connection_{"DatLocal"};
  bool built_ = false;
};

}  // namespace qxtest

// The shipped local database built once per test run from its sources and opened read-only, as the
// program opens it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/db/ado.h"
#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"

namespace qxtest {

class LocalDatabase {
 public:
  static db::CAdoConnection& Get() {
    // Lives for the whole run (never destroyed, so no test outlives it); its folder goes at exit,
    // else every test process would leave a copy of the database behind.
    static LocalDatabase* instance = [] {
      auto* d = new LocalDatabase;
      static const std::filesystem::path folder = d->dir_.Path();
      std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
      });
      return d;
    }();
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

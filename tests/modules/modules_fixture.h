// The modules database built from the real schemas and the invented test rows of fixture/.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"

namespace modtest {

class ModulesDb {
 public:
  // `replaced`: the rows of some tables (file name, TSV text) instead of the fixture's.
  explicit ModulesDb(const std::map<std::string, std::string>& replaced = {}) {
    namespace fs = std::filesystem;
    for (const auto& e : fs::directory_iterator(QX_SOURCE_DIR "/resources/db/MODULO03"))
      if (e.path().extension() == ".sql") fs::copy_file(e.path(), src_.Path() / e.path().filename());
    for (const auto& e : fs::directory_iterator(QX_SOURCE_DIR "/tests/modules/fixture"))
      if (e.path().extension() == ".tsv") fs::copy_file(e.path(), src_.Path() / e.path().filename());
    for (const auto& [file, rows] : replaced) std::ofstream(src_.Path() / file, std::ios::trunc) << rows;
    std::string error;
    built_ = db::BuildDatabaseFromSources(src_.Path(), out_.Path() / "MODULO03.db", &error);
    EXPECT_TRUE(built_) << error;
    conn.SetReporter(&reporter);
    if (built_) conn.Open((out_.Path() / "MODULO03.db").string(), db::OpenMode::ReadOnly);
  }
  db::CAdoConnection conn{"MODULO03"};
  dbtest::CapturingReporter reporter;

 private:
  dbtest::TempDir src_, out_;
  bool built_ = false;
};

// One database for every test of a suite.
class ModulesDbTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { db_ = std::make_unique<ModulesDb>(); }
  static void TearDownTestSuite() { db_.reset(); }
  db::CAdoConnection* conn() { return &db_->conn; }
  static inline std::unique_ptr<ModulesDb> db_;
};

}  // namespace modtest

// A temporary folder with a fresh declarations database and a reporter that keeps what it is
// told, for the database tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/db/ado.h"
#include "data/db/databases.h"

namespace dbtest {

struct CapturingReporter : db::ErrorReporter {
  std::vector<db::DbError> errors;
  int seriousWrites = 0;
  void Report(const db::DbError& e) override { errors.push_back(e); }
  void SeriousWriteFailure() override { ++seriousWrites; }
};

class TempDir {
 public:
  TempDir() {
    std::random_device r;
    path_ = std::filesystem::temp_directory_path() / ("qx_db_test_" + std::to_string(r()) + std::to_string(r()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string Str() const { return path_.string() + "/"; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class DeclarationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    conn.SetReporter(&reporter);
    ASSERT_TRUE(conn.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
  }

  // A declaration row as the store dialogs write it: key padded to 50, kind, modality, block.
  bool AddDeclaration(const std::string& key, int kind, std::uint8_t fill) {
    db::CAdoRecordset rs;
    rs.Open("DATOSDEC", &conn, db::Filter::Eq("CLAVE", Padded(key)));
    if (!rs.IsOpen() || !rs.PrepareNewRow()) return false;
    std::vector<std::uint8_t> block(kind == 3 ? db::kForm714BlockBytes : db::kForm100BlockBytes, fill);
    return rs.AddPendingValue("CLAVE", Padded(key)) && rs.AddPendingValue("TIPODEC", std::to_string(kind)) &&
           rs.AddPendingValue("MODALIDAD", "I") && rs.AddPendingBlob("DATOS", block) && rs.AppendPendingRow();
  }

  static std::string Padded(const std::string& key) {
    // Fifty characters, not bytes: UTF-8 letters take more than one byte.
    std::size_t chars = 0;
    for (char c : key) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return chars >= 50 ? key : key + std::string(50 - chars, ' ');
  }

  TempDir dir;
  CapturingReporter reporter;
  db::CAdoConnection conn{"DatRed"};
};

}  // namespace dbtest

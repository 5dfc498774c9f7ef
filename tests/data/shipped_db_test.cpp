// The shipped databases built from their text sources, and the rules that read them.
#include <fstream>
#include <set>

#include "tools/dbsource/dbsource.h"
#include "data/util/utilities.h"
#include "db_fixture.h"

using db::CAdoRecordset;
using dbtest::TempDir;

TEST(TsvFormat, EscapesAndNulls) {
  std::vector<std::string> v;
  std::vector<bool> nulls;
  std::string error;
  ASSERT_TRUE(db::ParseTsvLine("a\\tb\tline\\none\t\\N\t\tback\\\\", v, nulls, &error));
  EXPECT_EQ(v, (std::vector<std::string>{"a\tb", "line\none", "", "", "back\\"}));
  EXPECT_EQ(nulls, (std::vector<bool>{false, false, true, false, false}));
  EXPECT_FALSE(db::ParseTsvLine("bad\\q", v, nulls, &error));
  EXPECT_FALSE(db::ParseTsvLine("x\\N", v, nulls, &error));
}

TEST(BuildDatabase, RefusesBadSourcesWithoutLeavingAFile) {
  TempDir src, out;
  std::ofstream(src.Path() / "T.sql") << "CREATE TABLE T (A INTEGER, B VARCHAR(5));";
  std::ofstream(src.Path() / "T.tsv") << "A\tB\n1\tuno\n2\n";
  std::string error;
  EXPECT_FALSE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "X.db", &error));
  EXPECT_NE(error.find("T.tsv:3"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(out.Path() / "X.db"));

  std::ofstream(src.Path() / "T.tsv") << "A\tB\n1\tuno\n2\t\\N\n";
  std::ofstream(src.Path() / "U.tsv") << "A\n1\n";
  EXPECT_FALSE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "X.db", &error));  // no U.sql
  std::filesystem::remove(src.Path() / "U.tsv");
  ASSERT_TRUE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "X.db", &error)) << error;
  db::CAdoConnection c;
  ASSERT_TRUE(c.Open((out.Path() / "X.db").string(), db::OpenMode::ReadOnly));
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("T", &c, {}, "A DESC"));
  std::string b = "x";
  EXPECT_FALSE(rs.GetText("B", b));  // the null of row 2
  std::int32_t a = 0;
  rs.GetInt("A", a);
  EXPECT_EQ(a, 2);
}

TEST(BuildDatabase, LanguageTemplatesGiveOneTablePerLanguage) {
  TempDir src, out;
  std::ofstream(src.Path() / "T_{L}.sql") << "CREATE TABLE T_{L} (A INTEGER); CREATE INDEX T_{L}_A ON T_{L} (A);";
  std::ofstream(src.Path() / "u{l}.sql") << "CREATE TABLE u{l} (B VARCHAR(5) DEFAULT '{l}');";
  std::ofstream(src.Path() / "T_G.tsv") << "A\n7\n";
  std::string error;
  ASSERT_TRUE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "X.db", &error)) << error;
  db::CAdoConnection c;
  ASSERT_TRUE(c.Open((out.Path() / "X.db").string(), db::OpenMode::ReadOnly));
  std::set<std::string> names;
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("sqlite_master", &c, {}, "name"));
  for (; !rs.IsEOF(); rs.MoveNext()) {
    std::string n;
    rs.GetText("name", n);
    names.insert(n);
  }
  EXPECT_EQ(names, (std::set<std::string>{"T_C", "T_C_A", "T_E", "T_E_A", "T_G", "T_G_A", "T_V", "T_V_A", "uc", "ue",
                                          "ug", "uv"}));
  CAdoRecordset g;
  ASSERT_TRUE(g.Open("T_G", &c));
  std::int32_t a = 0;
  g.GetInt("A", a);
  EXPECT_EQ(a, 7);

  // A table written both as a template and on its own is refused, naming both files.
  std::ofstream(src.Path() / "T_V.sql") << "CREATE TABLE T_V (A INTEGER);";
  EXPECT_FALSE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "Y.db", &error));
  EXPECT_NE(error.find("T_V"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(out.Path() / "Y.db"));
}

class ShippedLocal : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    std::string error;
    ASSERT_TRUE(db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/DatLocal", dir_->Path() / "DatLocal.db",
                                             &error))
        << error;
    ASSERT_TRUE(db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/MODULO03", dir_->Path() / "MODULO03.db",
                                             &error))
        << error;
  }
  static void TearDownTestSuite() { delete dir_; }
  static TempDir* dir_;
};
TempDir* ShippedLocal::dir_ = nullptr;

TEST_F(ShippedLocal, ProvincesAreTheFiftyTwoWithTheirCodes) {
  db::AppDatabases dbs;
  dbtest::CapturingReporter reporter;
  dbs.SetReporter(&reporter);
  TempDir user;
  ASSERT_EQ(dbs.Open(user.Str(), dir_->Str(), true), db::OpenFailure::None);
  for (const char* table : {"PROVINCE", "PROVINCC", "PROVINCG", "PROVINCV"}) {
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(table, &dbs.Local(), {}, "CLAVE ASC"));
    std::set<std::string> codes;
    int expected = 1;
    for (; rs.IsNotAtEnd(); rs.MoveNext(), ++expected) {
      const std::string want = std::string(expected < 10 ? "0" : "").append(std::to_string(expected));
      EXPECT_EQ(rs.GetFieldText("CLAVE"), want);
    }
    EXPECT_EQ(rs.GetRecordCount(), 52) << table;
  }
  struct Case {
    const char* name;
    const char* code;
  };
  for (const Case& c : {Case{"MADRID", "28"}, Case{"Alava", "01"}, Case{"A CORUÑA", "15"}, Case{"Santa Cruz de Tenerife, ISLAS", "38"},
                        Case{"LAS PALMAS ", "35"}, Case{"Mad", ""}, Case{"Madr%", ""}, Case{"Narnia", ""},
                        Case{"VIZC", "48"}, Case{"CÁDIZ", "11"}}) {
    EXPECT_EQ(CUtilities::LookUpProvinceCode(dbs.Local(), c.name), c.code) << c.name;
  }
  EXPECT_TRUE(reporter.errors.empty());

  // The shipped tables are read-only; the declarations database was created with its tables.
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("PROVINCE", &dbs.Local()));
  EXPECT_FALSE(rs.SetText("DESCRIPC", "X"));
  EXPECT_TRUE(std::filesystem::exists(user.Path() / "DatRed.db"));
  for (const char* table : {"DATOSDEC", "DATOSFISC", "CORREGIX", "CONTADORES"}) {
    CAdoRecordset t;
    EXPECT_FALSE(t.Open(table, &dbs.Declarations()));
    EXPECT_TRUE(t.IsOpen()) << table;
  }
  dbs.Close();
}

TEST_F(ShippedLocal, MissingLocalDatabaseStopsBeforeModules) {
  db::AppDatabases dbs;
  dbtest::CapturingReporter reporter;
  dbs.SetReporter(&reporter);
  TempDir user, empty;
  EXPECT_EQ(dbs.Open(user.Str(), empty.Str(), true), db::OpenFailure::Local);
  EXPECT_EQ(reporter.errors.size(), 1u);
  EXPECT_FALSE(dbs.Modules().IsOpen());
}

using dbtest::DeclarationsTest;

TEST_F(DeclarationsTest, UsageCountersCreateThenIncrement) {
  CUtilities::IncrementUsageCounters(conn, 714, true, false, false);
  CUtilities::IncrementUsageCounters(conn, 714, false, true, false);
  CUtilities::IncrementUsageCounters(conn, 714, true, false, false);
  CUtilities::IncrementUsageCounters(conn, 100, false, false, true);
  auto counts = [&](int model) {
    CAdoRecordset rs;
    rs.Open("CONTADORES", &conn, db::Filter::Eq("MODELO", std::int64_t{model}));
    EXPECT_EQ(rs.GetRecordCount(), 1);
    return rs.GetFieldText("IMPRESOS") + rs.GetFieldText("INTERNET") + rs.GetFieldText("INMEDIATA");
  };
  EXPECT_EQ(counts(714), "210");
  EXPECT_EQ(counts(100), "001");
  EXPECT_TRUE(reporter.errors.empty());
}

TEST(DataFolders, ShippedFolderHonoursTheOverride) {
  setenv("QX_RESOURCES_DIR", "/opt/qx/res", 1);
  EXPECT_EQ(db::ShippedDataDir(), "/opt/qx/res/");
  unsetenv("QX_RESOURCES_DIR");
  EXPECT_EQ(db::ShippedDataDir().back(), '/');
  EXPECT_EQ(db::LanguageTableName("Paginasx", 7, 'c'), "Paginasc");
  EXPECT_EQ(db::LanguageTableName("DFListasX", 8, 'e'), "DFListase");
  EXPECT_EQ(db::MessageTableName('g'), "ERRORESG");
}

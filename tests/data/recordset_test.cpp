#include <fstream>

#include "db_fixture.h"

using db::CAdoRecordset;
using db::Filter;
using dbtest::DeclarationsTest;

namespace {

std::vector<std::uint8_t> ReadBlock(db::CAdoConnection& conn, const std::string& key) {
  CAdoRecordset rs;
  std::vector<std::uint8_t> block;
  if (rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", key))) rs.GetBlob("DATOS", block);
  return block;
}

}  // namespace

// Names with an apostrophe, a percent sign, an underscore and accented letters are stored, found
// (whatever their case and padding), renamed and deleted as typed; none acts as SQL or wildcard.
TEST_F(DeclarationsTest, KeysWithQuotesPercentAndAccentsRoundTrip) {
  const std::string key = "O'BRIEN 100% ÁNGEL_ñ";
  ASSERT_TRUE(AddDeclaration(key, 2, 0x11));
  ASSERT_TRUE(AddDeclaration("OTRA", 3, 0x22));
  ASSERT_TRUE(AddDeclaration("O'BRIEN 1000 ANGELXñ", 2, 0x33));  // what wildcards would match

  for (const std::string& typed : {Padded(key), key, std::string("o'brien 100% ángel_Ñ")}) {
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", typed))) << typed;
    EXPECT_EQ(rs.GetRecordCount(), 1);
    std::string stored;
    ASSERT_TRUE(rs.GetText("CLAVE", stored));
    EXPECT_EQ(stored, Padded(key));
    EXPECT_EQ(rs.GetFieldSize("DATOS"), static_cast<long>(db::kForm100BlockBytes));
  }

  // Find forward over the whole table, as the document does.
  CAdoRecordset all;
  ASSERT_TRUE(all.Open("DATOSDEC", &conn));
  EXPECT_EQ(all.GetRecordCount(), 3);
  ASSERT_TRUE(all.Find(Filter::Eq("CLAVE", Padded(key))));
  std::int32_t kind = 0;
  ASSERT_TRUE(all.GetInt("TIPODEC", kind));
  EXPECT_EQ(kind, 2);
  EXPECT_EQ(all.AbsolutePosition(), 1);

  // Rename.
  const std::string renamed = "D'ARTAGNAN & 50% ÉLITE";
  ASSERT_TRUE(all.SetText("CLAVE", Padded(renamed), true));
  all.Close();
  CAdoRecordset check;
  EXPECT_FALSE(check.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", key)));
  check.Close();
  EXPECT_EQ(ReadBlock(conn, renamed), std::vector<std::uint8_t>(db::kForm100BlockBytes, 0x11));

  // Delete.
  CAdoRecordset del;
  ASSERT_TRUE(del.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", renamed)));
  ASSERT_TRUE(del.DeleteCurrent());
  del.Close();
  CAdoRecordset rest;
  ASSERT_TRUE(rest.Open("DATOSDEC", &conn));
  EXPECT_EQ(rest.GetRecordCount(), 2);
  EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(DeclarationsTest, LikeMapsStarAndKeepsPercentLiteral) {
  ASSERT_TRUE(AddDeclaration("PÉREZ GARCÍA", 2, 0));
  ASSERT_TRUE(AddDeclaration("PEREZ%", 2, 0));
  ASSERT_TRUE(AddDeclaration("PERAL", 3, 0));
  auto count = [&](const Filter& f) {
    CAdoRecordset rs;
    rs.Open("DATOSDEC", &conn, f);
    return rs.GetRecordCount();
  };
  EXPECT_EQ(count(Filter::Like("CLAVE", "PER*")), 3);
  EXPECT_EQ(count(Filter::Like("CLAVE", "perez*")), 2);  // case and accents ignored
  EXPECT_EQ(count(Filter::StartsWith("CLAVE", "PEREZ%")), 1);
  EXPECT_EQ(count(Filter::Like("CLAVE", "PER?L*")), 1);
  EXPECT_EQ(count(Filter::Lt("TIPODEC", std::int64_t{3})), 2);
  EXPECT_EQ(count(Filter::Eq("TIPODEC", std::int64_t{3}) || Filter::Like("CLAVE", "*GARC*")), 2);
  EXPECT_EQ(count(Filter::Eq("TIPODEC", std::int64_t{2}) && Filter::Like("CLAVE", "*%*")), 1);
}

// A failing query is reported once in the fixed format and the recordset is left closed; the
// connection goes on working.
TEST_F(DeclarationsTest, FailingQueryReportsAndCarriesOn) {
  CAdoRecordset rs;
  EXPECT_FALSE(rs.Open("NO_SUCH_TABLE", &conn));
  EXPECT_FALSE(rs.IsOpen());
  ASSERT_EQ(reporter.errors.size(), 1u);
  EXPECT_EQ(reporter.errors[0].Text(),
            "DatRed\nError : " + std::to_string(reporter.errors[0].number) + "\nDescripcion: " +
                reporter.errors[0].description);
  EXPECT_NE(reporter.errors[0].description.find("NO_SUCH_TABLE"), std::string::npos);

  EXPECT_FALSE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE; DROP TABLE DATOSDEC", "x")));
  EXPECT_FALSE(rs.Open("DATOSDEC", &conn, {}, "CLAVE; DROP"));
  EXPECT_FALSE(rs.Open("DATOSDEC\"", &conn));
  EXPECT_EQ(reporter.errors.size(), 4u);

  EXPECT_FALSE(rs.Open("DATOSDEC", &conn));  // open and empty
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_TRUE(rs.MoveFirst());
  EXPECT_FALSE(rs.IsNotAtEnd());
  std::int32_t v = 7;
  EXPECT_FALSE(rs.GetInt("TIPODEC", v));  // no current row: reported, not fatal
  EXPECT_FALSE(rs.MoveNext());
  ASSERT_TRUE(rs.PrepareNewRow());
  ASSERT_TRUE(rs.AddPendingValue("CLAVE", "NUEVA"));
  ASSERT_TRUE(rs.AppendPendingRow());
  EXPECT_EQ(rs.GetRecordCount(), 1);
  EXPECT_TRUE(rs.IsNotAtEnd());
}

TEST(DbErrorText, HasTheFixedLayout) {
  db::DbError e{"DatRed", -2147467259, "Disco lleno"};
  EXPECT_EQ(e.Text(), "DatRed\nError : -2147467259\nDescripcion: Disco lleno");
  EXPECT_TRUE(e.Serious());
}

// Field reading rules: empty texts, nulls, booleans, long texts and the size of blocks.
TEST_F(DeclarationsTest, FieldReadAndWriteRules) {
  ASSERT_TRUE(conn.Execute(
      "CREATE TABLE T (A INTEGER, B BIGINT, C BOOLEAN, D DOUBLE, E VARCHAR(10), F LONGTEXT, G BLOB)"));
  ASSERT_TRUE(conn.Execute("INSERT INTO T VALUES (NULL, 4294967297, 1, 2.5, '', 'largo', x'0102030405')"));
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("T", &conn));
  std::int32_t i = 9;
  ASSERT_TRUE(rs.GetInt("a", i));  // names without regard to case
  EXPECT_EQ(i, 0);
  ASSERT_TRUE(rs.GetInt("B", i));
  EXPECT_EQ(i, 1);  // low 32 bits
  EXPECT_EQ(rs.GetFieldText("C"), "-1");
  EXPECT_EQ(rs.GetFieldText("D"), "2.500000");
  std::string text = "x";
  EXPECT_FALSE(rs.GetText("E", text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(rs.GetFieldText("E"), "");
  EXPECT_EQ(rs.GetFieldText("F"), "largo");
  EXPECT_FALSE(rs.SetText("F", "otro"));  // long texts are never written
  EXPECT_EQ(rs.GetFieldText("F"), "largo");

  // A block is written at the size the stored value has; a shorter one is refused.
  std::vector<std::uint8_t> big(100, 0xEE);
  ASSERT_TRUE(rs.SetBlob("G", big, true));
  EXPECT_EQ(rs.GetFieldSize("G"), 5);
  std::vector<std::uint8_t> small(3, 1);
  EXPECT_FALSE(rs.SetBlob("G", small, true));
  std::array<std::uint8_t, 4> tooSmall{};
  EXPECT_FALSE(rs.GetBlob("G", std::span<std::uint8_t>(tooSmall)));
  std::array<std::uint8_t, 8> fits{};
  ASSERT_TRUE(rs.GetBlob("G", std::span<std::uint8_t>(fits)));
  EXPECT_EQ(fits[4], 0xEE);
  EXPECT_EQ(fits[5], 0);
}

// A new row of a form-714 declaration given three pairs keeps the defaults of the rest.
TEST_F(DeclarationsTest, NewRowKeepsDefaults) {
  CAdoRecordset rs;
  EXPECT_FALSE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "NADA")));
  rs.SetDefaultBlockSize(db::kForm714BlockBytes);
  ASSERT_TRUE(rs.PrepareNewRow());
  ASSERT_TRUE(rs.AddPendingValue("tipodec", "3"));
  ASSERT_TRUE(rs.AddPendingValue("clave", Padded("PATRIMONIO")));
  ASSERT_TRUE(rs.AddPendingValue("MODALIDAD", "0"));
  EXPECT_FALSE(rs.AddPendingValue("TIPODEC", "tres"));  // not a number: refused, reported
  ASSERT_TRUE(rs.AppendPendingRow());
  std::vector<std::uint8_t> block;
  ASSERT_TRUE(rs.GetBlob("DATOS", block));
  EXPECT_EQ(block, std::vector<std::uint8_t>(db::kForm714BlockBytes, 0));
  std::int32_t kind = 0;
  ASSERT_TRUE(rs.GetInt("TIPODEC", kind));
  EXPECT_EQ(kind, 3);
}

// Navigation, sorting, backward search and the delete loop of the corrections table.
TEST_F(DeclarationsTest, NavigateSortFindAndDeleteLoop) {
  for (const char* code : {"100R042", "WIN019", "100R001", "714R005"}) {
    CAdoRecordset rs;
    rs.Open("CORREGIX", &conn);
    ASSERT_TRUE(rs.PrepareNewRow());
    rs.AddPendingValue("CLAVE", Padded("A"));
    rs.AddPendingValue("CODERROR", code);
    rs.AddPendingInt("SUJETODECL", 2);
    ASSERT_TRUE(rs.AppendPendingRow());
  }
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("CORREGIX", &conn, Filter::Eq("clave", Padded("A")), "[CODERROR] ASC"));
  std::vector<std::string> codes;
  for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) codes.push_back(rs.GetFieldText("CODERROR"));
  EXPECT_EQ(codes, (std::vector<std::string>{"100R001", "100R042", "714R005", "WIN019"}));
  EXPECT_TRUE(rs.IsEOF());
  ASSERT_TRUE(rs.MoveLast());
  EXPECT_EQ(rs.GetFieldText("CODERROR"), "WIN019");
  ASSERT_TRUE(rs.Find(Filter::Like("CODERROR", "100*"), false, false));
  EXPECT_EQ(rs.GetFieldText("CODERROR"), "100R042");
  EXPECT_FALSE(rs.Find(Filter::Eq("CODERROR", "NADA"), false, true));
  EXPECT_TRUE(rs.IsBOF());

  for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) ASSERT_TRUE(rs.DeleteCurrent());
  EXPECT_EQ(rs.GetRecordCount(), 0);
  rs.Close();
  CAdoRecordset again;
  EXPECT_FALSE(again.Open("CORREGIX", &conn));
  EXPECT_TRUE(reporter.errors.empty());
}

// A write that fails part-way (the disk is full) is reported as serious, leaves the stored
// declaration as it was, and the transaction takes back what was already written.
TEST_F(DeclarationsTest, FullDiskWriteLosesNothing) {
  ASSERT_TRUE(AddDeclaration("GUARDADA", 2, 0x5A));
  ASSERT_TRUE(AddDeclaration("OTRA", 2, 0x01));
  // The limit cannot go below the current size: it becomes that size and no page can be added.
  ASSERT_TRUE(conn.Execute("PRAGMA max_page_count = 1"));
  {
    db::Transaction t(conn);
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "GUARDADA")));
    ASSERT_TRUE(rs.SetInt("TIPODEC", 3, true));  // fits in place
    EXPECT_FALSE(AddDeclaration("NUEVA", 2, 0x77));   // needs new pages: disk full
    // The transaction is not committed.
  }
  EXPECT_FALSE(reporter.errors.empty());
  EXPECT_TRUE(reporter.errors.back().Serious());
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "GUARDADA")));
  std::int32_t kind = 0;
  rs.GetInt("TIPODEC", kind);
  EXPECT_EQ(kind, 2);
  EXPECT_EQ(ReadBlock(conn, "GUARDADA"), std::vector<std::uint8_t>(db::kForm100BlockBytes, 0x5A));
  CAdoRecordset all;
  all.Open("DATOSDEC", &conn);
  EXPECT_EQ(all.GetRecordCount(), 2);
}

// A write to a store opened read-only fails as a serious error; the stored row is unchanged.
// The connection knows it can only read.
TEST_F(DeclarationsTest, ReadOnlyStoreRefusesWrites) {
  ASSERT_TRUE(AddDeclaration("FIJA", 2, 0x42));
  EXPECT_FALSE(conn.ReadOnly());
  conn.Close();
  ASSERT_TRUE(conn.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::ReadOnly));
  EXPECT_TRUE(conn.ReadOnly());
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("DATOSDEC", &conn));
  std::vector<std::uint8_t> block(db::kForm100BlockBytes, 0);
  EXPECT_FALSE(rs.SetBlob("DATOS", block, true));
  EXPECT_EQ(reporter.seriousWrites, 1);
  EXPECT_FALSE(rs.DeleteCurrent());
  EXPECT_EQ(reporter.seriousWrites, 2);
  EXPECT_EQ(ReadBlock(conn, "FIJA"), std::vector<std::uint8_t>(db::kForm100BlockBytes, 0x42));
}

class CompactTest : public DeclarationsTest {
 protected:
  void ExpectIntact() {
    ASSERT_TRUE(conn.IsOpen());
    EXPECT_EQ(ReadBlock(conn, "CONSERVAR"), std::vector<std::uint8_t>(db::kForm100BlockBytes, 0x6B));
    EXPECT_FALSE(std::filesystem::exists(db::CAdoConnection::CompactCopyPath(conn.Path())) && !leftover_);
  }
  void SetUp() override {
    DeclarationsTest::SetUp();
    ASSERT_TRUE(AddDeclaration("CONSERVAR", 2, 0x6B));
    ASSERT_TRUE(AddDeclaration("BORRAR", 2, 0x01));
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "BORRAR")));
    ASSERT_TRUE(rs.DeleteCurrent());
  }
  bool leftover_ = false;
};

TEST_F(CompactTest, CompactsInPlaceAndReopens) {
  const auto before = std::filesystem::file_size(conn.Path());
  ASSERT_TRUE(conn.Compact());
  EXPECT_LT(std::filesystem::file_size(conn.Path()), before);
  ExpectIntact();
  EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(CompactTest, LeftoverCopyStopsCompaction) {
  std::ofstream(db::CAdoConnection::CompactCopyPath(conn.Path())) << "old";
  leftover_ = true;
  EXPECT_FALSE(conn.Compact());
  EXPECT_EQ(reporter.errors.size(), 1u);
  ExpectIntact();
}

TEST_F(CompactTest, DamagedCopyNeverReplacesTheStore) {
  conn.SetCompactHook([](const std::string& copy) { std::filesystem::resize_file(copy, 4096); });
  EXPECT_FALSE(conn.Compact());
  EXPECT_FALSE(reporter.errors.empty());
  ExpectIntact();
}

// The copy cannot be written (its place leads nowhere, as a full or read-only target would):
// the store stays in place and open.
TEST_F(CompactTest, UnwritableCopyLeavesTheStoreOpen) {
  std::filesystem::create_symlink(dir.Path() / "missing" / "x.db", db::CAdoConnection::CompactCopyPath(conn.Path()));
  EXPECT_FALSE(conn.Compact());
  EXPECT_FALSE(reporter.errors.empty());
  ExpectIntact();
}

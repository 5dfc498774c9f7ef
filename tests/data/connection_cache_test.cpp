// What a connection keeps between queries (prepared statements, data derived from its tables)
// never outlives a change of the tables: a write through the connection itself, through another
// connection, a change of the schema, a reopening.
#include <sqlite3.h>

#include <functional>
#include <memory>

#include "data/store/store.h"
#include "db_fixture.h"

using db::CAdoRecordset;
using db::Filter;
using dbtest::DeclarationsTest;

namespace {

int BlockKind(db::CAdoConnection& conn, const std::string& key) {
  CAdoRecordset rs;
  std::int32_t kind = -1;
  if (rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", key))) rs.GetInt("TIPODEC", kind);
  return kind;
}

}  // namespace

// Each way the tables may change empties the derived slots; reading alone keeps them.
TEST_F(DeclarationsTest, DerivedDataGoesWithEveryChangeOfTheTables) {
  ASSERT_TRUE(AddDeclaration("UNO", 2, 1));
  const auto fill = [&] { conn.DerivedData("k") = std::make_shared<int>(7); };
  const auto kept = [&] { return conn.DerivedData("k") != nullptr; };

  fill();
  EXPECT_EQ(BlockKind(conn, "UNO"), 2);
  EXPECT_TRUE(kept()) << "a read changes nothing";

  struct Change {
    const char* name;
    std::function<void()> apply;
  };
  db::CAdoConnection other{"otra"};
  ASSERT_TRUE(other.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::ReadWrite));
  const std::vector<Change> changes{
      {"a recordset's write", [&] { ASSERT_TRUE(AddDeclaration("DOS", 3, 2)); }},
      {"a statement run by the program", [&] { ASSERT_TRUE(conn.Execute("DELETE FROM DATOSDEC WHERE 0")); }},
      {"another connection's commit", [&] { ASSERT_TRUE(other.Execute("UPDATE DATOSDEC SET TIPODEC = 3")); }},
      {"a reopening", [&] {
         conn.Close();
         ASSERT_TRUE(conn.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::ReadWrite));
       }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    fill();
    ASSERT_TRUE(kept());
    c.apply();
    EXPECT_FALSE(kept());
  }
  EXPECT_EQ(BlockKind(conn, "UNO"), 3) << "the other connection's write is read";
}

// Statements kept for reuse follow the schema: a column added after a first read is read, and
// a table dropped and made again with other columns is read with its new ones.
TEST_F(DeclarationsTest, ReusedStatementsFollowTheSchema) {
  ASSERT_TRUE(AddDeclaration("UNO", 2, 1));
  EXPECT_EQ(BlockKind(conn, "UNO"), 2);
  ASSERT_TRUE(conn.Execute("ALTER TABLE DATOSDEC ADD COLUMN NOTA VARCHAR(10) DEFAULT 'x'"));
  {
    CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "UNO")));
    std::string nota;
    EXPECT_TRUE(rs.GetText("NOTA", nota));
    EXPECT_EQ(nota, "x");
  }
  db::CAdoConnection other{"otra"};
  ASSERT_TRUE(other.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::ReadWrite));
  ASSERT_TRUE(other.Execute("DROP TABLE DATOSDEC; CREATE TABLE DATOSDEC (CLAVE VARCHAR(50), TIPODEC INTEGER);"
                            "INSERT INTO DATOSDEC VALUES ('UNO', 9)"));
  CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("DATOSDEC", &conn, Filter::Eq("CLAVE", "UNO")));
  std::int32_t kind = 0;
  EXPECT_TRUE(rs.GetInt("TIPODEC", kind));
  EXPECT_EQ(kind, 9);
  EXPECT_EQ(rs.GetFieldType("DATOS"), db::FieldType::Unknown) << "the dropped column is gone";
  EXPECT_EQ(reporter.errors.size(), 1u) << "only the unknown column is reported";
  // Closing with statements kept for reuse closes cleanly.
  reporter.errors.clear();
  conn.Close();
  EXPECT_TRUE(reporter.errors.empty());
}

// A row holds a save's content only when every part is equal (block, kind, modality); what it
// tells is true again once the difference is written.
TEST_F(DeclarationsTest, ARowHoldsASaveOnlyWhenEveryPartIsEqual) {
  store::DeclarationStore store{conn};
  ASSERT_TRUE(store.Create("UNO", 2));
  std::vector<std::uint8_t> block(db::kForm100BlockBytes, 5);
  EXPECT_FALSE(store.RowHolds("UNO", 2, 'I', block)) << "the placeholder's block is zeroed";
  ASSERT_TRUE(store.WriteRow("UNO", 2, 'I', block));
  EXPECT_TRUE(store.RowHolds("UNO", 2, 'I', block));
  EXPECT_TRUE(store.RowHolds("UNO", 2, std::nullopt, block));
  EXPECT_FALSE(store.RowHolds("OTRA", 2, 'I', block)) << "no row";

  struct Case {
    const char* name;
    int kind;
    char modality;
    std::size_t byte;
  };
  for (const Case& c : {Case{"a byte of the block", 2, 'I', 1000}, Case{"the kind", 3, 'I', 0},
                        Case{"the modality", 3, 'C', 0}}) {
    SCOPED_TRACE(c.name);
    if (c.byte) block[c.byte] ^= 0xFF;
    EXPECT_FALSE(store.RowHolds("UNO", c.kind, c.modality, block));
    ASSERT_TRUE(store.WriteRow("UNO", c.kind, c.modality, block));
    EXPECT_TRUE(store.RowHolds("UNO", c.kind, c.modality, block));
    auto loaded = store.Load("UNO");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->kind, c.kind);
    EXPECT_EQ(loaded->modality, std::string(1, c.modality));
    EXPECT_EQ(loaded->block, block);
  }
  EXPECT_FALSE(store.RowHolds("UNO", 3, 'C', std::vector<std::uint8_t>(100, 5))) << "a shorter block";
}

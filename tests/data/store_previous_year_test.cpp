// Import of last year's wealth-tax declarations: the conversion table, the amounts left
// behind, the limit and taken names.
#include <gtest/gtest.h>

#include <fstream>

#include "data/store/previous_year.h"
#include "db_fixture.h"
#include "store_fixture.h"

namespace {

using namespace store;
using namespace store::previous;

std::vector<std::uint8_t> Pattern(std::size_t n) {
  std::vector<std::uint8_t> b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(1 + i % 251);
  return b;
}

TEST(StorePreviousYear, ConversionMovesDescriptionsAndDropsAmounts) {
  auto last = Pattern(kForm714Bytes);
  const auto original = last;
  ClearPreviousAmounts(last);
  std::vector<std::uint8_t> now(kForm714Bytes, 0xEE);
  ConvertPreviousBlock(last, now);

  // Section L row 3: its description lies 8 bytes later this year, its amount is zero.
  const std::size_t lastRow = 17048 + 3 * 72, thisRow = 17056 + 3 * 72;
  EXPECT_TRUE(std::equal(now.begin() + thisRow, now.begin() + thisRow + 64, original.begin() + lastRow));
  EXPECT_EQ(std::count(now.begin() + thisRow + 64, now.begin() + thisRow + 72, 0), 8);
  // Section M's 64-byte rows: the two amounts at +48 and +56 are zero, the rest carried.
  const std::size_t m = 17784 + 2 * 64;
  EXPECT_EQ(std::count(now.begin() + m + 48, now.begin() + m + 64, 0), 16);
  EXPECT_EQ(now[m + 47], original[17776 + 2 * 64 + 47]);
  // The NIFs, the second one a byte earlier last year.
  EXPECT_TRUE(std::equal(now.begin() + 6286, now.begin() + 6296, original.begin() + 6286));
  EXPECT_TRUE(std::equal(now.begin() + 6458, now.begin() + 6468, original.begin() + 6457));
  // Section A: the first 57 bytes of each row only; its head and the rest stay zero.
  EXPECT_TRUE(std::equal(now.begin() + 160, now.begin() + 217, original.begin() + 160));
  EXPECT_EQ(now[217], 0);
  EXPECT_EQ(now[8], 0);
  // Result and summary are zero; every section total is zero.
  EXPECT_EQ(std::count(now.begin() + 6696, now.begin() + 6760, 0), 64);
  EXPECT_EQ(std::count(now.begin() + 21440, now.end(), 0), 584);
  for (const CarriedRange& r : kCarried) {
    std::size_t total = r.thisOffset + r.rows * r.rowSize;
    EXPECT_EQ(std::count(now.begin() + total, now.begin() + total + r.tail, 0), static_cast<long>(r.tail)) << r.record;
    EXPECT_LE(r.thisOffset + r.Bytes(), kForm714Bytes);
  }
}

class PreviousYearTest : public dbtest::DeclarationsTest {
 protected:
  void SetUp() override {
    DeclarationsTest::SetUp();
    lastPath = dir.Str() + "DatRed2002.db";
    db::CAdoConnection last;
    ASSERT_TRUE(last.Open(lastPath, db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(last));
    for (auto [key, kind] : {std::pair{"ZETA", 3}, {"ALFA", 3}, {"RENTA", 2}}) {
      db::CAdoRecordset rs;
      rs.Open("DATOSDEC", &last, db::Filter::Eq("CLAVE", key));
      auto block = Pattern(kForm714Bytes);
      ASSERT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", PadKey(key)) && rs.AddPendingInt("TIPODEC", kind) &&
                  rs.AddPendingBlob("DATOS", block) && rs.AppendPendingRow());
    }
  }
  StoreMessages Messages() { return storetest::RecordedMessages(nullptr, &plain); }
  std::string lastPath;
  std::vector<std::string> plain;
  DeclarationStore store{conn, Messages()};
};

TEST_F(PreviousYearTest, ListsWealthTaxSortedAndImportsUnderFreeNames) {
  PreviousYearImport imp(store);
  ASSERT_TRUE(imp.Open(lastPath));
  EXPECT_EQ(imp.Declarations(), (std::vector<std::string>{"ALFA", "ZETA"}));

  ASSERT_TRUE(store.Create("ALFA", kKindForm100));
  std::vector<std::string> names{"ALFA", "ZETA"};
  int asked = 0;
  ASSERT_TRUE(imp.Confirm(names, [&](std::string_view n) -> std::optional<std::string> {
    ++asked;
    EXPECT_EQ(n, "ALFA");
    return std::string("ALFA 2002");
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(plain.back(), "El fichero ha sido importado con éxito");
  auto z = store.Load("ZETA");
  ASSERT_TRUE(z);
  EXPECT_EQ(z->kind, kKindForm714);
  EXPECT_EQ(z->modality, "0");
  EXPECT_EQ(store.Load("ALFA 2002")->key, PadKey("ALFA 2002"));
  EXPECT_EQ(z->block[6286], Pattern(kForm714Bytes)[6286]);

  // Skipping the taken name imports nothing more.
  int before = store.Count();
  EXPECT_EQ(imp.ImportSelected(std::span(names.data(), 1), [](std::string_view) { return std::nullopt; }), 0);
  EXPECT_EQ(store.Count(), before);
}

TEST_F(PreviousYearTest, LimitAndUnreadableStore) {
  for (int i = 0; i < 49; ++i) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), kKindForm714));
  PreviousYearImport imp(store);
  ASSERT_TRUE(imp.Open(lastPath));
  std::vector<std::string> two{"ALFA", "ZETA"};
  EXPECT_FALSE(imp.Confirm(two, {}));
  EXPECT_EQ(plain.back(), StoreFullText(50));
  EXPECT_EQ(store.Count(), 49);
  EXPECT_TRUE(imp.Confirm(std::span(two.data(), 1), {}));
  EXPECT_EQ(store.Count(), 50);
  EXPECT_TRUE(imp.Confirm({}, {}));  // nothing selected: nothing imported, no message
  EXPECT_EQ(plain.back(), "El fichero ha sido importado con éxito");

  // A profile's MaxDeclar above fifty lets the import fill the store up to it, while the
  // index's own creation still stops at fifty.
  ASSERT_EQ(store.Count(), 50);
  EXPECT_FALSE(store.Create("D50", kKindForm714));
  EXPECT_TRUE(imp.Confirm(std::span(two.data() + 1, 1), {}, 51));
  EXPECT_EQ(plain.back(), "El fichero ha sido importado con éxito");
  EXPECT_EQ(store.Count(), 51);
  EXPECT_TRUE(store.Exists("ZETA"));
  EXPECT_FALSE(imp.Confirm(std::span(two.data(), 1), {}, 51));
  EXPECT_EQ(plain.back(), StoreFullText(51));

  PreviousYearImport bad(store);
  std::ofstream(dir.Str() + "junk.db") << "not a database";
  EXPECT_FALSE(bad.Open(dir.Str() + "junk.db"));
  EXPECT_EQ(plain.back(), "Imposible inicializar la Base de Datos RED");
}

}  // namespace

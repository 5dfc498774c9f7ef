// Applying one fiscal-data import to a form-100 block: each key's rows at the stored offsets (record
// start + offset within the record), nothing written anywhere else, and the edge cases of full
// areas, pages without data, children, and the regional donation areas.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/db_fixture.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "wizards/fiscal_transfer.h"

namespace {

using fiscal::FiscalTransfer;
using fiscal::ImportSession;
using Block = std::vector<std::uint8_t>;

// One expected field: a record, the offset within it, and a double, a byte or a text.
struct Expect {
  const blocks::RecordDef* rec;
  std::size_t off;
  enum Kind { kDouble, kByte, kText } kind;
  double value = 0;
  std::string text = {};
  std::size_t Width() const { return kind == kDouble ? 8 : kind == kByte ? 1 : text.size(); }
};
Expect D(const blocks::RecordDef& r, std::size_t off, double v) { return {&r, off, Expect::kDouble, v}; }
Expect B(const blocks::RecordDef& r, std::size_t off, int v) { return {&r, off, Expect::kByte, double(v)}; }
Expect T(const blocks::RecordDef& r, std::size_t off, std::string v) { return {&r, off, Expect::kText, 0, std::move(v)}; }

const auto& A = f100::SectionA;
const auto& Bs = f100::SectionB;
const auto& G1 = f100::SectionG1;
const auto& J = f100::SectionJ;
const auto& O = f100::SectionO;
const auto& P = f100::SectionP;
const auto& F = f100::Family;

// The file's next page (pages fill the slots from 1 on).
void Page(FiscalTransfer& t, const std::string& key, const std::vector<double>& amounts) {
  const int slot = t.SlotOf("");
  t.pageKeys[static_cast<std::size_t>(slot)] = key;
  for (std::size_t k = 0; k < amounts.size(); ++k) t.pages[static_cast<std::size_t>(slot)].Add(k, amounts[k]);
}
void SetByte(Block& b, const blocks::RecordDef& r, std::size_t off, int v) {
  blocks::U8{r.offset + off}.set(b.data(), static_cast<std::uint8_t>(v));
}

struct Case {
  const char* name;
  int member;
  std::function<void(FiscalTransfer&, ImportSession&, Block&)> setup;
  std::vector<Expect> expects;
};

std::vector<Case> Cases() {
  std::vector<Case> c;
  c.push_back({"WorkIncomeFirstRow", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) { Page(t, "RTA", {1000, 150, 300, 20, 5, 60, 70}); },
               {B(A, 0, 2), D(A, 8, 1000), D(A, 16, 150), D(A, 24, 285), D(A, 32, 20), D(A, 40, 5), D(A, 80, 70),
                D(A, 88, 60)}});
  c.push_back({"WorkIncomeFifthRowWhenFourTaken", 2,
               [](FiscalTransfer& t, ImportSession&, Block& b) {
                 for (int r = 0; r < 4; ++r) SetByte(b, A, 120u * r, 2);
                 Page(t, "RTA", {500});
               },
               {B(A, 480, 3), D(A, 488, 500)}});
  c.push_back({"WorkIncomeNeverOverwritesATakenRow", 1,
               [](FiscalTransfer& t, ImportSession&, Block& b) {
                 for (int r = 0; r < 6; ++r) SetByte(b, A, 120u * r, 3);
                 Page(t, "RTA", {500});
               },
               {}});
  c.push_back({"WorkPageWithoutDataIsSkipped", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) { t.pageKeys[1] = "RTA"; },
               {}});
  c.push_back({"KeyBehindAllNineteenOtherPagesIsSkipped", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) {
                 for (int s = 1; s < fiscal::kPageSlots; ++s) Page(t, std::string("X").append(std::to_string(s)), {1});
                 t.pages[5].Add(0, 1000);  // data, but under another key
               },
               {}});
  c.push_back({"PrizesInCashAndInKind", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) { Page(t, "RTB", {500, 90, 200, 30, 10}); },
               {B(G1, 1552, 2), D(G1, 1560, 500), D(G1, 1568, 90), B(G1, 1688, 2), D(G1, 1696, 180),
                D(G1, 1704, 30), D(G1, 1712, 10)}});
  c.push_back({"PrizesInCashWithTheFourRowsTakenWriteNothingThere", 1,
               [](FiscalTransfer& t, ImportSession&, Block& b) {
                 for (int r = 0; r < 4; ++r) SetByte(b, G1, 1552u + 24u * r, 3);
                 Page(t, "RTB", {500, 90, 200});
               },
               {B(G1, 1688, 2), D(G1, 1696, 200)}});
  c.push_back({"BankAccounts", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) { Page(t, "CB", {100, 19, 50, 9.5, 3}); },
               {B(Bs, 40, 2), D(Bs, 48, 150), D(Bs, 56, 28.5), D(Bs, 72, 3)}});
  c.push_back({"OtherMovableCapital", 2,
               [](FiscalTransfer& t, ImportSession&, Block&) {
                 Page(t, "LT", {10, 100, 0, 5});
                 Page(t, "RI", {200, 30, 4, 50});
                 Page(t, "SG", {300, 40, 7, 8});
               },
               {B(Bs, 696, 3), D(Bs, 704, 85), B(Bs, 832, 3), D(Bs, 840, 150), D(Bs, 848, 30), D(Bs, 864, 4),
                B(Bs, 1112, 3), D(Bs, 1120, 300), D(Bs, 1128, 40), D(Bs, 1136, 7), D(Bs, 1144, 8)}});
  auto dividends = [](FiscalTransfer& t) {
    Page(t, "RE", {100, 120, 19, 5, 2, 11, 0, 13, 14, 0, 21, 0, 22, 23});
  };
  const std::vector<Expect> dividendRows = {B(Bs, 320, 2),  D(Bs, 328, 100), D(Bs, 336, 120), D(Bs, 344, 19),
                                            D(Bs, 352, 2),  D(Bs, 360, 20),  D(Bs, 368, 5),   B(Bs, 1392, 2),
                                            D(Bs, 1400, 21), D(Bs, 1408, 22), D(Bs, 1424, 23)};
  {
    std::vector<Expect> e = dividendRows;
    e.insert(e.end(), {B(Bs, 40, 2), D(Bs, 48, 11), D(Bs, 56, 13), D(Bs, 72, 14)});
    c.push_back({"DividendsWithoutAccountsStillMarkTheAccountRow", 1,
                 [dividends](FiscalTransfer& t, ImportSession&, Block&) { dividends(t); }, e});
  }
  {
    std::vector<Expect> e = dividendRows;
    e.insert(e.end(), {B(Bs, 40, 2), D(Bs, 48, 161), D(Bs, 56, 41.5), D(Bs, 72, 17)});
    c.push_back({"DividendsAddToTheAccountsRow", 1,
                 [dividends](FiscalTransfer& t, ImportSession&, Block&) {
                   Page(t, "CB", {100, 19, 50, 9.5, 3});
                   dividends(t);
                 },
                 e});
  }
  c.push_back({"FundsIntoFreeRowsOnly", 1,
               [](FiscalTransfer&, ImportSession& s, Block& b) {
                 s.funds[0] = {1, "A12345678", {1, 2, 3, 4, 5}};
                 s.funds[1] = {2, "B87654321", {6, 7, 8, 9, 10}};
                 SetByte(b, G1, 32 + 88, 4);  // typed earlier
                 s.funds[2] = {2, "C123456789012345", {0, 0, 11, 0, 0}};
                 s.funds[15] = {1, "D1", {12, 0, 0, 0, 0}};  // no row for the sixteenth
               },
               {B(G1, 32, 2), T(G1, 33, std::string("A12345678\0\0\0\0\0\0", 15)), D(G1, 80, 1), D(G1, 88, 2),
                D(G1, 96, 3), D(G1, 104, 4), D(G1, 112, 5), B(G1, 32 + 176, 3),
                T(G1, 33 + 176, std::string("C1234567890123") + '\0'), D(G1, 96 + 176, 11)}});
  c.push_back({"PensionPlansOfTheDeclarant", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) {
                 t.pensionDataPresent = true;
                 t.pensions[0][0] = 100;
                 t.pensions[0][2] = 200;
                 t.pensions[0][11] = 300;
                 t.pensions[1][0] = 50;
                 t.pensions[1][4] = 400;
                 t.pensions[3][7] = 700;
                 t.pensions[4][9] = 900;
                 t.pensions[4][10] = 1;  // only when the own amount is 0
               },
               {B(A, 0, 2), D(A, 64, 100), B(A, 72, '1'), B(A, 120, 2), D(A, 184, 50), B(A, 192, '2'),
                B(J, 440, 2), D(J, 472, 200), D(J, 512, 300), B(J, 720, 2), D(J, 760, 400), B(J, 696, 3),
                D(J, 704, 700), B(J, 1232, 2), D(J, 1240, 900)}});
  c.push_back({"PensionContributionJoinsTheMembersRowOfTheSameKind", 2,
               [](FiscalTransfer& t, ImportSession&, Block& b) {
                 SetByte(b, A, 0, 3);
                 SetByte(b, A, 72, '4');
                 blocks::F64{A.offset + 64}.set(b.data(), 10);
                 t.pensionDataPresent = true;
                 t.pensions[3][0] = 5;  // regime 4: kind '4'
               },
               {B(A, 0, 3), D(A, 64, 15), B(A, 72, '4')}});
  c.push_back({"ContributionsToDisabledPersonsTakeTheSlotsInTurn", 1,
               [](FiscalTransfer& t, ImportSession&, Block& b) {
                 SetByte(b, J, 720, 4);  // another holder's row is passed over
                 t.pensionDataPresent = true;
                 t.disabled[0] = {60, "11111111H", 1};
                 t.disabled[1] = {70, "22222222J", 1};
               },
               {B(J, 800, 2), D(J, 848, 60), T(J, 816, "11111111H"), B(J, 880, 2), D(J, 928, 70),
                T(J, 896, "22222222J")}});
  c.push_back({"SpouseRegimeFourTakesTheDeclarantsCode", 2,
               [](FiscalTransfer& t, ImportSession&, Block&) {
                 t.pensionDataPresent = true;
                 t.pensions[3][7] = 80;
               },
               {B(J, 696, 2), D(J, 704, 80)}});
  c.push_back({"PensionDataWithoutTheFlagIsIgnored", 1,
               [](FiscalTransfer& t, ImportSession&, Block&) { t.pensions[0][0] = 100; }, {}});
  auto donations = [](FiscalTransfer& t) {
    Page(t, "DN", {});
    t.donations.any = true;
    t.donations.stateA = 10;
    t.donations.stateB = 20;
    t.donations.state10 = 30;
  };
  c.push_back({"StateDonationsIntoTheFirstFreeRow", 2,
               [donations](FiscalTransfer& t, ImportSession&, Block& b) {
                 SetByte(b, O, 208, 2);
                 donations(t);
               },
               {B(O, 248, 3), D(O, 256, 10), D(O, 264, 20), D(O, 280, 30)}});
  c.push_back({"CommunitySeventeenTakesAreasJAndKAndStopsAtL", 1,
               [donations](FiscalTransfer& t, ImportSession&, Block&) {
                 donations(t);
                 t.donations.stateA = t.donations.stateB = t.donations.state10 = 0;
                 t.donations.community17Flag = true;
                 t.donations.community17At20 = 1;
                 t.donations.community17At5 = 2;
                 t.donations.community17At10 = 3;
                 t.donations.community13Flag = true;  // after the stopping area
                 t.donations.community13Regional = 4;
               },
               {B(P, 7208, 2), D(P, 7216, 1), B(P, 7384, 2), D(P, 7392, 2), B(P, 7296, 2), D(P, 7304, 3)}});
  c.push_back({"RegionalAreaWithItsFirstRowTakenUsesTheNextRow", 2,
               [donations](FiscalTransfer& t, ImportSession&, Block& b) {
                 donations(t);
                 t.donations.stateA = t.donations.stateB = t.donations.state10 = 0;
                 SetByte(b, P, 3384, 2);
                 t.donations.community8Flag = true;
                 t.donations.community8 = 0;  // area f is written whatever its amount
               },
               {B(P, 3400, 3), D(P, 3408, 0)}});
  c.push_back({"DonationsWithoutTheAnyFlagAreIgnored", 1,
               [donations](FiscalTransfer& t, ImportSession&, Block&) {
                 donations(t);
                 t.donations.any = false;
               },
               {}});
  auto mortgage = [](FiscalTransfer& t) {
    Page(t, "PH", {});
    t.mortgage = {1000, 200, 0, 50, true};
    t.mortgageDates = {"15/06/2001", "31/12/2001", "        "};
  };
  c.push_back({"MortgageOfTheDeclarant", 1, [mortgage](FiscalTransfer& t, ImportSession&, Block&) { mortgage(t); },
               {B(O, 536, 2), D(O, 544, 1000), D(O, 552, 200), D(O, 560, 0), D(O, 568, 50), B(O, 800, 2),
                T(O, 801, "31122001"), T(O, 1016, "31122001"), T(O, 1024, "31122001")}});
  c.push_back({"MortgageOfTheSpouseKeepsTheFirstDate", 2,
               [mortgage](FiscalTransfer& t, ImportSession&, Block& b) {
                 mortgage(t);
                 t.mortgageDates = {"15/06/2002"};
                 SetByte(b, O, 536, 2);
                 SetByte(b, O, 800, 2);
                 blocks::Text{O.offset + 1016, 8}.set(b.data(), "01012000");
               },
               {B(O, 576, 3), D(O, 584, 1000), D(O, 592, 200), D(O, 608, 50), B(O, 848, 3), T(O, 849, "15062002"),
                T(O, 1032, "15062002")}});
  c.push_back({"MortgageOnlyForConstructionGetsNoDateRow", 1,
               [mortgage](FiscalTransfer& t, ImportSession&, Block&) {
                 mortgage(t);
                 t.mortgage = {0, 0, 0, 50, true};
               },
               {B(O, 536, 2), D(O, 568, 50)}});
  for (int child : {3, 4})
    c.push_back({child == 3 ? "ChildOneGetsNoDonationsNorMortgage" : "ChildTwoGetsNoDonationsNorMortgage", child,
                 [donations, mortgage](FiscalTransfer& t, ImportSession&, Block&) {
                   donations(t);
                   t.donations.community3Flag = true;
                   mortgage(t);
                 },
                 {}});
  return c;
}

void Check(const Case& c) {
  SCOPED_TRACE(c.name);
  Block block(f100::kBlockSize, 0);
  FiscalTransfer t;
  t.member = c.member;
  ImportSession s;
  c.setup(t, s, block);
  const Block before = block;
  fiscal::WriteFiscalData(t, s, block);
  std::vector<bool> expected(block.size(), false);
  for (const Expect& e : c.expects) {
    const std::size_t at = e.rec->offset + e.off;
    SCOPED_TRACE(std::string(e.rec->name) + " +" + std::to_string(e.off));
    switch (e.kind) {
      case Expect::kDouble: EXPECT_DOUBLE_EQ(blocks::F64{at}.get(block.data()), e.value); break;
      case Expect::kByte: EXPECT_EQ(blocks::U8{at}.get(block.data()), e.value); break;
      case Expect::kText: EXPECT_EQ(blocks::Text({at, e.text.size()}).raw(block.data()), e.text); break;
    }
    for (std::size_t i = 0; i < e.Width(); ++i) expected[at + i] = true;
  }
  for (std::size_t i = 0; i < block.size(); ++i)
    if (!expected[i] && block[i] != before[i]) ADD_FAILURE() << "byte " << i << " written unexpectedly";
}

TEST(FiscalApply, EachKeyWritesItsRowsAndNothingElse) {
  for (const Case& c : Cases()) Check(c);
}

TEST(FiscalApply, IdentificationGoesToEachMembersSlots) {
  fiscal::Identification id{};
  id[1] = "JUAN";
  id[2] = "DE LA FUENTE";
  id[3] = "GARCIA";
  id[4] = "CL";
  id[5] = "MAYOR";
  id[6] = "12";
  id[8] = "A";
  id[9] = "3";
  id[10] = "B";
  id[11] = "28001";
  id[12] = "MADRID";
  id[13] = "MADRID";
  struct Slot {
    int member;
    std::vector<std::pair<std::size_t, int>> written;  // (table base shift, slot)
  };
  // Name offsets of the first and second tables; the other fields follow the same slots.
  const std::vector<Slot> members = {
      {1, {{530, 1}, {530, 0}, {1320, 2}}}, {2, {{1320, 0}, {1320, 1}, {530, 2}}}, {3, {{530, 3}}}, {4, {{530, 4}}}};
  for (const Slot& s : members) {
    SCOPED_TRACE(s.member);
    Block block(f100::kBlockSize, 0);
    FiscalTransfer t;
    t.member = s.member;
    t.pageKeys[1] = "DI";
    t.identification = id;
    fiscal::WriteFiscalData(t, {}, block);
    const std::uint8_t* f = block.data() + F.offset;
    for (auto [base, slot] : s.written) {
      const bool first = base == 530;
      const std::size_t k = static_cast<std::size_t>(slot);
      EXPECT_EQ(blocks::Text({base + 15 * k, 15}).raw(f), "JUAN           ");
      EXPECT_EQ(blocks::Text({(first ? 605u : 1395u) + 15 * k, 15}).trimmed(f), "DE LA FUENTE");
      EXPECT_EQ(blocks::Text({(first ? 765u : 1560u) + 2 * k, 2}).raw(f), "CL");
      EXPECT_EQ(blocks::Text({(first ? 890u : 1685u) + 5 * k, 5}).raw(f), "12   ");
      EXPECT_EQ(blocks::Text({(first ? 945u : 1740u) + 25 * k, 25}).trimmed(f), "MADRID");
      EXPECT_EQ(blocks::Text({(first ? 1140u : 1935u) + 5 * k, 5}).raw(f), "28001");
    }
    int written = 0;
    for (std::size_t i = 0; i < block.size(); ++i) written += block[i] != 0;
    // Twelve fields of 122 bytes in all, blank-padded, per slot written.
    EXPECT_EQ(written, 122 * static_cast<int>(s.written.size()));
  }
}

TEST(FiscalApply, WithoutAnIdentificationPageNothingIsCopied) {
  Block block(f100::kBlockSize, 0);
  FiscalTransfer t;
  t.identification[1] = "JUAN";
  fiscal::WriteFiscalData(t, {}, block);
  EXPECT_EQ(block, Block(f100::kBlockSize, 0));
}

TEST(FiscalApply, PageAmountsAccumulateByIndex) {
  fiscal::PageAmounts p;
  p.Add(3, 10);
  p.Add(1, 2.5);
  p.Add(3, 5);
  EXPECT_TRUE(p.hasData);
  EXPECT_EQ(p.used, (std::vector<int>{3, 1}));
  EXPECT_DOUBLE_EQ(p.At(3), 15);
  EXPECT_DOUBLE_EQ(p.At(1), 2.5);
  EXPECT_DOUBLE_EQ(p.At(0), 0);
  EXPECT_DOUBLE_EQ(p.At(9), 0);
}

TEST(FiscalApply, SlotOfAKey) {
  FiscalTransfer t;
  t.pageKeys[1] = "DI";
  t.pageKeys[2] = "RTA";
  EXPECT_EQ(t.SlotOf("RTA"), 2);
  EXPECT_EQ(t.SlotOf("CB"), 3) << "the first empty slot";
  for (int s = 1; s < fiscal::kPageSlots; ++s) t.pageKeys[static_cast<std::size_t>(s)] = std::string("K").append(std::to_string(s));
  EXPECT_EQ(t.SlotOf("CB"), 0);
}

// Written first, then calculated, then carried over: the calculation copies the annex total of
// kind-"2" rows into the counted amount, which check 204 carries into the disabled-persons row.
TEST(FiscalApply, ApplyWritesCalculatesThenCarriesOver) {
  dbtest::TempDir dir;
  db::CAdoConnection conn{"DatRed"};
  ASSERT_TRUE(conn.Open((dir.Path() / "DatRed.db").string(), db::OpenMode::Create));
  ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
  store::DeclarationStore store{conn};
  doc::DocumentHost host;
  int calculations = 0;
  doc::CRentaDoc d(store, host, [&](std::span<std::uint8_t> b, const doc::CalcRequest& r) {
    ++calculations;
    EXPECT_EQ(r.mode, 1);
    EXPECT_EQ(blocks::U8{A.offset}.get(b.data()), 2) << "the data are written before the calculation";
    EXPECT_EQ(blocks::U8{J.offset + 720}.get(b.data()), 0) << "and carried over after it";
    for (std::size_t row = 0; row < 6; ++row)
      blocks::F64{A.offset + 120 * row + 48}.set(b.data(), blocks::F64{A.offset + 120 * row + 64}.get(b.data()));
  });
  d.Model().MarkSaved();
  FiscalTransfer t;
  t.pensionDataPresent = true;
  t.pensions[1][0] = 75;  // regime 2, kind "2"
  fiscal::ApplyFiscalData(t, {}, d);
  const std::uint8_t* b = d.Block().data();
  EXPECT_EQ(calculations, 1);
  EXPECT_EQ(blocks::U8{A.offset + 72}.get(b), '2');
  EXPECT_EQ(blocks::U8{J.offset + 720}.get(b), 2);
  EXPECT_DOUBLE_EQ(blocks::F64{J.offset + 720 + 56}.get(b), 75);
  EXPECT_TRUE(d.IsModified());
}

}  // namespace

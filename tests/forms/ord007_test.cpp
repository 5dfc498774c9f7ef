// Page 7 of form 100: capital gains and losses. The position -> field table, the row areas and the
// boxes they open, which boxes take input, the class rules of the transfers and the continuation
// sheets.
#include "blocks/form100_g1.h"
#include "blocks/form100_g3.h"
#include "forms/pages/ord007.h"
#include "page_rows_fixture.h"

namespace formstest {
namespace {

using forms::CBoxesORD007;
constexpr std::size_t kG1 = f100::SectionG1.offset, kG2 = f100::SectionG2.offset, kG3 = f100::SectionG3.offset;

class Ord007 : public RowPageTest {
 protected:
  Ord007() : RowPageTest(207) {}
  forms::ORD007& Page() { return static_cast<forms::ORD007&>(*view); }
  std::uint8_t* Fund(int i) { return At(kG1 + 32 + 88 * static_cast<std::size_t>(i)); }
  std::uint8_t* Other(int i) { return At(kG2 + 376 * static_cast<std::size_t>(i)); }
  std::uint8_t* Transfer(int i) { return At(kG3 + 200 * static_cast<std::size_t>(i)); }
  const std::vector<std::string>& Codes() { return host->coded.codes; }
};

struct Field {
  int position;
  std::size_t offset;
};
struct RowCell {
  int position, table, row, cell;
};

TEST_F(Ord007, BindsEveryBoxToItsFieldOrRowCell) {
  forms::CFormView& page = Show();
  EXPECT_EQ(page.GetPageClassName(), "ORD007");
  ASSERT_EQ(page.GetBoxCount(), 120);
  for (const Field& f : {Field{26, kG1 + 1352}, Field{29, kG1 + 1472}, Field{30, kG1 + 1512}, Field{31, kG1 + 1648},
                         Field{32, kG1 + 1816}, Field{33, kG1 + 1856}, Field{34, kG1 + 1896}, Field{68, kG2 + 5640},
                         Field{71, kG2 + 5760}, Field{114, kG3 + 3000}, Field{116, kG3 + 3080},
                         Field{120, f100::Family.offset + 105}})
    EXPECT_EQ(Data(f.position), At(f.offset)) << f.position;
  for (const Field& f : {Field{30, kG1 + 1552}, Field{31, kG1 + 1688}, Field{32, kG1 + 1688}, Field{33, kG1 + 1688}})
    EXPECT_EQ(Option(f.position), At(f.offset)) << f.position;
  for (int p : {7, 117, 118, 119}) EXPECT_EQ(Data(p), nullptr) << p;
  // The page header: the NIF and the name of the member shown, kept by the document.
  {
    auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
    EXPECT_EQ(Data(1), renta.HeaderIdentificationData());
    EXPECT_EQ(Data(2), renta.HeaderIdentificationData() + 9);
  }
  for (const RowCell& c : {RowCell{3, 996, 0, 0}, RowCell{4, 996, 0, 1}, RowCell{6, 996, 1, 1}, RowCell{8, 997, 0, 0},
                           RowCell{13, 997, 0, 5}, RowCell{25, 997, 2, 5}, RowCell{35, 998, 0, 0}, RowCell{38, 998, 0, 4},
                           RowCell{39, 998, 0, 5}, RowCell{45, 998, 0, 11}, RowCell{67, 998, 2, 11},
                           RowCell{72, 999, 0, 0}, RowCell{74, 999, 0, 2}, RowCell{75, 999, 0, 3}, RowCell{76, 999, 0, 5},
                           RowCell{77, 999, 0, 7}, RowCell{85, 999, 0, 15}, RowCell{113, 999, 2, 15}})
    EXPECT_EQ(Data(c.position), Page().Table(c.table)->GetCell(c.row, c.cell)) << c.position;
  // Annex data of the rows: funds' +48, the others' +40.
  for (int p : {10, 11, 12, 13}) EXPECT_EQ(Option(p), Page().Table(997)->GetCell(0, 9)) << p;
  EXPECT_EQ(Option(49), Page().Table(998)->GetCell(1, 3));
}

TEST_F(Ord007, TransferBoxesLinkTheWholeRecordAndNoMore) {
  Transfer(0)[0] = 2;
  Transfer(1)[0] = 2;
  Show();
  Page().Table(999)->Scroll(0);
  Event(999, 0, 19);
  for (int r = 0; r < 3; ++r)
    for (int p : {74, 75, 76}) {
      const auto* link = static_cast<const ui::AnnexPointerList*>(Option(p + 14 * r));
      ASSERT_NE(link, nullptr) << p + 14 * r;
      EXPECT_EQ(link->block, Page().Table(999)->GetCell(r, 20));
      EXPECT_EQ(link->value, 1 + r);
      EXPECT_EQ(link->holder, p == 74 ? 7 : 0);
      EXPECT_EQ(link->size, 200);
    }
  EXPECT_EQ(Option(75), Option(76));
}

TEST_F(Ord007, BoxesOpenAsTheirRowsFillIn) {
  Show();
  for (int p : {4, 6, 9, 14, 36, 46, 73, 74, 75, 76, 86}) EXPECT_TRUE(ReadOnly(p)) << p;
  for (int p : {3, 5, 8, 35, 72}) EXPECT_FALSE(ReadOnly(p)) << p;
  At(kG1)[0] = 2;
  Fund(0)[0] = 2;
  Other(0)[0] = 3;
  Transfer(0)[0] = 2;
  Show();
  for (int p : {4, 9, 10, 13, 14, 36, 37, 38, 46, 73, 74, 86}) EXPECT_FALSE(ReadOnly(p)) << p;
  for (int p : {6, 15, 39, 45, 47, 75, 76, 77, 85, 87}) EXPECT_TRUE(ReadOnly(p)) << p;
  Transfer(0)[21] = '1';
  Show();
  EXPECT_FALSE(ReadOnly(75));
  EXPECT_FALSE(ReadOnly(76));
}

TEST_F(Ord007, ValueBoxesNameTheAnnexOfTheRowsClass) {
  Transfer(0)[0] = 2;
  Transfer(0)[21] = '1';
  Show();
  EXPECT_EQ(view->GetBox(74)->NombreVent, "IDD_VALTRANSEA");
  EXPECT_EQ(view->GetBox(75)->NombreVent, "IDD_VALADQUIA");
  *static_cast<std::uint8_t*>(Data(74)) = '4';
  view->OnBoxSetFocus(75);
  EXPECT_EQ(view->GetBox(74)->NombreVent, "IDD_VALTRANSENA");
  EXPECT_EQ(view->GetBox(75)->NombreVent, "IDD_VALADQUINA");
}

TEST_F(Ord007, AClassThatCannotKeepTheValuesAsksBeforeDroppingThem) {
  struct Case {
    int answer;
    std::uint8_t kept;
    double transfer, inputs;
  };
  for (const Case& c : {Case{1, '3', 100.0, 0.0}, Case{8, '1', 100.0, 7.0}}) {
    std::memset(Transfer(0), 0, 200);
    Transfer(0)[0] = 2;
    Transfer(0)[21] = '1';
    SetAmount(kG3 + 24, 100.0);
    SetAmount(kG3 + 48, 7.0);   // transfer inputs
    SetAmount(kG3 + 104, 7.0);  // acquisition inputs
    Show();
    host->coded.codes.clear();
    host->coded.answer = c.answer;
    *static_cast<std::uint8_t*>(Data(74)) = '3';
    view->OnBoxSubDialogValue(74);
    ASSERT_EQ(Codes(), std::vector<std::string>{"100P023"});
    EXPECT_EQ(Transfer(0)[21], c.kept);
    EXPECT_EQ(blocks::F64{kG3 + 24}.get(Block()), c.transfer);
    EXPECT_EQ(blocks::F64{kG3 + 48}.get(Block()), c.inputs);
    EXPECT_EQ(blocks::F64{kG3 + 104}.get(Block()), c.inputs);
  }
}

TEST_F(Ord007, AnAmortisedClassFiveOrSixAsksToDropTheAmortisation) {
  for (int answer : {1, 8}) {
    std::memset(Transfer(0), 0, 200);
    Transfer(0)[0] = 2;
    Transfer(0)[21] = '4';
    SetAmount(kG3 + 120, 50.0);
    Show();
    host->coded.codes.clear();
    host->coded.answer = answer;
    *static_cast<std::uint8_t*>(Data(74)) = '5';
    view->OnBoxSubDialogValue(74);
    EXPECT_EQ(Codes(), std::vector<std::string>{"100P070"});
    EXPECT_EQ(Transfer(0)[21], answer == 8 ? '4' : '5');
    EXPECT_EQ(blocks::F64{kG3 + 120}.get(Block()), answer == 8 ? 50.0 : 0.0);
  }
}

TEST_F(Ord007, TheSameHolderTwiceInTheOffsetRowsEmptiesTheRowJustEntered) {
  At(kG1)[0] = 2;
  SetAmount(kG1 + 8, 30.0);
  Show();
  *static_cast<std::uint8_t*>(Data(5)) = 2;
  view->OnBoxValueChanged(5);
  EXPECT_EQ(Codes(), std::vector<std::string>{"100R045"});
  EXPECT_EQ(At(kG1)[16], 0);
  EXPECT_EQ(At(kG1)[0], 2);
  EXPECT_EQ(blocks::F64{kG1 + 8}.get(Block()), 30.0);
}

TEST_F(Ord007, AFundNifMustBeAnEntitys) {
  Fund(0)[0] = 2;
  Show();
  Page().GoToBox(8);
  QApplication::processEvents();
  TypeText(9, "12345678Z", 9);  // a person's NIF
  EXPECT_EQ(Codes(), std::vector<std::string>{"WIN003"});
  EXPECT_EQ(Fund(0)[1], ' ');
  host->coded.codes.clear();
  TypeText(9, "A58818501", 9);
  EXPECT_TRUE(Codes().empty());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(Fund(0) + 1), 9), "A58818501");
}

TEST_F(Ord007, ContinuationSheetsFollowTheMembersRecords) {
  struct Case {
    int member;
    int declarant, common, child;
    int sheets;
  };
  for (const Case& c : {Case{1, 3, 0, 0, 0}, Case{1, 4, 0, 0, 1}, Case{2, 2, 2, 0, 1}, Case{4, 2, 2, 1, 0},
                        Case{1, 7, 3, 3, 4}, Case{2, 10, 0, 0, 3}}) {
    std::memset(At(kG1 + 32), 0, 15 * 88);
    int i = 0;
    for (int k = 0; k < c.declarant; ++k) Fund(i++)[0] = 2;
    for (int k = 0; k < c.common; ++k) Fund(i++)[0] = 1;
    for (int k = 0; k < c.child; ++k) Fund(i++)[0] = 4;
    Show(c.member);
    forms::CPageBoxList& list = *view->BoxList();
    ASSERT_TRUE(list.SelectSheet(1, 1));
    EXPECT_EQ(list.continuationSheets, c.sheets) << c.member << " " << c.declarant;
    if (c.sheets > 0) {
      ASSERT_NE(Data(7), nullptr);
      EXPECT_EQ(*static_cast<char*>(Data(7)), '0' + c.sheets);
    } else {
      EXPECT_EQ(Data(7), nullptr);
    }
    EXPECT_EQ(list.SelectSheet(c.sheets + 2, 1), false);
  }
}

TEST_F(Ord007, AContinuationSheetShowsTheNextRowsAndNoTotals) {
  for (int i = 0; i < 5; ++i) Fund(i)[0] = 2;
  Fund(3)[1] = 'X';
  Show();
  forms::CPageBoxList& list = *view->BoxList();
  ASSERT_TRUE(list.SelectSheet(1, 1));
  ASSERT_TRUE(list.SelectSheet(2, 1));
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 3);
  EXPECT_EQ(static_cast<char*>(Data(9))[0], 'X');
  for (int p : {3, 4, 5, 6, 26, 30, 34, 68, 71, 114, 116}) EXPECT_EQ(Data(p), nullptr) << p;
  ASSERT_NE(Data(117), nullptr);
  EXPECT_STREQ(static_cast<char*>(Data(117)), "HOJA COMPLEMENTARIA");
  SaveImage("ORD007");
}

}  // namespace
}  // namespace formstest

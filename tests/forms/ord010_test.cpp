// Page 10 of form 100: the reductions of the tax base, its four row areas, the contribution links,
// the holder rules of the pension rows and the continuation sheet of the disabled persons' rows.
#include <QTest>

#include "blocks/form100_j.h"
#include "forms/pages/ord010.h"
#include "page_rows_fixture.h"

namespace formstest {
namespace {

namespace j = f100::sec_j;
using forms::CBoxesORD010;
constexpr std::size_t kJ = f100::SectionJ.offset, kK = f100::SectionK.offset;

class Ord010 : public RowPageTest {
 protected:
  Ord010() : RowPageTest(210) {}
  forms::ORD010& Page() { return static_cast<forms::ORD010&>(*view); }
  std::uint8_t& PensionHolder(int row) { return *At(kJ + j::pensionRow(row)); }
  std::uint8_t& DisabledHolder(int row) { return *At(kJ + j::disabledRow(row)); }
};

struct Field {
  int position;
  std::size_t offset;
};

TEST_F(Ord010, BindsEveryTotalAndBaseToItsFieldAndTheRowsToTheirTables) {
  *At(f100::Personal.offset) = 1;
  forms::CFormView& page = Show();
  EXPECT_EQ(page.GetPageClassName(), "ORD010");
  ASSERT_EQ(page.GetBoxCount(), 67);
  for (const Field& f : {Field{18, kJ + 616}, Field{19, kJ + 656}, Field{28, kJ + 1040}, Field{38, kJ + 1152},
                         Field{39, kJ + 1192}, Field{40, kK}, Field{47, kK + 280}, Field{48, kK + 320},
                         Field{49, kK + 392}, Field{50, kK + 464}, Field{57, kK + 744},
                         Field{66, f100::Family.offset + 105}})
    EXPECT_EQ(Data(f.position), At(f.offset)) << f.position;
  for (const Field& f : {Field{19, kJ + 696}, Field{39, kJ + 1232}, Field{48, kK + 360}, Field{49, kK + 432}})
    EXPECT_EQ(Option(f.position), At(f.offset)) << f.position;
  for (int p : {3, 64, 65, 67}) EXPECT_EQ(Data(p), nullptr) << p;
  // The page header: the NIF and the name of the member shown, kept by the document.
  {
    auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
    EXPECT_EQ(Data(1), renta.HeaderIdentificationData());
    EXPECT_EQ(Data(2), renta.HeaderIdentificationData() + 9);
  }

  // Row boxes: position -> (table, row, cell).
  struct RowCell {
    int position, table, row, cell;
  };
  for (const RowCell& c : {RowCell{4, 996, 0, 0}, RowCell{5, 996, 0, 1}, RowCell{6, 996, 0, 2},
                           RowCell{7, 996, 0, 3}, RowCell{10, 996, 0, 6}, RowCell{11, 996, 1, 0},
                           RowCell{17, 996, 1, 6}, RowCell{20, 997, 0, 0}, RowCell{23, 997, 0, 3},
                           RowCell{27, 997, 1, 3}, RowCell{29, 998, 0, 0}, RowCell{37, 998, 2, 2},
                           RowCell{58, 999, 0, 0}, RowCell{63, 999, 1, 2}})
    EXPECT_EQ(Data(c.position), Page().Table(c.table)->GetCell(c.row, c.cell)) << c.position;
}

TEST_F(Ord010, ContributionBoxesHandTheirAnnexTheRowsBlockHolderAndSize) {
  forms::CFormView& page = Show();
  forms::CScrollRowTable* pensions = Page().Table(996);
  struct Link {
    int position;
    forms::CScrollRowTable* table;
    int row, cell;
    std::int32_t size;
  };
  for (const Link& l : {Link{5, pensions, 0, 10, 16}, Link{7, pensions, 0, 10, 16}, Link{6, pensions, 0, 11, 16},
                        Link{8, pensions, 0, 11, 16}, Link{14, pensions, 1, 10, 16}, Link{15, pensions, 1, 11, 16},
                        Link{22, Page().Table(997), 0, 7, 48}, Link{27, Page().Table(997), 1, 7, 48}}) {
    const auto* link = static_cast<const ui::AnnexPointerList*>(Option(l.position));
    ASSERT_NE(link, nullptr) << l.position;
    EXPECT_EQ(link->block, l.table->GetCell(l.row, l.cell)) << l.position;
    EXPECT_EQ(link->item1, l.table->GetCell(l.row, 0)) << l.position;
    EXPECT_EQ(link->size, l.size) << l.position;
  }
  // A rebind leaves no link of the first bind behind.
  page.BoxList()->BindPageData(1);
  EXPECT_EQ(static_cast<const ui::AnnexPointerList*>(Option(5))->block, Page().Table(996)->GetCell(0, 10));
}

TEST_F(Ord010, SpouseSchemesOnlyForTheTwoDeclarationsOfAMarriage) {
  for (std::uint8_t kind : {1, 2, 3, 0}) {
    *At(f100::Personal.offset) = kind;
    Show();
    const bool open = kind == 1 || kind == 2;
    EXPECT_EQ(ReadOnly(19), !open) << int(kind);
    EXPECT_EQ(Data(19), open ? At(kJ + 656) : nullptr) << int(kind);
  }
}

TEST_F(Ord010, RowsOpenAsTheirHoldersAreSet) {
  Show();
  // Empty: only the first holder of each area takes input.
  for (int p : {5, 6, 7, 8, 9, 10, 11, 12, 21, 22, 23, 24, 30, 31, 32}) EXPECT_TRUE(ReadOnly(p)) << p;
  for (int p : {4, 20, 29}) EXPECT_FALSE(ReadOnly(p)) << p;
  PensionHolder(0) = 2;
  DisabledHolder(0) = 3;
  *At(kJ + j::kFurtherRows) = 2;
  Show();
  for (int p : {5, 6, 7, 8, 11, 22, 23, 24, 30, 31, 32}) EXPECT_FALSE(ReadOnly(p)) << p;
  for (int p : {9, 10, 12, 13, 21, 25, 26, 33, 35}) EXPECT_TRUE(ReadOnly(p)) << p;
}

TEST_F(Ord010, TwoPensionRowsNeverShareAHolder) {
  PensionHolder(0) = 2;
  Show();
  TypeHolder(11, 2);
  EXPECT_EQ(PensionHolder(1), 0);
  EXPECT_EQ(*static_cast<std::uint8_t*>(Data(11)), 0);
  TypeHolder(11, 3);
  EXPECT_EQ(PensionHolder(1), 3);
  ASSERT_FALSE(host->fieldChecks.empty());
  EXPECT_EQ(host->fieldChecks.back().first, forms::ORD010::kPensionHoldersCheck);
  EXPECT_EQ(host->fieldChecks.back().second, At(f100::SectionA.offset));
}

TEST_F(Ord010, ARefusedRecipientNifIsEmptiedAndTheRowReloaded) {
  *At(kJ + j::kFurtherRows) = 2;
  Show();
  Page().GoToBox(29);
  QApplication::processEvents();
  host->checkResult = 0;
  host->onCheck = [](int, void* value) { std::memset(value, ' ', 9); };
  TypeText(30, "X1234567Z", 9);
  ASSERT_FALSE(host->fieldChecks.empty());
  EXPECT_EQ(host->fieldChecks.back().first, forms::ORD010::kNifCheck);
  EXPECT_EQ(host->fieldChecks.back().second, At(kJ + j::kFurtherRows + 1));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(At(kJ + j::kFurtherRows + 1)), 9).find_first_not_of(" \0", 0, 2),
            std::string::npos);
}

TEST_F(Ord010, ThirdDisabledRecordMakesAContinuationSheet) {
  struct Case {
    int member;
    std::uint8_t holders[4];
    int sheets;
  };
  for (const Case& c : {Case{1, {2, 3, 0, 0}, 0}, Case{1, {2, 3, 2, 0}, 1}, Case{3, {3, 2, 3, 0}, 0},
                        Case{3, {3, 3, 3, 2}, 1}, Case{2, {1, 2, 1, 2}, 0}}) {
    for (int r = 0; r < 4; ++r) DisabledHolder(r) = c.holders[r];
    Show(c.member);
    forms::CPageBoxList& list = *view->BoxList();
    ASSERT_TRUE(list.SelectSheet(1, 1));
    EXPECT_EQ(list.continuationSheets, c.sheets) << c.member;
    EXPECT_EQ(Data(3) != nullptr, c.sheets == 1) << c.member;
    EXPECT_EQ(list.SelectSheet(2, 1), c.sheets == 1) << c.member;
  }
}

TEST_F(Ord010, ContinuationSheetShowsTheThirdAndFourthRecordsUnderItsTitle) {
  for (int r = 0; r < 4; ++r) DisabledHolder(r) = static_cast<std::uint8_t>(2 + r % 2);
  Show();
  forms::CPageBoxList& list = *view->BoxList();
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(*static_cast<char*>(Data(3)), '1');
  ASSERT_TRUE(list.SelectSheet(2, 1));
  EXPECT_EQ(Data(3), nullptr);
  EXPECT_EQ(*static_cast<std::uint8_t*>(Data(20)), 2);  // record 2
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 2);
  for (int p : {4, 18, 19, 28, 30, 40, 57, 58}) EXPECT_EQ(Data(p), nullptr) << p;
  ASSERT_NE(Data(67), nullptr);
  EXPECT_STREQ(static_cast<char*>(Data(67)), "HOJA COMPLEMENTARIA");
  EXPECT_FALSE(list.SelectSheet(3, 1));
  EXPECT_EQ(Data(67), nullptr);
}

TEST_F(Ord010, F4ScrollsTheDisabledRowsOnlyFromTheirBoxes) {
  for (int r = 0; r < 3; ++r) DisabledHolder(r) = 2;
  Show();
  Page().RowButtons().Update();
  QToolButton* next = Page().RowButtons().Button(997, 0);
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(next->isEnabled());
  Page().GoToBox(29);  // position 30: another area
  QApplication::processEvents();
  Page().HandleNavigationKey(Qt::Key_F4, Qt::NoModifier);
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 0);
  Page().GoToBox(21);  // position 22
  QApplication::processEvents();
  ASSERT_NE(Page().Editor(), nullptr);
  ASSERT_EQ(Page().Editor()->GetDlgCtrlID(), 22);
  Page().HandleNavigationKey(Qt::Key_F4, Qt::NoModifier);
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 1);
  Page().HandleNavigationKey(Qt::Key_F4, Qt::NoModifier);
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 2);
  EXPECT_FALSE(next->isEnabled()) << "the window shows an empty row";
  Page().HandleNavigationKey(Qt::Key_F4, Qt::NoModifier);
  EXPECT_EQ(Page().Table(997)->FirstVisible(), 2);
  EXPECT_TRUE(Page().RowButtons().Button(997, 1)->isEnabled());
  SaveImage("ORD010");
}

}  // namespace
}  // namespace formstest

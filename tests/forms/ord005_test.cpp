// Page 5 of form 100: the agricultural activities in objective estimation, two rows of the six at
// a time.
#include <QImage>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e5.h"
#include "forms/pages/activity_openers.h"
#include "forms/pages/ord005.h"
#include "page_fixture.h"
#include "tallyvex.h"
#include "ui/sel_str_edit.h"

namespace formstest {
namespace {

namespace e5 = f100::sec_e5;
using forms::CBoxesORD005;
using forms::CRowTableORD005;

class Ord005 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
    calculator100 = doc::Form100Driver(nullptr);
    qxtest::Publish(household, shown);
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD005");
    forms::SetAgrarianInformationOpener(nullptr);
  }
  forms::ORD005& Page() {
    if (!view) {
      Open(2, 205);
      // The document points the program state at its own household: the test's take over.
      qxtest::Publish(household, shown);
    }
    return dynamic_cast<forms::ORD005&>(*view);
  }
  CBoxesORD005& List() { return *Page().Rows(); }
  std::uint8_t* Record(int i) {
    Page();
    return Block() + f100::SectionE5.offset + static_cast<std::size_t>(i) * e5::kRowSize;
  }
  std::uint8_t* Section() {
    Page();
    return Block() + f100::SectionE5.offset;
  }
  void Activity(int i, std::uint8_t holder, char key, int id = 7) {
    std::uint8_t* r = Record(i);
    r[0] = holder;
    r[1] = static_cast<std::uint8_t>(key);
    e5::Activity.set(r, id);
  }
  void Refresh() { List().ApplyHolderMode(); }
  CBoxField* Box(int row, int box) { return Page().GetBox(CBoxesORD005::PositionOf(row, box) - 1); }
  bool Editable(int row, int box) { return Box(row, box)->SoloLectur == 0; }
  // The link box of product group `kind` (1-13).
  bool GroupOpen(int row, int kind) { return Editable(row, 3 * kind); }
  void SaveImage(const char* name) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + name + ".png"));
    }
  }

  qxtest::HouseholdSlot household{{1, 1, 0, 0, 0}};
  qxtest::ShownSlot shown{1};
};

TEST_F(Ord005, BindsTheRowsThroughItsTableAndTheSumsToTheMembersSlots) {
  forms::ORD005& page = Page();
  EXPECT_EQ(page.GetPageClassName(), "ORD005");
  ASSERT_EQ(page.GetBoxCount(), 129);
  EXPECT_EQ(page.GetBox(0)->data, Block() + f100::Family.offset + 105);
  EXPECT_EQ(page.GetBox(124)->data, Section() + 12336);
  EXPECT_EQ(page.GetBox(125)->data, Section() + 12376);
  for (int p : {4, 127, 128, 129}) EXPECT_EQ(page.GetBox(p - 1)->data, nullptr) << p;
  // The page header: the NIF and the name of the member shown, kept by the document.
  {
    auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
    EXPECT_EQ(page.GetBox(1)->data, renta.HeaderIdentificationData());
    EXPECT_EQ(page.GetBox(2)->data, renta.HeaderIdentificationData() + 9);
  }
  forms::CScrollRowTable* table = List().Rows();
  ASSERT_NE(table, nullptr);
  struct Cell {
    int box;
    std::size_t offset;
  };
  for (int r = 0; r < 2; ++r)
    for (const Cell& c : {Cell{0, 0}, Cell{1, 1}, Cell{2, 8}, Cell{3, 56}, Cell{4, 208}, Cell{5, 216}, Cell{6, 224},
                          Cell{39, 1720}, Cell{40, 1808}, Cell{44, 1840}, Cell{45, 1888}, Cell{46, 1936},
                          Cell{50, 1968}, Cell{51, 2000}, Cell{52, 1984}, Cell{53, 1992}, Cell{59, 2048}})
      EXPECT_EQ(Box(r, c.box)->data, table->GetCell(r, 76) + c.offset) << r << ' ' << c.box;
  Activity(1, 2, '3');
  Refresh();
  EXPECT_EQ(Box(1, CBoxesORD005::kHolderBox)->option, List().Cell(1, 76) + 16) << "the information block";
  EXPECT_EQ(Box(1, CBoxesORD005::kKeyBox)->option, List().Cell(1, 76)) << "the record";
  constexpr std::size_t kGroupFirst[] = {208, 312, 504, 608, 712, 904, 1008, 1200, 1304, 1496, 1600, 1704};
  for (int kind = 1; kind <= 13; ++kind) {
    const auto* link = static_cast<const CBoxesORD005::RowValueLink*>(Box(1, 3 * kind)->option);
    ASSERT_NE(link, nullptr) << kind;
    EXPECT_EQ(link->number, 1);
    EXPECT_EQ(link->kind, kind);
    EXPECT_EQ(link->record, List().Cell(1, 76) + (kind == 1 ? 64 : kGroupFirst[kind - 2] + 24)) << kind;
  }
  EXPECT_EQ(Box(1, CBoxesORD005::kDeductions1Box)->option, List().Cell(1, 76)) << "key 3 itemises its deductions";
  EXPECT_EQ(Box(0, CBoxesORD005::kDeductions1Box)->option, nullptr);
  SaveImage("ORD005");
}

struct KeyCase {
  char key;
  std::vector<int> groups;
  bool deductions1, deductions2;
};

TEST_F(Ord005, TheActivityKeyOpensItsProductGroupsAndDeductions) {
  const KeyCase cases[] = {
      {'1', {1, 3, 4, 6, 7, 8, 9, 10, 12, 13}, true, true},
      {'2', {2, 5, 13}, false, false},
      {'5', {11, 13}, true, true},
      {'9', {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}, false, true},
  };
  for (const KeyCase& c : cases) {
    Activity(0, 2, c.key);
    Refresh();
    for (int kind = 1; kind <= 13; ++kind) {
      const bool open = std::find(c.groups.begin(), c.groups.end(), kind) != c.groups.end();
      EXPECT_EQ(GroupOpen(0, kind), open) << c.key << " group " << kind;
    }
    EXPECT_EQ(Editable(0, CBoxesORD005::kDeductions1Box), c.deductions1) << c.key;
    EXPECT_EQ(Editable(0, CBoxesORD005::kDeductions2Box), c.deductions2) << c.key;
    EXPECT_TRUE(Editable(0, CBoxesORD005::kFirstReductionBox)) << c.key;
    EXPECT_TRUE(Editable(0, CBoxesORD005::kHolderBox)) << c.key;
  }
  // Without a key: no holder, no groups, no reductions; the second row's key waits for the first.
  std::memset(Record(0), 0, e5::kRowSize);
  Refresh();
  for (int box : {int{CBoxesORD005::kHolderBox}, int{CBoxesORD005::kDescriptionBox}, int{CBoxesORD005::kDeductions1Box},
                  int{CBoxesORD005::kDeductions2Box}, int{CBoxesORD005::kFirstReductionBox},
                  int{CBoxesORD005::kSecondReductionBox}})
    EXPECT_FALSE(Editable(0, box)) << box;
  EXPECT_TRUE(Editable(0, CBoxesORD005::kKeyBox));
  EXPECT_FALSE(Editable(1, CBoxesORD005::kKeyBox));
  for (int kind = 1; kind <= 13; ++kind) EXPECT_FALSE(GroupOpen(0, kind)) << kind;
  Activity(0, 2, '1');
  Refresh();
  EXPECT_TRUE(Editable(1, CBoxesORD005::kKeyBox));
}

struct WarnCase {
  int box;
  double reducedNet, reduction;
  bool warns;
};

TEST_F(Ord005, ASecondReductionAboveFortyPercentOfTheReducedNetIsQuestioned) {
  forms::ORD005& page = Page();
  const WarnCase cases[] = {{CBoxesORD005::kSecondReductionBox, 1000.0, 400.5, false},
                            {CBoxesORD005::kSecondReductionBox, 1000.0, 400.51, true},
                            {CBoxesORD005::kReducedNetBox, 0.0, 10.0, false},
                            {CBoxesORD005::kSecondReductionBox, 0.0, 10.0, true}};
  for (const WarnCase& c : cases) {
    Activity(0, 2, '1');
    Refresh();
    host->coded.codes.clear();
    blocks::F64{0}.set(List().Cell(0, 73), c.reducedNet);
    blocks::F64{0}.set(List().Cell(0, 74), c.reduction);
    EXPECT_EQ(page.OnBoxEdited(CBoxesORD005::PositionOf(0, c.box)), 1);
    EXPECT_EQ(!host->coded.codes.empty() && host->coded.codes.back() == "100P029", c.warns) << c.reduction;
  }
  host->coded.answer = 8;
  blocks::F64{0}.set(List().Cell(0, 73), 1000.0);
  blocks::F64{0}.set(List().Cell(0, 74), 900.0);
  EXPECT_EQ(page.OnBoxEdited(CBoxesORD005::PositionOf(0, CBoxesORD005::kSecondReductionBox)), 0);
}

TEST_F(Ord005, ThreeToSixActivitiesTakeOneOrTwoContinuationSheets) {
  forms::ORD005& page = Page();
  CBoxesORD005& list = List();
  for (int i = 0; i < 3; ++i) Activity(i, 2, '1', 10 + i);
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 1);
  ASSERT_NE(page.GetBox(3)->data, nullptr);
  EXPECT_EQ(*static_cast<char*>(page.GetBox(3)->data), '1');
  for (int i = 3; i < 5; ++i) Activity(i, 2, '1', 10 + i);
  ASSERT_TRUE(list.SelectSheet(1, 0));
  EXPECT_EQ(list.continuationSheets, 2);
  EXPECT_EQ(*static_cast<char*>(page.GetBox(3)->data), '2');
  ASSERT_TRUE(list.SelectSheet(2, 0));
  EXPECT_EQ(e5::Activity.get(static_cast<std::uint8_t*>(Box(0, 0)->data)), 12);
  EXPECT_STREQ(static_cast<char*>(page.GetBox(126)->data), "HOJA COMPLEMENTARIA");
  EXPECT_EQ(page.GetBox(124)->data, nullptr) << "the sums are on the first sheet";
  ASSERT_TRUE(list.SelectSheet(3, 0));
  EXPECT_EQ(e5::Activity.get(static_cast<std::uint8_t*>(Box(0, 0)->data)), 14);
  EXPECT_FALSE(list.SelectSheet(4, 0));
  // Only the shown member's activities count.
  household = {1, 1, 1, 0, 0};
  shown = 3;
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 0);
}

TEST_F(Ord005, AClearedKeyRemovesTheActivityAndTheEmptyRecordsKeepUnansweredQuestions) {
  forms::ORD005& page = Page();
  Activity(0, 2, '1', 10);
  Activity(1, 2, '2', 11);
  Refresh();
  std::memset(List().Cell(0, 0), 0, 3);
  EXPECT_EQ(page.OnBoxValueCleared(CBoxesORD005::PositionOf(0, CBoxesORD005::kKeyBox)), 1);
  EXPECT_EQ(e5::Activity.get(Record(0)), 11);
  EXPECT_EQ(Record(1)[0], 0);
  for (int i : {1, 5})
    for (std::size_t o : {16u, 17u, 32u, 33u, 34u}) EXPECT_EQ(Record(i)[o], 0xFF) << i << ' ' << o;
}

TEST_F(Ord005, AnotherHolderForAStoredActivityClearsItsDataAfterTheQuestion) {
  forms::ORD005& page = Page();
  Activity(0, 2, '1');
  e5::productField(0, 1, 1, e5::product::Income).set(Section(), 500.0);
  e5::StaffCost.set(Record(0), 80.0);
  Refresh();
  // Declined: the row keeps its holder and data.
  host->coded.answer = 2;
  *List().Cell(0, 2) = 3;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD005::PositionOf(0, CBoxesORD005::kHolderBox)), 1);
  EXPECT_EQ(host->coded.codes.front(), "100P001");
  EXPECT_EQ(Record(0)[0], 2);
  EXPECT_DOUBLE_EQ(e5::productField(0, 1, 1, e5::product::Income).get(Section()), 500.0);
  host->coded.answer = 1;
  *List().Cell(0, 2) = 3;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD005::PositionOf(0, CBoxesORD005::kHolderBox)), 1);
  EXPECT_EQ(Record(0)[0], 3);
  EXPECT_EQ(Record(0)[1], '1') << "the key stays";
  EXPECT_DOUBLE_EQ(e5::productField(0, 1, 1, e5::product::Income).get(Section()), 0.0);
  EXPECT_DOUBLE_EQ(e5::StaffCost.get(Record(0)), 0.0);
  EXPECT_EQ(Record(0)[16], 0xFF);
}

TEST_F(Ord005, TheInformationButtonOpensTheRowsDialogAndRecalculates) {
  forms::ORD005& page = Page();
  Activity(0, 2, '1');
  Activity(1, 2, '3');
  Refresh();
  std::vector<int> opened;
  forms::SetAgrarianInformationOpener([&](std::uint8_t* block, int record) {
    opened.push_back(record);
    std::uint8_t* r = block + f100::SectionE5.offset + static_cast<std::size_t>(record) * e5::kRowSize;
    e5::Withholdings.set(r, 12.5);
    return 1;
  });
  document->Model().MarkSaved();
  ASSERT_NE(page.InfoButton(1).Button(), nullptr);
  page.InfoButton(1).Button()->click();
  ASSERT_EQ(opened, std::vector<int>{1});
  EXPECT_DOUBLE_EQ(e5::Withholdings.get(Record(1)), 12.5);
  EXPECT_DOUBLE_EQ(blocks::F64{0}.get(List().Cell(1, 76) + 40), 12.5) << "the row shows the stored record";
  EXPECT_TRUE(document->IsModified());
  // A single member of a household with others is told the view is for display only.
  household = {1, 1, 1, 0, 0};
  shown = 2;
  page.InfoButton(0).Button()->click();
  EXPECT_EQ(host->coded.codes.back(), "100R025");
}

TEST_F(Ord005, TwoActivitiesGiveTheSectionTotalsOfTheCalculation) {
  forms::ORD005& page = Page();
  // A key typed opens the activity selection, which writes the chosen activity into the row.
  char chosen = '1';
  std::vector<std::string> opened;
  ui::RegisterSelectionOpener("IDD_SELCLAVE", [&](CSelStrEdit& edit) {
    opened.push_back(edit.DialogName());
    auto* row = static_cast<std::uint8_t*>(edit.Box()->option);
    row[1] = static_cast<std::uint8_t>(chosen);
    e5::Activity.set(row, 7);
    return 1;
  });
  // Typed: the key of each row, then its holder; the products as their groups store them.
  page.GoToBox(CBoxesORD005::PositionOf(0, CBoxesORD005::kKeyBox) - 1);
  QApplication::processEvents();
  TypeAndLeave(QStringLiteral("1"), Qt::Key_Tab);
  EXPECT_EQ(opened, std::vector<std::string>{"IDD_SELCLAVE"});
  ASSERT_EQ(Record(0)[1], '1');
  *List().Cell(0, 2) = 2;
  page.OnBoxValueChanged(CBoxesORD005::PositionOf(0, CBoxesORD005::kHolderBox));
  chosen = '3';
  page.GoToBox(CBoxesORD005::PositionOf(1, CBoxesORD005::kKeyBox) - 1);
  QApplication::processEvents();
  TypeAndLeave(QStringLiteral("3"), Qt::Key_Tab);
  ui::RegisterSelectionOpener("IDD_SELCLAVE", {});
  ASSERT_EQ(Record(1)[1], '3');
  *List().Cell(1, 2) = 2;
  page.OnBoxValueChanged(CBoxesORD005::PositionOf(1, CBoxesORD005::kHolderBox));
  ASSERT_EQ(Record(0)[0], 2);
  ASSERT_EQ(Record(1)[0], 2);
  for (int row : {0, 1}) {
    e5::productField(row, 1, 1, e5::product::Income).set(Section(), 10000.0 * (row + 1));
    e5::productField(row, 1, 1, e5::product::Net).set(Section(), 2600.0 * (row + 1));
    e5::productField(row, 4, 2, e5::product::Income).set(Section(), 3000.0);
    e5::productField(row, 4, 2, e5::product::Net).set(Section(), 1260.0);
  }
  EXPECT_EQ(page.OnBoxEdited(CBoxesORD005::PositionOf(0, 3)), 1);

  std::vector<std::uint8_t> copy(Section(), Section() + f100::SectionE5.size);
  Calculos100E5(copy.data());
  for (int m = 0; m < 5; ++m) {
    EXPECT_DOUBLE_EQ(blocks::F64{12336 + 8 * static_cast<std::size_t>(m)}.get(Section()),
                     blocks::F64{12336 + 8 * static_cast<std::size_t>(m)}.get(copy.data()))
        << m;
    EXPECT_DOUBLE_EQ(blocks::F64{12376 + 8 * static_cast<std::size_t>(m)}.get(Section()),
                     blocks::F64{12376 + 8 * static_cast<std::size_t>(m)}.get(copy.data()))
        << m;
  }
  EXPECT_DOUBLE_EQ(blocks::F64{12336 + 8}.get(Section()), 36000.0) << "the declarant's incomes";
  EXPECT_GT(blocks::F64{12376 + 8}.get(Section()), 0.0);
}

}  // namespace
}  // namespace formstest

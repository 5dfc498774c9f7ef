// Page 3 of form 100: the activities in direct estimation, three rows of the six at a time.
#include <QImage>
#include <QToolButton>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e1.h"
#include "forms/pages/ord003.h"
#include "page_fixture.h"
#include "ui/launch_table.h"

namespace formstest {
namespace {

namespace e1 = f100::sec_e1;
using forms::CBoxesORD003;

class Ord003 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
    calculator100 = doc::Form100Driver(nullptr);
    qxtest::Publish(household, shown);
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD003");
  }
  forms::ORD003& Page() {
    if (!view) {
      Open(2, 203);
      // The document points the program state at its own household: the test's take over.
      qxtest::Publish(household, shown);
    }
    return dynamic_cast<forms::ORD003&>(*view);
  }
  CBoxesORD003& List() { return *Page().Rows(); }
  std::uint8_t* Record(int i) {
    Page();
    return Block() + f100::SectionE1.offset + static_cast<std::size_t>(i) * e1::kRowSize;
  }
  // An activity of `holder` of kind '2' in the normal modality with its operating income.
  void Activity(int i, std::uint8_t holder, double income, char kind = '2') {
    std::uint8_t* r = Record(i);
    r[0] = holder;
    r[1] = static_cast<std::uint8_t>(kind);
    r[e1::NormalModality.off] = 1;
    e1::Income1Entered.set(r, income);
  }
  // The document's records shown again, as after a change of member.
  void Refresh() { List().ApplyHolderMode(); }
  CBoxField* Box(int row, int cell) { return Page().GetBox(CBoxesORD003::PositionOf(row, cell) - 1); }
  bool Editable(int row, int cell) { return Box(row, cell)->SoloLectur == 0; }
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

TEST_F(Ord003, BindsTheRowsThroughItsTableAndTheTotalsToTheirFields) {
  forms::ORD003& page = Page();
  EXPECT_EQ(page.GetPageClassName(), "ORD003");
  ASSERT_EQ(page.GetBoxCount(), 110);
  EXPECT_EQ(page.GetBox(105)->data, Block() + f100::SectionE1.offset + 1728);
  EXPECT_EQ(page.GetBox(109)->data, Block() + f100::Family.offset + 105);
  for (int p : {3, 107, 108, 109}) EXPECT_EQ(page.GetBox(p - 1)->data, nullptr) << p;
  // The page header: the NIF and the name of the member shown, kept by the document.
  {
    auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
    EXPECT_EQ(page.GetBox(0)->data, renta.HeaderIdentificationData());
    EXPECT_EQ(page.GetBox(1)->data, renta.HeaderIdentificationData() + 9);
  }
  forms::CScrollRowTable* table = List().Rows();
  ASSERT_NE(table, nullptr);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 34; ++c) EXPECT_EQ(Box(r, c)->data, table->GetCell(r, c)) << r << ' ' << c;
  // A value of the document reaches its row box through the table's working copy.
  Activity(1, 2, 1500.0);
  Refresh();
  EXPECT_EQ(*static_cast<std::uint8_t*>(Box(1, 0)->data), 2);
  EXPECT_EQ(*static_cast<char*>(Box(1, CBoxesORD003::kKind)->data), '2');
  SaveImage("ORD003");
}

TEST_F(Ord003, HeadingAndIncomeBoxesOpenTheirDialogsOnTheRow) {
  Activity(0, 2, 100.0);
  Activity(1, 3, 200.0, '1');
  Refresh();
  for (int r = 0; r < 2; ++r) {
    CBoxField* heading = Box(r, CBoxesORD003::kHeading);
    EXPECT_EQ(heading->NombreVent, "IDD_EPIGRAFE");
    EXPECT_EQ(heading->decimals, -1) << "a code chosen in a list";
    auto* link = static_cast<ui::LookupLink*>(heading->option);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->target, List().Cell(r, CBoxesORD003::kHeading));
    EXPECT_EQ(link->targetWidth, 5u);
    EXPECT_EQ(link->filterSource, List().Cell(r, CBoxesORD003::kKind));
    for (int c = CBoxesORD003::kIncome1; c <= CBoxesORD003::kIncome3; ++c) {
      CBoxField* income = Box(r, c);
      EXPECT_EQ(income->NombreVent, "IDD_AAEE_ED");
      auto* list = static_cast<ui::AnnexPointerList*>(income->option);
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->block, List().Cell(r, 0) + 24) << "the row's income block";
      EXPECT_EQ(list->value, r) << "the record the row shows";
    }
  }
  const ui::LaunchEntry* entry = ui::FindLaunchEntry(ui::FindDialogId("IDD_AAEE_ED"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->list, ui::LaunchList::RowIndex);
}

struct RuleCase {
  const char* what;
  std::uint8_t owner0, owner1;
  char kind1;
  std::uint8_t normal1, simplified1;
  bool owner1Open, kind1Open, amounts1Open, mark1Open, provisions1Open;
};

TEST_F(Ord003, ARowOpensStepByStepFromItsHolderToItsAmounts) {
  const RuleCase cases[] = {
      {"empty rows", 0, 0, 0, 0, 0, false, false, false, false, false},
      {"holder only", 2, 2, 0, 0, 0, true, true, false, false, false},
      {"kind without modality", 2, 2, '2', 0, 0, true, true, false, false, false},
      {"normal modality", 2, 2, '2', 1, 0, true, true, true, true, true},
      {"business kind, normal", 2, 2, '1', 1, 0, true, true, true, false, true},
      {"simplified modality", 2, 2, '1', 0, 1, true, true, true, true, false},
      {"previous row empty", 0, 2, '2', 1, 0, false, true, true, true, true},
  };
  for (const RuleCase& c : cases) {
    std::memset(Record(0), 0, 2 * e1::kRowSize);
    Record(0)[0] = c.owner0;
    std::uint8_t* r = Record(1);
    r[0] = c.owner1;
    r[1] = static_cast<std::uint8_t>(c.kind1);
    r[2] = c.normal1;
    r[3] = c.simplified1;
    Refresh();
    EXPECT_EQ(Editable(1, 0), c.owner1Open) << c.what;
    EXPECT_EQ(Editable(1, CBoxesORD003::kKind), c.kind1Open) << c.what;
    EXPECT_EQ(Editable(1, CBoxesORD003::kHeading), c.amounts1Open) << c.what;
    EXPECT_EQ(Editable(1, 10), c.amounts1Open) << c.what;
    EXPECT_EQ(Editable(1, CBoxesORD003::kReduction), c.amounts1Open) << c.what;
    EXPECT_EQ(Editable(1, CBoxesORD003::kMark), c.mark1Open) << c.what;
    EXPECT_EQ(Editable(1, CBoxesORD003::kNormalProvisions), c.provisions1Open) << c.what;
    for (int cell : {9, 25, 27, 28, 29, 30, 31, 33}) EXPECT_FALSE(Editable(1, cell)) << c.what << ' ' << cell;
    EXPECT_TRUE(Editable(0, 0)) << "the first row always takes a holder";
  }
}

TEST_F(Ord003, TheTwoModalitiesExcludeEachOtherAndAChangedKindClearsTheHeading) {
  forms::ORD003& page = Page();
  Activity(0, 2, 1000.0);
  e1::NormalProvisions.set(Record(0), 40.0);
  std::memcpy(Record(0) + 4, "861.1", 5);
  Refresh();
  // The simplified modality marked: the normal one and its provisions go.
  *List().Cell(0, CBoxesORD003::kSimplified) = 1;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD003::PositionOf(0, CBoxesORD003::kSimplified)), 1);
  EXPECT_EQ(Record(0)[e1::SimplifiedModality.off], 1);
  EXPECT_EQ(Record(0)[e1::NormalModality.off], 0);
  EXPECT_DOUBLE_EQ(e1::NormalProvisions.get(Record(0)), 0.0);
  EXPECT_DOUBLE_EQ(e1::SimplifiedAllowance.get(Record(0)), 50.0) << "recalculated";
  // Unmarked again: the normal modality takes its place.
  *List().Cell(0, CBoxesORD003::kSimplified) = 0;
  EXPECT_EQ(page.OnBoxValueCleared(CBoxesORD003::PositionOf(0, CBoxesORD003::kSimplified)), 1);
  EXPECT_EQ(Record(0)[e1::NormalModality.off], 1);
  EXPECT_EQ(*List().Cell(0, CBoxesORD003::kNormal), 1) << "the row shows the stored record";
  // Another kind: the heading belonged to the old one.
  *List().Cell(0, CBoxesORD003::kKind) = '4';
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD003::PositionOf(0, CBoxesORD003::kKind)), 1);
  EXPECT_EQ(Record(0)[1], '4');
  EXPECT_EQ(std::string(reinterpret_cast<char*>(Record(0) + 4), 5), std::string(5, '\0'));
  EXPECT_TRUE(document->IsModified());
}

struct ReductionCase {
  double reduction;
  const char* message;  // "" none
};

TEST_F(Ord003, AReductionAboveFortyPercentOrOfTheOtherSignIsQuestioned) {
  forms::ORD003& page = Page();
  const ReductionCase cases[] = {{800.5, ""}, {800.51, "100P025"}, {-10.0, "100P026"}, {300.0, ""}};
  for (const ReductionCase& c : cases) {
    Activity(0, 2, 2000.0);
    e1::Reduction.set(Record(0), 0.0);
    Refresh();
    host->coded.codes.clear();
    blocks::F64{0}.set(List().Cell(0, CBoxesORD003::kReduction), c.reduction);
    EXPECT_EQ(page.OnBoxEdited(CBoxesORD003::PositionOf(0, CBoxesORD003::kReduction)), 1) << c.reduction;
    EXPECT_DOUBLE_EQ(e1::Reduction.get(Record(0)), c.reduction) << "stored";
    EXPECT_DOUBLE_EQ(e1::NetAfterReduction.get(Record(0)), 2000.0 - c.reduction) << "recalculated";
    if (*c.message) {
      ASSERT_EQ(host->coded.codes.size(), 1u) << c.reduction;
      EXPECT_EQ(host->coded.codes[0], c.message);
    } else {
      EXPECT_TRUE(host->coded.codes.empty()) << c.reduction;
    }
  }
  host->coded.answer = 8;  // "Corregir": the editor stays on the box
  blocks::F64{0}.set(List().Cell(0, CBoxesORD003::kReduction), 1000.0);
  EXPECT_EQ(page.OnBoxEdited(CBoxesORD003::PositionOf(0, CBoxesORD003::kReduction)), 0);
}

TEST_F(Ord003, AFourthActivityOfTheShownMemberGoesOnAContinuationSheet) {
  forms::ORD003& page = Page();
  for (int i = 0; i < 4; ++i) Activity(i, 2, 100.0 * (i + 1));
  CBoxesORD003& list = List();
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 1);
  ASSERT_NE(page.GetBox(2)->data, nullptr);
  EXPECT_EQ(*static_cast<char*>(page.GetBox(2)->data), '1');
  EXPECT_EQ(page.GetBox(106)->data, nullptr);
  ASSERT_TRUE(list.SelectSheet(2, 1));
  EXPECT_EQ(page.GetBox(2)->data, nullptr);
  EXPECT_EQ(page.GetBox(105)->data, nullptr) << "the totals are on the first sheet";
  ASSERT_NE(page.GetBox(106)->data, nullptr);
  EXPECT_STREQ(static_cast<char*>(page.GetBox(106)->data), "HOJA COMPLEMENTARIA");
  EXPECT_DOUBLE_EQ(e1::Income1Entered.get(static_cast<std::uint8_t*>(Box(0, 0)->data)), 400.0)
      << "the fourth record heads the sheet";
  EXPECT_TRUE(list.SelectSheet(2, 1)) << "the same sheet again";
  EXPECT_FALSE(list.SelectSheet(3, 1));

  // The spouse's view: four records of the spouse among six.
  household = {1, 1, 1, 0, 0};
  shown = 3;
  for (int i = 0; i < 6; ++i) Activity(i, i < 2 ? 2 : 3, 10.0);
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 1);
  // The family unit with the fourth record empty: one sheet.
  shown = 1;
  std::memset(Record(3), 0, 3 * e1::kRowSize);
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 0);
  EXPECT_EQ(page.GetBox(2)->data, nullptr);
  EXPECT_FALSE(list.SelectSheet(2, 1));
}

TEST_F(Ord003, AnOwnerClearedOnARowWithoutKindRemovesTheRecordAndPacksTheRest) {
  forms::ORD003& page = Page();
  for (int i = 0; i < 3; ++i) Activity(i, 2, 100.0 * (i + 1));
  Record(0)[1] = ' ';
  Refresh();
  *List().Cell(0, 0) = 0;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD003::PositionOf(0, 0)), 1);
  EXPECT_DOUBLE_EQ(e1::Income1Entered.get(Record(0)), 200.0);
  EXPECT_DOUBLE_EQ(e1::Income1Entered.get(Record(1)), 300.0);
  EXPECT_EQ(Record(2)[0], 0);
  // With its kind the row keeps its data while its holder changes.
  *List().Cell(1, 0) = 3;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD003::PositionOf(1, 0)), 1);
  EXPECT_EQ(Record(1)[0], 3);
  EXPECT_DOUBLE_EQ(e1::Income1Entered.get(Record(1)), 300.0);
  // Deleting a holder is asked first.
  host->coded.answer = 2;
  EXPECT_EQ(page.OnBoxValueCleared(CBoxesORD003::PositionOf(1, 0)), 0);
  EXPECT_EQ(host->coded.codes.back(), "100P001");
}

TEST_F(Ord003, FractionalPaymentsFromTheIncomeDialogReachEveryActivityOfTheHolder) {
  forms::ORD003& page = Page();
  Activity(0, 2, 100.0);
  Activity(1, 3, 100.0);
  Activity(2, 2, 100.0);
  for (int i : {1, 2}) e1::InstalmentPayments.set(Record(i), 50.0);
  Refresh();
  // What the dialog leaves in the row's block after OK.
  auto* list = static_cast<ui::AnnexPointerList*>(Box(0, CBoxesORD003::kIncome1)->option);
  ASSERT_NE(list, nullptr);
  blocks::F64{40}.set(static_cast<std::uint8_t*>(list->block), 70.0);
  blocks::F64{0}.set(static_cast<std::uint8_t*>(list->block), 900.0);
  EXPECT_EQ(page.OnBoxSubDialogValue(CBoxesORD003::PositionOf(0, CBoxesORD003::kIncome1)), 1);
  EXPECT_DOUBLE_EQ(e1::InstalmentPayments.get(Record(0)), 70.0);
  EXPECT_DOUBLE_EQ(e1::InstalmentPayments.get(Record(2)), 70.0);
  EXPECT_DOUBLE_EQ(e1::InstalmentPayments.get(Record(1)), 50.0) << "another holder";
  EXPECT_DOUBLE_EQ(e1::TotalIncome.get(Record(0)), 900.0) << "recalculated";
  EXPECT_DOUBLE_EQ(blocks::F64{0}.get(List().Cell(0, 6)), 900.0) << "the row reloaded";
}

TEST_F(Ord003, TheRowButtonsMoveOverFilledRowsAndF3GoesBack) {
  forms::ORD003& page = Page();
  const forms::CRowButtons& buttons = page.RowButtons();
  ASSERT_NE(buttons.Next(), nullptr);
  page.RecalculateAndRefresh();
  EXPECT_FALSE(buttons.Next()->isEnabled()) << "empty rows";
  EXPECT_FALSE(buttons.Previous()->isEnabled());
  for (int i = 0; i < 4; ++i) Activity(i, 2, 100.0 * (i + 1));
  page.RecalculateAndRefresh();
  ASSERT_TRUE(buttons.Next()->isEnabled());
  buttons.Next()->click();
  EXPECT_EQ(List().Rows()->FirstVisible(), 1);
  EXPECT_TRUE(buttons.Previous()->isEnabled());
  EXPECT_DOUBLE_EQ(blocks::F64{0}.get(List().Cell(2, 6)), 400.0);
  page.GoToBox(CBoxesORD003::PositionOf(0, 10) - 1);
  QApplication::processEvents();
  ASSERT_NE(page.Editor(), nullptr);
  QTest::keyClick(page.Editor(), Qt::Key_F3);
  QApplication::processEvents();
  EXPECT_EQ(List().Rows()->FirstVisible(), 0);
}

}  // namespace
}  // namespace formstest

// Page 4 of form 100: the business activities in objective estimation, two rows of the six at a
// time.
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
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "forms/pages/ord004.h"
#include "page_fixture.h"
#include "tallyvex.h"
#include "ui/annex_dlg.h"
#include "support/ui_helpers.h"
#include "ui/dialog_template.h"
#include "ui/template_dlg.h"

namespace formstest {
namespace {

namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;
using forms::CBoxesORD004;
using forms::CRowTableORD004;

class Ord004 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
    calculator100 = doc::Form100Driver(nullptr);
  }
  void TearDown() override {
    PageTest::TearDown();
  }
  forms::ORD004& Page() {
    if (!view) {
      Open(2, 204);
      // The document points the program state at its own household: the test's take over.
      qxtest::Publish(household, shown);
    }
    return dynamic_cast<forms::ORD004&>(*view);
  }
  CBoxesORD004& List() { return *Page().Rows(); }
  std::uint8_t* Section() {
    Page();
    return Block() + f100::SectionE4.offset;
  }
  std::uint8_t* Record(int i) { return Section() + static_cast<std::size_t>(i) * e4::kRowSize; }
  // A stored activity: holder, epigraph, identifier and module `units` (kind 3, 100 a unit).
  static void Describe(std::uint8_t* rec, std::uint8_t holder, const char* epigraph, int id) {
    rec[0] = holder;
    e4::Epigraph.set(rec, epigraph);
    e4::Activity.set(rec, id);
    std::uint8_t* m = rec + e4::kModules;
    m[0] = 3;
    mod::ShortName.set(m, "Personal no asalariado");
    mod::Description15.set(m, "Personas");
    mod::AmountPerUnit.set(m, 100.0);
  }
  void Activity(int i, std::uint8_t holder, const char* epigraph, int id) { Describe(Record(i), holder, epigraph, id); }
  void Refresh() { List().ApplyHolderMode(); }
  CBoxField* Box(int row, int box) { return Page().GetBox(CBoxesORD004::PositionOf(row, box) - 1); }
  bool Editable(int row, int box) { return Box(row, box)->SoloLectur == 0; }
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

TEST_F(Ord004, BindsEachPositionToItsCellAndTheSumToTheMembersSlot) {
  forms::ORD004& page = Page();
  EXPECT_EQ(page.GetPageClassName(), "ORD004");
  ASSERT_EQ(page.GetBoxCount(), 86);
  EXPECT_EQ(page.GetBox(81)->data, Section() + 8496);
  EXPECT_EQ(page.GetBox(85)->data, Block() + f100::Family.offset + 105);
  for (int p : {3, 83}) EXPECT_EQ(page.GetBox(p - 1)->data, nullptr) << p;
  forms::CScrollRowTable* table = List().Rows();
  ASSERT_NE(table, nullptr);
  struct Cell {
    int box;
    std::size_t offset;
  };
  // Module b at 96 + 168 b: text +1, units +40, yield +160.
  const Cell cells[] = {{0, 1},     {1, 12},    {2, 0},     {3, 97},    {4, 136},   {5, 256},   {6, 265},
                        {7, 304},   {8, 424},   {18, 937},  {19, 976},  {20, 1096}, {21, 1105}, {22, 1144},
                        {23, 1264}, {24, 1272}, {26, 1288}, {32, 1336}, {33, 1352}, {34, 1376}, {35, 1384},
                        {36, 1392}, {37, 1400}, {38, 1408}};
  for (int r = 0; r < 2; ++r)
    for (const Cell& c : cells)
      EXPECT_EQ(Box(r, c.box)->data, table->GetCell(r, 70) + c.offset) << r << ' ' << c.box;
  Activity(1, 2, "642.4", 40);
  Refresh();
  EXPECT_EQ(Box(1, CBoxesORD004::kCodeBox)->option, List().Cell(1, 70)) << "the record, for the selection";
  for (int k = 0; k < CBoxesORD004::kBlocks; ++k) {
    const auto* link = static_cast<const CBoxesORD004::ModuleLink*>(Box(1, CBoxesORD004::UnitsBox(k))->option);
    ASSERT_NE(link, nullptr) << k;
    EXPECT_EQ(link->block, List().Cell(1, 70) + 96 + 168 * static_cast<std::size_t>(k));
    EXPECT_EQ(link->number, 1);
  }
  SaveImage("ORD004");
}

struct RuleCase {
  const char* code;
  std::uint8_t holder;
  bool described;  // the module has its 15-character text
  bool holderOpen, unitsOpen, reductionsOpen;
};

TEST_F(Ord004, TheActivityAndItsHolderOpenTheUnitsAndReductions) {
  const RuleCase cases[] = {
      {"642.4", 2, true, true, true, true},   {"642.4", 2, false, true, false, true},
      {"642.4", 0, true, true, false, false}, {"---", 0, false, true, false, false},
      {"---", 3, true, true, true, true},     {"", 0, true, false, false, false},
      {"6", 2, true, false, false, false},
  };
  for (const RuleCase& c : cases) {
    std::memset(Record(0), 0, e4::kRowSize);
    Activity(0, c.holder, c.code, 40);
    if (!c.described) mod::Description15.set(Record(0) + e4::kModules, "");
    Refresh();
    const std::string what = std::string(c.code) + " holder " + std::to_string(c.holder);
    EXPECT_EQ(Editable(0, CBoxesORD004::kHolderBox), c.holderOpen) << what;
    EXPECT_EQ(Editable(0, CBoxesORD004::UnitsBox(0)), c.unitsOpen) << what;
    EXPECT_FALSE(Editable(0, CBoxesORD004::UnitsBox(1))) << what << ": a module without text";
    for (int box : {CBoxesORD004::kFurtherReductionBox, CBoxesORD004::kExtraordinaryBox,
                    CBoxesORD004::kOtherReceiptsBox, CBoxesORD004::kIrregularReductionBox})
      EXPECT_EQ(Editable(0, box), c.reductionsOpen) << what << ' ' << box;
    for (int box : {int{CBoxesORD004::kLabelBox}, 3, 5, int{CBoxesORD004::kNetBeforeBox}, int{CBoxesORD004::kReducedNetBox}})
      EXPECT_FALSE(Editable(0, box)) << what << ' ' << box;
    EXPECT_TRUE(Editable(0, CBoxesORD004::kCodeBox));
  }
  // The second row's activity waits for a first row with holder and activity.
  std::memset(Record(0), 0, e4::kRowSize);
  Refresh();
  EXPECT_FALSE(Editable(1, CBoxesORD004::kCodeBox));
  Activity(0, 2, "642.4", 40);
  Refresh();
  EXPECT_TRUE(Editable(1, CBoxesORD004::kCodeBox));
}

struct WarnCase {
  double receipts, reduction;
  bool warns;
};

TEST_F(Ord004, AnIrregularReductionAboveFortyPercentIsQuestioned) {
  forms::ORD004& page = Page();
  const WarnCase cases[] = {{1000.0, 400.5, false}, {1000.0, 400.51, true}, {0.0, 0.0, false}, {0.0, 10.0, true}};
  const int position = CBoxesORD004::PositionOf(0, CBoxesORD004::kIrregularReductionBox);
  for (const WarnCase& c : cases) {
    Activity(0, 2, "642.4", 40);
    e4::Added.set(Record(0), c.receipts);
    Refresh();
    host->coded.codes.clear();
    e4::LastReduction.set(List().Cell(0, 70), c.reduction);
    EXPECT_EQ(page.OnBoxEdited(position), 1);
    EXPECT_EQ(!host->coded.codes.empty() && host->coded.codes.back() == "100P029", c.warns) << c.reduction;
    EXPECT_DOUBLE_EQ(e4::LastReduction.get(Record(0)), c.reduction) << "stored";
  }
  host->coded.answer = 8;
  e4::LastReduction.set(List().Cell(0, 70), 900.0);
  EXPECT_EQ(page.OnBoxEdited(position), 0) << "corrected: the editor stays";
}

TEST_F(Ord004, ThreeToSixActivitiesTakeContinuationSheetsThatShowTheLaterRows) {
  forms::ORD004& page = Page();
  CBoxesORD004& list = List();
  for (int i = 0; i < 3; ++i) Activity(i, 2, "642.4", 40 + i);
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 1);
  ASSERT_NE(page.GetBox(2)->data, nullptr);
  EXPECT_EQ(*static_cast<char*>(page.GetBox(2)->data), '1');
  for (int i = 3; i < 5; ++i) Activity(i, 2, "642.4", 40 + i);
  ASSERT_TRUE(list.SelectSheet(1, 0));
  EXPECT_EQ(list.continuationSheets, 2);
  EXPECT_EQ(*static_cast<char*>(page.GetBox(2)->data), '2');
  ASSERT_TRUE(list.SelectSheet(2, 0));
  auto shownActivity = [&](int row) { return e4::Activity.get(static_cast<std::uint8_t*>(Box(row, 2)->data)); };
  EXPECT_EQ(shownActivity(0), 42);
  EXPECT_EQ(shownActivity(1), 43);
  EXPECT_STREQ(static_cast<char*>(page.GetBox(82)->data), "HOJA COMPLEMENTARIA");
  EXPECT_EQ(page.GetBox(81)->data, nullptr) << "the sum is on the first sheet";
  ASSERT_TRUE(list.SelectSheet(3, 0));
  EXPECT_EQ(shownActivity(0), 44);
  EXPECT_FALSE(list.SelectSheet(4, 0));
  // Only the shown member's activities count.
  household = {1, 1, 1, 0, 0};
  shown = 3;
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 0);
  EXPECT_EQ(page.GetBox(2)->data, nullptr);
}

TEST_F(Ord004, TheRowsScrollWithTheButtonsAndKeepTheTypedUnits) {
  forms::ORD004& page = Page();
  for (int i = 0; i < 3; ++i) Activity(i, 2, "642.4", 40 + i);
  Refresh();
  page.RowButtons().Update();
  QToolButton* next = page.RowButtons().Button(CBoxesORD004::kTableId, 0);
  QToolButton* previous = page.RowButtons().Button(CBoxesORD004::kTableId, 1);
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(next->isEnabled());
  EXPECT_FALSE(previous->isEnabled());
  next->click();
  EXPECT_EQ(List().Rows()->FirstVisible(), 1);
  // Typed into the third activity, now the second visible row.
  page.GoToBox(CBoxesORD004::PositionOf(1, CBoxesORD004::UnitsBox(0)) - 1);
  QApplication::processEvents();
  TypeAndLeave(QStringLiteral("2"), Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(mod::Units.get(Record(2) + e4::kModules), 2.0);
  EXPECT_DOUBLE_EQ(mod::Yield.get(Record(2) + e4::kModules), 200.0) << "the section recalculated";
  EXPECT_TRUE(previous->isEnabled());
  previous->click();
  EXPECT_EQ(List().Rows()->FirstVisible(), 0);
}

TEST_F(Ord004, ASecondRecordOfTheSameActivityForTheSameHolderIsRefused) {
  forms::ORD004& page = Page();
  Activity(0, 2, "642.4", 40);
  Activity(1, 0, "642.4", 40);
  Refresh();
  *List().Cell(1, 3) = 2;
  EXPECT_EQ(page.OnBoxValueChanged(CBoxesORD004::PositionOf(1, CBoxesORD004::kHolderBox)), 1);
  EXPECT_EQ(host->coded.codes.front(), "100R035");
  EXPECT_EQ(e4::Activity.get(Record(1)), 0) << "emptied";
  EXPECT_EQ(Record(1)[1], 0);
  EXPECT_EQ(e4::Activity.get(Record(0)), 40) << "the first stays";
  EXPECT_EQ(Record(0)[0], 2);
  // Another holder may have the same activity.
  host->coded.codes.clear();
  Activity(1, 0, "642.4", 40);
  Refresh();
  *List().Cell(1, 3) = 3;
  page.OnBoxValueChanged(CBoxesORD004::PositionOf(1, CBoxesORD004::kHolderBox));
  EXPECT_EQ(Record(1)[0], 3);
  EXPECT_EQ(e4::Activity.get(Record(1)), 40);
}

// Without the information dialogs registered (they are the annexes'), the holder box, the row's
// button and F7 say which dialog is not there and leave the row as it was.
TEST_F(Ord004, TheActivityInformationSaysWhichDialogIsMissing) {
  forms::ORD004& page = Page();
  struct Case {
    int activity;
    const char* dialog;
  };
  const Case cases[] = {{40, "IDD_INFACTIVIDAD221"}, {143, "IDD_INFACTIVIDAD229"}, {175, "IDD_INFACTIVIDAD224"},
                        {174, "IDD_INFACTIVIDAD226"}, {227, "IDD_INFACTIVIDAD81"}};
  std::vector<std::string> extras;
  struct Recorder : IMessageService {
    std::vector<std::string>* extras;
    int ShowMessage(std::string_view code, MessageIcon, std::string_view extra) override {
      extras->push_back(std::string(code) + ' ' + std::string(extra));
      return 1;
    }
    void Notice(std::string_view) override {}
  };
  for (const Case& c : cases) {
    extras.clear();
    Activity(0, 2, "642.4", c.activity);
    Refresh();
    ASSERT_NE(page.InfoButton(0).Button(), nullptr);
    const int before = host->coded.codes.size();
    page.InfoButton(0).Button()->click();
    ASSERT_EQ(host->coded.codes.size(), static_cast<std::size_t>(before + 1)) << c.activity;
    EXPECT_EQ(host->coded.codes.back(), "WIN1102");
  }
  // The name of the dialog goes with the message.
  Recorder recorder;
  recorder.extras = &extras;
  List().notBuilt = [&](std::string_view dialog) { recorder.ShowMessage("WIN1102", MessageIcon::Warning, dialog); };
  for (const Case& c : cases) {
    extras.clear();
    Activity(0, 2, "642.4", c.activity);
    Refresh();
    page.ShowInformation(0);
    EXPECT_EQ(extras, std::vector<std::string>{std::string("WIN1102 ") + c.dialog}) << c.activity;
  }
  // F7 on the holder box does the same.
  extras.clear();
  page.GoToBox(CBoxesORD004::PositionOf(0, CBoxesORD004::kHolderBox) - 1);
  QApplication::processEvents();
  ASSERT_NE(page.Editor(), nullptr);
  QTest::keyClick(page.Editor(), Qt::Key_F7);
  QApplication::processEvents();
  EXPECT_EQ(extras.size(), 1u);
  // Without a holder the row has no information to show.
  extras.clear();
  Activity(0, 0, "642.4", 40);
  Refresh();
  page.ShowInformation(0);
  EXPECT_TRUE(extras.empty());
}

// A stand-in for the general information dialog: the page opens it by its class name, gives it
// the record's 72 bytes and applies what it answers. `script` writes its answer and closes it.
const ui::DialogTemplate kFakeTemplate{221, "INFORMACION RELATIVA A LA ACTIVIDAD", 0, {}, 0};
class FakeInformation : public ui::IAnnexDialog {
 public:
  explicit FakeInformation(const ui::AnnexArgs&) : dialog_(kFakeTemplate) {
    ++runs;
    qxtest::WhenModal([this](QWidget*) {
      blocks::F64{0}.set(block_.data(), newStart);
      blocks::F64{64}.set(block_.data(), instalments);
      dialog_.done(1);
    });
  }
  CTemplateDlg& Dialog() override { return dialog_; }
  std::span<std::uint8_t> AnnexBlock() override { return block_; }
  static inline double newStart = 0.0;
  static inline double instalments = 0.0;
  static inline int runs = 0;

 private:
  CTemplateDlg dialog_;
  std::array<std::uint8_t, 72> block_{};
};

TEST_F(Ord004, AnInformationDialogChangesTheRecordAndTheHoldersSharedInstalments) {
  ui::RegisterAnnex<FakeInformation>("CInformacionRelativaActividadDlg221");
  forms::ORD004& page = Page();
  Activity(0, 2, "642.4", 40);
  Activity(1, 2, "659.4", 41);
  f100::sec_e5::InstalmentPayments.set(Block() + f100::SectionE5.offset, 5.0);
  Block()[f100::SectionE5.offset] = 2;
  Refresh();
  FakeInformation::newStart = 2002.0;
  FakeInformation::instalments = 300.0;
  FakeInformation::runs = 0;
  document->Model().MarkSaved();
  page.ShowInformation(1);
  EXPECT_EQ(FakeInformation::runs, 1);
  EXPECT_DOUBLE_EQ(e4::SeasonalDays.get(Record(1)), 2002.0);
  for (int i : {0, 1}) EXPECT_DOUBLE_EQ(e4::InstalmentPayments.get(Record(i)), 300.0) << i;
  EXPECT_DOUBLE_EQ(f100::sec_e5::InstalmentPayments.get(Block() + f100::SectionE5.offset), 300.0);
  EXPECT_TRUE(document->IsModified());
  // A valued activity whose start changes is asked; not continued, the dialog opens again.
  e4::ActivityNet.set(Record(1), 1000.0);
  Refresh();
  FakeInformation::newStart = 2003.0;
  FakeInformation::runs = 0;
  host->coded.codes.clear();
  int asked = 0;
  List().question = [&](std::string_view code, MessageIcon) {
    host->coded.codes.emplace_back(code);
    if (code == "100P027" && ++asked == 1) return 2;
    return 3;
  };
  page.ShowInformation(1);
  EXPECT_EQ(FakeInformation::runs, 2);
  EXPECT_EQ(std::count(host->coded.codes.begin(), host->coded.codes.end(), "100P027"), 2);
  EXPECT_DOUBLE_EQ(e4::SeasonalDays.get(Record(1)), 2003.0);
  ui::RegisterAnnexClass("CInformacionRelativaActividadDlg221", {});
}

TEST_F(Ord004, AnotherActivityOnAStoredRowClearsItsModuleValuesAfterTheQuestion) {
  forms::ORD004& page = Page();
  Activity(0, 2, "642.4", 40);
  mod::Units.set(Record(0) + e4::kModules, 3.0);
  e4::SeasonalDays.set(Record(0), 90.0);
  Refresh();
  // Declined: the row goes back to its stored activity (and waits for its holder again).
  host->coded.answer = 2;
  e4::Activity.set(List().Cell(0, 70), 41);
  EXPECT_EQ(page.OnBoxSubDialogValue(CBoxesORD004::PositionOf(0, CBoxesORD004::kCodeBox)), 1);
  EXPECT_EQ(host->coded.codes.front(), "100P001");
  EXPECT_EQ(e4::Activity.get(Record(0)), 40);
  EXPECT_DOUBLE_EQ(mod::Units.get(Record(0) + e4::kModules), 3.0);
  host->coded.answer = 1;
  e4::Activity.set(List().Cell(0, 70), 41);
  page.OnBoxSubDialogValue(CBoxesORD004::PositionOf(0, CBoxesORD004::kCodeBox));
  EXPECT_EQ(e4::Activity.get(Record(0)), 41);
  EXPECT_DOUBLE_EQ(mod::Units.get(Record(0) + e4::kModules), 0.0);
  EXPECT_DOUBLE_EQ(e4::SeasonalDays.get(Record(0)), 0.0);
  EXPECT_EQ(Record(0)[e4::HeavyVehicle.off], 0xFF);
  EXPECT_EQ(mod::Kind.get(Record(0) + e4::kModules), 3) << "the module itself stays";
  // An emptied activity text deletes the row.
  std::memset(List().Cell(0, 0), 0, 5);
  page.OnBoxValueCleared(CBoxesORD004::PositionOf(0, CBoxesORD004::kCodeBox));
  EXPECT_EQ(e4::Activity.get(Record(0)), 0);
}

// Two activities typed on the pages, one in objective estimation by modules (page 4), one
// agricultural (page 5): the sections hold what the calculation library computes for the same rows.
TEST_F(Ord004, TwoActivitiesTypedOnThePagesGiveTheSectionTotalsOfTheCalculation) {
  forms::ORD004& page = Page();
  // The activity as its selection writes it, then the holder and the units typed.
  Describe(List().Cell(0, 70), 0, "642.4", 40);
  page.OnBoxSubDialogValue(CBoxesORD004::PositionOf(0, CBoxesORD004::kCodeBox));
  *List().Cell(0, 3) = 2;
  page.OnBoxValueChanged(CBoxesORD004::PositionOf(0, CBoxesORD004::kHolderBox));
  ASSERT_EQ(Record(0)[0], 2);
  page.GoToBox(CBoxesORD004::PositionOf(0, CBoxesORD004::UnitsBox(0)) - 1);
  QApplication::processEvents();
  TypeAndLeave(QStringLiteral("3"), Qt::Key_Tab);
  page.GoToBox(CBoxesORD004::PositionOf(0, CBoxesORD004::kOtherReceiptsBox) - 1);
  QApplication::processEvents();
  TypeAndLeave(QStringLiteral("50"), Qt::Key_Tab);

  // The same row written straight into a section of its own.
  std::vector<std::uint8_t> e4Copy(f100::SectionE4.size, 0);
  Describe(e4Copy.data(), 2, "642.4", 40);
  mod::Units.set(e4Copy.data() + e4::kModules, 3.0);
  e4::Added.set(e4Copy.data(), 50.0);
  e4::HeavyVehicle.set(e4Copy.data(), 0);
  Calculos100E4(e4Copy.data());
  EXPECT_DOUBLE_EQ(e4::ActivityNet.get(Record(0)), e4::ActivityNet.get(e4Copy.data()));
  EXPECT_GT(e4::ActivityNet.get(Record(0)), 0.0);
  for (int m = 0; m < 5; ++m)
    EXPECT_DOUBLE_EQ(e4::NetYields.get(Section(), m), e4::NetYields.get(e4Copy.data(), m)) << m;

  // Page 5 of the same declaration: an agricultural activity of the declarant.
  std::unique_ptr<forms::CFormView> page5(forms::CreatePageView(*host, 2, 205));
  ASSERT_TRUE(page5->Create());
  namespace e5 = f100::sec_e5;
  page5->BoxList()->ApplyHolderMode();
  auto* key = static_cast<std::uint8_t*>(page5->GetBox(6 - 1)->data);
  ASSERT_NE(key, nullptr);
  key[0] = '1';
  e5::Activity.set(key - 1, 7);
  page5->OnBoxSubDialogValue(6);
  *static_cast<std::uint8_t*>(page5->GetBox(5 - 1)->data) = 2;
  page5->OnBoxValueChanged(5);
  std::uint8_t* e5Section = Block() + f100::SectionE5.offset;
  ASSERT_EQ(e5Section[0], 2);
  e5::productField(0, 1, 1, e5::product::Income).set(e5Section, 10000.0);
  e5::productField(0, 1, 1, e5::product::Net).set(e5Section, 2600.0);
  page5->OnBoxEdited(8);
  std::vector<std::uint8_t> e5Copy(e5Section, e5Section + f100::SectionE5.size);
  Calculos100E5(e5Copy.data());
  for (int m = 0; m < 5; ++m) {
    EXPECT_DOUBLE_EQ(blocks::F64{12376 + 8 * static_cast<std::size_t>(m)}.get(e5Section),
                     blocks::F64{12376 + 8 * static_cast<std::size_t>(m)}.get(e5Copy.data()))
        << m;
  }
  EXPECT_GT(blocks::F64{12376 + 8}.get(e5Section), 0.0) << "the declarant's agricultural net yield";
  EXPECT_DOUBLE_EQ(e4::NetYields.get(Section(), 1), e4::ActivityNet.get(Record(0))) << "page 4 untouched";
}

}  // namespace
}  // namespace formstest

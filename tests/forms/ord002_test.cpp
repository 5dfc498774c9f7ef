// Page 2 of form 100: work, movable capital and real estate income. The annex boxes recalculate
// their section; the three rows of the property's holders fill from the top.
#include <QImage>

#include <cstdlib>
#include <cstring>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "forms/pages/ord002.h"
#include "forms/pages/page100.h"
#include "page_fixture.h"
#include "support/ui_helpers.h"
#include "ui/launcher_edit.h"
#include "ui/titular_edit.h"

namespace formstest {
namespace {

constexpr std::size_t kA = f100::SectionA.offset, kB = f100::SectionB.offset, kC = f100::SectionC.offset,
                      kD = f100::SectionD.offset;
constexpr std::size_t kRows = kC + 1560;  // the holders of the property, 40 bytes a row

class Ord002 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD002");
  }
  forms::CFormView& Show(int member) {
    forms::CFormView& page = view ? *view : Open(2, 202);
    qxtest::Publish(household, shown);
    shown = member;
    page.RecalculateAndRefresh();
    return page;
  }
  forms::CScrollRowTable& Rows() { return *static_cast<forms::CPage100&>(*view).Table(999); }
  // A holder typed into visible row r.
  void TypeHolder(int r, std::uint8_t holder) {
    *Rows().GetCell(r, 0) = holder;
    view->OnBoxValueChanged(57 + 3 * r);
  }
  void StoreRow(int i, std::uint8_t holder, double share, double amount) {
    Block()[kRows + 40 * static_cast<std::size_t>(i)] = holder;
    blocks::F64{kRows + 40 * static_cast<std::size_t>(i) + 8}.set(Block(), share);
    blocks::F64{kRows + 40 * static_cast<std::size_t>(i) + 16}.set(Block(), amount);
  }
  double Stored(int i, std::size_t field) { return Amount(kRows + 40 * static_cast<std::size_t>(i) + field); }
  bool ReadOnly(int position) { return view->GetBox(position - 1)->SoloLectur != 0; }

  qxtest::HouseholdSlot household{{1, 1, 1, 0, 0}};
  qxtest::ShownSlot shown{1};
};

TEST_F(Ord002, BindsEachBoxToItsSectionAndTheAnnexBoxesToTheirRows) {
  forms::CFormView& page = Show(doc::kFamilyUnit);
  EXPECT_EQ(page.GetPageClassName(), "ORD002");
  ASSERT_EQ(page.GetBoxCount(), 80);
  struct Bound {
    int position;
    std::size_t offset, annex;
  };
  constexpr std::size_t none = 0;
  for (const Bound& b : {Bound{3, kA + 720, kA}, Bound{13, kA + 1120, kA}, Bound{15, kA + 1200, none},
                         Bound{16, kB, kB + 40}, Bound{17, kB + 280, kB + 320}, Bound{21, kB + 1352, kB + 1392},
                         Bound{29, kB + 1912, none}, Bound{32, kC + 472, none}, Bound{33, kC + 480, none},
                         Bound{34, kC + 720, none}, Bound{35, kC + 1320, none}, Bound{52, kC + 477, none},
                         Bound{55, kC + 1520, none}, Bound{56, kC, kC + 40}, Bound{66, kD, kD + 40},
                         Bound{67, kD + 472, kD + 40}, Bound{68, kD + 512, none}, Bound{77, kD + 872, none},
                         Bound{80, f100::Family.offset + 105, none}}) {
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
    if (b.annex) {
      EXPECT_EQ(page.GetBox(b.position - 1)->option, Block() + b.annex) << b.position;
    }
  }
  for (int r = 0; r < 3; ++r)
    for (int cell = 0; cell < 3; ++cell)
      EXPECT_EQ(page.GetBox(56 + 3 * r + cell)->data, Rows().GetCell(r, cell)) << r << " " << cell;
  EXPECT_EQ(page.GetBox(57)->decimals, 2) << "the shares show two decimals";

  // A list fixed to the spouse: per-member vectors at the spouse's slot, the slot codes per slot.
  forms::CBoxesORD002 fixed(202, document->Block(), doc::kSpouse);
  forms::BoxTables tables;
  tables.local = &local;
  fixed.SetTables(tables);
  ASSERT_TRUE(fixed.LoadBoxesNoGeometry(202));
  EXPECT_EQ(fixed.Position(33)->data, Block() + kC + 480 + 16);
  EXPECT_EQ(fixed.Position(36)->data, Block() + kC + 473);
  EXPECT_EQ(fixed.Position(38)->data, Block() + kC + 820 + 40);
}

TEST_F(Ord002, TheHoldersRowsFillFromTheTopAndPackWhenOneIsCleared) {
  Show(doc::kFamilyUnit);
  EXPECT_FALSE(ReadOnly(57));
  for (int p : {58, 59, 60, 61, 62, 63, 64, 65}) EXPECT_TRUE(ReadOnly(p)) << p;

  // A holder typed into an empty row owns the whole property, stored at once.
  TypeHolder(0, ui::kHolderDeclarant);
  EXPECT_EQ(Block()[kRows], ui::kHolderDeclarant);
  EXPECT_EQ(Stored(0, 8), 100.0);
  for (int p : {58, 59, 60}) EXPECT_FALSE(ReadOnly(p)) << p;
  for (int p : {61, 62, 63}) EXPECT_TRUE(ReadOnly(p)) << p;
  // A holder changed in a stored row keeps the share.
  StoreRow(0, ui::kHolderDeclarant, 40.0, 0);
  view->BoxList()->ApplyHolderMode();
  TypeHolder(0, ui::kHolderSpouse);
  EXPECT_EQ(Stored(0, 8), 40.0);

  // Clearing the first holder moves the later rows up in the block.
  StoreRow(0, ui::kHolderDeclarant, 50.0, 100.0);
  StoreRow(1, ui::kHolderSpouse, 30.0, 200.0);
  StoreRow(2, ui::kHolderCommon, 20.0, 300.0);
  view->BoxList()->ApplyHolderMode();
  *Rows().GetCell(0, 0) = 0;
  EXPECT_EQ(view->OnBoxValueCleared(57), 0);
  EXPECT_EQ(Block()[kRows], ui::kHolderSpouse);
  EXPECT_EQ(Stored(0, 16), 200.0);
  EXPECT_EQ(Block()[kRows + 40], ui::kHolderCommon);
  EXPECT_EQ(Block()[kRows + 80], 0);
  EXPECT_EQ(Stored(2, 16), 0.0);
  EXPECT_TRUE(ReadOnly(64)) << "the emptied last row";
}

TEST_F(Ord002, AShareAboveTheWholeIsRefusedAndTheStoredRowKept) {
  Show(doc::kFamilyUnit);
  StoreRow(0, ui::kHolderDeclarant, 60.0, 0);
  view->BoxList()->ApplyHolderMode();
  struct Case {
    double typed;
    bool refused;
    double stored;
  };
  for (const Case& c : {Case{100.5, true, 60.0}, Case{100.0, false, 100.0}}) {
    host->coded.codes.clear();
    blocks::F64{0}.set(Rows().GetCell(0, 1), c.typed);
    EXPECT_EQ(view->OnBoxEdited(58), 1) << "the editor moves on";
    EXPECT_EQ(host->coded.codes, c.refused ? std::vector<std::string>{"100R009"} : std::vector<std::string>{});
    EXPECT_EQ(Stored(0, 8), c.stored);
    if (c.refused) {
      EXPECT_EQ(blocks::F64{0}.get(Rows().GetCell(0, 1)), 0.0);
    }
  }
}

TEST_F(Ord002, ASpouseSeesTheCommonRowAtHalfItsShare) {
  Show(doc::kFamilyUnit);
  StoreRow(0, ui::kHolderCommon, 80.0, 0);
  StoreRow(1, ui::kHolderDeclarant, 20.0, 0);
  Show(doc::kSpouse);
  EXPECT_EQ(blocks::F64{0}.get(Rows().GetCell(0, 1)), 40.0);
  EXPECT_EQ(*Rows().GetCell(1, 0), 0) << "the declarant's own row is not the spouse's";
}

TEST_F(Ord002, AnAnnexValueRecalculatesItsSectionAndChecksWorkIncome) {
  Show(doc::kFamilyUnit);
  f100::sec_a::Holder.set(Block() + kA, ui::kHolderDeclarant);
  f100::sec_a::MoneyPay.set(Block() + kA, 1500.0);
  host->fieldChecks.clear();
  EXPECT_EQ(view->OnBoxSubDialogValue(3), 1);
  EXPECT_EQ(blocks::Vec5{kA + 720}.get(Block(), 1), 1500.0) << "the declarant's money pay";
  std::vector<int> checks;
  for (const auto& [number, value] : host->fieldChecks) {
    checks.push_back(number);
    EXPECT_EQ(value, Block() + kA);
  }
  EXPECT_EQ(checks, (std::vector<int>{203, 204, 209, 205}));
  EXPECT_TRUE(document->IsModified());
  struct Case {
    int position, result;
  };
  for (const Case& c : {Case{16, 1}, Case{30, 1}, Case{56, 1}, Case{69, 1}, Case{68, 0}}) {
    host->fieldChecks.clear();
    EXPECT_EQ(view->OnBoxSubDialogValue(c.position), c.result) << c.position;
    EXPECT_TRUE(host->fieldChecks.empty()) << c.position;
  }
}

TEST_F(Ord002, AnAnnexBoxOpensItsDialogThroughTheLaunchTable) {
  Show(doc::kFamilyUnit);
  qxtest::ScriptedMessages messages;
  view->GoToBox(2);
  QApplication::processEvents();
  auto* launcher = dynamic_cast<CDialogLauncherEdit*>(view->Editor());
  ASSERT_NE(launcher, nullptr) << "the work income box opens its annex";
  // The forms' tests run without the annex dialogs: the launcher says the dialog is missing.
  QTest::keyClick(launcher, Qt::Key_1);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN1102")});

  // QX_PAGE_IMAGES=<folder> saves the page as shown at 100 % (docs/images/pages/).
  if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
    view->resize(view->PageSize() + QSize(24, 24));
    QApplication::processEvents();
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/ORD002.png"));
  }
}

}  // namespace
}  // namespace formstest

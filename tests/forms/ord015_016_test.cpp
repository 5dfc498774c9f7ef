// Pages 15 and 16 of form 100: the regional deductions, typed only for the communities the member
// shown lives in, and annex C with the Canary Islands reserve.
#include <QImage>

#include <cstdlib>
#include <cstring>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/ord015.h"
#include "forms/pages/ord016.h"
#include "forms/pages/page100.h"
#include "page_fixture.h"
#include "support/ui_helpers.h"
#include "ui/launcher_edit.h"

namespace formstest {
namespace {

constexpr std::size_t kP = f100::SectionP.offset, kQ = f100::SectionQ.offset;

class Ord015 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD015");
    forms::UnregisterPageClass("ORD016");
  }
  forms::CFormView& Show(int code, int member) {
    forms::CFormView& page = view ? *view : Open(2, code);
    qxtest::Publish(household, shown);
    shown = member;
    page.RecalculateAndRefresh();
    return page;
  }
  // The community codes of the declarant and the spouse, in the personal record and in the
  // members' copies.
  void Communities(const char* declarant, const char* spouse) {
    std::memcpy(Block() + f100::Personal.offset + 156, declarant, 2);
    std::memcpy(Block() + f100::Personal.offset + 188, spouse, 2);
    std::memcpy(Block() + f100::Family.offset + 4344 + 2, declarant, 2);
    std::memcpy(Block() + f100::Family.offset + 4344 + 4, spouse, 2);
  }
  bool ReadOnly(int position) { return view->GetBox(position - 1)->SoloLectur != 0; }
  void SaveImage(const char* name) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + name + ".png"));
    }
  }

  qxtest::HouseholdSlot household{{1, 1, 1, 0, 0}};
  qxtest::ShownSlot shown{1};
};

TEST_F(Ord015, BindsTheRegionalDeductionsAndTheirInputs) {
  forms::CFormView& page = Show(215, doc::kFamilyUnit);
  EXPECT_EQ(page.GetPageClassName(), "ORD015");
  ASSERT_EQ(page.GetBoxCount(), 99);
  struct Bound {
    int position;
    std::size_t offset, annex;
  };
  for (const Bound& b : {Bound{3, kP, kP + 40}, Bound{4, kP + 88, kP + 128}, Bound{10, kP + 584, 0},
                         Bound{53, kP + 4096, kP + 4136}, Bound{84, kP + 6608, 0}, Bound{94, kP + 7520, 0},
                         Bound{95, kP + 7560, 0}, Bound{96, kP + 7605, 0},
                         Bound{99, f100::Family.offset + 105, 0}}) {
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
    if (b.annex) {
      EXPECT_EQ(page.GetBox(b.position - 1)->option, Block() + b.annex) << b.position;
    }
  }
}

TEST_F(Ord015, OnlyTheCommunitiesOfTheMemberShownCanBeTyped) {
  struct Case {
    int member;
    const char *declarant, *spouse;
    std::vector<int> editable, readOnly;
  };
  const Case cases[] = {
      {1, "03", "10", {11, 12, 18, 53, 55, 56}, {3, 4, 9, 20, 54, 58, 93}},
      {3, "03", "09", {47, 51}, {11, 18, 53}},
      {2, "02", "09", {3}, {4, 9, 47}},
      {2, "17", "17", {79, 84, 93}, {3, 94}},
  };
  for (const Case& c : cases) {
    Show(215, doc::kFamilyUnit);
    Communities(c.declarant, c.spouse);
    Show(215, c.member);
    for (int p : c.editable) EXPECT_FALSE(ReadOnly(p)) << c.member << " " << c.declarant << " box " << p;
    for (int p : c.readOnly) EXPECT_TRUE(ReadOnly(p)) << c.member << " " << c.declarant << " box " << p;
    EXPECT_NE(view->Editor(), nullptr) << "an editor on a box of the member's community";
  }
  // A community of its own regime has no box here: nothing can be typed and the editor closes.
  Communities("15", "14");
  Show(215, doc::kFamilyUnit);
  EXPECT_EQ(view->FindFirstEditableBox(), -1);
  EXPECT_EQ(view->Editor(), nullptr);
  // Back in a community with boxes, the editor opens on the first of them.
  Communities("13", "14");
  Show(215, doc::kDeclarant);
  EXPECT_EQ(view->EditedBox(), 70) << "box 71";
}

TEST_F(Ord015, ADeductionBoxOpensItsAnnexAndAStoredValueIsNotRecounted) {
  Show(215, doc::kFamilyUnit);
  Communities("02", "09");
  Show(215, doc::kFamilyUnit);
  EXPECT_EQ(view->OnBoxSubDialogValue(3), 0);
  EXPECT_EQ(view->OnBoxValueChanged(3), 0);
  qxtest::ScriptedMessages messages;
  view->GoToBox(2);
  QApplication::processEvents();
  auto* launcher = dynamic_cast<CDialogLauncherEdit*>(view->Editor());
  ASSERT_NE(launcher, nullptr);
  QTest::keyClick(launcher, Qt::Key_1);
  // The forms' tests run without the annex dialogs: the dialog is said to be missing.
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN1102")});
  SaveImage("ORD015");
}

TEST_F(Ord015, Page16BindsEachLineAndTheReserveByMember) {
  forms::CFormView& page = Show(216, doc::kFamilyUnit);
  EXPECT_EQ(page.GetPageClassName(), "ORD016");
  ASSERT_EQ(page.GetBoxCount(), 137);
  struct Bound {
    int position;
    std::size_t offset, annex;
  };
  for (const Bound& b : {Bound{3, kQ, kQ + 40}, Bound{4, kQ + 504, 0}, Bound{17, kQ + 864, 0},
                         Bound{18, kQ + 904, kQ + 944}, Bound{62, kQ + 3528, 0}, Bound{63, kQ + 3568, kQ + 3608},
                         Bound{107, kQ + 6288, 0}, Bound{108, kQ + 6328, kQ + 6368}, Bound{111, kQ + 6608, 0},
                         Bound{112, f100::Summary.offset + 1120, 0}, Bound{129, kQ + 7112, kQ + 7152},
                         Bound{135, kQ + 7832, 0}, Bound{137, f100::Family.offset + 105, 0}}) {
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
    if (b.annex) {
      EXPECT_EQ(page.GetBox(b.position - 1)->option, Block() + b.annex) << b.position;
    }
  }
  // Printing for the spouse: the key bytes and the amounts at the spouse's slot; no sheet selected.
  forms::CBoxesORD016 fixed(216, document->Block(), doc::kSpouse);
  forms::BoxTables tables;
  tables.local = &local;
  fixed.SetTables(tables);
  ASSERT_TRUE(fixed.LoadBoxesNoGeometry(216));
  EXPECT_EQ(fixed.Position(116)->data, Block() + kQ + 7378);
  EXPECT_EQ(fixed.Position(118)->data, Block() + kQ + 7400);
  EXPECT_FALSE(fixed.SelectSheet(1, 0));
}

TEST_F(Ord015, Page16OpensTheInnovationAnnexAndRepaintsAClearedBox) {
  Show(216, doc::kFamilyUnit);
  EXPECT_EQ(view->OnBoxValueCleared(18), 1);
  EXPECT_EQ(view->OnBoxSubDialogValue(18), 0);
  EXPECT_TRUE(document->IsModified());
  // Totals and the applied and pending columns only show their amounts; a line's first box opens
  // its inputs' dialog.
  for (int p : {4, 5, 111, 112, 135}) EXPECT_TRUE(ReadOnly(p)) << p;
  for (int p : {3, 15, 24, 105}) EXPECT_FALSE(ReadOnly(p)) << p;
  qxtest::ScriptedMessages messages;
  view->GoToBox(17);
  QApplication::processEvents();
  auto* launcher = dynamic_cast<CDialogLauncherEdit*>(view->Editor());
  ASSERT_NE(launcher, nullptr);
  QTest::keyClick(launcher, Qt::Key_1);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN1102")});
  SaveImage("ORD016");
}

}  // namespace
}  // namespace formstest

// Disagreement with the fiscal data, opened from the page box that names "IDD_DISCONFORMIDAD": a
// member's concepts ticked in the nested dialog mark the member, OK writes exactly the block's
// bytes and the any-member byte, Cancel leaves the declaration as it was, absent members are
// disabled, and the declaration's own marks are the ones shown.
#include <algorithm>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>

#include <functional>
#include <memory>
#include <vector>

#include "blocks/form100.h"
#include "support/member_view.h"
#include "support/ui_helpers.h"
#include "ui/box_field.h"
#include "ui/companion_button.h"
#include "ui/message_source.h"
#include "ui/sub_dialog_edit.h"
#include "wizards/disconformidad_dlg.h"

namespace {

using wizards::CDfdisconfDlg;
using wizards::CDisconformidadDlg;
namespace dis = wizards::disagreement;

constexpr std::size_t kBlock = f100::Family.offset + f100::family::Disagreement.off;
static_assert(kBlock == 4644);

class Disagreement : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetMessageSource(qxtest::AuthoredMessages());
    wizards::RegisterDisagreementDialogs();
    box.NombreVent = "IDD_DISCONFORMIDAD";
    box.Identifica = "DISCONF";
    box.StrValidac = "B1*5";
    box.ApplyFormatSpec();
    box.data = declaration.data() + kBlock;
    box.option = declaration.data() + kBlock;
    edit = std::make_unique<CSubDialogEdit>(&box);
  }

  // Opens the disagreement dialog from the box and runs `act` on it; Cancel unless `act` closed it.
  void Open(const std::function<void(CDisconformidadDlg&)>& act) {
    qxtest::WhenModal([&](QWidget* m) {
      auto* d = dynamic_cast<CDisconformidadDlg*>(m);
      ASSERT_NE(d, nullptr);
      act(*d);
      if (d->isVisible()) d->Item<QAbstractButton>(ui::IDCANCEL)->click();
    });
    edit->OpenSubDialog();
  }
  // From the member edit k, ticks exactly `concepts` and ends with OK or Cancel.
  static void Concepts(CDisconformidadDlg& d, int k, std::vector<int> concepts, bool ok) {
    auto* member = d.Item<CSubDialogEdit>(CDisconformidadDlg::kMemberEdits[static_cast<std::size_t>(k)]);
    ASSERT_NE(member, nullptr);
    qxtest::WhenModal([concepts, ok](QWidget* m) {
      auto* c = dynamic_cast<CDfdisconfDlg*>(m);
      ASSERT_NE(c, nullptr);
      for (int i = 0; i < 18; ++i) {
        const bool tick = std::find(concepts.begin(), concepts.end(), i) != concepts.end();
        c->Item<QCheckBox>(CDfdisconfDlg::kFirstConcept + i)->setChecked(tick);
      }
      c->Item<QAbstractButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
    });
    member->OpenSubDialog();
  }

  qxtest::PublishedDeclaration published_;
  std::span<std::uint8_t> declaration = published_.Model().Block();
  CBoxField box;
  std::unique_ptr<CSubDialogEdit> edit;
  qxtest::ScriptedMessages messages;

 private:
};

void SetConcept(std::span<std::uint8_t> b, int member, int index) {
  blocks::I32{kBlock + dis::Concepts(member).off + 4u * static_cast<std::size_t>(index)}.set(b.data(), 1);
}

TEST_F(Disagreement, TickedConceptsMarkTheMemberAndOkWritesExactlyTheBlock) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  // The declarant disagreed earlier with one concept.
  declaration[kBlock + 0] = 1;
  declaration[kBlock + 1] = 1;
  SetConcept(declaration, 0, 3);
  const std::vector<std::uint8_t> before(declaration.begin(), declaration.end());
  Open([](CDisconformidadDlg& d) {
    EXPECT_EQ(d.Edit(CDisconformidadDlg::kMemberEdits[0])->text(), QStringLiteral("X"));
    Concepts(d, 1, {0, 14}, true);
    EXPECT_EQ(d.Edit(CDisconformidadDlg::kMemberEdits[1])->text(), QStringLiteral("X"));
    Concepts(d, 0, {}, true);  // no concept left: the mark goes
    EXPECT_NE(d.Edit(CDisconformidadDlg::kMemberEdits[0])->text(), QStringLiteral("X"));
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  std::vector<std::uint8_t> expected = before;
  expected[kBlock + 1] = 0;
  expected[kBlock + 2] = 1;
  blocks::I32{kBlock + dis::Concepts(0).off + 12}.set(expected.data(), 0);
  SetConcept(expected, 1, 0);
  SetConcept(expected, 1, 14);
  EXPECT_TRUE(std::ranges::equal(declaration, expected));
  EXPECT_EQ(declaration[kBlock], 1) << "a member still disagrees";
}

TEST_F(Disagreement, CancelLeavesTheDeclarationAndACancelledConceptDialogLeavesTheMember) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  const std::vector<std::uint8_t> before(declaration.begin(), declaration.end());
  Open([](CDisconformidadDlg& d) {
    Concepts(d, 0, {2}, false);
    EXPECT_NE(d.Edit(CDisconformidadDlg::kMemberEdits[0])->text(), QStringLiteral("X"));
    Concepts(d, 1, {5}, true);
  });
  EXPECT_TRUE(std::ranges::equal(declaration, before));
}

TEST_F(Disagreement, OkWithNoMemberMarkedClearsTheAnyMemberByte) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  declaration[kBlock + 0] = 1;  // left over
  Open([](CDisconformidadDlg& d) { d.Item<QAbstractButton>(ui::IDOK)->click(); });
  EXPECT_EQ(declaration[kBlock + 0], 0);
}

TEST_F(Disagreement, AbsentMembersAreDisabled) {
  qxtest::MemberView view(1, {1, 1, 0, 1, 0});
  Open([](CDisconformidadDlg& d) {
    const bool enabled[] = {true, false, true, false};
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE(k);
      QWidget* member = d.GetDlgItem(CDisconformidadDlg::kMemberEdits[static_cast<std::size_t>(k)]);
      EXPECT_EQ(member->isEnabled(), enabled[k]);
      int buttons = 0;
      for (ui::CCompanionButton* b : d.findChildren<ui::CCompanionButton*>())
        if (b->Edit() == member) {
          ++buttons;
          EXPECT_EQ(b->isEnabled(), enabled[k]) << "the open button follows its edit";
        }
      EXPECT_EQ(buttons, 1);
    }
  });
}

TEST_F(Disagreement, TheDeclarationsMarksAreShown) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  std::vector<std::uint8_t> handed(368, 0);  // what the box hands in differs from the declaration
  box.option = handed.data();
  declaration[kBlock + 2] = 1;
  Open([](CDisconformidadDlg& d) {
    EXPECT_EQ(d.Edit(CDisconformidadDlg::kMemberEdits[1])->text(), QStringLiteral("X"));
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_EQ(handed[2], 1);
  EXPECT_EQ(handed[0], 1);
}

}  // namespace

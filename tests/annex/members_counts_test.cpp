// Refunds per member, the regional children counts per holder and the persons cared for, opened
// through the launch table on a fixture block and typed into with real keys.
#include <QLabel>

#include <cstring>

#include "annex/dec3cruz6imp4_dlg.h"
#include "annex/dec3imp3_dlg.h"
#include "annex/dec3imp5_dlg.h"
#include "annex/dec3sino1_dlg.h"
#include "annex/devol104_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "support/member_view.h"
#include "ui/text_edits.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace rf = annex::devol104;
namespace hc = annex::holder_counts;
namespace ad = annex::dec3sino1;

constexpr std::array<int, 5> kSingle{1, 1, 0, 0, 0}, kCouple{1, 1, 1, 0, 0}, kFamily{1, 1, 1, 1, 1};

class MembersCounts : public AnnexTest {};

// ------------------------------------------------------------------ refunds

TEST_F(MembersCounts, RefundsOkWritesEachMembersAmountAndCancelNothing) {
  struct Case {
    std::array<int, 5> household;
    int shown;
    bool ok;
    std::array<bool, 4> enabled;
    std::array<double, 4> expected;  // after typing 1..4 into every enabled amount
  };
  const Case cases[] = {
      {kFamily, 1, true, {true, true, true, true}, {1, 2, 3, 4}},
      {kSingle, 1, true, {true, false, false, false}, {1, 0, 0, 0}},
      {kSingle, 2, true, {true, false, false, false}, {1, 0, 0, 0}},  // one holder: editable
      {kCouple, 2, true, {false, false, false, false}, {0, 0, 0, 0}}, // member view: read-only, ends Cancel
      {kFamily, 1, false, {true, true, true, true}, {0, 0, 0, 0}},
  };
  const int ids[] = {CDevol104Dlg::kDeclarant, CDevol104Dlg::kSpouse, CDevol104Dlg::kChild1, CDevol104Dlg::kChild2};
  for (const Case& c : cases) {
    qxtest::MemberView view(c.shown, c.household);
    std::vector<std::uint8_t> block(rf::kBlockSize);
    std::array<bool, 4> enabled{};
    const auto r = Launch("IDD_DEVOL104", block, [&](CTemplateDlg& d) {
      for (int i = 0; i < 4; ++i) {
        enabled[i] = d.GetDlgItem(ids[i])->isEnabled();
        if (enabled[i]) TypeInto(d, ids[i], QString::number(i + 1));
      }
      Press(d, c.ok ? ui::IDOK : ui::IDCANCEL);
    });
    EXPECT_EQ(r.result, 2);
    EXPECT_EQ(enabled, c.enabled) << c.shown;
    EXPECT_EQ((std::array<double, 4>{rf::Declarant.get(block.data()), rf::Spouse.get(block.data()),
                                     rf::Child1.get(block.data()), rf::Child2.get(block.data())}),
              c.expected)
        << "household of " << c.shown;
  }
}

// ------------------------------------------------------------------ children counts

TEST_F(MembersCounts, WholeChildrenPerHolderAndTheSpouseOnlyWithASpouse) {
  struct Case {
    std::array<int, 5> household;
    QString keys;
    double declarant, common;
  };
  for (const Case& c : {Case{kCouple, QStringLiteral("2"), 2, 1}, Case{kSingle, QStringLiteral("1,5"), 1, 0}}) {
    qxtest::MemberView view(1, c.household);
    std::vector<std::uint8_t> block(annex::dec3imp3::kBlockSize);
    bool spouseEnabled = true;
    int topic = 0;
    platform::SetHelpHook([&](int t) { topic = t; });
    Launch("IDD_DEC3IMP3", block, [&](CTemplateDlg& d) {
      spouseEnabled = d.GetDlgItem(hc::kSpouse)->isEnabled();
      TypeInto(d, hc::kDeclarant, c.keys);
      if (d.GetDlgItem(hc::kCommon)->isEnabled()) TypeInto(d, hc::kCommon, QStringLiteral("1"));
      Press(d, ui::kHelpButtonId);
      Press(d, ui::IDOK);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(topic, 569);
    EXPECT_EQ(spouseEnabled, c.household[2] != 0);
    EXPECT_EQ(hc::Declarant.get(block.data()), c.declarant) << "no decimals: the comma is refused";
    EXPECT_EQ(hc::Common.get(block.data()), c.common);
    EXPECT_EQ(hc::Spouse.get(block.data()), 0.0);
  }
}

TEST_F(MembersCounts, CountsCancelAndMemberViewLeaveTheBytes) {
  for (const char* name : {"IDD_DEC3IMP3", "IDD_DEC3SINO1"}) {
    for (int shown : {1, 3}) {
      qxtest::MemberView view(shown, kCouple);
      const std::size_t n = std::strcmp(name, "IDD_DEC3IMP3") == 0 ? 24 : 32;
      std::vector<std::uint8_t> block(n);
      hc::Declarant.set(block.data(), 1.0);
      if (n == 32) ad::LivesWithBoth.set(block.data(), 1);
      const std::vector<std::uint8_t> before = block;
      Launch(name, block, [&](CTemplateDlg& d) {
        EXPECT_EQ(d.GetDlgItem(hc::kDeclarant)->isEnabled(), shown == 1) << name;
        if (shown == 1) TypeInto(d, hc::kDeclarant, QStringLiteral("\b\b\b\b\b2"));
        Press(d, shown == 1 ? ui::IDCANCEL : ui::IDOK);
      });
      EXPECT_EQ(block, before) << name << " shown " << shown;
    }
  }
}

// ------------------------------------------------------------------ international adoption

TEST_F(MembersCounts, AdoptionAsksLivesWithBothOnlyWhileDeclarantOrSpouseHaveChildren) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(ad::kBlockSize);
  ad::LivesWithBoth.set(block.data(), 1);  // stale answer without children: blanked on opening
  block[25] = 0x5A;                         // padding goes through untouched
  std::vector<bool> enabled;
  Launch("IDD_DEC3SINO1", block, [&](CTemplateDlg& d) {
    auto* answer = d.GetDlgItem(CDec3sino1Dlg::kLivesWithBoth);
    enabled.push_back(answer->isEnabled());
    TypeInto(d, hc::kCommon, QStringLiteral("1"));
    enabled.push_back(answer->isEnabled());  // the common count does not ask
    TypeInto(d, hc::kSpouse, QStringLiteral("0,5"));
    enabled.push_back(answer->isEnabled());
    Press(d, ui::IDOK);  // not answered: refused
    EXPECT_TRUE(d.isVisible());
    answer->setFocus();
    QTest::keyClick(answer, Qt::Key_S);
    QTest::keyClick(answer, Qt::Key_Tab);
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(enabled, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R104")});
  EXPECT_EQ(hc::Common.get(block.data()), 1.0);
  EXPECT_EQ(hc::Spouse.get(block.data()), 0.5);
  EXPECT_EQ(ad::LivesWithBoth.get(block.data()), 1);
  EXPECT_EQ(block[25], 0x5A);
}

TEST_F(MembersCounts, ClearingTheLastOwnCountBlanksTheAnswerAtOnce) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(ad::kBlockSize);
  hc::Declarant.set(block.data(), 1.0);
  ad::LivesWithBoth.set(block.data(), 0);
  bool enabledAfter = true;
  Launch("IDD_DEC3SINO1", block, [&](CTemplateDlg& d) {
    auto* e = d.GetDlgItem(hc::kDeclarant);
    e->setFocus();
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Tab);
    enabledAfter = d.GetDlgItem(CDec3sino1Dlg::kLivesWithBoth)->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(enabledAfter);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ad::LivesWithBoth.get(block.data()), ad::kBlank);
  EXPECT_EQ(hc::Declarant.get(block.data()), 0.0);
}

}  // namespace

namespace {

namespace ps = annex::dec3imp5;

class PersonsCared : public annextest::AnnexTest {};

TEST_F(PersonsCared, PersonsAreAskedOnlyForAHolderWithACountAndMayNotStayAtZero) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(ps::kBlockSize);
  ps::PersonsSpouse.set(block.data(), 3.0);  // without a spouse's count: cleared on opening
  std::vector<bool> offered;
  bool stayed = false;
  annextest::Launch("IDD_DEC3IMP5*1", block, [&](CTemplateDlg& d) {
    offered.push_back(d.GetDlgItem(CDec3imp5Dlg::kPersonsDeclarant)->isEnabled());
    annextest::TypeInto(d, hc::kDeclarant, QStringLiteral("2"));
    offered.push_back(d.GetDlgItem(CDec3imp5Dlg::kPersonsDeclarant)->isEnabled());
    offered.push_back(d.GetDlgItem(CDec3imp5Dlg::kPersonsSpouse)->isEnabled());
    annextest::Press(d, ui::IDOK);
    stayed = d.isVisible();
    annextest::TypeInto(d, CDec3imp5Dlg::kPersonsDeclarant, QStringLiteral("2"));
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(offered, (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(stayed);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
  EXPECT_EQ(hc::Declarant.get(block.data()), 2.0);
  EXPECT_EQ(ps::PersonsDeclarant.get(block.data()), 2.0);
  EXPECT_EQ(ps::PersonsSpouse.get(block.data()), 0.0);
}

TEST_F(PersonsCared, TheVariantChoosesTheWordingAndTheHelpTopic) {
  struct Case {
    const char* descriptor;
    int label;       // string of the label
    bool footnote;
    int topic;       // the topic the help button shows
  };
  const Case cases[] = {{"IDD_DEC3IMP5*1", 228, false, 915}, {"IDD_DEC3IMP5*3", 223, true, 559},
                        {"IDD_DEC3IMP5*5", 95660, true, 1}, {"IDD_DEC3IMP5*9", 236, false, 960}};
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block(ps::kBlockSize);
    QString label, footnote;
    int topic = 0;
    platform::SetHelpHook([&](int t) { topic = t; });
    annextest::Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      label = d.Item<QLabel>(CDec3imp5Dlg::kLabel)->text();
      footnote = d.Item<QLabel>(CDec3imp5Dlg::kFootnote)->text();
      annextest::Press(d, ui::kHelpButtonId);
      annextest::Press(d, ui::IDCANCEL);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(label, platform::LoadString(c.label)) << c.descriptor;
    EXPECT_EQ(!footnote.isEmpty(), c.footnote) << c.descriptor;
    EXPECT_EQ(topic, c.topic) << c.descriptor;
  }
  EXPECT_EQ(CDec3imp5Dlg::HelpTopic(3), 559);
  EXPECT_EQ(CDec3imp5Dlg::HelpTopic(5), 1);
}

}  // namespace

namespace {

namespace fa = annex::dec3cruz6imp4;

class FamilyAid : public annextest::AnnexTest {};

TEST_F(FamilyAid, EachCountOffersOnlyItsOwnPersonsAndZeroPersonsAreRefused) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(fa::kBlockSize);
  fa::PersonsDeclarant[1].set(block.data(), 4.0);  // no count beside it: cleared on opening
  std::vector<bool> offered;
  bool stayed = false;
  annextest::Launch("IDD_DEC3CRUZ6IMP4", block, [&](CTemplateDlg& d) {
    annextest::TypeInto(d, 395, QStringLiteral("1"));
    for (int id : {24662, 24663, 24669, 24670}) offered.push_back(d.GetDlgItem(id)->isEnabled());
    annextest::Press(d, ui::IDOK);
    stayed = d.isVisible();
    annextest::TypeInto(d, 24669, QStringLiteral("2"));
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(offered, (std::vector<bool>{false, false, true, false}));
  EXPECT_TRUE(stayed);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
  std::vector<std::uint8_t> expected(fa::kBlockSize);
  fa::Declarant[1].set(expected.data(), 1.0);
  fa::PersonsDeclarant[1].set(expected.data(), 2.0);
  EXPECT_EQ(block, expected);
}

TEST_F(FamilyAid, CancelAndTheDeclarantsViewOfACoupleLeaveTheBytes) {
  for (int shown : {1, 2}) {
    qxtest::MemberView view(shown, kCouple);
    std::vector<std::uint8_t> block(fa::kBlockSize);
    fa::Spouse[0].set(block.data(), 1.0);
    fa::PersonsSpouse[0].set(block.data(), 1.0);
    const std::vector<std::uint8_t> before = block;
    annextest::Launch("IDD_DEC3CRUZ6IMP4", block, [&](CTemplateDlg& d) {
      if (shown == 1) annextest::TypeInto(d, 24663, QStringLiteral("\b\b\b3"));
      annextest::Press(d, shown == 1 ? ui::IDCANCEL : ui::IDOK);
    });
    EXPECT_EQ(block, before) << shown;
  }
}

}  // namespace

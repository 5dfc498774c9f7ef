// The birth and adoption annexes by birth order and by period, opened through the launch table on
// fixture blocks and typed into with real keys: the lives-with-both answer, the checks and their
// answers.
#include "annex/autonom5g_dlg.h"
#include "annex/autonom6m_dlg.h"
#include "annex/autonom7v2_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace o = annex::autonom6m;
namespace p = annex::autonom5g;

constexpr std::array<int, 5> kSingle{1, 1, 0, 0, 0}, kCouple{1, 1, 1, 0, 0};

void Answer(CTemplateDlg& d, int id, Qt::Key key) {
  QWidget* w = d.GetDlgItem(id);
  w->setFocus();
  QTest::keyClick(w, key);
  QTest::keyClick(w, Qt::Key_Tab);
}

class BirthCounts : public AnnexTest {};

TEST_F(BirthCounts, ByOrderTheChecksOfTheTypedCounts) {
  struct Case {
    std::vector<std::pair<int, const char*>> typed;
    bool answer;                   // answer "SI" when the question is offered
    std::deque<int> buttons;       // answers to the messages
    std::vector<const char*> codes;
    bool closed;
  };
  const Case cases[] = {
      {{{24581, "1"}, {1527, "1"}}, true, {}, {"100R086"}, false},
      {{{24581, "0,5"}, {1527, "0,5"}}, true, {}, {}, true},
      {{{1527, "1"}}, false, {}, {"100R085"}, false},
      {{{401, "1"}}, false, {kAnsCorregir}, {"100P084"}, false},
      {{{401, "1"}}, false, {1}, {"100P084"}, true},
      {{{1356, "1"}, {398, "1"}}, true, {}, {"100R086"}, false},
  };
  for (const Case& c : cases) {
    qxtest::MemberView view(1, kCouple);
    qxtest::ScriptedMessages scripted(c.buttons);
    std::vector<std::uint8_t> block(o::kBlockSize);
    bool visible = true;
    Launch("IDD_AUTONOM6_M", block, [&](CTemplateDlg& d) {
      for (auto [id, keys] : c.typed) TypeInto(d, id, QString::fromUtf8(keys));
      if (c.answer) Answer(d, CAutonom6MDlg::kLivesWithBoth, Qt::Key_S);
      Press(d, ui::IDOK);
      visible = d.isVisible();
    });
    std::vector<QString> want;
    for (const char* code : c.codes) want.push_back(QString::fromLatin1(code));
    EXPECT_EQ(scripted.Codes(), want) << c.typed.front().first;
    EXPECT_EQ(!visible, c.closed) << c.typed.front().first;
    if (c.closed) {
      EXPECT_NE(std::vector<std::uint8_t>(o::kBlockSize), block) << "OK wrote the counts";
    } else {
      EXPECT_EQ(std::vector<std::uint8_t>(o::kBlockSize), block) << "Cancel after a refusal writes nothing";
    }
  }
}

TEST_F(BirthCounts, ByOrderClearingTheLastOwnCountBlanksTheAnswerAndASingleHasNoSpouseColumn) {
  qxtest::MemberView view(1, kSingle);
  std::vector<std::uint8_t> block(o::kBlockSize);
  o::Declarant[2].set(block.data(), 1.0);
  o::LivesWithBoth.set(block.data(), 1);
  bool spouse = true, common = true, answerAfter = true;
  Launch("IDD_AUTONOM6_M", block, [&](CTemplateDlg& d) {
    spouse = d.GetDlgItem(397)->isEnabled();
    common = d.GetDlgItem(24581)->isEnabled();
    TypeInto(d, 396, QStringLiteral("\b\b\b\b\b\b0"));
    answerAfter = d.GetDlgItem(CAutonom6MDlg::kLivesWithBoth)->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(spouse);
  EXPECT_FALSE(common);
  EXPECT_FALSE(answerAfter);
  EXPECT_EQ(o::LivesWithBoth.get(block.data()), 255);
  EXPECT_EQ(o::Declarant[2].get(block.data()), 0.0);
}

TEST_F(BirthCounts, ByPeriodEachPeriodHasItsOwnAnswerAndMultipleBirthsNeedA2003Count) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(p::kBlockSize);
  std::vector<bool> offered;
  qxtest::ScriptedMessages scripted({kAnsCorregir});
  Launch("IDD_AUTONOM5_G", block, [&](CTemplateDlg& d) {
    TypeInto(d, 396, QStringLiteral("1"));  // 2001/2002, declarant
    offered = {d.GetDlgItem(CAutonom5GDlg::kLivesWithBoth2003)->isEnabled(),
               d.GetDlgItem(CAutonom5GDlg::kLivesWithBothEarlier)->isEnabled()};
    Answer(d, CAutonom5GDlg::kLivesWithBothEarlier, Qt::Key_N);
    TypeInto(d, 24666, QStringLiteral("1"));  // multiple births of the spouse without a 2003 count
    Press(d, ui::IDOK);                       // Corregir: stays open
    TypeInto(d, 393, QStringLiteral("1"));
    Press(d, ui::IDOK);                       // the 2003 answer is missing now
    Answer(d, CAutonom5GDlg::kLivesWithBoth2003, Qt::Key_S);
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(offered, (std::vector<bool>{false, true}));
  EXPECT_EQ(scripted.Codes(), (std::vector<QString>{QStringLiteral("100P083"), QStringLiteral("100R085")}));
  EXPECT_EQ(p::DeclarantEarlier.get(block.data()), 1.0);
  EXPECT_EQ(p::Spouse2003.get(block.data()), 1.0);
  EXPECT_EQ(p::MultipleSpouse.get(block.data()), 1.0);
  EXPECT_EQ(p::LivesWithBothEarlier.get(block.data()), 0);
  EXPECT_EQ(p::LivesWithBoth2003.get(block.data()), 1);
}

TEST_F(BirthCounts, AMemberViewLeavesTheBytes) {
  for (const char* name : {"IDD_AUTONOM6_M", "IDD_AUTONOM5_G"}) {
    qxtest::MemberView view(2, kCouple);
    std::vector<std::uint8_t> block(std::string(name) == "IDD_AUTONOM6_M" ? o::kBlockSize : p::kBlockSize);
    block[8] = 0x40;
    const std::vector<std::uint8_t> before = block;
    bool enabled = true;
    Launch(name, block, [&](CTemplateDlg& d) {
      enabled = d.GetDlgItem(std::string(name) == "IDD_AUTONOM6_M" ? 1527 : 392)->isEnabled();
      Press(d, ui::IDOK);
    });
    EXPECT_FALSE(enabled) << name;
    EXPECT_EQ(block, before) << name;
  }
}

}  // namespace

namespace {

namespace mv = annex::autonom7v2;

class MultipleMark : public annextest::AnnexTest {};

void Toggle(CTemplateDlg& d, int id, Qt::Key key) {
  QWidget* w = d.GetDlgItem(id);
  w->setFocus();
  QTest::keyClick(w, key);
}

TEST_F(MultipleMark, OneMarkAtATimeAndTheAnswerOnlyForTheDeclarantOrTheSpouse) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(mv::kBlockSize);
  std::vector<bool> afterCommon, afterDeclarant;
  Launch("IDD_AUTONOM7_V2", block, [&](CTemplateDlg& d) {
    Toggle(d, CAutonom7V2Dlg::kCommon, Qt::Key_X);
    afterCommon = {d.GetDlgItem(CAutonom7V2Dlg::kDeclarant)->isEnabled(),
                   d.GetDlgItem(CAutonom7V2Dlg::kSpouse)->isEnabled(),
                   d.GetDlgItem(CAutonom7V2Dlg::kLivesWithBoth)->isEnabled()};
    Toggle(d, CAutonom7V2Dlg::kCommon, Qt::Key_Space);  // cleared
    Toggle(d, CAutonom7V2Dlg::kDeclarant, Qt::Key_X);
    afterDeclarant = {d.GetDlgItem(CAutonom7V2Dlg::kCommon)->isEnabled(),
                      d.GetDlgItem(CAutonom7V2Dlg::kSpouse)->isEnabled(),
                      d.GetDlgItem(CAutonom7V2Dlg::kLivesWithBoth)->isEnabled()};
    Press(d, ui::IDOK);  // unanswered: refused
    Answer(d, CAutonom7V2Dlg::kLivesWithBoth, Qt::Key_S);
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(afterCommon, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(afterDeclarant, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R085")});
  EXPECT_EQ(block, (std::vector<std::uint8_t>{0, 1, 0, 1}));
}

TEST_F(MultipleMark, ACommonMarkNeedsNoAnswerAndCancelKeepsTheBytes) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block{0, 0, 1, 0};
  Launch("IDD_AUTONOM7_V2", block, [&](CTemplateDlg& d) {
    Toggle(d, CAutonom7V2Dlg::kSpouse, Qt::Key_Space);
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(block, (std::vector<std::uint8_t>{0, 0, 1, 0}));
  block = {1, 0, 0, 1};  // a stale answer beside the common mark is blanked on opening
  Launch("IDD_AUTONOM7_V2", block, [&](CTemplateDlg& d) { Press(d, ui::IDOK); });
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(block, (std::vector<std::uint8_t>{1, 0, 0, 255}));
}

}  // namespace

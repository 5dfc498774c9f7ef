// The member-mark and aid-amount annexes, opened through the launch table on fixture blocks and
// typed into with real keys.
#include <QLabel>

#include "annex/autonom3ct_dlg.h"
#include "annex/member_marks_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace mm = annex::member_marks;
namespace ac = annex::autonom3ct;

constexpr std::array<int, 5> kSingle{1, 1, 0, 0, 0}, kCouple{1, 1, 1, 0, 0}, kFamily{1, 1, 1, 1, 1};

void Mark(CTemplateDlg& d, int id) {
  QWidget* w = d.GetDlgItem(id);
  w->setFocus();
  QTest::keyClick(w, Qt::Key_X);
}

class MemberMarks : public AnnexTest {};

TEST_F(MemberMarks, EachMarkGoesToItsByteAndOnlyMembersOfTheHouseholdAreOffered) {
  struct Case {
    const char* name;
    std::array<int, 5> household;
    std::vector<int> ids;            // the marks in block order
    std::vector<bool> enabled;
    std::vector<std::uint8_t> after; // every offered mark typed, OK
  };
  const Case cases[] = {
      {"IDD_DEC2CRUZ2", kCouple, {1556, 1568}, {true, true}, {1, 1}},
      {"IDD_DEC2CRUZ2", kSingle, {1556, 1568}, {true, false}, {1, 0}},
      {"IDD_DEC3CRUZ3", kCouple, {24618, 1349, 392}, {true, true, true}, {1, 1, 1}},
      {"IDD_DEC3CRUZ3", kSingle, {24618, 1349, 392}, {false, true, false}, {0, 1, 0}},
      {"IDD_DEC4CRUZ4", kFamily, {1349, 392, 393, 394}, {true, true, true, true}, {1, 1, 1, 1}},
      {"IDD_DEC4CRUZ4", kCouple, {1349, 392, 393, 394}, {true, true, false, false}, {1, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    qxtest::MemberView view(1, c.household);
    std::vector<std::uint8_t> block(c.after.size());
    std::vector<bool> enabled;
    Launch(c.name, block, [&](CTemplateDlg& d) {
      for (int id : c.ids) {
        enabled.push_back(d.GetDlgItem(id)->isEnabled());
        if (enabled.back()) Mark(d, id);
      }
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(enabled, c.enabled) << c.name;
    EXPECT_EQ(block, c.after) << c.name;
  }
}

TEST_F(MemberMarks, CancelAndAMemberViewLeaveTheBytes) {
  for (const char* name : {"IDD_DEC2CRUZ2", "IDD_DEC3CRUZ3", "IDD_DEC4CRUZ4", "IDD_AUTONOM3_CT"}) {
    for (int shown : {1, 2}) {
      qxtest::MemberView view(shown, kCouple);
      std::vector<std::uint8_t> block(std::string(name) == "IDD_DEC2CRUZ2" ? 2 : std::string(name) == "IDD_AUTONOM3_CT" ? 16
                                    : std::string(name) == "IDD_DEC3CRUZ3"   ? 3
                                                                             : 4);
      const std::vector<std::uint8_t> before = block;
      bool anyEnabled = false;
      Launch(name, block, [&](CTemplateDlg& d) {
        for (CEditEx* e : d.findChildren<CEditEx*>()) anyEnabled |= e->isEnabled();
        if (shown == 1)
          for (CEditEx* e : d.findChildren<CEditEx*>())
            if (e->isEnabled()) {
              e->setFocus();
              QTest::keyClicks(e, QStringLiteral("X1"));
              QTest::keyClick(e, Qt::Key_Tab);
            }
        Press(d, shown == 1 ? ui::IDCANCEL : ui::IDOK);
      });
      EXPECT_EQ(anyEnabled, shown == 1) << name;
      EXPECT_EQ(block, before) << name;
    }
  }
}

TEST_F(MemberMarks, TheVariantChoosesTheExplanationAndTheHelpTopic) {
  struct Case {
    const char* descriptor;
    int textId;  // 0: the template's text stays
    int topic;   // 0: help opens nothing
  };
  const Case cases[] = {
      {"IDD_DEC2CRUZ2*2", 231, 601}, {"IDD_DEC2CRUZ2*1", 230, 918}, {"IDD_DEC2CRUZ2*7", 95640, 0},
      {"IDD_DEC4CRUZ4*1", 219, 912}, {"IDD_DEC4CRUZ4*5", 221, 0},   {"IDD_DEC4CRUZ4*9", 95641, 0},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block(4);
    int topic = 0;
    QString text;
    platform::SetHelpHook([&](int t) { topic = t; });
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      text = d.Item<QLabel>(mm::kExplanation)->text();
      Press(d, ui::kHelpButtonId);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(text, platform::LoadString(c.textId)) << c.descriptor;
    EXPECT_EQ(topic, c.topic) << c.descriptor;
  }
}

TEST_F(MemberMarks, AnAidAmountWithoutAHolderIsDroppedAndClearingTheHolderClearsTheAmount) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(ac::kBlockSize);
  Launch("IDD_AUTONOM3_CT", block, [&](CTemplateDlg& d) {
    TypeInto(d, CAutonom3CtDlg::kAmount, QStringLiteral("250"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(ac::Amount.get(block.data()), 0.0);

  ac::Holder.set(block.data(), 2);
  ac::Amount.set(block.data(), 80.0);
  QString amountAfterClear;
  Launch("IDD_AUTONOM3_CT", block, [&](CTemplateDlg& d) {
    auto* holder = d.GetDlgItem(CAutonom3CtDlg::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    amountAfterClear = d.Edit(CAutonom3CtDlg::kAmount)->text();
    Press(d, ui::IDCANCEL);
  });
  EXPECT_TRUE(amountAfterClear.isEmpty() || amountAfterClear == QStringLiteral("0,00")) << amountAfterClear.toStdString();
  EXPECT_EQ(ac::Amount.get(block.data()), 80.0) << "Cancel";

  Launch("IDD_AUTONOM3_CT", block, [&](CTemplateDlg& d) {
    auto* holder = d.GetDlgItem(CAutonom3CtDlg::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_C);
    TypeInto(d, CAutonom3CtDlg::kAmount, QStringLiteral("\b\b\b\b\b\b5"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(ac::Holder.get(block.data()), 3);
  EXPECT_EQ(ac::Amount.get(block.data()), 5.0);
}

}  // namespace

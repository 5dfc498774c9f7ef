// The large-family dialog opened through its launch entry on a block with guard bytes beyond it:
// typed into with keys, OK writing the holder, the persons and the large-family answer only,
// Cancel and the member view leaving the bytes as they were, the persons rule and its check.
#include <QAbstractButton>

#include "annex/famnume_dlg.h"
#include "annex_fixture.h"
#include "platform/help.h"
#include "ui/launcher_edit.h"

namespace {

namespace f = annex::famnume;
using Dlg = CFamnumeDlg;
constexpr std::size_t kGuard = 16;

class Famnume : public annextest::AnnexTest {
 protected:
  // Runs the launch with `actions` on the open dialog; the answer of the launch.
  int Launch(const std::function<void(Dlg&)>& actions) {
    CDialogLauncherEdit launcher(8, 2, "IDD_FAMNUME");
    launcher.SetOption(bytes.data());
    qxtest::WhenModal([&](QWidget* m) {
      auto* d = dynamic_cast<Dlg*>(m);
      ASSERT_NE(d, nullptr);
      actions(*d);
    });
    return launcher.Launch();
  }
  static void Keys(Dlg& d, int id, const QString& keys) {
    QWidget* e = d.GetDlgItem(id);
    e->setFocus();
    QTest::keyClicks(e, keys);
    QTest::keyClick(e, Qt::Key_Tab);
  }
  static void Press(Dlg& d, int id) { static_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

  std::array<std::uint8_t, f::kBlockSize + kGuard> bytes = [] {
    std::array<std::uint8_t, f::kBlockSize + kGuard> b{};
    b.fill(0xA5);  // padding and guard bytes
    b[0] = 255;
    b[1] = 0;
    f::Persons.set(b.data(), 0.0);
    return b;
  }();
};

TEST_F(Famnume, OkWritesTheAnswerTheHolderAndThePersonsOnly) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  struct Case {
    const char* holderKey;
    const char* persons;
    std::uint8_t holder;
    double stored;
    bool personsEnabled;
  };
  for (const Case& c : {Case{"D", "3", 2, 3.0, true}, Case{"C", "1", 3, 1.0, true}, Case{"O", "", 1, 0.0, false}}) {
    const auto before = bytes;
    bool enabled = false;
    Launch([&](Dlg& d) {
      Keys(d, Dlg::kLargeFamily, QStringLiteral("s"));
      Keys(d, Dlg::kHolder, QString::fromLatin1(c.holderKey));
      enabled = d.GetDlgItem(Dlg::kPersons)->isEnabled();
      if (enabled) Keys(d, Dlg::kPersons, QString::fromLatin1(c.persons));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(enabled, c.personsEnabled) << c.holderKey;
    EXPECT_EQ(f::LargeFamily.get(bytes.data()), 1) << c.holderKey;
    EXPECT_EQ(f::Holder.get(bytes.data()), c.holder) << c.holderKey;
    EXPECT_EQ(f::Persons.get(bytes.data()), c.stored) << c.holderKey;
    for (std::size_t i = 2; i < bytes.size(); ++i) {
      if (i < f::Persons.off || i >= f::Persons.off + 8) {
        EXPECT_EQ(bytes[i], before[i]) << "byte " << i;
      }
    }
    bytes = before;
  }
}

TEST_F(Famnume, AHolderOfHisOwnNeedsThePersonsAndCommonForcesThemToZero) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  bool stayedOpen = false;
  Launch([&](Dlg& d) {
    Keys(d, Dlg::kHolder, QStringLiteral("D"));
    Press(d, ui::IDOK);
    stayedOpen = d.isVisible();
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
    Keys(d, Dlg::kPersons, QStringLiteral("2"));
    Keys(d, Dlg::kHolder, QStringLiteral("O"));  // common: the persons go
    EXPECT_FALSE(d.GetDlgItem(Dlg::kPersons)->isEnabled());
    EXPECT_EQ(d.Edit(Dlg::kPersons)->text().trimmed(), QString());
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(f::Holder.get(bytes.data()), 1);
  EXPECT_EQ(f::Persons.get(bytes.data()), 0.0);
}

TEST_F(Famnume, CancelAndTheMemberViewLeaveTheBytes) {
  const auto before = bytes;
  {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    Launch([&](Dlg& d) {
      Keys(d, Dlg::kLargeFamily, QStringLiteral("s"));
      Keys(d, Dlg::kHolder, QStringLiteral("D"));
      Keys(d, Dlg::kPersons, QStringLiteral("4"));
      Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(bytes, before);
  }
  qxtest::MemberView view(3, {1, 1, 1, 0, 0});
  bool editable = true;
  Launch([&](Dlg& d) {
    editable = d.GetDlgItem(Dlg::kHolder)->isEnabled() || d.GetDlgItem(Dlg::kPersons)->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(editable);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(bytes, before);
}

TEST_F(Famnume, ClearingTheHolderTakesTheAnswerBackToNoAndHelpOpensItsTopic) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  bytes[0] = 1;
  std::vector<int> topics;
  platform::SetHelpHook([&](int t) { topics.push_back(t); });
  Launch([&](Dlg& d) {
    Keys(d, Dlg::kHolder, QStringLiteral("D"));
    QWidget* holder = d.GetDlgItem(Dlg::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    Keys(d, Dlg::kHolder, QStringLiteral("D"));
    Keys(d, Dlg::kPersons, QStringLiteral("2"));
    Press(d, ui::kHelpButtonId);
    Press(d, ui::IDOK);
  });
  platform::SetHelpHook({});
  EXPECT_EQ(topics, std::vector<int>{936});
  EXPECT_EQ(f::LargeFamily.get(bytes.data()), 0);
  EXPECT_EQ(f::Holder.get(bytes.data()), 2);
  EXPECT_EQ(f::Persons.get(bytes.data()), 2.0);
}

}  // namespace

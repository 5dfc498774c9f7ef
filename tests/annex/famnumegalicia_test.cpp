// The large-family dialog by category, opened through its launch entry on a block with guard
// bytes: the categories exclude each other, a common holder applies no persons, clearing the
// holder clears the rest, the check, Cancel and the member view, the help topic per variant.
#include <QAbstractButton>

#include "annex/famnumegalicia_dlg.h"
#include "annex_fixture.h"
#include "platform/help.h"
#include "ui/box_edit.h"
#include "ui/launcher_edit.h"

namespace {

namespace f = annex::famnumegalicia;
using Dlg = CFamnumegaliciaDlg;
constexpr std::size_t kGuard = 16;
using Bytes = std::array<std::uint8_t, f::kBlockSize + kGuard>;

class Famnumegalicia : public annextest::AnnexTest {
 protected:
  int Launch(const char* descriptor, const std::function<void(Dlg&)>& actions) {
    CDialogLauncherEdit launcher(8, 2, descriptor);
    launcher.SetOption(bytes.data());
    qxtest::WhenModal([&](QWidget* m) {
      auto* d = dynamic_cast<Dlg*>(m);
      ASSERT_NE(d, nullptr);
      actions(*d);
    });
    return launcher.Launch();
  }
  int Launch(const std::function<void(Dlg&)>& actions) { return Launch("IDD_FAMNUMEGALICIA", actions); }
  static void Keys(Dlg& d, int id, const QString& keys) {
    QWidget* e = d.GetDlgItem(id);
    e->setFocus();
    QTest::keyClicks(e, keys);
    QTest::keyClick(e, Qt::Key_Tab);
  }
  static void Press(Dlg& d, int id) { static_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

  Bytes bytes = [] {
    Bytes b{};
    b.fill(0xA5);
    for (std::size_t i = 0; i < 4; ++i) b[i] = 0;
    f::Persons.set(b.data(), 0.0);
    return b;
  }();
};

TEST_F(Famnumegalicia, TheCategoryMarkedLastIsTheOneKept) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  struct Case {
    std::vector<int> marked;
    std::array<int, 3> stored;
  };
  for (const Case& c : {Case{{Dlg::kFirst}, {1, 0, 0}}, Case{{Dlg::kFirst, Dlg::kHonour}, {0, 0, 1}},
                        Case{{Dlg::kHonour, Dlg::kSecond}, {0, 1, 0}}}) {
    const Bytes before = bytes;
    Launch([&](Dlg& d) {
      for (int id : c.marked) Keys(d, id, QStringLiteral("x"));
      Keys(d, Dlg::kHolder, QStringLiteral("D"));
      Keys(d, Dlg::kPersons, QStringLiteral("5"));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(f::FirstCategory.get(bytes.data()), c.stored[0]);
    EXPECT_EQ(f::SecondCategory.get(bytes.data()), c.stored[1]);
    EXPECT_EQ(f::HonourCategory.get(bytes.data()), c.stored[2]);
    EXPECT_EQ(f::Holder.get(bytes.data()), 2);
    EXPECT_EQ(f::Persons.get(bytes.data()), 5.0);
    for (std::size_t i = 4; i < bytes.size(); ++i) {
      if (i < f::Persons.off || i >= f::Persons.off + 8) {
        EXPECT_EQ(bytes[i], before[i]) << "byte " << i;
      }
    }
    bytes = before;
  }
}

TEST_F(Famnumegalicia, ACommonHolderForcesThePersonsToZeroAndAnOwnHolderNeedsThem) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  f::Persons.set(bytes.data(), 4.0);
  bool stayedOpen = false;
  Launch([&](Dlg& d) {
    Keys(d, Dlg::kSecond, QStringLiteral("x"));
    Keys(d, Dlg::kHolder, QStringLiteral("O"));
    EXPECT_FALSE(d.GetDlgItem(Dlg::kPersons)->isEnabled());
    Keys(d, Dlg::kHolder, QStringLiteral("C"));
    EXPECT_TRUE(d.GetDlgItem(Dlg::kPersons)->isEnabled());
    Press(d, ui::IDOK);
    stayedOpen = d.isVisible();
    Keys(d, Dlg::kHolder, QStringLiteral("O"));
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
  EXPECT_EQ(f::Holder.get(bytes.data()), 1);
  EXPECT_EQ(f::Persons.get(bytes.data()), 0.0);
  EXPECT_EQ(f::SecondCategory.get(bytes.data()), 1);
}

TEST_F(Famnumegalicia, ClearingTheHolderClearsTheCategoriesAndThePersons) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  bytes[0] = 1;
  bytes[3] = 2;
  f::Persons.set(bytes.data(), 3.0);
  Launch([&](Dlg& d) {
    QWidget* holder = d.GetDlgItem(Dlg::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(f::FirstCategory.get(bytes.data()), 0);
  EXPECT_EQ(f::Persons.get(bytes.data()), 0.0);
}

TEST_F(Famnumegalicia, CancelAndTheMemberViewLeaveTheBytes) {
  const Bytes before = bytes;
  {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    Launch([&](Dlg& d) {
      Keys(d, Dlg::kHonour, QStringLiteral("x"));
      Keys(d, Dlg::kHolder, QStringLiteral("D"));
      Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(bytes, before);
  }
  qxtest::MemberView view(2, {1, 1, 1, 0, 0});
  bool editable = true;
  Launch([&](Dlg& d) {
    editable = d.GetDlgItem(Dlg::kFirst)->isEnabled() || d.GetDlgItem(Dlg::kHolder)->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(editable);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(bytes, before);
}

TEST_F(Famnumegalicia, TheHelpTopicFollowsTheVariant) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  struct Case {
    const char* descriptor;
    std::vector<int> topics;
  };
  for (const Case& c : {Case{"IDD_FAMNUMEGALICIA*1", {944}}, Case{"IDD_FAMNUMEGALICIA*2", {963}},
                        Case{"IDD_FAMNUMEGALICIA*5", {}}}) {
    std::vector<int> topics;
    platform::SetHelpHook([&](int t) { topics.push_back(t); });
    Launch(c.descriptor, [&](Dlg& d) {
      Press(d, ui::kHelpButtonId);
      Press(d, ui::IDCANCEL);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(topics, c.topics) << c.descriptor;
  }
}

}  // namespace

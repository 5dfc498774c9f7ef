// Real-estate capital income: six items side by side, the type deciding the amounts, the checks of
// OK, the item handling of Delete and of a type change, and the member view.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include <cstring>

#include "annex/inmobiliario_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/strings.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"
#include "ui/message_dlg.h"

namespace {

namespace f = annex::inmobiliario;
using annextest::AnnexTest;
using D = CInmobiliarioDlg;

struct Item {
  std::uint8_t holder = 0;
  char type = 0;
  double income = 0, sublease = 0, interest = 0, amortisation = 0, compensation = 0, other = 0, reduction = 0,
         withholdings = 0;
};

std::vector<std::uint8_t> Block(std::initializer_list<Item> items) {
  std::vector<std::uint8_t> b(f::kBlockSize);
  int k = 0;
  for (const Item& x : items) {
    std::uint8_t* row = b.data() + f::kItemSize * static_cast<std::size_t>(k++);
    f::Holder.set(row, x.holder);
    row[f::Type.off] = static_cast<std::uint8_t>(x.type);
    f::Income.set(row, x.income);
    f::SubleaseShare.set(row, x.sublease);
    f::Interest.set(row, x.interest);
    f::Amortisation.set(row, x.amortisation);
    f::FiscalCompensation.set(row, x.compensation);
    f::OtherExpenses.set(row, x.other);
    f::Reduction.set(row, x.reduction);
    f::Withholdings.set(row, x.withholdings);
  }
  return b;
}

class Inmobiliario : public AnnexTest {
 protected:
  // The dialog on `block`, shown, with the family unit in view.
  std::unique_ptr<D> Open(const std::vector<std::uint8_t>& block) {
    auto d = std::make_unique<D>(ui::AnnexArgs{});
    std::memcpy(d->AnnexBlock().data(), block.data(), block.size());
    d->EnsureCreated();
    EXPECT_TRUE(qxtest::ShowActive(d.get()));
    return d;
  }
  static void Press(D& d, int id) { d.Item<QAbstractButton>(id)->click(); }
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
};

TEST_F(Inmobiliario, TheChecksOfOkRefuseOrWarnItemByItem) {
  struct Case {
    const char* what;
    Item item;
    std::vector<int> answers;
    std::vector<QString> codes;
    bool accepted;
  };
  const auto A = [](double income, double reduction, double withholdings = 0, double amortisation = 0,
                    double compensation = 0, double interest = 0) {
    return Item{2, '1', income, 0, interest, amortisation, compensation, 0, reduction, withholdings};
  };
  const Case cases[] = {
      {"reduction at 40 per cent and half a cent", A(1000, 400.50), {}, {}, true},
      {"reduction over it is refused", A(1000, 400.51), {}, {"100R021"}, false},
      {"a negative reduction is not refused by that check", A(1000, -10), {}, {"100P014"}, true},
      {"withholdings at 15 per cent and half a cent", A(1000, 0, 150.50), {}, {}, true},
      {"withholdings over it warn; Corregir refuses", A(1000, 0, 150.51), {kAnsCorregir}, {"100P044"}, false},
      {"compensation over amortisation warns", A(1000, 0, 0, 500, 600), {}, {"100P068"}, true},
      {"compensation without amortisation does not", A(1000, 0, 0, 0, 600), {}, {}, true},
      {"reduction at 40 per cent of the net", A(1000, 280.50, 0, 0, 0, 300), {}, {}, true},
      {"reduction over 40 per cent of the net warns", A(1000, 280.51, 0, 0, 0, 300), {}, {"100P069"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::ScriptedMessages msgs({c.answers.begin(), c.answers.end()});
    auto d = Open(Block({c.item}));
    Press(*d, ui::IDOK);
    EXPECT_EQ(msgs.Codes(), c.codes);
    EXPECT_EQ(d->isVisible(), !c.accepted);
  }
}

TEST_F(Inmobiliario, TheTypeDecidesWhichAmountsCanBeTyped) {
  auto d = Open(Block({{2, '1'}, {2, '2'}, {3, 0}}));
  EXPECT_EQ(d->windowTitle(), QStringLiteral("(B) RENDIMIENTOS DEL CAPITAL INMOBILIARIO"));
  for (const int* column : {D::kIncome, D::kInterest, D::kReduction, D::kWithholdings})
    EXPECT_TRUE(d->GetDlgItem(column[0])->isEnabled());
  for (const int* column : {D::kIncome, D::kSublease, D::kWithholdings}) EXPECT_TRUE(d->GetDlgItem(column[1])->isEnabled());
  for (const int* column : {D::kInterest, D::kAmortisation, D::kCompensation, D::kOther, D::kReduction})
    EXPECT_FALSE(d->GetDlgItem(column[1])->isEnabled());
  EXPECT_TRUE(d->GetDlgItem(D::kTypes[2])->isEnabled()) << "a holder opens the type";
  EXPECT_FALSE(d->GetDlgItem(D::kIncome[2])->isEnabled()) << "no type, no amounts";
  EXPECT_FALSE(d->GetDlgItem(D::kTypes[3])->isEnabled()) << "no holder, no type";
  d->GetDlgItem(D::kReduction[0])->setFocus();
  EXPECT_EQ(d->Item<QLabel>(D::kHint)->text(), platform::LoadString(60));
  d->GetDlgItem(D::kIncome[0])->setFocus();
  EXPECT_TRUE(d->Item<QLabel>(D::kHint)->text().isEmpty());
}

TEST_F(Inmobiliario, ChangingTheTypeToIncomeOnlyAsksAboutTheExpenses) {
  for (const int answer : {kAnsCorregir, kAnsAceptar}) {
    SCOPED_TRACE(answer);
    qxtest::ScriptedMessages msgs({answer});
    auto d = Open(Block({{2, '1', 1000, 100, 50, 0, 0, 0, 20, 30}}));
    QLineEdit* type = d->Edit(D::kTypes[0]);
    type->setFocus();
    type->selectAll();
    QTest::keyClicks(type, QStringLiteral("c"));  // the first type whose description begins with C
    QTest::keyClick(type, Qt::Key_Tab);
    EXPECT_EQ(msgs.Codes(), std::vector<QString>{QStringLiteral("100P080")});
    const std::uint8_t* row = d->Row(0);
    if (answer == kAnsCorregir) {
      EXPECT_EQ(f::Type.raw(row)[0], '1') << "the type goes back";
      EXPECT_EQ(f::Interest.get(row), 50.0);
    } else {
      EXPECT_EQ(f::Type.raw(row)[0], '2');
      EXPECT_EQ(f::Interest.get(row), 0.0);
      EXPECT_EQ(f::Reduction.get(row), 0.0);
      EXPECT_EQ(f::Income.get(row), 1000.0);
      EXPECT_EQ(f::SubleaseShare.get(row), 100.0);
      EXPECT_EQ(f::Withholdings.get(row), 30.0);
    }
  }
}

TEST_F(Inmobiliario, DeletingAHolderMovesTheLaterItemsUp) {
  auto d = Open(Block({{2, '1', 100}, {3, '1', 200}, {2, '3', 300}}));
  QLineEdit* holder = d->Edit(D::kHolders[1]);
  holder->setFocus();
  QTest::keyClick(holder, Qt::Key_Delete);
  EXPECT_EQ(f::Holder.get(d->Row(1)), 2);
  EXPECT_EQ(f::Type.raw(d->Row(1))[0], '3');
  EXPECT_EQ(f::Income.get(d->Row(1)), 300.0);
  EXPECT_EQ(f::Holder.get(d->Row(2)), 0);
  EXPECT_EQ(f::Income.get(d->Row(2)), 0.0);
  EXPECT_EQ(d->Edit(D::kIncome[1])->text(), QStringLiteral("300,00"));
}

// Through the launch table, as the page's box opens it: OK writes the typed amounts, Cancel
// nothing; the spouse's view shows half of a common item as the spouse's and changes nothing.
TEST_F(Inmobiliario, ThroughTheLaunchTable) {
  const std::vector<std::uint8_t> declared = Block({{1, '1', 1000}, {2, '2', 400}});
  struct Case {
    const char* what;
    int shown;
    bool ok;
  };
  for (const Case& c : {Case{"family unit, OK", 1, true}, Case{"family unit, Cancel", 1, false},
                        Case{"spouse's view", 3, true}}) {
    SCOPED_TRACE(c.what);
    qxtest::MemberView member(c.shown, {1, 1, 1, 0, 0});
    std::vector<std::uint8_t> block = declared;
    annextest::Launch("IDD_INMOBILIARIO", block.data(), [&](CTemplateDlg& t) {
      auto& d = dynamic_cast<D&>(t);
      if (c.shown == 1) {
        annextest::TypeInto(d, D::kWithholdings[1], QStringLiteral("\b\b\b\b60"));
      } else {
        EXPECT_EQ(d.Edit(D::kIncome[0])->text(), QStringLiteral("500,00"));
        EXPECT_EQ(f::Holder.get(d.Row(0)), 2);
        EXPECT_FALSE(d.GetDlgItem(D::kIncome[0])->isEnabled());
      }
      annextest::Press(d, c.ok ? ui::IDOK : ui::IDCANCEL);
    });
    std::vector<std::uint8_t> expected = declared;
    if (c.shown == 1 && c.ok) f::Withholdings.set(expected.data() + f::kItemSize, 60.0);
    EXPECT_EQ(block, expected);
  }
}

}  // namespace

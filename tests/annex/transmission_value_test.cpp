// The transmission value dialogs opened through the launch table on one item of a fixture
// declaration: OK writing the transmission fields of the item and nothing else, Cancel and the
// member view nothing at all, the marks and amounts opened by the element's kind, the instalment
// rule, the reinvestment rule and the checks of OK in each dialog's order.
#include "annex/transmission_value_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::ItemFixture;
using annextest::Press;
using annextest::TypeInto;
using D = CValtransDlg;
namespace tr = annex::transmission;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

struct Dialog {
  const char* name;
  bool longTerm;
  bool business;
  int noLoss;
  int help;
  const tr::Fields& fields;
};
const Dialog kDialogs[] = {
    {"IDD_VALTRANSENA2", true, false, CValtransena2Dlg::kNoLoss, 440, tr::kLongTerm},
    {"IDD_VALTRANSENA", false, false, CValtransenaDlg::kNoLoss, 431, tr::kReductions},
    {"IDD_VALTRANSEA2", true, true, CValtransea2Dlg::kNoLoss, 441, tr::kLongTerm},
    {"IDD_VALTRANSEA", false, true, CValtranseaDlg::kNoLoss, 432, tr::kReductions},
};

class Transmission : public AnnexTest {
 protected:
  qxtest::MemberView view{1, kCouple};
};

TEST_F(Transmission, OkWritesTheTransmissionFieldsAndCancelNothing) {
  for (const Dialog& c : kDialogs)
    for (bool ok : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.name << (ok ? " OK" : " Cancel"));
      // Kind 3 opens the reinvestment, kind 2 the taxi licence.
      ItemFixture f(c.longTerm, 7, c.business ? '2' : '3');
      const std::vector<std::uint8_t> before = f.decl.bytes;
      f.Open(c.name, [&](CTemplateDlg& d) {
        if (c.business) TypeInto(d, D::kTaxi, QStringLiteral("x"));
        TypeInto(d, D::kAmount, QStringLiteral("10000"));
        TypeInto(d, D::kExpenses, QStringLiteral("100"));
        EXPECT_FALSE(d.GetDlgItem(D::kCollected)->isEnabled()) << "no instalments yet";
        TypeInto(d, D::kInstalments, QStringLiteral("x"));
        EXPECT_TRUE(d.GetDlgItem(D::kCollected)->isEnabled());
        TypeInto(d, D::kCollected, QStringLiteral("2000"));
        if (!c.business) {
          TypeInto(d, D::kReinvested, QStringLiteral("5000"));
          EXPECT_TRUE(d.GetDlgItem(D::kLoan)->isEnabled());
          TypeInto(d, D::kLoan, QStringLiteral("1000"));
        }
        TypeInto(d, c.noLoss, QStringLiteral("x"));
        Press(d, ok ? ui::IDOK : ui::IDCANCEL);
      });
      EXPECT_TRUE(messages.Codes().empty());
      if (!ok) {
        EXPECT_EQ(f.decl.bytes, before);
        continue;
      }
      std::vector<std::uint8_t> item = f.Copy();
      std::memcpy(item.data(), before.data() + f.Offset(), item.size());
      if (c.business) c.fields.taxi.set(item.data(), 1);
      c.fields.amount.set(item.data(), 10000.0);
      c.fields.expenses.set(item.data(), 100.0);
      c.fields.instalments.set(item.data(), 1);
      c.fields.collected.set(item.data(), 2000.0);
      if (!c.business) {
        c.fields.reinvested.set(item.data(), 5000.0);
        c.fields.loan.set(item.data(), 1000.0);
      }
      c.fields.noLoss.set(item.data(), 1);
      EXPECT_EQ(f.decl.bytes, f.With(item));
    }
}

TEST_F(Transmission, TheChecksOfOkRefuseInEachDialogsOrder) {
  struct Case {
    int dialog;  // index in kDialogs
    double T, E, C, R, L;
    const char* code;  // null: accepted
  };
  const Case cases[] = {
      {0, 10000, 0, 0, 0, 10000, "100R049"},      {0, 10000, 0, 0, 10000.01, 0, "100R048"},
      {0, 10000, 0, 10000.01, 0, 0, "100R047"},   {0, 10000, 9000, 10000, 10000, 999.99, nullptr},
      {1, 10000, 10000, 0, 0, 0, "100R049"},      {1, 0, 0, 0, 0, 0, nullptr},
      {1, 100, 0, 0, 50, 0, nullptr},             {2, 10000, 10000, 0, 0, 0, "100R053"},
      {2, 0, 0, 0, 0, 0, nullptr},                {2, 400, 0, 0, 0, 500, "100R054"},
      {2, 400, 0, 0, 400.01, 0, "100R048"},       {3, 400, 0, 0, 400.01, 0, "100R048"},
      {3, 400, 400, 0, 0, 0, "100R053"},          {3, 400, 0, 0, 0, 400, "100R054"},
      {3, 400, 0, 400.01, 0, 0, "100R047"},       {3, 400, 399.99, 400, 400, 0, nullptr},
  };
  for (const Case& c : cases) {
    const Dialog& dlg = kDialogs[c.dialog];
    SCOPED_TRACE(testing::Message() << dlg.name << " T " << c.T << " E " << c.E << " C " << c.C << " R " << c.R
                                    << " L " << c.L);
    ItemFixture f(dlg.longTerm, 0, '3');
    const tr::Fields& fl = dlg.fields;
    fl.amount.set(f.Item(), c.T);
    fl.expenses.set(f.Item(), c.E);
    fl.instalments.set(f.Item(), c.C != 0.0 ? 1 : 0);
    fl.collected.set(f.Item(), c.C);
    fl.reinvested.set(f.Item(), c.R);
    fl.loan.set(f.Item(), c.L);
    const std::vector<std::uint8_t> before = f.decl.bytes;
    qxtest::ScriptedMessages answers({kAnsCorregir});
    bool stayed = false;
    f.Open(dlg.name, [&](CTemplateDlg& d) {
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.code ? std::vector<QString>{QString::fromLatin1(c.code)} : std::vector<QString>{});
    if (c.code) {
      EXPECT_TRUE(stayed);
      const bool warning = std::string_view(c.code) == "100R054";
      EXPECT_EQ(answers.shown.front().icon, warning ? platform::kIconAsterisk : platform::kIconHand);
    }
    EXPECT_EQ(f.decl.bytes, before) << "the values stay as they were";
  }
}

TEST_F(Transmission, ClearingTheInstalmentMarkWithAmountsCollected) {
  struct Case {
    int dialog;
    int answer;
    std::vector<QString> codes;
    std::uint8_t mark;
    double collected;
  };
  const QString p048 = QStringLiteral("100P048");
  const Case cases[] = {{0, kAnsCorregir, {}, 0, 0.0},        // no question: the amount goes
                        {1, kAnsCorregir, {p048}, 1, 500.0},  // Corregir: the mark comes back
                        {1, kAnsContinuar, {p048}, 0, 0.0},
                        {2, kAnsCorregir, {p048}, 1, 500.0},
                        {3, kAnsContinuar, {p048}, 0, 0.0}};
  for (const Case& c : cases) {
    const Dialog& dlg = kDialogs[c.dialog];
    SCOPED_TRACE(testing::Message() << dlg.name << " " << c.answer);
    ItemFixture f(dlg.longTerm, 3, '3');
    dlg.fields.amount.set(f.Item(), 1000.0);
    dlg.fields.instalments.set(f.Item(), 1);
    dlg.fields.collected.set(f.Item(), 500.0);
    qxtest::ScriptedMessages answers({c.answer});
    bool collectedOpen = true;
    f.Open(dlg.name, [&](CTemplateDlg& d) {
      TypeInto(d, D::kInstalments, QStringLiteral("n"));
      collectedOpen = d.GetDlgItem(D::kCollected)->isEnabled();
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(collectedOpen, c.mark == 1);
    EXPECT_EQ(dlg.fields.instalments.get(f.Item()), c.mark);
    EXPECT_EQ(dlg.fields.collected.get(f.Item()), c.collected);
  }
}

TEST_F(Transmission, TheKindOpensTheTaxiLicenceAndTheReinvestment) {
  struct Case {
    int dialog;
    char kind;
    double reinvested;
    std::vector<int> open, closed;
  };
  const Case cases[] = {
      {0, '3', 0, {D::kReinvested}, {D::kLoan}},
      {0, '3', 10, {D::kReinvested, D::kLoan}, {}},
      {0, '1', 10, {}, {D::kReinvested, D::kLoan}},
      {1, '3', 0, {D::kReinvested, CValtransenaDlg::kNoLoss}, {D::kLoan}},
      {1, '1', 10, {D::kLoan}, {D::kReinvested}},  // the loan follows the amount whatever the kind
      {2, '2', 0, {D::kTaxi}, {}},
      {2, '1', 0, {}, {D::kTaxi}},
      {2, '3', 0, {}, {D::kTaxi}},
      {3, '2', 0, {D::kTaxi}, {}},
      {3, '3', 0, {D::kTaxi}, {}},
      {3, '1', 0, {}, {D::kTaxi}},
  };
  for (const Case& c : cases) {
    const Dialog& dlg = kDialogs[c.dialog];
    SCOPED_TRACE(testing::Message() << dlg.name << " kind " << c.kind);
    ItemFixture f(dlg.longTerm, 1, c.kind);
    dlg.fields.reinvested.set(f.Item(), c.reinvested);
    f.Open(dlg.name, [&](CTemplateDlg& d) {
      for (int id : c.open) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
      for (int id : c.closed) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
    });
  }
}

TEST_F(Transmission, NoAmountReinvestedLeavesNoLoan) {
  for (int dialog : {0, 1}) {
    const Dialog& dlg = kDialogs[dialog];
    ItemFixture f(dlg.longTerm, 2, '3');
    dlg.fields.amount.set(f.Item(), 9000.0);
    dlg.fields.reinvested.set(f.Item(), 800.0);
    dlg.fields.loan.set(f.Item(), 300.0);
    bool loanOpen = true;
    f.Open(dlg.name, [&](CTemplateDlg& d) {
      annextest::Retype(d, D::kReinvested, QStringLiteral("0"));
      loanOpen = d.GetDlgItem(D::kLoan)->isEnabled();
      EXPECT_EQ(annextest::Shown(d, D::kLoan), QString());
      Press(d, ui::IDOK);
    });
    EXPECT_FALSE(loanOpen) << dlg.name;
    EXPECT_EQ(dlg.fields.reinvested.get(f.Item()), 0.0) << dlg.name;
    EXPECT_EQ(dlg.fields.loan.get(f.Item()), 0.0) << dlg.name;
  }
}

TEST_F(Transmission, TheMemberViewWritesNothingAndHelpOpensEachTopic) {
  std::vector<int> topics;
  platform::SetHelpHook([&](int t) { topics.push_back(t); });
  view.Show(2);
  for (const Dialog& c : kDialogs) {
    ItemFixture f(c.longTerm, 0, '3');
    const std::vector<std::uint8_t> before = f.decl.bytes;
    bool editable = true;
    f.Open(c.name, [&](CTemplateDlg& d) {
      editable = d.GetDlgItem(D::kAmount)->isEnabled() || d.GetDlgItem(c.noLoss)->isEnabled();
      Press(d, ui::kHelpButtonId);
      Press(d, ui::IDOK);
    });
    EXPECT_FALSE(editable) << c.name;
    EXPECT_EQ(f.decl.bytes, before) << c.name;
    EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025")) << c.name;
  }
  platform::SetHelpHook({});
  EXPECT_EQ(topics, (std::vector<int>{440, 431, 441, 432}));
}

}  // namespace

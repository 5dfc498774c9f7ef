// The prize dialogs, opened through the launch table on the prize rows of a fixture declaration.
#include <QLabel>

#include "annex/premios_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace m = annex::premmet;
namespace k = annex::premesp;
namespace g1 = f100::sec_g1;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kCashAt = f100::SectionG1.offset + g1::cash::Holder.off;
const std::size_t kKindAt = f100::SectionG1.offset + g1::kind::Holder.off;

// Row r's cells of a column, as the dialogs number them.
constexpr int kCashHolder[] = {1167, 1188, 1214, 1238}, kCashGross[] = {1869, 1871, 1870, 1872},
              kCashWithholding[] = {1873, 1875, 1874, 1876};
constexpr int kKindHolder[] = {1297, 1299, 24556, 24557}, kKindValuation[] = {1618, 1621, 1619, 1622},
              kKindPayment[] = {1990, 1994, 1991, 1995}, kKindPassed[] = {1997, 2000, 1998, 2001};

class Prizes : public AnnexTest {
 protected:
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
  void ClearBlock(std::size_t at, std::size_t size) { std::fill_n(declaration.at(at), size, 0); }
};

TEST_F(Prizes, CashWithholdingsAboveFifteenPerCentWarnOnEveryRowAndOkWritesOnlyTheBlock) {
  struct Case {
    int row;
    const char* withholding;
    int answer;  // to "100P046"
    bool warned, closed;
  };
  const Case cases[] = {{0, "150,50", 0, false, true}, {0, "150,51", kAnsCorregir, true, false},
                        {0, "150,51", kAnsContinuar, true, true}, {3, "150,51", kAnsCorregir, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.withholding);
    ClearBlock(kCashAt, m::kBlockSize);
    // The rows above the typed one are used, so the typed row stays where it is.
    for (int r = 0; r < c.row; ++r) {
      m::Holder.set(declaration.at(kCashAt + m::kRowSize * r), 3);
      m::Gross.set(declaration.at(kCashAt + m::kRowSize * r), 10.0);
    }
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers({c.answer});
    bool stayed = false;
    const int launched = Launch("IDD_PREMMET", declaration.at(kCashAt), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("PREMIOS EN METÁLICO"));
      TypeInto(d, kCashHolder[c.row], QStringLiteral("D"));
      TypeInto(d, kCashGross[c.row], QStringLiteral("1000"));
      TypeInto(d, kCashWithholding[c.row], QString::fromLatin1(c.withholding));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes().size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(answers.Codes().back(), QStringLiteral("100P046"));
    }
    EXPECT_EQ(stayed, !c.closed);
    std::vector<std::uint8_t> expected = before;
    if (c.closed) {
      std::uint8_t* row = expected.data() + kCashAt + m::kRowSize * c.row;
      m::Holder.set(row, 2);
      m::Gross.set(row, 1000.0);
      m::Withholding.set(row, c.withholding[5] == '1' ? 150.51 : 150.50);
    }
    EXPECT_EQ(launched, 2);
    EXPECT_EQ(declaration.bytes, expected) << "OK writes the typed row only; Cancel leaves every byte";
  }
}

TEST_F(Prizes, APassedOnPaymentAboveThePaymentIsRefusedBeforeAnyWarning) {
  struct Case {
    const char *valuation, *payment, *passed;
    std::vector<QString> codes;
    bool closed;
  };
  const Case cases[] = {
      {"2000", "10", "10,01", {QStringLiteral("100R052")}, false},
      {"2000", "300,51", "0", {QStringLiteral("100P047")}, true},  // answered "Continuar"
      {"2000", "300,50", "300,50", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payment);
    ClearBlock(kKindAt, k::kBlockSize);
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers({kAnsContinuar});
    bool stayed = false;
    Launch("IDD_PREMESP", declaration.at(kKindAt), [&](CTemplateDlg& d) {
      TypeInto(d, kKindHolder[0], QStringLiteral("C"));
      TypeInto(d, kKindValuation[0], QString::fromLatin1(c.valuation));
      TypeInto(d, kKindPayment[0], QString::fromLatin1(c.payment));
      TypeInto(d, kKindPassed[0], QString::fromLatin1(c.passed));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    if (!c.closed) {
      EXPECT_EQ(declaration.bytes, before);
      continue;
    }
    const std::uint8_t* row = declaration.at(kKindAt);
    EXPECT_EQ(k::Holder.get(row), 3);
    EXPECT_EQ(k::Valuation.get(row), 2000.0);
    EXPECT_EQ(std::vector<std::uint8_t>(declaration.bytes.begin(), declaration.bytes.begin() + kKindAt),
              std::vector<std::uint8_t>(before.begin(), before.begin() + kKindAt));
    EXPECT_TRUE(std::equal(declaration.bytes.begin() + kKindAt + k::kBlockSize, declaration.bytes.end(),
                           before.begin() + kKindAt + k::kBlockSize));
  }
}

// In the declarant's view of a couple: a common prize in kind shows halved, a common cash prize
// whole, both relabelled as the declarant's; nothing can be typed and OK changes nothing.
TEST_F(Prizes, TheDeclarantsViewShowsCommonPrizesReadOnly) {
  view.Show(2);
  ClearBlock(kCashAt, m::kBlockSize);
  ClearBlock(kKindAt, k::kBlockSize);
  m::Holder.set(declaration.at(kCashAt), 1);
  m::Gross.set(declaration.at(kCashAt), 1000.0);
  m::Holder.set(declaration.at(kCashAt + m::kRowSize), 3);
  m::Gross.set(declaration.at(kCashAt + m::kRowSize), 70.0);
  k::Holder.set(declaration.at(kKindAt), 1);
  k::Valuation.set(declaration.at(kKindAt), 500.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  struct Case {
    const char* name;
    std::size_t at;
    int holder, amount;
    const char* shown;
  };
  for (const Case& c : {Case{"IDD_PREMMET", kCashAt, kCashHolder[0], kCashGross[0], "1.000,00"},
                        Case{"IDD_PREMESP", kKindAt, kKindHolder[0], kKindValuation[0], "250,00"}}) {
    SCOPED_TRACE(c.name);
    Launch(c.name, declaration.at(c.at), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.Edit(c.amount)->text(), QString::fromLatin1(c.shown));
      EXPECT_EQ(d.Edit(c.holder)->text().trimmed(), QStringLiteral("DECLARANTE"));
      EXPECT_FALSE(d.Edit(c.amount)->isEnabled());
      if (c.at == kCashAt) {
        EXPECT_EQ(d.Edit(kCashGross[1])->text(), QString()) << "the spouse's prize is not shown";
      }
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025"));
    EXPECT_EQ(declaration.bytes, before);
  }
}

TEST_F(Prizes, TheHolderLegendShowsWhileAHolderCellHasTheFocus) {
  Launch("IDD_PREMESP", declaration.at(kKindAt), [&](CTemplateDlg& d) {
    auto* legend = d.Item<QLabel>(annex::CPrizeRowsDlg::kLegend);
    ASSERT_NE(legend, nullptr);
    d.GetDlgItem(kKindHolder[0])->setFocus();
    EXPECT_FALSE(legend->text().isEmpty());
    EXPECT_TRUE(legend->text().contains(QStringLiteral("(D)")));
    d.GetDlgItem(ui::IDOK)->setFocus();  // leaving for a control that is no holder cell
    EXPECT_TRUE(legend->text().isEmpty());
  });
}

}  // namespace

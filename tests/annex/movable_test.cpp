// The capital lending, insurance and capitalisation income dialogs and the transitional reductions
// dialog, opened
// through the launch table on row groups of section B of a fixture declaration.
#include <QLabel>

#include "annex/ingrere_dlg.h"
#include "annex/inrega6_dlg.h"
#include "annex/tit6dat1_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace ig = annex::ingrere;
namespace t6 = annex::tit6dat1;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kIngrereAt = f100::SectionB.offset + ig::kGroup.holder.off;
const std::size_t kTit6At = f100::SectionB.offset + f100::sec_b::g3::Holder.off;
enum : int { kHolder1 = 1303, kIncome1 = 1471, kWithholding1 = 1432, kR76_1 = 1436, kDt6_1 = 1437, kAmount1 = 1169 };

namespace ir = annex::inrega6;
const std::size_t kInregaAt = f100::SectionB.offset + ir::kGroup.holder.off;
constexpr int kExpenses1 = 1434;

class Movable : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::fill_n(declaration.at(kIngrereAt), ig::kBlockSize, 0);
    std::fill_n(declaration.at(kTit6At), t6::kBlockSize, 0);
    std::fill_n(declaration.at(kInregaAt), ir::kBlockSize, 0);
  }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
};

TEST_F(Movable, InsuranceIncomeRowsAreWarnedAboutTheirLimits) {
  struct Case {
    const char *income, *withholding, *r76, *dt6;
    double incomeValue, withholdingValue, r76Value, dt6Value;
    std::vector<QString> codes;  // answered "Continuar"
  };
  const auto q = [](const char* c) { return QString::fromLatin1(c); };
  const Case cases[] = {
      {"1000", "150", "750,50", "", 1000, 150, 750.5, 0, {}},
      {"1000", "150", "750,51", "", 1000, 150, 750.51, 0, {q("100P012")}},
      {"1000", "", "", "", 1000, 0, 0, 0, {q("100P032")}},
      {"1000", "150", "", "1000,01", 1000, 150, 0, 1000.01, {q("100P064")}},
      {"-100", "", "", "5", -100, 0, 0, 5, {q("100P063")}},
      {"-100", "", "10", "", -100, 0, 10, 0, {q("100P013")}},
      {"1000", "150,51", "", "", 1000, 150.51, 0, 0, {q("100P044")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.income);
    std::fill_n(declaration.at(kIngrereAt), ig::kBlockSize, 0);
    std::vector<std::uint8_t> expected = declaration.bytes;
    std::uint8_t* row = expected.data() + kIngrereAt;
    ig::Holder.set(row, 2);
    ig::Income.set(row, c.incomeValue);
    ig::Withholding.set(row, c.withholdingValue);
    ig::Reduction76.set(row, c.r76Value);
    ig::ReductionDt6.set(row, c.dt6Value);
    qxtest::ScriptedMessages answers({kAnsContinuar, kAnsContinuar});
    Launch("IDD_INGRERE", declaration.at(kIngrereAt), [&](CTemplateDlg& d) {
      TypeInto(d, kHolder1, QStringLiteral("D"));
      for (auto [id, text] : {std::pair{int{kIncome1}, c.income}, std::pair{int{kWithholding1}, c.withholding},
                              std::pair{int{kR76_1}, c.r76}, std::pair{int{kDt6_1}, c.dt6}})
        if (*text) TypeInto(d, id, QString::fromLatin1(text));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(declaration.bytes, expected) << "Continuar accepts; OK writes the typed row only";
  }
}

TEST_F(Movable, CorregirKeepsTheInsuranceDialogOpenAndTheHintsFollowTheFocus) {
  qxtest::ScriptedMessages answers({kAnsCorregir});
  const std::vector<std::uint8_t> before = declaration.bytes;
  Launch("IDD_INGRERE", declaration.at(kIngrereAt), [&](CTemplateDlg& d) {
    auto* legend = d.Item<QLabel>(CIngrereDlg::kLegend);
    d.GetDlgItem(kHolder1)->setFocus();
    EXPECT_TRUE(legend->text().contains(QStringLiteral("(D)")));
    TypeInto(d, kHolder1, QStringLiteral("D"));
    d.GetDlgItem(kR76_1)->setFocus();
    EXPECT_TRUE(legend->text().startsWith(QStringLiteral("Rendimientos con período")));
    TypeInto(d, kIncome1, QStringLiteral("1000"));
    EXPECT_TRUE(legend->text().isEmpty());
    Press(d, ui::IDOK);
    EXPECT_TRUE(d.isVisible());
  });
  EXPECT_EQ(answers.Codes(), std::vector<QString>{QStringLiteral("100P032")});
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(Movable, TheTransitionalReductionsAdmitNegativesByVariant) {
  struct Case {
    const char* descriptor;
    bool negatives;
  };
  for (const Case c : {Case{"IDD_TIT6DAT1*1", true}, Case{"IDD_TIT6DAT1*9", true}, Case{"IDD_TIT6DAT1*0", true},
                       Case{"IDD_TIT6DAT1*2", false}, Case{"IDD_TIT6DAT1", false}}) {
    SCOPED_TRACE(c.descriptor);
    std::fill_n(declaration.at(kTit6At), t6::kBlockSize, 0);
    std::vector<std::uint8_t> expected = declaration.bytes;
    t6::Holder.set(expected.data() + kTit6At, 3);
    t6::Amount.set(expected.data() + kTit6At, c.negatives ? -25.0 : 25.0);
    Launch(c.descriptor, declaration.at(kTit6At), [&](CTemplateDlg& d) {
      TypeInto(d, kHolder1, QStringLiteral("C"));
      TypeInto(d, kAmount1, QStringLiteral("-25"));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(Movable, TheSpousesViewShowsCommonRowsHalvedAndWritesNothing) {
  view.Show(3);
  ig::Holder.set(declaration.at(kIngrereAt), 1);
  ig::Income.set(declaration.at(kIngrereAt), 1000.0);
  ig::Reduction76.set(declaration.at(kIngrereAt), 100.0);
  t6::Holder.set(declaration.at(kTit6At), 1);
  t6::Amount.set(declaration.at(kTit6At), 60.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  struct Case {
    const char* name;
    std::size_t at;
    int amount;
    const char* shown;
  };
  for (const Case c : {Case{"IDD_INGRERE", kIngrereAt, kR76_1, "50,00"}, Case{"IDD_TIT6DAT1", kTit6At, kAmount1, "30,00"}}) {
    Launch(c.name, declaration.at(c.at), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.Edit(c.amount)->text(), QString::fromLatin1(c.shown)) << c.name;
      EXPECT_EQ(d.Edit(kHolder1)->text().trimmed(), QStringLiteral("DECLARANTE"));
      EXPECT_FALSE(d.GetDlgItem(c.amount)->isEnabled());
      Press(d, ui::IDOK);
    });
  }
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(Movable, EachVariantOfTheCapitalLendingDialogHasItsOwnChecks) {
  struct Case {
    const char* descriptor;
    const char *income, *withholding, *expenses, *reduction;
    std::vector<QString> codes;  // answered "Continuar"
  };
  const auto q = [](const char* c) { return QString::fromLatin1(c); };
  const Case cases[] = {
      {"IDD_INREGA6*3", "1000", "150,50", "", "", {}},
      {"IDD_INREGA6*3", "1000", "150,51", "", "", {q("100P044")}},
      {"IDD_INREGA6*3", "0,51", "", "", "", {q("100P032")}},
      {"IDD_INREGA6*3", "", "0,01", "", "", {}},
      {"IDD_INREGA6*2", "1000", "150,51", "", "", {q("100P044")}},
      {"IDD_INREGA6*2", "", "", "10", "", {q("100P066")}},
      {"IDD_INREGA6*2", "1000", "", "200", "320,50", {}},
      {"IDD_INREGA6*2", "1000", "", "200", "320,51", {q("100P065")}},
      {"IDD_INREGA6*2", "1000", "", "200", "-1", {q("100P067")}},
      {"IDD_INREGA6*1", "1000", "400", "", "", {}},
      {"IDD_INREGA6*1", "1000", "400,01", "", "", {q("100P044")}},
      {"IDD_INREGA6*1", "-100", "", "", "40", {q("100R109")}},
      {"IDD_INREGA6*1", "-100", "", "", "-40,50", {}},
      {"IDD_INREGA6", "1000", "999", "", "", {}},  // no variant: no checks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.descriptor << " " << c.income << " " << c.withholding << " " << c.expenses
                                    << " " << c.reduction);
    std::fill_n(declaration.at(kInregaAt), ir::kBlockSize, 0);
    qxtest::ScriptedMessages answers({kAnsContinuar, kAnsContinuar});
    Launch(c.descriptor, declaration.at(kInregaAt), [&](CTemplateDlg& d) {
      TypeInto(d, kHolder1, QStringLiteral("D"));
      for (auto [id, text] : {std::pair{int{kIncome1}, c.income}, std::pair{int{kWithholding1}, c.withholding},
                              std::pair{int{kExpenses1}, c.expenses}, std::pair{int{kR76_1}, c.reduction}})
        if (*text) TypeInto(d, id, QString::fromLatin1(text));
      Press(d, ui::IDOK);
      EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(answers.Codes(), c.codes);
  }
}

TEST_F(Movable, TheCapitalLendingVariantsChangeSignsHeaderAndHints) {
  struct Case {
    const char* descriptor;
    bool negatives, deductibleHeader;
    const char* expensesHint;
  };
  for (const Case c : {Case{"IDD_INREGA6*1", true, false, ""}, Case{"IDD_INREGA6*2", true, true, "Sólo puede haber"},
                       Case{"IDD_INREGA6*3", true, false, "Sólo para intereses"}, Case{"IDD_INREGA6", false, false, ""}}) {
    SCOPED_TRACE(c.descriptor);
    std::fill_n(declaration.at(kInregaAt), ir::kBlockSize, 0);
    Launch(c.descriptor, declaration.at(kInregaAt), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.Item<QLabel>(CInrega6Dlg::kExpensesHeader)->text() == QStringLiteral("Gastos Deducibles"),
                c.deductibleHeader);
      TypeInto(d, kHolder1, QStringLiteral("D"));
      d.GetDlgItem(kExpenses1)->setFocus();
      const QString hint = d.Item<QLabel>(CInrega6Dlg::kHint)->text();
      EXPECT_TRUE(*c.expensesHint ? hint.startsWith(QString::fromUtf8(c.expensesHint)) : hint.isEmpty()) << qPrintable(hint);
      TypeInto(d, kIncome1, QStringLiteral("-100"));
      EXPECT_EQ(d.Edit(kIncome1)->text().startsWith(u'-'), c.negatives) << "only the variants 1 to 3 take a minus";
      Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(ir::Income.get(declaration.at(kInregaAt)), 0.0) << "Cancel leaves the block";
  }
}

}  // namespace

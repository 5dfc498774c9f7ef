// Investment deductions at the rates of the launcher's index, and the dialogs that only take
// amounts: what OK keeps, what a row without amounts loses, what is carried through.
#include <QLineEdit>
#include <QTest>

#include <cstring>

#include "annex/entered_amounts_dlg.h"
#include "annex/investment_deduction_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;

class EnteredAmounts : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
};

TEST_F(EnteredAmounts, InvestmentDeductionsAtTheRatesOfTheIndex) {
  namespace ci = annex::invcinaud;
  namespace pm = annex::invprotmed;
  struct Case {
    const char* descriptor;
    double deduction;
  };
  for (const Case& c : {Case{"IDD_INVCINAUD*1;INVERSIONES EN PRODUCCIONES", 275.0}, Case{"IDD_INVCINAUD*2", 475.0}}) {
    std::vector<std::uint8_t> block(2 * ci::kRowSize);
    block[0] = 2;
    ci::CoProducer.set(block.data(), 2000.0);
    ci::Income.set(block.data(), 1500.0);
    annextest::Launch(c.descriptor, block.data(), [&](CTemplateDlg& d) {
      if (c.deduction == 275.0) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("INVERSIONES EN PRODUCCIONES")) << "the launcher's title";
      }
      annextest::TypeInto(d, CInvcinaudDlg::kProducer[0], QStringLiteral("1000"));
      EXPECT_FALSE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0])->isEnabled());
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(ci::Deduction.get(block.data()), c.deduction) << c.descriptor;
  }
  for (const auto& [index, deduction] : {std::pair{4, 250.0}, std::pair{7, 450.0}, std::pair{0, 0.0}}) {
    std::vector<std::uint8_t> block(2 * pm::kRowSize);
    block[0] = 3;
    annextest::Launch(("IDD_INVPROTMED*" + std::to_string(index)).c_str(), block.data(), [&](CTemplateDlg& d) {
      annextest::TypeInto(d, CInvprotmedDlg::kBase[0], QStringLiteral("1000"));
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(pm::Deduction.get(block.data()), deduction) << index;
  }
}

// A line whose deduction has no rate in the dialog (no index, or one outside the rate table) takes
// the deduction as the user types it: enabled on a used row only, kept whatever the base, and kept
// when the dialog is opened again. A line with a rate never takes a typed deduction.
TEST_F(EnteredAmounts, ALineWithoutRateTakesTheDeductionAsTyped) {
  namespace pm = annex::invprotmed;
  for (const char* descriptor : {"IDD_INVPROTMED", "IDD_INVPROTMED*0", "IDD_INVPROTMED*8"}) {
    SCOPED_TRACE(descriptor);
    std::vector<std::uint8_t> block(2 * pm::kRowSize);
    annextest::Launch(descriptor, block.data(), [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0])->isEnabled()) << "no holder yet";
      annextest::TypeInto(d, CInvestmentDeductionDlg::kHolders[0], QStringLiteral("D"));
      EXPECT_TRUE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0])->isEnabled());
      EXPECT_FALSE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[1])->isEnabled()) << "the unused row";
      annextest::TypeInto(d, CInvestmentDeductionDlg::kDeductions[0], QStringLiteral("750"));
      annextest::TypeInto(d, CInvprotmedDlg::kBase[0], QStringLiteral("3000"));
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(block[0], 2);
    EXPECT_EQ(pm::Base.get(block.data()), 3000.0);
    EXPECT_EQ(pm::Deduction.get(block.data()), 750.0) << "leaving the base computes nothing over it";

    // Opened again: the typed deduction is shown and editable, and a new base leaves it as it is.
    annextest::Launch(descriptor, block.data(), [&](CTemplateDlg& d) {
      auto* deduction = dynamic_cast<QLineEdit*>(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0]));
      ASSERT_NE(deduction, nullptr);
      EXPECT_TRUE(deduction->isEnabled());
      EXPECT_FALSE(deduction->text().isEmpty());
      auto* base = dynamic_cast<QLineEdit*>(d.GetDlgItem(CInvprotmedDlg::kBase[0]));
      ASSERT_NE(base, nullptr);
      base->setFocus();
      base->selectAll();
      QTest::keyClicks(base, QStringLiteral("200"));
      QTest::keyClick(base, Qt::Key_Tab);
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(block[0], 2);
    EXPECT_EQ(pm::Base.get(block.data()), 200.0);
    EXPECT_EQ(pm::Deduction.get(block.data()), 750.0);
  }

  std::vector<std::uint8_t> rated(2 * pm::kRowSize);
  rated[0] = 2;
  annextest::Launch("IDD_INVPROTMED*2", rated.data(), [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0])->isEnabled()) << "computed at 10 %";
    annextest::TypeInto(d, CInvprotmedDlg::kBase[0], QStringLiteral("1000"));
    EXPECT_FALSE(d.GetDlgItem(CInvestmentDeductionDlg::kDeductions[0])->isEnabled());
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(pm::Deduction.get(rated.data()), 100.0);
}

TEST_F(EnteredAmounts, RowsWithoutAmountsLoseTheirHolderAndTheRestIsCarried) {
  namespace fu = annex::fundaci3;
  std::vector<std::uint8_t> donations(3 * fu::kRowSize);
  donations[0] = 2;  // a holder without amounts
  donations[fu::kRowSize] = 3;
  fu::Priority.set(donations.data() + fu::kRowSize, 50.0);
  annextest::Launch("IDD_FUNDACI3", donations.data(), [&](CTemplateDlg& d) { annextest::Press(d, ui::IDOK); });
  EXPECT_EQ(donations[0], 3) << "the row below moved up";
  EXPECT_EQ(fu::Priority.get(donations.data()), 50.0);
  EXPECT_EQ(donations[fu::kRowSize], 0);

  namespace gs = annex::gassuerus;
  std::vector<std::uint8_t> land(2 * gs::kRowSize);
  land[0] = 2;
  gs::NaturalArea.set(land.data(), 1);  // only the mark
  annextest::Launch("IDD_GASSUERUS", land.data(), [&](CTemplateDlg& d) { annextest::Press(d, ui::IDOK); });
  EXPECT_EQ(land[0], 2) << "the mark reads X: the row keeps its holder";

  namespace dd = annex::dblimpdiv;
  std::vector<std::uint8_t> pending(dd::kBlockSize);
  pending[0] = 2;
  dd::Pending.set(pending.data(), 12.5);
  std::memset(pending.data() + 80, 0x5A, 16);
  const std::vector<std::uint8_t> before = pending;
  annextest::Launch("IDD_DBLIMPDIV*1", pending.data(), [&](CTemplateDlg& d) { annextest::Press(d, ui::IDOK); });
  EXPECT_EQ(pending, before) << "the bytes after the rows are carried through";
}

TEST_F(EnteredAmounts, OneDividendDeductionIsReadOnlyInAMemberView) {
  namespace dt = annex::dblimptra;
  std::vector<std::uint8_t> block(dt::kBlockSize);
  dt::Base.set(block.data(), 10.0);
  {
    annextest::Launch("IDD_DBLIMPTRA", block.data(), [&](CTemplateDlg& d) {
      annextest::TypeInto(d, CDblimptraDlg::kDeduction, QStringLiteral("3"));
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(dt::Deduction.get(block.data()), 3.0);
  }
  qxtest::MemberView spouse(3, {1, 1, 1, 0, 0});
  const std::vector<std::uint8_t> before = block;
  annextest::Launch("IDD_DBLIMPTRA", block.data(), [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(CDblimptraDlg::kBase)->isEnabled());
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(block, before);
}

}  // namespace

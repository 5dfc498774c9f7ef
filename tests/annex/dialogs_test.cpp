// The first annex dialogs built on the kernel: attributed net yield, the wealth-tax quota limit and
// the asset element kind, with their checks and rules.
#include <QAbstractButton>
#include <QRadioButton>

#include "annex/pcuotint_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex_fixture.h"
#include "platform/help.h"
#include "ui/box_edit.h"

namespace {

using annextest::AnnexTest;
namespace ry = annex::rtonetatrentas;
namespace pq = annex::pcuotint;

template <class Dlg>
std::unique_ptr<Dlg> Shown(std::function<void(std::uint8_t*)> fill = {}) {
  auto d = std::make_unique<Dlg>(ui::AnnexArgs{});
  if (fill) fill(d->AnnexBlock().data());
  d->EnsureCreated();
  EXPECT_TRUE(qxtest::ShowActive(d.get()));
  return d;
}

void Click(CTemplateDlg& d, int id) {
  auto* b = d.Item<QAbstractButton>(id);
  ASSERT_NE(b, nullptr) << id;
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

class Rtonetatrentas : public AnnexTest {};

TEST_F(Rtonetatrentas, TheDeductionMustStayBelowFortyPerCentOfTheDividends) {
  struct Case {
    double dividends, deduction;
    bool warned;
  };
  for (const Case c : {Case{1000, 399.99, false}, Case{1000, 400, true}, Case{1000, 400.01, true}, Case{0, 0, false},
                       Case{5000, 0, false}}) {
    auto d = Shown<CRtonetatrentasDlg>([&](std::uint8_t* b) {
      ry::DividendYield.set(b, c.dividends);
      ry::DividendDeduction.set(b, c.deduction);
    });
    const std::size_t before = messages.shown.size();
    EXPECT_EQ(d->ValidateDeduction(), 1) << c.deduction << ": any answer but Corregir accepts";
    EXPECT_EQ(messages.shown.size() - before, c.warned ? 1u : 0u) << c.deduction;
    if (c.warned) {
      EXPECT_EQ(messages.Codes().back(), QStringLiteral("100P086"));
    }
  }
}

TEST_F(Rtonetatrentas, CorregirKeepsTheDialogOpenAndOkCopiesTheAmounts) {
  auto d = Shown<CRtonetatrentasDlg>();
  TypeInto(*d, 24706, QStringLiteral("1000"));
  TypeInto(*d, 24707, QStringLiteral("500"));
  qxtest::ScriptedMessages correct({kAnsCorregir});
  Click(*d, ui::IDOK);
  EXPECT_TRUE(d->isVisible()) << "Corregir: the dialog stays open";
  TypeInto(*d, 24707, QStringLiteral("\b\b\b300"));
  Click(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDOK);
  EXPECT_EQ(ry::DividendYield.get(d->Data()), 1000.0);
  EXPECT_EQ(ry::DividendDeduction.get(d->Data()), 300.0);
}

TEST_F(Rtonetatrentas, OnlyTheYieldExceptDividendsTakesAMinusSign) {
  auto d = Shown<CRtonetatrentasDlg>();
  TypeInto(*d, 24705, QStringLiteral("-250"));
  TypeInto(*d, 24706, QStringLiteral("-250"));
  d->UpdateAll(true);
  EXPECT_EQ(ry::YieldExceptDividends.get(d->Data()), -250.0);
  EXPECT_EQ(ry::DividendYield.get(d->Data()), 250.0);
}

class Pcuotint : public AnnexTest {};

TEST_F(Pcuotint, ZeroFilingOpensIndividualClearsTheSpouseAndOkWritesI) {
  auto d = Shown<CPcuotintDlg>([](std::uint8_t* b) {
    pq::SpouseBase.set(b, 100.0);
    pq::SpouseQuota.set(b, 5.0);
  });
  EXPECT_TRUE(d->Item<QRadioButton>(CPcuotintDlg::kIndividual)->isChecked());
  EXPECT_FALSE(d->GetDlgItem(CPcuotintDlg::kSpouseBase)->isEnabled());
  EXPECT_EQ(pq::SpouseBase.get(d->Data()), 0.0);
  EXPECT_EQ(pq::SpouseQuota.get(d->Data()), 0.0);
  Click(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDOK);
  EXPECT_EQ(pq::Filing.get(d->Data()), 'I');
}

TEST_F(Pcuotint, JointFilingEnablesTheSpouseAndTheBaseAndItsZeroMarkExcludeEachOther) {
  auto d = Shown<CPcuotintDlg>();
  Click(*d, CPcuotintDlg::kJoint);
  EXPECT_TRUE(d->GetDlgItem(CPcuotintDlg::kSpouseBase)->isEnabled());
  // A non-zero general base disables the zero mark and clears it.
  pq::GeneralBaseZero.set(d->Data(), 1);
  TypeInto(*d, CPcuotintDlg::kBase, QStringLiteral("1500"));
  EXPECT_FALSE(d->GetDlgItem(CPcuotintDlg::kZeroMark)->isEnabled());
  EXPECT_EQ(pq::GeneralBaseZero.get(d->Data()), 0);
  // With the base back at 0 the mark is offered; setting it disables the base.
  auto* base = d->Edit(CPcuotintDlg::kBase);
  base->setFocus();
  base->selectAll();
  QTest::keyClick(base, Qt::Key_Backspace);
  QTest::keyClick(base, Qt::Key_Tab);
  ASSERT_TRUE(d->GetDlgItem(CPcuotintDlg::kZeroMark)->isEnabled());
  auto* mark = d->Item<CBoxEdit>(CPcuotintDlg::kZeroMark);
  mark->setFocus();
  QTest::keyClick(mark, Qt::Key_X);
  EXPECT_FALSE(base->isEnabled());
  Click(*d, ui::IDOK);
  EXPECT_EQ(pq::Filing.get(d->Data()), 'C');
}

TEST_F(Pcuotint, BothChecksSpeakInTurnAndKeepTheDialogOpen) {
  double reference = 1000.0;
  auto d = std::make_unique<CPcuotintDlg>(ui::AnnexArgs{});
  pq::Filing.set(d->Data(), 'C');
  pq::SpouseBase.set(d->Data(), 100.0);
  pq::SpouseUnproductive.set(d->Data(), 200.0);
  pq::Unproductive.set(d->Data(), 1000.01);
  d->SetListItems({d->Data(), &reference, nullptr, 0, 0});
  d->EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(d.get()));
  Click(*d, ui::IDOK);
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("714R002"), QStringLiteral("714R004")}));
  EXPECT_TRUE(d->isVisible());
  // Equal to the reference is accepted; a spouse's unproductive value of 0 never warns.
  pq::Unproductive.set(d->Data(), 1000.0);
  pq::SpouseUnproductive.set(d->Data(), 0.0);
  d->UpdateAll(false);
  Click(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDOK);
}

TEST_F(Pcuotint, HelpOpensTheDialogsTopic) {
  int topic = 0;
  platform::SetHelpHook([&](int t) { topic = t; });
  auto d = Shown<CPcuotintDlg>();
  Click(*d, ui::kHelpButtonId);
  platform::SetHelpHook({});
  EXPECT_EQ(topic, 727);
}

class Tipoelempatrim : public AnnexTest {};

TEST_F(Tipoelempatrim, TheCodeChoosesOneButtonOfTheGroupOverBothBoxes) {
  auto d = Shown<CTipoelempatrimDlg>([](std::uint8_t* b) { b[0] = '6'; });
  EXPECT_TRUE(d->Item<QRadioButton>(24647)->isChecked());
  Click(*d, 770);
  EXPECT_FALSE(d->Item<QRadioButton>(24647)->isChecked());
  Click(*d, ui::IDOK);
  EXPECT_EQ(d->AnnexBlock()[0], '2');
}

TEST_F(Tipoelempatrim, ACodeOutsideTheListChecksNothingAndOkStoresZero) {
  auto d = Shown<CTipoelempatrimDlg>([](std::uint8_t* b) { b[0] = '9'; });
  for (int id : {765, 770, 24601, 24602, 24603, 24647, 24648}) EXPECT_FALSE(d->Item<QRadioButton>(id)->isChecked());
  Click(*d, ui::IDOK);
  EXPECT_EQ(d->AnnexBlock()[0], 0);
}

}  // namespace

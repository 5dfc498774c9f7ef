// The work-income dialog and its nested promoter-contribution dialog, opened through the launch
// table on section A of a fixture declaration.
#include <QLabel>

#include "annex/conpropp_dlg.h"
#include "annex/rdto_trabajo_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace w = annex::rdto_trabajo;
namespace cp = annex::conpropp;
using D = CRdtoTrabajoDlg;

constexpr std::array<int, 5> kCoupleChild1{1, 1, 1, 1, 0};
const std::size_t kAt = f100::SectionA.offset;
enum Col : int { kHolderCol = 0, kPayCol = 1, kWithholdingCol = 2, kSocialCol = 8, kLauncherCol = 6 };

// Chooses the regime from its lookup list (the codes are digits, the descriptions words).
void ChooseRegime(CTemplateDlg& d, char code) {
  auto* e = d.Item<CListaEdit>(CConproppDlg::kRegime);
  ASSERT_NE(e, nullptr);
  e->setFocus();
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  e->List()->setCurrentRow(code - '1');
  QTest::keyClick(e->List(), Qt::Key_Return);
  QTest::keyClick(e, Qt::Key_Tab);
}

class WorkIncome : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::fill_n(declaration.at(kAt), w::kBlockSize, 0);
    std::fill_n(declaration.at(cp::kSpouseRecord), 24, 0);
  }
  std::uint8_t* Entry(int e) { return declaration.at(kAt + w::kEntrySize * e); }
  qxtest::MemberView view{1, kCoupleChild1};
  annextest::FixtureDeclaration declaration;
};

TEST_F(WorkIncome, TheEntriesAreCheckedAgainstTheirRatios) {
  struct Given {
    int holder;
    double pay, withholding, payment, passed, social, contribution;
    unsigned char regime;
  };
  struct Case {
    const char* name;
    std::vector<Given> entries;
    int answer;
    std::vector<QString> codes;
    bool closed;
    int focusColumn;  // after "Corregir"
  };
  const auto q = [](const char* c) { return QString::fromLatin1(c); };
  const Case cases[] = {
      {"withholding at 45 % and half a euro", {{2, 1000, 450.5, 0, 0, 0, 0, 0}}, kAnsCorregir, {}, true, -1},
      {"withholding above", {{2, 1000, 450.51, 0, 0, 0, 0, 0}}, kAnsCorregir, {q("100P018")}, false, kWithholdingCol},
      {"withholding above, accepted", {{2, 1000, 450.51, 0, 0, 0, 0, 0}}, kAnsContinuar, {q("100P018")}, true, -1},
      {"passed on above the payment", {{2, 1000, 450.51, 10, 10.01, 0, 0, 0}}, kAnsCorregir, {q("100R026")}, false, -1},
      {"social security above 10 %", {{2, 1000, 0, 0, 0, 100.01, 0, 0}}, kAnsCorregir, {q("100P016")}, false, kPayCol},
      {"regime 4 for two holders", {{2, 1000, 0, 0, 0, 0, 50, '4'}, {3, 1000, 0, 0, 0, 0, 60, '4'}}, kAnsCorregir,
       {q("100R020")}, false, kHolderCol},
      {"regime 4 for one holder twice", {{2, 1000, 0, 0, 0, 0, 50, '4'}, {2, 1000, 0, 0, 0, 0, 60, '4'}}, kAnsCorregir,
       {}, true, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::fill_n(declaration.at(kAt), w::kBlockSize, 0);
    for (std::size_t e = 0; e < c.entries.size(); ++e) {
      const Given& x = c.entries[e];
      std::uint8_t* entry = Entry(static_cast<int>(e));
      w::Holder.set(entry, static_cast<std::uint8_t>(x.holder));
      w::Withholding.set(entry, x.withholding);
      w::PaymentOnAccount.set(entry, x.payment);
      w::PassedOn.set(entry, x.passed);
      w::SocialSecurity.set(entry, x.social);
      w::Contribution.set(entry, x.contribution);
      w::NestedAmount.set(entry, x.contribution);
      w::NestedRegime.set(entry, x.regime);
    }
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers({c.answer});
    bool stayed = false;
    int focus = 0;
    Launch("IDD_RDTO_TRABAJO", declaration.at(kAt), [&](CTemplateDlg& d) {
      for (std::size_t e = 0; e < c.entries.size(); ++e)
        TypeInto(d, D::CellId(kPayCol, static_cast<int>(e)), QString::number(c.entries[e].pay));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
      focus = ui::ControlId(QApplication::focusWidget());
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    if (c.focusColumn >= 0) {
      EXPECT_EQ(focus, D::CellId(c.focusColumn, 0));
    }
    if (!c.closed) {
      EXPECT_EQ(declaration.bytes, before);
      continue;
    }
    std::vector<std::uint8_t> expected = before;
    for (std::size_t e = 0; e < c.entries.size(); ++e) {
      std::uint8_t* entry = expected.data() + kAt + w::kEntrySize * e;
      w::MoneyPay.set(entry, c.entries[e].pay);
      w::NestedHolder.set(entry, static_cast<std::uint8_t>(c.entries[e].holder));
    }
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(WorkIncome, AChildsEntryLosesItsContributionsAndItsLauncherAtOnce) {
  w::Holder.set(Entry(0), 2);
  w::MoneyPay.set(Entry(0), 1000.0);
  w::Contribution.set(Entry(0), 300.0);
  w::NestedAmount.set(Entry(0), 300.0);
  w::NestedRegime.set(Entry(0), '1');
  Launch("IDD_RDTO_TRABAJO", declaration.at(kAt), [&](CTemplateDlg& d) {
    auto* launcher = d.Item<CDialogLauncherEdit>(D::CellId(kLauncherCol, 0));
    EXPECT_TRUE(launcher->isEnabled());
    TypeInto(d, D::CellId(kHolderCol, 0), QStringLiteral("1"));
    EXPECT_EQ(d.Edit(D::CellId(kHolderCol, 0))->text().trimmed(), QStringLiteral("HIJO 1º"));
    EXPECT_FALSE(launcher->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(w::Holder.get(Entry(0)), 4);
  EXPECT_EQ(w::Contribution.get(Entry(0)), 0.0);
  EXPECT_EQ(w::NestedAmount.get(Entry(0)), 0.0);
  EXPECT_EQ(w::NestedHolder.get(Entry(0)), 4);
  EXPECT_EQ(w::MoneyPay.get(Entry(0)), 1000.0);
}

TEST_F(WorkIncome, TheNestedDialogFillsTheEntryAndOnlyTheOuterOkWritesTheDeclaration) {
  for (bool outerOk : {false, true}) {
    SCOPED_TRACE(outerOk);
    std::fill_n(declaration.at(kAt), w::kBlockSize, 0);
    w::Holder.set(Entry(0), 3);
    w::MoneyPay.set(Entry(0), 1000.0);
    const std::vector<std::uint8_t> before = declaration.bytes;
    Launch("IDD_RDTO_TRABAJO", declaration.at(kAt), [&](CTemplateDlg& d) {
      auto* launcher = d.Item<CDialogLauncherEdit>(D::CellId(kLauncherCol, 0));
      qxtest::WhenModal([&](QWidget* m) {
        auto* nested = dynamic_cast<CTemplateDlg*>(m);
        ASSERT_NE(nested, nullptr);
        EXPECT_EQ(nested->windowTitle(), QStringLiteral("CONTRIBUCIONES DEL PROMOTOR"));
        TypeInto(*nested, CConproppDlg::kAmount, QStringLiteral("250"));
        ChooseRegime(*nested, '1');
        Press(*nested, ui::IDOK);
      });
      QTest::mouseClick(launcher->Button(), Qt::LeftButton);
      EXPECT_EQ(launcher->text().trimmed(), QStringLiteral("250,00"));
      Press(d, outerOk ? ui::IDOK : ui::IDCANCEL);
    });
    if (!outerOk) {
      EXPECT_EQ(declaration.bytes, before);
      continue;
    }
    std::vector<std::uint8_t> expected = before;
    std::uint8_t* entry = expected.data() + kAt;
    w::Contribution.set(entry, 250.0);
    w::NestedHolder.set(entry, 3);
    w::NestedAmount.set(entry, 250.0);
    w::NestedRegime.set(entry, '1');
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(WorkIncome, TheSpousesViewShowsHerAndTheCommonEntriesReadOnly) {
  view.Show(3);
  w::Holder.set(Entry(0), 2);
  w::MoneyPay.set(Entry(0), 700.0);
  w::Holder.set(Entry(1), 1);
  w::MoneyPay.set(Entry(1), 1000.0);
  w::Holder.set(Entry(2), 3);
  w::MoneyPay.set(Entry(2), 300.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  Launch("IDD_RDTO_TRABAJO", declaration.at(kAt), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(D::CellId(kPayCol, 0))->text(), QString()) << "the declarant's entry is not shown";
    EXPECT_EQ(d.Edit(D::CellId(kPayCol, 1))->text(), QStringLiteral("1.000,00")) << "common: not halved";
    EXPECT_EQ(d.Edit(D::CellId(kHolderCol, 2))->text().trimmed(), QStringLiteral("DECLARANTE"));
    EXPECT_FALSE(d.GetDlgItem(D::CellId(kPayCol, 2))->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(D::CellId(kLauncherCol, 2))->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(WorkIncome, ThePromptLineExplainsTheCellWithTheFocus) {
  Launch("IDD_RDTO_TRABAJO", declaration.at(kAt), [&](CTemplateDlg& d) {
    auto* prompt = d.Item<QLabel>(D::kPrompt);
    d.GetDlgItem(D::CellId(kHolderCol, 0))->setFocus();
    EXPECT_TRUE(prompt->text().contains(QStringLiteral("(D)")));
    TypeInto(d, D::CellId(kHolderCol, 0), QStringLiteral("D"));
    d.GetDlgItem(D::CellId(kSocialCol, 0))->setFocus();
    EXPECT_TRUE(prompt->text().startsWith(QStringLiteral("Seg. Social")));
    d.GetDlgItem(D::CellId(kPayCol, 0))->setFocus();
    EXPECT_TRUE(prompt->text().isEmpty());
  });
}

class Promoter : public WorkIncome {};

TEST_F(Promoter, TheRegimeIsCheckedAgainstThePersonalData) {
  struct Case {
    const char* name;
    unsigned char civil, joint;
    int holder;
    char disability;
    const char *amount, *regime;
    std::vector<QString> codes;  // warnings answered "Continuar"
    bool closed;
    unsigned char storedRegime;
  };
  const auto q = [](const char* c) { return QString::fromLatin1(c); };
  const Case cases[] = {
      {"regime 4, single", 0, 0, 2, '1', "100", "4", {q("100R150")}, false, 0},
      {"regime 4, married, individual", 1, 0, 2, '1', "100", "4", {q("100P087")}, true, '4'},
      {"regime 4, married, joint", 1, 1, 2, '1', "100", "4", {}, true, '4'},
      {"regime 2, disabled spouse", 1, 1, 3, '3', "100", "2", {}, true, '2'},
      {"regime 2, spouse code 1", 1, 1, 3, '1', "100", "2", {q("100P057")}, true, '2'},
      {"no regime", 1, 1, 2, '1', "100", "", {q("100R028")}, false, 0},
      {"no amount", 1, 1, 2, '1', "", "1", {}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cp::CivilStatus.set(declaration.bytes.data(), c.civil);
    doc::DeclarationModel& open = *doc::ActiveForm100();
    const std::uint8_t savedJoint = open.Modality();
    open.SetModality(c.joint);
    f100::personal::DisabilityCode(c.holder - 1).set(declaration.bytes.data(), static_cast<std::uint8_t>(c.disability));
    std::uint8_t* block = Entry(0) + w::kNested;
    std::fill_n(block, cp::kBlockSize, 0);
    cp::Holder.set(block, static_cast<std::uint8_t>(c.holder));
    qxtest::ScriptedMessages answers({kAnsContinuar});
    bool stayed = false;
    Launch("IDD_CONPROPP", block, [&](CTemplateDlg& d) {
      if (*c.amount) TypeInto(d, CConproppDlg::kAmount, QString::fromLatin1(c.amount));
      if (*c.regime) ChooseRegime(d, *c.regime);
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    open.SetModality(savedJoint);
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    if (c.closed) {
      EXPECT_EQ(cp::Regime.get(block), c.storedRegime);
    }
  }
}

TEST_F(Promoter, RegimeFourClashingWithTheSpouseRecordIsClearedAtOnce) {
  std::uint8_t* spouse = declaration.at(cp::kSpouseRecord);
  spouse[0] = 2;
  blocks::F64{8}.set(spouse, 500.0);
  std::uint8_t* block = Entry(0) + w::kNested;
  cp::Holder.set(block, 2);
  qxtest::ScriptedMessages answers;
  Launch("IDD_CONPROPP", block, [&](CTemplateDlg& d) {
    TypeInto(d, CConproppDlg::kAmount, QStringLiteral("100"));
    ChooseRegime(d, '4');
    EXPECT_EQ(d.Edit(CConproppDlg::kRegime)->text().trimmed(), QString());
  });
  EXPECT_EQ(answers.Codes(), std::vector<QString>{QStringLiteral("100R094")});
}

}  // namespace

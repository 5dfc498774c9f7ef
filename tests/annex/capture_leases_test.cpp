// The capture-type question of a new income-tax declaration and the payments on account on the
// rent of urban real estate, opened through the launch table.
#include <QAbstractButton>
#include <QLabel>

#include <cstring>

#include "annex/impurentas_dlg.h"
#include "annex/informacion_nuevas_actividades_dlg.h"
#include "annex/pgacuinm_dlg.h"
#include "annex/renobga_dlg.h"
#include "annex/tipo_captura_datos_dlg.h"
#include "annex_fixture.h"
#include "platform/help.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"
#include "ui/message_dlg.h"
#include "ui/titular_edit.h"

namespace {

using annextest::AnnexTest;
namespace tc = annex::tipo_captura;
namespace pg = annex::pgacuinm;

void Click(QWidget* dlg, int id) {
  auto* b = static_cast<QAbstractButton*>(ui::FindControl(dlg, id));
  ASSERT_NE(b, nullptr) << id;
  b->click();
}

void TypeInto(QWidget* dlg, int id, const QString& keys) {
  QWidget* e = ui::FindControl(dlg, id);
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

// ---------------------------------------------------------------- capture type

class CaptureType : public AnnexTest {};

TEST_F(CaptureType, TheMarkAndTheAnswerDecideIndividualJointOrCancelled) {
  struct Case {
    const char* what;
    bool mark;
    std::vector<int> answers;  // to "100P002"
    bool close;                // the close box instead of "Continuar"
    std::uint8_t answer;
    int asked;
  };
  const Case cases[] = {
      {"unmarked: joint at once", false, {}, false, tc::kJoint, 0},
      {"marked, Continuar: individual", true, {kAnsContinuar}, false, tc::kIndividual, 1},
      {"marked, Corregir keeps it open, then Continuar", true, {kAnsCorregir, kAnsContinuar}, false, tc::kIndividual, 2},
      {"closed while marked", true, {}, true, tc::kCancelled, 0},
      {"closed unmarked", false, {}, true, tc::kCancelled, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::ScriptedMessages msgs({c.answers.begin(), c.answers.end()});
    CTipoCapturaDatosDlg d(nullptr);
    d.EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(&d));
    EXPECT_EQ(d.Edit(CTipoCapturaDatosDlg::kMark)->text().trimmed(), QString()) << "the box starts blank";
    if (c.mark) TypeInto(&d, CTipoCapturaDatosDlg::kMark, QStringLiteral("x"));
    if (c.close) {
      d.close();
    } else {
      for (std::size_t k = 0; k < std::max<std::size_t>(1, c.answers.size()); ++k) {
        Click(&d, ui::IDOK);
        if (k + 1 < c.answers.size()) {
          EXPECT_TRUE(d.isVisible()) << "open after answer " << k;
          EXPECT_TRUE(d.Marked()) << "the mark stays";
        }
      }
    }
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.Answer(d.result()), c.answer);
    EXPECT_EQ(static_cast<int>(msgs.shown.size()), c.asked);
    for (const ShownMessage& m : msgs.shown) {
      EXPECT_EQ(m.code, QStringLiteral("100P002"));
      EXPECT_EQ(m.buttons, kBtnContinuar | kBtnCorregir);
    }
  }
}

// ---------------------------------------------------------------- new-activities notice

TEST_F(CaptureType, TheNewActivitiesNoticeAnswersOkOnlyForAceptar) {
  struct Case {
    const char* what;
    std::function<void(CInformacionNuevasActividadesDlg&)> act;
    int result;
  };
  const Case cases[] = {
      {"Aceptar", [](auto& d) { Click(&d, ui::IDOK); }, ui::IDOK},
      {"Corregir", [](auto& d) { Click(&d, ui::IDCANCEL); }, ui::IDCANCEL},
      {"Escape", [](auto& d) { QTest::keyClick(&d, Qt::Key_Escape); }, ui::IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CInformacionNuevasActividadesDlg d(nullptr);
    d.EnsureCreated();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("INFORMACIÓN NUEVAS ACTIVIDADES"));
    EXPECT_EQ(d.Item<QAbstractButton>(ui::IDCANCEL)->text(), QStringLiteral("Co&rregir"));
    ASSERT_TRUE(qxtest::ShowActive(&d));
    c.act(d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), c.result);
  }
}

// ---------------------------------------------------------------- payments on account of leases

class Pgacuinm : public AnnexTest {};

struct LeaseRow {
  std::uint8_t holder;
  double capital, activity;
};

std::vector<std::uint8_t> LeaseBlock(std::initializer_list<LeaseRow> rows) {
  std::vector<std::uint8_t> b(pg::kBlockSize);
  int r = 0;
  for (const LeaseRow& x : rows) {
    std::uint8_t* row = b.data() + pg::kRowSize * static_cast<std::size_t>(r++);
    pg::Holder.set(row, x.holder);
    std::memset(row + 1, 0x5A, 7);  // never written by the dialog
    pg::OnCapitalIncome.set(row, x.capital);
    pg::OnActivityIncome.set(row, x.activity);
  }
  return b;
}

TEST_F(Pgacuinm, ThroughTheLaunchTableOkWritesTheTypedAmountsAndCancelNothing) {
  constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
  const std::vector<std::uint8_t> declared = LeaseBlock({{2, 100.0, 0.0}, {1, 50.0, 20.0}, {3, 0.0, 7.0}});
  struct Case {
    const char* what;
    int shown, mode;
    bool ok;
    std::vector<std::uint8_t> expected;
  };
  std::vector<std::uint8_t> typed = declared;
  pg::OnActivityIncome.set(typed.data(), 250.0);
  pg::OnActivityIncome.set(typed.data() + 2 * pg::kRowSize, 8.5);
  const Case cases[] = {
      {"family unit, OK", 1, 1, true, typed},
      {"family unit, Cancel", 1, 1, false, declared},
      {"spouse's view: read-only, OK ends as Cancel", 3, 3, true, declared},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::MemberView view(c.shown, kCouple);
    std::vector<std::uint8_t> annexBlock = declared;
    std::vector<std::uint8_t> around(annexBlock.size() + 16, 0xEE);
    std::memcpy(around.data() + 8, annexBlock.data(), annexBlock.size());
    CDialogLauncherEdit l(8, 2, "IDD_PGACUINM*0*" + std::to_string(c.mode));
    l.SetOption(around.data() + 8);
    bool checked = false;
    qxtest::WhenModal([&](QWidget* m) {
      auto& d = dynamic_cast<CPgacuinmDlg&>(*m);
      checked = true;
      EXPECT_EQ(d.windowTitle(), QStringLiteral("PAGOS A CUENTA ARRENDAM. INMUEBLES URBANOS"));
      for (int id : CPgacuinmDlg::kCapital) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << "never typed: " << id;
      if (c.shown == 1) {
        EXPECT_FALSE(d.GetDlgItem(CPgacuinmDlg::kHolders[0])->isEnabled()) << "a capital amount keeps the holder";
        EXPECT_TRUE(d.GetDlgItem(CPgacuinmDlg::kActivity[0])->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(CPgacuinmDlg::kActivity[1])->isEnabled()) << "common with a capital amount";
        EXPECT_TRUE(d.GetDlgItem(CPgacuinmDlg::kHolders[2])->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(CPgacuinmDlg::kActivity[3])->isEnabled()) << "an empty row";
        d.GetDlgItem(CPgacuinmDlg::kHolders[2])->setFocus();
        EXPECT_EQ(d.Item<QLabel>(CPgacuinmDlg::kLegend)->text(), d.GetHolderLegend());
        EXPECT_FALSE(d.GetHolderLegend().isEmpty());
        TypeInto(&d, CPgacuinmDlg::kActivity[0], QStringLiteral("250"));
        TypeInto(&d, CPgacuinmDlg::kActivity[2], QStringLiteral("\b\b\b8,5"));
      } else {
        EXPECT_EQ(d.Edit(CPgacuinmDlg::kActivity[0])->text(), QString()) << "not the declarant's row";
        EXPECT_EQ(d.Edit(CPgacuinmDlg::kActivity[1])->text(), QStringLiteral("10,00")) << "half the common row";
        EXPECT_EQ(d.Edit(CPgacuinmDlg::kActivity[2])->text(), QStringLiteral("7,00"));
        EXPECT_FALSE(d.GetDlgItem(CPgacuinmDlg::kActivity[2])->isEnabled());
      }
      Click(&d, c.ok ? ui::IDOK : ui::IDCANCEL);
    });
    l.Launch();
    EXPECT_TRUE(checked);
    std::vector<std::uint8_t> got(around.begin() + 8, around.end() - 8);
    EXPECT_EQ(got, c.expected);
    EXPECT_TRUE(std::all_of(around.begin(), around.begin() + 8, [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_TRUE(std::all_of(around.end() - 8, around.end(), [](std::uint8_t b) { return b == 0xEE; }));
  }
}

// ---------------------------------------------------------------- help

TEST_F(Pgacuinm, HelpOpensEachDialogsTopic) {
  struct Case {
    std::function<std::unique_ptr<CTemplateDlg>()> make;
    int topic;
  };
  const Case cases[] = {
      {[] { return std::make_unique<CTipoCapturaDatosDlg>(nullptr); }, 37},
      {[] { return std::make_unique<CPgacuinmDlg>(ui::AnnexArgs{}); }, 515},
      {[] { return std::make_unique<CRenobgaDlg>(ui::AnnexArgs{}); }, 492},
      {[] { return std::make_unique<CImpurentasDlg>(ui::AnnexArgs{}); }, 160},
  };
  for (const Case& c : cases) {
    int topic = 0;
    platform::SetHelpHook([&](int t) { topic = t; });
    auto d = c.make();
    d->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(d.get()));
    Click(d.get(), ui::kHelpButtonId);
    platform::SetHelpHook({});
    EXPECT_EQ(topic, c.topic);
  }
}

}  // namespace

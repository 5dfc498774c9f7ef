// Imputed real-estate income: a row typed through the launch table computes its income, the share
// and the days are limited with a message, an incomplete row refuses OK, the member view halves a
// common row and stores nothing.
#include <QAbstractButton>

#include <cstring>

#include "annex/impurentas_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"

namespace {

namespace im = annex::impurentas;
using D = CImpurentasDlg;

class Impurentas : public annextest::AnnexTest {
 protected:
  void SetDeath(const char* date) {
    f100::personal::PeriodEndDate.set(f100::record(open.block.data(), f100::Personal), date);
  }
  annextest::OpenDeclaration open;
};

int Cell(int column, int row) { return D::kCells[column][row]; }
void TypeInto(QWidget* d, int id, const QString& keys) {
  QWidget* e = ui::FindControl(d, id);
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}
void Click(QWidget* d, int id) { static_cast<QAbstractButton*>(ui::FindControl(d, id))->click(); }

TEST_F(Impurentas, ATypedRowComputesItsIncomeAndOkWritesTheRow) {
  struct Case {
    const char* what;
    const char* share;     // typed over the 100 that choosing the holder set; empty keeps it
    const char* days;      // likewise over 365 (or the limit)
    const char* revised;   // "s", "n"
    const char* death;     // the declarant's date of death, or ""
    double shareAfter, daysAfter, income;
    std::vector<QString> messages;
  };
  const Case cases[] = {
      {"not revised, whole year", "", "", "n", "", 100, 365, 2000.00, {}},
      {"revised, whole year", "", "", "s", "", 100, 365, 1100.00, {}},
      {"half, 180 days", "50", "180", "n", "", 50, 180, 493.15, {}},
      {"a share above 100", "150", "", "n", "", 100, 365, 2000.00, {QStringLiteral("100R009")}},
      {"died on 30 June: 181 days at most", "", "200", "n", "30062003", 100, 181, ui::RoundToDecimals(181 * 0.0027397260273972603 * 1.0 * 100000 * 0.02, 2),
       {QStringLiteral("WIN031")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::MemberView view(1, {1, 1, 0, 0, 0});
    SetDeath(*c.death ? c.death : "        ");
    messages.shown.clear();
    std::vector<std::uint8_t> around(im::kBlockSize + 16, 0xEE);
    std::uint8_t* block = around.data() + 8;
    std::memset(block, 0, im::kBlockSize);
    for (int r = 0; r < im::kRows; ++r) im::Revised.set(block + im::kRowSize * r, im::kRevisedBlank);
    CDialogLauncherEdit l(8, 2, "IDD_IMPURENTAS*0*2");
    l.SetOption(block);
    qxtest::WhenModal([&](QWidget* m) {
      auto& d = dynamic_cast<D&>(*m);
      EXPECT_EQ(d.windowTitle(), QStringLiteral("RENTAS IMPUTADAS POR INMUEBLES, EXCEPTO VIVIENDA HABITUAL"));
      TypeInto(&d, Cell(D::kHolder, 0), QStringLiteral("D"));
      EXPECT_EQ(d.Edit(Cell(D::kDays, 0))->text(), QString::number(*c.death ? 181 : 365)) << "a holder fills the year";
      EXPECT_EQ(d.Edit(Cell(D::kShare, 0))->text(), QStringLiteral("100")) << "and whole ownership";
      TypeInto(&d, Cell(D::kReference, 0), QStringLiteral("9872023vh5797s0001wx"));
      TypeInto(&d, Cell(D::kValue, 0), QStringLiteral("100000"));
      TypeInto(&d, Cell(D::kRevised, 0), QString::fromLatin1(c.revised));
      if (*c.share) TypeInto(&d, Cell(D::kShare, 0), QStringLiteral("\b\b\b\b\b\b") + QString::fromLatin1(c.share));
      if (*c.days) TypeInto(&d, Cell(D::kDays, 0), QStringLiteral("\b\b\b\b") + QString::fromLatin1(c.days));
      EXPECT_FALSE(d.GetDlgItem(Cell(D::kIncome, 0))->isEnabled());
      Click(&d, ui::IDOK);
    });
    l.Launch();
    EXPECT_EQ(messages.Codes(), c.messages);
    if (c.death[0]) {
      ASSERT_FALSE(messages.shown.empty());
      EXPECT_TRUE(messages.shown.back().text.endsWith(QStringLiteral(" 181"))) << messages.shown.back().text.toStdString();
    }
    EXPECT_EQ(im::Holder.get(block), 2);
    EXPECT_DOUBLE_EQ(im::Share.get(block), c.shareAfter);
    EXPECT_DOUBLE_EQ(im::Days.get(block), c.daysAfter);
    EXPECT_DOUBLE_EQ(im::Income.get(block), c.income);
    EXPECT_EQ(im::Reference.str(block), "9872023VH5797S0001WX");
    EXPECT_EQ(im::Revised.get(block), *c.revised == 's' ? 1 : 0);
    EXPECT_EQ(im::Holder.get(block + im::kRowSize), 0) << "the second row stays unused";
    EXPECT_TRUE(std::all_of(around.begin(), around.begin() + 8, [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_TRUE(std::all_of(around.end() - 8, around.end(), [](std::uint8_t b) { return b == 0xEE; }));
  }
}

TEST_F(Impurentas, AnIncompleteRowRefusesOkAndCancelKeepsTheBlock) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  std::vector<std::uint8_t> block(im::kBlockSize);
  for (int r = 0; r < im::kRows; ++r) im::Revised.set(block.data() + im::kRowSize * r, im::kRevisedBlank);
  const std::vector<std::uint8_t> before = block;
  CDialogLauncherEdit l(8, 2, "IDD_IMPURENTAS*0*2");
  l.SetOption(block.data());
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<D&>(*m);
    TypeInto(&d, Cell(D::kHolder, 0), QStringLiteral("D"));
    TypeInto(&d, Cell(D::kValue, 0), QStringLiteral("50000"));
    TypeInto(&d, Cell(D::kRevised, 0), QStringLiteral("n"));
    Click(&d, ui::IDOK);
    EXPECT_TRUE(d.isVisible()) << "no cadastral reference";
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R114")});
    Click(&d, ui::IDCANCEL);
  });
  l.Launch();
  EXPECT_EQ(block, before);
}

TEST_F(Impurentas, TheSpousesViewShowsHalfOfACommonRowAndStoresNothing) {
  qxtest::MemberView view(3, {1, 1, 1, 0, 0});
  std::vector<std::uint8_t> block(im::kBlockSize);
  for (int r = 0; r < im::kRows; ++r) im::Revised.set(block.data() + im::kRowSize * r, im::kRevisedBlank);
  im::Holder.set(block.data(), 1);
  im::Share.set(block.data(), 100.0);
  im::Reference.set(block.data(), "9872023VH5797S0001WX");
  im::Value.set(block.data(), 100000.0);
  im::Revised.set(block.data(), 0);
  im::Days.set(block.data(), 365.0);
  im::Income.set(block.data(), 2000.0);
  const std::vector<std::uint8_t> before = block;
  CDialogLauncherEdit l(8, 2, "IDD_IMPURENTAS*0*3");
  l.SetOption(block.data());
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<D&>(*m);
    EXPECT_EQ(d.Edit(Cell(D::kShare, 0))->text(), QStringLiteral("50,00"));
    EXPECT_EQ(d.Edit(Cell(D::kIncome, 0))->text(), QStringLiteral("1.000,00"));
    EXPECT_EQ(d.Edit(Cell(D::kValue, 0))->text(), QStringLiteral("100.000,00")) << "the value stays";
    EXPECT_EQ(d.Edit(Cell(D::kHolder, 0))->text().trimmed(), QStringLiteral("DECLARANTE"));
    Click(&d, ui::IDOK);
    EXPECT_EQ(d.result(), ui::IDCANCEL);
  });
  l.Launch();
  EXPECT_EQ(block, before);
}

}  // namespace

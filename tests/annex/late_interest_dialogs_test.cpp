// The late-payment interest annexes and their breakdown dialog: "Prop." computes a row's interest
// case by case, its OK replaces the row's interest, the year mode and the start dates are checked.
#include <QAbstractButton>
#include <QListWidget>

#include <cstring>

#include "annex/calculo_intereses_demora_dlg.h"
#include "annex/idemorap_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/lista_edit.h"
#include "ui/message_dlg.h"

namespace {

namespace in = annex::interest;
using annextest::AnnexTest;
using Calc = CCalculoInteresesDemoraDlg;

// Picks the line `key` from a lookup edit's list, as a click on it does.
void Pick(CTemplateDlg& d, int id, const char* key) {
  auto* l = dynamic_cast<CListaEdit*>(d.GetDlgItem(id));
  ASSERT_NE(l, nullptr) << id;
  l->setFocus();
  l->ToggleList();
  ASSERT_NE(l->List(), nullptr);
  for (int r = 0; r < l->List()->count(); ++r)
    if (l->ItemText(r) == QString::fromLatin1(key)) l->List()->setCurrentRow(r);
  QTest::keyClick(l->List(), Qt::Key_Return);
}

// Types a whole date into a date edit left blank, from its first character, and leaves it.
void Retype(CTemplateDlg& d, int id, const char* date) {
  CEditEx* e = d.Edit(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  e->setCursorPosition(0);
  qxtest::Type(e, date);
  QTest::keyClick(e, Qt::Key_Tab);
}

class LateInterestDialogs : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
};

TEST_F(LateInterestDialogs, PropComputesTheRowsInterestAndOkReplacesIt) {
  std::vector<std::uint8_t> block(2472);
  block[0] = 2;  // the declarant's row, interest typed by hand
  blocks::F64{416}.set(block.data(), 99.0);
  annextest::Launch("IDD_IDEMORAP2", block.data(), [&](CTemplateDlg& t) {
    auto& d = dynamic_cast<CIdemorap2Dlg&>(t);
    EXPECT_EQ(d.OpenBreakdown(1499), 0) << "a row without holder opens nothing";
    for (const int answer : {ui::IDCANCEL, ui::IDOK})
      d.OpenBreakdown(1496, [&](QDialog& q) {
        auto& c = dynamic_cast<Calc&>(q);
        EXPECT_TRUE(qxtest::ShowActive(&c));
        EXPECT_TRUE(c.windowTitle().endsWith(QStringLiteral("DECLARANTE")));
        EXPECT_EQ(c.yearMode, 4);
        annextest::TypeInto(c, Calc::kCalculationDate, QStringLiteral("30062004"));
        Pick(c, Calc::kYears[0], "2002");
        annextest::TypeInto(c, Calc::kAmounts[0], QStringLiteral("1000"));
        Pick(c, Calc::kKinds[0], "I");
        EXPECT_EQ(in::Total.get(c.Data()), 51.35);
        EXPECT_EQ(c.Edit(Calc::kDays[0])->text(), QStringLiteral("366"));
        annextest::Press(c, answer);
        return c.result();
      });
    EXPECT_EQ(blocks::F64{416}.get(d.Row(0)), 51.35);
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(blocks::F64{416}.get(block.data()), 51.35);
  EXPECT_EQ(in::Total.get(block.data() + 424), 51.35) << "the breakdown is kept with the row";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + 424 + in::CaseAt(0)), 4), "2002");
}

TEST_F(LateInterestDialogs, TheBreakdownChecksYearsAndStartDates) {
  Calc c(nullptr);
  c.yearMode = 2;
  c.holder = 1;
  c.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&c));
  EXPECT_TRUE(c.windowTitle().endsWith(QStringLiteral("COMÚN")));
  annextest::TypeInto(c, Calc::kCalculationDate, QStringLiteral("30062004"));
  Pick(c, Calc::kYears[0], "2002");  // refused by mode 2
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN007")});
  EXPECT_EQ(c.Data()[in::CaseAt(0)], 0);
  Pick(c, Calc::kYears[0], "2000");
  annextest::TypeInto(c, Calc::kAmounts[0], QStringLiteral("500"));
  Pick(c, Calc::kKinds[0], "I");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Data() + in::CaseAt(0) + in::StartDate.off), 8), "20062001");
  Pick(c, Calc::kKinds[0], "D");
  const char cleared = static_cast<char>(c.Data()[in::CaseAt(0) + in::StartDate.off]);
  EXPECT_TRUE(cleared == 0 || cleared == ' ') << "a refund's start date is typed again";
  EXPECT_EQ(messages.Codes().size(), 1u) << "an empty start date is not refused";
  EXPECT_TRUE(c.GetDlgItem(Calc::kStarts[0])->isEnabled());
  annextest::TypeInto(c, Calc::kStarts[0], QStringLiteral("01032001"));  // before 02/03/2001
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN008"));
  EXPECT_EQ(in::Interest.get(c.Data() + in::CaseAt(0)), 0.0);
  Retype(c, Calc::kStarts[0], "10052004");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Data() + in::CaseAt(0) + in::StartDate.off), 8), "10052004")
      << c.Edit(Calc::kStarts[0])->text().toStdString();
  EXPECT_EQ(in::Days.get(c.Data() + in::CaseAt(0)), 51.0);
  // A calculation date moved before the start date blanks it.
  c.Edit(Calc::kCalculationDate)->setFocus();
  c.Edit(Calc::kCalculationDate)->setText(QStringLiteral("05/05/2004"));
  QTest::keyClick(c.Edit(Calc::kCalculationDate), Qt::Key_Tab);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Data()), 8), "05052004");
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN008"));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.Data() + in::CaseAt(0) + in::StartDate.off), 8), "        ");
}

TEST_F(LateInterestDialogs, TheSpousesViewShowsHalfACommonRowAndOkDiscardsIt) {
  qxtest::MemberView spouse(3, {1, 1, 1, 0, 0});
  std::vector<std::uint8_t> block(1248);
  block[0] = 1;
  blocks::F64{8}.set(block.data(), 80.0);
  block[416] = 2;
  blocks::F64{416 + 8}.set(block.data(), 30.0);
  const std::vector<std::uint8_t> before = block;
  annextest::Launch("IDD_IDEMORAP*3", block.data(), [&](CTemplateDlg& t) {
    auto& d = dynamic_cast<CIdemorapDlg&>(t);
    EXPECT_EQ(d.Edit(CIdemorapDlg::kInterest[0])->text(), QStringLiteral("40,00"));
    EXPECT_EQ(d.Edit(CIdemorapDlg::kInterest[1])->text(), QString()) << "the declarant's row is not the spouse's";
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(block, before);
}

}  // namespace

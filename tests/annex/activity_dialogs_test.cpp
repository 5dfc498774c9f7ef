// The economic-activity annex dialogs: withholdings and fractional payments of an activity in
// direct estimation, the information on an agricultural activity, and the regime of an attributed
// net yield; the holder's fractional payments kept equal across the holder's rows.
#include <QAbstractButton>
#include <QLineEdit>

#include <cstring>

#include "annex/aaee_ed_dlg.h"
#include "annex/activity_rows.h"
#include "annex/informacion_actividad_dlg.h"
#include "annex/tipoactividad_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"
#include "ui/message_dlg.h"

namespace {

namespace rows = annex::activity_rows;
namespace ed = annex::aaee_ed;
namespace ia = annex::informacion_actividad;
namespace ta = annex::tipoactividad;
using annextest::AnnexTest;
using annextest::OpenDeclaration;

class ActivityDialogs : public AnnexTest {
 protected:
  std::uint8_t* Row(const rows::Section& s, int r) { return rows::Row(declaration.block.data(), s, r); }
  void DirectRow(int r, std::uint8_t holder, char kind, const char* heading, double payments) {
    std::uint8_t* row = Row(rows::kDirect, r);
    row[0] = holder;
    row[ed::kRowKind] = static_cast<std::uint8_t>(kind);
    std::memcpy(row + ed::RowHeading.off, heading, std::strlen(heading));
    rows::Payments(rows::kDirect).set(row, payments);
  }
  // Opens direct-estimation row `r`'s dialog through the launch table, as its box does.
  void LaunchDirect(int r, const std::function<void(CAaeeEdDlg&)>& act) {
    ui::AnnexPointerList list{Row(rows::kDirect, r) + ed::kRowBlock};
    list.value = r;
    annextest::Launch("IDD_AAEE_ED", &list, [&](CTemplateDlg& d) { act(dynamic_cast<CAaeeEdDlg&>(d)); });
  }
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
  OpenDeclaration declaration;
};

TEST_F(ActivityDialogs, TheHoldersPaymentsComeFromHisOtherDirectActivityAndOnlyOkKeepsThem) {
  DirectRow(0, 2, '1', "861.1", 300.0);
  DirectRow(1, 2, '1', "659.1", 0.0);
  DirectRow(2, 3, '1', "659.1", 75.0);
  const std::vector<std::uint8_t> before = declaration.block;
  LaunchDirect(1, [](CAaeeEdDlg& d) {
    EXPECT_EQ(d.Edit(CAaeeEdDlg::kPayments)->text(), QStringLiteral("300,00"));
    annextest::Press(d, ui::IDCANCEL);
  });
  EXPECT_TRUE(declaration.block == before) << "Cancel leaves the declaration as it was";

  LaunchDirect(1, [](CAaeeEdDlg& d) { annextest::Press(d, ui::IDOK); });
  EXPECT_EQ(rows::Payments(rows::kDirect).get(Row(rows::kDirect, 1)), 300.0) << "OK carries the holder's payments";
  EXPECT_EQ(rows::Payments(rows::kDirect).get(Row(rows::kDirect, 2)), 75.0) << "another holder's row";

  // A change of non-zero payments is told once; from 0 nothing is told.
  for (const double opened : {300.0, 0.0}) {
    messages.shown.clear();
    DirectRow(3, 4, '1', "", opened);
    LaunchDirect(3, [](CAaeeEdDlg& d) {
      annextest::TypeInto(d, CAaeeEdDlg::kPayments, QStringLiteral("\b\b\b\b\b\b\b\b120"));
      annextest::Press(d, ui::IDOK);
    });
    const std::vector<QString> told = opened != 0.0 ? std::vector<QString>{QStringLiteral("100I006")} : std::vector<QString>{};
    EXPECT_EQ(messages.Codes(), told) << opened;
    EXPECT_EQ(rows::Payments(rows::kDirect).get(Row(rows::kDirect, 3)), 120.0);
  }
}

TEST_F(ActivityDialogs, DirectEstimationWithholdingsAreCheckedByHeadingAndKind) {
  struct Case {
    const char* what;
    char kind;
    const char* heading;
    double income, withholdings, leasing;
    std::vector<QString> codes;
  };
  const Case cases[] = {
      {"leasing withholdings on a leasing heading", '1', "861.2", 1000, 0, 10, {}},
      {"leasing withholdings elsewhere", '1', "659.1", 1000, 0, 10, {"100P024"}},
      {"leasing withholdings without heading", '1', "     ", 1000, 0, 10, {}},
      {"kind 2 at 2 per cent and half a cent", '2', "", 1000, 20.5, 0, {}},
      {"kind 2 over it", '2', "", 1000, 20.51, 0, {"100P044"}},
      {"kind 1 at 15 per cent in all", '1', "861.1", 1000, 140.5, 10, {}},
      {"kind 1 over it", '1', "861.1", 1000, 140.51, 10, {"100P044"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::fill(declaration.block.begin(), declaration.block.end(), 0);
    DirectRow(0, 2, c.kind, c.heading, 0);
    std::uint8_t* block = Row(rows::kDirect, 0) + ed::kRowBlock;
    ed::OperatingIncome.set(block, c.income);
    ed::Withholdings.set(block, c.withholdings);
    ed::LeasingWithholdings.set(block, c.leasing);
    messages.shown.clear();
    CAaeeEdDlg d({});
    std::memcpy(d.AnnexBlock().data(), block, ed::kBlockSize);
    d.SetRow(0);
    d.EnsureCreated();
    EXPECT_TRUE(d.Validate());
    EXPECT_EQ(messages.Codes(), c.codes);
  }
}

TEST_F(ActivityDialogs, AgriculturalInformationFollowsTheActivityCode) {
  using D = CInformacionRelativaActividadDlg235;
  const int all[] = {D::kThirdPartyMeans, D::kBoughtFeed, D::kStaffCost, D::kOrganic, D::kFirstInstallation,
                     D::kForestry, D::kWithholdings, D::kPayments};
  for (const char code : {'2', '3'}) {
    D d;
    d.SetRow(code, 2, 0);
    d.EnsureCreated();
    for (int id : all) {
      const bool off = code == '2' && (id == D::kThirdPartyMeans || id == D::kBoughtFeed || id == D::kOrganic ||
                                       id == D::kStaffCost);
      const bool offThree = code == '3' && (id == D::kThirdPartyMeans || id == D::kForestry);
      EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), !(off || offThree)) << code << " " << id;
    }
  }
  // Feed bought from third parties asks on codes 1 and 7 only.
  for (const char code : {'7', '3'}) {
    messages.shown.clear();
    D d;
    d.SetRow(code, 2, 0);
    ia::BoughtFeed.set(d.Data(), 1);
    d.EnsureCreated();
    EXPECT_TRUE(d.Validate());
    EXPECT_EQ(messages.Codes().size(), code == '7' ? 1u : 0u);
  }
}

TEST_F(ActivityDialogs, TheActivitiesPageOpensTheInformationAndSpreadsThePayments) {
  std::uint8_t* agrarian = Row(rows::kAgrarian, 1);
  agrarian[0] = 2;
  agrarian[ia::kRowActivityCode] = '4';
  Row(rows::kObjective, 0)[0] = 2;
  rows::Payments(rows::kObjective).set(Row(rows::kObjective, 0), 40.0);
  Row(rows::kObjective, 1)[0] = 3;
  const int result = CInformacionRelativaActividadDlg235::OpenForRow(declaration.block.data(), 1, [](QDialog& q) {
    auto& d = dynamic_cast<CInformacionRelativaActividadDlg235&>(q);
    EXPECT_EQ(d.Edit(CInformacionRelativaActividadDlg235::kPayments)->text(), QStringLiteral("40,00"));
    EXPECT_TRUE(qxtest::ShowActive(&d));
    annextest::TypeInto(d, CInformacionRelativaActividadDlg235::kWithholdings, QStringLiteral("15"));
    annextest::TypeInto(d, CInformacionRelativaActividadDlg235::kPayments, QStringLiteral("\b\b\b\b\b\b\b\b55"));
    annextest::Press(d, ui::IDOK);
    return d.result();
  });
  EXPECT_EQ(result, ui::IDOK);
  EXPECT_EQ(ia::Withholdings.get(agrarian + ia::kRowBlock), 15.0);
  EXPECT_EQ(rows::Payments(rows::kAgrarian).get(agrarian), 55.0);
  EXPECT_EQ(rows::Payments(rows::kObjective).get(Row(rows::kObjective, 0)), 55.0) << "the holder's other activity";
  EXPECT_EQ(rows::Payments(rows::kObjective).get(Row(rows::kObjective, 1)), 0.0) << "another holder's";
}

TEST_F(ActivityDialogs, TheAttributedYieldNeedsItsRegimeAndSpreadsThePayments) {
  for (int r : {0, 2}) Row(rows::kAttributed, r)[0] = 2;
  Row(rows::kAttributed, 1)[0] = 3;
  ui::AnnexPointerList list{Row(rows::kAttributed, 0) + 104};
  list.holder = 2;
  annextest::Launch("IDD_TIPOACTIVIDAD", &list, [&](CTemplateDlg& t) {
    auto& d = dynamic_cast<CTipoactividadDlg&>(t);
    annextest::TypeInto(d, CTipoactividadDlg::kNetYield, QStringLiteral("-500"));
    annextest::Press(d, ui::IDOK);
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R138")});
    EXPECT_TRUE(d.isVisible());
    QWidget* objective = d.GetDlgItem(CTipoactividadDlg::kObjective);
    objective->setFocus();
    QTest::keyClick(objective, Qt::Key_X);
    EXPECT_EQ(d.Edit(CTipoactividadDlg::kDirect)->text().trimmed(), QString());
    QWidget* direct = d.GetDlgItem(CTipoactividadDlg::kDirect);
    direct->setFocus();
    QTest::keyClick(direct, Qt::Key_X);
    EXPECT_EQ(ta::Objective.get(d.Data()), 0) << "exactly one regime";
    annextest::TypeInto(d, CTipoactividadDlg::kPayments, QStringLiteral("33"));
    annextest::Press(d, ui::IDOK);
    EXPECT_FALSE(d.isVisible());
  });
  const std::uint8_t* block = Row(rows::kAttributed, 0) + 104;
  EXPECT_EQ(ta::Direct.get(block), 1);
  EXPECT_EQ(ta::NetYield.get(block), -500.0);
  EXPECT_EQ(rows::Payments(rows::kAttributed).get(Row(rows::kAttributed, 2)), 33.0);
  EXPECT_EQ(rows::Payments(rows::kAttributed).get(Row(rows::kAttributed, 1)), 0.0);

  // A yield cleared to 0 clears both marks as the field is left.
  CTipoactividadDlg d({});
  ta::Direct.set(d.Data(), 1);
  ta::NetYield.set(d.Data(), 10.0);
  d.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&d));
  annextest::TypeInto(d, CTipoactividadDlg::kNetYield, QStringLiteral("\b\b\b\b\b\b\b\b0"));
  EXPECT_EQ(ta::Direct.get(d.Data()) + ta::Objective.get(d.Data()), 0);
}

}  // namespace

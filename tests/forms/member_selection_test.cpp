// The choice of whose declaration is printed or filed: which members the household offers, and
// what Cancel leaves.
#include <QAbstractButton>
#include <QApplication>

#include <vector>

#include "blocks/form100.h"
#include "forms/print/member_selection_dlg.h"
#include "support/ui_helpers.h"

namespace {

using D = forms::CSeleccionDeclaracionImprimirDlg;

TEST(MemberSelection, TheHouseholdDecidesWhatCanBeChosenAndCancelLeavesNone) {
  struct Case {
    const char* what;
    std::array<std::uint8_t, 5> household;
    std::uint8_t mode;
    int shown;
    bool joint, spouse, child1;
  };
  const Case cases[] = {
      {"a single declarant", {0, 1, 0, 0, 0}, 0, 2, false, false, false},
      {"a couple filing jointly", {1, 1, 1, 0, 0}, 1, 1, true, false, false},
      {"a couple with a child, declarant shown", {1, 1, 1, 1, 0}, 1, 2, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> block(f100::kBlockSize, 0);
    block[f100::Personal.offset] = c.mode;
    D::Declaration d{block, c.household, c.shown, 2, {}};
    D dlg(d, 1);
    dlg.EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(&dlg));
    EXPECT_EQ(dlg.GetDlgItem(D::kJoint)->isEnabled(), c.joint);
    if (c.shown != 1) {
      EXPECT_EQ(dlg.GetDlgItem(D::kSpouse)->isEnabled(), c.spouse);
      EXPECT_EQ(dlg.GetDlgItem(D::kChild1)->isEnabled(), c.child1);
    }
    EXPECT_TRUE(dlg.GetDlgItem(D::kPrinterName)->isHidden()) << "filing: no printer";
    dlg.Item<QAbstractButton>(ui::IDCANCEL)->click();
    EXPECT_EQ(dlg.member, -1);
    EXPECT_EQ(dlg.jointSelection, -1);
  }
}

// The print asked for from the findings window (mode 2) and the paper copy of a filed declaration
// (mode 3) show the member already chosen and let nothing else be chosen; the paper copy has no
// extra copy. The shown member does not count.
TEST(MemberSelection, APrintWithItsMemberChosenShowsItFixed) {
  std::vector<std::uint8_t> block(f100::kBlockSize, 0);
  block[f100::Personal.offset] = 1;
  for (int mode : {2, 3}) {
    for (int chosen : {1, 3}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", member " << chosen);
      D dlg(D::Declaration{block, {1, 1, 1, 0, 0}, 2, chosen, [](int) { return true; }}, mode);
      dlg.EnsureCreated();
      ASSERT_TRUE(qxtest::ShowActive(&dlg));
      EXPECT_TRUE(dlg.Item<QAbstractButton>(chosen == 1 ? D::kJoint : D::kSpouse)->isChecked());
      for (int id : {D::kJoint, D::kIndividual, D::kDeclarant, D::kSpouse, D::kChild1, D::kChild2})
        EXPECT_FALSE(dlg.GetDlgItem(id)->isEnabled()) << id;
      EXPECT_EQ(dlg.GetDlgItem(D::kExtraCopy)->isHidden(), mode == 3);
      EXPECT_TRUE(dlg.GetDlgItem(ui::IDOK)->isEnabled()) << "no validation: errors were seen already";
      dlg.Item<QAbstractButton>(ui::IDOK)->click();
      EXPECT_EQ(dlg.member, chosen);
      EXPECT_EQ(dlg.jointSelection, chosen == 1 ? 1 : 0);
    }
  }
}

}  // namespace

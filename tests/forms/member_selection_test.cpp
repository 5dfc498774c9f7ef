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
    D::Declaration d{block, c.household, c.shown, {}};
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

}  // namespace

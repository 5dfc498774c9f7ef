// Research and innovation deductions: the rates of the launcher's index, and the two research rows
// that the dialog keeps together.
#include <QLabel>

#include "annex/imasd_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/strings.h"
#include "support/member_view.h"

namespace {

namespace f = annex::imasd;
using annextest::AnnexTest;
using D = CImasdDlg;

class Imasd : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
};

TEST_F(Imasd, DeductionsAtTheRatesOfTheIndex) {
  struct Case {
    int index;
    double t, m, a, u, r, research, innovation;
  };
  for (const Case& c : {Case{1, 1000, 600, 100, 1000, 1000, 390.0, 250.0}, Case{1, 500, 600, 100, 0, 0, 160.0, 0.0},
                        Case{1, 600, 600, 0, 0, 0, 180.0, 0.0}, Case{2, 1000, 600, 100, 1000, 1000, 714.0, 650.0}}) {
    D d({});
    d.index = c.index;
    std::uint8_t* research = d.AnnexBlock().data();
    std::uint8_t* innovation = research + f::kInnovationFirst;
    f::ResearchHolder.set(research, 2);
    f::Total.set(research, c.t);
    f::Average.set(research, c.m);
    f::Additional.set(research, c.a);
    f::InnovationHolder.set(innovation, 2);
    f::Commissioned.set(innovation, c.u);
    f::Other.set(innovation, c.r);
    d.EnsureCreated();
    d.CalculateDeductions();
    EXPECT_EQ(f::ResearchDeduction.get(d.ResearchRow(0)), c.research) << c.index << " " << c.t;
    EXPECT_EQ(f::InnovationDeduction.get(d.Row(0)), c.innovation) << c.index << " " << c.u;
  }
}

TEST_F(Imasd, TheSecondResearchRowFollowsTheFirst) {
  std::vector<std::uint8_t> block(f::kBlockSize);
  f::ResearchHolder.set(block.data(), 2);
  f::Total.set(block.data(), 100.0);
  f::ResearchHolder.set(block.data() + f::kResearchSize, 3);
  f::Total.set(block.data() + f::kResearchSize, 700.0);
  annextest::Launch("IDD_IMASD*2", block.data(), [&](CTemplateDlg& t) {
    auto& d = dynamic_cast<D&>(t);
    EXPECT_EQ(d.Item<QLabel>(D::kAdditionalHeading)->text(), platform::LoadString(354));
    EXPECT_TRUE(d.GetDlgItem(D::kTotals[1])->isEnabled());
    QWidget* first = d.GetDlgItem(D::kResearchHolders[0]);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Delete);
    EXPECT_EQ(f::ResearchHolder.get(d.ResearchRow(0)), 3) << "row 1 moved up";
    EXPECT_EQ(f::Total.get(d.ResearchRow(0)), 700.0);
    EXPECT_EQ(f::ResearchHolder.get(d.ResearchRow(1)), 0);
    EXPECT_TRUE(d.GetDlgItem(D::kResearchHolders[1])->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(D::kTotals[1])->isEnabled());
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Delete);
    EXPECT_FALSE(d.GetDlgItem(D::kResearchHolders[1])->isEnabled()) << "no first row: no second";
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(f::ResearchHolder.get(block.data()), 0);
  EXPECT_EQ(f::Total.get(block.data() + f::kResearchSize), 0.0);
}

}  // namespace

// Training and information-technology deductions: the rates of the launcher's index, the objective
// base capped by the holder's yields, and the checks that each base has yields of its regime.
#include <cstring>

#include "annex/activity_deduction_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "launch_support.h"
#include "support/member_view.h"

namespace {

namespace f = annex::activity_deduction;
using annextest::AnnexTest;
using annextest::OpenDeclaration;
using B = CActivityDeductionDlg;

class ActivityDeduction : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
  OpenDeclaration declaration;
  std::uint8_t* DeclRow(std::size_t section, std::size_t size, int r) {
    return declaration.block.data() + section + size * static_cast<std::size_t>(r);
  }
};

TEST_F(ActivityDeduction, TrainingAtTheRatesOfTheIndex) {
  struct Case {
    int index;
    double expenses, average, deduction;
  };
  for (const Case& c : {Case{1, 1000, 600, 70.0}, Case{1, 500, 600, 25.0}, Case{2, 1000, 600, 270.0}}) {
    std::vector<std::uint8_t> block(f::kBlockSize);
    block[0] = 2;
    annextest::Launch(("IDD_FORMPROF*" + std::to_string(c.index)).c_str(), block.data(), [&](CTemplateDlg& d) {
      annextest::TypeInto(d, B::kFirst[0], QString::number(c.expenses, 'f', 0));
      annextest::TypeInto(d, B::kSecond[0], QString::number(c.average, 'f', 0));
      EXPECT_FALSE(d.GetDlgItem(B::kDeductions[0])->isEnabled());
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(f::Deduction.get(block.data()), c.deduction) << c.index << " " << c.expenses;
  }
}

TEST_F(ActivityDeduction, TechnologyCapsTheObjectiveBaseAndChecksTheYields) {
  // The declarant's objective-estimation yields: 1000 in an E4 activity; a direct yield in E1.
  std::uint8_t* e4 = DeclRow(f100::SectionE4.offset, 1416, 0);
  e4[0] = 2;
  blocks::F64{1392}.set(e4, 1000.0);
  blocks::F64{1272}.set(e4, 1000.0);
  std::uint8_t* e1 = DeclRow(f100::SectionE1.offset, 288, 0);
  e1[0] = 2;
  blocks::F64{88}.set(e1, 5000.0);
  struct Case {
    const char* what;
    int index;
    std::uint8_t holder;
    double direct, objective;
    std::vector<QString> codes;
    double deduction;
  };
  const Case cases[] = {
      {"capped by the yields", 1, 2, 2000, 3000, {}, 300.0},
      {"no rate for another index", 3, 2, 2000, 3000, {}, 0.0},
      {"an objective base without objective yields", 1, 3, 0, 100, {"100R059"}, 0.0},
      {"a direct base without direct yields", 1, 3, 100, 0, {"100R060"}, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    std::vector<std::uint8_t> block(f::kBlockSize);
    block[0] = c.holder;
    f::First.set(block.data(), c.direct);
    f::Second.set(block.data(), c.objective);
    const std::vector<std::uint8_t> before = block;
    annextest::Launch(("IDD_GTOTECINF*" + std::to_string(c.index)).c_str(), block.data(), [&](CTemplateDlg& t) {
      auto& d = dynamic_cast<CGtotecinfDlg&>(t);
      d.CalculateDeduction();
      annextest::Press(d, ui::IDOK);
      EXPECT_EQ(d.isVisible(), !c.codes.empty());
    });
    EXPECT_EQ(messages.Codes(), c.codes);
    if (c.codes.empty()) EXPECT_EQ(f::Deduction.get(block.data()), c.deduction);
    else EXPECT_EQ(block, before) << "refused: nothing kept";
  }
}

}  // namespace

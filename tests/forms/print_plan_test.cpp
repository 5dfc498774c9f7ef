// The sheets of a print: the copies of each form, the payment document only in the taxpayer's
// copies, the copy kinds, the copy of a filed declaration and the pages chosen for a repeated print.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "forms/print/print_plan.h"

namespace {

using forms::print::PageSelection;
using forms::print::PlannedSheet;
using forms::print::PlanOptions;
using forms::print::PlanSheets;

PlanOptions Options(int form, std::vector<int> pages, bool internet = false, bool extraCopy = false,
                    std::optional<PageSelection> selection = std::nullopt) {
  PlanOptions o;
  o.form = form;
  o.pages = std::move(pages);
  o.internet = internet;
  o.extraCopy = extraCopy;
  o.selection = selection;
  return o;
}

std::vector<PlannedSheet> Copy(std::vector<int> pages, int kind) {
  std::vector<PlannedSheet> out;
  for (int p : pages) out.push_back({p, kind});
  return out;
}
std::vector<PlannedSheet> Join(std::initializer_list<std::vector<PlannedSheet>> parts) {
  std::vector<PlannedSheet> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(PrintPlan, EachFormPrintsItsCopiesWithTheirKinds) {
  const std::vector<int> p100{222, 220, 202, 217, 218, 290};
  const std::vector<int> p714{301, 302, 310, 311, 312};
  struct Case {
    const char* what;
    PlanOptions options;
    std::vector<PlannedSheet> sheets;
  };
  const Case cases[] = {
      {"form 100: the administration's copy, then the taxpayer's with the payment document",
       Options(100, p100),
       Join({Copy({222, 220, 202, 290}, 1), Copy({222, 220, 202, 217}, 2), Copy({218}, 3), Copy({290}, 2)})},
      {"form 100 with an additional copy: a third copy without the second payment sheet",
       Options(100, p100, false, true),
       Join({Copy({222, 220, 202, 290}, 1), Copy({222, 220, 202, 217}, 2), Copy({218}, 3), Copy({290}, 2),
             Copy({222, 220, 202, 217, 290}, 2)})},
      {"form 100, the copy of a filed declaration: one copy, no second payment sheet",
       Options(100, p100, true, true), Copy({222, 220, 202, 217, 290}, 4)},
      {"form 714: two copies for the administration, then the taxpayer's with the payment document",
       Options(714, p714),
       Join({Copy({301, 302, 310}, 1), Copy({301, 302, 310}, 1), Copy({301, 302, 310, 311}, 5), Copy({312}, 3)})},
      {"form 714 with an additional copy",
       Options(714, p714, false, true),
       Join({Copy({301, 302, 310}, 1), Copy({301, 302, 310}, 1), Copy({301, 302, 310, 311}, 5), Copy({312}, 3),
             Copy({301, 302, 310, 311}, 5)})},
      {"form 714, the copy of a filed declaration", Options(714, p714, true),
       Copy({301, 302, 310, 311}, 6)},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanSheets(c.options), c.sheets) << c.what;
}

TEST(PrintPlan, AChosenPageSetIsPrintedAndTheSecondPaymentSheetFollowsTheFirst) {
  PageSelection chosen{};
  chosen[0] = chosen[2] = 1;  // the summary sheet and page 2; page 1 as printed and page 17 left out
  const std::vector<PlannedSheet> sheets = PlanSheets(Options(100, {222, 220, 202, 217, 218}, false, false, chosen));
  EXPECT_EQ(sheets, Join({Copy({222, 202}, 1), Copy({222, 202}, 2)}));

  PageSelection pages714{};
  pages714[1] = pages714[11] = 1;
  const std::vector<PlannedSheet> wealth = PlanSheets(Options(714, {301, 302, 311, 312}, false, false, pages714));
  EXPECT_EQ(wealth, Join({Copy({301}, 1), Copy({301}, 1), Copy({301, 311}, 5), Copy({312}, 3)}));
}

}  // namespace

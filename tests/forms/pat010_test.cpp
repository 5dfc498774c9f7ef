// Form 714's liquidation page: the amounts locked without exempt minimum, the amount of the
// assets in Ceuta and Melilla held to the taxable base, and the box of the tax paid abroad.
#include "blocks/field.h"
#include "blocks/form714.h"
#include "forms/pages/page714.h"
#include "forms/pages/pat010.h"
#include "page_fixture.h"
#include "ui/annex_dlg.h"

namespace formstest {
namespace {

constexpr std::size_t kS = f714::Summary.offset;

class Pat010 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm714Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    for (const char* n : {"PAT002", "PAT003", "PAT004", "PAT005", "PAT006", "PAT007", "PAT008", "PAT010", "PAT011"})
      forms::UnregisterPageClass(n);
  }
};

TEST_F(Pat010, WithoutExemptMinimumTwoAmountsAreLocked) {
  forms::CFormView& page = Open(3, 310);
  EXPECT_EQ(page.GetPageClassName(), "PAT010");
  EXPECT_EQ(page.GetBox(10)->SoloLectur, 0);
  Block()[f714::Personal.offset + 81] = 1;
  page.RepaintBoxes();
  EXPECT_EQ(page.GetBox(10)->SoloLectur, 1);
  EXPECT_EQ(page.GetBox(20)->SoloLectur, 1);
  Block()[f714::Personal.offset + 81] = 0;
  page.RepaintBoxes();
  EXPECT_EQ(page.GetBox(20)->SoloLectur, 0);
}

// The tax paid abroad opens its dialog on the liquidation's three pairs of tax and value with the
// net wealth as the base; the income-tax base box opens the quota limit on the income-tax inputs,
// with the net wealth too.
TEST_F(Pat010, TheTaxPaidAbroadBoxHandsThePairsAndTheNetWealth) {
  forms::CFormView& page = Open(3, 310);
  const auto* paid = page.GetBox(forms::CBoxesPAT010::kTaxPaidAbroad - 1);
  EXPECT_EQ(paid->NombreVent, "IDD_PIMPEXTR");
  ASSERT_NE(paid->option, nullptr);
  const auto& link = *static_cast<const ui::AnnexPointerList*>(paid->option);
  EXPECT_EQ(link.block, Block() + kS + 448);
  EXPECT_EQ(link.item1, Block() + kS + 168);
  EXPECT_EQ(link.size, 48);
  const auto* base = page.GetBox(forms::CBoxesPAT010::kQuotaLimit - 1);
  EXPECT_EQ(base->NombreVent, "IDD_PCUOTINT");
  ASSERT_NE(base->option, nullptr);
  const auto& inputs = *static_cast<const ui::AnnexPointerList*>(base->option);
  EXPECT_EQ(inputs.block, Block() + kS + 296);
  EXPECT_EQ(inputs.item1, Block() + kS + 168);
  EXPECT_EQ(inputs.size, 72);
  page.BoxList()->ReleasePageData();
  EXPECT_EQ(paid->option, nullptr);
  EXPECT_EQ(base->option, nullptr);
}

TEST_F(Pat010, CeutaAndMelillaAreHeldToTheTaxableBase) {
  forms::CFormView& page = Open(3, 310);
  struct Case {
    double base, amount;
    bool refused;
  };
  for (const Case& c : {Case{1000.0, 1000.0, false}, Case{1000.0, 1000.01, true}}) {
    host->coded.codes.clear();
    blocks::F64{kS + 168}.set(Block(), c.base);
    blocks::F64{kS + 512}.set(Block(), c.amount);
    // The document's calculation may move the base: the check reads the values it finds.
    const double base = blocks::F64{kS + 168}.get(Block());
    const int result = page.OnBoxEdited(24);
    if (c.refused && c.amount > base) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(host->coded.codes, std::vector<std::string>{"100P058"});
      EXPECT_EQ(blocks::F64{kS + 512}.get(Block()), 0.0);
    } else if (!c.refused) {
      EXPECT_EQ(result, 1);
      EXPECT_TRUE(host->coded.codes.empty());
    }
  }
}

}  // namespace
}  // namespace formstest

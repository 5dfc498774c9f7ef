// Form 714's liquidation page: the amounts locked without exempt minimum, and the amount of the
// assets in Ceuta and Melilla held to the taxable base.
#include "blocks/field.h"
#include "blocks/form714.h"
#include "forms/pages/page714.h"
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

TEST_F(Pat010, TheTwoAmountsOnTheExemptMinimumCarryTheirRecords) {
  forms::CFormView& page = Open(3, 310);
  struct Case {
    int position;
    std::size_t amount;
  };
  for (const Case& c : {Case{11, kS + 296}, Case{21, kS + 448}}) {
    auto* record = static_cast<ui::AnnexPointerList*>(page.GetBox(c.position - 1)->option);
    ASSERT_NE(record, nullptr) << c.position;
    EXPECT_EQ(record->block, Block() + c.amount);
    EXPECT_EQ(record->item1, Block() + kS + 168) << "the net base";
  }
  page.BoxList()->ReleasePageData();
  EXPECT_EQ(page.GetBox(10)->option, nullptr);
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

// Form 714's payment page: the way of payment follows the amount to pay, one of cash or debit, the
// account opening only for the debit; a partial payment larger than the amount due clears both;
// the declaration's date is today's the first time.
#include <cstring>
#include <string>

#include "blocks/field.h"
#include "blocks/form714.h"
#include "forms/pages/page714.h"
#include "forms/pages/pat011.h"
#include "page_fixture.h"

namespace formstest {
namespace {

constexpr std::size_t kR = f714::Result.offset, kS = f714::Summary.offset;

class Pat011 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm714Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("PAT011");
    for (const char* n : {"PAT002", "PAT003", "PAT004", "PAT005", "PAT006", "PAT007", "PAT008"}) forms::UnregisterPageClass(n);
  }
  bool ReadOnly(forms::CFormView& page, int position) { return page.GetBox(position - 1)->SoloLectur != 0; }
  std::string Account() { return std::string(reinterpret_cast<const char*>(Block() + kR + 26), 20); }
};

TEST_F(Pat011, TheWayOfPaymentFollowsTheAmountToPay) {
  // Prepare a declaration with an amount to pay before the page binds.
  forms::CFormView& page = Open(3, 311);
  blocks::F64{kR + 48}.set(Block(), 300.0);
  page.BoxList()->BindPageData(1);
  EXPECT_EQ(page.GetPageClassName(), "PAT011");
  EXPECT_EQ(Block()[kR + 25], 1) << "debit chosen";
  EXPECT_EQ(Block()[kS + 552], 0);
  for (int p : {24, 25, 26, 27}) EXPECT_FALSE(ReadOnly(page, p)) << p;
  // Cash: the account is blanked and locked, the debit cleared.
  std::memcpy(Block() + kR + 26, "21000418450200051332", 20);
  Block()[kR + 24] = 1;
  EXPECT_EQ(page.OnBoxValueChanged(22), 1);
  EXPECT_EQ(Block()[kR + 25], 0);
  EXPECT_EQ(Account(), std::string(20, ' '));
  for (int p : {24, 25, 26, 27}) EXPECT_TRUE(ReadOnly(page, p)) << p;
  // Nothing to pay: the ways of payment and the account are zero and locked.
  blocks::F64{kR + 48}.set(Block(), 0.0);
  page.RepaintBoxes();
  EXPECT_EQ(Block()[kS + 552], 1);
  EXPECT_EQ(Block()[kR + 24] + Block()[kR + 25], 0);
  EXPECT_TRUE(ReadOnly(page, 22));
  EXPECT_TRUE(ReadOnly(page, 23));
}

TEST_F(Pat011, APartialPaymentLargerThanTheAmountDueClearsTheWayOfPayment) {
  forms::CFormView& page = Open(3, 311);
  Block()[f714::Personal.offset + 453] = 1;
  blocks::F64{kS + 536}.set(Block(), 500.0);
  blocks::F64{kR + 48}.set(Block(), 500.0);
  page.BoxList()->BindPageData(1);
  EXPECT_FALSE(ReadOnly(page, 18)) << "the partial payment may be typed";
  EXPECT_EQ(blocks::F64{kR + 0}.get(Block()), 500.0);
  blocks::F64{kR + 8}.set(Block(), 600.0);
  page.OnBoxEdited(18);
  EXPECT_EQ(Block()[kR + 24] + Block()[kR + 25], 0);
  EXPECT_EQ(blocks::F64{kR + 16}.get(Block()), 0.0) << "never negative";
}

TEST_F(Pat011, TheDeclarationDateIsTodaysOnlyTheFirstTime) {
  forms::CFormView& page = Open(3, 311);
  const std::string first(reinterpret_cast<const char*>(Block() + kS + 553), 8);
  EXPECT_NE(first[0], '\0');
  std::memcpy(Block() + kS + 553, "01062004", 8);
  page.BoxList()->BindPageData(1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Block() + kS + 553), 8), "01062004");
}

}  // namespace
}  // namespace formstest

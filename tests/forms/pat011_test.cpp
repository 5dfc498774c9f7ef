// Form 714's payment page: the way of payment follows the amount to pay, one of cash or debit, the
// account opening only for the debit; a partial payment larger than the amount due clears both;
// the declaration's date is today's the first time. The second payment sheet (page 12), printed
// only, shows the same fields as they stand and marks a declaration without payment.
#include <cstring>
#include <string>
#include <vector>

#include "blocks/field.h"
#include "blocks/form714.h"
#include "forms/pages/page714.h"
#include "forms/pages/pat011.h"
#include "forms/pages/pat012.h"
#include "forms/print/declaration_print.h"
#include "page_fixture.h"
#include "ui/annex_dlg.h"

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
    for (const char* n : {"PAT010", "PAT011", "PAT012"}) forms::UnregisterPageClass(n);
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


constexpr std::size_t kP = f714::Personal.offset;

// The month of the date is picked from the months' list, which writes the box's own field.
TEST_F(Pat011, TheMonthNameIsAListBoxOverTheMonths) {
  forms::CFormView& page = Open(3, 311);
  const CBoxField* month = page.GetBox(29);
  EXPECT_EQ(month->TypeLetter(), 'L');
  EXPECT_EQ(month->FicheroTab, "MESES__E.TAB");
  EXPECT_EQ(month->data, Block() + kP + 476);
  EXPECT_EQ(month->width, 10);
  EXPECT_EQ(month->option, nullptr) << "the list reads no record of its own";
}

// Context help on pages 9 and 11: the box under the point opened; page 11 answers its help
// context, page 9 its own; page 9, all computed, opens nothing and answers the first topic.
TEST_F(Pat011, HelpOnABoxOpensItAndAnswersItsContext) {
  struct Case {
    int code, position;
    bool opens;
    int expected;  // -1: the box's own context
  };
  for (const Case& c : {Case{311, 28, true, -1}, Case{309, 22, false, 1}}) {
    SCOPED_TRACE(c.position);
    forms::CFormView& page = Open(3, c.code);
    CBoxField* box = page.GetBox(c.position - 1);
    box->NumeroDeCo = 4711;
    const QPoint at = box->Area().center() - page.ScrollPosition();
    const int context = page.OnHelpHitTest(at);
    EXPECT_EQ(page.Editor() != nullptr && page.EditedBox() == c.position - 1, c.opens);
    EXPECT_EQ(context, c.expected < 0 ? 4711 : c.expected);
  }
}

TEST_F(Pat011, TheSecondPaymentSheetIsDescribedInTheFourLanguagesAndPrintedLast) {
  for (char language : {'e', 'c', 'g', 'v'}) {
    doc::PageDefinition def;
    ASSERT_TRUE(doc::ReadPageDefinition({&local, language, kResources}, 312, def)) << language;
    EXPECT_EQ(def.kind, 3);
    EXPECT_EQ(def.boxCount, 36);
    EXPECT_EQ(def.picturePath, kResources + "paginas" + language + "/PAT012.wmf");
    EXPECT_FALSE(def.title.empty());
  }
  Open(3, 301);
  const std::vector<int> pages = forms::DefinedPages(*host, 3);
  ASSERT_EQ(pages.size(), 12u);
  EXPECT_EQ(pages.back(), 312) << "printed after page 11";
  EXPECT_EQ(doc::C714Doc::kPages, 11) << "the document's page list ends at page 11";
}

TEST_F(Pat011, TheSecondPaymentSheetBindsPageElevensFieldsReadOnly) {
  forms::CFormView& page = Open(3, 312);
  EXPECT_EQ(page.GetPageClassName(), "PAT012");
  ASSERT_EQ(page.GetBoxCount(), 36);
  struct Bound {
    int position;
    std::size_t offset;
  };
  for (const Bound& b : {Bound{1, kP + 86}, Bound{4, kP + 126}, Bound{14, kP + 250}, Bound{15, kP + 81},
                         Bound{16, kS + 536}, Bound{17, kR + 16}, Bound{18, kS + 552}, Bound{19, kR + 24},
                         Bound{20, kR + 25}, Bound{21, kR + 48}, Bound{22, kR + 26}, Bound{25, kR + 36},
                         Bound{26, kP + 454}, Bound{29, kP + 486}, Bound{31, kP + 1}, Bound{32, kP + 21},
                         Bound{34, kP + 86}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  auto& d714 = dynamic_cast<doc::C714Doc&>(*document);
  EXPECT_EQ(page.GetBox(35)->data, static_cast<const void*>(d714.BarcodeArea().data())) << "the payment barcode text";
  for (int p = 1; p <= 36; ++p) EXPECT_TRUE(ReadOnly(page, p)) << p;
  EXPECT_EQ(page.OnBoxEdited(16), 1);
}

TEST_F(Pat011, TheSecondPaymentSheetMarksADeclarationWithoutPaymentAtEveryBind) {
  forms::CFormView& page = Open(3, 312);
  struct Case {
    double result;
    std::uint8_t mark;
  };
  for (const Case& c : {Case{0.0, 1}, Case{0.01, 0}, Case{-5.0, 1}, Case{1234.5, 0}}) {
    blocks::F64{kS + 536}.set(Block(), c.result);
    Block()[kS + 552] = static_cast<std::uint8_t>(1 - c.mark);
    page.BoxList()->BindPageData(1);
    EXPECT_EQ(Block()[kS + 552], c.mark) << c.result;
  }
}

}  // namespace
}  // namespace formstest

// Page 17 of form 100: the payment or refund document. The marks of each choice stay consistent
// with the member's result, the payment is split, unused accounts are cleared and locked.
#include <QImage>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_payment.h"
#include "forms/pages/ord017.h"
#include "forms/pages/page100.h"
#include "page_fixture.h"

namespace formstest {
namespace {

namespace pay = f100::payment;
using namespace forms::ord017;

class Ord017 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD017");
  }
  // Page 17 open with the declarant, the spouse and child 1 in the household, `member` shown
  // with `result` as its result.
  forms::CFormView& Show(int member, double result) {
    forms::CFormView& page = view ? *view : Open(2, 217);
    qxtest::Publish(household, shown);
    shown = member;
    f100::section_n::ResultCopy.set(Block() + f100::SectionN.offset, member - 1, result);
    page.BoxList()->ApplyHolderMode();
    return page;
  }
  std::uint8_t Mark(int position) { return *MarkByte(Block(), position, shown - 1); }
  void SetMark(int position, std::uint8_t v) { *MarkByte(Block(), position, shown - 1) = v; }
  // The user sets (or resets) a mark: stored, then the page's hook.
  int Choose(int position, std::uint8_t v = 1) {
    SetMark(position, v);
    return view->OnBoxValueChanged(position);
  }
  bool ReadOnly(std::initializer_list<int> positions) {
    for (int p : positions)
      if (view->GetBox(p - 1)->SoloLectur == 0) return false;
    return true;
  }
  bool Editable(std::initializer_list<int> positions) {
    for (int p : positions)
      if (view->GetBox(p - 1)->SoloLectur != 0) return false;
    return true;
  }
  std::string AccountText(int account) {
    const AccountParts a = Account(Block(), account, shown - 1);
    const std::size_t widths[] = {4, 4, 2, 10};
    std::string text;
    for (int i = 0; i < 4; ++i) text.append(reinterpret_cast<const char*>(a.part[i]), widths[i]);
    return text;
  }
  void SetAccount(int account, const char* twenty) {
    const AccountParts a = Account(Block(), account, shown - 1);
    const std::size_t widths[] = {4, 4, 2, 10};
    for (std::size_t i = 0, at = 0; i < 4; at += widths[i], ++i) std::memcpy(a.part[i], twenty + at, widths[i]);
  }

  // QX_PAGE_IMAGES=<folder> saves the page as shown at 100 % (docs/images/pages/).
  void SaveImage() {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/ORD017.png"));
    }
  }

  qxtest::HouseholdSlot household{{1, 1, 1, 1, 0}};
  qxtest::ShownSlot shown{2};
};

TEST_F(Ord017, BindsTheMembersFieldsAndFixedPlaceFields) {
  forms::CFormView& page = Show(2, 0);
  EXPECT_EQ(page.GetPageClassName(), "ORD017");
  ASSERT_EQ(page.GetBoxCount(), 53);
  const std::size_t q = f100::SectionQ.offset, fam = f100::Family.offset;
  struct Bound {
    int position;
    std::size_t offset;
  };
  for (const Bound& b : {Bound{2, fam + 485}, Bound{5, fam + 530}, Bound{19, f100::SectionN.offset + 624},
                         Bound{20, f100::Summary.offset + 9880}, Bound{21, f100::Result.offset + 80},
                         Bound{22, q + 7872}, Bound{24, q + 7992}, Bound{30, q + 7942}, Bound{33, q + 8144},
                         Bound{40, q + 8296}, Bound{44, q + 8244}, Bound{45, fam + 5284}, Bound{48, fam + 5316}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  // The foot the printing fills: the copy label, the payment barcode and the identification code.
  auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
  EXPECT_EQ(page.GetBox(48)->data, renta.PrintSheetState().copyLabel.data());
  EXPECT_EQ(page.GetBox(50)->data, renta.BarcodeArea().data());
  EXPECT_EQ(page.GetBox(52)->data, renta.PrintSheetState().identificationCodes[0].data());
}

TEST_F(Ord017, APositiveResultIsPaidAtOnceByDirectDebitUntilTwoInstalmentsAreChosen) {
  Show(2, 1000.0);
  SetAccount(2, "21000418450200051332");
  view->BoxList()->RefreshBoxStates(0);
  EXPECT_EQ(Mark(kAtOnce), 1);
  EXPECT_EQ(Mark(kFirstDebit), 1);
  EXPECT_EQ(FirstPayment(Block(), 1), 1000.0);
  EXPECT_TRUE(ReadOnly({31, 32, 34, 35, 36, 37}));
  EXPECT_EQ(AccountText(2), std::string(20, '\0')) << "an account the choices do not use is cleared";
  EXPECT_TRUE(Editable({27, 28, 29, 30}));
  EXPECT_TRUE(ReadOnly({38, 39, 41}));

  // Two instalments, the second by direct debit: 60 and 40 per cent, account 2 open.
  EXPECT_EQ(Choose(kTwoInstalments), 1);
  EXPECT_EQ(Mark(kAtOnce), 0);
  EXPECT_EQ(Choose(kSecondDebit), 0);
  EXPECT_EQ(FirstPayment(Block(), 1), 600.0);
  EXPECT_EQ(SecondInstalment(Block(), 1), 400.0);
  EXPECT_TRUE(Editable({31, 32, 34, 35, 36, 37}));
  view->RepaintBoxes();
  SaveImage();
  // The second instalment without direct debit: nothing to pay now, account 2 cleared.
  SetAccount(2, "21000418450200051332");
  Choose(kSecondNoDebit);
  EXPECT_EQ(Mark(kSecondDebit), 0);
  EXPECT_EQ(SecondInstalment(Block(), 1), 0.0);
  EXPECT_EQ(AccountText(2), std::string(20, '\0'));

  // Resetting "at once" keeps paying at once chosen until two instalments are chosen.
  Choose(kAtOnce);
  Choose(kAtOnce, 0);
  EXPECT_EQ(Mark(kAtOnce), 1);
  EXPECT_EQ(Mark(kTwoInstalments), 0);
}

TEST_F(Ord017, TheSecondInstalmentByDebitCopiesAnEmptyAccountFromTheFirst) {
  struct Case {
    const char* second;
    const char* expected;
  };
  for (const Case& c : {Case{"", "21000418450200051332"}, Case{"2100    ", "2100                "}}) {
    Show(2, 500.0);
    Choose(kTwoInstalments);
    SetAccount(1, "21000418450200051332");
    char second[21] = {};
    std::memset(second, 0, 20);
    std::memcpy(second, c.second, std::strlen(c.second));
    if (std::strlen(c.second)) std::memset(second + std::strlen(c.second), ' ', 20 - std::strlen(c.second));
    SetAccount(2, second);
    Choose(kSecondDebit);
    EXPECT_EQ(AccountText(2), c.expected) << c.second;
    Choose(kAtOnce);
  }
}

TEST_F(Ord017, ANegativeResultIsRefundedIntoAccountThreeOrWithoutAccount) {
  Show(3, -250.0);
  EXPECT_EQ(Mark(kRefundToAccount), 1);
  EXPECT_EQ(RefundAmount(Block(), 2), 250.0);
  EXPECT_TRUE(Editable({38, 39, 41, 42, 43, 44}));
  for (int p : {kAtOnce, kTwoInstalments, kFirstNoDebit, kFirstDebit, kSecondNoDebit, kSecondDebit})
    EXPECT_EQ(Mark(p), 0) << p;
  EXPECT_EQ(FirstPayment(Block(), 2), 0.0);
  EXPECT_TRUE(ReadOnly({22, 23, 25, 26, 31, 32}));

  // Clearing the account mark sets "without account": account 3 is locked and cleared.
  SetAccount(3, "21000418450200051332");
  SetMark(kRefundToAccount, 0);
  EXPECT_EQ(view->OnBoxValueCleared(kRefundToAccount), 1);
  EXPECT_EQ(Mark(kRefundNoAccount), 1);
  EXPECT_EQ(Mark(kRefundToAccount), 0);
  EXPECT_TRUE(ReadOnly({41, 42, 43, 44}));
  EXPECT_EQ(AccountText(3), std::string(20, '\0'));
}

TEST_F(Ord017, TwoInstalmentsAreRefusedForAResultFromTheResultRecord) {
  Show(2, 0.0);
  f100::family::ResultSelection1(2).set(Block() + f100::Family.offset, 1);
  f100::result::MemberResult.set(Block() + f100::Result.offset, 1, 800.0);
  view->BoxList()->RefreshBoxStates(0);
  EXPECT_EQ(FirstPayment(Block(), 1), 800.0);
  EXPECT_EQ(Choose(kTwoInstalments), 0);
  EXPECT_EQ(host->coded.codes, std::vector<std::string>{"100R135"});
  EXPECT_EQ(Mark(kTwoInstalments), 0);
  EXPECT_EQ(Mark(kAtOnce), 1);
}

TEST_F(Ord017, TheCompensationMarkOpensOnlyForSpousesWithOppositeResults) {
  struct Case {
    int member;
    double declarant, spouse;
    char community;
    bool open;
  };
  Show(2, 0);
  std::uint8_t* summary = Block() + f100::Summary.offset;
  for (const Case& c : {Case{2, 500, -300, '0', true}, Case{3, -500, 300, '0', true}, Case{2, 500, 300, '0', false},
                        Case{2, 500, -300, '9', false}, Case{4, 500, -300, '0', false}, Case{1, 500, -300, '0', false}}) {
    forms::CFormView& page = Show(c.member, 0);
    blocks::F64{9848}.set(summary, c.declarant);
    blocks::F64{9856}.set(summary, c.spouse);
    Block()[f100::Personal.offset + 188] = static_cast<std::uint8_t>(c.community);
    summary[9881] = summary[9882] = 1;
    page.BoxList()->ApplyHolderMode();
    EXPECT_EQ(page.GetBox(19)->SoloLectur == 0, c.open) << c.member << " " << c.declarant << " " << c.spouse;
    if (!c.open && (c.member == 2 || c.member == 3)) {
      EXPECT_EQ(summary[9881] + summary[9882], 0) << "both marks cleared";
    }
  }
}

TEST_F(Ord017, AnAccountWithWrongControlDigitsHasTheEditedPartBlanked) {
  Show(2, 100.0);
  SetAccount(1, "21000418450200051332");
  host->checkResult = 0;
  std::string checked;
  host->onCheck = [&](int, void* value) { checked = static_cast<const char*>(value); };
  EXPECT_EQ(view->OnBoxEdited(29), 0);
  ASSERT_EQ(host->fieldChecks.size(), 1u);
  EXPECT_EQ(host->fieldChecks[0].first, 10);
  EXPECT_EQ(checked, "21000418450200051332") << "the whole account, joined";
  EXPECT_EQ(AccountText(1), "21000418  0200051332");
  host->checkResult = 1;
  EXPECT_EQ(view->OnBoxEdited(30), 1);
  EXPECT_EQ(view->OnBoxEdited(24), 1) << "no check outside the accounts";
  EXPECT_EQ(host->fieldChecks.size(), 2u);
}

}  // namespace
}  // namespace formstest

// The image-rights, international fiscal transparency and wealth-tax-paid-abroad dialogs, opened
// through the launch table on blocks inside a patterned host, typed into with real keys.
#include <QLabel>

#include <cstring>

#include "annex/cesderima_dlg.h"
#include "annex/pimpextr_dlg.h"
#include "annex/tit2dat1_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/icons.h"
#include "platform/help.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace ce = annex::cesderima;
namespace t2 = annex::tit2dat1;
namespace pe = annex::pimpextr;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
constexpr std::array<int, 5> kAlone{1, 1, 0, 0, 0};

// A block with patterned bytes on both sides: a dialog's OK may change its block only.
struct Hosted {
  static constexpr std::size_t kMargin = 64;
  explicit Hosted(std::size_t size) : bytes(size + 2 * kMargin, 0xA5), size(size) {
    std::memset(block(), 0, size);
  }
  std::uint8_t* block() { return bytes.data() + kMargin; }
  std::vector<std::uint8_t> Block() const {
    return {bytes.begin() + kMargin, bytes.begin() + static_cast<std::ptrdiff_t>(kMargin + size)};
  }
  bool MarginsUntouched() const {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      if ((i < kMargin || i >= kMargin + size) && bytes[i] != 0xA5) return false;
    return true;
  }
  std::vector<std::uint8_t> bytes;
  std::size_t size;
};

bool Stayed(CTemplateDlg& d) { return d.isVisible(); }

void ChooseHolder(CTemplateDlg& d, int id, Qt::Key key) {
  QWidget* w = d.GetDlgItem(id);
  w->setFocus();
  QTest::keyClick(w, key);
  QTest::keyClick(w, Qt::Key_Tab);
}

// ---------------------------------------------------------------- image rights

class Cesderima : public AnnexTest {};

TEST_F(Cesderima, OkWritesTheThreeAmountsOrSaysWhichExceedsTheAmountToImpute) {
  struct Case {
    const char* deduction;
    const char* payment;
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {"1000", "1000", nullptr},         // equal values pass
      {"1000,01", "0", "100R043"},
      {"0", "1000,01", "100R044"},
      {"1000,01", "1000,01", "100R043"},  // the first check only
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.deduction) + " / " + c.payment);
    Hosted host(ce::kBlockSize);
    messages.shown.clear();
    bool stayed = false;
    const int result = Launch("IDD_CESDERIMA", host.block(), [&](CTemplateDlg& d) {
      TypeInto(d, CCesderimaDlg::kImputed, QStringLiteral("1000"));
      TypeInto(d, CCesderimaDlg::kDoubleTaxation, QString::fromLatin1(c.deduction));
      TypeInto(d, CCesderimaDlg::kPaymentOnAccount, QString::fromLatin1(c.payment));
      Press(d, ui::IDOK);
      stayed = Stayed(d);
    });
    EXPECT_TRUE(host.MarginsUntouched());
    if (c.message) {
      EXPECT_TRUE(stayed);
      ASSERT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.message)});
      EXPECT_EQ(messages.shown.front().icon, platform::kIconHand);
      EXPECT_EQ(host.Block(), std::vector<std::uint8_t>(ce::kBlockSize)) << "refused, then cancelled";
      continue;
    }
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ce::Imputed.get(host.block()), 1000.0);
    EXPECT_EQ(ce::DoubleTaxation.get(host.block()), 1000.0);
    EXPECT_EQ(ce::PaymentOnAccount.get(host.block()), 1000.0);
  }
}

TEST_F(Cesderima, AMemberViewShowsTheAmountsDisabledAndChangesNothing) {
  qxtest::MemberView view(2, kCouple);
  Hosted host(ce::kBlockSize);
  ce::Imputed.set(host.block(), 50.0);
  const std::vector<std::uint8_t> before = host.bytes;
  bool enabled = true;
  Launch("IDD_CESDERIMA", host.block(), [&](CTemplateDlg& d) {
    enabled = d.GetDlgItem(CCesderimaDlg::kImputed)->isEnabled();
    EXPECT_EQ(d.Edit(CCesderimaDlg::kImputed)->text(), QStringLiteral("50,00"));
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(enabled);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(host.bytes, before);
}

// ---------------------------------------------------------------- two holder rows

class Tit2dat1 : public AnnexTest {};

TEST_F(Tit2dat1, OkWritesTheRowsCancelNothingAndTheVariantChoosesHeadingNoticeAndHelp) {
  struct Case {
    int variant;
    std::vector<int> answers;  // to "100I021"
    bool stays;
    int help;  // 0: the button opens nothing
    bool canaryHeading;
  };
  const Case cases[] = {
      {1, {}, false, 975, false},   {7, {}, false, 874, false},
      {13, {kAnsCorregir}, true, 497, false},
      {13, {kAnsAceptar}, false, 497, false},
      {20, {}, false, 0, true},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.variant);
    for (bool ok : {false, true}) {
      Hosted host(t2::kBlockSize);
      t2::Holder.set(host.block(), 3);
      t2::Amount.set(host.block(), 40.0);
      const std::vector<std::uint8_t> before = host.bytes;
      messages.shown.clear();
      if (ok)
        for (int a : c.answers) messages.Then(a);
      bool stayed = false;
      int topic = -1;
      QString heading;
      const std::string descriptor = "IDD_TIT2DAT1*" + std::to_string(c.variant);
      Launch(descriptor.c_str(), host.block(), [&](CTemplateDlg& d) {
        heading = d.Item<QLabel>(CTit2dat1Dlg::kAmountHeading)->text();
        topic = 0;
        platform::SetHelpHook([&](int t) { topic = t; });
        Press(d, ui::kHelpButtonId);
        platform::SetHelpHook({});
        d.GetDlgItem(CTit2dat1Dlg::kHolders[1])->setFocus();
        EXPECT_EQ(d.Item<QLabel>(CTit2dat1Dlg::kLegend)->text(), d.GetHolderLegend());
        ChooseHolder(d, CTit2dat1Dlg::kHolders[1], Qt::Key_D);
        TypeInto(d, CTit2dat1Dlg::kAmounts[1], QStringLiteral("125,5"));
        Press(d, ok ? ui::IDOK : ui::IDCANCEL);
        stayed = Stayed(d);
      });
      EXPECT_EQ(topic, c.help);
      EXPECT_EQ(heading, c.canaryHeading ? QStringLiteral("Rendimientos\nen Canarias") : QStringLiteral("\nImporte"));
      EXPECT_TRUE(host.MarginsUntouched());
      if (!ok || c.stays) {
        EXPECT_EQ(stayed, ok && c.stays);
        EXPECT_EQ(host.bytes, before);
        continue;
      }
      EXPECT_EQ(messages.shown.size(), c.variant == 13 ? 1u : 0u);
      if (c.variant == 13) {
        EXPECT_EQ(messages.shown.front().icon, platform::kIconAsterisk);
      }
      auto expected = before;
      t2::Holder.set(expected.data() + Hosted::kMargin + 16, 2);
      t2::Amount.set(expected.data() + Hosted::kMargin + 16, 125.5);
      EXPECT_EQ(host.bytes, expected);
    }
  }
}

TEST_F(Tit2dat1, NoAmountsNoNoticeAndTheSpousesViewShowsHalfTheCommonRow) {
  {
    qxtest::MemberView view(1, kCouple);
    Hosted host(t2::kBlockSize);
    Launch("IDD_TIT2DAT1*13", host.block(), [&](CTemplateDlg& d) { Press(d, ui::IDOK); });
    EXPECT_TRUE(messages.shown.empty());
  }
  qxtest::MemberView view(3, kCouple);
  Hosted host(t2::kBlockSize);
  t2::Holder.set(host.block(), 2);
  t2::Amount.set(host.block(), 30.0);
  t2::Holder.set(host.block() + 16, 1);
  t2::Amount.set(host.block() + 16, 100.0);
  const std::vector<std::uint8_t> before = host.bytes;
  Launch("IDD_TIT2DAT1*1", host.block(), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(CTit2dat1Dlg::kAmounts[0])->text(), QString()) << "the declarant's row is not shown";
    EXPECT_EQ(d.Edit(CTit2dat1Dlg::kAmounts[1])->text(), QStringLiteral("50,00")) << "half the common row";
    EXPECT_FALSE(d.GetDlgItem(CTit2dat1Dlg::kAmounts[1])->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(host.bytes, before);
}

class Tranfisint : public AnnexTest {};

TEST_F(Tranfisint, TheJointDeductionFollowsTheRowsUntilTypedOverAndGoesWithTheHolders) {
  qxtest::MemberView view(1, kCouple);
  Hosted host(t2::kTranfisintSize);
  const std::vector<std::uint8_t> before = host.bytes;
  std::vector<QString> joint;
  Launch("IDD_TRANFISINT", host.block(), [&](CTemplateDlg& d) {
    // The amount as the edit shows it, without the decimals of a whole amount.
    auto shown = [&] { joint.push_back(d.Edit(CTranfisintDlg::kJoint)->text().remove(QStringLiteral(",00"))); };
    EXPECT_TRUE(d.GetDlgItem(CTranfisintDlg::kJoint)->isEnabled());
    ChooseHolder(d, CTranfisintDlg::kHolders[0], Qt::Key_D);
    TypeInto(d, CTranfisintDlg::kAmounts[0], QStringLiteral("100"));
    ChooseHolder(d, CTranfisintDlg::kHolders[1], Qt::Key_C);
    TypeInto(d, CTranfisintDlg::kAmounts[1], QStringLiteral("50"));
    shown();  // 150
    TypeInto(d, CTranfisintDlg::kJoint, QStringLiteral("\b\b\b\b\b\b\b120"));
    TypeInto(d, CTranfisintDlg::kAmounts[1], QString());  // left unchanged
    shown();  // 120 kept
    TypeInto(d, CTranfisintDlg::kAmounts[1], QStringLiteral("\b\b\b\b\b\b60"));
    shown();  // 160
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(joint, (std::vector<QString>{QStringLiteral("150"), QStringLiteral("120"), QStringLiteral("160")}));
  EXPECT_TRUE(host.MarginsUntouched());
  auto expected = before;
  std::uint8_t* b = expected.data() + Hosted::kMargin;
  t2::Holder.set(b, 2), t2::Amount.set(b, 100.0), t2::Holder.set(b + 16, 3), t2::Amount.set(b + 16, 60.0);
  t2::JointDeduction.set(b, 160.0);
  EXPECT_EQ(host.bytes, expected);

  // The holders taken away (their amounts with them): no joint deduction either.
  Launch("IDD_TRANFISINT", host.block(), [&](CTemplateDlg& d) {
    for (int r : {1, 0}) {
      QWidget* holder = d.GetDlgItem(CTranfisintDlg::kHolders[r]);
      holder->setFocus();
      QTest::keyClick(holder, Qt::Key_Delete);
      QTest::keyClick(holder, Qt::Key_Tab);
    }
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(host.Block(), std::vector<std::uint8_t>(t2::kTranfisintSize));
}

TEST_F(Tranfisint, AMemberViewShowsTheJointDeductionDisabledAndZero) {
  for (int shown : {2, 3}) {
    qxtest::MemberView view(shown, shown == 2 ? kAlone : kCouple);
    Hosted host(t2::kTranfisintSize);
    t2::Holder.set(host.block(), 2);
    t2::Amount.set(host.block(), 10.0);
    t2::JointDeduction.set(host.block(), 10.0);
    Launch("IDD_TRANFISINT", host.block(), [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(CTranfisintDlg::kJoint)->isEnabled()) << shown;
      EXPECT_EQ(d.Edit(CTranfisintDlg::kJoint)->text(), QString()) << shown;
      Press(d, ui::IDOK);
    });
    // The declarant alone edits his own rows, and the joint deduction goes to 0; the spouse's view
    // of a couple changes nothing.
    EXPECT_EQ(t2::JointDeduction.get(host.block()), shown == 2 ? 0.0 : 10.0);
  }
}

// ---------------------------------------------------------------- tax paid abroad

class Pimpextr : public AnnexTest {};

TEST_F(Pimpextr, NetValuesAboveTheBaseAreRefusedWithTheFocusOnTheFirstInReverseOrder) {
  struct Case {
    double base;
    std::array<const char*, 3> values;
    int focus;  // 0: accepted
  };
  const Case cases[] = {
      {100000, {"60000", "40000", ""}, 0},
      {100000, {"60000", "40000,01", ""}, CPimpextrDlg::kNetValue[0]},  // the sum
      {100000, {"", "100000,01", ""}, CPimpextrDlg::kNetValue[1]},
      {100000, {"100000,01", "", "100000,01"}, CPimpextrDlg::kNetValue[2]},
      {-500, {"", "", ""}, 0},
      {-500, {"", "", "1"}, CPimpextrDlg::kNetValue[2]},
  };
  qxtest::MemberView view(1, kAlone);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    Hosted host(pe::kBlockSize);
    double base = c.base;
    ui::AnnexPointerList list{host.block(), &base};
    messages.shown.clear();
    int focus = 0;
    bool stayed = false;
    Launch("IDD_PIMPEXTR", &list, [&](CTemplateDlg& d) {
      TypeInto(d, CPimpextrDlg::kTaxPaid[0], QStringLiteral("12,5"));
      for (int e = 0; e < 3; ++e) TypeInto(d, CPimpextrDlg::kNetValue[e], QString::fromLatin1(c.values[e]));
      Press(d, ui::IDOK);
      stayed = Stayed(d);
      if (QWidget* f = QApplication::focusWidget()) focus = ui::ControlId(f);
    });
    EXPECT_EQ(base, c.base) << "the base is never written";
    EXPECT_TRUE(host.MarginsUntouched());
    EXPECT_EQ(stayed, c.focus != 0);
    if (c.focus) {
      EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100P001")});
      EXPECT_EQ(focus, c.focus);
      EXPECT_EQ(host.Block(), std::vector<std::uint8_t>(pe::kBlockSize));
    } else {
      EXPECT_TRUE(messages.shown.empty());
      EXPECT_EQ(pe::TaxPaid(0).get(host.block()), 12.5);
      EXPECT_EQ(pe::NetValue(0).get(host.block()) + pe::NetValue(1).get(host.block()), c.base > 0 ? 100000.0 : 0.0);
    }
  }
}

}  // namespace

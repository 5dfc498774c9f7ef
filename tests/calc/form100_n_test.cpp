#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/form100_n.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

namespace sn = f100::sec_n;
using V = blocks::Vec5::Values;

// A household whose two spouses ask for the suspension, every member with a bank account.
struct Household {
  Block100 b;
  unsigned char* n = b[f100::SectionN];
  unsigned char* s = b[f100::Summary];
  unsigned char* fam = b[f100::Family];
  unsigned char* per = b[f100::Personal];

  Household() {
    f100::summary::SuspensionRequest.set(s, 1);
    f100::summary::WaiverRequest.set(s, 1);
    f100::personal::communityCode(f100::kDeclarant).set(per, "01");
    f100::personal::communityCode(f100::kSpouse).set(per, "01");
    for (int k = 0; k < 5; ++k) {
      sn::BankEntity(k).set(n, "2100");
      sn::BankOffice(k).set(n, "0001");
      sn::BankControl(k).set(n, "12");
      sn::BankAccount(k).set(n, "0123456789");
    }
  }
  void results(double declarant, double spouse) {
    f100::summary::DeclarationResult.store(s, {declarant + spouse, declarant, spouse, 0, 0});
  }
  void run() { Calculos100N(n, s, fam, per); }
  bool accountKept(int k) const { return sn::BankAccount(k).raw(n) == "0123456789"; }
  bool accountErased(int k) const {
    return sn::BankEntity(k).raw(n) == std::string(4, '\0') && sn::BankOffice(k).raw(n) == std::string(4, '\0') &&
           sn::BankControl(k).raw(n) == std::string(2, '\0') && sn::BankAccount(k).raw(n) == std::string(10, '\0');
  }
};
struct SectionN : ::testing::Test, Household {};

TEST_F(SectionN, PaymentSmallerThanTheRefundIsSuspendedWhole) {
  results(300, -500);
  run();
  EXPECT_EQ(sn::SuspendedWhole.get(n, 1), 300);
  EXPECT_EQ(sn::PaymentLeftNone.get(n, 1), 0);
  EXPECT_EQ(sn::MemberResult.get(n, 1), 0);
  EXPECT_EQ(sn::Refund.get(n, 2), 500);
  EXPECT_EQ(sn::OtherPayment.get(n, 2), 300);
  EXPECT_EQ(sn::WaivedPart.get(n, 2), 300);
  EXPECT_EQ(sn::RefundLeft.get(n, 2), 200);
  EXPECT_EQ(sn::MemberResult.get(n, 2), -200);
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(accountErased(k)) << k;
  EXPECT_EQ(sn::WholeRefundWaived.get(n), 0);
  EXPECT_EQ(f100::summary::SuspensionRequest.get(s), 1);
}

TEST_F(SectionN, RefundSmallerThanThePaymentIsWaivedWholeAndKeepsItsAccount) {
  results(500, -300);
  run();
  EXPECT_EQ(sn::Payment.get(n, 1), 500);
  EXPECT_EQ(sn::OtherRefund.get(n, 1), 300);
  EXPECT_EQ(sn::SuspendedPart.get(n, 1), 300);
  EXPECT_EQ(sn::PaymentLeft.get(n, 1), 200);
  EXPECT_EQ(sn::MemberResult.get(n, 1), 200);
  EXPECT_EQ(sn::WaivedWhole.get(n, 2), 300);
  EXPECT_EQ(sn::MemberResult.get(n, 2), 0);
  EXPECT_TRUE(accountKept(2));
  for (int k : {0, 1, 3, 4}) EXPECT_TRUE(accountErased(k)) << k;
  EXPECT_EQ(sn::WholeRefundWaived.get(n), 1);
}

TEST_F(SectionN, EqualAmountsCancelOut) {
  results(-400, 400);  // the spouse pays this time
  run();
  EXPECT_EQ(sn::SuspendedWhole.get(n, 2), 400);
  EXPECT_EQ(sn::WaivedWhole.get(n, 1), 400);
  const V r = sn::MemberResult.load(n);
  EXPECT_EQ(r[1], 0);
  EXPECT_EQ(r[2], 0);
  EXPECT_EQ(r[0], 0);  // the unit's column stays the plain result
  EXPECT_TRUE(accountKept(1));
}

TEST_F(SectionN, RequestThatDoesNotHoldIsClearedAndTheResultStaysPlain) {
  struct Case {
    const char* what;
    double declarant, spouse;
    void (*change)(Household&);
  };
  const Case cases[] = {
      {"both pay", 300, 200, nullptr},
      {"zero result", 300, 0, nullptr},
      {"declarant complementary", 300, -500, [](Household& t) { f100::sec_li::Complementary(1).set(t.fam, 1); }},
      {"spouse complementary", 300, -500, [](Household& t) { f100::sec_li::Complementary(2).set(t.fam, 1); }},
      {"spouse community 9", 300, -500, [](Household& t) { f100::personal::communityCode(f100::kSpouse).set(t.per, "9 "); }},
      {"declarant community 9x", 300, -500, [](Household& t) { f100::personal::communityCode(f100::kDeclarant).set(t.per, "99"); }},
      {"waiver byte not set", 300, -500, [](Household& t) { f100::summary::WaiverRequest.set(t.s, 0); }},
  };
  for (const Case& c : cases) {
    Household t;
    t.results(c.declarant, c.spouse);
    sn::Refund.set(t.n, 2, 77);  // stale values are cleared
    if (c.change) c.change(t);
    t.run();
    EXPECT_EQ(f100::summary::SuspensionRequest.get(t.s), 0) << c.what;
    EXPECT_EQ(f100::summary::WaiverRequest.get(t.s), 0) << c.what;
    const V r = sn::MemberResult.load(t.n);
    EXPECT_EQ(r[1], c.declarant) << c.what;
    EXPECT_EQ(r[2], c.spouse) << c.what;
    EXPECT_EQ(sn::Refund.get(t.n, 2), 0) << c.what;
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(t.accountErased(k)) << c.what << " " << k;
  }
}

TEST_F(SectionN, WaivedFlagIsNeverResetAndRecalculatingGivesTheSameRecord) {
  results(500, -300);
  run();
  const std::vector<unsigned char> once = b.bytes;
  run();
  EXPECT_EQ(b.bytes, once);

  f100::summary::SuspensionRequest.set(s, 0);
  run();
  EXPECT_EQ(sn::WholeRefundWaived.get(n), 1);
  EXPECT_TRUE(accountErased(2));
}

}  // namespace

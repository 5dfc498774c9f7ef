// Section N of form 100 (Calculos100N): when the spouses file individually and one pays while the
// other is refunded, the payment is suspended up to the refund the other gives up. Runs after the
// liquidation's last pass and starts from its result vector; no rounding here.
#include "blocks/form100_n.h"
#include "numeric.h"
#include "tallyvex.h"

namespace {

namespace sn = f100::sec_n;
using tv::Vec;

constexpr unsigned char kRequested = 1;
constexpr char kOutsideCommonRegime = '9';  // first character of the community code

bool requestHolds(const void* summary, const void* family, const void* personal, const Vec& r) {
  namespace li = f100::sec_li;
  const bool opposite = (r[1] > 0 && r[2] < 0) || (r[1] < 0 && r[2] > 0);
  return f100::summary::SuspensionRequest.get(summary) == kRequested &&
         f100::summary::WaiverRequest.get(summary) == kRequested &&
         li::Complementary(1).get(family) == 0 && li::Complementary(2).get(family) == 0 &&
         sn::CommunityFirstChar(f100::kSpouse).get(personal) != kOutsideCommonRegime &&
         sn::CommunityFirstChar(f100::kDeclarant).get(personal) != kOutsideCommonRegime && opposite;
}

}  // namespace

TALLYVEX_API void Calculos100N(void* n, void* summary, void* family, void* personal) {
  bool keepAccount[5] = {true, true, true, true, true};
  for (blocks::Vec5 v : {sn::Cleared, sn::OtherPayment, sn::Refund, sn::WaivedPart, sn::RefundLeft, sn::WaivedWhole,
                         sn::RefundLeftNone, sn::Payment, sn::OtherRefund, sn::SuspendedWhole, sn::PaymentLeftNone,
                         sn::SuspendedPart, sn::PaymentLeft, sn::MemberResult})
    v.clear(n);
  const Vec R = sn::DeclarationResult.load(summary);
  sn::MemberResult.store(n, R);

  if (!requestHolds(summary, family, personal, R)) {
    f100::summary::SuspensionRequest.set(summary, 0);
    f100::summary::WaiverRequest.set(summary, 0);
  } else {
    for (int s = 1; s <= 2; ++s) {
      const int o = 3 - s;
      if (R[s] <= 0) {  // refunded spouse
        const double refund = -R[s];
        const double otherPayment = R[o];
        sn::Refund.set(n, s, refund);
        sn::OtherPayment.set(n, s, otherPayment);
        if (otherPayment - refund < 0) {
          sn::WaivedPart.set(n, s, otherPayment);
          const double left = -(otherPayment - refund);
          sn::RefundLeft.set(n, s, left);
          sn::MemberResult.set(n, s, -left);
        } else {
          sn::WaivedWhole.set(n, s, refund);
          sn::RefundLeftNone.set(n, s, 0);
          sn::MemberResult.set(n, s, 0);
          keepAccount[s] = false;
        }
      } else {  // paying spouse
        const double payment = R[s];
        const double otherRefund = -R[o];
        sn::Payment.set(n, s, payment);
        sn::OtherRefund.set(n, s, otherRefund);
        if (payment - otherRefund <= 0) {
          sn::SuspendedWhole.set(n, s, payment);
          sn::PaymentLeftNone.set(n, s, 0);
          sn::MemberResult.set(n, s, 0);
        } else {
          sn::SuspendedPart.set(n, s, otherRefund);
          sn::PaymentLeft.set(n, s, payment - otherRefund);
          sn::MemberResult.set(n, s, payment - otherRefund);
        }
      }
    }
  }
  // Only a spouse who waives the whole refund keeps a bank account here.
  for (int k = 0; k < 5; ++k) {
    if (keepAccount[k]) {
      sn::BankEntity(k).clear(n, '\0');
      sn::BankOffice(k).clear(n, '\0');
      sn::BankControl(k).clear(n, '\0');
      sn::BankAccount(k).clear(n, '\0');
    } else {
      sn::WholeRefundWaived.set(n, 1);
    }
  }
}

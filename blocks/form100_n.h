// Section N of form 100: suspension of one spouse's payment against the other's waived refund.
// Offsets within Form100SectionN unless said. Only columns 1 (declarant) and 2 (spouse) of the
// vectors are filled by the suspension.
#pragma once

#include "blocks/form100_result.h"

namespace f100 {

namespace sec_n {
inline constexpr blocks::Vec5 Cleared{0};
// Seen from the paying spouse.
inline constexpr blocks::Vec5 Payment{40};
inline constexpr blocks::Vec5 OtherRefund{80};
inline constexpr blocks::Vec5 SuspendedPart{120};   // refund smaller than the payment
inline constexpr blocks::Vec5 PaymentLeft{160};
inline constexpr blocks::Vec5 SuspendedWhole{200};  // refund covers the payment
inline constexpr blocks::Vec5 PaymentLeftNone{240};
// Bank account of each member (five of each part).
constexpr blocks::Text BankEntity(int k) { return {280 + 4u * static_cast<std::size_t>(k), 4}; }
constexpr blocks::Text BankOffice(int k) { return {300 + 4u * static_cast<std::size_t>(k), 4}; }
constexpr blocks::Text BankControl(int k) { return {320 + 2u * static_cast<std::size_t>(k), 2}; }
constexpr blocks::Text BankAccount(int k) { return {330 + 10u * static_cast<std::size_t>(k), 10}; }
// Seen from the refunded spouse.
inline constexpr blocks::Vec5 OtherPayment{384};
inline constexpr blocks::Vec5 Refund{424};
inline constexpr blocks::Vec5 WaivedWhole{464};  // the other's payment covers the refund
inline constexpr blocks::Vec5 RefundLeftNone{504};
inline constexpr blocks::Vec5 WaivedPart{544};   // the other's payment is smaller than the refund
inline constexpr blocks::Vec5 RefundLeft{584};
inline constexpr blocks::Vec5 MemberResult = section_n::ResultCopy;  // +624
inline constexpr blocks::I32 WholeRefundWaived{664};

// Read elsewhere.
inline constexpr blocks::Vec5 DeclarationResult = summary::DeclarationResult;  // Calculos100Li pass 5
constexpr blocks::U8 CommunityFirstChar(int member) { return {personal::communityCode(member).off}; }
}  // namespace sec_n

// Form100Summary slots written by Calculos100N (both cleared when the request does not hold);
// +9881 is SuspensionRequest, declared with the record map.
namespace summary {
inline constexpr blocks::U8 WaiverRequest{9882};
}

static_assert(sec_n::BankAccount(4).off + 10 <= sec_n::OtherPayment.off);
static_assert(sec_n::WholeRefundWaived.off + 4 <= SectionN.size);
static_assert(sec_n::MemberResult.off == 624);
static_assert(sec_n::CommunityFirstChar(kDeclarant).off == 156 && sec_n::CommunityFirstChar(kSpouse).off == 188);

}  // namespace f100

// Result of form 100, pass 5 of Calculos100Li: withholdings and payments on account, the
// differential quota, the maternity deduction and the result, plus Form100Result.
// Offsets within each record.
#pragma once

#include "blocks/form100_liquidation.h"

namespace f100 {

// Form100Summary slots written by Calculos100Li pass 5.
namespace summary {
inline constexpr blocks::Vec5 RealEstateWithholdings{8752};
inline constexpr blocks::Vec5 ActivityWithholdings{8792};
inline constexpr blocks::Vec5 ActivityInstallments{8832};
inline constexpr blocks::Vec5 OtherPaymentsA{9072};  // entries at +9112, +9128
inline constexpr blocks::Vec5 OtherPaymentsB{9144};  // entries at +9184, +9200, +9216
inline constexpr blocks::Vec5 PaymentsOnAccount{9232};
inline constexpr blocks::Vec5 DifferentialQuota{9272};
inline constexpr blocks::Vec5 MaternityDeduction{9312};
inline constexpr blocks::Vec5 MaternityAdvances{9728};
inline constexpr blocks::Vec5 MemberAdditions{9768};
inline constexpr blocks::Vec5 DeclarationResult{9840};
}  // namespace summary

// Form100Result: what the complemented declaration paid or obtained, and this one's result.
namespace result {
inline constexpr blocks::Vec5 PaidBefore{0};
inline constexpr blocks::Vec5 RefundedBefore{40};
// MemberResult (+80) is declared with the record map.
}  // namespace result

namespace sec_li {
namespace entries {
inline constexpr Entries OtherA{9112, 16, 2};  // amount +8
inline constexpr Entries OtherB{9184, 16, 3};  // amount +8
inline constexpr blocks::U8 MaternityHolder{9352};
inline constexpr std::size_t kMaternityChildren = 9376, kMaternityChildSize = 40;
inline constexpr int kMaternityChildCount = 6;
constexpr blocks::F64 MaternityAmount(int child) {  // child 0..5
  return {kMaternityChildren + kMaternityChildSize * static_cast<std::size_t>(child) + 32};
}
inline constexpr blocks::F64 MaternityAdvanceReceived{9616};
constexpr blocks::F64 MemberAddition(int member) { return {9808 + 8u * static_cast<std::size_t>(member)}; }  // 0 declarant .. 3 child 2
}  // namespace entries
// Form100Family: 1 when this declaration complements an earlier one of the member in that column
// (the same bytes as the first result-selection flags).
constexpr blocks::U8 Complementary(int column) { return family::ResultSelection1(column + 1); }
}  // namespace sec_li

static_assert(sec_li::entries::MaternityAmount(5).off == 9608);
static_assert(summary::DeclarationResult.off + 40 <= Summary.size);
static_assert(result::MemberResult.off + 40 == Result.size);

}  // namespace f100

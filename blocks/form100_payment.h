// Payment-document fields of Form100SectionQ that follow the section's calculation area: the
// result flags, the three bank accounts and the second amount of each member. Read by the bar
// code of the payment document and by the filing writer (offsets within Form100SectionQ; m is
// the member 1..5).
#pragma once

#include "blocks/field.h"
#include "blocks/form100.h"

namespace f100::payment {

constexpr std::size_t M(int member) { return static_cast<std::size_t>(member - 1); }

constexpr blocks::U8 RefundWaiverFlag(int m) { return {8184 + M(m)}; }  // written as BF_RD
constexpr blocks::U8 Code01Flag(int m) { return {7872 + M(m)}; }
constexpr blocks::U8 Code02Flag(int m) { return {8032 + M(m)}; }
constexpr blocks::U8 Code23Flag(int m) { return {7882 + M(m)}; }

struct Account {
  blocks::Text entity, branch, control, number;
};
constexpr Account Account1(int m) { return {{7892 + 4 * M(m), 4}, {7912 + 4 * M(m), 4}, {7932 + 2 * M(m), 2}, {7942 + 10 * M(m), 10}}; }
constexpr Account Account2(int m) { return {{8042 + 4 * M(m), 4}, {8062 + 4 * M(m), 4}, {8082 + 2 * M(m), 2}, {8092 + 10 * M(m), 10}}; }
constexpr Account Account3(int m) { return {{8194 + 4 * M(m), 4}, {8214 + 4 * M(m), 4}, {8234 + 2 * M(m), 2}, {8244 + 10 * M(m), 10}}; }
constexpr blocks::F64 SecondAmount(int m) { return {7992 + 8 * M(m)}; }

// The choices of the payment or refund page, by member: marks hold 1 (set) or 0.
constexpr blocks::U8 PayAtOnce(int m) { return {7872 + M(m)}; }
constexpr blocks::U8 PayInTwo(int m) { return {7877 + M(m)}; }
constexpr blocks::U8 FirstWithoutDebit(int m) { return {7882 + M(m)}; }
constexpr blocks::U8 FirstByDebit(int m) { return {7887 + M(m)}; }
constexpr blocks::F64 FirstPayment(int m) { return SecondAmount(m); }
constexpr blocks::U8 SecondWithoutDebit(int m) { return {8032 + M(m)}; }
constexpr blocks::U8 SecondByDebit(int m) { return {8037 + M(m)}; }
constexpr blocks::F64 SecondInstalment(int m) { return {8144 + 8 * M(m)}; }
constexpr blocks::U8 RefundWithoutAccount(int m) { return RefundWaiverFlag(m); }
constexpr blocks::U8 RefundToAccount(int m) { return {8189 + M(m)}; }
constexpr blocks::F64 RefundAmount(int m) { return {8296 + 8 * M(m)}; }

static_assert(8244 + 10 * 5 <= SectionQ.size, "the last account ends inside Form100SectionQ");
static_assert(RefundAmount(5).off + 8 <= SectionQ.size, "the refund amounts end inside Form100SectionQ");
static_assert(FirstPayment(5).off + 8 <= Account2(1).entity.off && SecondInstalment(5).off + 8 <= 8184);
static_assert(8184 + 5 <= 8194, "the refund flags end before account 3");

}  // namespace f100::payment

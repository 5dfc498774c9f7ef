// Form100SectionF4: the single imputation of income from the assignment of image rights.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_f4 {
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::Vec5 AmountToImputeByHolder{56};
inline constexpr blocks::F64 AmountToImpute{96};
inline constexpr blocks::F64 DoubleTaxationDeduction{104};
inline constexpr blocks::F64 PaymentOnAccount{112};
static_assert(PaymentOnAccount.off + 8 == SectionF4.size);
}  // namespace f100::sec_f4

namespace f100::summary {
// Written by Calculos100F4: deduction for double taxation and payment on account.
inline constexpr blocks::Vec5 ImageRightsDeduction{8136};
inline constexpr blocks::Vec5 ImageRightsPayment{8992};
}  // namespace f100::summary

// Form100SectionF5: a list of imputed amounts, laid out as section F3.
#pragma once

#include "blocks/form100_f3.h"

namespace f100::sec_f5 {
using namespace f100::sec_f3;
static_assert(SectionF5.size == SectionF3.size);
}  // namespace f100::sec_f5


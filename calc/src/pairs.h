// Per-holder sum of the (holder code, amount) pairs that sections keep for amounts of earlier
// years, annuities and exempt income.
#pragma once

#include <cstddef>

#include "blocks/form100_h.h"
#include "numeric.h"

namespace tv {
template <std::size_t N>
Vec SumPairs(const void* rec, const f100::sec_h::Pair (&pairs)[N]) {
  Vec v{};
  for (const auto& p : pairs) AcumulaATitular(v.data(), 5, p.holder().get(rec), p.amount().get(rec));
  return v;
}
}  // namespace tv

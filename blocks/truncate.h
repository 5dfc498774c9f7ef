// Cutting an amount to a number of decimals, as the calculation library and the module dialogs
// count units: a fraction above 0.9999999 of the last place counts as a whole one.
#pragma once

#include <cmath>

namespace blocks {

inline double TruncToDecimals(double value, int decimals) {
  double factor = 1.0;
  for (int i = 0; i < decimals; ++i) {
    value = value * 10.0;
    factor = factor * 10.0;
  }
  double whole;
  const double fraction = std::modf(value, &whole);
  double result = whole / factor;
  if (fraction > 0.9999999) result = result + 1.0 / factor;
  return result;
}

}  // namespace blocks

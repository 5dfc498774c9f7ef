// The one rounding of amounts, shared by the calculation library, the data layer, the checks and
// the editors: half away from zero, a fraction within 1e-7 of one half counting as one half.
// Header-only, so that the calculation library compiles it with its own floating-point flags.
#pragma once

#include <cmath>

namespace blocks {

inline double RoundToDecimals(double value, int decimals) {
  const bool negative = value < 0.0;
  const double power = std::pow(10.0, static_cast<double>(decimals));
  const double scaled = std::fabs(value) * power;
  double whole;
  const double fraction = std::modf(scaled, &whole);
  double magnitude;
  if (fraction > 0.5 || std::fabs(fraction - 0.5) <= 1e-7)
    magnitude = (whole + 1.0) / power;
  else
    magnitude = whole / power;
  return negative ? -magnitude : magnitude;
}

}  // namespace blocks

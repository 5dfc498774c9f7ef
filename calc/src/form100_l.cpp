// Gross quotas of the general base by the state and regional scales, with exempt income that
// counts only for the rate and annuities for children taxed apart, and of the special base at
// the flat rate.
#include <cstdlib>
#include <cstring>

#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "numeric.h"
#include "pairs.h"
#include "tallyvex.h"

namespace tv {
namespace {
// Special base: the flat rate, split between state and region except in community 20.
constexpr int kCommunityWithoutSplit = 20;
constexpr double kSpecialRateWhole = 0.15;
constexpr double kSpecialRateState = 0.0906;
constexpr double kSpecialRateRegional = 0.0594;

double R(double x) { return Redondea(x, 2); }
double T(double x) { return Trunc(x, 2); }

// The two digit characters of column k's community, read as a number (blanks or letters: 0).
int Community(const void* personal, int column) {
  char text[3];
  std::memcpy(text, f100::personal::communityCode(column + 1).raw(personal).data(), 2);
  text[2] = '\0';
  return std::atoi(text);
}

struct GeneralQuota {
  double state = 0.0, regional = 0.0, stateRate = 0.0, regionalRate = 0.0;
};

GeneralQuota Quotas(double B, double X, double N) {
  GeneralQuota q;
  if (B <= 0.0) return q;
  if (N == 0.0 || B <= N) {
    const double t = B + X;
    const double q1 = R(CuotaEscalaEstatal(t));
    if (t != 0.0) q.stateRate = T(q1 / t * 100);
    const double q2 = R(CuotaEscalaAutonomica(t));
    if (t != 0.0) q.regionalRate = T(q2 / t * 100);
    if (X == 0.0) {
      q.state = q1;
      q.regional = q2;
    } else {
      q.state = R(q.stateRate * B / 100);
      q.regional = R(q.regionalRate * B / 100);
    }
    return q;
  }
  // Annuities below the base: their part, with its share of the exempt income, and the rest go
  // through the scales separately.
  const double a = R(X * N / B + N);
  const double r = B - N;
  const double b = B + X - a;
  // State scale: the annuity part unrounded.
  const double qa = CuotaEscalaEstatal(a);
  const double ra = a != 0.0 ? T(qa / a * 100) : 0.0;
  const double qb = R(CuotaEscalaEstatal(b));
  const double rb = b != 0.0 ? T(qb / b * 100) : 0.0;
  const double xa = X == 0.0 ? qa : R(ra * N / 100);
  const double xb = X == 0.0 ? qb : R(rb * r / 100);
  q.state = xa + xb;
  // Regional scale: the rest unrounded.
  const double qa2 = R(CuotaEscalaAutonomica(a));
  const double ra2 = a != 0.0 ? T(qa2 / a * 100) : 0.0;
  const double qb2 = CuotaEscalaAutonomica(b);
  const double rb2 = b != 0.0 ? T(qb2 / b * 100) : 0.0;
  const double xa2 = X == 0.0 ? qa2 : R(ra2 * N / 100);
  const double xb2 = X == 0.0 ? qb2 : R(rb2 * r / 100);
  q.regional = xa2 + xb2;
  q.stateRate = T(q.state / B * 100);
  q.regionalRate = T(q.regional / B * 100);
  return q;
}
}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100L(void* summary, void* k, void* personal) {
  using namespace f100::summary;
  using tv::Vec;
  const Vec exempt = tv::SumPairs(summary, ExemptIncomePairs);
  const Vec annuities = tv::SumPairs(summary, ChildAnnuityPairs);
  const Vec B = f100::sec_k::GeneralLiquidable.load(k);
  const Vec S = f100::sec_k::SpecialLiquidable.load(k);
  Vec state{}, regional{}, stateRate{}, regionalRate{}, stateSpecial{}, regionalSpecial{};
  for (int col = 0; col < 5; ++col) {
    const tv::GeneralQuota q = tv::Quotas(B[col], exempt[col], annuities[col]);
    state[col] = q.state;
    regional[col] = q.regional;
    stateRate[col] = q.stateRate;
    regionalRate[col] = q.regionalRate;
    if (tv::Community(personal, col) == tv::kCommunityWithoutSplit) {
      stateSpecial[col] = tv::R(S[col] * tv::kSpecialRateWhole);
      regionalSpecial[col] = 0.0;
    } else {
      stateSpecial[col] = tv::R(S[col] * tv::kSpecialRateState);
      regionalSpecial[col] = tv::R(S[col] * tv::kSpecialRateRegional);
    }
  }
  Vec stateTotal, regionalTotal;
  tv::Sumatorio5PorTitulares(stateTotal, {{state.data(), 1.0}, {stateSpecial.data(), 1.0}});
  tv::Sumatorio5PorTitulares(regionalTotal, {{regional.data(), 1.0}, {regionalSpecial.data(), 1.0}});

  ExemptIncome.store(summary, exempt);
  ChildAnnuities.store(summary, annuities);
  StateGeneralQuota.store(summary, state);
  RegionalGeneralQuota.store(summary, regional);
  StateAverageRate.store(summary, stateRate);
  RegionalAverageRate.store(summary, regionalRate);
  StateSpecialQuota.store(summary, stateSpecial);
  RegionalSpecialQuota.store(summary, regionalSpecial);
  StateGrossQuota.store(summary, stateTotal);
  RegionalGrossQuota.store(summary, regionalTotal);
}

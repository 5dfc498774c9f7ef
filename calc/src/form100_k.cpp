// Section K: general and special liquidable bases, and the pension contributions of the member
// shown that the bases did not absorb and are carried forward.
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "form100_j.h"
#include "numeric.h"
#include "pairs.h"
#include "tallyvex.h"

namespace tv {
namespace {
constexpr int kReductions = 5;

// Applies the reductions in order against the base: the first that exceeds what is left is
// lowered to it and every later one becomes 0.
void ApplyInOrder(double base, double (&reductions)[kReductions]) {
  double left = base;
  for (int n = 0; n < kReductions; ++n) {
    if (left < reductions[n]) {
      reductions[n] = left;
      for (int m = n + 1; m < kReductions; ++m) reductions[m] = 0.0;
      return;
    }
    left = left - reductions[n];
  }
}

struct CarryPair {
  int code;
  double own;
  double promoter;
};
}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100K(void* k, void* i, void* j, void* personal, int member) {
  using namespace f100::sec_k;
  using tv::Vec;
  namespace jf = f100::sec_j;
  Vec first = tv::SumPairs(k, FirstOffsetPairs);
  Vec second = tv::SumPairs(k, SecondOffsetPairs);
  const Vec general = f100::sec_i::GeneralAfterMinimum.load(i);
  const Vec special = f100::sec_i::SpecialAfterMinimum.load(i);
  const Vec sport = jf::Sportspeople.load(j);
  const Vec jr[tv::kReductions] = {jf::Total.load(j), jf::PensionReduction.load(j), jf::SpouseSchemes.load(j),
                                   jf::DisabledSchemes.load(j), jf::Further.load(j)};
  Vec onGeneral[tv::kReductions], onSpecial[tv::kReductions];
  Vec afterReductions, liquidable, specialLiquidable;

  for (int col = 0; col < 5; ++col) {
    double g[tv::kReductions];
    for (int n = 0; n < tv::kReductions; ++n) g[n] = general[col] > 0.0 ? jr[n][col] : 0.0;
    if (general[col] > 0.0) tv::ApplyInOrder(general[col], g);
    afterReductions[col] = general[col] - g[0] - g[1] - g[2] - g[3] - g[4] - sport[col];
    const double base = afterReductions[col];
    if (base <= 0.0) {
      first[col] = 0.0;
      second[col] = 0.0;
    } else if (first[col] <= base) {
      if (second[col] > base - first[col]) second[col] = base - first[col];
    } else {
      first[col] = base;
      second[col] = 0.0;
    }
    liquidable[col] = base - first[col] - second[col];

    double s[tv::kReductions];
    for (int n = 0; n < tv::kReductions; ++n) s[n] = special[col] > 0.0 ? jr[n][col] - g[n] : 0.0;
    if (special[col] > 0.0) tv::ApplyInOrder(special[col], s);
    specialLiquidable[col] = special[col] - s[0] - s[1] - s[2] - s[3] - s[4];
    for (int n = 0; n < tv::kReductions; ++n) {
      onGeneral[n][col] = g[n];
      onSpecial[n][col] = s[n];
    }
  }

  GeneralAfterMinimum.store(k, general);
  const blocks::Vec5 generalSlots[tv::kReductions] = {GeneralReductions, GeneralPension, GeneralSpouseSchemes,
                                                      GeneralDisabledSchemes, GeneralFurther};
  const blocks::Vec5 specialSlots[tv::kReductions] = {SpecialReductions, SpecialPension, SpecialSpouseSchemes,
                                                      SpecialDisabledSchemes, SpecialFurther};
  for (int n = 0; n < tv::kReductions; ++n) {
    generalSlots[n].store(k, onGeneral[n]);
    specialSlots[n].store(k, onSpecial[n]);
  }
  Sportspeople.store(k, sport);
  GeneralAfterReductions.store(k, afterReductions);
  FirstOffset.store(k, first);
  SecondOffset.store(k, second);
  GeneralLiquidable.store(k, liquidable);
  SpecialAfterMinimum.store(k, special);
  SpecialLiquidable.store(k, specialLiquidable);

  // Pension contributions to carry forward.
  Vec excO{}, excP{}, yrO{}, yrP{}, fitO{}, fitP{};
  for (int r = 0; r < jf::kPensionRowCount; ++r) {
    const void* row = blocks::at(j, jf::pensionRow(r));
    const int code = jf::pension::Holder.get(row);
    if (code <= 1 || code > 5) continue;  // a code above 5 has no column
    const double cap = tv::PensionCap(personal, code);
    const int col = code - 1;
    excO[col] = jf::pension::OwnExcess.get(row);
    if (excO[col] > cap) excO[col] = cap;
    excP[col] = jf::pension::PromoterExcess.get(row);
    if (excP[col] > cap) excP[col] = cap;
    yrO[col] = jf::pension::OwnYear.get(row);
    yrP[col] = jf::pension::PromoterYear.get(row);
    fitO[col] = yrO[col];
    if (fitO[col] > cap - excO[col]) fitO[col] = cap - excO[col];
    fitP[col] = yrP[col];
    if (fitP[col] > cap - excP[col]) fitP[col] = cap - excP[col];
    excO[0] += excO[col];
    excP[0] += excP[col];
    yrO[0] += yrO[col];
    yrP[0] += yrP[col];
    fitO[0] += fitO[col];
    fitP[0] += fitP[col];
  }

  tv::CarryPair pairs[2];
  int pairCount = 0;
  // Only the family unit, the declarant and the spouse carry contributions forward; the range is
  // tested before the subtraction, which would overflow for the lowest int.
  if (member >= f100::kFamilyUnit && member <= f100::kSpouse) {
    const int m = member - 1;
    const double A = onGeneral[1][m] + onSpecial[1][m];
    const int columns[2] = {m == 0 ? 1 : m, 2};
    const int count = m == 0 ? 2 : 1;
    for (int p = 0; p < count; ++p) {
      const int col = columns[p];
      if (A >= excO[m] + excP[m] + yrO[m] + yrP[m]) break;  // all applied
      if (A < excO[m] + excP[m]) {
        pairs[pairCount++] = {col + 1, yrO[col], yrP[col]};
      } else {
        const double D = A - excO[m] - excP[m];
        if (A >= excO[m] + excP[m] + fitO[m] + fitP[m]) {
          pairs[pairCount++] = {col + 1, yrO[col] - fitO[col], yrP[col] - fitP[col]};
        } else if (fitO[m] + fitP[m] != 0.0) {
          pairs[pairCount++] = {col + 1, yrO[col] - tv::Redondea(D * fitO[col] / (fitO[m] + fitP[m]), 2),
                                yrP[col] - tv::Redondea(D * fitP[col] / (fitO[m] + fitP[m]), 2)};
        }
      }
    }
  }

  for (int r = 0; r < kCarryRecords; ++r) {
    CarryHolder(r).set(k, 0);
    CarryOwn(r).set(k, 0.0);
    CarryPromoter(r).set(k, 0.0);
  }
  int next = 0;
  for (int p = 0; p < pairCount; ++p) {
    if (pairs[p].own == 0.0 && pairs[p].promoter == 0.0) continue;
    const double own = pairs[p].own < 0.0 ? 0.0 : pairs[p].own;
    const double promoter = pairs[p].promoter < 0.0 ? 0.0 : pairs[p].promoter;
    if (own == 0.0 && promoter == 0.0) continue;
    CarryHolder(next).set(k, static_cast<unsigned char>(pairs[p].code));
    CarryOwn(next).set(k, own);
    CarryPromoter(next).set(k, promoter);
    ++next;
  }
}

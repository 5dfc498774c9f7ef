// Section J: reductions for contributions to pension schemes, the spouse's schemes, schemes in
// favour of disabled persons, the further reduction and the sportspeople's mutual fund.
#include "blocks/form100_a.h"
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "form100_income.h"
#include "form100_j.h"
#include "numeric.h"
#include "tallyvex.h"

namespace tv {
namespace {
constexpr double kSpouseIncomeLimit = 8000;
constexpr double kSpouseSchemesCap = 2000;
constexpr double kDisabledOwnCap = 24250;
constexpr double kDisabledRelativesLimit = 8000;  // per contributor, shared by its rows
constexpr double kSportspeopleCap = 24250;

// Holder codes 2 to 5 have a member column; 0 and 1 (common) are skipped, and a code above 5
// has no column at all.
bool IsMemberCode(int code) { return code > 1 && code <= 5; }
}  // namespace

double PensionCap(const void* personal, int code) {
  return DameCuantiaMaximaPlanPensiones(f100::sec_i::personal::Age(code - 1).get(personal));
}
}  // namespace tv

TALLYVEX_API void Calculos100J(void* j, void* personal, void* a, void* b, void* c, void* d, void* e1, void* e4,
                               void* e5, void* f1, void* f2, void* f3, void* f4, void* f5, void* g6, int pass,
                               int /*member*/) {
  using namespace f100::sec_j;
  using tv::Vec;
  switch (pass) {
    case 1: {
      Vec v{};
      for (int r = 0; r < kPensionRowCount; ++r) {
        void* row = blocks::at(j, pensionRow(r));
        const int code = pension::Holder.get(row);
        if (!tv::IsMemberCode(code)) continue;
        const double cap = tv::PensionCap(personal, code);
        pension::OwnExcess.set(row, pension::OwnExcessIn.get(row));
        pension::PromoterExcess.set(row, pension::PromoterExcessIn.get(row));
        pension::OwnYear.set(row, pension::OwnYearIn.get(row));
        pension::PromoterYear.set(row, pension::PromoterYearIn.get(row));
        if (pension::OwnYear.get(row) > cap) pension::OwnYear.set(row, cap);
        if (pension::PromoterYear.get(row) > cap) pension::PromoterYear.set(row, cap);
        double own = pension::OwnExcess.get(row) + pension::OwnYear.get(row);
        if (own > cap) own = cap;
        double promoter = pension::PromoterExcess.get(row) + pension::PromoterYear.get(row);
        if (promoter > cap) promoter = cap;
        pension::OwnReduction.set(row, own);
        pension::PromoterReduction.set(row, promoter);
        v[0] += own + promoter;
        v[code - 1] += own + promoter;
      }
      PensionReduction.store(j, v);
      break;
    }
    case 2: {
      const Vec T = tv::NetIncome(tv::ActivityRowsIncome(e1, e4, e5, f1, true), a, b, c, d, f2, f3, f4, f5, g6);
      Vec v{};
      const int code = SpouseContributor.get(j);
      if (tv::IsMemberCode(code)) {
        const int other = code == 2 ? 2 : 1;
        double reduction = 0.0;
        if (T[other] < tv::kSpouseIncomeLimit) {
          reduction = SpouseContribution[0].get(j) + SpouseContribution[1].get(j);
          if (reduction > tv::kSpouseSchemesCap) reduction = tv::kSpouseSchemesCap;
        }
        v[code - 1] = reduction;
        v[0] += v[code - 1];
      }
      SpouseSchemes.store(j, v);
      break;
    }
    case 3: {
      Vec v{};
      double remaining[6];
      for (double& r : remaining) r = tv::kDisabledRelativesLimit;
      for (int r = 0; r < kDisabledRowCount; ++r) {
        void* row = blocks::at(j, disabledRow(r));
        disabled::OwnReduction.set(row, 0.0);
        disabled::RelativesReduction.set(row, 0.0);
        disabled::NifCopy.clear(row, '\0');
        const int code = disabled::Holder.get(row);
        if (!tv::IsMemberCode(code)) continue;
        disabled::NifCopy.set(row, disabled::Nif.raw(row));
        double own = disabled::Own.get(row) + disabled::Promoter.get(row);
        if (own > tv::kDisabledOwnCap) own = tv::kDisabledOwnCap;
        double relatives = disabled::Relatives.get(row);
        if (relatives > remaining[code]) relatives = remaining[code];
        remaining[code] -= relatives;
        if (remaining[code] < 0.0) remaining[code] = 0.0;
        disabled::OwnReduction.set(row, own);
        disabled::RelativesReduction.set(row, relatives);
        v[code - 1] += own + relatives;
        v[0] += own + relatives;
      }
      DisabledSchemes.store(j, v);
      break;
    }
    case 4: {
      Vec v{};
      for (int r = 0; r < kFurtherRowCount; ++r)
        tv::AcumulaATitular(v.data(), 5, FurtherHolder(r).get(j), FurtherAmount(r).get(j));
      Further.store(j, v);
      break;
    }
    case 5: {
      const Vec v2 = tv::ActivityRowsIncome(e1, e4, e5, f1, false);
      const Vec work = f100::sec_a::NetWorkIncome.load(a);
      Vec W;
      tv::Sumatorio5PorTitulares(W, {{v2.data(), 1.0}, {work.data(), 1.0}});
      Vec v{};
      tv::SumaASuTitular(v.data(), 5,
                         {{SportHolder(0).get(j), SportOwn(0).get(j)}, {SportHolder(0).get(j), SportPromoter(0).get(j)},
                          {SportHolder(1).get(j), SportOwn(1).get(j)}, {SportHolder(1).get(j), SportPromoter(1).get(j)}});
      v[0] = 0.0;
      for (int k = 1; k <= 2; ++k) {
        if (W[k] < 0.0) W[k] = 0.0;
        if (v[k] > W[k]) v[k] = W[k];
        if (v[k] > tv::kSportspeopleCap) v[k] = tv::kSportspeopleCap;
        v[0] += v[k];
      }
      Sportspeople.store(j, v);
      break;
    }
    default:
      break;
  }
}

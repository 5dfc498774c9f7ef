// Section F2: imputed bases by holder and, per eligible row, the deduction limited to the tax
// that the imputed base bears at the average rate of the general base. The bases and quotas it
// reads are those the previous calculation left.
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_c.h"
#include "blocks/form100_d.h"
#include "blocks/form100_e1.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f2.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "blocks/form100_g6.h"
#include "blocks/form100_h.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "numeric.h"
#include "tallyvex.h"

namespace tv {
namespace {
namespace row = f100::sec_f2::row;

bool Eligible(const void* r) {
  const unsigned char kind = row::Kind.get(r);
  const unsigned char qualifier = row::Qualifier.get(r);
  const int code = row::Holder.get(r);
  const bool kindOk = kind == '1' || ((kind == '2' || kind == '3') && (qualifier == 0 || qualifier == ' '));
  // A holder code above 5 has no column to read the bases from.
  return kindOk && row::ImputedBase.get(r) > 0.0 && code != 0 && code <= 5;
}

Vec Floored(const void* rec, blocks::Vec5 field) {
  const Vec v = field.load(rec);
  Vec out;
  Sumatorio5PorTitulares(out, {{v.data(), 1.0}});
  LimitaVector(out.data(), 5, {{0.0, -1}, {0.0, -1}, {0.0, -1}, {0.0, -1}, {0.0, -1}});
  return out;
}
}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100F2(void* f2, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5, void* f1,
                                void* f3, void* f4, void* f5, void* h, void* k, void* g6, void* summary) {
  using namespace f100::sec_f2;
  using tv::Vec;
  namespace sm = f100::summary;
  void* rows[kRows];
  for (int r = 0; r < kRows; ++r) rows[r] = blocks::at(f2, rowOffset(r));

  Vec P{};
  for (void* r : rows) {
    row::FirstAmountCopy.set(r, row::FirstAmount.get(r));
    row::SecondAmountCopy.set(r, row::SecondAmount.get(r));
    row::ThirdAmountCopy.set(r, row::ThirdAmount.get(r));
    const double base = row::ImputedBase.get(r);
    for (blocks::F64 f : {row::HolderRate, row::HolderShare, row::HolderTax, row::UnitRate, row::UnitShare, row::UnitTax})
      f.set(r, 0.0);
    tv::AcumulaATitular(P.data(), 5, row::Holder.get(r), base > 0.0 ? base : 0.0);
  }

  // Positive net incomes by holder: what the general liquidable base is shared out over.
  const Vec floored[10] = {tv::Floored(a, f100::sec_a::NetWorkIncome),     tv::Floored(b, f100::sec_b::NetIncome),
                           tv::Floored(c, f100::sec_c::ImputedIncome),     tv::Floored(d, f100::sec_d::NetAfterReductions),
                           tv::Floored(e1, f100::sec_e1::NetYields),       tv::Floored(e4, f100::sec_e4::NetYields),
                           tv::Floored(e5, f100::sec_e5::NetYields),       tv::Floored(f1, f100::sec_f1::Net1Total),
                           tv::Floored(f1, f100::sec_f1::Net2Total),       tv::Floored(f1, f100::sec_f1::Net3Total)};
  const Vec vf3 = f100::sec_f3::Amounts.load(f3), vf4 = f100::sec_f4::AmountToImputeByHolder.load(f4);
  const Vec vf5 = f100::sec_f5::Amounts.load(f5);
  const Vec shortPositive = f100::sec_g6::ShortPositive.load(g6);
  const Vec hShort = f100::sec_h::ShortPositive.load(h), hGeneral = f100::sec_h::GeneralIncome.load(h);
  const Vec general = f100::sec_k::GeneralLiquidable.load(k), special = f100::sec_k::SpecialLiquidable.load(k);
  const Vec stateGeneral = sm::StateGeneralQuota.load(summary), regionalGeneral = sm::RegionalGeneralQuota.load(summary);
  const Vec stateGross = sm::StateGrossQuota.load(summary), regionalGross = sm::RegionalGrossQuota.load(summary);
  const Vec stateNet = sm::StateNetQuota.load(summary), regionalNet = sm::RegionalNetQuota.load(summary);
  const Vec dividends = sm::DividendsApplied.load(summary);

  for (void* r : rows) {
    const double deduction = row::SecondAmountCopy.get(r) + row::ThirdAmountCopy.get(r);
    row::UnitDeduction.set(r, deduction);
    row::HolderDeduction.set(r, deduction);
    row::UnitCarried.set(r, 0.0);
    row::HolderCarried.set(r, 0.0);
    if (!tv::Eligible(r)) continue;
    const double imputed = row::ImputedBase.get(r);
    const int code = row::Holder.get(r);
    for (int j = 0; j <= 1; ++j) {
      const int col = j == 0 ? 0 : (code == 1 ? 0 : code - 1);
      double rate = 0.0;
      const double Q = stateNet[col] + regionalNet[col] - dividends[col];
      if (general[col] > 0.0 && stateGross[col] + regionalGross[col] != 0.0 && hShort[col] + hGeneral[col] != 0.0 &&
          Q > 0.0) {
        if (special[col] == 0.0)
          rate = tv::Trunc(Q / general[col], 4);
        else
          rate = tv::Trunc(
              Q * ((stateGeneral[col] + regionalGeneral[col]) / (stateGross[col] + regionalGross[col]) / general[col]), 4);
        if (rate < 0.0) rate = 0.0;
      }
      double share = 0.0;
      if (rate != 0.0) {
        double T = 0.0;
        for (const Vec& v : floored) T += v[col];
        T += vf3[col];
        T += vf4[col];
        T += vf5[col];
        T += P[col];
        T += shortPositive[col];
        if (T > 0.0) {
          share = tv::Redondea(imputed * general[col] / T, 2);
          if (share > general[col]) share = general[col];
          if (share < 0.0) share = 0.0;
        }
      }
      const double tax = tv::Redondea(share * rate, 2);
      (j == 1 ? row::HolderShare : row::UnitShare).set(r, share);
      (j == 1 ? row::HolderRate : row::UnitRate).set(r, tv::Trunc(rate * 100, 2));
      (j == 1 ? row::HolderTax : row::UnitTax).set(r, tax);
      const blocks::F64 ded = j == 0 ? row::UnitDeduction : row::HolderDeduction;
      const blocks::F64 carried = j == 0 ? row::UnitCarried : row::HolderCarried;
      if (tax < row::Threshold.get(r) && ded.get(r) > tax) {
        ded.set(r, tax);
        carried.set(r, row::CarriedWhenLimited.get(r));
      }
    }
  }

  Vec imputedBases{}, deductions{}, carried{};
  double unitDeduction = 0.0, unitCarried = 0.0;
  for (void* r : rows) {
    const int code = row::Holder.get(r);
    tv::AcumulaATitular(imputedBases.data(), 5, code, row::ImputedBase.get(r));
    tv::AcumulaATitular(deductions.data(), 5, code, row::HolderDeduction.get(r));
    tv::AcumulaATitular(carried.data(), 5, code, row::HolderCarried.get(r));
    unitDeduction += row::UnitDeduction.get(r);
    unitCarried += row::UnitCarried.get(r);
  }
  deductions[0] = unitDeduction;
  carried[0] = unitCarried;
  ImputedBases.store(f2, imputedBases);
  sm::ImputedBaseDeduction.store(summary, deductions);
  sm::ImputedBaseCarried.store(summary, carried);
}

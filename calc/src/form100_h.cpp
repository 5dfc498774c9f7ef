// Section H: general and special tax bases, with the offsets of earlier years' amounts and this
// year's short-term loss within ten per cent of the general income.
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
#include "numeric.h"
#include "pairs.h"
#include "tallyvex.h"

namespace tv {
namespace {
constexpr double kShortLossShareOfGeneralIncome = 0.1;

}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100H(void* h, void* g6, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5,
                               void* f1, void* f2, void* f3, void* f4, void* f5) {
  using namespace f100::sec_h;
  using tv::Vec;
  const Vec shortPositive = f100::sec_g6::ShortPositive.load(g6);
  const Vec shortNegative = f100::sec_g6::ShortNegative.load(g6);
  const Vec longPositive = f100::sec_g6::LongPositive.load(g6);

  Vec earlierShort = tv::SumPairs(h, EarlierShortLosses);
  Vec earlierGeneral = tv::SumPairs(h, EarlierGeneral);
  Vec earlierLong = tv::SumPairs(h, EarlierLongLosses);
  Vec earlierLong2 = tv::SumPairs(h, EarlierLong2);

  const Vec va = f100::sec_a::NetWorkIncome.load(a), vb = f100::sec_b::NetIncome.load(b);
  const Vec vc = f100::sec_c::ImputedIncome.load(c), vd = f100::sec_d::NetAfterReductions.load(d);
  const Vec ve1 = f100::sec_e1::NetYields.load(e1), ve4 = f100::sec_e4::NetYields.load(e4);
  const Vec ve5 = f100::sec_e5::NetYields.load(e5);
  const Vec vf11 = f100::sec_f1::Net1Total.load(f1), vf12 = f100::sec_f1::Net2Total.load(f1);
  const Vec vf13 = f100::sec_f1::Net3Total.load(f1);
  const Vec vf2 = f100::sec_f2::ImputedBases.load(f2);
  const Vec vf3 = f100::sec_f3::Amounts.load(f3), vf4 = f100::sec_f4::AmountToImputeByHolder.load(f4);
  const Vec vf5 = f100::sec_f5::Amounts.load(f5);
  Vec general;
  tv::Sumatorio5PorTitulares(general, {{va.data(), 1.0}, {vb.data(), 1.0}, {vc.data(), 1.0}, {vd.data(), 1.0},
                                       {ve1.data(), 1.0}, {ve4.data(), 1.0}, {ve5.data(), 1.0}, {vf11.data(), 1.0},
                                       {vf12.data(), 1.0}, {vf13.data(), 1.0}, {vf2.data(), 1.0}, {vf3.data(), 1.0},
                                       {vf4.data(), 1.0}, {vf5.data(), 1.0}});

  Vec rest{}, negativeOffset{}, carried{}, generalBase{}, specialBase{};
  for (int k = 0; k < 5; ++k) {
    const double L = earlierShort[k];
    const double T = tv::Redondea(tv::kShortLossShareOfGeneralIncome * general[k], 2);
    // Earlier losses offset against this year's balance never exceed it.
    if (shortPositive[k] < earlierShort[k]) earlierShort[k] = shortPositive[k];
    rest[k] = L - earlierShort[k];
    if (general[k] <= 0.0) {
      negativeOffset[k] = 0.0;
      rest[k] = 0.0;
      earlierGeneral[k] = 0.0;
      carried[k] = shortNegative[k];
    } else {
      if (general[k] < earlierGeneral[k]) earlierGeneral[k] = general[k];
      if (T < rest[k]) rest[k] = T;
      if (general[k] - earlierGeneral[k] < rest[k]) rest[k] = general[k] - earlierGeneral[k];
      negativeOffset[k] = shortNegative[k];
      if (T - rest[k] < negativeOffset[k]) negativeOffset[k] = T - rest[k];
      if (general[k] - earlierGeneral[k] - rest[k] < negativeOffset[k])
        negativeOffset[k] = general[k] - earlierGeneral[k] - rest[k];
      carried[k] = shortNegative[k] - negativeOffset[k];
    }
    generalBase[k] =
        (shortPositive[k] - earlierShort[k]) + general[k] - earlierGeneral[k] - rest[k] - negativeOffset[k];

    if (longPositive[k] < earlierLong[k]) earlierLong[k] = longPositive[k];
    if (longPositive[k] - earlierLong[k] < earlierLong2[k]) earlierLong2[k] = longPositive[k] - earlierLong[k];
    specialBase[k] = longPositive[k] - earlierLong[k] - earlierLong2[k];
  }

  ShortPositive.store(h, shortPositive);
  EarlierShortOffset.store(h, earlierShort);
  GeneralIncome.store(h, general);
  EarlierGeneralOffset.store(h, earlierGeneral);
  EarlierShortRestOffset.store(h, rest);
  ShortNegativeOffset.store(h, negativeOffset);
  ShortNegativeCarried.store(h, carried);
  GeneralBase.store(h, generalBase);
  LongPositive.store(h, longPositive);
  EarlierLongOffset.store(h, earlierLong);
  EarlierLongOffset2.store(h, earlierLong2);
  SpecialBase.store(h, specialBase);
}

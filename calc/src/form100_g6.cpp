// Section G6: integration of the gains and losses of sections F1, G1 to G4 and B into a short-
// and a long-term balance per holder.
#include "blocks/form100_b.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_g2.h"
#include "blocks/form100_g3.h"
#include "blocks/form100_g4.h"
#include "blocks/form100_g6.h"
#include "numeric.h"
#include "tallyvex.h"

namespace tv {
namespace {
// Nets gains against losses into a positive and a negative balance; equal amounts give two zeros.
void Balance(const Vec& gains, const Vec& losses, Vec& positive, Vec& negative) {
  for (int k = 0; k < 5; ++k) {
    if (gains[k] <= losses[k]) {
      positive[k] = 0.0;
      negative[k] = losses[k] - gains[k];
    } else {
      positive[k] = gains[k] - losses[k];
      negative[k] = 0.0;
    }
  }
}
}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100G6(void* g6, void* f1, void* g1, void* g2, void* g3, void* g4, void* b) {
  using namespace f100::sec_g6;
  namespace g4f = f100::sec_g4;
  namespace f1f = f100::sec_f1;
  namespace g1f = f100::sec_g1;
  namespace g2f = f100::sec_g2;
  namespace g3f = f100::sec_g3;
  const tv::Vec f1sg = f1f::ShortTermGainsTotal.load(f1), f1sl = f1f::ShortTermLossesTotal.load(f1);
  const tv::Vec f1lg = f1f::LongTermGainsTotal.load(f1), f1ll = f1f::LongTermLossesTotal.load(f1);
  const tv::Vec g1sg = g1f::ShortTermGains.load(g1), g1sg2 = g1f::cash::Total.load(g1), g1p = g1f::kind::Total.load(g1);
  const tv::Vec g1sl = g1f::ShortTermLosses.load(g1), g1lg = g1f::LongTermGains.load(g1), g1ll = g1f::LongTermLosses.load(g1);
  const tv::Vec g2sg = g2f::ShortTermGains.load(g2), g2sl = g2f::ShortTermLosses.load(g2);
  const tv::Vec g2lg = g2f::LongTermGains.load(g2), g2ll = g2f::LongTermLosses.load(g2);
  const tv::Vec g3sl = g3f::ComputableLosses.load(g3), g3sg = g3f::ComputableGainsOther.load(g3);
  const tv::Vec g3sg2 = g3f::ComputableGainsReduced.load(g3);
  const tv::Vec g4a = g4f::ShortGainsA.load(g4), g4b = g4f::ShortLossesB.load(g4), g4c = g4f::ShortGainsC.load(g4);
  const tv::Vec g4il = g4f::ItemLosses.load(g4), g4inb = g4f::ItemGainsNonBusiness.load(g4);
  const tv::Vec g4ib = g4f::ItemGainsBusiness.load(g4), g4e = g4f::LongGainsE.load(g4), g4f_ = g4f::LongLossesF.load(g4);
  const tv::Vec bp = f100::sec_b::LongTermGains.load(b), bn = f100::sec_b::LongTermLosses.load(b);

  tv::Vec shortGains, shortLosses, longGains, longLosses;
  tv::Sumatorio5PorTitulares(shortGains, {{f1sg.data(), 1.0}, {g1sg.data(), 1.0}, {g1sg2.data(), 1.0},
                                          {g1p.data(), 1.0}, {g2sg.data(), 1.0}, {g3sg.data(), 1.0},
                                          {g3sg2.data(), 1.0}, {g4a.data(), 1.0}, {g4c.data(), 1.0}});
  tv::Sumatorio5PorTitulares(shortLosses, {{f1sl.data(), 1.0}, {g1sl.data(), 1.0}, {g2sl.data(), 1.0},
                                           {g3sl.data(), 1.0}, {g4b.data(), 1.0}});
  tv::Sumatorio5PorTitulares(longGains, {{f1lg.data(), 1.0}, {g1lg.data(), 1.0}, {g2lg.data(), 1.0},
                                         {g4inb.data(), 1.0}, {g4ib.data(), 1.0}, {g4e.data(), 1.0},
                                         {bp.data(), 1.0}});
  tv::Sumatorio5PorTitulares(longLosses, {{f1ll.data(), 1.0}, {g1ll.data(), 1.0}, {g2ll.data(), 1.0},
                                          {g4il.data(), 1.0}, {g4f_.data(), 1.0}, {bn.data(), 1.0}});
  tv::Vec shortPositive, shortNegative, longPositive, longNegative;
  tv::Balance(shortGains, shortLosses, shortPositive, shortNegative);
  tv::Balance(longGains, longLosses, longPositive, longNegative);

  ShortGains.store(g6, shortGains);
  ShortLosses.store(g6, shortLosses);
  ShortPositive.store(g6, shortPositive);
  ShortNegative.store(g6, shortNegative);
  LongGains.store(g6, longGains);
  LongLosses.store(g6, longLosses);
  LongPositive.store(g6, longPositive);
  LongNegative.store(g6, longNegative);
}

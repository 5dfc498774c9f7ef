// Section G6: integration of the gains and losses of sections F1, G1 to G4 and B into a short-
// and a long-term balance per holder.
#include "data/blocks/form100_g4.h"
#include "data/blocks/form100_g6.h"
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
  const tv::Vec f1sg = in::F1ShortGains.load(f1), f1sl = in::F1ShortLosses.load(f1);
  const tv::Vec f1lg = in::F1LongGains.load(f1), f1ll = in::F1LongLosses.load(f1);
  const tv::Vec g1sg = in::G1ShortGains.load(g1), g1sg2 = in::G1ShortGains2.load(g1), g1p = in::G1Prizes.load(g1);
  const tv::Vec g1sl = in::G1ShortLosses.load(g1), g1lg = in::G1LongGains.load(g1), g1ll = in::G1LongLosses.load(g1);
  const tv::Vec g2sg = in::G2ShortGains.load(g2), g2sl = in::G2ShortLosses.load(g2);
  const tv::Vec g2lg = in::G2LongGains.load(g2), g2ll = in::G2LongLosses.load(g2);
  const tv::Vec g3sl = in::G3ShortLosses.load(g3), g3sg = in::G3ShortGains.load(g3), g3sg2 = in::G3ShortGains2.load(g3);
  const tv::Vec g4a = g4f::ShortGainsA.load(g4), g4b = g4f::ShortLossesB.load(g4), g4c = g4f::ShortGainsC.load(g4);
  const tv::Vec g4il = g4f::ItemLosses.load(g4), g4inb = g4f::ItemGainsNonBusiness.load(g4);
  const tv::Vec g4ib = g4f::ItemGainsBusiness.load(g4), g4e = g4f::LongGainsE.load(g4), g4f_ = g4f::LongLossesF.load(g4);
  const tv::Vec bp = in::BPositive.load(b), bn = in::BNegative.load(b);

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

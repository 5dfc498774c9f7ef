// Community 6: 15 percent of the aid to mothers with children under three.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c06;

constexpr double kRate = 0.15;
constexpr double kCeiling = 180.0;  // family unit, declarant and spouse; not the children

}  // namespace

void Community06(Records& r, int) {
  Vec v{};
  AcumulaATitular(v.data(), 5, holder(r.p, c::AidHolder), rnd(kRate * c::AidAmount.get(r.p)));
  LimitaVector(v.data(), 3, {{kCeiling, 1}, {kCeiling, 1}, {kCeiling, 1}});
  store(r.p, c::MothersAid, v);
}

}  // namespace tv::regional

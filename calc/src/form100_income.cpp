#include "form100_income.h"

#include "data/blocks/form100_f2.h"
#include "data/blocks/form100_g6.h"
#include "data/blocks/form100_h.h"
#include "data/blocks/form100_i.h"

namespace tv {

Vec ActivityRowsIncome(const void* e1, const void* e4, const void* e5, const void* f1, bool allF1Nets) {
  using namespace f100::sec_i::in;
  Vec v{};
  auto add = [&v](const void* rec, const Rows& rows, std::size_t field) {
    for (int i = 0; i < Rows::kCount; ++i) AcumulaATitular(v.data(), 5, rows.holder(i).get(rec), rows.at(i, field).get(rec));
  };
  add(e1, E1Rows, kE1Net);
  add(e4, E4Rows, kE4Net);
  add(e5, E5Rows, kE5Net);
  for (std::size_t field : kF1Nets)
    if (allF1Nets || field == kF1Nets[2]) add(f1, F1Rows, field);
  return v;
}

Vec NetIncome(const Vec& activityRows, const void* a, const void* b, const void* c, const void* d, const void* f2,
              const void* f3, const void* f4, const void* f5, const void* g6) {
  using namespace f100::sec_i::in;
  namespace h = f100::sec_h::in;
  namespace g6f = f100::sec_g6;
  const Vec va = a != nullptr ? h::ANet.load(a) : Vec{};
  const Vec vb = BOther.load(b), vc = h::CNet.load(c), vd = DOther.load(d);
  const Vec vf2 = f100::sec_f2::ImputedBases.load(f2);
  const Vec vf3 = h::F3Net.load(f3), vf4 = h::F4Net.load(f4), vf5 = h::F5Net.load(f5);
  const Vec sg = g6f::ShortGains.load(g6), sl = g6f::ShortLosses.load(g6);
  const Vec lg = g6f::LongGains.load(g6), ll = g6f::LongLosses.load(g6);
  Vec out;
  if (a != nullptr)
    Sumatorio5PorTitulares(out, {{activityRows.data(), 1.0}, {va.data(), 1.0}, {vb.data(), 1.0}, {vc.data(), 1.0},
                                 {vd.data(), 1.0}, {vf2.data(), 1.0}, {vf3.data(), 1.0}, {vf4.data(), 1.0},
                                 {vf5.data(), 1.0}, {sg.data(), 1.0}, {sl.data(), -1.0}, {lg.data(), 1.0},
                                 {ll.data(), -1.0}});
  else
    Sumatorio5PorTitulares(out, {{activityRows.data(), 1.0}, {vb.data(), 1.0}, {vc.data(), 1.0}, {vd.data(), 1.0},
                                 {vf2.data(), 1.0}, {vf3.data(), 1.0}, {vf4.data(), 1.0}, {vf5.data(), 1.0},
                                 {sg.data(), 1.0}, {sl.data(), -1.0}, {lg.data(), 1.0}, {ll.data(), -1.0}});
  return out;
}

}  // namespace tv

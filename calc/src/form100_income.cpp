#include "form100_income.h"

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

namespace tv {

Vec ActivityRowsIncome(const void* e1, const void* e4, const void* e5, const void* f1, bool allF1Nets) {
  Vec v{};
  // Every row: its holder code and one net income of it.
  auto add = [&v](const void* rec, int rows, std::size_t rowSize, blocks::U8 holder, blocks::F64 net) {
    for (int i = 0; i < rows; ++i) AcumulaATitular(v.data(), 5, holder(i, rowSize).get(rec), net(i, rowSize).get(rec));
  };
  namespace se1 = f100::sec_e1;
  namespace se4 = f100::sec_e4;
  namespace se5 = f100::sec_e5;
  namespace sf1 = f100::sec_f1;
  add(e1, se1::kRows, se1::kRowSize, se1::Holder, se1::NetYield);
  add(e4, se4::kRows, se4::kRowSize, se4::Holder, se4::NetBeforeLastReduction);
  add(e5, se5::kRows, se5::kRowSize, se5::Holder, se5::ReducedNet);
  if (allF1Nets) {
    add(f1, sf1::kRows, sf1::kRowSize, sf1::Holder, sf1::Income1);
    add(f1, sf1::kRows, sf1::kRowSize, sf1::Holder, sf1::Income2);
  }
  add(f1, sf1::kRows, sf1::kRowSize, sf1::Holder, sf1::Income3);
  return v;
}

Vec NetIncome(const Vec& activityRows, const void* a, const void* b, const void* c, const void* d, const void* f2,
              const void* f3, const void* f4, const void* f5, const void* g6) {
  namespace g6f = f100::sec_g6;
  const Vec va = a != nullptr ? f100::sec_a::NetWorkIncome.load(a) : Vec{};
  const Vec vb = f100::sec_b::NetBeforeReductions.load(b), vc = f100::sec_c::ImputedIncome.load(c);
  const Vec vd = f100::sec_d::NetYield.load(d);
  const Vec vf2 = f100::sec_f2::ImputedBases.load(f2);
  const Vec vf3 = f100::sec_f3::Amounts.load(f3), vf4 = f100::sec_f4::AmountToImputeByHolder.load(f4);
  const Vec vf5 = f100::sec_f5::Amounts.load(f5);
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

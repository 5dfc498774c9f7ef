// A whole zeroed form-100 block with setters for what the regional deductions read, and a run of
// Calculos100P with the records in the program's order.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "blocks/form100_liquidation.h"
#include "blocks/form100_p.h"
#include "fixture.h"
#include "numeric.h"
#include "tallyvex.h"

namespace regional_test {

namespace sp = f100::sec_p;
namespace in = f100::sec_p::in;

inline double rnd2(double x) { return tv::Redondea(x, 2); }

struct Regional {
  Block100 b;

  unsigned char* P() { return b[f100::SectionP]; }
  unsigned char* rec(const blocks::RecordDef& r) { return b[r]; }

  // Members 0 family unit .. 4 child 2 live in `code` (a two-character text).
  void live(const char* code, std::initializer_list<int> members) {
    for (int m : members) in::personal::CommunityCode(m).set(rec(f100::Personal), code);
  }
  // Every member in one community, a married couple.
  void everyoneIn(const char* code) {
    live(code, {0, 1, 2, 3, 4});
    marriedCouple();
  }
  void marriedCouple(bool yes = true) { in::personal::UnitKind.set(rec(f100::Personal), yes ? 1 : 2); }
  // Person 1 declarant .. 4 child 2.
  void age(int p, int years) { in::personal::Age(p).set(rec(f100::Personal), years); }
  void ages(int declarant, int spouse) {
    age(1, declarant);
    age(2, spouse);
  }
  void disability(int p, char code) { in::personal::DisabilityCode(p).set(rec(f100::Personal), static_cast<unsigned char>(code)); }

  void vec(const blocks::RecordDef& r, blocks::Vec5 v, std::initializer_list<double> columns) {
    int k = 0;
    for (double x : columns) v.set(rec(r), k++, x);
  }
  void vecAll(const blocks::RecordDef& r, blocks::Vec5 v, double x) { vec(r, v, {x, x, x, x, x}); }

  void set(blocks::F64 f, double x) { f.set(P(), x); }
  void set(blocks::U8 f, int x) { f.set(P(), static_cast<unsigned char>(x)); }
  void row(const sp::Rows& rows, int i, int code, double amount, const char* nif = nullptr,
           std::size_t nifField = sp::kRowNif) {
    rows.code(i).set(P(), static_cast<unsigned char>(code));
    rows.f64(i, sp::kRowAmount).set(P(), amount);
    if (nif) rows.nif(i, nifField).set(P(), nif);
  }

  double at(blocks::Vec5 v, int k) { return v.get(P(), k); }
  std::string nif(int m) { return std::string(sp::CounterpartyNif(static_cast<std::size_t>(m)).raw(P())); }
  std::string secondNif(int m) { return std::string(sp::SecondCounterpartyNif(static_cast<std::size_t>(m)).raw(P())); }
  static std::string none() { return std::string(9, '\0'); }
  double total(int k) { return f100::summary::RegionalDeductionsTotal.get(rec(f100::Summary), k); }

  void run(int joint = 0) {
    Calculos100P(rec(f100::SectionP), rec(f100::Personal), rec(f100::Summary), rec(f100::SectionI),
                 rec(f100::Family), rec(f100::SectionO), rec(f100::SectionA), rec(f100::SectionB),
                 rec(f100::SectionK), rec(f100::SectionC), rec(f100::SectionD), rec(f100::SectionE1),
                 rec(f100::SectionE4), rec(f100::SectionE5), rec(f100::SectionF1), rec(f100::SectionF2),
                 rec(f100::SectionF3), rec(f100::SectionF4), rec(f100::SectionF5), rec(f100::SectionG6),
                 rec(f100::SectionH), joint);
  }
};

struct RegionalTest : ::testing::Test, Regional {};

// Expects the five columns of a result vector of Form100SectionP.
#define EXPECT_VEC(test, v, a0, a1, a2, a3, a4)                                \
  do {                                                                        \
    const double expected_[5] = {a0, a1, a2, a3, a4};                         \
    for (int k_ = 0; k_ < 5; ++k_)                                            \
      EXPECT_DOUBLE_EQ((test).at(v, k_), expected_[k_]) << #v << " column " << k_; \
  } while (0)

}  // namespace regional_test

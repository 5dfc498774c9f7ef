// Every income-section export writes only its own record and its own summary slots, whatever
// bytes the block holds (holder codes and types outside their ranges included).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_g1.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

struct Range {
  std::size_t from, to;  // block offsets, to exclusive
};
Range whole(const blocks::RecordDef& r) { return {r.offset, r.offset + r.size}; }
Range slot(blocks::Vec5 v) { return {f100::Summary.offset + v.off, f100::Summary.offset + v.off + 40}; }

struct Case {
  const char* name;
  std::function<void(Block100&)> run;
  std::vector<Range> writes;
};

TEST(IncomeSections, WritesStayInsideTheirRecordsWhateverTheBytes) {
  namespace s = f100::summary;
  const auto sum = [](Block100& b) { return b[f100::Summary]; };
  const std::vector<Case> cases = {
      {"A", [&](Block100& b) { Calculos100A(b[f100::SectionA], sum(b)); }, {whole(f100::SectionA), slot(s::WorkWithholdings)}},
      {"B1", [&](Block100& b) { Calculos100B(b[f100::SectionB], sum(b), 1); }, {whole(f100::SectionB), slot(s::CapitalWithholdings)}},
      {"B2", [&](Block100& b) { Calculos100B(b[f100::SectionB], sum(b), 2); }, {whole(f100::SectionB)}},
      {"C1", [&](Block100& b) { Calculos100C(b[f100::SectionC], 1); }, {whole(f100::SectionC)}},
      {"C3", [&](Block100& b) { Calculos100C(b[f100::SectionC], 3); }, {whole(f100::SectionC)}},
      {"C5", [&](Block100& b) { Calculos100C(b[f100::SectionC], 5); }, {whole(f100::SectionC)}},
      {"C7", [&](Block100& b) { Calculos100C(b[f100::SectionC], 7); }, {whole(f100::SectionC)}},
      {"D", [&](Block100& b) { Calculos100D(b[f100::SectionD], sum(b)); }, {whole(f100::SectionD)}},
      {"E1", [&](Block100& b) { Calculos100E1(b[f100::SectionE1]); }, {whole(f100::SectionE1)}},
      {"E4", [&](Block100& b) { Calculos100E4(b[f100::SectionE4]); }, {whole(f100::SectionE4)}},
      {"E5", [&](Block100& b) { Calculos100E5(b[f100::SectionE5]); }, {whole(f100::SectionE5)}},
      {"F1", [&](Block100& b) { Calculos100F1(b[f100::SectionF1], sum(b)); }, {whole(f100::SectionF1), slot(s::AttributedWithholdings)}},
      {"F3", [&](Block100& b) { Calculos100F3(b[f100::SectionF3]); }, {whole(f100::SectionF3)}},
      {"F4", [&](Block100& b) { Calculos100F4(b[f100::SectionF4], sum(b)); },
       {whole(f100::SectionF4), slot(s::ImageRightsDeduction), slot(s::ImageRightsPayment)}},
      {"F5", [&](Block100& b) { Calculos100F5(b[f100::SectionF5]); }, {whole(f100::SectionF5)}},
      {"G1-1", [&](Block100& b) { Calculos100G1(b[f100::SectionG1], sum(b), 1); }, {whole(f100::SectionG1), slot(s::GainsWithholdings)}},
      {"G1-2", [&](Block100& b) { Calculos100G1(b[f100::SectionG1], sum(b), 2); }, {whole(f100::SectionG1), slot(s::GainsWithholdings)}},
      {"G2", [&](Block100& b) { Calculos100G2(b[f100::SectionG2]); }, {whole(f100::SectionG2)}},
      {"G3", [&](Block100& b) { Calculos100G3(b[f100::SectionG3]); }, {whole(f100::SectionG3)}},
  };

  std::mt19937 rng(2003);
  for (int round = 0; round < 4; ++round) {
    Block100 blk;
    // Small byte values make holder codes, types and markers of every kind, and finite doubles.
    for (auto& byte : blk.bytes) byte = static_cast<unsigned char>(round == 0 ? 0x11 : rng() % (round == 1 ? 8 : 256));
    for (const Case& c : cases) {
      const std::vector<unsigned char> before = blk.bytes;
      c.run(blk);
      for (std::size_t i = 0; i < blk.bytes.size(); ++i) {
        bool allowed = false;
        for (const Range& r : c.writes) allowed = allowed || (i >= r.from && i < r.to);
        if (!allowed) {
          ASSERT_EQ(blk.bytes[i], before[i]) << c.name << " wrote block byte " << i << " in round " << round;
        }
      }
    }
  }
}

}  // namespace

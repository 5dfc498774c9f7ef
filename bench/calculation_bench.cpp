// One whole calculation of a declaration, on the richest form-100 fixture and on a form-714 one.
#include <benchmark/benchmark.h>

#include <vector>

#include "data/calc/form100_calculation.h"
#include "data/calc/form714_calculation.h"
#include "tests/data/fixtures/form100_declarations.h"
#include "tests/data/fixtures/form714_declarations.h"

namespace {

void BM_CalculateForm100(benchmark::State& state) {
  std::vector<unsigned char> block = fixture::BlockOf(fixture::MarriedCoupleJoint(), f100::kBlockSize);
  Form100CalcContext ctx;
  ctx.shownMember = f100::kDeclarant;
  ctx.modality = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateForm100(block.data(), ctx));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CalculateForm100);

void BM_CalculateForm714(benchmark::State& state) {
  std::vector<unsigned char> block = fixture::BlockOf(fixture::Wealth714LimitAndCredit(), f714::kBlockSize);
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateForm714(block.data(), 1, Form714CalcContext{}));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CalculateForm714);

}  // namespace

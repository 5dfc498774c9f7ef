#include <benchmark/benchmark.h>

#include "numeric.h"
#include "tallyvex.h"

static void BM_Redondea(benchmark::State& state) {
  double v = 2.675;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tv::Redondea(v, 2));
    v += 0.001;
  }
}
BENCHMARK(BM_Redondea);

static void BM_Sumatorio5PorTitulares(benchmark::State& state) {
  double a[5] = {1, 2, 3, 4, 5}, b[5] = {0.5, 0.25, 0.125, 1, 2}, out[5];
  for (auto _ : state) {
    Sumatorio5PorTitulares(out, a, 1.0, b, -1.0, nullptr);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Sumatorio5PorTitulares);

static void BM_SumaASuTitular(benchmark::State& state) {
  double out[5];
  for (auto _ : state) {
    SumaASuTitular(out, 5, 1, 100.01, 2, 20.0, 4, 3.0, -1);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_SumaASuTitular);

static void BM_Scales(benchmark::State& state) {
  double base = 30000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tv::CuotaEscalaEstatal(base) + tv::CuotaEscalaAutonomica(base));
    base += 1.0;
  }
}
BENCHMARK(BM_Scales);

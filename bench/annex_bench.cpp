// Opening an annex dialog offscreen: build its controls from the table, bind them to the block,
// load them and show it; a dialog of three amounts and one of eight fields in three group boxes.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "annex/pcuotint_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "bench_app.h"

namespace {


template <class Dlg>
void BM_OpenAnnexDialog(benchmark::State& state) {
  qxbench::App();
  for (auto _ : state) {
    Dlg d({});
    d.EnsureCreated();
    d.show();
    QApplication::processEvents();
    d.hide();
    benchmark::DoNotOptimize(d.AnnexBlock().data());
  }
}
BENCHMARK(BM_OpenAnnexDialog<CRtonetatrentasDlg>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAnnexDialog<CPcuotintDlg>)->Unit(benchmark::kMillisecond);

}  // namespace

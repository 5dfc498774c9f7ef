// One full repaint of a 10,000 x 5 grid into an image, at the top and scrolled into the middle,
// and a page scroll followed by the repaint it needs.
#include <benchmark/benchmark.h>

#include "bench_app.h"
#include "ui/grid/rejilla_ctrl.h"

#include <memory>


namespace {

std::unique_ptr<CRejillaCtrl> BigGrid() {
  qxbench::App();
  auto g = std::make_unique<CRejillaCtrl>(nullptr, 10001, 5, 1, 0);
  for (int r = 0; r < 10001; ++r)
    for (int c = 0; c < 5; ++c) g->SetItemText(r, c, QStringLiteral("Fila %1 columna %2").arg(r).arg(c));
  for (int c = 0; c < 5; ++c) g->SetColumnWidth(c, 150);
  g->resize(800, 600);
  g->show();
  g->UpdateScrollBars();
  return g;
}

void BM_GridFullRepaint(benchmark::State& state) {
  auto g = BigGrid();
  g->SetScrollOffset(Qt::Vertical, int(state.range(0)) * g->GetRowHeight(1));
  QImage img(g->viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    g->RenderTo(img);
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_GridFullRepaint)->Arg(0)->Arg(5000)->Arg(9990)->Unit(benchmark::kMicrosecond);

void BM_GridPageDownAndRepaint(benchmark::State& state) {
  auto g = BigGrid();
  QImage img(g->viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    g->Scroll(Qt::Vertical, qx::grid::ScrollCode::PageDown);
    if (g->GetScrollOffset(Qt::Vertical) == g->GetScrollMaximum(Qt::Vertical)) g->SetScrollOffset(Qt::Vertical, 0);
    g->RenderTo(img);
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_GridPageDownAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

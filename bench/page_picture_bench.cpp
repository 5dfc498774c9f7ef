// Loading a page picture (the whole first page of form 100, the densest drawing) and playing it
// onto an image of the page at 100 % zoom.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include "forms/view/metafile.h"
#include "bench_app.h"

namespace {

QByteArray PictureBytes() {
  QFile f(QStringLiteral(QX_BINARY_DIR "/resources/paginase/ORD001.wmf"));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::span<const std::uint8_t> Span(const QByteArray& b) {
  return {reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())};
}

void BM_PagePictureLoad(benchmark::State& state) {
  const QByteArray bytes = PictureBytes();
  if (bytes.isEmpty()) return state.SkipWithError("the page pictures are not built");
  for (auto _ : state) {
    forms::CMetaFile picture;
    benchmark::DoNotOptimize(picture.Read(Span(bytes)));
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_PagePictureLoad);

void BM_PagePicturePlay(benchmark::State& state) {
  qxbench::App();
  forms::CMetaFile picture;
  if (!picture.Read(Span(PictureBytes()))) return state.SkipWithError("the page pictures are not built");
  QImage image(1008, 1403, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    benchmark::DoNotOptimize(picture.Play(painter, image.rect(), 0));
  }
}
BENCHMARK(BM_PagePicturePlay)->Unit(benchmark::kMillisecond);

}  // namespace

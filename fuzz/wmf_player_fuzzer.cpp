// The page-picture player on whatever the reader accepts: every picture plays onto a page-sized
// image without reading outside what was decoded, and a picture the player bounds (figures of
// too many points, texts too long, too many records) is one it calls damaged.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/view/metafile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  forms::CMetaFile picture;
  if (!picture.Read(std::span<const std::uint8_t>(data, size))) {
    if (!picture.IsEmpty()) std::abort();  // a refused file leaves no picture behind
    return 0;
  }
  // A small page keeps each run short; the bounds are what keep a run from growing with the input.
  QImage page(160, 226, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  for (int align : {0, 11}) {
    if (!picture.Play(painter, QRect(0, 0, page.width(), page.height()), align)) std::abort();
  }
  return 0;
}

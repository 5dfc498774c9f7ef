// qx_pagerender <picture.wmf> <image.png> [width]: plays a page picture onto a white image of the
// given width (1008 pixels by default, the page at 100 % zoom on a 1024-pixel screen).
#include <QGuiApplication>

#include <cstdio>
#include <charconv>
#include <cstring>
#include <string>

#include "forms/view/metafile.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s <picture.wmf> <image.png> [width]\n", argv[0]);
    return 2;
  }
  // No window is shown: the offscreen platform serves unless another is asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  forms::CMetaFile picture;
  if (!picture.Load(argv[1])) {
    std::fprintf(stderr, "qx_pagerender: cannot read %s (%s)\n", argv[1], wmf::ReadErrorName(picture.LastError()));
    return 1;
  }
  int width = 1008;
  if (argc == 4 && std::from_chars(argv[3], argv[3] + std::strlen(argv[3]), width).ec != std::errc()) {
    std::fprintf(stderr, "qx_pagerender: bad width %s\n", argv[3]);
    return 2;
  }
  if (!picture.Render(width).save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "qx_pagerender: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

// qx_pagerender <picture.wmf> <image.png> [width [x y w h]]: plays a page picture onto a white
// image of the given width (1008 pixels by default, the page at 100 % zoom on a 1024-pixel
// screen), optionally cut to a part of it.
#include <QGuiApplication>

#include <cstdio>
#include <charconv>
#include <cstring>
#include <string>

#include "forms/view/metafile.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4 && argc != 8) {
    std::fprintf(stderr, "usage: %s <picture.wmf> <image.png> [width [x y w h]]\n", argv[0]);
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
  int numbers[5] = {1008, 0, 0, 0, 0};
  for (int i = 3; i < argc; ++i)
    if (std::from_chars(argv[i], argv[i] + std::strlen(argv[i]), numbers[i - 3]).ec != std::errc()) {
      std::fprintf(stderr, "qx_pagerender: not a number: %s\n", argv[i]);
      return 2;
    }
  QImage image = picture.Render(numbers[0]);
  if (argc == 8) image = image.copy(numbers[1], numbers[2], numbers[3], numbers[4]);
  if (!image.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "qx_pagerender: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

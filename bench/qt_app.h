// The one offscreen QApplication of the benchmarks that paint.
#pragma once

#include <QApplication>

inline QApplication& BenchApp() {
  static int argc = 1;
  static char name[] = "qx_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

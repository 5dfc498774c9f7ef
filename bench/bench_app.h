// The one offscreen QApplication of the widget benchmarks.
#pragma once

#include <QApplication>

namespace qxbench {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "qx_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace qxbench

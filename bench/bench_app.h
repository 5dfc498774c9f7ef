// The one offscreen QApplication of the widget benchmarks.
#pragma once

#include <QApplication>

#include <string>

#include "ui/messages.h"

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

// Every message answered with its first button, none shown.
struct AcceptingMessages : IMessageService {
  int ShowMessage(std::string_view, MessageIcon, std::string_view) override { return 1; }
  void Notice(std::string_view) override {}
  int ShowPlain(const PlainMessage&) override { return kPlainOk; }
};

}  // namespace qxbench

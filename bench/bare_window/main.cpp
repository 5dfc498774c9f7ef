// The yardstick of the start-up benchmark: a plain Qt main window as an application of this kind
// opens, with menus, a toolbar, a status bar and an MDI area, shown maximised and ended once it
// has been painted, as the program's unattended start ends once its index has been painted. Its
// commands have no icons: Qt decodes every size of a standard icon when it is made, and the
// yardstick must not grow by what a program could avoid.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

struct EndAfterFirstPaint : QObject {
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && !ended) {
      ended = true;
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return QObject::eventFilter(o, e);
  }
  bool ended = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new QMdiArea);
  window.setWindowTitle(QStringLiteral("bench"));
  QToolBar* tools = window.addToolBar(QStringLiteral("tools"));
  tools->setIconSize(QSize(16, 16));
  for (int m = 0; m < 5; ++m) {
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Menu %1").arg(m + 1));
    for (int i = 0; i < 8; ++i) {
      QAction* a = menu->addAction(QStringLiteral("Command %1.%2").arg(m + 1).arg(i + 1));
      a->setStatusTip(QStringLiteral("What command %1.%2 does").arg(m + 1).arg(i + 1));
      if (i < 4) tools->addAction(a);
    }
    tools->addSeparator();
  }
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  EndAfterFirstPaint end;
  window.installEventFilter(&end);
  window.showMaximized();
  return app.exec();
}

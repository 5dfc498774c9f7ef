// The yardstick of the start-up benchmark: a bare Qt main window with an MDI area, shown, ended
// from its first turn of the event loop as the program's unattended start ends at the index.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new QMdiArea);
  window.setWindowTitle(QStringLiteral("bench"));
  window.showMaximized();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return app.exec();
}

// QUILDEXAN: preparation of the income-tax (form 100) and wealth-tax (form 714) returns.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QUILDEXAN");
  QMainWindow frame;
  frame.setWindowTitle("QUILDEXAN");
  frame.resize(800, 600);
  frame.show();
  return app.exec();
}

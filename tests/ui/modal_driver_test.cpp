// The test driver of modal windows: steps run in order on the windows the code under test opens
// with its own event loops, nested ones included, and a window the script did not foresee fails.
#include "support/modal_driver.h"

#include <gtest/gtest-spi.h>

#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A dialog whose "Abrir" button runs a message box of its own before closing it.
struct Outer : QDialog {
  Outer() {
    auto* l = new QVBoxLayout(this);
    auto* open = new QPushButton(QStringLiteral("&Abrir"), this);
    l->addWidget(open);
    connect(open, &QPushButton::clicked, this, [this] {
      QMessageBox box(QMessageBox::Information, QStringLiteral("Aviso"), QStringLiteral("Hecho"),
                      QMessageBox::Ok, this);
      answer = box.exec();
      accept();
    });
  }
  int answer = -1;
};

TEST(ModalDriver, RunsStepsOnNestedModalWindows) {
  qxtest::ModalDriver drive;
  QString seen;
  drive.Expect<Outer>("outer", [](Outer& d) { qxtest::Click(d, QStringLiteral("Abrir")); })
      .Expect<QMessageBox>("message", [&](QMessageBox& m) {
        seen = m.text();
        m.button(QMessageBox::Ok)->click();
      });
  Outer outer;
  EXPECT_EQ(outer.exec(), QDialog::Accepted);
  EXPECT_EQ(seen, QStringLiteral("Hecho"));
  EXPECT_EQ(outer.answer, QMessageBox::Ok);
  EXPECT_TRUE(drive.Done());
}

TEST(ModalDriver, AWindowNotForeseenFailsAndIsClosed) {
  Outer outer;
  EXPECT_NONFATAL_FAILURE(
      {
        qxtest::ModalDriver drive;
        EXPECT_EQ(outer.exec(), QDialog::Rejected);
      },
      "unexpected modal window");
}

}  // namespace

// Laying out a dialog in one language: every caption fits its control. With QX_RENDER_DIR set the
// dialog is also saved as a picture there, to be looked at.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>

#include "ui/companion_button.h"

namespace qxtest {

inline void CheckLayout(QDialog& d, const QString& name, char language) {
  d.show();
  QApplication::processEvents();
  for (QLabel* l : d.findChildren<QLabel*>()) {
    if (l->text().isEmpty() || !l->isVisible()) continue;
    EXPECT_GE(l->width(), l->minimumSizeHint().width()) << name.toStdString() << ": " << l->text().toStdString();
    EXPECT_GE(l->height(), l->minimumSizeHint().height()) << name.toStdString() << ": " << l->text().toStdString();
  }
  for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
    // An editor's companion button has the fixed width of its arrow or dots.
    if (b->text().isEmpty() || !b->isVisible() || qobject_cast<ui::CCompanionButton*>(b)) continue;
    EXPECT_GE(b->width(), b->sizeHint().width()) << name.toStdString() << ": " << b->text().toStdString();
  }
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  if (!dir.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(dir));
    d.grab().save(QString::fromLocal8Bit(dir) + u'/' + name + u'_' + QChar(language) + QStringLiteral(".png"));
  }
  d.hide();
}

}  // namespace qxtest

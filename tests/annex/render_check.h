// Lays a dialog out, checks that every caption fits its control and, with QX_RENDER_DIR set, saves
// its picture there as name_<language>.png.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>

namespace annextest {

inline void CheckRendered(QDialog& d, const QString& name, char language) {
  d.show();
  QApplication::processEvents();
  for (QLabel* l : d.findChildren<QLabel*>()) {
    if (l->text().isEmpty() || !l->isVisible()) continue;
    EXPECT_GE(l->width(), l->minimumSizeHint().width()) << name.toStdString() << ": " << l->text().toStdString();
    EXPECT_GE(l->height(), l->minimumSizeHint().height()) << name.toStdString() << ": " << l->text().toStdString();
  }
  for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
    // The list buttons beside holder and lookup edits have their own fixed width.
    if (b->text().isEmpty() || !b->isVisible() || b->text() == QLatin1String("...")) continue;
    EXPECT_GE(b->width(), b->sizeHint().width()) << name.toStdString() << ": " << b->text().toStdString();
  }
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  if (!dir.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(dir));
    d.grab().save(QString::fromLocal8Bit(dir) + u'/' + name + u'_' + QChar(language) + QStringLiteral(".png"));
  }
  d.hide();
}

}  // namespace annextest

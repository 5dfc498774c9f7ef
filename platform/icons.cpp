#ifdef QT_CORE_LIB
#include "platform/icons.h"

#include <QApplication>
#include <QFile>
#include <QStyle>

namespace platform {

namespace {
QString IconPath(int id) { return QStringLiteral(":/icons/%1.svg").arg(id); }
}  // namespace

QString ProgramImageFile(int bitmapId, int n) { return QStringLiteral(":/icons/b%1_%2.svg").arg(bitmapId).arg(n); }

bool HasProgramIcon(int id) { return QFile::exists(IconPath(id)); }

QIcon ProgramIcon(int id) { return HasProgramIcon(id) ? QIcon(IconPath(id)) : QIcon(); }

QIcon NamedBitmap(const char* name) {
  const QString path = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

QList<QIcon> ProgramImages(int bitmapId) {
  QList<QIcon> images;
  for (int n = 0; QFile::exists(ProgramImageFile(bitmapId, n)); ++n) images.push_back(QIcon(ProgramImageFile(bitmapId, n)));
  return images;
}

QIcon StandardIcon(int id) {
  QStyle* st = QApplication::style();
  switch (id) {
    case kIconHand: return st->standardIcon(QStyle::SP_MessageBoxCritical);
    case kIconQuestion: return st->standardIcon(QStyle::SP_MessageBoxQuestion);
    case kIconExclamation: return st->standardIcon(QStyle::SP_MessageBoxWarning);
    case kIconAsterisk: return st->standardIcon(QStyle::SP_MessageBoxInformation);
    default: return {};
  }
}

}  // namespace platform
#endif

#ifdef QT_CORE_LIB
#include "platform/icons.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace platform {

namespace {
QString IconPath(int id) { return QStringLiteral(":/icons/%1.svg").arg(id); }

// A picture of the program's, read when it is first drawn: most commands' icons are never shown
// in a run, and Qt's own engine for these files reads each one when the icon is made and again
// when it is drawn. Drawn pictures are kept in the pixmap cache, shared by every icon of a file.
class SvgFileEngine : public QIconEngine {
 public:
  explicit SvgFileEngine(const QString& file) { files_[Key(QIcon::Normal, QIcon::Off)] = file; }

  void addFile(const QString& file, const QSize&, QIcon::Mode mode, QIcon::State state) override {
    if (!file.isEmpty()) files_[Key(mode, state)] = file;
  }
  void addPixmap(const QPixmap&, QIcon::Mode, QIcon::State) override {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    // A mode with no picture of its own is drawn from the normal one, as the style shows it.
    QString file = files_.value(Key(mode, state));
    const bool own = !file.isEmpty();
    if (!own) file = files_.value(Key(QIcon::Normal, state));
    if (file.isEmpty()) file = files_.value(Key(QIcon::Normal, state == QIcon::On ? QIcon::Off : QIcon::On));
    if (file.isEmpty() || size.isEmpty()) return {};
    const QString cacheKey = QStringLiteral("qx-svg:%1:%2x%3:%4").arg(file).arg(size.width()).arg(size.height())
                                 .arg(own ? 0 : static_cast<int>(mode));
    QPixmap pm;
    if (QPixmapCache::find(cacheKey, &pm)) return pm;
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) return {};
    QSize actual = renderer.defaultSize();
    if (!actual.isNull()) actual.scale(size, Qt::KeepAspectRatio);
    if (actual.isEmpty()) return {};
    QImage image(actual, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    {
      QPainter p(&image);
      renderer.render(&p);
    }
    pm = QPixmap::fromImage(image);
    if (!own && mode != QIcon::Normal)
      if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QStyleOption opt(0);
        opt.palette = QGuiApplication::palette();
        const QPixmap generated = app->style()->generatedIconPixmap(mode, pm, &opt);
        if (!generated.isNull()) pm = generated;
      }
    QPixmapCache::insert(cacheKey, pm);
    return pm;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    QSize size = rect.size();
    if (painter->device()) size *= painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(size, mode, state));
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return pixmap(size, mode, state).size();
  }
  QIconEngine* clone() const override { return new SvgFileEngine(*this); }
  QString key() const override { return QStringLiteral("qx-svg"); }
  bool isNull() override { return files_.isEmpty(); }

 private:
  static int Key(QIcon::Mode mode, QIcon::State state) { return static_cast<int>(mode) * 2 + static_cast<int>(state); }
  QHash<int, QString> files_;
};

QIcon SvgIcon(const QString& file) { return QIcon(new SvgFileEngine(file)); }
}  // namespace

QString ProgramImageFile(int bitmapId, int n) { return QStringLiteral(":/icons/b%1_%2.svg").arg(bitmapId).arg(n); }

bool HasProgramIcon(int id) { return QFile::exists(IconPath(id)); }

QIcon ProgramIcon(int id) { return HasProgramIcon(id) ? SvgIcon(IconPath(id)) : QIcon(); }

QIcon ProgramImageIcon(const QString& file) { return SvgIcon(file); }

QIcon NamedBitmap(const char* name) {
  const QString path = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
  return QFile::exists(path) ? SvgIcon(path) : QIcon();
}

QList<QIcon> ProgramImages(int bitmapId) {
  QList<QIcon> images;
  for (int n = 0; QFile::exists(ProgramImageFile(bitmapId, n)); ++n) images.push_back(SvgIcon(ProgramImageFile(bitmapId, n)));
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

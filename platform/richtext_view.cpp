#include "platform/richtext_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

RichTextView::RichTextView(QWidget* parent) : QTextBrowser(parent) {
  setReadOnly(true);
  // Links of the introduction open in the desktop's browser, not inside the view.
  setOpenExternalLinks(true);
}

bool RichTextView::LoadFile(const QString& path) {
  fileName_ = path;
  clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QString text = QString::fromUtf8(file.readAll());
  const QString suffix = QFileInfo(path).suffix().toLower();
  setSearchPaths({QFileInfo(path).absolutePath()});
  if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
    setHtml(text);
#if QT_CONFIG(textmarkdownreader)
  } else if (suffix == QLatin1String("md")) {
    setMarkdown(text);
#endif
  } else {
    setPlainText(text);
  }
  return true;
}

QString IntroTextPath(const QString& baseDir, QChar languageLetter) {
  QString name = QStringLiteral("Intro__x.html");
  name[7] = languageLetter.toLower();
  if (baseDir.isEmpty()) return name;
  return QDir(baseDir).filePath(name);
}

}  // namespace platform

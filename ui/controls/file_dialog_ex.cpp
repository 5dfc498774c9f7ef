#include "ui/controls/file_dialog_ex.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>

CFileDialogEx::CFileDialogEx(bool openFileDialog, const QString& defaultExtension, const QString& fileName,
                             unsigned flags, const QString& filter, QWidget* parent)
    : QFileDialog(parent) {
  setAcceptMode(openFileDialog ? AcceptOpen : AcceptSave);
  if (openFileDialog && (flags & kAllowMultiSelect)) {
    setFileMode(ExistingFiles);
  } else if (openFileDialog && (flags & kFileMustExist)) {
    setFileMode(ExistingFile);
  } else {
    setFileMode(AnyFile);
  }
  setOption(DontConfirmOverwrite, true);
  if (!defaultExtension.isEmpty()) setDefaultSuffix(defaultExtension);
  const QStringList filters = NameFilters(filter);
  if (!filters.isEmpty()) setNameFilters(filters);
  if (!fileName.isEmpty()) {
    const QFileInfo info(fileName);
    if (info.path() != QLatin1String(".")) setDirectory(info.path());
    selectFile(info.fileName());
  }
}

int CFileDialogEx::DoModal() { return exec() == QDialog::Accepted ? kIdOk : kIdCancel; }

QString CFileDialogEx::GetPathName() const { return selectedFiles().value(0); }

QString CFileDialogEx::GetFileName() const { return QFileInfo(GetPathName()).fileName(); }

QStringList CFileDialogEx::NameFilters(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    if (description.isEmpty()) break;  // the "||" that ends the list
    QStringList patterns;
    for (QString p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      p = p.trimmed();
      // "*.*" means every file there, also names without a dot.
      patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    description.remove(trailingPatterns);
    out << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return out;
}

void CFileDialogEx::showEvent(QShowEvent* e) {
  QFileDialog::showEvent(e);
  if (e->spontaneous()) return;
  QRect area;
  if (QWidget* owner = parentWidget()) {
    area = owner->window()->frameGeometry();
  } else if (QScreen* s = screen()) {
    area = s->availableGeometry();
  }
  if (area.isValid()) move(area.center() - rect().center());
}

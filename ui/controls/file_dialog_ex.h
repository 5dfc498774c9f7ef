// The program's open/save file dialog: the platform's dialog with its places side bar, centred on
// its owner, that never asks to confirm the chosen name.
#pragma once

#include <QFileDialog>
#include <QStringList>

class CFileDialogEx : public QFileDialog {
  Q_OBJECT
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  // Flags of the open/save structure that the dialog honours.
  static constexpr unsigned kAllowMultiSelect = 0x00000200;
  static constexpr unsigned kFileMustExist = 0x00001000;

  // `filter` in the "description|patterns|description|patterns||" form, patterns split by ';'.
  CFileDialogEx(bool openFileDialog, const QString& defaultExtension = {}, const QString& fileName = {},
                unsigned flags = 0, const QString& filter = {}, QWidget* parent = nullptr);

  // The side bar of places is always there on this platform.
  virtual bool IsWin2000OrLater() const { return true; }

  // kIdOk when a name was chosen, kIdCancel otherwise.
  int DoModal();

  QString GetPathName() const;
  QString GetFileName() const;
  QStringList GetPathNames() const { return selectedFiles(); }

  // "Text (*.txt)|*.txt;*.TXT|All|*.*||" -> {"Text (*.txt *.TXT)", "All (*)"}.
  static QStringList NameFilters(const QString& filter);

 protected:
  void showEvent(QShowEvent* e) override;
};

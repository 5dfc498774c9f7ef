// The introduction shown at start-up and by the Introduction command: product title, version of
// the interface language, the maker, and the introduction text of that language.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class CRichText;

namespace app {

class CIntroDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 1854;
  enum ControlId : int { kTitle = 619, kVersion = 525, kMaker = 1100, kText = 453, kDontShow = 1916, kContinue = 1 };

  // `dirBase`: the DirBase folder (may be empty: the current folder); `letter`: the interface
  // language; `plainColours`: the accessibility flag.
  CIntroDlg(QWidget* parent, const QString& dirBase, char letter, bool plainColours);

  // "Intro__x.html" with its eighth character the language letter, in `dirBase`.
  static QString IntroFilePath(const QString& dirBase, char letter);
  const QString& IntroFile() const { return introFile_; }
  // The flag of check box 1916, read after the dialog ended.
  bool DontShowAgain() const;
  QWidget* GetDlgItem(int id) const;

 private:
  QLabel* title_;
  QLabel* version_;
  QLabel* maker_;
  CRichText* text_;
  QCheckBox* dontShow_;
  QPushButton* continue_;
  QString introFile_;
};

}  // namespace app

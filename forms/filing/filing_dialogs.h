// The filing dialogs: the save dialog that names the filing file (and, for a joint declaration
// filed by both spouses, the spouse's file), asks for a paper copy and for immediate filing; and
// dialog 283, which opens the tax authority's filing page with the file name or offers to delete
// the file.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "ui/template_dlg.h"

namespace forms {

// Control ids of the dialogs' own controls.
enum FilingDialogControl : int {
  kPrintCopyCheck = 2171,
  kImmediateCheck = 2172,
  kSpouseLabel = 2250,
  kSpouseEdit = 414,
  kFolderEdit = 1137,
  kFileNameEdit = 1152,
  kBrowseButton = 2173,
};

// String ids of the filing dialogs and of the filing command.
enum FilingText : int {
  kStrFilingFailed = 73,
  kStrModel100 = 2255,
  kStrExercise = 2256,
  kStrSpouseFileExists = 2267,
  kStrSameFileNames = 2268,
  kStrImmediateFailed = 2269,
  kStrImmediateCancelled = 2270,
  kStrFilingExplanation = 94300,
  kStrImmediateExplanation = 94301,
  kStrPrintCopy = 94302,
  kStrImmediate = 94303,
  kStrSpouseName = 94304,
  kStrPresentationCaption = 94305,
  kStrPresentationText = 94306,
  kStrContinue = 94307,
  kStrFilter100 = 94308,
  kStrFilter714 = 94309,
  kStrFilingDialogCaption = 94310,
  kStrFolder = 94311,
  kStrFileName = 94312,
  kStrBrowse = 94313,
  kStrHelpButtonText = 68,
};

inline constexpr int kFilingHelpTopic = 690;

// Plain message boxes of the filing dialogs, through the message service: the text and whether it
// asks Yes or No; answers 6 (Yes), 7 (No) or 1 (OK).
int ShowFilingMessage(QWidget* parent, const QString& text, bool yesNo);
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The folder and the name of the file are chosen in the dialog's own fields (or through the file
// dialog its browse button opens); Aceptar takes them, Cancelar and Esc end without a file.
class CDlgInternet : public QDialog {
  Q_OBJECT
 public:
  // `defaultExtension` "100" or "714"; `proposedName` the name offered; `baseFolder` the folder it
  // starts in (the program's base folder, or the remote folder in remote mode, where the file
  // goes there under the proposed name).
  CDlgInternet(const QString& defaultExtension, const QString& proposedName, const QString& baseFolder,
               bool remote = false, QWidget* parent = nullptr);

  void SetSpouseFileName(const QString& name);
  // IDOK when a name was accepted, else IDCANCEL.
  int DoModal();
  // In spouse mode: the spouse's file becomes the chosen one (TRUE); otherwise FALSE.
  bool TakeSpouseFile();
  // Called when the user accepts `path`; TRUE keeps the dialog open.
  bool OnFileNameOK(const QString& path);

  QString GetPathName() const { return chosenPath_; }
  QString SpouseFileName() const { return spouseFileName_; }
  bool SpouseMode() const { return spouseMode_ != 0; }
  int printCopy = 1;
  int immediateFiling = 0;

  QWidget* GetDlgItem(int id) const;
  // The path the folder and name fields name, the default extension added to a name without one.
  QString TypedPath() const;

  // Aceptar: an empty name keeps the dialog open; an existing file is replaced only when the user
  // says so.
  void OnOK();
  void OnCancel();
  // The browse button: a save dialog whose choice fills the folder and name fields.
  void OnBrowse();

 protected:
  void showEvent(QShowEvent* e) override;
  // F1: the help topic of filing.
  void keyPressEvent(QKeyEvent* e) override;
  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }

 private:
  void OnInitDialog();
  // A name without an extension gets ".100".
  static QString WithExtension(const QString& path);
  QString Text(int id) const;

  QString defaultExtension_;
  QString proposedName_;
  QString baseFolder_;
  QString chosenPath_;
  QString spouseFileName_;
  int spouseMode_ = 0;
  bool remote_ = false;
  bool initialised_ = false;
};

class CPresentacionTelematicaDeclaracionDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  // `documentKind` 3 for a form-714 declaration; `version` the product version.
  CPresentacionTelematicaDeclaracionDlg(int documentKind, const QString& version, QWidget* parent = nullptr);

  // The filing page of the file: the address the OK button opens.
  QString FilingAddress() const;
  void OnOK() override;
  void OnCancel() override;

  QString fileName;

 private:
  int documentKind_;
  QString version_;
};

}  // namespace forms

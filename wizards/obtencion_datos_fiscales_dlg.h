// "Obtención del fichero de datos fiscales": one member's way to a "datos fiscales" file. Step 1
// downloads the file from the tax authority's server (identified by certificate or by reference
// number) into the program's base folder; step 2 picks a file, checks that it belongs to the
// member and ends the dialog so that the import can start.
#pragma once

#include <QString>

#include <functional>

#include "ui/template_dlg.h"

class QNetworkAccessManager;
class QNetworkReply;

class CObtencionDatosFiscalesDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 146;
  // Control ids.
  static constexpr int kIdCertificate = 765, kIdReference = 770, kIdFile = 24601, kIdContinue = 1701;
  static constexpr int kIdReferenceEdit = 24671, kIdReferenceLabel = 24703, kIdSurnameEdit = 24702;
  static constexpr int kIdMemberLabel = 24604, kIdNif = 346;
  // Results of the modal run.
  static constexpr int kFileChosen = 1, kCancelled = 2, kOtherNif = 3;
  // Choices.
  static constexpr int kNoChoice = -1, kByCertificate = 1, kByReference = 2, kChooseFile = 3;
  // The profile key of the server (section, key) and its value when the profile has none.
  static constexpr const char* kServerSection = "DatosFiscales";
  static constexpr const char* kServerKey = "Servidor";
  static constexpr const char* kDefaultServer = "https://www.velm-tributos.example.org";

  explicit CObtencionDatosFiscalesDlg(QWidget* parent = nullptr);
  ~CObtencionDatosFiscalesDlg() override;

  // Set by the caller before the run; an empty NIF takes the declarant's, an empty label the
  // declarant's name of role in the interface language.
  QString nif;
  QString memberLabel;
  std::function<QString()> declarantNif;  // the declarant's NIF of the open declaration
  QString productVersion;                 // of the running program; put into the address

  QString GetFilePath() const { return filePath_; }
  int Choice() const { return choice_; }
  // Where the last download was saved (empty before one succeeded).
  QString DownloadedPath() const { return downloaded_; }
  // The address of a download (choice 1 or 2) from the fields as the edits stored them.
  QString DownloadAddress(int choice) const;
  static QString Server();

  virtual void OnCertificateChosen();
  virtual void OnReferenceChosen();
  virtual void OnFileChosen();
  void OnContinuar();

  int OnCommand(int id, int code) override;
  int OnEditChange(int id) override;
  int OnEditKillFocus(int id) override;

 signals:
  void downloadFinished(bool ok);

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;
  // The file-open dialog; an empty answer when cancelled.
  virtual QString AskForFile();

 private:
  void Choose(int choice, int radio, bool referenceShown, int captionId);
  void ShowReference(bool shown);
  void ShowDownloadOptions(bool shown);
  void SetContinueCaption(int stringId);
  void ReloadControls();
  void Download(int choice);
  void DownloadDone(QNetworkReply* reply);
  void ChooseFile();
  QString BaseFolder() const;

  char surname_[15] = {};
  char reference_[20] = {};
  QString filePath_;
  QString downloaded_;
  int choice_ = kNoChoice;
  QNetworkAccessManager* network_ = nullptr;
  QNetworkReply* reply_ = nullptr;
};

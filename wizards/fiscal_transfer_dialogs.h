// The three small dialogs that the transfer of a "datos fiscales" file opens while it walks the
// file's records: the notice of the file being treated, the split of a full name into surnames and
// name, and the completion of a mortgage loan record for the main-home deduction. None of them
// writes into the declaration: the opener sets their input members and reads their results.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

#include "ui/template_dlg.h"

namespace wizards {

// The notice of the file being treated: "Se va a tratar el fichero ... con fecha " and the date.
QString FiscalFileNotice(const QString& fileDate);

class CDatosFiscalesDlg33 : public QDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 33;
  static constexpr int kIdNotice = 1001;
  explicit CDatosFiscalesDlg33(QWidget* parent = nullptr);
  QString notice;  // exec() shows it

 protected:
  void showEvent(QShowEvent* e) override;
};

class CNombreApellidosDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 1861;
  static constexpr int kIdFirstSurname = 24616, kIdSecondSurname = 2202, kIdName = 2203;
  explicit CNombreApellidosDlg(QWidget* parent = nullptr);
  QString fullName;                           // in
  QString firstSurname, secondSurname, name;  // out, read after exec() whatever the result

  void OnOK() override;

 protected:
  void OnInitDialog() override;

 private:
  void FirstSurnameChosen();
  void SecondSurnameChosen();
  void SecondSurnameEdited();
  void ExtendOverParticles(int comboId);
  void RefillAfterFirst(bool keepSecondText);

  QStringList words_;
  int firstCount_ = 0;
  int secondCount_ = 0;
};

class CPrestamosHipotecariosDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 101;
  static constexpr int kIdAcquisition = 24672, kIdConstruction = 392, kIdExternalFinancing = 393;
  static constexpr int kIdDate = 24673, kIdAmount = 1568;
  static constexpr int kHelpTopic = 525;
  explicit CPrestamosHipotecariosDlg(QWidget* parent = nullptr);
  std::uint8_t acquisition = 0, construction = 0, externalFinancing = 0;
  std::string date = std::string(8, ' ');
  double amount = 0;  // read after exec()==QDialog::Accepted

  void OnOK() override;
  int OnEditValueChanged(int id) override;
  int OnEditKillFocus(int id) override;

 protected:
  void OnInitDialog() override;

 private:
  void Reload();
  void Enable(int id, bool on);
  bool DateIsBlank() const;

  char dateField_[8];  // the date edit's bound field; `date` follows it
};

}  // namespace wizards

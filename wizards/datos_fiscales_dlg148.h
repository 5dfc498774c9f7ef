// The start of the fiscal-data import for a new form-100 declaration: "Datos Fiscales" asks whether
// to import the tax authority's data or to fill in the return directly, and, when the household
// has a spouse or children who may file, "Selección de Declarantes" takes the members one after
// the other. Each member's file is downloaded or chosen and then imported by the wizard.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <string>

#include "wizards/fiscal_import.h"

class CSeleccionDeclarantesDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 145;
  static constexpr int kIdDeclarant = 1003, kIdSpouse = 1004, kIdChild1 = 1005, kIdChild2 = 1006;
  static constexpr int kIdFirstLabel = 24606;
  static constexpr int kIdExit = 2;
  // Results: 100 declarant .. 103 child 2; 2 "&Salir".
  static constexpr int kFirstResult = 100;

  explicit CSeleccionDeclarantesDlg(bool joint, QWidget* parent = nullptr);

  bool spousePresent = false, child1Present = false, child2Present = false;
  QString memberLabel;
  std::array<bool, 4> done{};

  // Enables the buttons of the members still to be taken; run before each modal run.
  void OnInitDialog();
  void OnMember(int id);

 protected:
  void reject() override { QDialog::done(kIdExit); }

 private:
  bool joint_;
};

class CDatosFiscalesDlg148 : public QDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 148;
  static constexpr int kIdImport = 1, kIdDirect = 2, kIdHelp = 57670;
  static constexpr int kHelpTopic = 13;

  CDatosFiscalesDlg148(const fiscal::ImportEnvironment& environment, QWidget* parent = nullptr);

  // Resets the shared counts of the run.
  void OnInitDialog();
  // "&Incorporar Datos Fiscales": the import, member by member.
  void OnOK();
  void OnHelp();

  // The NIFs of the descendants marked child 1 and child 2 (empty when none is).
  static std::pair<std::string, std::string> ChildNifs(std::span<const std::uint8_t> block);

 protected:
  void accept() override { OnOK(); }

 private:
  enum class Outcome { Finished, Refused, Cancelled, Other };
  // Runs the download dialog (and again while the wizard asks for another file) and the wizard
  // for one member.
  Outcome ImportMember(int member, const QString& nif, const QString& label, int householdRegion,
                       CSeleccionDeclarantesDlg* selection);
  void EndEntryDialog();

  fiscal::ImportEnvironment env_;
  fiscal::ImportSession ownSession_;
  bool ended_ = false;
};

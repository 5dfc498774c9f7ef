// The questions a fiscal-data transfer page asks when a row is marked and the file does not hold
// the answer: the pension-plan regime, the Murcia donation deduction and the acquisition and
// disposal expenses.
#pragma once

#include <QString>

#include "ui/template_dlg.h"

namespace fiscal {
struct ImportEnvironment;
}

class CTrasladoPlanesPensionesDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 28;
  static constexpr int kIdGeneral = 765, kIdDisabled = 770, kIdRelatives = 24601, kIdSpouse = 24602,
                       kIdSportsmen = 24603;

  // Reads `spouseRegimeUsed`, the declaration's mode and the spouse's NIF for option c).
  CTrasladoPlanesPensionesDlg(const fiscal::ImportEnvironment* environment, bool spouseRegimeUsed,
                              QWidget* parent = nullptr);

  int regime = -1;  // 0 .. 4 (a) .. d)), -1 for none
  int importedMember = 1;
  bool disableD = false, disableB2 = false, disableA = false, disableC = false;

  void OnOK() override;
  bool OptionEnabled(int id) const;

 protected:
  void OnInitDialog() override;

 private:
  const fiscal::ImportEnvironment* env_;
  bool spouseRegimeUsed_;
};

class CDonacionesMurciaDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 110;
  static constexpr int kIdState = 765, kIdRegional = 770;
  explicit CDonacionesMurciaDlg(QWidget* parent = nullptr);

  int choice = 2;  // 1 state deduction, 2 regional deduction

  void OnEstatal();
  void OnAutonomica();
  bool OnButton(int id) override;

 protected:
  void OnInitDialog() override;
};

class CGastosAdqEnajDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 149;
  static constexpr int kIdAmount = 2182;
  explicit CGastosAdqEnajDlg(QWidget* parent = nullptr);

  double amount = 0;
  // The amount as shown (thousands dots, decimal comma), empty when nothing was typed.
  QString AmountText() const;

 protected:
  void OnInitDialog() override;
};

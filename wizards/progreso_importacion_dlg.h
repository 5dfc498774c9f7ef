// "Importando Datos Fiscales": the modeless window that shows how far the reading of a fiscal-data
// file has got. Reading cannot be interrupted: Enter, Esc and its button do nothing.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

class CProgresoImportacionDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 137;
  static constexpr int kIdBar = 1003, kIdPercent = 1004, kIdText = 1000;

  // Disables the main window and shows itself with "0%" (or `initialText`).
  explicit CProgresoImportacionDlg(const QString& initialText = {});
  ~CProgresoImportacionDlg() override;

  // The bar and the percentage, the value clamped to 0 .. 100.
  void SetPos(int percent);
  // Lets the window repaint; false when the program is quitting.
  bool PumpMessages();
  // Enables the main window again and closes.
  void Close();

  int Position() const;
  QString PercentText() const;

  // Enter, Esc and the button: nothing.
  void accept() override {}
  void reject() override {}

 private:
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
  QWidget* disabledMain_ = nullptr;
};

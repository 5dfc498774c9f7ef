// The pocket calculator: four operations, percent, a memory kept in the profile between sessions
// and the conversion between pesetas and euros at 166.386 pesetas per euro.
#pragma once

#include <QDialog>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

class QAbstractButton;
class QLabel;

// A key button of the calculator: every key pressed while it has the focus goes to the key target
// (the parent window when none is set), Enter, Tab and arrows included.
class CCalculatorButton : public QPushButton {
  Q_OBJECT
 public:
  CCalculatorButton(const QString& text, QWidget* parent);
  void SetKeyTarget(QWidget* target) { target_ = target; }

 protected:
  bool event(QEvent* e) override;

 private:
  QWidget* target_ = nullptr;
};

// The display: typing into it presses the calculator's keys; it never takes text itself.
class CCalculatorDisplayEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CCalculatorDisplayEdit(QWidget* parent);

 signals:
  void keyButton(int id);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
};

class CCalculadoraDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;

  // Control ids of the face.
  enum : int {
    IDC_DISPLAY = 333,
    IDC_0 = 1025, IDC_1 = 869, IDC_2 = 900, IDC_3 = 938, IDC_4 = 690,
    IDC_5 = 722, IDC_6 = 732, IDC_7 = 348, IDC_8 = 367, IDC_9 = 382,
    IDC_COMMA = 1040,
    IDC_PLUS = 1002, IDC_MINUS = 827, IDC_TIMES = 962, IDC_DIVIDE = 736, IDC_EQUALS = 1065,
    IDC_PERCENT = 1105, IDC_C = 435, IDC_CE = 604,
    IDC_MPLUS = 1141, IDC_MMINUS = 1145, IDC_MR = 1152, IDC_MC = 1159,
    IDC_PESETAS = 549, IDC_EUROS = 562,
    IDC_PTAS_LABEL = 338, IDC_EURO_PICTURE = 585,
    IDC_EXIT = 2, IDC_COPY_RESULT = 24648,
  };

  static constexpr double kPesetasPerEuro = 166.386;
  static constexpr double kEurosPerPeseta = 0.006010121043837823;
  static constexpr const char* kProfileSection = "CALCULADORA";
  static constexpr const char* kProfileKey = "Memoria";

  explicit CCalculadoraDlg(QWidget* parent = nullptr);
  ~CCalculadoraDlg() override;

  // Set by the opener before the run: 1 from the menu, the edit's numeric mark from an edit,
  // 0 otherwise. While set, "&Copiar resultado" is offered once the display shows euros.
  void SetResultUsable(int usable) { resultUsable_ = usable; }
  int ResultUsable() const { return resultUsable_; }

  // kIdOk from "&Copiar resultado" (the result is the display text), kIdCancel otherwise.
  int DoModal();
  QString GetDisplayText() const;

  QAbstractButton* Button(int id) const { return buttons_.value(id); }
  QLineEdit* Display() const { return display_; }
  double Memory() const { return memory_; }
  bool ShowsEuros() const { return showsEuros_; }

  // Value cut after n decimals and rounded half away from zero on the first dropped digit of its
  // 18-digit print.
  static double RoundDecimals(double value, int n);

  void done(int r) override;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  enum class Input { Ninguna, Digito, Operador, Ce };

  void BuildFace();
  void OnInitDialog();
  void PlaceOverMainWindow();
  void SaveMemory();

  // Presses a key button as a click would.
  void PressButton(int id);
  void OnButton(int id);
  void OnDigit(const QString& digit);
  void OnComma();
  void OnOperator(const QString& op);
  void OnPercent();
  void OnClear();
  void OnClearEntry();
  void OnMemory(int id);
  void OnEuros();
  void OnPesetas();
  void AfterKey();

  double DisplayedValue() const;
  void Show(const QString& text);

  QHash<int, QAbstractButton*> buttons_;
  CCalculatorDisplayEdit* display_ = nullptr;
  QLabel* ptasLabel_ = nullptr;
  QWidget* euroPicture_ = nullptr;

  QString text_ = QStringLiteral("0,");
  Input last_ = Input::Ninguna;
  bool comma_ = false;
  int count_ = 0;
  double acc_ = 0;
  double lastOperand_ = 0;
  QString pending_;
  double memory_ = 0;
  int resultUsable_ = 0;
  bool showsEuros_ = false;
  bool initialised_ = false;
};

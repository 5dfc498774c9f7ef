// Amount editors: a well-formed decimal number with a decimal comma within the digits the field
// allows, edited without thousands separators, stored as a double (one per member when the field
// has two or more occurrences).
#pragma once

#include <QDialog>

#include "ui/edit_ex.h"

class QLabel;

class CDoubleEdit : public CEditEx {
  Q_OBJECT
 public:
  explicit CDoubleEdit(CBoxField* box, QWidget* parent = nullptr);
  explicit CDoubleEdit(QWidget* parent = nullptr);
  CDoubleEdit(int integerDigits, int decimals, QWidget* parent = nullptr);
  CDoubleEdit(int integerDigits, int decimals, int shownDecimals, QWidget* parent = nullptr);

  int BindData(void* field) override;
  unsigned GetEditStyle() const override { return CEditEx::GetEditStyle() | kStyleRight; }
  int IsNumeric() const override { return 1; }
  void Paste() override;
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int CheckText(const QString&) override { return kTextValid; }
  int StoreToData() override;
  void LoadFromData(int mode) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

  // "," becomes "." and "." is dropped; an empty text is 0.
  static double ParseAmountText(const QString& text);
  // An optional sign ("+", or "-" when negatives are allowed), digits, at most one ",".
  bool IsNumericText(const QString& text) const;
  // Characters of the edit: digits + decimals + 2 with decimals, digits + 1 without.
  static int AmountEditWidth(int integerDigits, int decimals);
  // A dialog whose variant chooses a field's format gives its own edit the digits and decimals.
  void SetFormat(int integerDigits, int decimals);

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override;
  void ComputeEditWidth();
  // The double of the shown member: its index, or -1 when the member lies beyond the occurrences.
  int MemberIndex() const;
  void UndoInvalidText();
};

// The editor of currency fields: an amount editor built from an "R" format.
class CMoneda : public CDoubleEdit {
  Q_OBJECT
 public:
  explicit CMoneda(CBoxField* box, QWidget* parent = nullptr);
  CMoneda(int integerDigits, int decimals, QWidget* parent = nullptr);
};

// A small child window with one line of descriptive text beside an editor.
class CDescriptionPopupDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 1826;
  static constexpr int kTextControl = 453;
  explicit CDescriptionPopupDlg(QWidget* parent = nullptr);
  bool Create(QWidget* parent);
  void SetText(const QString& text);
  QString Text() const;

 private:
  QLabel* label_ = nullptr;
};

// Date editor: a fixed day/month/year mask ("dd/mm/yyyy", or "dd/mm/yy" for width 6) bound to
// the stored digits (ddmmyyyy). Every typed or deleted digit is written to the field at once.
#pragma once

#include "ui/edit_ex.h"

class CDateEdit : public CEditEx {
  Q_OBJECT
 public:
  enum Section : int { kDay = 0, kMonth = 1, kYear = 2 };

  explicit CDateEdit(CBoxField* box, QWidget* parent = nullptr);
  explicit CDateEdit(int width, QWidget* parent = nullptr);

  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  int CheckText(const QString& text) override;
  int StoreToData() override;
  void LoadFromData(int mode) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;
  void Paste() override {}

  // Completes one section of the shown text ("5 " -> "05"; a two-digit year -> 19yy/200y) and
  // writes the date to the field.
  void CompleteDateSection(Section s);
  bool CheckDateSection(Section s) const;
  // Moves the caret to the next or previous section; answers kTextValid when the edit may be left.
  int MoveInDate(bool forward);
  // Completes a stored date of eight digits in place (the "/" inserted, the sections completed).
  static QString CompleteStoredDate(const QString& eightChars);

 protected:
  void focusInEvent(QFocusEvent* e) override;

 private:
  int DateLength() const { return Width() == 6 ? 8 : 10; }
  int Width() const { return box_ && box_->width == 6 ? 6 : 8; }
  QString Mask() const;
  QString Normalised() const;
  int Caret() const;
  void Apply(const QString& t, int caret);
  void WriteDateToData(const QString& t);
  int TypeDigit(char32_t ch);
  int DeleteChar(bool backward);
  Section SectionAt(int caret) const { return caret <= 2 ? kDay : caret <= 5 ? kMonth : kYear; }
  static QString CompleteSections(QString t, int width);
  void ShowSectionError(Section s);
};

class CIntegerEdit : public CEditEx {
  Q_OBJECT
 public:
  explicit CIntegerEdit(CBoxField* box, QWidget* parent = nullptr);
  explicit CIntegerEdit(int width, QWidget* parent = nullptr);
  unsigned GetEditStyle() const override { return CEditEx::GetEditStyle() | kStyleRight; }
  int IsNumeric() const override { return 1; }
  int BindData(void* field) override;
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int CheckText(const QString&) override { return kTextValid; }
  int StoreToData() override;
  void LoadFromData(int mode) override;

 protected:
  CIntegerEdit(int width, const char* letter, QWidget* parent);
  virtual void FormatBox() { box_->FormatLong(); }
  virtual const char* EditFormat() const { return "%ld"; }
};

class CCountEdit : public CIntegerEdit {
  Q_OBJECT
 public:
  explicit CCountEdit(CBoxField* box, QWidget* parent = nullptr);
  explicit CCountEdit(int width, QWidget* parent = nullptr);
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;

 protected:
  void FormatBox() override { box_->FormatInteger(); }
  const char* EditFormat() const override { return "%d"; }
};

// The activity code boxes of pages 4 and 5. A business activity's epigraph can be typed ("642.4",
// three digits, a point and a digit) and is looked up in "Seleccionar Actividad" when the box is
// left; an agricultural key is only chosen in the dialog. F7, Alt+Down, the "..." button and a
// double click open the dialog; Delete and the space bar clear the code after a question.
#pragma once

#include "ui/sel_str_edit.h"

namespace modules {

class CSelActivityEdit : public CSelStrEdit {
  Q_OBJECT
 public:
  CSelActivityEdit(CBoxField* box, db::CAdoConnection* connection, bool business, QWidget* parent = nullptr);

  int OpenSelection(int unused) override;
  int ClearSelection() override;
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int CheckText(const QString& text) override;

  bool Typed() const { return typed_; }

 protected:
  void focusOutEvent(QFocusEvent* e) override;

 private:
  unsigned char* Row() const;
  // The row's epigraph holds a code other than zero.
  bool HasEpigraph() const;
  // Stores the text and, after typing, looks the typed epigraph up; drops it when none was chosen.
  void Leave();
  // Opens the dialog on Alt+Down and tells the page what became of the code.
  void OpenFromKeyboard();

  bool business_;
  bool typed_ = false;
  bool leaving_ = false;
};

// Makes the edits of the activity code boxes (null for any other box).
CEditEx* MakeActivityEdit(CBoxField& box, db::CAdoConnection* connection);

}  // namespace modules

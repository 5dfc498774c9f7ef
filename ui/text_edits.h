// Text editors for names and numeric codes, and the yes/no editor of the dialogs.
#pragma once

#include "ui/edit_ex.h"

// Names: letters, blank, "'", ",", "-", ".", Ç, Ñ, ç, ñ (no digits).
class CAlfaEdit : public CEditEx {
  Q_OBJECT
 public:
  explicit CAlfaEdit(CBoxField* box, QWidget* parent = nullptr) : CEditEx(box, parent) {}
  explicit CAlfaEdit(int width, QWidget* parent = nullptr) : CEditEx(width, parent) {}
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;
  void Paste() override;
  static bool NameChar(char32_t ch);

 protected:
  virtual bool OwnFilter(char32_t ch) const { return NameChar(ch); }
  // After a clipboard key: the text from its second character must pass the filter.
  void TestWholeText();
};

// Numeric codes: "0"-"9", ":" and ";".
class CANumEdit : public CAlfaEdit {
  Q_OBJECT
 public:
  explicit CANumEdit(CBoxField* box, QWidget* parent = nullptr) : CAlfaEdit(box, parent) {}
  explicit CANumEdit(int width, QWidget* parent = nullptr) : CAlfaEdit(width, parent) {}
  static bool NumericChar(char32_t ch);

 protected:
  bool OwnFilter(char32_t ch) const override { return NumericChar(ch); }
};

// One byte: 1 "SI", 0 "NO", 255 not answered (blank). Typing s, n or blank stores at once and
// tells the host with 0x403.
class CYesNoEdit : public CEditEx {
  Q_OBJECT
 public:
  static constexpr unsigned char kYes = 1, kNo = 0, kUnanswered = 255;
  explicit CYesNoEdit(QWidget* parent = nullptr);
  int BindData(void* field) override;
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  int CheckText(const QString&) override { return kTextValid; }
  int StoreToData() override;
  void LoadFromData(int mode) override;

 private:
  void Set(const QString& shown, unsigned char value);
};

// The check-mark editor: a one-character edit that shows "X" when the bound byte is set. Space
// toggles, "s"/"x" mark, "n" clears, Delete clears; each accepted key stores at once and tells the
// owner (0x403, or 0x401 for Delete). With it the registry of the open pages' check-mark boxes.
#pragma once

#include "ui/edit_ex.h"

class QWidget;

class CBoxEdit : public CEditEx {
  Q_OBJECT
 public:
  // Over a page box: the check-mark key becomes the spec's width, the box's width 1.
  explicit CBoxEdit(CBoxField* box, QWidget* parent = nullptr);
  // Stand-alone, with an owned "B1" descriptor of `width`.
  explicit CBoxEdit(int width, QWidget* parent = nullptr);

  int CheckMarkKey() const { return checkKey_; }

  int BindData(void* data) override;
  void ApplyTextLimit() override { setMaxLength(1); }
  void Paste() override {}
  int CheckText(const QString& text) override { return CEditEx::CheckText(text); }
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  int StoreToData() override;
  void LoadFromData(int mode) override;
  // Ctrl+C/Insert copy; Ctrl+V/X/Z and Shift+Delete/Insert beep.
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int checkKey_ = 0;
};

namespace forms {
void RegisterBoxEdit(int key, int boxNumber, const QWidget* owner);
void UnregisterBoxEdit(int key, int boxNumber, const QWidget* owner);
bool IsBoxEditRegistered(int key, const QWidget* owner);
}  // namespace forms

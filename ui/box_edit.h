// The check-mark edit: one byte shown as "X" (1) or blank (0); a per-member field uses the shown
// member's byte. Space toggles, "s" or "x" sets, "n" clears, Delete clears; each change is stored
// at once and told to the host.
#pragma once

#include "ui/edit_ex.h"

class CBoxEdit : public CEditEx {
  Q_OBJECT
 public:
  explicit CBoxEdit(int width = 1, QWidget* parent = nullptr);
  // Over a page box: the number of its spec ("B3": 3) becomes its check-mark key, its width 1.
  explicit CBoxEdit(CBoxField* box, QWidget* parent = nullptr);

  int CheckMarkKey() const { return checkKey_; }
  void ApplyTextLimit() override { setMaxLength(1); }
  // Ctrl+C or Ctrl+Insert copy; Ctrl+V, X and Z, Shift+Delete and Shift+Insert only beep.
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

  int BindData(void* field) override;
  void Paste() override {}
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  int CheckText(const QString&) override { return kTextValid; }
  int StoreToData() override;
  void LoadFromData(int mode) override;

  bool Marked() const;
  // Sets the mark, stores it and tells the host (0x403).
  void SetMark(bool on);

 protected:
  // The byte of the shown member, or null when nothing is bound (or the member lies beyond it).
  unsigned char* Byte() const;
  // A click toggles the mark, as a typed space does; refused in a member view where the box is
  // not editable.
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int checkKey_ = 0;
};

namespace ui {
// The check-mark boxes of the open pages: {key, box number, owner}.
void RegisterBoxEdit(int key, int boxNumber, const QWidget* owner);
void UnregisterBoxEdit(int key, int boxNumber, const QWidget* owner);
// FALSE for key 0.
bool IsBoxEditRegistered(int key, const QWidget* owner);
}  // namespace ui

// The check-mark edit: one byte shown as "X" (1) or blank (0); a per-member field uses the shown
// member's byte. Space toggles, "s" or "x" sets, "n" clears, Delete clears; each change is stored
// at once and told to the host.
#pragma once

#include "ui/edit_ex.h"

class CBoxEdit : public CEditEx {
  Q_OBJECT
 public:
  explicit CBoxEdit(int width = 1, QWidget* parent = nullptr);
  explicit CBoxEdit(CBoxField* box, QWidget* parent = nullptr);

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
};

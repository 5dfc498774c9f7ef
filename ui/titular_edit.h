// The holder selector: a lookup edit whose list is the fixed list of holder words. One letter
// stores the holder code at once (O common, D declarant, C spouse, 1 child 1, 2 child 2, blank or
// Delete clears); which letters a field accepts is its holder mode, and only members present in
// the household are offered. In a member view only "D" is taken and means the member shown.
#pragma once

#include "ui/lista_edit.h"

namespace ui {
// Holder codes of the whole program.
enum HolderCode : unsigned char { kHolderNone = 0, kHolderCommon = 1, kHolderDeclarant = 2, kHolderSpouse = 3,
                                  kHolderChild1 = 4, kHolderChild2 = 5 };
// The letter of a code ('O', 'D', 'C', '1', '2'), 0 for none.
char HolderLetter(int code);
// The code of a letter (upper case), -1 for a character that is none.
int HolderCodeOfLetter(char32_t letter);
// Whether holder mode `mode` (0-7) accepts the letter.
bool HolderModeAccepts(int mode, char32_t letter);
// The word of a code in the interface language ("COMÚN" ...), empty for 0.
QString HolderWord(int code);
// Available in the household: blank always; otherwise the mode accepts it, "O" needs a spouse,
// and the member of index code-1 is present.
bool HolderAvailable(int mode, int code);
}  // namespace ui

class CTitularEdit : public CListaEdit {
  Q_OBJECT
 public:
  explicit CTitularEdit(CBoxField* box, QWidget* parent = nullptr);
  explicit CTitularEdit(int holderMode, QWidget* parent = nullptr);

  int HolderMode() const { return mode_; }
  void SetHolderMode(int mode) { mode_ = mode; }

  int BindData(void* field) override;
  unsigned GetEditStyle() const override { return CListaEdit::GetEditStyle(); }
  void SetOption(void*) override {}
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  void LoadFromData(int mode) override;
  int StoreToData() override { return box_ && box_->data ? 1 : 0; }
  int SearchWithFilter(char32_t ch) override;
  int ApplySelection() override;
  int LoadTable() override;

 private:
  unsigned char Code() const;
  void SetCode(unsigned char code);
  // The parent's answer to 0x401 (nonzero allows the clearing).
  int AskClear();
  void ShowWord(int code);
  // The word shown for a code: "DECLARANTE" in a member view.
  QString HolderWordShown(int code) const;
  int mode_ = 0;
};

// What the value dialogs of one transferred element of the capital-gains tables share: the item's
// record copied in, its place among the fifteen items of its table handed along beside it, the
// item's kind and acquisition year, and for the items of the long-term table the recalculation of
// the item's updated amounts by the calculation library.
#pragma once

#include <cstdint>
#include <string_view>

#include "blocks/form100_g3.h"
#include "blocks/form100_g4.h"
#include "ui/annex_dlg.h"

namespace annex::capital {
inline constexpr std::size_t kG4ItemSize = f100::sec_g4::kItemSize;  // 760
inline constexpr std::size_t kG3ItemSize = f100::sec_g3::kRowSize;   // 200
static_assert(kG4ItemSize == 760 && kG3ItemSize == 200);

// The year of the acquisition date of a long-term item (0 when its four characters are not digits).
int AcquisitionYear(const std::uint8_t* g4Item);
// Clears an 8-character date, or sets it, as the dialogs store them.
void ClearDate(std::uint8_t* item, blocks::Text date);
// True when the focus left an edit for the Cancel button (or for no window): no check then.
bool FocusGoneToCancel();
}  // namespace annex::capital

// A dialog on one item: the item's record and its index among the fifteen items of its table.
class CItemValueDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  CItemValueDlg(const ui::DialogTemplate& tmpl, std::size_t itemBytes, const ui::AnnexArgs& args)
      : CAnnexDlg(tmpl, itemBytes, args) {}
  void SetListItems(const ui::AnnexPointerList& list) override { itemIndex_ = list.value; }
  int ItemIndex() const { return itemIndex_; }

 protected:
  char Kind() const;
  // Enables a control (and a launcher's button); nothing is enabled in the read-only member view.
  void Enable(int id, bool on);
  // A coded message with its icon; the button pressed.
  int Say(const char* code, int icon);

  int itemIndex_ = 0;
};

// A dialog on an item of the long-term table, whose updated amounts follow each change.
class CG4ItemDlg : public CItemValueDlg {
  Q_OBJECT
 public:
  CG4ItemDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args)
      : CItemValueDlg(tmpl, annex::capital::kG4ItemSize, args) {}
  // The item alone in a zeroed copy of its section, at its index, through pass 3 of the section's
  // calculation; only the item comes back. An index outside the table puts the item at the first
  // place, so that it never lands on the section's sums or past the copy.
  void RecalculateItem();
  int AcquisitionYear() { return annex::capital::AcquisitionYear(Data()); }
};

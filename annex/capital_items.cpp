#include "annex/capital_items.h"

#include <QApplication>

#include <cstring>
#include <vector>

#include "blocks/form100.h"
#include "platform/icons.h"
#include "tallyvex.h"
#include "ui/launcher_edit.h"
#include "ui/messages.h"

namespace annex::capital {

int AcquisitionYear(const std::uint8_t* item) {
  const std::string_view date = f100::sec_g4::item::AcquisitionDate.raw(item);
  int year = 0;
  for (char c : date.substr(4, 4)) {
    if (c < '0' || c > '9') return 0;
    year = year * 10 + (c - '0');
  }
  return year;
}

void ClearDate(std::uint8_t* item, blocks::Text date) { std::memset(item + date.off, 0, date.width); }

bool FocusGoneToCancel() {
  QWidget* f = QApplication::focusWidget();
  return !f || ui::ControlId(f) == ui::IDCANCEL;
}

}  // namespace annex::capital

char CItemValueDlg::Kind() const {
  return static_cast<char>(f100::sec_g4::item::AssetType.get(const_cast<CItemValueDlg*>(this)->Data()));
}

void CItemValueDlg::Enable(int id, bool on) {
  const bool enable = on && !ReadOnlyView();
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
  if (auto* l = Item<CDialogLauncherEdit>(id); l && l->Button()) l->Button()->setEnabled(enable);
}

int CItemValueDlg::Say(const char* code, int icon) { return ui::ShowMessage(this, QString::fromLatin1(code), icon); }

void CG4ItemDlg::RecalculateItem() {
  namespace g4 = f100::sec_g4;
  std::vector<std::uint8_t> section(f100::SectionG4.size, 0);
  const int index = itemIndex_ >= 0 && itemIndex_ < g4::kItemCount ? itemIndex_ : 0;
  const std::size_t at = g4::itemOffset(index);
  std::memcpy(section.data() + at, Data(), g4::kItemSize);
  Calculos100G4(section.data(), 3);
  std::memcpy(Data(), section.data() + at, g4::kItemSize);
}

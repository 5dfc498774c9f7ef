#include "forms/pages/ord010.h"

#include <QKeyEvent>

#include "blocks/form100.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

constexpr int kContinuationTitle = 97002;
constexpr int kSheetBox = 3, kTitleBox = 67, kSpouseSchemes = 19;

constexpr RowBoxBinding kPensionBoxes[] = {
    {4, 0, 0},  {5, 0, 1},  {6, 0, 2},  {7, 0, 3},  {8, 0, 4},  {9, 0, 5},  {10, 0, 6},
    {11, 1, 0}, {12, 1, 1}, {13, 1, 2}, {14, 1, 3}, {15, 1, 4}, {16, 1, 5}, {17, 1, 6}};
constexpr RowBoxBinding kDisabledBoxes[] = {{20, 0, 0}, {21, 0, 1}, {22, 0, 2}, {23, 0, 3},
                                            {24, 1, 0}, {25, 1, 1}, {26, 1, 2}, {27, 1, 3}};
constexpr RowBoxBinding kCompensatoryBoxes[] = {{29, 0, 0}, {30, 0, 1}, {31, 0, 2}, {32, 1, 0}, {33, 1, 1},
                                                {34, 1, 2}, {35, 2, 0}, {36, 2, 1}, {37, 2, 2}};
constexpr RowBoxBinding kCarriedBoxes[] = {{58, 0, 0}, {59, 0, 1}, {60, 0, 2}, {61, 1, 0}, {62, 1, 1}, {63, 1, 2}};

const RowArea* Areas() {
  static const RowArea areas[] = {{FindRowTableModel("ORD010A"), kPensionBoxes},
                                  {FindRowTableModel("ORD010B"), kDisabledBoxes},
                                  {FindRowTableModel("ORD010C"), kCompensatoryBoxes},
                                  {FindRowTableModel("ORD010D"), kCarriedBoxes}};
  return areas;
}
std::span<const RowArea> AreaList() { return {Areas(), 4}; }

// Cells of the contribution annexes: own and promoter's (pension rows), the disabled person's.
constexpr int kOwnAnnexCell = 10, kPromoterAnnexCell = 11, kDisabledAnnexCell = 7;

}  // namespace

CBoxesORD010::CBoxesORD010(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(ORD010::kCode, block, memberIndex, AreaList()) {}

std::uint8_t CBoxesORD010::StoredHolder(int table, int record) const {
  const std::span<std::uint8_t> block = Block();
  std::size_t at = 0;
  switch (table) {
    case kPensions: at = f100::SectionJ.offset + f100::sec_j::pensionRow(record); break;
    case kDisabled: at = f100::SectionJ.offset + f100::sec_j::disabledRow(record); break;
    default: return 0;
  }
  return at < block.size() ? block[at] : 0;
}

void CBoxesORD010::BindPageData(int rebind) {
  continuationSheets = 0;
  CBindingTableList::BindPageData(rebind);
  // The spouse's schemes apply only to the two individual declarations of a marriage.
  const std::span<std::uint8_t> block = Block();
  const std::uint8_t kind = block.empty() ? 0 : block[f100::Personal.offset];
  if (CBoxField* box = Position(kSpouseSchemes); box && kind != 1 && kind != 2) {
    box->data = nullptr;
    box->option = nullptr;
    box->SoloLectur = 1;
  } else if (box) {
    box->SoloLectur = 0;
  }
  LinkAndEnable();
  CountContinuationSheets();
}

void CBoxesORD010::ReleasePageData() {
  for (int p : {5, 6, 7, 8, 12, 13, 14, 15, 22, 23, 26, 27})
    if (CBoxField* box = Position(p)) box->option = nullptr;
  links_ = {};
  ClearSheetTitle(kTitleBox);
  CBindingTableList::ReleasePageData();
}

void CBoxesORD010::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  LinkAndEnable();
  CountContinuationSheets();
}

void CBoxesORD010::LinkAndEnable() {
  auto set = [&](int position, bool readOnly) {
    if (CBoxField* box = Position(position); box && box->data) box->SoloLectur = readOnly ? 1 : 0;
  };
  auto holderOf = [](CScrollRowTable* t, int row) -> std::uint8_t {
    const std::uint8_t* cell = t ? t->GetCell(row, 0) : nullptr;
    return cell ? *cell : 0;
  };
  auto link = [&](int position, ui::AnnexPointerList& l, CScrollRowTable* t, int row, int cell, std::size_t size) {
    CBoxField* box = Position(position);
    if (!box) return;
    l = {};
    l.block = t ? t->GetCell(row, cell) : nullptr;
    l.item1 = t ? t->GetCell(row, 0) : nullptr;
    l.size = static_cast<std::int32_t>(size);
    box->option = l.block ? &l : nullptr;
  };
  if (CScrollRowTable* t = Table(kPensions)) {
    for (int r = 0; r < 2; ++r) {
      const int b = 4 + 7 * r;
      link(b + 1, links_[2 * r], t, r, kOwnAnnexCell, 16);
      link(b + 3, links_[2 * r], t, r, kOwnAnnexCell, 16);
      link(b + 2, links_[2 * r + 1], t, r, kPromoterAnnexCell, 16);
      link(b + 4, links_[2 * r + 1], t, r, kPromoterAnnexCell, 16);
      if (r == 1) set(b, holderOf(t, 0) == 0);
      const bool empty = holderOf(t, r) == 0;
      for (int j = 1; j <= 4; ++j) set(b + j, empty);
      set(b + 5, true);
      set(b + 6, true);
    }
  }
  if (CScrollRowTable* t = Table(kDisabled)) {
    for (int r = 0; r < 2; ++r) {
      const int b = 20 + 4 * r;
      link(b + 2, links_[4 + r], t, r, kDisabledAnnexCell, 48);
      link(b + 3, links_[4 + r], t, r, kDisabledAnnexCell, 48);
      if (r == 1) set(b, holderOf(t, 0) == 0);
      set(b + 1, true);
      const bool empty = holderOf(t, r) == 0;
      set(b + 2, empty);
      set(b + 3, empty);
    }
  }
  if (CScrollRowTable* t = Table(kCompensatory)) {
    for (int r = 0; r < 3; ++r) {
      const int b = 29 + 3 * r;
      if (r > 0) set(b, holderOf(t, r - 1) == 0);
      const bool empty = holderOf(t, r) == 0;
      set(b + 1, empty);
      set(b + 2, empty);
    }
  }
}

void CBoxesORD010::CountContinuationSheets() {
  const int m = doc::ShownMember();
  if (m == 1) {
    if (StoredHolder(kDisabled, 2) != 0) continuationSheets = 1;
    return;
  }
  int own = 0;
  for (int n = 0; n < f100::sec_j::kDisabledRowCount; ++n)
    if (StoredHolder(kDisabled, n) == m) ++own;
  if (own > 2) continuationSheets = 1;
}

int CBoxesORD010::Event(int table, int row, int event) { return CBindingTableList::OnRowTableEvent(table, row, event, 0); }

int CBoxesORD010::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Table(table);
  if (!t || table < kPensions || table > kCarried) return 0;
  int result = 0;
  const std::uint8_t* holder = t->GetCell(row, 0);
  // Commit, delete when the holder was cleared, reload: the model events of each table.
  struct Codes {
    int commit, remove, reload;
  };
  static constexpr Codes kCodes[] = {{7, 8, 12}, {4, 5, 8}, {3, 4, 6}, {3, 4, 6}};
  const Codes& c = kCodes[table - kPensions];
  if (event == -2) return CBindingTableList::OnRowTableEvent(table, row, event, extra);
  if (event == -1) {
    result = Event(table, row, -1);
  } else if (event == c.commit) {
    Event(table, row, c.commit);
    Event(table, row, c.reload);
  } else if (event == c.remove) {
    if (holder && *holder == 0) Event(table, row, c.remove);
  } else if (event == c.reload) {
    Event(table, row, c.reload);
  }
  LinkAndEnable();
  CountContinuationSheets();
  return result;
}

bool CBoxesORD010::SelectSheet(int sheet, int /*printing*/) {
  sheetDigit_[0] = ' ';
  if (sheet <= 1) {
    BindPageData(1);
    ApplyHolderMode();
    if (continuationSheets == 1) {
      sheetDigit_[0] = '1';
      if (CBoxField* box = Position(kSheetBox)) box->data = sheetDigit_.data();
    }
    return true;
  }
  if (continuationSheets < sheet - 1) {
    ClearSheetTitle(kTitleBox);
    return false;
  }
  if (SheetTitleShown()) return true;
  if (CBoxField* box = Position(kSheetBox)) {
    box->data = nullptr;
    box->displayText.clear();
  }
  if (CScrollRowTable* t = Table(kDisabled)) t->PageDown();
  BindRows();
  LinkAndEnable();
  auto unbind = [&](int from, int to) {
    for (int p = from; p <= to; ++p)
      if (CBoxField* box = Position(p)) box->data = nullptr;
  };
  unbind(4, 19);
  unbind(28, 63);
  ShowSheetTitle(kTitleBox, kContinuationTitle);
  return true;
}

ORD010::ORD010(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD010>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>()),
               parent),
      buttons_(*this, {{CBoxesORD010::kDisabled, 0, 932, 324, 20, 27}}, [this](int, int) {
        // A scroll that leaves the editor on a read-only box moves it up to the previous editable one.
        MoveToAdjacentBox(0);
      }) {}

bool ORD010::InitPageControls() {
  const bool result = CRentaVista::InitPageControls();
  buttons_.Create();
  return result;
}

bool ORD010::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  if (key == Qt::Key_F3 || key == Qt::Key_F4) {
    if (Editor()) buttons_.HandleKey(key);
    return true;
  }
  return CRentaVista::HandleNavigationKey(key, mods);
}

void ORD010::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  buttons_.Update();
}

void ORD010::Calculate() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
}

void ORD010::Reload(int table, int rows, int event) {
  if (CBoxesORD010* list = List())
    for (int r = 0; r < rows; ++r) list->OnRowTableEvent(table, r, event, 0);
}

int ORD010::OnBoxSubDialogValue(int position) {
  CBoxesORD010* list = List();
  if (!list) return 0;
  if (position >= 5 && position <= 8) list->OnRowTableEvent(CBoxesORD010::kPensions, 0, 7, 0);
  else if (position >= 12 && position <= 15) list->OnRowTableEvent(CBoxesORD010::kPensions, 1, 7, 0);
  else if (position == 22 || position == 23) list->OnRowTableEvent(CBoxesORD010::kDisabled, 0, 4, 0);
  else if (position == 26 || position == 27) list->OnRowTableEvent(CBoxesORD010::kDisabled, 1, 4, 0);
  Calculate();
  Reload(CBoxesORD010::kPensions, 2, 12);
  Reload(CBoxesORD010::kDisabled, 2, 8);
  Reload(CBoxesORD010::kCarried, 2, 6);
  RepaintBoxes();
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  return 0;
}

int ORD010::OnBoxValueCleared(int /*position*/) {
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

int ORD010::OnBoxValueChanged(int position) {
  CBoxesORD010* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  const std::span<std::uint8_t> block = d->Block();
  if (position == 4 || position == 11) {
    constexpr int t = CBoxesORD010::kPensions;
    const int row = position == 4 ? 0 : 1;
    const std::size_t at = f100::SectionJ.offset + f100::sec_j::pensionRow(row);
    const std::uint8_t before = block[at];
    list->OnRowTableEvent(t, row, 7, 0);
    const std::uint8_t now = block[at];
    if (now != 0 && now == list->StoredHolder(t, 1 - row)) {
      // Two rows never share a holder: the row keeps the one it had.
      block[at] = before;
      list->OnRowTableEvent(t, row, 12, 0);
    } else {
      list->OnRowTableEvent(t, row, 8, 0);
      Calculate();
      Reload(CBoxesORD010::kCarried, 2, 6);
    }
    Host().RunFieldCheck(kPensionHoldersCheck, block.data() + f100::SectionA.offset);
    list->OnRowTableEvent(t, row, 12, 0);
    list->OnRowTableEvent(t, row, 7, 0);
  } else if (position == 20 || position == 24) {
    constexpr int t = CBoxesORD010::kDisabled;
    const int row = position == 20 ? 0 : 1;
    list->OnRowTableEvent(t, row, 4, 0);
    list->OnRowTableEvent(t, row, 5, 0);
    Host().RunFieldCheck(kDisabledHoldersCheck, block.data() + f100::SectionA.offset);
    list->OnRowTableEvent(t, row, 8, 0);
    list->OnRowTableEvent(t, row, 4, 0);
    buttons_.Update();
  } else if (position == 29 || position == 32 || position == 35) {
    const int row = (position - 29) / 3;
    list->OnRowTableEvent(CBoxesORD010::kCompensatory, row, 3, 0);
    list->OnRowTableEvent(CBoxesORD010::kCompensatory, row, 4, 0);
  } else if (position == 58 || position == 61) {
    const int row = position == 58 ? 0 : 1;
    list->OnRowTableEvent(CBoxesORD010::kCarried, row, 3, 0);
    list->OnRowTableEvent(CBoxesORD010::kCarried, row, 4, 0);
  }
  Calculate();
  Reload(CBoxesORD010::kPensions, 2, 12);
  Reload(CBoxesORD010::kDisabled, 2, 8);
  RepaintBoxes();
  RepaintBoxes();
  return 0;
}

int ORD010::OnBoxEdited(int position) {
  CBoxesORD010* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (list && d && (position == 30 || position == 33 || position == 36)) {
    const int row = (position - 30) / 3;
    list->OnRowTableEvent(CBoxesORD010::kCompensatory, row, 3, 0);
    std::uint8_t* nif = d->Block().data() + f100::SectionJ.offset + f100::sec_j::kFurtherRows + 24u * row + 1;
    if (!Host().RunFieldCheck(kNifCheck, nif)) {
      if (CEditEx* e = Editor()) {
        e->setText(QString());
        e->StoreToData();
      }
    }
    list->OnRowTableEvent(CBoxesORD010::kCompensatory, row, 6, 0);
  } else if (list && (position == 31 || position == 34 || position == 37)) {
    list->OnRowTableEvent(CBoxesORD010::kCompensatory, (position - 31) / 3, 3, 0);
    Calculate();
    Reload(CBoxesORD010::kCompensatory, 3, 6);
  }
  return EndEdit(position, 1);
}

}  // namespace forms

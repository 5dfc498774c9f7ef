#include "forms/pages/ord003.h"

#include <cmath>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e1.h"
#include "blocks/rounding.h"
#include "data/message_service.h"
#include "data/doc/active_declaration.h"
#include "platform/cp1252.h"
#include "platform/strings.h"

namespace forms {

namespace {

namespace e1 = f100::sec_e1;

constexpr auto kRowBoxes = [] {
  std::array<RowBoxBinding, CBoxesORD003::kVisibleRows * CBoxesORD003::kCellsPerRow> boxes{};
  for (int r = 0; r < CBoxesORD003::kVisibleRows; ++r)
    for (int c = 0; c < CBoxesORD003::kCellsPerRow; ++c)
      boxes[static_cast<std::size_t>(r * CBoxesORD003::kCellsPerRow + c)] = {CBoxesORD003::PositionOf(r, c), r, c};
  return boxes;
}();

std::span<const RowArea> RowAreas() {
  static const RowArea areas[] = {{FindRowTableModel("ORD003"), kRowBoxes}};
  return areas;
}

// Record offsets the page reads besides the cells.
constexpr std::size_t kHeadingBytes = 4, kHeadingWidth = 5, kMarkByte = 9, kRowBlock = 24;
constexpr std::size_t kPayments = e1::InstalmentPayments.off;
constexpr int kAlwaysReadOnly[] = {9, 25, 27, 28, 29, 30, 31, 33};
constexpr int kAnswerAccept = 1, kAnswerCorrect = 8;

bool Blank(std::uint8_t c) { return c == 0 || c == ' '; }

std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

}  // namespace

CBoxesORD003::CBoxesORD003(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(kCode, block, memberIndex, RowAreas()) {}

int CBoxesORD003::RowOf(int position) {
  const int i = position - kFirstRowBox;
  return i >= 0 && i < kVisibleRows * kCellsPerRow ? i / kCellsPerRow : -1;
}

int CBoxesORD003::CellOf(int position) {
  const int i = position - kFirstRowBox;
  return i >= 0 && i < kVisibleRows * kCellsPerRow ? i % kCellsPerRow : -1;
}

std::uint8_t* CBoxesORD003::Cell(int row, int cell) const {
  CScrollRowTable* t = Rows();
  return t ? t->GetCell(row, cell) : nullptr;
}

double CBoxesORD003::Amount(int row, int cell) const {
  const std::uint8_t* p = Cell(row, cell);
  return p ? blocks::F64{0}.get(p) : 0.0;
}

int CBoxesORD003::RecordOf(int row) const {
  CScrollRowTable* t = Rows();
  return t ? t->FirstVisible() + row : row;
}

void CBoxesORD003::SetReadOnly(int row, int cell, bool readOnly) {
  if (CBoxField* box = Position(PositionOf(row, cell))) box->SoloLectur = readOnly || !box->data ? 1 : 0;
}

void CBoxesORD003::BindRowLinks() {
  for (int r = 0; r < kVisibleRows; ++r) {
    std::uint8_t* heading = Cell(r, kHeading);
    headingLinks_[static_cast<std::size_t>(r)] = {heading, kHeadingWidth, Cell(r, kKind), 1};
    if (CBoxField* box = Position(PositionOf(r, kHeading))) {
      box->decimals = -1;  // a code chosen in a selection list
      box->option = heading ? &headingLinks_[static_cast<std::size_t>(r)] : nullptr;
    }
    std::uint8_t* owner = Cell(r, kOwner);
    incomeLinks_[static_cast<std::size_t>(r)] = {owner ? owner + kRowBlock : nullptr, nullptr, nullptr, RecordOf(r),
                                                 owner ? *owner : std::uint8_t{0}};
    for (int c = kIncome1; c <= kIncome3; ++c)
      if (CBoxField* box = Position(PositionOf(r, c))) box->option = owner ? &incomeLinks_[static_cast<std::size_t>(r)] : nullptr;
  }
}

void CBoxesORD003::ApplyRowRules() {
  for (int r = 0; r < kVisibleRows; ++r) {
    const std::uint8_t* owner = Cell(r, kOwner);
    const bool owned = owner && *owner != 0;
    const bool ownerOpen = r == 0 || (Cell(r - 1, kOwner) && *Cell(r - 1, kOwner) != 0);
    SetReadOnly(r, kOwner, !ownerOpen);
    for (int c = kKind; c <= kSimplified; ++c) SetReadOnly(r, c, !owned);
    const bool kind = owned && !Blank(*Cell(r, kKind));
    const bool normal = owned && *Cell(r, kNormal) != 0;
    const bool simplified = owned && *Cell(r, kSimplified) != 0;
    const bool open = kind && (normal || simplified);
    for (int c = kHeading; c <= kReduction; ++c) SetReadOnly(r, c, !open);
    if (open) {
      SetReadOnly(r, kMark, *Cell(r, kKind) == '1' && normal);
      SetReadOnly(r, kNormalProvisions, !normal);
    }
    for (int c : kAlwaysReadOnly) SetReadOnly(r, c, true);
  }
}

void CBoxesORD003::CountSheets() {
  continuationSheets = 0;
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f100::SectionE1.offset + f100::SectionE1.size) return;
  const std::uint8_t* first = block.data() + f100::SectionE1.offset;
  const int shown = doc::ShownMember();
  if (shown <= 1) {
    continuationSheets = first[3 * e1::kRowSize] != 0 ? 1 : 0;
    return;
  }
  int own = 0;
  for (int i = 0; i < e1::kRows; ++i)
    if (first[static_cast<std::size_t>(i) * e1::kRowSize] == shown) ++own;
  continuationSheets = own > kVisibleRows ? 1 : 0;
}

void CBoxesORD003::BindPageData(int rebind) {
  continuationSheets = 0;
  sheetShown_ = 1;
  CBindingTableList::BindPageData(rebind);
  BindRowLinks();
  ApplyRowRules();
  CountSheets();
}

void CBoxesORD003::ReleasePageData() {
  for (int r = 0; r < kVisibleRows; ++r)
    for (int c : {int{kHeading}, int{kIncome1}, kIncome1 + 1, int{kIncome3}})
      if (CBoxField* box = Position(PositionOf(r, c))) box->option = nullptr;
  headingLinks_ = {};
  incomeLinks_ = {};
  ClearSheetTitle(kSheetTitle);
  CBindingTableList::ReleasePageData();
}

void CBoxesORD003::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  BindRowLinks();
  ApplyRowRules();
  CountSheets();
}

int CBoxesORD003::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Rows();
  if (!t || row < 0 || row >= kVisibleRows) return 0;
  int result = 0;
  switch (event) {
    case kOwnerChanged: {
      const std::uint8_t* owner = Cell(row, kOwner);
      // A row that keeps its owner and kind keeps its data.
      if (owner && *owner != 0 && !Blank(*Cell(row, kKind))) break;
      CBindingTableList::OnRowTableEvent(table, row, event, 1);
      BindRowLinks();
      ApplyRowRules();
      break;
    }
    case kCommitRow:
      // A member's filtered rows are for display: storing one would overwrite another record.
      if (t->Filter() != 1 && doc::HouseholdHasSeveralHolders()) break;
      CBindingTableList::OnRowTableEvent(table, row, event, 0);
      BindRowLinks();
      ApplyRowRules();
      break;
    case kReloadRow: CBindingTableList::OnRowTableEvent(table, row, event, 0); break;
    case -1:
      result = CBindingTableList::OnRowTableEvent(table, row, event, extra);
      BindRowLinks();
      ApplyRowRules();
      break;
    case -2: result = CBindingTableList::OnRowTableEvent(table, row, event, extra); break;
    default: break;
  }
  CountSheets();
  return result;
}

bool CBoxesORD003::SelectSheet(int sheet, int /*printing*/) {
  sheetDigit_.fill(' ');
  sheetDigit_.back() = '\0';
  if (sheet == 1) {
    BindPageData(1);
    ApplyHolderMode();
    if (continuationSheets > 0) {
      std::memset(sheetDigit_.data(), '1', sheetDigit_.size() - 1);
      if (CBoxField* box = Position(kSheetBox)) {
        box->data = sheetDigit_.data();
        box->StrValidac = "S1*5.0          ";
        box->fminternet = "010X" + (box->fminternet.size() > 4 ? box->fminternet.substr(4) : std::string());
      }
    }
    RefreshSheet(0);
    return true;
  }
  if (sheet != 2 || continuationSheets < sheet - 1) {
    ClearSheetTitle(kSheetTitle);
    return false;
  }
  if (sheetShown_ == sheet) return true;
  if (CBoxField* box = Position(kSheetBox)) {
    box->data = nullptr;
    box->displayText.clear();
  }
  if (CScrollRowTable* t = Rows()) t->PageDown();
  BindRows();
  BindRowLinks();
  if (CBoxField* box = Position(kNetYields)) box->data = nullptr;
  ShowSheetTitle(kSheetTitle, kSheetTitleText);
  sheetShown_ = sheet;
  RefreshSheet(0);
  return true;
}

// ---------------------------------------------------------------- the view

ORD003::ORD003(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode, std::make_unique<CBoxesORD003>(DocumentBlock(host)), parent),
      buttons_(*this, {{CBoxesORD003::kTableId, 0, 0, 0, CBoxesORD003::PositionOf(0, 0),
                        CBoxesORD003::PositionOf(CBoxesORD003::kVisibleRows, 0) - 1}}) {
  buttons_.onPress = [this](int, int direction) { ScrollRows(direction); };
}

int ORD003::Event(int row, int event) {
  CBoxesORD003* list = Rows();
  return list ? list->OnRowTableEvent(CBoxesORD003::kTableId, row, event, 0) : 0;
}

void ORD003::ReloadRows() {
  for (int r = 0; r < CBoxesORD003::kVisibleRows; ++r) Event(r, CBoxesORD003::kReloadRow);
}

void ORD003::CalculateAndReload() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
  ReloadRows();
  RepaintBoxes();
  RepaintBoxes();
}

int ORD003::OnBoxEdited(int position) {
  const int row = CBoxesORD003::RowOf(position);
  if (row >= 0) {
    Event(row, CBoxesORD003::kCommitRow);
    buttons_.Update();
  }
  CalculateAndReload();
  if (row >= 0 && CBoxesORD003::CellOf(position) == CBoxesORD003::kReduction) {
    const double a = Rows()->Amount(row, CBoxesORD003::kNetYield);
    const double b = Rows()->Amount(row, CBoxesORD003::kReduction);
    IMessageService* m = Host().Messages();
    if (m && std::fabs(b) > blocks::RoundToDecimals(std::fabs(a * 0.4), 2) + 0.5 &&
        m->ShowMessage("100P025", MessageIcon::Information) == kAnswerCorrect)
      return 0;
    if (m && ((a > 0 && b < 0) || (a < 0 && b > 0)) &&
        m->ShowMessage("100P026", MessageIcon::Information) == kAnswerCorrect)
      return 0;
  }
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(position);
  return 1;
}

int ORD003::OnBoxValueChanged(int position) {
  CBoxesORD003* list = Rows();
  const int row = CBoxesORD003::RowOf(position);
  const int cell = CBoxesORD003::CellOf(position);
  doc::CProg32Doc* d = GetDocument();
  if (!list || row < 0 || !d) return 0;
  const std::size_t record = f100::SectionE1.offset + static_cast<std::size_t>(list->RecordOf(row)) * e1::kRowSize;
  if (d->Block().size() < record + e1::kRowSize) return 0;
  std::uint8_t* stored = d->Block().data() + record;
  auto reload = [&] { Event(row, CBoxesORD003::kReloadRow); };
  auto commit = [&] { Event(row, CBoxesORD003::kCommitRow); };
  switch (cell) {
    case CBoxesORD003::kOwner:
      commit();
      Event(row, CBoxesORD003::kOwnerChanged);
      buttons_.Update();
      break;
    case CBoxesORD003::kKind: {
      const std::uint8_t before = stored[1];
      commit();
      if (stored[1] != before) {
        std::memset(stored + kHeadingBytes, 0, kMarkByte - kHeadingBytes);
        reload();
      }
      if (stored[1] == '1') {
        stored[kMarkByte] = 0;
        reload();
      }
      break;
    }
    case CBoxesORD003::kNormal:
    case CBoxesORD003::kSimplified: {
      commit();
      const bool normal = cell == CBoxesORD003::kNormal;
      const std::size_t own = normal ? e1::NormalModality.off : e1::SimplifiedModality.off;
      const std::size_t other = normal ? e1::SimplifiedModality.off : e1::NormalModality.off;
      // The two modalities exclude each other; one of them is always marked.
      if (stored[own] != 0) {
        stored[other] = 0;
        if (normal) stored[kMarkByte] = 0;
        else e1::NormalProvisions.set(stored, 0.0);
      } else {
        stored[other] = 1;
        if (normal) e1::NormalProvisions.set(stored, 0.0);
        else stored[kMarkByte] = 0;
      }
      reload();
      commit();
      break;
    }
    case CBoxesORD003::kMark: commit(); break;
    default: return 0;
  }
  CalculateAndReload();
  return 1;
}

int ORD003::OnBoxValueCleared(int position) {
  const int row = CBoxesORD003::RowOf(position);
  const int cell = CBoxesORD003::CellOf(position);
  if (cell == CBoxesORD003::kOwner) {
    IMessageService* m = Host().Messages();
    return m && m->ShowMessage("100P001", MessageIcon::Information) == kAnswerAccept ? 1 : 0;
  }
  int result = 1;
  if (cell == CBoxesORD003::kKind) {
    Event(row, CBoxesORD003::kOwnerChanged);
    Event(row, CBoxesORD003::kCommitRow);
  } else if (cell == CBoxesORD003::kNormal || cell == CBoxesORD003::kSimplified) {
    result = OnBoxValueChanged(position);
  }
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  return result;
}

int ORD003::OnBoxSubDialogValue(int position) {
  CBoxesORD003* list = Rows();
  const int row = CBoxesORD003::RowOf(position);
  const int cell = CBoxesORD003::CellOf(position);
  doc::CProg32Doc* d = GetDocument();
  if (d) d->Model().WrittenAll();
  if (!list || !d || row < 0) return 0;
  if (cell == CBoxesORD003::kHeading) {
    Event(row, CBoxesORD003::kCommitRow);
    buttons_.Update();
  } else if (cell >= CBoxesORD003::kIncome1 && cell <= CBoxesORD003::kIncome3) {
    Event(row, CBoxesORD003::kCommitRow);
    const std::span<std::uint8_t> block = d->Block();
    const std::size_t first = f100::SectionE1.offset;
    if (block.size() >= first + e1::kRows * e1::kRowSize) {
      std::uint8_t* r = block.data() + first + static_cast<std::size_t>(list->RecordOf(row)) * e1::kRowSize;
      // A holder's fractional payments are the same in all his activities.
      const double payments = blocks::F64{kPayments}.get(r);
      for (int i = 0; i < e1::kRows; ++i) {
        std::uint8_t* other = block.data() + first + static_cast<std::size_t>(i) * e1::kRowSize;
        if (other[0] == r[0] && blocks::F64{kPayments}.get(other) != 0) blocks::F64{kPayments}.set(other, payments);
      }
    }
    ReloadRows();
  } else {
    return 0;
  }
  for (int r = 0; r < CBoxesORD003::kVisibleRows; ++r) Event(r, CBoxesORD003::kCommitRow);
  CalculateAndReload();
  return 1;
}

void ORD003::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  buttons_.Update();
}

bool ORD003::InitPageControls() {
  const bool base = CPage100::InitPageControls();
  if (!buttons_.Create()) {
    if (IMessageService* m = Host().Messages()) m->ShowMessage("WIN025", MessageIcon::Warning);
    return false;
  }
  if (CBoxField* anchor = GetBox(CBoxesORD003::kFirstRowBox - 1)) {
    const QRect r = anchor->Area();
    const double zoom = Zoom();
    const int shift = zoom == 1.25 ? 55 : zoom == 1.5 ? 60 : 45;
    const int x = r.left() - shift;
    buttons_.Place(QPoint(x, r.bottom() - 40), QPoint(x, r.bottom() - 20));
  }
  buttons_.Update();
  return base;
}

void ORD003::RepositionPageControls() { buttons_.Reposition(); }

bool ORD003::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  if ((key == Qt::Key_F3 || key == Qt::Key_F4) && Editor()) {
    if (CBoxesORD003::RowOf(Editor()->GetDlgCtrlID()) < 0) return CPage100::HandleNavigationKey(key, mods);
    buttons_.HandleKey(key);
    return true;
  }
  return CPage100::HandleNavigationKey(key, mods);
}

void ORD003::ScrollRows(int direction) {
  if (CEditEx* e = Editor(); e && e->IsModifiedEx()) {
    e->StoreToData();
    if (OnBoxEdited(e->GetDlgCtrlID()) != 1) return;
    if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
    e->SetModifiedEx(false);
    RepaintBoxes();
  }
  Event(direction, -1);
  buttons_.Update();
  RepaintBoxes();
  if (CEditEx* e = Editor()) {
    const CBoxField* box = GetBox(e->GetDlgCtrlID() - 1);
    if (box && box->SoloLectur) GoToBox(CBoxesORD003::PositionOf(2, 0) - 1);
    else e->LoadFromData(1);
  }
}

}  // namespace forms

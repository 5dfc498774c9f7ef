#include "forms/pages/ord006.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f2.h"
#include "checks/validation_helper.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

constexpr int kContinuationTitle = 97002, kPartnersTip = 97003;
constexpr int kSheetBox = 3, kTitleBox = 137;
constexpr int kPartnersIcon = 227;
// The row buttons sit at the right end of their section's band.
constexpr int kButtonsX = 932;

// Row boxes: position = first + stride * row + j.
constexpr int kEntityCells[] = {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18};
constexpr int kTransparencyCells[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 23};  // then two of the member's
constexpr int kInternationalCells[] = {20, 21, 22, 23};
constexpr int kImageCells[] = {10, 11, 12, 13};
constexpr int kFundCells[] = {0, 1, 2};

template <std::size_t N>
std::vector<RowBoxBinding> RowsOf(int first, int stride, int rows, const int (&cells)[N]) {
  std::vector<RowBoxBinding> out;
  for (int r = 0; r < rows; ++r)
    for (std::size_t j = 0; j < N; ++j) out.push_back({first + stride * r + static_cast<int>(j), r, cells[j]});
  return out;
}

std::span<const RowArea> AreaList() {
  static const std::vector<RowBoxBinding> entities = RowsOf(4, 17, 3, kEntityCells);
  static const std::vector<RowBoxBinding> transparency = RowsOf(63, 14, 3, kTransparencyCells);
  static const std::vector<RowBoxBinding> international = RowsOf(108, 4, 3, kInternationalCells);
  static const std::vector<RowBoxBinding> image = RowsOf(121, 4, 1, kImageCells);
  static const std::vector<RowBoxBinding> funds = RowsOf(125, 3, 3, kFundCells);
  static const RowArea areas[] = {{FindRowTableModel("ORD006A"), entities},
                                  {FindRowTableModel("ORD006B"), transparency},
                                  {FindRowTableModel("ORD006C"), international},
                                  {FindRowTableModel("ORD006D"), image},
                                  {FindRowTableModel("ORD006E"), funds}};
  return areas;
}

bool Empty(const std::uint8_t* p) { return !p || *p == 0 || *p == ' '; }
std::uint8_t HolderOf(CScrollRowTable* t, int row, int cell) {
  const std::uint8_t* p = t ? t->GetCell(row, cell) : nullptr;
  return p ? *p : 0;
}
// The first cell of each table: its holder byte.
int HolderCell(int table) {
  return table == CBoxesORD006::kTransparency || table == CBoxesORD006::kImage ? 10
         : table == CBoxesORD006::kInternational                                ? 20
                                                                               : 0;
}

}  // namespace

CBoxesORD006::CBoxesORD006(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(ORD006::kCode, block, memberIndex, AreaList()) {}

double CBoxesORD006::GetTableValue(int table, int row, int cell) {
  if (table < kEntities || table > kFunds) return 0.0;
  CScrollRowTable* t = Table(table);
  const std::uint8_t* p = t ? t->GetCell(row, cell) : nullptr;
  return p ? blocks::F64{0}.get(p) : 0.0;
}

void CBoxesORD006::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  for (int table = kEntities; table <= kFunds; ++table) {
    for (int r = 0; r < 3; ++r) BindTableRow(table, r);
    EnableRows(table);
  }
}

void CBoxesORD006::ReleasePageData() {
  for (int r = 0; r < 3; ++r)
    for (int p : {7 + 17 * r, 13 + 17 * r, 71 + 14 * r, 73 + 14 * r, 74 + 14 * r, 75 + 14 * r, 76 + 14 * r})
      if (CBoxField* box = Position(p)) {
        box->option = nullptr;
        if (p >= 75) box->data = nullptr;
      }
  if (CBoxField* box = Position(124)) box->option = nullptr;
  activityLinks_ = {};
  imputationLinks_ = {};
  ClearSheetTitle(kTitleBox);
  CBindingTableList::ReleasePageData();
}

void CBoxesORD006::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  for (int table = kEntities; table <= kFunds; ++table) {
    for (int r = 0; r < 3; ++r) BindTableRow(table, r);
    EnableRows(table);
  }
  CountContinuationSheets();
}

void CBoxesORD006::BindTableRow(int table, int r) {
  CScrollRowTable* t = Table(table);
  if (!t) return;
  auto option = [&](int position, void* p) {
    if (CBoxField* box = Position(position)) box->option = p;
  };
  const auto i = static_cast<std::size_t>(r);
  if (table == kEntities && r < 3) {
    option(7 + 17 * r, t->GetCell(r, 4));
    ui::AnnexPointerList& l = activityLinks_[i];
    l = {};
    l.block = t->GetCell(r, 11);
    l.value = t->FirstVisible() + r;
    l.holder = HolderOf(t, r, 0);
    l.size = 24;
    option(13 + 17 * r, l.block ? &l : nullptr);
  } else if (table == kTransparency && r < 3) {
    option(71 + 14 * r, t->GetCell(r, 19));
    ui::AnnexPointerList& l = imputationLinks_[i];
    l = {};
    l.block = t->GetCell(r, 22);
    l.item1 = t->GetCell(r, 12);
    l.item2 = t->GetCell(r, 14);
    // The record of the row, for both of its boxes: asking the page for the focused row would give
    // record 0 to the second box (cell 23) and recompute the dialog's block in another row.
    l.value = t->FirstVisible() + r;
    l.size = 88;
    option(73 + 14 * r, l.block ? &l : nullptr);
    option(74 + 14 * r, l.block ? &l : nullptr);
    // The holder's share: the family unit's columns or the member's.
    std::uint8_t* rec = t->GetCell(r, 505);
    const bool unit = doc::ShownMember() == 1;
    for (int k = 0; k < 2; ++k)
      if (CBoxField* box = Position(75 + 14 * r + k)) {
        box->data = rec ? rec + (k == 0 ? (unit ? 184 : 192) : (unit ? 200 : 208)) : nullptr;
        box->SoloLectur = 1;
      }
  } else if (table == kImage && r == 0) {
    option(124, t->GetCell(0, 502));
  }
}

void CBoxesORD006::EnableRows(int table) {
  CScrollRowTable* t = Table(table);
  if (!t) return;
  auto set = [&](int position, bool readOnly) {
    if (CBoxField* box = Position(position); box && box->data) box->SoloLectur = readOnly ? 1 : 0;
  };
  const int hc = HolderCell(table);
  for (int r = 0; r < (table == kImage ? 1 : 3); ++r) {
    const bool prevEmpty = r > 0 && HolderOf(t, r - 1, hc) == 0;
    const std::uint8_t holder = HolderOf(t, r, hc);
    const bool empty = holder == 0;
    switch (table) {
      case kEntities: {
        const int b = 4 + 17 * r;
        set(b, prevEmpty);
        if (empty) {
          for (int j = 1; j <= 16; ++j) set(b + j, true);
          break;
        }
        for (int j : {1, 2, 3, 4, 6, 7}) set(b + j, false);
        for (int j : {5, 8, 11}) set(b + j, true);
        set(b + 9, holder == 1);
        set(b + 10, holder == 1);
        for (int j = 12; j <= 16; ++j) set(b + j, false);
        break;
      }
      case kTransparency: {
        const int b = 63 + 14 * r;
        for (int j = 0; j <= 3; ++j) set(b + j, prevEmpty);
        const bool locked = empty || Empty(t->GetCell(r, 12));
        const bool noAmount = GetTableValue(kTransparency, r, 14) == 0.0;
        set(b + 4, locked);
        for (int j = 5; j <= 9; ++j) set(b + j, locked || noAmount);
        set(b + 10, locked);
        set(b + 11, locked);
        set(b + 12, true);
        set(b + 13, true);
        break;
      }
      case kInternational: {
        const int b = 108 + 4 * r;
        set(b, prevEmpty);
        for (int j = 1; j <= 3; ++j) set(b + j, empty);
        break;
      }
      case kImage:
        for (int p : {122, 123, 124}) set(p, empty);
        break;
      case kFunds: {
        const int b = 125 + 3 * r;
        set(b, prevEmpty);
        set(b + 1, empty);
        set(b + 2, empty);
        break;
      }
    }
  }
}

void CBoxesORD006::CountContinuationSheets() {
  const int m = doc::ShownMember();
  const std::span<std::uint8_t> block = Block();
  int n = 0;
  for (int table : {kEntities, kTransparency, kInternational, kFunds}) {
    const CScrollRowTable* t = Table(table);
    if (!t) continue;
    const RowTableModel& model = t->Model();
    int count = 0;
    for (int i = 0; i < model.capacity; ++i) {
      const std::size_t at = model.area + static_cast<std::size_t>(i) * static_cast<std::size_t>(model.recordSize);
      const std::uint8_t h = at < block.size() ? block[at] : 0;
      if (m == 1 ? h != 0 : (h == m || h == 1)) ++count;
    }
    n = std::max(n, count);
  }
  continuationSheets = ContinuationSheetsFor(n, 3);
}

int CBoxesORD006::OnRowTableEvent(int table, int row, int event, int extra) {
  if (table < kEntities || table > kFunds) table = kFunds;
  CScrollRowTable* t = Table(table);
  if (!t) return 0;
  if (event == -3) return 0;
  if (event == -2) return table == kImage ? 0 : CBindingTableList::OnRowTableEvent(table, row, event, extra);
  int result = 0;
  const bool holderZero = HolderOf(t, row, HolderCell(table)) == 0;
  if (event == -1) {
    result = Event(table, row, -1);
  } else if (event == 191) {
    t->ShowRecord(t->FirstVisible() + row, t->FirstVisible() + row);
    BindRows();
  } else if (event == 502) {
    Event(table, row, 502);
  } else {
    struct Codes {
      int commit, remove, clear;
    };
    // commit, delete when the holder is empty, clear (-1: none)
    static constexpr Codes kCodes[] = {{19, 20, 21}, {28, 27, 26}, {24, 25, -1}, {15, 14, -1}, {3, 4, -1}};
    const Codes& c = kCodes[table - kEntities];
    if (event == c.commit) Event(table, row, event);
    else if (event == c.remove && holderZero) Event(table, row, event);
    else if (event == c.clear) Event(table, row, event);
    else if (table == kTransparency && event == 29 && GetTableValue(table, row, 14) == 0.0) {
      // No imputed base: the amounts that hang on it go.
      if (std::uint8_t* rec = t->GetCell(row, 505)) {
        std::memset(rec + 16, 0, 80 - 16);
        Event(table, row, 28);
      }
    }
  }
  for (int r = 0; r < 3; ++r) BindTableRow(table, r);
  EnableRows(table);
  return result;
}

bool CBoxesORD006::SelectSheet(int sheet, int /*printing*/) {
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
  if (sheet > continuationSheets + 1) {
    ClearSheetTitle(kTitleBox);
    return false;
  }
  if (SheetTitleShown()) return true;
  if (CBoxField* box = Position(kSheetBox)) {
    box->data = nullptr;
    box->displayText.clear();
  }
  for (int table : {kEntities, kTransparency, kInternational, kFunds})
    if (CScrollRowTable* t = Table(table)) t->PageDown();
  BindRows();
  for (int table = kEntities; table <= kFunds; ++table) {
    for (int r = 0; r < 3; ++r) BindTableRow(table, r);
    EnableRows(table);
  }
  for (int p : {55, 56, 57, 58, 59, 60, 61, 62, 105, 106, 107, 120, 121, 122, 123, 124, 134})
    if (CBoxField* box = Position(p)) box->data = nullptr;
  ShowSheetTitle(kTitleBox, kContinuationTitle);
  return true;
}

// ---------------------------------------------------------------- view

ORD006::ORD006(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD006>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>()),
               parent),
      buttons_(*this,
               {{CBoxesORD006::kEntities, 0, kButtonsX, 156, 4, 54},
                {CBoxesORD006::kTransparency, 0, kButtonsX, 440, 63, 104},
                {CBoxesORD006::kInternational, 0, kButtonsX, 706, 108, 119},
                {CBoxesORD006::kFunds, 0, kButtonsX, 908, 125, 133}},
               [this](int table, int) {
                 const int anchor = table == CBoxesORD006::kEntities         ? 38
                                    : table == CBoxesORD006::kTransparency   ? 91
                                    : table == CBoxesORD006::kInternational ? 116
                                                                             : 131;
                 GoToBox(anchor - 1);
               }) {}

int ORD006::GetFocusedTableRow() const {
  const CEditEx* e = Editor();
  CScrollRowTable* t = Table(CBoxesORD006::kTransparency);
  if (!e || !t) return 0;
  const int f = t->FirstVisible();
  switch (e->GetDlgCtrlID()) {
    case 73: return f;
    case 87: return f + 1;
    case 101: return f + 2;
    default: return 0;
  }
}

bool ORD006::InitPageControls() {
  const bool result = CFormView::InitPageControls();
  buttons_.Create();
  for (std::size_t r = 0; r < icons_.size(); ++r) {
    auto* b = new QToolButton(viewport());
    b->setIcon(platform::ProgramIcon(kPartnersIcon));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(platform::LoadString(kPartnersTip));
    b->setFocusPolicy(Qt::NoFocus);
    const int row = static_cast<int>(r);
    connect(b, &QToolButton::clicked, this, [this, row] { TransparencyCommand(row); });
    b->show();
    icons_[r] = b;
  }
  RepositionPageControls();
  return result;
}

void ORD006::RepositionPageControls() {
  buttons_.Reposition();
  const QPoint scroll = ScrollPosition();
  for (std::size_t r = 0; r < icons_.size(); ++r) {
    const CBoxField* anchor = GetBox(65 + 14 * static_cast<int>(r) - 1);
    if (!anchor || !icons_[r]) continue;
    const QRect a = anchor->rect;
    const int side = a.bottom() - a.top();
    icons_[r]->setGeometry(a.right() - scroll.x(), a.top() - scroll.y(), side, side);
  }
}

bool ORD006::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  CEditEx* e = Editor();
  if (!e) return true;
  if (key == Qt::Key_F3 || key == Qt::Key_F4) {
    buttons_.HandleKey(key);
    return CRentaVista::HandleNavigationKey(key, mods);
  }
  const int p = e->GetDlgCtrlID();
  if (key == Qt::Key_F7 && (p == 65 || p == 79 || p == 93)) {
    const int row = (p - 65) / 14;
    if (icons_[static_cast<std::size_t>(row)] && icons_[static_cast<std::size_t>(row)]->isEnabled()) {
      TransparencyCommand(row);
      if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
      FullCalculation();
      if (Editor()) Editor()->LoadFromData(0);
      RepaintBoxes();
      return true;
    }
  }
  return CRentaVista::HandleNavigationKey(key, mods);
}

void ORD006::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  buttons_.Update();
}

void ORD006::FullCalculation() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
}

int ORD006::Ask(const char* code, MessageIcon icon) {
  IMessageService* m = Host().Messages();
  return m ? m->ShowMessage(code, icon) : 1;
}

void ORD006::ReloadAllRows() {
  if (CBoxesORD006* list = List())
    for (int table = CBoxesORD006::kEntities; table <= CBoxesORD006::kFunds; ++table)
      for (int r = 0; r < (table == CBoxesORD006::kImage ? 1 : 3); ++r) list->OnRowTableEvent(table, r, 502, 0);
}

void ORD006::SyncHolderAmount(std::uint8_t holder, int record) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || record < 0 || record >= f100::sec_f1::kRows) return;
  std::uint8_t* f1 = d->Block().data() + f100::SectionF1.offset;
  const blocks::F64 payments{f100::sec_f1::InstalmentPayments.off};
  std::uint8_t* mine = f1 + f100::sec_f1::kRowSize * static_cast<std::size_t>(record);
  for (int n = 0; n < f100::sec_f1::kRows; ++n) {
    const std::uint8_t* other = f1 + f100::sec_f1::kRowSize * static_cast<std::size_t>(n);
    if (other[0] == holder && payments.get(other) != payments.get(mine)) payments.set(mine, payments.get(other));
  }
}

int ORD006::ShowTransparency(int row) {
  CBoxesORD006* list = List();
  CScrollRowTable* t = Table(CBoxesORD006::kTransparency);
  std::uint8_t* rec = t ? t->GetCell(row, 505) : nullptr;
  if (!list || !rec || rec[0] == 0) return 0;
  ui::AnnexArgs args;
  args.parent = this;
  std::unique_ptr<ui::IAnnexDialog> dlg = ui::CreateAnnexDialog("CTransparenciaFiscalDlg", args);
  if (!dlg || dlg->AnnexBlock().empty()) {
    Ask("WIN1102", MessageIcon::Warning);
    return 0;
  }
  namespace f2 = f100::sec_f2::row;
  dlg->AnnexBlock()[0] = rec[f2::Qualifier.off];
  if (dlg->Dialog().DoModal() != ui::IDOK) return 0;
  const std::uint8_t before = rec[f2::Qualifier.off], now = dlg->AnnexBlock()[0];
  rec[f2::Qualifier.off] = now;
  rec[88] = now;
  if (now != before && blocks::F64{80}.get(rec) != 0.0) {
    if (now == 1) std::memset(rec + 112, 0, 16);
    Ask("100I008", MessageIcon::Information);
  }
  return 1;
}

void ORD006::TransparencyCommand(int row) {
  const CBoxField* type = GetBox(65 + 14 * row - 1);
  CScrollRowTable* t = Table(CBoxesORD006::kTransparency);
  if (!type || type->SoloLectur || !t) return;
  const std::uint8_t* code = t->GetCell(row, 12);
  if (!code || Empty(code) || *code == '1' || *code == '4') return;
  if (ShowTransparency(row) == 1 && List()) List()->OnRowTableEvent(CBoxesORD006::kTransparency, row, 28, 0);
  GoToBox(64 + 14 * row);
}

int ORD006::OnBoxEdited(int position) {
  CBoxesORD006* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return EndEdit(position, 1);
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  struct Pair {
    int x, y;
    const char* code;
  };
  static constexpr Pair kPairs[] = {{3, 5, "100P035"}, {7, 8, "100P036"}, {10, 12, "100P037"}};
  bool due[3] = {false, false, false};
  auto check = [&](int r, int pair) {
    const double x = list->GetTableValue(CBoxesORD006::kEntities, r, kPairs[pair].x);
    const double y = list->GetTableValue(CBoxesORD006::kEntities, r, kPairs[pair].y);
    due[pair] = (y > 0 && (y > 0.4 * x + 0.5 || x < 0)) || (y < 0 && x > 0);
  };
  CEditEx* e = Editor();
  auto setEditor = [&](const std::string& text) {
    if (e && e->GetDlgCtrlID() == position) {
      e->setText(QString::fromStdString(text));
      e->StoreToData();
    }
  };
  if (position >= 4 && position <= 54) {
    const int r = (position - 4) / 17, j = (position - 4) % 17;
    constexpr int t = CBoxesORD006::kEntities;
    ev(t, r, 19);
    if (j == 1) {
      CScrollRowTable* table = Table(t);
      char* nif = reinterpret_cast<char*>(d->Block().data() + f100::SectionF1.offset +
                                          f100::sec_f1::kRowSize * static_cast<std::size_t>(table->FirstVisible() + r) + 1);
      if (!Empty(reinterpret_cast<std::uint8_t*>(nif))) {
        const bool ok = Host().RunFieldCheck(kEntityNifCheck, nif) != 0;
        setEditor(ok ? std::string(nif, strnlen(nif, 9)) : std::string(" "));
        ev(t, r, 19);
      }
    }
    if (j == 3 || j == 4) check(r, 0);
    if (j == 6 || j == 7) check(r, 1);
    if (j == 9 || j == 10) check(r, 2);
    if (j != 0) ev(t, r, 20);
  } else if (position >= 63 && position <= 104) {
    const int r = (position - 63) / 14, j = (position - 63) % 14;
    constexpr int t = CBoxesORD006::kTransparency;
    if (j == 2 || j == 3) return OnBoxValueChanged(position) == 1 ? EndEdit(position, 1) : EndEdit(position, 1);
    ev(t, r, 28);
    if (j == 1) {
      CScrollRowTable* table = Table(t);
      char* nif = reinterpret_cast<char*>(d->Block().data() + f100::SectionF2.offset +
                                          f100::sec_f2::kRowSize * static_cast<std::size_t>(table->FirstVisible() + r) + 1);
      if (!Empty(reinterpret_cast<std::uint8_t*>(nif))) {
        std::string normal;
        const int cls = checks::CValidationHelper::ClassifyNif(std::string(nif, 9).c_str(), &normal);
        if (cls == checks::kNifEntityDigit || cls == checks::kNifEntityLetter || cls == checks::kNifPublicEntityLetter) {
          normal.resize(9, ' ');
          std::memcpy(nif, normal.data(), 9);
          setEditor(normal);
        } else {
          Ask("WIN003", MessageIcon::Warning);
          setEditor(" ");
        }
        ev(t, r, 28);
      }
    }
    ev(t, r, 27);
    if (j == 4) ev(t, r, 29);
  } else if (position >= 108 && position <= 119 && (position - 108) % 4 != 0) {
    const int r = (position - 108) / 4;
    ev(CBoxesORD006::kInternational, r, 24);
    ev(CBoxesORD006::kInternational, r, 25);
  } else if (position == 122 || position == 123) {
    ev(CBoxesORD006::kImage, 0, 15);
    ev(CBoxesORD006::kImage, 0, 14);
  } else if (position >= 125 && position <= 133 && (position - 125) % 3 != 0) {
    const int r = (position - 125) / 3;
    ev(CBoxesORD006::kFunds, r, 3);
    ev(CBoxesORD006::kFunds, r, 4);
  }
  FullCalculation();
  ReloadAllRows();
  RepaintBoxes();
  RepaintBoxes();
  d->Model().WrittenAll();
  if (CPageBoxList* l = BoxList()) l->RefreshBoxStates(position);
  for (int k = 0; k < 3; ++k)
    if (due[k] && Ask(kPairs[k].code, MessageIcon::Information) == 8) return 0;
  return 1;
}

int ORD006::OnBoxValueCleared(int position) {
  CBoxesORD006* list = List();
  if (!list) return 0;
  struct Clear {
    int first, stride, rows, offset, table, event;
    bool ask;
  };
  static constexpr Clear kClears[] = {{4, 17, 3, 0, CBoxesORD006::kEntities, 20, true},
                                      {63, 14, 3, 0, CBoxesORD006::kTransparency, 27, true},
                                      {63, 14, 3, 2, CBoxesORD006::kTransparency, 26, true},
                                      {63, 14, 3, 3, CBoxesORD006::kTransparency, 28, false},
                                      {108, 4, 3, 0, CBoxesORD006::kInternational, 25, true},
                                      {121, 4, 1, 0, CBoxesORD006::kImage, 14, true},
                                      {125, 3, 3, 0, CBoxesORD006::kFunds, 4, true}};
  for (const Clear& c : kClears)
    for (int r = 0; r < c.rows; ++r)
      if (position == c.first + c.stride * r + c.offset) {
        if (c.ask && Ask("100I007", MessageIcon::Information) != 1) return 0;
        list->OnRowTableEvent(c.table, r, c.event, 0);
      }
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

int ORD006::OnBoxValueChanged(int position) {
  CBoxesORD006* list = List();
  if (!list) return 0;
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  bool handled = true;
  if (position == 4 || position == 21 || position == 38) {
    const int r = (position - 4) / 17;
    ev(CBoxesORD006::kEntities, r, 19);
    ev(CBoxesORD006::kEntities, r, 20);
    CScrollRowTable* t = Table(CBoxesORD006::kEntities);
    SyncHolderAmount(HolderOf(t, r, 0), t->FirstVisible() + r);
    buttons_.Update();
  } else if (position == 63 || position == 77 || position == 91) {
    const int r = (position - 63) / 14;
    ev(CBoxesORD006::kTransparency, r, 28);
    ev(CBoxesORD006::kTransparency, r, 27);
    buttons_.Update();
  } else if (position == 65 || position == 79 || position == 93) {
    const int r = (position - 65) / 14;
    ev(CBoxesORD006::kTransparency, r, 28);
    const std::uint8_t c = HolderOf(Table(CBoxesORD006::kTransparency), r, 12);
    // A type-4 imputation may be negative.
    if (CBoxField* amount = GetBox(67 + 14 * r - 1)) amount->AdmitNega = c == '4' ? 1 : 0;
    if (c == '2' || c == '3') {
      ShowTransparency(r);
      ev(CBoxesORD006::kTransparency, r, 28);
    }
    buttons_.Update();
  } else if (position == 66 || position == 80 || position == 94) {
    ev(CBoxesORD006::kTransparency, (position - 66) / 14, 28);
  } else if (position == 108 || position == 112 || position == 116) {
    const int r = (position - 108) / 4;
    ev(CBoxesORD006::kInternational, r, 24);
    ev(CBoxesORD006::kInternational, r, 25);
    buttons_.Update();
  } else if (position == 110 || position == 114 || position == 118) {
    ev(CBoxesORD006::kInternational, (position - 110) / 4, 24);
  } else if (position == 121) {
    ev(CBoxesORD006::kImage, 0, 15);
    ev(CBoxesORD006::kImage, 0, 14);
  } else if (position == 125 || position == 128 || position == 131) {
    const int r = (position - 125) / 3;
    ev(CBoxesORD006::kFunds, r, 3);
    ev(CBoxesORD006::kFunds, r, 4);
    buttons_.Update();
  } else {
    handled = false;
  }
  if (!handled) return 0;
  FullCalculation();
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

int ORD006::OnBoxSubDialogValue(int position) {
  CBoxesORD006* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  if (position >= 4 && position <= 54 && ((position - 4) % 17 == 3 || (position - 4) % 17 == 9))
    list->OnRowTableEvent(CBoxesORD006::kEntities, (position - 4) / 17, 19, 0);
  else if (position >= 63 && position <= 104 && ((position - 63) % 14 == 8 || (position - 63) % 14 == 10 ||
                                                 (position - 63) % 14 == 11))
    list->OnRowTableEvent(CBoxesORD006::kTransparency, (position - 63) / 14, 28, 0);
  else if (position == 124)
    list->OnRowTableEvent(CBoxesORD006::kImage, 0, 15, 0);
  FullCalculation();
  ReloadAllRows();
  RepaintBoxes();
  RepaintBoxes();
  d->Model().WrittenAll();
  return 0;
}

}  // namespace forms

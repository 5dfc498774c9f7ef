#include "forms/pages/ord005.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e5.h"
#include "data/program_state.h"
#include "forms/pages/activity_openers.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "tallyvex.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

namespace e5 = f100::sec_e5;

// The record offset of the first of the four cells of group g (0-11): two figures of one product
// group, the income of the next and that group's products.
constexpr int kGroupCells[] = {208, 312, 504, 608, 712, 904, 1008, 1200, 1304, 1496, 1600, 1704};

constexpr auto kCells = [] {
  std::array<RowCellRange, 10 + std::size(kGroupCells)> c{};
  std::size_t n = 0;
  for (const RowCellRange r : {RowCellRange{0, 1, 1}, RowCellRange{1, 1, 4}, RowCellRange{2, 1, 0},
                               RowCellRange{3, 1, 8}, RowCellRange{4, 1, 16}, RowCellRange{5, 2, 56}})
    c[n++] = r;
  for (std::size_t g = 0; g < std::size(kGroupCells); ++g)
    c[n++] = {7 + 4 * static_cast<int>(g), 4, kGroupCells[g]};
  c[n++] = {55, 5, 1808};
  c[n++] = {60, 1, 1888};
  c[n++] = {61, 1, 0};
  c[n++] = {62, 5, 1936};
  // 67-75 and the record itself (76) follow.
  return c;
}();
constexpr RowCellRange kTailCells[] = {{67, 9, 1984}, {76, 1, 0}};

constexpr auto kAllCells = [] {
  std::array<RowCellRange, std::size(kCells) + std::size(kTailCells)> c{};
  std::size_t n = 0;
  for (const RowCellRange& r : kCells) c[n++] = r;
  for (const RowCellRange& r : kTailCells) c[n++] = r;
  return c;
}();

// Activities have their own records: a spouse's view shows no common record.
const RowTableModel kModel{"ORD005", CBoxesORD005::kTableId, f100::SectionE5.offset, static_cast<int>(e5::kRowSize),
                           e5::kRows, CBoxesORD005::kVisibleRows, kAllCells, {}, false, false, 0, 1, {}};

// The yes/no answers of an empty record are unanswered.
constexpr std::size_t kAnswers[] = {16, 17, 32, 33, 34};
constexpr std::uint8_t kUnanswered = 0xFF;
// What an activity's reset clears: byte ranges, then the totals (amounts) and single bytes.
struct Range {
  std::size_t from, to;  // inclusive
};
constexpr Range kActivityRanges[] = {{64, 207},    {232, 311},   {336, 503},   {528, 607},   {632, 711},
                                     {736, 903},   {928, 1007},  {1032, 1199}, {1224, 1303}, {1328, 1495},
                                     {1520, 1599}, {1624, 1703}, {1728, 1807}, {1848, 1887}, {1896, 1935}};
constexpr std::size_t kTotals[] = {1832, 1840, 1888, 1936, 1944, 1952, 1960, 1968,
                                   1984, 2008, 2016, 2024, 2032, 2040};
constexpr std::size_t kTotalBytes[] = {8, 1976};
constexpr int kAnswerOk = 1, kAnswerCorrect = 8;

void ClearTotals(std::uint8_t* rec) {
  for (std::size_t o : kTotals) blocks::F64{o}.set(rec, 0.0);
  for (std::size_t o : kTotalBytes) rec[o] = 0;
}

void MarkUnanswered(std::uint8_t* rec) {
  for (std::size_t o : kAnswers) rec[o] = kUnanswered;
}

std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

}  // namespace

// ---------------------------------------------------------------- the row table

CRowTableORD005::CRowTableORD005(std::span<std::uint8_t> block) : CScrollRowTable(kModel, block) {}

bool CRowTableORD005::RowCountsAsFilled(int working) const {
  if (working + 1 >= Capacity()) return false;
  const std::uint8_t c = Working(working + 1)[1];
  return c >= 1 && c <= 127;
}

void CRowTableORD005::ResetActivityData(int working, bool ask) {
  if (working < 0 || working >= Capacity() || block_.empty()) return;
  if (!ask) {
    ClearTotals(Stored(working));
    ShowRecord(working, working);
    return;
  }
  if ((question ? question("100P001") : 1) != 1) {
    ShowRecord(working, working);
    return;
  }
  std::uint8_t* rec = Working(working);
  e5::StaffCost.set(rec, 0.0);
  MarkUnanswered(rec);
  e5::Withholdings.set(rec, 0.0);
  e5::InstalmentPayments.set(rec, 0.0);
  for (const Range& r : kActivityRanges) std::memset(rec + r.from, 0, r.to - r.from + 1);
  ClearTotals(rec);
}

int CRowTableORD005::OnCellChange(int row, int event, int flag) {
  const int i = first_ + row;
  if (row < 0 || i >= Capacity() || block_.empty()) return 0;
  switch (event) {
    case kCommit: CommitRow(i); break;
    case kReload: ShowRecord(i, i); break;
    case kDelete: {
      const std::uint8_t c = Working(i)[1];
      if (c != 0 && c != ' ') break;
      const int last = Capacity() - 1;
      std::memset(Working(i), 0, Size());
      CommitRow(i);
      for (int k = i; k < last; ++k) {
        if (Working(k + 1)[0] == 0) MarkUnanswered(Working(k + 1));
        std::memcpy(Working(k), Working(k + 1), Size());
        CommitRow(k);
      }
      std::memset(Working(last), 0, Size());
      MarkUnanswered(Working(last));
      CommitRow(last);
      break;
    }
    case kReset: ResetActivityData(i, flag == 1); break;
    default: break;
  }
  return 0;
}

// ---------------------------------------------------------------- the list

CBoxesORD005::CBoxesORD005(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(kCode, block, memberIndex) {}

int CBoxesORD005::RowOf(int position) {
  const int i = position - kFirstRowBox;
  return i >= 0 && i < kVisibleRows * kBoxesPerRow ? i / kBoxesPerRow : -1;
}

int CBoxesORD005::BoxOf(int position) {
  const int i = position - kFirstRowBox;
  return i >= 0 && i < kVisibleRows * kBoxesPerRow ? i % kBoxesPerRow : -1;
}

int CBoxesORD005::CellOf(int box) {
  if (box == 0) return 2;
  if (box == 1) return 0;
  if (box == 2) return 3;
  if (box == 3) return 5;
  if (box >= 4 && box < 40) return 7 + 4 * ((box - 4) / 3) + (box - 4) % 3;
  if (box >= 40 && box <= 44) return 55 + box - 40;
  if (box == 45) return 60;
  if (box >= 46 && box <= 50) return 62 + box - 46;
  if (box == 51) return 69;
  if (box == 52) return 67;
  if (box == 53) return 68;
  if (box >= 54 && box <= 59) return 70 + box - 54;
  return -1;
}

double CBoxesORD005::Amount(int row, int cell) const {
  const std::uint8_t* p = Cell(row, cell);
  return p ? blocks::F64{0}.get(p) : 0.0;
}

int CBoxesORD005::KeyValue(int row) const {
  const std::uint8_t* key = Cell(row, 0);
  if (!key) return 0;
  char text[4] = {};
  std::memcpy(text, key, 3);
  return std::atoi(text);
}

void CBoxesORD005::SetReadOnly(int position, bool readOnly) {
  if (CBoxField* box = Position(position)) box->SoloLectur = readOnly || !box->data ? 1 : 0;
}

void CBoxesORD005::BindRow(int row) {
  if (!table_) return;
  const int number = table_->FirstVisible() + row;
  auto& links = links_[static_cast<std::size_t>(row)];
  links = {};
  for (int j = 0; j < kBoxesPerRow; ++j) {
    CBoxField* box = Position(PositionOf(row, j));
    if (!box) continue;
    box->data = Cell(row, CellOf(j));
    box->option = nullptr;
  }
  auto link = [&](int box, int cell, int kind) {
    links[static_cast<std::size_t>(kind)] = {Cell(row, cell), number, kind};
    if (CBoxField* b = Position(PositionOf(row, box))) b->option = &links[static_cast<std::size_t>(kind)];
  };
  link(3, 6, 1);
  for (int g = 0; g < 12; ++g) link(6 + 3 * g, 10 + 4 * g, g + 2);
  if (CBoxField* b = Position(PositionOf(row, kHolderBox))) b->option = Cell(row, 4);
  if (CBoxField* b = Position(PositionOf(row, kKeyBox))) {
    b->decimals = -1;  // the key is chosen in "Seleccionar Actividad"
    b->option = Cell(row, 76);
  }
  const std::uint8_t* key = Cell(row, 0);
  const bool deductions = key && (*key == '1' || *key == '3' || *key == '7');
  for (int box : {kDeductions1Box, kDeductions2Box})
    if (CBoxField* b = Position(PositionOf(row, box))) b->option = deductions ? Cell(row, 61) : nullptr;
}

void CBoxesORD005::EnableRows(int from) {
  if (!table_) return;
  for (int r = std::max(from, 0); r < kVisibleRows; ++r) {
    const int b = PositionOf(r, 0);
    const int code = KeyValue(r);
    const std::uint8_t* key = Cell(r, 0);
    const char c = key ? static_cast<char>(*key) : '\0';
    const std::uint8_t own = table_->GetRowOwnerInput(table_->FirstVisible() + r);
    bool open = true;
    if (r == 1) {
      open = (table_->GetRowOwnerInput(0) != 0 && KeyValue(0) > 0) || code > 0;
      SetReadOnly(b + 1, !open);
    } else if (CBoxField* box = Position(b + 1)) {
      box->SoloLectur = box->loadedReadOnly || !box->data ? 1 : 0;
    }
    if (open) {
      SetReadOnly(b, code <= 0);
      const std::uint8_t* holder = Cell(r, 2);
      SetReadOnly(b + 2, !(code > 0 && holder && *holder != 0));
    } else {
      SetReadOnly(b, true);
      SetReadOnly(b + 2, true);
    }
    for (int k = 1; k <= 17; ++k) SetReadOnly(b + 3 * k, true);
    const bool f = own != 0 && code > 0;
    if (f && c >= '1' && c <= '9') {
      // The product groups each key takes (0 ends a list).
      static constexpr int kKinds[9][12] = {
          {1, 3, 4, 6, 7, 8, 9, 10, 12, 13}, {2, 5, 13}, {1, 4, 7, 9, 12}, {12, 13}, {11, 13}, {11, 13},
          {1, 3, 4, 6, 7, 8, 9, 10, 12},     {2, 5},     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12},
      };
      for (int n : kKinds[c - '1'])
        if (n != 0) SetReadOnly(b + 3 * n, false);
    }
    if (f) {
      SetReadOnly(b + kDeductions2Box, c == '2' || c == '6' || c == '8');
      SetReadOnly(b + kDeductions1Box, c == '2' || c == '6' || c == '8' || c == '9');
      SetReadOnly(b + kFirstReductionBox, false);
      SetReadOnly(b + kSecondReductionBox, false);
    } else {
      for (int box : {kDeductions1Box, kDeductions2Box, kFirstReductionBox, kSecondReductionBox})
        SetReadOnly(b + box, true);
    }
  }
}

void CBoxesORD005::CountSheets() {
  continuationSheets = 0;
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f100::SectionE5.offset + f100::SectionE5.size) return;
  const int shown = GetCurrentHolder();
  int n = 0;
  for (int i = 0; i < e5::kRows; ++i) {
    const std::uint8_t* rec = block.data() + f100::SectionE5.offset + static_cast<std::size_t>(i) * e5::kRowSize;
    if (e5::Activity.get(rec) > 0 && (shown <= 1 || rec[0] == shown)) ++n;
  }
  int sheets = n / 2;
  if (sheets > 0) sheets += n % 2 - 1;
  continuationSheets = sheets;
}

void CBoxesORD005::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  sheetShown_ = 1;
  CBindingTableList::BindPageData(0);
  table_ = std::make_unique<CRowTableORD005>(Block());
  table_->question = [this](std::string_view code) { return question ? question(code) : 1; };
  BindRow(0);
  BindRow(1);
  EnableRows(0);
  CountSheets();
}

void CBoxesORD005::ReleasePageData() {
  for (int r = 0; r < kVisibleRows; ++r)
    for (int j = 0; j < kBoxesPerRow; ++j)
      if (CBoxField* box = Position(PositionOf(r, j))) {
        box->data = nullptr;
        box->option = nullptr;
      }
  links_ = {};
  table_.reset();
  sheetTitle_ = {};
  if (CBoxField* box = Position(kSheetTitle)) box->data = nullptr;
  CBindingTableList::ReleasePageData();
}

void CBoxesORD005::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  if (table_) {
    const int holder = GetCurrentHolder();
    table_->SetOwnerFilterAndRefresh(static_cast<std::uint8_t>(holder >= 1 ? holder : 1));
  }
  BindRow(0);
  BindRow(1);
  EnableRows(0);
  CountSheets();
}

int CBoxesORD005::ShowActivityInformation(int row) {
  const AgrarianInformationOpener& open = AgrarianInformation();
  const std::span<std::uint8_t> block = Block();
  if (!table_ || block.empty()) return 0;
  // The dialog works on the stored record: the row is stored first, and a cancelled dialog
  // leaves what was typed in the row.
  table_->OnCellChange(row, CRowTableORD005::kCommit, 0);
  return open ? open(block.data(), table_->FirstVisible() + row) : 0;
}

int CBoxesORD005::OnRowTableEvent(int /*table*/, int row, int event, int /*extra*/) {
  if (!table_ || row < 0 || row >= kVisibleRows) return 0;
  const bool filtered = table_->Filter() != 1 && HouseholdHasSeveralHolders();
  auto rebind = [this] {
    BindRow(0);
    BindRow(1);
    EnableRows(0);
  };
  int result = 0;
  switch (event) {
    case -2: result = table_->CanScroll(row != 0 ? 1 : 0) ? 1 : 0; break;
    case -1:
      result = table_->Scroll(row != 0 ? 1 : 0);
      rebind();
      break;
    case CRowTableORD005::kCommit:
    case CRowTableORD005::kDelete:
      // A member's filtered rows are for display: storing one would overwrite another record.
      if (filtered) break;
      table_->OnCellChange(row, event, event == CRowTableORD005::kDelete ? 1 : 0);
      rebind();
      break;
    case CRowTableORD005::kReload:
      table_->OnCellChange(row, event, 0);
      rebind();
      break;
    case kInformation: {
      if (table_->GetRowOwnerInput(table_->FirstVisible() + row) == 0 || filtered) break;
      if (ShowActivityInformation(row) == kAnswerOk) {
        table_->OnCellChange(row, CRowTableORD005::kReload, 0);
        table_->OnCellChange(row, CRowTableORD005::kCommit, 0);
        if (onModified) onModified();
      } else {
        table_->OnCellChange(row, CRowTableORD005::kReload, 0);
      }
      rebind();
      result = 1;
      break;
    }
    case kHolderChanged: {
      const int i = table_->FirstVisible() + row;
      const std::uint8_t stored = table_->GetRecordOwner(i);
      if (!filtered && stored != 0 && stored != table_->GetRowOwnerInput(i)) {
        table_->OnCellChange(row, CRowTableORD005::kReset, 1);
        EnableRows(row);
      }
      break;
    }
    default: break;
  }
  CountSheets();
  return result;
}

bool CBoxesORD005::SelectSheet(int sheet, int printing) {
  sheetDigit_.fill(' ');
  sheetDigit_.back() = '\0';
  if (sheet == 1) {
    BindPageData(1);
    ApplyHolderMode();
    if (continuationSheets > 0) {
      std::memset(sheetDigit_.data(), continuationSheets == 1 ? '1' : '2', sheetDigit_.size() - 1);
      if (CBoxField* box = Position(kSheetBox)) {
        box->data = sheetDigit_.data();
        box->StrValidac = "S1*5.0          ";
        box->fminternet = "010X" + (box->fminternet.size() > 4 ? box->fminternet.substr(4) : std::string());
      }
    }
    RefreshSheet(0);
    return true;
  }
  if (sheet < 1 || sheet > continuationSheets + 1) {
    sheetTitle_ = {};
    if (CBoxField* box = Position(kSheetTitle)) box->data = nullptr;
    return false;
  }
  if (sheet == sheetShown_) return true;
  const std::string title = platform::Utf8ToCp1252(platform::LoadString(96800).toStdString());
  sheetTitle_ = {};
  std::memcpy(sheetTitle_.data(), title.data(), std::min(title.size(), sheetTitle_.size() - 1));
  if (table_) {
    if (filing || sheet == 2) table_->PageDown();
    else if (sheet == 3) {
      table_->PageDown();
      if (printing == 1) table_->PageDown();
    }
  }
  BindRow(0);
  BindRow(1);
  for (int p : {kTotals, kNetYields, kSheetBox})
    if (CBoxField* box = Position(p)) box->data = nullptr;
  if (CBoxField* box = Position(kSheetTitle)) box->data = sheetTitle_.data();
  sheetShown_ = sheet;
  RefreshSheet(0);
  return true;
}

// ---------------------------------------------------------------- the view

ORD005::ORD005(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode, std::make_unique<CBoxesORD005>(DocumentBlock(host)), parent),
      buttons_(*this, kNextCommand, kPreviousCommand),
      info0_(*this, kInfoRow0),
      info1_(*this, kInfoRow1) {
  buttons_.onPress = [this](int direction) { ScrollRows(direction); };
  info0_.onPress = [this] { ShowInformation(0); };
  info1_.onPress = [this] { ShowInformation(1); };
  Rows()->onModified = [this] {
    if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
  };
  Rows()->question = [this](std::string_view code) { return Ask(code, MessageIcon::Information); };
}

int ORD005::Ask(std::string_view code, MessageIcon icon) {
  IMessageService* m = Host().Messages();
  return m ? m->ShowMessage(code, icon) : kAnswerOk;
}

int ORD005::Event(int row, int event) {
  CBoxesORD005* list = Rows();
  return list ? list->OnRowTableEvent(CBoxesORD005::kTableId, row, event, 0) : 0;
}

void ORD005::Reload(int first) {
  Event(first, CRowTableORD005::kReload);
  Event(1 - first, CRowTableORD005::kReload);
}

void ORD005::Calculate() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
}

void ORD005::Ending() {
  Calculate();
  Host().UpdateAllViews(kHintRepaintBoxes);
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
}

void ORD005::UpdateRowButtons() {
  buttons_.Update(Event(0, -2) != 0, Event(1, -2) != 0);
}

int ORD005::OnBoxEdited(int position) {
  CBoxesORD005* list = Rows();
  const int row = CBoxesORD005::RowOf(position);
  const int box = CBoxesORD005::BoxOf(position);
  bool warn = false;
  if (list && row >= 0) {
    const double x = list->Amount(row, 73), y = list->Amount(row, 74);
    switch (box) {
      case CBoxesORD005::kHolderBox:
      case CBoxesORD005::kKeyBox:
        Event(row, CRowTableORD005::kCommit);
        UpdateRowButtons();
        break;
      case CBoxesORD005::kDeductions1Box:
      case CBoxesORD005::kDeductions2Box:
      case CBoxesORD005::kFirstReductionBox: Event(row, CRowTableORD005::kCommit); break;
      case CBoxesORD005::kReducedNetBox: warn = x > 0 && y > 0.4 * x + 0.5; break;
      case CBoxesORD005::kSecondReductionBox:
        Event(row, CRowTableORD005::kCommit);
        Reload(row);
        warn = y > 0 && y > 0.4 * x + 0.5;
        break;
      default: break;
    }
  }
  Calculate();
  Reload(0);
  Host().UpdateAllViews(kHintRepaintBoxes);
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
  if (warn && Ask("100P029", MessageIcon::Information) == kAnswerCorrect) return 0;
  return 1;
}

int ORD005::OnBoxSubDialogValue(int position) {
  const int row = CBoxesORD005::RowOf(position);
  const int box = CBoxesORD005::BoxOf(position);
  if (row >= 0 && box == CBoxesORD005::kHolderBox && row == 0) {
    Event(0, CBoxesORD005::kHolderChanged);
    if (Event(0, CBoxesORD005::kInformation) != 0) Event(0, CRowTableORD005::kCommit);
    Event(0, CRowTableORD005::kCommit);
    Calculate();
    Reload(0);
    UpdateRowButtons();
  } else if (row >= 0 && box == CBoxesORD005::kKeyBox) {
    Event(row, CRowTableORD005::kCommit);
    Event(row, CRowTableORD005::kDelete);
    UpdateRowButtons();
  } else if (row == 1 && box == CBoxesORD005::kHolderBox) {
    Event(1, CRowTableORD005::kCommit);
    UpdateRowButtons();
  }
  Event(0, CRowTableORD005::kCommit);
  Event(1, CRowTableORD005::kCommit);
  Calculate();
  Host().UpdateAllViews(kHintRepaintBoxes);
  RepaintBoxes();
  Reload(0);
  if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
  return 1;
}

int ORD005::OnBoxValueChanged(int position) {
  const int row = CBoxesORD005::RowOf(position);
  const int box = CBoxesORD005::BoxOf(position);
  doc::CProg32Doc* d = GetDocument();
  if (row >= 0 && box == CBoxesORD005::kHolderBox) {
    Event(row, CBoxesORD005::kHolderChanged);
    if (Event(row, CBoxesORD005::kInformation) != 0) Event(row, CRowTableORD005::kCommit);
    Event(row, CRowTableORD005::kCommit);
    Calculate();
    Reload(row);
    UpdateRowButtons();
  } else if (row >= 0 && box == CBoxesORD005::kKeyBox) {
    Event(row, CRowTableORD005::kCommit);
    Calculate();
    Reload(row);
    UpdateRowButtons();
  } else {
    if (row >= 0 && box == CBoxesORD005::kDescriptionBox) Event(row, CRowTableORD005::kCommit);
    if (d) d->SetModifiedFlag(true);
    return 0;
  }
  Ending();
  return 1;
}

int ORD005::OnBoxValueCleared(int position) {
  const int row = CBoxesORD005::RowOf(position);
  const int box = CBoxesORD005::BoxOf(position);
  if (row >= 0 && box == CBoxesORD005::kKeyBox) {
    Event(row, CRowTableORD005::kCommit);
    Event(row, CRowTableORD005::kDelete);
    Calculate();
    Reload(row);
    UpdateRowButtons();
  } else if (row >= 0 && box == CBoxesORD005::kDescriptionBox) {
    Event(row, CRowTableORD005::kCommit);
  }
  Calculate();
  RepaintBoxes();
  Host().UpdateAllViews(kHintRepaintBoxes);
  return 1;
}

void ORD005::ShowInformation(int row) {
  if (GetCurrentHolder() != doc::kFamilyUnit && CEditEx::HasOtherMembers())
    Ask("100R025", MessageIcon::Warning);
  if (Event(row, CBoxesORD005::kInformation) != 1) return;
  doc::CProg32Doc* d = GetDocument();
  if (d) {
    d->SetModifiedFlag(true);
    if (d->Block().size() >= f100::SectionE5.offset + f100::SectionE5.size)
      Calculos100E5(d->Block().data() + f100::SectionE5.offset);
  }
  Calculate();
  Reload(row);
  UpdateRowButtons();
  Host().UpdateAllViews(kHintRepaintBoxes);
  RepaintBoxes();
  GoToBox(CBoxesORD005::PositionOf(row, CBoxesORD005::kKeyBox) - 1);
}

void ORD005::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  UpdateRowButtons();
}

bool ORD005::InitPageControls() {
  const bool base = CPage100::InitPageControls();
  if (!buttons_.Create() || !info0_.Create() || !info1_.Create()) {
    Ask("WIN025", MessageIcon::Warning);
    return false;
  }
  RepositionPageControls();
  UpdateRowButtons();
  return base;
}

void ORD005::RepositionPageControls() {
  if (CBoxField* anchor = GetBox(CBoxesORD005::PositionOf(1, 0) - 1)) {
    const QRect r = anchor->Area();
    const int x = r.right() + r.height();
    buttons_.Place(QPoint(x - 23, r.top() - 80 + 40), QPoint(x - 45, r.top() - 80 + 40));
    info1_.Place(r);
  }
  if (CBoxField* anchor = GetBox(CBoxesORD005::PositionOf(0, 0) - 1)) info0_.Place(anchor->Area());
}

bool ORD005::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  CEditEx* e = Editor();
  if (key != Qt::Key_F3 && key != Qt::Key_F4 && key != Qt::Key_F7) return CPage100::HandleNavigationKey(key, mods);
  if (!e) return true;
  const int position = e->GetDlgCtrlID();
  if (key == Qt::Key_F7) {
    const int row = position == CBoxesORD005::PositionOf(0, 0) ? 0 : position == CBoxesORD005::PositionOf(1, 0) ? 1 : -1;
    if (row < 0) return CPage100::HandleNavigationKey(key, mods);
    QToolButton* b = InfoButton(row).Button();
    if (b && b->isEnabled()) ShowInformation(row);
    if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
    Calculate();
    if (CEditEx* now = Editor()) now->LoadFromData(1);
    RepaintBoxes();
    return true;
  }
  if (CBoxesORD005::RowOf(position) >= 0) {
    QToolButton* b = key == Qt::Key_F4 ? buttons_.Next() : buttons_.Previous();
    if (b && b->isEnabled()) ScrollRows(key == Qt::Key_F4 ? 0 : 1);
  }
  return CPage100::HandleNavigationKey(key, mods);
}

void ORD005::ScrollRows(int direction) {
  if (CEditEx* e = Editor(); e && e->IsModifiedEx()) {
    e->StoreToData();
    if (OnBoxEdited(e->GetDlgCtrlID()) != 1) return;
    if (doc::CProg32Doc* d = GetDocument()) d->SetModifiedFlag(true);
    e->SetModifiedEx(false);
    RepaintBoxes();
  }
  Calculate();
  Event(direction, -1);
  const int shown = GetCurrentHolder();
  if (shown <= doc::kFamilyUnit || (shown == doc::kDeclarant && !doc::State().familyUnitCopy)) Reload(0);
  UpdateRowButtons();
  RepaintBoxes();
  if (Editor()) {
    const CBoxField* target = GetBox(CBoxesORD005::PositionOf(1, 2) - 1);
    GoToBox(target && target->SoloLectur == 0 ? CBoxesORD005::PositionOf(1, 2) - 1 : CBoxesORD005::PositionOf(1, 1) - 1);
  }
}

}  // namespace forms

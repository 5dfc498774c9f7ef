#include "forms/pages/ord005.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e5.h"
#include "data/doc/active_declaration.h"
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

constexpr int kCleared[] = {CBoxesORD005::kTotals, CBoxesORD005::kNetYields, CBoxesORD005::kSheetBox};
constexpr ActivitySection kSection{CBoxesORD005::kCode, CBoxesORD005::kFirstRowBox, CBoxesORD005::kBoxesPerRow,
                                   CBoxesORD005::kSheetBox, CBoxesORD005::kSheetTitle, kCleared, "#####",
                                   "S1*5.0          ", "010X", f100::SectionE5.offset, e5::kRowSize, e5::kRows,
                                   e5::Activity.off, CBoxesORD005::kHolderBox};

CBoxesORD005::CBoxesORD005(std::span<std::uint8_t> block, int memberIndex)
    : CActivityRowsList(kSection, block, memberIndex) {}

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

int CBoxesORD005::KeyValue(int row) const {
  const std::uint8_t* key = Cell(row, 0);
  if (!key) return 0;
  char text[4] = {};
  std::memcpy(text, key, 3);
  return std::atoi(text);
}

std::unique_ptr<CScrollRowTable> CBoxesORD005::MakeTable() {
  auto table = std::make_unique<CRowTableORD005>(Block());
  table->question = [this](std::string_view code) { return Ask(code, MessageIcon::Information); };
  return table;
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
  if (event < 0) return ScrollEvent(row, event);
  CRowTableORD005* table = Rows();
  const bool filtered = Filtered();
  auto rebind = [this] {
    BindRows();
    EnableRows(0);
  };
  int result = 0;
  switch (event) {
    case CRowTableORD005::kCommit:
    case CRowTableORD005::kDelete:
      // A member's filtered rows are for display: storing one would overwrite another record.
      if (filtered) break;
      table->OnCellChange(row, event, event == CRowTableORD005::kDelete ? 1 : 0);
      rebind();
      break;
    case CRowTableORD005::kReload:
      table->OnCellChange(row, event, 0);
      rebind();
      break;
    case kInformation: {
      if (table->GetRowOwnerInput(table->FirstVisible() + row) == 0 || filtered) break;
      if (ShowActivityInformation(row) == kAnswerOk) {
        table->OnCellChange(row, CRowTableORD005::kReload, 0);
        table->OnCellChange(row, CRowTableORD005::kCommit, 0);
        if (onModified) onModified();
      } else {
        table->OnCellChange(row, CRowTableORD005::kReload, 0);
      }
      rebind();
      result = 1;
      break;
    }
    case kHolderChanged: {
      const int i = table->FirstVisible() + row;
      const std::uint8_t stored = table->GetRecordOwner(i);
      if (!filtered && stored != 0 && stored != table->GetRowOwnerInput(i)) {
        table->OnCellChange(row, CRowTableORD005::kReset, 1);
        EnableRows(row);
      }
      break;
    }
    default: break;
  }
  CountSheets();
  return result;
}

// ---------------------------------------------------------------- the view

ORD005::ORD005(IPageHost& host, QWidget* parent)
    : CActivityPage(host, kCode, std::make_unique<CBoxesORD005>(DocumentBlock(host)), CBoxesORD005::kInformation,
                    {{CBoxesORD005::kTableId, CBoxesORD005::PositionOf(1, 0), -45, -40, CBoxesORD005::PositionOf(0, 0),
                      CBoxesORD005::PositionOf(1, CBoxesORD005::kBoxesPerRow - 1)}},
                    {}, parent) {
  buttons_.onPress = [this](int, int direction) { ScrollRows(direction); };
}

void ORD005::Reload(int first) {
  Event(first, CRowTableORD005::kReload);
  Event(1 - first, CRowTableORD005::kReload);
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
        buttons_.Update();
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
  RepaintBoxes();
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
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
    buttons_.Update();
  } else if (row >= 0 && box == CBoxesORD005::kKeyBox) {
    Event(row, CRowTableORD005::kCommit);
    Event(row, CRowTableORD005::kDelete);
    buttons_.Update();
  } else if (row == 1 && box == CBoxesORD005::kHolderBox) {
    Event(1, CRowTableORD005::kCommit);
    buttons_.Update();
  }
  Event(0, CRowTableORD005::kCommit);
  Event(1, CRowTableORD005::kCommit);
  Calculate();
  RepaintBoxes();
  RepaintBoxes();
  Reload(0);
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
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
    buttons_.Update();
  } else if (row >= 0 && box == CBoxesORD005::kKeyBox) {
    Event(row, CRowTableORD005::kCommit);
    Calculate();
    Reload(row);
    buttons_.Update();
  } else {
    if (row >= 0 && box == CBoxesORD005::kDescriptionBox) Event(row, CRowTableORD005::kCommit);
    if (d) d->Model().WrittenAll();
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
    buttons_.Update();
  } else if (row >= 0 && box == CBoxesORD005::kDescriptionBox) {
    Event(row, CRowTableORD005::kCommit);
  }
  Calculate();
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

void ORD005::InformationTaken(int row) {
  if (doc::CProg32Doc* d = GetDocument(); d && d->Block().size() >= f100::SectionE5.offset + f100::SectionE5.size)
    Calculos100E5(d->Block().data() + f100::SectionE5.offset);
  Calculate();
  Reload(row);
}

void ORD005::ScrollRows(int direction) {
  if (CEditEx* e = Editor(); e && e->IsModifiedEx()) {
    e->StoreToData();
    if (OnBoxEdited(e->GetDlgCtrlID()) != 1) return;
    if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
    e->SetModifiedEx(false);
    RepaintBoxes();
  }
  Calculate();
  Event(direction, -1);
  const int shown = doc::ShownMember();
  if (shown <= doc::kFamilyUnit || (shown == doc::kDeclarant && !doc::FamilyUnitCopy())) Reload(0);
  buttons_.Update();
  RepaintBoxes();
  if (Editor()) {
    const CBoxField* target = GetBox(CBoxesORD005::PositionOf(1, 2) - 1);
    GoToBox(target && target->SoloLectur == 0 ? CBoxesORD005::PositionOf(1, 2) - 1 : CBoxesORD005::PositionOf(1, 1) - 1);
  }
}

}  // namespace forms

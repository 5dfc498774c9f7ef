#include "forms/pages/ord004.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "data/doc/active_declaration.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "tallyvex.h"
#include "ui/annex_dlg.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;

constexpr int kModuleCells = 7;  // per module: kind, name, text, units, values, per unit, yield
constexpr std::size_t kInfoOffset = 24, kInfoSize = 72;

constexpr auto kCells = [] {
  std::array<RowCellRange, 6 + 4 * e4::kModuleCount + 5> c{};
  std::size_t n = 0;
  for (const RowCellRange r : {RowCellRange{0, 1, 1}, RowCellRange{1, 1, 8}, RowCellRange{2, 1, 12},
                               RowCellRange{3, 1, 0}, RowCellRange{4, 1, 24}, RowCellRange{5, 1, 96}})
    c[n++] = r;
  for (int k = 0; k < e4::kModuleCount; ++k) {
    const int b = static_cast<int>(e4::kModules + e4::kModuleSize * static_cast<std::size_t>(k));
    const int first = 6 + kModuleCells * k;
    c[n++] = {first, 2, b, 1};
    c[n++] = {first + 2, 1, b + 25};
    c[n++] = {first + 3, 2, b + 40};
    c[n++] = {first + 5, 2, b + 152};
  }
  c[n++] = {55, 9, 1272};
  c[n++] = {64, 1, 1352};
  c[n++] = {65, 5, 1376};
  c[n++] = {70, 1, 0};
  c[n++] = {71, e4::kModuleCount, static_cast<int>(e4::kModules), static_cast<int>(e4::kModuleSize)};
  return c;
}();

// Activities have their own records: a spouse's view shows no common record.
const RowTableModel kModel{"ORD004", CBoxesORD004::kTableId, f100::SectionE4.offset, static_cast<int>(e4::kRowSize),
                           e4::kRows, CBoxesORD004::kVisibleRows, kCells, {}, false, false, 0, 1, {}};

// What a change of activity clears in a record: the module values, then the totals.
constexpr std::size_t kTotals[] = {1272, 1280, 1288, 1296, 1304, 1312, 1320, 1328, 1336,
                                   1352, 1360, 1376, 1384, 1392, 1400, 1408};
constexpr std::size_t kUnitsAt = 40, kValuesAt = 48, kValuesEnd = 152, kYieldAt = 160, kPreviousUnitsAt = 144;
constexpr std::size_t kChangedByte = 1368;
constexpr int kAnswerOk = 1, kAnswerContinue = 3, kAnswerCorrect = 8;

std::uint8_t* Module(std::uint8_t* rec, int k) {
  return rec + e4::kModules + e4::kModuleSize * static_cast<std::size_t>(k);
}

void ClearModuleValues(std::uint8_t* rec) {
  for (int k = 0; k < e4::kModuleCount; ++k) {
    std::uint8_t* b = Module(rec, k);
    blocks::F64{kUnitsAt}.set(b, 0.0);
    blocks::F64{kYieldAt}.set(b, 0.0);
    std::memset(b + kValuesAt, 0, kValuesEnd - kValuesAt);
  }
  for (std::size_t o : kTotals) blocks::F64{o}.set(rec, 0.0);
}

bool AlphaNumeric(std::uint8_t c) { return c < 0x80 && std::isalnum(c) != 0; }

// Characters 2 to `width` of a text hold a letter or digit.
bool Filled(const std::uint8_t* text, std::size_t width) {
  if (!text) return false;
  for (std::size_t i = 1; i < width; ++i)
    if (AlphaNumeric(text[i])) return true;
  return false;
}

bool Dashes(const std::uint8_t* text) { return text && std::memcmp(text, "---", 3) == 0; }

bool TextEmpty(const std::uint8_t* text) { return !text || text[0] == 0 || text[0] == ' '; }

// The activity information dialog of an activity and the name it goes by.
struct InformationDialog {
  const char* className;
  const char* name;
};
InformationDialog InformationDialogOf(int activity) {
  switch (activity) {
    case 143: return {"CInformacionRelativaActividadDlg229", "IDD_INFACTIVIDAD229"};
    case 173: case 175: case 178: return {"CInformacionRelativaActividadDlg224", "IDD_INFACTIVIDAD224"};
    case 174: return {"CInformacionRelativaActividadDlg226", "IDD_INFACTIVIDAD226"};
    case 227: return {"CInformacionRelativaActividadDlg81", "IDD_INFACTIVIDAD81"};
    default: return {"CInformacionRelativaActividadDlg221", "IDD_INFACTIVIDAD221"};
  }
}

// The instalments shared by a holder's activities in objective estimation: the first record of
// that holder (E4 before E5, record by record), 0 without one.
double SharedInstalments(std::span<const std::uint8_t> block, std::uint8_t holder) {
  if (block.size() < f100::SectionE5.offset + f100::SectionE5.size) return 0.0;
  for (int i = 0; i < e4::kRows; ++i) {
    const std::uint8_t* r4 = block.data() + f100::SectionE4.offset + e4::kRowSize * static_cast<std::size_t>(i);
    if (r4[0] == holder) return e4::InstalmentPayments.get(r4);
    const std::uint8_t* r5 = block.data() + f100::SectionE5.offset + f100::sec_e5::kRowSize * static_cast<std::size_t>(i);
    if (r5[0] == holder) return f100::sec_e5::InstalmentPayments.get(r5);
  }
  return 0.0;
}

void SetSharedInstalments(std::span<std::uint8_t> block, std::uint8_t holder, double amount) {
  if (block.size() < f100::SectionE5.offset + f100::SectionE5.size) return;
  for (int i = 0; i < e4::kRows; ++i) {
    std::uint8_t* r4 = block.data() + f100::SectionE4.offset + e4::kRowSize * static_cast<std::size_t>(i);
    if (r4[0] == holder) e4::InstalmentPayments.set(r4, amount);
    std::uint8_t* r5 = block.data() + f100::SectionE5.offset + f100::sec_e5::kRowSize * static_cast<std::size_t>(i);
    if (r5[0] == holder) f100::sec_e5::InstalmentPayments.set(r5, amount);
  }
}

std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

}  // namespace

// ---------------------------------------------------------------- the row table

CRowTableORD004::CRowTableORD004(std::span<std::uint8_t> block) : CScrollRowTable(kModel, block) {}

bool CRowTableORD004::RowCountsAsFilled(int working) const {
  return working + 1 < Capacity() && Filled(Working(working + 1) + 1, 5);
}

void CRowTableORD004::AfterFilter() {
  for (int i = 0; i < Capacity(); ++i)
    if (Working(i)[0] != 0 && e4::Activity.get(Working(i)) > 0) Working(i)[0] = 2;
}

void CRowTableORD004::ResetActivityData(int working, bool ask) {
  if (working < 0 || working >= Capacity() || block_.empty()) return;
  if (!ask) {
    std::uint8_t* rec = Stored(working);
    ClearModuleValues(rec);
    for (int k = 0; k < e4::kModuleCount; ++k)
      blocks::F64{kPreviousUnitsAt}.set(Module(rec, k), blocks::F64{kInfoOffset}.get(rec));
    ShowRecord(working, working);
    return;
  }
  if ((question ? question("100P001") : kAnswerOk) != kAnswerOk) {
    ShowRecord(working, working);
    return;
  }
  std::uint8_t* rec = Working(working);
  ClearModuleValues(rec);
  rec[kChangedByte] = 0;
  std::memset(rec + kInfoOffset, 0, kInfoSize);
  rec[e4::HeavyVehicle.off] = 0xFF;
}

int CRowTableORD004::OnCellChange(int row, int event, int flag) {
  const int i = first_ + row;
  if (row < 0 || i >= Capacity() || block_.empty()) return 0;
  const bool changed = e4::Activity.get(Working(i)) != e4::Activity.get(Stored(i));
  switch (event) {
    case kCommit:
      if (changed && e4::Activity.get(Stored(i)) != 0) {
        ResetActivityData(i, true);
        Working(i)[0] = 0;
      }
      CommitRow(i);
      break;
    case kDelete:
      if (!TextEmpty(Working(i) + 1)) {
        if (changed) ResetActivityData(i, true);
        break;
      }
      std::memset(Working(i), 0, Size());
      DeleteRecord(i);
      break;
    case kReset: ResetActivityData(i, flag == 1); break;
    case kReload: ShowRecord(i, i); break;
    default: break;
  }
  return 0;
}

// ---------------------------------------------------------------- the list

constexpr int kCleared[] = {CBoxesORD004::kNetYields, CBoxesORD004::kSheetBox};
constexpr ActivitySection kSection{CBoxesORD004::kCode, CBoxesORD004::kFirstRowBox, CBoxesORD004::kBoxesPerRow,
                                   CBoxesORD004::kSheetBox, CBoxesORD004::kSheetTitle, kCleared, "# ", nullptr,
                                   nullptr, f100::SectionE4.offset, e4::kRowSize, e4::kRows, e4::Activity.off,
                                   CBoxesORD004::kHolderBox};

CBoxesORD004::CBoxesORD004(std::span<std::uint8_t> block, int memberIndex)
    : CActivityRowsList(kSection, block, memberIndex) {}

int CBoxesORD004::CellOf(int box) {
  constexpr int kModuleBoxCells[] = {7, 9, 12};  // text, units, yield of module 0
  if (box == kCodeBox) return 0;
  if (box == kLabelBox) return 2;
  if (box == kHolderBox) return 3;
  if (box >= kFirstModuleBox && box < 21) return kModuleBoxCells[(box - 3) % 3] + kModuleCells * ((box - 3) / 3);
  if (box == 21) return 49;
  if (box == 22) return 51;
  if (box >= 23 && box <= 37) return 54 + box - 23;
  if (box == kReducedNetBox) return 69;
  return -1;
}

std::unique_ptr<CScrollRowTable> CBoxesORD004::MakeTable() {
  auto table = std::make_unique<CRowTableORD004>(Block());
  table->question = [this](std::string_view code) { return Ask(code, MessageIcon::Information); };
  return table;
}

void CBoxesORD004::BindRow(int row) {
  if (!table_) return;
  const int number = table_->FirstVisible() + row;
  auto& links = links_[static_cast<std::size_t>(row)];
  for (int j = 0; j < kBoxesPerRow; ++j) {
    CBoxField* box = Position(PositionOf(row, j));
    if (!box) continue;
    box->data = Cell(row, CellOf(j));
    box->option = nullptr;
  }
  if (CBoxField* b = Position(PositionOf(row, kCodeBox))) {
    b->decimals = -1;  // the activity is chosen in "Seleccionar Actividad"
    b->option = Cell(row, 70);
  }
  for (int k = 0; k < kBlocks; ++k) {
    links[static_cast<std::size_t>(k)] = {Cell(row, 71 + k), number, 0};
    if (CBoxField* b = Position(PositionOf(row, UnitsBox(k)))) b->option = &links[static_cast<std::size_t>(k)];
  }
}

void CBoxesORD004::EnableRows(int from) {
  if (!table_) return;
  const std::uint8_t* first = Cell(0, 0);
  const bool firstFilled = Filled(first, 5);
  const bool firstHolder = table_->GetRowOwnerInput(table_->FirstVisible()) != 0;
  for (int r = std::max(from, 0); r < kVisibleRows; ++r) {
    const int b = PositionOf(r, 0);
    const std::uint8_t* code = Cell(r, 0);
    const bool filled = Filled(code, 5), dashes = Dashes(code);
    SetReadOnly(b + kLabelBox, true);
    SetReadOnly(b + kHolderBox, !(filled || dashes));
    if (r == 1) {
      SetReadOnly(b + kCodeBox, !((firstHolder && firstFilled) || filled || dashes || Dashes(first)));
    } else if (CBoxField* box = Position(b + kCodeBox)) {
      box->SoloLectur = box->loadedReadOnly || !box->data ? 1 : 0;
    }
    const bool open = (filled || dashes) && table_->GetRowOwnerInput(table_->FirstVisible() + r) != 0;
    for (int k = 0; k < kBlocks; ++k) {
      const std::uint8_t* block = Cell(r, 71 + k);
      SetReadOnly(b + UnitsBox(k), !(open && block && Filled(block + mod::Description15.off, 15)));
    }
    for (int box : {kFurtherReductionBox, kExtraordinaryBox, kOtherReceiptsBox, kIrregularReductionBox})
      SetReadOnly(b + box, !open);
  }
}

bool CBoxesORD004::CheckDuplicate(int row) {
  const std::span<std::uint8_t> block = Block();
  if (!table_ || block.size() < f100::SectionE4.offset + f100::SectionE4.size) return true;
  const int i = table_->FirstVisible() + row;
  std::uint8_t* stored = block.data() + f100::SectionE4.offset + e4::kRowSize * static_cast<std::size_t>(i);
  const std::uint8_t* working = Cell(row, 70);
  if (!working) return true;
  // The row's holder and activity take part in the test as typed; the record is put back after.
  const std::uint8_t holder = stored[0];
  const std::int32_t activity = e4::Activity.get(stored);
  stored[0] = working[0];
  e4::Activity.set(stored, e4::Activity.get(working));
  bool duplicate = false;
  for (int a = 0; a < e4::kRows && !duplicate; ++a)
    for (int b = a + 1; b < e4::kRows && !duplicate; ++b) {
      const std::uint8_t* ra = block.data() + f100::SectionE4.offset + e4::kRowSize * static_cast<std::size_t>(a);
      const std::uint8_t* rb = block.data() + f100::SectionE4.offset + e4::kRowSize * static_cast<std::size_t>(b);
      const std::int32_t ka = e4::Activity.get(ra), kb = e4::Activity.get(rb);
      duplicate = ka == kb && ra[0] == rb[0] && !(ka == 0 && ra[0] == 0);
    }
  stored[0] = holder;
  e4::Activity.set(stored, activity);
  if (!duplicate) return true;
  Ask("100R035", MessageIcon::Stop);
  // The activity goes: its code and identifier are cleared, the row emptied or deleted.
  std::uint8_t* code = Cell(row, 0);
  if (code) std::memset(code, 0, 5);
  if (std::uint8_t* kind = Cell(row, 1)) e4::Activity.set(kind - e4::Activity.off, 0);
  OnRowTableEvent(kTableId, row, CRowTableORD004::kDelete, 0);
  const std::uint8_t* now = Cell(row, 70);
  rowEmptied = !now || now[0] == 0;
  return false;
}

void CBoxesORD004::CheckStaffConsistency(int row) {
  const std::uint8_t* rec = Cell(row, 70);
  if (!rec) return;
  double staff = blocks::F64{144}.get(rec) + blocks::F64{152}.get(rec);
  const std::uint8_t second = rec[264];
  if (second == 1 || second == 15 || second == 16) staff += blocks::F64{312}.get(rec) + blocks::F64{320}.get(rec);
  const double maximum = e4::MaxEmployees.get(rec);
  if ((maximum > 0 && staff == 0) || (maximum == 0 && staff > 0)) Ask("100R090", MessageIcon::Warning);
}

int CBoxesORD004::ApplyActivityInformation(int row, const std::uint8_t* info) {
  std::uint8_t* rec = Cell(row, 70);
  if (!rec) return 0;
  std::uint8_t old[kInfoSize];
  std::memcpy(old, rec + kInfoOffset, kInfoSize);
  std::memcpy(rec + kInfoOffset, info, kInfoSize);
  if (!CheckDuplicate(row)) return 0;
  const double oldStart = blocks::F64{kInfoOffset}.get(old), newStart = e4::SeasonalDays.get(rec);
  auto asOne = [](std::uint8_t v) { return v == 1; };
  if (newStart == oldStart) {
    if (asOne(rec[e4::StaffIncreased.off]) && !asOne(old[e4::StaffIncreased.off - kInfoOffset])) {
      if (Ask("100P028", MessageIcon::Information) == kAnswerCorrect) {
        rec[e4::StaffIncreased.off] = old[e4::StaffIncreased.off - kInfoOffset];
      } else {
        for (int k = 0; k < e4::kModuleCount; ++k) {
          std::uint8_t* b = Module(rec, k);
          if (b[0] != 1 && b[0] != 15 && b[0] != 16) continue;
          blocks::F64{kUnitsAt}.set(b, 0.0);
          blocks::F64{kYieldAt}.set(b, 0.0);
          std::memset(b + kValuesAt, 0, kValuesEnd - kValuesAt);
        }
      }
    }
  } else if (e4::ActivityNet.get(rec) != 0.0) {
    if (Ask("100P027", MessageIcon::Information) == kAnswerContinue) {
      Rows()->OnCellChange(row, CRowTableORD004::kCommit, 1);
      Rows()->OnCellChange(row, CRowTableORD004::kReset, 0);
      Rows()->OnCellChange(row, CRowTableORD004::kReload, 0);
    } else {
      e4::SeasonalDays.set(rec, oldStart);
      return 2;
    }
  }
  CheckStaffConsistency(row);
  return 1;
}

int CBoxesORD004::ShowActivityInformation(int row) {
  std::uint8_t* rec = Cell(row, 70);
  const std::span<std::uint8_t> block = Block();
  if (!rec || block.empty()) return 0;
  const InformationDialog which = InformationDialogOf(e4::Activity.get(rec));
  ui::AnnexArgs args;
  args.holderMode = doc::ShownMember();
  args.extra = table_->FirstVisible() + row;
  for (;;) {
    std::unique_ptr<ui::IAnnexDialog> dlg = ui::CreateAnnexDialog(which.className, args);
    if (!dlg || dlg->AnnexBlock().size() < kInfoSize) {
      if (notBuilt) notBuilt(which.name);
      return 0;
    }
    std::uint8_t* copy = dlg->AnnexBlock().data();
    std::memcpy(copy, rec + kInfoOffset, kInfoSize);
    blocks::F64{e4::InstalmentPayments.off - kInfoOffset}.set(copy, SharedInstalments(block, rec[0]));
    const int result = dlg->Dialog().DoModal();
    if (result != kAnswerOk) return result;
    // Any change but the withholdings and instalments makes the printed references new.
    for (std::size_t o = 0; o < kInfoSize; ++o) {
      const std::size_t at = kInfoOffset + o;
      if (at >= e4::Withholdings.off && at < e4::InstalmentPayments.off + 8) continue;
      if (copy[o] != rec[at]) doc::MarkEditedSincePrinted();
    }
    const double instalments = blocks::F64{e4::InstalmentPayments.off - kInfoOffset}.get(copy);
    const int applied = ApplyActivityInformation(row, copy);
    if (applied == 2) continue;  // the start changed on a valued activity: the dialog again
    if (applied == 0) return 0;
    Rows()->OnCellChange(row, CRowTableORD004::kCommit, 0);
    SetSharedInstalments(block, rec[0], instalments);
    Rows()->OnCellChange(row, CRowTableORD004::kReload, 0);
    return kAnswerOk;
  }
}

int CBoxesORD004::OnRowTableEvent(int /*table*/, int row, int event, int extra) {
  if (!table_ || row < 0 || row >= kVisibleRows) return 0;
  if (event < 0) return ScrollEvent(row, event);
  CRowTableORD004* table = Rows();
  const bool filtered = Filtered();
  int result = 0;
  switch (event) {
    case CRowTableORD004::kCommit:
      if (!filtered) table->OnCellChange(row, event, extra);
      EnableRows(0);
      break;
    case CRowTableORD004::kDelete:
      if (!filtered) {
        table->OnCellChange(row, CRowTableORD004::kDelete, 1);
        table->OnCellChange(row, CRowTableORD004::kCommit, 0);
        table->OnCellChange(row, CRowTableORD004::kReload, 0);
      }
      BindRows();
      EnableRows(0);
      break;
    case kInformation: {
      if (table->GetRowOwnerInput(table->FirstVisible() + row) == 0 || filtered) break;
      // The row is stored first: a dialog closed without OK (or missing) keeps what was typed.
      table->OnCellChange(row, CRowTableORD004::kCommit, 0);
      if (ShowActivityInformation(row) == kAnswerOk) {
        table->OnCellChange(row, CRowTableORD004::kCommit, 0);
        if (onModified) onModified();
        const std::span<std::uint8_t> block = Block();
        Calculos100E4(block.data() + f100::SectionE4.offset);
      }
      table->OnCellChange(row, CRowTableORD004::kReload, 0);
      EnableRows(0);
      result = 1;
      break;
    }
    case CRowTableORD004::kReset:
      if (!filtered) table->OnCellChange(row, event, extra);
      break;
    case kHolderChanged: {
      const int i = table->FirstVisible() + row;
      const std::uint8_t stored = table->GetRecordOwner(i);
      if (!filtered && stored != 0 && stored != table->GetRowOwnerInput(i)) {
        table->OnCellChange(row, CRowTableORD004::kReset, 1);
        table->OnCellChange(row, CRowTableORD004::kCommit, 1);
        EnableRows(row);
      }
      break;
    }
    case CRowTableORD004::kReload:
      table->OnCellChange(row, event, 0);
      EnableRows(0);
      break;
    default: break;
  }
  CountSheets();
  return result;
}

// ---------------------------------------------------------------- the view

ORD004::ORD004(IPageHost& host, QWidget* parent)
    : CActivityPage(host, kCode, std::make_unique<CBoxesORD004>(DocumentBlock(host)), CBoxesORD004::kInformation,
                    {{CBoxesORD004::kTableId, CBoxesORD004::PositionOf(1, CBoxesORD004::kHolderBox), -45, -80,
                      CBoxesORD004::PositionOf(0, 0), CBoxesORD004::PositionOf(1, CBoxesORD004::kBoxesPerRow - 1)}},
                    [this](int, int) { GoToBox(CBoxesORD004::PositionOf(1, CBoxesORD004::kCodeBox) - 1); }, parent) {
  Rows()->notBuilt = [this](std::string_view dialog) {
    if (IMessageService* m = Host().Messages()) m->ShowMessage("WIN1102", MessageIcon::Warning, dialog);
  };
}

void ORD004::SectionStep(int row) {
  Event(row, CRowTableORD004::kCommit);
  if (doc::CProg32Doc* d = GetDocument(); d && d->Block().size() >= f100::SectionE4.offset + f100::SectionE4.size)
    Calculos100E4(d->Block().data() + f100::SectionE4.offset);
  Event(row, CRowTableORD004::kReload);
}

int ORD004::OnBoxEdited(int position) {
  CBoxesORD004* list = Rows();
  const int row = CBoxesORD004::RowOf(position);
  const int box = CBoxesORD004::BoxOf(position);
  bool warn = false;
  if (list && row >= 0) {
    switch (box) {
      case CBoxesORD004::kCodeBox:
      case CBoxesORD004::kHolderBox:
        Event(row, CRowTableORD004::kCommit);
        buttons_.Update();
        break;
      case CBoxesORD004::kFurtherReductionBox:
      case CBoxesORD004::kExtraordinaryBox:
      case CBoxesORD004::kOtherReceiptsBox: SectionStep(row); break;
      case CBoxesORD004::kNetBeforeBox: Event(row, CRowTableORD004::kCommit); break;
      case CBoxesORD004::kIrregularReductionBox: {
        SectionStep(row);
        const double a = list->Amount(row, 66), c = list->Amount(row, 68);
        warn = c > 0 && c > a * 0.4 + 0.5;
        break;
      }
      default:
        // Units typed straight into a module (the modules valued in their own dialogs are not
        // typed here).
        if (CBoxesORD004::IsUnitsBox(box))
          SectionStep(row);
        break;
    }
  }
  Ending();
  if (warn && Ask("100P029", MessageIcon::Information) == kAnswerCorrect) return 0;
  return 1;
}

int ORD004::OnBoxSubDialogValue(int position) {
  CBoxesORD004* list = Rows();
  const int row = CBoxesORD004::RowOf(position);
  const int box = CBoxesORD004::BoxOf(position);
  int result = 0;
  if (list && row >= 0) {
    if (box == CBoxesORD004::kCodeBox) {
      // A chosen activity: refused when the holder already has it.
      if (list->CheckDuplicate(row)) SectionStep(row);
      buttons_.Update();
      result = 1;
    } else if (CBoxesORD004::IsUnitsBox(box)) {
      SectionStep(row);
      if (box == CBoxesORD004::UnitsBox(0)) list->CheckStaffConsistency(row);
      if (box == CBoxesORD004::UnitsBox(1)) {
        const std::uint8_t* rec = list->Cell(row, 70);
        if (rec && (rec[264] == 1 || rec[264] == 15 || rec[264] == 16)) list->CheckStaffConsistency(row);
      }
      result = 1;
    }
  }
  Ending();
  return result;
}

int ORD004::OnBoxValueChanged(int position) {
  CBoxesORD004* list = Rows();
  const int row = CBoxesORD004::RowOf(position);
  const int box = CBoxesORD004::BoxOf(position);
  if (list && row >= 0 && box == CBoxesORD004::kCodeBox) {
    Event(row, CRowTableORD004::kCommit);
    Event(row, CRowTableORD004::kDelete);
    Calculate();
    Event(row, CRowTableORD004::kReload);
    buttons_.Update();
    doc::MarkEditedSincePrinted();
  } else if (list && row >= 0 && box == CBoxesORD004::kHolderBox) {
    Event(row, CBoxesORD004::kHolderChanged);
    if (list->CheckDuplicate(row)) {
      if (Event(row, CBoxesORD004::kInformation) == 1) Event(row, CRowTableORD004::kCommit);
    } else if (list->rowEmptied) {
      list->rowEmptied = false;
      GoToBox(CBoxesORD004::PositionOf(row, CBoxesORD004::kCodeBox) - 1);
    }
    SectionStep(row);
    buttons_.Update();
  } else if (list && row >= 0 && CBoxesORD004::IsUnitsBox(box)) {
    SectionStep(row);
  }
  Ending();
  return 1;
}

int ORD004::OnBoxValueCleared(int position) {
  const int row = CBoxesORD004::RowOf(position);
  const int box = CBoxesORD004::BoxOf(position);
  if (row >= 0 && (box == CBoxesORD004::kCodeBox || box == CBoxesORD004::kHolderBox)) {
    Event(row, CRowTableORD004::kCommit);
    Event(row, CRowTableORD004::kDelete);
    buttons_.Update();
  }
  Calculate();
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

void ORD004::InformationTaken(int row) {
  Calculate();
  Event(row, CRowTableORD004::kReload);
}

}  // namespace forms

#include "forms/pages/ord002.h"

#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "data/message_service.h"
#include "tallyvex.h"

namespace forms {

namespace {

constexpr RowBoxBinding kRowBoxes[] = {{57, 0, 0}, {58, 0, 1}, {59, 0, 2}, {60, 1, 0}, {61, 1, 1},
                                       {62, 1, 2}, {63, 2, 0}, {64, 2, 1}, {65, 2, 2}};
constexpr int kHolderCell = 0, kShareCell = 1, kAmountCell = 2;
constexpr double kWholeShare = 100.0;
constexpr std::size_t kRowTableArea = 1560, kRowSize = 40;
// The one-byte code of each of the six imputed-income slots: one per slot, not per member.
constexpr int kSlotCodeFirst = 32, kSlotStride = 4, kSlots = 6;
constexpr std::size_t kSlotCodes = 472;

std::span<const RowArea> RowAreas() {
  static const RowArea areas[] = {{FindRowTableModel("ORD002"), kRowBoxes}};
  return areas;
}

double Share(const std::uint8_t* cell) { return blocks::F64{0}.get(cell); }

}  // namespace

CBoxesORD002::CBoxesORD002(int pageCode, std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(pageCode, block, memberIndex, RowAreas()) {}

void CBoxesORD002::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> b = Block();
  if (b.size() >= f100::SectionC.offset + f100::SectionC.size)
    for (int s = 0; s < kSlots; ++s)
      if (CBoxField* box = Position(kSlotCodeFirst + kSlotStride * s))
        box->data = b.data() + f100::SectionC.offset + kSlotCodes + static_cast<std::size_t>(s);
  for (int r = 0; r < kRows; ++r)
    if (CBoxField* share = Position(kFirstRowBox + 3 * r + kShareCell)) share->decimals = 2;
  RefreshRowStates();
}

void CBoxesORD002::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  RefreshRowStates();
}

void CBoxesORD002::RefreshRowStates() {
  CScrollRowTable* t = Table(kTable);
  if (!t) return;
  if (CBoxField* first = Position(kFirstRowBox)) first->SoloLectur = first->data ? 0 : 1;
  for (int r = 0; r < kRows; ++r) {
    const std::uint8_t* holder = t->GetCell(r, kHolderCell);
    const CBoxField* holderBox = Position(kFirstRowBox + 3 * r);
    const int locked = holder && *holder != 0 && holderBox && holderBox->data ? 0 : 1;
    for (int p : {kFirstRowBox + 3 * r + kShareCell, kFirstRowBox + 3 * r + kAmountCell})
      if (CBoxField* box = Position(p)) box->SoloLectur = locked;
    if (r + 1 < kRows)
      if (CBoxField* next = Position(kFirstRowBox + 3 * (r + 1))) next->SoloLectur = locked;
  }
}

int CBoxesORD002::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Table(kTable);
  if (!t || row < 0 || row >= kRows) return 0;
  switch (event) {
    case kHolderTyped: {
      // A holder typed into a row not stored yet owns the whole property until told otherwise.
      const std::span<std::uint8_t> b = Block();
      const auto i = static_cast<std::size_t>(t->FirstVisible() + row);
      const std::size_t stored = f100::SectionC.offset + kRowTableArea + i * kRowSize;
      std::uint8_t* holder = t->GetCell(row, kHolderCell);
      if (holder && *holder != 0 && stored < b.size() && b[stored] == 0)
        blocks::F64{0}.set(t->GetCell(row, kShareCell), kWholeShare);
      CBindingTableList::OnRowTableEvent(table, row, kCommit, 0);
      break;
    }
    case kCommit: case kDelete:
      CBindingTableList::OnRowTableEvent(table, row, event, event == kDelete ? 1 : 0);
      break;
    default: return 0;
  }
  (void)extra;
  RefreshRowStates();
  return 0;
}

ORD002::ORD002(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD002>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {}

bool ORD002::InitPageControls() {
  CRentaVista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void ORD002::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
}

int ORD002::RowOf(int position, int cell) {
  const int at = position - CBoxesORD002::kFirstRowBox;
  return at >= 0 && at < 3 * CBoxesORD002::kRows && at % 3 == cell ? at / 3 : -1;
}

void ORD002::RepaintAll() {
  RepaintBoxes();
  RepaintBoxes();
}

int ORD002::OnBoxSubDialogValue(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f100::SectionD.offset + f100::SectionD.size) return 0;
  std::uint8_t* b = d->Block().data();
  void* summary = f100::record(b, f100::Summary);
  int result = 1;
  if (position >= 3 && position <= 13) {
    Calculos100A(f100::record(b, f100::SectionA), summary);
    for (int check : kWorkChecks) Host().RunFieldCheck(check, f100::record(b, f100::SectionA));
  } else if ((position >= 16 && position <= 21) || position == 27 || position == 28) {
    Calculos100B(f100::record(b, f100::SectionB), summary, 1);
  } else if (position == 30 || position == 31) {
    Calculos100B(f100::record(b, f100::SectionB), summary, 2);
  } else if (position == 66 || position == 67 || (position >= 69 && position <= 72)) {
    Calculos100D(f100::record(b, f100::SectionD), summary);
  } else if (position != 56) {
    result = 0;
  }
  d->Calculate(1);
  RepaintAll();
  d->Model().WrittenAll();
  return result;
}

int ORD002::OnBoxValueCleared(int position) {
  const int row = RowOf(position, kHolderCell);
  if (row >= 0)
    if (CBoxesORD002* list = List()) list->OnRowTableEvent(CBoxesORD002::kTable, row, CBoxesORD002::kDelete, 0);
  RepaintAll();
  return 0;
}

int ORD002::OnBoxValueChanged(int position) {
  const int row = RowOf(position, kHolderCell);
  if (row < 0) return 0;
  if (CBoxesORD002* list = List()) list->OnRowTableEvent(CBoxesORD002::kTable, row, CBoxesORD002::kHolderTyped, 0);
  RepaintAll();
  return 1;
}

int ORD002::OnBoxEdited(int position) {
  CBoxesORD002* list = List();
  CScrollRowTable* t = list ? list->Table(CBoxesORD002::kTable) : nullptr;
  if (const int row = RowOf(position, kShareCell); row >= 0 && t) {
    std::uint8_t* share = t->GetCell(row, kShareCell);
    if (share && Share(share) > kWholeShare) {
      // A share above the whole property: the row keeps what it has stored.
      if (IMessageService* messages = Host().Messages()) messages->ShowMessage("100R009", MessageIcon::Information);
      blocks::F64{0}.set(share, 0.0);
    } else {
      list->OnRowTableEvent(CBoxesORD002::kTable, row, CBoxesORD002::kCommit, 0);
    }
  } else if (const int amountRow = RowOf(position, kAmountCell); amountRow >= 0 && list) {
    list->OnRowTableEvent(CBoxesORD002::kTable, amountRow, CBoxesORD002::kCommit, 0);
  }
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
  RepaintBoxes();
  return 1;
}

}  // namespace forms

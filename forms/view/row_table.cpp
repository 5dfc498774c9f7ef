#include "forms/view/row_table.h"

#include <algorithm>
#include <cstring>

#include "blocks/rounding.h"
#include "data/doc/active_declaration.h"

namespace forms {

namespace {

double ReadAmount(const std::uint8_t* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void WriteAmount(std::uint8_t* p, double v) { std::memcpy(p, &v, sizeof v); }

bool TextEmpty(const std::uint8_t* p) { return p[0] == 0 || p[0] == ' '; }

}  // namespace

CScrollRowTable::CScrollRowTable(const RowTableModel& model, std::span<std::uint8_t> block)
    : model_(model), working_(static_cast<std::size_t>(model.capacity) * static_cast<std::size_t>(model.recordSize)) {
  // A block too short for the area gives a table without records rather than reads past it.
  if (block.size() >= model.area + working_.size()) block_ = block;
  Reload();
}

std::uint8_t CScrollRowTable::GetRecordOwner(int record) const {
  return record >= 0 && record < Capacity() && !block_.empty() ? Stored(record)[0] : 0;
}

std::uint8_t CScrollRowTable::GetRowOwnerInput(int working) const {
  return working >= 0 && working < Capacity() ? Working(working)[0] : 0;
}

std::uint8_t* CScrollRowTable::GetCell(int row, int id) {
  const int w = first_ + row;
  if (row < 0 || row >= VisibleRows() || w >= Capacity() || block_.empty()) return nullptr;
  for (const RowCellRange& c : model_.cells)
    if (id >= c.first && id < c.first + c.count) return Working(w) + c.offset + c.step * (id - c.first);
  return nullptr;
}

int CScrollRowTable::ShowRecord(int working, int record) {
  if (record < 0 || record >= Capacity() || working < 0 || working >= Capacity() || block_.empty()) return 0;
  std::memcpy(Working(working), Stored(record), Size());
  return 1;
}

void CScrollRowTable::ShowCommonRecord(int working, int record) {
  if (!model_.commonRows || GetRecordOwner(record) == 0 || !ShowRecord(working, record)) return;
  for (const RowAmountRange& r : model_.halved)
    for (int k = 0; k < r.count; ++k) {
      std::uint8_t* p = Working(working) + r.offset + 8 * k;
      double v = ReadAmount(p) * 0.5;
      if (model_.roundHalved) v = blocks::RoundToDecimals(v, 2);
      WriteAmount(p, v);
    }
}

void CScrollRowTable::CommitRow(int working) {
  if (working < 0 || working >= Capacity() || block_.empty()) return;
  std::uint8_t* rec = Working(working);
  if (model_.trimText > 0) {
    const auto n = static_cast<std::size_t>(model_.trimText);
    std::uint8_t* text = rec + 1;
    std::size_t lead = 0;
    while (lead < n && text[lead] == ' ') ++lead;
    std::memmove(text, text + lead, n - lead);
    std::memset(text + n - lead, 0, lead);
  }
  std::memcpy(Stored(working), rec, Size());
}

void CScrollRowTable::ClearVisibleRows() {
  std::fill(working_.begin(), working_.end(), std::uint8_t{0});
  first_ = 0;
}

void CScrollRowTable::Reload() {
  count_ = 0;
  ClearVisibleRows();
  for (int i = 0; i < Capacity() && ShowRecord(i, i); ++i) ++count_;
}

int CScrollRowTable::SetOwnerFilter(std::uint8_t holder) {
  filter_ = holder;
  const bool alone = !doc::HouseholdHas(doc::kSpouse) && !doc::HouseholdHas(doc::kChild1) &&
                     !doc::HouseholdHas(doc::kChild2);
  if (holder == 1 || (holder == 2 && alone)) {
    Reload();
    return 1;
  }
  count_ = 0;
  ClearVisibleRows();
  int w = 0;
  for (int j = 0; j < Capacity(); ++j) {
    const std::uint8_t owner = GetRecordOwner(j);
    if (owner == holder) {
      ShowRecord(w, j);
    } else if (owner == 1 && holder != 4 && holder != 5) {
      ShowCommonRecord(w, j);
    } else {
      continue;
    }
    ++w;
    ++count_;
  }
  AfterFilter();
  return 1;
}

void CScrollRowTable::AfterFilter() {
  for (int i = 0; i < Capacity(); ++i)
    if (Working(i)[0] != 0) Working(i)[0] = 2;
}

int CScrollRowTable::Scroll(int direction) {
  if (direction == 0 && first_ + VisibleRows() < Capacity()) ++first_;
  else if (direction == 1 && first_ > 0) --first_;
  return 0;
}

bool CScrollRowTable::CanScroll(int direction) const {
  if (direction == 1) return first_ != 0;
  for (int r = 0; r < VisibleRows(); ++r) {
    const int w = first_ + r;
    if (w >= Capacity()) return false;
    if (GetRowOwnerInput(w) == 0 && !RowCountsAsFilled(w)) return false;
  }
  const int limit = filter_ != 1 && doc::HouseholdHasSeveralHolders() ? count_ : Capacity();
  return first_ < limit - VisibleRows();
}

int CScrollRowTable::PageDown() {
  first_ = std::min(first_ + VisibleRows(), std::max(Capacity() - VisibleRows(), 0));
  return 0;
}

bool CScrollRowTable::HasRowsAfterWindow() const {
  for (int w = first_ + VisibleRows(); w < Capacity(); ++w)
    if (GetRowOwnerInput(w) != 0) return true;
  return false;
}

bool CScrollRowTable::Holds(RowCondition when, int working) const {
  const std::uint8_t holder = Working(working)[0];
  const bool blank = holder == 0 || holder == ' ';
  const bool textEmpty = TextEmpty(Working(working) + model_.textOffset);
  switch (when) {
    case RowCondition::kAlways: return true;
    case RowCondition::kHolderZero: return holder == 0;
    case RowCondition::kHolderSet: return holder != 0;
    case RowCondition::kHolderBlank: return blank;
    case RowCondition::kHolderBlankOrTextEmpty: return blank || textEmpty;
    case RowCondition::kTextEmpty: return textEmpty;
  }
  return false;
}

void CScrollRowTable::DeleteRecord(int working) {
  const int last = Capacity() - 1;
  std::memset(Working(working), 0, Size());
  CommitRow(working);
  for (int k = working; k < last; ++k) {
    std::memcpy(Working(k), Working(k + 1), Size());
    CommitRow(k);
  }
  std::memset(Working(last), 0, Size());
  CommitRow(last);
}

int CScrollRowTable::OnCellChange(int row, int event, int /*flag*/) {
  const int i = first_ + row;
  if (row < 0 || i >= Capacity() || block_.empty()) return 0;
  for (const RowEventDef& e : model_.events) {
    if (e.code != event) continue;
    switch (e.kind) {
      case RowEventKind::kCommit: CommitRow(i); return 0;
      case RowEventKind::kReload: ShowRecord(i, i); return 0;
      case RowEventKind::kDelete:
        if (!Holds(e.when, i)) continue;
        DeleteRecord(i);
        return 0;
      case RowEventKind::kClear: {
        if (!Holds(e.when, i)) continue;
        const std::uint8_t holder = Working(i)[0];
        std::memset(Working(i), 0, Size());
        Working(i)[0] = holder;
        if (e.commit) CommitRow(i);
        return 0;
      }
    }
  }
  return 0;
}

}  // namespace forms

// The activity rows of the open form-100 declaration that the activity annex dialogs read and
// write besides their block: six rows per section, the holder code first. A holder pays the
// fractional payments for all his activities of one regime together, so the value is kept equal
// in every row of the same holder.
#pragma once

#include <cstdint>

#include "blocks/field.h"
#include "blocks/form100.h"

namespace annex::activity_rows {

inline constexpr int kRows = 6;

struct Section {
  std::size_t first;     // the first row's offset in the block
  std::size_t rowSize;
  std::size_t payments;  // the holder's fractional payments in a row
};
inline constexpr Section kDirect{f100::SectionE1.offset, 288, 64};
inline constexpr Section kObjective{f100::SectionE4.offset, 1416, 88};
inline constexpr Section kAgrarian{f100::SectionE5.offset, 2056, 48};
inline constexpr Section kAttributed{f100::SectionF1.offset, 184, 120};
static_assert(kDirect.rowSize * kRows <= f100::SectionE1.size && kObjective.rowSize * kRows <= f100::SectionE4.size &&
              kAgrarian.rowSize * kRows <= f100::SectionE5.size && kAttributed.rowSize * kRows <= f100::SectionF1.size);

// Row `row` of `section` in the declaration block.
inline std::uint8_t* Row(std::uint8_t* block, const Section& section, int row) {
  return block + section.first + section.rowSize * static_cast<std::size_t>(row);
}
inline std::uint8_t Holder(std::uint8_t* block, const Section& section, int row) { return Row(block, section, row)[0]; }
inline blocks::F64 Payments(const Section& section) { return {section.payments}; }

// The fractional payments of the other rows of `holder` that are not 0 and differ from `current`:
// the last such row's, or `current` when there is none.
inline double HolderPayments(std::uint8_t* block, const Section& section, std::uint8_t holder, double current) {
  double found = current;
  for (int r = 0; r < kRows; ++r) {
    const std::uint8_t* row = Row(block, section, r);
    const double v = Payments(section).get(row);
    if (row[0] == holder && v != 0.0 && v != current) found = v;
  }
  return found;
}

// Writes `value` as the fractional payments of every row of `holder`.
inline void SetHolderPayments(std::uint8_t* block, const Section& section, std::uint8_t holder, double value) {
  for (int r = 0; r < kRows; ++r)
    if (Holder(block, section, r) == holder) Payments(section).set(Row(block, section, r), value);
}

}  // namespace annex::activity_rows

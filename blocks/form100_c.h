// Form100SectionC: imputed income from urban real estate, and its rows laid out again for the
// member shown.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_c {

inline constexpr blocks::Vec5 ImputedIncome{0};

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 72;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{40};
inline constexpr blocks::F64 Amount{48};
inline constexpr blocks::Text Reference{56, 20};
inline constexpr blocks::F64 Imputed{96};
static_assert(40 + kRows * kRowSize <= 472);

// Member view: six slots, packed from the first.
inline constexpr int kSlots = 6;
inline constexpr blocks::U8 SlotCode{472};           // slot s: SlotCode(s)
inline constexpr blocks::Vec5 SlotAmount{480};       // slot s: SlotAmount(s)
inline constexpr std::size_t kSlotTextSize = 100;    // five 20-character texts, one per member column
inline constexpr blocks::Text SlotText{720, 20};     // slot s, column j: slotText(s, j)
inline constexpr blocks::Vec5 SlotImputed{1320};
inline constexpr blocks::Area RowTableEntries{1560, 120};  // kept by the page's row table
constexpr blocks::Text slotText(int slot, int column) {
  return {SlotText.off + kSlotTextSize * static_cast<std::size_t>(slot) + 20u * static_cast<std::size_t>(column), 20};
}
static_assert(SlotCode.off + kSlots <= SlotAmount.off);
static_assert(SlotAmount.off + kSlots * 40 == SlotText.off);
static_assert(SlotText.off + kSlots * kSlotTextSize == SlotImputed.off);
static_assert(SlotImputed.off + kSlots * 40 == RowTableEntries.off);
// What a calculation clears of the member view (the two bytes after the slot codes stay).
inline constexpr blocks::Area SlotCodes{472, kSlots};
inline constexpr blocks::Area SlotAmounts{480, kSlots * 40};
inline constexpr blocks::Area SlotTexts{720, kSlots * kSlotTextSize};
inline constexpr blocks::Area SlotImputeds{1320, kSlots * 40};
static_assert(RowTableEntries.off + RowTableEntries.size == SectionC.size);

}  // namespace f100::sec_c

// What the movable-capital row dialogs share: the 40-byte rows of section B (holder, income,
// withholdings and two amounts whose meaning is the dialog's), the cells of their first three
// columns, the holder legend line, and row warnings answered one by one.
#pragma once

#include <span>

#include "blocks/form100_b.h"
#include "ui/annex_dlg.h"

namespace annex::capital40 {
inline constexpr int kRows = f100::sec_b::kRows;
inline constexpr std::size_t kRowSize = f100::sec_b::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Income{8};
inline constexpr blocks::F64 Withholding{16};
inline constexpr blocks::F64 Third{24};
inline constexpr blocks::F64 Fourth{32};
static_assert(Fourth.off + 8 == kRowSize && kBlockSize == 240);
constexpr bool Matches(const f100::sec_b::Group40& g) {
  return g.amount.off - g.holder.off == Income.off && g.withholding.off - g.holder.off == Withholding.off &&
         g.expenses.off - g.holder.off == Third.off && g.reduction.off - g.holder.off == Fourth.off;
}
static_assert(Matches(f100::sec_b::G1) && Matches(f100::sec_b::G4) && Matches(f100::sec_b::G5) &&
              Matches(f100::sec_b::G6));
// Cells of the holder, income and withholdings columns, rows 1 to 6.
inline constexpr int kHolderCells[] = {1303, 1322, 1342, 1382, 1401, 1408};
inline constexpr int kIncomeCells[] = {1471, 1475, 1481, 1488, 1497, 1502};
inline constexpr int kWithholdingCells[] = {1432, 1439, 1446, 1455, 1464, 1508};
}  // namespace annex::capital40

namespace annex {
// The static that shows the holder legend in these dialogs.
inline constexpr int kRowsLegend = 1296;
// A holder cell that gains the focus shows the holder legend; true when `id` is one.
bool ShowHolderLegend(ui::CAnnexRowsDlg& dialog, int id, int legendId = kRowsLegend);

// A warning over a row's income, withholdings and its third and fourth amounts.
struct RowWarning {
  const char* code;
  bool (*fails)(double income, double withholding, double third, double fourth);
};
// Every row through every warning in order; 0 as soon as one is answered "Corregir", else 1.
int RunRowWarnings(ui::CAnnexRowsDlg& dialog, std::span<const RowWarning> warnings);
}  // namespace annex

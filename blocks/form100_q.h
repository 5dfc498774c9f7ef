// Form100SectionQ: annex C, deductions for business investment incentives and the Canary Islands
// investment reserve. Offsets are within the record and are a stored format. The annex calculation
// reads and writes nothing at or beyond kCalculationEnd, and never writes the 2003 reserve fields
// that the liquidation computes (kLiquidationStart .. kLiquidationEnd) nor ReserveDeductionTotal.
#pragma once

#include <array>

#include "blocks/form100.h"

namespace f100::sec_q {

inline constexpr std::size_t kCalculationEnd = 7840;

// ---- pending balances of 1998 .. 2002 -------------------------------------------------------
// Two rows per group: holder code at row +0, one amount per year from row +8 (8 bytes a year).
struct PendingGroup {
  blocks::Vec5 claimed;
  std::size_t row0, row1, rowSize;
  int firstYear;  // year of the amount at row +8
  int years;
  blocks::Vec5 applied;
  blocks::Vec5 carriedForward;

  constexpr blocks::U8 holder(int row) const { return {row == 0 ? row0 : row1}; }
  constexpr blocks::F64 amount(int row, int year) const {
    return {(row == 0 ? row0 : row1) + 8u + 8u * static_cast<std::size_t>(year - firstYear)};
  }
  constexpr bool hasYear(int year) const { return year >= firstYear && year < firstYear + years; }
};

inline constexpr PendingGroup PendingGroup1{{0}, 40, 88, 48, 1998, 5, {504}, {704}};
inline constexpr PendingGroup PendingGroup2{{136}, 176, 200, 24, 1998, 2, {544}, {744}};
inline constexpr PendingGroup PendingGroup3{{224}, 264, 296, 32, 1998, 3, {584}, {784}};
inline constexpr PendingGroup PendingGroup4{{328}, 368, 400, 32, 2000, 3, {624}, {824}};
inline constexpr PendingGroup PendingGroup5{{432}, 472, 488, 16, 2002, 1, {664}, {864}};
inline constexpr PendingGroup PendingGroup6{{3568}, 3608, 3656, 48, 1998, 5, {5128}, {5728}};
inline constexpr PendingGroup PendingGroup7{{3704}, 3744, 3792, 48, 1998, 5, {5168}, {5768}};
// Research and development, and other modalities: one 160-byte area of four rows that shares one
// claimed, one applied and one carried-forward vector.
inline constexpr PendingGroup PendingGroup8{{6328}, 6368, 6408, 40, 1998, 4, {6528}, {6568}};
inline constexpr PendingGroup PendingGroup9{{6328}, 6448, 6488, 40, 1998, 4, {6528}, {6568}};
inline constexpr blocks::Area PendingResearchArea{6368, 160};

// ---- deductions of the year ------------------------------------------------------------------
// A line: its claimed vector, its rows (holder code at row +0) and the row's deduction offset.
// Line 1 of each list has four rows; the others two.
struct YearLine {
  blocks::Vec5 claimed;
  std::array<std::size_t, 4> rows;
  std::array<std::size_t, 4> deductionAt;
  int rowCount;
  blocks::Vec5 applied;
  blocks::Vec5 carriedForward;

  constexpr blocks::U8 holder(int row) const { return {rows[static_cast<std::size_t>(row)]}; }
  constexpr blocks::F64 deduction(int row) const {
    return {rows[static_cast<std::size_t>(row)] + deductionAt[static_cast<std::size_t>(row)]};
  }
};

constexpr YearLine line2(std::size_t claimed, std::size_t r0, std::size_t r1, std::size_t at, std::size_t applied,
                         std::size_t carried) {
  return {{claimed}, {r0, r1, 0, 0}, {at, at, 0, 0}, 2, {applied}, {carried}};
}

inline constexpr int kFirstListLines = 15;
inline constexpr int kSecondListLines = 13;

inline constexpr std::array<YearLine, kFirstListLines> FirstList{{
    {{904}, {944, 984, 1024, 1056}, {32, 32, 24, 24}, 4, {2368}, {2968}},  // research and innovation
    line2(1088, 1128, 1160, 24, 2408, 3008),  // computed from the expenses (row +8, +16)
    line2(1192, 1232, 1256, 16, 2448, 3048),
    line2(1280, 1320, 1344, 16, 2488, 3088),
    line2(1368, 1408, 1448, 32, 2528, 3128),
    line2(1488, 1528, 1552, 16, 2568, 3168),
    line2(1576, 1616, 1640, 16, 2608, 3208),
    line2(1664, 1704, 1728, 16, 2648, 3248),
    line2(1752, 1792, 1816, 16, 2688, 3288),
    line2(1840, 1880, 1912, 24, 2728, 3328),
    line2(1944, 1984, 2000, 8, 2768, 3368),
    line2(2016, 2056, 2080, 16, 2808, 3408),
    line2(2104, 2144, 2168, 16, 2848, 3448),
    line2(2192, 2232, 2256, 16, 2888, 3488),
    line2(2280, 2320, 2344, 16, 2928, 3528),
}};

inline constexpr std::array<YearLine, kSecondListLines> SecondList{{
    {{3840}, {3880, 3920, 3960, 3992}, {32, 32, 24, 24}, 4, {5208}, {5808}},  // research and innovation
    line2(4024, 4064, 4096, 24, 5248, 5848),  // computed from the expenses (row +8, +16)
    line2(4128, 4168, 4192, 16, 5288, 5888),
    line2(4216, 4256, 4280, 16, 5328, 5928),
    line2(4304, 4344, 4384, 32, 5368, 5968),
    line2(4424, 4464, 4488, 16, 5408, 6008),
    line2(4512, 4552, 4576, 16, 5448, 6048),
    line2(4600, 4640, 4664, 16, 5488, 6088),
    line2(4688, 4728, 4752, 16, 5528, 6128),
    line2(4776, 4816, 4848, 24, 5568, 6168),
    line2(4880, 4920, 4936, 8, 5608, 6208),
    line2(4952, 4992, 5016, 16, 5648, 6248),
    line2(5040, 5080, 5104, 16, 5688, 6288),
}};

// Line 2 rows: expenses of activities in direct and in objective estimation, and the deduction.
inline constexpr std::size_t kDirectExpensesAt = 8;
inline constexpr std::size_t kObjectiveExpensesAt = 16;
inline constexpr blocks::Area InnovationArea{944, 144};        // first list, line 1 rows
inline constexpr blocks::Area SecondInnovationArea{3880, 144};  // second list, line 1 rows

inline constexpr blocks::Vec5 TotalApplied{6608};

// ---- Canary Islands investment reserve -------------------------------------------------------
// Two rows per block (holder code at row +0); each total sums one field of the rows by holder;
// three key bytes (family unit, declarant, spouse) take the rows' key characters.
struct ReserveBlock {
  std::size_t row0, row1;
  std::size_t keyAt;  // row offset of the key character
  std::array<blocks::Vec5, 3> totals;
  std::array<std::size_t, 3> summedAt;  // row offset of the field each total sums
  int totalCount;
  std::size_t keys;  // three bytes

  constexpr std::size_t row(int r) const { return r == 0 ? row0 : row1; }
};

inline constexpr ReserveBlock ReserveBlock2000{6688, 6720, 24, {{{6648}, {7336}, {0}}}, {8, 16, 0}, 2, 7376};
inline constexpr ReserveBlock ReserveBlock2001{6792, 6832, 24, {{{6752}, {7384}, {7576}}}, {8, 16, 32}, 3, 7424};
inline constexpr ReserveBlock ReserveBlock3{6912, 6952, 24, {{{6872}, {7432}, {7616}}}, {8, 16, 32}, 3, 7472};
inline constexpr ReserveBlock ReserveBlock4{7032, 7072, 24, {{{6992}, {7480}, {7656}}}, {8, 16, 32}, 3, 7520};
// Row +16 is the income earned in the Canary Islands, which no total sums; the liquidation reads
// it with the allowance.
inline constexpr std::size_t kReserve2003Allowance = 8, kReserve2003CanaryIncome = 16;
inline constexpr ReserveBlock ReserveBlock2003{
    7152, 7200, 32, {{{7112}, {7528}, {7696}}}, {kReserve2003Allowance, 24, 40}, 3, 7568};
inline constexpr ReserveBlock EarlyInvestments{7776, 7800, 16, {{{7736}, {0}, {0}}}, {8, 0, 0}, 1, 7824};
inline constexpr std::array<ReserveBlock, 6> kReserveBlocks{ReserveBlock2000, ReserveBlock2001, ReserveBlock3,
                                                            ReserveBlock4,    ReserveBlock2003, EarlyInvestments};
inline constexpr int kKeyBytes = 3;  // family unit, declarant, spouse; the children's two are not written

// Written by the liquidation (Calculos100Li pass 1), never by the annex calculation; so is the
// holder vector ReserveDeductionTotal at +7832 (sec_li::in_q).
inline constexpr std::size_t kLiquidationStart = 7152;
inline constexpr std::size_t kLiquidationEnd = 7336;

// ---- checks of the layout ----------------------------------------------------------------------
constexpr bool rowsOfGroupFit(const PendingGroup& g) {
  return g.row0 + g.rowSize == g.row1 && g.amount(1, g.firstYear + g.years - 1).off + 8 <= g.row1 + g.rowSize;
}
static_assert(rowsOfGroupFit(PendingGroup1) && rowsOfGroupFit(PendingGroup2) && rowsOfGroupFit(PendingGroup3) &&
              rowsOfGroupFit(PendingGroup4) && rowsOfGroupFit(PendingGroup5) && rowsOfGroupFit(PendingGroup6) &&
              rowsOfGroupFit(PendingGroup7) && rowsOfGroupFit(PendingGroup8) && rowsOfGroupFit(PendingGroup9));
static_assert(PendingGroup8.row1 + 40 == PendingGroup9.row0 &&
              PendingGroup9.row1 + 40 == PendingResearchArea.off + PendingResearchArea.size);
static_assert(FirstList[1].rows[0] + 32 == FirstList[1].rows[1] && FirstList[1].rows[1] + 32 == FirstList[2].claimed.off);
static_assert(FirstList[0].rows[3] + 32 == FirstList[1].claimed.off && InnovationArea.off + InnovationArea.size == 1088);
static_assert(SecondList[kSecondListLines - 1].rows[1] + 24 == PendingGroup6.applied.off);
static_assert(FirstList[kFirstListLines - 1].applied.off + 40 == FirstList[0].carriedForward.off &&
              FirstList[kFirstListLines - 1].carriedForward.off + 40 == PendingGroup6.claimed.off);
static_assert(SecondList[kSecondListLines - 1].carriedForward.off + 40 == PendingGroup8.claimed.off &&
              PendingGroup8.carriedForward.off + 40 == TotalApplied.off);
// What the reserve stage writes (totals and key bytes) lies outside the liquidation's fields.
constexpr bool writesOutsideLiquidation(const ReserveBlock& b) {
  for (int t = 0; t < b.totalCount; ++t) {
    const std::size_t off = b.totals[static_cast<std::size_t>(t)].off;
    if (off + 40 > kLiquidationStart && off < kLiquidationEnd) return false;
  }
  return (b.keys + kKeyBytes <= kLiquidationStart || b.keys >= kLiquidationEnd) && b.keys + kKeyBytes <= kCalculationEnd;
}
static_assert(writesOutsideLiquidation(ReserveBlock2000) && writesOutsideLiquidation(ReserveBlock2001) &&
              writesOutsideLiquidation(ReserveBlock3) && writesOutsideLiquidation(ReserveBlock4) &&
              writesOutsideLiquidation(ReserveBlock2003) && writesOutsideLiquidation(EarlyInvestments));
static_assert(ReserveBlock2003.row1 + 48 == 7248, "the 2003 rows are followed by the liquidation's reserve fields");
static_assert(kCalculationEnd <= SectionQ.size);

}  // namespace f100::sec_q

// Form100Summary slots written by the annex calculation (Calculos100Q); the liquidation subtracts
// them from the state and the regional gross quota.
namespace f100::summary {
inline constexpr blocks::Vec5 IncentiveDeductionStatePart{1120};
inline constexpr blocks::Vec5 IncentiveDeductionRegionalPart{1160};
}  // namespace f100::summary

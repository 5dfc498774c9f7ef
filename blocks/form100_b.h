// Form100SectionB: income from movable capital. Six groups of rows, each preceded by its income
// vector, then the section's totals and the list whose balance counts as a long-term result.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_b {

inline constexpr int kRows = 6;

// Groups 1, 4 and 6 share one row shape (40 bytes); group 5 has its own meaning of +24 and +32.
inline constexpr std::size_t kRowSize = 40;
// Row fields of a 40-byte group whose first row lies at `first`; row i is Field(i, kRowSize).
struct Group40 {
  blocks::Vec5 income;  // the group's income vector, just before its rows
  blocks::U8 holder;
  blocks::F64 amount;       // +8 income
  blocks::F64 withholding;  // +16
  blocks::F64 expenses;     // +24 (group 5: first reduction; group 6: expenses of the second kind)
  blocks::F64 reduction;    // +32 (group 5: second, transitional reduction)
};
constexpr Group40 group40(std::size_t vector, std::size_t first) {
  return {{vector}, {first}, {first + 8}, {first + 16}, {first + 24}, {first + 32}};
}
inline constexpr Group40 G1 = group40(0, 40);
inline constexpr Group40 G4 = group40(792, 832);
inline constexpr Group40 G5 = group40(1072, 1112);
inline constexpr Group40 G6 = group40(1352, 1392);
static_assert(40 + kRows * kRowSize <= 280 && 832 + kRows * kRowSize <= 1072);
static_assert(1112 + kRows * kRowSize <= 1352 && 1392 + kRows * kRowSize <= 1632);

// Group 2, dividends: 56-byte rows.
namespace g2 {
inline constexpr std::size_t kRowSize = 56;
inline constexpr blocks::Vec5 Income{280};
inline constexpr blocks::U8 Holder{320};
inline constexpr blocks::F64 GrossReceived{328};  // kept for the annex and later sections
inline constexpr blocks::F64 Computable{336};
inline constexpr blocks::F64 Withholding{344};
inline constexpr blocks::F64 Expenses{352};       // administration and custody
inline constexpr blocks::F64 QuotaDeduction{360}; // kept for the annex and later sections
inline constexpr blocks::F64 Reduction{368};
static_assert(320 + kRows * kRowSize <= 656);
}  // namespace g2

// Group 3: (holder, amount) entries of 16 bytes.
namespace g3 {
inline constexpr std::size_t kRowSize = 16;
inline constexpr blocks::Vec5 Income{656};
inline constexpr blocks::U8 Holder{696};
inline constexpr blocks::F64 Amount{704};
static_assert(696 + kRows * kRowSize <= 792);
}  // namespace g3

inline constexpr blocks::Vec5 TotalIncome{1632};
inline constexpr blocks::Vec5 Expenses{1672};
inline constexpr blocks::Vec5 ExpensesSecondKind{1712};
inline constexpr blocks::Vec5 AllExpenses{1752};
inline constexpr blocks::Vec5 NetBeforeReductions{1792};
inline constexpr blocks::Vec5 Reductions{1832};
inline constexpr blocks::Vec5 TransitionalReductions{1872};
inline constexpr blocks::Vec5 NetIncome{1912};
inline constexpr blocks::Vec5 LongTermGains{1952};
inline constexpr blocks::Vec5 LongTermLosses{1992};  // positive

// Entries whose balance counts as a long-term gain or loss.
namespace balance {
inline constexpr std::size_t kRowSize = 16;
inline constexpr blocks::U8 Holder{2032};
inline constexpr blocks::F64 Amount{2040};
static_assert(2032 + kRows * kRowSize <= SectionB.size);
}  // namespace balance

}  // namespace f100::sec_b

namespace f100::summary {
// Withholdings on income from movable capital (written by Calculos100B).
inline constexpr blocks::Vec5 CapitalWithholdings{8712};
}  // namespace f100::summary

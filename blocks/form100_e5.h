// Form100SectionE5: agricultural, livestock and forestry activities in objective estimation. Six
// activity rows of thirteen product groups each, then two holder vectors.
#pragma once

#include <array>

#include "blocks/form100.h"

namespace f100::sec_e5 {

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 2056;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::U8 Type{1};                 // '1' to '9'
inline constexpr blocks::I32 Activity{4};            // number in the modules database
inline constexpr blocks::U8 OthersMeans{16};         // exclusive use of other people's means: 1 yes; 0 or 255 no
inline constexpr blocks::U8 BoughtFeed{17};          // feed bought above half of the feed consumed: 1 yes
inline constexpr blocks::F64 StaffCost{24};
inline constexpr blocks::U8 Organic{32};             // 1 yes
inline constexpr blocks::U8 FirstInstallation{33};   // 1 yes; 0 or 255 no
inline constexpr blocks::U8 LongForestry{34};        // production period of 20 years or more: 1 yes
inline constexpr blocks::F64 Withholdings{40};       // read by the liquidation
inline constexpr blocks::F64 InstalmentPayments{48}; // read by the liquidation
inline constexpr blocks::F64 TotalIncome{1824};
inline constexpr blocks::F64 ProductsNet{1832};
// Two sets of deductions: the set's total, then one amount per category in the order P, Q, S, R, T.
inline constexpr blocks::F64 Deductions1Total{1840};
inline constexpr blocks::F64 Deductions1P{1848}, Deductions1Q{1856}, Deductions1S{1864}, Deductions1R{1872},
    Deductions1T{1880};
inline constexpr blocks::F64 Deductions2Total{1888};
inline constexpr blocks::F64 Deductions2P{1896}, Deductions2Q{1904}, Deductions2S{1912}, Deductions2R{1920},
    Deductions2T{1928};
inline constexpr blocks::F64 PreviousNet{1936};
inline constexpr blocks::F64 MeansIndex{1944};
inline constexpr blocks::F64 StaffCostIndex{1952};
inline constexpr blocks::F64 RentedLandIndex{1960};
inline constexpr blocks::Text FeedIndexText{1968, 9};  // zero-padded
inline constexpr blocks::F64 SmallYieldIndex{1984};
inline constexpr blocks::F64 ForestryIndex{1992};
inline constexpr blocks::F64 OrganicIndex{2000};
inline constexpr blocks::F64 NetAfterIndices{2008};
inline constexpr blocks::F64 FirstReduction{2016};
inline constexpr blocks::F64 InstallationReduction{2024};
inline constexpr blocks::F64 ReducedNet{2032};
inline constexpr blocks::F64 SecondReduction{2040};
inline constexpr blocks::F64 ActivityNet{2048};
static_assert(ActivityNet.off + 8 == kRowSize);

// Products: income, yield index and net yield.
inline constexpr std::size_t kProductSize = 24;
namespace product {
inline constexpr blocks::F64 Income{0};
inline constexpr blocks::F64 Index{8};
inline constexpr blocks::F64 Net{16};
}  // namespace product

// Group shapes; offsets from the start of the group, 0 where the shape has no such field.
struct Shape {
  std::size_t size;
  int products;
  std::array<std::size_t, 6> product;
  std::size_t ownLandTotal;
  std::size_t rentedLandTotal;
  std::size_t yieldTotal;
  std::size_t indexText;  // 8 bytes
  std::size_t netTotal;
};
inline constexpr std::size_t kIncomeTotal = 0;  // every shape
inline constexpr Shape S6{168, 6, {8, 32, 56, 80, 104, 128}, 0, 0, 0, 152, 160};
inline constexpr Shape S6B{192, 6, {8, 32, 56, 88, 112, 136}, 80, 160, 168, 176, 184};  // 1-3 own land, 4-6 rented
inline constexpr Shape S3{104, 3, {8, 32, 56, 0, 0, 0}, 0, 0, 80, 88, 96};
inline constexpr std::size_t kIndexTextSize = 8;

struct Group {
  std::size_t off;  // within the row
  const Shape* shape;
};
inline constexpr int kGroups = 13;
inline constexpr std::array<Group, kGroups> kGroupTable{{{56, &S6},
                                                         {224, &S3},
                                                         {328, &S6B},
                                                         {520, &S3},
                                                         {624, &S3},
                                                         {728, &S6B},
                                                         {920, &S3},
                                                         {1024, &S6B},
                                                         {1216, &S3},
                                                         {1320, &S6B},
                                                         {1512, &S3},
                                                         {1616, &S3},
                                                         {1720, &S3}}};
constexpr bool groupsTile() {
  std::size_t next = 56;
  for (const Group& g : kGroupTable) {
    if (g.off != next) return false;
    next += g.shape->size;
  }
  return next == TotalIncome.off;
}
static_assert(groupsTile(), "the thirteen product groups fill +56 to +1823");

// Field `at` (offset within the group) of group g (1..13) of row i.
constexpr blocks::F64 groupField(int row, int g, std::size_t at) {
  return {static_cast<std::size_t>(row) * kRowSize + kGroupTable[static_cast<std::size_t>(g - 1)].off + at};
}
constexpr blocks::Text groupIndexText(int row, int g) {
  const Group& gr = kGroupTable[static_cast<std::size_t>(g - 1)];
  return {static_cast<std::size_t>(row) * kRowSize + gr.off + gr.shape->indexText, kIndexTextSize};
}
// Field f of product p (1..6) of group g of row i.
constexpr blocks::F64 productField(int row, int g, int p, blocks::F64 f) {
  const Group& gr = kGroupTable[static_cast<std::size_t>(g - 1)];
  return groupField(row, g, gr.shape->product[static_cast<std::size_t>(p - 1)] + f.off);
}

inline constexpr blocks::Vec5 TotalIncomes{12336};
inline constexpr blocks::Vec5 NetYields{12376};
static_assert(kRows * kRowSize == TotalIncomes.off && NetYields.off + 40 == SectionE5.size);

}  // namespace f100::sec_e5

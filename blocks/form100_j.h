// Form100SectionJ (1,280 bytes): reductions of the tax base. The first eleven vectors are
// written by Calculos100I, the rest by Calculos100J.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_j {
inline constexpr blocks::Vec5 WorkIncome{0};            // I pass 6
inline constexpr blocks::Vec5 ProlongedLife{40};        // I pass 7
inline constexpr blocks::Vec5 Mobility{80};             // I pass 8
inline constexpr blocks::Vec5 ChildrenUnderThree{120};  // I pass 9
inline constexpr blocks::Vec5 AgeOver64{160};           // I pass 10
inline constexpr blocks::Vec5 AgeOver74{200};           // I pass 11
inline constexpr blocks::Vec5 MembersDisability{240};   // I pass 12
inline constexpr blocks::Vec5 RelativesDisability{280}; // I pass 13
inline constexpr blocks::Vec5 DisabledWorkers{320};     // I pass 14
inline constexpr blocks::Vec5 Assistance{360};          // I pass 15
inline constexpr blocks::Vec5 Total{400};               // I pass 16

// Pension rows: two of 88 bytes from +440; codes 0 and 1 are skipped.
inline constexpr std::size_t kPensionRows = 440;
inline constexpr std::size_t kPensionRowSize = 88;
inline constexpr int kPensionRowCount = 2;
constexpr std::size_t pensionRow(int i) { return kPensionRows + kPensionRowSize * static_cast<std::size_t>(i); }
namespace pension {
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 OwnExcess{8};
inline constexpr blocks::F64 OwnYear{16};
inline constexpr blocks::F64 OwnExcessIn{24};
inline constexpr blocks::F64 OwnYearIn{32};
inline constexpr blocks::F64 OwnReduction{40};
inline constexpr blocks::F64 PromoterExcess{48};
inline constexpr blocks::F64 PromoterYear{56};
inline constexpr blocks::F64 PromoterExcessIn{64};
inline constexpr blocks::F64 PromoterYearIn{72};
inline constexpr blocks::F64 PromoterReduction{80};
}  // namespace pension
inline constexpr blocks::Vec5 PensionReduction{616};  // pass 1
inline constexpr blocks::Vec5 SpouseSchemes{656};     // pass 2
inline constexpr blocks::U8 SpouseContributor{696};
inline constexpr blocks::F64 SpouseContribution[2] = {{704}, {712}};
static_assert(pensionRow(kPensionRowCount) == PensionReduction.off);

// Rows of schemes in favour of disabled persons: four of 80 bytes from +720.
inline constexpr std::size_t kDisabledRows = 720;
inline constexpr std::size_t kDisabledRowSize = 80;
inline constexpr int kDisabledRowCount = 4;
constexpr std::size_t disabledRow(int i) { return kDisabledRows + kDisabledRowSize * static_cast<std::size_t>(i); }
namespace disabled {
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::Text NifCopy{1, 9};
inline constexpr blocks::Text Nif{16, 9};
inline constexpr blocks::F64 Own{40};
inline constexpr blocks::F64 Relatives{48};
inline constexpr blocks::F64 Promoter{56};
inline constexpr blocks::F64 OwnReduction{64};
inline constexpr blocks::F64 RelativesReduction{72};
}  // namespace disabled
inline constexpr blocks::Vec5 DisabledSchemes{1040};  // pass 3
static_assert(disabledRow(kDisabledRowCount) == DisabledSchemes.off);

// Further reduction: three rows of 24 bytes from +1080 (holder +0, amount +16).
inline constexpr std::size_t kFurtherRows = 1080;
inline constexpr int kFurtherRowCount = 3;
constexpr blocks::U8 FurtherHolder(int i) { return {kFurtherRows + 24u * static_cast<std::size_t>(i)}; }
constexpr blocks::F64 FurtherAmount(int i) { return {kFurtherRows + 24u * static_cast<std::size_t>(i) + 16}; }
inline constexpr blocks::Vec5 Further{1152};          // pass 4
static_assert(kFurtherRows + 24 * kFurtherRowCount <= Further.off);
inline constexpr blocks::Vec5 Sportspeople{1192};     // pass 5
// Sportspeople's mutual fund: two rows of 24 bytes from +1232 (holder, own, promoter).
inline constexpr std::size_t kSportRows = 1232;
inline constexpr int kSportRowCount = 2;
constexpr blocks::U8 SportHolder(int i) { return {kSportRows + 24u * static_cast<std::size_t>(i)}; }
constexpr blocks::F64 SportOwn(int i) { return {kSportRows + 24u * static_cast<std::size_t>(i) + 8}; }
constexpr blocks::F64 SportPromoter(int i) { return {kSportRows + 24u * static_cast<std::size_t>(i) + 16}; }
static_assert(kSportRows + 24 * kSportRowCount == SectionJ.size);
}  // namespace f100::sec_j

// Form100SectionE4: activities in objective estimation (modules). Six activity rows of seven
// modules each, then the holder vector of the activities' net yields.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_e4 {

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 1416;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::Text Epigraph{1, 5};           // such as "642.4"
inline constexpr blocks::I32 Activity{8};               // number in the modules database
inline constexpr blocks::Text Label{12, 12};            // zero-terminated when shorter
inline constexpr blocks::F64 SeasonalDays{24};          // 0 = not seasonal
inline constexpr blocks::F64 StartYear{32};
inline constexpr blocks::U8 StaffIncreased{40};         // 1 = yes
inline constexpr blocks::U8 SinglePremises{41};         // 1 = yes
inline constexpr blocks::F64 Vehicles{48};
inline constexpr blocks::U8 HeavyVehicle{56};           // load above 1000 kg: non-zero
inline constexpr blocks::F64 SizeClass{64};             // municipality size, or rafts and boats (227)
inline constexpr blocks::F64 MaxEmployees{72};
inline constexpr blocks::F64 Withholdings{80};          // read by the liquidation
inline constexpr blocks::F64 InstalmentPayments{88};    // read by the liquidation
inline constexpr blocks::F64 PreviousNet{1272};
inline constexpr blocks::F64 StaffReduction{1280};
inline constexpr blocks::F64 FurtherReduction{1288};
inline constexpr blocks::F64 ReducedNet{1296};
inline constexpr blocks::F64 ActivityIndex{1304};
inline constexpr blocks::F64 SmallBusinessIndex{1312};
inline constexpr blocks::F64 SeasonalIndex{1320};
inline constexpr blocks::F64 ExcessIndex{1328};
inline constexpr blocks::F64 NewActivityIndex{1336};
inline constexpr blocks::F64 ExcessThreshold{1344};
inline constexpr blocks::F64 NetAfterIndices{1352};
inline constexpr blocks::F64 Subtracted1{1360};
inline constexpr blocks::F64 Subtracted2{1376};
inline constexpr blocks::F64 Added{1384};
inline constexpr blocks::F64 NetBeforeLastReduction{1392};
inline constexpr blocks::F64 LastReduction{1400};
inline constexpr blocks::F64 ActivityNet{1408};
static_assert(ActivityNet.off + 8 == kRowSize);

// Modules of a row: module k of row i lies at row + kModules + kModuleSize * k.
inline constexpr int kModuleCount = 7;
inline constexpr std::size_t kModules = 96;
inline constexpr std::size_t kModuleSize = 168;
namespace module {
inline constexpr blocks::U8 Kind{0};
inline constexpr blocks::Text ShortName{1, 24};       // zero-filled after the text
inline constexpr blocks::Text Description15{25, 15};  // zero-filled after the text
inline constexpr blocks::F64 Units{40};
inline constexpr blocks::F64 Hours1{48};          // salaried: over 19;  non-salaried: holder
inline constexpr blocks::F64 Hours2{56};          // salaried: under 19, trainees, disabled; non-salaried: spouse
inline constexpr blocks::F64 Hours3{64};          // salaried: agreement hours (0 = 1800); non-salaried: children
inline constexpr blocks::F64 PreviousHours1{72};  // the three salaried figures of the previous year
inline constexpr blocks::F64 PreviousHours2{80};
inline constexpr blocks::F64 PreviousHours3{88};
inline constexpr blocks::F64 AmountPerUnit{152};
inline constexpr blocks::F64 Yield{160};
static_assert(Yield.off + 8 == kModuleSize);
}  // namespace module
static_assert(kModules + kModuleCount * kModuleSize == PreviousNet.off);

// A module field of row i, module k.
constexpr blocks::F64 moduleField(blocks::F64 f, int row, int k) {
  return {static_cast<std::size_t>(row) * kRowSize + kModules + static_cast<std::size_t>(k) * kModuleSize + f.off};
}
constexpr blocks::Text moduleText(blocks::Text f, int row, int k) {
  return {static_cast<std::size_t>(row) * kRowSize + kModules + static_cast<std::size_t>(k) * kModuleSize + f.off,
          f.width};
}
constexpr blocks::U8 moduleKind(int row, int k) {
  return {static_cast<std::size_t>(row) * kRowSize + kModules + static_cast<std::size_t>(k) * kModuleSize};
}

inline constexpr blocks::Vec5 NetYields{8496};
static_assert(kRows * kRowSize == NetYields.off && NetYields.off + 40 == SectionE4.size);

}  // namespace f100::sec_e4

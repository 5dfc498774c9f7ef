// Form100SectionI (360 bytes): personal and family minimum and its application to the bases.
// Also the inputs of the personal and family data that the minimum and the reductions of
// Calculos100I read.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_i {
inline constexpr blocks::Vec5 PersonalMinimum{0};            // pass 1
inline constexpr blocks::Vec5 DescendantsMinimum{40};        // pass 2
inline constexpr blocks::Vec5 Minimum{80};                   // pass 3
inline constexpr blocks::Vec5 GeneralBase{120};              // pass 4
inline constexpr blocks::Vec5 MinimumOnGeneral{160};         // pass 4
inline constexpr blocks::Vec5 GeneralAfterMinimum{200};      // pass 4
inline constexpr blocks::Vec5 SpecialBase{240};              // pass 5
inline constexpr blocks::Vec5 MinimumOnSpecial{280};         // pass 5
inline constexpr blocks::Vec5 SpecialAfterMinimum{320};      // pass 5
static_assert(SpecialAfterMinimum.off + 40 == SectionI.size);

// Form100Personal, filled by the personal and family data wizard. Column m = 1..4.
namespace personal {
using f100::personal::Age;
using f100::personal::DisabilityCode;
using f100::personal::UnitKind;
constexpr blocks::U8 WorkerDisability(int column) { return {119u + static_cast<std::size_t>(column)}; }  // '1','2'
}  // namespace personal

// Form100Family, filled by the wizard and the annex dialogs.
namespace family {
constexpr blocks::U8 ProlongedWorkingLife(int column) { return {455u + static_cast<std::size_t>(column)}; }  // 1, 2
constexpr blocks::U8 GeographicMobility(int column) { return {460u + static_cast<std::size_t>(column)}; }    // 1..4
inline constexpr blocks::U8 SingleMinimum = f100::family::SpouseExcluded;  // +2070
namespace descendant {
using namespace f100::family::descendant;
}  // namespace descendant
// Ascendant entry i lies in the last 24 bytes of further person i.
namespace ascendant {
inline constexpr std::size_t kBase = 3920;
inline constexpr std::size_t kSize = 80;
inline constexpr int kCount = 4;
constexpr std::size_t base(int i) { return kBase + kSize * static_cast<std::size_t>(i); }
constexpr blocks::I32 Age(int i) { return {base(i)}; }
constexpr blocks::U8 Disability(int i) { return {base(i) + 4}; }
constexpr blocks::U8 Presence(int i) { return {base(i) + 5}; }
// Entitlement of the declarant (column 1) and the spouse (column 2): '1' counted.
constexpr blocks::U8 Entitlement(int i, int column) { return {base(i) + 6 + static_cast<std::size_t>(column)}; }
constexpr blocks::F64 Sharers(int i) { return {base(i) + 16}; }
static_assert(Sharers(kCount - 1).off + 8 == f100::family::FurtherPersons.off + f100::family::FurtherPersons.size);
}  // namespace ascendant
}  // namespace family

}  // namespace f100::sec_i

// The records of the personal and family data wizard: the descendant and ascendant entries of
// Form100Family and the fields of Form100Personal that the wizard fills, each offset relative to
// its own record.
#pragma once

#include <cstddef>

#include "blocks/field.h"

namespace f100 {

// Form100Personal as the family wizard edits it (its first 284 bytes).
namespace wizard_personal {
inline constexpr std::size_t kSize = 284;
inline constexpr blocks::U8 CivilStatus{0};     // 0 single, 1 married, 2 widowed, 3 separated or divorced
inline constexpr blocks::U8 MinorChildren{1};   // 1: minor children form the family unit
inline constexpr blocks::Text DeclarantBirth{3, 8};
inline constexpr blocks::Text DeclarantDeath{11, 8};
inline constexpr blocks::Text SpouseBirth{19, 8};
inline constexpr blocks::U8 OtherParentDied{27};
// Person p: 0 declarant, 1 spouse, 2 child 1, 3 child 2.
constexpr blocks::Text BirthYear(int p) { return {28u + 4u * static_cast<std::size_t>(p), 4}; }
// Holder code h: 1 family unit .. 5 child 2.
constexpr blocks::I32 Age(int h) { return {40u + 4u * static_cast<std::size_t>(h)}; }
inline constexpr blocks::Text Child1Birth{64, 8};
inline constexpr blocks::Text Child2Birth{72, 8};
constexpr blocks::Text Nif(int p) { return {80u + 9u * static_cast<std::size_t>(p), 9}; }
constexpr blocks::U8 Disability(int p) { return {116u + static_cast<std::size_t>(p)}; }  // CLAVMINE
constexpr blocks::U8 WorkerKey(int p) { return {120u + static_cast<std::size_t>(p)}; }   // CLATAMIE
// Region k: 0 joint declaration, 1 declarant, 2 spouse, 3 child 1, 4 child 2.
inline constexpr std::size_t kRegionSize = 32;
constexpr blocks::Text RegionCode(int k) { return {124u + kRegionSize * static_cast<std::size_t>(k), 2}; }
constexpr blocks::Text RegionName(int k) { return {126u + kRegionSize * static_cast<std::size_t>(k), 30}; }
constexpr blocks::Area Region(int k) { return {124u + kRegionSize * static_cast<std::size_t>(k), kRegionSize}; }
static_assert(Age(5).off + 4 == Child1Birth.off);
static_assert(Nif(3).off + 9 == Disability(0).off);
static_assert(RegionName(4).off + 30 == kSize);
}  // namespace wizard_personal

// One descendant (12 of them at Form100Family +2088).
namespace descendant_entry {
inline constexpr std::size_t kSize = 148;
inline constexpr int kCount = 12;
inline constexpr blocks::Text Nif{0, 9};
inline constexpr blocks::Text FullName{9, 48};  // "SURNAME1 SURNAME2, NAME" and a zero byte
inline constexpr blocks::Text GivenName{57, 15};
inline constexpr blocks::Text Surname1{72, 15};
inline constexpr blocks::Text Surname2{87, 15};
inline constexpr blocks::I32 Age{104};
inline constexpr blocks::Text BirthDate{108, 8};
inline constexpr blocks::Text BirthYear{112, 4};  // the year of BirthDate
inline constexpr blocks::U8 AdoptionFlag{116};
inline constexpr blocks::Text AdoptionDate{117, 8};
inline constexpr blocks::U8 Disability{125};  // CLAVMINE
inline constexpr blocks::U8 Link{126};        // VINCESPE: 'D', 'C', 'O'
// Computation code for shown member 1 (family unit), 2 (declarant), 3 (spouse): column 0..2.
constexpr blocks::U8 Code(int column) { return {127u + static_cast<std::size_t>(column)}; }
inline constexpr blocks::U8 Situation{132};  // OTRSITUE: '1'..'4'
inline constexpr blocks::U8 Income{134};     // income above 8,000 euros
inline constexpr blocks::U8 OwnReturn{135};  // files its own return (form 104)
inline constexpr blocks::Text DeathDate{137, 8};
inline constexpr blocks::U8 DeathFlag{145};
inline constexpr blocks::U8 H1{146};
inline constexpr blocks::U8 H2{147};
static_assert(BirthYear.off == BirthDate.off + 4);
static_assert(H2.off + 1 == kSize);
}  // namespace descendant_entry

// One ascendant (4 of them at Form100Family +3864).
namespace ascendant_entry {
inline constexpr std::size_t kSize = 80;
inline constexpr int kCount = 4;
inline constexpr blocks::Text Nif{0, 9};
inline constexpr blocks::Text Name{9, 33};
inline constexpr blocks::Text Year{42, 4};
inline constexpr blocks::Text BirthDate{46, 8};
inline constexpr blocks::Text BirthDateYear{50, 4};
inline constexpr blocks::I32 Age{56};
inline constexpr blocks::U8 Disability{60};  // CLAVMINE
inline constexpr blocks::U8 Link{61};        // VINESASE: 'D', 'C'
constexpr blocks::U8 Code(int column) { return {62u + static_cast<std::size_t>(column)}; }
inline constexpr blocks::F64 Cohabitation{72};
static_assert(Cohabitation.off + 8 == kSize);
}  // namespace ascendant_entry

// Form100Family fields of the wizard.
namespace family_wizard {
// Four vectors of five marks indexed by holder code - 1, in this order.
inline constexpr blocks::Area Marks{445, 20};
inline constexpr std::size_t kMale = 0, kFemale = 5, kProlonged = 10, kMobility = 15;
inline constexpr blocks::U8 NonResidentSpouse{2070};
inline constexpr blocks::U8 NonResidentSpouseCopy{2071};
inline constexpr blocks::Area Descendants{2088, descendant_entry::kSize * descendant_entry::kCount};
inline constexpr blocks::Area Ascendants{3864, ascendant_entry::kSize * ascendant_entry::kCount};
static_assert(Descendants.size == 1776 && Ascendants.size == 320);
static_assert(Descendants.off + Descendants.size <= Ascendants.off);
}  // namespace family_wizard

}  // namespace f100

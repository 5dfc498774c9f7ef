// Fields of the form-100 records that the fiscal-data import writes and the disagreement dialog
// edits, beside the section headers that name the rest of each record.
#pragma once

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_o.h"

namespace f100::family {
// The two identification tables: entry s (0 family unit, 1 declarant, 2 spouse, 3 child 1,
// 4 child 2) of a field is Field(s). The second table is the household seen from the spouse's side.
struct IdentityTable {
  blocks::Text givenName, surname1, surname2, streetType, street, houseNumber, stairs, floor, door,
      municipality, province, postalCode;
};
inline constexpr IdentityTable FirstIdentity{{530, 15}, {605, 15}, {680, 15}, {765, 2},  {790, 20},  {890, 5},
                                             {915, 2},  {925, 2},  {935, 2},  {945, 25}, {1070, 14}, {1140, 5}};
inline constexpr IdentityTable SecondIdentity{{1320, 15}, {1395, 15}, {1470, 15}, {1560, 2},  {1585, 20},  {1685, 5},
                                              {1710, 2},  {1720, 2},  {1730, 2},  {1740, 25}, {1865, 14}, {1935, 5}};
static_assert(FirstIdentity.givenName.off == HolderGivenName.off && SecondIdentity.givenName.off == SpouseGivenName.off);

// Disagreement with the fiscal data (368 bytes): any member, the four members' marks, then the
// members' concept blocks; edited whole by its dialog.
inline constexpr blocks::Area Disagreement{4356, 368};
static_assert(CommunityCodeCopy(5).off <= Disagreement.off && Disagreement.off + Disagreement.size <= ChurchTaxBox(1).off);
}  // namespace f100::family

namespace f100::sec_a {
// The pension scheme of the promoter contributions: '1' to '4', 0 or blank when none.
inline constexpr blocks::U8 PromoterSchemeKind{72};
static_assert(PromoterContributionsAnnex.off + 8 == PromoterSchemeKind.off && PromoterSchemeKind.off < IrregularReduction.off);
}  // namespace f100::sec_a

namespace f100::sec_g1 {
inline constexpr blocks::Text FundNif{33, 15};  // at most 14 characters, then a zero byte
static_assert(FundNif.off + FundNif.width == ShortTermGain.off);
}  // namespace f100::sec_g1

namespace f100::sec_o {
// Two rows of the acquisition date of the financed home (holder, date without separators).
inline constexpr std::size_t kHousingDateRows = 800;
inline constexpr std::size_t kHousingDateRowSize = 48;
inline constexpr int kHousingDateRowCount = 2;
constexpr blocks::U8 HousingDateCode(int n) { return {kHousingDateRows + kHousingDateRowSize * static_cast<std::size_t>(n)}; }
constexpr blocks::Text HousingDate(int n) {
  return {kHousingDateRows + kHousingDateRowSize * static_cast<std::size_t>(n) + 1, 8};
}
static_assert(kHousingDateRows == HousingExtra.off &&
              kHousingDateRows + kHousingDateRowSize * kHousingDateRowCount == HousingExtra.off + HousingExtra.size);
// The acquisition date of the financed home: the first one given, the declarant's, the spouse's.
inline constexpr blocks::Text HousingFirstDate{1016, 8};
inline constexpr blocks::Text HousingDeclarantDate{1024, 8};
inline constexpr blocks::Text HousingSpouseDate{1032, 8};
static_assert(HousingFirstDate.off == PageData1016.off);
}  // namespace f100::sec_o

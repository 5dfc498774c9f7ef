// Form100Data: the whole data of one form-100 declaration, 95,208 bytes, stored whole.
// Record offsets and sizes are a persisted format. Section-record fields live in the headers of
// their sections (form100_*.h); this header holds the record map and the application's fields.
#pragma once

#include "blocks/field.h"

namespace f100 {

inline constexpr std::size_t kBlockSize = 95208;

// Record map: offset within the block and size of every record.
inline constexpr blocks::RecordDef Personal{"Form100Personal", 0, 288};
inline constexpr blocks::RecordDef Family{"Form100Family", 288, 5320};
inline constexpr blocks::RecordDef SectionA{"Form100SectionA", 5608, 1240};
inline constexpr blocks::RecordDef SectionB{"Form100SectionB", 6848, 2128};
inline constexpr blocks::RecordDef SectionC{"Form100SectionC", 8976, 1680};
inline constexpr blocks::RecordDef SectionD{"Form100SectionD", 10656, 912};
inline constexpr blocks::RecordDef SectionE1{"Form100SectionE1", 11568, 1768};
inline constexpr blocks::RecordDef SectionE4{"Form100SectionE4", 13336, 8536};
inline constexpr blocks::RecordDef SectionE5{"Form100SectionE5", 21872, 12416};
inline constexpr blocks::RecordDef SectionF1{"Form100SectionF1", 34288, 1384};
inline constexpr blocks::RecordDef SectionF2{"Form100SectionF2", 35672, 1336};
inline constexpr blocks::RecordDef SectionF3{"Form100SectionF3", 37008, 232};
inline constexpr blocks::RecordDef SectionF4{"Form100SectionF4", 37240, 120};
inline constexpr blocks::RecordDef SectionF5{"Form100SectionF5", 37360, 232};
inline constexpr blocks::RecordDef SectionG1{"Form100SectionG1", 37592, 1936};
inline constexpr blocks::RecordDef SectionG2{"Form100SectionG2", 39528, 5800};
inline constexpr blocks::RecordDef SectionG3{"Form100SectionG3", 45328, 3120};
inline constexpr blocks::RecordDef SectionG4{"Form100SectionG4", 48448, 13640};
inline constexpr blocks::RecordDef SectionG5{"Form100SectionG5", 62088, 248};
inline constexpr blocks::RecordDef SectionG6{"Form100SectionG6", 62336, 320};
inline constexpr blocks::RecordDef SectionH{"Form100SectionH", 62656, 608};
inline constexpr blocks::RecordDef SectionI{"Form100SectionI", 63264, 360};
inline constexpr blocks::RecordDef SectionJ{"Form100SectionJ", 63624, 1280};
inline constexpr blocks::RecordDef SectionK{"Form100SectionK", 64904, 832};
inline constexpr blocks::RecordDef Summary{"Form100Summary", 65736, 9888};
inline constexpr blocks::RecordDef Result{"Form100Result", 75624, 120};
inline constexpr blocks::RecordDef SectionN{"Form100SectionN", 75744, 672};
inline constexpr blocks::RecordDef SectionO{"Form100SectionO", 76416, 2800};
inline constexpr blocks::RecordDef SectionP{"Form100SectionP", 79216, 7656};
inline constexpr blocks::RecordDef SectionQ{"Form100SectionQ", 86872, 8336};

inline constexpr std::array<blocks::RecordDef, 30> kRecords{
    Personal,  Family,    SectionA,  SectionB,  SectionC,  SectionD,  SectionE1, SectionE4,
    SectionE5, SectionF1, SectionF2, SectionF3, SectionF4, SectionF5, SectionG1, SectionG2,
    SectionG3, SectionG4, SectionG5, SectionG6, SectionH,  SectionI,  SectionJ,  SectionK,
    Summary,   Result,    SectionN,  SectionO,  SectionP,  SectionQ};
static_assert(blocks::recordsTile(kRecords, kBlockSize), "Form100Data records must tile 95,208 bytes");

// Members: 1 family unit, 2 declarant, 3 spouse, 4 child 1, 5 child 2.
enum Member : int { kFamilyUnit = 1, kDeclarant = 2, kSpouse = 3, kChild1 = 4, kChild2 = 5 };
inline constexpr int kMembers = 5;

// Fields of Form100Personal that the application core uses (offsets within the record).
namespace personal {
inline constexpr blocks::U8 DeclarationMode{0};   // 1: joint declaration with a spouse member
inline constexpr blocks::U8 OpenOnFamilyUnit{1};  // not 0: open on the family unit; 1: unit always exists
inline constexpr std::size_t kHolderBlocks = 116; // five 32-byte blocks, one per member
inline constexpr std::size_t kHolderBlockSize = 32;
// Member m's two-character autonomous community code.
constexpr blocks::Text communityCode(int member) {
  return {kHolderBlocks + kHolderBlockSize * static_cast<std::size_t>(member - 1) + 8, 2};
}
// Filled by the personal and family data wizard and read by the calculation. Person p = 1
// declarant, 2 spouse, 3 child 1, 4 child 2.
inline constexpr blocks::U8 UnitKind = DeclarationMode;  // 1: a married couple (and their children)
inline constexpr blocks::Text PeriodEndDate{11, 8};
constexpr blocks::I32 Age(int person) { return {44u + 4u * static_cast<std::size_t>(person)}; }
constexpr blocks::U8 DisabilityCode(int person) { return {115u + static_cast<std::size_t>(person)}; }  // '1'..'3'
static_assert(DisabilityCode(4).off < communityCode(kFamilyUnit).off);
}  // namespace personal

// Fields of Form100Family that the application core uses (offsets within the record).
namespace family {
inline constexpr blocks::U8 MemberStatus{0};          // (m-1): 0 renew, 1 printed, 2 printed and changed
inline constexpr blocks::Text ReferenceNumber{5, 20};  // (m-1): 14 characters, zero bytes after
inline constexpr blocks::Text ReferenceText{105, 60};
inline constexpr blocks::Text HolderNif{485, 9};
inline constexpr blocks::Text HolderGivenName{530, 15};
inline constexpr blocks::Text HolderSurname1{605, 15};
inline constexpr blocks::Text HolderSurname2{680, 15};
inline constexpr blocks::Text SpouseNif{1275, 9};
inline constexpr blocks::Text SpouseGivenName{1320, 15};
inline constexpr blocks::Text SpouseSurname1{1395, 15};
inline constexpr blocks::Text SpouseSurname2{1470, 15};
inline constexpr blocks::U8 SpouseExcluded{2070};
inline constexpr blocks::U8 SpouseExcludedCopy{2071};
inline constexpr std::size_t kDescendants = 2088;
inline constexpr std::size_t kDescendantSize = 148;
inline constexpr int kDescendantCount = 12;
inline constexpr blocks::Area FurtherPersons{3864, 320};  // four 80-byte entries
inline constexpr blocks::Area DescendantRanking{4184, 160};
inline constexpr blocks::F64 FirstDescendantNumber{4184};       // (i): 5 doubles
inline constexpr blocks::Text FirstDescendantBirth{4224, 8};    // (i): 5 dates
inline constexpr blocks::F64 SecondDescendantNumber{4264};
inline constexpr blocks::Text SecondDescendantBirth{4304, 8};
inline constexpr blocks::Text CommunityCodeCopy{4344, 2};      // (m-1)
// Disagreement with the fiscal data (368 bytes): any member, the four members' marks, then
// the members' concept blocks; edited whole by its dialog.
inline constexpr blocks::Area Disagreement{4356, 368};
// Member m's assignment boxes (m = 1..5): offsets are base + m.
inline constexpr blocks::U8 ChurchTaxBox(int member) { return {4723u + static_cast<std::size_t>(member)}; }
inline constexpr blocks::U8 SocialPurposeBox(int member) { return {4728u + static_cast<std::size_t>(member)}; }
inline constexpr blocks::U8 NoAssignment(int member) { return {4733u + static_cast<std::size_t>(member)}; }
inline constexpr blocks::U8 ResultSelection1(int member) { return {5273u + static_cast<std::size_t>(member)}; }
inline constexpr blocks::U8 ResultSelection2(int member) { return {5278u + static_cast<std::size_t>(member)}; }

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

// Descendant entry i (0..11), fields relative to the family record.
namespace descendant {
constexpr std::size_t base(int i) { return kDescendants + kDescendantSize * static_cast<std::size_t>(i); }
constexpr blocks::Text GivenName(int i) { return {base(i) + 57, 15}; }
constexpr blocks::Text Surname1(int i) { return {base(i) + 72, 15}; }
constexpr blocks::Text Surname2(int i) { return {base(i) + 87, 15}; }
constexpr blocks::I32 Age(int i) { return {base(i) + 104}; }
constexpr blocks::Text BirthDate(int i) { return {base(i) + 108, 8}; }
constexpr blocks::Text AdoptionDate(int i) { return {base(i) + 117, 8}; }
constexpr blocks::U8 Disability(int i) { return {base(i) + 125}; }  // degree '1'..'3'
constexpr blocks::U8 Owner(int i) { return {base(i) + 126}; }  // 'D' declarant, 'C' spouse, else both
// Entitlement in column 0 (family unit), 1 (declarant), 2 (spouse): '1' full, '2' none, blank or
// zero byte half.
constexpr blocks::U8 Entitlement(int i, int column) { return {base(i) + 127 + static_cast<std::size_t>(column)}; }
constexpr blocks::U8 Situation(int i) { return {base(i) + 132}; }  // '1'..'4'
constexpr blocks::U8 Exclusion1(int i) { return {base(i) + 134}; }
constexpr blocks::U8 Exclusion2(int i) { return {base(i) + 135}; }
constexpr blocks::Text DeathDate(int i) { return {base(i) + 137, 8}; }
constexpr blocks::U8 Child1Mark(int i) { return {base(i) + 146}; }
constexpr blocks::U8 Child2Mark(int i) { return {base(i) + 147}; }
}  // namespace descendant
}  // namespace family

// Other fields read by the application core.
namespace summary {
inline constexpr blocks::U8 SuspensionRequest{9881};  // 1 = the spouses request suspension and waiver
}
namespace result {
inline constexpr blocks::Vec5 MemberResult{80};
}
namespace section_n {
inline constexpr blocks::Vec5 ResultCopy{624};
}

// Byte 0 of Form100Personal (0..6; callers test for 1).
inline unsigned GetDeclarationMode(const void* block) { return personal::DeclarationMode.get(block); }

// Start of a record inside a whole block.
inline unsigned char* record(void* block, const blocks::RecordDef& r) { return blocks::at(block, r.offset); }
inline const unsigned char* record(const void* block, const blocks::RecordDef& r) { return blocks::at(block, r.offset); }

}  // namespace f100

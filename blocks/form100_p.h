// Form100SectionP: the regional deductions of the autonomous communities (7,656 bytes).
// Each community owns one contiguous block in which result HolderVectors alternate with the
// input areas that its annex dialogs fill; the last vector of a block is its CommunityTotal.
// Offsets are within the record and are a persisted format.
#pragma once

#include <array>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_c.h"
#include "blocks/form100_d.h"
#include "blocks/form100_e1.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f2.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "blocks/form100_g6.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_o.h"

namespace f100::sec_p {

inline constexpr std::size_t kRecordSize = 7656;
static_assert(SectionP.size == kRecordSize);

// Input rows: holder-code byte at row +0, fields at fixed row offsets.
struct Rows {
  std::size_t off;
  std::size_t stride;
  int count;
  constexpr blocks::U8 code(int i) const { return {at(i)}; }
  constexpr blocks::F64 f64(int i, std::size_t field) const { return {at(i) + field}; }
  constexpr blocks::U8 byte(int i, std::size_t field) const { return {at(i) + field}; }
  constexpr blocks::Text nif(int i, std::size_t field) const { return {at(i) + field, 9}; }
  constexpr std::size_t at(int i) const { return off + stride * static_cast<std::size_t>(i); }
  constexpr std::size_t end() const { return at(count); }
};
inline constexpr std::size_t kRowAmount = 8;  // amount of a 16- or 32-byte row
inline constexpr std::size_t kRowNif = 16;     // landlord's NIF of a 32-byte rent row

// Identification behind a member's deduction, member m = 0..4 (9 characters, zero bytes = empty).
inline constexpr blocks::Text CounterpartyNif{7560, 9};        // (m)
inline constexpr blocks::Text SecondCounterpartyNif{7605, 9};  // (m)
inline constexpr std::size_t kUnusedTail = 7650;               // +7650 .. +7655
static_assert(SecondCounterpartyNif(4).off + 9 == kUnusedTail);

// ---- community 2 (+0 .. +87): third or later child born or adopted --------------------------
namespace c02 {
inline constexpr blocks::Vec5 Births{0};  // also the community total
inline constexpr blocks::F64 CommonCount{40};
inline constexpr blocks::F64 DeclarantCount{48};
inline constexpr blocks::F64 SpouseCount{56};
inline constexpr blocks::F64 DeclarantEntitled{64};
inline constexpr blocks::F64 SpouseEntitled{72};
inline constexpr blocks::U8 HighIncomeMark{80};
inline constexpr blocks::Area Block{0, 88};
}  // namespace c02

// ---- community 1 (+88 .. +623) ----------------------------------------------------------------
namespace c01 {
inline constexpr blocks::Vec5 FamilyAid{88};  // A
inline constexpr blocks::F64 AidCommonFirst{128};
inline constexpr blocks::F64 AidCommonSecond{136};
inline constexpr blocks::F64 AidDeclarantFirst{144};
inline constexpr blocks::F64 AidDeclarantSecond{152};
inline constexpr blocks::F64 AidSpouseFirst{160};
inline constexpr blocks::F64 AidSpouseSecond{168};
inline constexpr blocks::F64 AidSharersDeclarantFirst{176};
inline constexpr blocks::F64 AidSharersSpouseFirst{184};
inline constexpr blocks::F64 AidSharersDeclarantSecond{192};
inline constexpr blocks::F64 AidSharersSpouseSecond{200};
inline constexpr blocks::Vec5 ProtectedHousingAid{208};  // B
inline constexpr blocks::U8 AidMarkCommon{248};
inline constexpr blocks::U8 AidMarkDeclarant{249};
inline constexpr blocks::U8 AidMarkSpouse{250};
inline constexpr blocks::Vec5 HousingInvestment{256};  // C
inline constexpr Rows InvestmentRows{296, 16, 3};
inline constexpr blocks::U8 ProtectedDwelling{344};
inline constexpr blocks::Vec5 Rent{352};  // D
inline constexpr Rows RentRows{392, 32, 3};
inline constexpr blocks::Vec5 Young{488};  // E
inline constexpr blocks::U8 YoungMark{528};  // (person 0..3: declarant, spouse, child 1, child 2)
inline constexpr blocks::Vec5 Confirmed{536};  // F
inline constexpr blocks::U8 ConfirmedMark{576};  // (person 0..3)
inline constexpr blocks::Vec5 Total{584};
inline constexpr blocks::Area Block{88, 536};
static_assert(InvestmentRows.end() == ProtectedDwelling.off && RentRows.end() == Young.off);
}  // namespace c01

// ---- community 3 (+624 .. +1295) --------------------------------------------------------------
namespace c03 {
inline constexpr blocks::Vec5 PerPerson{624};  // A
inline constexpr blocks::F64 PersonsCommon{664};
inline constexpr blocks::F64 PersonsDeclarant{672};
inline constexpr blocks::F64 PersonsSpouse{680};
inline constexpr blocks::F64 SharersDeclarant{688};
inline constexpr blocks::F64 SharersSpouse{696};
inline constexpr blocks::Vec5 SevereDisability{704};  // B
inline constexpr Rows SevereDisabilityRows{744, 16, 3};
inline constexpr blocks::Vec5 RelativesHousing{792};  // C
inline constexpr Rows RelativesHousingRows{832, 16, 3};
inline constexpr blocks::F64 RelativesHousingTaxpayers{880};
inline constexpr blocks::Vec5 Marked{888};  // D
inline constexpr blocks::U8 MarkDeclarant{928};
inline constexpr blocks::U8 MarkSpouse{929};
inline constexpr blocks::Vec5 Rent{936};  // E
inline constexpr Rows RentRows{976, 32, 3};
inline constexpr blocks::Vec5 YoungOrFamily{1072};  // F
inline constexpr blocks::U8 YoungOrFamilyMark{1112};  // (person 0..3)
inline constexpr blocks::Vec5 Other{1120};  // G
inline constexpr blocks::U8 OtherMark{1160};  // (person 0..3)
inline constexpr blocks::Vec5 QuotaShare{1168};  // H
inline constexpr Rows QuotaShareRows{1208, 16, 3};
inline constexpr blocks::Vec5 Total{1256};
inline constexpr blocks::Area Block{624, 672};
static_assert(RentRows.end() == YoungOrFamily.off && QuotaShareRows.end() == Total.off);
}  // namespace c03

// ---- community 4 (+1296 .. +2079) -------------------------------------------------------------
namespace c04 {
inline constexpr blocks::Vec5 Textbooks{1296};  // A
inline constexpr Rows TextbookRows{1336, 16, 12};
inline constexpr blocks::Vec5 Elderly{1528};           // B
inline constexpr blocks::Vec5 YoungHousing{1568};      // C
inline constexpr Rows YoungHousingRows{1608, 16, 3};
inline constexpr blocks::Vec5 YoungRent{1656};  // D
inline constexpr Rows YoungRentRows{1696, 32, 3};
inline constexpr blocks::Vec5 FifteenPercent{1792};  // E
inline constexpr Rows FifteenPercentRows{1832, 16, 3};
inline constexpr blocks::Vec5 Disability{1880};  // F
inline constexpr blocks::Vec5 RuralLand{1920};   // G
inline constexpr Rows RuralLandRows{1960, 40, 2};
inline constexpr std::size_t kLandExpense = 8;    // a
inline constexpr std::size_t kLandHectares = 16;  // b
inline constexpr std::size_t kLandTax = 24;       // c
inline constexpr std::size_t kLandKind = 32;      // 1 parks, reserves, natural monuments
inline constexpr blocks::Vec5 Total{2040};
inline constexpr blocks::Area Block{1296, 784};
static_assert(TextbookRows.end() == Elderly.off && RuralLandRows.end() == Total.off);
}  // namespace c04

// ---- community 5 (+2080 .. +2503) -------------------------------------------------------------
namespace c05 {
inline constexpr blocks::Vec5 Deduction1{2080};
inline constexpr Rows Rows1{2120, 16, 3};
inline constexpr blocks::Vec5 Deduction2{2168};
inline constexpr Rows Rows2{2208, 16, 3};
inline constexpr blocks::Vec5 Deduction3{2256};
inline constexpr Rows Rows3{2296, 16, 3};
inline constexpr blocks::Vec5 StudiesAway{2344};  // 5.4
inline constexpr blocks::F64 IslandsCommon{2384};
inline constexpr blocks::F64 IslandsDeclarant{2392};
inline constexpr blocks::F64 IslandsSpouse{2400};
inline constexpr blocks::F64 OutsideCommon{2408};
inline constexpr blocks::F64 OutsideDeclarant{2416};
inline constexpr blocks::F64 OutsideSpouse{2424};
inline constexpr blocks::F64 EntitledDeclarant{2432};
inline constexpr blocks::F64 EntitledSpouse{2440};
inline constexpr blocks::F64 ExemptDeclarant{2448};
inline constexpr blocks::F64 ExemptSpouse{2456};
inline constexpr blocks::Vec5 Total{2464};
inline constexpr blocks::Area Block{2080, 424};
static_assert(Rows3.end() == StudiesAway.off);
}  // namespace c05

// ---- community 6 (+2504 .. +2559) -------------------------------------------------------------
namespace c06 {
inline constexpr blocks::Vec5 MothersAid{2504};  // also the community total
inline constexpr blocks::U8 AidHolder{2544};
inline constexpr blocks::F64 AidAmount{2552};
inline constexpr blocks::Area Block{2504, 56};
}  // namespace c06

// ---- community 7 (+2560 .. +3055) -------------------------------------------------------------
namespace c07 {
// Per-person deductions 7.1 to 7.3 share one input shape.
struct Persons {
  blocks::Vec5 result;
  std::size_t area;
  double perPerson;
  constexpr blocks::F64 common() const { return {area}; }
  constexpr blocks::F64 declarant() const { return {area + 8}; }
  constexpr blocks::F64 spouse() const { return {area + 16}; }
  constexpr blocks::F64 declarantEntitled() const { return {area + 24}; }
  constexpr blocks::F64 spouseEntitled() const { return {area + 32}; }
};
inline constexpr Persons Persons1{{2560}, 2600, 100.0};
inline constexpr Persons Persons2{{2640}, 2680, 100.0};
inline constexpr Persons Persons3{{2720}, 2760, 300.0};
inline constexpr blocks::Vec5 SevereDisability{2800};  // 7.4
inline constexpr blocks::Vec5 SecondShare{2840};       // 7.6
inline constexpr Rows SecondShareRows{2880, 16, 3};
inline constexpr blocks::Vec5 FirstShare{2928};  // 7.5
inline constexpr Rows FirstShareRows{2968, 16, 3};
inline constexpr blocks::Vec5 Total{3016};
inline constexpr blocks::Area Block{2560, 496};
}  // namespace c07

// ---- community 8 (+3056 .. +3559) -------------------------------------------------------------
namespace c08 {
inline constexpr blocks::Vec5 Family{3056};  // 8.1
inline constexpr blocks::U8 FamilyClaim{3096};
inline constexpr blocks::U8 FamilyHolder{3097};
inline constexpr blocks::F64 FamilyEntitled{3104};
inline constexpr blocks::Vec5 Children{3112};  // 8.2
inline constexpr blocks::F64 ChildrenCommon{3152};     // (class 0..2)
inline constexpr blocks::F64 ChildrenDeclarant{3176};  // (class 0..2)
inline constexpr blocks::F64 ChildrenSpouse{3200};     // (class 0..2)
inline constexpr blocks::U8 ChildrenShared{3224};
inline constexpr blocks::Vec5 PaidLessReceived{3232};  // 8.3
inline constexpr Rows PaidRows{3272, 24, 3};
inline constexpr std::size_t kPaid = 8;
inline constexpr std::size_t kReceived = 16;
inline constexpr blocks::Vec5 FirstShare{3344};  // 8.4
inline constexpr Rows FirstShareRows{3384, 16, 3};
inline constexpr blocks::Vec5 SecondShare{3432};  // 8.5
inline constexpr Rows SecondShareRows{3472, 16, 3};
inline constexpr blocks::Vec5 Total{3520};
inline constexpr blocks::Area Block{3056, 504};
static_assert(PaidRows.end() == FirstShare.off);
}  // namespace c08

// ---- community 9 (+3560 .. +4095) -------------------------------------------------------------
namespace c09 {
inline constexpr blocks::Vec5 Children{3560};  // 9.1
inline constexpr blocks::F64 ChildrenCommon{3600};
inline constexpr blocks::F64 ChildrenDeclarant{3608};
inline constexpr blocks::F64 ChildrenSpouse{3616};
inline constexpr blocks::Vec5 QuotaShare{3624};  // 9.2
inline constexpr Rows QuotaShareRows{3664, 16, 3};
inline constexpr blocks::Vec5 Rent{3712};  // 9.3
inline constexpr Rows RentRows{3752, 40, 3};
inline constexpr std::size_t kRentEntitled = 32;
inline constexpr blocks::U8 UnemployedDeclarant{3872};
inline constexpr blocks::U8 UnemployedSpouse{3873};
inline constexpr blocks::U8 LargeFamily{3874};
inline constexpr blocks::Vec5 Whole{3880};  // 9.4
inline constexpr Rows WholeRows{3920, 16, 3};
inline constexpr blocks::Vec5 OnePercent{3968};  // 9.5
inline constexpr Rows OnePercentRows{4008, 16, 3};
inline constexpr blocks::Vec5 Total{4056};
inline constexpr blocks::Area Block{3560, 536};
static_assert(RentRows.end() == UnemployedDeclarant.off);
}  // namespace c09

// ---- community 10 (+4096 .. +4439) ------------------------------------------------------------
namespace c10 {
inline constexpr blocks::Vec5 YoungLowIncome{4096};  // 10.1
inline constexpr Rows YoungLowIncomeRows{4136, 16, 3};
inline constexpr blocks::Vec5 SmallWorkIncome{4184};  // 10.2
inline constexpr blocks::Vec5 FirstShare{4224};       // 10.3
inline constexpr Rows FirstShareRows{4264, 16, 3};
inline constexpr blocks::Vec5 SecondShare{4312};  // 10.4
inline constexpr Rows SecondShareRows{4352, 16, 3};
inline constexpr blocks::Vec5 Total{4400};
inline constexpr blocks::Area Block{4096, 344};
}  // namespace c10

// ---- community 11 (+4440 .. +4879) ------------------------------------------------------------
namespace c11 {
inline constexpr blocks::Vec5 Children{4440};  // 11.1
inline constexpr blocks::F64 ClassACommon{4480};
inline constexpr blocks::F64 ClassADeclarant{4488};
inline constexpr blocks::F64 ClassASpouse{4496};
inline constexpr blocks::F64 ClassCCommon{4504};
inline constexpr blocks::F64 ClassCDeclarant{4512};
inline constexpr blocks::F64 ClassCSpouse{4520};
inline constexpr blocks::U8 SharedAB{4528};
inline constexpr blocks::U8 SharedC{4529};
inline constexpr blocks::F64 ClassBCommon{4536};
inline constexpr blocks::F64 ClassBDeclarant{4544};
inline constexpr blocks::F64 ClassBSpouse{4552};
inline constexpr blocks::Vec5 LargeFamily{4560};  // 11.2
inline constexpr blocks::U8 FirstCategory{4600};
inline constexpr blocks::U8 SecondCategory{4601};
inline constexpr blocks::U8 HonourCategory{4602};
inline constexpr blocks::U8 LargeFamilyHolder{4603};
inline constexpr blocks::F64 LargeFamilyEntitled{4608};
inline constexpr blocks::Vec5 Marked{4616};  // 11.3
inline constexpr blocks::U8 MarkCommon{4656};
inline constexpr blocks::U8 MarkDeclarant{4657};
inline constexpr blocks::U8 MarkSpouse{4658};
inline constexpr blocks::F64 MarkedEntitledDeclarant{4664};
inline constexpr blocks::F64 MarkedEntitledSpouse{4672};
inline constexpr blocks::Vec5 YoungRent{4680};  // 11.4
inline constexpr Rows RentContracts{4720, 40, 2};  // the rest of the 120-byte area is not read
inline constexpr std::size_t kContractHolders = 8;
inline constexpr std::size_t kContractRent = 16;
inline constexpr std::size_t kContractNif = 24;
inline constexpr blocks::Vec5 Total{4840};
inline constexpr blocks::Area Block{4440, 440};
}  // namespace c11

// ---- community 12 (+4880 .. +5631) ------------------------------------------------------------
namespace c12 {
// Counts of one rate: common, declarant's and spouse's.
struct Counts {
  blocks::F64 common, declarant, spouse;
  double rate;
};
inline constexpr blocks::Vec5 Births{4880};  // 12.1
inline constexpr std::array<Counts, 4> BirthCounts{{{{4920}, {4944}, {4968}, 600.0},
                                                    {{4928}, {4952}, {4976}, 750.0},
                                                    {{4936}, {4960}, {4984}, 900.0},
                                                    {{5000}, {5008}, {5016}, 200.0}}};
inline constexpr blocks::U8 BirthsLiveWithBoth{4992};
inline constexpr blocks::Vec5 AdoptedAbroad{5024};  // 12.2
inline constexpr Counts AdoptedCounts{{5064}, {5072}, {5080}, 600.0};
inline constexpr blocks::U8 AdoptedLiveWithBoth{5088};
inline constexpr blocks::Vec5 PerItem{5096};  // 12.3
inline constexpr std::array<Counts, 3> PerItemCounts{{{{5136}, {5160}, {5184}, 600.0},
                                                      {{5144}, {5168}, {5192}, 750.0},
                                                      {{5152}, {5176}, {5200}, 900.0}}};
inline constexpr blocks::U8 PerItemShared{5208};
inline constexpr blocks::Vec5 Entitled{5216};  // 12.4
inline constexpr blocks::F64 EntitledCommon{5256};
inline constexpr blocks::F64 EntitledDeclarant{5264};
inline constexpr blocks::F64 EntitledSpouse{5272};
inline constexpr blocks::F64 PersonsDeclarant{5280};
inline constexpr blocks::F64 PersonsSpouse{5288};
inline constexpr blocks::Vec5 YoungRent{5296};  // 12.5
inline constexpr Rows RentRows{5336, 32, 3};
inline constexpr blocks::Vec5 SharedLimit{5432};  // 12.6
inline constexpr Rows SharedLimitRows{5472, 16, 3};
inline constexpr blocks::Vec5 FifteenPercent{5520};  // 12.7
inline constexpr Rows FifteenPercentRows{5560, 16, 2};
inline constexpr blocks::Vec5 Total{5592};
inline constexpr blocks::Area Block{4880, 752};
static_assert(RentRows.end() == SharedLimit.off && FifteenPercentRows.end() == Total.off);
}  // namespace c12

// ---- community 13 (+5632 .. +5935) ------------------------------------------------------------
namespace c13 {
inline constexpr blocks::Vec5 YoungHousing{5632};  // 13.1
inline constexpr Rows YoungHousingRows{5672, 16, 3};
inline constexpr blocks::Vec5 SharedLimit{5720};  // 13.2
inline constexpr Rows SharedLimitRows{5760, 16, 3};
inline constexpr blocks::Vec5 LowIncome{5808};  // 13.3
inline constexpr Rows LowIncomeRows{5848, 16, 3};
inline constexpr blocks::Vec5 Total{5896};
inline constexpr blocks::Area Block{5632, 304};
}  // namespace c13

// ---- community 16 (+5936 .. +6271) ------------------------------------------------------------
namespace c16 {
inline constexpr blocks::Vec5 PerItem{5936};  // 16.1
struct Counts {
  blocks::F64 common, declarant, spouse;
  double rate;
};
inline constexpr std::array<Counts, 3> PerItemCounts{{{{5976}, {6000}, {6024}, 150.0},
                                                      {{5984}, {6008}, {6032}, 180.0},
                                                      {{5992}, {6016}, {6040}, 60.0}}};
inline constexpr blocks::U8 PerItemShared{6048};
inline constexpr blocks::Vec5 YoungHousing{6056};  // 16.2
inline constexpr Rows YoungHousingRows{6096, 16, 3};
inline constexpr blocks::Vec5 Housing{6144};  // 16.3
inline constexpr Rows HousingRows{6184, 16, 3};
inline constexpr blocks::Vec5 Total{6232};
inline constexpr blocks::Area Block{5936, 336};
}  // namespace c16

// ---- community 17 (+6272 .. +7559) ------------------------------------------------------------
namespace c17 {
inline constexpr blocks::Vec5 PerItem{6272};  // 17.1
inline constexpr blocks::F64 ItemsCommon{6312};
inline constexpr blocks::F64 ItemsDeclarant{6320};
inline constexpr blocks::F64 ItemsSpouse{6328};
inline constexpr blocks::F64 ItemsEntitledDeclarant{6336};
inline constexpr blocks::F64 ItemsEntitledSpouse{6344};
inline constexpr blocks::Vec5 SharedItems{6352};  // 17.2
inline constexpr blocks::U8 SharedCommon{6392};
inline constexpr blocks::U8 SharedDeclarant{6393};
inline constexpr blocks::U8 SharedSpouse{6394};
inline constexpr blocks::U8 SharedFlag{6395};
inline constexpr blocks::Vec5 DisabledChildren{6400};  // 17.3
inline constexpr blocks::F64 FirstCommon{6440};
inline constexpr blocks::F64 FirstDeclarant{6448};
inline constexpr blocks::F64 FirstSpouse{6456};
inline constexpr blocks::F64 LaterCommon{6464};
inline constexpr blocks::F64 LaterDeclarant{6472};
inline constexpr blocks::F64 LaterSpouse{6480};
inline constexpr blocks::F64 DisabledEntitledDeclarant{6488};
inline constexpr blocks::F64 DisabledEntitledSpouse{6496};
inline constexpr blocks::Vec5 LargeFamily{6504};  // 17.4
inline constexpr blocks::U8 FirstCategory{6544};
inline constexpr blocks::U8 SecondCategory{6545};
inline constexpr blocks::U8 HonourCategory{6546};
inline constexpr blocks::U8 LargeFamilyHolder{6547};
inline constexpr blocks::F64 LargeFamilyEntitled{6552};
inline constexpr blocks::Vec5 Elderly{6560};  // 17.5
inline constexpr blocks::U8 ElderlyRequestDeclarant{6600};
inline constexpr blocks::U8 ElderlyRequestSpouse{6601};
inline constexpr blocks::Vec5 LowIncomeFamily{6608};  // 17.6
inline constexpr blocks::Vec5 Young{6648};            // 17.7
inline constexpr Rows YoungRows{6688, 16, 3};
inline constexpr blocks::Vec5 Disabled{6736};  // 17.8
inline constexpr Rows DisabledRows{6776, 16, 3};
inline constexpr blocks::Vec5 Claimed{6824};  // 17.9
inline constexpr blocks::U8 ClaimDeclarant{6864};
inline constexpr blocks::U8 ClaimSpouse{6865};
inline constexpr blocks::Vec5 Rent{6872};  // 17.10
inline constexpr Rows RentRows{6912, 32, 3};
inline constexpr blocks::Vec5 RentByMonths{7008};  // 17.11
inline constexpr Rows RentByMonthsRows{7048, 40, 3};
inline constexpr std::size_t kMonths = 16;
inline constexpr std::size_t kMonthsNif = 24;
inline constexpr blocks::Vec5 TwentyPercent{7168};  // 17.12
inline constexpr Rows TwentyPercentRows{7208, 16, 3};
inline constexpr blocks::Vec5 TenPercent{7256};  // 17.13
inline constexpr Rows TenPercentRows{7296, 16, 3};
inline constexpr blocks::Vec5 FivePercent{7344};  // 17.14
inline constexpr Rows FivePercentRows{7384, 16, 3};
inline constexpr blocks::Vec5 BaseLimited{7432};  // 17.15
inline constexpr Rows BaseLimitedRows{7472, 16, 3};
inline constexpr blocks::Vec5 Total{7520};
inline constexpr blocks::Area Block{6272, 1288};
static_assert(RentByMonthsRows.end() == TwentyPercent.off && BaseLimitedRows.end() == Total.off);
}  // namespace c17

// ---- the community table ------------------------------------------------------------------------
// One community's block: its whole extent, the vectors summed into its total (in this order), and
// the total. Communities 2 and 6 have a single deduction that is itself the total.
struct CommunityBlock {
  int code;
  blocks::Area block;
  std::array<blocks::Vec5, 15> addends;
  int addendCount;
  blocks::Vec5 total;
};

// In the fixed order of the community table: 1 to 13, 16, 17.
inline constexpr std::array<CommunityBlock, 15> kCommunities{{
    {1, c01::Block, {c01::FamilyAid, c01::ProtectedHousingAid, c01::HousingInvestment, c01::Rent, c01::Young,
                     c01::Confirmed}, 6, c01::Total},
    {2, c02::Block, {}, 0, c02::Births},
    {3, c03::Block, {c03::PerPerson, c03::SevereDisability, c03::RelativesHousing, c03::Marked, c03::Rent,
                     c03::YoungOrFamily, c03::Other, c03::QuotaShare}, 8, c03::Total},
    {4, c04::Block, {c04::Textbooks, c04::Elderly, c04::YoungHousing, c04::YoungRent, c04::FifteenPercent,
                     c04::Disability, c04::RuralLand}, 7, c04::Total},
    {5, c05::Block, {c05::Deduction1, c05::Deduction2, c05::Deduction3, c05::StudiesAway}, 4, c05::Total},
    {6, c06::Block, {}, 0, c06::MothersAid},
    {7, c07::Block, {c07::Persons1.result, c07::Persons2.result, c07::Persons3.result, c07::SevereDisability,
                     c07::SecondShare, c07::FirstShare}, 6, c07::Total},
    {8, c08::Block, {c08::Family, c08::Children, c08::PaidLessReceived, c08::FirstShare, c08::SecondShare}, 5,
     c08::Total},
    {9, c09::Block, {c09::Children, c09::QuotaShare, c09::Rent, c09::Whole, c09::OnePercent}, 5, c09::Total},
    {10, c10::Block, {c10::YoungLowIncome, c10::SmallWorkIncome, c10::FirstShare, c10::SecondShare}, 4,
     c10::Total},
    {11, c11::Block, {c11::Children, c11::LargeFamily, c11::Marked, c11::YoungRent}, 4, c11::Total},
    {12, c12::Block, {c12::Births, c12::AdoptedAbroad, c12::PerItem, c12::Entitled, c12::YoungRent,
                      c12::SharedLimit, c12::FifteenPercent}, 7, c12::Total},
    {13, c13::Block, {c13::YoungHousing, c13::SharedLimit, c13::LowIncome}, 3, c13::Total},
    {16, c16::Block, {c16::PerItem, c16::YoungHousing, c16::Housing}, 3, c16::Total},
    {17, c17::Block, {c17::PerItem, c17::SharedItems, c17::DisabledChildren, c17::LargeFamily, c17::Elderly,
                      c17::LowIncomeFamily, c17::Young, c17::Disabled, c17::Claimed, c17::Rent,
                      c17::RentByMonths, c17::TwentyPercent, c17::TenPercent, c17::FivePercent,
                      c17::BaseLimited}, 15, c17::Total},
}};

// Order in which the community totals are added into RegionalDeductionsTotal.
inline constexpr std::array<int, 15> kTotalOrder{2, 1, 5, 6, 8, 7, 9, 10, 11, 4, 16, 12, 13, 3, 17};

// The blocks, taken in address order, tile +0 .. +7559; every vector lies inside its block.
constexpr bool communityBlocksTile() {
  std::array<blocks::Area, 15> areas{};
  for (std::size_t i = 0; i < kCommunities.size(); ++i) areas[i] = kCommunities[i].block;
  std::sort(areas.begin(), areas.end(), [](const blocks::Area& a, const blocks::Area& b) { return a.off < b.off; });
  std::size_t next = 0;
  for (const auto& a : areas) {
    if (a.off != next) return false;
    next = a.off + a.size;
  }
  for (const auto& c : kCommunities) {
    const std::size_t end = c.block.off + c.block.size;
    if (c.total.off + 40 != end && c.addendCount != 0) return false;
    for (int i = 0; i < c.addendCount; ++i)
      if (c.addends[static_cast<std::size_t>(i)].off < c.block.off ||
          c.addends[static_cast<std::size_t>(i)].off + 40 > end)
        return false;
  }
  return next == CounterpartyNif.off;
}
static_assert(communityBlocksTile(), "community blocks must tile Form100SectionP up to the NIF slots");

// ---- fields of other records that the community rules read ------------------------------------
// Personal and family data come from the wizard and the annex dialogs; the sections' fields below
// are their writers' descriptors.
namespace in {
// Form100Personal, filled by the personal and family data wizard.
namespace personal {
using f100::personal::UnitKind;  // 1 = married couple, other = one parent with children
using f100::personal::PeriodEndDate;
// Person p = 1 declarant, 2 spouse, 3 child 1, 4 child 2.
using f100::personal::Age;
using f100::personal::DisabilityCode;
// Member m = 0 family unit .. 4 child 2.
constexpr blocks::Text CommunityCode(int m) { return f100::personal::communityCode(m + 1); }
}  // namespace personal

// Form100Family, filled by the wizard and the family annex dialogs.
namespace family {
constexpr blocks::U8 FamilyMemberMark(int p) { return {450u + static_cast<std::size_t>(p)}; }  // p = 1..4
constexpr blocks::U8 Community9Mark(int m) { return {475u + static_cast<std::size_t>(m)}; }     // declarant: m = 1
namespace descendant {
namespace d = f100::family::descendant;
using d::Age;
using d::base;
using d::Disability;
using d::Situation;
constexpr blocks::U8 Used(int i) { return {d::BirthDate(i).off}; }  // first byte of the birth date
constexpr blocks::U8 CodeTowardsDeclarant(int i) { return d::Entitlement(i, 1); }
constexpr blocks::U8 CodeTowardsSpouse(int i) { return d::Entitlement(i, 2); }
constexpr blocks::U8 Flag134(int i) { return d::Exclusion1(i); }
constexpr blocks::U8 Flag135(int i) { return d::Exclusion2(i); }
constexpr blocks::U8 Excluded(int i) { return {d::DeathDate(i).off}; }  // first byte of the date of death
}  // namespace descendant
}  // namespace family

// Fields of the other sections, under the names the community rules use; each is the writer's
// own descriptor. The state rent deduction (Form100Summary, Calculos100Li) is read through the
// liquidation's header, which itself reads RegionalDeductionsTotal from here.
namespace sec_i {  // Calculos100I
inline constexpr blocks::Vec5 GeneralBase = f100::sec_i::GeneralBase;
inline constexpr blocks::Vec5 GeneralBaseAfterMinimum = f100::sec_i::GeneralAfterMinimum;
inline constexpr blocks::Vec5 SpecialBase = f100::sec_i::SpecialBase;
inline constexpr blocks::Vec5 SpecialBaseAfterMinimum = f100::sec_i::SpecialAfterMinimum;
}  // namespace sec_i

namespace sec_k {  // Calculos100K
inline constexpr blocks::Vec5 GeneralTaxableBase = f100::sec_k::GeneralAfterReductions;
inline constexpr blocks::Vec5 SpecialTaxableBase = f100::sec_k::SpecialLiquidable;
}  // namespace sec_k

namespace summary {
inline constexpr blocks::Vec5 RegionalGrossQuota = f100::summary::RegionalGrossQuota;  // Calculos100L
// Calculos100O: (i = 0..5) the state and regional parts of the housing deductions, +640 .. +840.
inline constexpr blocks::Vec5 HousingInvestmentDeductions = f100::summary::HousingFinancedState;
static_assert(HousingInvestmentDeductions(5).off == f100::summary::HousingConstructionRegional.off);
// Calculos100O: (i = 0..3) the state and regional parts of the adaptation works, +960 .. +1080.
inline constexpr blocks::Vec5 OtherDeductions = f100::summary::WorksFinancedState;
static_assert(OtherDeductions(3).off == f100::summary::WorksUnfinancedRegional.off);
}  // namespace summary

namespace sec_o {  // Calculos100O
// What the donations already counted against the limit of 10 percent of the taxable base.
inline constexpr blocks::Vec5 TenPercentUsedFirst = f100::sec_o::Item15Admitted;
inline constexpr blocks::Vec5 TenPercentUsedSecond = f100::sec_o::DonationAdmitted;
// (i = 0..4) the housing amounts admitted within the limit.
inline constexpr blocks::Vec5 HousingLimitUsed = f100::sec_o::HousingAdmittedFinancedFirst;
static_assert(HousingLimitUsed(4).off == f100::sec_o::HousingAdmittedAccounts.off);
}  // namespace sec_o

// Income vectors and rows of sections A to H.
namespace sec_a {  // Calculos100A
inline constexpr blocks::Vec5 WorkIncome1 = f100::sec_a::MoneyPayTotal;
inline constexpr blocks::Vec5 WorkIncome2 = f100::sec_a::IncomeInKind;
inline constexpr blocks::Vec5 WorkIncome3 = f100::sec_a::PromoterContributionsTotal;
inline constexpr blocks::Vec5 Income960 = f100::sec_a::IrregularReductions;
inline constexpr blocks::Vec5 NetIncome = f100::sec_a::NetWorkIncome;
}  // namespace sec_a
namespace sec_b {  // Calculos100B
inline constexpr blocks::Vec5 Yield0 = f100::sec_b::G1.income;
inline constexpr blocks::Vec5 Yield656 = f100::sec_b::g3::Income;
inline constexpr blocks::Vec5 Yield792 = f100::sec_b::G4.income;
inline constexpr blocks::Vec5 Yield1072 = f100::sec_b::G5.income;
inline constexpr blocks::Vec5 Yield1352 = f100::sec_b::G6.income;
inline constexpr blocks::Vec5 NetYield = f100::sec_b::NetBeforeReductions;
inline constexpr blocks::Vec5 Added1952 = f100::sec_b::LongTermGains;
inline constexpr blocks::Vec5 Subtracted1992 = f100::sec_b::LongTermLosses;
// The dividend rows and their gross amount received.
inline constexpr Rows YieldRows{f100::sec_b::g2::Holder.off, f100::sec_b::g2::kRowSize, f100::sec_b::kRows};
inline constexpr std::size_t kYieldAmount = f100::sec_b::g2::GrossReceived.off - f100::sec_b::g2::Holder.off;
}  // namespace sec_b
namespace sec_c {  // Calculos100C
inline constexpr blocks::Vec5 Net = f100::sec_c::ImputedIncome;
}
namespace sec_d {  // Calculos100D
inline constexpr blocks::Vec5 Yield512 = f100::sec_d::TotalIncome;
inline constexpr blocks::Vec5 Net = f100::sec_d::NetYield;
}  // namespace sec_d
namespace sec_e1 {  // Calculos100E1
inline constexpr Rows Activities{f100::sec_e1::Holder.off, f100::sec_e1::kRowSize, f100::sec_e1::kRows};
inline constexpr std::size_t kYield = f100::sec_e1::TotalIncome.off;
inline constexpr std::size_t kNet = f100::sec_e1::NetYield.off;
}  // namespace sec_e1
namespace sec_e4 {  // Calculos100E4
inline constexpr Rows Activities{f100::sec_e4::Holder.off, f100::sec_e4::kRowSize, f100::sec_e4::kRows};
inline constexpr std::size_t kYield = f100::sec_e4::PreviousNet.off;
inline constexpr std::size_t kNet = f100::sec_e4::NetBeforeLastReduction.off;
}  // namespace sec_e4
namespace sec_e5 {  // Calculos100E5
inline constexpr Rows Activities{f100::sec_e5::Holder.off, f100::sec_e5::kRowSize, f100::sec_e5::kRows};
inline constexpr std::size_t kYield = f100::sec_e5::ProductsNet.off;
inline constexpr std::size_t kNet = f100::sec_e5::ReducedNet.off;
}  // namespace sec_e5
namespace sec_f1 {  // Calculos100F1
inline constexpr Rows Activities{f100::sec_f1::Holder.off, f100::sec_f1::kRowSize, f100::sec_f1::kRows};
inline constexpr std::size_t kAmount24 = f100::sec_f1::Income1.off;
inline constexpr std::size_t kAmount72 = f100::sec_f1::Income2.off;
inline constexpr std::size_t kAmount96 = f100::sec_f1::Income3.off;
}  // namespace sec_f1
// The activity rows start at +0 of their records, so row fields are the writers' row-0 offsets.
static_assert(sec_e1::Activities.off == 0 && sec_e4::Activities.off == 0 && sec_e5::Activities.off == 0 &&
              sec_f1::Activities.off == 0);
namespace sec_f2 {  // Calculos100F2
inline constexpr blocks::Vec5 Net = f100::sec_f2::ImputedBases;
}
namespace sec_f3 {  // Calculos100F3
inline constexpr blocks::Vec5 Net = f100::sec_f3::Amounts;
}
namespace sec_f4 {  // Calculos100F4
inline constexpr blocks::Vec5 Net = f100::sec_f4::AmountToImputeByHolder;
}
namespace sec_f5 {  // Calculos100F5
inline constexpr blocks::Vec5 Net = f100::sec_f5::Amounts;
}
namespace sec_g6 {  // Calculos100G6
inline constexpr blocks::Vec5 Gains0 = f100::sec_g6::ShortGains;
inline constexpr blocks::Vec5 Losses40 = f100::sec_g6::ShortLosses;
inline constexpr blocks::Vec5 Vector120 = f100::sec_g6::ShortNegative;
inline constexpr blocks::Vec5 Gains160 = f100::sec_g6::LongGains;
inline constexpr blocks::Vec5 Losses200 = f100::sec_g6::LongLosses;
inline constexpr blocks::Vec5 Vector280 = f100::sec_g6::LongNegative;
}  // namespace sec_g6
namespace sec_h {  // Calculos100H
inline constexpr blocks::Vec5 Part0 = f100::sec_h::ShortPositive;
inline constexpr blocks::Vec5 Part112 = f100::sec_h::GeneralIncome;
inline constexpr blocks::Vec5 Part384 = f100::sec_h::LongPositive;
}  // namespace sec_h

}  // namespace in
}  // namespace f100::sec_p

// Form100Summary slots written by Calculos100P.
namespace f100::summary {
inline constexpr blocks::Vec5 RegionalDeductionsTotal{1576};
}

// Form714Data: the whole data of one form-714 (wealth tax) declaration, 22,024 bytes, stored whole.
#pragma once

#include "blocks/field.h"

namespace f714 {

inline constexpr std::size_t kBlockSize = 22024;

inline constexpr blocks::RecordDef Head{"Form714Head", 0, 8};  // first 8 bytes, unused
inline constexpr blocks::RecordDef SectionA{"Form714SectionA", 8, 1680};
inline constexpr blocks::RecordDef SectionB{"Form714SectionB", 1688, 1528};
inline constexpr blocks::RecordDef SectionC{"Form714SectionC", 3216, 1968};
inline constexpr blocks::RecordDef SectionD{"Form714SectionD", 5184, 1016};
inline constexpr blocks::RecordDef Personal{"Form714Personal", 6200, 496};
inline constexpr blocks::RecordDef Result{"Form714Result", 6696, 64};
inline constexpr blocks::RecordDef SectionE{"Form714SectionE", 6760, 1160};
inline constexpr blocks::RecordDef SectionF1{"Form714SectionF1", 7920, 1160};
inline constexpr blocks::RecordDef SectionF2{"Form714SectionF2", 9080, 1096};
inline constexpr blocks::RecordDef SectionG1{"Form714SectionG1", 10176, 944};
inline constexpr blocks::RecordDef SectionG2{"Form714SectionG2", 11120, 1376};
inline constexpr blocks::RecordDef SectionG3{"Form714SectionG3", 12496, 1024};
inline constexpr blocks::RecordDef SectionG4{"Form714SectionG4", 13520, 800};
inline constexpr blocks::RecordDef SectionH1{"Form714SectionH1", 14320, 440};
inline constexpr blocks::RecordDef SectionH2{"Form714SectionH2", 14760, 440};
inline constexpr blocks::RecordDef SectionI{"Form714SectionI", 15200, 440};
inline constexpr blocks::RecordDef SectionJ{"Form714SectionJ", 15640, 400};
inline constexpr blocks::RecordDef SectionK{"Form714SectionK", 16040, 1016};
inline constexpr blocks::RecordDef SectionL{"Form714SectionL", 17056, 728};
inline constexpr blocks::RecordDef SectionM{"Form714SectionM", 17784, 584};
inline constexpr blocks::RecordDef SectionN{"Form714SectionN", 18368, 520};
inline constexpr blocks::RecordDef SectionO{"Form714SectionO", 18888, 368};
inline constexpr blocks::RecordDef SectionP{"Form714SectionP", 19256, 368};
inline constexpr blocks::RecordDef SectionQ{"Form714SectionQ", 19624, 872};
inline constexpr blocks::RecordDef Debts{"Form714Debts", 20496, 944};
inline constexpr blocks::RecordDef Summary{"Form714Summary", 21440, 584};

inline constexpr std::array<blocks::RecordDef, 27> kRecords{
    Head,      SectionA,  SectionB,  SectionC,  SectionD,  Personal, Result,   SectionE, SectionF1,
    SectionF2, SectionG1, SectionG2, SectionG3, SectionG4, SectionH1, SectionH2, SectionI, SectionJ,
    SectionK,  SectionL,  SectionM,  SectionN,  SectionO,  SectionP, SectionQ, Debts,    Summary};
static_assert(blocks::recordsTile(kRecords, kBlockSize), "Form714Data records must tile 22,024 bytes");

// Fields of Form714Personal that the application core uses.
namespace personal {
inline constexpr blocks::U8 Printed{0};
inline constexpr blocks::Text ReferenceNumber{1, 20};
inline constexpr blocks::Text ReferenceText{21, 60};
inline constexpr blocks::Text Nif{86, 9};
inline constexpr blocks::Text Surname1{96, 15};
inline constexpr blocks::Text Surname2{111, 15};
inline constexpr blocks::Text GivenName{126, 15};
inline constexpr blocks::U8 CopyResult{453};  // the driver's final step copies the result
}  // namespace personal

// Fields of Form714Result.
namespace result {
inline constexpr blocks::F64 AmountToPay{0};
inline constexpr blocks::F64 AlreadyPaid{8};
inline constexpr blocks::F64 Difference{16};
inline constexpr blocks::U8 Option24{24};
inline constexpr blocks::U8 Option25{25};
inline constexpr blocks::Text Account{26, 20};
inline constexpr blocks::Text AccountEntity{26, 4};
inline constexpr blocks::Text AccountBranch{30, 4};
inline constexpr blocks::Text AccountControl{34, 2};
inline constexpr blocks::Text AccountNumber{36, 10};
inline constexpr blocks::F64 BarcodeAmount{48};
}  // namespace result

// Slots of Form714Summary: section totals (mode 0) and the liquidation.
namespace summary {
inline constexpr blocks::F64 A{0}, B{8}, C{16}, E{24}, F1{32}, F2{40}, G1{48}, G2{56}, G3{64}, G4{72},
    I{80}, J{88}, K{96}, L{104}, M{112}, N{120}, O{128}, P{136}, Q{144};
inline constexpr blocks::F64 TotalAssets{152};
inline constexpr blocks::F64 Debts{160};
inline constexpr blocks::F64 NetWealth{168};  // total assets less debts; the taxable base is at +184
inline constexpr blocks::F64 D{192}, H1{200}, H2{208};
inline constexpr blocks::F64 Result{536};
inline constexpr blocks::U8 NothingToPay{552};
}  // namespace summary

inline unsigned char* record(void* block, const blocks::RecordDef& r) { return blocks::at(block, r.offset); }
inline const unsigned char* record(const void* block, const blocks::RecordDef& r) { return blocks::at(block, r.offset); }

}  // namespace f714

// Income obtained in Ceuta and Melilla: per holder row the income included in the general and in
// the special part of the taxable base, the joint return's two amounts (following the rows' sums in
// the family unit's view) and, computed by the library's section-O pass on a copy of the
// declaration, the part of the quota that corresponds to that income for each member.
#pragma once

#include "blocks/form100_o.h"
#include "ui/annex_dlg.h"

// The block is section O from +1880 to +2119, as the section's pass 3 reads it; no other annex
// block is stored there.
namespace annex::ceutamel {
namespace o = f100::sec_o;
inline constexpr int kRows = o::kCeutaRowCount;
inline constexpr std::size_t kRowSize = o::kCeutaRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 General{8};
inline constexpr blocks::F64 Special{16};
inline constexpr blocks::F64 JointGeneral{o::CeutaJointGeneral.off - o::kCeutaRows};
inline constexpr blocks::F64 JointSpecial{o::CeutaJointSpecial.off - o::kCeutaRows};
// Member m = 0 family unit .. 4 child 2.
constexpr blocks::F64 GeneralPart(int m) { return {o::CeutaShareGeneral(m).off - o::kCeutaRows}; }
constexpr blocks::F64 SpecialPart(int m) { return {o::CeutaShareSpecial(m).off - o::kCeutaRows}; }
inline constexpr std::size_t kBlockSize = o::CeutaBlock.size;
inline constexpr std::size_t kParts = GeneralPart(0).off;
static_assert(o::CeutaGeneral(0).off - o::CeutaCode(0).off == General.off &&
              o::CeutaSpecial(0).off - o::CeutaCode(0).off == Special.off);
static_assert(JointGeneral.off == 144 && JointSpecial.off == 152 && kParts == 160 &&
              SpecialPart(f100::kMembers - 1).off + 8 == kBlockSize && kBlockSize == 240);
}  // namespace annex::ceutamel

class CCeutamelDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1790;
  static constexpr int kHolders[] = {1303, 1322, 1342, 1382, 1401, 1408};
  static constexpr int kGeneral[] = {1301, 1302, 1304, 1306, 1308, 1309};
  static constexpr int kSpecial[] = {1172, 1184, 1197, 1209, 1220, 1230};
  static constexpr int kGeneralParts[] = {1234, 1235, 1236, 1237, 1238};
  static constexpr int kSpecialParts[] = {1239, 1240, 1241, 1242, 1243};
  enum : int { kJointGeneral = 1312, kJointSpecial = 1233, kLegend = 1296 };
  explicit CCeutamelDlg(const ui::AnnexArgs& args);
  // The section-O pass on a copy of the declaration holding the working block; takes the parts back.
  void Recalculate();

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditSetFocus(int id) override;

 private:
  void ZeroParts();
  double Sum(blocks::F64 field);
  double seen_[annex::ceutamel::kRows] = {};
  bool familyView_ = false;
};

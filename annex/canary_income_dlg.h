// The Canary Islands dialogs whose computed fields come from the first liquidation pass, run on a
// copy of the declaration holding the dialog's working block: CBicocaDlg (income from tangible
// goods produced there, per holder row, and the part of the quota that corresponds to it) and
// CResinvcan4Dlg (the 2003 allowance to the investment reserve per holder row and the deduction it
// gives: average rates, the deduction before the limit and the limit).
#pragma once

#include "annex/resinvcan_dlg.h"
#include "blocks/form100_liquidation.h"

namespace annex::bicoca {
inline constexpr int kRows = 2;
inline constexpr std::size_t kRowSize = 16;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Income{8};
// Member k = 0 joint declaration, 1 declarant, 2 spouse.
constexpr blocks::F64 Part(int k) { return {32 + 8 * static_cast<std::size_t>(k)}; }
inline constexpr std::size_t kParts = Part(0).off;
inline constexpr std::size_t kBlockSize = Part(2).off + 8;
inline constexpr std::size_t kSummaryOffset = f100::sec_li::entries::CanaryGoods.first;
static_assert(kParts == kRows * kRowSize && kBlockSize == 56 && kSummaryOffset == 1320);
static_assert(f100::sec_li::entries::CanaryGoods.size == kRowSize &&
              kSummaryOffset + Part(0).off == f100::summary::CanaryGoodsQuotaShare.off);
}  // namespace annex::bicoca

namespace annex::resinvcan4 {
inline constexpr int kRows = 2;
inline constexpr std::size_t kRowSize = 48;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Allowance{8};
inline constexpr blocks::F64 CanaryIncome{16};
inline constexpr blocks::F64 Materialised{24};
inline constexpr blocks::U8 Key{32};  // an emptied row's key is 0
inline constexpr blocks::F64 Pending{40};
// Computed: k = 0 joint, 1 declarant, 2 spouse; i = 0 joint declarant's part, 1 joint spouse's part,
// 2 declarant, 3 spouse.
constexpr blocks::F64 Rate(int k) { return {96 + 8 * static_cast<std::size_t>(k)}; }
constexpr blocks::F64 BeforeLimit(int i) { return {120 + 8 * static_cast<std::size_t>(i)}; }
constexpr blocks::F64 Limit(int i) { return {152 + 8 * static_cast<std::size_t>(i)}; }
inline constexpr std::size_t kComputed = Rate(0).off;
inline constexpr std::size_t kBlockSize = Limit(3).off + 8;
inline constexpr std::size_t kSectionOffset = f100::sec_q::ReserveBlock2003.row0;
// The first-pass copy of section Q holds this many bytes of the declaration's; the rest is zero.
inline constexpr std::size_t kCopiedSection = 7872;
namespace q = f100::sec_li::in_q;
static_assert(Pending.off + 8 == kRowSize && kComputed == kRows * kRowSize && kBlockSize == 184);
static_assert(q::Reserve.size == kRowSize && q::kAllocation == Allowance.off && q::kCanaryIncome == CanaryIncome.off &&
              kSectionOffset + kComputed == q::ReserveAverageRate.off &&
              kSectionOffset + BeforeLimit(0).off == q::ReserveDeductionBeforeLimit.off &&
              kSectionOffset + Limit(0).off == q::ReserveLimit.off &&
              f100::sec_q::ReserveBlock2003.keyAt == Key.off);
}  // namespace annex::resinvcan4

class CBicocaDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 233;
  static constexpr int kHolders[] = {1394, 1328};
  static constexpr int kIncome[] = {1318, 1336};
  static constexpr int kParts[] = {1319, 1320, 1321};
  enum : int { kLegend = 1296 };
  explicit CBicocaDlg(const ui::AnnexArgs& args);
  void Recalculate();

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
};

class CResinvcan4Dlg : public CResinvcanBaseDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 236;
  static constexpr int kAllowance[] = {1370, 1379};
  static constexpr int kIncome[] = {1376, 1380};
  static constexpr int kMaterialised[] = {1168, 1189};
  static constexpr int kKeys4[] = {1377, 1382};
  static constexpr int kPending[] = {1371, 1381};
  static constexpr int kRates[] = {2148, 2149, 2150};
  static constexpr int kBeforeLimit[] = {2157, 2151, 2152, 2153};
  static constexpr int kLimits[] = {2158, 2154, 2155, 2156};
  explicit CResinvcan4Dlg(const ui::AnnexArgs& args);
  void Recalculate();

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
};

// The Canary Islands investment reserve of earlier years: two holder rows each, with the key of the
// materialisation chosen from the lookup list. CResinvcanDlg (the 2000 allowance: allowance and
// materialised in 2003), CResinvcan3Dlg (the 2001 allowance: the same and the amount pending) and
// CResinvcan5Dlg (investments made ahead of future allowances). Two rows never share a holder.
#pragma once

#include "annex/holder_amount_dlg.h"
#include "blocks/form100_q.h"

namespace annex::resinvcan {
inline constexpr int kRows = 2;
inline constexpr blocks::U8 Holder{0};
inline constexpr const char* kKeyTable = "INVCANAE.DBF";
// 2000: 32-byte rows.
inline constexpr std::size_t kRowSize = 32;
inline constexpr blocks::F64 Allowance{8};
inline constexpr blocks::F64 Materialised{16};
inline constexpr blocks::Text Key{24, 1};
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
// 2001: 40-byte rows, the pending amount after the key.
inline constexpr std::size_t kRowSize3 = 40;
inline constexpr blocks::F64 Pending{32};
inline constexpr std::size_t kBlockSize3 = kRows * kRowSize3;
// Investments ahead of future allowances: 24-byte rows; an emptied row's key is 0.
inline constexpr std::size_t kRowSize5 = 24;
inline constexpr blocks::F64 Investment{8};
inline constexpr blocks::U8 Key5{16};
inline constexpr std::size_t kBlockSize5 = kRows * kRowSize5;
static_assert(Key.off + 8 == kRowSize && Pending.off + 8 == kRowSize3 && Key5.off + 8 == kRowSize5);
static_assert(kBlockSize == 64 && kBlockSize3 == 80 && kBlockSize5 == 48);
// Where the blocks stand in section Q.
namespace q = f100::sec_q;
static_assert(q::ReserveBlock2000.row1 - q::ReserveBlock2000.row0 == kRowSize &&
              q::ReserveBlock2000.keyAt == Key.off && q::ReserveBlock2001.keyAt == Key.off &&
              q::ReserveBlock2001.row1 - q::ReserveBlock2001.row0 == kRowSize3 &&
              q::EarlyInvestments.row1 - q::EarlyInvestments.row0 == kRowSize5 && q::EarlyInvestments.keyAt == Key5.off);
}  // namespace annex::resinvcan

namespace annex {
// After a holder cell stored its value: when both rows now have the same holder, says so ("100R045")
// and frees the row of that cell. `holders` are the two holder cells.
void RefuseRepeatedHolder(CHolderAmountDlg& dialog, int id, const int (&holders)[2]);
}  // namespace annex

// The base of the three: the key cells read-only when the variant index is 3 (where `lockKeys`), the
// repeated-holder rule.
class CResinvcanBaseDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kHolders[] = {1167, 1188};
  static constexpr int kKeys[] = {1384, 1387};
  enum : int { kLegend = 1296 };
  CResinvcanBaseDlg(const HolderAmountSpec& spec, bool lockKeys, const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;

 private:
  bool lockKeys_;
};

class CResinvcanDlg : public CResinvcanBaseDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 257;
  static constexpr int kAllowance[] = {1370, 1379};
  static constexpr int kMaterialised[] = {1376, 1380};
  explicit CResinvcanDlg(const ui::AnnexArgs& args);

 protected:
  bool ValidateOK() override;
};

class CResinvcan3Dlg : public CResinvcanBaseDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1846;
  static constexpr int kAllowance[] = {1370, 1379};
  static constexpr int kMaterialised[] = {1376, 1380};
  static constexpr int kPending[] = {1389, 1392};
  explicit CResinvcan3Dlg(const ui::AnnexArgs& args);

 protected:
  bool ValidateOK() override;
};

class CResinvcan5Dlg : public CResinvcanBaseDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 86;
  static constexpr int kInvestment[] = {24667, 24668};
  explicit CResinvcan5Dlg(const ui::AnnexArgs& args);

 protected:
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
};

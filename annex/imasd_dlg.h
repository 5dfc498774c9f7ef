// Research and development, and technological innovation: per holder, the research deduction from
// the year's expenses against the average of the two previous years, and the innovation deduction
// from projects commissioned and other items, at the rates of the launcher's index (1 general,
// 2 higher). The innovation rows are the dialog's row matrix; the two research rows are kept by
// the dialog itself.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::imasd {
inline constexpr std::size_t kBlockSize = 144;
// Research rows: 40 bytes at 0 and 40.
inline constexpr std::size_t kResearchSize = 40;
inline constexpr blocks::U8 ResearchHolder{0};
inline constexpr blocks::F64 Total{8};           // T
inline constexpr blocks::F64 Average{16};        // M
inline constexpr blocks::F64 Additional{24};     // A
inline constexpr blocks::F64 ResearchDeduction{32};
// Innovation rows: 32 bytes at 80 and 112.
inline constexpr std::size_t kInnovationFirst = 80, kInnovationSize = 32;
inline constexpr blocks::U8 InnovationHolder{0};
inline constexpr blocks::F64 Commissioned{8};    // U
inline constexpr blocks::F64 Other{16};          // R
inline constexpr blocks::F64 InnovationDeduction{24};
static_assert(kInnovationFirst + 2 * kInnovationSize == kBlockSize && 2 * kResearchSize == kInnovationFirst);
}  // namespace annex::imasd

class CImasdDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 83;
  static constexpr int kInnovationHolders[] = {1557, 1562};
  static constexpr int kCommissioned[] = {1544, 1548};
  static constexpr int kOther[] = {1546, 1550};
  static constexpr int kInnovationDeductions[] = {1552, 1554};
  static constexpr int kResearchHolders[] = {1909, 1910};
  static constexpr int kTotals[] = {1911, 1912};
  static constexpr int kAverages[] = {1913, 1914};
  static constexpr int kAdditional[] = {1905, 1907};
  static constexpr int kResearchDeductions[] = {1915, 1917};
  static constexpr int kAdditionalHeading = 2182;
  explicit CImasdDlg(const ui::AnnexArgs& args);
  void CalculateDeductions();
  std::uint8_t* ResearchRow(int row) { return Shown() + annex::imasd::kResearchSize * static_cast<std::size_t>(row); }

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;

 private:
  void EnableResearchRow(int row, bool enable);
  void ClearResearchRow(int row);
  void MoveResearchRow1Up();
  void UpdateResearchRows();
  void ResearchHolderStored(int id);
  void AfterChange();
};

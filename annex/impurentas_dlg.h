// Imputed income of urban properties other than the main home that are not leased: per property
// the holder, the share of ownership, the cadastral reference and value, whether the value was
// revised and the days held; the dialog computes each row's imputed income (2 %, or 1.1 % of a
// revised value, in proportion to the share and to the days of the year).
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::impurentas {
inline constexpr std::size_t kRowSize = 72;
inline constexpr int kRows = 6;
inline constexpr std::size_t kBlockSize = kRowSize * kRows;
// Fields of a row; bytes +1..+7, +36..+39 and +49..+55 are never written.
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Share{8};          // percent
inline constexpr blocks::Text Reference{16, 20};
inline constexpr blocks::F64 Value{40};
inline constexpr blocks::U8 Revised{48};        // 1 "SI", 0 "NO", 255 blank
inline constexpr blocks::F64 Income{56};        // computed
inline constexpr blocks::F64 Days{64};
static_assert(Days.off + 8 == kRowSize);
inline constexpr std::uint8_t kRevisedBlank = 255;
}  // namespace annex::impurentas

class CImpurentasDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 167;
  static constexpr int kCells[7][6] = {{1167, 1188, 1214, 1238, 1256, 1300}, {1175, 1197, 1224, 1243, 1273, 1317},
                                       {1179, 1203, 1227, 1245, 1277, 1326}, {1168, 1190, 1218, 1240, 1263, 1307},
                                       {1174, 1196, 1223, 1242, 1272, 1316}, {1176, 1198, 1225, 1244, 1274, 1318},
                                       {1183, 1208, 1235, 1253, 1288, 1351}};
  enum Column : int { kHolder, kShare, kReference, kValue, kRevised, kDays, kIncome };
  explicit CImpurentasDlg(const ui::AnnexArgs& args);
  void ComputeRowIncome(int row);
  // The days the row's property may be held: to the declarant's death for the declarant's rows.
  double GetDayLimit(int row);
  double DayLimit(int row) const { return limits_[static_cast<std::size_t>(row)]; }

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  void RefreshEnabledRows() override;
  void ClearRowControls(int row) override;
  void MoveRow(int destination, int source) override;
  void HandleCommonRow(int row) override;
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  void ShowDaysLimited(double limit);
  std::array<double, annex::impurentas::kRows> limits_{365, 365, 365, 365, 365, 365};
};

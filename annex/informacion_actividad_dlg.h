// Information on an agricultural activity in objective estimation: the yes/no questions that decide
// its reductions (those that do not apply to the activity are disabled), the staff cost, the
// withholdings and the holder's fractional payments, kept equal in every objective-estimation row
// of the holder. Opened by the activities page from the row.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::informacion_actividad {
inline constexpr std::size_t kBlockSize = 40;
// Yes/no bytes: 1 yes, 0 no, 255 blank.
inline constexpr blocks::U8 ThirdPartyMeans{0};
inline constexpr blocks::U8 BoughtFeed{1};
inline constexpr blocks::F64 StaffCost{8};
inline constexpr blocks::U8 Organic{16};
inline constexpr blocks::U8 FirstInstallation{17};
inline constexpr blocks::U8 Forestry{18};
inline constexpr blocks::F64 Withholdings{24};
inline constexpr blocks::F64 FractionalPayments{32};
static_assert(FractionalPayments.off + 8 == kBlockSize);
// Where the block lies in an agricultural activity row, and the row's activity code.
inline constexpr std::size_t kRowBlock = 16;
inline constexpr std::size_t kRowActivityCode = 1;
}  // namespace annex::informacion_actividad

class CInformacionRelativaActividadDlg235 : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 235;
  static constexpr int kThirdPartyMeans = 1843, kBoughtFeed = 1850, kStaffCost = 1064, kOrganic = 1861,
                       kFirstInstallation = 1860, kForestry = 1600, kWithholdings = 24639, kPayments = 392;
  explicit CInformacionRelativaActividadDlg235(QWidget* parent = nullptr);
  // What the opener gives: the row's activity code ('1' to '9'), holder code and absolute index.
  void SetRow(char activityCode, std::uint8_t holder, int row);
  bool Validate();
  // Opens the dialog on agricultural row `row` of the open declaration: the block copied in with
  // the holder's objective-estimation payments; after OK copied back and the payments written into
  // every objective-estimation activity of the holder. Returns the dialog's result.
  static int OpenForRow(std::uint8_t* declaration, int row, const std::function<int(QDialog&)>& run);

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  int OnEditKillFocus(int id) override;

 private:
  void EnableByActivityCode();
  void SyncHolderPayments();
  char activityCode_ = 0;
  std::uint8_t holder_ = 0;
  int row_ = -1;
  double openedPayments_ = 0;
};

// Income attributed by entities from an economic activity: the regime in which the net yield was
// determined (exactly one of the two marks once either is touched), the yield and the fractional
// payments, which the opener keeps equal in every attributed-income row of the holder.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::tipoactividad {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::U8 Direct{0};
inline constexpr blocks::U8 Objective{1};
inline constexpr blocks::F64 NetYield{8};  // may be negative
inline constexpr blocks::F64 FractionalPayments{16};
static_assert(FractionalPayments.off + 8 == kBlockSize);
}  // namespace annex::tipoactividad

class CTipoactividadDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 80;
  static constexpr int kDirect = 24652, kObjective = 392, kNetYield = 24598, kPayments = 24599;
  explicit CTipoactividadDlg(const ui::AnnexArgs& args);
  // The opener's list: the block and the holder code of the row.
  void SetListItems(const ui::AnnexPointerList& list) override { holder_ = list.holder; }

 protected:
  bool ValidateOK() override;
  void OnOK() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;

 private:
  // The other mark becomes the opposite of the one touched (`set`: whether it is now set).
  void OtherMark(int id, bool set);
  std::uint8_t holder_ = 0;
};

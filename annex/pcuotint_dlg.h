// The limit of the wealth-tax quota: the income-tax figures that the limit needs (filing mode,
// general base or its zero mark, dividends left out, quota, unproductive assets) and, for a joint
// income-tax return, the spouse's wealth-tax base, quota and unproductive assets.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::pcuotint {
inline constexpr std::size_t kBlockSize = 72;
inline constexpr blocks::U8 Filing{0};                // 'I' individual, 'C' joint (0 read as individual)
inline constexpr blocks::F64 GeneralBase{8};          // may be negative
inline constexpr blocks::U8 GeneralBaseZero{16};      // mark: the general base is zero
inline constexpr blocks::F64 DividendsLeftOut{24};
inline constexpr blocks::F64 GeneralQuota{32};
inline constexpr blocks::F64 Unproductive{40};
inline constexpr blocks::F64 SpouseBase{48};          // box 25, may be negative
inline constexpr blocks::F64 SpouseUnproductive{56};
inline constexpr blocks::F64 SpouseQuota{64};         // box 28
static_assert(SpouseQuota.off + 8 == kBlockSize);
inline constexpr unsigned char kIndividual = 'I', kJoint = 'C';
}  // namespace annex::pcuotint

class CPcuotintDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1764;
  enum : int { kIndividual = 1857, kJoint = 1861, kBase = 1779, kZeroMark = 1780, kDividends = 1784, kQuota = 1783,
               kUnproductive = 1788, kSpouseBase = 1794, kSpouseUnproductive = 1799, kSpouseQuota = 1804 };
  explicit CPcuotintDlg(const ui::AnnexArgs& args);
  void SetListItems(const ui::AnnexPointerList& list) override;
  double ReferenceAmount() const { return reference_; }
  bool Joint() const { return joint_; }

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  bool OnButton(int id) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  void SetJoint(bool joint);
  void Enable(int id, bool on);
  double reference_ = 0.0;
  bool joint_ = false;
};

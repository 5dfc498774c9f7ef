// Details of the regional deductions for the rent of the habitual home: per holder the amount paid
// and, by dialog, the lessor's NIF, the number of holders of the contract or a second value
// (months of rent, subsidies, the amount of 2002). Built on the holder-row family.
#pragma once

#include "annex/holder_amount_dlg.h"

namespace annex::zedu {
// Young tenants: two rows shown, a third record carried through.
inline constexpr std::size_t kYoungRow = 40, kYoungBlock = 120;
inline constexpr blocks::U8 YoungHolder{0};
inline constexpr blocks::F64 YoungContractHolders{8};
inline constexpr blocks::F64 YoungAmount{16};
inline constexpr blocks::Text YoungNif{24, 9};
static_assert(YoungNif.off + YoungNif.width + 7 == kYoungRow && 3 * kYoungRow == kYoungBlock);
// Lessor's NIF per contract.
inline constexpr std::size_t kLessorRow = 32, kLessorBlock = 96;
inline constexpr blocks::U8 LessorHolder{0};
inline constexpr blocks::F64 LessorAmount{8};
inline constexpr blocks::Text LessorNif{16, 9};
static_assert(LessorNif.off + LessorNif.width + 7 == kLessorRow && 3 * kLessorRow == kLessorBlock);
// Amount and a second value.
inline constexpr std::size_t kMonthsRow = 24, kMonthsBlock = 72;
inline constexpr blocks::U8 MonthsHolder{0};
inline constexpr blocks::F64 MonthsAmount{8};
inline constexpr blocks::F64 MonthsSecond{16};
static_assert(MonthsSecond.off + 8 == kMonthsRow && 3 * kMonthsRow == kMonthsBlock);
}  // namespace annex::zedu

// A holder-row dialog whose rows carry a lessor's NIF: a wrong NIF is blanked as it is left.
class CZeduNifDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  using CHolderAmountDlg::CHolderAmountDlg;

 protected:
  int OnEditKillFocus(int id) override;
  // The NIF field of the row of a NIF cell, or null for any other control.
  virtual std::uint8_t* NifOf(int id) = 0;
};

class CTit2dat4Dlg : public CZeduNifDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 108;
  explicit CTit2dat4Dlg(const ui::AnnexArgs& args);

 protected:
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;
  std::uint8_t* NifOf(int id) override;
};

class CTit3datnifDlg : public CZeduNifDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 39;
  explicit CTit3datnifDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  std::uint8_t* NifOf(int id) override;
};

class CTit3dat2Dlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 73;
  explicit CTit3dat2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
};

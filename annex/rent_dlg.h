// Regional deductions for renting the habitual home: three contracts (holder, two figures whose
// meaning the variant chooses, the landlord's NIF) or three rented homes (holder, amount, NIF,
// persons entitled) with the household's unemployment and large-family marks.
#pragma once

#include "annex/zedu_dlg.h"

namespace annex::rent {
// Three contracts.
inline constexpr std::size_t kContractRow = 40, kContractBlock = 120;
inline constexpr blocks::U8 ContractHolder{0};
inline constexpr blocks::F64 ContractFirst{8};   // amount (variant 2), holders of the contract (others)
inline constexpr blocks::F64 ContractSecond{16};  // months (variant 2), amount (variant 1)
inline constexpr blocks::Text ContractNif{24, 9};
static_assert(ContractNif.off + ContractNif.width + 7 == kContractRow && 3 * kContractRow == kContractBlock);
// Three rented homes and the household's marks.
inline constexpr std::size_t kHomeRow = 40, kHomeBlock = 128;
inline constexpr blocks::U8 HomeHolder{0};
inline constexpr blocks::F64 HomeAmount{8};
inline constexpr blocks::Text HomeNif{16, 9};
inline constexpr blocks::F64 HomePersons{32};
inline constexpr blocks::U8 DeclarantUnemployed{120};
inline constexpr blocks::U8 SpouseUnemployed{121};
inline constexpr blocks::U8 LargeFamily{122};
static_assert(HomeNif.off + HomeNif.width + 7 == HomePersons.off && HomePersons.off + 8 == kHomeRow);
static_assert(3 * kHomeRow == DeclarantUnemployed.off && LargeFamily.off + 1 + 5 == kHomeBlock);
}  // namespace annex::rent

class CAutonom1GDlg : public CZeduNifDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 69;
  explicit CAutonom1GDlg(const ui::AnnexArgs& args);
  // A common contract: each spouse's share of the amounts (months are not shared).
  void HandleCommonRow(int row) override;
  // The figures of a row left without holder stay as they were.
  void ClearRowControls(int) override {}

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
  std::uint8_t* NifOf(int id) override;
};

class CAutonom4CaDlg : public CZeduNifDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 51;
  enum : int { kDeclarantUnemployed = 1349, kSpouseUnemployed = 1352, kLargeFamily = 1353 };
  explicit CAutonom4CaDlg(const ui::AnnexArgs& args);
  // A common home: each spouse's share of the amount (the persons entitled are not shared).
  void HandleCommonRow(int row) override;

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;
  std::uint8_t* NifOf(int id) override;

 private:
  // A common home needs two persons at least: refused, its persons become 0.
  bool CheckCommonPersons(int row);
};

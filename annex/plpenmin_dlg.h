// Contributions to social-provision schemes in favour of a disabled person, one row of the
// disabled persons' rows of the pension page: the person's NIF, the person's own contributions,
// the relatives' and the promoter's (carried over by the declaration from the work-income entries
// of regime 2).
#pragma once

#include "blocks/form100_j.h"
#include "ui/annex_dlg.h"

namespace annex::plpenmin {
namespace d = f100::sec_j::disabled;
// The block is row +16 to row +63.
inline constexpr std::size_t kRowStart = 16;
inline constexpr std::size_t kBlockSize = 48;
inline constexpr blocks::Text Nif{0, 9};
inline constexpr blocks::F64 Own{24};
inline constexpr blocks::F64 Relatives{32};
inline constexpr blocks::F64 Promoter{40};
static_assert(Promoter.off + 8 == kBlockSize);
static_assert(d::Nif.off == kRowStart + Nif.off && d::Own.off == kRowStart + Own.off);
static_assert(d::Relatives.off == kRowStart + Relatives.off && d::Promoter.off == kRowStart + Promoter.off);
inline constexpr double kOwnLimit = 24250.0, kRelativesLimit = 8000.0;
}  // namespace annex::plpenmin

class CPlpenminDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1780;
  enum : int { kNif = 346, kOwn = 1575, kPromoter = 1576, kRelatives = 1581 };
  explicit CPlpenminDlg(const ui::AnnexArgs& args);
  void SetListItems(const ui::AnnexPointerList& list) override;
  // 1 accept; 0 when a warning was answered with "Corregir".
  int ValidateBlock();

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateBlock() == 1; }
  int OnEditKillFocus(int id) override;

 private:
  int holder_ = 0;
};

// Contributions to social-provision schemes of one contribution row of the pension page: the
// taxpayer's own (CPlpengenDlg) or the promoter's charged to the taxpayer (CPlpengen2Dlg), each the
// excess not reduced from 1998 to 2002 and the amount of 2003. The row's holder byte, handed along,
// decides whose age sets the limit of 2003.
#pragma once

#include "blocks/form100_j.h"
#include "ui/annex_dlg.h"

namespace annex::plpengen {
inline constexpr std::size_t kBlockSize = 16;
inline constexpr blocks::F64 Excess{0};
inline constexpr blocks::F64 Year{8};
static_assert(Year.off + 8 == kBlockSize);
namespace p = f100::sec_j::pension;
// Own contributions at row +24, the promoter's at row +64.
static_assert(p::OwnYearIn.off - p::OwnExcessIn.off == Year.off && p::OwnExcessIn.off == 24);
static_assert(p::PromoterYearIn.off - p::PromoterExcessIn.off == Year.off && p::PromoterExcessIn.off == 64);
// The reduction limit of 2003 for the age of holder 2..5 of the open declaration; 0 when there is
// no declaration or the holder is none of them (no limit applies then).
double LimitForHolder(int holder);
}  // namespace annex::plpengen

namespace annex {
// The two dialogs differ in their template only.
class CPensionLimitDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  CPensionLimitDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args);
  void SetListItems(const ui::AnnexPointerList& list) override;
  // 1 accept; 0 when the amount of 2003 is above the holder's limit and the user chose to correct.
  int ValidateLimit();
  int Holder() const { return holder_; }

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateLimit() == 1; }

 private:
  int holder_ = 0;
};
}  // namespace annex

class CPlpengenDlg : public annex::CPensionLimitDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 181;
  enum : int { kExcess = 1564, kYear = 1566 };
  explicit CPlpengenDlg(const ui::AnnexArgs& args);
};

class CPlpengen2Dlg : public annex::CPensionLimitDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 14;
  enum : int { kExcess = 24582, kYear = 24583 };
  explicit CPlpengen2Dlg(const ui::AnnexArgs& args);
};

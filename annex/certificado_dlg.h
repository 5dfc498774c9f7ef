// The requests of the tax certificate and of a pre-filled return: one mark per member of the
// household and the family unit's mark, which OK sets when the declarant or the spouse asks. Both
// show the marks the declaration holds, whatever the box that opened them handed in.
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::requests {
inline constexpr std::size_t kBlockSize = 8;  // the five marks, then three bytes carried
inline constexpr blocks::U8 FamilyUnit{0};
// k: 0 declarant, 1 spouse, 2 child 1, 3 child 2.
constexpr blocks::U8 Member(int k) { return {1 + static_cast<std::size_t>(k)}; }
static_assert(Member(3).off + 1 + 3 == kBlockSize);
// Where the declaration keeps the five marks of each request.
inline constexpr std::size_t kCertificateMarks = 5027;
inline constexpr std::size_t kDraftMarks = 5032;
}  // namespace annex::requests

class CCertificadoDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 23;
  static constexpr std::array<int, 4> kMarks{1393, 770, 433, 449};  // declarant, spouse, child 1, child 2
  explicit CCertificadoDlg(const ui::AnnexArgs& args);

 protected:
  CCertificadoDlg(const ui::DialogTemplate& tmpl, std::size_t marks, const ui::AnnexArgs& args);
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;

 private:
  std::size_t marks_;
};

class CBorradorDlg : public CCertificadoDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 24;
  explicit CBorradorDlg(const ui::AnnexArgs& args);
};

// Large family by category (regional deduction): first, second or honour category, who is entitled
// to the deduction and how many persons apply it.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::famnumegalicia {
inline constexpr std::size_t kBlockSize = 16;
inline constexpr blocks::U8 FirstCategory{0};
inline constexpr blocks::U8 SecondCategory{1};
inline constexpr blocks::U8 HonourCategory{2};
inline constexpr blocks::U8 Holder{3};
inline constexpr blocks::F64 Persons{8};  // bytes 4..7 padding
static_assert(Persons.off + 8 == kBlockSize);
}  // namespace annex::famnumegalicia

class CFamnumegaliciaDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 297;
  static constexpr int kFirst = 1540, kSecond = 1561, kHonour = 1542, kHolder = 1951, kPersons = 405, kLegend = 1296;
  explicit CFamnumegaliciaDlg(const ui::AnnexArgs& args);
  // The help topic of the variant the box opened it with; 0 when it has none.
  int HelpTopic() const;

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  int OnCommand(int id, int code) override;
  bool ValidateOK() override;

 private:
  // A common holder applies no persons count.
  void ApplyPersonsRule();
};

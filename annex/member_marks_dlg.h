// An "X" mark per member for a condition that a regional deduction requires (aid for a protected
// home, a disability, self-employment). Two of the dialogs serve several deductions and take their
// explanation and help topic from the variant index.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::member_marks {
inline constexpr int kExplanation = 24641;
// Declarant and spouse.
inline constexpr std::size_t kTwoBlock = 2;
inline constexpr blocks::U8 TwoDeclarant{0}, TwoSpouse{1};
// Common, declarant, spouse: the three bytes the box's annex holds.
inline constexpr std::size_t kThreeBlock = 3;
inline constexpr blocks::U8 ThreeCommon{0}, ThreeDeclarant{1}, ThreeSpouse{2};
// Declarant, spouse, child 1, child 2.
inline constexpr std::size_t kFourBlock = 4;
inline constexpr blocks::U8 FourDeclarant{0}, FourSpouse{1}, FourChild1{2}, FourChild2{3};
static_assert(TwoSpouse.off + 1 == kTwoBlock && ThreeSpouse.off + 1 == kThreeBlock && FourChild2.off + 1 == kFourBlock);

// What a variant index changes: the explanation's string (0: the template's) and the help topic
// (0: the help button opens nothing).
struct Variant {
  int text;
  int topic;
};
}  // namespace annex::member_marks

class CMemberMarksDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  CMemberMarksDlg(const ui::DialogTemplate& tmpl, std::size_t bytes, std::span<const annex::member_marks::Variant> variants,
                  const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnCommand(int id, int code) override;

 private:
  const annex::member_marks::Variant* Current() const;
  std::span<const annex::member_marks::Variant> variants_;
};

class CDec2cruz2Dlg : public CMemberMarksDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 248;
  explicit CDec2cruz2Dlg(const ui::AnnexArgs& args);
};

class CDec3cruz3Dlg : public CMemberMarksDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 37;
  explicit CDec3cruz3Dlg(const ui::AnnexArgs& args);
};

class CDec4cruz4Dlg : public CMemberMarksDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 47;
  explicit CDec4cruz4Dlg(const ui::AnnexArgs& args);
};

// Regional deductions that count children or minors by holder: the birth or adoption of children
// with a disability, minors in foster care (or, in variant 1, the birth order), and the care of
// children of three or fewer years (one mark among common, declarant and spouse).
#pragma once

#include "annex/holder_counts.h"

namespace annex::dec3cruz6imp2 {
inline constexpr std::size_t kBlockSize = 64;
// First child with a disability, then second or later: common, declarant, spouse.
inline constexpr blocks::F64 First[] = {{0}, {8}, {16}};
inline constexpr blocks::F64 Later[] = {{24}, {32}, {40}};
inline constexpr blocks::F64 PersonsDeclarant{48}, PersonsSpouse{56};
}  // namespace annex::dec3cruz6imp2

namespace annex::dec3imp9 {
inline constexpr std::size_t kBlockSize = 80;
// First, second, third and later: common, declarant, spouse.
inline constexpr blocks::F64 Common[] = {{0}, {8}, {16}};
inline constexpr blocks::F64 Declarant[] = {{24}, {32}, {40}};
inline constexpr blocks::F64 Spouse[] = {{48}, {56}, {64}};
inline constexpr blocks::U8 Answer{72};  // 1 yes, 0 no, 255 blank
}  // namespace annex::dec3imp9

namespace annex::dec3num2 {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::U8 CommonMark{0}, DeclarantMark{1}, SpouseMark{2};
inline constexpr blocks::F64 PersonsDeclarant{8}, PersonsSpouse{16};
}  // namespace annex::dec3num2

class CDec3cruz6imp2Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 90;
  static constexpr int kPersonsDeclarant = 24660, kPersonsSpouse = 24661;
  explicit CDec3cruz6imp2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override { RefreshPersons(); }
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override { return OnEditKillFocus(id); }
  bool ValidateOK() override;

 private:
  void RefreshPersons();
};

class CDec3imp9Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 56;
  static constexpr int kAnswer = 24661;
  enum : int { kHeading = 24641, kCommonHeading = 24642, kFirst = 24643, kSecond = 24644, kThird = 24645,
               kQuestion = 24646 };
  explicit CDec3imp9Dlg(const ui::AnnexArgs& args);
  static int HelpTopic(int variant) { return variant == 1 ? 937 : variant == 2 ? 948 : 1; }

 protected:
  void OnInitAnnex() override;
  int OnCommand(int id, int code) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;

 private:
  bool ApplyAnswerRule();
};

class CDec3num2Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 94;
  static constexpr int kCommonMark = 24618, kDeclarantMark = 1349, kSpouseMark = 392;
  static constexpr int kPersonsDeclarant = 24660, kPersonsSpouse = 24661;
  explicit CDec3num2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;

 private:
  void Enable(int id, bool on);
};

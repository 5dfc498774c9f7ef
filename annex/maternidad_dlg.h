// Maternity deduction: the mother who applies it, up to six children with the months in which each
// gives right to it, the contributions of those months and the deduction per child; the monthly
// contributions in their own dialog, each child's months in another.
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::maternidad {
inline constexpr std::size_t kBlockSize = 376;
inline constexpr blocks::U8 Holder{0};       // 0 none, 2 declarant, 3 spouse
inline constexpr blocks::F64 Unused{8};      // cleared with the block
inline constexpr blocks::F64 Persons{16};    // guardianship or foster care; 0 = one person
inline constexpr int kChildren = 6;
inline constexpr std::size_t kFirstChild = 24, kChildSize = 40;
constexpr std::size_t Child(int c) { return kFirstChild + kChildSize * static_cast<std::size_t>(c); }
constexpr blocks::F64 Months(int c) { return blocks::F64{Child(c)}; }
inline constexpr std::size_t kMarks = 8, kMonths = 12;  // month marks at child +8, January first
constexpr blocks::U8 Mark(int c, int month) { return blocks::U8{Child(c) + kMarks + static_cast<std::size_t>(month)}; }
constexpr blocks::F64 ChildContributions(int c) { return blocks::F64{Child(c) + 24}; }
constexpr blocks::F64 Deduction(int c) { return blocks::F64{Child(c) + 32}; }
inline constexpr blocks::F64 Advance{264};
inline constexpr std::size_t kContributions = 272;
constexpr blocks::F64 Monthly(int month) { return blocks::F64{kContributions + 8 * static_cast<std::size_t>(month)}; }
inline constexpr blocks::U8 AllMonths{368};  // 100 euros or more in every month with right
// What a child's month dialog reads beside the marks: the contributions and the all-months mark.
inline constexpr std::size_t kMonthContext = 104;
static_assert(Child(kChildren) == Advance.off);
static_assert(Monthly(11).off + 8 == AllMonths.off && AllMonths.off + 8 == kBlockSize);
static_assert(kContributions + kMonthContext == AllMonths.off + 8);
// The deduction per month with right, and the smallest monthly contribution that needs no detail.
inline constexpr double kPerMonth = 100.0;
}  // namespace annex::maternidad

class CMaternidadDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 59;
  static constexpr int kHolder = 2157, kPersons = 422, kAdvance = 423, kContributionsButton = 24596, kLegend = 1296;
  static constexpr std::array<int, 6> kMonthLaunchers{24626, 392, 393, 394, 395, 396};
  static constexpr std::array<int, 6> kContributionEdits{400, 401, 402, 403, 404, 405};
  static constexpr std::array<int, 6> kDeductionEdits{1217, 1385, 407, 408, 409, 410};
  explicit CMaternidadDlg(const ui::AnnexArgs& args);

  // The deduction of every child from its marks, the contributions and the persons.
  void Recalculate();
  // Opens the monthly contributions; `run` replaces the modal run (tests).
  int OnContributions(const std::function<int(QDialog&)>& run = {});

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  int OnEditKillFocus(int id) override;
  int OnSubDialogValue(int id) override;
  int OnEditValueChanged(int id) override;
  bool OnButton(int id) override;

 private:
  // The bound edits loaded and the computed amounts shown.
  void Reload();
  void EnableEntry(bool enable);
  void ClearBlock();
  void AdjustToShownMember();
  // By the holder: the entry fields enabled, or disabled with the block cleared.
  void ApplyHolder();
  // Descendants of the family data that give the holder right to the deduction.
  int EligibleDescendants() const;

  std::array<ui::AnnexPointerList, 6> links_{};
};

class CCotizacionesDevengadasDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 107;
  static constexpr int kAllMonths = 24700;
  static constexpr std::array<int, 12> kMonthEdits{24687, 24688, 24689, 24690, 24691, 24692,
                                                    398, 399, 400, 401, 402, 403};
  explicit CCotizacionesDevengadasDlg(QWidget* parent);
  // 1 when the mark may stay: no child has contributions, or the user goes on and they are cleared.
  int ConfirmAllMonthsMark();

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;

 private:
  void EnableMonths(bool enable, bool clear);
};

class CMatmesesDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 106;
  static constexpr std::array<int, 12> kMarks{24693, 392, 393, 394, 395, 396, 24694, 24695, 24696, 24697, 24698, 24699};
  explicit CMatmesesDlg(const ui::AnnexArgs& args);
  // The main dialog's holder and its contributions and all-months mark, read beside the marks.
  void SetListItems(const ui::AnnexPointerList& link) override;

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  int OnEditValueChanged(int id) override;

 private:
  std::uint8_t holder_ = 0;
  std::array<std::uint8_t, annex::maternidad::kMonthContext> context_{};
};

// Form 100, page 1 (201): the identification of the member shown and of the other spouse, the
// kind of declaration, the descendants and ascendants living with the member, the tax assignment,
// the representative, and the place and date. Whatever is typed for one spouse reappears in the
// matching boxes of the other views; which boxes can be typed depends on the member shown and on
// the household.
#pragma once

#include <array>
#include <cstdint>

#include "forms/pages/page100.h"
#include "ui/sub_dialog_edit.h"

namespace forms {

namespace ord001 {
// Block offsets of the family records the page reads.
inline constexpr std::size_t kDescendants = 2376, kDescendantSize = 148, kDescendantRows = 12;
inline constexpr std::size_t kAscendants = 4152, kAscendantSize = 80, kAscendantRows = 4;
inline constexpr std::size_t kCommonAddress = 1843;   // R: the address common to the household
inline constexpr std::size_t kSpouseApart = 2357;     // + member: the spouse lives elsewhere
inline constexpr std::size_t kIndividualMark = 2363, kJointMark = 2368;
// The spouse's NIF that stands for a spouse without one.
inline constexpr char kNoNif[] = "X00000000";
// Numbered field checks.
inline constexpr int kNifCheck = 21, kYearCheck = 101, kRepresentativeNifCheck = 1, kDateCheck = 6,
                     kYearTextCheck = 16;
// Starting pages of the family wizard: descendants, ascendants.
inline constexpr int kWizardDescendants = 1, kWizardAscendants = 2;
}  // namespace ord001

class CBoxesORD001 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override;
  bool SelectSheet(int sheet, int printing) override;
  // The member the list shows (1 family unit .. 5 child 2).
  int Shown() const;
  // The descendants and ascendants of the member shown, copied into the list's buffers.
  void FilterTables();
  // Read-only flags of the member shown, the household and the declaration kind.
  void ApplyMemberRules(bool jointDeclaration);

  std::array<std::uint8_t, ord001::kDescendantRows * ord001::kDescendantSize> descendants{};
  std::array<std::uint8_t, ord001::kAscendantRows * ord001::kAscendantSize> ascendants{};

 private:
  void BindTableRows();
  // The individual and joint declaration marks of the member shown.
  void SetDeclarationMarks();
  std::array<char, 21> barcodeText_{};
  std::array<char, 14> receiptText_{};
  double zero_ = 0;
  ui::FieldPair addressMarks_, complementary_;
};

class ORD001 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 201;
  explicit ORD001(IPageHost& host, QWidget* parent = nullptr);
  void RecalculateAndRefresh() override;
  int OnBoxEdited(int position) override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  bool InitPageControls() override;
  CBoxesORD001* List() const { return static_cast<CBoxesORD001*>(BoxList()); }

 private:
  void RefreshHeader();
  // The child shown (4 or 5): its names into its record of the descendants table.
  void CopyChildName(int member);
};

// The descendants and ascendants boxes open the family wizard on their page.
void RegisterFamilyTableOpeners();

}  // namespace forms

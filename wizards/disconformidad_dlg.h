// Disagreement with the fiscal data: one mark per member (IDD 25), each opening the member's
// concepts in disagreement (IDD 104). Both run as sub-dialogs of a check-mark box, over a copy of
// their block that the box copies back on OK only.
#pragma once

#include <array>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_import.h"
#include "ui/annex_dlg.h"

namespace wizards {

// The concept block: one 32-bit int per concept, 1 = in disagreement.
namespace concepts {
inline constexpr int kCount = 18;
inline constexpr std::size_t kBytes = 72;
constexpr blocks::I32 Concept(int i) { return {4u * static_cast<std::size_t>(i)}; }
static_assert(Concept(kCount).off == kBytes);
}  // namespace concepts

// The disagreement block of the declaration (f100::family::Disagreement).
namespace disagreement {
inline constexpr std::size_t kBytes = 368;
inline constexpr blocks::U8 AnyMember{0};
// Member k: 0 declarant, 1 spouse, 2 child 1, 3 child 2.
constexpr blocks::U8 Mark(int k) { return {1u + static_cast<std::size_t>(k)}; }
constexpr blocks::Area Concepts(int k) { return {80u + concepts::kBytes * static_cast<std::size_t>(k), concepts::kBytes}; }
static_assert(Concepts(4).off == kBytes && f100::family::Disagreement.size == kBytes);
}  // namespace disagreement

class CDfdisconfDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 104;
  static constexpr int kFirstConcept = 24678;  // to 24695, in concept order
  explicit CDfdisconfDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitDialog() override;
  bool ValidateOK() override;
};

class CDisconformidadDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int IDD = 25;
  static constexpr std::array<int, 4> kMemberEdits{1393, 770, 433, 449};
  explicit CDisconformidadDlg(const ui::AnnexArgs& args);

  int OnSubDialogValue(int id) override;
  int OnEditValueChanged(int id) override;

 protected:
  void OnInitAnnex() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool ValidateOK() override;

 private:
  void EnableMemberEdits();
};

// Registers both dialogs with the sub-dialog launcher.
void RegisterDisagreementDialogs();

}  // namespace wizards

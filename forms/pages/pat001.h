// Form 714, page 1 (301): the declarant's identification. The two obligation marks decide the
// region code and whether the address is kept; the region code decides whether the regional mark
// can be set; the matrimonial regimes are one of three; the identification, name and date are
// checked as they are left, and the marks that enter the liquidation recalculate it.
#pragma once

#include "forms/view/form_views.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesPAT001 : public CBindingTableList {
 public:
  static constexpr int kCode = 301;
  explicit CBoxesPAT001(std::span<std::uint8_t> block) : CBindingTableList(kCode, block) {}
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  // 1, 3: the region code follows the obligation marks; 34-36: one matrimonial regime kept.
  void RefreshBoxStates(int position) override;
  // The country of residence can be typed only under the real obligation.
  void ApplyResidenceRule();
  // The composed name of the document, rebuilt at every bind; null outside a form-714 document.
  std::function<void()> composeName;
  // Set while the taxpayer's paper copy of an internet filing prints: the printed reference code
  // is left unbound.
  const bool* internetCopy = nullptr;

 private:
  ui::AnnexPointerList representativeProvince_;
};

class PAT001 : public CGenericPage714 {
  Q_OBJECT
 public:
  static constexpr int kCode = 301;
  // Numbered field checks.
  static constexpr int kNifCheck = 21, kAnyNifCheck = 1, kProvinceCheck = 8, kDateCheck = 6, kYearCheck = 16;
  explicit PAT001(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "PAT001"; }
  bool InitPageControls() override;
  void RecalculateAndRefresh() override;
  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxSubDialogValue(int position) override;

 private:
  CBoxesPAT001& List() const { return static_cast<CBoxesPAT001&>(*BoxList()); }
  // The personal data through the library, then the liquidation, the page and every view.
  int Recalculate(bool personal);
  // The region code left "09" while the regional mark is set: "100P077", and "C&orregir" keeps it.
  void RegionLeft(std::uint8_t* personal);
  // The residence after the real-obligation mark changed or was cleared.
  void ResidenceAfterMark(std::uint8_t* personal);
  // "SURNAME1 SURNAME2, NAME" from the three name fields into the document's header name.
  void ComposeName(const std::uint8_t* personal);
};

void RegisterPat001();

}  // namespace forms

// The declaration summary: the main results of the joint return and of each member's return, side
// by side, after a full calculation; amounts bound straight to the declaration and to the two
// deduction rows it computes. Nothing can be typed.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "ui/template_dlg.h"

namespace doc {
class CProg32Doc;
}

class CResumenDeclaracionesDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 191;
  static constexpr int kRows = 9, kColumns = 5;
  // The open form-100 declaration; it is recalculated when the dialog opens.
  explicit CResumenDeclaracionesDlg(doc::CProg32Doc& document, QWidget* parent = nullptr);
  // The control id of a row (0-8) and column (0 joint, 1 declarant ... 4 child 2).
  static int ControlAt(int row, int column);
  double StateDeduction(int column) const;
  double RegionalDeduction(int column) const;

 protected:
  void OnInitDialog() override;

 private:
  void ComputeDeductions();
  void BindColumn(int column);
  void BlankColumn(int column);
  doc::CProg32Doc& doc_;
  // The two computed rows, five amounts each, as the edits read them.
  std::array<std::uint8_t, 40> state_{};
  std::array<std::uint8_t, 40> regional_{};
};

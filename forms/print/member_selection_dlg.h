// The choice of whose form-100 declaration is printed or filed: the family unit's joint
// declaration, or the individual declaration of the declarant (with the spouse when their results
// are compensated), the spouse or a child. Mode 1 is the filing command's: no printer controls.
// Mode 0 is a print's; in mode 2 (the print asked for from "Avisos y errores") and mode 3 (the
// paper copy of a filed declaration) the member is already chosen.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "ui/template_dlg.h"

namespace forms {

class CSeleccionDeclaracionImprimirDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 322;
  enum : int { kJoint = 2202, kIndividual = 2203, kDeclarant = 2204, kSpouse = 2205, kChild1 = 2206, kChild2 = 2207,
               kExtraCopy = 2007, kPrinterName = 1088, kPrinterLabel = 1093, kPrinterButton = 1024,
               kPrinterFrame = 2218, kErrorsText = 2217 };
  // What the dialog reads of the open declaration.
  struct Declaration {
    std::span<const std::uint8_t> block;            // Form100Data
    std::array<std::uint8_t, 5> household{};        // family unit, declarant, spouse, child 1, child 2
    int shownMember = 1;
    // Modes 2 and 3: the member already chosen (1 .. 5, 6 declarant and spouse), shown and fixed.
    int printMember = 2;
    // Validates the declaration of the member chosen (1 .. 6, as `member`) for printing: TRUE
    // when it reports errors.
    std::function<bool(int member)> hasErrors;
  };
  CSeleccionDeclaracionImprimirDlg(Declaration declaration, int mode, QWidget* parent = nullptr);

  // After OK: 1 family unit .. 5 child 2, 6 declarant and spouse; -1 after Cancel.
  int member = -1;
  // 1 joint, 0 individual, -1 none.
  int jointSelection = -1;
  // 0 no copy choice, 1 no additional copy, 2 additional copy.
  int copiesMode = 0;

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnButton(int id) override;

 private:
  bool Compensated() const;
  bool DeclarantPrinted() const;
  void ReadRadios();
  void UpdateAvailability();
  void Check(int id, bool on);
  void Enable(int id, bool on);
  bool Checked(int id) const;

  Declaration declaration_;
  int mode_;
};

}  // namespace forms

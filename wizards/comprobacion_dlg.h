// "COMPROBACIÓN DATOS FAMILIARES" (IDD 18): what the family wizard is about to accept, shown for
// confirmation before Finish closes it. Nothing in it can be edited.
#pragma once

#include <array>
#include <cstdint>

#include "ui/template_dlg.h"
#include "wizards/family_data.h"

namespace famwiz {

class CComprobacionDatosFamiliaresDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  enum : int { kCivilStatus = 1001, kMinorChildren = 1002, kNonResident = 1003, kDeath = 1004, kText = 1005 };
  // Copies of the wizard's personal record, non-resident mark and descendant table.
  CComprobacionDatosFamiliaresDlg(QWidget* parent, const Block& work);
  // The text field: who of the family unit presents an individual declaration of their own.
  QString MembersText() const;

 protected:
  void OnInitDialog() override;

 private:
  Block work_;
};

}  // namespace famwiz

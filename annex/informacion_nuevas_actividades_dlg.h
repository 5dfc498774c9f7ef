// The notice of the conditions under which the correction index for new activities applies. The
// activity-information dialogs of objective estimation show it when a start year is typed: "Aceptar"
// keeps the year, "Corregir" (or Escape) asks them to take it back.
#pragma once

#include "ui/template_dlg.h"

class CInformacionNuevasActividadesDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1808;
  explicit CInformacionNuevasActividadesDlg(QWidget* parent);
};

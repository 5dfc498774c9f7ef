// The read-only "Datos de la Actividad" dialogs that "C&onsultar" of the activity selection opens:
// the modules of the chosen activity with their amounts per unit, the amount for the excess
// correction index and the minimum VAT quota, for the regimes 3 (income tax), 1 (VAT) and 2
// (both). They read the selection's module data and write nothing back.
#pragma once

#include <QListWidget>

#include <array>

#include "modules/module_data.h"
#include "ui/template_dlg.h"

// A list of module lines in a fixed-pitch font, aligned in columns.
class CModulosListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit CModulosListBox(QWidget* parent = nullptr);
  // One line per module of `kind` in the part's order; 0 when the part has no modules, else 1.
  int FillModules(const modules::CDatosMod* data, int kind);
  // Adds a line (cp1252) with its amount field in the Spanish style; the new index.
  int AddLine(const std::string& cp1252Line);
  // The line of an item as added (cp1252).
  std::string Line(int index) const;
};

class CDatosActividadDlgBase : public CTemplateDlg {
  Q_OBJECT
 public:
  enum : int { kEpigraphEdit = 337, kAmountEdit = 1332, kQuotaEdit = 368, kIncomeTaxList = 356, kVatList = 364 };
  CDatosActividadDlgBase(const ui::DialogTemplate& tmpl, const modules::CDatosMod& owner, QWidget* parent);

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  // Whether the dialog shows the minimum quota for the epigraph shown.
  virtual bool ShowsQuota(std::string_view epigraph) const { return true; }
  // The amount for the excess correction index as a two-decimal number (else as whole text).
  virtual bool AmountAsNumber() const { return false; }

  const modules::CDatosMod& owner_;
  // What the edits are bound to: epigraph (5), amount (double), amount and quota texts (10 each).
  std::array<unsigned char, 40> values_{};
};

class CDatosActividadDlg67 : public CDatosActividadDlgBase {
  Q_OBJECT
 public:
  explicit CDatosActividadDlg67(const modules::CDatosMod& owner, QWidget* parent = nullptr);
  CDatosActividadDlg67(modules::CDatosMod&&, QWidget* = nullptr) = delete;  // the data must outlive the dialog

 protected:
  bool AmountAsNumber() const override { return true; }
};

class CDatosActividadDlg69 : public CDatosActividadDlgBase {
  Q_OBJECT
 public:
  explicit CDatosActividadDlg69(const modules::CDatosMod& owner, QWidget* parent = nullptr);
  CDatosActividadDlg69(modules::CDatosMod&&, QWidget* = nullptr) = delete;  // the data must outlive the dialog

 protected:
  bool ShowsQuota(std::string_view epigraph) const override;
};

class CDatosActividadDlg1742 : public CDatosActividadDlgBase {
  Q_OBJECT
 public:
  explicit CDatosActividadDlg1742(const modules::CDatosMod& owner, QWidget* parent = nullptr);
  CDatosActividadDlg1742(modules::CDatosMod&&, QWidget* = nullptr) = delete;  // the data must outlive the dialog
};

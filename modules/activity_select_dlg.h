// "Seleccionar Actividad": the user picks an activity of the modules database, as two parallel
// lists (sector code or agricultural key on the left, the activity's name on the right) that scroll
// and select together, and for business activities one of its epigraphs. "&Aceptar" loads the
// chosen activity into the dialog's module data for the opener; "C&onsultar" shows its modules.
#pragma once

#include <QDialog>

#include <string>

#include "data/db/ado.h"
#include "modules/module_data.h"
#include "modules/module_db.h"
#include "ui/edit_host.h"

class QLabel;
class QListWidget;
class QScrollBar;

class CSeleccionarActividadDlg : public QDialog {
  Q_OBJECT
 public:
  enum : int {
    kEpigraphListId = 344,
    kSectorListId = 337,
    kActivityListId = 341,
    kSectorLabelId = 349,
    kActivityLabelId = 352,
    kEpigraphLabelId = 506,
    kLeftScrollId = 648,
    kRightScrollId = 664,
    kDescriptionId = 494,
    kConsultId = 357,
    kHelpId = 372,
  };
  // Help contexts by regime.
  static constexpr int kHelpBusiness = 287;
  static constexpr int kHelpAgrarian = 326;
  static constexpr int kHelpOther = 2;

  explicit CSeleccionarActividadDlg(db::CAdoConnection* connection, QWidget* parent = nullptr);
  ~CSeleccionarActividadDlg() override;

  // Sets the regime; answers the previous one.
  int SetRegime(int regime);
  int Regime() const { return regime_; }
  void SetTableNames(const modules::ModuleTableSet& names) { tables_ = names; }
  const modules::ModuleTableSet& TableNames() const { return tables_; }

  // Set by the opener before the run: the activity to select (0 or less: none), else the code to
  // find (an epigraph, or an agricultural key; empty: none), in the declaration's code page.
  double initialActivity = 0.0;
  std::string preselectionCode;

  int DoModal();
  // "&Aceptar" (and Enter), "&Cancelar" (and Esc).
  void accept() override { OnOK(); }
  void reject() override { done(ui::IDCANCEL); }
  // Builds the controls and runs the opening (DoModal and show() call it).
  void EnsureCreated();
  QWidget* GetDlgItem(int id) const;

  // The module data the last OK or "C&onsultar" loaded.
  const modules::CDatosMod& ModuleData() const { return data_; }
  void LoadActivityModules(double id, std::string_view epigraph);
  bool MatchesRegime(bool modAgr, bool irpf, bool modIva, bool iva, bool ivaAgr, bool irpfAgr) const {
    return modules::MatchesRegime(regime_, modAgr, irpf, modIva, iva, ivaAgr, irpfAgr);
  }
  db::Filter GetRegimeFilter() const { return modules::RegimeFilter(regime_); }

  // The shared position and maximum of the two scroll bars.
  int ScrollPosition() const { return position_; }
  int ScrollMaximum() const { return maximum_; }
  // Applies a scroll action (QAbstractSlider::SliderAction) of either scroll bar; `dragged` is
  // the thumb's position while it is dragged.
  void OnVScroll(int action, int dragged = 0);
  // The list whose label is drawn in black.
  int FocusedList() const { return focused_; }

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  virtual void OnOK();
  virtual void OnConsultar();
  virtual void OnHelp();

 private:
  void OnInitDialog();
  void OnSelchangeSector();
  void OnSelchangeActivity();
  // `list` gets the focus: it becomes re-sort pending and focused.
  void OnSetfocus(int list);
  void OnSelchange(QListWidget* own, QListWidget* other, int ownId, const char* column);
  void FillActivityLists(const char* column);
  void AddActivityRow(db::CAdoRecordset& rs);
  void ShowDescription(int id);
  void FillEpigraphs(int id);
  int FindByCode();
  // Selects the activity `id` in the activity list by its name, and the same row in the sector list.
  void SelectActivity(int id);
  int SelectedId() const;
  void SetScrollTop(int position);
  void PaintLabels();

  db::CAdoConnection* connection_;
  modules::ModuleTableSet tables_ = modules::ModuleTableSet::Plain();
  int regime_ = modules::kRegimeAll;
  modules::CDatosMod data_;
  bool created_ = false;
  int resortPending_ = 0;
  int focused_ = 0;
  int position_ = 0;
  int maximum_ = 0;

  QLabel* sectorLabel_ = nullptr;
  QLabel* activityLabel_ = nullptr;
  QLabel* epigraphLabel_ = nullptr;
  QLabel* description_ = nullptr;
  QListWidget* epigraphs_ = nullptr;
  QListWidget* sectors_ = nullptr;
  QListWidget* activities_ = nullptr;
  QScrollBar* leftScroll_ = nullptr;
  QScrollBar* rightScroll_ = nullptr;
};

#include "modules/activity_selection.h"

#include <cstring>
#include <string>

#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "forms/view/module_editor_hook.h"
#include "modules/activity_edits.h"
#include "modules/activity_rows.h"
#include "modules/module_db.h"
#include "platform/icons.h"
#include "modules/activity_select_dlg.h"
#include "platform/strings.h"
#include "ui/messages.h"
#include "ui/sel_str_edit.h"

namespace modules {

namespace {

// The code of the row as the dialog searches it: up to five characters from `at`.
std::string CodeAt(const unsigned char* row, std::size_t at, std::size_t width) {
  std::string code(reinterpret_cast<const char*>(row + at), width);
  code.resize(std::strlen(code.c_str()));
  return code;
}

bool HasActivities(db::CAdoConnection* connection, const ModuleTableSet& tables, int regime) {
  db::CAdoRecordset rs;
  if (!connection || !rs.Open(tables[ModuleTableSet::kActivities], connection, RegimeFilter(regime))) return false;
  const bool any = !rs.IsEOF();
  rs.Close();
  return any;
}

int Select(CSelStrEdit& edit, int regime, const RunDialog& run,
           const std::function<void(CSeleccionarActividadDlg&, const unsigned char*)>& preselect,
           const std::function<int(const CDatosMod&, unsigned char*)>& write) {
  CBoxField* box = edit.Box();
  auto* row = box ? static_cast<unsigned char*>(box->option) : nullptr;
  if (!row) return 2;
  const ModuleTableSet tables = ModuleTableSet::ForLanguage(platform::Language());
  // A dialog with nothing to choose from would say nothing of why: the user is told instead.
  if (!HasActivities(edit.Connection(), tables, regime)) {
    ui::ShowMessage(edit.window(), QStringLiteral("WIN1104"), platform::kIconExclamation);
    return 2;
  }
  // Parented to the window, not to the edit: the page may drop its editor while the dialog runs.
  CSeleccionarActividadDlg dlg(edit.Connection(), edit.window());
  dlg.SetRegime(regime);
  dlg.SetTableNames(tables);
  preselect(dlg, row);
  const int result = run ? run(dlg) : dlg.DoModal();
  if (result != ui::IDOK) return 2;
  return write(dlg.ModuleData(), row) == kRowWritten ? ui::IDOK : 2;
}

}  // namespace

int SelectBusinessActivity(CSelStrEdit& edit, const RunDialog& run) {
  namespace e4 = f100::sec_e4;
  return Select(
      edit, kBusinessRegime, run,
      [](CSeleccionarActividadDlg& dlg, const unsigned char* row) {
        dlg.initialActivity = e4::Activity.get(row);
        dlg.preselectionCode = CodeAt(row, e4::Epigraph.off, e4::Epigraph.width);
      },
      [](const CDatosMod& chosen, unsigned char* row) { return WriteBusinessActivity(chosen, row); });
}

int SelectAgrarianActivity(CSelStrEdit& edit, const RunDialog& run) {
  return Select(
      edit, kAgrarianRegime, run,
      [](CSeleccionarActividadDlg& dlg, const unsigned char* row) {
        dlg.initialActivity = f100::sec_e5::Activity.get(row);
        dlg.preselectionCode = CodeAt(row, f100::sec_e5::Type.off, 3);
      },
      [](const CDatosMod& chosen, unsigned char* row) { return WriteAgrarianActivity(chosen, row); });
}

void RegisterActivitySelection() {
  ui::RegisterSelectionOpener(kBusinessSelection, [](CSelStrEdit& edit) { return SelectBusinessActivity(edit); });
  ui::RegisterSelectionOpener(kAgrarianSelection, [](CSelStrEdit& edit) { return SelectAgrarianActivity(edit); });
  forms::SetSelectionBoxEditorMaker(&MakeActivityEdit);
}

}  // namespace modules

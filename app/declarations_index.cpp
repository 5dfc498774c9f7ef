#include "app/declarations_index.h"

#include "ui/store/store_dialogs.h"

namespace app {

CDeclarationsIndex::CDeclarationsIndex(store::DeclarationStore& store, std::function<std::string()> localCopies,
                                       std::function<int(QDialog&)> runModal)
    : store_(store), localCopies_(std::move(localCopies)), runModal_(std::move(runModal)) {}

IndexChoice CDeclarationsIndex::Run(QWidget* parent, bool) {
  // The dialog starts with no new declaration whatever the command: "&Alta" makes one.
  ui::store_dlg::CIndiceDeclaracionesDlg dlg(store_, parent, localCopies_ ? localCopies_() : std::string());
  const int result = runModal_(dlg);
  const store::IndexController& c = dlg.Controller();
  IndexChoice choice;
  if (result == QDialog::Accepted || c.NewDeclaration()) {
    choice.result = IndexChoice::Ok;
    choice.newFlag = c.NewDeclaration();
    choice.key = store::TrimKey(c.ChosenKey());
    choice.wealthTax = c.Kind() == store::kKindForm714;
  } else {
    choice.result = IndexChoice::Cancel;
  }
  return choice;
}

}  // namespace app

// The store's commands of the main frame while no declaration is open: export (2046) and import
// (2039) of transfer files, the import of last year's wealth-tax declarations (32855), and the
// export to the local copies at the end of a remote-mode run.
#pragma once

#include <functional>
#include <string>

#include "data/store/store.h"

class QDialog;

namespace app {

class CRentaApp;

// The local-copies folder of `machine` (the host's name when empty) under `userData`.
std::string MachineCopiesFolder(const std::string& userData, const std::string& machine);

class CStoreCommands {
 public:
  CStoreCommands(CRentaApp& app, store::DeclarationStore& store, std::function<int(QDialog&)> runModal);

  void Export();
  void Import();
  void ImportLastYear();
  // Writes the local copies, with "EXPORTACION DE DATOS" on screen meanwhile.
  void ExportLocalCopies();
  // Where remote mode keeps this machine's local copies: a folder of its own under the user's
  // data folder, since that folder may be shared by several machines (a roaming home, or the
  // store's own folder).
  std::string LocalCopiesFolder() const;

 private:
  CRentaApp& app_;
  store::DeclarationStore& store_;
  std::function<int(QDialog&)> runModal_;
};

}  // namespace app

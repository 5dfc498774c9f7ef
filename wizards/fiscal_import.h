// What one import of "datos fiscales" files needs from the program around it: the databases, the
// open declaration (its key and block) and the step that writes the collected data into it. The
// entry dialog fills one and hands it to every wizard of its run; tests give their own.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "wizards/fiscal_transfer.h"

namespace db {
class CAdoConnection;
}

namespace fiscal {

struct ImportEnvironment {
  db::CAdoConnection* local = nullptr;         // the layout tables
  db::CAdoConnection* declarations = nullptr;  // table DATOSFISC
  char language = 'e';
  std::string declarationKey;                  // the open declaration's key
  std::span<std::uint8_t> block;               // its Form100Data
  bool joint = false;                          // a joint declaration
  QString productVersion;                      // of the running program (download address)
  ImportSession* session = nullptr;            // shared by the members of one run
  // Writes the collected data into the declaration (and calculates it).
  std::function<void(const FiscalTransfer&, const ImportSession&)> apply;
  // The application's mark that fiscal data were incorporated.
  std::function<void()> markIncorporated;
  // Runs a modal dialog; exec() when empty (tests script the answers here).
  std::function<int(QDialog&)> runModal;

  int RunModal(QDialog& dialog) const { return runModal ? runModal(dialog) : dialog.exec(); }
  // The two-character community code of Form100Personal region k (0 family unit, 1 declarant,
  // 2 spouse, 3 child 1, 4 child 2) and as a number (0 when it is not one).
  std::string RegionText(int k) const;
  int Region(int k) const;
  // The NIF of member m (1 declarant .. 4 child 2) in the identification list of Form100Family.
  std::string MemberNif(int member) const;
};

// The program's one session: its counts and fund table outlive each run of the entry dialog.
ImportSession& SharedImportSession();

}  // namespace fiscal

// The program's three databases and where their files live.
#pragma once

#include <string>

#include "data/db/ado.h"

namespace db {

// Folder of the shipped data (databases, pictures, help): $QX_RESOURCES_DIR when set, else
// ../resources next to the running executable (a build), else ../share/quildexan (an installed
// copy). Ends with "/".
std::string ShippedDataDir();
// The user's data folder ($XDG_DATA_HOME/quildexan or ~/.local/share/quildexan), created on
// demand. Ends with "/".
std::string UserDataDir();
// The user's configuration folder ($XDG_CONFIG_HOME/quildexan or ~/.config/quildexan), created
// on demand. Ends with "/".
std::string UserConfigDir();

inline constexpr const char* kDeclarationsFile = "DatRed.db";
inline constexpr const char* kLocalFile = "DatLocal.db";
inline constexpr const char* kModulesFile = "MODULO03.db";

// The most declarations the store holds.
inline constexpr int kMaxDeclarations = 50;

// Creates the tables of the declarations database that are missing (DATOSDEC, DATOSFISC,
// CORREGIX, CONTADORES); existing tables and rows are left alone.
bool CreateDeclarationsSchema(CAdoConnection& connection);

// Which of the three failed to open, for the start-up message.
// NotAStore: the declarations file exists but is empty or no store of this program; it is
// left as it was.
enum class OpenFailure { None, Declarations, NotAStore, Local, Modules };

// Whether an existing file may be opened as the declarations store: not empty, a database of
// the engine, and either without tables yet or holding DATOSDEC. A missing file answers true.
bool LooksLikeDeclarationsStore(const std::string& path);

// The three connections the application owns from start-up to shutdown.
class AppDatabases {
 public:
  AppDatabases();
  void SetReporter(ErrorReporter* reporter);

  // Opens `declarationsDir`/DatRed.db, then `localDir`/DatLocal.db and `localDir`/MODULO03.db
  // read-only, in that order; the first failure stops the sequence. With `createDeclarations`
  // a missing DatRed.db (and its folder) is created, and its missing tables in any case;
  // without it a missing file is a failure and nothing is created. Folders end with a
  // separator (they are joined directly).
  OpenFailure Open(const std::string& declarationsDir, const std::string& localDir, bool createDeclarations);
  // Local, then modules, then declarations.
  void Close();

  CAdoConnection& Declarations() { return declarations_; }  // DatRed
  CAdoConnection& Local() { return local_; }                // DatLocal
  CAdoConnection& Modules() { return modules_; }            // MODULO03

 private:
  CAdoConnection declarations_;
  CAdoConnection local_;
  CAdoConnection modules_;
};

}  // namespace db

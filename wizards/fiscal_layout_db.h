// The layout tables of the "datos fiscales" file, read from the local database for one interface
// language: "DFListas" / "DFcampos" with the language letter, the whole name in capitals.
#pragma once

#include <string>

#include "wizards/fiscal_file.h"

namespace db {
class CAdoConnection;
}

namespace fiscal {

// "DFLISTASE", "DFCAMPOSC" ... for a language letter of either case.
std::string ListTableName(char language);
std::string FieldTableName(char language);

// Both tables of the language; a table that cannot be read gives no rows (the reader then refuses
// every record line, and the connection has reported the error).
Layout LoadLayout(db::CAdoConnection* local, char language);

}  // namespace fiscal

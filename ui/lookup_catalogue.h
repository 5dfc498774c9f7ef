// The lookup catalogue TABLAS: for each lookup table its key, description, sort and filter columns.
// Lookup, code and selection editors read their lists through it; the table of a language is the
// base name with its eighth character replaced by the interface language letter.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace db {
class CAdoConnection;
class Filter;
}  // namespace db

namespace ui {

// One catalogue row, text columns without trailing blanks.
struct CatalogueRow {
  std::string key;        // NOMTABLA
  std::string order;      // NomOrden
  std::string keyColumn;  // CamClave (whole; KeyColumn() gives the part this edit uses)
  std::string descr;      // CamDescr
  std::string descr2;     // CamDescr2
  std::string ret;        // CamDevol
  std::string filter;     // CamFiltro
  int ordered = 0;        // ordenada (-1 read as 1)
  int cut = 0;            // Cortar

  // CamClave after its first "+", or the whole column when it has none.
  std::string KeyColumn() const;
  // CamFiltro begins with two blanks: a fixed filter of the catalogue's own.
  bool FixedFilter() const { return filter.size() >= 2 && filter[0] == ' ' && filter[1] == ' '; }
};

// The record a dialog or page attaches to a lookup field through the option word: the field that
// receives the chosen key and a text whose first two characters restrict the table. Both point
// into the data block (cp1252, fixed width); the widths keep every write inside its field.
struct LookupLink {
  void* target = nullptr;
  std::size_t targetWidth = 0;
  const void* filterSource = nullptr;
  std::size_t filterWidth = 0;
  // The filter source's first two characters ("" when there is none or it is empty).
  std::string FilterPrefix() const;
};

// "PAISES_E.TAB" -> "PAISES_E": the base name, its eighth character in upper case.
std::string CatalogueKey(std::string_view fileName);
// The base name with its eighth character replaced by the language letter (lower case).
std::string LanguageTable(std::string_view fileName, char languageLetter);
// The base name as it stands.
std::string BaseTableName(std::string_view fileName);

// The catalogue row of `fileName`, or nothing when the catalogue has none.
std::optional<CatalogueRow> ReadCatalogueRow(db::CAdoConnection* connection, std::string_view fileName);

// A fixed catalogue filter ("  COL = 'V' AND COL2 <> 'W'") as a bound filter; nothing when the text
// is not of that form (a filter that is not understood filters nothing rather than failing).
std::optional<db::Filter> ParseFixedFilter(std::string_view text);

// The local database connection on which dialogs read their lookups (set at start-up).
void SetLookupConnection(db::CAdoConnection* connection);
db::CAdoConnection* LookupConnection();

// Text helpers shared by the lookup editors.
std::string TrimRight(std::string s);
// cp1252 field bytes up to the first zero byte, as UTF-8.
std::string FieldText(const void* field, std::size_t width);

}  // namespace ui

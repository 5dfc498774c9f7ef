// The index tables of the sections bar: the tabs and tree entries of each form (AcceDirx) and
// their texts in the interface language (AcceDir plus the language letter).
#pragma once

#include <string>
#include <vector>

namespace db {
class CAdoConnection;
}

namespace app {

struct IndexRow {
  int nivel = 0;    // 0 a tab; 1 to 6 a tree entry of that kind
  int solapa = 0;   // tab holding the entry
  std::string indNumero;
  int pagina = 0;   // page list position (from 1); 0 none; 100 the personal data wizard
  int numero = 0;   // box or wizard page
  int imagenCer = 0;
  int imagenAbi = 0;
  std::string texto;  // from the language table
  // Item data of a tree entry.
  unsigned ItemData() const { return static_cast<unsigned>(pagina) * 65536u + static_cast<unsigned>(numero) % 65536u; }
};

// " 200" for form 100, " 300" for form 714 (" %3d").
std::string FormIndexKey(int formPageCode);
// "AcceDir" followed by the language letter.
std::string LanguageIndexTable(char letter);

// Rows of form `formPageCode` in table order, with their texts; only the tabs (Nivel 0) when
// `tab` is -1, else only the entries of tab `tab`. A text whose key has no language row keeps
// the previous row's text. Empty when either table has no rows for the form.
std::vector<IndexRow> ReadIndexRows(db::CAdoConnection& local, int formPageCode, char letter, int tab);

// Where a tree entry of kind `nivel` goes: the kind of its parent (0 the root), or -1 when the
// kind is not inserted.
int ParentKind(int nivel);
// Kinds 3 are shown bold; kind 1 uses image 0.
inline bool IsBoldKind(int nivel) { return nivel == 3; }

}  // namespace app

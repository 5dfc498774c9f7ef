#include "app/sections_index.h"

#include <cstdio>

#include "data/db/ado.h"

namespace app {

std::string FormIndexKey(int formPageCode) {
  char buf[16];
  std::snprintf(buf, sizeof buf, " %3d", formPageCode);
  return buf;
}

std::string LanguageIndexTable(char letter) { return db::LanguageTableName("AcceDire", 7, letter); }

int ParentKind(int nivel) {
  switch (nivel) {
    case 1: return 0;
    case 2: case 3: return 1;
    case 4: case 5: return 3;
    case 6: return 5;
    default: return -1;
  }
}

std::vector<IndexRow> ReadIndexRows(db::CAdoConnection& local, int formPageCode, char letter, int tab) {
  std::vector<IndexRow> rows;
  const db::Filter filter = db::Filter::Eq("INDICEFICH", FormIndexKey(formPageCode));
  db::CAdoRecordset index, texts;
  if (!index.Open("AcceDirx", &local, filter) || !texts.Open(LanguageIndexTable(letter), &local, filter)) return rows;
  std::string text;
  for (bool more = !index.IsEOF(); more; more = index.MoveNext() && !index.IsEOF()) {
    IndexRow r;
    index.GetInt("Nivel", r.nivel);
    index.GetInt("Solapa", r.solapa);
    if (tab < 0 ? r.nivel != 0 : r.solapa != tab) continue;
    index.GetText("IndNumero", r.indNumero);
    index.GetInt("Pagina", r.pagina);
    index.GetInt("Numero", r.numero);
    index.GetInt("ImagenCer", r.imagenCer);
    index.GetInt("ImagenAbi", r.imagenAbi);
    if (texts.Find(db::Filter::Eq("INDNUMERO", r.indNumero), true, true)) texts.GetText("Texto", text);
    r.texto = text;
    rows.push_back(std::move(r));
  }
  return rows;
}

}  // namespace app

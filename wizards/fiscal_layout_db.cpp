#include "wizards/fiscal_layout_db.h"

#include <cctype>
#include <cstdint>

#include "data/db/ado.h"

namespace fiscal {

namespace {

std::string TableName(const char* stem, char language) {
  std::string name = std::string(stem) + language;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::int32_t Int(db::CAdoRecordset& rs, const char* column) {
  std::int32_t v = 0;
  rs.GetInt(column, v);
  return v;
}

std::string Text(db::CAdoRecordset& rs, const char* column) {
  std::string v;
  rs.GetText(column, v);
  return v;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string ListTableName(char language) { return TableName("DFListas", language); }
std::string FieldTableName(char language) { return TableName("DFcampos", language); }

Layout LoadLayout(db::CAdoConnection* local, char language) {
  Layout layout;
  db::CAdoRecordset lists;
  if (lists.Open(ListTableName(language), local, {}, "orden")) {
    for (; lists.IsNotAtEnd(); lists.MoveNext()) {
      ListLayout l;
      l.key = Text(lists, "claveDF");
      l.order = Int(lists, "orden");
      l.title = Text(lists, "titulo");
      l.window = Lower(Text(lists, "ventana"));
      l.transferable = Int(lists, "trasladable") != 0;
      layout.AddList(std::move(l));
    }
  }
  db::CAdoRecordset fields;
  if (fields.Open(FieldTableName(language), local, {}, "clavedf, orden")) {
    for (; fields.IsNotAtEnd(); fields.MoveNext()) {
      FieldLayout f;
      f.order = Int(fields, "orden");
      f.name = Text(fields, "Nombre");
      const std::string type = Text(fields, "tipo");
      f.type = type.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
      f.length = Int(fields, "longitud");
      f.decimals = Int(fields, "decimales");
      f.inFile = Int(fields, "EnFichero") != 0;
      f.transferable = Int(fields, "trasladable") != 0;
      f.accumulable = Int(fields, "acumulable") != 0;
      layout.AddField(Text(fields, "clavedf"), std::move(f));
    }
  }
  return layout;
}

}  // namespace fiscal

#include "ui/lookup_catalogue.h"

#include <cctype>
#include <cstring>

#include "data/db/ado.h"
#include "platform/cp1252.h"

namespace ui {

namespace {
db::CAdoConnection* g_lookupConnection = nullptr;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

void SetLookupConnection(db::CAdoConnection* connection) { g_lookupConnection = connection; }
db::CAdoConnection* LookupConnection() { return g_lookupConnection; }

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
  return s;
}

std::string FieldText(const void* field, std::size_t width) {
  if (!field) return {};
  const char* p = static_cast<const char*>(field);
  std::size_t n = 0;
  while (n < width && p[n] != '\0') ++n;
  return platform::Cp1252ToUtf8(std::string(p, n));
}

std::string CatalogueRow::KeyColumn() const {
  const auto plus = keyColumn.find('+');
  return plus == std::string::npos ? keyColumn : keyColumn.substr(plus + 1);
}

std::string LookupLink::FilterPrefix() const {
  if (!filterSource) return {};
  const std::string s = FieldText(filterSource, filterWidth ? filterWidth : 2);
  return s.substr(0, 2);
}

std::string BaseTableName(std::string_view fileName) {
  return std::string(fileName.substr(0, std::min(fileName.find('.'), fileName.size())));
}

std::string CatalogueKey(std::string_view fileName) {
  std::string base = BaseTableName(fileName);
  if (base.size() >= 8) base[7] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[7])));
  return base;
}

std::string LanguageTable(std::string_view fileName, char letter) {
  std::string base = BaseTableName(fileName);
  if (base.size() >= 8) base[7] = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  return base;
}

std::optional<CatalogueRow> ReadCatalogueRow(db::CAdoConnection* connection, std::string_view fileName) {
  if (!connection || !connection->IsOpen()) return std::nullopt;
  const std::string key = CatalogueKey(fileName);
  if (key.empty()) return std::nullopt;
  db::CAdoRecordset rs;
  if (!rs.Open("TABLAS", connection, db::Filter::Eq("NOMTABLA", key))) return std::nullopt;
  CatalogueRow row;
  std::string v;
  auto text = [&](const char* col) {
    v.clear();
    rs.GetText(col, v);
    return TrimRight(v);
  };
  row.key = key;
  row.order = text("NomOrden");
  row.keyColumn = text("CamClave");
  row.descr = text("CamDescr");
  row.descr2 = text("CamDescr2");
  row.ret = text("CamDevol");
  row.filter = text("CamFiltro");
  std::int32_t n = 0;
  rs.GetInt("ordenada", n);
  row.ordered = n == -1 ? 1 : n;
  n = 0;
  rs.GetInt("Cortar", n);
  row.cut = n;
  rs.Close();
  return row;
}

std::optional<db::Filter> ParseFixedFilter(std::string_view text) {
  // Conditions "COL = 'V'" or "COL <> 'V'" joined by AND.
  std::optional<db::Filter> out;
  std::size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && text[i] == ' ') ++i;
  };
  while (true) {
    skip();
    std::size_t s = i;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
    const std::string col(text.substr(s, i - s));
    skip();
    bool ne = false;
    if (text.substr(i, 2) == "<>") {
      ne = true;
      i += 2;
    } else if (i < text.size() && text[i] == '=') {
      ++i;
    } else {
      return std::nullopt;
    }
    skip();
    if (i >= text.size() || text[i] != '\'') return std::nullopt;
    const std::size_t close = text.find('\'', i + 1);
    if (close == std::string_view::npos || !db::IsIdentifier(col)) return std::nullopt;
    const std::string value(text.substr(i + 1, close - i - 1));
    i = close + 1;
    db::Filter f = ne ? db::Filter::Ne(col, value) : db::Filter::Eq(col, value);
    out = out ? (*out && f) : f;
    skip();
    if (i >= text.size()) return out;
    if (Upper(std::string(text.substr(i, 3))) != "AND") return std::nullopt;
    i += 3;
  }
}

}  // namespace ui

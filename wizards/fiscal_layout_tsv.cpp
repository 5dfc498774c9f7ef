#include "wizards/fiscal_layout_tsv.h"

#include <charconv>
#include <string>
#include <vector>

namespace fiscal {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::vector<std::string> Cells(std::string_view line) {
  std::vector<std::string> cells(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') cells.emplace_back();
    else if (c == '\\' && i + 1 < line.size()) {
      const char e = line[++i];
      cells.back().push_back(e == 't' ? '\t' : e == 'n' ? '\n' : e);
    } else if (c != '\r') cells.back().push_back(c);
  }
  return cells;
}

// Each data row as (column name -> value).
template <class F>
void ForEachRow(std::string_view text, F&& f) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    std::vector<std::string> cells = Cells(line);
    if (names.empty()) {
      for (const std::string& n : cells) names.push_back(Lower(n));
      continue;
    }
    auto get = [&](std::string_view column) -> std::string {
      for (std::size_t i = 0; i < names.size() && i < cells.size(); ++i)
        if (names[i] == column) return cells[i];
      return {};
    };
    f(get);
  }
}

int Int(const std::string& s) {
  int v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

}  // namespace

Layout LayoutFromTsv(std::string_view lists, std::string_view fields) {
  Layout layout;
  ForEachRow(lists, [&](auto get) {
    layout.AddList({get("clavedf"), Int(get("orden")), get("titulo"), Lower(get("ventana")), Int(get("trasladable")) != 0});
  });
  ForEachRow(fields, [&](auto get) {
    FieldLayout f;
    f.order = Int(get("orden"));
    f.name = get("nombre");
    const std::string type = get("tipo");
    f.type = type.empty() ? ' ' : type[0];
    if (f.type >= 'a' && f.type <= 'z') f.type = static_cast<char>(f.type - 'a' + 'A');
    f.length = Int(get("longitud"));
    f.decimals = Int(get("decimales"));
    f.inFile = Int(get("enfichero")) != 0;
    f.transferable = Int(get("trasladable")) != 0;
    f.accumulable = Int(get("acumulable")) != 0;
    layout.AddField(get("clavedf"), std::move(f));
  });
  return layout;
}

}  // namespace fiscal

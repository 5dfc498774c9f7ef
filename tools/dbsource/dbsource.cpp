#include "tools/dbsource/dbsource.h"

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string_view>

namespace db {

namespace fs = std::filesystem;

bool ParseTsvLine(const std::string& line, std::vector<std::string>& values, std::vector<bool>& isNull,
                  std::string* error) {
  values.assign(1, std::string());
  isNull.assign(1, false);
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\t') {
      values.emplace_back();
      isNull.push_back(false);
      continue;
    }
    if (c != '\\') {
      values.back() += c;
      continue;
    }
    if (i + 1 >= line.size()) {
      if (error) *error = "backslash at the end of a line";
      return false;
    }
    char e = line[++i];
    switch (e) {
      case 't': values.back() += '\t'; break;
      case 'n': values.back() += '\n'; break;
      case '\\': values.back() += '\\'; break;
      case 'N':
        if (!values.back().empty()) {
          if (error) *error = "\\N inside a value";
          return false;
        }
        isNull.back() = true;
        break;
      default:
        if (error) *error = std::string("unknown escape \\") + e;
        return false;
    }
  }
  return true;
}

namespace {

// A schema file named with one of these marks stands for one table per interface language.
struct LanguageMark {
  const char* mark;
  const char* letters;
};
constexpr LanguageMark kLanguageMarks[] = {{"{L}", "ECGV"}, {"{l}", "ecgv"}};

bool ReadFile(const fs::path& p, std::string& out) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

bool LoadRows(sqlite3* db, const std::string& table, const fs::path& tsv, std::string* error) {
  std::ifstream in(tsv, std::ios::binary);
  if (!in) {
    *error = "cannot read " + tsv.string();
    return false;
  }
  std::string line;
  std::vector<std::string> header, values;
  std::vector<bool> nulls;
  auto where = [&](int n) { return tsv.string() + ":" + std::to_string(n) + ": "; };
  if (!std::getline(in, line)) return true;  // an empty file: no rows
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string e;
  if (!ParseTsvLine(line, header, nulls, &e)) {
    *error = where(1) + e;
    return false;
  }
  std::string sql = "INSERT INTO \"" + table + "\" (";
  for (std::size_t i = 0; i < header.size(); ++i) sql += (i ? ", \"" : "\"") + header[i] + "\"";
  sql += ") VALUES (";
  for (std::size_t i = 0; i < header.size(); ++i) sql += i ? ", ?" : "?";
  sql += ")";
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    *error = where(1) + sqlite3_errmsg(db);
    return false;
  }
  int n = 1;
  bool ok = true;
  while (ok && std::getline(in, line)) {
    ++n;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() && header.size() > 1) continue;
    if (!ParseTsvLine(line, values, nulls, &e)) {
      *error = where(n) + e;
      ok = false;
      break;
    }
    if (values.size() != header.size()) {
      *error = where(n) + std::to_string(values.size()) + " values for " + std::to_string(header.size()) + " columns";
      ok = false;
      break;
    }
    sqlite3_reset(st);
    for (std::size_t i = 0; i < values.size(); ++i) {
      int at = static_cast<int>(i + 1);
      if (nulls[i]) sqlite3_bind_null(st, at);
      else sqlite3_bind_text(st, at, values[i].data(), static_cast<int>(values[i].size()), SQLITE_TRANSIENT);
    }
    if (sqlite3_step(st) != SQLITE_DONE) {
      *error = where(n) + sqlite3_errmsg(db);
      ok = false;
    }
  }
  sqlite3_finalize(st);
  return ok;
}

// One table's schema: the concrete stem it was read or expanded as, and its statement.
struct Schema {
  std::string table;
  fs::path source;
  std::string sql;
};

// Replaces every occurrence of `from` in `text` with `to`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The schemas of a source folder, language templates expanded, ordered by table name.
bool ReadSchemas(const std::vector<fs::path>& files, std::vector<Schema>& out, std::string* error) {
  for (const auto& path : files) {
    std::string sql;
    if (!ReadFile(path, sql)) {
      *error = "cannot read " + path.string();
      return false;
    }
    const std::string stem = path.stem().string();
    bool expanded = false;
    for (const auto& [mark, letters] : kLanguageMarks) {
      if (stem.find(mark) == std::string::npos) continue;
      for (char letter : std::string_view(letters)) {
        const std::string l(1, letter);
        out.push_back({ReplaceAll(stem, mark, l), path, ReplaceAll(sql, mark, l)});
      }
      expanded = true;
      break;
    }
    if (!expanded) out.push_back({stem, path, sql});
  }
  // In the order of the file names the tables would have on their own, so that a template builds
  // the same database as its four copies did.
  std::sort(out.begin(), out.end(),
            [](const Schema& a, const Schema& b) { return a.table + ".sql" < b.table + ".sql"; });
  for (std::size_t i = 1; i < out.size(); ++i)
    if (out[i].table == out[i - 1].table) {
      *error = out[i].source.string() + ": table " + out[i].table + " is also defined by " + out[i - 1].source.string();
      return false;
    }
  return true;
}

}  // namespace

bool BuildDatabaseFromSources(const fs::path& sourceDir, const fs::path& output, std::string* error,
                              const std::vector<fs::path>& rowDirs) {
  std::string ignored;
  if (!error) error = &ignored;
  std::vector<fs::path> schemas, rows;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(sourceDir, ec)) {
    if (entry.path().extension() == ".sql") schemas.push_back(entry.path());
    else if (entry.path().extension() == ".tsv") rows.push_back(entry.path());
  }
  if (ec) {
    *error = "cannot list " + sourceDir.string() + ": " + ec.message();
    return false;
  }
  for (const auto& dir : rowDirs) {
    for (const auto& entry : fs::directory_iterator(dir, ec))
      if (entry.path().extension() == ".tsv") rows.push_back(entry.path());
    if (ec) {
      *error = "cannot list " + dir.string() + ": " + ec.message();
      return false;
    }
  }
  std::sort(rows.begin(), rows.end());
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = i + 1; j < rows.size(); ++j)
      if (rows[i].stem() == rows[j].stem()) {
        *error = rows[j].string() + ": the rows of " + rows[j].stem().string() + " are also in " + rows[i].string();
        return false;
      }
  std::vector<Schema> tables;
  if (!ReadSchemas(schemas, tables, error)) return false;
  for (const auto& tsv : rows) {
    const std::string table = tsv.stem().string();
    if (std::none_of(tables.begin(), tables.end(), [&](const Schema& t) { return t.table == table; })) {
      *error = tsv.string() + ": no schema " + table + ".sql";
      return false;
    }
  }

  fs::create_directories(output.parent_path(), ec);
  fs::path temp = output;
  temp += ".tmp";
  fs::remove(temp, ec);
  sqlite3* db = nullptr;
  bool ok = sqlite3_open_v2(temp.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
  if (!ok) *error = "cannot create " + temp.string();
  // The whole build is one transaction: fast, and nothing partial is ever committed.
  if (ok) ok = sqlite3_exec(db, "PRAGMA journal_mode=OFF; BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
  for (const auto& t : tables) {
    if (!ok) break;
    if (sqlite3_exec(db, t.sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      *error = t.source.string() + " (" + t.table + "): " + sqlite3_errmsg(db);
      ok = false;
    }
  }
  for (const auto& tsv : rows) {
    if (!ok) break;
    ok = LoadRows(db, tsv.stem().string(), tsv, error);
  }
  if (ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    *error = sqlite3_errmsg(db);
    ok = false;
  }
  sqlite3_close(db);
  if (ok) {
    fs::rename(temp, output, ec);
    if (ec) {
      *error = "cannot rename to " + output.string() + ": " + ec.message();
      ok = false;
    }
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace db

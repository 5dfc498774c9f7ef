#include "data/db/ado.h"

#include "blocks/numtext.h"
#include "data/util/text.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <type_traits>
#include <unordered_set>

namespace db {

namespace {

// ---- text folding: case-insensitive comparison of UTF-8 text, Latin-1 letters included ----

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Vowels and Ý without their accents (after upper-casing); Ñ and Ç stay letters of their own.
std::uint32_t StripAccent(std::uint32_t cp) {
  if (cp >= 0xC0 && cp <= 0xC5) return 'A';
  if (cp >= 0xC8 && cp <= 0xCB) return 'E';
  if (cp >= 0xCC && cp <= 0xCF) return 'I';
  if (cp >= 0xD2 && cp <= 0xD6) return 'O';
  if (cp >= 0xD9 && cp <= 0xDC) return 'U';
  if (cp == 0xDD) return 'Y';
  return cp;
}

// Upper case of a-z and of the accented Latin-1 letters (á -> Á, ñ -> Ñ), and with `accents`
// false also without the vowels' accents; bytes that are not valid UTF-8 pass through.
std::string Fold(const unsigned char* s, int n, bool accents = true) {
  std::string out;
  out.reserve(static_cast<std::size_t>(n));
  int i = 0;
  while (i < n) {
    unsigned char c = s[i];
    if (c < 0x80) {
      out += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      ++i;
      continue;
    }
    if ((c & 0xE0) == 0xC0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
      std::uint32_t cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
      if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) cp -= 0x20;
      AppendUtf8(out, accents ? cp : StripAccent(cp));
      i += 2;
      continue;
    }
    out += static_cast<char>(c);
    ++i;
  }
  return out;
}

int FoldCollation(void*, int n1, const void* a, int n2, const void* b) {
  std::string fa = Fold(static_cast<const unsigned char*>(a), n1);
  std::string fb = Fold(static_cast<const unsigned char*>(b), n2);
  int r = fa.compare(fb);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void FoldFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  const unsigned char* text = sqlite3_value_text(argv[0]);
  int n = sqlite3_value_bytes(argv[0]);
  std::string folded = Fold(text, n, false);
  sqlite3_result_text(ctx, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  auto trim = [](std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  };
  a = trim(a);
  b = trim(b);
  return FoldCollation(nullptr, static_cast<int>(a.size()), a.data(), static_cast<int>(b.size()), b.data()) == 0;
}

namespace {

// ---- statements ----

struct Stmt {
  sqlite3_stmt* s = nullptr;
  CAdoConnection* cached = nullptr;
  Stmt() = default;
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  ~Stmt() {
    if (cached) cached->ReleaseStatement(s);
    else sqlite3_finalize(s);
  }
};

int Prepare(sqlite3* db, const std::string& sql, Stmt& st) {
  return sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st.s, nullptr);
}

// The statements of the recordsets: their texts repeat, so they come from the connection's cache.
int Prepare(CAdoConnection& connection, const std::string& sql, Stmt& st) {
  const int rc = connection.AcquireStatement(sql, &st.s);
  if (st.s) st.cached = &connection;
  return rc;
}

// Idle statements kept per connection; past it the least useful ones are simply finalized.
constexpr std::size_t kMaxIdleStatements = 256;

template <typename CellT>
int BindCell(sqlite3_stmt* s, int at, const CellT& cell) {
  return std::visit(
      [&](const auto& v) -> int {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::vector<std::uint8_t>>)
          return sqlite3_bind_blob(s, at, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        else if constexpr (std::is_same_v<T, std::int64_t>) return sqlite3_bind_int64(s, at, v);
        else if constexpr (std::is_same_v<T, double>) return sqlite3_bind_double(s, at, v);
        else if constexpr (std::is_same_v<T, std::string>)
          return sqlite3_bind_text(s, at, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        else return sqlite3_bind_null(s, at);
      },
      cell);
}

using qxtext::Trim;
using qxtext::SameName;

std::vector<std::string> SplitCommas(std::string_view s) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = s.find(',', start);
    parts.push_back(Trim(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

// "[name]" -> "name".
std::string StripBrackets(std::string_view s) {
  if (s.size() >= 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
  return std::string(s);
}

bool IsTextType(FieldType t) { return t == FieldType::VarWChar || t == FieldType::LongVarWChar; }
bool IsNumericType(FieldType t) {
  return t == FieldType::Integer || t == FieldType::Boolean || t == FieldType::BigInt || t == FieldType::Double;
}

bool FsyncPath(const std::string& path, bool directory) {
  int fd = ::open(path.c_str(), directory ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

class StderrReporterImpl final : public ErrorReporter {
 public:
  void Report(const DbError& error) override { std::fprintf(stderr, "%s\n", error.Text().c_str()); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

FieldType FieldTypeFromDeclared(std::string_view declared) {
  std::string t;
  for (char c : declared) t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto has = [&](const char* w) { return t.find(w) != std::string::npos; };
  if (t.empty()) return FieldType::Unknown;
  if (has("BIGINT")) return FieldType::BigInt;
  if (has("BOOL") || has("YESNO") || t == "BIT") return FieldType::Boolean;
  if (has("INT")) return FieldType::Integer;
  if (has("BLOB") || has("BINARY") || has("OLEOBJECT")) return FieldType::LongVarBinary;
  if (has("LONGTEXT") || has("MEMO")) return FieldType::LongVarWChar;
  if (has("CHAR") || has("TEXT") || has("CLOB")) return FieldType::VarWChar;
  if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC") || has("CURRENCY"))
    return FieldType::Double;
  return FieldType::Unknown;
}

std::string DbError::Text() const {
  std::string out = source;
  out += "\nError : ";
  out += std::to_string(number);
  out += "\nDescripcion: ";
  out += description;
  return out;
}

ErrorReporter& StderrReporter() {
  static StderrReporterImpl reporter;
  return reporter;
}

bool IsIdentifier(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

std::string QuoteIdentifier(std::string_view name) {
  if (!IsIdentifier(name)) return {};
  return "\"" + std::string(name) + "\"";
}

std::string LanguageTableName(std::string_view name, std::size_t index, char letter) {
  std::string out(name);
  if (index < out.size()) out[index] = letter;
  return out;
}

std::string MessageTableName(char letter) {
  return "ERRORES" + std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

// ---- connection ------------------------------------------------------------------------------

CAdoConnection::CAdoConnection(std::string name) : name_(std::move(name)) {}

CAdoConnection::~CAdoConnection() { Close(); }

bool CAdoConnection::Open(const std::string& path, OpenMode mode) {
  Close();
  int flags = SQLITE_OPEN_FULLMUTEX;
  switch (mode) {
    case OpenMode::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
    case OpenMode::ReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
    case OpenMode::Create: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
  }
  path_ = path;
  mode_ = mode;
  sqlite3* handle = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, 2000);
    // Reading the header proves that the file is a database.
    rc = sqlite3_exec(handle, "PRAGMA schema_version", nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) {
    Reporter().Report({name_.empty() ? path : name_, -static_cast<long>(handle ? sqlite3_extended_errcode(handle) : rc),
                       path + ": " + (handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc))});
    sqlite3_close(handle);
    return false;
  }
  sqlite3_create_collation(handle, "QXNOCASE", SQLITE_UTF8, nullptr, FoldCollation);
  sqlite3_create_function(handle, "qx_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FoldFunction,
                          nullptr, nullptr);
  db_ = handle;
  return true;
}

bool CAdoConnection::ReadOnly() const {
  if (!db_) return false;
  if (sqlite3_db_readonly(db_, "main") == 1) return true;
  // A write also needs its journal beside the file.
  const std::filesystem::path folder = std::filesystem::absolute(path_).parent_path();
  return ::access(folder.c_str(), W_OK) != 0;
}

void CAdoConnection::Close() {
  ++writes_;
  derived_.clear();
  if (!db_) return;
  FinalizeCachedStatements();
  int rc = sqlite3_close(db_);
  if (rc != SQLITE_OK) {
    ReportEngineError(rc, "Cerrar");
    sqlite3_close_v2(db_);
  }
  db_ = nullptr;
}

int CAdoConnection::AcquireStatement(const std::string& sql, sqlite3_stmt** statement) {
  *statement = nullptr;
  if (!db_) return SQLITE_MISUSE;
  if (auto it = idleStatements_.find(sql); it != idleStatements_.end() && !it->second.empty()) {
    *statement = it->second.back();
    it->second.pop_back();
    --idleCount_;
    return SQLITE_OK;
  }
  return sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, statement,
                            nullptr);
}

void CAdoConnection::ReleaseStatement(sqlite3_stmt* statement) {
  if (!statement) return;
  // A statement of a connection since closed or reopened is not kept.
  if (!db_ || sqlite3_db_handle(statement) != db_ || idleCount_ >= kMaxIdleStatements) {
    sqlite3_finalize(statement);
    return;
  }
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  idleStatements_[sqlite3_sql(statement)].push_back(statement);
  ++idleCount_;
}

std::shared_ptr<void>& CAdoConnection::DerivedData(const std::string& key) {
  Stamp now{db_, writes_, -1, -1};
  if (db_) {
    now.changes = sqlite3_total_changes64(db_);
    // Commits of other connections, this process's or another's.
    Stmt st;
    if (Prepare(*this, "PRAGMA data_version", st) == SQLITE_OK && sqlite3_step(st.s) == SQLITE_ROW)
      now.dataVersion = sqlite3_column_int64(st.s, 0);
  }
  if (!(now == derivedStamp_) || now.dataVersion < 0) {
    derived_.clear();
    derivedStamp_ = now;
  }
  return derived_[key];
}

void CAdoConnection::FinalizeCachedStatements() {
  for (auto& [sql, statements] : idleStatements_)
    for (sqlite3_stmt* st : statements) sqlite3_finalize(st);
  idleStatements_.clear();
  idleCount_ = 0;
}

DbError CAdoConnection::ReportEngineError(int rc, std::string_view context) {
  DbError e;
  e.source = name_.empty() ? path_ : name_;
  int code = db_ ? sqlite3_extended_errcode(db_) : rc;
  if (code == SQLITE_OK) code = rc;
  e.number = -static_cast<long>(code == 0 ? 1 : code);
  std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  e.description = context.empty() ? msg : std::string(context) + ": " + msg;
  Reporter().Report(e);
  return e;
}

DbError CAdoConnection::ReportOwnError(long number, const std::string& description) {
  DbError e{name_.empty() ? path_ : name_, number, description};
  Reporter().Report(e);
  return e;
}

bool CAdoConnection::Execute(const std::string& sql) {
  if (!db_) {
    ReportOwnError(1, "Base de datos cerrada");
    return false;
  }
  ++writes_;
  int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    ReportEngineError(rc);
    return false;
  }
  return true;
}

std::string CAdoConnection::CompactCopyPath(const std::string& databasePath) {
  return (std::filesystem::path(databasePath).parent_path() / "cmpctd.db").string();
}

bool CAdoConnection::Compact() {
  namespace fs = std::filesystem;
  if (!db_) {
    ReportOwnError(1, "Base de datos cerrada");
    return false;
  }
  const std::string copy = CompactCopyPath(path_);
  std::error_code ec;
  // A copy left by an earlier attempt is not ours to remove: the compaction does not start.
  if (fs::exists(copy, ec)) {
    ReportOwnError(2, "Ya existe " + copy);
    return false;
  }
  {
    Stmt st;
    int rc = Prepare(db_, "VACUUM INTO ?", st);
    if (rc == SQLITE_OK) rc = sqlite3_bind_text(st.s, 1, copy.c_str(), -1, SQLITE_TRANSIENT);
    if (rc == SQLITE_OK) rc = sqlite3_step(st.s);
    if (rc != SQLITE_DONE) {
      ReportEngineError(rc, "Compactar");
      fs::remove(copy, ec);
      return false;
    }
  }
  if (compactHook_) compactHook_(copy);

  // The copy replaces the original only when it reads back whole and reaches the disk.
  bool good = false;
  {
    sqlite3* check = nullptr;
    if (sqlite3_open_v2(copy.c_str(), &check, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      Stmt st;
      if (Prepare(check, "PRAGMA integrity_check", st) == SQLITE_OK && sqlite3_step(st.s) == SQLITE_ROW) {
        const char* r = reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0));
        good = r && std::strcmp(r, "ok") == 0;
      }
    }
    sqlite3_close_v2(check);
  }
  if (good) good = FsyncPath(copy, false);
  if (!good) {
    fs::remove(copy, ec);
    ReportOwnError(3, "La copia compactada no es válida; la base de datos no se ha modificado");
    return false;
  }

  const std::string path = path_;
  const OpenMode mode = mode_;
  Close();
  if (std::rename(copy.c_str(), path.c_str()) != 0) {
    int err = errno;
    fs::remove(copy, ec);
    bool reopened = Open(path, mode);
    ReportOwnError(4, "No se puede reemplazar " + path + ": " + std::strerror(err));
    (void)reopened;
    return false;
  }
  FsyncPath(fs::path(path).parent_path().string(), true);
  return Open(path, mode);
}

bool CAdoConnection::FileMatchesPageCount() {
  if (!db_) return true;
  std::int64_t pageSize = 0, pageCount = 0;
  for (auto [pragma, out] : {std::pair{"PRAGMA page_size", &pageSize}, std::pair{"PRAGMA page_count", &pageCount}}) {
    Stmt st;
    if (Prepare(db_, pragma, st) != SQLITE_OK || sqlite3_step(st.s) != SQLITE_ROW) return true;
    *out = sqlite3_column_int64(st.s, 0);
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(path_, ec);
  if (ec) return true;
  return size == static_cast<std::uintmax_t>(pageSize * pageCount);
}

// ---- transaction -----------------------------------------------------------------------------

Transaction::Transaction(CAdoConnection& connection) : connection_(connection) {
  static unsigned counter = 0;
  name_ = "qx_sp_" + std::to_string(++counter);
  active_ = connection_.Execute("SAVEPOINT " + name_);
}

Transaction::~Transaction() { Rollback(); }

bool Transaction::Commit() {
  if (!active_) return false;
  if (StillOpen() && connection_.Execute("RELEASE " + name_)) {
    active_ = false;
    return true;
  }
  Rollback();
  return false;
}

bool Transaction::StillOpen() const {
  // Some errors (a full disk, an I/O error) make the engine roll the whole transaction back
  // itself, savepoints and all: there is then nothing left to release or to roll back.
  return connection_.IsOpen() && !sqlite3_get_autocommit(connection_.Handle());
}

void Transaction::Rollback() {
  if (!active_) return;
  active_ = false;
  if (!StillOpen()) return;  // closing the connection, or the engine, has taken the changes back
  connection_.Execute("ROLLBACK TO " + name_);
  connection_.Execute("RELEASE " + name_);
}

// ---- filter ----------------------------------------------------------------------------------

Filter Filter::Leaf(Op op, std::string column, Value value) {
  Filter f;
  f.op_ = op;
  f.column_ = StripBrackets(column);
  f.value_ = std::move(value);
  return f;
}

Filter Filter::Join(Op op, const Filter& other) const {
  if (Empty()) return other;
  if (other.Empty()) return *this;
  Filter f;
  f.op_ = op;
  f.children_ = {*this, other};
  return f;
}

Filter Filter::Like(std::string column, std::string_view pattern) {
  std::string sql;
  for (char c : pattern) {
    switch (c) {
      case '*': sql += '%'; break;
      case '?': sql += '_'; break;
      case '%': case '_': case '\\': sql += '\\'; sql += c; break;
      default: sql += c;
    }
  }
  return Leaf(Op::Like, std::move(column), std::move(sql));
}

Filter Filter::StartsWith(std::string column, std::string_view prefix) {
  std::string sql;
  for (char c : prefix) {
    if (c == '%' || c == '_' || c == '\\') sql += '\\';
    sql += c;
  }
  sql += '%';
  return Leaf(Op::Like, std::move(column), std::move(sql));
}

std::optional<std::string> Filter::Sql(std::vector<Value>& binds) const {
  if (op_ == Op::True) return std::string("1");
  if (op_ == Op::And || op_ == Op::Or) {
    auto a = children_[0].Sql(binds);
    auto b = children_[1].Sql(binds);
    if (!a || !b) return std::nullopt;
    return "(" + *a + (op_ == Op::And ? " AND " : " OR ") + *b + ")";
  }
  std::string col = QuoteIdentifier(column_);
  if (col.empty()) return std::nullopt;
  const bool text = std::holds_alternative<std::string>(value_);
  const bool null = std::holds_alternative<std::monostate>(value_);
  switch (op_) {
    case Op::IsNull: return col + " IS NULL";
    case Op::Like:
      binds.push_back(value_);
      return "qx_fold(" + col + ") LIKE qx_fold(?) ESCAPE '\\'";
    case Op::Eq:
    case Op::Ne: {
      std::string s;
      if (null) s = col + " IS NULL";
      else if (text) { binds.push_back(value_); s = "rtrim(" + col + ") = rtrim(?) COLLATE QXNOCASE"; }
      else { binds.push_back(value_); s = col + " = ?"; }
      return op_ == Op::Eq ? s : "NOT (" + s + ")";
    }
    default: break;
  }
  const char* sym = op_ == Op::Lt ? "<" : op_ == Op::Le ? "<=" : op_ == Op::Gt ? ">" : ">=";
  binds.push_back(value_);
  return col + " " + sym + " ?" + (text ? " COLLATE QXNOCASE" : "");
}

// ---- recordset -------------------------------------------------------------------------------

CAdoRecordset::CAdoRecordset() = default;

CAdoRecordset::~CAdoRecordset() {
  if (open_) FlushEdits();
}

void CAdoRecordset::Fail(long number, const std::string& description) {
  if (connection_) connection_->ReportOwnError(number, (table_.empty() ? "" : table_ + ": ") + description);
  else StderrReporter().Report({"", number, description});
}

DbError CAdoRecordset::EngineFail(int rc, std::string_view context) {
  return connection_->ReportEngineError(rc, context);
}

void CAdoRecordset::WriteFailed(const DbError& error) {
  if (error.Serious()) connection_->Reporter().SeriousWriteFailure();
}

bool CAdoRecordset::Open(std::string_view table, CAdoConnection* connection, const Filter& filter,
                         std::string_view sort, std::string_view fields) {
  if (open_) Close();
  connection_ = connection;
  table_ = std::string(table);
  columns_.clear();
  keys_.clear();
  deleted_.clear();
  edits_.clear();
  pending_.reset();
  rowLoaded_ = false;
  pos_ = 0;
  if (!connection || !connection->IsOpen()) {
    Fail(1, "Base de datos cerrada");
    return false;
  }
  const std::string qtable = QuoteIdentifier(table_);
  if (qtable.empty()) {
    Fail(5, "Nombre de tabla no válido");
    return false;
  }
  sqlite3* db = connection->Handle();
  std::vector<Column> all;
  {
    Stmt st;
    int rc = Prepare(db, "PRAGMA table_info(" + qtable + ")", st);
    if (rc != SQLITE_OK) {
      EngineFail(rc, table_);
      return false;
    }
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
      Column c;
      c.name = reinterpret_cast<const char*>(sqlite3_column_text(st.s, 1));
      const unsigned char* decl = sqlite3_column_text(st.s, 2);
      c.type = FieldTypeFromDeclared(decl ? reinterpret_cast<const char*>(decl) : "");
      all.push_back(std::move(c));
    }
    if (rc != SQLITE_DONE) {
      EngineFail(rc, table_);
      return false;
    }
  }
  if (all.empty()) {
    Fail(6, "No existe la tabla");
    return false;
  }
  const std::string f = Trim(fields);
  if (f.empty() || f == "*") {
    columns_ = all;
  } else {
    for (const std::string& name : SplitCommas(f)) {
      std::string n = StripBrackets(name);
      auto it = std::find_if(all.begin(), all.end(), [&](const Column& c) { return SameName(c.name, n); });
      if (it == all.end()) {
        Fail(7, "Columna desconocida: " + n);
        columns_.clear();
        return false;
      }
      columns_.push_back(*it);
    }
  }

  std::string order;
  if (!Trim(sort).empty()) {
    for (const std::string& term : SplitCommas(sort)) {
      std::string name = term, dir;
      std::size_t blank = term.find_first_of(" \t");
      if (blank != std::string::npos) {
        name = term.substr(0, blank);
        dir = Trim(term.substr(blank));
      }
      std::string q = QuoteIdentifier(StripBrackets(name));
      if (q.empty() || !(dir.empty() || SameName(dir, "ASC") || SameName(dir, "DESC"))) {
        Fail(8, "Orden no válido: " + term);
        columns_.clear();
        return false;
      }
      order += q + " COLLATE QXNOCASE" + (SameName(dir, "DESC") ? " DESC" : " ASC") + ", ";
    }
  }
  order += "rowid";

  std::vector<Value> binds;
  auto where = filter.Sql(binds);
  if (!where) {
    Fail(9, "Filtro no válido");
    columns_.clear();
    return false;
  }
  Stmt st;
  int rc = Prepare(*connection, "SELECT rowid FROM " + qtable + " WHERE " + *where + " ORDER BY " + order, st);
  for (std::size_t i = 0; rc == SQLITE_OK && i < binds.size(); ++i) rc = BindCell(st.s, static_cast<int>(i + 1), binds[i]);
  if (rc == SQLITE_OK) {
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) keys_.push_back(sqlite3_column_int64(st.s, 0));
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK) {
    EngineFail(rc, table_);
    keys_.clear();
    columns_.clear();
    return false;
  }
  deleted_.assign(keys_.size(), false);
  open_ = true;
  pos_ = 0;
  return !keys_.empty();
}

void CAdoRecordset::Close() {
  if (!open_) return;
  FlushEdits();
  open_ = false;
  keys_.clear();
  deleted_.clear();
  row_.clear();
  rowLoaded_ = false;
  pending_.reset();
}

bool CAdoRecordset::HasCurrent() const {
  return open_ && pos_ >= 0 && pos_ < static_cast<long>(keys_.size());
}

bool CAdoRecordset::IsNotAtEnd() const { return HasCurrent(); }
bool CAdoRecordset::IsEOF() const { return !open_ || pos_ >= static_cast<long>(keys_.size()); }
bool CAdoRecordset::IsBOF() const { return !open_ || pos_ < 0 || GetRecordCount() == 0; }

int CAdoRecordset::GetRecordCount() const {
  if (!open_) return 0;
  return static_cast<int>(std::count(deleted_.begin(), deleted_.end(), false));
}

int CAdoRecordset::AbsolutePosition() const {
  if (!HasCurrent()) return -1;
  return static_cast<int>(std::count(deleted_.begin(), deleted_.begin() + pos_, false)) + 1;
}

bool CAdoRecordset::MoveFirst() {
  if (!open_) return false;
  FlushEdits();
  for (long i = 0; i < static_cast<long>(keys_.size()); ++i)
    if (!deleted_[i]) {
      pos_ = i;
      rowLoaded_ = false;
      break;
    }
  return true;
}

bool CAdoRecordset::MoveLast() {
  if (!open_) return false;
  FlushEdits();
  for (long i = static_cast<long>(keys_.size()) - 1; i >= 0; --i)
    if (!deleted_[i]) {
      pos_ = i;
      rowLoaded_ = false;
      break;
    }
  return true;
}

bool CAdoRecordset::MoveNext() {
  const long n = static_cast<long>(keys_.size());
  if (!open_ || pos_ >= n) return false;
  FlushEdits();
  do ++pos_;
  while (pos_ < n && deleted_[pos_]);
  rowLoaded_ = false;
  return pos_ < n;
}

bool CAdoRecordset::MovePrevious() {
  if (!open_ || pos_ < 0) return false;
  FlushEdits();
  do --pos_;
  while (pos_ >= 0 && deleted_[pos_]);
  rowLoaded_ = false;
  return pos_ >= 0;
}

bool CAdoRecordset::Find(const Filter& criteria, bool forward, bool restart) {
  if (!open_) return false;
  FlushEdits();
  std::vector<Value> binds;
  auto where = criteria.Sql(binds);
  if (!where) {
    Fail(9, "Filtro no válido");
    return false;
  }
  std::unordered_set<std::int64_t> matches;
  {
    Stmt st;
    int rc = Prepare(*connection_, "SELECT rowid FROM " + QuoteIdentifier(table_) + " WHERE " + *where, st);
    for (std::size_t i = 0; rc == SQLITE_OK && i < binds.size(); ++i) rc = BindCell(st.s, static_cast<int>(i + 1), binds[i]);
    if (rc == SQLITE_OK) {
      while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) matches.insert(sqlite3_column_int64(st.s, 0));
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) {
      EngineFail(rc, table_);
      return false;
    }
  }
  const long n = static_cast<long>(keys_.size());
  long i = restart ? (forward ? 0 : n - 1) : pos_;
  rowLoaded_ = false;
  for (; i >= 0 && i < n; i += forward ? 1 : -1) {
    if (!deleted_[i] && matches.count(keys_[i])) {
      pos_ = i;
      return true;
    }
  }
  pos_ = forward ? n : -1;
  return false;
}

int CAdoRecordset::ColumnIndex(std::string_view column) {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (SameName(columns_[i].name, column)) return static_cast<int>(i);
  Fail(7, "Columna desconocida: " + std::string(column));
  return -1;
}

bool CAdoRecordset::LoadCurrent() {
  if (rowLoaded_) return true;
  if (!HasCurrent()) {
    Fail(10, "No hay registro actual");
    return false;
  }
  if (deleted_[pos_]) {
    Fail(11, "El registro ha sido eliminado");
    return false;
  }
  std::string sql = "SELECT ";
  for (std::size_t i = 0; i < columns_.size(); ++i) sql += (i ? ", " : "") + QuoteIdentifier(columns_[i].name);
  sql += " FROM " + QuoteIdentifier(table_) + " WHERE rowid = ?";
  Stmt st;
  int rc = Prepare(*connection_, sql, st);
  if (rc == SQLITE_OK) rc = sqlite3_bind_int64(st.s, 1, keys_[pos_]);
  if (rc == SQLITE_OK) rc = sqlite3_step(st.s);
  if (rc == SQLITE_DONE) {
    deleted_[pos_] = true;
    Fail(11, "El registro ha sido eliminado");
    return false;
  }
  if (rc != SQLITE_ROW) {
    EngineFail(rc, table_);
    return false;
  }
  row_.assign(columns_.size(), Cell{});
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    int c = static_cast<int>(i);
    switch (sqlite3_column_type(st.s, c)) {
      case SQLITE_INTEGER: row_[i] = static_cast<std::int64_t>(sqlite3_column_int64(st.s, c)); break;
      case SQLITE_FLOAT: row_[i] = sqlite3_column_double(st.s, c); break;
      case SQLITE_TEXT:
        row_[i] = std::string(reinterpret_cast<const char*>(sqlite3_column_text(st.s, c)),
                              static_cast<std::size_t>(sqlite3_column_bytes(st.s, c)));
        break;
      case SQLITE_BLOB: {
        const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(st.s, c));
        row_[i] = std::vector<std::uint8_t>(p, p + sqlite3_column_bytes(st.s, c));
        break;
      }
      default: row_[i] = std::monostate{};
    }
  }
  for (auto& [index, cell] : edits_) row_[static_cast<std::size_t>(index)] = cell;
  rowLoaded_ = true;
  return true;
}

const CAdoRecordset::Cell* CAdoRecordset::CurrentCell(std::string_view column, int* index) {
  if (!open_) return nullptr;
  int i = ColumnIndex(column);
  if (i < 0 || !LoadCurrent()) return nullptr;
  if (index) *index = i;
  return &row_[static_cast<std::size_t>(i)];
}

FieldType CAdoRecordset::GetFieldType(std::string_view column) {
  int i = ColumnIndex(column);
  return i < 0 ? FieldType::Unknown : columns_[static_cast<std::size_t>(i)].type;
}

namespace {
std::optional<double> CellNumber(const std::variant<std::monostate, std::int64_t, double, std::string,
                                                    std::vector<std::uint8_t>>& cell) {
  if (std::holds_alternative<std::monostate>(cell)) return 0.0;
  if (auto* i = std::get_if<std::int64_t>(&cell)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&cell)) return *d;
  if (auto* s = std::get_if<std::string>(&cell)) return blocks::ParseDecimal(*s);
  return std::nullopt;
}
}  // namespace

bool CAdoRecordset::GetInt(std::string_view column, std::int32_t& out) {
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return false;
  FieldType type = columns_[static_cast<std::size_t>(index)].type;
  if (!IsNumericType(type) && type != FieldType::Unknown) return false;
  if (auto* i = std::get_if<std::int64_t>(cell)) {
    out = type == FieldType::Boolean ? (*i != 0 ? 1 : 0)
                                     : static_cast<std::int32_t>(static_cast<std::uint32_t>(*i));
    return true;
  }
  auto v = CellNumber(*cell);
  if (!v) return false;
  out = type == FieldType::Boolean ? (*v != 0 ? 1 : 0) : static_cast<std::int32_t>(*v);
  return true;
}

bool CAdoRecordset::GetDouble(std::string_view column, double& out) {
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return false;
  FieldType type = columns_[static_cast<std::size_t>(index)].type;
  if (!IsNumericType(type) && type != FieldType::Unknown) return false;
  auto v = CellNumber(*cell);
  if (!v) return false;
  out = *v;
  return true;
}

bool CAdoRecordset::GetText(std::string_view column, std::string& out) {
  out.clear();
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return false;
  FieldType type = columns_[static_cast<std::size_t>(index)].type;
  if (!IsTextType(type) && type != FieldType::Unknown) return false;
  if (auto* s = std::get_if<std::string>(cell)) {
    out = *s;
    return !out.empty();
  }
  if (std::holds_alternative<std::monostate>(*cell)) return false;
  out = GetFieldText(column);
  return !out.empty();
}

bool CAdoRecordset::GetBlob(std::string_view column, std::vector<std::uint8_t>& out) {
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return false;
  if (auto* b = std::get_if<std::vector<std::uint8_t>>(cell)) {
    out = *b;
    return true;
  }
  if (auto* s = std::get_if<std::string>(cell)) {  // an empty default written as text
    out.assign(s->begin(), s->end());
    return true;
  }
  return false;
}

bool CAdoRecordset::GetBlob(std::string_view column, std::span<std::uint8_t> out) {
  std::vector<std::uint8_t> bytes;
  if (!GetBlob(column, bytes)) return false;
  if (bytes.size() > out.size()) {
    Fail(12, "El valor de " + std::string(column) + " (" + std::to_string(bytes.size()) +
                 " bytes) no cabe en " + std::to_string(out.size()) + " bytes");
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return true;
}

long CAdoRecordset::GetFieldSize(std::string_view column) {
  const Cell* cell = CurrentCell(column);
  if (!cell) return -1;
  if (auto* b = std::get_if<std::vector<std::uint8_t>>(cell)) return static_cast<long>(b->size());
  if (auto* s = std::get_if<std::string>(cell)) return static_cast<long>(s->size());
  if (std::holds_alternative<std::int64_t>(*cell)) return 4;
  if (std::holds_alternative<double>(*cell)) return 8;
  return 0;
}

std::string CAdoRecordset::GetFieldText(std::string_view column) {
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return {};
  FieldType type = columns_[static_cast<std::size_t>(index)].type;
  if (type == FieldType::Unknown) {
    if (std::holds_alternative<std::int64_t>(*cell)) type = FieldType::BigInt;
    else if (std::holds_alternative<double>(*cell)) type = FieldType::Double;
    else type = FieldType::VarWChar;
  }
  char buffer[64];
  switch (type) {
    case FieldType::Integer:
    case FieldType::BigInt: {
      std::int32_t v = 0;
      GetInt(column, v);
      std::snprintf(buffer, sizeof buffer, "%" PRId32, v);
      return buffer;
    }
    case FieldType::Boolean: {
      std::int32_t v = 0;
      GetInt(column, v);
      return v ? "-1" : "0";
    }
    case FieldType::Double: {
      double v = 0;
      GetDouble(column, v);
      return blocks::FormatFixed(v, 6);
    }
    case FieldType::VarWChar:
    case FieldType::LongVarWChar:
      if (auto* s = std::get_if<std::string>(cell)) return *s;
      if (auto* i = std::get_if<std::int64_t>(cell)) return std::to_string(*i);
      if (auto* d = std::get_if<double>(cell)) return blocks::FormatGeneral(*d);
      return {};
    default: return {};
  }
}

namespace {
// A text given for a numeric column, as the original provider converted "%d" and "%f" texts.
std::optional<Value> NumberFromText(FieldType type, std::string_view text) {
  std::string t = Trim(text);
  if (t.empty()) return Value{};
  char* end = nullptr;
  if (type != FieldType::Double) {
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (end && *end == '\0') return Value{static_cast<std::int64_t>(v)};
  }
  for (char& c : t)
    if (c == ',') c = '.';
  std::size_t used = 0;
  double d = blocks::ParseDecimal(t, &used);
  if (used == t.size()) {
    if (type == FieldType::Double) return Value{d};
    return Value{static_cast<std::int64_t>(d)};
  }
  return std::nullopt;
}
}  // namespace

bool CAdoRecordset::SetCell(std::string_view column, Cell value, bool update) {
  if (!open_) return false;
  int i = ColumnIndex(column);
  if (i < 0 || !LoadCurrent()) return false;
  auto it = std::find_if(edits_.begin(), edits_.end(), [&](const auto& e) { return e.first == i; });
  if (it != edits_.end()) it->second = value;
  else edits_.emplace_back(i, value);
  row_[static_cast<std::size_t>(i)] = std::move(value);
  return update ? FlushEdits() : true;
}

bool CAdoRecordset::FlushEdits() {
  if (edits_.empty()) return true;
  if (!HasCurrent() || deleted_[pos_]) {
    edits_.clear();
    return false;
  }
  std::string sql = "UPDATE " + QuoteIdentifier(table_) + " SET ";
  for (std::size_t k = 0; k < edits_.size(); ++k)
    sql += (k ? ", " : "") + QuoteIdentifier(columns_[static_cast<std::size_t>(edits_[k].first)].name) + " = ?";
  sql += " WHERE rowid = ?";
  Stmt st;
  int rc = Prepare(*connection_, sql, st);
  for (std::size_t k = 0; rc == SQLITE_OK && k < edits_.size(); ++k)
    rc = BindCell(st.s, static_cast<int>(k + 1), edits_[k].second);
  if (rc == SQLITE_OK) rc = sqlite3_bind_int64(st.s, static_cast<int>(edits_.size() + 1), keys_[pos_]);
  if (rc == SQLITE_OK) rc = sqlite3_step(st.s);
  edits_.clear();
  if (rc != SQLITE_DONE) {
    rowLoaded_ = false;  // the stored row is what counts now
    WriteFailed(EngineFail(rc, table_));
    return false;
  }
  return true;
}

bool CAdoRecordset::Update() { return FlushEdits(); }

bool CAdoRecordset::SetInt(std::string_view column, std::int32_t value, bool update) {
  FieldType type = GetFieldType(column);
  if (type == FieldType::Double) return SetCell(column, static_cast<double>(value), update);
  if (type == FieldType::Boolean) return SetCell(column, std::int64_t{value != 0 ? 1 : 0}, update);
  if (!IsNumericType(type) && type != FieldType::Unknown) return false;
  return SetCell(column, std::int64_t{value}, update);
}

bool CAdoRecordset::SetDouble(std::string_view column, double value, bool update) {
  FieldType type = GetFieldType(column);
  if (!IsNumericType(type) && type != FieldType::Unknown) return false;
  if (type != FieldType::Double && type != FieldType::Unknown)
    return SetCell(column, static_cast<std::int64_t>(value), update);
  return SetCell(column, value, update);
}

bool CAdoRecordset::SetText(std::string_view column, std::string_view utf8, bool update) {
  FieldType type = GetFieldType(column);
  if (type == FieldType::VarWChar || type == FieldType::Unknown) return SetCell(column, std::string(utf8), update);
  if (IsNumericType(type)) {
    auto v = NumberFromText(type, utf8);
    if (!v) {
      Fail(13, "Valor no numérico para " + std::string(column));
      return false;
    }
    Cell c;
    if (auto* i = std::get_if<std::int64_t>(&*v)) c = *i;
    else if (auto* d = std::get_if<double>(&*v)) c = *d;
    return SetCell(column, c, update);
  }
  return false;  // long texts and binaries are not written as text
}

bool CAdoRecordset::SetBlob(std::string_view column, std::span<const std::uint8_t> bytes, bool update) {
  int index = 0;
  const Cell* cell = CurrentCell(column, &index);
  if (!cell) return false;
  if (columns_[static_cast<std::size_t>(index)].type != FieldType::LongVarBinary) return false;
  std::size_t stored = 0;
  if (auto* b = std::get_if<std::vector<std::uint8_t>>(cell)) stored = b->size();
  std::size_t n = stored ? stored : bytes.size();
  if (bytes.size() < n) {
    Fail(14, "El bloque de " + std::string(column) + " tiene " + std::to_string(bytes.size()) +
                 " bytes; se esperaban " + std::to_string(n));
    return false;
  }
  return SetCell(column, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), update);
}

bool CAdoRecordset::DeleteCurrent() {
  if (!open_) return false;
  if (!HasCurrent() || deleted_[pos_]) {
    Fail(10, "No hay registro actual");
    return false;
  }
  edits_.clear();
  Stmt st;
  int rc = Prepare(*connection_, "DELETE FROM " + QuoteIdentifier(table_) + " WHERE rowid = ?", st);
  if (rc == SQLITE_OK) rc = sqlite3_bind_int64(st.s, 1, keys_[pos_]);
  if (rc == SQLITE_OK) rc = sqlite3_step(st.s);
  if (rc != SQLITE_DONE) {
    WriteFailed(EngineFail(rc, table_));
    return false;
  }
  deleted_[pos_] = true;
  rowLoaded_ = false;
  return true;
}

bool CAdoRecordset::PrepareNewRow() {
  pending_.reset();
  if (!open_) return false;
  std::vector<std::pair<int, Cell>> row;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    Cell c;
    switch (columns_[i].type) {
      case FieldType::LongVarBinary: c = std::vector<std::uint8_t>(defaultBlockBytes_, 0); break;
      case FieldType::VarWChar:
      case FieldType::LongVarWChar:
      case FieldType::Unknown: c = std::string(); break;
      default: c = std::monostate{};
    }
    row.emplace_back(static_cast<int>(i), std::move(c));
  }
  pending_ = std::move(row);
  return true;
}

bool CAdoRecordset::AddPendingValue(std::string_view column, std::string_view utf8) {
  if (!pending_) return false;
  int i = ColumnIndex(column);
  if (i < 0) return false;
  FieldType type = columns_[static_cast<std::size_t>(i)].type;
  Cell c = std::string(utf8);
  if (IsNumericType(type)) {
    auto v = NumberFromText(type, utf8);
    if (!v) {
      Fail(13, "Valor no numérico para " + std::string(column));
      return false;
    }
    if (auto* n = std::get_if<std::int64_t>(&*v)) c = *n;
    else if (auto* d = std::get_if<double>(&*v)) c = *d;
    else c = std::monostate{};
  } else if (type == FieldType::LongVarBinary) {
    c = std::vector<std::uint8_t>(utf8.begin(), utf8.end());
  }
  (*pending_)[static_cast<std::size_t>(i)].second = std::move(c);
  return true;
}

bool CAdoRecordset::AddPendingInt(std::string_view column, std::int64_t value) {
  if (!pending_) return false;
  int i = ColumnIndex(column);
  if (i < 0) return false;
  FieldType type = columns_[static_cast<std::size_t>(i)].type;
  (*pending_)[static_cast<std::size_t>(i)].second =
      type == FieldType::Double ? Cell{static_cast<double>(value)} : Cell{value};
  return true;
}

bool CAdoRecordset::AddPendingBlob(std::string_view column, std::span<const std::uint8_t> bytes) {
  if (!pending_) return false;
  int i = ColumnIndex(column);
  if (i < 0) return false;
  (*pending_)[static_cast<std::size_t>(i)].second = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  return true;
}

bool CAdoRecordset::AppendPendingRow() {
  if (!open_ || !pending_) return false;
  FlushEdits();
  auto row = std::move(*pending_);
  pending_.reset();
  std::string sql = "INSERT INTO " + QuoteIdentifier(table_) + " (";
  std::string values;
  for (std::size_t k = 0; k < row.size(); ++k) {
    sql += (k ? ", " : "") + QuoteIdentifier(columns_[static_cast<std::size_t>(row[k].first)].name);
    values += k ? ", ?" : "?";
  }
  sql += ") VALUES (" + values + ")";
  Stmt st;
  int rc = Prepare(*connection_, sql, st);
  for (std::size_t k = 0; rc == SQLITE_OK && k < row.size(); ++k)
    rc = BindCell(st.s, static_cast<int>(k + 1), row[k].second);
  if (rc == SQLITE_OK) rc = sqlite3_step(st.s);
  if (rc != SQLITE_DONE) {
    EngineFail(rc, table_);
    return false;
  }
  keys_.push_back(sqlite3_last_insert_rowid(connection_->Handle()));
  deleted_.push_back(false);
  pos_ = static_cast<long>(keys_.size()) - 1;
  rowLoaded_ = false;
  return true;
}

}  // namespace db

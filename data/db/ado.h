// Connections and recordsets over SQLite with the shape the declaration store, the page tables
// and the lookup lists use: open a table with a filter and a sort, walk its rows, read and write
// typed fields, find forward or backward, delete, and add rows in two steps.
//
// Filters are built from conditions (column, operator, value); every value is a bound
// parameter, so a key holding an apostrophe or a percent sign is stored and found as typed.
// Database errors go to an ErrorReporter and make the operation fail; nothing here ends the
// program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// Column kinds by the type codes of the original provider, derived from the declared type of
// each column (INTEGER, DOUBLE, BOOLEAN, BIGINT, TEXT/VARCHAR, LONGTEXT, BLOB).
enum class FieldType {
  Unknown = 0,
  Integer = 3,
  Double = 5,
  Boolean = 11,
  BigInt = 20,
  VarWChar = 202,
  LongVarWChar = 203,
  LongVarBinary = 205,
};
FieldType FieldTypeFromDeclared(std::string_view declared);

// One error of a failed operation. Engine errors carry a negative number (serious); errors
// found by this layer itself (unknown column, short buffer ...) a positive one.
struct DbError {
  std::string source;
  long number = 0;
  std::string description;
  bool Serious() const { return number < 0; }
  // "%s\nError : %ld\nDescripcion: %s"
  std::string Text() const;
};

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // One call per error, in order; the user interface shows each in its own message box.
  virtual void Report(const DbError& error) = 0;
  // A serious error while writing or deleting a row. The store's transaction has taken the
  // half-written change back; the open declaration keeps its edits for another try.
  virtual void SeriousWriteFailure() {}
};

// Writes every report to standard error; the default until the user interface sets its own.
ErrorReporter& StderrReporter();

enum class OpenMode { ReadWrite, ReadOnly, Create };

class CAdoConnection {
 public:
  // `name` is the source shown in error reports (for example "DatRed").
  explicit CAdoConnection(std::string name = {});
  virtual ~CAdoConnection();
  CAdoConnection(const CAdoConnection&) = delete;
  CAdoConnection& operator=(const CAdoConnection&) = delete;

  bool Open(const std::string& path, OpenMode mode = OpenMode::ReadWrite);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  // Open, but the engine can only read it (the file or its folder is write-protected).
  bool ReadOnly() const;
  const std::string& Path() const { return path_; }
  const std::string& Name() const { return name_; }
  sqlite3* Handle() const { return db_; }

  void SetReporter(ErrorReporter* reporter) { reporter_ = reporter; }
  ErrorReporter& Reporter() const { return reporter_ ? *reporter_ : StderrReporter(); }

  // Statements written by the program itself (schemas, pragmas); never user text.
  bool Execute(const std::string& sql);

  // Rewrites the open database into "cmpctd.db" in its folder, checks the copy and puts it in
  // place of the original with one atomic rename, then reopens it. On any failure the
  // original stays in place and open, and the copy is removed.
  bool Compact();
  static std::string CompactCopyPath(const std::string& databasePath);
  // Test seam: runs after the copy is written and before it is checked and renamed.
  void SetCompactHook(void (*hook)(const std::string& copyPath)) { compactHook_ = hook; }

  // Whether the file holds every page its header counts (page_size * page_count bytes): a
  // file cut short reads zeros in place of what it lost. True when the size cannot be known.
  bool FileMatchesPageCount();

  // Reports the engine's current error for `rc`; returns the error reported.
  DbError ReportEngineError(int rc, std::string_view context = {});
  DbError ReportOwnError(long number, const std::string& description);

  // A prepared statement of `sql`, from the connection's cache when one is idle: the same few
  // queries (a row by its key, a page's boxes) run thousands of times, and preparing costs
  // more than running them. Give it back with ReleaseStatement, which resets it and drops its
  // bindings. SQLITE_OK or the engine's code; null on failure.
  int AcquireStatement(const std::string& sql, sqlite3_stmt** statement);
  void ReleaseStatement(sqlite3_stmt* statement);

  // What the program derives from the tables and reads over and over (a page's box definitions,
  // a filing layout), kept under `key`. Every slot is emptied once a write through this
  // connection or another one, or a reopening, may have changed the tables.
  std::shared_ptr<void>& DerivedData(const std::string& key);
  // Counts the writes through this connection that the engine does not count (statements run
  // by Execute); the recordsets' own writes are counted by the engine.
  void NoteWrite() { ++writes_; }

 private:
  void FinalizeCachedStatements();

  std::string name_;
  std::string path_;
  OpenMode mode_ = OpenMode::ReadWrite;
  sqlite3* db_ = nullptr;
  ErrorReporter* reporter_ = nullptr;
  void (*compactHook_)(const std::string&) = nullptr;
  std::unordered_map<std::string, std::vector<sqlite3_stmt*>> idleStatements_;
  std::size_t idleCount_ = 0;
  std::unordered_map<std::string, std::shared_ptr<void>> derived_;
  struct Stamp {
    sqlite3* handle = nullptr;
    std::uint64_t writes = 0;
    std::int64_t changes = -1;
    std::int64_t dataVersion = -1;
    bool operator==(const Stamp&) const = default;
  } derivedStamp_;
  std::uint64_t writes_ = 0;
};

// All or nothing over one connection: rolled back unless committed. Nests (savepoints).
class Transaction {
 public:
  explicit Transaction(CAdoConnection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool Active() const { return active_; }
  bool Commit();
  void Rollback();

 private:
  bool StillOpen() const;
  CAdoConnection& connection_;
  std::string name_;
  bool active_ = false;
};

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

// Whether two texts are equal as a text condition of Filter::Eq compares them: without their
// trailing blanks and without regard to case.
bool SameText(std::string_view a, std::string_view b);

// A row condition. Text comparisons ignore case (including accented Latin letters) and
// trailing blanks, as keys padded to their column width compare equal to the typed name.
class Filter {
 public:
  enum class Op { Eq, Ne, Lt, Le, Gt, Ge, Like, IsNull, And, Or, True };

  Filter() = default;  // every row
  static Filter Eq(std::string column, Value value) { return Leaf(Op::Eq, std::move(column), std::move(value)); }
  static Filter Ne(std::string column, Value value) { return Leaf(Op::Ne, std::move(column), std::move(value)); }
  static Filter Lt(std::string column, Value value) { return Leaf(Op::Lt, std::move(column), std::move(value)); }
  static Filter Le(std::string column, Value value) { return Leaf(Op::Le, std::move(column), std::move(value)); }
  static Filter Gt(std::string column, Value value) { return Leaf(Op::Gt, std::move(column), std::move(value)); }
  static Filter Ge(std::string column, Value value) { return Leaf(Op::Ge, std::move(column), std::move(value)); }
  static Filter IsNull(std::string column) { return Leaf(Op::IsNull, std::move(column), {}); }
  // A pattern in the original syntax: "*" any run of characters, "?" one character; every
  // other character, "%" and "_" included, stands for itself. Case and the accents of vowels
  // are ignored ("ALAVA" is like "Álava").
  static Filter Like(std::string column, std::string_view pattern);
  // Rows whose text begins with `prefix` taken literally ("DESCRIPC like '<name>*'").
  static Filter StartsWith(std::string column, std::string_view prefix);

  Filter operator&&(const Filter& other) const { return Join(Op::And, other); }
  Filter operator||(const Filter& other) const { return Join(Op::Or, other); }

  bool Empty() const { return op_ == Op::True; }
  // SQL text with "?" placeholders, values appended to `binds`; empty on an invalid column name.
  std::optional<std::string> Sql(std::vector<Value>& binds) const;

 private:
  static Filter Leaf(Op op, std::string column, Value value);
  Filter Join(Op op, const Filter& other) const;

  Op op_ = Op::True;
  std::string column_;
  Value value_;
  std::vector<Filter> children_;
};

// True for a plain identifier: letters, digits and "_", not starting with a digit.
bool IsIdentifier(std::string_view name);
// "name" quoted for SQL, or empty when it is not a plain identifier.
std::string QuoteIdentifier(std::string_view name);
// Name with its character at `index` (0-based) replaced by `letter`: "Paginasx" -> "Paginase".
std::string LanguageTableName(std::string_view name, std::size_t index, char letter);
// Message table of a language: "ERRORES" plus the upper-case letter.
std::string MessageTableName(char letter);

// Block sizes of a new row's long-binary default.
inline constexpr std::size_t kForm100BlockBytes = 95208;
inline constexpr std::size_t kForm714BlockBytes = 22024;

class CAdoRecordset {
 public:
  CAdoRecordset();
  virtual ~CAdoRecordset();
  CAdoRecordset(const CAdoRecordset&) = delete;
  CAdoRecordset& operator=(const CAdoRecordset&) = delete;

  // TRUE when the query holds rows, FALSE when it is open and empty or when it failed (the
  // error is reported; IsOpen tells the two apart). `sort` is "COL [ASC|DESC], ..." (brackets
  // around a name allowed); `fields` is "*" or a comma-separated list of columns.
  bool Open(std::string_view table, CAdoConnection* connection, const Filter& filter = {},
            std::string_view sort = {}, std::string_view fields = "*");
  void Close();
  bool IsOpen() const { return open_; }

  bool MoveFirst();
  bool MoveNext();
  bool MovePrevious();
  bool MoveLast();
  bool IsNotAtEnd() const;
  bool IsEOF() const;
  bool IsBOF() const;
  int GetRecordCount() const;
  // 1-based position of the current row, or -1 when none is current.
  int AbsolutePosition() const;

  // From the current row (or from the first / last row with `restart`) in the direction given;
  // TRUE when a matching row became current, else the recordset is past its end (or before its
  // beginning when searching backward).
  bool Find(const Filter& criteria, bool forward = true, bool restart = false);

  FieldType GetFieldType(std::string_view column);
  // Integer, boolean (1/0) and big-integer (low 32 bits) columns; null reads as 0.
  bool GetInt(std::string_view column, std::int32_t& out);
  // Double columns; null reads as 0.0.
  bool GetDouble(std::string_view column, double& out);
  // Text columns (UTF-8): FALSE and an empty text when the value is empty or null.
  bool GetText(std::string_view column, std::string& out);
  // Long-binary columns: the whole value. FALSE when null; TRUE and empty when empty.
  bool GetBlob(std::string_view column, std::vector<std::uint8_t>& out);
  // The same into a caller's block; FALSE (reported) when the stored value does not fit.
  bool GetBlob(std::string_view column, std::span<std::uint8_t> out);
  // Size in bytes of the current row's value (UTF-8 bytes for texts); -1 on failure.
  long GetFieldSize(std::string_view column);
  // "%d", "%f", "-1"/"0" for booleans, the text itself; empty for binaries and on failure.
  std::string GetFieldText(std::string_view column);

  // Writes go to the current row and are saved by Update (or with `update`, at once). A
  // long-binary write takes exactly as many bytes as the stored value already has (the whole
  // given block when the stored value is empty) and fails when the given block is shorter.
  // Long texts are never written (FALSE).
  bool SetInt(std::string_view column, std::int32_t value, bool update = true);
  bool SetDouble(std::string_view column, double value, bool update = true);
  bool SetText(std::string_view column, std::string_view utf8, bool update = true);
  bool SetBlob(std::string_view column, std::span<const std::uint8_t> bytes, bool update = true);
  bool Update();
  bool DeleteCurrent();

  // New rows: PrepareNewRow gives every column its default (a zeroed block for long binaries,
  // empty text for texts, null for numbers); the pairs given replace the columns they name;
  // AppendPendingRow inserts the row, which becomes current.
  void SetDefaultBlockSize(std::size_t bytes) { defaultBlockBytes_ = bytes; }
  bool PrepareNewRow();
  bool AddPendingValue(std::string_view column, std::string_view utf8);
  bool AddPendingInt(std::string_view column, std::int64_t value);
  bool AddPendingBlob(std::string_view column, std::span<const std::uint8_t> bytes);
  bool AppendPendingRow();

 private:
  struct Column {
    std::string name;
    FieldType type = FieldType::Unknown;
  };
  using Cell = std::variant<std::monostate, std::int64_t, double, std::string, std::vector<std::uint8_t>>;

  int ColumnIndex(std::string_view column);
  bool LoadCurrent();
  const Cell* CurrentCell(std::string_view column, int* index = nullptr);
  bool HasCurrent() const;
  bool SetCell(std::string_view column, Cell value, bool update);
  bool FlushEdits();
  void Fail(long number, const std::string& description);
  DbError EngineFail(int rc, std::string_view context);
  void WriteFailed(const DbError& error);

  CAdoConnection* connection_ = nullptr;
  bool open_ = false;
  std::string table_;
  std::vector<Column> columns_;
  std::vector<std::int64_t> keys_;
  std::vector<bool> deleted_;
  long pos_ = 0;  // -1 before the first row, keys_.size() past the last
  bool rowLoaded_ = false;
  std::vector<Cell> row_;
  std::vector<std::pair<int, Cell>> edits_;
  std::size_t defaultBlockBytes_ = kForm100BlockBytes;
  std::optional<std::vector<std::pair<int, Cell>>> pending_;
};

}  // namespace db

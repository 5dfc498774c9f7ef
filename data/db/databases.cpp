#include "data/db/databases.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace db {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string XdgDir(const char* variable, const char* fallback) {
  std::string base;
  if (const char* v = std::getenv(variable); v && *v) base = v;
  else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/" + fallback;
  else base = fs::temp_directory_path().string();
  std::string dir = WithSlash(base) + "quildexan/";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir;
}

// Numbers are INTEGER; the key is compared case-insensitively.
constexpr const char* kDeclarationsSchema = R"sql(
CREATE TABLE IF NOT EXISTS DATOSDEC (
  CLAVE VARCHAR(50) NOT NULL COLLATE NOCASE,
  TIPODEC INTEGER,
  MODALIDAD VARCHAR(1),
  DATOS BLOB
);
CREATE INDEX IF NOT EXISTS DATOSDEC_CLAVE ON DATOSDEC (CLAVE);
CREATE TABLE IF NOT EXISTS DATOSFISC (
  CLAVE VARCHAR(50) NOT NULL COLLATE NOCASE,
  SUJETODECLA INTEGER,
  TAMANOFICHEROSI INTEGER,
  TAMANOFICHERONO INTEGER,
  FICHEROSI BLOB,
  FICHERONO BLOB
);
CREATE INDEX IF NOT EXISTS DATOSFISC_CLAVE ON DATOSFISC (CLAVE);
CREATE TABLE IF NOT EXISTS CORREGIX (
  CLAVE VARCHAR(50) NOT NULL COLLATE NOCASE,
  CODERROR VARCHAR(7),
  TIPDECLA INTEGER,
  VISTA INTEGER,
  SEVERIDAD INTEGER,
  NUMCONTR INTEGER,
  SUJETODECL INTEGER
);
CREATE INDEX IF NOT EXISTS CORREGIX_CLAVE ON CORREGIX (CLAVE);
CREATE TABLE IF NOT EXISTS CONTADORES (
  MODELO INTEGER,
  IMPRESOS INTEGER,
  INTERNET INTEGER,
  INMEDIATA INTEGER
);
)sql";

}  // namespace

std::string ShippedDataDir() {
  if (const char* v = std::getenv("QX_RESOURCES_DIR"); v && *v) return WithSlash(v);
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "resources/";
  // A build runs beside <build>/resources; an installed copy reads <prefix>/share/quildexan.
  const fs::path prefix = exe.parent_path().parent_path();
  const fs::path built = (prefix / "resources").lexically_normal();
  const fs::path installed = (prefix / "share" / "quildexan").lexically_normal();
  return WithSlash((!fs::is_directory(built, ec) && fs::is_directory(installed, ec) ? installed : built).string());
}

std::string UserDataDir() { return XdgDir("XDG_DATA_HOME", ".local/share"); }
std::string UserConfigDir() { return XdgDir("XDG_CONFIG_HOME", ".config"); }

bool LooksLikeDeclarationsStore(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec) || !fs::is_regular_file(path, ec)) return true;  // the opening says why
  if (fs::file_size(path, ec) == 0 || ec) return false;
  char header[16] = {};
  {
    std::ifstream in(path, std::ios::binary);
    if (!in.read(header, sizeof header)) return false;
  }
  if (std::string_view(header, sizeof header) != std::string_view("SQLite format 3\0", 16)) return false;
  // Read only: looking must not change the file.
  // A file that cannot be looked into now (busy, unreadable) is left to the opening and its
  // own messages.
  sqlite3* db = nullptr;
  bool ours = true;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(
        db, "SELECT COUNT(*), SUM(type = 'table' AND name = 'DATOSDEC' COLLATE NOCASE) FROM sqlite_master", -1, &st,
        nullptr);
    if (rc == SQLITE_NOTADB) ours = false;
    else if (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      ours = sqlite3_column_int(st, 0) == 0 || sqlite3_column_int(st, 1) > 0;
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return ours;
}

bool CreateDeclarationsSchema(CAdoConnection& connection) {
  Transaction t(connection);
  return t.Active() && connection.Execute(kDeclarationsSchema) && t.Commit();
}

AppDatabases::AppDatabases() : declarations_("DatRed"), local_("DatLocal"), modules_("MODULO03") {}

void AppDatabases::SetReporter(ErrorReporter* reporter) {
  declarations_.SetReporter(reporter);
  local_.SetReporter(reporter);
  modules_.SetReporter(reporter);
}

OpenFailure AppDatabases::Open(const std::string& declarationsDir, const std::string& localDir,
                               bool createDeclarations) {
  std::error_code ec;
  if (createDeclarations && !declarationsDir.empty()) fs::create_directories(declarationsDir, ec);
  // An empty file would open as a new, empty store and be written into; another program's file
  // would take our tables beside its own.
  if (!LooksLikeDeclarationsStore(declarationsDir + kDeclarationsFile)) return OpenFailure::NotAStore;
  if (!declarations_.Open(declarationsDir + kDeclarationsFile, createDeclarations ? OpenMode::Create : OpenMode::ReadWrite) ||
      !CreateDeclarationsSchema(declarations_)) {
    declarations_.Close();
    return OpenFailure::Declarations;
  }
  if (!local_.Open(localDir + kLocalFile, OpenMode::ReadOnly)) return OpenFailure::Local;
  if (!modules_.Open(localDir + kModulesFile, OpenMode::ReadOnly)) return OpenFailure::Modules;
  return OpenFailure::None;
}

void AppDatabases::Close() {
  local_.Close();
  modules_.Close();
  declarations_.Close();
}

}  // namespace db

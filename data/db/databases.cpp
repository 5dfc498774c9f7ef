#include "data/db/databases.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
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

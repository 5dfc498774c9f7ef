// The declarations store over rows as any program may have left them in DatRed.db (keys of any
// bytes and length, any form number and modality, blocks of any size, fiscal rows of any sizes):
// listing, loading, copying, renaming, the transfer file and remote mode's local copies must
// neither read outside what a row holds nor lose a row they did not mean to touch.
#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/store/store.h"

namespace {

struct Quiet : db::ErrorReporter {
  void Report(const db::DbError&) override {}
};

std::string& Folder() {
  static std::string folder;
  return folder;
}

// A row written straight into the table, past every rule of the store.
void AddRaw(db::CAdoConnection& c, const std::string& key, std::int64_t kind, const std::string& modality,
            const std::vector<std::uint8_t>& block) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(c.Handle(), "INSERT INTO DATOSDEC (CLAVE, TIPODEC, MODALIDAD, DATOS) VALUES (?, ?, ?, ?)", -1,
                         &st, nullptr) != SQLITE_OK)
    std::abort();
  sqlite3_bind_blob(st, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);  // text of any bytes
  sqlite3_bind_int64(st, 2, kind);
  sqlite3_bind_text(st, 3, modality.data(), static_cast<int>(modality.size()), SQLITE_TRANSIENT);
  sqlite3_bind_blob(st, 4, block.data(), static_cast<int>(block.size()), SQLITE_TRANSIENT);
  sqlite3_step(st);
  sqlite3_finalize(st);
}

void AddFiscalRaw(db::CAdoConnection& c, const std::string& key, std::int64_t member, std::int64_t sizeYes,
                  std::int64_t sizeNo, const std::vector<std::uint8_t>& yes, const std::vector<std::uint8_t>& no) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(c.Handle(),
                         "INSERT INTO DATOSFISC (CLAVE, SUJETODECLA, TAMANOFICHEROSI, TAMANOFICHERONO, FICHEROSI, "
                         "FICHERONO) VALUES (?, ?, ?, ?, ?, ?)",
                         -1, &st, nullptr) != SQLITE_OK)
    std::abort();
  sqlite3_bind_text(st, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(st, 2, member);
  sqlite3_bind_int64(st, 3, sizeYes);
  sqlite3_bind_int64(st, 4, sizeNo);
  sqlite3_bind_blob(st, 5, yes.data(), static_cast<int>(yes.size()), SQLITE_TRANSIENT);
  sqlite3_bind_blob(st, 6, no.data(), static_cast<int>(no.size()), SQLITE_TRANSIENT);
  sqlite3_step(st);
  sqlite3_finalize(st);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/qx-store-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  Folder() = std::string(pattern) + "/";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  FuzzedDataProvider in(data, size);
  const std::string dir = Folder();
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) fs::remove_all(e.path(), ec);
  Quiet quiet;
  db::CAdoConnection conn("DatRed");
  conn.SetReporter(&quiet);
  if (!conn.Open(dir + db::kDeclarationsFile, db::OpenMode::Create) || !db::CreateDeclarationsSchema(conn)) std::abort();
  conn.Execute("PRAGMA synchronous = OFF");  // nothing here needs to outlive the run

  std::vector<std::string> keys;
  const int rows = in.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < rows; ++i) {
    std::string key = in.ConsumeRandomLengthString(70);
    const std::int64_t kind = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int64_t>(1, 3) : in.ConsumeIntegral<std::int64_t>();
    const std::string modality = in.ConsumeRandomLengthString(3);
    // Mostly blocks of the forms' sizes, sometimes cut or grown.
    std::size_t bytes = in.ConsumeIntegralInRange<std::size_t>(0, 4);
    bytes = bytes == 0 ? in.ConsumeIntegralInRange<std::size_t>(0, 512) : bytes == 1 ? db::kForm714BlockBytes : db::kForm100BlockBytes;
    std::vector<std::uint8_t> block = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 256));
    block.resize(bytes, static_cast<std::uint8_t>(i));
    AddRaw(conn, key, kind, modality, block);
    const int fiscal = in.ConsumeIntegralInRange(0, 5);
    for (int f = 0; f < fiscal; ++f) {
      const auto yes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 64));
      const auto no = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 64));
      AddFiscalRaw(conn, key, in.ConsumeIntegral<std::int64_t>(), in.ConsumeIntegralInRange<std::int64_t>(-8, 4096),
                   in.ConsumeIntegralInRange<std::int64_t>(-8, 4096), yes, no);
    }
    keys.push_back(std::move(key));
  }

  store::DeclarationStore st(conn);
  const std::vector<store::IndexRow> listed = st.List();
  (void)st.Count();
  std::vector<std::string> listedKeys;
  for (const store::IndexRow& r : listed) {
    (void)st.Exists(r.key);
    if (auto d = st.Load(r.key)) {
      // A row read whole: a block at most what the row held.
      if (d->fiscal.size() > 64) std::abort();
    }
    listedKeys.push_back(store::TrimKey(r.key));
  }
  // The transfer file and remote mode's local copies, then a fresh store loading them back.
  (void)st.Export(dir + "traspaso.dec", listedKeys, false);
  (void)st.ReadTransfer(dir + "traspaso.dec");
  const int before = st.Count();
  (void)st.ExportLocalCopies(dir);
  {
    db::CAdoConnection other("otra");
    other.SetReporter(&quiet);
    if (!other.Open(dir + "otra.db", db::OpenMode::Create) || !db::CreateDeclarationsSchema(other)) std::abort();
    other.Execute("PRAGMA synchronous = OFF");
    store::DeclarationStore fresh(other);
    (void)fresh.LoadLocalCopies(dir);
    if (fresh.Count() > store::kMaxDeclarations) std::abort();
  }
  if (st.Count() != before) std::abort();  // exporting changes nothing
  // The operations of the index on the first listed row.
  if (!listedKeys.empty()) {
    const std::string k = listedKeys.front();
    if (auto copy = st.Duplicate(k)) (void)st.Load(*copy);
    const std::string renamed = in.ConsumeRandomLengthString(60);
    (void)st.Rename(k, renamed, false);
    (void)st.Delete(renamed, false);
  }
  conn.Close();
  return 0;
}

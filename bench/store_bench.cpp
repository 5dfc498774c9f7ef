// The declarations store with fifty declarations on a temporary database: opening one, listing
// all, and opening one as a form-100 document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"

namespace {

// A fresh declarations database holding fifty declarations, alternating the two forms.
class FiftyDeclarations {
 public:
  FiftyDeclarations() {
    std::random_device r;
    dir_ = std::filesystem::temp_directory_path() / ("qx_bench_" + std::to_string(r()) + std::to_string(r()));
    std::filesystem::create_directories(dir_);
    if (!conn.Open((dir_ / db::kDeclarationsFile).string(), db::OpenMode::Create) ||
        !db::CreateDeclarationsSchema(conn))
      return;
    std::vector<std::uint8_t> block(store::kForm100Bytes);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);
    for (int i = 0; i < 50; ++i) {
      std::string key = std::string("D").append(std::to_string(i));
      int kind = i % 2 ? store::kKindForm714 : store::kKindForm100;
      if (!store.Create(key, kind)) return;
      if (kind == store::kKindForm100 && !store.WriteRow(key, kind, 'I', block)) return;
    }
    ready_ = true;
  }
  ~FiftyDeclarations() {
    conn.Close();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  bool Ready(benchmark::State& state) {
    if (!ready_) state.SkipWithError("could not build the declarations database");
    return ready_;
  }

  db::CAdoConnection conn{"DatRed"};
  store::DeclarationStore store{conn};

 private:
  std::filesystem::path dir_;
  bool ready_ = false;
};

void BM_StoreOpenOneOfFifty(benchmark::State& state) {
  FiftyDeclarations f;
  if (!f.Ready(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(f.store.Load("D24"));
}
BENCHMARK(BM_StoreOpenOneOfFifty)->Unit(benchmark::kMillisecond);

void BM_StoreListFifty(benchmark::State& state) {
  FiftyDeclarations f;
  if (!f.Ready(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(f.store.List());
}
BENCHMARK(BM_StoreListFifty)->Unit(benchmark::kMillisecond);

void BM_DocumentOpenOneOfFifty(benchmark::State& state) {
  FiftyDeclarations f;
  if (!f.Ready(state)) return;
  doc::DocumentHost host;
  for (auto _ : state) {
    doc::CRentaDoc d(f.store, host);
    if (!d.OpenDeclaration("D36", false)) {
      state.SkipWithError("the declaration did not open");
      break;
    }
  }
}
BENCHMARK(BM_DocumentOpenOneOfFifty)->Unit(benchmark::kMillisecond);

}  // namespace

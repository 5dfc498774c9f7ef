// Reading a "datos fiscales" file of a household with the usual kinds of income.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "wizards/fiscal_file.h"
#include "wizards/fiscal_layout_tsv.h"

namespace {

std::string Slurp(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const fiscal::Layout& ShippedLayout() {
  static const fiscal::Layout layout =
      fiscal::LayoutFromTsv(Slurp(QX_SOURCE_DIR "/resources/db/DatLocal/DFLISTASE.tsv"),
                            Slurp(QX_SOURCE_DIR "/resources/db/DatLocal/DFCAMPOSE.tsv"));
  return layout;
}

void BM_ReadFiscalFile(benchmark::State& state) {
  const std::string bytes = Slurp(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df");
  const fiscal::Layout& layout = ShippedLayout();
  for (auto _ : state) {
    fiscal::FiscalFile f = fiscal::ReadFiscalFile(bytes, layout);
    if (!f.ok()) state.SkipWithError("sample refused");
    benchmark::DoNotOptimize(f.records.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadFiscalFile);

}  // namespace

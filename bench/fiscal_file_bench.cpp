// Reading a "datos fiscales" file of a household with the usual kinds of income.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "blocks/form100.h"
#include "data/calc/form100_calculation.h"
#include "wizards/fiscal_file.h"
#include "wizards/fiscal_layout_tsv.h"
#include "wizards/fiscal_transfer.h"

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

// A typical import as the program runs it without its windows: the file read, one page's amounts
// per record key, the transfer written into a new declaration and the declaration calculated.
void BM_ImportFiscalFile(benchmark::State& state) {
  const std::string bytes = Slurp(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df");
  const fiscal::Layout& layout = ShippedLayout();
  fiscal::ImportSession session;
  for (auto _ : state) {
    fiscal::FiscalFile f = fiscal::ReadFiscalFile(bytes, layout);
    fiscal::FiscalTransfer t;
    int slot = 0;
    for (const fiscal::Run& run : f.runs) {
      if (++slot >= fiscal::kPageSlots) break;
      fiscal::PageAmounts& page = t.pages[static_cast<std::size_t>(slot)];
      t.pageKeys[static_cast<std::size_t>(slot)] = run.key;
      for (std::size_t k = 0; k < 14; ++k) page.Add(k, 100.0 + static_cast<double>(k));
      page.hasData = true;
    }
    std::vector<std::uint8_t> block(f100::kBlockSize, 0);
    fiscal::WriteFiscalData(t, session, block);
    Form100CalcContext ctx;
    ctx.shownMember = f100::kDeclarant;
    benchmark::DoNotOptimize(CalculateForm100(block.data(), ctx));
  }
}
BENCHMARK(BM_ImportFiscalFile);

}  // namespace

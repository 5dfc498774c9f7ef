// The "datos fiscales" reader on arbitrary bytes, over the shipped Castellano layout: it must never
// read outside the input, a refused file keeps nothing, and what it accepts is cut exactly as laid
// out (the fields put back together give the line again).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "wizards/fiscal_file.h"
#include "wizards/fiscal_format.h"
#include "wizards/fiscal_layout_tsv.h"

namespace {

std::string Slurp(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const fiscal::Layout& ShippedLayout() {
  static const fiscal::Layout layout = fiscal::LayoutFromTsv(Slurp(QX_ROOT "/resources/db/DatLocal/DFLISTASE.tsv"),
                                                             Slurp(QX_ROOT "/resources/db/DatLocal/DFCAMPOSE.tsv"));
  return layout;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fiscal::Layout& layout = ShippedLayout();
  if (layout.Lists().empty()) std::abort();  // the layout sources were not found
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int last = 0;
  fiscal::ReadOptions options;
  options.progress = [&last](int p) {
    if (p < last || p > 100) std::abort();
    last = p;
  };
  const fiscal::FiscalFile f = fiscal::ReadFiscalFile(bytes, layout, options);
  if (!f.ok()) {
    if (!f.records.empty() || !f.runs.empty() || fiscal::MessageId(f.status) == 0) std::abort();
    return 0;
  }
  // Every record stands in exactly one run of its own kind (a kind that comes back later in the
  // file joins its first run, so a run's records need not be contiguous).
  std::size_t covered = 0;
  std::vector<bool> seen(f.records.size(), false);
  for (const fiscal::Run& run : f.runs)
    for (std::size_t i : run.records) {
      if (i >= f.records.size() || seen[i] || f.records[i].key != run.key) std::abort();
      seen[i] = true;
      ++covered;
    }
  if (covered != f.records.size() || f.runs.size() > options.maxRuns) std::abort();
  for (const fiscal::Record& r : f.records) {
    if (!fiscal::ValidateLine(r.line, layout)) std::abort();
    const auto& fields = *layout.Fields(r.key);
    std::string again = r.line.substr(0, 1);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      again += r.values[i];
      if (fields[i].type == 'N') (void)fiscal::FileNumberValue(r.values[i], fields[i].length, fields[i].decimals);
      if (fields[i].type == 'D') (void)fiscal::FormatFileDate(r.values[i]);
    }
    if (again != r.line) std::abort();
  }
  (void)fiscal::FormatWithThousands(bytes.substr(0, 64));
  return 0;
}

// Seed pictures for the page-picture fuzzer: every shipped page description drawn in its four
// languages, as the build draws them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/pagebuild/page_source.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;  // <page sources> <seed folder>
  namespace fs = std::filesystem;
  for (const auto& f : fs::directory_iterator(argv[1])) {
    if (f.path().extension() != ".page") continue;
    pages::Page page;
    std::string error;
    if (!pages::ReadPageFile(f.path(), page, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    for (int l = 0; l < pages::kLanguageCount; ++l) {
      auto bytes = pages::DrawPage(page, l);
      std::ofstream out(fs::path(argv[2]) / (page.name + "_" + pages::kLanguages[static_cast<std::size_t>(l)] + ".wmf"),
                        std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out) return 1;
    }
  }
  return 0;
}

// qx_pagebuild <page sources> <rows folder> <pictures folder>: turns the page descriptions into the
// rows of the page and box-definition tables (text tables for the database builder) and into the
// page pictures, one per page and language.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "tools/pagebuild/page_source.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <page sources> <rows folder> <pictures folder>\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(argv[1], ec))
    if (e.path().extension() == ".page") files.push_back(e.path());
  if (ec) {
    std::fprintf(stderr, "qx_pagebuild: cannot list %s\n", argv[1]);
    return 1;
  }
  std::vector<pages::Page> list;
  std::set<int> codes;
  for (const auto& f : files) {
    pages::Page p;
    std::string error;
    if (!pages::ReadPageFile(f, p, &error)) {
      std::fprintf(stderr, "qx_pagebuild: %s\n", error.c_str());
      return 1;
    }
    if (f.stem().string() != p.name || !codes.insert(p.code).second) {
      std::fprintf(stderr, "qx_pagebuild: %s: the file is named after its page, and each code is used once\n",
                   f.string().c_str());
      return 1;
    }
    list.push_back(std::move(p));
  }
  std::sort(list.begin(), list.end(), [](const pages::Page& a, const pages::Page& b) { return a.code < b.code; });
  std::string error;
  if (!pages::WriteOutputs(list, argv[2], argv[3], &error)) {
    std::fprintf(stderr, "qx_pagebuild: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

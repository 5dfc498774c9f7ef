// qx_dbbuild <source folder> <output database> [<rows folder> ...]: builds a shipped database from
// its text sources, with generated rows from further folders.
#include <cstdio>

#include "tools/dbsource/dbsource.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <source folder> <output database> [<rows folder> ...]\n", argv[0]);
    return 2;
  }
  std::string error;
  std::vector<std::filesystem::path> rowDirs(argv + 3, argv + argc);
  if (!db::BuildDatabaseFromSources(argv[1], argv[2], &error, rowDirs)) {
    std::fprintf(stderr, "qx_dbbuild: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

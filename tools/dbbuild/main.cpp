// qx_dbbuild <source folder> <output database>: builds a shipped database from its text sources.
#include <cstdio>

#include "data/db/dbsource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source folder> <output database>\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!db::BuildDatabaseFromSources(argv[1], argv[2], &error)) {
    std::fprintf(stderr, "qx_dbbuild: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

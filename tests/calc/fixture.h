// Whole zeroed declaration blocks for calculation tests: exports are called with pointers at the
// record offsets, exactly as the program calls them.
#pragma once

#include <vector>

#include "blocks/form100.h"
#include "blocks/form714.h"

struct Block100 {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(f100::kBlockSize, 0);
  unsigned char* operator[](const blocks::RecordDef& r) { return bytes.data() + r.offset; }
};

struct Block714 {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(f714::kBlockSize, 0);
  unsigned char* operator[](const blocks::RecordDef& r) { return bytes.data() + r.offset; }
};

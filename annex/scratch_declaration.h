// A copy of the open declaration's data for a calculation whose results a dialog shows while it is
// open: the library reads and writes the copy only, so the declaration changes through the
// opener's copy-back after OK and never through a dialog that is then cancelled.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"

namespace annex {

class ScratchDeclaration {
 public:
  // Empty when no form-100 declaration is open.
  ScratchDeclaration() {
    if (const std::uint8_t* open = doc::Form100Block()) bytes_.assign(open, open + f100::kBlockSize);
  }
  bool Valid() const { return !bytes_.empty(); }
  void* operator()(const blocks::RecordDef& r) { return f100::record(bytes_.data(), r); }
  // `at` bytes from the start of record `r`.
  std::uint8_t* At(const blocks::RecordDef& r, std::size_t at) { return f100::record(bytes_.data(), r) + at; }
  void Put(const blocks::RecordDef& r, std::size_t at, std::span<const std::uint8_t> block) {
    std::memcpy(At(r, at), block.data(), block.size());
  }
  void Take(const blocks::RecordDef& r, std::size_t at, std::span<std::uint8_t> block) {
    std::memcpy(block.data(), At(r, at), block.size());
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace annex

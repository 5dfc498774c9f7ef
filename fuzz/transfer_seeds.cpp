// Seed files for the transfer-file fuzzer: an empty copy, a form-714 entry, a form-100 entry
// with two fiscal slots, and both forms together.
#include <cstdio>
#include <string>
#include <vector>

#include "data/store/transfer_format.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string dir = std::string(argv[1]) + "/";
  using namespace store;
  TransferDeclaration f100{"PEREZ", kKindForm100, 'C', std::vector<std::uint8_t>(kForm100Bytes, 1),
                           {FiscalSlot{2, {1, 2, 3}, {}}, FiscalSlot{3, {}, {4, 5}}}};
  TransferDeclaration f714{"GÓMEZ", kKindForm714, '0', std::vector<std::uint8_t>(kForm714Bytes, 2), {}};
  const std::vector<std::pair<const char*, std::vector<TransferDeclaration>>> seeds{
      {"seed-714.ren", {f714}}, {"seed-100.ren", {f100}}, {"seed-both.ren", {f714, f100}}};
  for (const auto& [name, entries] : seeds) {
    auto bytes = EncodeTransferFile(entries);
    if (!bytes || !WriteFileAtomically(dir + name, *bytes)) return 1;
  }
  return 0;
}

// The reader of remote mode's local copies on arbitrary bytes: it must never read outside the
// input, must give only whole entries of the copy's form within the room it is given, and may
// call a copy whole only when every entry the file announces is among them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "data/store/transfer_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  for (int kind : {store::kKindForm100, store::kKindForm714})
    for (std::size_t room : {std::size_t{0}, std::size_t{1}, std::size_t{50}}) {
      store::LocalCopyContents copy = store::DecodeLocalCopy(bytes, kind, room);
      if (copy.entries.size() > room) std::abort();
      for (const store::TransferDeclaration& d : copy.entries) {
        if (d.kind != kind || d.block.size() != store::BlockBytesForKind(kind)) std::abort();
        for (const store::FiscalSlot& s : d.fiscalSlots)
          if (s.yes.size() > store::kMaxFiscalListingBytes || s.no.size() > store::kMaxFiscalListingBytes)
            std::abort();
      }
      if (!copy.whole || bytes.empty()) continue;
      // Whole: the file read all or nothing gives the very same entries.
      store::DecodeOptions options;
      options.maxEntries = room;
      store::TransferFileContents all = store::DecodeTransferFile(bytes, options);
      if (!all.ok() || all.entries != copy.entries) std::abort();
    }
  return 0;
}

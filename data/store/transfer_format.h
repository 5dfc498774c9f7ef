// Byte layout of declaration transfer files (*.ren) and of the remote mode's local copies
// (Decla.100, Decla.714): an 11-byte version text, a 5-byte entry count, then the entries, each a
// 72-byte key record, the declaration's block and, for form 100, four fiscal-data slots.
//
// Encoding and decoding are pure (bytes in, bytes out); the store moves entries between files
// and the database. The decoder trusts nothing of the file: every size is checked against what
// is left before anything is taken, so a short, long or damaged file yields an error and no
// entries at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "blocks/field.h"

namespace store {

// Header: the program's file version text, of which characters 7 to 10 name the edition's year.
inline constexpr std::string_view kTransferVersion = "1.02 (2004)";
inline constexpr std::size_t kVersionBytes = 11;
inline constexpr std::size_t kCountBytes = 5;
inline constexpr std::size_t kEntriesStart = kVersionBytes + kCountBytes;
static_assert(kTransferVersion.size() == kVersionBytes);
static_assert(kEntriesStart == 16);

inline constexpr std::size_t kForm100Bytes = 95208;
inline constexpr std::size_t kForm714Bytes = 22024;
inline constexpr int kFiscalSlots = 4;

// Kinds of the `tipodec` column.
inline constexpr int kKindForm100 = 2;
inline constexpr int kKindForm714 = 3;
// Kinds 1 and 2 travel with a form-100 block and fiscal slots, 3 with a form-714 block, any
// other with nothing after its key record.
constexpr bool CarriesForm100(int kind) { return kind == 1 || kind == 2; }
constexpr bool CarriesForm714(int kind) { return kind == 3; }

// TransferEntry: the 72-byte key record. Bytes not named are zero.
namespace entry {
inline constexpr std::size_t kSize = 72;
inline constexpr blocks::Text Key{0, 50};        // the key padded with blanks to 50 (cp1252)
inline constexpr blocks::U8 KeyTerminator{50};   // zero
inline constexpr blocks::I32 Kind{52};           // tipodec
inline constexpr blocks::U8 Modality{62};        // first character of modalidad
static_assert(Key.off + Key.width == KeyTerminator.off);
static_assert(KeyTerminator.off + 1 < Kind.off);
static_assert(Kind.off + blocks::I32::width <= Modality.off);
static_assert(Modality.off + 1 <= kSize);
}  // namespace entry

// FiscalSlot: a DATOSFISC row as doubles and raw file bytes. Subject 0 marks an empty slot.
namespace slot {
inline constexpr std::size_t kNumberBytes = 8;
inline constexpr std::size_t kEmptySize = 3 * kNumberBytes;  // subject, yes-size, no-size
}  // namespace slot

// The most bytes one listing of a fiscal slot (FICHEROSI, FICHERONO) may hold. A listing is the
// text of the fiscal-data items of one member of the household, some kilobytes; a slot larger
// than this is damage, refused before anything is allocated for it.
inline constexpr std::size_t kMaxFiscalListingBytes = 4u * 1024u * 1024u;

struct FiscalSlot {
  std::int32_t subject = 0;
  std::vector<std::uint8_t> yes;  // FICHEROSI
  std::vector<std::uint8_t> no;   // FICHERONO
  bool Empty() const { return subject == 0; }
  bool operator==(const FiscalSlot&) const = default;
};

// One declaration as it travels. The key is UTF-8 without trailing blanks; the modality is
// the first character of `modalidad` ('\0' when the column is empty).
struct TransferDeclaration {
  std::string key;
  std::int32_t kind = kKindForm100;
  char modality = 'I';
  std::vector<std::uint8_t> block;      // kForm100Bytes or kForm714Bytes (empty for other kinds)
  std::vector<FiscalSlot> fiscalSlots;        // form 100 only; at most four are written
  bool operator==(const TransferDeclaration&) const = default;
};

// Block size an entry of `kind` carries (0 for kinds that carry none).
std::size_t BlockBytesForKind(int kind);

// The 5-byte count field: digits, a zero byte, blanks. Counts beyond 9,999 do not fit.
std::optional<std::array<char, kCountBytes>> EncodeCount(std::size_t count);

// The whole file. `writeCountWhenEmpty` false leaves the count out when there is no entry
// (the local copies then hold only the 11-byte header). Fails (nullopt) when a declaration's
// block has the wrong size for its kind or the count does not fit.
std::optional<std::vector<std::uint8_t>> EncodeTransferFile(std::span<const TransferDeclaration> entries,
                                                            bool writeCountWhenEmpty = true);

enum class TransferError {
  None,
  TooShort,        // not even the version text
  WrongVersion,    // characters 7 to 10 are not "2004"
  BadCount,        // the count field is not a number
  TooManyEntries,  // more entries announced than the store may hold
  Truncated,       // the file ends inside an entry
  BadSlot,         // a fiscal slot's number is not a whole, finite, fitting value
  TrailingBytes,   // bytes left after the announced entries
  TooLarge,        // the file is larger than any store could have written
  Unreadable,      // the file cannot be opened or read
};
// The string id of the sentence for the user (0 for None), and that sentence in the interface
// language.
int TransferErrorTextId(TransferError error);
std::string TransferErrorText(TransferError error);

struct DecodeOptions {
  // Entries above this are refused (TooManyEntries) or, with `stopAtMax`, left unread.
  std::size_t maxEntries = 50;
  bool stopAtMax = false;
  // On an error, keep the entries read whole before it (they are all-or-nothing otherwise).
  bool keepWholeEntries = false;
};

struct TransferFileContents {
  TransferError error = TransferError::None;
  std::size_t announced = 0;  // the count field
  std::vector<TransferDeclaration> entries;
  bool ok() const { return error == TransferError::None; }
};

// All or nothing: on any error the result holds no entries (unless `keepWholeEntries`).
TransferFileContents DecodeTransferFile(std::span<const std::uint8_t> bytes, const DecodeOptions& options = {});

// A remote-mode local copy as the load reads it: the whole entries of the copy's form, at most
// `room` of them, whatever follows them.
struct LocalCopyContents {
  std::vector<TransferDeclaration> entries;
  // Every entry the file announces was read and is of the copy's form: nothing of the file is
  // left behind. An empty file is whole; another edition's file is not.
  bool whole = true;
};
LocalCopyContents DecodeLocalCopy(std::span<const std::uint8_t> bytes, int kind, std::size_t room);

// No transfer or local-copy file of a store of 50 declarations comes near this; larger files
// are refused before they are read.
inline constexpr std::uintmax_t kMaxTransferFileBytes = 512u * 1024u * 1024u;

// Reads a whole file (refusing one above kMaxTransferFileBytes).
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, TransferError* error = nullptr);
// Writes `bytes` to a temporary file in the same folder and renames it over `path`, so a
// reader never sees half a file and a failure leaves the previous file as it was. When `path`
// is a symbolic link, the file it leads to is written and the link stays. On failure `error`
// receives the system's error number.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, int* error = nullptr);

}  // namespace store

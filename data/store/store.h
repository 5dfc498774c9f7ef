// The declarations store: the rows of DATOSDEC (one per declaration, its block in DATOS) and
// the DATOSFISC rows that travel with a form-100 declaration, kept within the program-wide
// maximum of declarations. Every operation is one transaction: it happens whole or not at all.
//
// Keys are stored padded with blanks to 50 characters; the database compares them without
// regard to trailing blanks, so callers may pass them trimmed or padded.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/message_service.h"
#include "data/store/transfer_format.h"

namespace store {

inline constexpr int kMaxDeclarations = db::kMaxDeclarations;
inline constexpr std::size_t kKeyChars = 50;

// Message codes of the store.
namespace msg {
inline constexpr std::string_view kAskDelete = "WIN002";
inline constexpr std::string_view kNotFound = "WIN023";
inline constexpr std::string_view kNameMismatch = "WIN034";
inline constexpr std::string_view kCannotPrepare = "WIN035";
inline constexpr std::string_view kEmptyListName = "WIN036";
inline constexpr std::string_view kAskRename = "WIN037";
inline constexpr std::string_view kNoSuchName = "WIN038";
inline constexpr std::string_view kNameTaken = "WIN040";
inline constexpr std::string_view kNoName = "WIN047";
inline constexpr std::string_view kCannotDelete = "NOBORR";
// A local copy that could not be loaded whole is kept, untouched, at the path given.
inline constexpr std::string_view kLocalCopyKept = "ALM001";
// A name breaks the name rule (the name given).
inline constexpr std::string_view kBadName = "ALM002";
// Entries of a transfer file left out: names that break the rule, forms the store does not
// know (the names given).
inline constexpr std::string_view kImportBadNames = "ALM003";
inline constexpr std::string_view kImportUnknownKind = "ALM004";
// The declarations database is shorter than its pages (the path given).
inline constexpr std::string_view kDatabaseCut = "ALM005";
// A transfer file cannot be written: its folder does not exist, or it cannot be written there
// (the path given).
inline constexpr std::string_view kNoSuchFolder = "ALM006";
inline constexpr std::string_view kCannotWrite = "ALM007";
// A save found the declaration's row changed by another copy of the program since it was read:
// nothing was written, the declaration stays open with the user's edits.
inline constexpr std::string_view kChangedElsewhere = "ALM008";
}  // namespace msg

// String ids of the store's plain-box texts.
namespace text {
inline constexpr int kStoreFull = 67;         // "... que se pueden almacenar (%d)"
inline constexpr int kNoDataFile = 81;
inline constexpr int kNotTransferFile = 132;
inline constexpr int kExported = 135;
inline constexpr int kImported = 307;
inline constexpr int kDiskFull = 308;
inline constexpr int kCannotCreate = 336;
inline constexpr int kCannotDeleteRow = 201;
inline constexpr int kFileNotFound = 94035;   // a local copy that cannot be read
inline constexpr int kLoadingForm100 = 94036;
inline constexpr int kLoadingForm714 = 94037;
}  // namespace text
// kStoreFull with the maximum filled in.
std::string StoreFullText(int maximum = kMaxDeclarations);

// What the store says to the user: coded messages (their answer: 1 accepts a question) and
// plain message boxes. Either may be absent (nothing is shown; questions are then accepted).
struct StoreMessages {
  IMessageService* coded = nullptr;
  std::function<void(std::string_view text, MessageIcon icon)> plain;

  int Coded(std::string_view code, MessageIcon icon = MessageIcon::Warning, std::string_view extra = {}) const {
    return coded ? coded->ShowMessage(code, icon, extra) : 1;
  }
  void Plain(std::string_view t, MessageIcon icon = MessageIcon::Warning) const {
    if (plain) plain(t, icon);
  }
  // The text of a string id, in the interface language.
  void Plain(int textId, MessageIcon icon = MessageIcon::Warning) const;
};

// A key padded with blanks to 50 characters (characters, not bytes); longer keys stay whole.
std::string PadKey(std::string_view key);
// Without trailing blanks.
std::string TrimKey(std::string_view key);
// The first 50 characters of a text.
std::string FirstChars(std::string_view utf8, std::size_t chars = kKeyChars);
// A new name as the index takes it: first line, 50 characters, "'" replaced by "´".
std::string NewKeyFromTyped(std::string_view typed);
// "COPIA DE " and the key, cut to 50 characters.
std::string CopyName(std::string_view key);
// Whether two keys name the same declaration, as the store compares them: trailing blanks and
// case do not count.
bool SameKey(std::string_view a, std::string_view b);

// The one rule of declaration names, typed or imported: the first 50 characters, in upper
// case, without trailing blanks; every character one that transfer files and local copies can
// carry (cp1252) and none a control character.
enum class NameFault { None, Empty, ControlCharacter, NotCp1252 };
struct CheckedName {
  std::string key;  // the name as the store keeps it (trimmed; valid only without a fault)
  NameFault fault = NameFault::None;
  bool ok() const { return fault == NameFault::None; }
};
CheckedName CheckName(std::string_view name);

struct IndexRow {
  std::string key;       // as stored, with its trailing blanks
  std::int32_t kind = 0;
  std::string modality;
  bool printed = false;  // printed and not changed since (form 100: any member; form 714: the declaration)
};

// Whether a stored block of `kind` holds a print not changed since.
bool BlockPrinted(int kind, std::span<const std::uint8_t> block);

// Which forms the index lists.
struct ListFilter {
  bool renta = true;
  bool patrimonio = true;
};

// A declaration row with its block and fiscal rows.
struct StoredDeclaration {
  std::string key;  // as stored
  std::int32_t kind = 0;
  std::string modality;
  std::vector<std::uint8_t> block;
  std::vector<FiscalSlot> fiscal;  // every DATOSFISC row, in table order
};

// Reference data that neither a copy nor a new name may carry over: the print status and
// printed references of the members (form 100) or of the declaration (form 714).
void ClearReferenceData(int kind, std::span<std::uint8_t> block);

class DeclarationStore {
 public:
  DeclarationStore(db::CAdoConnection& connection, StoreMessages messages = {});

  db::CAdoConnection& Connection() { return conn_; }
  const StoreMessages& Messages() const { return messages_; }

  // Rows of DATOSDEC, whatever their form.
  int Count();
  bool Exists(std::string_view key);
  // The index: the listed forms, in table order.
  std::vector<IndexRow> List(const ListFilter& filter = {});
  // A declaration whole; nullopt when there is none with that key.
  std::optional<StoredDeclaration> Load(std::string_view key);

  // A placeholder row for a new declaration (kind 2 or 3): zeroed block, modality "0".
  // WIN047 without a name, WIN040 when the name is taken, the store-full text at `limit`
  // declarations (the import of last year's declarations passes the profile's MaxDeclar).
  bool Create(std::string_view key, int kind, int limit = kMaxDeclarations);
  // A copy named "COPIA DE <key>" without print status and references, with the fiscal rows;
  // returns the new key. Store full: the plain text; copy name taken: WIN040.
  std::optional<std::string> Duplicate(std::string_view sourceKey);
  // Asks WIN037 first (unless `ask` is false); WIN040 when the new name is taken. The fiscal
  // rows follow the declaration.
  bool Rename(std::string_view oldKey, std::string_view newName, bool ask = true);
  // Asks WIN002 first (unless `ask` is false); removes the row, its fiscal rows and its
  // corrections rows. NOBORR when the row cannot be deleted.
  bool Delete(std::string_view key, bool ask = true);
  // Save as: a new row with the given block (references cleared) and the fiscal rows of the
  // old key copied. `modalityByte` is the document's (1 joint). Store full: the plain text;
  // name taken: WIN040.
  bool SaveAs(std::string_view oldKey, std::string_view newKey, int kind, int modalityByte,
              std::span<const std::uint8_t> block);
  // Writes a declaration's row (kind, key, modality when given, block) in place. With
  // `expectedStamp` the row is written only while its stored block still has that stamp (as the
  // writer read or last wrote it); otherwise nothing is written and `*changedElsewhere` is set.
  bool WriteRow(std::string_view key, int kind, std::optional<char> modality, std::span<const std::uint8_t> block,
                std::optional<std::uint64_t> expectedStamp = std::nullopt, bool* changedElsewhere = nullptr);
  // A fingerprint of a stored block, to tell whether a row changed since it was read.
  static std::uint64_t BlockStamp(std::span<const std::uint8_t> block);
  // Removes a row that a new declaration left unsaved; string 201 when that fails.
  bool DeleteUnsaved(std::string_view key);
  // Removes the corrections rows (CORREGIX) of a declaration.
  bool DeleteCorrections(std::string_view key);
  // Rewrites the database file without its free space.
  bool Compact();

  // --- transfer files ---
  // Writes the declarations of `keys` (list order) into a transfer file. Nothing is written
  // unless every declaration could be read; the file appears whole or not at all.
  bool Export(const std::string& path, std::span<const std::string> keys, bool announceSuccess = true);
  // A transfer file read once: its entries that can be imported, the keys following the name
  // rule. Entries of an unknown form or with a name that breaks the rule are left out with a
  // message. Nullopt and a message when it is no transfer file.
  std::optional<std::vector<TransferDeclaration>> ReadTransfer(const std::string& path);
  // The keys of a transfer file (what ReadTransfer lists).
  std::optional<std::vector<std::string>> ReadIndex(const std::string& path);

  // What to do with each entry of a file, by entry index: skip, store under the entry's key
  // (creating or overwriting) or under a new name.
  struct ImportChoice {
    bool import = false;
    std::string newName;  // empty: the entry's own key
  };
  // Stores the chosen entries of the file in one transaction. An entry whose key exists is
  // replaced whole: kind, modality, block and fiscal rows. The store never goes beyond the
  // maximum: when the chosen new declarations do not fit, nothing is imported. A damaged
  // file gives its message and imports nothing.
  bool Import(const std::string& path, std::span<const ImportChoice> choices, bool announceSuccess = true);
  // The same over entries read before (ReadTransfer): what was listed is what is imported.
  bool Import(std::span<const TransferDeclaration> entries, std::span<const ImportChoice> choices,
              bool announceSuccess = true);

  // --- remote mode's local copies ---
  static constexpr const char* kLocalCopy100 = "Decla.100";
  static constexpr const char* kLocalCopy714 = "Decla.714";
  // Writes both files in `folder` (ending with "/"); a file that cannot be written is skipped.
  // Copies not loaded yet by this store are loaded first, so that nothing they hold is lost.
  // `between` runs between declarations (the user interface keeps painting). Returns false
  // when a file could not be written.
  bool ExportLocalCopies(const std::string& folder, const std::function<void()>& between = {});
  // Loads both files into the store, renaming taken keys "n key"; at most 50 declarations in
  // all. An entry the store holds already under its key, identically, is not loaded again
  // (the copies of a store that stayed in place). A file that cannot be loaded whole gives
  // the entries that are whole, is moved aside untouched (ALM001) and is never overwritten.
  // `progress` receives the caption of the file being loaded. Returns how many rows were
  // added, or nullopt when a file exists and cannot be read ("Fichero no encontrado.").
  std::optional<int> LoadLocalCopies(const std::string& folder,
                                     const std::function<void(std::string_view)>& progress = {});
  // Key for a local copy's declaration: "n key" while the key is taken, n the number of rows
  // holding it; when that runs in a circle, the first free "n key" by counting. Nullopt when
  // no free key is found.
  std::optional<std::string> FreeLocalKey(std::string_view key);
  // Whether the row of `key` already holds exactly what WriteRow would write: a save that would
  // change nothing need not wait for the disk.
  bool RowHolds(std::string_view key, int kind, std::optional<char> modality, std::span<const std::uint8_t> block);

 private:
  bool AddRow(std::string_view key, int kind, std::string_view modality, std::span<const std::uint8_t> block);
  bool AddFiscal(std::string_view key, const FiscalSlot& slot);
  bool DeleteRows(const char* table, std::string_view key, bool* anyFailed = nullptr);
  std::vector<FiscalSlot> LoadFiscal(std::string_view key, bool* ok);
  bool CollectForExport(std::span<const std::string> keys, std::vector<TransferDeclaration>& out);
  std::optional<TransferDeclaration> AsTransfer(std::string_view key);
  bool StoredAlready(const TransferDeclaration& d);
  // Moves a local copy aside (Decla.100.bak ...) and answers where it now is; one that cannot
  // be moved stays and is never overwritten.
  std::string KeepLocalCopy(const std::string& path);
  // ALM002 (with the name) unless the name follows the rule.
  std::optional<std::string> RuledName(std::string_view name);
  // Writes `bytes` to `path` with the message that fits a failure.
  bool WriteTransferFile(const std::string& path, std::span<const std::uint8_t> bytes);
  bool WriteImported(const TransferDeclaration& d, std::string_view key);

  db::CAdoConnection& conn_;
  StoreMessages messages_;
  // Local copies that could not be read and could not be moved aside: never overwritten.
  std::vector<std::string> keepLocal_;
  bool localCopiesLoaded_ = false;
};

}  // namespace store

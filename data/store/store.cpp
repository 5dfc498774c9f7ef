#include "data/store/store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/texts.h"

namespace store {

namespace {

using db::CAdoRecordset;
using db::Filter;

constexpr const char* kDec = "DATOSDEC";
constexpr const char* kFisc = "DATOSFISC";
constexpr const char* kCorr = "CORREGIX";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t CharCount(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) n += !IsContinuation(c);
  return n;
}

Filter ByKey(std::string_view key) { return Filter::Eq("CLAVE", PadKey(key)); }

std::string ModalityText(char c) {
  if (c == '\0') return {};
  return platform::Cp1252ToUtf8(std::string_view(&c, 1));
}

char ModalityChar(std::string_view utf8) {
  std::string b = platform::Utf8ToCp1252(utf8);
  return b.empty() ? '\0' : b[0];
}

}  // namespace

std::string StoreFullText(int maximum) { return platform::TextWith(text::kStoreFull, std::to_string(maximum)); }

void StoreMessages::Plain(int textId, MessageIcon icon) const {
  if (plain) plain(platform::Text(textId), icon);
}

std::string PadKey(std::string_view key) {
  std::size_t n = CharCount(key);
  std::string k(key);
  if (n < kKeyChars) k.append(kKeyChars - n, ' ');
  return k;
}

std::string TrimKey(std::string_view key) {
  std::size_t e = key.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(key.substr(0, e + 1));
}

std::string FirstChars(std::string_view utf8, std::size_t chars) {
  std::size_t n = 0, i = 0;
  for (; i < utf8.size(); ++i) {
    if (!IsContinuation(utf8[i])) {
      if (n == chars) break;
      ++n;
    }
  }
  return std::string(utf8.substr(0, i));
}

std::string NewKeyFromTyped(std::string_view typed) {
  std::string_view line = typed.substr(0, typed.find_first_of("\r\n"));
  std::string k = FirstChars(line);
  std::string out;
  for (char c : k) {
    if (c == '\'') out += "\xC2\xB4";  // ´
    else out += c;
  }
  return FirstChars(out);
}

std::string CopyName(std::string_view key) { return FirstChars("COPIA DE " + std::string(key)); }

bool SameKey(std::string_view a, std::string_view b) { return db::SameText(a, b); }

CheckedName CheckName(std::string_view name) {
  // cp1252 holds one character in one byte; a character it lacks becomes a zero byte here, as
  // does a zero character, and both are refused.
  std::string bytes = platform::Utf8ToCp1252(FirstChars(name), '\0');
  CheckedName r;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0 && name.find('\0') == std::string_view::npos) r.fault = NameFault::NotCp1252;
    else if (b < 0x20 || b == 0x7F) r.fault = NameFault::ControlCharacter;
    if (!r.ok()) return r;
  }
  r.key = TrimKey(platform::Cp1252ToUtf8(platform::UpperCp1252(bytes)));
  if (r.key.empty()) r.fault = NameFault::Empty;
  return r;
}

void ClearReferenceData(int kind, std::span<std::uint8_t> block) {
  // Form 100: the five member status bytes, reference numbers and reference texts at the start
  // of Form100Family (288 .. 692). Form 714: printed flag, reference number and text at the
  // start of Form714Personal (6200 .. 6280).
  if (CarriesForm100(kind) && block.size() == kForm100Bytes) std::fill(block.begin() + 288, block.begin() + 693, 0);
  if (CarriesForm714(kind) && block.size() == kForm714Bytes) std::fill(block.begin() + 6200, block.begin() + 6281, 0);
}

DeclarationStore::DeclarationStore(db::CAdoConnection& connection, StoreMessages messages)
    : conn_(connection), messages_(std::move(messages)) {}

int DeclarationStore::Count() {
  CAdoRecordset rs;
  if (!rs.Open(kDec, &conn_, {}, {}, "CLAVE")) return 0;
  return rs.GetRecordCount();
}

bool DeclarationStore::Exists(std::string_view key) {
  CAdoRecordset rs;
  return rs.Open(kDec, &conn_, ByKey(key), {}, "CLAVE");
}

std::vector<IndexRow> DeclarationStore::List(const ListFilter& filter) {
  std::vector<IndexRow> rows;
  Filter f;
  if (filter.renta && filter.patrimonio) f = Filter::Lt("TIPODEC", std::int64_t{5});
  else if (filter.renta) f = Filter::Lt("TIPODEC", std::int64_t{3});
  else if (filter.patrimonio) f = Filter::Eq("TIPODEC", std::int64_t{3});
  else return rows;
  CAdoRecordset rs;
  if (!rs.Open(kDec, &conn_, f, {}, "CLAVE, TIPODEC, MODALIDAD, DATOS")) return rows;
  std::vector<std::uint8_t> block;
  for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
    IndexRow r;
    rs.GetText("CLAVE", r.key);
    rs.GetInt("TIPODEC", r.kind);
    rs.GetText("MODALIDAD", r.modality);
    block.clear();
    if (rs.GetBlob("DATOS", block)) r.printed = BlockPrinted(r.kind, block);
    rows.push_back(std::move(r));
  }
  return rows;
}

bool BlockPrinted(int kind, std::span<const std::uint8_t> block) {
  // The member status bytes at the start of Form100Family: 1 printed, 2 printed and changed since.
  if (CarriesForm100(kind) && block.size() == kForm100Bytes)
    return std::any_of(block.begin() + 288, block.begin() + 293, [](std::uint8_t b) { return b == 1; });
  // Form714Personal's printed flag.
  if (CarriesForm714(kind) && block.size() == kForm714Bytes) return block[6200] != 0;
  return false;
}

std::vector<FiscalSlot> DeclarationStore::LoadFiscal(std::string_view key, bool* ok) {
  std::vector<FiscalSlot> rows;
  *ok = true;
  CAdoRecordset rs;
  if (!rs.Open(kFisc, &conn_, ByKey(key))) {
    *ok = rs.IsOpen();
    return rows;
  }
  for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
    FiscalSlot s;
    std::int32_t yes = 0, no = 0;
    rs.GetInt("SUJETODECLA", s.subject);
    rs.GetInt("TAMANOFICHEROSI", yes);
    rs.GetInt("TAMANOFICHERONO", no);
    // A size the file column does not hold means the fiscal file cannot be read.
    if (yes > 0 && (!rs.GetBlob("FICHEROSI", s.yes) || s.yes.size() < static_cast<std::size_t>(yes))) *ok = false;
    if (no > 0 && (!rs.GetBlob("FICHERONO", s.no) || s.no.size() < static_cast<std::size_t>(no))) *ok = false;
    if (!*ok) return {};
    s.yes.resize(static_cast<std::size_t>(std::max(yes, 0)));
    s.no.resize(static_cast<std::size_t>(std::max(no, 0)));
    rows.push_back(std::move(s));
  }
  return rows;
}

std::optional<StoredDeclaration> DeclarationStore::Load(std::string_view key) {
  CAdoRecordset rs;
  if (!rs.Open(kDec, &conn_, ByKey(key))) return std::nullopt;
  StoredDeclaration d;
  rs.GetText("CLAVE", d.key);
  rs.GetInt("TIPODEC", d.kind);
  rs.GetText("MODALIDAD", d.modality);
  rs.GetBlob("DATOS", d.block);
  if (CarriesForm100(d.kind)) {
    bool ok = true;
    d.fiscal = LoadFiscal(key, &ok);
    if (!ok) return std::nullopt;
  }
  return d;
}

bool DeclarationStore::AddRow(std::string_view key, int kind, std::string_view modality,
                              std::span<const std::uint8_t> block) {
  CAdoRecordset rs;
  rs.Open(kDec, &conn_, Filter::Eq("TIPODEC", std::int64_t{-1}), {}, "CLAVE, TIPODEC, MODALIDAD, DATOS");
  if (!rs.IsOpen()) return false;
  rs.SetDefaultBlockSize(BlockBytesForKind(kind));
  return rs.PrepareNewRow() && rs.AddPendingInt("TIPODEC", kind) && rs.AddPendingValue("MODALIDAD", modality) &&
         rs.AddPendingValue("CLAVE", PadKey(key)) && (block.empty() || rs.AddPendingBlob("DATOS", block)) &&
         rs.AppendPendingRow();
}

bool DeclarationStore::AddFiscal(std::string_view key, const FiscalSlot& slot) {
  CAdoRecordset rs;
  rs.Open(kFisc, &conn_, Filter::Eq("SUJETODECLA", std::int64_t{-1}));
  if (!rs.IsOpen()) return false;
  rs.SetDefaultBlockSize(0);
  return rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", PadKey(key)) &&
         rs.AddPendingInt("SUJETODECLA", slot.subject) &&
         rs.AddPendingInt("TAMANOFICHEROSI", static_cast<std::int64_t>(slot.yes.size())) &&
         rs.AddPendingBlob("FICHEROSI", slot.yes) &&
         rs.AddPendingInt("TAMANOFICHERONO", static_cast<std::int64_t>(slot.no.size())) &&
         rs.AddPendingBlob("FICHERONO", slot.no) && rs.AppendPendingRow();
}

bool DeclarationStore::DeleteRows(const char* table, std::string_view key, bool* anyFailed) {
  CAdoRecordset rs;
  bool found = rs.Open(table, &conn_, ByKey(key), {}, "CLAVE");
  if (!rs.IsOpen()) {
    if (anyFailed) *anyFailed = true;
    return false;
  }
  bool ok = true;
  if (found)
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) ok = rs.DeleteCurrent() && ok;
  if (!ok && anyFailed) *anyFailed = true;
  return found && ok;
}

std::optional<std::string> DeclarationStore::RuledName(std::string_view name) {
  CheckedName c = CheckName(name);
  if (c.fault == NameFault::Empty) return std::string();
  if (!c.ok()) {
    messages_.Coded(msg::kBadName, MessageIcon::Warning, name);
    return std::nullopt;
  }
  return c.key;
}

bool DeclarationStore::Create(std::string_view name, int kind, int limit) {
  const auto ruled = RuledName(name);
  if (!ruled) return false;
  const std::string& key = *ruled;
  if (key.empty()) {
    messages_.Coded(msg::kNoName);
    return false;
  }
  if (Exists(key)) {
    messages_.Coded(msg::kNameTaken);
    return false;
  }
  if (Count() >= limit) {
    messages_.Plain(StoreFullText(limit));
    return false;
  }
  db::Transaction t(conn_);
  std::vector<std::uint8_t> block(BlockBytesForKind(kind == kKindForm714 ? kKindForm714 : kKindForm100), 0);
  if (!AddRow(key, kind, "0", block)) {
    messages_.Coded(msg::kCannotPrepare);
    return false;
  }
  return t.Commit();
}

std::optional<std::string> DeclarationStore::Duplicate(std::string_view sourceKey) {
  if (TrimKey(sourceKey).empty()) return std::nullopt;
  std::string newKey = CopyName(PadKey(sourceKey));
  auto src = Load(sourceKey);
  if (!src) {
    messages_.Coded(msg::kNotFound);
    return std::nullopt;
  }
  if (Count() >= kMaxDeclarations) {
    messages_.Plain(StoreFullText());
    return std::nullopt;
  }
  if (Exists(newKey)) {
    messages_.Coded(msg::kNameTaken);
    return std::nullopt;
  }
  std::vector<std::uint8_t> block;
  if (std::size_t n = BlockBytesForKind(src->kind)) {
    block = src->block;
    block.resize(n, 0);
    ClearReferenceData(src->kind, block);
  }
  db::Transaction t(conn_);
  if (src->kind == kKindForm100)
    for (const FiscalSlot& s : src->fiscal)
      if (!AddFiscal(newKey, s)) return std::nullopt;
  std::string modality = src->modality.empty() ? std::string() : FirstChars(src->modality, 1);
  if (!AddRow(newKey, src->kind, modality, block)) {
    messages_.Coded(msg::kCannotPrepare);
    return std::nullopt;
  }
  if (!t.Commit()) return std::nullopt;
  return PadKey(newKey);
}

bool DeclarationStore::Rename(std::string_view oldKey, std::string_view newName, bool ask) {
  if (TrimKey(oldKey).empty() || TrimKey(newName).empty()) return false;
  const auto ruled = RuledName(newName);
  if (!ruled || ruled->empty()) return false;
  const std::string& name = *ruled;
  if (Count() == 0) return false;
  if (Exists(name)) {
    messages_.Coded(msg::kNameTaken);
    return false;
  }
  if (ask && messages_.Coded(msg::kAskRename) != 1) return false;
  db::Transaction t(conn_);
  for (const char* table : {kDec, kFisc, kCorr}) {
    CAdoRecordset rs;
    bool found = rs.Open(table, &conn_, ByKey(oldKey), {}, "CLAVE");
    if (!rs.IsOpen()) return false;
    if (table == kDec && !found) return false;
    if (!found) continue;
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext())
      if (!rs.SetText("CLAVE", PadKey(name))) return false;
  }
  return t.Commit();
}

bool DeclarationStore::Delete(std::string_view key, bool ask) {
  if (TrimKey(key).empty()) return false;
  if (ask && messages_.Coded(msg::kAskDelete) != 1) return false;
  db::Transaction t(conn_);
  bool failed = false;
  if (!DeleteRows(kDec, key, &failed)) {
    if (failed) messages_.Coded(msg::kCannotDelete);
    return false;
  }
  DeleteRows(kFisc, key, &failed);
  DeleteRows(kCorr, key, &failed);
  if (failed) {
    messages_.Coded(msg::kCannotDelete);
    return false;
  }
  return t.Commit();
}

bool DeclarationStore::DeleteUnsaved(std::string_view key) {
  db::Transaction t(conn_);
  bool failed = false;
  bool found = DeleteRows(kDec, key, &failed);
  if (found) DeleteRows(kFisc, key, &failed);
  if (failed) {
    messages_.Plain(text::kCannotDeleteRow);
    return false;
  }
  return t.Commit() && found;
}

bool DeclarationStore::SaveAs(std::string_view oldKey, std::string_view newName, int kind, int modalityByte,
                              std::span<const std::uint8_t> block) {
  const auto ruled = RuledName(newName);
  if (!ruled || ruled->empty()) return false;
  const std::string& newKey = *ruled;
  if (Count() >= kMaxDeclarations) {
    messages_.Plain(StoreFullText());
    return false;
  }
  if (Exists(newKey)) {
    messages_.Coded(msg::kNameTaken);
    return false;
  }
  std::vector<std::uint8_t> copy(block.begin(), block.end());
  ClearReferenceData(kind, copy);
  std::string modality = kind == kKindForm714 ? "0" : (modalityByte == 1 ? "C" : "I");
  db::Transaction t(conn_);
  if (!AddRow(newKey, kind, modality, copy)) return false;
  if (CarriesForm100(kind)) {
    bool ok = true;
    for (const FiscalSlot& s : LoadFiscal(oldKey, &ok))
      if (!AddFiscal(newKey, s)) return false;
    if (!ok) return false;
  }
  return t.Commit();
}

bool DeclarationStore::RowHolds(std::string_view key, int kind, std::optional<char> modality,
                                std::span<const std::uint8_t> block) {
  CAdoRecordset rs;
  if (!rs.Open(kDec, &conn_, ByKey(key))) return false;
  std::int32_t storedKind = 0;
  std::string text;
  if (!rs.GetInt("TIPODEC", storedKind) || storedKind != kind) return false;
  if (!rs.GetText("CLAVE", text) || text != PadKey(key)) return false;
  if (modality && (!rs.GetText("MODALIDAD", text) || text != ModalityText(*modality))) return false;
  // The write takes as many bytes as the stored block has.
  std::vector<std::uint8_t> stored;
  return rs.GetBlob("DATOS", stored) && !stored.empty() && block.size() >= stored.size() &&
         std::equal(stored.begin(), stored.end(), block.begin());
}

std::uint64_t DeclarationStore::BlockStamp(std::span<const std::uint8_t> block) {
  std::uint64_t h = 14695981039346656037ull;
  for (std::uint8_t b : block) h = (h ^ b) * 1099511628211ull;
  return (h ^ block.size()) * 1099511628211ull;
}

bool DeclarationStore::WriteRow(std::string_view key, int kind, std::optional<char> modality,
                                std::span<const std::uint8_t> block, std::optional<std::uint64_t> expectedStamp,
                                bool* changedElsewhere) {
  if (changedElsewhere) *changedElsewhere = false;
  db::Transaction t(conn_);
  CAdoRecordset rs;
  if (!rs.Open(kDec, &conn_, ByKey(key))) return false;
  if (expectedStamp) {
    // Read inside the transaction that writes: no other copy can slip a save in between.
    std::vector<std::uint8_t> stored;
    rs.GetBlob("DATOS", stored);
    if (BlockStamp(stored) != *expectedStamp) {
      if (changedElsewhere) *changedElsewhere = true;
      return false;
    }
  }
  if (!rs.SetInt("TIPODEC", kind) || !rs.SetText("CLAVE", PadKey(key))) return false;
  if (modality && !rs.SetText("MODALIDAD", ModalityText(*modality))) return false;
  if (!rs.SetBlob("DATOS", block)) return false;
  return t.Commit();
}

bool DeclarationStore::DeleteCorrections(std::string_view key) {
  db::Transaction t(conn_);
  bool failed = false;
  DeleteRows(kCorr, key, &failed);
  return !failed && t.Commit();
}

bool DeclarationStore::Compact() { return conn_.Compact(); }

// --- transfer files ---

std::optional<TransferDeclaration> DeclarationStore::AsTransfer(std::string_view key) {
  auto d = Load(key);
  if (!d) return std::nullopt;
  TransferDeclaration e;
  e.key = TrimKey(d->key);
  e.kind = d->kind;
  e.modality = ModalityChar(d->modality);
  if (std::size_t n = BlockBytesForKind(d->kind)) {
    e.block = std::move(d->block);
    e.block.resize(n, 0);
  }
  if (CarriesForm100(d->kind)) {
    e.fiscalSlots = std::move(d->fiscal);
    if (e.fiscalSlots.size() > static_cast<std::size_t>(kFiscalSlots)) e.fiscalSlots.resize(kFiscalSlots);
  }
  return e;
}

bool DeclarationStore::CollectForExport(std::span<const std::string> keys, std::vector<TransferDeclaration>& out) {
  for (const std::string& key : keys) {
    auto e = AsTransfer(key);
    if (!e) {
      messages_.Coded(msg::kNotFound);
      return false;
    }
    out.push_back(std::move(*e));
  }
  return true;
}

bool DeclarationStore::WriteTransferFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  int error = 0;
  if (WriteFileAtomically(path, bytes, &error)) return true;
  if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
    messages_.Plain(text::kDiskFull);
  } else if (error == ENOENT || error == ENOTDIR) {
    messages_.Coded(msg::kNoSuchFolder, MessageIcon::Warning, std::filesystem::path(path).parent_path().string());
  } else {
    messages_.Coded(msg::kCannotWrite, MessageIcon::Warning, path);
  }
  return false;
}

bool DeclarationStore::Export(const std::string& path, std::span<const std::string> keys, bool announceSuccess) {
  if (keys.size() > static_cast<std::size_t>(kMaxDeclarations)) keys = keys.first(kMaxDeclarations);
  std::vector<TransferDeclaration> entries;
  if (!CollectForExport(keys, entries)) return false;
  // A name the file cannot carry would arrive as question marks.
  for (const TransferDeclaration& e : entries)
    if (!CheckName(e.key).ok() && !TrimKey(e.key).empty()) {
      messages_.Coded(msg::kBadName, MessageIcon::Warning, e.key);
      return false;
    }
  auto bytes = EncodeTransferFile(entries);
  if (!bytes) {
    messages_.Plain(text::kCannotCreate);
    return false;
  }
  if (!WriteTransferFile(path, *bytes)) return false;
  if (announceSuccess) messages_.Plain(text::kExported, MessageIcon::Information);
  return true;
}

std::optional<std::vector<TransferDeclaration>> DeclarationStore::ReadTransfer(const std::string& path) {
  TransferError e = TransferError::None;
  auto bytes = ReadWholeFile(path, &e);
  if (!bytes) {
    messages_.Plain(TransferErrorTextId(e));
    return std::nullopt;
  }
  TransferFileContents c = DecodeTransferFile(*bytes);
  bytes.reset();
  if (!c.ok()) {
    messages_.Plain(TransferErrorTextId(c.error));
    return std::nullopt;
  }
  std::vector<TransferDeclaration> entries;
  std::string badNames, unknownKinds;
  auto note = [](std::string& list, std::string_view key) {
    if (!list.empty()) list += ", ";
    list += key;
  };
  for (TransferDeclaration& d : c.entries) {
    // A row of another form would count against the maximum and never be listed.
    if (!CarriesForm100(d.kind) && !CarriesForm714(d.kind)) {
      note(unknownKinds, d.key);
      continue;
    }
    // An empty name stays: the choice of entries refuses it with its own message.
    CheckedName name = CheckName(d.key);
    if (!name.ok() && name.fault != NameFault::Empty) {
      note(badNames, d.key);
      continue;
    }
    d.key = name.key;
    entries.push_back(std::move(d));
  }
  if (!unknownKinds.empty()) messages_.Coded(msg::kImportUnknownKind, MessageIcon::Warning, unknownKinds);
  if (!badNames.empty()) messages_.Coded(msg::kImportBadNames, MessageIcon::Warning, badNames);
  return entries;
}

std::optional<std::vector<std::string>> DeclarationStore::ReadIndex(const std::string& path) {
  auto entries = ReadTransfer(path);
  if (!entries) return std::nullopt;
  std::vector<std::string> keys;
  for (const auto& d : *entries) keys.push_back(d.key);
  return keys;
}

bool DeclarationStore::WriteImported(const TransferDeclaration& d, std::string_view key) {
  // An existing declaration is replaced whole, so that its modality and fiscal rows never
  // belong to another declaration than its block.
  bool failed = false;
  DeleteRows(kDec, key, &failed);
  DeleteRows(kFisc, key, &failed);
  if (failed) return false;
  if (CarriesForm100(d.kind))
    for (const FiscalSlot& s : d.fiscalSlots)
      if (!s.Empty() && !AddFiscal(key, s)) return false;
  return AddRow(key, d.kind, ModalityText(d.modality), d.block);
}

bool DeclarationStore::Import(const std::string& path, std::span<const ImportChoice> choices, bool announceSuccess) {
  auto entries = ReadTransfer(path);
  return entries && Import(*entries, choices, announceSuccess);
}

bool DeclarationStore::Import(std::span<const TransferDeclaration> entries, std::span<const ImportChoice> choices,
                              bool announceSuccess) {
  // Room: every chosen entry that creates a declaration counts against the maximum.
  int stored = Count();
  int added = 0;
  std::vector<std::string> targets;
  for (std::size_t i = 0; i < entries.size() && i < choices.size(); ++i) {
    if (!choices[i].import) {
      targets.emplace_back();
      continue;
    }
    const TransferDeclaration& d = entries[i];
    if (!CarriesForm100(d.kind) && !CarriesForm714(d.kind)) {
      messages_.Coded(msg::kImportUnknownKind, MessageIcon::Warning, d.key);
      return false;
    }
    const auto key = RuledName(choices[i].newName.empty() ? d.key : choices[i].newName);
    if (!key) return false;
    if (key->empty()) {
      messages_.Coded(msg::kEmptyListName);
      return false;
    }
    // Two entries under one name: the later would silently replace the earlier.
    for (const auto& t : targets)
      if (!t.empty() && SameKey(t, *key)) {
        messages_.Coded(msg::kNameTaken);
        return false;
      }
    if (!Exists(*key)) ++added;
    targets.push_back(*key);
  }
  if (stored + added > kMaxDeclarations) {
    messages_.Plain(StoreFullText());
    return false;
  }
  db::Transaction t(conn_);
  for (std::size_t i = 0; i < targets.size(); ++i)
    if (!targets[i].empty() && !WriteImported(entries[i], targets[i])) return false;
  if (!t.Commit()) return false;
  if (announceSuccess) messages_.Plain(text::kImported, MessageIcon::Information);
  return true;
}

// --- local copies ---

bool DeclarationStore::ExportLocalCopies(const std::string& folder, const std::function<void()>& between) {
  // Copies this run has not read yet hold declarations the store lacks: they join it first.
  if (!localCopiesLoaded_) LoadLocalCopies(folder);
  bool all = true;
  for (int kind : {kKindForm100, kKindForm714}) {
    const std::string path = folder + (kind == kKindForm100 ? kLocalCopy100 : kLocalCopy714);
    // A copy that could not be read is all that is left of what it held.
    if (std::find(keepLocal_.begin(), keepLocal_.end(), path) != keepLocal_.end()) {
      all = false;
      continue;
    }
    std::vector<std::string> keys;
    {
      CAdoRecordset rs;
      if (rs.Open(kDec, &conn_, Filter::Eq("TIPODEC", std::int64_t{kind}), {}, "CLAVE"))
        for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
          std::string k;
          rs.GetText("CLAVE", k);
          keys.push_back(k);
        }
    }
    std::vector<TransferDeclaration> entries;
    bool ok = true;
    for (const std::string& k : keys) {
      if (between) between();
      std::vector<TransferDeclaration> one;
      if (!CollectForExport(std::span(&k, 1), one)) {
        ok = false;
        break;
      }
      entries.push_back(std::move(one.front()));
    }
    // A fiscal file that cannot be read ends the export; the file already in place stays.
    if (!ok) return false;
    auto bytes = EncodeTransferFile(entries, /*writeCountWhenEmpty=*/false);
    if (!bytes || !WriteFileAtomically(path, *bytes)) all = false;
  }
  return all;
}

std::optional<std::string> DeclarationStore::FreeLocalKey(std::string_view key) {
  const std::string base = TrimKey(key);
  std::string k = base;
  std::vector<std::string> seen;
  for (;;) {
    CAdoRecordset rs;
    if (!rs.Open(kDec, &conn_, ByKey(k), {}, "CLAVE")) return k;
    seen.push_back(k);
    k = TrimKey(FirstChars(std::to_string(rs.GetRecordCount()) + " " + k));
    // Cutting to 50 characters can bring the chain back to a key it passed ("1 1 1 ...").
    if (std::any_of(seen.begin(), seen.end(), [&k](const std::string& s) { return SameKey(s, k); })) break;
  }
  // Then the first free "n key", counting: no more can be taken than there are rows.
  const int rows = Count();
  for (int n = 1; n <= rows + 1; ++n) {
    std::string candidate = TrimKey(FirstChars(std::to_string(n) + " " + base));
    if (!Exists(candidate)) return candidate;
  }
  return std::nullopt;
}

bool DeclarationStore::StoredAlready(const TransferDeclaration& d) {
  auto stored = AsTransfer(d.key);
  if (!stored) return false;
  auto filled = [](std::vector<FiscalSlot> slots) {
    std::erase_if(slots, [](const FiscalSlot& s) { return s.Empty(); });
    return slots;
  };
  return stored->kind == d.kind && stored->modality == d.modality && stored->block == d.block &&
         filled(stored->fiscalSlots) == filled(d.fiscalSlots);
}

std::string DeclarationStore::KeepLocalCopy(const std::string& path) {
  namespace fs = std::filesystem;
  for (int n = 1; n < 1000; ++n) {
    const std::string aside = path + ".bak" + (n > 1 ? std::to_string(n) : std::string());
    std::error_code ec;
    if (fs::exists(fs::symlink_status(aside, ec))) continue;
    if (std::rename(path.c_str(), aside.c_str()) == 0) return aside;
    break;
  }
  keepLocal_.push_back(path);
  return path;
}

std::optional<int> DeclarationStore::LoadLocalCopies(const std::string& folder,
                                                     const std::function<void(std::string_view)>& progress) {
  localCopiesLoaded_ = true;
  int loaded = 0;
  for (int kind : {kKindForm100, kKindForm714}) {
    const std::string path = folder + (kind == kKindForm100 ? kLocalCopy100 : kLocalCopy714);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) continue;
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
      KeepLocalCopy(path);
      messages_.Plain(text::kFileNotFound);
      return std::nullopt;
    }
    LocalCopyContents copy = DecodeLocalCopy(*bytes, kind, static_cast<std::size_t>(kMaxDeclarations - loaded));
    bytes.reset();
    if (progress && !copy.entries.empty())
      progress(platform::Text(kind == kKindForm100 ? text::kLoadingForm100 : text::kLoadingForm714));
    bool whole = copy.whole;
    db::Transaction t(conn_);
    int here = 0;
    for (TransferDeclaration& d : copy.entries) {
      CheckedName name = CheckName(d.key);
      if (!name.ok()) {
        whole = false;
        continue;
      }
      d.key = name.key;
      if (StoredAlready(d)) continue;
      auto key = FreeLocalKey(d.key);
      if (!key) {
        whole = false;
        continue;
      }
      if (CarriesForm100(d.kind))
        for (const FiscalSlot& s : d.fiscalSlots)
          if (!s.Empty() && !AddFiscal(*key, s)) return std::nullopt;
      if (!AddRow(*key, d.kind, ModalityText(d.modality), d.block)) return std::nullopt;
      ++here;
    }
    if (!t.Commit()) return std::nullopt;
    loaded += here;
    if (!whole) messages_.Coded(msg::kLocalCopyKept, MessageIcon::Warning, KeepLocalCopy(path));
  }
  return loaded;
}

}  // namespace store

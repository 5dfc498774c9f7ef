#include "data/doc/document.h"

#include <algorithm>

#include "blocks/numtext.h"

#include "platform/texts.h"

namespace doc {

namespace {
// "La declaración de %s ha cambiado.\n¿ Desea guardar los datos ?"
constexpr int kSaveChangesText = 122;
// "En el caso de haberse impreso, sustituya TODAS las hojas ..."
constexpr int kReplaceSheets = 2187;
}  // namespace

std::string ReplaceSheetsText() { return platform::Text(kReplaceSheets); }

std::string BarcodeAmountDigits(double amount) {
  std::string text = blocks::FormatFixed(amount, 2);
  if (text.size() < 11) text.insert(0, 11 - text.size(), ' ');
  std::string s;
  for (char c : text) {
    if (c == '.') continue;
    s += (c == ' ' || c == '-') ? '0' : c;
  }
  return "0" + s;
}

void KeepBarcode(std::array<char, 80>& area, std::string_view data) {
  area.fill('\0');
  std::string kept = "90558" + std::string(data);
  std::copy_n(kept.begin(), std::min(kept.size(), area.size()), area.begin());
}

std::string TrimBlanks(std::string_view s) {
  std::size_t e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

bool ReadPageDefinition(const PageTables& tables, int pageCode, PageDefinition& out) {
  if (!tables.local) return false;
  char code[16];
  std::snprintf(code, sizeof code, "%4d", pageCode);
  const db::Filter filter = db::Filter::Eq("INDICEFICH", std::string(code));
  db::CAdoRecordset pages;
  if (!pages.Open("Paginasx", tables.local, filter)) return false;
  db::CAdoRecordset titles;
  if (titles.Open(db::LanguageTableName("Paginasx", 7, tables.language), tables.local, filter)) {
    std::int32_t value = 0;
    out.code = pageCode;
    pages.GetInt("TipoDec", value);
    out.kind = value;
    value = 0;
    pages.GetInt("NumCuadros", value);
    out.boxCount = value;
    std::string file;
    pages.GetText("FicheroWMF", file);
    if (file.size() > 7) file[7] = tables.language;
    out.picturePath = tables.dirBase + file;
    out.title.clear();
    titles.GetText("TituloPagi", out.title);
  }
  return true;
}

CProg32Doc::CProg32Doc(store::DeclarationStore& store, DocumentHost& host, int kind, std::size_t blockSize, bool form100)
    : store_(store), host_(host), model_(blockSize), active_(model_, form100), kind_(kind) {}

CProg32Doc::~CProg32Doc() = default;

void CProg32Doc::SetKey(std::string_view key) {
  key_ = store::PadKey(store::FirstChars(key));
  rowWritten_ = false;
}

void CProg32Doc::BuildReferenceCode(std::string_view id, int member) {
  doc::BuildReferenceCode(id, member, referenceSettings_.remote, referenceSettings_.clock(), referenceText_);
}

void CProg32Doc::ClearDeclarationData() {
  yearText_ = "2003";
  referenceText_.assign(60, ' ');
}

bool CProg32Doc::OpenDeclaration(std::string_view key, bool isNew) {
  newNotSaved_ = isNew;
  newDeclaration_ = isNew;
  model_.MarkSaved();
  SetKey(key);
  return true;
}

bool CProg32Doc::LoadFromDatabase() {
  auto d = store_.Load(key_);
  if (!d) {
    store_.Messages().Coded(store::msg::kNotFound);
    return false;
  }
  rowStamp_ = store::DeclarationStore::BlockStamp(d->block);
  if (!newDeclaration_) {
    kind_ = d->kind;
    key_ = store::PadKey(d->key);
    model_.SetModality(d->modality.rfind("C", 0) == 0 ? 1 : 0);
    std::span<std::uint8_t> block = Block();
    std::fill(block.begin(), block.end(), 0);
    std::copy_n(d->block.begin(), std::min(d->block.size(), block.size()), block.begin());
  }
  return true;
}

bool CProg32Doc::WriteBlock(int kind, std::optional<char> modality, bool wasModified) {
  // A row this document wrote and that holds all of it still is not written again (the filing
  // command saves three times in a row); a document's first save, and every save of a declaration
  // made new in this document, always writes.
  if (rowWritten_ && !newDeclaration_ && store_.RowHolds(key_, kind, modality, Block())) {
    SettleSaved(wasModified);
    return true;
  }
  bool changedElsewhere = false;
  if (!store_.WriteRow(key_, kind, modality, Block(), rowStamp_, &changedElsewhere)) {
    model_.MarkUnsaved();
    store_.Messages().Coded(changedElsewhere ? kSaveConflictCode : kSaveFailedCode, MessageIcon::Stop);
    return false;
  }
  rowWritten_ = true;
  rowStamp_ = store::DeclarationStore::BlockStamp(Block());
  SettleSaved(wasModified);
  return true;
}

bool CProg32Doc::SaveToDatabase() {
  const bool wasModified = IsModified();
  model_.SetEditedSincePrinted(false);
  return WriteBlock(kind_, std::nullopt, wasModified);
}

int CProg32Doc::CommitPendingBoxEdit() { return host_.CommitPendingBoxEdit(); }

bool CProg32Doc::Save() {
  const bool neverSaved = newNotSaved_;
  newNotSaved_ = false;
  CommitPendingBoxEdit();
  if (!SaveToDatabase()) {
    // Still never saved by the user: closing it unsaved leaves no row behind.
    newNotSaved_ = neverSaved;
    return false;
  }
  model_.MarkSaved();
  return true;
}

bool CProg32Doc::SaveModified() {
  CommitPendingBoxEdit();
  if (!IsModified()) return true;
  std::string text = platform::TextWith(kSaveChangesText, store::TrimKey(key_));
  switch (host_.AskSaveChanges(text)) {
    case Answer::Cancel: return false;
    case Answer::Yes: return Save() && !IsModified();
    case Answer::No: model_.MarkSaved(); return true;
  }
  return true;
}

bool CProg32Doc::OnCloseDocument() {
  if (IsModified() && !SaveModified()) return false;
  // A declaration created by the store and never saved by the user leaves no row behind.
  if (newNotSaved_) store_.DeleteUnsaved(key_);
  host_.HideSectionsBar();
  host_.SetStatusPanes({}, {});
  return true;
}

bool CProg32Doc::SaveAs() {
  std::string current = store::TrimKey(key_);
  auto name = host_.AskSaveAsName(current);
  if (!name) return false;
  if (store::TrimKey(*name) == current) return Save();
  std::string newKey = store::PadKey(store::FirstChars(*name));
  if (!store_.SaveAs(key_, newKey, kind_, Modality(), Block())) return false;
  // The row under the old name stays as it was last saved.
  model_.MarkSaved();
  OnCloseDocument();
  host_.OpenDeclaration(newKey);
  return true;
}

int CProg32Doc::PageIndexFromCode(int kind, int code) {
  int base = (kind == 2 || kind == 255) ? 200 : kind == 3 ? 300 : 100;
  int index = code / base != 0 ? code % base - 1 : code - 1;
  if (kind == 1 && index == 16) index = 7;
  return index;
}

void CProg32Doc::NavigatePage(int where, int box) {
  if (int n = host_.PendingBoxFocus(); n > 0) {
    host_.ShowPage(currentPage_, n);
    return;
  }
  const int last = LastPageIndex();
  switch (where) {
    case 1: currentPage_ = 0; break;
    case 80: if (currentPage_ < last) ++currentPage_; break;
    case 90: if (currentPage_ > 0) --currentPage_; break;
    case 99: currentPage_ = last; break;
    default:
      if (where - 1 >= 0 && where - 1 <= last) currentPage_ = where - 1;
  }
  if (last > 0) host_.ShowPage(currentPage_, box);
}

}  // namespace doc

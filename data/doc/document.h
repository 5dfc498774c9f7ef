// The declaration documents: one open declaration, its key, kind and block, the storage
// protocol both forms share (load by key, save, the new-not-saved rule on close, save under
// another name) and the page navigation. The windows around a document (page views, frames,
// wizards, dialogs) reach it through DocumentHost, which the application implements; the
// calculation drivers through a Calculator.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/db/ado.h"
#include "data/doc/active_declaration.h"
#include "data/doc/declaration_model.h"
#include "data/doc/reference.h"
#include "data/message_service.h"
#include "data/store/store.h"

namespace doc {

// Shown when a declaration could not be written: it stays open with its changes, to be saved
// again or under another name.
inline constexpr std::string_view kSaveFailedCode = "WIN090";
// Shown when another copy of the program saved the declaration since this one read it: nothing
// is overwritten; the declaration stays open with the user's edits, to be saved under another
// name or closed and opened again.
inline constexpr std::string_view kSaveConflictCode = store::msg::kChangedElsewhere;

// Answers of the save prompt.
enum class Answer { Yes = 6, No = 7, Cancel = 2 };

class CProg32Doc;
class CRentaDoc;

// One row of the page table Paginasx with its title from the language variant.
struct PageDefinition {
  int code = 0;
  int kind = 0;            // TipoDec
  int boxCount = 0;        // NumCuadros
  std::string picturePath; // FicheroWMF: the base folder in front, the language letter at index 7
  std::string title;       // TituloPagi
};
// Where the page table is read: the local database, the form language letter (IdiomaV) and the
// program's base folder (DirBase, ending with a separator or empty).
struct PageTables {
  db::CAdoConnection* local = nullptr;
  char language = 'e';
  std::string dirBase;
};
// Reads the page `pageCode` ("INDICEFICH = '%4d'"): FALSE when the page has no row; TRUE without
// filling `out` when only its language row is missing.
bool ReadPageDefinition(const PageTables& tables, int pageCode, PageDefinition& out);

// What a document asks of the windows around it. Defaults answer as a host without windows.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  // Stores the open box editor when its text changed; the page's result (1 accepted), 0 when
  // nothing was pending.
  virtual int CommitPendingBoxEdit() { return 0; }
  // String 122 with the key: Yes, No or Cancel.
  virtual Answer AskSaveChanges(std::string_view /*text*/) { return Answer::No; }
  // The save-as dialog: the name typed (upper case), nullopt when cancelled.
  virtual std::optional<std::string> AskSaveAsName(std::string_view /*current*/) { return std::nullopt; }
  // The application opens a declaration by name (after save as).
  virtual void OpenDeclaration(std::string_view /*key*/) {}
  virtual void HideSectionsBar() {}
  virtual void SetStatusPanes(std::string_view /*member*/, std::string_view /*kind*/) {}
  // Shows page `index` of the document's page list (creating its frame); FALSE when the frame
  // cannot be made (WIN020 shown by the host).
  virtual bool ShowPage(int /*index*/, int /*box*/) { return true; }
  // n > 0 when box n-1 of the active page must get the focus first.
  virtual int PendingBoxFocus() { return 0; }
  // Form 100: the capture-type question (0 individual, 1 joint, 255 cancelled) and the
  // personal and family data wizard over the document (FALSE when cancelled).
  virtual std::uint8_t AskCaptureType() { return 1; }
  virtual bool RunFamilyWizard(CRentaDoc& /*doc*/, bool /*isNew*/, int /*startPage*/) { return true; }
  // Form 100, a validation without findings: the tax-assignment question for `member` ("DEC",
  // "CON" or empty `who`); 0 when the user goes to mark the boxes now, 2 when they are to be
  // filled by hand, 1 to go on.
  virtual int AskTaxAssignmentChoice(int /*member*/, int /*flag*/, std::string_view /*who*/) { return 1; }
};

// One run of a calculation driver over a block.
struct CalcRequest {
  int mode = 1;
  int shownMember = 2;
  int targetMember = 2;
  bool useTargetMember = false;
  std::uint8_t modality = 0;
};
using Calculator = std::function<void(std::span<std::uint8_t> block, const CalcRequest&)>;
// The whole-declaration validator: writes its findings as CORREGIX rows and returns a negative
// value when it found nothing (type, member, section -1 for all).
using Validator = std::function<int(int type, int member, int section)>;

// The text shown with WIN026 when printed references are renewed, in the interface language.
std::string ReplaceSheetsText();

// Shared by the payment bar codes of both forms.
// "%11.2f" with blanks and "-" as "0", without the point, a "0" in front: 11 digits.
std::string BarcodeAmountDigits(double amount);
// The document's 80-byte area: "90558" and the data, zero-filled.
void KeepBarcode(std::array<char, 80>& area, std::string_view data);
// Without trailing blanks.
std::string TrimBlanks(std::string_view s);

// Where a document's printed references get their time and their prefix.
struct ReferenceSettings {
  bool remote = false;  // remote mode: reference codes begin 9997
  Clock clock = SystemLocalTime;
};

class CProg32Doc {
 public:
  // `form100`: the block is a form-100 one (the household and the member shown apply).
  CProg32Doc(store::DeclarationStore& store, DocumentHost& host, int kind, std::size_t blockSize, bool form100);
  virtual ~CProg32Doc();
  CProg32Doc(const CProg32Doc&) = delete;
  CProg32Doc& operator=(const CProg32Doc&) = delete;

  const std::string& Key() const { return key_; }  // padded to 50
  int Kind() const { return kind_; }
  // The declaration without its windows; every change of the block goes through it.
  DeclarationModel& Model() { return model_; }
  const DeclarationModel& Model() const { return model_; }
  bool IsModified() const { return model_.IsModified(); }
  bool NewNotSaved() const { return newNotSaved_; }
  void ClearNewNotSaved() { newNotSaved_ = false; }
  std::uint8_t Modality() const { return model_.Modality(); }
  int CurrentPage() const { return currentPage_; }
  const std::string& ReferenceText() const { return referenceText_; }
  const std::string& YearText() const { return yearText_; }
  // The zoom of the document's pages (1.0 to 2.0); new documents start from the profile's.
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom) { zoom_ = zoom; }

  std::span<std::uint8_t> Block() { return model_.Block(); }
  std::span<const std::uint8_t> Block() const { return model_.Block(); }
  virtual int LastPageIndex() const = 0;
  void SetReferenceSettings(ReferenceSettings settings) { referenceSettings_ = std::move(settings); }
  const ReferenceSettings& References() const { return referenceSettings_; }

  // Builds the printed reference text for an id and a member into ReferenceText().
  virtual void BuildReferenceCode(std::string_view id, int member);
  virtual bool LoadFromDatabase();
  virtual bool SaveToDatabase();
  virtual void Calculate(int /*mode*/) {}
  virtual bool IsPrinted() const { return false; }
  virtual void SetPrinted(bool) {}
  virtual bool OpenDeclaration(std::string_view key, bool isNew);
  virtual void ClearDeclarationData();
  virtual int ValidateDeclaration(int /*mode*/) { return 1; }

  // Commands.
  bool Save();                  // 57603
  bool SaveModified();          // the prompt before closing
  bool OnCloseDocument();       // FALSE: the declaration stays open
  bool SaveAs();                // 32859
  void NavigatePage(int where, int box);  // 1 first, 80 next, 90 previous, 99 last, n page n
  // Update rules of the navigation commands.
  bool CanGoFirstOrPrevious() const { return currentPage_ != 0 && currentPage_ != -1; }
  bool CanGoLast() const { return currentPage_ != LastPageIndex() && currentPage_ != -1; }
  // The page index a page code stands for (kind 2 or 255: 200 + n; kind 3: 300 + n).
  static int PageIndexFromCode(int kind, int code);

  // Runs the host's box commit (the view announces what it stored to the model). Form 100 then
  // updates its member status.
  virtual int CommitPendingBoxEdit();

  // The page table the document reads its pages' definitions from; set by the application.
  void SetPageTables(PageTables tables) { pageTables_ = std::move(tables); }
  bool ReadPageDefinition(int pageCode, PageDefinition& out) const {
    return doc::ReadPageDefinition(pageTables_, pageCode, out);
  }

 protected:
  void SetKey(std::string_view key);
  // The end of every save: writes the block's row. Written, the document is unmodified, but a
  // new declaration the user has not saved yet keeps `wasModified`. Not written, the store keeps
  // its last row and the document keeps its changes, marked modified, and says so.
  bool WriteBlock(int kind, std::optional<char> modality, bool wasModified);
  // The saved state after a save: a new declaration the user has not saved yet stays modified.
  void SettleSaved(bool wasModified) {
    if (newNotSaved_ && wasModified) model_.MarkUnsaved();
    else model_.MarkSaved();
  }
  store::DeclarationStore& store_;
  DocumentHost& host_;
  DeclarationModel model_;
  ActiveDeclarationScope active_;
  ReferenceSettings referenceSettings_;
  std::string key_;
  int kind_;
  bool newNotSaved_ = false;
  bool newDeclaration_ = false;
  // This document has written its row under the current key: a later save that would change
  // nothing in it is not written again.
  bool rowWritten_ = false;
  // The stamp of the stored block as this document last read or wrote it; a save writes only
  // over that row.
  std::optional<std::uint64_t> rowStamp_;
  int currentPage_ = -1;
  double zoom_ = 1.0;
  std::string yearText_ = "2003";
  std::string referenceText_ = std::string(60, ' ');
  PageTables pageTables_;
};

}  // namespace doc

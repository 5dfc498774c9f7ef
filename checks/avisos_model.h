// The logic of the "Avisos y errores" window: the list of a declaration's findings, the verdict
// lines, which buttons are usable, the jump to a finding's box and the print/write answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks/corrections_store.h"
#include "checks/message_service.h"

namespace checks {

// The message table of the interface language: title and text of a MessageCode.
class IMessageTexts {
 public:
  virtual ~IMessageTexts() = default;
  virtual bool Lookup(const std::string& code, std::string& title, std::string& text) = 0;
};

// What the window asks of the document and the main frame.
class IAvisosHost {
 public:
  virtual ~IAvisosHost() = default;
  virtual bool IsForm714() const = 0;
  virtual int ValidatedMember() const = 0;  // 6 when both spouses were validated
  virtual void SetShownMember(int member) = 0;
  // The main frame's go-to-page request (page position, box): WM_USER + 11.
  virtual void GoToPage(int page, int box) = 0;
  virtual void PrintDeclaration() = 0;                  // the print command 57607
  virtual void SetPrintOrFile(bool filing) = 0;         // form 714
  virtual bool HasAssignmentMarks(int member) const = 0;  // church or social-purposes box marked
  // 0 when the user chose to mark the assignment boxes now (the host then jumps there).
  virtual int AskTaxAssignmentChoice(int member, bool filing, const std::string& title) = 0;
  virtual bool Save() = 0;
  virtual void NoteBothSpousesPrinted() = 0;
};

struct AvisosListRow {
  std::string code;
  int severity = 0;  // icon: 0 warning, 1 error
  int member = 2;
  std::string memberWord;
  std::string description;  // lines separated by "\n"
  int addedLines = 0;
  int Height(int base) const { return base + (2 * addedLines * base) / 3; }
};

// Texts of the window (string table entries of the interface language).
// String ids of the window's texts.
namespace avisos_text {
inline constexpr int kCaption = 94100;             // "Avisos y errores"
inline constexpr int kColumnType = 2202;           // "Tipo de Error"
inline constexpr int kColumnDescription = 2203;    // "Descripción"
inline constexpr int kColumnMember = 28;           // "Modalidad"
inline constexpr int kInstruction = 94101;
inline constexpr int kCannotPrint = 94102;         // the verdict line as the window opens
inline constexpr int kCannotFile = 288;
inline constexpr int kCanFile = 285;
inline constexpr int kCanPrint = 271;
inline constexpr int kReviewWarnings = 273;
inline constexpr int kSelectFirst = 87;
inline constexpr int kPrint = 94106;               // "&Imprimir"
inline constexpr int kWrite = 295;                 // "Escribir"
inline constexpr int kDeclarantTitle = 302;
inline constexpr int kSpouseTitle = 303;
inline constexpr int kWarnings = 94103;            // the legends "Avisos" and "Errores"
inline constexpr int kErrors = 94104;
inline constexpr int kReview = 94105;              // the buttons
inline constexpr int kPrintList = 94107;
inline constexpr int kDetailed = 94108;
// The text of an id in the interface language.
std::string Get(int id);
}  // namespace avisos_text

// Dialog end codes.
enum AvisosResult : int { kAvisosPrinting = 1, kAvisosClosed = 2, kAvisosJumped = 5, kAvisosWriteFile = 6 };

// The member's word in the interface language ("DECLARANTE" ...), and back.
std::string MemberWord(int member);
int MemberFromWord(const std::string& word);
// Strips trailing blanks and literal "\n" pairs and breaks a text longer than 75 characters into
// lines; returns the number of line breaks added.
int BreakDescription(std::string& text);

class AvisosErroresModel {
 public:
  AvisosErroresModel(ICorrectionsStore& store, IMessageTexts& texts, IMessageService& messages)
      : store_(store), texts_(texts), messages_(messages) {}

  void SetDeclarationKey(const std::string& key);
  void SetValidationResult(int result) { validationResult_ = result; }
  void SetFilingMode(bool filing) { filingMode_ = filing; }
  bool FilingMode() const { return filingMode_; }

  // Reads the rows; false when the window is to close at once (end code 2).
  bool Load();

  const std::vector<AvisosListRow>& Rows() const { return rows_; }
  bool WriteEnabled() const { return writeEnabled_; }
  bool ReviewEnabled() const { return !rows_.empty(); }
  bool PrintListEnabled() const { return !rows_.empty(); }
  bool InstructionVisible() const { return !rows_.empty() || !writeEnabled_; }
  bool WarningsLegendVisible() const { return InstructionVisible(); }
  bool ErrorsLegendVisible() const { return !writeEnabled_; }
  std::string WriteButtonText() const { return avisos_text::Get(filingMode_ ? avisos_text::kWrite : avisos_text::kPrint); }
  std::string Verdict() const;
  std::string SecondVerdict() const;
  bool LoadFailed() const { return loadFailed_; }

  struct Jump {
    int page, box, member;
  };
  // The box of list row `row` (1-based; 0 is the heading); nothing for rows outside the list.
  std::optional<Jump> JumpFor(int row);
  // Jumps to the box of the row: end code 5, or 0 when there is nothing to do.
  int GoTo(int row, IAvisosHost& host);
  // "&Imprimir" / "Escribir": the end code, or 0 when the window stays open.
  int PrintOrWrite(IAvisosHost& host);

 private:
  ICorrectionsStore& store_;
  IMessageTexts& texts_;
  IMessageService& messages_;
  std::string key_;
  int validationResult_ = -1;
  bool filingMode_ = false;
  bool writeEnabled_ = true;
  bool loadFailed_ = false;
  std::vector<AvisosListRow> rows_;
};

}  // namespace checks

// Printing a declaration: every page in use drawn from its picture and its boxes as printed (boxes
// shown only on screen left out), scaled to the sheet, with the sheet's machine-readable marks
// (the identification barcode, the reference barcode, the dot code of the filing record on the
// first sheet) and, on a trial copy, the watermark "PRUEBA".
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/print/print_plan.h"

#include <QRect>

class QPagedPaintDevice;
class QPainter;
class IMessageService;

namespace doc {
class C714Doc;
class CRentaDoc;
}

namespace forms {

class CProg32View;
class IPageHost;
class CFormView;

struct PrintJob {
  int kind = 2;                 // 2 form 100, 3 form 714
  std::vector<int> pages;       // page codes, in order
  bool trial = false;           // a trial copy: watermark "PRUEBA", no marks to be read
  std::string nif;              // the printed holder's identification number
  std::string nameCode;         // the identification code from the name ("ABC-X")
  std::string spouseNif;        // form 100: the other spouse's, empty when not known
  std::string spouseNameCode;
  std::string reference;        // the printed reference (13 characters are coded)
  std::string filingText;       // the filing record packed into the dot code; empty: none
  char language = 'e';          // the printing language: pictures, box texts, holder words, copy labels
  bool internet = false;        // the copy of a filed declaration: one copy, no dot code, no reference
  bool extraCopy = false;       // an additional copy for the taxpayer
  std::optional<print::PageSelection> selection;  // the pages chosen for a repeated print
  // Told of each sheet once its page is drawn (page code, copy kind, the page as printed).
  std::function<void(int page, int copyKind, CFormView& view)> sheetDrawn;
};

// A machine-readable mark of a printed sheet and the rectangle (page units) it may take, its
// human-readable text included: the page pictures keep these free.
struct MarkArea {
  enum Kind { Identification, SpouseIdentification, Reference, Payment, DotCode, SheetMark } kind;
  QRect rect;
};
// The marks a sheet of page `page` carries in a print of form `kind`: the paper copy of an
// internet filing has neither dot code nor reference nor payment barcode; `dotCodePieces`
// symbols of the dot code (up to 4), the spouse's barcode when `spouse`.
std::vector<MarkArea> SheetMarkAreas(int kind, int page, bool internet, int dotCodePieces, bool spouse);

// The sheets of `job`: its copies, each page with its copy kind.
std::vector<print::PlannedSheet> PlannedSheets(const PrintJob& job);

// One print on one device, of one or more declarations in turn: the print of both spouses puts the
// spouse's copies after the declarant's. The document shows each declaration's member while its
// job is printed; the caller switches it between jobs.
class PrintSession {
 public:
  explicit PrintSession(QPagedPaintDevice& device);
  ~PrintSession();
  PrintSession(const PrintSession&) = delete;
  PrintSession& operator=(const PrintSession&) = delete;

  // Prints the sheets of `job` after those printed before. FALSE when a page could not be laid
  // out or the device refused to paint; the session then prints nothing more.
  bool Print(IPageHost& host, const PrintJob& job, IMessageService* messages);
  // Ends the print; whether every job printed.
  bool End();

 private:
  QPagedPaintDevice& device_;
  std::unique_ptr<QPainter> painter_;
  bool started_ = false, sheetDrawn_ = false, ok_ = true;
};

// Prints `job` on `device` (a printer or a PDF writer), one sheet per planned sheet and the
// continuation sheets of form-100 pages whose rows do not fit on one. FALSE when a
// page could not be laid out or the device refused to paint.
bool PrintDeclaration(IPageHost& host, const PrintJob& job, QPagedPaintDevice& device, IMessageService* messages);

// The page of `view` as printed (its picture and boxes), fitted to `sheet` (device pixels).
void DrawPageOnSheet(QPainter& painter, CProg32View& view, const QRect& sheet);

// What the printed pages of form 100 read from the document for the sheets of a print: the
// taxpayer's copy, its label in the printing language `language`, and the identification codes of
// `member` (1 family unit .. 5 child 2) and of the other spouse (without "-"). The print clears
// them when it ends.
void PreparePrintSheet(doc::CRentaDoc& document, char language, int member);

// What the printed form-714 sheets read from the document: the identification code from the name
// (without "-") and, except for the paper copy of an internet filing, the payment barcode text,
// whose data it returns (empty for that copy, whose barcode text is cleared).
std::string PreparePrintSheet714(doc::C714Doc& document);
// The copy kind of the sheet being printed and its label in the printing language `language`.
void SetCopyLabel714(doc::C714Doc& document, int copyKind, char language);

// Whether page `pageCode` of a print carries a value of the member shown: a box holding one that
// is not a preprinted field of the page (form 100's page 213 has its own such fields).
bool PageHasContent(IPageHost& host, int kind, int pageCode);
// The pages of DefinedPages that a print carries: form 100's pages 202 to 208 and 213 to 216, and
// form 714's pages 302 to 308, only with content (PageHasContent); the others always.
std::vector<int> PagesInUse(IPageHost& host, int kind);

// The pages of the declaration that have box definitions, in print order (form 100: the summary
// sheet, page 1 as printed, pages 2 to 18, the signature page).
std::vector<int> DefinedPages(IPageHost& host, int kind);

}  // namespace forms

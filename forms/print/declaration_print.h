// Printing a declaration: every page in use drawn from its picture and its boxes as printed (boxes
// shown only on screen left out), scaled to the sheet, with the sheet's machine-readable marks
// (the identification barcode, the reference barcode, the dot code of the filing record on the
// first sheet) and, on a trial copy, the watermark "PRUEBA".
#pragma once

#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRect;
class IMessageService;

namespace doc {
class CRentaDoc;
}

namespace forms {

class CProg32View;
class IPageHost;

struct PrintJob {
  int kind = 2;                 // 2 form 100, 3 form 714
  std::vector<int> pages;       // page codes, in order
  bool trial = false;           // a trial copy: watermark "PRUEBA", no marks to be read
  std::string nif;              // the printed holder's identification number
  std::string nameCode;         // the identification code from the name ("ABC-X")
  std::string reference;        // the printed reference (13 characters are coded)
  std::string filingText;       // the filing record packed into the dot code; empty: none
};

// Prints `job` on `device` (a printer or a PDF writer), one sheet per page. FALSE when a page
// could not be laid out or the device refused to paint.
bool PrintDeclaration(IPageHost& host, const PrintJob& job, QPagedPaintDevice& device, IMessageService* messages);

// The page of `view` as printed (its picture and boxes), fitted to `sheet` (device pixels).
void DrawPageOnSheet(QPainter& painter, CProg32View& view, const QRect& sheet);

// What the printed pages of form 100 read from the document for the sheets of a print: the
// taxpayer's copy, its label in the printing language `language`, and the identification codes of
// `member` (1 family unit .. 5 child 2) and of the other spouse (without "-"). The print clears
// them when it ends.
void PreparePrintSheet(doc::CRentaDoc& document, char language, int member);

// The pages of the declaration that have box definitions, in print order (form 100: the summary
// sheet, page 1 as printed, pages 2 to 18, the signature page).
std::vector<int> DefinedPages(IPageHost& host, int kind);

}  // namespace forms

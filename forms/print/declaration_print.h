// Printing a declaration: every page in use drawn from its picture and its boxes as printed (boxes
// shown only on screen left out), scaled to the sheet, with the sheet's machine-readable marks
// (the identification barcode, the reference barcode, the dot code of the filing record on the
// first sheet) and, on a trial copy, the watermark "PRUEBA".
#pragma once

#include <string>
#include <vector>

class QPagedPaintDevice;
class IMessageService;

namespace forms {

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

// The pages of the declaration that have box definitions, in order.
std::vector<int> DefinedPages(IPageHost& host, int kind);

}  // namespace forms

// The print command (57607) of an open declaration, with what a print remembers for the next one
// (the printer or file printed to) and the two ways it is asked for besides the menu: the paper
// copy of a filed declaration and the print button of "Avisos y errores".
#pragma once

#include <QString>

#include <string>

namespace forms {
struct PrintJob;
}

namespace app {

class CDeclarationDocument;
class CFilingContextFactory;

class CPrintCommand {
 public:
  CPrintCommand(CDeclarationDocument& document, CFilingContextFactory& filing)
      : document_(document), filing_(filing) {}

  // Whether the declaration was printed.
  bool Run();
  // Set while the paper copy of a filing file just written is printed.
  void SetInternetCopy(bool on) { internetCopy_ = on; }
  // The print the findings window's print button asks for: the member is chosen and validated.
  bool RunCorrectionsPrint();
  // The record the dot code of a print carries: the filing record of `member` (form 100) marked
  // as printed; empty when it cannot be built.
  std::string DotCodeText(int member);

 private:
  void FillPrintIdentity(forms::PrintJob& job, int member);

  CDeclarationDocument& document_;
  CFilingContextFactory& filing_;
  // Set while the paper copy of a filed declaration is printed.
  bool internetCopy_ = false;
  // Set for the print that the findings window's print button asks for: member chosen, validated.
  bool correctionsPrint_ = false;
  // The printer of the last print (or the file it printed to): the next print starts from it.
  QString printerName_, printerFile_;
};

}  // namespace app

// The printer set-up a page view keeps for its printing: the printer's names and the device mode
// fields the program sets (orientation, duplex, paper, quality).
#pragma once

#include <QString>

class QPrinter;

#include <optional>

namespace forms {

struct PrinterSetup {
  QString printerName;  // empty: the system's default printer, or none
  QString driverName;
  QString portName;
  bool defaultPrinter = false;
  int orientation = 1;   // 1 portrait, 2 landscape
  int duplex = 1;        // 1 simplex
  int paperSize = 9;     // 9 A4
  int printQuality = -4; // high
};

// The set-up of the printer `name` (empty: the default printer); none when no such printer exists.
std::optional<PrinterSetup> GetNamedPrinterSetup(const QString& name);
// The view's default: the default printer's set-up, else the program's default adjusted to
// portrait, simplex, A4 and high quality.
PrinterSetup DefaultPrinterSetup();
// The set-up that `printer` has been given (its print dialog's choices).
PrinterSetup SetupOfPrinter(const QPrinter& printer);

}  // namespace forms

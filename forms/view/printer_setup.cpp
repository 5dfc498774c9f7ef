#include "forms/view/printer_setup.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace forms {

std::optional<PrinterSetup> GetNamedPrinterSetup(const QString& name) {
  const QPrinterInfo info = name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
  if (info.isNull()) return std::nullopt;
  PrinterSetup s;
  s.printerName = info.printerName();
  s.driverName = info.makeAndModel();
  s.portName = info.location();
  s.defaultPrinter = info.isDefault();
  s.duplex = info.defaultDuplexMode() == QPrinter::DuplexNone ? 1 : 2;
  s.paperSize = info.defaultPageSize().id() == QPageSize::A4 ? 9 : info.defaultPageSize().windowsId();
  return s;
}

PrinterSetup DefaultPrinterSetup() {
  if (auto named = GetNamedPrinterSetup(QString())) return *named;
  return PrinterSetup{};
}

PrinterSetup SetupOfPrinter(const QPrinter& printer) {
  PrinterSetup s;
  s.printerName = printer.printerName();
  const QPageLayout layout = printer.pageLayout();
  s.orientation = layout.orientation() == QPageLayout::Portrait ? 1 : 2;
  switch (printer.duplex()) {
    case QPrinter::DuplexLongSide: s.duplex = 2; break;
    case QPrinter::DuplexShortSide: s.duplex = 3; break;
    default: s.duplex = 1; break;  // none, or the printer's own default
  }
  s.paperSize = layout.pageSize().id() == QPageSize::A4 ? 9 : layout.pageSize().windowsId();
  s.printQuality = printer.resolution();
  return s;
}

}  // namespace forms

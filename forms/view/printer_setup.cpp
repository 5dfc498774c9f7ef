#include "forms/view/printer_setup.h"

#include <QPageLayout>
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

}  // namespace forms

#include "forms/print/declaration_print.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>

#include "forms/print/barcodes.h"
#include "forms/view/form_views.h"

namespace forms {

namespace {

// The watermark of a trial copy, across the sheet.
void DrawTrialMark(QPainter& p, const QRect& sheet) {
  p.save();
  QFont f(QStringLiteral("Liberation Sans"));
  f.setBold(true);
  f.setPixelSize(std::max(1, sheet.height() / 8));
  p.setFont(f);
  p.setPen(QColor(160, 160, 160));
  p.translate(sheet.center());
  p.rotate(-45);
  p.drawText(QRect(-sheet.width(), -sheet.height() / 8, 2 * sheet.width(), sheet.height() / 4), Qt::AlignCenter,
             QStringLiteral("PRUEBA"));
  p.restore();
}

}  // namespace

std::vector<int> DefinedPages(IPageHost& host, int kind) {
  std::vector<int> pages;
  const int first = kind == 3 ? 301 : 201;
  const int count = kind == 3 ? 12 : 17;
  for (int code = first; code < first + count; ++code)
    if (CPageBoxList::PageHasBoxes(host.LocalDatabase(), code)) pages.push_back(code);
  // Form 100 ends with its signature page.
  if (kind != 3 && CPageBoxList::PageHasBoxes(host.LocalDatabase(), 290)) pages.push_back(290);
  return pages;
}

bool PrintDeclaration(IPageHost& host, const PrintJob& job, QPagedPaintDevice& device, IMessageService* messages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect sheet(0, 0, device.width(), device.height());
  const print::SheetScales scales = print::ScalesOf(sheet.size());
  bool first = true;
  for (int code : job.pages) {
    std::unique_ptr<CFormView> view(CreatePageView(host, job.kind, code));
    if (!view || !view->Create()) {
      painter.end();
      return false;
    }
    view->SetPrinting(true);
    if (!first) device.newPage();
    // The page as printed, fitted to the sheet in page units.
    painter.save();
    const QSize page = view->PageSize();
    const double s = std::min(static_cast<double>(sheet.width()) / page.width(),
                              static_cast<double>(sheet.height()) / page.height());
    painter.scale(s, s);
    view->RenderPage(painter, QPoint(0, 0));
    painter.restore();
    if (job.trial) {
      DrawTrialMark(painter, sheet);
    } else {
      if (!job.nif.empty())
        print::DrawEan128Barcode(painter, print::kIdentificationPrefix, print::IdentificationData(job.nif, job.nameCode),
                                 print::ToDevice(print::kIdentificationRect, scales), messages);
      if (!job.reference.empty()) print::DrawReferenceBarcode(painter, job.reference, scales, messages);
      if (first && !job.filingText.empty())
        print::DrawDotCodeSheet(painter, sheet.size(), job.filingText, job.kind == 3 ? 714 : 100, job.nif, messages);
    }
    first = false;
  }
  return painter.end();
}

}  // namespace forms

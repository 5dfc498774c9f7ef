#include "forms/print/declaration_print.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <memory>

#include "blocks/form100.h"
#include "data/doc/renta_doc.h"
#include "forms/print/barcodes.h"
#include "forms/print/copy_label.h"
#include "forms/print/name_code.h"
#include "forms/view/form_views.h"
#include "platform/strings.h"

namespace forms {

namespace {
constexpr int kStrTrialWatermark = 99753;

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
             platform::LoadString(kStrTrialWatermark));
  p.restore();
}

// A "%15.15s" text without its leading blanks (the trailing ones stay).
std::string NamePart(const std::uint8_t* field) {
  std::string s(reinterpret_cast<const char*>(field), 15);
  s = s.substr(0, s.find('\0'));
  return s.substr(std::min(s.size(), s.find_first_not_of(' ')));
}

// The identification code of a NIF and the three parts of a name, without "-"; empty when the
// NIF or the name is.
std::string IdentificationCode(const std::uint8_t* family, const blocks::Text& nif, const blocks::Text& surname1,
                               const blocks::Text& surname2, const blocks::Text& given) {
  std::string n(nif.raw(family));
  n = n.substr(0, n.find('\0'));
  const std::string name =
      NamePart(family + surname1.off) + ' ' + NamePart(family + surname2.off) + ' ' + NamePart(family + given.off);
  if (n.find_first_not_of(' ') == std::string::npos || name.find_first_not_of(' ') == std::string::npos) return {};
  std::string code = CNameCode(name, n).GetCode();
  code.erase(std::remove(code.begin(), code.end(), '-'), code.end());
  return code;
}

}  // namespace

void PreparePrintSheet(doc::CRentaDoc& d, char language, int member) {
  doc::CRentaDoc::PrintSheet& sheet = d.PrintSheetState();
  sheet = {};
  sheet.copyKind = 1;
  sheet.language = language;
  const std::string label = print::CopyLabelText(sheet.copyKind, sheet.language);
  std::memcpy(sheet.copyLabel.data(), label.data(), std::min(label.size(), sheet.copyLabel.size() - 1));
  const std::span<std::uint8_t> block = d.Block();
  const int h = member - 1;
  if (block.size() < f100::kBlockSize || h < 0 || h > 4) return;
  namespace fam = f100::family;
  const std::size_t m = static_cast<std::size_t>(h);
  const std::uint8_t* family = block.data() + f100::Family.offset;
  const std::string codes[2] = {
      IdentificationCode(family, fam::HolderNif(m), fam::HolderSurname1(m), fam::HolderSurname2(m), fam::HolderGivenName(m)),
      IdentificationCode(family, fam::SpouseNif(m), fam::SpouseSurname1(m), fam::SpouseSurname2(m), fam::SpouseGivenName(m))};
  for (std::size_t i = 0; i < 2; ++i)
    std::memcpy(sheet.identificationCodes[i].data(), codes[i].data(),
                std::min(codes[i].size(), sheet.identificationCodes[i].size() - 1));
}

std::vector<int> DefinedPages(IPageHost& host, int kind) {
  std::vector<int> pages;
  auto add = [&](int code) {
    if (CPageBoxList::PageHasBoxes(host.LocalDatabase(), code)) pages.push_back(code);
  };
  if (kind == 3) {
    for (int code = 301; code <= 312; ++code) add(code);
    return pages;
  }
  // Form 100 prints the summary sheet and page 1 as printed (never the screen's page 1), pages
  // 2 to 18, and ends with its signature page.
  add(222);
  add(220);
  for (int code = 202; code <= 218; ++code) add(code);
  add(290);
  return pages;
}

bool PrintDeclaration(IPageHost& host, const PrintJob& job, QPagedPaintDevice& device, IMessageService* messages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect sheet(0, 0, device.width(), device.height());
  const print::SheetScales scales = print::ScalesOf(sheet.size());
  auto* renta = job.kind == 2 ? dynamic_cast<doc::CRentaDoc*>(host.PageDocument()) : nullptr;
  if (renta) PreparePrintSheet(*renta, host.Language(), renta->ShownMember());
  bool first = true;
  for (int code : job.pages) {
    std::unique_ptr<CFormView> view(CreatePageView(host, job.kind, code));
    if (!view || !view->Create()) {
      if (renta) renta->PrintSheetState() = {};
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
  if (renta) renta->PrintSheetState() = {};
  return painter.end();
}

}  // namespace forms

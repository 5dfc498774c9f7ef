#include "forms/print/declaration_print.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "blocks/form100.h"
#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "data/doc/reference.h"
#include "data/doc/renta_doc.h"
#include "forms/print/barcodes.h"
#include "forms/print/copy_label.h"
#include "forms/print/name_code.h"
#include "forms/print/trial_copy.h"
#include "forms/view/form_views.h"
#include "ui/drawing_target.h"
#include "platform/strings.h"

namespace forms {

namespace {

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

bool FirstSheet(int kind, int page) { return kind == 3 ? page == 301 : page == 222; }
bool PaymentSheet(int kind, int page) { return kind == 3 ? (page == 311 || page == 312) : (page == 217 || page == 218); }

// The identification barcode: on the first sheet and the payment sheets; form 100's payment
// document has it a little lower.
QRect IdentificationArea(int kind, int page) {
  QRect r = print::kIdentificationRect;
  if (kind != 3 && PaymentSheet(kind, page)) r.moveTop(137);
  return r;
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

std::string PreparePrintSheet714(doc::C714Doc& d) {
  doc::C714Doc::PrintSheet& sheet = d.PrintSheetState();
  sheet.identificationCode.fill(0);
  const std::span<std::uint8_t> block = d.Block();
  if (block.size() < f714::kBlockSize) return {};
  namespace per = f714::personal;
  const std::string code = IdentificationCode(block.data() + f714::Personal.offset, per::Nif, per::Surname1,
                                              per::Surname2, per::GivenName);
  std::memcpy(sheet.identificationCode.data(), code.data(), std::min(code.size(), sheet.identificationCode.size() - 1));
  if (sheet.internetCopy) {
    d.ClearBarcode();
    return {};
  }
  return d.BuildBarcodeData();
}

void SetCopyLabel714(doc::C714Doc& d, int copyKind, char language) {
  doc::C714Doc::PrintSheet& sheet = d.PrintSheetState();
  sheet.copyKind = copyKind;
  const std::string label = print::CopyLabelText(sheet.copyKind, language);
  sheet.copyLabel.fill(0);
  std::memcpy(sheet.copyLabel.data(), label.data(), std::min(label.size(), sheet.copyLabel.size() - 1));
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

bool PageHasContent(IPageHost& host, int kind, int pageCode) {
  std::unique_ptr<CFormView> view(CreatePageView(host, kind, pageCode));
  if (!view || !view->Create()) return false;
  std::vector<doc::PageBox> boxes;
  for (int i = 0; i < view->GetBoxCount(); ++i) {
    const CBoxField& box = *view->GetBox(i);
    std::string id = box.Identifica;
    while (!id.empty() && (id.back() == ' ' || id.back() == '\0')) id.pop_back();
    boxes.push_back({box.HasValue(), box.PintarEn, box.TypeLetter(), std::move(id)});
  }
  const int pageType = kind == 3 ? 3 : pageCode == 213 ? 4 : 0;
  return doc::PageHasContent(pageType, boxes);
}

std::vector<int> PagesInUse(IPageHost& host, int kind) {
  std::vector<int> pages;
  for (int code : DefinedPages(host, kind)) {
    const bool byContent = kind == 3 ? code >= 302 && code <= 308
                                     : (code >= 202 && code <= 208) || (code >= 213 && code <= 216);
    if (!byContent || PageHasContent(host, kind, code)) pages.push_back(code);
  }
  return pages;
}

std::vector<MarkArea> SheetMarkAreas(int kind, int page, bool internet, int dotCodePieces, bool spouse) {
  std::vector<MarkArea> areas;
  const bool first = FirstSheet(kind, page), paymentSheet = PaymentSheet(kind, page);
  if (first || paymentSheet) areas.push_back({MarkArea::Identification, IdentificationArea(kind, page)});
  if (first && kind == 2 && spouse) areas.push_back({MarkArea::SpouseIdentification, print::kSpouseIdentificationRect});
  if (paymentSheet && !internet) {
    areas.push_back({MarkArea::Reference, print::kReferenceRect});
    areas.push_back({MarkArea::Payment, print::kPaymentRect});
  }
  if (first && !internet && dotCodePieces > 0) {
    const std::vector<QRect> symbols = print::DotCodeAreas(kind == 3 ? 714 : 100);
    for (int k = 0; k < std::min<int>(dotCodePieces, static_cast<int>(symbols.size())); ++k)
      areas.push_back({MarkArea::DotCode, symbols[static_cast<std::size_t>(k)]});
    areas.push_back({MarkArea::SheetMark, print::SheetMarkArea()});
  }
  return areas;
}

std::vector<print::PlannedSheet> PlannedSheets(const PrintJob& job) {
  print::PlanOptions o;
  o.form = job.kind == 3 ? 714 : 100;
  o.pages = job.pages;
  o.internet = job.internet;
  o.extraCopy = job.extraCopy;
  o.selection = job.selection;
  return print::PlanSheets(o);
}

namespace {

// The declaration's host as seen by the pages of a print: the printing language instead of the
// screen's.
class PrintingHost : public IPageHost {
 public:
  PrintingHost(IPageHost& host, char language) : host_(host), language_(language) {}
  doc::CProg32Doc* PageDocument() override { return host_.PageDocument(); }
  db::CAdoConnection* LocalDatabase() override { return host_.LocalDatabase(); }
  db::CAdoConnection* ModulesDatabase(const std::string& name) override { return host_.ModulesDatabase(name); }
  char Language() const override { return language_; }
  IMessageService* Messages() override { return host_.Messages(); }
  void ShowStringMessage(int stringId, bool stop) override { host_.ShowStringMessage(stringId, stop); }
  int RunFieldCheck(int number, void* value) override { return host_.RunFieldCheck(number, value); }

 private:
  IPageHost& host_;
  char language_;
};

// Form 100's printed pages whose row areas go on over continuation sheets (activities, capital
// gains, attributed income, ...), and a bound on them.
bool HasContinuationSheets(int kind, int pageCode) {
  return kind == 2 && ((pageCode >= 203 && pageCode <= 208) || pageCode == 210);
}
constexpr int kMaxContinuationSheets = 8;

bool IsCopyLabelBox(const CBoxField& box) {
  std::string id = box.Identifica;
  while (!id.empty() && (id.back() == ' ' || id.back() == '\0')) id.pop_back();
  return id == "EJEMPLAR";
}

}  // namespace

void DrawPageOnSheet(QPainter& painter, CProg32View& view, const QRect& sheet) {
  // The page as printed, fitted to the sheet in page units.
  painter.save();
  const QSize page = view.PageSize();
  const double s = std::min(static_cast<double>(sheet.width()) / page.width(),
                            static_cast<double>(sheet.height()) / page.height());
  painter.translate(sheet.topLeft());
  painter.scale(s, s);
  view.RenderPage(painter, QPoint(0, 0));
  painter.restore();
}

PrintSession::PrintSession(QPagedPaintDevice& device) : device_(device), painter_(std::make_unique<QPainter>()) {}

PrintSession::~PrintSession() {
  if (painter_->isActive()) painter_->end();
}

bool PrintSession::Print(IPageHost& pageHost, const PrintJob& job, IMessageService* messages) {
  if (!ok_) return false;
  const std::vector<print::PlannedSheet> sheets = PlannedSheets(job);
  if (sheets.empty()) return ok_ = false;
  if (!started_) {
    started_ = true;
    if (!painter_->begin(&device_)) return ok_ = false;
  }
  QPainter& painter = *painter_;
  PrintingHost host(pageHost, job.language);
  ui::PrintingLanguageScope holderWords(job.language);
  const QRect sheet(0, 0, device_.width(), device_.height());
  const print::SheetScales scales = print::ScalesOf(sheet.size());
  auto* renta = job.kind == 2 ? dynamic_cast<doc::CRentaDoc*>(host.PageDocument()) : nullptr;
  if (renta) PreparePrintSheet(*renta, job.language, renta->ShownMember());
  auto* wealth = job.kind == 3 ? dynamic_cast<doc::C714Doc*>(host.PageDocument()) : nullptr;
  if (wealth) wealth->PrintSheetState().internetCopy = job.internet;
  // The payment barcode of the payment sheets: none on a trial copy, nor on the paper copy of an
  // internet filing (whose payment text is cleared).
  std::string payment;
  if (wealth && !job.trial) {
    payment = PreparePrintSheet714(*wealth);
  } else if (renta && !job.trial) {
    if (job.internet) renta->BarcodeArea().fill(0);
    else payment = renta->BuildBarcodeData();
  }
  std::array<char, print::kCopyLabelWidth> label{};
  for (const print::PlannedSheet& planned : sheets) {
    // The copy label of the sheet, in the printing language.
    label.fill('\0');
    const std::string text = print::CopyLabelText(planned.copyKind, job.language);
    std::memcpy(label.data(), text.data(), std::min(text.size(), label.size() - 1));
    if (renta) {
      renta->PrintSheetState().copyKind = planned.copyKind;
      renta->PrintSheetState().internetCopy = job.internet;
      renta->PrintSheetState().copyLabel = label;
    }
    if (wealth) SetCopyLabel714(*wealth, planned.copyKind, job.language);
    std::unique_ptr<CFormView> view(CreatePageView(host, job.kind, planned.page));
    if (!view || !view->Create()) {
      ok_ = false;
      break;
    }
    view->SetPrinting(true);
    // A page whose rows do not fit goes on over continuation sheets, each with the page's marks.
    CPageBoxList* list = view->BoxList();
    const bool continued = list && HasContinuationSheets(job.kind, planned.page);
    for (int s = 1; s <= kMaxContinuationSheets; ++s) {
      if (continued && !list->SelectSheet(s, 1) && s > 1) break;
      // Selecting a sheet binds the boxes again: the label goes to the copy-label box after it.
      for (int i = 0; i < view->GetBoxCount(); ++i)
        if (CBoxField* box = view->GetBox(i); box->data == nullptr && IsCopyLabelBox(*box)) box->data = label.data();
      if (sheetDrawn_ && !device_.newPage()) {
        ok_ = false;
        break;
      }
      DrawPageOnSheet(painter, *view, sheet);
      if (job.trial) {
        DrawTrialWatermark(painter, sheet);
      } else {
        const bool first = FirstSheet(job.kind, planned.page);
        const bool paymentSheet = PaymentSheet(job.kind, planned.page);
        if ((first || paymentSheet) && !job.nif.empty())
          print::DrawEan128Barcode(painter, print::kIdentificationPrefix,
                                   print::IdentificationData(job.nif, job.nameCode),
                                   print::ToDevice(IdentificationArea(job.kind, planned.page), scales), messages);
        if (first && job.kind == 2 && !job.spouseNif.empty()) {
          QRect spouse = print::ToDevice(print::kSpouseIdentificationRect, scales);
          spouse.setHeight(spouse.height() - 20);
          print::DrawEan128Barcode(painter, print::kIdentificationPrefix,
                                   print::IdentificationData(job.spouseNif, job.spouseNameCode), spouse, messages);
        }
        if (paymentSheet && !job.internet && !job.reference.empty())
          print::DrawReferenceBarcode(painter, job.reference, scales, messages);
        if (paymentSheet && !job.internet && !payment.empty())
          print::DrawEan128Barcode(painter, print::kPaymentPrefix, payment, print::ToDevice(print::kPaymentRect, scales),
                                   messages);
        if (first && !job.internet && !job.filingText.empty()) {
          const print::DotCodeOutcome dot = print::DrawDotCodeSheet(
              painter, sheet.size(), job.filingText, job.kind == 3 ? 714 : 100, job.nif, messages);
          if (renta) renta->SetDotCodePieceCount(dot.pieceCount);
          if (wealth) wealth->SetDotCodePieceCount(dot.pieceCount);
          if (dot.markDue) {
            const char mark = renta ? renta->SheetMarkChar() : wealth ? wealth->SheetMarkChar() : ' ';
            print::DrawSheetMark(painter, mark, print::PrintScaleX(sheet.size()), print::PrintScaleY(sheet.size()));
          }
        }
      }
      if (job.sheetDrawn) job.sheetDrawn(planned.page, planned.copyKind, *view);
      sheetDrawn_ = true;
      if (!continued) break;
    }
    if (!ok_) break;
  }
  // The sheets' labels go with the print; the identification code stays with the declaration.
  if (renta) renta->PrintSheetState() = {};
  if (wealth) {
    wealth->PrintSheetState().copyKind = 0;
    wealth->PrintSheetState().copyLabel.fill(0);
  }
  return ok_;
}

namespace {

// Whether a file the print wrote holds the whole document: the writer's end mark within its last
// bytes. A full disk or a failing device cuts it short without the painter noticing.
bool OutputFileWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size <= 0) return false;
  const std::streamoff tail = std::min<std::streamoff>(size, 64);
  std::string last(static_cast<std::size_t>(tail), '\0');
  in.seekg(size - tail);
  if (!in.read(last.data(), tail)) return false;
  return last.find("%%EOF") != std::string::npos;
}

}  // namespace

bool PrintSession::End() {
  if (painter_->isActive() && !painter_->end()) ok_ = false;
  auto* printer = dynamic_cast<QPrinter*>(&device_);
  if (printer && (printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted))
    ok_ = false;
  const std::string file = printer && printer->outputFormat() == QPrinter::PdfFormat
                               ? printer->outputFileName().toStdString()
                               : std::string();
  if (ok_ && started_ && !file.empty() && !OutputFileWhole(file)) ok_ = false;
  // A print that failed leaves no file that looks like a printed declaration.
  if (!ok_ && started_ && !file.empty()) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec)) std::filesystem::remove(file, ec);
  }
  return ok_ && started_;
}

bool PrintDeclaration(IPageHost& host, const PrintJob& job, QPagedPaintDevice& device, IMessageService* messages) {
  PrintSession session(device);
  session.Print(host, job, messages);
  return session.End();
}

}  // namespace forms

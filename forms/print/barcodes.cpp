#include "forms/print/barcodes.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <span>

#include "data/message_service.h"
#include "forms/print/packed_record.h"

namespace forms::print {
namespace {

int Trunc(double v) { return static_cast<int>(v); }

std::span<const unsigned char> Bytes(std::string_view s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

void Show(IMessageService* messages, std::string_view code, MessageIcon icon) {
  if (messages) messages->ShowMessage(code, icon);
}

int DrawLinear(QPainter& p, const platform::BarcodeResult& r, const QRect& device, IMessageService* messages) {
  if (!r.ok()) {
    Show(messages, "PDF001", MessageIcon::Stop);
    return 1;
  }
  platform::DrawLinearSymbol(p, r.symbol, QRectF(device));
  return 0;
}

// Modules across a PDF417 symbol of `columns` data columns (start, indicators, stop).
int Pdf417Modules(int columns) { return 17 * columns + 69; }

}  // namespace

SheetScales ScalesOf(QSize viewport) {
  return {static_cast<float>(viewport.width()) * 0.0012658228f, static_cast<float>(viewport.height()) * 0.0009090909f};
}

QRect ToDevice(const QRect& page, SheetScales s) {
  return QRect(Trunc(page.x() * s.sx), Trunc(page.y() * s.sy), Trunc(page.width() * s.sx), Trunc(page.height() * s.sy));
}

std::string IdentificationData(std::string_view nif, std::string_view nameCode) {
  std::string data = "00000" + std::string(nif);
  for (char c : nameCode)
    if (c != '-') data += c;
  return data;
}

std::string Ean128ElementString(std::string_view prefix, std::string_view data) {
  std::string s;
  if (prefix.size() < 2) return s.append(prefix).append(data);
  return s.append("[").append(prefix.substr(0, 2)).append("]").append(prefix.substr(2)).append(data);
}

std::string ReferenceBarcodeText(std::string_view reference) {
  return std::string(kReferencePrefix) + std::string(reference.substr(0, 13));
}

int DrawEan128Barcode(QPainter& p, std::string_view prefix, std::string_view data, const QRect& device,
                      IMessageService* messages) {
  if (data.empty()) return 1;
  p.save();
  const int result = DrawLinear(p, platform::EncodeGs1_128(Ean128ElementString(prefix, data)), device, messages);
  p.restore();
  return result;
}

int DrawReferenceBarcode(QPainter& p, std::string_view reference, SheetScales s, IMessageService* messages) {
  if (reference.empty()) return 1;
  const QRect device = ToDevice(kReferenceRect, s);
  p.save();
  const int result = DrawLinear(p, platform::EncodeCode128(ReferenceBarcodeText(reference)), device, messages);
  p.restore();
  return result;
}

int PrinterResolution(int h) {
  if (h >= 3150 && h <= 3504) return 300;
  if (h >= 3780 && h <= 4205) return 360;
  if (h >= 6300 && h <= 7008) return 600;
  if (h >= 7560 && h <= 8410) return 720;
  return h >= 3150 ? 300 : 0;
}

std::optional<DotCodeSettings> DotCodeSettingsFor(int resolution, SheetScales scales) {
  if (resolution < 300) return std::nullopt;
  DotCodeSettings s;
  s.resolution = resolution;
  const bool base300 = resolution % 300 == 0;
  s.factor = base300 ? 10.0 : 11.11;
  s.aspect = base300 ? "2.4:1" : "2.0:1";
  s.eccLevel = base300 ? 6 : 4;
  // 0.95 page units (0.25 mm) a module in whole dots: two symbols side by side fit the sheet at
  // every resolution, the factor of 360-dpi positions included.
  s.moduleDots = std::max(1, static_cast<int>(std::lround(scales.sx * 0.95)));
  // Row height from the aspect of a full first symbol.
  const double aspect = base300 ? 2.4 : 2.0;
  s.rowModules = static_cast<int>(std::lround(Pdf417Modules(kDotCodeColumns[0]) / (aspect * kDotCodeRows)));
  return s;
}

int DotCodeY(int symbol, int form) {
  if (symbol < 2) return 235;
  // Form 100's summary sheet has the spouse's barcode down to 700: its second band goes below it.
  return form == 714 ? 630 : 702;
}

namespace {

// The longest slice from `offset` that fits a symbol of `rows` (0: any up to 51) and `columns`.
std::optional<DotCodeSymbol> FitSymbol(std::string_view record, std::size_t offset, int rows, int columns,
                                       const DotCodeSettings& settings, int index, int count) {
  platform::Pdf417Options options;
  options.columns = columns;
  options.rows = rows;
  options.eccLevel = settings.eccLevel;
  options.appendIndex = index;
  options.appendCount = count;
  auto encode = [&](std::size_t length) -> std::optional<platform::BarcodeSymbol> {
    auto r = platform::EncodePdf417(Bytes(record.substr(offset, length)), options);
    if (!r.ok() || r.symbol.rows > kDotCodeRows) return std::nullopt;
    return std::move(r.symbol);
  };
  std::size_t lo = 0, hi = record.size() - offset;
  std::optional<platform::BarcodeSymbol> best;
  if (auto all = encode(hi)) {
    lo = hi;
    best = std::move(all);
  } else {
    while (lo + 1 < hi) {  // lo fits (or is 0), hi does not
      const std::size_t mid = lo + (hi - lo) / 2;
      if (auto sym = encode(mid)) {
        lo = mid;
        best = std::move(sym);
      } else {
        hi = mid;
      }
    }
  }
  if (!best) return std::nullopt;
  DotCodeSymbol out;
  out.requestedRows = rows;
  out.columns = columns;
  out.offset = offset;
  out.length = lo;
  out.symbol = std::move(*best);
  return out;
}

DotCodePlan PlanWithCount(std::string_view record, const DotCodeSettings& settings, int count) {
  DotCodePlan plan;
  std::size_t offset = 0;
  std::size_t capacity = 0;
  for (int k = 0; offset < record.size(); ++k) {
    if (k == kDotCodeSymbols) {
      plan.pieceCount = kDotCodeSymbols + 1;
      return plan;
    }
    capacity += static_cast<std::size_t>(kDotCodeRows) * kDotCodeColumns[k];
    const int rows = record.size() >= capacity ? kDotCodeRows : 0;
    auto symbol = FitSymbol(record, offset, rows, kDotCodeColumns[k], settings, count >= 2 ? k + 1 : 0, count);
    if (!symbol) {
      plan.failed = true;
      return plan;
    }
    offset += symbol->length;
    plan.symbols.push_back(std::move(*symbol));
  }
  plan.pieceCount = static_cast<int>(plan.symbols.size());
  return plan;
}

}  // namespace

DotCodePlan PlanDotCode(std::string_view record, const DotCodeSettings& settings) {
  if (record.empty()) return {};
  // Several symbols carry their place in the sequence, which takes room of its own: plan again
  // with the count found until the count holds.
  DotCodePlan plan = PlanWithCount(record, settings, 1);
  for (int round = 0; round < 3 && !plan.failed && plan.pieceCount > 1 && plan.pieceCount <= kDotCodeSymbols;
       ++round) {
    const int count = plan.pieceCount;
    plan = PlanWithCount(record, settings, count);
    if (plan.pieceCount == count) break;
  }
  return plan;
}

QRect DotCodeSymbolRect(const DotCodeSymbol& symbol, int k, int form, SheetScales s, const DotCodeSettings& settings) {
  const double f = settings.factor * 0.1;
  const int x = Trunc(kDotCodeX[k] * s.sx * f);
  const int y = Trunc(DotCodeY(k, form) * s.sy * f);
  return QRect(x, y, symbol.symbol.width * settings.moduleDots,
               symbol.symbol.rows * settings.rowModules * settings.moduleDots);
}

DotCodeOutcome DrawDotCodeSheet(QPainter& p, QSize viewport, std::string_view filingText, int form,
                                std::string_view nifField, IMessageService* messages) {
  DotCodeOutcome out;
  if (filingText.empty()) return out;
  const packed::BuildResult record = packed::BuildPackedBarcodeRecord(filingText, form, nifField);
  if (record.error != packed::BuildError::None) {
    Show(messages, "PDF002", MessageIcon::Stop);
    out.result = 1;
    return out;
  }
  const SheetScales s = ScalesOf(viewport);
  const auto settings = DotCodeSettingsFor(PrinterResolution(viewport.height()), s);
  if (!settings) {
    Show(messages, "WIN027", MessageIcon::Warning);
    out.result = 3;
    return out;
  }
  const DotCodePlan plan = PlanDotCode(record.record, *settings);
  out.pieceCount = plan.pieceCount;
  if (plan.failed) {
    out.result = 1;
    return out;
  }
  p.save();
  for (std::size_t k = 0; k < plan.symbols.size(); ++k) {
    const QRect r = DotCodeSymbolRect(plan.symbols[k], static_cast<int>(k), form, s, *settings);
    platform::DrawSymbolModules(p, plan.symbols[k].symbol, r.topLeft(), settings->moduleDots,
                                settings->rowModules * settings->moduleDots);
  }
  p.restore();
  out.markDue = true;
  return out;
}

bool CheckPrinterSetup(const forms::PrinterSetup& setup, int yResolution, IMessageService* messages) {
  const char* refusal = nullptr;
  if (setup.paperSize != 9) refusal = "WIN042";
  else if (setup.orientation != 1) refusal = "WIN044";
  else if (setup.duplex == 2 || setup.duplex == 3) refusal = "WIN045";
  else if (yResolution < 300 && setup.printQuality >= 0 && setup.printQuality < 300) refusal = "WIN027";
  if (!refusal) return true;
  Show(messages, refusal, MessageIcon::Warning);
  return false;
}

QRect SheetMarkRect(double scaleX, double scaleY) {
  const int left = Trunc(82 * scaleX), right = Trunc(101 * scaleX);
  const int top = Trunc((390 + 2) * scaleY), bottom = Trunc((455 + 2) * scaleY);
  const int dx = Trunc(4 * scaleX), dy = Trunc(2 * scaleY);
  return QRect(QPoint(left + dx, top + dy), QPoint(right - dx - 1, bottom - dy - 1));
}

double PrintScaleX(QSize viewport) { return viewport.width() / 1024.0; }
double PrintScaleY(QSize viewport) { return viewport.height() / (1024.0 * kPageHeight / kPageWidth); }

std::vector<QRect> DotCodeAreas(int form) {
  std::vector<QRect> areas;
  // A full symbol at 0.95 page units a module: 17 modules a column and 69 more across, 51 rows
  // of three modules down.
  constexpr double kModule = 0.96;
  const int height = static_cast<int>(std::ceil(kDotCodeRows * 3 * kModule)) + 1;
  for (int k = 0; k < kDotCodeSymbols; ++k) {
    const int width = static_cast<int>(std::ceil(Pdf417Modules(kDotCodeColumns[k]) * kModule)) + 1;
    areas.emplace_back(kDotCodeX[k], DotCodeY(k, form), width, height);
  }
  return areas;
}

QRect SheetMarkArea() {
  // SheetMarkRect in page units: 1024 units of the page as shown are 790 page units.
  constexpr double f = 790.0 / 1024.0;
  return QRect(QPoint(static_cast<int>(82 * f), static_cast<int>(392 * f)),
               QPoint(static_cast<int>(std::ceil(101 * f)), static_cast<int>(std::ceil(457 * f))));
}

void DrawSheetMark(QPainter& p, char mark, double scaleX, double scaleY) {
  p.save();
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(std::max(1, Trunc((mark == '*' ? 12 : 8) * scaleY)));
  p.setFont(font);
  p.setPen(Qt::black);
  p.setBackgroundMode(Qt::TransparentMode);
  p.drawText(SheetMarkRect(scaleX, scaleY), Qt::AlignRight | Qt::AlignBottom | Qt::TextDontClip,
             QString(QChar::fromLatin1(mark)));
  p.restore();
}

}  // namespace forms::print

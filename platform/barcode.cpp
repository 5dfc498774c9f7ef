#include "platform/barcode.h"

#include <zint.h>

#include <QFont>
#include <QPainter>

#include <cmath>
#include <memory>

namespace platform {
namespace {

struct ZintDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using ZintSymbol = std::unique_ptr<zint_symbol, ZintDeleter>;

ZintSymbol NewSymbol(int symbology) {
  ZintSymbol s(ZBarcode_Create());
  if (s) s->symbology = symbology;
  return s;
}

// zint keeps one bit per module, least significant bit first.
bool ModuleSet(const zint_symbol& s, int row, int column) {
  return ((s.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

BarcodeResult Run(zint_symbol* s, std::span<const unsigned char> data) {
  BarcodeResult r;
  if (!s) {
    r.status = ZINT_ERROR_MEMORY;
    return r;
  }
  if (data.empty() || data.size() > ZINT_MAX_DATA_LEN) {
    r.status = ZINT_ERROR_TOO_LONG;
    return r;
  }
  r.status = ZBarcode_Encode(s, data.data(), static_cast<int>(data.size()));
  r.error = s->errtxt;
  if (r.status >= ZINT_ERROR) return r;
  BarcodeSymbol& out = r.symbol;
  out.rows = s->rows;
  out.width = s->width;
  out.humanText = reinterpret_cast<const char*>(s->text);
  out.modules.resize(static_cast<std::size_t>(out.rows) * out.width);
  for (int y = 0; y < out.rows; ++y)
    for (int x = 0; x < out.width; ++x) out.modules[static_cast<std::size_t>(y) * out.width + x] = ModuleSet(*s, y, x);
  return r;
}

std::span<const unsigned char> Bytes(std::string_view text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

}  // namespace

BarcodeResult EncodeGs1_128(std::string_view elementString) {
  ZintSymbol s = NewSymbol(BARCODE_GS1_128);
  if (s) s->input_mode = GS1_MODE | GS1NOCHECK_MODE;
  return Run(s.get(), Bytes(elementString));
}

BarcodeResult EncodeCode128(std::string_view text) {
  ZintSymbol s = NewSymbol(BARCODE_CODE128);
  return Run(s.get(), Bytes(text));
}

BarcodeResult EncodePdf417(std::span<const unsigned char> data, const Pdf417Options& options) {
  ZintSymbol s = NewSymbol(BARCODE_PDF417);
  if (s) {
    s->input_mode = DATA_MODE;
    s->option_1 = options.eccLevel;
    s->option_2 = options.columns;
    s->option_3 = options.rows;
    if (options.appendCount >= 2) {
      s->structapp.index = options.appendIndex;
      s->structapp.count = options.appendCount;
    }
  }
  BarcodeResult r = Run(s.get(), data);
  if (r.ok()) r.symbol.dataColumns = s->option_2;
  return r;
}

void DrawSymbolModules(QPainter& painter, const BarcodeSymbol& symbol, QPointF origin, double moduleWidth,
                       double rowHeight) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (int y = 0; y < symbol.rows; ++y) {
    int x = 0;
    while (x < symbol.width) {
      if (!symbol.Dark(y, x)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < symbol.width && symbol.Dark(y, end)) ++end;
      painter.drawRect(QRectF(origin.x() + x * moduleWidth, origin.y() + y * rowHeight, (end - x) * moduleWidth, rowHeight));
      x = end;
    }
  }
  painter.restore();
}

void DrawLinearSymbol(QPainter& painter, const BarcodeSymbol& symbol, const QRectF& rect) {
  if (symbol.width <= 0 || rect.width() <= 0 || rect.height() <= 0) return;
  constexpr int kQuietModules = 10;  // clear space a reader needs on either side
  double module = rect.width() / (symbol.width + 2 * kQuietModules);
  if (module >= 1.0) module = std::floor(module);  // even bars on a printer
  const double textHeight = rect.height() / 5.0;
  const double barsHeight = rect.height() - textHeight;
  const double left = rect.left() + (rect.width() - module * symbol.width) / 2.0;
  for (int y = 0; y < symbol.rows; ++y) {
    BarcodeSymbol row;
    row.rows = 1;
    row.width = symbol.width;
    row.modules.assign(symbol.modules.begin() + static_cast<std::ptrdiff_t>(y) * symbol.width,
                       symbol.modules.begin() + static_cast<std::ptrdiff_t>(y + 1) * symbol.width);
    DrawSymbolModules(painter, row, QPointF(left, rect.top() + y * barsHeight / symbol.rows), module,
                      barsHeight / symbol.rows);
  }
  if (symbol.humanText.empty()) return;
  painter.save();
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, static_cast<int>(textHeight * 0.8)));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(rect.left(), rect.top() + barsHeight, rect.width(), textHeight),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip, QString::fromStdString(symbol.humanText));
  painter.restore();
}

}  // namespace platform

// Barcode symbols of the printed sheets: GS1-128 (EAN-128), Code 128 and PDF417, encoded by zint
// and drawn with QPainter as plain module rectangles (no library picture in between).
#pragma once

#include <QRectF>
#include <QString>

#include <span>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace platform {

// One encoded symbol: `rows` rows of `width` modules; a linear code has one row.
struct BarcodeSymbol {
  int rows = 0;
  int width = 0;
  int dataColumns = 0;  // PDF417: data codeword columns; 0 for linear codes
  std::vector<unsigned char> modules;  // rows * width, 1 = dark
  std::string humanText;               // the readable line under a linear code (UTF-8)
  bool Dark(int row, int column) const { return modules[static_cast<std::size_t>(row) * width + column] != 0; }
};

// The encoder's answer: status 0 (or a zint warning below 5) with a symbol, else the zint error
// code and its text.
struct BarcodeResult {
  int status = 0;
  std::string error;
  BarcodeSymbol symbol;
  bool ok() const { return status < 5 && symbol.width > 0; }
};

// GS1-128 of an element string written with its application identifiers in brackets
// ("[90]010..."). Only the characters of the GS1 set are checked for, not the element lengths:
// the forms' own elements are longer than the standard's for their identifier.
BarcodeResult EncodeGs1_128(std::string_view elementString);

// Code 128 of a printable text.
BarcodeResult EncodeCode128(std::string_view text);

struct Pdf417Options {
  int columns = 0;     // data columns 1..30; 0 lets the encoder choose
  int rows = 0;        // rows 3..90; 0 lets the encoder choose
  int eccLevel = -1;   // error-correction level 0..8; -1 lets the encoder choose
  int appendIndex = 0; // structured append (macro symbol) position from 1, and count (0 = none)
  int appendCount = 0;
};
BarcodeResult EncodePdf417(std::span<const unsigned char> data, const Pdf417Options& options);

// Draws the dark modules of `symbol` with their top left corner at `origin`, each module
// `moduleWidth` wide and each row `rowHeight` high (device units), in the painter's pen colour.
void DrawSymbolModules(QPainter& painter, const BarcodeSymbol& symbol, QPointF origin, double moduleWidth,
                       double rowHeight);

// Draws a linear symbol into `rect`: the bars centred with a clear space of ten modules on either
// side (whole device units per module when the rect allows), the readable text in the lowest fifth.
void DrawLinearSymbol(QPainter& painter, const BarcodeSymbol& symbol, const QRectF& rect);

}  // namespace platform

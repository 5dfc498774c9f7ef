// The machine-readable marks of a printed sheet: the EAN-128 identification and payment barcodes,
// the barcode of the reference, the dot code (the packed filing record as up to four PDF417
// symbols) and the sheet mark beside it. Positions are page units of a page 790 wide and 1100
// high; every computed device coordinate is truncated toward zero.
#pragma once

#include <QRect>
#include <QSize>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/view/printer_setup.h"
#include "platform/barcode.h"

class IMessageService;
class QPainter;

namespace forms::print {

inline constexpr int kPageWidth = 790;
inline constexpr int kPageHeight = 1100;

// Device units per page unit of a printer viewport, in single precision.
struct SheetScales {
  float sx = 0, sy = 0;
};
SheetScales ScalesOf(QSize viewport);
// A rectangle (x, y, width, height) of page units in device units.
QRect ToDevice(const QRect& page, SheetScales s);

// Each mark keeps inside the sheet and clear of the others: the identification barcode and its
// text end above the dot code (which starts at 235), the reference barcode keeps a margin from
// the sheet's right edge and the payment barcode from its foot, so that a scanner reads them.
inline constexpr QRect kIdentificationRect{100, 126, 300, 104};
inline constexpr QRect kSpouseIdentificationRect{100, 580, 300, 120};
inline constexpr QRect kPaymentRect{50, 1020, 300, 64};
inline constexpr QRect kReferenceRect{530, 160, 230, 125};
inline constexpr std::string_view kIdentificationPrefix = "90010";
inline constexpr std::string_view kPaymentPrefix = "90558";
inline constexpr std::string_view kReferencePrefix = "21011";

// "00000" + NIF + the identification code without its "-".
std::string IdentificationData(std::string_view nif, std::string_view nameCode);
// The EAN-128 element string of prefix + data: the prefix's first two digits are its application
// identifier.
std::string Ean128ElementString(std::string_view prefix, std::string_view data);
// "21011" + the first 13 characters of the reference.
std::string ReferenceBarcodeText(std::string_view reference);

// 0 drawn; 1 not drawn: empty data, or the data cannot be encoded ("PDF001" shown).
int DrawEan128Barcode(QPainter& p, std::string_view prefix, std::string_view data, const QRect& device,
                      IMessageService* messages);
// The reference barcode at its place on the sheet; 0 drawn, 1 not drawn.
int DrawReferenceBarcode(QPainter& p, std::string_view reference, SheetScales s, IMessageService* messages);

// --- dot code ---

// Dots per inch of a printer from the height of its viewport: 0, 300, 360, 600 or 720.
int PrinterResolution(int viewportHeight);

struct DotCodeSettings {
  int resolution = 0;
  double factor = 0;      // scale factor of the positions: 10.0 or 11.11
  std::string aspect;     // width to height of a full symbol: "2.4:1" or "2.0:1"
  int eccLevel = 0;       // PDF417 error-correction level
  int moduleDots = 0;     // device dots per module: about a quarter of a millimetre
  int rowModules = 0;     // height of a symbol row in modules
};
// None below 300 dpi. The module size follows the sheet's own scale, so that a printer whose
// height falls outside its band still prints symbols of the same size.
std::optional<DotCodeSettings> DotCodeSettingsFor(int resolution, SheetScales scales);

inline constexpr int kDotCodeSymbols = 4;
inline constexpr int kDotCodeRows = 51;
inline constexpr int kDotCodeColumns[kDotCodeSymbols] = {18, 12, 18, 13};
inline constexpr int kDotCodeX[kDotCodeSymbols] = {80, 460, 80, 460};
int DotCodeY(int symbol, int form);

struct DotCodeSymbol {
  int requestedRows = 0;  // 51, or 0 when the record is short enough for the encoder to choose
  int columns = 0;
  std::size_t offset = 0, length = 0;  // the slice of the record it carries
  platform::BarcodeSymbol symbol;
};
struct DotCodePlan {
  std::vector<DotCodeSymbol> symbols;
  int pieceCount = 0;   // symbols drawn; 5 when the record needs more than four
  bool failed = false;  // a slice could not be encoded
};
// Cuts the packed record into the symbols of the sheet, each carrying as much as fits.
DotCodePlan PlanDotCode(std::string_view record, const DotCodeSettings& settings);

// The device rectangle of symbol k of a plan.
QRect DotCodeSymbolRect(const DotCodeSymbol& symbol, int k, int form, SheetScales s, const DotCodeSettings& settings);

struct DotCodeOutcome {
  int result = 0;      // 0 done (also for an empty text), 1 failed, 3 printer resolution too low
  int pieceCount = 0;  // to be kept in the document
  bool markDue = false;  // symbols were drawn: the sheet mark of the piece count goes beside them
};
// Packs `filingText` (mode-2 filing record) into its barcode record and draws the dot code on a
// sheet of `viewport` size. The caller keeps the piece count in the document and, when the mark is
// due, draws the sheet mark that the document derives from it.
DotCodeOutcome DrawDotCodeSheet(QPainter& p, QSize viewport, std::string_view filingText, int form,
                                std::string_view nifField, IMessageService* messages);

// A declaration prints on A4, portrait, one-sided, at 300 dpi or more. False after the message
// (warning icon) of the first condition that fails; a negative print quality is a quality class and
// passes.
bool CheckPrinterSetup(const forms::PrinterSetup& setup, int yResolution, IMessageService* messages);

// The one-character sheet mark beside the dot code, with the view's print scale factors.
QRect SheetMarkRect(double printScaleX, double printScaleY);
void DrawSheetMark(QPainter& p, char mark, double printScaleX, double printScaleY);
// The print scale factors of a sheet: device units per unit of the page as shown, 1024 wide.
double PrintScaleX(QSize viewport);
double PrintScaleY(QSize viewport);

// The page-unit rectangles that a dot code may take on the first sheet of `form` (its four
// symbols at their largest) and the sheet mark beside it: the page pictures keep them free.
std::vector<QRect> DotCodeAreas(int form);
QRect SheetMarkArea();

}  // namespace forms::print

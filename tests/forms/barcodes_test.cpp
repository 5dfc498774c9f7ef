#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

#include "data/message_service.h"
#include "forms/print/barcodes.h"
#include "forms/print/name_code.h"
#include "forms/print/packed_record.h"

namespace {

using namespace forms::print;

class RecordedMessages : public IMessageService {
 public:
  int ShowMessage(std::string_view code, MessageIcon icon, std::string_view) override {
    codes.emplace_back(code);
    icons.push_back(icon);
    return 1;
  }
  void Notice(std::string_view) override {}
  std::vector<std::string> codes;
  std::vector<MessageIcon> icons;
};

// A filing record of `n` characters that packs about as poorly as a real one with many amounts.
std::string FilingText(std::size_t n) {
  std::string t;
  unsigned v = 12345;
  while (t.size() < n) {
    v = v * 1103515245u + 12345u;
    t += std::to_string(v % 1000000000u);
    t += (v & 0x100) ? ' ' : 'N';
  }
  t.resize(n);
  return t;
}

int Dark(const QImage& img, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qGray(img.pixel(x, y)) < 128;
  return n;
}

// An A4 sheet at 300 dpi (the printable area of a common laser printer).
constexpr QSize kSheet300{2400, 3365};

TEST(Barcodes, ContentsOfTheIdentificationAndPaymentCodes) {
  const forms::CNameCode code("DE LA FUENTE, JUAN", "12345678Z");
  const std::string data = IdentificationData("12345678Z", code.GetCode());
  EXPECT_EQ(data, "0000012345678ZFUEG");
  EXPECT_EQ(Ean128ElementString(kIdentificationPrefix, data), "[90]0100000012345678ZFUEG");
  EXPECT_EQ(Ean128ElementString(kPaymentPrefix, "0123"), "[90]5580123");
  EXPECT_EQ(ReferenceBarcodeText("1001234567890123"), "210111001234567890");
  EXPECT_EQ(ReferenceBarcodeText("12"), "2101112");
}

TEST(Barcodes, PageUnitsToDevice) {
  const SheetScales s = ScalesOf(kSheet300);
  EXPECT_FLOAT_EQ(s.sx, 2400 * 0.0012658228f);
  const QRect r = ToDevice(kIdentificationRect, s);
  EXPECT_EQ(r, QRect(303, 385, 911, 318));  // each product truncated
}

TEST(Barcodes, PrinterResolutionFromTheViewportHeight) {
  const std::pair<int, int> cases[] = {{3149, 0}, {3150, 300}, {3504, 300}, {3600, 300}, {3780, 360}, {4205, 360},
                                       {7008, 600}, {7016, 300}, {7560, 720}, {8410, 720}, {9000, 300}, {1100, 0}};
  for (auto [h, dpi] : cases) EXPECT_EQ(PrinterResolution(h), dpi) << h;
  EXPECT_FALSE(DotCodeSettingsFor(0, ScalesOf(kSheet300)).has_value());
  EXPECT_EQ(DotCodeSettingsFor(300, ScalesOf(kSheet300))->moduleDots, 3);
  // A 600-dpi sheet whose height falls outside the 600 band prints as 300: the same aspect and factor.
  const auto s600 = DotCodeSettingsFor(600, ScalesOf(kSheet300 * 2)), s720 = DotCodeSettingsFor(720, ScalesOf(kSheet300 * 2));
  EXPECT_EQ(s600->moduleDots, 6);
  EXPECT_EQ(s600->aspect, "2.4:1");
  EXPECT_DOUBLE_EQ(s600->factor, 10.0);
  EXPECT_EQ(s600->eccLevel, 6);
  EXPECT_EQ(s720->aspect, "2.0:1");
  EXPECT_DOUBLE_EQ(s720->factor, 11.11);
  EXPECT_EQ(s720->eccLevel, 4);
}

TEST(Barcodes, Ean128DrawnInItsRectangle) {
  QImage img(kSheet300 / 2, QImage::Format_RGB32);
  img.fill(Qt::white);
  const QRect rect = ToDevice(kIdentificationRect, ScalesOf(img.size()));
  RecordedMessages m;
  {
    QPainter p(&img);
    EXPECT_EQ(DrawEan128Barcode(p, kIdentificationPrefix, "0000012345678ZFUEG", rect, &m), 0);
    EXPECT_EQ(DrawEan128Barcode(p, kPaymentPrefix, "", rect, &m), 1);  // no data, no message
  }
  EXPECT_TRUE(m.codes.empty());
  EXPECT_GT(Dark(img, rect), rect.width() * rect.height() / 5);
  EXPECT_EQ(Dark(img, QRect(0, 0, img.width(), rect.top())), 0);  // nothing above the rectangle
}

TEST(Barcodes, StripOfTheSheetsLinearCodes) {
  // The top of a payment sheet at 300 dpi: identification, reference and payment codes.
  QImage img(kSheet300, QImage::Format_RGB32);
  img.fill(Qt::white);
  const SheetScales s = ScalesOf(img.size());
  {
    QPainter p(&img);
    EXPECT_EQ(DrawEan128Barcode(p, kIdentificationPrefix, "0000012345678ZFUEG", ToDevice(kIdentificationRect, s), nullptr), 0);
    EXPECT_EQ(DrawReferenceBarcode(p, "1001234567890", s, nullptr), 0);
    EXPECT_EQ(DrawEan128Barcode(p, kPaymentPrefix, std::string("0" "11" "00491500051234567890").append(22, '0').append("030A"),
                                ToDevice(kPaymentRect, s), nullptr),
              0);
  }
  const std::string dir = QX_BINARY_DIR "/tests/forms";
  QDir().mkpath(QString::fromStdString(dir));
  img.copy(0, 0, img.width(), ToDevice(QRect(0, 0, 790, 300), s).height())
      .save(QString::fromStdString(dir + "/barcode_strip.png"));
}

TEST(Barcodes, UnencodableDataShowsPdf001) {
  QImage img(400, 400, QImage::Format_RGB32);
  img.fill(Qt::white);
  RecordedMessages m;
  QPainter p(&img);
  EXPECT_EQ(DrawEan128Barcode(p, kIdentificationPrefix, "00000123\xD1", QRect(0, 0, 300, 100), &m), 1);
  EXPECT_EQ(m.codes, std::vector<std::string>{"PDF001"});
  EXPECT_EQ(m.icons.front(), MessageIcon::Stop);
}

TEST(Barcodes, ReferenceBarcodeStaysOnThePage) {
  QImage img(kSheet300 / 2, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    EXPECT_EQ(DrawReferenceBarcode(p, "1001234567890", ScalesOf(img.size()), nullptr), 0);
    EXPECT_EQ(DrawReferenceBarcode(p, "", ScalesOf(img.size()), nullptr), 1);
  }
  const QRect rect = ToDevice(kReferenceRect, ScalesOf(img.size()));
  EXPECT_GT(Dark(img, rect.intersected(img.rect())), 0);
}

TEST(DotCode, SymbolsFollowTheLayout) {
  const auto settings = *DotCodeSettingsFor(300, ScalesOf(kSheet300));
  const auto record = forms::packed::BuildPackedBarcodeRecord(FilingText(5000), 100, "12345678Z");
  ASSERT_EQ(record.error, forms::packed::BuildError::None);
  const DotCodePlan plan = PlanDotCode(record.record, settings);
  ASSERT_FALSE(plan.failed);
  ASSERT_GE(plan.pieceCount, 2);
  ASSERT_LE(plan.pieceCount, 4);
  std::size_t carried = 0;
  for (std::size_t k = 0; k < plan.symbols.size(); ++k) {
    const DotCodeSymbol& s = plan.symbols[k];
    EXPECT_EQ(s.offset, carried);
    carried += s.length;
    EXPECT_EQ(s.columns, kDotCodeColumns[k]);
    EXPECT_EQ(s.symbol.dataColumns, kDotCodeColumns[k]);
    EXPECT_EQ(s.symbol.width, 17 * kDotCodeColumns[k] + 69);
    EXPECT_LE(s.symbol.rows, kDotCodeRows);
    if (s.requestedRows == kDotCodeRows) {
      EXPECT_EQ(s.symbol.rows, kDotCodeRows);
    }
  }
  EXPECT_EQ(carried, record.record.size());
  // All but the last symbol are full.
  for (std::size_t k = 0; k + 1 < plan.symbols.size(); ++k) EXPECT_EQ(plan.symbols[k].symbol.rows, kDotCodeRows);
}

TEST(DotCode, ShortRecordLetsTheEncoderChooseTheRows) {
  const auto settings = *DotCodeSettingsFor(360, ScalesOf(QSize(2880, 4000)));
  const auto record = forms::packed::BuildPackedBarcodeRecord("<T1000>short", 714, "12345678Z");
  const DotCodePlan plan = PlanDotCode(record.record, settings);
  ASSERT_EQ(plan.pieceCount, 1);
  EXPECT_EQ(plan.symbols[0].requestedRows, 0);
  EXPECT_LT(plan.symbols[0].symbol.rows, kDotCodeRows);
  EXPECT_EQ(plan.symbols[0].symbol.dataColumns, 18);
}

TEST(DotCode, RecordNeedingAFifthSymbolStopsAfterFour) {
  const auto settings = *DotCodeSettingsFor(300, ScalesOf(kSheet300));
  const auto record = forms::packed::BuildPackedBarcodeRecord(FilingText(30000), 100, "12345678Z");
  const DotCodePlan plan = PlanDotCode(record.record, settings);
  EXPECT_EQ(plan.pieceCount, 5);
  EXPECT_EQ(plan.symbols.size(), 4u);
}

TEST(DotCode, SheetDrawnOffscreen) {
  QImage img(kSheet300, QImage::Format_RGB32);
  img.fill(Qt::white);
  RecordedMessages m;
  DotCodeOutcome out;
  {
    QPainter p(&img);
    out = DrawDotCodeSheet(p, img.size(), FilingText(5000), 100, "12345678Z", &m);
  }
  EXPECT_EQ(out.result, 0);
  EXPECT_TRUE(out.markDue);
  EXPECT_TRUE(m.codes.empty());
  ASSERT_GE(out.pieceCount, 2);
  const auto settings = *DotCodeSettingsFor(300, ScalesOf(kSheet300));
  const SheetScales s = ScalesOf(img.size());
  // The first symbol: at (80, 235) page units, 375 modules of 3 dots, 51 rows of 3 modules;
  // its width to height is the aspect asked, 2.4 to 1 within a row.
  const QRect first(static_cast<int>(80 * s.sx), static_cast<int>(235 * s.sy), 375 * 3, 51 * 3 * 3);
  EXPECT_NEAR(double(first.width()) / first.height(), 2.4, 0.1);
  EXPECT_GT(Dark(img, first), first.width() * first.height() / 4);
  EXPECT_EQ(Dark(img, first.adjusted(-3, -3, 3, 3)), Dark(img, first));  // nothing outside it
  EXPECT_EQ(settings.moduleDots, 3);
  // The second symbol beside it does not touch the first.
  EXPECT_GT(static_cast<int>(460 * s.sx), first.right() + 6);
  const std::string dir = QX_BINARY_DIR "/tests/forms";
  QDir().mkpath(QString::fromStdString(dir));
  img.scaled(img.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .save(QString::fromStdString(dir + "/dot_code_sheet.png"));
}

TEST(DotCode, LowResolutionAndEmptyText) {
  QImage img(790, 1100, QImage::Format_RGB32);
  img.fill(Qt::white);
  RecordedMessages m;
  QPainter p(&img);
  const DotCodeOutcome empty = DrawDotCodeSheet(p, img.size(), "", 100, "1", &m);
  EXPECT_EQ(empty.result, 0);
  EXPECT_FALSE(empty.markDue);
  EXPECT_TRUE(m.codes.empty());
  EXPECT_EQ(DrawDotCodeSheet(p, img.size(), "text", 100, "1", &m).result, 3);
  EXPECT_EQ(m.codes, std::vector<std::string>{"WIN027"});
  EXPECT_EQ(m.icons.front(), MessageIcon::Warning);
}

TEST(DotCode, SheetMarkRectangle) {
  // left 82, top 390 + 2, right 101, bottom 455 + 2, shrunk by 4 x and 2 y on each side.
  const QRect r = SheetMarkRect(3.0, 3.0);
  EXPECT_EQ(r.left(), 246 + 12);
  EXPECT_EQ(r.top(), 1176 + 6);
  EXPECT_EQ(r.right() + 1, 303 - 12);
  EXPECT_EQ(r.bottom() + 1, 1371 - 6);
  QImage img(400, 1400, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    DrawSheetMark(p, '*', 3.0, 3.0);
  }
  EXPECT_GT(Dark(img, r.adjusted(-4, -4, 4, 4)), 0);
}

}  // namespace

namespace {

TEST(PrinterCheck, RefusalsInTheirOrder) {
  struct Case {
    int paper, orientation, duplex, quality, yResolution;
    const char* message;  // none: accepted
  };
  const Case cases[] = {
      {9, 1, 1, 600, 600, nullptr},
      {9, 1, 1, -4, 150, nullptr},     // a quality class, not dots per inch
      {9, 1, 1, 300, 150, nullptr},    // the quality asked is enough
      {9, 1, 1, 150, 150, "WIN027"},
      {9, 1, 2, 150, 150, "WIN045"},
      {9, 1, 3, 600, 600, "WIN045"},
      {9, 2, 2, 600, 600, "WIN044"},
      {5, 2, 2, 150, 150, "WIN042"},
  };
  for (const Case& c : cases) {
    forms::PrinterSetup setup;
    setup.paperSize = c.paper;
    setup.orientation = c.orientation;
    setup.duplex = c.duplex;
    setup.printQuality = c.quality;
    RecordedMessages m;
    EXPECT_EQ(CheckPrinterSetup(setup, c.yResolution, &m), c.message == nullptr);
    if (c.message) {
      ASSERT_EQ(m.codes.size(), 1u);
      EXPECT_EQ(m.codes[0], c.message);
      EXPECT_EQ(m.icons[0], MessageIcon::Warning);
    } else {
      EXPECT_TRUE(m.codes.empty());
    }
  }
}

}  // namespace

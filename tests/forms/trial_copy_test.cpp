// The trial copy: its sheets (continuation sheets of the row areas of form 100), what each sheet
// shows (the watermark, the trial label in the reference and copy-label boxes, no marks), the
// preview with its toolbar, the print from the preview, and the form-714 print dialog.
#include <QCheckBox>
#include <QImage>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPushButton>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "support/member_view.h"
#include "blocks/form100.h"
#include "forms/pages/page100.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/trial_copy.h"
#include "forms/print/trial_preview.h"
#include "page_fixture.h"
#include "platform/icons.h"
#include "support/text_recorder.h"
#include "ui/mapped_bitmap_button.h"

namespace formstest {
namespace {

using forms::CMyPreviewView;
using forms::TrialSheet;

const QString kMark = QStringLiteral("PRUEBA");
const QString kLabel = QStringLiteral("EJEMPLAR NO VALIDO PARA SU PRESENTACION");

std::size_t PdfSheets(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t sheets = 0;
  for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1)) ++sheets;
  return sheets;
}

class TrialCopy : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
  }
  // A form-100 declaration of a declarant with `activities` activities in direct estimation,
  // open on page `code` with the declarant shown.
  void OpenRenta(int activities, int code = 201) {
    Open(2, code);
    qxtest::Publish(household, shown);
    for (int i = 0; i < activities; ++i) Block()[f100::SectionE1.offset + static_cast<std::size_t>(i) * 288] = 2;
  }
  qxtest::HouseholdSlot household{{1, 1, 0, 0, 0}};
  qxtest::ShownSlot shown{2};
};

TEST_F(TrialCopy, SheetsAreTheScreenPagesWithTheContinuationSheetsOfTheMemberShown) {
  OpenRenta(4);
  std::vector<TrialSheet> sheets = forms::TrialSheets(*host, 2);
  ASSERT_EQ(sheets.size(), 18u) << "17 pages, page 3 on two sheets";
  EXPECT_EQ(sheets[2], (TrialSheet{203, 1}));
  EXPECT_EQ(sheets[3], (TrialSheet{203, 2}));
  EXPECT_EQ(sheets.back(), (TrialSheet{217, 1}));
  // The spouse's view has no activity of the declarant: no continuation sheet.
  household = {1, 1, 1, 0, 0};
  shown = 3;
  EXPECT_EQ(forms::TrialSheets(*host, 2).size(), 17u);
}

TEST_F(TrialCopy, FormWealthTaxHasOneSheetPerScreenPage) {
  Open(3, 301);
  const std::vector<TrialSheet> sheets = forms::TrialSheets(*host, 3);
  ASSERT_EQ(sheets.size(), 11u);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(sheets[static_cast<std::size_t>(i)], (TrialSheet{301 + i, 1}));
}

// Each trial sheet carries the watermark and shows the trial label in the reference and copy-label
// boxes; the page on screen keeps its own texts, and shows no watermark.
TEST_F(TrialCopy, TheTrialSheetShowsTheWatermarkAndTheTrialLabelOnly) {
  OpenRenta(0);
  CBoxField* reference = nullptr;
  for (int i = 0; i < view->GetBoxCount(); ++i)
    if (view->GetBox(i)->Identifica.starts_with("REFERENCIA")) reference = view->GetBox(i);
  ASSERT_NE(reference, nullptr);
  ASSERT_NE(reference->data, nullptr);
  char* slot = static_cast<char*>(reference->data) + reference->TextOffset();
  std::memcpy(slot, "REF-DEL-DECLARANTE", 18);
  struct Case {
    TrialSheet sheet;
    int kind;
  };
  for (const Case& c : {Case{{201, 1}, 2}, Case{{209, 1}, 2}, Case{{210, 1}, 2}}) {
    qxtest::TextRecorder sheet;
    QPainter p(&sheet);
    forms::DrawTrialSheet(*host, c.kind, c.sheet, p, QRect(0, 0, sheet.width(), sheet.height()));
    p.end();
    EXPECT_TRUE(sheet.Has(kMark)) << c.sheet.pageCode;
    EXPECT_FALSE(sheet.Has(QStringLiteral("REF-DEL-DECLARANTE"))) << c.sheet.pageCode;
    if (c.sheet.pageCode != 210) {
      EXPECT_TRUE(sheet.Has(kLabel)) << c.sheet.pageCode;
    }
  }
  // The page of the declaration, drawn as printed, keeps its own reference.
  qxtest::TextRecorder screen;
  QPainter p(&screen);
  view->SetPrinting(true);
  view->RenderPage(p, QPoint(0, 0));
  view->SetPrinting(false);
  p.end();
  EXPECT_FALSE(screen.Has(kMark));
  EXPECT_FALSE(screen.Has(kLabel));
  EXPECT_TRUE(screen.Has(QStringLiteral("REF-DEL-DECLARANTE")));
}

// The toolbar: the pictures of the pages button, the commands enabled as the preview stands, and
// the pages and zoom they move to.
TEST_F(TrialCopy, ThePreviewToolbarFollowsThePagesAndTheZoom) {
  Open(3, 301);
  forms::CPrevista prevista(*host, {3, false, {}});
  prevista.resize(1000, 760);
  ASSERT_TRUE(prevista.OnFilePrintPreview());
  CMyPreviewView& v = *prevista.PreviewView();
  prevista.show();
  ASSERT_EQ(v.PageCount(), 11);
  EXPECT_EQ(v.Button(CMyPreviewView::kPages)->BitmapId(), platform::kBitmapOnePage);
  EXPECT_EQ(v.Button(CMyPreviewView::kPrint)->BitmapId(), platform::kBitmapPrint);
  struct Step {
    int command;
    int page, shown, zoom, pagesPicture;
    bool prevEnabled, pagesEnabled, zoomOutEnabled;
  };
  const Step steps[] = {
      {CMyPreviewView::kPrevious, 1, 1, 0, platform::kBitmapOnePage, false, true, false},  // refused
      {CMyPreviewView::kNext, 2, 1, 0, platform::kBitmapOnePage, true, true, false},
      {CMyPreviewView::kPages, 2, 2, 0, platform::kBitmapTwoPages, true, true, false},
      {CMyPreviewView::kZoomIn, 2, 1, 1, platform::kBitmapOnePage, true, false, true},
      {CMyPreviewView::kZoomIn, 2, 1, 2, platform::kBitmapOnePage, true, false, true},
      {CMyPreviewView::kZoomIn, 2, 1, 2, platform::kBitmapOnePage, true, false, true},  // refused
      {CMyPreviewView::kZoomOut, 2, 1, 1, platform::kBitmapOnePage, true, false, true},
      {CMyPreviewView::kZoomOut, 2, 2, 0, platform::kBitmapTwoPages, true, true, false},
      {CMyPreviewView::kPrevious, 1, 2, 0, platform::kBitmapTwoPages, false, true, false},
      {CMyPreviewView::kPages, 1, 1, 0, platform::kBitmapOnePage, false, true, false},
  };
  for (const Step& s : steps) {
    v.Button(s.command)->click();
    SCOPED_TRACE(s.command);
    EXPECT_EQ(v.CurrentPage(), s.page);
    EXPECT_EQ(v.PagesShown(), s.shown);
    EXPECT_EQ(v.ZoomState(), s.zoom);
    EXPECT_EQ(v.Button(CMyPreviewView::kPages)->BitmapId(), s.pagesPicture);
    EXPECT_EQ(v.Button(CMyPreviewView::kPrevious)->isEnabled(), s.prevEnabled);
    EXPECT_EQ(v.Button(CMyPreviewView::kPages)->isEnabled(), s.pagesEnabled);
    EXPECT_EQ(v.Button(CMyPreviewView::kZoomOut)->isEnabled(), s.zoomOutEnabled);
  }
  for (int i = 1; i < 11; ++i) v.RunCommand(CMyPreviewView::kNext);
  EXPECT_EQ(v.CurrentPage(), 11);
  EXPECT_FALSE(v.CommandEnabled(CMyPreviewView::kNext));
  EXPECT_EQ(v.PageText(), QStringLiteral("Página 11 de 11"));
  // QX_RENDER_DIR: the preview saved as a picture there, to be looked at.
  if (const QByteArray dir = qgetenv("QX_RENDER_DIR"); !dir.isEmpty()) {
    v.RunCommand(CMyPreviewView::kPrevious);
    v.RunCommand(CMyPreviewView::kPrevious);
    v.RunCommand(CMyPreviewView::kPages);
    QApplication::processEvents();
    ASSERT_TRUE(prevista.grab().save(QString::fromLocal8Bit(dir) + "/cprevista_e.png"));
  }
}

// The preview's print button prints the trial copy through the print dialog (here into a PDF
// file); its close button ends the preview.
TEST_F(TrialCopy, ThePreviewPrintsTheTrialCopyAndCloses) {
  Open(3, 301);
  const std::string pdf = folder.File("prueba.pdf");
  int dialogs = 0;
  forms::CPrevista prevista(*host, {3, true, [&](QDialog& d) {
                                      ++dialogs;
                                      auto& print = dynamic_cast<QPrintDialog&>(d);
                                      EXPECT_FALSE(print.testOption(QAbstractPrintDialog::PrintToFile))
                                          << "remote installations print to no file";
                                      print.printer()->setOutputFormat(QPrinter::PdfFormat);
                                      print.printer()->setOutputFileName(QString::fromStdString(pdf));
                                      return static_cast<int>(QDialog::Accepted);
                                    }});
  ASSERT_TRUE(prevista.OnFilePrintPreview());
  bool closed = false;
  QObject::connect(&prevista, &forms::CPrevista::closed, [&] { closed = true; });
  prevista.PreviewView()->Button(CMyPreviewView::kPrint)->click();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(PdfSheets(pdf), 11u);
  EXPECT_FALSE(closed);
  prevista.PreviewView()->CloseButton()->click();
  EXPECT_TRUE(closed);
}

TEST(Print714Range, OkMendsTheRangeOrTakesTheForms) {
  using R = forms::CPrint714Dlg::Range;
  struct Case {
    bool chosen;
    int from, to;
    R expected;
  };
  const Case cases[] = {
      {false, 3, 5, {1, 14}}, {true, 3, 5, {3, 5}}, {true, 0, 5, {1, 5}}, {true, -2, 4, {1, 4}},
      {true, 6, 2, {1, 14}},  {true, 4, 0, {1, 14}}, {true, 1, 14, {1, 14}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(forms::CPrint714Dlg::RangeAfterOk(c.chosen, c.from, c.to), c.expected) << c.from << " " << c.to;
}

TEST_F(TrialCopy, ThePrintDialogOfFormWealthTaxOffersTheExtraCopy) {
  struct Case {
    bool hide, special, tick;
    int copies;
    bool extraShown, installEnabled;
  };
  const Case cases[] = {
      {false, false, false, 1, true, true},
      {false, false, true, 2, true, true},
      {true, false, true, 1, false, true},  // the internet copy has no extra copy
      {false, true, true, 2, true, false},
  };
  for (const Case& c : cases) {
    QPrinter printer;
    forms::CPrint714Dlg dlg(&printer, c.hide, c.special);
    dlg.SetExtraCopy(c.tick);
    EXPECT_EQ(dlg.Copies(), c.copies);
    EXPECT_EQ(!dlg.ExtraCopyBox()->isHidden(), c.extraShown);
    EXPECT_EQ(dlg.ExtraCopyBox()->text(), QStringLiteral("Copia Adicional para el interesado"));
    ASSERT_NE(dlg.HelpButton(), nullptr);
    if (dlg.InstallButton()) {
      EXPECT_EQ(dlg.InstallButton()->isEnabled(), c.installEnabled);
    }
  }
  // OK without a range chosen leaves 1 to 14.
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder.File("x.pdf")));
  forms::CPrint714Dlg dlg(&printer, false, false);
  printer.setFromTo(3, 4);
  printer.setPrintRange(QPrinter::AllPages);
  dlg.accept();
  EXPECT_EQ(printer.fromPage(), 1);
  EXPECT_EQ(printer.toPage(), 14);
  if (const QByteArray dir = qgetenv("QX_RENDER_DIR"); !dir.isEmpty()) {
    forms::CPrint714Dlg shown(&printer, false, false);
    shown.SetExtraCopy(true);
    shown.show();
    QApplication::processEvents();
    ASSERT_TRUE(shown.grab().save(QString::fromLocal8Bit(dir) + "/cprint714dlg_e.png"));
  }
}

}  // namespace
}  // namespace formstest

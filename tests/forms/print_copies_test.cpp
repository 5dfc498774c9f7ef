// A print's sheets as drawn: each copy's label on its pages, in the printing language rather than
// the screen's, for both forms.
#include <QBuffer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QPdfWriter>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "blocks/form100.h"
#include "support/member_view.h"
#include "forms/pages/page100.h"
#include "forms/pages/page714.h"
#include "forms/print/copy_label.h"
#include "forms/print/declaration_print.h"
#include "page_fixture.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/box_field.h"
#include "ui/drawing_target.h"

namespace formstest {
namespace {

class PrintCopies : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
    forms::RegisterForm714Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    for (const char* name : {"ORD018", "ORD020", "PAGPDF", "PAT010", "PAT011", "PAT012"}) forms::UnregisterPageClass(name);
    for (int code = 302; code <= 308; ++code) forms::RegisterPageBindings(code, {});
  }
};

QString CopyLabelShown(forms::CFormView& view) {
  for (int i = 0; i < view.GetBoxCount(); ++i) {
    CBoxField* box = view.GetBox(i);
    if (QString::fromStdString(box->Identifica).trimmed() != QStringLiteral("EJEMPLAR")) continue;
    box->UpdateText();
    return box->displayText.trimmed();
  }
  return {};
}

TEST_F(PrintCopies, EverySheetCarriesItsCopysLabelInThePrintingLanguage) {
  struct Case {
    int kind;
    std::vector<int> pages;
    std::set<int> kinds;
  };
  const Case cases[] = {{2, {222, 217, 218}, {1, 2, 3}}, {3, {301, 311, 312}, {1, 3, 5}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    Open(c.kind, c.pages[0]);
    forms::PrintJob job;
    job.kind = c.kind;
    job.pages = c.pages;
    job.language = 'c';
    job.trial = true;
    std::vector<forms::print::PlannedSheet> drawn;
    std::set<int> kinds;
    job.sheetDrawn = [&](int page, int copyKind, forms::CFormView& view) {
      drawn.push_back({page, copyKind});
      kinds.insert(copyKind);
      const QString expected =
          QString::fromStdString(platform::Cp1252ToUtf8(forms::print::CopyLabelText(copyKind, 'c'))).toUpper();
      const QString shown = CopyLabelShown(view).toUpper();
      EXPECT_GE(shown.size(), 10) << page << " kind " << copyKind;
      EXPECT_TRUE(expected.startsWith(shown)) << page << ": " << shown.toStdString() << " / " << expected.toStdString();
    };
    QBuffer pdf;
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    QPdfWriter writer(&pdf);
    ASSERT_TRUE(forms::PrintDeclaration(*host, job, writer, nullptr));
    EXPECT_EQ(drawn, forms::PlannedSheets(job));
    EXPECT_EQ(kinds, c.kinds);
    view.reset();
  }
}

// A page whose rows do not fit goes on over a continuation sheet in every copy: four activities
// of the declarant put page 203 on two sheets (three activities fit on one).
TEST_F(PrintCopies, APageWhoseRowsDoNotFitGoesOnOverContinuationSheets) {
  qxtest::HouseholdSlot household{{1, 1, 0, 0, 0}};
  qxtest::ShownSlot shown{2};
  for (int activities : {3, 4}) {
    SCOPED_TRACE(activities);
    Open(2, 203);
    qxtest::Publish(household, shown);
    for (int i = 0; i < activities; ++i) Block()[f100::SectionE1.offset + static_cast<std::size_t>(i) * 288] = 2;
    forms::PrintJob job;
    job.pages = {222, 203};
    job.trial = true;
    std::vector<int> drawn;
    job.sheetDrawn = [&](int page, int, forms::CFormView&) { drawn.push_back(page); };
    QBuffer pdf;
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    QPdfWriter writer(&pdf);
    ASSERT_TRUE(forms::PrintDeclaration(*host, job, writer, nullptr));
    const std::vector<int> expected = activities == 3 ? std::vector<int>{222, 203, 222, 203}
                                                      : std::vector<int>{222, 203, 203, 222, 203, 203};
    EXPECT_EQ(drawn, expected);
    view.reset();
  }
}

// A printer that stops at its n-th new sheet, as a printer out of paper or a disk that fills up.
class FailingPrinter : public QPrinter {
 public:
  explicit FailingPrinter(int failAtSheet) : failAt_(failAtSheet) {}
  bool newPage() override { return (failAt_ == 0 || ++sheets_ + 1 < failAt_) && QPrinter::newPage(); }

 private:
  int failAt_;
  int sheets_ = 0;
};

// A print that fails at a sheet, or whose file comes out cut short, is a failed print, and the
// file it began is removed; a print that ends writes its file whole.
TEST_F(PrintCopies, APrintThatFailsAtAnySheetOrAtTheEndIsAFailureAndLeavesNoFile) {
  QTemporaryDir dir;
  struct Case {
    const char* what;
    int failAtSheet;  // 0: never
    std::string file;
    bool printed;
  } cases[] = {
      {"whole", 0, dir.filePath(QStringLiteral("entera.pdf")).toStdString(), true},
      {"second sheet refused", 2, dir.filePath(QStringLiteral("segunda.pdf")).toStdString(), false},
      {"last sheet refused", 3, dir.filePath(QStringLiteral("ultima.pdf")).toStdString(), false},
      {"device full on every write", 0, "/dev/full", false},
      {"folder missing", 0, dir.filePath(QStringLiteral("no/hay.pdf")).toStdString(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(3, 301);
    forms::PrintJob job;
    job.kind = 3;
    job.pages = {301};
    job.trial = true;
    ASSERT_EQ(forms::PlannedSheets(job).size(), 3u) << "three copies of the page";
    FailingPrinter printer(c.failAtSheet);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(c.file));
    EXPECT_EQ(forms::PrintDeclaration(*host, job, printer, nullptr), c.printed);
    if (c.file != "/dev/full") {
      EXPECT_EQ(QFileInfo::exists(QString::fromStdString(c.file)), c.printed);
    }
    view.reset();
  }
}

}  // namespace
}  // namespace formstest

namespace {

// A holder box shows the word of the screen's language, and that of the printing language while a
// sheet is printed.
TEST(PrintingLanguage, AHolderWordTakesThePrintingLanguageOnlyWhilePrinting) {
  platform::SetLanguage('e');
  CBoxField box;
  box.StrValidac = "T1";
  box.ApplyFormatSpec();
  std::uint8_t holder = 3;
  box.data = &holder;
  box.UpdateText();
  EXPECT_EQ(box.displayText, QString::fromUtf8("CÓNYUGE"));
  {
    ui::PrintingLanguageScope printing('c');
    box.UpdateText();
    EXPECT_EQ(box.displayText, QString::fromUtf8("CÒNJUGE"));
  }
  box.UpdateText();
  EXPECT_EQ(box.displayText, QString::fromUtf8("CÓNYUGE"));
  holder = 0;
  box.UpdateText();
  EXPECT_EQ(box.displayText, QString());
}

}  // namespace

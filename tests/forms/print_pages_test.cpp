// The form-100 pages that exist on paper only: the second sheet of the payment document (218),
// page 1 as printed (220) and the summary sheet with the two-dimensional barcode (222). Their
// descriptions in the shipped tables, the fields each position prints, the member filter of the
// printed family tables, the account and texts of the summary sheet, and their place in a print.
//
// QX_PAGE_IMAGES=<folder> also saves each page as printed at 100 % (docs/images/pages/).
#include <QImage>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/ord018.h"
#include "forms/pages/ord020.h"
#include "forms/pages/page100.h"
#include "forms/pages/pagpdf.h"
#include "forms/print/declaration_print.h"
#include "page_fixture.h"

namespace formstest {
namespace {

constexpr std::size_t F(std::size_t o) { return f100::Family.offset + o; }
constexpr std::size_t Q(std::size_t o) { return f100::SectionQ.offset + o; }
constexpr std::size_t N(std::size_t o) { return f100::SectionN.offset + o; }

class PrintPages : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    for (const char* name : {"ORD018", "ORD020", "PAGPDF"}) forms::UnregisterPageClass(name);
  }
  // The page `code` open with the household's declarant, spouse and child 1, `member` shown.
  forms::CFormView& Show(int code, int member) {
    forms::CFormView& page = view ? *view : Open(2, code);
    qxtest::Publish(household, shown);
    shown = member;
    page.BoxList()->ApplyHolderMode();
    return page;
  }
  doc::CRentaDoc& Renta() { return dynamic_cast<doc::CRentaDoc&>(*document); }
  void* Data(int position) { return view->GetBox(position - 1)->data; }
  QString Shown(int position) {
    CBoxField* box = view->GetBox(position - 1);
    box->UpdateText();
    return box->displayText.trimmed();
  }
  void SaveImage(const char* name) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->SetPrinting(true);
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + name + ".png"));
      view->SetPrinting(false);
    }
  }

  qxtest::HouseholdSlot household{{1, 1, 1, 1, 0}};
  qxtest::ShownSlot shown{2};
};

TEST_F(PrintPages, EachPageIsDescribedInTheFourLanguages) {
  struct Page {
    int code;
    const char* name;
    int boxes;
  };
  for (const Page& p : {Page{218, "ORD018", 52}, Page{220, "ORD020", 175}, Page{222, "PAGPDF", 37}})
    for (char language : {'e', 'c', 'g', 'v'}) {
      doc::PageDefinition def;
      ASSERT_TRUE(doc::ReadPageDefinition({&local, language, kResources}, p.code, def)) << p.name;
      EXPECT_EQ(def.kind, 2);
      EXPECT_EQ(def.boxCount, p.boxes) << p.name;
      EXPECT_EQ(def.picturePath, kResources + "paginas" + language + "/" + p.name + ".wmf");
      EXPECT_FALSE(def.title.empty());
    }
  EXPECT_EQ(forms::PageClassName(222), "PAGPDF");
  EXPECT_EQ(forms::PageClassName(290), "CFirma");
}

TEST_F(PrintPages, Ord018PrintsThePaymentDocumentAsStored) {
  forms::CFormView& page = Show(218, 2);
  EXPECT_EQ(page.GetPageClassName(), "ORD018");
  ASSERT_EQ(page.GetBoxCount(), 52);
  for (const forms::FieldBinding& f : forms::CBoxesORD018::Fields())
    EXPECT_EQ(Data(f.position), Block() + f.offset) << f.position;
  EXPECT_EQ(Data(1), Block() + F(5));
  EXPECT_EQ(Data(48), Renta().PrintSheetState().copyLabel.data());
  EXPECT_EQ(Data(51), Renta().PrintSheetState().identificationCodes[0].data());
  EXPECT_EQ(Data(52), Renta().BarcodeArea().data());
  for (int p = 1; p <= 52; ++p) EXPECT_NE(page.GetBox(p - 1)->SoloLectur, 0) << p;
  // The payment marks and amounts as section Q holds them: nothing is derived on paper.
  const int declarant = 1;
  Block()[Q(7872) + declarant] = 1;
  blocks::F64{Q(7992) + 8 * declarant}.set(Block(), 321.5);
  EXPECT_TRUE(Shown(23).startsWith(QStringLiteral("321,5")));
  EXPECT_EQ(Shown(22), QStringLiteral("X"));
  SaveImage("ORD018");

  // The copy of an internet filing leaves the reference code out.
  Renta().PrintSheetState().internetCopy = true;
  page.BoxList()->BindPageData(1);
  EXPECT_EQ(Data(1), nullptr);
  EXPECT_EQ(Data(2), Block() + F(485));
  Renta().PrintSheetState() = {};
}

TEST_F(PrintPages, Ord018FixedToTheSpouseBindsTheSpousesSlot) {
  Show(218, 2);
  forms::CBoxesORD018 list(document->Block(), &Renta(), 3);
  list.SetTables({&local, 'e', {}});
  ASSERT_TRUE(list.LoadFromControlX(218, 1.0));
  EXPECT_EQ(list.Position(2)->data, Block() + F(485) + 2 * 9);
  EXPECT_EQ(list.Position(19)->data, Block() + N(624) + 2 * 8);
  EXPECT_EQ(list.Position(29)->data, Block() + Q(7942) + 2 * 10);
  EXPECT_EQ(list.Position(44)->data, Block() + F(5284) + 2);
  EXPECT_EQ(list.Position(50)->data, Block() + F(485));  // no member stride
}

class Ord020 : public PrintPages {
 protected:
  // Descendant j: NIF, birth year, situation, the two income marks and the flags per member
  // (family unit, declarant, spouse).
  void Descendant(int j, const char* nif, const char* year, char situation, std::uint8_t income, const char* flags) {
    std::uint8_t* r = Block() + 2376 + 148 * static_cast<std::size_t>(j);
    std::memcpy(r, nif, 9);
    std::memcpy(r + 112, year, 4);
    r[132] = static_cast<std::uint8_t>(situation);
    r[134] = income;
    std::memcpy(r + 127, flags, 3);
  }
  void Ascendant(int j, const char* nif, const char* flags) {
    std::uint8_t* r = Block() + 4152 + 80 * static_cast<std::size_t>(j);
    std::memcpy(r, nif, 9);
    std::memcpy(r + 62, flags, 3);
  }
  std::string Nifs(int firstBox, int columns, int rows) {
    std::string out;
    for (int j = 0; j < rows; ++j) {
      const QString text = Shown(firstBox + columns * j);
      if (text.isEmpty()) continue;
      if (!out.empty()) out += ' ';
      out += text.toStdString();
    }
    return out;
  }
};

TEST_F(Ord020, BindsPageOnesFieldsForTheMemberPrinted) {
  forms::CFormView& page = Show(220, 3);
  EXPECT_EQ(page.GetPageClassName(), "ORD020");
  ASSERT_EQ(page.GetBoxCount(), 175);
  for (const forms::FieldBinding& f : forms::CBoxesORD020::Fields())
    EXPECT_EQ(Data(f.position), Block() + f.offset) << f.position;
  EXPECT_EQ(Data(45), Block() + 2357 + 3);  // the spouse's own byte
  EXPECT_EQ(Data(174), Renta().PrintSheetState().copyLabel.data());
  for (int p = 1; p <= 175; ++p) EXPECT_NE(page.GetBox(p - 1)->SoloLectur, 0) << p;
}

TEST_F(Ord020, PrintsTheDescendantsAndAscendantsOfTheMemberPrinted) {
  Show(220, 1);
  Descendant(0, "11111111A", "1975", '1', 1, "   ");   // an adult: considered
  Descendant(1, "22222222B", "1990", '1', 1, "   ");   // young with income: left out
  Descendant(2, "33333333C", "1995", '1', 0, " 12");   // the declarant's, not the spouse's
  Ascendant(0, "44444444D", " 1 ");
  Ascendant(1, "55555555E", "  1");
  struct Case {
    int member;
    std::array<std::uint8_t, 5> household;
    const char* descendants;
    const char* ascendants;
  };
  for (const Case& c : {Case{1, {1, 1, 1, 0, 0}, "11111111A 22222222B 33333333C", "44444444D 55555555E"},
                        Case{2, {1, 1, 0, 0, 0}, "11111111A 22222222B 33333333C", "44444444D 55555555E"},
                        Case{2, {1, 1, 1, 0, 0}, "11111111A 33333333C", "44444444D"},
                        Case{3, {1, 1, 1, 0, 0}, "11111111A", "55555555E"},
                        Case{4, {1, 1, 1, 1, 0}, "", ""}}) {
    household = c.household;
    forms::CFormView& page = Show(220, c.member);
    EXPECT_EQ(Nifs(49, 7, 12), c.descendants) << c.member;
    EXPECT_EQ(Nifs(137, 6, 4), c.ascendants) << c.member;
    // The flag column is the member's own.
    const auto* list = static_cast<const forms::CBoxesORD020*>(page.BoxList());
    EXPECT_EQ(Data(54), list->DescendantRows().data() + 127 + (c.member - 1));
    EXPECT_EQ(Data(141), list->AscendantRows().data() + 62 + (c.member - 1));
  }
  household = {1, 1, 1, 0, 0};
  Show(220, 2);
  SaveImage("ORD020");
}

// The cohabitation column holds a number of one digit (a double in the record): printed as that
// digit, not as the first byte of the double.
TEST_F(Ord020, PrintsTheAscendantsCohabitationAsItsNumber) {
  household = {1, 1, 0, 0, 0};
  Show(220, 2);
  Ascendant(0, "44444444D", "11 ");
  Ascendant(1, "55555555E", "11 ");
  blocks::F64{4152 + 72}.set(Block(), 3.0);
  Show(220, 2);
  EXPECT_EQ(Shown(142), QStringLiteral("3"));
  EXPECT_EQ(Shown(148), QString()) << "no cohabitation: nothing printed";
}

TEST_F(PrintPages, PagPdfShowsTheAccountTheResultUses) {
  forms::CFormView& page = Show(222, 2);
  EXPECT_EQ(page.GetPageClassName(), "PAGPDF");
  ASSERT_EQ(page.GetBoxCount(), 37);
  const std::size_t h = 1;  // the declarant's slot
  struct Case {
    bool compensation;
    const char* accountN;
    double payment;
    std::size_t entity;
  };
  for (const Case& c : {Case{true, "21000418450200051332", 90, N(280)}, Case{true, "2100 418450200051332", 90, Q(7892)},
                        Case{false, "21000418450200051332", 90, Q(7892)}, Case{false, "", 0, Q(8194)}}) {
    Block()[f100::Summary.offset + 9880 + h] = c.compensation ? 1 : 0;
    std::memset(Block() + N(280 + 4 * h), 0, 4);
    std::memset(Block() + N(300 + 4 * h), 0, 4);
    std::memset(Block() + N(320 + 2 * h), 0, 2);
    std::memset(Block() + N(330 + 10 * h), 0, 10);
    if (*c.accountN) {
      std::memcpy(Block() + N(280 + 4 * h), c.accountN, 4);
      std::memcpy(Block() + N(300 + 4 * h), c.accountN + 4, 4);
      std::memcpy(Block() + N(320 + 2 * h), c.accountN + 8, 2);
      std::memcpy(Block() + N(330 + 10 * h), c.accountN + 10, 10);
    }
    blocks::F64{Q(7984 + 8 * 2)}.set(Block(), c.payment);
    page.BoxList()->ApplyHolderMode();
    EXPECT_EQ(Data(12), Block() + c.entity) << c.accountN << " " << c.payment;
  }
  EXPECT_EQ(Data(15), Block() + Q(8244));
  EXPECT_EQ(Data(16), Block() + Q(8042));
}

TEST_F(PrintPages, PagPdfBindsTheSummaryAndItsTexts) {
  forms::CFormView& page = Show(222, 2);
  for (const auto& [position, offset] : {std::pair{1, F(485)}, std::pair{34, F(485)}, std::pair{2, F(605)},
                                         std::pair{8, F(1275)}, std::pair{11, F(1320)}, std::pair{22, Q(7877)},
                                         std::pair{23, Q(8037)}, std::pair{24, Q(8184)},
                                         std::pair{25, f100::Summary.offset + 9880}, std::pair{29, F(5316)},
                                         std::pair{32, F(105)}, std::pair{21, N(624)}})
    EXPECT_EQ(Data(position), Block() + offset) << position;
  // Not the taxpayer's first copy: no assignment marks and no option text.
  EXPECT_EQ(Data(5), nullptr);
  EXPECT_EQ(Data(7), nullptr);
  // No reference yet: the reference prints blank.
  EXPECT_EQ(Shown(20), QString());

  Block()[F(4734 + 1)] = 1;  // the declarant does not opt
  Block()[F(5273 + 2)] = 1;  // the result comes from the result record
  doc::CRentaDoc::PrintSheet& sheet = Renta().PrintSheetState();
  sheet.copyKind = 1;
  for (const auto& [language, text] : {std::pair{'e', "NO OPTA"}, std::pair{'g', "NON OPTA"}, std::pair{'v', "NO OPTA"}}) {
    sheet.language = language;
    page.BoxList()->ApplyHolderMode();
    EXPECT_EQ(Shown(7), QString::fromLatin1(text)) << language;
  }
  EXPECT_EQ(Data(5), Block() + F(4724));
  EXPECT_EQ(Data(6), Block() + F(4729));
  EXPECT_EQ(Data(21), Block() + f100::Result.offset + 80);
  std::memcpy(sheet.identificationCodes[0].data(), "GAR4", 5);
  EXPECT_EQ(Shown(35), QStringLiteral("GAR4"));
  Block()[F(4734 + 1)] = 0;
  page.BoxList()->ApplyHolderMode();
  EXPECT_EQ(Shown(7), QString());
  sheet.internetCopy = true;
  page.BoxList()->ApplyHolderMode();
  EXPECT_EQ(Data(20), nullptr);
  sheet.internetCopy = false;
  page.BoxList()->ApplyHolderMode();
  SaveImage("PAGPDF");
  sheet = {};
}

TEST_F(PrintPages, APrintedForm100StartsWithTheSummarySheetAndPageOneAsPrinted) {
  Show(222, 2);
  const std::vector<int> pages = forms::DefinedPages(*host, 2);
  ASSERT_GE(pages.size(), 4u);
  EXPECT_EQ(pages[0], 222);
  EXPECT_EQ(pages[1], 220);
  EXPECT_EQ(std::find(pages.begin(), pages.end(), 201), pages.end()) << "the screen's page 1 is not printed";
  EXPECT_NE(std::find(pages.begin(), pages.end(), 218), pages.end());
  EXPECT_EQ(pages.back(), 290);
  EXPECT_TRUE(std::is_sorted(pages.begin() + 2, pages.end()));
}

TEST_F(PrintPages, ThePrintKeepsTheCopyLabelAndIdentificationCodesForItsSheets) {
  Show(222, 2);
  const std::size_t f = f100::Family.offset;
  f100::family::HolderNif(1).set(Block() + f, "12345678Z");
  f100::family::HolderSurname1(1).set(Block() + f, "  GARCIA");
  f100::family::HolderSurname2(1).set(Block() + f, "LOPEZ");
  f100::family::HolderGivenName(1).set(Block() + f, "ANA");
  forms::PreparePrintSheet(Renta(), 'e', 2);
  const doc::CRentaDoc::PrintSheet& sheet = Renta().PrintSheetState();
  EXPECT_EQ(sheet.copyKind, 1);
  EXPECT_STRNE(sheet.copyLabel.data(), "");
  const std::string code = sheet.identificationCodes[0].data();
  EXPECT_EQ(code.size(), 4u);
  EXPECT_EQ(code.find('-'), std::string::npos);
  EXPECT_EQ(code.substr(0, 3), "GAR");
  EXPECT_STREQ(sheet.identificationCodes[1].data(), "");  // no spouse named
}

TEST_F(PrintPages, TheSignaturePageShowsItsSummaryLinesOnItsBoxes) {
  const int m = 2;
  Show(290, m);
  std::memcpy(Block() + F(476 + 9 * m), "12345678Z", 9);
  blocks::F64{N(616 + 8 * m)}.set(Block(), -200.0);
  blocks::F64{Q(8288 + 8 * m)}.set(Block(), 200.0);
  std::memcpy(Block() + Q(8190 + 4 * m), "2100", 4);
  std::memcpy(Block() + Q(8210 + 4 * m), "0418", 4);
  std::memcpy(Block() + Q(8232 + 2 * m), "45", 2);
  std::memcpy(Block() + Q(8234 + 10 * m), "0200051332", 10);
  forms::CFormView& page = Show(290, m);
  EXPECT_EQ(page.GetPageClassName(), "CFirma");
  ASSERT_EQ(page.GetBoxCount(), 14);
  EXPECT_TRUE(Shown(1).startsWith(QStringLiteral("Primer declarante - NIF:")));
  EXPECT_TRUE(Shown(1).endsWith(QStringLiteral("12345678Z")));
  EXPECT_TRUE(Shown(4).startsWith(QStringLiteral("INDIVIDUAL A DEVOLVER")));
  EXPECT_TRUE(Shown(5).startsWith(QStringLiteral("Importe de la devolucion:")));
  EXPECT_TRUE(Shown(6).endsWith(QStringLiteral("2100-0418-45-0200051332")));
  EXPECT_EQ(Shown(7), QString());
  for (int p = 1; p <= 14; ++p) EXPECT_NE(page.GetBox(p - 1)->SoloLectur, 0) << p;
  SaveImage("FIRMA");
}

}  // namespace
}  // namespace formstest

// Form 714's identification page: the obligation marks and the region code, the regional mark
// and "100P077", one matrimonial regime and one telephone time, the NIF, representative and date
// checks with what a refusal clears, the composed name the other pages' headers show, and the
// texts the document keeps outside the block (copy label, page foot, identification code).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "forms/pages/page714.h"
#include "forms/pages/pat001.h"
#include "forms/print/declaration_print.h"
#include "forms/print/name_code.h"
#include "page_fixture.h"
#include "platform/cp1252.h"

namespace formstest {
namespace {

constexpr std::size_t kP = f714::Personal.offset;

class Pat001 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm714Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    for (const char* n : {"PAT001", "PAT002", "PAT003", "PAT004", "PAT005", "PAT006", "PAT007", "PAT008", "PAT009",
                          "PAT010", "PAT011", "PAT012"})
      forms::UnregisterPageClass(n);
  }
  std::uint8_t* P() { return Block() + kP; }
  bool ReadOnly(int position) { return view->GetBox(position - 1)->SoloLectur != 0; }
  std::string Text(std::size_t offset, std::size_t width) { return std::string(reinterpret_cast<char*>(P() + offset), width); }
  QString Shown(int position) {
    CBoxField* box = view->GetBox(position - 1);
    box->UpdateText();
    return box->displayText.trimmed();
  }
  doc::C714Doc& Doc() { return dynamic_cast<doc::C714Doc&>(*document); }
  // Another page of the same declaration, as printing builds it.
  forms::CFormView& Page(int code) {
    other.reset(forms::CreatePageView(*host, 3, code));
    EXPECT_TRUE(other->Create());
    return *other;
  }
  QString Shown(forms::CFormView& page, int position) {
    CBoxField* box = page.GetBox(position - 1);
    box->UpdateText();
    return box->displayText.trimmed();
  }
  std::unique_ptr<forms::CFormView> other;
};

TEST_F(Pat001, TheObligationMarksDecideTheRegionAndTheAddress) {
  forms::CFormView& page = Open(3, 301);
  EXPECT_EQ(page.GetPageClassName(), "PAT001");
  EXPECT_TRUE(ReadOnly(2)) << "the country of residence only under the real obligation";
  EXPECT_FALSE(ReadOnly(37));
  struct Case {
    int position;
    std::size_t mark;
    const char* region;
    bool residenceOpen;
  };
  for (const Case& c : {Case{3, 82, "20", false}, Case{1, 81, "\0\0", true}}) {
    SCOPED_TRACE(c.position);
    std::memset(P() + 81, 0, 2);
    std::memcpy(P() + 431, "09", 2);
    P()[433] = 1;
    std::memcpy(P() + 230, "MADRID", 6);
    page.BoxList()->BindPageData(1);
    EXPECT_FALSE(ReadOnly(38)) << "the regional mark with region 09";
    P()[c.mark] = 1;
    EXPECT_EQ(page.OnBoxValueChanged(c.position), 1);
    EXPECT_EQ(Text(431, 2), std::string(c.region, 2));
    EXPECT_EQ(P()[433], 0);
    EXPECT_EQ(Text(230, 20), std::string(20, ' ')) << "the address is blanked";
    EXPECT_TRUE(ReadOnly(37));
    EXPECT_TRUE(ReadOnly(38));
    EXPECT_EQ(ReadOnly(2), !c.residenceOpen);
  }
  // Back to neither mark: the region can be typed again.
  P()[81] = 0;
  EXPECT_EQ(page.OnBoxValueCleared(1), 1);
  EXPECT_FALSE(ReadOnly(37));
  EXPECT_TRUE(ReadOnly(2));
  EXPECT_TRUE(document->Model().EditedSincePrinted()) << "the reference is renewed";
}

TEST_F(Pat001, LeavingRegionNineWithTheRegionalMarkAsksFirst) {
  forms::CFormView& page = Open(3, 301);
  struct Case {
    int answer;
    const char* region;
    std::uint8_t mark;
  };
  for (const Case& c : {Case{8, "09", 1}, Case{1, "13", 0}}) {
    host->coded.codes.clear();
    host->coded.answer = c.answer;
    std::memcpy(P() + 431, "13", 2);
    P()[433] = 1;
    EXPECT_EQ(page.OnBoxValueChanged(37), 1);
    EXPECT_EQ(host->coded.codes, std::vector<std::string>{"100P077"});
    EXPECT_EQ(Text(431, 2), c.region);
    EXPECT_EQ(P()[433], c.mark);
    EXPECT_EQ(ReadOnly(38), c.mark == 0);
  }
  // Without the mark nothing is asked.
  host->coded.codes.clear();
  EXPECT_EQ(page.OnBoxValueCleared(37), 1);
  EXPECT_TRUE(host->coded.codes.empty());
}

TEST_F(Pat001, OneRegimeAndOneTelephoneTimeAreKept) {
  forms::CFormView& page = Open(3, 301);
  P()[428] = 1;
  P()[429] = 1;
  page.OnBoxValueChanged(35);
  EXPECT_EQ(P()[428], 0);
  EXPECT_EQ(P()[429], 1);
  struct Case {
    int position;
    std::size_t kept, cleared;
  };
  for (const Case& c : {Case{18, 256, 257}, Case{19, 257, 256}}) {
    P()[256] = P()[257] = 'X';
    page.OnBoxValueChanged(c.position);
    EXPECT_EQ(P()[c.kept], 'X') << c.position;
    EXPECT_EQ(P()[c.cleared], 0) << c.position;
  }
}

TEST_F(Pat001, TheNifIsCheckedAndGoesToTheHeader) {
  forms::CFormView& page = Open(3, 301);
  std::memcpy(P() + 86, "12345678Z", 10);
  host->checkResult = 0;
  EXPECT_EQ(page.OnBoxEdited(4), 0);
  EXPECT_EQ(host->fieldChecks.back().first, forms::PAT001::kNifCheck);
  EXPECT_EQ(host->fieldChecks.back().second, P() + 86);
  EXPECT_STREQ(Doc().HeaderNif().data(), "") << "a refused NIF is not taken";
  host->checkResult = 1;
  document->Model().SetEditedSincePrinted(false);
  EXPECT_EQ(page.OnBoxEdited(4), 1);
  EXPECT_STREQ(Doc().HeaderNif().data(), "12345678Z");
  EXPECT_TRUE(document->Model().EditedSincePrinted());
}

TEST_F(Pat001, ARefusedCheckClearsItsPart) {
  forms::CFormView& page = Open(3, 301);
  struct Case {
    int position;
    std::vector<int> checks;  // run in order; the last one refuses
    std::size_t cleared, width;
  };
  const Case cases[] = {{41, {6}, 474, 2},      {42, {6}, 476, 10}, {43, {16}, 486, 4},
                        {43, {16, 6}, 486, 4}, {20, {1}, 0, 0},    {33, {8}, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    std::memcpy(P() + 474, "31FEBRERO   2004", 16);
    host->fieldChecks.clear();
    int run = 0;
    host->onCheck = [&](int, void*) { host->checkResult = ++run < static_cast<int>(c.checks.size()) ? 1 : 0; };
    host->checkResult = 1;
    EXPECT_EQ(page.OnBoxEdited(c.position), 0);
    ASSERT_EQ(host->fieldChecks.size(), c.checks.size());
    for (std::size_t i = 0; i < c.checks.size(); ++i) EXPECT_EQ(host->fieldChecks[i].first, c.checks[i]);
    if (c.width) {
      EXPECT_EQ(Text(c.cleared, c.width), std::string(c.width, '\0'));
    }
  }
  host->onCheck = nullptr;
  host->checkResult = 1;
  EXPECT_EQ(page.OnBoxEdited(43), 1);
}

TEST_F(Pat001, TheComposedNameIsShownInTheOtherPagesHeaders) {
  forms::CFormView& page = Open(3, 301);
  struct Case {
    const char *surname1, *surname2, *name, *composed;
  };
  for (const Case& c : {Case{"GARCIA", "LOPEZ", "ANA", "GARCIA LOPEZ, ANA"}, Case{"GARCIA", "", "ANA", "GARCIA , ANA"},
                        Case{" GARCIA", "LOPEZ", "ANA", " LOPEZ, ANA"}}) {
    std::memset(P() + 96, 0, 45);
    std::memcpy(P() + 96, c.surname1, std::strlen(c.surname1));
    std::memcpy(P() + 111, c.surname2, std::strlen(c.surname2));
    std::memcpy(P() + 126, c.name, std::strlen(c.name));
    EXPECT_EQ(page.OnBoxEdited(6), 1);
    std::string expected = c.composed;
    expected.resize(48, ' ');
    EXPECT_EQ(std::string(Doc().DeclarantNameField()), expected);
  }
  for (int code = 302; code <= 310; ++code) {
    SCOPED_TRACE(code);
    forms::CFormView& header = Page(code);
    EXPECT_EQ(header.GetBox(1)->data, static_cast<void*>(Doc().DeclarantNameField()));
    EXPECT_EQ(Shown(header, 2), QStringLiteral("LOPEZ, ANA"));
  }
  other.reset();
}

TEST_F(Pat001, TheMarksThatEnterTheLiquidationRecalculateIt) {
  forms::CFormView& page = Open(3, 301);
  blocks::F64{f714::Summary.offset + 152}.set(Block(), 1000000.0);
  P()[81] = 1;
  document->Model().SetEditedSincePrinted(false);
  EXPECT_EQ(page.OnBoxEdited(1), 1);
  EXPECT_TRUE(document->Model().EditedSincePrinted());
  EXPECT_EQ(blocks::F64{f714::Summary.offset + 176}.get(Block()), 0.0) << "no exempt minimum";
  EXPECT_TRUE(ReadOnly(37));
}

TEST_F(Pat001, TheSheetsShowTheDocumentsTextsAndTheReferenceOnlyOnPaper) {
  Open(3, 301);
  doc::C714Doc& d = Doc();
  std::memcpy(P() + 86, "12345678Z", 9);
  std::memcpy(P() + 96, "GARCIA", 6);
  std::memcpy(P() + 111, "LOPEZ", 5);
  std::memcpy(P() + 126, "ANA", 3);
  EXPECT_EQ(forms::PreparePrintSheet714(d).substr(0, 3), "300") << "the payment data: nothing to pay";
  EXPECT_EQ(std::string(d.BarcodeArea().data(), 5), "90558");
  std::string code = forms::CNameCode("GARCIA LOPEZ ANA", "12345678Z").GetCode();
  code.erase(std::remove(code.begin(), code.end(), '-'), code.end());
  ASSERT_FALSE(code.empty());
  struct Sheet {
    int code, kind, label, foot, identification;
    const char* copy;
  };
  for (const Sheet& s : {Sheet{301, 1, 45, 44, 50, "Ejemplar para la Administración"},
                         Sheet{305, 1, 94, 95, 0, "Ejemplar para la Administración"},
                         Sheet{311, 5, 33, 35, 37, "Ejemplar para el sujeto pasivo"},
                         Sheet{312, 3, 30, 33, 35, "Ejemplar para la Entidad colaboradora - VELM"}}) {
    SCOPED_TRACE(s.code);
    forms::SetCopyLabel714(d, s.kind, 'e');
    forms::CFormView& sheet = Page(s.code);
    sheet.SetPrinting(true);
    EXPECT_EQ(sheet.GetBox(s.label - 1)->data, static_cast<void*>(d.PrintSheetState().copyLabel.data()));
    EXPECT_EQ(platform::Cp1252ToUtf8(d.PrintSheetState().copyLabel.data()), s.copy);
    EXPECT_EQ(sheet.GetBox(s.foot - 1)->data, static_cast<void*>(d.PrintSheetState().footText.data()));
    EXPECT_EQ(Shown(sheet, s.foot), QString());
    if (s.identification) {
      EXPECT_EQ(Shown(sheet, s.identification).toStdString(), code);
    }
  }
  d.PrintSheetState().internetCopy = true;
  EXPECT_EQ(forms::PreparePrintSheet714(d), "");
  EXPECT_EQ(d.BarcodeArea()[0], 0) << "no payment barcode on the internet copy";
  for (int page : {301, 311})
    EXPECT_EQ(Page(page).GetBox(page == 301 ? 50 : 33)->data, nullptr) << "no printed reference code";
  other.reset();
}

}  // namespace
}  // namespace formstest

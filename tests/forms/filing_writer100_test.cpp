// The form-100 filing file of one member: pages in use, the special fields, repeated sheets, the
// signature section and the finish of the file.
#include <cstring>

#include "blocks/form100.h"
#include "data/db/databases.h"
#include "filing_fixture.h"
#include "forms/filing/filing_writer100.h"

using filingtest::BoxDef;
using filingtest::Row;

namespace {

constexpr int kFamily = 288, kSectionN = 75744, kSectionQ = 86872, kSummary = 65736;
constexpr int kMember = 2;      // the declarant
constexpr int kScratch = 100;   // page boxes of the test bound here (Form100Personal is not read)

std::vector<std::string> Layout(int sheetListLength) {
  return {Row(10, 201, 0, "C", 4, 0, "<100"),      Row(20, 201, -453, "", 2),
          Row(30, 201, -201, "", 4, 0, "", "BF_ENT1"), Row(40, 201, -202, "", 4, 0, "", "BF_SUC1"),
          Row(50, 201, -203, "", 2, 0, "", "BF_DC1"),  Row(60, 201, -204, "", 10, 0, "", "BF_CCC1"),
          Row(70, 201, -209, "", 13, 0, "", "BF_JUS"), Row(80, 201, -210, "", 13, 0, "", "BF_RESUL"),
          Row(90, 201, -211, "", 1, 0, "", "BF_FP"),   Row(100, 201, -213, "", 1, 0, "", "BF_RD"),
          Row(110, 201, -214, "", 1, 0, "", "BF_CCY"), Row(120, 201, -789, "", 1),
          Row(130, 201, -101, "", 18),                 Row(140, 201, -61, "", 1, 0, "", "Z61"),
          Row(150, 201, -74, "", sheetListLength),     Row(160, 201, -75, "", 13),
          Row(170, 201, 1, "S", 9),                    Row(180, 201, 0, "R", 0),
          Row(190, 203, 0, "C", 0, 0, "", "HOJ003"),   Row(200, 203, 0, "C", 4, 0, "<203"),
          Row(210, 203, -15, "", 1),                   Row(220, 203, 1, "S", 3),
          Row(230, 203, 0, "R", 0),                    Row(240, 203, 0, "J", 0, 2, "", "HOJ003"),
          Row(250, 205, 0, "C", 4, 0, "<205"),         Row(260, 205, -90, "", 4),
          Row(270, 205, -92, "", 4),                   Row(280, 205, 0, "R", 0),
          Row(290, 213, 12, "", 13),                   Row(300, 213, 0, "R", 0),
          Row(310, 290, 0, "C", 7, 0, "<FIRMA>"),      Row(320, 290, 1, "V", 0),
          Row(330, 290, 2, "V", 0),                    Row(340, 290, 3, "V", 0),
          Row(350, 290, 0, "C", 8, 0, "</FIRMA>"),     Row(360, 290, 0, "R", 0)};
}

class Filing100 : public ::testing::Test {
 protected:
  explicit Filing100(int sheetListLength = 24)
      : block(f100::kBlockSize, 0), pages(block), layout("internet", Layout(sheetListLength)) {
    EXPECT_TRUE(declarations.Open(dir.Str() + db::kDeclarationsFile, db::OpenMode::Create));
    EXPECT_TRUE(db::CreateDeclarationsSchema(declarations));

    pages.defs[201] = {{1, "S9", kScratch}};
    Put(kScratch, "12345678Z");
    // Page 202 holds data only where it does not count: its first two boxes, a box painted on
    // screen only, and boxes from its reference on.
    pages.defs[202] = {{1, "S9", kScratch},
                       {2, "S9", kScratch},
                       {3, "R8.2", kScratch + 16, "", 1},
                       {4, "S9", kScratch, "REFERENCIA"},
                       {5, "R8.2", kScratch + 16}};
    blocks::F64{kScratch + 16}.set(block.data(), 3.0);
    pages.defs[203] = {{1, "S3", kScratch + 24}, {3, "S3", kScratch + 24}};
    pages.sheets[203] = {2, 3};
    Put(kScratch + 24, "AAABBBCCC");
    pages.defs[204] = {{3, "S9", kScratch, "ZAPEND"}};
    pages.defs[205] = {{3, "R8.2", kScratch + 16}, {55, "S9", kScratch + 40}, {115, "S9", kScratch + 50}};
    Put(kScratch + 40, "1,23/2002");
    pages.defs[213] = {{3, "R8.2", kScratch + 16}, {12, "R8.2", kScratch + 16}};
    pages.defs[290] = {{1, "S20", kScratch + 60}, {2, "S20", kScratch + 80}, {3, "S20", kScratch + 100}};
    Put(kScratch + 60, "LINE ONE");
    Put(kScratch + 100, "LINE THREE");

    const int m = kMember;
    block[kFamily + 1554 + m] = 'X';
    block[kFamily + 754 + m] = 'X';
    Put(kSectionQ + 7888 + 4 * m, "21");  // "%4.4s": right-aligned, blanks as zeros
    Put(kSectionQ + 7908 + 4 * m, "0418");
    Put(kSectionQ + 7930 + 2 * m, "45");
    Put(kSectionQ + 7932 + 10 * m, "0200051332");
    Put(273 + 20 * m, "ABCDEFGHIJKLMN");
    blocks::F64{static_cast<std::size_t>(kSectionN + 616 + 8 * m)}.set(block.data(), -1234.56);
    block[kSectionQ + 7876 + m] = 1;
    block[kSummary + 9879 + m] = 1;
    blocks::I32{static_cast<std::size_t>(kFamily + 4292 + 72 * m)}.set(block.data(), 3);
    blocks::I32{static_cast<std::size_t>(kFamily + 4292 + 72 * m + 4 * 17)}.set(block.data(), 1);
    block[kFamily + 4733 + m] = 1;
    blocks::F64{kSummary + 9856}.set(block.data(), 500.25);

    db::CAdoRecordset rs;
    rs.Open("DATOSFISC", &declarations);
    EXPECT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", "DECL1") && rs.AppendPendingRow());
  }

  forms::FilingContext Context() {
    forms::FilingContext c;
    c.local = &layout.conn;
    c.declarations = &declarations;
    c.messages = &messages;
    c.block = block;
    c.key = "DECL1";
    c.member = kMember;
    c.filingFlag = &filingFlag;
    c.pages = pages.Factory();
    c.showMember = [this](int member) {
      shownHistory.push_back(member);
      return std::exchange(shown, member);
    };
    c.seal = [this](const std::string&, char* seal, int position) {
      sealPosition = position;
      std::memcpy(seal, "SEALSEALSEAL", 12);
      return 1;
    };
    return c;
  }
  void Put(int offset, std::string_view text) { std::memcpy(block.data() + offset, text.data(), text.size()); }

  dbtest::TempDir dir;
  std::vector<std::uint8_t> block;
  filingtest::PageSet pages;
  filingtest::LayoutDb layout;
  db::CAdoConnection declarations;
  MessageRecorder messages;
  int filingFlag = 0;
  int shown = 1;
  std::vector<int> shownHistory;
  int sealPosition = -1;
};

const std::string kSpecials = std::string("10") + "0021" + "0418" + "45" + "0200051332";
const std::string kAfterJustification =
    std::string("N000000123456") + "1" + "0" + "1" + "1" + "3" + std::string(16, '0') + "1" + "R";
const std::string kSheets = "001003003003005013FIN   ";
const std::string kPages = std::string("12345678Z") + "\r\n" + "<203" + " " + "AAA" + "\r\n" + "<203" + "C" + "BBB" +
                           "\r\n" + "<203" + "C" + "CCC" + "\r\n" + "<205" + "0123" + "2002" + "\r\n" +
                           "0000000050025" + "\r\n";

TEST_F(Filing100, PagesInUseAndTheShownMember) {
  forms::CFilingFileWriter100 writer(kMember, Context(), "201");
  EXPECT_EQ(writer.GetFilter(), "!202 !204 !206 !207 !208 !209 !214 !215 !216 ");
  EXPECT_EQ(shown, 1);  // every scan puts the shown member back
  ASSERT_FALSE(shownHistory.empty());
  EXPECT_EQ(shownHistory.front(), kMember);
  for (const auto& [code, member] : pages.requests) EXPECT_EQ(member, kMember) << code;
  EXPECT_TRUE(pages.built.at(203)->filing);
  EXPECT_GT(pages.built.at(203)->holderModeCalls, 0);
}

TEST_F(Filing100, TextForTheBarcodeEndsBeforeTheSignature) {
  forms::CFilingFileWriter100 writer(kMember, Context());
  std::string text;
  ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
  EXPECT_EQ(text, "<100" + kSpecials + "ABCDEFGHIJKLN" + kAfterJustification + kSheets + std::string(13, ' ') + kPages);
  EXPECT_EQ(sealPosition, -1);
}

TEST_F(Filing100, FileWithSignatureSheetListAndSeal) {
  filingFlag = 1;
  std::string path = dir.Str() + "12345678.100";
  {
    forms::CFilingFileWriter100 writer(kMember, Context());
    ASSERT_TRUE(writer.Generate(path, forms::kFilingCreate));
  }
  EXPECT_EQ(filingFlag, 0);
  EXPECT_EQ(filingtest::ReadFile(path), "<100" + kSpecials + std::string(13, '0') + kAfterJustification + kSheets +
                                            "SEALSEALSEALO" + kPages + "<FIRMA>LINE ONE\nLINE THREE\n</FIRMA>\r\n");
  EXPECT_EQ(sealPosition, 99);
}

TEST_F(Filing100, RefundAccountSources) {
  const int m = kMember;
  struct Case {
    double refund;
    const char* override;
    const char* entity;
  };
  Put(kSectionQ + 8190 + 4 * m, "3000");
  // The override of section N wins even over a refund of its own.
  for (const Case& c : {Case{0.0, "", "0021"}, Case{75.0, "", "3000"}, Case{75.0, "9999", "9999"}}) {
    blocks::F64{static_cast<std::size_t>(kSectionQ + 8288 + 8 * m)}.set(block.data(), c.refund);
    Put(kSectionN + 276 + 4 * m, std::string(c.override) + std::string(4 - std::strlen(c.override), '\0'));
    forms::CFilingFileWriter100 writer(kMember, Context());
    std::string text;
    ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
    EXPECT_EQ(text.substr(6, 4), c.entity) << c.refund << c.override;
  }
}

TEST_F(Filing100, HolderMarksAndAssignmentMarks) {
  const int m = kMember;
  struct Case {
    char first, second;  // bytes +754+m and +759+m; the second identity's NIF is set
    std::uint8_t church;
    const char* holders;
    const char* assignment;
  };
  for (const Case& c : {Case{'X', 0, 0, "10", "R"}, Case{0, 'X', 1, "01", " "}, Case{0, 0, 0, "00", "R"}}) {
    block[kFamily + 754 + m] = static_cast<std::uint8_t>(c.first);
    block[kFamily + 759 + m] = static_cast<std::uint8_t>(c.second);
    block[kFamily + 4723 + m] = c.church;
    forms::CFilingFileWriter100 writer(kMember, Context());
    std::string text;
    ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
    EXPECT_EQ(text.substr(4, 2), c.holders);
    EXPECT_EQ(text.substr(74, 1), c.assignment);
  }
}

class Filing100ShortSheetList : public Filing100 {
 protected:
  Filing100ShortSheetList() : Filing100(12) {}
};

TEST_F(Filing100ShortSheetList, ASheetListLongerThanItsPlaceIsRefused) {
  std::string path = dir.Str() + "short.100";
  forms::CFilingFileWriter100 writer(kMember, Context());
  EXPECT_FALSE(writer.Generate(path, forms::kFilingCreate));  // it would overwrite the seal and data
  std::string text;
  EXPECT_FALSE(writer.Generate(text, forms::kFilingTextOnly));
}

TEST(ProductTitle, StringTwoThousandNinety) { EXPECT_EQ(forms::LoadProductTitle(), "QUILDEXAN"); }

}  // namespace

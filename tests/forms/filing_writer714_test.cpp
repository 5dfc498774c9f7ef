// The form-714 filing file: pages in use, special fields, sheet list and seal, checked byte for
// byte against a small layout.
#include <cstring>

#include "blocks/form714.h"
#include "filing_fixture.h"
#include "forms/filing/filing_writer714.h"
#include "platform/seal.h"

using filingtest::BoxDef;
using filingtest::Row;

namespace {

constexpr int kPersonal = 6200, kSectionA = 8, kSectionC = 3216, kResult = 6696, kSummary = 21440;

const std::vector<std::string> kLayout{
    Row(10, 301, 0, "C", 4, 0, "<714"), Row(20, 301, -555, "", 1), Row(30, 301, -789, "", 1), Row(40, 301, 4, "S", 9),
    Row(50, 301, 51, "S", 13, 0, "", "JUSTIFI"), Row(60, 301, 46, "S", 25, 0, "", "REF"), Row(70, 301, -74, "", 20),
    Row(80, 301, -75, "", 13), Row(90, 301, 0, "R", 0),
    Row(100, 301, 5, "S", 10), Row(110, 301, 16, "S", 2, 0, "", "PROV"), Row(120, 301, 34, "B", 1, 0, "1"),
    Row(130, 301, 35, "B", 1, 0, "2"), Row(140, 301, 36, "B", 1, 0, "3 0"), Row(150, 301, 41, "E", 2, 1, "0"),
    Row(160, 301, 0, "R", 0),
    Row(170, 302, 0, "C", 4, 0, "<302"), Row(180, 302, 19, "D", 10, 2, "0"), Row(190, 302, 18, "S", 6, 1, "."),
    Row(200, 302, 0, "R", 0),
    Row(210, 303, 0, "C", 4, 0, "<303"), Row(220, 303, 7, "D", 10, 2, "0"), Row(230, 303, 0, "R", 0),
    Row(240, 309, 26, "D", 10, 2, "0"), Row(250, 309, 0, "R", 0),
    Row(260, 310, 27, "D", 10, 2), Row(270, 310, 0, "R", 0),
    Row(280, 311, 22, "B", 1, 0, "1"), Row(290, 311, 23, "B", 1, 0, "2 0"), Row(300, 311, 24, "E", 4, 1, "0"),
    Row(310, 311, 27, "E", 10, 1, "0"), Row(320, 311, 0, "C", 6, 0, "</714>"), Row(330, 311, 0, "R", 0)};

class Filing714 : public ::testing::Test {
 protected:
  Filing714() : block(f714::kBlockSize, 0), pages(block), layout("internet_patrimonio", kLayout, true) {
    pages.defs[301] = {{4, "S9", kPersonal + 86},    {5, "S15", kPersonal + 96},  {16, "S20", kPersonal + 230},
                       {34, "B1", kPersonal + 428},  {35, "B1", kPersonal + 429}, {36, "B1", kPersonal + 430},
                       {41, "S2", kPersonal + 474},  {46, "S60", kPersonal + 21, "REFERENCIA"},
                       {51, "S20", kPersonal + 1}};
    pages.defs[302] = {{1, "S9", kPersonal + 86},     {17, "S21", kSectionA + 154},
                       {18, "S41", kSectionA + 175}, {19, "R13.2", kSectionA + 216},
                       {198, "S60", kPersonal + 21, "REFERENCIA"}};
    pages.defs[303] = {{1, "S9", kPersonal + 86},
                       {4, "S6", kSectionC + 0, "EJEMPLAR"},
                       {5, "S29", kSectionC + 6, "", 1},
                       {7, "R13.2", kSectionC + 64, "", 1}};
    pages.defs[309] = {{26, "R13.2", kSummary + 184}};
    pages.defs[310] = {{27, "R13.2", kSummary + 536}};
    pages.defs[311] = {{22, "B1", kResult + 24}, {23, "B1", kResult + 25}, {24, "S4", kResult + 26}, {27, "S10", kResult + 36}};

    Put(kPersonal + 86, "12345678Z");
    Put(kPersonal + 96, "GARCIA");
    Put(kPersonal + 230, "MADRID");
    block[kPersonal + 429] = 1;
    Put(kPersonal + 474, "07");
    Put(kPersonal + 21, "REFTEXT-0123456789-ABCDEF");
    Put(kPersonal + 1, "ABCDEFGHIJKLMN");
    Put(kSectionA + 175, "PISO");
    blocks::F64{kSectionA + 216}.set(block.data(), 1500.5);
    // Page 303 holds data only in boxes that do not count: an identifier, a copy label and
    // boxes painted on screen only.
    Put(kSectionC + 0, "X1");
    Put(kSectionC + 6, "SOLO EN PANTALLA");
    blocks::F64{kSectionC + 64}.set(block.data(), 7.0);
    blocks::F64{kSummary + 184}.set(block.data(), 250000.0);
    blocks::F64{kSummary + 536}.set(block.data(), -12.34);
    block[kResult + 25] = 1;
    Put(kResult + 26, "2100");
    Put(kResult + 36, "12345");
  }

  forms::FilingContext Context() {
    forms::FilingContext c;
    c.local = &layout.conn;
    c.messages = &messages;
    c.block = block;
    c.filingFlag = &filingFlag;
    c.language = 'g';
    c.pages = pages.Factory();
    c.seal = [this](const std::string& path, char* seal, int position) {
      sealCalls.emplace_back(path, position);
      std::memcpy(seal, "SEALSEALSEAL", 12);
      return 1;
    };
    return c;
  }
  void Put(int offset, std::string_view text) { std::memcpy(block.data() + offset, text.data(), text.size()); }

  std::vector<std::uint8_t> block;
  filingtest::PageSet pages;
  filingtest::LayoutDb layout;
  MessageRecorder messages;
  int filingFlag = 1;
  std::vector<std::pair<std::string, int>> sealCalls;
  dbtest::TempDir dir;
};

// The header line up to the sheet list: tag, language, fiscal-data mark, NIF.
const std::string kHead = std::string("<714") + "G" + "0" + "12345678Z";
const std::string kBody = std::string("GARCIA    ") + "28" + "2" + "07" + "\r\n" +  // page 301
                          "<302" + "000000150050" + "..PISO" + "\r\n" +             // page 302
                          "000025000000" + "\r\n" +                                 // page 309
                          "N      01234" + "\r\n" +                                 // page 310
                          "2" + "2100" + "0000012345" + "</714>" + "\r\n";          // page 311

TEST_F(Filing714, WholeFileWithSheetListAndSeal) {
  std::string path = dir.Str() + "12345678.714";
  {
    forms::CFilingFileWriter714 writer(Context(), "301 302");  // the caller's filter is replaced
    EXPECT_EQ(writer.GetFilter(), "!303 !304 !305 !306 !307 !308 ");
    ASSERT_TRUE(writer.Generate(path, forms::kFilingCreate));
    EXPECT_EQ(writer.SheetList(), "001002009010011FIN");
  }
  EXPECT_EQ(filingFlag, 0);  // the writer clears the document's filing flag when it goes
  const std::string expected = kHead + "0000000000000" + "REFTEXT-0123456789-AOCDEF" + "001002009010011FIN  " +
                               "SEALSEALSEALO" + "\r\n" + kBody;
  EXPECT_EQ(filingtest::ReadFile(path), expected);
  ASSERT_EQ(sealCalls.size(), 1u);
  EXPECT_EQ(sealCalls[0], (std::pair<std::string, int>{path, 73}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Filing714, AppendedFileGetsItsSheetListAndSealAfterWhatItHeld) {
  std::string path = dir.Str() + "both.714";
  std::ofstream(path, std::ios::binary) << "EARLIER\r\n";
  forms::CFilingFileWriter714 writer(Context());
  ASSERT_TRUE(writer.Generate(path, forms::kFilingAppend));
  EXPECT_EQ(filingtest::ReadFile(path), "EARLIER\r\n" + kHead + "0000000000000" + "REFTEXT-0123456789-AOCDEF" +
                                            "001002009010011FIN  " + "SEALSEALSEALO" + "\r\n" + kBody);
  ASSERT_EQ(sealCalls.size(), 1u);
  EXPECT_EQ(sealCalls[0].second, 9 + 73);
}

TEST_F(Filing714, TextForTheBarcodeCarriesTheReferenceAndNoSeal) {
  filingFlag = 0;
  forms::CFilingFileWriter714 writer(Context());
  std::string text;
  ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
  EXPECT_EQ(text, kHead + "ABCDEFGHIJKLN" + "REFTEXT-0123456789-AOCDEF" + "001002009010011FIN  " + std::string(13, ' ') +
                      "\r\n" + kBody);
  EXPECT_TRUE(sealCalls.empty());
}

TEST_F(Filing714, PagesInUse) {
  forms::CFilingFileWriter714 writer(Context());
  struct Case {
    int page;
    bool inUse;
  };
  // 301 and 309-311 always; 302 by its row amount; 303 only has data in boxes that do not count.
  for (const Case& c : {Case{301, true}, Case{302, true}, Case{303, false}, Case{304, false}, Case{308, false},
                        Case{309, true}, Case{311, true}})
    EXPECT_EQ(writer.IsPageInUse(c.page), c.inUse) << c.page;
  // A text made only of blanks and the filler byte 0xCD is no data.
  Put(kSectionA + 175, std::string(4, '\0'));
  Put(kSectionA + 154, "  \xCD\xCD \xCD");
  blocks::F64{kSectionA + 216}.set(block.data(), 0.0);
  forms::CFilingFileWriter714 empty(Context());
  EXPECT_FALSE(empty.IsPageInUse(302));
  Put(kSectionA + 155, "\xCD" "A");
  forms::CFilingFileWriter714 text(Context());
  EXPECT_TRUE(text.IsPageInUse(302));
}

TEST_F(Filing714, FiscalDataMarkAndUnknownProvince) {
  Put(kPersonal + 230, "ATLANTIDA");
  forms::FilingContext c = Context();
  c.fiscalDataMarker = 'S';
  filingFlag = 0;
  forms::CFilingFileWriter714 writer(std::move(c));
  std::string text;
  ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
  EXPECT_EQ(text.substr(5, 1), "1");
  EXPECT_EQ(text.substr(text.find("GARCIA    ") + 10, 2), "00");
}

TEST(Seal, CrcOfTheFileAndThePosition) {
  const unsigned char check[] = "123456789";
  EXPECT_EQ(platform::Crc32(check, 9), 0xCBF43926UL);
  dbtest::TempDir dir;
  const std::string path = dir.Str() + "a.714";
  std::ofstream(path, std::ios::binary) << "123456789";
  char seal[14];
  std::fill(seal, seal + 14, ' ');
  EXPECT_EQ(platform::SelloPos(path, seal, 73), 1);
  EXPECT_EQ(std::string(seal, 14), "CBF439260073  ");
  std::fill(seal, seal + 14, ' ');
  EXPECT_EQ(platform::SelloPos(dir.Str() + "missing", seal, 1), 0);
  EXPECT_EQ(std::string(seal, 14), std::string(14, ' '));
}

}  // namespace

// The filing-file generator: every row kind's text, the page filter, repeated blocks, the three
// output modes and the amount limit.
#include <QApplication>

#include <cstring>
#include <functional>

#include "blocks/field.h"
#include "filing_fixture.h"
#include "forms/filing/filing_writer.h"
#include "forms/view/box_list.h"

using filingtest::BoxDef;
using filingtest::FakePage;
using filingtest::LayoutDb;
using forms::CFilingFileWriter;

namespace {

using filingtest::Row;

class TestWriter : public CFilingFileWriter {
 public:
  TestWriter(db::CAdoConnection* local, IMessageService* messages, std::string filter = {})
      : CFilingFileWriter("internet", std::move(filter), local, messages) {}
  bool Generate(std::string& path, int mode) override { return RunLayout(path, mode); }
  int Position() const { return filePosition_; }

  struct Special {
    int position, page, rowOffset, length;
    std::string name;
  };
  std::map<int, forms::IFilingPage*> pages;
  std::function<bool(const std::string&, int, int)> repeat = [](const std::string&, int, int) { return false; };
  std::vector<Special> specials;
  std::vector<std::pair<std::string, int>> repeatCalls;
  std::map<int, std::pair<std::string, int>> replace;  // position -> value and length

 protected:
  bool SelectPage(int pageCode) override {
    const auto it = pages.find(pageCode);
    current_ = it == pages.end() ? nullptr : it->second;
    return current_ != nullptr;
  }
  bool ContinueRepeat(const std::string& label, int counter, int count) override {
    repeatCalls.emplace_back(label, counter);
    return repeat(label, counter, count);
  }
  void GetSpecialFieldValue(int position, int pageCode, int rowOffset, std::string& value, int& length,
                            const std::string& name) override {
    specials.push_back({position, pageCode, rowOffset, length, name});
    if (const auto it = replace.find(position); it != replace.end()) {
      value = it->second.first;
      length = it->second.second;
    }
  }
};

// A block, one page 201 bound into it and a writer over a layout of `rows`.
struct Pass {
  explicit Pass(const std::vector<std::string>& rows, const std::vector<BoxDef>& boxes = {}, int sheets = 0,
                int stride = 0)
      : block(256, 0), layout("internet", rows), page(block, boxes, sheets, stride), writer(&layout.conn, &messages) {
    writer.pages[201] = &page;
  }
  std::string Text() {
    std::string text;
    EXPECT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
    return text;
  }
  void Put(int offset, std::string_view bytes) { std::memcpy(block.data() + offset, bytes.data(), bytes.size()); }
  void PutDouble(int offset, double v) { blocks::F64{static_cast<std::size_t>(offset)}.set(block.data(), v); }

  MessageRecorder messages;
  std::vector<std::uint8_t> block;
  LayoutDb layout;
  FakePage page;
  TestWriter writer;
};

TEST(FilingAmount, DigitsSignAndFill) {
  struct Case {
    double value;
    int length, decimals;
    bool zeroFill;
    const char* expected;
  };
  for (const Case& c : {Case{-123.45, 5, 2, true, "N012345"}, Case{-123.45, 5, 2, false, "N012345"},
                        Case{0.004, 5, 2, true, "0000000"}, Case{0.004, 5, 2, false, "       "},
                        Case{1234.5, 5, 2, true, "0123450"}, Case{1234.5, 5, 2, false, " 123450"},
                        Case{0.0, 5, 2, false, "       "}, Case{-5.0, 5, 2, false, "N  0500"},
                        Case{-5.0, 5, 2, true, "N000500"}, Case{42.0, 4, 0, true, "0042"}, Case{42.0, 4, 0, false, "  42"},
                        Case{2.675, 5, 2, true, "0000268"}, Case{-0.125, 3, 2, true, "N0013"},
                        Case{123456.78, 5, 2, true, "2345678"}})
    EXPECT_EQ(forms::FormatLayoutAmount(c.value, c.length, c.decimals, c.zeroFill), c.expected)
        << c.value << " " << c.length << "." << c.decimals << (c.zeroFill ? " zero fill" : "");
}

TEST(FilingAmount, ResultAmountIsThirteenCharacters) {
  EXPECT_EQ(forms::FormatResultAmount(-1234.56), "N000000123456");
  EXPECT_EQ(forms::FormatResultAmount(0.0), "0000000000000");
  EXPECT_EQ(forms::FormatResultAmount(98765.4), "0000009876540");
}

// A text, the row's length, alignment and pad, and the field it gives.
struct TextCase {
  const char* text;
  int length, alignment;
  const char* pad;
  const char* expected;
};

TEST(FilingText, AlignmentsAndPads) {
  using Case = TextCase;
  for (const Case& c : {Case{"AB", 5, 1, "*", "***AB"}, Case{"AB", 5, 0, "*", "AB***"}, Case{"ABCDEFG", 5, 3, "", "CDEFG"},
                        Case{"ABCDEFG", 5, 0, "", "ABCDE"}, Case{"AB", 5, 3, "", "AB   "}, Case{"AB", 5, 2, "", "   AB"},
                        Case{"AB", 5, 1, "xy", "yxyAB"}, Case{"", 3, 0, "", "   "}})
    EXPECT_EQ(forms::FormatLayoutText(c.text, c.length, c.alignment, c.pad), c.expected) << c.text << " " << c.alignment;
}

TEST(FilingText, DigitsOnly) {
  using Case = TextCase;
  for (const Case& c : {Case{"12-3", 4, 1, " ", " 123"}, Case{"123456", 4, 1, " ", "3456"}, Case{"123456", 4, 0, " ", "1234"},
                        Case{"1/2", 4, 1, "0", "0012"}, Case{"12", 4, 0, "", "12  "}, Case{"ABC", 2, 1, "0", "00"}})
    EXPECT_EQ(forms::FormatLayoutDigits(c.text, c.length, c.alignment, c.pad), c.expected) << c.text << " " << c.alignment;
}

TEST(FilingFilter, ConditionOfTheLayoutQuery) {
  struct Case {
    const char* filter;
    const char* condition;
  };
  for (const Case& c : {Case{"201 !202", "INDICEFICH = ' 201' and INDICEFICH <> ' 202'"},
                        Case{"!202 !203 ", "INDICEFICH <> ' 202' and INDICEFICH <> ' 203'"},
                        Case{"   301", "INDICEFICH = ' 301'"}, Case{"", ""}, Case{"  ", ""}}) {
    std::string text = "x";
    const db::Filter f = forms::PageFilterCondition(c.filter, &text);
    EXPECT_EQ(text, c.condition) << c.filter;
    EXPECT_EQ(f.Empty(), std::string(c.condition).empty());
  }
}

TEST(FilingLayout, EveryRowKind) {
  Pass pass({Row(1, 201, 0, "C", 6, 0, "ABC"), Row(2, 201, 0, "C", 2, 0, "ABC"), Row(3, 201, 1, "S", 6, 0, "", ""),
             Row(4, 201, 1, "S", 6, 1, "*"), Row(5, 201, 2, "E", 5, 1, "0"), Row(6, 201, 3, "K", 1),
             Row(7, 201, 4, "K", 1), Row(8, 201, 5, "V", 9), Row(9, 201, 6, "D", 5, 2, "0"), Row(10, 201, 6, "D", 6),
             Row(11, 201, 7, "", 3), Row(12, 201, 7, "Z", 2), Row(13, 201, 0, "R", 0), Row(14, 201, 99, "S", 2),
             Row(15, 201, 8, "B", 1), Row(16, 201, 9, "B", 1)},
            {{1, "S4", 0}, {2, "S8", 8}, {3, "B1", 16}, {4, "B1"}, {5, "S8", 24}, {6, "R8.2", 40}, {8, "B1", 48},
             {9, "B1", 49}});
  pass.Put(0, "ABCDEFG");       // box 1 shows its first 4 characters
  pass.Put(8, "12-345/6");
  pass.block[16] = 12;          // one digit: the last of "12"
  pass.Put(24, std::string("HELLO\0xy", 8));
  pass.PutDouble(40, -1234.5);
  pass.block[48] = 1;           // a lone mark with the default mark text
  EXPECT_EQ(pass.Text(), std::string("ABC   ") + "ABC" + "ABCD  " + "**ABCD" + "23456" + "2" + "0" + "HELLO" + "N123450" +
                            "N01235" + "   " + "  " + "\r\n" + "  " + "X" + " ");
}

// A digits row over an integer box ('I', 'C') files the box's number, not its bytes.
TEST(FilingLayout, DigitsOfAnIntegerBox) {
  Pass pass({Row(1, 201, 1, "E", 4, 1, "0"), Row(2, 201, 2, "E", 3, 1, "0"), Row(3, 201, 3, "E", 4, 1, "0")},
            {{1, "I4", 0}, {2, "C3", 4}, {3, "S4", 8}});
  blocks::I32{0}.set(pass.block.data(), 2001);
  blocks::I32{4}.set(pass.block.data(), 7);
  pass.Put(8, "12");
  EXPECT_EQ(pass.Text(), "2001" "007" "0012");
}

TEST(FilingLayout, FilePositionCountsTheRowLengths) {
  Pass pass({Row(1, 201, 0, "C", 3, 0, "AB"), Row(2, 201, -5, "", 4), Row(3, 201, 1, "B", 1, 0, "1"),
             Row(4, 201, -7, "", 2), Row(5, 201, 0, "R", 0)},
            {{1, "B1", 0}});
  pass.writer.replace[-5] = {"LONGER", 2};  // the subclass's length counts, not the text's
  EXPECT_EQ(pass.Text(), "AB LONGER  \r\n");
  EXPECT_EQ(pass.writer.Position(), 3 + 2 + 0 + 2 + 2);
  ASSERT_EQ(pass.writer.specials.size(), 3u);
  EXPECT_EQ(pass.writer.specials[0].position, -5);
  EXPECT_EQ(pass.writer.specials[0].page, 201);
  EXPECT_EQ(pass.writer.specials[0].length, 4);
}

TEST(FilingLayout, MarkGroupsFillOnePosition) {
  struct Case {
    std::vector<int> marked;
    const char* expected;
  };
  for (const Case& c : {Case{{}, "0|0"}, Case{{1}, "2|0"}, Case{{0}, "1|0"}, Case{{2}, "3|0"},
                        // Two alternatives marked: still one position, and the next group is whole.
                        Case{{0, 2}, "1|0"}, Case{{0, 1}, "1|0"}}) {
    Pass pass({Row(1, 201, 1, "B", 1, 0, "1", "G"), Row(2, 201, 2, "B", 1, 0, "2"), Row(3, 201, 3, "B", 1, 0, "3 0"),
               Row(4, 201, 0, "C", 1, 0, "|"), Row(5, 201, 4, "B", 1, 0, "1"), Row(6, 201, 5, "B", 1, 0, "2 0")},
              {{1, "B1", 0}, {2, "B1", 1}, {3, "B1", 2}, {4, "B1", 3}, {5, "B1", 4}});
    for (int i : c.marked) pass.block[static_cast<std::size_t>(i)] = 1;
    EXPECT_EQ(pass.Text(), c.expected) << c.marked.size();
  }
}

TEST(FilingLayout, PageFilterKeepsAndDropsPages) {
  const std::vector<std::string> rows{Row(1, 201, 0, "C", 1, 0, "a"), Row(2, 202, 0, "C", 1, 0, "b"),
                                      Row(3, 203, 0, "C", 1, 0, "c"), Row(4, 201, 0, "C", 1, 0, "d")};
  struct Case {
    const char* filter;
    const char* expected;
  };
  for (const Case& c : {Case{"", "abcd"}, Case{"!202 !203 ", "ad"}, Case{"202", "b"}, Case{"201 !203", "ad"}}) {
    Pass pass(rows);
    pass.writer.SetFilter(c.filter);
    EXPECT_EQ(pass.Text(), c.expected) << c.filter;
  }
}

TEST(FilingLayout, RepeatBlocksRestartAfterTheLabelledRow) {
  const std::vector<std::string> rows{Row(1, 201, 0, "C", 1, 0, "<"), Row(2, 201, 0, "C", 0, 0, "", "HOJ002"),
                                      Row(3, 201, 1, "S", 3), Row(4, 201, -15, "", 1), Row(5, 201, 0, "J", 0, 2, "", "HOJ002"),
                                      Row(6, 201, 0, "C", 1, 0, ">")};
  Pass pass(rows, {{1, "S3", 0}}, 2, 3);
  pass.Put(0, "AAABBBCCC");
  pass.writer.repeat = [&](const std::string&, int counter, int) { return pass.page.SelectSheet(counter + 2, 0); };
  EXPECT_EQ(pass.Text(), "<AAA BBB CCC >");
  ASSERT_EQ(pass.writer.repeatCalls.size(), 2u);  // the third arrival has used up the count
  EXPECT_EQ(pass.writer.repeatCalls[0], (std::pair<std::string, int>{"HOJ002", 0}));
  EXPECT_EQ(pass.writer.repeatCalls[1], (std::pair<std::string, int>{"HOJ002", 1}));
  std::vector<int> offsets;
  for (const auto& s : pass.writer.specials)
    if (s.position == -15) offsets.push_back(s.rowOffset);
  EXPECT_EQ(offsets, (std::vector<int>{0, 1, 2}));

  Pass once(rows, {{1, "S3", 0}}, 2, 3);
  once.Put(0, "AAABBBCCC");
  EXPECT_EQ(once.Text(), "<AAA >");  // the subclass refused: the block is emitted once
}

class FilingModes : public ::testing::Test {
 protected:
  const std::vector<std::string> rows{Row(1, 201, 0, "C", 0, 0, "TEXT"), Row(2, 201, 0, "R", 0)};
  dbtest::TempDir dir;
  std::string File(const char* name) const { return dir.Str() + name; }
};

TEST_F(FilingModes, CreateAppendAndTextOnly) {
  Pass pass(rows);
  std::string path = File("a.100");
  std::ofstream(path) << "OLD CONTENT";
  ASSERT_TRUE(pass.writer.Generate(path, forms::kFilingCreate));
  EXPECT_EQ(filingtest::ReadFile(path), "TEXT\r\n");
  ASSERT_TRUE(pass.writer.Generate(path, forms::kFilingAppend));
  EXPECT_EQ(filingtest::ReadFile(path), "TEXT\r\nTEXT\r\n");

  std::string text = File("none.100");
  ASSERT_TRUE(pass.writer.Generate(text, forms::kFilingTextOnly));
  EXPECT_EQ(text, "TEXT\r\n");
  EXPECT_FALSE(std::filesystem::exists(File("none.100")));
  EXPECT_TRUE(pass.messages.notices.empty());
}

TEST_F(FilingModes, AnOutputThatCannotBeOpenedIsToldAndNothingIsWritten) {
  Pass pass(rows);
  std::string missing = File("missing.100");
  EXPECT_FALSE(pass.writer.Generate(missing, forms::kFilingAppend));  // append needs the file
  EXPECT_FALSE(std::filesystem::exists(missing));
  std::string noFolder = File("no/such/folder/a.100");
  EXPECT_FALSE(pass.writer.Generate(noFolder, forms::kFilingCreate));
  ASSERT_EQ(pass.messages.notices.size(), 2u);
  EXPECT_FALSE(pass.messages.notices[0].empty());
}

TEST_F(FilingModes, AnAmountTooWideForItsBoxIsRefused) {
  const std::vector<std::string> amountRows{Row(1, 201, 0, "C", 0, 0, "X"), Row(2, 201, 1, "D", 12, 2, "0"),
                                            Row(3, 201, 2, "D", 12, 2, "0")};
  const std::vector<BoxDef> boxes{{1, "R8.2", 0}, {2, "M8.2", 8}};
  {
    Pass pass(amountRows, boxes);
    pass.PutDouble(0, 99999999.98);
    pass.PutDouble(8, 5e9);  // only amount boxes 'R' and 'F' are checked
    std::string path = File("fits.714");
    EXPECT_TRUE(pass.writer.Generate(path, forms::kFilingCreate));
    EXPECT_EQ(filingtest::ReadFile(path), std::string("X") + "00009999999998" + "00500000000000");
    EXPECT_EQ(pass.page.BoxAt(0)->errorFlag, 0);
    EXPECT_TRUE(pass.messages.shown.empty());
  }
  for (int mode : {forms::kFilingCreate, forms::kFilingAppend, forms::kFilingTextOnly}) {
    Pass pass(amountRows, boxes);
    pass.PutDouble(0, -100000000.00);
    std::string path = File("over.714");
    if (mode == forms::kFilingAppend) std::ofstream(path) << "EARLIER FILE";
    EXPECT_FALSE(pass.writer.Generate(path, mode)) << mode;
    EXPECT_EQ(pass.page.BoxAt(0)->errorFlag, 1);
    ASSERT_EQ(pass.messages.codes(), (std::vector<std::string>{"MAXPERM"}));
    EXPECT_EQ(pass.messages.shown[0].icon, MessageIcon::Information);
    if (mode == forms::kFilingCreate) {
      EXPECT_FALSE(std::filesystem::exists(path));
    } else if (mode == forms::kFilingAppend) {
      // A file appended to keeps what it held: nothing had been added to it.
      EXPECT_EQ(filingtest::ReadFile(path), "EARLIER FILE");
    } else {
      EXPECT_TRUE(path.empty());
    }
    std::filesystem::remove(File("over.714"));
  }
}

TEST(FilingAmountLimit, BoxWidthDecides) {
  std::vector<std::uint8_t> block(16, 0);
  MessageRecorder messages;
  TestWriter writer(nullptr, &messages);
  FakePage page(block, {{1, "F3.2", 0}, {2, "R3.2"}});
  blocks::F64{0}.set(block.data(), 999.98);
  EXPECT_TRUE(writer.CheckAmountLimit(page.BoxAt(0)));
  blocks::F64{0}.set(block.data(), 999.995);
  EXPECT_FALSE(writer.CheckAmountLimit(page.BoxAt(0)));
  EXPECT_TRUE(writer.CheckAmountLimit(page.BoxAt(1)));  // unbound
  EXPECT_TRUE(writer.CheckAmountLimit(nullptr));
}

}  // namespace

namespace {

// The page box lists of the page views serve the writers through the adapter.
TEST(FilingPageAdapter, OverAPageBoxList) {
  forms::BoxListFilingPage<forms::CHolderPageBoxList> page(std::make_unique<forms::CHolderPageBoxList>(2));
  EXPECT_EQ(page.BoxCount(), 0);
  EXPECT_EQ(page.BoxAt(0), nullptr);
  EXPECT_TRUE(page.SelectSheet(1, 0));
  EXPECT_FALSE(page.SelectSheet(2, 0));  // the base list has no continuation sheets
  page.list().continuationSheets = 2;
  EXPECT_EQ(page.ContinuationSheets(), 2);
  page.MarkFiling();
  EXPECT_EQ(page.list().filing, 1);
}

}  // namespace

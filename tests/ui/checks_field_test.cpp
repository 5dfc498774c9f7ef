#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "checks_fakes.h"
#include "blocks/field.h"
#include "checks/field_check.h"

using namespace checks;

namespace {

struct FieldCheckTest : ::testing::Test {
  DocumentState doc;
  RecordingMessages messages;
  InMemoryCorrectionsStore store;
  CFieldCheck check{doc, messages, store};

  int runText(int number, std::string& field) {
    int r = check.RunCheck(number, field.data());
    return r;
  }
  int runAmount(int number, double& v) {
    unsigned char b[8];
    blocks::F64{0}.set(b, v);
    int r = check.RunCheck(number, b);
    v = blocks::F64{0}.get(b);
    return r;
  }
};

}  // namespace

TEST_F(FieldCheckTest, DateWindowsAndYears) {
  struct Case {
    int number;
    std::string in;
    int result;
    std::string after;
  } cases[] = {
      {11, "01011998", 0, "        "}, {11, "02011998", 1, "02011998"}, {11, "01012004", 0, "        "},
      {11, "31122003", 1, "31122003"}, {11, "        ", 1, "        "}, {11, "31022003", 0, "        "},
      {15, "        ", 1, "        "}, {12, "31122001", 0, "        "}, {18, "01052000", 1, "01052000"},
      {18, "31122000", 1, "31122000"}, {18, "30042000", 0, std::string(8, '\0')},
      {18, "31062000", 0, std::string(8, '\0')}, {19, "        ", 1, "        "},
      {101, "1885", 0, std::string(4, '\0')}, {101, "1886", 1, "1886"}, {101, "2003", 1, "2003"},
      {101, "2004", 0, std::string(4, '\0')}, {101, "0000", 0, std::string(4, '\0')}, {101, "85  ", 1, "1985"},
      {101, "985 ", 1, "1985"}, {101, "5   ", 1, "1905"}, {17, "7   ", 1, "1997"}, {17, "1995", 0, std::string(4, '\0')},
      {16, "5   ", 1, "2005"}, {16, "005 ", 1, "2005"}, {16, "2010", 0, std::string(4, '\0')},
  };
  for (auto c : cases) {
    std::string field = c.in;
    EXPECT_EQ(runText(c.number, field), c.result) << c.number << " " << c.in;
    EXPECT_EQ(field, c.after) << c.number << " " << c.in;
  }
}

TEST_F(FieldCheckTest, MessagesOfRefusals) {
  std::string d = "01011998";
  runText(11, d);
  std::string y = "2010";
  runText(16, y);
  std::string d15 = "01012002";
  runText(15, d15);
  std::string bad5 = "32012003";
  runText(15, bad5);
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"WIN008", "WIN007", "WIN005", "WIN008"}));
  check.SetMessagesOn(false);
  runText(11, d);
  EXPECT_EQ(messages.shown.size(), 4u);
}

TEST_F(FieldCheckTest, AmountChecks) {
  struct Case {
    int number;
    double in;
    int result;
    double after;
  } cases[] = {
      {104, 400, 0, 365}, {104, -5, 1, -5}, {24, 0, 0, 0}, {24, 13, 0, 0}, {24, 12, 1, 12}, {20, 0, 1, 0},
      {20, 33, 1, 33}, {20, 32, 0, 0}, {102, 100, 0, 0}, {102, 99.99, 1, 99.99}, {103, 100, 1, 100}, {103, -1, 0, 0},
  };
  for (auto c : cases) {
    double v = c.in;
    EXPECT_EQ(runAmount(c.number, v), c.result) << c.number << " " << c.in;
    EXPECT_EQ(v, c.after) << c.number << " " << c.in;
  }
  unsigned char two[16];
  blocks::F64{0}.set(two, 60);
  blocks::F64{8}.set(two, 50);
  EXPECT_EQ(check.RunCheck(3, two), 0);
  EXPECT_EQ(blocks::F64{0}.get(two) + blocks::F64{8}.get(two), 0);
  unsigned char rec[40] = {};
  blocks::F64{24}.set(rec, 10);
  EXPECT_EQ(check.RunCheck(201, rec), 0);
  blocks::F64{32}.set(rec, 1);
  EXPECT_EQ(check.RunCheck(201, rec), 1);
}

TEST_F(FieldCheckTest, NifChecks) {
  struct Case {
    int number;
    const char* in;
    int result;
  } cases[] = {
      {1, "A58818501", 1}, {21, "A58818501", 0}, {2, "A58818501", 0}, {22, "A58818501", 1}, {23, "A58818501", 0},
      {1, "00000000T", 0}, {21, "00000001R", 0}, {2, "99999999R", 0}, {22, "00000000T", 0}, {2, "012345678", 1},
      {21, "012345678", 0}, {23, "G58818501", 1}, {1, "         ", 1}, {23, "         ", 1},
  };
  for (auto c : cases) {
    std::string field(c.in, 9);
    EXPECT_EQ(runText(c.number, field), c.result) << c.number << " " << c.in;
    if (c.result == 0) {
      EXPECT_EQ(field, std::string(9, ' '));
    }
  }
  // An entity NIF with a valid control letter, first letter G (check 23 wants E, G or H).
  std::string g = "G2817340";
  int even = 0, odd = 0;
  for (int i = 0; i < 7; ++i) {
    int d = g[1 + i] - '0';
    if (i % 2 == 0) odd += (2 * d) / 10 + (2 * d) % 10;
    else even += d;
  }
  g += "JABCDEFGHI"[(10 - (even + odd) % 10) % 10];
  EXPECT_EQ(runText(23, g), 1);
  std::string blank = "         ";
  runText(1, blank);
  EXPECT_EQ(blank, std::string(9, '\0'));
}

TEST_F(FieldCheckTest, AccountsProvincesAndLongDates) {
  std::string ccc = "21000418450200051332";
  ccc.push_back('\0');
  EXPECT_EQ(check.RunCheck(9, ccc.data()), 1);
  std::string badDigit = "21000418460200051332";
  badDigit.push_back('\0');
  EXPECT_EQ(check.RunCheck(9, badDigit.data()), 0);
  EXPECT_EQ(badDigit[0], '\0');
  std::string partial = "2100    450200051332";
  partial.push_back('\0');
  messages.shown.clear();
  EXPECT_EQ(check.RunCheck(9, partial.data()), 0);
  EXPECT_TRUE(messages.shown.empty()) << "a missing part is refused silently";
  EXPECT_EQ(check.RunCheck(10, partial.data()), 1) << "blank branch: digits not looked at";

  std::string prov = "53";
  prov.push_back('\0');
  EXPECT_EQ(check.RunCheck(8, prov.data()), 0);
  EXPECT_EQ(prov[0], '\0');

  std::string longDate = "15MARZO     2003";
  EXPECT_EQ(check.RunCheck(6, longDate.data()), 1);
  longDate = "30FEBRERO   2003";
  EXPECT_EQ(check.RunCheck(6, longDate.data()), 0);
  longDate = "15GENER     2003";
  EXPECT_EQ(check.RunCheck(6, longDate.data()), 0);
  doc.language = 'c';
  EXPECT_EQ(check.RunCheck(6, longDate.data()), 1);
}

TEST_F(FieldCheckTest, UnknownNumberIsReportedAndTouchesNothing) {
  std::string field = "12345678";
  EXPECT_EQ(check.RunCheck(7, field.data()), 0);
  EXPECT_EQ(check.RunCheck(999, field.data()), 0);
  EXPECT_EQ(field, "12345678");
  EXPECT_EQ(messages.notices.size(), 2u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(check.RunCheck(4, nullptr), 1);
  EXPECT_FALSE(CFieldCheck::IsKnownCheck(7));
}

TEST(FieldCheckCarryOver, SectionARowsToHolderSlots) {
  std::vector<unsigned char> block(95208);
  auto row = [&](int k, int holder, char kind, double a48, double a64) {
    std::size_t r = 5608 + 120u * static_cast<std::size_t>(k);
    block[r] = static_cast<unsigned char>(holder);
    block[r + 72] = static_cast<unsigned char>(kind);
    blocks::F64{r + 48}.set(block.data(), a48);
    blocks::F64{r + 64}.set(block.data(), a64);
  };
  row(0, 2, '1', 0, 100);
  row(1, 3, '1', 0, 50);
  row(2, 2, '1', 0, 25);
  row(3, 4, '2', 70, 0);
  row(4, 3, '4', 30, 0);
  block[64064] = 3;  // slot of holder 3 already there
  CarryOverPerHolder(203, block.data(), false);
  EXPECT_EQ(blocks::F64{64064 + 72}.get(block.data()), 50);
  EXPECT_EQ(block[64064 + 88], 2) << "a free slot takes the declarant";
  EXPECT_EQ(blocks::F64{64064 + 88 + 72}.get(block.data()), 125);

  blocks::Text{64344 + 1, 9}.set(block.data(), "OLD");
  CarryOverPerHolder(204, block.data(), false);
  EXPECT_EQ(block[64344], 4);
  EXPECT_EQ(blocks::F64{64344 + 56}.get(block.data()), 70);
  EXPECT_EQ(block[64345], 0) << "a taken slot is cleared";

  block[0] = 1;
  CarryOverPerHolder(205, block.data(), false);
  EXPECT_EQ(block[64320], 0) << "only a joint declaration";
  CarryOverPerHolder(205, block.data(), true);
  EXPECT_EQ(block[64320], 2) << "the spouse's rows under the declarant's code";
  EXPECT_EQ(blocks::F64{64336}.get(block.data()), 30);
}

TEST(FieldCheckSelection, RowsPerMember) {
  auto run = [](double v0, double v1, double v2) {
    std::vector<unsigned char> rec(2800);
    double v[3] = {v0, v1, v2};
    for (std::size_t k = 0; k < 3; ++k) {
      std::size_t r = 656 + 48 * k;
      rec[r] = static_cast<unsigned char>(10 + k);
      blocks::F64{r + 8}.set(rec.data(), v[k]);
    }
    SelectRowsPerMember(207, rec.data());
    return std::pair<int, int>{rec[1196], rec[1341]};  // member 1: first and second code bytes
  };
  EXPECT_EQ(run(500, 500, 100), (std::pair<int, int>{10, 11}));
  EXPECT_EQ(run(100, 500, 500), (std::pair<int, int>{11, 12}));
  EXPECT_EQ(run(300, 300, 300), (std::pair<int, int>{10, 11}));
  EXPECT_EQ(run(0, 100, 400), (std::pair<int, int>{12, 11}));
  EXPECT_EQ(run(0, 0, 0), (std::pair<int, int>{0, 0}));
}

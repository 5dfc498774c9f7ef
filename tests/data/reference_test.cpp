#include <gtest/gtest.h>

#include "data/doc/reference.h"

using namespace doc;

TEST(ReferenceCheckDigit, Examples) {
  EXPECT_EQ(ReferenceCheckDigit("7"), 0);
  EXPECT_EQ(ReferenceCheckDigit("1"), 6);
  EXPECT_EQ(ReferenceCheckDigit(""), 0);
  EXPECT_EQ(ReferenceCheckDigit("1.2.3"), ReferenceCheckDigit("123"));
  EXPECT_EQ(ReferenceCheckDigit("9999.12345678.37.00412."), 2);
  EXPECT_GT(ReferenceCheckDigit(" 1"), 6);  // a blank drives the remainder negative
}

namespace {
LocalTime At(int day, int month, int year, int h, int m, int s) { return {year, month, day, h, m, s}; }
}  // namespace

TEST(BuildReferenceCode, PartsOfTheText) {
  std::string out;
  // 27 March 2003 is 2537 days after 15 April 1996; (10+1)*(3+1)*(8+1) + 16 = 412.
  ASSERT_TRUE(BuildReferenceCode("12345678Z", 16, false, At(27, 3, 2003, 3, 8, 10), out));
  EXPECT_EQ(out, "Ref.: 9999.12345678.37.00412.2");

  struct Case {
    const char* id;
    const char* partA;
  };
  for (const Case& c : {Case{"X1234567L", "91234567"}, Case{"12345678Z", "12345678"}, Case{"B12345678", "12345678"},
                        Case{"123", "     123"}, Case{"AB1234567", "B1234567"}}) {
    ASSERT_TRUE(BuildReferenceCode(c.id, 0, true, At(1, 1, 2004, 0, 0, 0), out));
    EXPECT_EQ(out.substr(0, 11), "Ref.: 9997.") << c.id;
    EXPECT_EQ(out.substr(11, 8), c.partA) << c.id;
  }
  // The day count's last two digits (2505 days) and the time number padded to five.
  ASSERT_TRUE(BuildReferenceCode("12345678Z", 1, false, At(23, 2, 2003, 0, 0, 0), out));
  EXPECT_EQ(out.substr(19, 10), ".05.00002.");
  EXPECT_FALSE(BuildReferenceCode("", 1, false, At(20, 4, 1996, 0, 0, 0), out));
  EXPECT_EQ(out, std::string(60, ' '));
}

TEST(BuildReferenceNumber, LayoutAndCheckDigit) {
  // id chars 5..7 "678", seconds since midnight 3600 -> s = 6783600; serial 100000000 - 6783600.
  std::string n = BuildReferenceNumber(2, "2003", "12345678Z", 0, At(1, 5, 2004, 1, 0, 0));
  ASSERT_EQ(n.size(), 14u);
  EXPECT_EQ(n.substr(0, 12), "100993216400");
  EXPECT_EQ(n[12], ' ');
  EXPECT_EQ(n[13] - '0', ReferenceCheckDigit("100993216400"));
  // An empty id uses "000"; kinds map to their form codes.
  std::string e = BuildReferenceNumber(3, "2003", "", 5, At(1, 5, 2004, 0, 0, 1));
  EXPECT_EQ(e.substr(0, 12), "714999999994");
  EXPECT_EQ(BuildReferenceNumber(42, "2003", "", 0, At(1, 5, 2004, 0, 0, 0)).substr(0, 3), "999");
  EXPECT_EQ(BuildReferenceNumber(7, "2003", "", 0, At(1, 5, 2004, 0, 0, 0)).substr(0, 3), "311");
}

// An id taken from a fixed-width field ends at its first zero byte: an unfilled NIF field is an
// empty id, and a short one is the text before the zeros.
TEST(BuildReferenceCode, FieldIdsEndAtTheirFirstZeroByte) {
  const LocalTime at = At(10, 5, 2004, 11, 30, 15);
  std::string out;
  EXPECT_FALSE(BuildReferenceCode(std::string(9, '\0'), 1, false, at, out));
  EXPECT_EQ(out, std::string(60, ' '));
  ASSERT_TRUE(BuildReferenceCode(std::string("123\0\0\0\0\0\0", 9), 1, false, at, out));
  EXPECT_EQ(out.substr(11, 8), "     123");
  for (int kind : {2, 3}) {
    EXPECT_EQ(BuildReferenceNumber(kind, "2003", std::string(9, '\0'), 0, at), BuildReferenceNumber(kind, "2003", "", 0, at));
    // The serial then comes from the time alone: another second, another number.
    EXPECT_NE(BuildReferenceNumber(kind, "2003", std::string(9, '\0'), 0, at),
              BuildReferenceNumber(kind, "2003", std::string(9, '\0'), 0, At(10, 5, 2004, 11, 30, 16)));
  }
  EXPECT_EQ(BuildReferenceNumber(2, "2003", std::string("12345678Z\0", 10), 0, at), "100932158585 1");
}

TEST(DocumentDates, TodayAndCalendarRules) {
  EXPECT_EQ(GetTodayText(At(3, 7, 2004, 0, 0, 0)), "03072004");
  EXPECT_FALSE(IsValidDate("29021900"));
  EXPECT_TRUE(IsValidDate("29022000"));
  EXPECT_FALSE(IsValidDate("2902200"));
  EXPECT_EQ(DaysBetweenDates("31122002", "01012003"), 1);
  EXPECT_EQ(DaysBetweenDates("01012003", "31122002"), -1);
  EXPECT_EQ(CompareDates("01012003", "31122002"), 1);
  EXPECT_EQ(CompareDates("00012003", "31122002"), -2);
  int d, m, y;
  EXPECT_TRUE(SplitDateText("15041996", &d, &m, &y));
  EXPECT_EQ(y, 1996);
}

TEST(PageContent, PreprintedFieldsAndMarks) {
  std::vector<PageBox> boxes = {{true, 0, 'N', "REFERENCIA"}, {true, 1, 'N', "IMPORTE"}, {true, 0, 'Z', "X"}};
  EXPECT_FALSE(PageHasContent(0, boxes));
  EXPECT_TRUE(PageHasContent(4, boxes));  // paint mode does not hide boxes of type 4
  EXPECT_TRUE(PageHasContent(3, boxes));  // type 'Z' counts on form-714 pages
  boxes.push_back({true, 0, 'N', "G2DT2"});
  EXPECT_FALSE(PageHasContent(0, boxes));
  boxes.push_back({true, 0, 'N', "CASILLA01"});
  EXPECT_TRUE(PageHasContent(0, boxes));
  EXPECT_FALSE(PageHasContent(1, boxes));
  EXPECT_TRUE(IsPreprintedField(3, "NIF1"));
  EXPECT_FALSE(IsPreprintedField(0, "NIF1"));
  EXPECT_FALSE(IsPreprintedField(0, ""));

  EXPECT_EQ(SheetMarkChar714(5), '+');
  EXPECT_EQ(SheetMarkChar714(3), '*');
  EXPECT_EQ(SheetMarkChar714(2), ' ');
  EXPECT_EQ(SheetMarkChar100(4, -1, false), 'n');
  EXPECT_EQ(SheetMarkChar100(4, 1, false), '*');
  EXPECT_EQ(SheetMarkChar100(1, -1, true), 'N');
  EXPECT_EQ(SheetMarkChar100(1, 1, true), ' ');
  EXPECT_EQ(SheetMarkChar100(1, 0, false), '|');
  EXPECT_EQ(GetWindowsVersionCode(), 'O');
}

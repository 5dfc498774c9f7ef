// Dates DDMMYYYY of the declaration records, shared by the calculation library, the data layer
// and the checks.
#pragma once

#include <algorithm>
#include <string_view>

namespace tv {

namespace dates_detail {
constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// atoi of a slice without allocating (the calculation library allocates nothing): leading
// white space, an optional sign, digits up to the first non-digit.
inline int ReadNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < 1000000000LL) value = value * 10 + (text[i] - '0');
  return static_cast<int>(negative ? -value : value);
}
}  // namespace dates_detail

inline bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year == 2000; }

inline int MonthLength(int month, int year) {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : dates_detail::kMonthLengths[month - 1];
}

// The one date splitter. The records store dates as exactly eight characters DDMMYYYY; the
// checks also read typed texts of six or more characters, where a two-digit year means 19YY and
// a longer tail is the year. A text ends at its first zero byte. FALSE (nothing stored) when the
// text is not of the form asked.
enum class DateForm { kStored, kTyped };
inline bool SplitDateText(std::string_view text, DateForm form, int& day, int& month, int& year) {
  text = text.substr(0, std::min(text.find('\0'), text.size()));
  if (form == DateForm::kStored ? text.size() != 8 : text.size() < 6) return false;
  day = dates_detail::ReadNumber(text.substr(0, 2));
  month = dates_detail::ReadNumber(text.substr(2, 2));
  const std::string_view rest = text.substr(4);
  if (form == DateForm::kTyped && rest.size() == 2) {
    const char century[4] = {'1', '9', rest[0], rest[1]};
    year = dates_detail::ReadNumber(std::string_view(century, 4));
  } else {
    year = dates_detail::ReadNumber(rest);
  }
  return true;
}

// 1 and the three numbers when the text is a stored date of exactly 8 characters, else 0.
inline int SplitDate(const char* text, int* day, int* month, int* year) {
  return text != nullptr && SplitDateText(text, DateForm::kStored, *day, *month, *year) ? 1 : 0;
}

// 1 when the text is a date of the calendar.
inline int IsValidDate(const char* text) {
  int d = 0, m = 0, y = 0;
  if (!SplitDate(text, &d, &m, &y)) return 0;
  return y >= 0 && m >= 1 && m <= 12 && d >= 1 && d <= MonthLength(m, y) ? 1 : 0;
}

// -2 when either date is invalid; else -1, 0, 1 as a is earlier, equal, later.
inline int CompareDates(const char* a, const char* b) {
  if (!IsValidDate(a) || !IsValidDate(b)) return -2;
  int da = 0, ma = 0, ya = 0, db = 0, mb = 0, yb = 0;
  SplitDate(a, &da, &ma, &ya);
  SplitDate(b, &db, &mb, &yb);
  if (ya != yb) return ya < yb ? -1 : 1;
  if (ma != mb) return ma < mb ? -1 : 1;
  if (da != db) return da < db ? -1 : 1;
  return 0;
}

// Days from a to b; 0 when equal; -1 when either is invalid or a is later.
inline int DaysBetween(const char* a, const char* b) {
  const int order = CompareDates(a, b);
  if (order == -2 || order == 1) return -1;
  if (order == 0) return 0;
  int da = 0, ma = 0, ya = 0, db = 0, mb = 0, yb = 0;
  SplitDate(a, &da, &ma, &ya);
  SplitDate(b, &db, &mb, &yb);
  if (ya == yb) {
    if (ma == mb) return db - da;
    int days = MonthLength(ma, ya) - da;
    for (int m = ma + 1; m < mb; ++m) days += MonthLength(m, ya);
    return days + db;
  }
  int days = MonthLength(ma, ya) - da;
  for (int m = ma + 1; m <= 12; ++m) days += MonthLength(m, ya);
  for (int y = ya + 1; y < yb; ++y) days += IsLeapYear(y) ? 366 : 365;
  for (int m = 1; m < mb; ++m) days += MonthLength(m, yb);
  return days + db;
}

// 1 when b's year is later (years and flag written), 0 when the years are equal (years = 0,
// flag untouched), -1 when a's year is later (nothing written). Flag 0 on an exact anniversary.
inline int WholeYearsBetween(const char* a, const char* b, int* years, int* notAnniversary) {
  int da = 0, ma = 0, ya = 0, db = 0, mb = 0, yb = 0;
  // Callers pass valid dates; a text that does not split reads as all zeros.
  SplitDate(a, &da, &ma, &ya);
  SplitDate(b, &db, &mb, &yb);
  if (ya == yb) {
    *years = 0;
    return 0;
  }
  if (ya > yb) return -1;
  const int n = yb - ya;
  if (mb > ma) {
    *years = n;
    *notAnniversary = 1;
  } else if (mb < ma) {
    *years = n - 1;
    *notAnniversary = 1;
  } else if (ma == 2 && da >= 28 && db >= 28 && IsLeapYear(ya) != IsLeapYear(yb)) {
    if (IsLeapYear(ya)) {
      // 29 Feb to 28 Feb is the anniversary; 28 Feb to 28 Feb is already past it.
      *years = n;
      *notAnniversary = (da == 29 && db == 28) ? 0 : 1;
    } else {
      // 28 Feb to 29 Feb is the anniversary; 28 Feb to 28 Feb falls one day short of it.
      if (da == 28 && db == 29) {
        *years = n;
        *notAnniversary = 0;
      } else {
        *years = n - 1;
        *notAnniversary = 1;
      }
    }
  } else if (db > da) {
    *years = n;
    *notAnniversary = 1;
  } else if (db < da) {
    *years = n - 1;
    *notAnniversary = 1;
  } else {
    *years = n;
    *notAnniversary = 0;
  }
  return 1;
}

}  // namespace tv

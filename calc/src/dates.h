// Eight-character dates DDMMYYYY of the declaration records. Texts are zero-terminated.
#pragma once

namespace tv {

bool IsLeapYear(int year);
int MonthLength(int month, int year);

// 1 and the three numbers when the text has exactly 8 characters, else 0 (nothing stored).
int SplitDate(const char* text, int* day, int* month, int* year);
// 1 when the text is a date of the calendar.
int IsValidDate(const char* text);
// -2 when either date is invalid; else -1, 0, 1 as a is earlier, equal, later.
int CompareDates(const char* a, const char* b);
// Days from a to b; 0 when equal; -1 when either is invalid or a is later.
int DaysBetween(const char* a, const char* b);
// 1 when b's year is later (years and flag written), 0 when the years are equal (years = 0,
// flag untouched), -1 when a's year is later (nothing written). Flag 0 on an exact anniversary.
int WholeYearsBetween(const char* a, const char* b, int* years, int* notAnniversary);

}  // namespace tv

// The printed reference of a declaration ("Ref.: " text and 14-character number with check
// digit) and the small date and page helpers the documents, printing and filing share.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace doc {

struct LocalTime {
  int year = 2003, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// The machine's local time; the clock that documents use unless a test gives its own.
LocalTime SystemLocalTime();
using Clock = std::function<LocalTime()>;

// (7 - N mod 7) mod 7 over the digits of `text` ("." skipped); a blank makes the running
// remainder negative and the result may then exceed 6. Empty text: 0.
int ReferenceCheckDigit(std::string_view text);

// "Ref.: 9999.<A>.<days>.<time>.<check>" (prefix 9997. in remote mode), at most 60 characters.
// The id ends at its first zero byte (an unfilled NIF field is an empty id); an empty id gives
// 60 blanks and FALSE.
bool BuildReferenceCode(std::string_view id, int member, bool remote, const LocalTime& now, std::string& out);

// Form code, year digit, 8-digit serial (from the id's characters 5..7, "000" for an empty id,
// and the seconds since midnight), blank, check digit: 14 characters. The id ends at its first
// zero byte.
std::string BuildReferenceNumber(int formKind, std::string_view yearText, std::string_view id, int serialOffset,
                                 const LocalTime& now);

// DDMM20YY of `now`: the century is always 20.
std::string GetTodayText(const LocalTime& now);

// Eight-character DDMMYYYY dates (the same rules as the calculation library's).
bool SplitDateText(const char* text, int* day, int* month, int* year);
bool IsValidDate(const char* text);
int CompareDates(const char* d1, const char* d2);
int DaysBetweenDates(const char* from, const char* to);

// The system letter written into filing files: this platform answers as a current NT-family
// system, which the letter table gives as 'O'.
char GetWindowsVersionCode();

// One box of a page as the empty-page test sees it.
struct PageBox {
  bool hasValue = false;
  int paintIn = 0;         // PintarEn
  char typeLetter = ' ';   // the box's type letter
  std::string identifier;  // Identifica
};
// A preprinted field of the page type, whose value does not make the page worth printing.
bool IsPreprintedField(int pageType, std::string_view identifier);
// TRUE at the first box that counts for page types 0, 3 and 4; FALSE otherwise.
bool PageHasContent(int pageType, std::span<const PageBox> boxes);

// The sheet-mark character from the printed-sheet counter.
char SheetMarkChar714(int sheetCounter);
// `result` is the member's result; `marked` when its church-tax, other-social-purposes or
// mark-on-paper flag is set.
char SheetMarkChar100(int sheetCounter, double result, bool marked);

}  // namespace doc

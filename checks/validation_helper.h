// Stateless primitive checks: NIF classes and control characters, calendar dates, date
// comparisons, blank tests and person names. Texts are cp1252 bytes as stored in the blocks.
#pragma once

#include <string>
#include <string_view>

#include "blocks/nif.h"
#include "blocks/rounding.h"

namespace checks {

// Small text and date utilities the checks rest on.
namespace util {
// The normalised nine characters of a NIF (blocks/nif.h).
inline std::string NormalizeNif(std::string_view text) { return blocks::NormalizeNif(text); }
// 0 valid; 1 a blank or terminator among the 20 characters, all digits 0, or the first control
// digit wrong; 2 the second control digit wrong.
int CheckBankAccountDigits(std::string_view ccc);
struct DateParts {
  int day = 0, month = 0, year = 0;
};
// FALSE for a text of five characters or fewer; a two-digit year reads as 19YY.
bool SplitDate(std::string_view date, DateParts& out);
int DaysInMonth(int month, int year);
bool IsLeapYear(int year);
// "01".."12" from the first three letters of a month name; "13" when unknown.
std::string MonthNumberFromSpanish(std::string_view word);
std::string MonthNumberFromCatalan(std::string_view word);
std::string MonthNumberFromGalician(std::string_view word);
// Half away from zero; a fraction within 1e-7 of one half counts as one half.
inline double RoundToDecimals(double value, int decimals) { return blocks::RoundToDecimals(value, decimals); }
// The text up to its first zero byte.
std::string_view UpToTerminator(std::string_view text);
}  // namespace util

// NIF classes (ClassifyNif results).
enum NifClass : int {
  kNifNumberOnly = 0,
  kNifPersonal = 1,
  kNifPersonalKlm = 2,
  kNifForeigner = 3,
  kNifEntityDigit = 20,
  kNifEntityLetter = 21,
  kNifPublicEntityLetter = 22,
  kNifUnknownShape = -1,
  kNifBadLength = -2,
  kNifAllBlank = -3,
  kNifBadCharacter = -4,
  kNifTooManyLetters = -5,
  kNifNoText = -6,
  kNifEntityControlWrong = -10,
  kNifLetterWrong = -11,
  kNifNumberTooSmall = -12,
  kNifKlmNotDigits = -13,
  kNifNoLetterNoZero = -20,
  kNifRepeatedDigits = -21,
};

class CValidationHelper {
 public:
  // Normalises `text` into `*out` and returns its class; kNifNoText when a pointer is null.
  static int ClassifyNif(const char* text, std::string* out);
  static int ClassifyNif(std::string_view text) {
    std::string out;
    return ClassifyNif(std::string(text).c_str(), &out);
  }
  // Validate a NIF field of `length` bytes in place: the text is cut at its last non-blank
  // character (zero bytes after it), a valid NIF is replaced by its normalised nine characters.
  static bool ValidateNif(char* text, int length, bool allowEntity);
  static bool ValidateNifOrNumber(char* text, int length, bool allowEntity);
  static bool CheckNifAndName(const char* nif, const char* name, char* buffer, int offset, int length);
  static bool IsNameLetter(char c);

  // Blank (or empty) dates are valid; any other text must be eight digits of a real date.
  static bool IsValidDate(std::string_view text);
  static bool IsCalendarDate(std::string_view date);
  static bool IsDateOnOrBefore(std::string_view date, std::string_view reference, bool strict);
  static bool IsDateOnOrAfter(std::string_view date, std::string_view reference, bool strict);
  static bool IsDateInRange(std::string_view date, std::string_view low, std::string_view high, bool strict);
  // Empty bounds mean "no bound"; lengthFlag 1 takes eight characters, otherwise six.
  static bool CheckDateRange(const char* date, std::string_view low, std::string_view high, int lengthFlag,
                             bool strict);

  static bool IsNumericText(const char* text, int count);
  static bool IsProvinceCode(const char* text);
  static bool IsBlank(const char* text, int length);
  static bool IsCharEmpty(char c) { return c == 0 || c == ' '; }
  static bool IsCharSet(char c) { return !IsCharEmpty(c); }
  static bool IsZero(int v) { return v == 0; }
  static bool IsAmountZero(double v) { return v == 0.0; }

  static constexpr int kTaxYear = 2003;
};

}  // namespace checks

// CUtilities: the program's small shared rules. Texts are single-byte (cp1252) as stored in the
// declaration blocks, unless a comment says otherwise.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "blocks/nif.h"
#include "blocks/rounding.h"

namespace db {
class CAdoConnection;
}

class CUtilities {
 public:
  CUtilities();

  // "01".."12", or "13" when the first three letters name no month.
  static std::string MonthNumberFromSpanish(std::string_view name);
  static std::string MonthNumberFromCatalan(std::string_view name);
  static std::string MonthNumberFromGalician(std::string_view name);

  // Length of month `index` (January 0) from this instance's table.
  int GetDaysInMonth(int index) const;
  // February 29 days when the year is divisible by 4 and not by 100, or is 2000.
  void SetFebruaryForYear(int year);

  static std::string CopyLeftChars(std::string_view text, int n);
  // Day, month, year of a DDMMYYYY text; a two-digit year gets "19" in front. FALSE (outputs
  // untouched) for fewer than 6 characters.
  static bool SplitDate(std::string_view date, int& day, int& month, int& year);
  // 1 (years and flag written), 0 (same year: years 0, flag untouched) or -1 (from later:
  // nothing written). The flag is 0 exactly on an anniversary. Dates are valid DDMMYYYY texts.
  static int WholeYearsBetween(const char* from, const char* to, int& years, int& notAnniversary);
  // 0 valid, 1 bank-and-branch digit wrong or account unusable, 2 account-number digit wrong.
  static int CheckBankAccountDigits(std::string_view account);
  // Nine characters: upper case, blanks packed, right-aligned, zero-filled; an NIE typed with
  // fewer digits gets its zeros after the X ("X123456L" -> "X0123456L").
  static std::string NormalizeNif(std::string_view nif) { return blocks::NormalizeNif(nif); }
  // Non-blank characters in order followed by all the blanks; the length never changes.
  static int SqueezeOutBlanks(std::string& text) {
    blocks::SqueezeOutBlanks(text);
    return 1;
  }
  static bool IsBlankText(std::string_view text);
  static bool IsDigitsOrSpaces(std::string_view text);
  // The leading integer of the first n characters (n below 256); 0 when none.
  static int ParseLeadingInt(std::string_view text, int n);
  static std::string StripPrefixAndDots(std::string_view text);
  // Half away from zero, a fraction within 1e-7 of one half counting as one half.
  static double RoundToDecimals(double value, int decimals) { return blocks::RoundToDecimals(value, decimals); }
  // A new file in `directory` whose name begins with `prefix` (preceded by `recordPosition`
  // when it is not negative), created empty so that the name stays unique; "" when none can be
  // made. `directory` ends with a separator.
  static std::string MakeTempFilePath(const std::string& directory, const std::string& prefix,
                                      int recordPosition = -1);
  // Adds 1 to each flagged counter of the form's CONTADORES row, creating the row on the first
  // count. Database errors are reported by the database layer; nothing is thrown.
  static void IncrementUsageCounters(db::CAdoConnection& declarations, int model, bool printed,
                                     bool internetFile, bool immediate);
  // The two-character code of the first province whose name begins with `name` (UTF-8, cut to
  // 14 characters, trailing blanks removed); "" for fewer than 4 characters or no match.
  static std::string LookUpProvinceCode(db::CAdoConnection& local, std::string_view name);

 private:
  std::array<int, 12> monthLengths_;
};

#include "checks/validation_helper.h"

#include "blocks/dates.h"
#include "blocks/nif.h"
#include "data/util/utilities.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"

namespace checks {

namespace {

constexpr std::string_view kControlLetters = blocks::kNifCheckLetters;
constexpr std::string_view kNifLetters = "ABCDEFGHIJKLMNPQRSTVWXYZ";  // no O, no U
constexpr std::string_view kEntityLetters = "ABCDEFGHN";
constexpr std::string_view kPublicEntityLetters = "PQS";
constexpr std::string_view kEntityControlLetters = "ABCDEFGHIJ";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool in(std::string_view set, char c) { return c != 0 && set.find(c) != std::string_view::npos; }

// Number read from the digits of s; a part that is not a number reads as 0.
long readNumber(std::string_view s) {
  long n = 0;
  for (char c : s) {
    if (!isDigit(c)) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// Sum of an entity NIF's positions 2 to 8: odd places doubled (digits of the double added).
int entitySum(const std::string& t) {
  int sum = 0;
  for (int i = 1; i <= 7; ++i) {
    int d = t[static_cast<std::size_t>(i)] - '0';
    if (i % 2 == 1) {
      d *= 2;
      if (d > 9) d -= 9;
    }
    sum += d;
  }
  return sum;
}

bool allDigits(std::string_view s, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (!isDigit(s[i])) return false;
  return true;
}

std::string_view trimRight(std::string_view s) {
  std::size_t n = s.find_last_not_of(' ');
  return n == std::string_view::npos ? std::string_view{} : s.substr(0, n + 1);
}

bool isBlankText(std::string_view s) { return trimRight(util::UpToTerminator(s)).empty(); }

// A text of digits that splits into a day and month of the calendar (no year limits).
bool isRealDate(std::string_view date) {
  if (isBlankText(date)) return true;
  date = util::UpToTerminator(date);
  if (!allDigits(date, 0, date.size())) return false;
  util::DateParts p;
  if (!util::SplitDate(date, p)) return false;
  if (p.month < 1 || p.month > 12) return false;
  return p.day >= 1 && p.day <= util::DaysInMonth(p.month, p.year);
}

// Both dates split as digits; otherwise (a blank field) a comparison succeeds.
bool splitForComparison(std::string_view a, std::string_view b, util::DateParts& pa, util::DateParts& pb) {
  a = util::UpToTerminator(a);
  b = util::UpToTerminator(b);
  if (!CValidationHelper::IsNumericText(std::string(a).c_str(), -1)) return false;
  if (!CValidationHelper::IsNumericText(std::string(b).c_str(), -1)) return false;
  return util::SplitDate(a, pa) && util::SplitDate(b, pb);
}

}  // namespace

namespace util {

std::string_view UpToTerminator(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

int CheckBankAccountDigits(std::string_view ccc) { return CUtilities::CheckBankAccountDigits(ccc); }

bool SplitDate(std::string_view date, DateParts& out) {
  return CUtilities::SplitDate(date, out.day, out.month, out.year);
}

bool IsLeapYear(int year) { return tv::IsLeapYear(year); }

int DaysInMonth(int month, int year) { return tv::MonthLength(month, year); }

std::string MonthNumberFromSpanish(std::string_view w) { return CUtilities::MonthNumberFromSpanish(w); }
std::string MonthNumberFromCatalan(std::string_view w) { return CUtilities::MonthNumberFromCatalan(w); }
std::string MonthNumberFromGalician(std::string_view w) { return CUtilities::MonthNumberFromGalician(w); }

}  // namespace util

int CValidationHelper::ClassifyNif(const char* text, std::string* out) {
  if (text == nullptr || out == nullptr) return kNifNoText;
  *out = util::NormalizeNif(text);
  const std::string& t = *out;
  if (t.size() != 9) return kNifBadLength;
  if (t == std::string(9, ' ')) return kNifAllBlank;
  for (char c : t)
    if (!isDigit(c) && !in(kNifLetters, c)) return kNifBadCharacter;

  int letters = 0;
  std::size_t pos1 = 0, pos2 = 0;
  for (std::size_t i = 0; i < 9; ++i) {
    if (isDigit(t[i])) continue;
    if (++letters == 1) pos1 = i;
    else if (letters == 2) pos2 = i;
    else return kNifTooManyLetters;
  }

  if (letters == 0) {
    if (t[0] != '0') return kNifNoLetterNoZero;
    if (t.substr(1).find_first_not_of(t[1]) == std::string::npos) return kNifRepeatedDigits;
    return kNifNumberOnly;
  }

  if (letters == 1) {
    if (pos1 == 0 && in(kEntityLetters, t[0]) && isDigit(t[8])) {
      char control = static_cast<char>('0' + (10 - entitySum(t) % 10) % 10);
      return control == t[8] ? kNifEntityDigit : kNifEntityControlWrong;
    }
    if (pos1 == 8 && in(kControlLetters, t[8])) {
      long n = readNumber(std::string_view(t).substr(0, 8));
      if (blocks::NifCheckLetter(n) != t[8]) return kNifLetterWrong;
      return n > 100 ? kNifPersonal : kNifNumberTooSmall;
    }
    return kNifUnknownShape;
  }

  // Two letters.
  if (pos1 == 0 && (in(kEntityLetters, t[0]) || in(kPublicEntityLetters, t[0])) && pos2 == 8 &&
      in(kEntityControlLetters, t[8])) {
    char control = kEntityControlLetters[static_cast<std::size_t>(9 - entitySum(t) % 10)];
    if (control != t[8]) return kNifEntityControlWrong;
    return in(kEntityLetters, t[0]) ? kNifEntityLetter : kNifPublicEntityLetter;
  }
  if (pos1 == 0 && (t[0] == 'K' || t[0] == 'L' || t[0] == 'M') && pos2 == 8 && in(kControlLetters, t[8])) {
    if (!isDigit(t[1]) || !isDigit(t[2])) return kNifKlmNotDigits;
    long prefix = readNumber(std::string_view(t).substr(1, 2));
    if (prefix < 1 || prefix > 56) return kNifUnknownShape;
    long n = readNumber(std::string_view(t).substr(1, 7));
    return blocks::NifCheckLetter(n) == t[8] ? kNifPersonalKlm : kNifLetterWrong;
  }
  if (pos1 == 0 && t[0] == 'X' && pos2 == 8 && in(kControlLetters, t[8])) {
    long n = readNumber(std::string_view(t).substr(1, 7));
    return blocks::NifCheckLetter(n) == t[8] ? kNifForeigner : kNifLetterWrong;
  }
  return kNifUnknownShape;
}

namespace {

bool validateInPlace(char* text, int length, bool allowEntity, bool allowNumber) {
  if (text == nullptr || length <= 0) return false;
  std::size_t len = static_cast<std::size_t>(length);
  std::size_t used = util::UpToTerminator(std::string_view(text, len)).size();
  std::size_t last = std::string_view(text, used).find_last_not_of(' ');
  std::size_t keep = last == std::string_view::npos ? 0 : last + 1;
  std::memset(text + keep, 0, len - keep);
  if (keep == 0) return true;

  std::string normalised;
  int cls = CValidationHelper::ClassifyNif(std::string(text, keep).c_str(), &normalised);
  bool personal = cls == kNifPersonal || cls == kNifPersonalKlm || cls == kNifForeigner ||
                  (allowNumber && cls == kNifNumberOnly);
  bool entity = cls == kNifEntityDigit || cls == kNifEntityLetter || cls == kNifPublicEntityLetter;
  bool valid = personal || (entity && allowEntity);
  if (valid) {
    // The normalised NIF is nine characters; a narrower field cannot hold it.
    if (normalised.size() != 9 || len < 9) return false;
    std::memcpy(text, normalised.data(), 9);
  }
  std::string_view now(text, std::min<std::size_t>(len, 9));
  if (now == "00000000T" || now == "00000001R" || now == "99999999R") return false;
  return valid;
}

}  // namespace

bool CValidationHelper::ValidateNif(char* text, int length, bool allowEntity) {
  return validateInPlace(text, length, allowEntity, false);
}

bool CValidationHelper::ValidateNifOrNumber(char* text, int length, bool allowEntity) {
  return validateInPlace(text, length, allowEntity, true);
}

bool CValidationHelper::IsNameLetter(char c) {
  static const std::string kLetters = platform::Utf8ToCp1252(
      " Çqwertyuiopasdfghjkl¤zxcvbnmñQWERTYUIOPASDFGHJKL¥ZXCVBNMÑÁÉÍÓÚáéíóúÀÈÌÒÙàèìòùâêîôûÂÊÎÔÛÄËÏÖÜäëïöü");
  return c != 0 && kLetters.find(c) != std::string::npos;
}

bool CValidationHelper::CheckNifAndName(const char* nif, const char* name, char* buffer, int offset, int length) {
  std::string_view n = name ? util::UpToTerminator(name) : std::string_view{};
  if (buffer != nullptr && length > 0 && offset >= 0) {
    std::memset(buffer + offset, ' ', static_cast<std::size_t>(length));
    std::memcpy(buffer + offset, n.data(), std::min<std::size_t>(n.size(), static_cast<std::size_t>(length)));
  }
  if (isBlankText(n) || n.size() <= 2) return false;

  std::string normalised;
  int cls = ClassifyNif(nif ? nif : "", &normalised);
  if (cls <= 0) return nif != nullptr && std::string_view(nif) == "Z00000000";
  if (cls >= kNifEntityDigit) return true;

  for (char c : n)
    if (isDigit(c)) return false;
  for (int i = 0; i < 2; ++i)
    if (n[static_cast<std::size_t>(i)] == ' ' || !(IsNameLetter(n[static_cast<std::size_t>(i)]) || n[static_cast<std::size_t>(i)] == '\''))
      return false;
  if (n[0] == n[1] && n[1] == n[2]) return false;
  std::size_t blank = n.find(' ', 2);
  return blank != std::string_view::npos && n.find_first_not_of(' ', blank) != std::string_view::npos;
}

bool CValidationHelper::IsValidDate(std::string_view text) {
  std::string_view t = trimRight(util::UpToTerminator(text));
  if (t.empty()) return true;
  // Anything but eight digits is not a date (letters or a partly typed date are refused).
  if (t.size() != 8 || !allDigits(t, 0, 8)) return false;
  std::string_view dd = t.substr(0, 2), mm = t.substr(2, 2), yyyy = t.substr(4, 4);
  if (dd == "00" || mm == "00" || yyyy == "0000") return false;
  int day = static_cast<int>(readNumber(dd)), month = static_cast<int>(readNumber(mm));
  int year = static_cast<int>(readNumber(yyyy));
  if (day > 31 || month > 12) return false;
  if (year < 1882) return false;
  return day <= util::DaysInMonth(month, year);
}

bool CValidationHelper::IsCalendarDate(std::string_view date) {
  if (isBlankText(date)) return true;
  if (!isRealDate(date)) return false;
  util::DateParts p;
  util::SplitDate(date, p);
  return p.year >= 1900 && p.year <= kTaxYear;
}

bool CValidationHelper::IsDateOnOrBefore(std::string_view date, std::string_view reference, bool strict) {
  util::DateParts d, r;
  if (!splitForComparison(date, reference, d, r)) return true;
  if (d.year != r.year) return d.year < r.year;
  if (d.month != r.month) return d.month < r.month;
  return strict ? d.day < r.day : d.day <= r.day;
}

bool CValidationHelper::IsDateOnOrAfter(std::string_view date, std::string_view reference, bool strict) {
  util::DateParts d, r;
  if (!splitForComparison(date, reference, d, r)) return true;
  if (d.year != r.year) return d.year > r.year;
  if (d.month != r.month) return d.month > r.month;
  return strict ? d.day > r.day : d.day >= r.day;
}

bool CValidationHelper::IsDateInRange(std::string_view date, std::string_view low, std::string_view high, bool strict) {
  return IsDateOnOrAfter(date, low, strict) && IsDateOnOrBefore(date, high, strict);
}

bool CValidationHelper::CheckDateRange(const char* date, std::string_view low, std::string_view high, int lengthFlag,
                                       bool strict) {
  std::string_view all = date ? util::UpToTerminator(date) : std::string_view{};
  std::string_view d = all.substr(0, std::min<std::size_t>(all.size(), lengthFlag == 1 ? 8 : 6));
  bool hasLow = !low.empty(), hasHigh = !high.empty();
  if (!hasLow && !hasHigh) return IsCalendarDate(d);
  // A range never admits a day that the calendar does not have.
  if (!isRealDate(d)) return false;
  if (hasLow && hasHigh) return IsDateInRange(d, low, high, strict);
  return hasHigh ? IsDateOnOrBefore(d, high, strict) : IsDateOnOrAfter(d, low, strict);
}

bool CValidationHelper::IsNumericText(const char* text, int count) {
  if (text == nullptr) return false;
  std::size_t n = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (!isDigit(c) && c != '.' && c != ',') return false;
  }
  return true;
}

bool CValidationHelper::IsProvinceCode(const char* text) {
  if (text == nullptr || isBlankText(text)) return true;
  std::string_view t = util::UpToTerminator(text);
  for (char c : t)
    if (!isDigit(c)) return false;
  if (t == "00") return false;
  if (t[0] > '5') return false;
  if (t[0] == '5' && t.size() > 1 && t[1] > '2') return false;
  return true;
}

bool CValidationHelper::IsBlank(const char* text, int length) {
  if (text == nullptr) return true;
  std::string_view t = length < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(length));
  return isBlankText(t);
}

}  // namespace checks

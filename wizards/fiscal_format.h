// Display text of the digit fields of a "datos fiscales" file, and back: "." between groups of
// three integer digits, "," before the decimals. Pure functions over bytes; no locale is consulted.
#pragma once

#include <string>
#include <string_view>

namespace fiscal {

// A numeric field of `integerDigits` + `decimals` characters; an "N" in its first position makes
// the value negative. Zero gives "0" (or "0," and the decimal characters as they stand).
std::string FormatFileNumber(std::string_view digits, int integerDigits, int decimals);

// Eight characters year, month, day as day/month/year.
std::string FormatFileDate(std::string_view yyyymmdd);

// A number printed with "." as decimal point ("1234.560000") as display text ("1.234,560000").
std::string FormatWithThousands(std::string_view number);

// Display text back to a plain number: dots removed, the comma made a point.
std::string ToPlainNumber(std::string_view display);

// The leading decimal number of a plain text (blanks before it skipped), 0 when there is none.
double ReadPlainNumber(std::string_view plain);

// The value of a numeric file field (FormatFileNumber read back).
double FileNumberValue(std::string_view digits, int integerDigits, int decimals);

// Releases a block of the C heap and clears the pointer; nothing for a null pointer.
void FreeAndClear(void** block);

}  // namespace fiscal

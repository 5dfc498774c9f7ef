// Numbers to text and back, always with a point and no grouping, whatever the process locale:
// the program runs under the user's locale (es_ES writes "1,5" in printf), but stored numbers,
// profile values and the texts the edits rewrite expect the C library's "C" locale.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace blocks {

// printf("%.*f", decimals, v) in the "C" locale; a negative count is taken as 0.
inline std::string FormatFixed(double v, int decimals) {
  // 309 integer digits of the largest double, sign, point and the decimals.
  std::array<char, 320 + 100> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed,
                               std::clamp(decimals, 0, 100));
  return std::string(buf.data(), r.ptr);
}

// printf("%.*g", precision, v) in the "C" locale ("%g" is precision 6), written into [first, last)
// without allocating; returns the end of the text (`first` when it does not fit).
inline char* WriteGeneral(char* first, char* last, double v, int precision = 6) {
  const auto r = std::to_chars(first, last, v, std::chars_format::general, std::clamp(precision, 0, 100));
  return r.ec == std::errc() ? r.ptr : first;
}

inline std::string FormatGeneral(double v, int precision = 6) {
  std::array<char, 128> buf{};
  return std::string(buf.data(), WriteGeneral(buf.data(), buf.data() + buf.size(), v, precision));
}

// The leading decimal number of `text` as strtod reads it in the "C" locale: leading blanks, an
// optional sign, digits with a point, an optional exponent. 0 when there is none (and for a
// number out of range); `used` receives how many characters were read (0 when none).
inline double ParseDecimal(std::string_view text, std::size_t* used = nullptr) {
  if (used) *used = 0;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  // from_chars takes a minus but no plus.
  if (i < text.size() && text[i] == '+') {
    ++i;
    if (i < text.size() && text[i] == '-') return 0.0;
  }
  double v = 0.0;
  const char* first = text.data() + i;
  const auto r = std::from_chars(first, text.data() + text.size(), v, std::chars_format::general);
  if (r.ec != std::errc()) return 0.0;
  if (used) *used = static_cast<std::size_t>(r.ptr - text.data());
  return v;
}

}  // namespace blocks

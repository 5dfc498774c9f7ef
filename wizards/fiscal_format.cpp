#include "wizards/fiscal_format.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace fiscal {

namespace {

// Characters [pos, pos + n) of s, cut to what s holds.
std::string_view Slice(std::string_view s, std::size_t pos, std::size_t n = std::string_view::npos) {
  if (pos >= s.size()) return {};
  return s.substr(pos, n);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the leading digits (as a C reading of an integer does), 0 when there are none.
std::uint64_t LeadingValue(std::string_view s) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < s.size() && IsDigit(s[i]) && i < 19; ++i) v = v * 10 + static_cast<unsigned>(s[i] - '0');
  return v;
}

// Digits grouped by threes from the right with "." between groups.
std::string Group(std::string_view digits) {
  std::string out;
  const std::size_t n = digits.size();
  std::size_t first = n % 3 == 0 ? 3 : n % 3;
  if (first > n) first = n;
  out.append(digits.substr(0, first));
  for (std::size_t i = first; i < n; i += 3) {
    out.push_back('.');
    out.append(digits.substr(i, 3));
  }
  return out;
}

}  // namespace

std::string FormatFileNumber(std::string_view digits, int integerDigits, int decimals) {
  const std::size_t n = integerDigits > 0 ? static_cast<std::size_t>(integerDigits) : 0;
  const std::size_t d = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
  std::string field(digits);
  const bool negative = !field.empty() && field[0] == 'N';
  if (negative) field[0] = '0';
  const std::string_view all(field);
  const std::string_view integer = Slice(all, 0, n);
  const std::string_view fraction = all.size() >= d ? all.substr(all.size() - d) : all;
  const std::uint64_t intValue = LeadingValue(integer);
  const std::uint64_t fracValue = d ? LeadingValue(fraction) : 0;
  if (intValue == 0 && fracValue == 0) return d == 0 ? std::string("0") : "0," + std::string(fraction);
  std::string out = negative ? "-" : "";
  out += Group(std::to_string(intValue));
  if (d) {
    out.push_back(',');
    out.append(fraction);
  }
  return out;
}

std::string FormatFileDate(std::string_view s) {
  std::string out(Slice(s, 6, 2));
  out.push_back('/');
  out.append(Slice(s, 4, 2));
  out.push_back('/');
  out.append(Slice(s, 0, 4));
  return out;
}

std::string FormatWithThousands(std::string_view number) {
  if (number.empty()) return {};
  std::string s(number);
  for (char& c : s)
    if (c == '.') c = ',';
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const std::size_t comma = s.find(',');
  const std::size_t p = comma == std::string::npos ? s.size() : comma;
  std::string out = Group(std::string_view(s).substr(0, p));
  if (comma != std::string::npos) out += s.substr(s.rfind(','));
  if (!out.empty() && out.front() == ',') out = std::string("0").append(out);
  if (!out.empty() && out.back() == ',') out += "00";
  if (negative) out = std::string("-").append(out);
  return out;
}

std::string ToPlainNumber(std::string_view display) {
  std::string out;
  out.reserve(display.size());
  for (char c : display) {
    if (c == '.') continue;
    out.push_back(c == ',' ? '.' : c);
  }
  return out;
}

double ReadPlainNumber(std::string_view plain) {
  std::size_t i = 0;
  while (i < plain.size() && (plain[i] == ' ' || plain[i] == '\t')) ++i;
  if (i < plain.size() && plain[i] == '+') ++i;
  double v = 0;
  const char* first = plain.data() + i;
  const auto r = std::from_chars(first, plain.data() + plain.size(), v, std::chars_format::fixed);
  return r.ec == std::errc() ? v : 0.0;
}

double FileNumberValue(std::string_view digits, int integerDigits, int decimals) {
  return ReadPlainNumber(ToPlainNumber(FormatFileNumber(digits, integerDigits, decimals)));
}

void FreeAndClear(void** block) {
  if (!block || !*block) return;
  std::free(*block);
  *block = nullptr;
}

}  // namespace fiscal

#include "modules/amount_format.h"

#include <charconv>

namespace modules {

namespace {

std::string Fixed(double v, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string();
}

// printf's "%*.*s": the text cut to `width` and right-aligned in it.
std::string RightIn(std::string_view s, std::size_t width) {
  s = s.substr(0, width);
  return std::string(width - s.size(), ' ') + std::string(s);
}

}  // namespace

std::string FormatImporte(double& value, bool* overflowed) {
  if (value == 0.0) return {};
  if (value > kLargestLineAmount) {
    value = 0.0;
    if (overflowed) *overflowed = true;
  }
  std::string plain = Fixed(value, 2);  // "-1234.56"
  std::string sign;
  if (!plain.empty() && plain[0] == '-') {
    sign = "-";
    plain.erase(0, 1);
  }
  const std::size_t point = plain.find('.');
  const std::string whole = plain.substr(0, point);
  const std::string decimals = point == std::string::npos ? "00" : plain.substr(point + 1);
  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
    grouped += whole[i];
  }
  return sign + grouped + ',' + decimals;
}

void PadImporte(std::string& text, int width) {
  if (text.find(',') == std::string::npos) text += "   ";
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
}

void InsertThousandsDots(std::string& text, int maxDots) {
  if (text.size() > 80) return;
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return;
  std::size_t end = text.find(' ', start);
  if (end == std::string::npos) end = text.size();
  std::string_view number(text.data() + start, end - start);
  const bool negative = number.front() == '-';
  if (negative) number.remove_prefix(1);
  std::string out;  // built from the right
  int dots = 0;
  for (std::size_t i = 0; i < number.size(); ++i) {
    if (i > 0 && i % 3 == 0 && (maxDots < 0 || dots < maxDots)) {
      out.insert(out.begin(), '.');
      ++dots;
    }
    out.insert(out.begin(), number[number.size() - 1 - i]);
  }
  if (negative) out.insert(out.begin(), '-');
  if (out.size() > text.size()) return;
  text = std::string(text.size() - out.size(), ' ') + out;
}

std::string WholeAmountText(double value) {
  std::string s = Fixed(value, 0);
  if (s.size() < 10) s += std::string(10 - s.size(), ' ');
  InsertThousandsDots(s, 3);
  return s;
}

std::string RawModuleLine(int number, const CModulo& module) {
  std::string n = std::to_string(number);
  if (n.size() < 2) n.insert(0, 2 - n.size(), ' ');
  std::string amount = Fixed(module.Importe(), 2);
  if (amount.size() < 10) amount.insert(0, 10 - amount.size(), ' ');
  return n + ' ' + RightIn(module.DesCorta(), 25) + ' ' + RightIn(module.UniCorta(), 10) + ' ' + RightIn(amount, 15);
}

std::string ModuleLine(int number, const CModulo& module, bool* overflowed) {
  return ReformatLineAmount(RawModuleLine(number, module), overflowed);
}

std::string ReformatLineAmount(std::string line, bool* overflowed) {
  if (line.size() < kLineAmountColumn) line.resize(kLineAmountColumn, ' ');
  std::string field = line.substr(kLineAmountColumn, kLineAmountWidth);
  const std::size_t b = field.find_first_not_of(' ');
  double value = 0.0;
  if (b != std::string::npos) std::from_chars(field.data() + b, field.data() + field.size(), value);
  std::string text = FormatImporte(value, overflowed);
  PadImporte(text, kLineAmountWidth);
  line.replace(kLineAmountColumn, std::string::npos, text);
  return line;
}

}  // namespace modules

#include "ui/box_definition.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <limits>

namespace ui {

namespace {

std::string_view WithoutComment(std::string_view spec) {
  if (auto dash = spec.find('-'); dash != std::string_view::npos) spec = spec.substr(0, dash);
  return spec;
}

// The leading decimal number of `s` (an optional sign, then digits), as atoi reads it but
// saturated instead of overflowing; 0 when there is none.
int LeadingInt(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > std::numeric_limits<int>::max()) {
      v = std::numeric_limits<int>::max();
      break;
    }
  }
  return static_cast<int>(negative ? -v : v);
}

// "%d" of sscanf at `at`: the number and where it ends, or nothing.
bool ScanInt(std::string_view s, std::size_t& at, int& out) {
  std::size_t i = at;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n')) ++i;
  std::size_t j = i;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
  if (j >= s.size() || s[j] < '0' || s[j] > '9') return false;
  while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
  out = LeadingInt(s.substr(i, j - i));
  at = j;
  return true;
}

}  // namespace

BoxFormat ReadFormatSpec(std::string_view spec) {
  BoxFormat f;
  spec = WithoutComment(spec);
  if (spec.empty()) return f;
  std::size_t i = 1;
  const std::size_t widthStart = i;
  while (i < spec.size() && spec[i] != '.' && spec[i] != '*') ++i;
  f.width = LeadingInt(spec.substr(widthStart, i - widthStart));
  if (i < spec.size() && spec[i] == '*') {
    f.occurrences = i + 1 < spec.size() ? spec[i + 1] - '0' : 0;
    if (f.occurrences < 0 || f.occurrences > 9) f.occurrences = 0;
    i += 2;
  }
  if (i < spec.size() && spec[i] == '.') f.decimals = LeadingInt(spec.substr(i + 1));
  return f;
}

std::string NormalizedAmountSpec(std::string_view whole) {
  const std::string_view spec = WithoutComment(whole);
  // "R%d*%d.%d", else "R%d.%d", as the amount boxes have always read them.
  int w = 0, occ = 0, dec = 0;
  std::size_t at = 1;
  bool starred = false;
  if (!spec.empty() && spec[0] == 'R' && ScanInt(spec, at, w)) {
    std::size_t after = at;
    if (after < spec.size() && spec[after] == '*' && ScanInt(spec, ++after, occ)) {
      starred = true;
      if (after < spec.size() && spec[after] == '.') ScanInt(spec, ++after, dec);
    }
    if (!starred) {
      occ = 0;
      if (at < spec.size() && spec[at] == '.') ScanInt(spec, ++at, dec);
    }
  }
  w = std::max(w, 0);
  occ = std::max(occ, 0);
  dec = std::max(dec, 0);
  char out[48];
  if (occ != 0) std::snprintf(out, sizeof out, "R%d*%d.%d", w, occ, dec);
  else std::snprintf(out, sizeof out, "R%d.%d", w, dec);
  return out;
}

QRect ScaledRect(const ControlRow& row, double scale) {
  const auto px = [scale](int v, bool up) {
    const double d = up ? std::ceil(v * scale) : std::floor(v * scale);
    // A damaged row's coordinates stay within what a rectangle can hold.
    return static_cast<int>(std::clamp(d, -1e9, 1e9));
  };
  return QRect(QPoint(px(row.coor[0], false), px(row.coor[1], false)), QPoint(px(row.coor[2], true), px(row.coor[3], true)));
}

}  // namespace ui

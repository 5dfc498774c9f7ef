#include "forms/print/name_code.h"

#include "blocks/nif.h"

#include <array>
#include <cctype>
#include <cstdint>

#include "platform/cp1252.h"

namespace forms {
namespace {

constexpr unsigned char kEnye = 0xD1;  // Ñ in cp1252

// Particles and company forms that do not identify a name.
constexpr std::array<std::string_view, 32> kDropped = {
    "DEL", "LAS", "DE", "LA", "EL", "Y", "LOS", "I", "SA", "SL", "SOC", "LTDA", "SAT", "CLA", "ASOC", "COOP",
    "SAE", "SC", "SCL", "SDAD", "SRC", "CB", "CDAD", "ANONIMA", "COMPA\xD1IA", "LIMITADA", "ASOCIACION",
    "COOPERATIVA", "BIENES", "COMUNIDAD", "PROPIETARIOS", "HNOS"};

// Abbreviated surnames, in the order they are written out.
struct Expansion {
  std::string_view from, to;
};
constexpr std::array<Expansion, 15> kExpansions = {{
    {"FCO ", "FRANCISCO "},   {"VQUEZ ", "VAZQUEZ "},   {"SCHEZ ", "SANCHEZ "}, {"RGUEZ ", "RODRIGUEZ "},
    {"RREZ ", "RAMIREZ "},    {"MDEZ ", "MENENDEZ "},   {"MNEZ ", "MARTINEZ "}, {"JNEZ ", "JIMENEZ "},
    {"HDEZ ", "HERNANDEZ "},   {"GRREZ ", "GUTIERREZ "}, {"GLEZ ", "GONZALEZ "}, {"FEDEZ ", "FERNANDEZ "},
    {"FDEZ ", "FERNANDEZ "},  {"DGUEZ ", "DOMINGUEZ "}, {"ALREZ ", "ALVAREZ "},
}};

bool IsSeparator(unsigned char c) {
  return c == ' ' || c == ',' || c == '\'' || c == '-' || c == 0xC7 || c == 0xDC || c == 0xB7;
}

unsigned char Upper(unsigned char c) {
  return static_cast<unsigned char>(platform::UpperCp1252(static_cast<char>(c)));
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string out;
  std::size_t done = 0;
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, done)) {
    out.append(s, done, at - done).append(to);
    done = at + from.size();
  }
  if (done == 0) return;
  s = std::move(out.append(s, done));
}

// The leading number of a text as the C library reads it: blanks, an optional sign, digits.
long long LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 100000000000000LL; ++i) v = v * 10 + (s[i] - '0');
  return negative ? -v : v;
}

// "%2.2d"
std::string TwoDigits(int v) {
  if (v < 0) return std::string("-").append(std::to_string(-v));
  std::string s = std::to_string(v);
  return s.size() < 2 ? std::string("0").append(s) : s;
}

}  // namespace

int CNameCode::LetterValue(unsigned char c) {
  c = Upper(c);
  if (c == ' ') return 0;
  if (c == kEnye) return 15;
  if (c >= 'A' && c <= 'N') return c - 'A' + 1;
  if (c >= 'O' && c <= 'Z') return c - 'O' + 16;
  return -1;
}

std::string CNameCode::NormaliseName(std::string_view name) {
  std::string joined;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    bool dropped = false;
    for (std::string_view d : kDropped) dropped = dropped || word == d;
    if (!dropped) {
      if (!joined.empty()) joined += ' ';
      joined += word;
    }
    word.clear();
  };
  for (char ch : name) {
    const auto c = Upper(static_cast<unsigned char>(ch));
    if (c == 0) break;
    if (IsSeparator(c)) flush();
    else word += static_cast<char>(c);
  }
  flush();
  for (const Expansion& e : kExpansions) ReplaceAll(joined, e.from, e.to);
  for (std::string_view mark : {std::string_view("/"), std::string_view("\\'"), std::string_view("#")})
    ReplaceAll(joined, mark, "\xD1");
  const std::size_t start = joined.find_first_not_of(" \t\r\n\v\f");
  joined.erase(0, start == std::string::npos ? joined.size() : start);
  if (joined.size() < 3) joined.append(3 - joined.size(), ' ');
  if (joined[1] == ' ') joined[2] = ' ';
  return joined;
}

CNameCode::CNameCode(std::string_view name, std::string_view nif) {
  const std::string head = NormaliseName(name).substr(0, 3);
  std::string number(nif.substr(0, std::min(nif.find('\0'), nif.size())));
  std::string digits;
  if (!number.empty() && !(number[0] >= '0' && number[0] <= '9')) {
    digits = TwoDigits(LetterValue(static_cast<unsigned char>(number[0])));
    number[0] = '0';
  }
  for (char c : head) digits += TwoDigits(LetterValue(static_cast<unsigned char>(c)));
  const long long sum = LeadingNumber(digits) + LeadingNumber(number);
  // A character without a value can make the sum negative: no check letter exists for it.
  if (sum < 0) return;
  code_ = head + "-" + blocks::NifCheckLetter(sum);
}

}  // namespace forms

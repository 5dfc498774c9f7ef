// Small ASCII text helpers shared by the database layer and the profile.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace qxtext {

// Without leading and trailing white space.
inline std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

// Names (columns, sections, keys) compared without regard to ASCII case.
inline bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace qxtext

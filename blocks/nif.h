// The one normalised form of a NIF (tax identification number), shared by the data layer and
// the checks. Texts are cp1252 bytes as stored in the blocks.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace blocks {

// The check letter of a personal NIF: the letter at the number modulo 23. The identification code
// printed from the declarant's name uses the same table.
inline constexpr std::string_view kNifCheckLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
inline char NifCheckLetter(long long number) { return kNifCheckLetters[static_cast<std::size_t>(number % 23)]; }

// Non-blank characters in order followed by all the blanks; the length never changes.
inline void SqueezeOutBlanks(std::string& text) {
  std::stable_partition(text.begin(), text.end(), [](char c) { return c != ' '; });
}

// Nine characters: the first nine of the text (up to a zero byte), the 24 letters of a NIF upper
// case ("o", "u" and anything else as they are), blanks packed, right-aligned and zero-filled;
// an NIE typed with fewer digits gets its zeros after the X ("X123456L" -> "X0123456L").
inline std::string NormalizeNif(std::string_view nif) {
  nif = nif.substr(0, std::min(nif.find('\0'), nif.size()));
  std::string out(9, ' ');
  std::copy_n(nif.begin(), std::min<std::size_t>(nif.size(), 9), out.begin());
  static constexpr std::string_view kLower = "abcdefghijklmnpqrstvwxyz";
  for (char& c : out)
    if (kLower.find(c) != std::string_view::npos) c = static_cast<char>(c - 32);
  SqueezeOutBlanks(out);
  const std::size_t last = out.find_last_not_of(' ');
  const std::size_t used = last == std::string::npos ? 0 : last + 1;
  std::rotate(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(used), out.end());
  std::replace(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(9 - used), ' ', '0');
  const std::size_t x = out.find('X');
  if (x >= 1 && x <= 6 && out[x - 1] == '0') {
    out[x] = '0';
    out[0] = 'X';
  }
  return out;
}

}  // namespace blocks

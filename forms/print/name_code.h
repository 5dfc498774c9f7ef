// The identification code printed next to a taxpayer's NIF: the first three characters of the
// normalised name, "-", and a check letter that ties the name to the NIF.
#pragma once

#include <string>
#include <string_view>

namespace forms {

class CNameCode {
 public:
  // name and NIF as stored (single-byte cp1252 texts).
  CNameCode(std::string_view name, std::string_view nif);
  virtual ~CNameCode() = default;

  // Empty, or exactly five characters.
  const char* GetCode() const { return code_.c_str(); }

  // The name as the code reads it: upper case, without particles and company forms, common
  // abbreviations of surnames written out, at least three characters.
  static std::string NormaliseName(std::string_view name);
  // Value of one character for the check: blank 0, A..N 1..14, Ñ 15, O..Z 16..27, else -1.
  static int LetterValue(unsigned char c);

 private:
  std::string code_;
};

}  // namespace forms

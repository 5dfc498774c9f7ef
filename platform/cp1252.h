// The one conversion between the single-byte Windows-1252 texts of stored blocks and files and
// the UTF-8 texts of the user interface and the databases.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Every byte maps to a character; the five bytes that cp1252 leaves undefined map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters without a cp1252 byte become `fallback`; invalid UTF-8 sequences too.
std::string Utf8ToCp1252(std::string_view utf8, char fallback = '?');

// Upper case of cp1252 text as stored fields want it: a-z, the accented Latin-1 letters
// (ñ -> Ñ, á -> Á, ç -> Ç ...), š, œ, ž and ÿ. Other bytes stay.
std::string UpperCp1252(std::string_view cp1252);
char UpperCp1252(char c);

}  // namespace platform

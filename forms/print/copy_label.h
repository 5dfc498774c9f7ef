// The copy label of a printed sheet ("Ejemplar para ..."), by copy kind and printing language.
#pragma once

#include <string>

namespace forms::print {

inline constexpr int kCopyLabelWidth = 60;  // the document's field; the label fills at most 59

// The label of copy kind 1 to 6 in the printing language `letter` (e, c, g, v), as cp1252 text
// cut to 59 characters; three blanks for another letter, empty for another kind.
std::string CopyLabelText(int kind, char letter);

}  // namespace forms::print

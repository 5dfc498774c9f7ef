// Dialogs of the activity pages that live in folders the pages do not link: the program sets them
// when it assembles itself; without them the pages open nothing.
#pragma once

#include <cstdint>
#include <functional>

namespace forms {

// The information dialog of agricultural activity `record` (0-5) of the form-100 block: it edits
// the row and the holder's fractional payments in the block itself. Answers the dialog's result
// (1 OK).
using AgrarianInformationOpener = std::function<int(std::uint8_t* block, int record)>;
void SetAgrarianInformationOpener(AgrarianInformationOpener opener);
const AgrarianInformationOpener& AgrarianInformation();

}  // namespace forms

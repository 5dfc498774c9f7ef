// Carrying a chosen business activity into a row of section E4: its epigraph, identifier and
// label, the amount for the excess correction index and its income-tax modules with their yields
// per unit. A change of activity clears what belonged to the previous one.
#pragma once

#include <string>

#include "modules/module_data.h"

namespace modules {

// The label string of an activity identifier (0: none).
int ActivityLabelStringId(int activity);
// The label in the declaration's code page, in the interface language.
std::string ActivityLabel(int activity);

// Results of writing a row.
inline constexpr int kRowWritten = 1;
inline constexpr int kRowUnchanged = 2;

// Writes `chosen` into the E4 row at `row` (f100::sec_e4::kRowSize bytes). kRowUnchanged when no
// activity or no epigraph was chosen, when the activity has no income-tax part or more modules
// than the row holds (the row is then left alone), and when the same activity and epigraph are
// chosen again without `sameCountsAsWritten` (nothing is written then either).
int WriteBusinessActivity(const CDatosMod& chosen, unsigned char* row, bool sameCountsAsWritten = false);

}  // namespace modules

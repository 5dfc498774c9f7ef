// Carrying a chosen activity into a row of the declaration. Business activities (section E4):
// epigraph, identifier and label, the amount for the excess correction index and the income-tax
// modules with their yields per unit. Agricultural activities (section E5): key and identifier.
// A change of activity clears what belonged to the previous one.
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

// Writes `chosen` into the E5 row at `row` (f100::sec_e5::kRowSize bytes): its key (the first
// character of its sector code) and identifier. A row without holder, or whose key changes, is
// cleared first and its five yes/no answers left unanswered (255). kRowUnchanged when no activity
// was chosen.
int WriteAgrarianActivity(const CDatosMod& chosen, unsigned char* row);

}  // namespace modules

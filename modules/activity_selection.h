// The activity boxes of the activity pages: the epigraph box of a business activity (section E4)
// and the key box of an agricultural activity (section E5) open "Seleccionar Actividad" on the
// row's activity and write the chosen one into the row (modules/activity_rows.h).
#pragma once

#include <functional>
#include <string_view>

#include "data/db/ado.h"

class QDialog;

class CSelStrEdit;

namespace modules {

// The dialog names the boxes carry.
inline constexpr std::string_view kBusinessSelection = "IDD_SELIAE";
inline constexpr std::string_view kAgrarianSelection = "IDD_SELCLAVE";

// Runs the selection for the edit's row (its box's second pointer: the row's first byte); `run`
// runs the dialog modally (tests script it). 1 when a chosen activity was written, 2 otherwise.
using RunDialog = std::function<int(QDialog&)>;
int SelectBusinessActivity(CSelStrEdit& edit, const RunDialog& run = {});
int SelectAgrarianActivity(CSelStrEdit& edit, const RunDialog& run = {});

// Registers both with the selection edits.
void RegisterActivitySelection();

}  // namespace modules

// The annex classes that the launcher, the sub-dialog and the selection edits build by name.
#pragma once

namespace annex {
// Registers every annex dialog of this folder with the annex registry; called once at start-up.
void RegisterAnnexDialogs();
}  // namespace annex

// The refusal beep of the data-entry controls.
#pragma once

namespace platform {

// One system beep (the sound of a refused key). Counted, so that widget tests can tell a refusal.
void MessageBeep();
int BeepCount();

}  // namespace platform

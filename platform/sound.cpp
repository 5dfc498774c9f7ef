#ifdef QT_CORE_LIB
#include "platform/sound.h"

#include <QApplication>

namespace platform {

namespace {
int g_beeps = 0;
}

void MessageBeep() {
  ++g_beeps;
  QApplication::beep();
}

int BeepCount() { return g_beeps; }

}  // namespace platform
#endif

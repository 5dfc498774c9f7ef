// What the dialog framework keeps of the program besides the open declaration: the application
// options and the main window. The declaration's shown member and household are its model's
// (data/doc/active_declaration.h). User-interface thread only.
#pragma once

#include "data/doc/active_declaration.h"

class QWidget;

namespace ui {

using enum doc::Member;
using doc::HouseholdHas;

struct Session {
  // The plain-colours (accessibility) option: system colours, no flat buttons.
  bool plainColours = false;
  // The main window, whose rectangle places dialogs; null places them on the screen.
  QWidget* mainWindow = nullptr;
};

Session& CurrentSession();

}  // namespace ui

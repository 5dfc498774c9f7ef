// Program-wide state that the dialog framework reads: the member shown by the open declaration,
// its household, the application options, and the flags shared by every bound edit.
// The application core and the documents set it; user-interface thread only.
#pragma once

#include <array>

class QWidget;

namespace ui {

// Members, as the shown-member value numbers them.
enum Member : int { kNoDeclaration = 0, kFamilyUnit = 1, kDeclarant = 2, kSpouse = 3, kChild1 = 4, kChild2 = 5 };

struct Session {
  // Member shown by the open form-100 declaration (1..5); 0 without one.
  int shownMember = kNoDeclaration;
  // Household record of the open declaration: non-zero for the members that exist
  // (family unit, declarant, spouse, child 1, child 2); null without a form-100 declaration.
  const std::array<int, 5>* household = nullptr;
  // The household family-unit copy (set when the household computation marks a family unit).
  int familyUnitCopy = 0;
  // The plain-colours (accessibility) option: system colours, no flat buttons.
  bool plainColours = false;
  // The main window, whose rectangle places dialogs; null places them on the screen.
  QWidget* mainWindow = nullptr;
};

Session& CurrentSession();

// Set to 1 by every bound edit that stores a value; read and cleared by the declaration's save.
extern int DataEditedFlag;
// 1 while a box-overflow warning may be shown ("WIN022" once per commit or calculation).
extern int BoxOverflowArmed;

}  // namespace ui

// The member shown by the open form-100 declaration (1..5), 0 without one.
int GetCurrentHolder();
// TRUE when a form-100 declaration is open and its household has a spouse or a first child, or the
// family-unit copy is set.
bool HouseholdHasSeveralHolders();

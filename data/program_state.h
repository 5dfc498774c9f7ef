// The program-wide state of the open declaration: one object, written by the documents, the page
// view before it commits a box, and the calculation driver; read by the page views, box
// formatters, bound edits, checks and validators. User-interface thread only.
#pragma once

#include <array>
#include <cstdint>

#include "data/doc/reference.h"

namespace doc {

// Members, as the shown member numbers them.
enum Member : int { kNoDeclaration = 0, kFamilyUnit = 1, kDeclarant = 2, kSpouse = 3, kChild1 = 4, kChild2 = 5 };

struct ProgramState {
  // The open form-100 document's household record (non-zero for the members that exist: family
  // unit, declarant, spouse, child 1, child 2) and its shown member; set by that document, cleared
  // when any declaration document goes.
  const std::array<std::uint8_t, 5>* household = nullptr;
  const int* shownMember = nullptr;
  // The open form-100 document's data block (f100::kBlockSize bytes), for the annex dialogs that
  // read the personal data or calculate on copies of its records; set and cleared with the
  // household, null without one.
  std::uint8_t* form100Block = nullptr;
  // Its filing: 1 jointly, 0 individually.
  const std::uint8_t* form100Joint = nullptr;
  // The household family-unit copy: cleared when the household computation starts, set when it
  // marks a family unit.
  bool familyUnitCopy = false;
  // The data-edited flag: set by every bound edit that stores a value, read and cleared by the
  // saves and by the member-status update after an edit.
  bool editedSincePrinted = false;
  // Set while the box-overflow warning "WIN022" may be shown: the box formatters clear it when they
  // warn; the view before a commit, the calculation and a closing document set it again; while it
  // is clear the validators record "WIN022".
  bool boxOverflowArmed = true;
  bool reformatBoxes = false;  // set by the calculation and by a closing document
  bool remote = false;         // remote mode: reference codes begin 9997.
  Clock clock = SystemLocalTime;
};
ProgramState& State();

// Whether the open form-100 declaration's household has `member` (1..5); false without one.
bool HouseholdHas(int member);

}  // namespace doc

// The member shown by the open form-100 declaration (1..5), 0 without one.
int GetCurrentHolder();
// TRUE when a form-100 declaration is open and its household has a spouse or a first child, or the
// family-unit copy is set.
bool HouseholdHasSeveralHolders();

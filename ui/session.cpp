#include "ui/session.h"

namespace ui {

Session& CurrentSession() {
  static Session s;
  return s;
}

int DataEditedFlag = 0;
int BoxOverflowArmed = 1;

}  // namespace ui

int GetCurrentHolder() { return ui::CurrentSession().shownMember; }

bool HouseholdHasSeveralHolders() {
  const ui::Session& s = ui::CurrentSession();
  if (s.shownMember == ui::kNoDeclaration || !s.household) return false;
  const auto& h = *s.household;
  return h[ui::kSpouse - 1] != 0 || h[ui::kChild1 - 1] != 0 || s.familyUnitCopy != 0;
}

#include "data/program_state.h"

namespace doc {

ProgramState& State() {
  static ProgramState state;
  return state;
}

bool HouseholdHas(int member) {
  const ProgramState& s = State();
  return s.household && member >= kFamilyUnit && member <= kChild2 && (*s.household)[member - 1] != 0;
}

}  // namespace doc

int GetCurrentHolder() {
  const doc::ProgramState& s = doc::State();
  return s.shownMember ? *s.shownMember : doc::kNoDeclaration;
}

bool HouseholdHasSeveralHolders() {
  const doc::ProgramState& s = doc::State();
  if (!s.shownMember || !s.household) return false;
  return doc::HouseholdHas(doc::kSpouse) || doc::HouseholdHas(doc::kChild1) || s.familyUnitCopy;
}

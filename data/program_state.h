// Temporary: the names the page classes still read the open declaration by, over the model that
// owns it now (data/doc/active_declaration.h). Goes when the pages are moved.
#pragma once

#include "data/doc/active_declaration.h"

namespace doc {
struct LegacyState {
  struct Edited {
    Edited& operator=(bool v) {
      if (DeclarationModel* m = ActiveDeclaration()) m->SetEditedSincePrinted(v);
      return *this;
    }
  } editedSincePrinted;
  struct UnitCopy {
    operator bool() const {
      const DeclarationModel* m = ActiveForm100();
      return m && m->FamilyUnitCopy();
    }
  } familyUnitCopy;
};
inline LegacyState State() { return {}; }
}  // namespace doc

inline int GetCurrentHolder() { return doc::ShownMember(); }
inline bool HouseholdHasSeveralHolders() { return doc::HouseholdHasSeveralHolders(); }

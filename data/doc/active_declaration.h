// The declaration the user works on, for the windows that are not handed its model: the bound
// edits of the dialogs, the annex dialogs that read the declaration beyond their own block, the
// checks of the boxes. The open document registers its model for its lifetime; without one every
// answer is that of no declaration.
#pragma once

#include <cstdint>

#include "data/doc/declaration_model.h"

namespace doc {

DeclarationModel* ActiveDeclaration();
// The form-100 declaration's model, null when none or a form-714 one is open.
DeclarationModel* ActiveForm100();
// The open form-100 declaration's block (f100::kBlockSize bytes), null without one.
std::uint8_t* Form100Block();
// The open form-100 declaration is filed jointly.
bool Form100Joint();
// The member shown by the open form-100 declaration (1..5), kNoDeclaration without one.
int ShownMember();
// Whether the open form-100 declaration's household has `member` (1..5); false without one.
bool HouseholdHas(int member);
// A form-100 declaration is open and its household has a spouse or a first child, or a
// family-unit copy was made of it.
bool HouseholdHasSeveralHolders();
// The open form-100 declaration's household had a family-unit copy made of it.
bool FamilyUnitCopy();
// A bound edit stored a value: the printed references of the open declaration are renewed.
void MarkEditedSincePrinted();

// Registers `model` as the declaration worked on (its owner, for its lifetime).
class ActiveDeclarationScope {
 public:
  explicit ActiveDeclarationScope(DeclarationModel& model, bool form100);
  ~ActiveDeclarationScope();
  ActiveDeclarationScope(const ActiveDeclarationScope&) = delete;
  ActiveDeclarationScope& operator=(const ActiveDeclarationScope&) = delete;

 private:
  DeclarationModel* model_;
};

// The box-overflow warning "WIN022" is shown once until armed again: the box formatters disarm
// it when they warn; a box commit, a calculation and a closing declaration arm it; while it is
// disarmed the validators report "WIN022".
namespace overflow_warning {
bool Armed();
void Arm();
void Disarm();
// Disarms it; whether it was armed (the caller warns then).
bool TakeArmed();
}  // namespace overflow_warning

}  // namespace doc

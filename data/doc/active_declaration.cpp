#include "data/doc/active_declaration.h"

#include <vector>

namespace doc {

namespace {
struct Registered {
  DeclarationModel* model;
  bool form100;
};
struct Active {
  // The latest registered is the one worked on; a document may go while a newer one lives.
  std::vector<Registered> models;
  bool overflowArmed = true;
};
Active& Slot() {
  static Active active;
  return active;
}
}  // namespace

ActiveDeclarationScope::ActiveDeclarationScope(DeclarationModel& model, bool form100) : model_(&model) {
  Slot().models.push_back({&model, form100});
}

ActiveDeclarationScope::~ActiveDeclarationScope() {
  std::erase_if(Slot().models, [this](const Registered& r) { return r.model == model_; });
  overflow_warning::Arm();
}

DeclarationModel* ActiveDeclaration() { return Slot().models.empty() ? nullptr : Slot().models.back().model; }
DeclarationModel* ActiveForm100() {
  return Slot().models.empty() || !Slot().models.back().form100 ? nullptr : Slot().models.back().model;
}

std::uint8_t* Form100Block() {
  DeclarationModel* m = ActiveForm100();
  return m ? m->Block().data() : nullptr;
}

bool Form100Joint() {
  const DeclarationModel* m = ActiveForm100();
  return m && m->Joint();
}

int ShownMember() {
  const DeclarationModel* m = ActiveForm100();
  return m ? m->ShownMember() : kNoDeclaration;
}

bool HouseholdHas(int member) {
  const DeclarationModel* m = ActiveForm100();
  return m && m->HasMember(member);
}

bool HouseholdHasSeveralHolders() {
  const DeclarationModel* m = ActiveForm100();
  return m && m->HasSeveralHolders();
}

bool FamilyUnitCopy() {
  const DeclarationModel* m = ActiveForm100();
  return m && m->FamilyUnitCopy();
}

void MarkEditedSincePrinted() {
  if (DeclarationModel* m = ActiveDeclaration()) m->SetEditedSincePrinted(true);
}

namespace overflow_warning {
bool Armed() { return Slot().overflowArmed; }
void Arm() { Slot().overflowArmed = true; }
void Disarm() { Slot().overflowArmed = false; }
bool TakeArmed() {
  const bool was = Slot().overflowArmed;
  Slot().overflowArmed = false;
  return was;
}
}  // namespace overflow_warning

}  // namespace doc

#include "forms/pages/activity_openers.h"

namespace forms {

namespace {
AgrarianInformationOpener& Agrarian() {
  static AgrarianInformationOpener opener;
  return opener;
}
}  // namespace

void SetAgrarianInformationOpener(AgrarianInformationOpener opener) { Agrarian() = std::move(opener); }
const AgrarianInformationOpener& AgrarianInformation() { return Agrarian(); }

}  // namespace forms

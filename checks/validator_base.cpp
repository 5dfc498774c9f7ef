#include "checks/validators.h"

namespace checks {

void CDeclarationValidator::Report(const std::string& code, int vista, int numcontr, int severity, int member,
                                   Counted counted) {
  if (counted == Counted::AsWritten) RaiseSeverity(severity);
  else if (counted == Counted::AsWarning) RaiseSeverity(0);
  if (!check_.AddCorrection(code, vista, numcontr, severity, member)) RaiseSeverity(1);
}

void CDeclarationValidator::Begin() {
  highest_ = -1;
  // Rows of an earlier run that cannot be removed would be listed as this run's findings.
  if (!check_.ClearResults()) RaiseSeverity(1);
}

}  // namespace checks

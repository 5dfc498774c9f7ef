// Whole-declaration validators: each finding becomes a CORREGIX row; Validate returns the highest
// severity written (-1 nothing, 0 warnings only, 1 errors).
#pragma once

#include <string>

#include "checks/field_check.h"

namespace checks {

class CDeclarationValidator {
 public:
  explicit CDeclarationValidator(CFieldCheck& check) : check_(check) {}
  virtual ~CDeclarationValidator() = default;
  virtual int Validate(int purpose, int member, int section) { return -1; }

  void RaiseSeverity(int severity) {
    if (severity > highest_) highest_ = severity;
  }
  // How a finding raises the run's result: with the severity of its row, not at all (listed
  // without stopping the filing), or only to a warning while its row says error.
  enum class Counted { AsWritten, No, AsWarning };
  // Counts the finding, then writes the row. A row that the database refused counts as an
  // error: a lost finding must not let the filing go on.
  void Report(const std::string& code, int vista, int numcontr, int severity, int member,
              Counted counted = Counted::AsWritten);
  int Highest() const { return highest_; }

 protected:
  // Starts a run: nothing counted, the declaration's rows cleared.
  void Begin();
  CFieldCheck& check_;
  int highest_ = -1;
};

class CValidator714 : public CDeclarationValidator {
 public:
  using CDeclarationValidator::CDeclarationValidator;
  int Validate(int purpose, int member, int section) override;
};

class CValidator100 : public CDeclarationValidator {
 public:
  using CDeclarationValidator::CDeclarationValidator;
  int Validate(int purpose, int member, int section) override;

 private:
  void RunSection(int section, int purpose, int m);
  void Section1(int m);
  void Section2(int m);
  void Section3(int m);
  void Section4(int m);
  void Section5(int m);
  void Section6(int m);
  void Section7(int m);
  void Section8(int m);
  void Section10(int m);
  void Section11(int m);
  void Section12(int m);
  void Section13(int m);
  void Section15(int m);
  void Section16(int m);
  void Section17(int m);
  unsigned char* block_ = nullptr;
};

}  // namespace checks

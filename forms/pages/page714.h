// The form-714 section pages PAT002 to PAT008: each shows sections of the declaration as lists of
// rows with their totals, bound from generated tables; an amount typed recomputes its section
// through the section's export of the calculation library, then the declaration's liquidation.
#pragma once

#include <span>
#include <string>

#include "forms/view/form_views.h"

namespace forms {

namespace pat {
// The export of a section: the section record, the mode (-1 totals, 0 publishes), Form714Summary.
using SectionExport = void (*)(void*, int, void*);
// The amount at `position` belongs to the section whose record starts at `record`.
struct SectionCalc {
  int position;
  SectionExport calc;
  std::size_t record;
};
struct SectionPage {
  int code;
  const char* name;
  std::span<const BoxBinding> boxes;
  std::span<const SectionCalc> calcs;
};
}  // namespace pat

class CSectionPage714 : public CGenericPage714 {
  Q_OBJECT
 public:
  CSectionPage714(IPageHost& host, const pat::SectionPage& page, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return page_.name; }
  // An amount of a row or of a section's head: its section totalled and published, then the
  // liquidation; any other box recalculates nothing.
  int OnBoxEdited(int position) override;
  // A change of page commits the box being edited; nothing is recalculated.
  void RecalculateAndRefresh() override;

 private:
  const pat::SectionPage& page_;
};

// Registers the classes and binding tables of the form-714 pages that have their own (PAT002 to
// PAT008, PAT010 to PAT012).
void RegisterForm714Pages();

}  // namespace forms

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

// The boxes of a form-714 page that show what the document keeps outside the block: the composed
// declarant name of the header, the copy label and the page-foot text of the printed sheet, the
// identification code from the name and the payment barcode text (0: the page has none).
struct DocumentBoxes714 {
  int code, name, copyLabel, foot, identification, barcode;
};
const DocumentBoxes714* DocumentBoxesOf(int pageCode);
// Binds those boxes of page `pageCode` on `list`, read-only, when `host` holds a form-714 document.
void BindDocumentBoxes714(CBindingTableList& list, IPageHost& host, int pageCode);
// The block of the host's document, empty without one.
std::span<std::uint8_t> DocumentBlock714(IPageHost& host);

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

// Registers the classes and binding tables of the form-714 pages.
void RegisterForm714Pages();

}  // namespace forms

// Which sheets a print job draws, and with which copy label: the copies of a declaration, the
// payment document only in the taxpayer's copies, and the copy kinds of form 100 and form 714.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace forms::print {

// Copy kinds, as the copy labels number them.
enum CopyKind : int {
  kCopyAdministration = 1,
  kCopyTaxpayer = 2,
  kCopyCollaborator = 3,
  kCopyInternet100 = 4,
  kCopySubject = 5,
  kCopyInternet714 = 6,
};

// The page choices of the print selection dialog: one flag per printed page (form 100: 0 the
// summary sheet, 1 page 1 as printed, 2 to 18 pages 202 to 218; form 714: 1 to 12 pages 301 to
// 312).
using PageSelection = std::array<int, 19>;
// The selection index of a page code; -1 for a page the dialog does not offer.
int SelectionIndex(int form, int pageCode);

struct PlanOptions {
  int form = 100;                 // 100 or 714
  std::vector<int> pages;         // the pages in use, in print order
  bool internet = false;          // the copy that goes with a filed declaration: one copy only
  bool extraCopy = false;         // an additional copy for the taxpayer
  std::optional<PageSelection> selection;  // the dialog's choices replace the pages in use
};

struct PlannedSheet {
  int page = 0;
  int copyKind = 0;
  bool operator==(const PlannedSheet&) const = default;
};

std::vector<PlannedSheet> PlanSheets(const PlanOptions& options);

}  // namespace forms::print

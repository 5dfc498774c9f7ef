#include "forms/print/print_plan.h"

#include <algorithm>

namespace forms::print {

namespace {

// The payment document: the first sheet goes into the taxpayer's copies, the second (the
// collaborating entity's) into one copy only.
struct PaymentPages {
  int first, second;
};
PaymentPages PaymentOf(int form) { return form == 714 ? PaymentPages{311, 312} : PaymentPages{217, 218}; }

bool Chosen(const PlanOptions& o, int page) {
  if (!o.selection) return true;
  int index = SelectionIndex(o.form, page);
  // The second payment sheet follows the first.
  if (page == PaymentOf(o.form).second) index = SelectionIndex(o.form, PaymentOf(o.form).first);
  return index < 0 || (*o.selection)[static_cast<std::size_t>(index)] != 0;
}

// One copy: the chosen pages of `options`, the payment sheets as `first` and `second` say (kind 0:
// left out).
void AddCopy(std::vector<PlannedSheet>& out, const PlanOptions& o, int kind, int firstKind, int secondKind) {
  const PaymentPages pay = PaymentOf(o.form);
  for (int page : o.pages) {
    if (!Chosen(o, page)) continue;
    int k = kind;
    if (page == pay.first) k = firstKind;
    else if (page == pay.second) k = secondKind;
    if (k != 0) out.push_back({page, k});
  }
}

}  // namespace

int SelectionIndex(int form, int pageCode) {
  if (form == 714) return pageCode >= 301 && pageCode <= 312 ? pageCode - 300 : -1;
  if (pageCode == 222) return 0;
  if (pageCode == 220) return 1;
  return pageCode >= 202 && pageCode <= 218 ? pageCode - 200 : -1;
}

std::vector<PlannedSheet> PlanSheets(const PlanOptions& o) {
  std::vector<PlannedSheet> out;
  if (o.form == 714) {
    if (o.internet) {
      AddCopy(out, o, kCopyInternet714, kCopyInternet714, 0);
      return out;
    }
    AddCopy(out, o, kCopyAdministration, 0, 0);
    AddCopy(out, o, kCopyAdministration, 0, 0);
    AddCopy(out, o, kCopySubject, kCopySubject, kCopyCollaborator);
    if (o.extraCopy) AddCopy(out, o, kCopySubject, kCopySubject, 0);
    return out;
  }
  if (o.internet) {
    AddCopy(out, o, kCopyInternet100, kCopyInternet100, 0);
    return out;
  }
  AddCopy(out, o, kCopyAdministration, 0, 0);
  AddCopy(out, o, kCopyTaxpayer, kCopyTaxpayer, kCopyCollaborator);
  if (o.extraCopy) AddCopy(out, o, kCopyTaxpayer, kCopyTaxpayer, 0);
  return out;
}

}  // namespace forms::print

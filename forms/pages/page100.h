// The base of the form-100 page classes. A page class is a small class named after its page
// ("ORD009") that adds only its own rules: the boxes come from the page's box definitions, their
// fields from its binding table (forms/view/page_bindings.cpp) and its row areas (RowArea, over
// the row tables of forms/view/row_table_models.cpp); the list follows the shown member.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "forms/view/form_views.h"

namespace forms {

class CPage100 : public CRentaVista {
  Q_OBJECT
 public:
  CPage100(IPageHost& host, int pageCode, std::span<const RowArea> rowAreas = {}, QWidget* parent = nullptr);
  // A page whose list has rules of its own passes it.
  CPage100(IPageHost& host, int pageCode, std::unique_ptr<CBindingTableList> list, QWidget* parent);

  std::string GetPageClassName() const override { return PageClassName(GetPageCode()); }
  // Without rules of its own a page accepts the edit and ends it as every page does.
  int OnBoxEdited(int position) override { return EndEdit(position, 1); }
  // An annex dialog stored a value through a box: the declaration is recalculated.
  int OnBoxSubDialogValue(int position) override;
  // The page's row table `id` (the only one when the page has one).
  CScrollRowTable* Table(int id) const;
  CBindingTableList* Boxes() const { return static_cast<CBindingTableList*>(BoxList()); }

 protected:
  // Binds the box at `position` to the copy label of the sheet being printed (form-100 documents).
  void BindCopyLabel(int position);
  // Binds the header boxes (NIF, name) of pages 2 to 16 to the document's header identification.
  void BindHeader(int pageCode);
  // The common end of an edit: the page's boxes repainted, every view told, the box states
  // re-derived from the edited box; `result`.
  int EndEdit(int position, int result);
  // The declaration recalculated and every view repainted; the document marked modified on request.
  void RecalculateDeclaration(bool markModified);
  // The declaration recalculated, then the document's field checks `checks` run on `record`
  // (a block area), every view repainted and the document marked modified.
  void RecalculateAndCheck(std::initializer_list<int> checks, std::size_t record, std::size_t size);
};

// Adds the page classes of form 100 to the registry the page views are created from.
void RegisterForm100Pages();

template <class Page>
void RegisterPage(const std::string& name) {
  RegisterPageClass(name, [](IPageHost& host, QWidget* parent) -> CFormView* { return new Page(host, parent); });
}

}  // namespace forms

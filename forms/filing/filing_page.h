// What a filing pass reads of a form page: its boxes in position order (type letter, width, bound
// value, paint mode, identifier) and its continuation sheets. The page box lists provide it
// through BoxListFilingPage; the writers build one per page through a factory, so the passes
// run over any set of pages, including the tests' own.
#pragma once

#include <functional>
#include <memory>

#include "ui/box_field.h"

namespace forms {

class IFilingPage {
 public:
  virtual ~IFilingPage() = default;
  virtual int BoxCount() const = 0;
  // Element `index` (0-based: the box at position index + 1); null outside the page.
  virtual CBoxField* BoxAt(int index) = 0;
  // Makes sheet `sheet` (1 the page itself, 2 and on its continuation sheets) the bound one;
  // FALSE when the page has no such sheet.
  virtual bool SelectSheet(int sheet, int printing) = 0;
  // Continuation sheets the page needs for the current data.
  virtual int ContinuationSheets() const = 0;
  // Form 100: binds the fixed member's values again after the shown member changed.
  virtual void ApplyHolderMode() {}
  // Form 100: the list is being read for a filing file.
  virtual void MarkFiling() {}
};

// Builds the page of `pageCode`, bound to the open declaration (form 100: for `member`, fixed);
// null when the page cannot be built.
using FilingPageFactory = std::function<std::unique_ptr<IFilingPage>(int pageCode, int member)>;

// A page box list seen as a filing page: any list with GetSize, GetAt, SelectSheet and
// continuationSheets, and for form 100 ApplyHolderMode and a filing flag. The adapter owns the
// list and clears its boxes when it goes.
template <class List>
class BoxListFilingPage : public IFilingPage {
 public:
  explicit BoxListFilingPage(std::unique_ptr<List> list) : list_(std::move(list)) {}
  ~BoxListFilingPage() override { list_->ClearBoxes(); }
  int BoxCount() const override { return list_->GetSize(); }
  CBoxField* BoxAt(int index) override { return list_->GetAt(index); }
  bool SelectSheet(int sheet, int printing) override { return list_->SelectSheet(sheet, printing); }
  int ContinuationSheets() const override { return list_->continuationSheets; }
  void ApplyHolderMode() override { list_->ApplyHolderMode(); }
  void MarkFiling() override {
    if constexpr (requires(List& l) { l.filing = 1; }) list_->filing = 1;
  }
  List& list() { return *list_; }

 private:
  std::unique_ptr<List> list_;
};

}  // namespace forms

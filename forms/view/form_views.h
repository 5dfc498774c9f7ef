// The form views: CRentaVista (form 100) and C714Vista (form 714), the bases of every page class.
// They own the page box list, load it at set-up, paint the boxes, and (form 100) recalculate and
// refresh after a change of the shown member. Pages without a class of their own are shown by
// the generic page: its boxes bound from the page's binding table, the declaration recalculated
// after each accepted edit; a page without a binding table is shown read-only.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <vector>
#include <string>

#include "forms/view/box_list.h"
#include "forms/view/page_view.h"
#include "forms/view/row_table.h"

namespace forms {

// One box of a binding table: its position and the offset of its field in the form's block
// (per-member fields: the first member's slot).
struct BoxBinding {
  static constexpr std::size_t kNoAnnex = static_cast<std::size_t>(-1);
  int position;
  std::size_t offset;
  // The annex block that the box's dialog edits, where the box opens one.
  std::size_t annex = kNoAnnex;
};
// The binding table of a page code; empty when the page has none.
std::span<const BoxBinding> PageBindings(int pageCode);
// Adds or replaces the binding table of a page (the table must outlive its use).
void RegisterPageBindings(int pageCode, std::span<const BoxBinding> boxes);

// A box of a row area: its position, the visible row and the cell of the row table it shows.
struct RowBoxBinding {
  int position;
  int row;
  int cell;
};
// One row area of a page: its table's model and the boxes of its visible rows.
struct RowArea {
  const RowTableModel* model;
  std::span<const RowBoxBinding> boxes;
};

// The base of every page box list: the boxes bound from the page's binding table and, for a page
// with row areas, through their row tables. Boxes neither names are read-only. The tables live
// from a bind to the next release; they follow the shown member, scroll on the page's row
// buttons, and advance one sheet of rows per continuation sheet.
class CBindingTableList : public CHolderPageBoxList {
 public:
  CBindingTableList(int pageCode, std::span<std::uint8_t> block, int memberIndex = -1,
                    std::span<const RowArea> rowAreas = {});
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  // Events -1 (scroll; row 0 next, 1 previous) and -2 (whether it can) and the tables' row events.
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  // Sheet n > 1 shows the (n - 1)-th sheet of rows after the first; FALSE when no row is left.
  bool SelectSheet(int sheet, int printing) override;
  bool Bound() const { return !bindings_.empty() || !rowAreas_.empty(); }
  // The row table with `id`; the only one when the page has one table.
  CScrollRowTable* Table(int id) const;
  int TableCount() const { return static_cast<int>(tables_.size()); }
  // A box bound, read-only, to a value the document keeps outside the block (the copy label of
  // the sheet being printed ...), at every bind.
  void BindOutside(int position, void* data) { outside_.push_back({position, data}); }

 protected:
  // Points the row boxes at the cells of the tables' windows.
  void BindRows();
  bool IsRowBox(int position) const;
  std::span<std::uint8_t> Block() const { return block_; }
  // Continuation sheets for `records` rows shown `perSheet` to a sheet (the first sheet holds the
  // first rows).
  static int ContinuationSheetsFor(int records, int perSheet) {
    return records > 0 ? (records + perSheet - 1) / perSheet - 1 : 0;
  }
  // The continuation title (string `stringId`) in box `position`, or the box emptied.
  void ShowSheetTitle(int position, int stringId);
  void ClearSheetTitle(int position);
  bool SheetTitleShown() const { return !sheetTitle_.empty(); }

 private:
  std::span<const BoxBinding> bindings_;
  std::span<std::uint8_t> block_;
  std::span<const RowArea> rowAreas_;
  std::vector<std::unique_ptr<CScrollRowTable>> tables_;
  std::vector<bool> spent_;  // per table: no rows left for the sheet shown
  std::vector<std::pair<int, void*>> outside_;
  std::string sheetTitle_;  // cp1252, the boxes' encoding
};

class CFormView : public CProg32View {
  Q_OBJECT
 public:
  CFormView(IPageHost& host, int pageCode, std::unique_ptr<CPageBoxList> list, QWidget* parent = nullptr);
  ~CFormView() override;

  int GetPageCode() const override { return pageCode_; }
  CBoxField* GetBox(int index) const override { return list_ ? list_->GetAt(index) : nullptr; }
  int GetBoxCount() const override { return list_ ? list_->GetSize() : 0; }
  void ReloadBoxCoordinates(double scale) override;
  bool InitPageControls() override;
  // Every box's text is rebuilt at once, then the page is repainted.
  void RepaintBoxes() override;
  void DrawPageOverlay(QPainter& painter, int x, int y) override;
  // Drawn for a printed sheet: boxes as printed, no editing frames.
  void SetPrinting(bool printing) { printing_ = printing; }
  void RefreshBoxList() { if (list_) list_->RefreshSheet(1); }
  CPageBoxList* BoxList() const { return list_.get(); }

 protected:
  // Loads the list at the view's box scale and registers the check-mark boxes.
  bool LoadBoxList();
  void UnregisterCheckMarks();

  int pageCode_;
  bool printing_ = false;
  std::unique_ptr<CPageBoxList> list_;
  bool registered_ = false;
};

class CRentaVista : public CFormView {
  Q_OBJECT
 public:
  using CFormView::CFormView;
  bool SetUpPage() override;
  void RecalculateAndRefresh() override;
  bool IsTextField(const std::string& name) const override;
};

class C714Vista : public CFormView {
  Q_OBJECT
 public:
  using CFormView::CFormView;
  bool SetUpPage() override;
  // The text without its first six characters and without any ".".
  static std::string StripPrefixAndDots(const std::string& text);
};

// The generic page of either form: recalculates the declaration after each accepted edit.
template <class Base>
class CGenericPage : public Base {
 public:
  using Base::Base;
  // A page whose boxes are not defined yet is shown as its picture alone.
  bool SetUpPage() override;
  int OnBoxEdited(int id) override;
  // Whether the page's boxes are bound (a binding table names them).
  bool Bound() const;
};
using CGenericPage100 = CGenericPage<CRentaVista>;
using CGenericPage714 = CGenericPage<C714Vista>;

// Page classes by name ("ORD001" ...): the folder of the pages registers them; a page without a
// class is shown by the generic page.
using PageFactory = std::function<CFormView*(IPageHost& host, QWidget* parent)>;
void RegisterPageClass(const std::string& name, PageFactory factory);
void UnregisterPageClass(const std::string& name);
// The page `pageCode` of a document of kind `kind` (2 form 100, 3 form 714).
CFormView* CreatePageView(IPageHost& host, int kind, int pageCode, QWidget* parent = nullptr);
// The page classes the form-100 document walks, in page order (page code 201 + index).
inline constexpr const char* kForm100PageClasses[] = {"ORD001", "ORD002", "ORD003", "ORD004", "ORD005", "ORD006",
                                                       "ORD007", "ORD008", "ORD009", "ORD010", "ORD011", "ORD012",
                                                       "ORD013", "ORD014", "ORD015", "ORD016", "ORD017"};
// "ORD001" for 201, "PAT001" for 301; "PAGPDF" for 222 and "CFirma" for the signature page 290.
std::string PageClassName(int pageCode);

}  // namespace forms

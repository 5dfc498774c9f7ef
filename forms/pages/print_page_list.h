// The base of the box lists of the form-100 pages that exist on paper only (ORD018, ORD020,
// PAGPDF): they bind, and derive, check and enable nothing. Besides the block they read what the
// printing keeps in the document for the sheet being printed (copy label and kind, internet copy,
// identification codes, payment barcode text).
#pragma once

#include <span>

#include "data/doc/renta_doc.h"
#include "forms/pages/page100.h"

namespace forms {

// A box bound to a field of the block: at `offset` + k x `stride`, k the list's occurrence.
struct FieldBinding {
  int position;
  std::size_t offset;
  std::size_t stride;
};

class CPrintPageList : public CBindingTableList {
 public:
  CPrintPageList(int pageCode, std::span<std::uint8_t> block, doc::CRentaDoc* document, int memberIndex)
      : CBindingTableList(pageCode, block, memberIndex), document_(document) {}
  // Nothing is held beyond the boxes' pointers, which every bind sets again.
  void ReleasePageData() override {}
  void RefreshBoxStates(int) override {}

 protected:
  // Unbinds every box and makes it read-only.
  void UnbindAll();
  // Binds `table` at occurrence `k`; a field outside the block stays unbound.
  void BindTable(std::span<const FieldBinding> table, int k);
  void Bind(int position, void* data);
  // The member the list shows: its own when fixed to one, else the shown member (0: none).
  int Member() const;
  // The sheet state of the document; an idle one (no copy being printed) without a document.
  doc::CRentaDoc::PrintSheet& Sheet();
  doc::CRentaDoc* Document() const { return document_; }

 private:
  doc::CRentaDoc* document_;
  doc::CRentaDoc::PrintSheet idle_;
};

// The document of the host when it is a form-100 document.
doc::CRentaDoc* RentaDocument(IPageHost& host);

}  // namespace forms

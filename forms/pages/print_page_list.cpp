#include "forms/pages/print_page_list.h"

#include <algorithm>

#include "data/doc/active_declaration.h"
#include "ui/box_field.h"

namespace forms {

void CPrintPageList::UnbindAll() {
  for (int i = 0; i < GetSize(); ++i) {
    GetAt(i)->data = nullptr;
    GetAt(i)->option = nullptr;
    GetAt(i)->SoloLectur = 1;
  }
}

void CPrintPageList::Bind(int position, void* data) {
  if (CBoxField* box = Position(position)) box->data = data;
}

void CPrintPageList::BindTable(std::span<const FieldBinding> table, int k) {
  const std::span<std::uint8_t> block = Block();
  for (const FieldBinding& f : table) {
    CBoxField* box = Position(f.position);
    if (!box) continue;
    const std::size_t at = f.offset + static_cast<std::size_t>(k) * f.stride;
    const std::size_t width = box->TypeLetter() == 'F' || box->TypeLetter() == 'R' ? 8 : std::max<std::size_t>(1, f.stride);
    box->data = at + width <= block.size() ? block.data() + at : nullptr;
  }
}

int CPrintPageList::Member() const {
  if (fixedMember && memberIndex >= 1 && memberIndex <= 5) return memberIndex;
  return doc::ShownMember();
}

doc::CRentaDoc::PrintSheet& CPrintPageList::Sheet() { return document_ ? document_->PrintSheetState() : idle_; }

doc::CRentaDoc* RentaDocument(IPageHost& host) { return dynamic_cast<doc::CRentaDoc*>(host.PageDocument()); }

}  // namespace forms

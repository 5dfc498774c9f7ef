#include "forms/pages/page100.h"

#include "forms/pages/ord009.h"
#include "forms/pages/ord011.h"
#include "forms/pages/ord012.h"

namespace forms {

namespace {

std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

}  // namespace

CPage100::CPage100(IPageHost& host, int pageCode, std::span<const RowArea> rowAreas, QWidget* parent)
    : CRentaVista(host, pageCode, std::make_unique<CBindingTableList>(pageCode, DocumentBlock(host), -1, rowAreas),
                  parent) {}

CScrollRowTable* CPage100::Table(int id) const { return Boxes() ? Boxes()->Table(id) : nullptr; }

int CPage100::EndEdit(int position, int result) {
  RepaintBoxes();
  Host().UpdateAllViews(kHintRepaintBoxes);
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(position);
  return result;
}

void CPage100::RecalculateDeclaration(bool markModified) {
  if (doc::CProg32Doc* d = GetDocument()) {
    d->Calculate(1);
    if (markModified) d->SetModifiedFlag(true);
  }
  Host().UpdateAllViews(kHintRepaintBoxes);
  RepaintBoxes();
}

int CPage100::OnBoxSubDialogValue(int /*position*/) {
  RecalculateDeclaration(true);
  return 0;
}

void RegisterForm100Pages() {
  RegisterPage<ORD009>("ORD009");
  RegisterPage<ORD011>("ORD011");
  RegisterPage<ORD012>("ORD012");
}

}  // namespace forms

#include "forms/pages/pat009.h"

#include "forms/pages/page714.h"

namespace forms {

PAT009::PAT009(IPageHost& host, QWidget* parent)
    : CGenericPage714(host, kCode, std::make_unique<CBindingTableList>(kCode, DocumentBlock714(host)), parent) {
  BindDocumentBoxes714(static_cast<CBindingTableList&>(*BoxList()), host, kCode);
}

void PAT009::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

int PAT009::OnHelpHitTest(QPoint point) {
  SetHotBox(HitTestBox(point));
  EditHotBox();
  return Editor() && EditedBox() >= 0 ? kEditedHelp : 1;
}

void RegisterPat009() {
  RegisterPageClass("PAT009", [](IPageHost& host, QWidget* parent) -> CFormView* { return new PAT009(host, parent); });
}

}  // namespace forms

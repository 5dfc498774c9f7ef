#include "app/doc_template.h"

#include <algorithm>

namespace app {

CDeclarTemplate::CDeclarTemplate(int resourceId, QString typeName, DocumentFactory factory)
    : resourceId_(resourceId), typeName_(std::move(typeName)), factory_(std::move(factory)) {}

IDeclarationDocument* CDeclarTemplate::OpenDocumentFile(QWidget* messageParent) {
  if (!CloseAllDocuments()) return nullptr;
  std::unique_ptr<IDeclarationDocument> doc = factory_ ? factory_() : nullptr;
  if (!doc) {
    ShowMessage(messageParent, {QStringLiteral("WIN039"), QString(), kIconWarning});
    return nullptr;
  }
  docs_.push_back(std::move(doc));
  return docs_.back().get();
}

bool CDeclarTemplate::CloseAllDocuments() {
  while (!docs_.empty()) {
    if (!docs_.front()->SaveModified()) return false;
    if (beforeClose_) beforeClose_();
    docs_.erase(docs_.begin());
  }
  return true;
}

void CDeclarTemplate::RemoveDocument(IDeclarationDocument* doc) {
  docs_.erase(std::remove_if(docs_.begin(), docs_.end(), [doc](const auto& d) { return d.get() == doc; }), docs_.end());
}

CChildFrame::CChildFrame(IDeclarationDocument* document, QWidget* parent)
    : QMdiSubWindow(parent), document_(document) {
  setObjectName(QStringLiteral("CChildFrame"));
}

void CChildFrame::OnDeactivated() {
  if (document_) document_->Recalculate();
}

}  // namespace app

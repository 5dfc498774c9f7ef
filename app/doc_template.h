// The two kinds of declaration: a template per form that opens a bare document after closing the
// one of the same form, and the MDI child frame that shows a declaration's pages.
#pragma once

#include <QMdiSubWindow>
#include <QString>

#include <memory>
#include <vector>

#include "app/seams.h"

namespace app {

class CDeclarTemplate {
 public:
  // `resourceId` 126 (form 100, "DirEraro") or 133 (form 714, "ZazErizur").
  CDeclarTemplate(int resourceId, QString typeName, DocumentFactory factory);

  int ResourceId() const { return resourceId_; }
  // Document string 5, the file type id.
  const QString& TypeName() const { return typeName_; }

  // Closes the open documents of this template, then creates a new, empty one that belongs to
  // the template (none when a document refused to close or none could be made; the latter shows
  // "WIN039").
  IDeclarationDocument* OpenDocumentFile(QWidget* messageParent);
  // Asks each document in order whether it may close; stops at the first refusal.
  bool CloseAllDocuments();
  // Removes a document that failed to open.
  void RemoveDocument(IDeclarationDocument* doc);
  IDeclarationDocument* FirstDocument() const { return docs_.empty() ? nullptr : docs_.front().get(); }
  void SetFactory(DocumentFactory factory) { factory_ = std::move(factory); }
  bool HasFactory() const { return static_cast<bool>(factory_); }
  // Runs when a document has agreed to close, before it goes (the frame keeps the sections bar's
  // state then).
  void SetBeforeClose(std::function<void()> hook) { beforeClose_ = std::move(hook); }

 private:
  int resourceId_;
  QString typeName_;
  DocumentFactory factory_;
  std::function<void()> beforeClose_;
  std::vector<std::unique_ptr<IDeclarationDocument>> docs_;
};

inline constexpr int kForm100Template = 126;
inline constexpr int kForm714Template = 133;
inline constexpr char kForm100TypeName[] = "DirEraro";
inline constexpr char kForm714TypeName[] = "ZazErizur";

// The child frame of a declaration's pages: its caption never takes the document title, and when
// it loses the activation the declaration is recalculated first.
class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  CChildFrame(IDeclarationDocument* document, QWidget* parent = nullptr);
  IDeclarationDocument* Document() const { return document_; }
  // The document is going: the frame no longer reaches it.
  void ForgetDocument() { document_ = nullptr; }
  // Called by the MDI area when another child takes the activation.
  void OnDeactivated();

 private:
  IDeclarationDocument* document_;
};

}  // namespace app

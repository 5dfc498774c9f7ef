// The preview command (57609) of an open declaration: the trial copy of the member shown in a
// window of its own over the declaration's frame, closed by its close button or by the main
// window's close.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/declaration_document.h"
#include "app/program_messages.h"
#include "data/doc/renta_doc.h"
#include "forms/print/trial_preview.h"
#include "platform/strings.h"

namespace app {

namespace {
constexpr int kStrPreviewTitle = 99314;  // "Vista Preliminar"
}

bool CDeclarationDocument::OpenPrintPreview() {
  BusyScope busy(*this);
  doc_->CommitPendingBoxEdit();
  if (renta_) renta_->SetTargetMember(renta_->ShownMember(), renta_->MemberView());
  ClosePrintPreview();
  QMdiArea* area = services_.shell.DocumentArea();
  if (!area) {
    app::ShowMessage(CProgramMessages::Parent(), {QStringLiteral("WIN020"), QString(), kIconWarning});
    return false;
  }
  auto* frame = new QMdiSubWindow;
  frame->setAttribute(Qt::WA_DeleteOnClose);
  frame->setWindowTitle(platform::LoadString(kStrPreviewTitle));
  frame->setWindowIcon(services_.shell.FrameIcon());
  forms::CPrevista::Options options;
  options.kind = kindByte_;
  options.specialMode = services_.shell.RemoteMode();
  options.runModal = services_.runModal;
  auto* preview = new forms::CPrevista(*this, std::move(options));
  frame->setWidget(preview);
  area->addSubWindow(frame);
  frame->showMaximized();
  previewFrame_ = frame;
  preview_ = preview;
  QObject::connect(preview, &forms::CPrevista::closed, frame, [this] { ClosePrintPreview(); });
  if (!preview->OnFilePrintPreview()) {
    ClosePrintPreview();
    return false;
  }
  return true;
}

bool CDeclarationDocument::ClosePrintPreview() {
  if (!previewFrame_) return false;
  QWidget* frame = previewFrame_;
  previewFrame_ = nullptr;
  preview_ = nullptr;
  frame->close();
  ShowPrompt(QString());
  if (QMdiArea* area = services_.shell.DocumentArea(); area && frame_) area->setActiveSubWindow(frame_);
  return true;
}

}  // namespace app

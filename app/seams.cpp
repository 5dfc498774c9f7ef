#include "app/seams.h"

#include <QMessageBox>

#include "ui/message_dlg.h"

static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace app {

namespace {
MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}
}  // namespace

void EnsureResources() {
  static const bool done = (InitIconResources(), true);
  (void)done;
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

int ShowMessage(QWidget* parent, const ShellMessage& message) {
  if (Hook()) return Hook()(parent, message);
  if (!message.code.isEmpty()) return CMessageDlg(parent).Show(message.code, message.icon);
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("QUILDEXAN"));
  box.setText(message.code.isEmpty() ? message.text : message.code + QStringLiteral(": ") + message.text);
  switch (message.icon) {
    case kIconStop: box.setIcon(QMessageBox::Critical); break;
    case kIconWarning: box.setIcon(QMessageBox::Warning); break;
    case kIconQuestion: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::Information); break;
  }
  box.exec();
  return 1;
}

}  // namespace app

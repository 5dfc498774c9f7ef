#include "app/seams.h"

#include <QMessageBox>

#include "ui/message_dlg.h"

namespace app {

namespace {
MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}
}  // namespace

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

int ShowMessage(QWidget* parent, const ShellMessage& message) {
  if (Hook()) return Hook()(parent, message);
  if (!message.code.isEmpty()) return CMessageDlg(parent).Show(message.code, message.icon, message.extra);
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("QUILDEXAN"));
  box.setText(message.text);
  if (message.buttons == kButtonsYesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
  }
  switch (message.icon) {
    case kIconStop: box.setIcon(QMessageBox::Critical); break;
    case kIconWarning: box.setIcon(QMessageBox::Warning); break;
    case kIconQuestion: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::Information); break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return kAnswerYes;
    case QMessageBox::No: return kAnswerNo;
    case QMessageBox::Cancel: return kAnswerCancel;
    default: return 1;
  }
}

}  // namespace app

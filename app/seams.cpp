#include "app/seams.h"

#include "ui/messages.h"

namespace app {

int ShowMessage(QWidget* parent, const ShellMessage& message) {
  if (!message.code.isEmpty()) return ui::ShowMessage(parent, message.code, message.icon, message.extra);
  return ui::ShowPlain(parent, QStringLiteral("QUILDEXAN"), message.text, message.icon,
                       message.buttons == kButtonsYesNoCancel ? PlainButtons::YesNoCancel : PlainButtons::Ok);
}

}  // namespace app

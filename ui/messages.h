// The one road of every message to the user: the message service (IMessageService) installed now,
// by default the program's dialogs (the coded message dialog, plain message boxes). Code with a
// window calls ShowMessage / ShowPlain here; layers below the user interface are handed the
// service. Tests install a double with ScopedMessageService.
#pragma once

#include <QString>

#include <string>

#include "data/message_service.h"

class QWidget;

// Answers of a coded message (the buttons' control ids).
enum MessageAnswer : int {
  kAnsNone = -1,
  kAnsAceptar = 1,
  kAnsCancelar = 2,
  kAnsContinuar = 3,
  kAnsCorregir = 8,
  kAnsConfirmar = 10,
};

// Button flags of a coded message.
enum MessageButtonFlag : int { kBtnAceptar = 1, kBtnCancelar = 2, kBtnContinuar = 4, kBtnCorregir = 8, kBtnConfirmar = 16 };

// What a coded message puts before the user.
struct ShownMessage {
  QString code;
  QString title;
  QString text;
  int buttons = 0;  // MessageButtonFlag bits
  int icon = 0;
  QString extra;    // what took the place of "%s"
};

namespace ui {

// The service messages go to now.
IMessageService& Messages();

// Installs `service` while it lives; the one before comes back after it.
class ScopedMessageService {
 public:
  explicit ScopedMessageService(IMessageService& service);
  ~ScopedMessageService();
  ScopedMessageService(const ScopedMessageService&) = delete;
  ScopedMessageService& operator=(const ScopedMessageService&) = delete;
  // The service it replaced.
  IMessageService& Previous() const { return *previous_; }

 private:
  IMessageService* previous_;
};

// The coded message `code` (standard icon id, `extra` in place of "%s") over `parent`; answers
// the button pressed. One coded message at a time: while one is up, another answers kAnsNone at
// once.
int ShowMessage(QWidget* parent, const QString& code, int icon, const QString& extra = QString());
// A plain message box over `parent`.
int ShowPlain(QWidget* parent, const PlainMessage& message);
int ShowPlain(QWidget* parent, const QString& title, const QString& text, int icon,
              PlainButtons buttons = PlainButtons::Ok, int stringId = 0);

// The program's service: the dialogs over the window the caller of ShowMessage / ShowPlain named;
// called directly, over the dialog on screen, else over the main window.
class CDialogMessages : public IMessageService {
 public:
  int ShowMessage(std::string_view code, MessageIcon icon, std::string_view extra) override;
  void Notice(std::string_view text) override;
  int ShowPlain(const PlainMessage& message) override;
};

}  // namespace ui

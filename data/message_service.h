// The one way a message reaches the user: coded messages of the message tables and plain message
// boxes. The program's service (ui::CDialogMessages) shows the dialogs; tests install a double
// (ui::ScopedMessageService) or hand a recorder to the layer they drive.
#pragma once

#include <string>
#include <string_view>

// Standard icons of coded messages.
enum class MessageIcon : int { Stop = 32513, Warning = 32515, Information = 32516 };

// Buttons of a plain message box, and its answers.
enum class PlainButtons : int { Ok = 0, YesNoCancel = 3, YesNo = 4 };
inline constexpr int kPlainOk = 1, kPlainCancel = 2, kPlainYes = 6, kPlainNo = 7;

// A plain message box: a fixed text under its title, a standard icon id (0 none) and its buttons.
struct PlainMessage {
  std::string title;
  std::string text;
  int icon = 0;
  PlainButtons buttons = PlainButtons::Ok;
  int stringId = 0;  // the string-table text it shows, 0 for another text
};

class IMessageService {
 public:
  virtual ~IMessageService() = default;
  // Shows the message `code` of the interface language; returns the button pressed.
  virtual int ShowMessage(std::string_view code, MessageIcon icon, std::string_view extra = {}) = 0;
  // A plain message box with a fixed text (no message code).
  virtual void Notice(std::string_view text) = 0;
  // A plain message box; answers kPlainOk, kPlainYes, kPlainNo or kPlainCancel.
  virtual int ShowPlain(const PlainMessage& message) {
    Notice(message.text);
    return kPlainOk;
  }
};

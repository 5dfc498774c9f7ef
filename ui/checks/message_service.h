// What the checks need of the coded message dialog: show a MessageCode with a standard icon and
// return the button pressed. The program adapts its coded message dialog to this interface.
#pragma once

#include <string>

namespace checks {

enum MessageIcon : int { kIconStop = 32513, kIconExclamation = 32515, kIconInformation = 32516 };

class IMessageService {
 public:
  virtual ~IMessageService() = default;
  // Shows the message of `code`; `extra` takes the place of "%s" in its text.
  virtual int Show(const std::string& code, int icon, const std::string& extra) = 0;
  // A plain message box with a fixed text (no message code).
  virtual void Notice(const std::string& text) = 0;
};

}  // namespace checks

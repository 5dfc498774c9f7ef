// How code below the user interface shows a coded message: the program installs the coded message
// dialog behind this interface; tests install a recorder.
#pragma once

#include <string>
#include <string_view>

// Standard icons of coded messages.
enum class MessageIcon : int { Stop = 32513, Warning = 32515, Information = 32516 };

class IMessageService {
 public:
  virtual ~IMessageService() = default;
  // Shows the message `code` of the interface language; returns the button pressed.
  virtual int ShowMessage(std::string_view code, MessageIcon icon, std::string_view extra = {}) = 0;
  // A plain message box with a fixed text (no message code).
  virtual void Notice(std::string_view text) = 0;
};

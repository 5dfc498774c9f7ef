// The coded message dialog behind the message service of the layers below the shell (the store,
// the documents, the calculation drivers, the checks and validators: IMessageService), and the
// message texts the "Avisos y errores" window lists. Every message goes on to the message service
// (ui/messages.h).
#pragma once

#include <string>
#include <string_view>

#include "data/message_service.h"
#include "data/store/store.h"
#include "checks/avisos_model.h"
#include "checks/message_service.h"

class QWidget;

namespace app {

class CProgramMessages : public ::IMessageService, public checks::IMessageTexts {
 public:
  // IMessageService
  int ShowMessage(std::string_view code, ::MessageIcon icon, std::string_view extra) override;
  void Notice(std::string_view text) override;
  // checks::IMessageTexts: title and text of a code in the interface language's table.
  bool Lookup(const std::string& code, std::string& title, std::string& text) override;

  // A plain message box.
  void Plain(std::string_view text, int icon);
  // What the store says to the user.
  store::StoreMessages ForStore();

  // Messages belong to the dialog on screen, else to the main window.
  static QWidget* Parent();
};

}  // namespace app

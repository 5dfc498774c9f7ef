// The points where the shell meets parts of the program that live in other folders: the
// declarations index, the declaration documents, and how messages reach the user.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace app {

// What the declarations index answered.
struct IndexChoice {
  enum Result { Ok = 1, Cancel = 2, Failed = -1 };
  int result = Failed;
  bool newFlag = false;     // the chosen declaration was just created
  std::string key;          // the declaration's key
  bool wealthTax = false;   // form 714 chosen (else form 100)
};

// The declarations index dialog, run modally over the main frame.
class IDeclarationsIndex {
 public:
  virtual ~IDeclarationsIndex() = default;
  virtual IndexChoice Run(QWidget* parent, bool newFlag) = 0;
};

// An open declaration as the shell sees it.
class IDeclarationDocument {
 public:
  virtual ~IDeclarationDocument() = default;
  // Loads (or creates) the declaration of `key`; false leaves nothing open.
  virtual bool OpenDeclaration(const std::string& key, const std::string& text, bool newFlag) = 0;
  // The save question before closing; false when the user refuses to close.
  virtual bool SaveModified() = 0;
  // Saves the declaration without asking.
  virtual bool Save() = 0;
  // 2 form 100, 3 form 714.
  virtual int KindByte() const = 0;
  virtual std::string Key() const = 0;
  virtual void SetTitle(const QString& title) = 0;
  // Shows page `page` (1-based in the page list; 0 the current one, 100 the personal data wizard)
  // and opens the editor of box `box`.
  virtual void GoToBox(int page, int box) = 0;
  // Commits the pending box edit and tells where the user is, for a reopening after a language
  // switch.
  struct Place {
    int page = 1;  // current page number plus 1
    int memberView = 0;
    int shownMember = 1;
    int box = -1;  // box of the open editor, -1 none
  };
  virtual Place CurrentPlace() = 0;
  virtual void RestorePlace(const Place& place) = 0;
  // Recalculates and refreshes its views (the child frame losing the activation).
  virtual void Recalculate() = 0;
  // True while one of its operations runs (a message box of that operation may be up): the
  // document must not be closed under it.
  virtual bool Busy() const { return false; }
};

using DocumentFactory = std::function<std::unique_ptr<IDeclarationDocument>()>;

// Message icons by their system ids.
enum MessageIcon : int { kIconStop = 32513, kIconQuestion = 32514, kIconWarning = 32515, kIconInfo = 32516 };

// Buttons of a plain message box.
enum MessageButtons : int { kButtonsOk = 0, kButtonsYesNoCancel = 3 };
// Answers of a plain message box besides OK (1).
enum MessageAnswer : int { kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// A message of the shell through the message service (ui/messages.h): the coded message dialog for
// a code, else a plain message box titled with the program's name. `code` is the coded message
// ("WIN024") or empty for a plain text; `extra` takes the place of "%s" in a coded message.
// Answers the button pressed (1 OK; a coded message the id of its button).
struct ShellMessage {
  ShellMessage() = default;
  ShellMessage(QString c, QString t, int i = kIconInfo, QString x = {}, int b = kButtonsOk)
      : code(std::move(c)), text(std::move(t)), icon(i), extra(std::move(x)), buttons(b) {}
  QString code;
  QString text;
  int icon = kIconInfo;
  QString extra;
  int buttons = kButtonsOk;
};
int ShowMessage(QWidget* parent, const ShellMessage& message);

}  // namespace app

#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "platform/icons.h"
#include "ui/message_dlg.h"
#include "ui/session.h"

namespace ui {

namespace {

IMessageService*& Current() {
  static CDialogMessages dialogs;
  static IMessageService* current = &dialogs;
  return current;
}

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toStdString(); }

// The window the message in progress was asked for over (none asked: a service called directly).
struct AskedParent {
  bool asked = false;
  QPointer<QWidget> parent;
};
AskedParent& Asked() {
  static AskedParent asked;
  return asked;
}

struct ParentScope {
  explicit ParentScope(QWidget* parent) : before(Asked()) { Asked() = {true, parent}; }
  ~ParentScope() { Asked() = before; }
  AskedParent before;
};

bool g_codedOnScreen = false;

// The window the caller named, even none; a service called directly goes over the dialog on
// screen, else over the main window.
QWidget* DialogParent() {
  if (Asked().asked) return Asked().parent;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return CurrentSession().mainWindow;
}

}  // namespace

IMessageService& Messages() { return *Current(); }

ScopedMessageService::ScopedMessageService(IMessageService& service) : previous_(Current()) { Current() = &service; }
ScopedMessageService::~ScopedMessageService() { Current() = previous_; }

int ShowMessage(QWidget* parent, const QString& code, int icon, const QString& extra) {
  if (g_codedOnScreen) return kAnsNone;
  ParentScope scope(parent);
  g_codedOnScreen = true;
  const int answer = Messages().ShowMessage(S(code), static_cast<MessageIcon>(icon), S(extra));
  g_codedOnScreen = false;
  return answer;
}

int ShowPlain(QWidget* parent, const PlainMessage& message) {
  ParentScope scope(parent);
  return Messages().ShowPlain(message);
}

int ShowPlain(QWidget* parent, const QString& title, const QString& text, int icon, PlainButtons buttons,
              int stringId) {
  return ShowPlain(parent, PlainMessage{S(title), S(text), icon, buttons, stringId});
}

int CDialogMessages::ShowMessage(std::string_view code, MessageIcon icon, std::string_view extra) {
  return CMessageDlg(DialogParent()).Show(Q(code), static_cast<int>(icon), Q(extra));
}

void CDialogMessages::Notice(std::string_view text) {
  ShowPlain(PlainMessage{{}, std::string(text), static_cast<int>(MessageIcon::Information)});
}

int CDialogMessages::ShowPlain(const PlainMessage& message) {
  QMessageBox box(DialogParent());
  box.setWindowTitle(Q(message.title));
  box.setText(Q(message.text));
  switch (message.buttons) {
    case PlainButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case PlainButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PlainButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
  }
  switch (message.icon) {
    case 0: box.setIcon(QMessageBox::NoIcon); break;
    case static_cast<int>(MessageIcon::Stop): box.setIcon(QMessageBox::Critical); break;
    case static_cast<int>(MessageIcon::Warning): box.setIcon(QMessageBox::Warning); break;
    case platform::kIconQuestion: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::Information); break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return kPlainYes;
    case QMessageBox::No: return kPlainNo;
    case QMessageBox::Cancel: return kPlainCancel;
    default: return kPlainOk;
  }
}

}  // namespace ui

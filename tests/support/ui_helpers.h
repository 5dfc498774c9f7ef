// Helpers of the widget tests: scripted answers to coded messages, the shown member and household,
// key sequences, and the message rows of the authored tables.
#pragma once

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "member_view.h"
#include "platform/strings.h"
#include "ui/message_dlg.h"
#include "ui/messages.h"
#include "ui/message_source.h"
#include "ui/session.h"

namespace qxtest {

// The test double of the message service, installed while it lives. Every coded message is
// recorded as the coded message dialog would show it and answered from the script (1 when the
// script runs out); plain message boxes are recorded apart and answered by `plainAnswer` (else by
// the double below it, else OK). A double installed over another one answers its coded messages
// and lets the outer one see them, as a fixture's record of every message expects.
class ScriptedMessages : public IMessageService {
 public:
  explicit ScriptedMessages(std::deque<int> answers = {}) : answers_(std::move(answers)), install_(*this) {}

  int ShowMessage(std::string_view code, MessageIcon icon, std::string_view extra) override {
    const ShownMessage m = CMessageDlg::Compose(Q(code), static_cast<int>(icon), Q(extra));
    shown.push_back(m);
    if (ScriptedMessages* outer = Outer(); outer && outer->observe) outer->observe(m);
    if (observe) observe(m);
    if (onShow) onShow(m);
    if (answers_.empty()) return kAnsAceptar;
    const int a = answers_.front();
    answers_.pop_front();
    return a;
  }
  void Notice(std::string_view text) override {
    ShowPlain(PlainMessage{{}, std::string(text), static_cast<int>(MessageIcon::Information)});
  }
  int ShowPlain(const PlainMessage& m) override {
    plain.push_back(m);
    if (observePlain) observePlain(m);
    if (plainAnswer) return plainAnswer(m);
    if (ScriptedMessages* outer = Outer()) return outer->ShowPlain(m);
    return kPlainOk;
  }

  std::vector<QString> Codes() const {
    std::vector<QString> c;
    for (const auto& m : shown) c.push_back(m.code);
    return c;
  }
  // The string ids of the plain messages shown.
  std::vector<int> PlainIds() const {
    std::vector<int> ids;
    for (const auto& m : plain) ids.push_back(m.stringId);
    return ids;
  }
  // The answer of a message still to come.
  void Then(int answer) { answers_.push_back(answer); }
  std::vector<ShownMessage> shown;
  std::vector<PlainMessage> plain;
  std::function<void(const ShownMessage&)> onShow;
  std::function<int(const PlainMessage&)> plainAnswer;
  // What a fixture records of every message, its own and those of a double installed over it.
  std::function<void(const ShownMessage&)> observe;
  std::function<void(const PlainMessage&)> observePlain;

 private:
  static QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
  ScriptedMessages* Outer() const { return dynamic_cast<ScriptedMessages*>(&install_.Previous()); }
  std::deque<int> answers_;
  ui::ScopedMessageService install_;
};

// The authored message tables of the four languages, read from their .tsv sources.
inline std::shared_ptr<ui::MemoryMessageSource> AuthoredMessages() {
  auto src = std::make_shared<ui::MemoryMessageSource>();
  for (char l : {'E', 'C', 'G', 'V'}) {
    const QString table = QStringLiteral("ERRORES") + QChar(l);
    QFile f(QStringLiteral(QX_SOURCE_DIR "/resources/db/DatLocal/") + table + QStringLiteral(".tsv"));
    if (f.open(QIODevice::ReadOnly)) src->LoadTsv(table, QString::fromUtf8(f.readAll()));
  }
  return src;
}

// Shows `w` and makes it the active window, so that focus moves as it does for the user.
inline bool ShowActive(QWidget* w) {
  w->show();
  QApplication::setActiveWindow(w);
  return QTest::qWaitForWindowActive(w);
}

// Runs `action` on the modal dialog once it is on screen (the action may press keys on it).
inline void WhenModal(std::function<void(QWidget* modal)> action) {
  auto* timer = new QTimer;
  timer->setInterval(1);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* m = QApplication::activeModalWidget();
    if (!m || !m->isVisible() || QApplication::activeWindow() != m) return;
    timer->stop();
    timer->deleteLater();
    action(m);
  });
  timer->start();
}

// Chooses `file` in the next file dialog that runs modally (whether or not it becomes the active
// window).
inline void ChooseFileWhenAsked(const QString& file) {
  auto* timer = new QTimer;
  timer->setInterval(1);
  QObject::connect(timer, &QTimer::timeout, [timer, file] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!chooser || !chooser->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    chooser->selectFile(file);
    QMetaObject::invokeMethod(chooser, "accept");
  });
  timer->start();
}

// Types a sequence into the focused widget.
inline void Type(QWidget* w, const QString& keys) {
  for (QChar c : keys) {
    if (c.unicode() < 128) QTest::keyClicks(w, QString(c));
    else QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
  }
}

}  // namespace qxtest

// Drives the modal windows of the assembled program as a user meets them: the program runs its
// dialogs and message boxes with their own event loops, and each step of the script waits for the
// next modal window on screen, checks that it is the one expected, and acts on it through its
// widgets (types, ticks, clicks its buttons). Nothing of the program is replaced.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <string>

namespace qxtest {

class ModalDriver {
 public:
  using Match = std::function<bool(QWidget&)>;
  using Act = std::function<void(QWidget&)>;

  ModalDriver() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  ~ModalDriver() {
    timer_.stop();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " modal step(s) never ran, the first: " << Next();
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // The next modal window must satisfy `match`; `act` then works on it (it may leave it open for a
  // later step, or close it).
  ModalDriver& Expect(std::string what, Match match, Act act) {
    steps_.push_back({std::move(what), std::move(match), std::move(act)});
    return *this;
  }
  // The next modal window is a `T`.
  template <class T>
  ModalDriver& Expect(std::string what, std::function<void(T&)> act) {
    return Expect(
        std::move(what), [](QWidget& w) { return dynamic_cast<T*>(&w) != nullptr; },
        [act](QWidget& w) { act(dynamic_cast<T&>(w)); });
  }

  // Processes events until every step has run or `limitMs` passed (a guard against a hang, not a
  // measure: a step that never comes fails the test instead of blocking it).
  bool RunUntilDone(int limitMs = 60000) {
    QElapsedTimer t;
    t.start();
    while (!steps_.empty() && t.elapsed() < limitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return steps_.empty();
  }
  bool Done() const { return steps_.empty(); }
  std::string Next() const { return steps_.empty() ? std::string("(none)") : steps_.front().what; }
  // The windows that came when the script expected none or another one.
  const std::vector<std::string>& Unexpected() const { return unexpected_; }

 private:
  struct Step {
    std::string what;
    Match match;
    Act act;
  };

  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || busy_.contains(modal)) return;
    if (steps_.empty() || !steps_.front().match(*modal)) {
      // A window the script did not foresee: record it and close it, so the test fails instead
      // of hanging inside its event loop.
      unexpected_.push_back(modal->metaObject()->className() + std::string(" \"") +
                            modal->windowTitle().toStdString() + "\" while waiting for " + Next());
      ADD_FAILURE() << "unexpected modal window: " << unexpected_.back();
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
      else modal->close();
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    busy_.append(modal);
    // Acting from a fresh single-shot keeps this poll timer free to serve the modal windows the
    // action itself opens.
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, modal, [this, step, target, modal] {
      if (target) step.act(*target);
      busy_.removeOne(modal);
    });
  }

  QTimer timer_;
  std::deque<Step> steps_;
  std::vector<std::string> unexpected_;
  // The windows whose step is still acting (nested when an action opens another modal window).
  QList<QWidget*> busy_;
};

// The button of `w` whose text reads `text` once its mnemonic mark is taken out; null if none.
inline QAbstractButton* ButtonNamed(QWidget& w, const QString& text) {
  for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
    if (b->isVisible() && QString(b->text()).remove(QLatin1Char('&')) == text) return b;
  return nullptr;
}

// Clicks the visible, enabled button `text` of `w`; a test failure if there is none.
inline void Click(QWidget& w, const QString& text) {
  QAbstractButton* b = ButtonNamed(w, text);
  if (!b) {
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\" on " << w.metaObject()->className();
    if (auto* d = qobject_cast<QDialog*>(&w)) d->reject();
    return;
  }
  EXPECT_TRUE(b->isEnabled()) << "button \"" << text.toStdString() << "\" is disabled";
  b->click();
}

}  // namespace qxtest

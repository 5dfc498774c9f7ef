// A window as the user meets it on the smallest screen the program supports (1280x800): it fits,
// every control it shows lies inside it at a size it can be seen at, and no two of its controls
// answer the same Alt+letter.
#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

namespace qxtest {

inline constexpr int kSmallestScreenWidth = 1280;
inline constexpr int kSmallestScreenHeight = 800;

inline std::string Describe(const QWidget* w) {
  QString what = QString::fromLatin1(w->metaObject()->className());
  QString text;
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
  else if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
  else if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
  if (!text.isEmpty()) what += QStringLiteral(" \"%1\"").arg(text.left(40));
  if (!w->objectName().isEmpty()) what += QStringLiteral(" #") + w->objectName();
  return what.toStdString();
}

// The controls a user reads or works: not the parts that Qt builds inside a composite control.
inline bool IsUserControl(const QWidget* w, const QWidget* window) {
  if (!qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QLineEdit*>(w) &&
      !qobject_cast<const QComboBox*>(w) && !qobject_cast<const QLabel*>(w) &&
      !qobject_cast<const QAbstractSpinBox*>(w) && !qobject_cast<const QGroupBox*>(w) &&
      !qobject_cast<const QAbstractScrollArea*>(w) && !qobject_cast<const QTabBar*>(w))
    return false;
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
    if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QTabBar*>(p))
      return false;
    // Inside a scrolling area the control is seen by scrolling, not within the window.
    if (qobject_cast<const QAbstractScrollArea*>(p)) return false;
  }
  return !w->objectName().startsWith(QLatin1String("qt_"));
}

// What is wrong with `window` as shown now (empty when it fits).
inline std::vector<std::string> FitProblems(QWidget* window) {
  std::vector<std::string> out;
  const QSize size = window->frameGeometry().size().expandedTo(window->size());
  if (size.width() > kSmallestScreenWidth || size.height() > kSmallestScreenHeight)
    out.push_back("the window is " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
  const QRect inside = window->rect();
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || !IsUserControl(w, window)) continue;
    const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    if (r.width() <= 0 || r.height() <= 0) out.push_back(Describe(w) + " has no size");
    else if (!inside.contains(r)) out.push_back(Describe(w) + " lies outside the window");
    else if (w->parentWidget() && w->parentWidget() != window &&
             !w->parentWidget()->rect().contains(QRect(w->pos(), w->size())))
      out.push_back(Describe(w) + " is cut by its frame");
  }
  return out;
}

// The Alt+letter of a caption, 0 when it has none ("&&" is a plain ampersand).
inline QChar MnemonicOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return QChar();
}

// The letters that two or more shown controls of `window` answer, with the controls.
inline std::vector<std::string> MnemonicClashes(QWidget* window) {
  std::map<QChar, std::vector<std::string>> byLetter;
  auto note = [&](const QString& text, const std::string& who) {
    const QChar c = MnemonicOf(text);
    if (!c.isNull()) byLetter[c].push_back(who);
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) note(b->text(), Describe(w));
    else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) note(l->text(), Describe(w));
    else if (auto* g = qobject_cast<QGroupBox*>(w)) note(g->title(), Describe(w));
    else if (auto* t = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < t->count(); ++i)
        if (t->isTabVisible(i)) note(t->tabText(i), "tab \"" + t->tabText(i).toStdString() + "\"");
  }
  std::vector<std::string> out;
  for (const auto& [letter, who] : byLetter) {
    if (who.size() < 2) continue;
    std::string line = "Alt+" + QString(letter).toStdString() + ":";
    for (const std::string& w : who) line += " " + w;
    out.push_back(line);
  }
  return out;
}

}  // namespace qxtest

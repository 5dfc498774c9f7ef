#include "ui/date_edit.h"
#include "ui/typed_text.h"

#include <QApplication>
#include <QFocusEvent>

#include <cstdio>
#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/icons.h"
#include "ui/session.h"

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int SectionValue(const QString& t, int from, int count) {
  QString s = t.mid(from, count).trimmed();
  bool ok = false;
  const int v = s.toInt(&ok);
  return ok ? v : 0;
}

std::string DateCode(int width) { return std::string("D").append(std::to_string(width)); }

}  // namespace

// ---------------------------------------------------------------- date

CDateEdit::CDateEdit(CBoxField* box, QWidget* parent) : CEditEx(box, parent) {
  editWidth_ = DateLength();
  setMaxLength(editWidth_);
}

CDateEdit::CDateEdit(int width, QWidget* parent) : CEditEx(width, parent) {
  box_->StrValidac = DateCode(width);
  editWidth_ = DateLength();
  setMaxLength(editWidth_);
}

QString CDateEdit::Mask() const { return Width() == 6 ? QStringLiteral("  /  /  ") : QStringLiteral("  /  /    "); }

QString CDateEdit::Normalised() const {
  QString t = text();
  const int len = DateLength();
  if (t.size() == len && t[2] == u'/' && t[5] == u'/') return t;
  // Any other text is put back into the mask, digit by digit.
  QString m = Mask();
  int k = 0;
  for (QChar c : t) {
    while (k < len && (k == 2 || k == 5)) ++k;
    if (k >= len) break;
    if (c == u'/') continue;
    m[k++] = IsDigit(c) ? c : u' ';
  }
  return m;
}

int CDateEdit::Caret() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void CDateEdit::Apply(const QString& t, int caret) {
  SetTextKeep(t);
  setCursorPosition(std::clamp(caret, 0, static_cast<int>(t.size())));
}

void CDateEdit::WriteDateToData(const QString& t) {
  if (!box_ || !box_->data) return;
  QString digits = t;
  digits.remove(u'/');
  const std::string bytes = platform::Utf8ToCp1252(digits.toStdString());
  const blocks::Text f{box_->TextOffset(), static_cast<std::size_t>(Width())};
  f.set(box_->data, bytes);
}

void CDateEdit::ShowSectionError(Section s) {
  static const char* codes[3] = {"WIN009", "WIN010", "WIN007"};
  ShowMessage(QString::fromLatin1(codes[s]), platform::kIconHand);
}

bool CDateEdit::CheckDateSection(Section s) const {
  const QString t = Normalised();
  bool anyDigit = false;
  for (QChar c : t) anyDigit = anyDigit || IsDigit(c);
  if (!anyDigit) return true;
  switch (s) {
    case kDay: { const int d = SectionValue(t, 0, 2); return d >= 1 && d <= 31; }
    case kMonth: { const int m = SectionValue(t, 3, 2); return m >= 1 && m <= 12; }
    case kYear: return Width() == 6 ? SectionValue(t, 6, 2) > 0 : SectionValue(t, 6, 4) > 0;
  }
  return true;
}

QString CDateEdit::CompleteSections(QString t, int width) { return ui::typed::CompleteDateSections(std::move(t), width); }

void CDateEdit::CompleteDateSection(Section s) {
  if (ControlReadOnly()) return;
  QString t = Normalised();
  const QString all = CompleteSections(t, Width());
  if (s == kDay) t.replace(0, 2, all.mid(0, 2));
  else if (s == kMonth) t.replace(3, 2, all.mid(3, 2));
  else t.replace(6, t.size() - 6, all.mid(6));
  const int caret = cursorPosition();
  Apply(t, caret);
  WriteDateToData(t);
}

int CDateEdit::TypeDigit(char32_t ch) {
  if (ControlReadOnly()) return kRefuse;
  QString t = Normalised();
  const int p = Caret();
  const int len = static_cast<int>(t.size());
  if (p >= len) return kRefuse;
  const QChar d(static_cast<char16_t>(ch));
  if (p == 2 || p == 5) {
    setCursorPosition(p + 1);
    return kRefuse;
  }
  if (t[p] == u' ') {
    t[p] = d;
  } else if (p == 0 || p == 3) {
    if (t[p + 1] != u' ') return kRefuse;
    t[p + 1] = t[p];
    t[p] = d;
  } else if (p == 1 || p == 4) {
    t[p] = d;
  } else {
    if (t[len - 1] != u' ') return kRefuse;
    for (int i = len - 1; i > p; --i) t[i] = t[i - 1];
    t[p] = d;
  }
  Apply(t, p + 1);
  WriteDateToData(t);
  MarkModified();
  if (p == 1 || p == 4) {
    const Section s = p == 1 ? kDay : kMonth;
    if (CheckDateSection(s)) {
      setCursorPosition(p + 2);
    } else {
      ShowSectionError(s);
      setFocus();
      setCursorPosition(p + 1);
    }
  }
  return kHandled;
}

int CDateEdit::DeleteChar(bool backward) {
  if (ControlReadOnly()) return kRefuse;
  QString t = Normalised();
  const int len = static_cast<int>(t.size());
  if (hasSelectedText()) {
    const int a = selectionStart(), n = static_cast<int>(selectedText().size());
    for (int i = a; i < a + n && i < len; ++i)
      if (i != 2 && i != 5) t[i] = u' ';
    Apply(t, a);
    WriteDateToData(t);
    MarkModified();
    return kHandled;
  }
  const int p = cursorPosition();
  if (p > len) return kRefuse;
  const int q = backward ? p - 1 : p;
  if (q < 0 || q >= len) return kHandled;
  int caret = backward ? q : p;
  if (q == 0 || q == 3) {
    t[q] = t[q + 1];
    t[q + 1] = u' ';
  } else if (q == 1 || q == 4) {
    t[q] = u' ';
  } else if (q == 2 || q == 5) {
    setCursorPosition(q);
    return kHandled;
  } else if (Width() == 6 && backward) {
    t[q] = u' ';
  } else {
    for (int i = q; i < len - 1; ++i) t[i] = t[i + 1];
    t[len - 1] = u' ';
  }
  Apply(t, caret);
  WriteDateToData(t);
  MarkModified();
  return kHandled;
}

int CDateEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch == 0xB7 || ch == 0xBA || ch == 0xBF) return kRefuse;
  if (ch == kChBackspace) return DeleteChar(true);
  if (ch == kChEscape) {
    DeleteChar(true);
    return kAccept;
  }
  if (ch >= U'0' && ch <= U'9') return TypeDigit(ch);
  return kRefuse;
}

int CDateEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Delete) {
    if (CEditEx::FilterKeyDown(key, repeat, flags) == kRefuse) return kRefuse;
    return DeleteChar(false);
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down) return MoveInDate(key == Qt::Key_Down) == kTextValid ? kAccept : kHandled;
  return CEditEx::FilterKeyDown(key, repeat, flags);
}

int CDateEdit::MoveInDate(bool forward) {
  const Section s = SectionAt(cursorPosition());
  CompleteDateSection(s);
  if (!CheckDateSection(s)) {
    ShowSectionError(s);
    setFocus();
    LoadFromData(0);
    setCursorPosition(s == kDay ? 0 : s == kMonth ? 3 : 6);
    return kTextLeave;
  }
  int answer = kTextLeave;
  int caret = cursorPosition();
  switch (s) {
    case kDay:
      if (forward) caret = 3;
      else answer = kTextValid;
      break;
    case kMonth: caret = forward ? 6 : 0; break;
    case kYear:
      if (forward) answer = kTextValid;
      else caret = 3;
      break;
  }
  if (box_ && box_->data) {
    box_->UpdateText();
    SetTextKeep(box_->displayText);
  }
  setCursorPosition(caret);
  return answer;
}

int CDateEdit::CheckText(const QString& t) {
  bool anyDigit = false;
  for (QChar c : t) anyDigit = anyDigit || IsDigit(c);
  if (!anyDigit) return kTextValid;  // an empty date is left at once
  return MoveInDate(!(QApplication::keyboardModifiers() & Qt::ShiftModifier));
}

QString CDateEdit::CompleteStoredDate(const QString& eight) { return ui::typed::CompleteStoredDate(eight); }

int CDateEdit::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  const blocks::Text f{box_->TextOffset(), static_cast<std::size_t>(Width())};
  const QString stored = QString::fromStdString(platform::Cp1252ToUtf8(f.str(box_->data)));
  if (stored.isEmpty()) return 1;
  if (stored.size() != Width()) {
    ShowMessage(QStringLiteral("WIN008"), platform::kIconHand);
    return 1;
  }
  if (Width() == 8) f.set(box_->data, platform::Utf8ToCp1252(CompleteStoredDate(stored).toStdString()));
  return 1;
}

void CDateEdit::LoadFromData(int mode) {
  if (!box_ || !box_->data) return;
  if (mode == 1 && modified_) StoreToData();
  box_->UpdateText();
  QString shown = box_->displayText;
  if (shown.isEmpty()) shown = Mask();
  SetTextKeep(shown);
  setMaxLength(editWidth_);
}

bool CDateEdit::HandleKey(int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if ((ctrl && key == Qt::Key_Insert) || (ctrl && key == Qt::Key_C)) {
    copy();
    return true;
  }
  if ((ctrl && (key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Z)) ||
      (shift && (key == Qt::Key_Insert || key == Qt::Key_Delete))) {
    Beep();
    return true;
  }
  return false;
}

void CDateEdit::focusInEvent(QFocusEvent* e) {
  const QString before = text();
  CEditEx::focusInEvent(e);
  // A date is typed from its day: a freshly loaded mask puts the caret there.
  if (text() != before || (!hasSelectedText() && cursorPosition() >= text().size())) setCursorPosition(0);
}

// ---------------------------------------------------------------- integers

CIntegerEdit::CIntegerEdit(CBoxField* box, QWidget* parent) : CEditEx(box, parent) {}

CIntegerEdit::CIntegerEdit(int width, QWidget* parent) : CIntegerEdit(width, "I", parent) {}

CIntegerEdit::CIntegerEdit(int width, const char* letter, QWidget* parent) : CEditEx(width, parent) {
  box_->StrValidac = letter + std::to_string(width);
}

int CIntegerEdit::BindData(void* field) {
  CEditEx::BindData(field);
  return 4;
}

int CIntegerEdit::FilterChar(char32_t ch, int, int, bool) {
  if ((ch >= U'0' && ch <= U'9') || ch == kChBackspace) return kAccept;
  return kRefuse;
}

int CIntegerEdit::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  const std::int32_t v = ui::typed::ParseIntegerText(text());
  const int slot = box_->NumberSlot();
  if (slot < 0) return 0;
  blocks::I32{0}(static_cast<std::size_t>(slot)).set(box_->data, v);
  return 1;
}

void CIntegerEdit::LoadFromData(int mode) {
  if (!box_ || !box_->data) return;
  const std::int32_t v = box_->MemberInt();
  QString out;
  if (v != 0) {
    if (mode == 1) {
      FormatBox();
      out = box_->displayText;
    } else {
      out = QString::number(v);  // "%ld" and "%d" print a 32-bit value alike
    }
  }
  SetTextKeep(out);
  setMaxLength(editWidth_ > 0 ? editWidth_ : 32767);
}

CCountEdit::CCountEdit(CBoxField* box, QWidget* parent) : CIntegerEdit(box, parent) {}

CCountEdit::CCountEdit(int width, QWidget* parent) : CIntegerEdit(width, "C", parent) {}

int CCountEdit::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  if (ch != kChBackspace) return CIntegerEdit::FilterChar(ch, repeat, flags, fromKeyboard);
  // Backspace takes the last character, wherever the caret is.
  const int a = selectionStart(), n = static_cast<int>(selectedText().size());
  QString t = text();
  if (!t.isEmpty()) t.chop(1);
  SetTextKeep(t);
  MarkModified();
  if (n > 0) setSelection(a, std::min(n, static_cast<int>(t.size()) - a));
  return kHandled;
}

#include "ui/text_edits.h"

bool CAlfaEdit::NameChar(char32_t ch) {
  if ((ch >= U'A' && ch <= U'Z') || (ch >= U'a' && ch <= U'z')) return true;
  switch (ch) {
    case U' ': case U'\'': case U',': case U'-': case U'.':
    case U'Ç': case U'Ñ': case U'ç': case U'ñ':
    case kChBackspace: case kChEscape:
      return true;
    default:
      return false;
  }
}

bool CANumEdit::NumericChar(char32_t ch) {
  return (ch >= 48 && ch <= 59) || ch == kChBackspace || ch == kChEscape;
}

int CAlfaEdit::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  if (CEditEx::FilterChar(ch, repeat, flags, fromKeyboard) == kRefuse) return kRefuse;
  return OwnFilter(ch) ? kAccept : kRefuse;
}

void CAlfaEdit::TestWholeText() {
  const QString t = text();
  for (qsizetype i = 1; i < t.size(); ++i) {
    if (!OwnFilter(t[i].unicode())) {
      undo();
      if (hasSelectedText()) del();
      Beep();
      return;
    }
  }
}

bool CAlfaEdit::HandleKey(int key, Qt::KeyboardModifiers mods) {
  if (!CEditEx::HandleKey(key, mods)) return false;
  TestWholeText();
  return true;
}

void CAlfaEdit::Paste() {
  CEditEx::Paste();
  TestWholeText();
}

// Shows "SI"/"NO" in two characters but holds one byte: the box reads and writes only that byte,
// which may be the last of its block.
CYesNoEdit::CYesNoEdit(QWidget* parent) : CEditEx(2, parent) {
  box_->width = 1;
  box_->StrValidac = "S1";
}

int CYesNoEdit::BindData(void* field) {
  CEditEx::BindData(field);
  return 1;
}

void CYesNoEdit::Set(const QString& shown, unsigned char value) {
  SetTextKeep(shown);
  if (box_ && box_->data && !ControlReadOnly()) blocks::U8{0}.set(box_->data, value);
  MarkModified();
  Notify(ui::kNotifyValueStored);
}

int CYesNoEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch < 128) ch = static_cast<char32_t>(std::tolower(static_cast<int>(ch)));
  if (ch == U's') Set(QStringLiteral("SI"), kYes);
  else if (ch == U'n') Set(QStringLiteral("NO"), kNo);
  else if (ch == U' ') Set(QStringLiteral(" "), kUnanswered);
  else return kRefuse;
  return kHandled;
}

int CYesNoEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Delete) return kRefuse;
  return CEditEx::FilterKeyDown(key, repeat, flags);
}

int CYesNoEdit::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  const QString t = text();
  blocks::U8{0}.set(box_->data, t == QLatin1String("SI") ? kYes : t == QLatin1String("NO") ? kNo : kUnanswered);
  return 1;
}

void CYesNoEdit::LoadFromData(int) {
  if (!box_ || !box_->data) return;
  const unsigned char v = blocks::U8{0}.get(box_->data);
  SetTextKeep(v == kNo ? QStringLiteral("NO") : v == kYes ? QStringLiteral("SI") : v == kUnanswered ? QStringLiteral(" ") : QString());
  setMaxLength(2);
}

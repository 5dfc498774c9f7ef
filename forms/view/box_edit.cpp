#include "forms/view/box_edit.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

#include "platform/icons.h"

namespace {

struct Entry {
  int key;
  int boxNumber;
  const QWidget* owner;
};
std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}

}  // namespace

namespace forms {

void RegisterBoxEdit(int key, int boxNumber, const QWidget* owner) { Registry().push_back({key, boxNumber, owner}); }

void UnregisterBoxEdit(int key, int boxNumber, const QWidget* owner) {
  auto& r = Registry();
  auto it = std::find_if(r.begin(), r.end(),
                         [&](const Entry& e) { return e.key == key && e.boxNumber == boxNumber && e.owner == owner; });
  if (it != r.end()) r.erase(it);
}

bool IsBoxEditRegistered(int key, const QWidget* owner) {
  if (key == 0) return false;
  const auto& r = Registry();
  return std::any_of(r.begin(), r.end(), [&](const Entry& e) { return e.key == key && e.owner == owner; });
}

}  // namespace forms

CBoxEdit::CBoxEdit(CBoxField* box, QWidget* parent) : CEditEx(box, parent) {
  if (box) {
    checkKey_ = box->width;
    box->checkKey = box->width;
    box->width = 1;
  }
}

CBoxEdit::CBoxEdit(int width, QWidget* parent) : CEditEx(parent) {
  box_ = new CBoxField;
  ownsBox_ = true;
  box_->StrValidac = "B1";
  box_->ApplyFormatSpec();
  box_->width = width;
  editWidth_ = width;
  modified_ = true;
}

int CBoxEdit::BindData(void* data) {
  CEditEx::BindData(data);
  return 1;
}

int CBoxEdit::FilterChar(char32_t ch, int, int, bool) {
  const char32_t c = ch < 128 ? static_cast<char32_t>(std::tolower(static_cast<int>(ch))) : ch;
  QString next;
  if (c == U' ') next = text().toLower().startsWith(u'x') ? QStringLiteral(" ") : QStringLiteral("X");
  else if (c == U'n') next = QStringLiteral(" ");
  else if (c == U's' || c == U'x') next = QStringLiteral("X");
  else return kRefuse;
  modified_ = true;
  SetTextKeep(next);
  StoreToData();
  modified_ = true;
  Notify(ui::kNotifyValueStored);
  modified_ = true;
  return kHandled;
}

int CBoxEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Insert) {
    const auto mods = QGuiApplication::keyboardModifiers();
    return (mods & (Qt::ControlModifier | Qt::ShiftModifier)) ? kRefuse : kAccept;
  }
  if (key == Qt::Key_Delete) {
    SetTextKeep(QString());
    StoreToData();
    Notify(ui::kNotifyValueCleared);
    return kHandled;
  }
  return CEditEx::FilterKeyDown(key, repeat, flags);
}

int CBoxEdit::StoreToData() {
  if (isReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  const std::uint8_t mark = text().toLower().startsWith(u'x') ? 1 : 0;
  const int slot = box_->NumberSlot();
  if (slot < 0) return 0;
  blocks::U8{static_cast<std::size_t>(slot)}.set(box_->data, mark);
  return 1;
}

void CBoxEdit::LoadFromData(int) {
  if (!box_) return;
  box_->UpdateText();
  SetTextKeep(box_->displayText);
}

bool CBoxEdit::HandleKey(int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert)) {
    copy();
    return true;
  }
  if ((ctrl && (key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Z)) ||
      (shift && (key == Qt::Key_Delete || key == Qt::Key_Insert))) {
    Beep();
    return true;
  }
  return false;
}

void CBoxEdit::mousePressEvent(QMouseEvent* e) {
  if (isReadOnly()) return;
  if (GetShownMember() != 1 && HasOtherMembers() && !IsInputAllowed()) {
    Beep();
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  QLineEdit::mousePressEvent(e);
  FilterChar(U' ', 1, 0, false);
}

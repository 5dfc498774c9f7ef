#include "ui/box_edit.h"

#include <QMouseEvent>

#include <algorithm>
#include <vector>

#include "platform/icons.h"

namespace ui {

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

void RegisterBoxEdit(int key, int boxNumber, const QWidget* owner) { Registry().push_back({key, boxNumber, owner}); }

void UnregisterBoxEdit(int key, int boxNumber, const QWidget* owner) {
  auto& r = Registry();
  auto it = std::find_if(r.begin(), r.end(),
                         [&](const Entry& e) { return e.key == key && e.boxNumber == boxNumber && e.owner == owner; });
  if (it != r.end()) r.erase(it);
}

bool IsBoxEditRegistered(int key, const QWidget* owner) {
  const auto& r = Registry();
  return key != 0 && std::any_of(r.begin(), r.end(), [&](const Entry& e) { return e.key == key && e.owner == owner; });
}

}  // namespace ui

CBoxEdit::CBoxEdit(int width, QWidget* parent) : CEditEx(width, parent) {
  box_->StrValidac = std::string("B").append(std::to_string(width));
  box_->width = width;
  setAlignment(Qt::AlignCenter);
}

CBoxEdit::CBoxEdit(CBoxField* box, QWidget* parent) : CEditEx(box, parent) {
  if (box) {
    checkKey_ = box->width;
    box->checkKey = box->width;
    box->width = 1;
  }
  setAlignment(Qt::AlignCenter);
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
  if (ControlReadOnly()) return;
  if (MemberViewRefuses()) {
    Beep();
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  QLineEdit::mousePressEvent(e);
  FilterChar(U' ', 1, 0, true);
}

int CBoxEdit::BindData(void* field) {
  CEditEx::BindData(field);
  return 1;
}

unsigned char* CBoxEdit::Byte() const {
  if (!box_ || !box_->data) return nullptr;
  const int slot = box_->NumberSlot();
  return slot < 0 ? nullptr : blocks::at(box_->data, static_cast<std::size_t>(slot));
}

bool CBoxEdit::Marked() const {
  const unsigned char* b = Byte();
  return b && *b != 0;
}

void CBoxEdit::SetMark(bool on) {
  SetTextKeep(on ? QStringLiteral("X") : QStringLiteral(" "));
  MarkModified();
  StoreToData();
  Notify(ui::kNotifyValueStored);
}

int CBoxEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ControlReadOnly()) return kRefuse;
  switch (ch) {
    case U' ': SetMark(!Marked()); return kHandled;
    case U's': case U'S': case U'x': case U'X': SetMark(true); return kHandled;
    case U'n': case U'N': SetMark(false); return kHandled;
    default: return kRefuse;
  }
}

int CBoxEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (CEditEx::FilterKeyDown(key, repeat, flags) == kRefuse) return kRefuse;
  if (key == Qt::Key_Delete) {
    if (ControlReadOnly()) return kRefuse;
    SetTextKeep(QStringLiteral(" "));
    MarkModified();
    StoreToData();
    Notify(ui::kNotifyValueCleared);
    return kHandled;
  }
  return kAccept;
}

int CBoxEdit::StoreToData() {
  if (ControlReadOnly()) return 1;
  unsigned char* b = Byte();
  if (!b) return 0;
  *b = text().trimmed().compare(QStringLiteral("X"), Qt::CaseInsensitive) == 0 ? 1 : 0;
  return 1;
}

void CBoxEdit::LoadFromData(int) {
  const unsigned char* b = Byte();
  if (!box_ || !box_->data) return;
  SetTextKeep(b && *b ? QStringLiteral("X") : QStringLiteral(" "));
  box_->displayText = text();
}

#include "ui/multiline_edit.h"

#include <QKeyEvent>

#include "blocks/field.h"
#include "platform/cp1252.h"
#include "ui/edit_host.h"
#include "ui/session.h"

CMultiLineEdit::CMultiLineEdit(int width, QWidget* parent) : QPlainTextEdit(parent), width_(width) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (ui::IEditHost* h = ui::FindEditHost(this)) h->OnCommand(ui::ControlId(this), ui::kEnChange);
  });
}

void CMultiLineEdit::LoadFromData() {
  if (!data_) return;
  const blocks::Text f{0, static_cast<std::size_t>(width_)};
  const QString t = QString::fromStdString(platform::Cp1252ToUtf8(std::string(f.trimmed(data_))));
  if (t != toPlainText()) {
    const QSignalBlocker block(this);
    setPlainText(t);
  }
}

void CMultiLineEdit::StoreToData() {
  if (!data_ || isReadOnly()) return;
  QString t = toPlainText().toUpper();
  t.replace(u'\r', u' ').replace(u'\n', u' ');
  blocks::Text{0, static_cast<std::size_t>(width_)}.set(data_, platform::Utf8ToCp1252(t.toStdString()));
  doc::MarkEditedSincePrinted();
}

void CMultiLineEdit::keyPressEvent(QKeyEvent* e) {
  // Typing stops at the field's width.
  if (!e->text().isEmpty() && e->text()[0].isPrint() && toPlainText().size() >= width_ &&
      !textCursor().hasSelection()) {
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void CMultiLineEdit::focusOutEvent(QFocusEvent* e) {
  StoreToData();
  QPlainTextEdit::focusOutEvent(e);
}

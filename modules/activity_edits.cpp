#include "modules/activity_edits.h"

#include <QPointer>
#include <QScopedValueRollback>

#include <cstring>
#include <string>

#include "blocks/form100_e4.h"
#include "modules/activity_selection.h"
#include "platform/icons.h"
#include "ui/box_field.h"
#include "ui/edit_host.h"
#include "ui/messages.h"

namespace modules {

CSelActivityEdit::CSelActivityEdit(CBoxField* box, db::CAdoConnection* connection, bool business, QWidget* parent)
    : CSelStrEdit(box, connection, parent), business_(business) {}

unsigned char* CSelActivityEdit::Row() const { return box_ ? static_cast<unsigned char*>(box_->option) : nullptr; }

bool CSelActivityEdit::HasEpigraph() const {
  const unsigned char* row = Row();
  if (!row) return false;
  // Read as a number: the leading digits and point; any digit but 0 makes it other than zero.
  const std::string_view code = f100::sec_e4::Epigraph.raw(row);
  for (char c : code) {
    if (c >= '1' && c <= '9') return true;
    if (c != '0' && c != '.') return false;
  }
  return false;
}

int CSelActivityEdit::OpenSelection(int) {
  typed_ = false;
  if (!Row()) {
    ShowMessage(QStringLiteral("WIN053"), platform::kIconExclamation);
    return 2;
  }
  return CSelStrEdit::OpenSelection(0);
}

int CSelActivityEdit::ClearSelection() {
  if (!box_ || !box_->data || box_->width <= 0) return 1;
  const blocks::Text field{box_->TextOffset(), static_cast<std::size_t>(box_->width)};
  const std::string_view code = field.raw(box_->data);
  if (code.find_first_not_of(std::string_view("\0 ", 2)) == std::string_view::npos) return 1;  // nothing to clear
  if (ui::ShowMessage(this, QStringLiteral("100P001"), platform::kIconExclamation) != kAnsAceptar) return 1;
  field.set(box_->data, std::string(static_cast<std::size_t>(box_->width), ' '));
  typed_ = false;
  return 2;
}

void CSelActivityEdit::OpenFromKeyboard() {
  if (MemberViewRefuses()) {
    Beep();
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  // As F7: a cancelled dialog leaves the row's code as it was.
  OpenAndNotify();
}

int CSelActivityEdit::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  if (ch == kChEscape) return CSelStrEdit::FilterChar(ch, repeat, flags, fromKeyboard);
  if (ch == U' ') return Clear(false);
  if (ch == kChDownArrow) {
    OpenFromKeyboard();
    return kHandled;
  }
  // An agricultural key is only chosen in the dialog; a chosen epigraph is changed there too.
  if (!business_ || HasEpigraph()) return kRefuse;
  QString shown = text();
  while (!shown.isEmpty() && (shown.back() == u' ' || shown.back() == QChar())) shown.chop(1);
  const bool digit = ch >= U'0' && ch <= U'9';
  if (ch == U'.' ? shown.size() != 3 : (!digit || shown.size() == 3)) return kRefuse;
  const int r = CEditEx::FilterChar(ch, repeat, flags, fromKeyboard);
  if (r == kAccept) typed_ = true;
  return r;
}

void CSelActivityEdit::Leave() {
  if (leaving_) return;
  const QScopedValueRollback<bool> guard(leaving_, true);
  if (!Row()) {
    ShowMessage(QStringLiteral("WIN053"), platform::kIconExclamation);
    return;
  }
  if (!business_ || !typed_) return;
  StoreToData();
  if (!HasEpigraph()) return;
  // The typed epigraph is looked up in the dialog, preselected; without a choice it is dropped.
  QPointer<CSelActivityEdit> alive(this);
  const int r = OpenSelection(0);
  if (!alive) return;
  modified_ = true;
  if (r == ui::IDOK) {
    Notify(ui::kNotifyValueStored);
  } else {
    f100::sec_e4::Epigraph.set(Row(), std::string(), '\0');
    Notify(ui::kNotifyValueCleared);
  }
  LoadFromData(1);
}

int CSelActivityEdit::CheckText(const QString&) {
  Leave();
  return kTextValid;
}

void CSelActivityEdit::focusOutEvent(QFocusEvent* e) {
  if (typed_) Leave();
  CSelStrEdit::focusOutEvent(e);
}

CEditEx* MakeActivityEdit(CBoxField& box, db::CAdoConnection* connection) {
  const std::string name = box.NombreVent.substr(0, box.NombreVent.find('*'));
  if (name == kBusinessSelection) return new CSelActivityEdit(&box, connection, true);
  if (name == kAgrarianSelection) return new CSelActivityEdit(&box, connection, false);
  return nullptr;
}

}  // namespace modules

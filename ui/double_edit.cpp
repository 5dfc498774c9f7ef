#include "ui/double_edit.h"
#include "ui/typed_text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>

#include "blocks/numtext.h"
#include "ui/session.h"

int CDoubleEdit::AmountEditWidth(int integerDigits, int decimals) {
  return decimals > 0 ? integerDigits + decimals + 2 : integerDigits + 1;
}

CDoubleEdit::CDoubleEdit(CBoxField* box, QWidget* parent) : CEditEx(box, parent) { ComputeEditWidth(); }

CDoubleEdit::CDoubleEdit(QWidget* parent) : CEditEx(parent) {}

CDoubleEdit::CDoubleEdit(int integerDigits, int decimals, QWidget* parent)
    : CDoubleEdit(integerDigits, decimals, decimals, parent) {}

CDoubleEdit::CDoubleEdit(int integerDigits, int decimals, int shownDecimals, QWidget* parent)
    : CEditEx(integerDigits, parent) {
  box_->decimals = decimals;
  box_->shownDecimals = shownDecimals;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%d.%d", "F", integerDigits, decimals);
  box_->StrValidac = buf;
  box_->NumeroDeCo = 1;
  ComputeEditWidth();
}

void CDoubleEdit::ComputeEditWidth() {
  if (!box_) return;
  editWidth_ = AmountEditWidth(box_->width, box_->decimals);
  setMaxLength(editWidth_);
}

void CDoubleEdit::SetFormat(int integerDigits, int decimals) {
  if (!box_) return;
  box_->width = integerDigits;
  box_->decimals = decimals;
  box_->shownDecimals = decimals;
  // The letter of the format stays: an amount remains an amount.
  const char letter = box_->StrValidac.empty() ? 'F' : box_->StrValidac[0];
  char buf[32];
  std::snprintf(buf, sizeof buf, "%c%d.%d", letter, integerDigits, decimals);
  box_->StrValidac = buf;
  ComputeEditWidth();
}

int CDoubleEdit::BindData(void* field) {
  CEditEx::BindData(field);
  return 8;
}

double CDoubleEdit::ParseAmountText(const QString& text) { return ui::typed::ParseAmountText(text); }

bool CDoubleEdit::IsNumericText(const QString& t) const {
  bool comma = false;
  for (qsizetype i = 0; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c.isDigit() && c.unicode() < 128) continue;
    if (i == 0 && (c == u'+' || (c == u'-' && box_ && box_->AdmitNega))) continue;
    if (c == u',' && !comma) {
      comma = true;
      continue;
    }
    return false;
  }
  return true;
}

void CDoubleEdit::UndoInvalidText() {
  if (IsNumericText(text())) return;
  undo();
  if (!IsNumericText(text())) SetTextKeep(QString());  // nothing left to undo to
  if (hasSelectedText()) del();
  Beep();
}

bool CDoubleEdit::HandleKey(int key, Qt::KeyboardModifiers mods) {
  const bool consumed = CEditEx::HandleKey(key, mods);
  UndoInvalidText();
  return consumed;
}

void CDoubleEdit::Paste() {
  if (ControlReadOnly()) return;
  insert(QApplication::clipboard()->text());
  UndoInvalidText();
}

int CDoubleEdit::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  if (ch == U'.' || ch == 0xB7) {
    OnChar(U',', Qt::NoModifier);
    return kHandled;
  }
  if (CEditEx::FilterChar(ch, repeat, flags, fromKeyboard) == kRefuse) return kRefuse;
  switch (ch) {
    case 0xBA: case 0xA1: case U'Ç': case U'Ñ': case U'ç': case U'ñ': return kRefuse;
    default: break;
  }
  const QString t = text();
  const bool negative = t.startsWith(u'-');
  const int width = box_ ? box_->width : 0;
  const int decimals = box_ ? box_->decimals : 0;
  int n = static_cast<int>(t.size());
  if (n > 1 && negative) --n;
  if (ch >= U'0' && ch <= U'9') {
    if (decimals > 0 && hasSelectedText()) return kAccept;
    const qsizetype comma = t.indexOf(u',');
    if (decimals > 0 && comma >= 0) {
      if (cursorPosition() > comma) return t.size() - comma - 1 >= decimals ? kRefuse : kAccept;
      return comma - (negative ? 1 : 0) >= width ? kRefuse : kAccept;
    }
    return n >= width ? kRefuse : kAccept;
  }
  if (ch == kChBackspace || ch == kChEscape) return kAccept;
  if (ch == U',') return decimals > 0 && !t.contains(u',') ? kAccept : kRefuse;
  if (ch == U'-') {
    if (!box_ || !box_->AdmitNega) return kRefuse;
    if (t.isEmpty()) return kAccept;
    const int selStart = selectionStart(), selLen = static_cast<int>(selectedText().size());
    const int caret = cursorPosition();
    QString nt;
    int shift;
    if (negative) {
      nt = t.mid(1);
      shift = -1;
    } else {
      nt = u'-' + t;
      shift = 1;
    }
    setText(nt);
    MarkModified();
    if (selLen > 0) setSelection(std::max(0, selStart + shift), selLen);
    else setCursorPosition(std::max(0, caret + shift));
    return kHandled;
  }
  return kRefuse;
}

int CDoubleEdit::MemberIndex() const {
  const int occ = box_ ? box_->occurrences : 0;
  const int m = doc::ShownMember();
  if (occ >= 2 && m >= 1) return m <= occ ? m - 1 : -1;
  return 0;
}

int CDoubleEdit::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  const QString t = text();
  const double v = t.isEmpty() || t.startsWith(u' ') ? 0.0 : ParseAmountText(t);
  const int idx = MemberIndex();
  if (idx < 0) return 0;
  blocks::F64{0}(static_cast<std::size_t>(idx)).set(box_->data, v);
  box_->UpdateText();
  if (modified_) doc::MarkEditedSincePrinted();
  return 1;
}

void CDoubleEdit::LoadFromData(int mode) {
  if (!box_ || !box_->data) return;
  if (ControlReadOnly() || (ownsBox_ && mode == 1)) {
    box_->FormatNumber();
    SetTextKeep(box_->displayText);
    return;
  }
  const int idx = MemberIndex();
  QString out;
  const double v = idx < 0 ? 0.0 : blocks::F64{0}(static_cast<std::size_t>(idx)).get(box_->data);
  if (v != 0.0) {
    out = QString::fromStdString(blocks::FormatFixed(v, box_->decimals)).replace(u'.', u',');
    const qsizetype comma = out.indexOf(u',');
    if (box_->decimals <= 0) {
      if (comma >= 0) out.truncate(comma);
    } else if (comma >= 0) {
      while (out.endsWith(u'0')) out.chop(1);
      if (out.endsWith(u',')) out.chop(1);
    }
  }
  SetTextKeep(out);
  setMaxLength(editWidth_);
}

void CDoubleEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (IsDialogChild()) {
    e->accept();  // no context menu inside a dialog
    return;
  }
  CEditEx::contextMenuEvent(e);
}

CMoneda::CMoneda(CBoxField* box, QWidget* parent) : CDoubleEdit(box, parent) {
  if (box_) {
    box_->ParseFormatSpec();
    ComputeEditWidth();
  }
}

CMoneda::CMoneda(int integerDigits, int decimals, QWidget* parent) : CDoubleEdit(integerDigits, decimals, parent) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%d.%d", "R", integerDigits, decimals);
  box_->StrValidac = buf;
  box_->ParseFormatSpec();
}

CDescriptionPopupDlg::CDescriptionPopupDlg(QWidget* parent) : QDialog(parent, Qt::Widget) {}

bool CDescriptionPopupDlg::Create(QWidget* parent) {
  setParent(parent, Qt::Widget);
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  const QFontMetrics fm(font());
  resize(219 * fm.averageCharWidth() / 4, 36 * fm.height() / 8);
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(1, 1, 1, 1);
  label_ = new QLabel(this);
  label_->setProperty("qx_id", kTextControl);
  label_->setFrameShape(QFrame::Box);
  label_->setWordWrap(true);
  lay->addWidget(label_);
  show();
  return true;
}

void CDescriptionPopupDlg::SetText(const QString& text) {
  if (label_) label_->setText(text);
}

QString CDescriptionPopupDlg::Text() const { return label_ ? label_->text() : QString(); }

#include "ui/edit_ex.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>


#include "blocks/numtext.h"
#include "platform/cp1252.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/sound.h"
#include "ui/messages.h"
#include "ui/session.h"

namespace {
CEditEx::CalculatorHook g_calculator;
bool g_overwrite = false;
}  // namespace

bool IsNavigationKey(int key, Qt::KeyboardModifiers mods) {
  switch (key) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_F2: case Qt::Key_F3: case Qt::Key_F4: case Qt::Key_F7: case Qt::Key_F9:
      return true;
    case Qt::Key_Left: case Qt::Key_Right:
      return (mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier);
    default:
      return false;
  }
}

CEditEx::CEditEx(CBoxField* box, QWidget* parent) : QLineEdit(parent), box_(box) {
  if (box_) editWidth_ = box_->width;
  Init();
}

CEditEx::CEditEx(QWidget* parent) : QLineEdit(parent) { Init(); }

CEditEx::CEditEx(int width, QWidget* parent) : QLineEdit(parent), box_(new CBoxField), ownsBox_(true) {
  box_->width = width;
  box_->StrValidac = std::string("S").append(std::to_string(width));
  box_->NumeroDeCo = 1;
  editWidth_ = width;
  Init();
}

CEditEx::~CEditEx() {
  if (ownsBox_) delete box_;
}

void CEditEx::Init() {
  if (editWidth_ > 0) setMaxLength(editWidth_);
  setTextMargins(1, 0, 1, 0);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QLineEdit::textChanged, this, [this] { Notify(ui::kEnChange); });
  ApplyColours(false);
}

void CEditEx::SetCalculatorHook(CalculatorHook hook) { g_calculator = std::move(hook); }
bool CEditEx::OverwriteMode() { return g_overwrite; }
void CEditEx::SetOverwriteMode(bool on) { g_overwrite = on; }

int CEditEx::BindData(void* field) {
  if (!box_) return 0;
  box_->data = field;
  setTextMargins(1, 0, 1, 0);
  return box_->width;
}

void CEditEx::ShowInvalidMessage() { ShowMessage(QStringLiteral("WIN070"), platform::kIconExclamation); }

unsigned CEditEx::GetEditStyle() const {
  unsigned s = kStyleUpperCase | kStyleWantReturn;
  const char t = box_ ? box_->TypeLetter() : 'S';
  if (t == 'S' && box_ && box_->decimals == 1) s |= kStyleMultiLine;
  else s |= kStyleAutoHScroll;
  return s;
}

char32_t FoldAccentedVowel(char32_t ch) {
  switch (ch) {
    case U'á': case U'à': case U'â': case U'ä': case U'ã': return U'a';
    case U'Á': case U'À': case U'Â': case U'Ä': case U'Ã': return U'A';
    case U'é': case U'è': case U'ê': case U'ë': return U'e';
    case U'É': case U'È': case U'Ê': case U'Ë': return U'E';
    case U'í': case U'ì': case U'î': case U'ï': return U'i';
    case U'Í': case U'Ì': case U'Î': case U'Ï': return U'I';
    case U'ó': case U'ò': case U'ô': case U'ö': case U'õ': return U'o';
    case U'Ó': case U'Ò': case U'Ô': case U'Ö': case U'Õ': return U'O';
    case U'ú': case U'ù': case U'û': case U'ü': return U'u';
    case U'Ú': case U'Ù': case U'Û': case U'Ü': return U'U';
    default: return ch;
  }
}

QString FoldAccentedVowels(const QString& text) {
  QString out = text;
  for (QChar& c : out) c = QChar(static_cast<char16_t>(FoldAccentedVowel(c.unicode())));
  return out;
}

void CEditEx::Paste() {
  if (ControlReadOnly()) return;
  insert(FoldAccentedVowels(QApplication::clipboard()->text()).toUpper());
}

void CEditEx::SetOption(void* option) {
  if (box_) box_->option = option;
}

int CEditEx::IsReadOnly() const { return box_ ? box_->SoloLectur : 0; }

int CEditEx::IsInputAllowed() const { return box_ ? box_->textFieldFlag : 0; }

void CEditEx::SetEditableInMemberView(bool editable) {
  if (box_) box_->textFieldFlag = editable ? 1 : 0;
}

int CEditEx::SetShownDecimals(int count) {
  if (!box_) return 0;
  const int prev = box_->shownDecimals;
  box_->shownDecimals = count;
  return prev;
}

bool CEditEx::HasOtherMembers() { return doc::HouseholdHasSeveralHolders(); }

bool CEditEx::MemberViewRefuses() const {
  return doc::ShownMember() != ui::kFamilyUnit && HasOtherMembers() && !IsInputAllowed();
}

bool CEditEx::BaseCharAccepted(char32_t ch) const {
  if (ch == kChBackspace || ch == kChEscape) return true;
  if (ch == U'\'') return allowApostrophe_;
  if ((ch >= U'A' && ch <= U'Z') || (ch >= U'a' && ch <= U'z') || (ch >= U'0' && ch <= U'9')) return true;
  switch (ch) {
    case U':': case U';': case U' ': case U'&': case U'-': case U'_': case U',': case U'.':
    case U'Ç': case U'Ñ': case U'ç': case U'ñ':
      return true;
    default:
      return false;
  }
}

int CEditEx::FilterChar(char32_t ch, int, int, bool) { return BaseCharAccepted(ch) ? kAccept : kRefuse; }

int CEditEx::FilterKeyDown(int key, int, int) {
  if (key == Qt::Key_Delete && MemberViewRefuses()) {
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return kRefuse;
  }
  return kAccept;
}

int CEditEx::CheckText(const QString&) { return kTextValid; }

int CEditEx::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  std::string bytes = platform::Utf8ToCp1252(text().toStdString());
  if (auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  const blocks::Text f{box_->TextOffset(), static_cast<std::size_t>(std::max(box_->width, 0))};
  f.set(box_->data, bytes);
  return 1;
}

void CEditEx::LoadFromData(int) {
  if (!box_ || !box_->data) return;
  box_->UpdateText();
  SetTextKeep(box_->displayText);
  if (editWidth_ > 0) setMaxLength(box_->width > 0 ? box_->width : editWidth_);
}

bool CEditEx::HandleKey(int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if ((ctrl && key == Qt::Key_Insert) || (ctrl && key == Qt::Key_C)) {
    copy();
    return true;
  }
  if ((shift && key == Qt::Key_Insert) || (ctrl && key == Qt::Key_V)) {
    if (ControlReadOnly()) {
      Beep();
      return true;
    }
    Paste();
    MarkModified();
    return true;
  }
  if ((shift && key == Qt::Key_Delete) || (ctrl && key == Qt::Key_X)) {
    if (!ControlReadOnly()) cut();
    MarkModified();
    return true;
  }
  if (ctrl && key == Qt::Key_Z) {
    if (isUndoAvailable()) undo();
    MarkModified();
    return true;
  }
  return false;
}

void CEditEx::SetTextKeep(const QString& t) {
  const bool m = modified_;
  if (t != text()) setText(t);
  modified_ = m;
}

void CEditEx::Notify(int code) {
  if (ui::IEditHost* h = ui::FindEditHost(this)) h->OnCommand(GetDlgCtrlID(), code);
}

void CEditEx::Beep() const { platform::MessageBeep(); }

void CEditEx::ShowMessage(const QString& code, int icon, const QString& extra) {
  ui::ShowMessage(this, code, icon, extra);
}

bool CEditEx::IsDialogChild() const {
  const ui::IEditHost* h = ui::FindEditHost(this);
  return h && h->IsDialogHost();
}

void CEditEx::SendKeyDownToHost(int key, Qt::KeyboardModifiers mods) {
  if (ui::IEditHost* h = ui::FindEditHost(this)) h->OnHostKeyDown(key, mods);
  else focusNextPrevChild(key != Qt::Key_Up);
}

void CEditEx::ApplyColours(bool focused) {
  if (ui::CurrentSession().plainColours) return;
  QPalette pal = palette();
  pal.setColor(QPalette::Active, QPalette::Base, focused ? FocusColour() : NormalColour());
  pal.setColor(QPalette::Inactive, QPalette::Base, focused ? FocusColour() : NormalColour());
  pal.setColor(QPalette::Active, QPalette::Text, Qt::black);
  pal.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
  setPalette(pal);
}

bool CEditEx::CreateInView(QWidget* view, int originX, int originY, const QFont& font) {
  if (!box_ || !view) return false;
  setParent(view);
  QRect r = box_->rect.translated(-originX, -originY).adjusted(2 + 2, 2, -2, -2);
  setGeometry(r);
  SetDlgCtrlID(box_->IndNumero);
  setFont(font);
  if (GetEditStyle() & kStyleRight) setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  styled_ = true;
  ApplyTextLimit();
  setTextMargins(1, 0, 1, 0);
  show();
  return true;
}

void CEditEx::showEvent(QShowEvent* e) {
  if (!styled_) {
    styled_ = true;
    if (GetEditStyle() & kStyleRight) setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  QLineEdit::showEvent(e);
}

void CEditEx::OpenCalculator() {
  if (!g_calculator) {
    Beep();
    return;
  }
  const std::optional<QString> res = g_calculator(this, IsNumeric() != 0);
  if (!res) return;
  QString t = *res;
  t.replace(u',', u'.');
  QString out = QString::fromStdString(blocks::FormatFixed(t.toDouble(), 2)).replace(u'.', u',');
  if (out.size() < 13) {
    setText(out);
    StoreToData();
    LoadFromData(0);
    MarkModified();
  } else {
    ShowMessage(QStringLiteral("100R147"), platform::kIconExclamation);
  }
}

void CEditEx::DataExchange(bool save) {
  if (save) {
    StoreToData();
    if (box_) box_->UpdateText();
    doc::MarkEditedSincePrinted();
  } else {
    LoadFromData(1);
  }
}

void CEditEx::TypeChar(char32_t ch) {
  if (ch == kChBackspace) {
    backspace();
    return;
  }
  QString s = QString::fromUcs4(&ch, 1).toUpper();
  if (g_overwrite && !hasSelectedText() && ch != U'-' && ch != U'.' && cursorPosition() < text().size())
    cursorForward(true, 1);
  insert(s);
}

bool CEditEx::event(QEvent* e) {
  // Tab and Shift+Tab belong to the edit (the platform's "want all keys"), not to focus chaining.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  }
  return QLineEdit::event(e);
}

namespace {
char32_t CharOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Backspace: return kChBackspace;
    case Qt::Key_Return: case Qt::Key_Enter: return kChEnter;
    case Qt::Key_Tab: case Qt::Key_Backtab: return kChTab;
    case Qt::Key_Escape: return kChEscape;
    case Qt::Key_Delete: return 0;
    default: break;
  }
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
  const QString t = e->text();
  if (t.isEmpty()) return 0;
  const char32_t c = t.toUcs4().value(0);
  return c >= 0x20 && c != 0x7F ? c : 0;
}
}  // namespace

void CEditEx::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  // Before translation: help, then the clipboard keys.
  if (key == Qt::Key_F1) {
    platform::ShowHelp(box_ ? box_->NumeroDeCo : 1);
    return;
  }
  if (HandleKey(key, mods)) return;
  if (key == Qt::Key_Down && (mods & Qt::AltModifier)) {
    FilterChar(kChDownArrow, 1, 0, true);
    return;
  }
  if (key == Qt::Key_Insert && !(mods & (Qt::ControlModifier | Qt::ShiftModifier))) {
    g_overwrite = !g_overwrite;
    return;
  }
  if (IsNavigationKey(key, mods) || key == Qt::Key_Delete || key == Qt::Key_F5) {
    OnKeyDown(e);
    return;
  }
  if (const char32_t ch = CharOf(e)) {
    OnChar(ch, mods);
    return;
  }
  // Keys that only move the caret or select: the control's own handling, flag unchanged.
  if (e->matches(QKeySequence::Redo) || e->matches(QKeySequence::DeleteEndOfLine) ||
      e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfWord) ||
      e->matches(QKeySequence::DeleteCompleteLine) || e->matches(QKeySequence::Paste) ||
      e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo))
    return;
  const bool m = modified_;
  QLineEdit::keyPressEvent(e);
  modified_ = m;
}

// Text composed through an input method (dead keys) goes through the same filter as typed keys;
// the composition itself is not shown.
void CEditEx::inputMethodEvent(QInputMethodEvent* e) {
  for (char32_t c : e->commitString().toUcs4())
    if (c >= 0x20 && c != 0x7F) OnChar(c, Qt::NoModifier);
  e->accept();
}

void CEditEx::OnKeyDown(QKeyEvent* e) {
  const int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  const int r = FilterKeyDown(key, 1, 0);
  if (r == kRefuse) {
    Beep();
    return;
  }
  if (r == kHandled) return;
  if (key == Qt::Key_Delete) {
    if (MemberViewRefuses() && !IsDialogChild()) {
      Beep();
      return;
    }
    if (ControlReadOnly()) return;
    del();
    MarkModified();
    return;
  }
  if (key == Qt::Key_F5) {
    if (MemberViewRefuses()) Beep();
    else OpenCalculator();
    return;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && !validated_) {
    const int c = CheckText(text());
    if (c == kTextInvalid) {
      ShowInvalidMessage();
      return;
    }
    validated_ = true;
    if (c == kTextLeave) return;
  }
  SendKeyDownToHost(key, mods);
}

void CEditEx::OnChar(char32_t ch, Qt::KeyboardModifiers mods) {
  ch = FoldAccentedVowel(ch);
  const bool shift = mods & Qt::ShiftModifier;
  if (ch == kChTab || ch == kChEnter) {
    Notify(ui::kNotifyEnterTab);
    const int r = CheckText(text());
    if (r == kTextInvalid) {
      ShowInvalidMessage();
      return;
    }
    validated_ = true;
    if (r == kTextLeave) return;
    ui::IEditHost* h = ui::FindEditHost(this);
    if (h && h->IsDialogHost()) {
      if (ch == kChTab) h->OnHostKeyDown(shift ? Qt::Key_Up : Qt::Key_Down, mods);
      else if (!shift) h->OnHostChar(kChEnter, mods);
    } else if (h) {
      h->OnHostChar(static_cast<int>(ch), mods);
    } else {
      focusNextPrevChild(!shift);
    }
    return;
  }
  if (ch == kChEscape) {
    FilterChar(kChEscape, 1, 0, true);
    if (ui::IEditHost* h = ui::FindEditHost(this)) h->OnHostChar(kChEscape, mods);
    return;
  }
  if (MemberViewRefuses()) {
    Beep();
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  const int r = FilterChar(ch, 1, 0, true);
  if (r == kRefuse) {
    Beep();
    return;
  }
  if (r == kHandled) return;
  validated_ = false;
  if (!ControlReadOnly()) {
    TypeChar(ch);
    MarkModified();
  }
}

void CEditEx::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  ApplyColours(true);
  Notify(ui::kEnSetFocus);
  LoadFromData(0);
  repaint();
}

void CEditEx::focusOutEvent(QFocusEvent* e) {
  QString t = text();
  if (t.contains(u'\r') || t.contains(u'\n')) {
    t.replace(u'\r', u' ').replace(u'\n', u' ');
    SetTextKeep(t);
    MarkModified();
  }
  if (!validated_) {
    const int r = CheckText(text());
    if (r == kTextInvalid) {
      Beep();
      QLineEdit::focusOutEvent(e);
      ApplyColours(false);
      return;
    }
    validated_ = true;
  }
  if (modified_) StoreToData();
  LoadFromData(1);
  if (editWidth_ > 0) setMaxLength(editWidth_);
  QLineEdit::focusOutEvent(e);
  ApplyColours(false);
  Notify(ui::kEnKillFocus);
  repaint();
}

void CEditEx::contextMenuEvent(QContextMenuEvent* e) {
  ui::IEditHost* h = ui::FindEditHost(this);
  if (!h || h->IsDialogHost()) {
    QLineEdit::contextMenuEvent(e);
    return;
  }
  const QPoint at = e->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : e->globalPos();
  h->ShowFloatingMenu(at);
}

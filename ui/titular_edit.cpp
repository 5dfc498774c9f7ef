#include "ui/titular_edit.h"

#include <QListWidget>

#include "platform/strings.h"
#include "ui/session.h"
#include "ui/template_dlg.h"

namespace ui {

char HolderLetter(int code) {
  static const char letters[] = {0, 'O', 'D', 'C', '1', '2'};
  return code >= 1 && code <= 5 ? letters[code] : 0;
}

int HolderCodeOfLetter(char32_t letter) {
  switch (letter) {
    case U'O': return kHolderCommon;
    case U'D': return kHolderDeclarant;
    case U'C': return kHolderSpouse;
    case U'1': return kHolderChild1;
    case U'2': return kHolderChild2;
    default: return -1;
  }
}

bool HolderModeAccepts(int mode, char32_t letter) {
  static const char* const accepted[] = {"ODC12", "D", "DC", "ODC", "DC12", "ODC12", "D12", "OD"};
  if (mode < 0 || mode > 7 || letter > 0x7F) return false;
  for (const char* p = accepted[mode]; *p; ++p)
    if (static_cast<char32_t>(*p) == letter) return true;
  return false;
}

QString HolderWord(int code) {
  static const int ids[] = {0, 193, 188, 190, 195, 197};
  return code >= 1 && code <= 5 ? platform::LoadString(ids[code]).toUpper() : QString();
}

bool HolderAvailable(int mode, int code) {
  if (code == kHolderNone) return true;
  const char letter = HolderLetter(code);
  if (!letter || !HolderModeAccepts(mode, static_cast<char32_t>(letter))) return false;
  if (code == kHolderCommon && !HouseholdHas(kSpouse)) return false;
  return HouseholdHas(code);  // code 1 reads the family-unit flag, 2 the declarant's ...
}

}  // namespace ui

namespace {
bool InMemberView() { return doc::ShownMember() >= ui::kDeclarant; }
}  // namespace

// The field is one byte but the edit shows a word: no character limit on the text.
CTitularEdit::CTitularEdit(CBoxField* box, QWidget* parent) : CListaEdit(box, nullptr, parent) {
  if (box_) mode_ = box_->occurrences;
  editWidth_ = 0;
  setMaxLength(32767);
}

CTitularEdit::CTitularEdit(int holderMode, QWidget* parent) : CListaEdit(1, nullptr, parent), mode_(holderMode) {
  box_->StrValidac = "T1";
  box_->width = 1;
  editWidth_ = 0;
  setMaxLength(32767);
}

int CTitularEdit::BindData(void* field) {
  CListaEdit::BindData(field);
  return 1;
}

unsigned char CTitularEdit::Code() const {
  return box_ && box_->data ? blocks::U8{0}.get(box_->data) : 0;
}

void CTitularEdit::SetCode(unsigned char code) {
  if (box_ && box_->data) blocks::U8{0}.set(box_->data, code);
}

void CTitularEdit::ShowWord(int code) {
  const QString t = code == 0 ? QString() : HolderWordShown(code);
  setText(t.toUpper());
  if (box_) box_->displayText = text();
}

QString CTitularEdit::HolderWordShown(int code) const {
  return InMemberView() ? ui::HolderWord(ui::kHolderDeclarant) : ui::HolderWord(code);
}

void CTitularEdit::LoadFromData(int) {
  if (!box_ || !box_->data) return;
  unsigned char code = Code();
  if (code > 5) {
    SetCode(0);
    code = 0;
  }
  SetTextKeep(code == 0 ? QStringLiteral(" ") : HolderWordShown(code).toUpper());
  box_->displayText = text();
}

int CTitularEdit::AskClear() {
  ui::IEditHost* h = ui::FindEditHost(this);
  return h ? h->OnCommand(GetDlgCtrlID(), ui::kNotifyValueCleared) : 1;
}

int CTitularEdit::FilterChar(char32_t ch, int, int, bool) {
  if (!box_ || !box_->data) return kRefuse;
  const char32_t c = QString::fromUcs4(&ch, 1).toUpper().toUcs4().value(0);
  const int code = ui::HolderCodeOfLetter(c);
  if (code < 0 || !ui::HolderModeAccepts(mode_, c) || (code == ui::kHolderCommon && !ui::HouseholdHas(ui::kSpouse)))
    return kRefuse;
  unsigned char stored;
  if (!InMemberView()) {
    if (!ui::HolderAvailable(mode_, code)) return kRefuse;
    stored = static_cast<unsigned char>(code);
  } else {
    if (c != U'D') return kRefuse;
    stored = static_cast<unsigned char>(doc::ShownMember());
  }
  SetCode(stored);
  ShowWord(stored);
  MarkModified();
  Notify(ui::kNotifyValueStored);
  doc::MarkEditedSincePrinted();
  if (Code() != stored) {
    ShowWord(Code());
    modified_ = false;
  }
  setText(text().toUpper());
  box_->displayText = text();
  return kHandled;
}

int CTitularEdit::SearchWithFilter(char32_t ch) {
  if (ch != U' ') return 1;
  setText(QString());
  LoadFromData(1);
  MarkModified();
  const int answer = AskClear();
  doc::MarkEditedSincePrinted();
  if (answer == 0) return 1;
  SetCode(0);
  Notify(ui::kNotifyValueStored);
  if (Code() != 0) {
    ShowWord(Code());
    modified_ = false;
    return 2;
  }
  Notify(ui::kNotifyValueStored);
  ShowWord(Code());
  if (Code() == 0) setText(QStringLiteral(" "));
  box_->displayText = text();
  return 0;
}

int CTitularEdit::FilterKeyDown(int key, int repeat, int flags) {
  const int r = CListaEdit::FilterKeyDown(key, repeat, flags);
  if (key == Qt::Key_Up || key == Qt::Key_Down) return kAccept;
  if (key == Qt::Key_Delete) return kRefuse;
  return r == kRefuse ? kRefuse : CEditEx::FilterKeyDown(key, repeat, flags);
}

int CTitularEdit::LoadTable() {
  if (!list_) return 0;
  AddLine(QString(), QStringLiteral("0"));
  if (!InMemberView()) {
    for (int code = 1; code <= 5; ++code)
      if (ui::HolderAvailable(mode_, code)) AddLine(ui::HolderWord(code), QString::number(code));
  } else {
    AddLine(ui::HolderWord(ui::kHolderDeclarant), QString::number(doc::ShownMember()));
  }
  const unsigned char code = Code();
  int selected = 0;
  if (code != ' ')
    for (int i = 0; i < list_->count(); ++i)
      if (ItemText(i).toInt() == code || (InMemberView() && code != 0 && i == 1)) selected = i;
  filling_ = true;
  list_->setCurrentRow(selected);
  filling_ = false;
  return 1;
}

int CTitularEdit::ApplySelection() {
  if (!list_) return 1;
  const int row = list_->currentRow();
  if (row < 0) return 1;
  const int code = ItemText(row).toInt();
  if (code == Code()) return 0;
  if (code == 0) {
    const QString line = list_->item(row)->text();
    CloseList();
    // The parent may refuse the clearing or put another holder; only the latter shows its word, the
    // chosen line stands otherwise until the value is reloaded.
    if (SearchWithFilter(U' ') == 2) ShowWord(Code());
    else setText(line);
    if (box_) box_->displayText = text();
    return 1;
  }
  SetCode(static_cast<unsigned char>(InMemberView() ? doc::ShownMember() : code));
  ShowWord(Code());
  MarkModified();
  doc::MarkEditedSincePrinted();
  return 1;
}

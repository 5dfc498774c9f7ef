#include "ui/sel_str_edit.h"
#include "ui/type_ahead_guard.h"

#include <map>

#include "platform/icons.h"
#include "ui/annex_dlg.h"
#include "ui/launcher_edit.h"
#include "ui/lookup_catalogue.h"
#include "ui/session.h"
#include "ui/sub_dialog_edit.h"

namespace ui {
namespace {
std::map<std::string, SelectionOpener, std::less<>>& Openers() {
  static std::map<std::string, SelectionOpener, std::less<>> o;
  return o;
}
}  // namespace

void RegisterSelectionOpener(std::string_view dialogName, SelectionOpener opener) {
  Openers()[std::string(dialogName)] = std::move(opener);
}
bool IsSelectionOpenerRegistered(std::string_view dialogName) { return Openers().find(dialogName) != Openers().end(); }
int RunSelectionOpener(std::string_view dialogName, CSelStrEdit& edit) {
  auto it = Openers().find(dialogName);
  return it == Openers().end() || !it->second ? 2 : it->second(edit);
}
}  // namespace ui

namespace {
constexpr int kNoDataString = 362;
constexpr int kNoDialogString = 363;
constexpr int kF7TipString = 359;  // "<F7> Abre la ventana de cumplimentación"
constexpr std::size_t kElementKindOffset = 21;
}  // namespace

CSelStrEdit::CSelStrEdit(CBoxField* box, db::CAdoConnection* connection, QWidget* parent)
    : CEditEx(box, parent), connection_(connection ? connection : ui::LookupConnection()) {
  const std::string part = box ? box->NombreVent : std::string();
  title_ = box ? box->TituloVent : std::string();
  n_ = std::atoi(part.c_str());
  CDialogLauncherEdit::ParseNamePart(part, name_, n_, m_);
}

CSelStrEdit::CSelStrEdit(int width, const std::string& dialogName, int rowIndex, QWidget* parent)
    : CEditEx(width, parent), name_(dialogName), row_(rowIndex), connection_(ui::LookupConnection()) {}

CSelStrEdit::~CSelStrEdit() { delete button_.data(); }

void CSelStrEdit::CreateDropButton() {
  if (ControlReadOnly() || button_) return;
  button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Dots, kF7TipString);
  connect(button_, &QToolButton::clicked, this, [this] { ButtonClicked(); });
}

void CSelStrEdit::ButtonClicked() {
  if (noOpen_) return;
  const int shown = doc::ShownMember();
  const bool exempt = name_ == "IDD_NOMAPE" || name_ == "IDD_CAMBIODOMICILIO" || name_ == "IDD_DATOSHIJO";
  if (shown != ui::kNoDeclaration && shown != ui::kFamilyUnit && HasOtherMembers() && !exempt) {
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  OpenAndNotify();
}

int CSelStrEdit::OpenAndNotify() {
  // The page may drop its editor while a selection dialog runs: nothing more is done on it then.
  QPointer<CSelStrEdit> alive(this);
  if (OpenSelection(0) == 1 && alive) {
    MarkModified();
    Notify(ui::kNotifyValueStored);
    LoadFromData(1);
  }
  return 2;
}

int CSelStrEdit::OpenSelection(int) {
  if (!box_ || !box_->option) {
    ui::ShowPlainMessage(this, kNoDataString);
    return 1;
  }
  if (name_.empty()) {
    ui::ShowPlainMessage(this, kNoDialogString);
    return 1;
  }
  int result = 2;
  if (name_ == "IDD_TIPOELEMPATRIM") {
    auto* list = static_cast<ui::AnnexPointerList*>(box_->option);
    std::unique_ptr<ui::IAnnexDialog> dlg = ui::CreateAnnexDialog("CTipoelempatrimDlg", {this, 0, 0});
    if (!dlg || !list->block) {
      ShowMessage(QStringLiteral("WIN1102"), platform::kIconExclamation, QString::fromStdString(name_));
      return 1;
    }
    auto* kind = static_cast<std::uint8_t*>(list->block) + kElementKindOffset;
    dlg->AnnexBlock()[0] = *kind;
    result = dlg->Dialog().DoModal();
    if (result == ui::IDOK) *kind = dlg->AnnexBlock()[0];
  } else if (ui::IsSelectionOpenerRegistered(name_)) {
    QPointer<CSelStrEdit> alive(this);
    result = ui::RunSelectionOpener(name_, *this);
    if (!alive) return result;
  } else if (name_ == "IDD_EPIGRAFE" || name_ == "IDD_DATOSHIJO" || name_ == "IDD_CAMBIODOMICILIO") {
    ShowMessage(QStringLiteral("WIN1102"), platform::kIconExclamation, QString::fromStdString(name_));
    return 1;
  }
  if (result == ui::IDOK) {
    MarkModified();
    if (name_ != "IDD_DATOSHIJO" && name_ != "IDD_TIPOELEMPATRIM") Notify(ui::kNotifyValueCleared);
    Notify(ui::kNotifySubDialogValue);
  }
  setFocus();
  return result;
}

int CSelStrEdit::Clear(bool fromDelete) {
  int r = ClearSelection();
  if (fromDelete && name_ == "IDD_DATOSHIJO") r = 0;
  if (r != 0 && r != 2) return kRefuse;
  Notify(ui::kNotifyValueCleared);
  LoadFromData(1);
  return fromDelete && name_ == "IDD_DATOSHIJO" ? kAccept : kHandled;
}

int CSelStrEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch == kChEscape) return kRefuse;
  if (ch == U' ') return Clear(false);
  const ui::TypeAheadGuard typedAhead;
  if (MemberViewRefuses()) ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
  OpenAndNotify();
  return kHandled;
}

int CSelStrEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_F7) {
    if (MemberViewRefuses()) {
      ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
      return kHandled;
    }
    OpenAndNotify();
    return kHandled;
  }
  if (key == Qt::Key_Delete) {
    if (doc::ShownMember() != ui::kFamilyUnit && HasOtherMembers()) return kRefuse;
    return Clear(true);
  }
  return CEditEx::FilterKeyDown(key, repeat, flags);
}

bool CSelStrEdit::HandleKey(int key, Qt::KeyboardModifiers mods) { return ui::HandleNoTypingKey(this, key, mods); }

void CSelStrEdit::mouseDoubleClickEvent(QMouseEvent*) {
  setFocus();
  if (!noOpen_) OpenAndNotify();
}

int CSelEpigraf::ClearSelection() {
  if (box_ && box_->data && box_->width > 0)
    blocks::Text{box_->TextOffset(), static_cast<std::size_t>(box_->width)}.clear(box_->data);
  return 2;
}

#include "ui/launcher_edit.h"
#include "ui/type_ahead_guard.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/icons.h"
#include "ui/annex_dlg.h"
#include "ui/launch_table.h"
#include "ui/messages.h"
#include "ui/session.h"
#include "ui/template_dlg.h"

namespace {
constexpr int kOpenTipString = 358;  // "Pulse cualquier tecla para abrir la ventana de cumplimentación"

// The integer value of the text's leading digits (with an optional sign); 0 when there are none.
int LeadingInt(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  int v = 0;
  std::from_chars(s.data() + i, s.data() + s.size(), v);
  return v;
}

ui::WizardOpener& WizardOpenerSlot() {
  static ui::WizardOpener opener;
  return opener;
}

// The block that an annex pointer designates: the pointer itself or item 0 of its list.
void* BlockOf(void* annex, const ui::LaunchEntry& e) {
  if (!annex || e.list == ui::LaunchList::None) return annex;
  return static_cast<ui::AnnexPointerList*>(annex)->block;
}
}  // namespace

void ui::SetWizardOpener(WizardOpener opener) { WizardOpenerSlot() = std::move(opener); }

void CDialogLauncherEdit::ParseNamePart(const std::string& part, std::string& name, int& n, int& m) {
  const auto star = part.find('*');
  if (star == std::string::npos) {
    name = part;
    return;
  }
  name = part.substr(0, star);
  const std::string rest = part.substr(star + 1);
  const auto star2 = rest.find('*');
  if (star2 == std::string::npos) {
    n = LeadingInt(rest);
    m = 0;
    return;
  }
  n = LeadingInt(rest.substr(0, star2));
  const std::string after = rest.substr(star2 + 1);
  m = !after.empty() && after[0] >= '0' && after[0] <= '9' ? after[0] - '0' : 0;
}

CDialogLauncherEdit::CDialogLauncherEdit(CBoxField* box, QWidget* parent) : CDoubleEdit(box, parent) {
  const std::string part = box ? box->NombreVent : std::string();
  title_ = box ? box->TituloVent : std::string();
  InitDescriptor(part, LeadingInt(part));
}

CDialogLauncherEdit::CDialogLauncherEdit(int integerDigits, int decimals, const std::string& descriptor, QWidget* parent)
    : CDoubleEdit(integerDigits, decimals, parent) {
  const auto semi = descriptor.find(';');
  title_ = semi == std::string::npos ? std::string() : descriptor.substr(semi + 1);
  InitDescriptor(descriptor.substr(0, semi), -1);
}

void CDialogLauncherEdit::InitDescriptor(const std::string& part, int defaultN) {
  n_ = defaultN;
  m_ = 0;
  ParseNamePart(part, name_, n_, m_);
}

CDialogLauncherEdit::~CDialogLauncherEdit() { delete button_.data(); }

void CDialogLauncherEdit::CreateBrowseButton() {
  if (ControlReadOnly() || button_) return;
  button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Dots, kOpenTipString);
  connect(button_, &QToolButton::clicked, this, [this] { Launch(); });
}

int CDialogLauncherEdit::PrepareDialog(CTemplateDlg& dlg, bool withOccurrences) {
  if (!title_.empty()) dlg.caption = QString::fromStdString(title_);
  if (withOccurrences && box_) dlg.occurrences = box_->occurrences;
  dlg.shownMember = doc::ShownMember();
  dlg.hasOtherMembers = doc::HouseholdHasSeveralHolders() ? 1 : 0;
  if (dlg.shownMember != ui::kFamilyUnit && dlg.hasOtherMembers)
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
  return 1;
}

int CDialogLauncherEdit::RunEntry(const ui::LaunchEntry& e) {
  if (e.kind == ui::LaunchKind::Nothing) return ui::kLaunchNothing;
  if (e.kind == ui::LaunchKind::Wizard) {
    const ui::WizardOpener& open = WizardOpenerSlot();
    return open ? open(e, m_, BlockOf(box_ ? box_->option : nullptr, e)) : ui::kLaunchNotBuilt;
  }
  if (e.kind == ui::LaunchKind::Standard && std::strcmp(e.name, "IDD_DEPORTISTAS") == 0 && m_ == 0) m_ = 4;
  ui::AnnexArgs args;
  switch (e.args) {
    case ui::LaunchArgs::Parent: args.parent = this; break;
    case ui::LaunchArgs::ParentM: case ui::LaunchArgs::ParentM0: args.parent = this; args.holderMode = m_; break;
    case ui::LaunchArgs::Parent0: args.parent = this; break;
    case ui::LaunchArgs::NoParentM: args.holderMode = m_; break;
    case ui::LaunchArgs::NoParent: case ui::LaunchArgs::None: break;
  }
  std::unique_ptr<ui::IAnnexDialog> dlg =
      e.kind == ui::LaunchKind::Standard && e.className ? ui::CreateAnnexDialog(e.className, args) : nullptr;
  if (!dlg) return ui::kLaunchNotBuilt;
  void* annex = box_ ? box_->option : nullptr;
  std::uint8_t* block = static_cast<std::uint8_t*>(BlockOf(annex, e));
  const std::span<std::uint8_t> copy = dlg->AnnexBlock();
  std::size_t bytes = std::min(copy.size(), static_cast<std::size_t>(std::max(e.bytes, 0)));
  if (e.list != ui::LaunchList::None && annex) {
    const std::int32_t held = static_cast<ui::AnnexPointerList*>(annex)->size;
    if (held > 0) bytes = std::min(bytes, static_cast<std::size_t>(held));
  }
  if (block) std::memcpy(copy.data(), block, bytes);
  PrepareDialog(dlg->Dialog(), std::strcmp(e.name, "IDD_CUENVIVI") != 0);
  if (e.list != ui::LaunchList::None && annex) dlg->SetListItems(*static_cast<ui::AnnexPointerList*>(annex));
  if (e.variant) dlg->Dialog().index = n_;
  const int result = dlg->Dialog().DoModal();
  if (result == ui::IDOK && block) std::memcpy(block, dlg->AnnexBlock().data(), bytes);
  return result;
}

int CDialogLauncherEdit::Launch() {
  const int id = ui::FindDialogId(name_);
  if (!box_ || !box_->option) {
    ui::ShowMessage(nullptr, QStringLiteral("WIN052"), platform::kIconExclamation);
    return 1;
  }
  const ui::LaunchEntry* entry = id < 0 ? nullptr : ui::FindLaunchEntry(id);
  if (!entry) {
    ShowMessage(QStringLiteral("WIN011"), platform::kIconExclamation);
    return 1;
  }
  // The page may replace its editor while the dialog runs (a recalculation rebuilds the boxes).
  const QPointer<CDialogLauncherEdit> self(this);
  const int result = RunEntry(*entry);
  if (!self) return 2;
  if (result == ui::kLaunchNotBuilt) {
    ShowMessage(QStringLiteral("WIN1102"), platform::kIconExclamation, QString::fromStdString(name_));
    return 1;
  }
  if (result == ui::IDOK) {
    MarkModified();
    Notify(ui::kNotifySubDialogValue);
  }
  setFocus();
  return 2;
}

int CDialogLauncherEdit::FilterChar(char32_t, int, int, bool) {
  const ui::TypeAheadGuard typedAhead;
  return Launch() == 2 ? kHandled : kRefuse;
}

int CDialogLauncherEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Delete) return kRefuse;
  // F7 opens the dialog as on every box that opens a window.
  if (key == Qt::Key_F7) return Launch() == 2 ? kHandled : kRefuse;
  return CDoubleEdit::FilterKeyDown(key, repeat, flags);
}

bool CDialogLauncherEdit::HandleKey(int key, Qt::KeyboardModifiers mods) { return ui::HandleNoTypingKey(this, key, mods); }

void CDialogLauncherEdit::LoadFromData(int mode) {
  const bool m = modified_;
  CDoubleEdit::LoadFromData(mode);
  modified_ = m;
}

void CDialogLauncherEdit::mouseDoubleClickEvent(QMouseEvent*) { Launch(); }

#include "ui/sub_dialog_edit.h"
#include "ui/type_ahead_guard.h"


#include <cstring>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/annex_dlg.h"
#include "ui/launcher_edit.h"
#include "ui/messages.h"

namespace ui {

namespace {
constexpr SubDialogEntry kSubDialogs[] = {
    {"IDD_IGLESIAS", 168, "CIglesiasDlg", SubDialogData::OneField5},
    {"IDD_IGLESIASNO", 240, "CIglesiasnoDlg", SubDialogData::OneField5},
    {"IDD_DECCOMP", 12, "CDeccompDlg", SubDialogData::Block10},
    {"IDD_BORRADOR", 24, "CBorradorDlg", SubDialogData::OneField5},
    {"IDD_DISCONFORMIDAD", 25, "CDisconformidadDlg", SubDialogData::Block368},
    {"IDD_CAMBPDF", 29, "CCambpdfDlg", SubDialogData::TwoFields5},
    {"IDD_CERTIFICADO", 23, "CCertificadoDlg", SubDialogData::OneField5},
    {"IDD_DFDISCONF", 104, "CDfdisconfDlg", SubDialogData::Block72},
};
}  // namespace

std::span<const SubDialogEntry> SubDialogTable() { return kSubDialogs; }

const SubDialogEntry* FindSubDialog(std::string_view name) {
  for (const SubDialogEntry& e : kSubDialogs)
    if (name == e.name) return &e;
  return nullptr;
}

void ShowPlainMessage(QWidget* parent, int stringId) {
  ShowPlain(parent, QString(), platform::LoadString(stringId), platform::kIconAsterisk, PlainButtons::Ok, stringId);
}

}  // namespace ui

namespace {
constexpr int kNoDataString = 362;       // "No existe dato a editar"
constexpr int kNoDialogString = 363;     // "No existe esa caja de dialogo registrada"
constexpr int kOpenTipString = 358;
}  // namespace

CSubDialogEdit::CSubDialogEdit(CBoxField* box, QWidget* parent) : CBoxEdit(box, parent) {
  const std::string part = box ? box->NombreVent : std::string();
  title_ = box ? box->TituloVent : std::string();
  n_ = std::atoi(part.c_str());
  CDialogLauncherEdit::ParseNamePart(part, name_, n_, m_);
}

CSubDialogEdit::CSubDialogEdit(int width, const std::string& dialogName, QWidget* parent)
    : CBoxEdit(width, parent), name_(dialogName), title_(dialogName) {}

CSubDialogEdit::~CSubDialogEdit() { delete button_.data(); }

void CSubDialogEdit::CreateOpenButton() {
  if (ControlReadOnly() || button_) return;
  button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Dots, kOpenTipString);
  connect(button_, &QToolButton::clicked, this, [this] { OpenSubDialog(); });
}

int CSubDialogEdit::OpenSubDialog() {
  const ui::SubDialogEntry* e = ui::FindSubDialog(name_);
  void* option = box_ ? box_->option : nullptr;
  if (!option) {
    ui::ShowPlainMessage(this, kNoDataString);
    return 1;
  }
  if (!e) {
    ui::ShowPlainMessage(this, kNoDialogString);
    return 1;
  }
  std::unique_ptr<ui::IAnnexDialog> dlg = ui::CreateAnnexDialog(e->className, {this, 0, 0});
  if (!dlg) {
    ShowMessage(QStringLiteral("WIN1102"), platform::kIconExclamation, QString::fromStdString(name_));
    return 1;
  }
  const std::span<std::uint8_t> b = dlg->AnnexBlock();
  auto exchange = [&](bool in) {
    auto move = [&](void* field, std::size_t at, std::size_t n) {
      if (!field || b.size() < at + n) return;
      if (in) std::memcpy(b.data() + at, field, n);
      else std::memcpy(field, b.data() + at, n);
    };
    switch (e->data) {
      case ui::SubDialogData::OneField5: move(option, 0, 5); break;
      case ui::SubDialogData::TwoFields5: {
        const auto* pair = static_cast<ui::FieldPair*>(option);
        move(pair->first, 0, 5);
        move(pair->second, 5, 5);
        break;
      }
      case ui::SubDialogData::Block368: move(option, 0, 368); break;
      case ui::SubDialogData::Block72: move(option, 0, 72); break;
      case ui::SubDialogData::Block10: move(option, 0, 10); break;
    }
  };
  exchange(true);
  if (std::strcmp(e->name, "IDD_BORRADOR") == 0) dlg->Dialog().caption = QString::fromStdString(title_);
  if (dlg->Dialog().DoModal() == ui::IDOK) {
    exchange(false);
    MarkModified();
    Notify(ui::kNotifySubDialogValue);
  }
  setFocus();
  return 2;
}

void CSubDialogEdit::LoadFromData(int mode) {
  const bool m = modified_;
  CBoxEdit::LoadFromData(mode);
  modified_ = m;
}

int CSubDialogEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch == kChBackspace) return kRefuse;
  if (ch == kChEscape) return kAccept;
  const ui::TypeAheadGuard typedAhead;
  OpenSubDialog();
  return kHandled;
}

int CSubDialogEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Delete && name_ != "IDD_IGLESIAS") return kRefuse;
  return CBoxEdit::FilterKeyDown(key, repeat, flags);
}

bool CSubDialogEdit::HandleKey(int key, Qt::KeyboardModifiers mods) { return ui::HandleNoTypingKey(this, key, mods); }

void CSubDialogEdit::mouseDoubleClickEvent(QMouseEvent*) { OpenSubDialog(); }

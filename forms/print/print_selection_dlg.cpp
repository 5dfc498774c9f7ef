#include "forms/print/print_selection_dlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

#include <array>

#include "data/message_service.h"
#include "platform/strings.h"

namespace forms {

namespace {
using ui::Ctl;
using D = CSeleccionImpresionDlg;

constexpr int kCaption100 = 99350, kCaption714 = 99351;
constexpr int kPageText100 = 99352;  // pages 0 to 17
constexpr int kPageText714 = 99370;  // pages 1 to 11
constexpr int kMarkAllText = 99381, kUnmarkAllText = 99382, kExtraCopyText = 99383, kInstallText = 99384;
constexpr int kPartialRefused = 99385;
constexpr int kAttention = 99386;
constexpr int kEnvelope = 99387, kDotCode100 = 99388, kCorrections = 99389, kDontForget = 99390, kSign = 99391,
              kIdentityCopy = 99392, kDotCode714 = 99393, kDefaultPrinter = 99394;
constexpr int kPrinterLabelText = 96207;  // "Impresora:"
constexpr int kMarksGroup = 1;
constexpr int kHelpText = 91001;  // "Ay&uda"

// Pages that every print of form 100 carries: they cannot be left out.
constexpr bool AlwaysPrinted100(int index) {
  return index == 0 || index == 1 || index == 10 || index == 11 || index == 12 || index == 17;
}

// The page boxes, then the mark radios, the extra copy, the printer and the buttons.
template <int First, int Count, int TextId>
constexpr std::array<ui::ControlDef, Count + 9> SelectionControls() {
  std::array<ui::ControlDef, Count + 9> c{};
  for (int i = 0; i < Count; ++i)
    c[i] = {.id = D::kFirstPage + First + i, .kind = Ctl::CheckBox, .textId = TextId + i, .row = i, .col = 0,
            .colSpan = 3};
  c[Count] = {.id = D::kMarkAll, .kind = Ctl::Radio, .textId = kMarkAllText, .row = Count, .col = 0,
              .radioGroup = kMarksGroup};
  c[Count + 1] = {.id = D::kUnmarkAll, .kind = Ctl::Radio, .textId = kUnmarkAllText, .row = Count, .col = 1,
                  .radioGroup = kMarksGroup};
  c[Count + 2] = {.id = D::kExtraCopy, .kind = Ctl::CheckBox, .textId = kExtraCopyText, .row = Count + 1, .col = 0,
                  .colSpan = 3};
  c[Count + 3] = {.id = D::kPrinterLabel, .kind = Ctl::Static, .textId = kPrinterLabelText, .row = Count + 2, .col = 0};
  c[Count + 4] = {.id = D::kPrinterName, .kind = Ctl::Legend, .row = Count + 2, .col = 1};
  c[Count + 5] = {.id = D::kPrinterButton, .kind = Ctl::Button, .textId = kInstallText, .row = Count + 2, .col = 2};
  c[Count + 6] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = Count + 3, .col = 0};
  c[Count + 7] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = Count + 3, .col = 1};
  c[Count + 8] = {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = kHelpText, .row = Count + 3, .col = 2};
  return c;
}

constexpr auto kControls100 = SelectionControls<0, 18, kPageText100>();
constexpr auto kControls714 = SelectionControls<1, 11, kPageText714>();
constexpr ui::DialogTemplate kTemplate100{.id = D::kId, .captionId = kCaption100, .controls = kControls100,
                                         .helpTopic = kPrintHelpTopic};
constexpr ui::DialogTemplate kTemplate714{.id = CSeleccionImpresion714Dlg::kId, .captionId = kCaption714,
                                         .controls = kControls714, .helpTopic = kPrintHelpTopic};

constexpr ui::ControlDef kAttention100[] = {
    {.kind = Ctl::Static, .textId = kEnvelope, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = kDotCode100, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = kCorrections, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = kDontForget, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = kSign, .row = 4, .col = 0},
    {.kind = Ctl::Static, .textId = kIdentityCopy, .row = 5, .col = 0},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
};
constexpr ui::ControlDef kAttention714[] = {
    {.kind = Ctl::Static, .textId = kEnvelope, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = kDotCode714, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = kCorrections, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = kDontForget, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = kSign, .row = 4, .col = 0},
    {.kind = Ctl::Static, .textId = kIdentityCopy, .row = 5, .col = 0},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
};
constexpr ui::DialogTemplate kAttentionTemplate100{.id = CAtencion100Dlg::kId, .captionId = kAttention,
                                                   .controls = kAttention100};
constexpr ui::DialogTemplate kAttentionTemplate714{.id = CAtencion714Dlg::kId, .captionId = kAttention,
                                                   .controls = kAttention714};
}  // namespace

D::CSeleccionImpresionDlg(Declaration declaration, QWidget* parent)
    : CSeleccionImpresionDlg(kTemplate100, 100, std::move(declaration), parent) {}

D::CSeleccionImpresionDlg(const ui::DialogTemplate& tmpl, int form, Declaration declaration, QWidget* parent)
    : CTemplateDlg(tmpl, parent), form_(form), declaration_(std::move(declaration)) {}

CSeleccionImpresion714Dlg::CSeleccionImpresion714Dlg(Declaration declaration, QWidget* parent)
    : CSeleccionImpresionDlg(kTemplate714, 714, std::move(declaration), parent) {}

bool D::Checked(int id) const {
  auto* b = Item<QAbstractButton>(id);
  return b && b->isChecked();
}

void D::Check(int id, bool on) {
  if (auto* b = Item<QAbstractButton>(id)) {
    // Neither mark radio is checked while the pages differ: a group must let both go.
    QButtonGroup* group = b->group();
    const bool groupExclusive = group && group->exclusive();
    if (group) group->setExclusive(false);
    const bool exclusive = b->autoExclusive();
    b->setAutoExclusive(false);
    b->setChecked(on);
    b->setAutoExclusive(exclusive);
    if (group) group->setExclusive(groupExclusive);
  }
}

void D::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  for (int i = FirstIndex(); i <= LastIndex(); ++i) {
    const bool on = (form_ == 100 && AlwaysPrinted100(i)) || (declaration_.inUse && declaration_.inUse(i));
    Check(PageBox(i), on);
    if (QWidget* w = GetDlgItem(PageBox(i))) w->setEnabled(on);
  }
  printerName = declaration_.printerName;
  if (auto* name = Item<QLabel>(kPrinterName))
    name->setText(printerName.isEmpty() ? platform::LoadString(kDefaultPrinter) : printerName);
  Check(kMarkAll, true);
  Check(kUnmarkAll, false);
  if (QWidget* b = GetDlgItem(kPrinterButton)) b->setEnabled(!declaration_.remote && declaration_.choosePrinter);
}

void D::CheckEnabledPages(bool on) {
  for (int i = FirstIndex(); i <= LastIndex(); ++i)
    if (QWidget* w = GetDlgItem(PageBox(i)); w && w->isEnabled()) Check(PageBox(i), on);
}

bool D::RefusePartial() {
  if (declaration_.partialAllowed) return false;
  const std::string text = platform::LoadString(kPartialRefused).toStdString();
  if (declaration_.messages) declaration_.messages->Notice(text);
  CheckEnabledPages(true);
  Check(kMarkAll, true);
  Check(kUnmarkAll, false);
  return true;
}

void D::ShowMarkState() {
  int on = 0, enabled = 0;
  for (int i = FirstIndex(); i <= LastIndex(); ++i) {
    QWidget* w = GetDlgItem(PageBox(i));
    if (!w || !w->isEnabled()) continue;
    ++enabled;
    if (Checked(PageBox(i))) ++on;
  }
  Check(kMarkAll, on == enabled);
  Check(kUnmarkAll, on == 0);
}

bool D::OnButton(int id) {
  if (id == kMarkAll) {
    CheckEnabledPages(true);
    ShowMarkState();
    return true;
  }
  if (id == kUnmarkAll) {
    if (!RefusePartial()) {
      CheckEnabledPages(false);
      ShowMarkState();
    }
    return true;
  }
  if (id == kPrinterButton) {
    if (declaration_.choosePrinter) {
      const QString chosen = declaration_.choosePrinter();
      if (!chosen.isEmpty()) {
        printerName = chosen;
        if (auto* name = Item<QLabel>(kPrinterName)) name->setText(chosen);
      }
    }
    return true;
  }
  if (id >= PageBox(FirstIndex()) && id <= PageBox(LastIndex())) {
    if (!RefusePartial()) ShowMarkState();
    return true;
  }
  return false;
}

void D::OnOK() {
  flags = {};
  for (int i = FirstIndex(); i <= LastIndex(); ++i) flags[static_cast<std::size_t>(i)] = Checked(PageBox(i)) ? 1 : 0;
  // The payment document's second sheet goes with its first.
  const std::size_t last = static_cast<std::size_t>(LastIndex());
  flags[last + 1] = flags[last];
  copiesMode = Checked(kExtraCopy) ? 2 : 1;
  if (Checked(kUnmarkAll)) {
    done(ui::IDCANCEL);
    return;
  }
  CTemplateDlg::OnOK();
}

CAtencion100Dlg::CAtencion100Dlg(QWidget* parent) : CTemplateDlg(kAttentionTemplate100, parent) {}
CAtencion714Dlg::CAtencion714Dlg(QWidget* parent) : CTemplateDlg(kAttentionTemplate714, parent) {}

}  // namespace forms

#include "wizards/datos_fiscales_dlg148.h"

#include <QAbstractButton>
#include <QLabel>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "ui/dialog_template.h"
#include "ui/edit_host.h"
#include "wizards/asistente_datos_fiscales.h"
#include "wizards/obtencion_datos_fiscales_dlg.h"

namespace {

using ui::Ctl;
using Sel = CSeleccionDeclarantesDlg;
using Entry = CDatosFiscalesDlg148;

constexpr int kStrWizardCaption = 98121;  // "Datos Fiscales"
constexpr int kWidth = 640;

constexpr ui::ControlDef kSelectionControls[] = {
    {.id = Sel::kIdFirstLabel, .kind = Ctl::Static, .textId = 98171, .row = 0, .col = 0},
    {.id = Sel::kIdDeclarant, .kind = Ctl::Button, .textId = 98175, .row = 0, .col = 1},
    {.id = Sel::kIdFirstLabel + 1, .kind = Ctl::Static, .textId = 98172, .row = 1, .col = 0},
    {.id = Sel::kIdSpouse, .kind = Ctl::Button, .textId = 98175, .row = 1, .col = 1},
    {.id = Sel::kIdFirstLabel + 2, .kind = Ctl::Static, .textId = 98173, .row = 2, .col = 0},
    {.id = Sel::kIdChild1, .kind = Ctl::Button, .textId = 98175, .row = 2, .col = 1},
    {.id = Sel::kIdFirstLabel + 3, .kind = Ctl::Static, .textId = 98174, .row = 3, .col = 0},
    {.id = Sel::kIdChild2, .kind = Ctl::Button, .textId = 98175, .row = 3, .col = 1},
    {.id = Sel::kIdExit, .kind = Ctl::Button, .textId = 98176, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kSelectionTemplate{.id = Sel::IDD, .captionId = 98170, .controls = kSelectionControls};

constexpr ui::ControlDef kEntryControls[] = {
    {.kind = Ctl::Static, .textId = 98164, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 98165, .row = 1, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 98166, .row = 2, .col = 0, .colSpan = 3},
    {.id = Entry::kIdImport, .kind = Ctl::Button, .textId = 98161, .row = 3, .col = 0},
    {.id = Entry::kIdDirect, .kind = Ctl::Button, .textId = 98162, .row = 3, .col = 1},
    {.id = Entry::kIdHelp, .kind = Ctl::Button, .textId = 98163, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kEntryTemplate{.id = Entry::IDD, .captionId = 98160, .controls = kEntryControls};

void ConnectButtons(QDialog* dialog, const std::function<void(int)>& onClick) {
  for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
    const int id = ui::ControlId(b);
    QObject::connect(b, &QAbstractButton::clicked, dialog, [onClick, id] { onClick(id); });
  }
}

std::string NifText(std::string_view raw) {
  std::string s(raw.substr(0, 9));
  if (const auto end = s.find('\0'); end != std::string::npos) s.resize(end);
  return s;
}

}  // namespace

// ---------------------------------------------------------------- member selection

CSeleccionDeclarantesDlg::CSeleccionDeclarantesDlg(bool joint, QWidget* parent) : QDialog(parent), joint_(joint) {
  ui::BuildTemplate(this, kSelectionTemplate);
  ConnectButtons(this, [this](int id) {
    if (id == kIdExit) QDialog::done(kIdExit);
    else OnMember(id);
  });
}

void CSeleccionDeclarantesDlg::OnInitDialog() {
  if (!joint_) spousePresent = child1Present = child2Present = false;
  const bool present[] = {true, spousePresent, child1Present, child2Present};
  for (int m = 0; m < 4; ++m)
    if (QWidget* b = ui::FindControl(this, kIdDeclarant + m)) b->setEnabled(present[m] && !done[static_cast<std::size_t>(m)]);
}

void CSeleccionDeclarantesDlg::OnMember(int id) {
  const int m = id - kIdDeclarant;
  if (m < 0 || m > 3) return;
  if (const auto* label = qobject_cast<QLabel*>(ui::FindControl(this, kIdFirstLabel + m))) memberLabel = label->text();
  QDialog::done(kFirstResult + m);
}

// ---------------------------------------------------------------- entry dialog

CDatosFiscalesDlg148::CDatosFiscalesDlg148(const fiscal::ImportEnvironment& environment, QWidget* parent)
    : QDialog(parent), env_(environment) {
  if (!env_.session) env_.session = &ownSession_;
  ui::BuildTemplate(this, kEntryTemplate);
  // The explanation reads as paragraphs of the dialog's width.
  for (QLabel* label : findChildren<QLabel*>()) label->setWordWrap(true);
  setFixedWidth(kWidth);
  ConnectButtons(this, [this](int id) {
    if (id == kIdImport) OnOK();
    else if (id == kIdDirect) reject();
    else if (id == kIdHelp) OnHelp();
  });
  OnInitDialog();
}

void CDatosFiscalesDlg148::OnInitDialog() {
  env_.session->fundCount = 0;
  env_.session->disabledNifCount = 0;
}

void CDatosFiscalesDlg148::OnHelp() { platform::ShowHelp(kHelpTopic); }

std::pair<std::string, std::string> CDatosFiscalesDlg148::ChildNifs(std::span<const std::uint8_t> block) {
  namespace D = f100::descendant_entry;
  std::pair<std::string, std::string> nifs;
  if (block.size() < f100::kBlockSize) return nifs;
  const std::uint8_t* family = f100::record(block.data(), f100::Family);
  for (int i = 0; i < D::kCount; ++i) {
    const std::uint8_t* entry = family + f100::family_wizard::Descendants.off + D::kSize * static_cast<std::size_t>(i);
    if (D::H1.get(entry) == 1) nifs.first = NifText(D::Nif.raw(entry));
    if (D::H2.get(entry) == 1) nifs.second = NifText(D::Nif.raw(entry));
  }
  return nifs;
}

void CDatosFiscalesDlg148::EndEntryDialog() {
  if (ended_) return;
  ended_ = true;
  QDialog::done(QDialog::Accepted);
}

CDatosFiscalesDlg148::Outcome CDatosFiscalesDlg148::ImportMember(int member, const QString& nif, const QString& label,
                                                                 int householdRegion,
                                                                 CSeleccionDeclarantesDlg* selection) {
  CObtencionDatosFiscalesDlg download(nullptr);
  download.nif = nif;
  download.memberLabel = label;
  download.productVersion = env_.productVersion;
  const fiscal::ImportEnvironment* env = &env_;
  download.declarantNif = [env] { return QString::fromStdString(NifText(env->MemberNif(1))); };
  download.EnsureCreated();
  int result = env_.RunModal(download);
  for (;;) {
    if (result != CObtencionDatosFiscalesDlg::kFileChosen) return Outcome::Other;
    if (selection) selection->done[static_cast<std::size_t>(member - 1)] = true;
    bool failed = true;
    CAsistenteDatosFiscales wizard(platform::LoadString(kStrWizardCaption), download.GetFilePath(), failed, env_);
    if (failed) return Outcome::Refused;
    wizard.SetMember(member, env_.Region(member), householdRegion);
    EndEntryDialog();
    wizard.HeaderFlags() |= CAsistente::kPshWizard;
    wizard.EnsureCreated();
    const int answer = env_.RunModal(wizard);
    if (answer == CAsistente::kIdWizFinish) return Outcome::Finished;
    if (answer == CAsistente::kIdCancel) return Outcome::Cancelled;
    result = env_.RunModal(download);
  }
}

void CDatosFiscalesDlg148::OnOK() {
  if (env_.block.size() < f100::kBlockSize) return;
  const auto [child1, child2] = ChildNifs(env_.block);
  const std::uint8_t* personal = f100::record(env_.block.data(), f100::Personal);
  const std::uint8_t* family = f100::record(env_.block.data(), f100::Family);
  const bool spouse = f100::wizard_personal::CivilStatus.get(personal) == 1 &&
                      f100::family_wizard::NonResidentSpouse.get(family) == 0;
  env_.session->spouseRegimeUsed = false;
  env_.session->ClearFunds();
  const int household = env_.Region(0);

  if (!spouse && child1.empty() && child2.empty()) {
    ImportMember(1, QString(), QString(), household, nullptr);
    EndEntryDialog();
    return;
  }
  CSeleccionDeclarantesDlg selection(env_.joint, nullptr);
  selection.spousePresent = spouse;
  selection.child1Present = !child1.empty();
  selection.child2Present = !child2.empty();
  const std::string nifs[] = {NifText(env_.MemberNif(1)), NifText(env_.MemberNif(2)), child1, child2};
  for (;;) {
    selection.OnInitDialog();
    const int chosen = env_.RunModal(selection);
    if (chosen < CSeleccionDeclarantesDlg::kFirstResult || chosen > CSeleccionDeclarantesDlg::kFirstResult + 3) break;
    const int member = chosen - CSeleccionDeclarantesDlg::kFirstResult + 1;
    const Outcome outcome = ImportMember(member, QString::fromStdString(nifs[member - 1]), selection.memberLabel,
                                         household, &selection);
    if (outcome == Outcome::Cancelled) break;
  }
  EndEntryDialog();
}

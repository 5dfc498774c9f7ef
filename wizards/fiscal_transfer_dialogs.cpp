#include "wizards/fiscal_transfer_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstring>

#include "checks/validation_helper.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_edit.h"
#include "ui/edit_ex.h"
#include "ui/edit_host.h"
#include "ui/messages.h"
#include "ui/owner_draw_button.h"
#include "ui/sub_dialog_edit.h"

namespace wizards {

namespace {

using ui::Ctl;

constexpr int kStrNotice = 98300, kStrFiscalData = 98301, kStrNameCaption = 98302;
constexpr int kStrFirstSurname = 98303, kStrSecondSurname = 98304, kStrName = 98305, kStrSelectName = 98306;
constexpr int kStrMortgageCaption = 98307, kStrAcquisition = 98308, kStrConstruction = 98309;
constexpr int kStrExternalFinancing = 98310, kStrDate = 98311, kStrAmount = 98312;
constexpr int kStrContinue = 90011, kStrHelp = 98042;

// ---- name and surnames

constexpr int kNameWidth = 60;
constexpr ui::ControlDef kNameControls[] = {
    {.kind = Ctl::Static, .textId = kStrFirstSurname, .row = 0, .col = 0},
    {.id = CNombreApellidosDlg::kIdFirstSurname, .kind = Ctl::Combo, .row = 0, .col = 1, .colSpan = 2,
     .width = kNameWidth},
    {.kind = Ctl::Static, .textId = kStrSecondSurname, .row = 1, .col = 0},
    {.id = CNombreApellidosDlg::kIdSecondSurname, .kind = Ctl::Combo, .row = 1, .col = 1, .colSpan = 2,
     .width = kNameWidth},
    {.kind = Ctl::Static, .textId = kStrName, .row = 2, .col = 0},
    {.id = CNombreApellidosDlg::kIdName, .kind = Ctl::Combo, .row = 2, .col = 1, .colSpan = 2, .width = kNameWidth},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kNameTemplate{
    .id = CNombreApellidosDlg::IDD, .captionId = kStrNameCaption, .controls = kNameControls};

// The words that a proposed surname never ends in.
bool IsParticle(const QString& word) {
  static const QStringList particles = {QStringLiteral("DEL"), QStringLiteral("LAS"), QStringLiteral("DE"),
                                        QStringLiteral("LA"),  QStringLiteral("EL"),  QStringLiteral("LOS"),
                                        QStringLiteral("SA")};
  return particles.contains(word.trimmed().toUpper());
}

// The words from `first` on, each followed by a blank, `count` of them.
QString Words(const QStringList& words, int first, int count) {
  QString s;
  for (int i = first; i < first + count && i < words.size(); ++i) s += words[i] + u' ';
  return s;
}

// Cumulative prefixes of words[first..], one word up to all but the last.
void FillPrefixes(QComboBox* combo, const QStringList& words, int first) {
  combo->clear();
  for (int n = 1; first + n < words.size(); ++n) combo->addItem(Words(words, first, n));
}

// ---- mortgage loan

constexpr ui::ControlDef kMortgageControls[] = {
    {.kind = Ctl::Static, .textId = kStrAcquisition, .row = 0, .col = 0},
    {.id = CPrestamosHipotecariosDlg::kIdAcquisition, .kind = Ctl::Box, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = kStrConstruction, .row = 1, .col = 0},
    {.id = CPrestamosHipotecariosDlg::kIdConstruction, .kind = Ctl::Box, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = kStrExternalFinancing, .row = 2, .col = 0},
    {.id = CPrestamosHipotecariosDlg::kIdExternalFinancing, .kind = Ctl::Box, .row = 2, .col = 1},
    {.kind = Ctl::Static, .textId = kStrDate, .row = 3, .col = 0},
    {.id = CPrestamosHipotecariosDlg::kIdDate, .kind = Ctl::Date, .row = 3, .col = 1, .colSpan = 2, .width = 8},
    {.kind = Ctl::Static, .textId = kStrAmount, .row = 4, .col = 0},
    {.id = CPrestamosHipotecariosDlg::kIdAmount, .kind = Ctl::Money, .row = 4, .col = 1, .colSpan = 2, .width = 8,
     .decimals = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = kStrHelp, .row = 5, .col = 2},
};
constexpr ui::DialogTemplate kMortgageTemplate{.id = CPrestamosHipotecariosDlg::IDD,
                                               .captionId = kStrMortgageCaption,
                                               .controls = kMortgageControls,
                                               .helpTopic = CPrestamosHipotecariosDlg::kHelpTopic};

}  // namespace

QString FiscalFileNotice(const QString& fileDate) { return platform::LoadString(kStrNotice) + fileDate; }

// ---------------------------------------------------------------- CDatosFiscalesDlg33

CDatosFiscalesDlg33::CDatosFiscalesDlg33(QWidget* parent) : QDialog(parent) {
  setWindowTitle(platform::LoadString(kStrFiscalData));
  auto* icon = new QLabel(this);
  icon->setPixmap(platform::ProgramIcon(platform::kIconFiscalData).pixmap(32, 32));
  auto* text = new QLabel(this);
  ui::SetControlId(text, kIdNotice);
  text->setWordWrap(true);
  text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 48);
  auto* ok = new COwnerDrawButton(platform::LoadString(kStrContinue), this);
  ui::SetControlId(ok, ui::IDOK);
  ok->SetIcon(platform::kIconForward, 0, 32, 32);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, Qt::AlignTop);
  grid->addWidget(text, 0, 1);
  grid->addWidget(ok, 1, 0, 1, 2, Qt::AlignHCenter);
}

void CDatosFiscalesDlg33::showEvent(QShowEvent* e) {
  if (auto* text = qobject_cast<QLabel*>(ui::FindControl(this, kIdNotice))) text->setText(notice);
  adjustSize();
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
}

// ---------------------------------------------------------------- CNombreApellidosDlg

CNombreApellidosDlg::CNombreApellidosDlg(QWidget* parent) : CTemplateDlg(kNameTemplate, parent) {}

void CNombreApellidosDlg::OnInitDialog() {
  firstCount_ = secondCount_ = 0;
  CTemplateDlg::OnInitDialog();
  words_ = fullName.split(u' ', Qt::SkipEmptyParts);
  auto* first = Item<QComboBox>(kIdFirstSurname);
  auto* second = Item<QComboBox>(kIdSecondSurname);
  auto* given = Item<QComboBox>(kIdName);
  for (QComboBox* c : {first, second, given}) c->setInsertPolicy(QComboBox::NoInsert);
  connect(first, &QComboBox::activated, this, [this] { FirstSurnameChosen(); });
  connect(second, &QComboBox::activated, this, [this] { SecondSurnameChosen(); });
  connect(second->lineEdit(), &QLineEdit::textEdited, this, [this] { SecondSurnameEdited(); });

  FillPrefixes(first, words_, 0);
  second->clear();
  given->clear();
  if (first->count() > 0) {
    first->setCurrentIndex(0);
    ExtendOverParticles(kIdFirstSurname);
    FirstSurnameChosen();
    if (second->count() > 0) {
      second->setCurrentIndex(0);
      ExtendOverParticles(kIdSecondSurname);
      SecondSurnameChosen();
    }
    given->setCurrentIndex(given->count() - 1);
  }
}

void CNombreApellidosDlg::ExtendOverParticles(int comboId) {
  auto* c = Item<QComboBox>(comboId);
  while (c->currentIndex() >= 0 && c->currentIndex() + 1 < c->count()) {
    const QStringList w = c->currentText().split(u' ', Qt::SkipEmptyParts);
    if (w.isEmpty() || !IsParticle(w.last())) break;
    c->setCurrentIndex(c->currentIndex() + 1);
  }
}

void CNombreApellidosDlg::RefillAfterFirst(bool keepSecondText) {
  auto* second = Item<QComboBox>(kIdSecondSurname);
  auto* given = Item<QComboBox>(kIdName);
  const QString typed = second->currentText();
  FillPrefixes(second, words_, firstCount_);
  // The refill runs while the user types a surname of his own: the typed text stays.
  if (keepSecondText) second->setEditText(typed);
  else if (second->count() > 0) second->setCurrentIndex(-1);
  given->clear();
  if (firstCount_ < words_.size()) given->addItem(Words(words_, firstCount_, static_cast<int>(words_.size()) - firstCount_));
  given->setCurrentIndex(given->count() - 1);
}

void CNombreApellidosDlg::FirstSurnameChosen() {
  const int index = Item<QComboBox>(kIdFirstSurname)->currentIndex();
  if (index < 0) return;
  firstCount_ = index + 1;
  RefillAfterFirst(false);
}

void CNombreApellidosDlg::SecondSurnameChosen() {
  const int index = Item<QComboBox>(kIdSecondSurname)->currentIndex();
  if (index < 0) return;
  secondCount_ = index + 1;
  auto* given = Item<QComboBox>(kIdName);
  given->clear();
  const int from = firstCount_ + secondCount_;
  if (from < words_.size()) given->addItem(Words(words_, from, static_cast<int>(words_.size()) - from));
  given->setCurrentIndex(given->count() - 1);
}

void CNombreApellidosDlg::SecondSurnameEdited() {
  if (secondSurname.isEmpty() && firstCount_ > 0) RefillAfterFirst(true);
}

void CNombreApellidosDlg::OnOK() {
  firstSurname = Item<QComboBox>(kIdFirstSurname)->currentText().trimmed();
  secondSurname = Item<QComboBox>(kIdSecondSurname)->currentText().trimmed();
  name = Item<QComboBox>(kIdName)->currentText().trimmed();
  if (!firstSurname.isEmpty() && !name.isEmpty()) {
    done(ui::IDOK);
    return;
  }
  ui::ShowPlainMessage(this, kStrSelectName);
  firstSurname.clear();
  secondSurname.clear();
  name.clear();
}

// ---------------------------------------------------------------- CPrestamosHipotecariosDlg

CPrestamosHipotecariosDlg::CPrestamosHipotecariosDlg(QWidget* parent) : CTemplateDlg(kMortgageTemplate, parent) {
  std::memset(dateField_, ' ', sizeof dateField_);
}

void CPrestamosHipotecariosDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  ui::ShowMessage(this, QStringLiteral("100DFPH"), platform::kIconAsterisk);
  std::memset(dateField_, ' ', sizeof dateField_);
  std::memcpy(dateField_, date.data(), std::min(date.size(), sizeof dateField_));
  Edit(kIdAcquisition)->BindData(&acquisition);
  Edit(kIdConstruction)->BindData(&construction);
  Edit(kIdExternalFinancing)->BindData(&externalFinancing);
  Edit(kIdDate)->BindData(dateField_);
  Edit(kIdAmount)->BindData(&amount);
  Enable(ui::IDOK, false);
  Enable(kIdExternalFinancing, false);
  Enable(kIdAmount, false);
  Reload();
}

void CPrestamosHipotecariosDlg::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
}

void CPrestamosHipotecariosDlg::Reload() {
  CTemplatePropPg::UpdateChildControls(this, false);
  date.assign(dateField_, sizeof dateField_);
}

bool CPrestamosHipotecariosDlg::DateIsBlank() const {
  return std::all_of(std::begin(dateField_), std::end(dateField_), [](char c) { return c == ' ' || c == 0; });
}

int CPrestamosHipotecariosDlg::OnEditValueChanged(int id) {
  const bool marked = Item<CBoxEdit>(id) && Item<CBoxEdit>(id)->Marked();
  switch (id) {
    case kIdAcquisition:
      GetDlgItem(id)->setFocus();
      Enable(kIdExternalFinancing, marked);
      acquisition = marked ? 1 : 0;
      construction = externalFinancing = 0;
      Enable(ui::IDOK, marked);
      break;
    case kIdConstruction:
      GetDlgItem(id)->setFocus();
      Enable(kIdExternalFinancing, false);
      Enable(kIdAmount, false);
      amount = 0;
      construction = marked ? 1 : 0;
      acquisition = externalFinancing = 0;
      Enable(ui::IDOK, marked);
      break;
    case kIdExternalFinancing:
      if (marked) GetDlgItem(id)->setFocus();
      externalFinancing = marked ? 1 : 0;
      break;
    default:
      return CTemplateDlg::OnEditValueChanged(id);
  }
  Reload();
  return 1;
}

int CPrestamosHipotecariosDlg::OnEditKillFocus(int id) {
  if (id != kIdDate) return CTemplateDlg::OnEditKillFocus(id);
  // The date edit writes each typed digit to its field; a partly typed date is not a date.
  const std::string_view text(dateField_, sizeof dateField_);
  if (!checks::CValidationHelper::IsValidDate(text)) {
    std::memset(dateField_, ' ', sizeof dateField_);
    Reload();
    ui::ShowMessage(this, QStringLiteral("WIN008"), platform::kIconHand);
    Enable(kIdAmount, false);
    return 0;
  }
  const bool open = !DateIsBlank() && text.substr(4, 4) == "2001" && text != "31122001" && externalFinancing == 1;
  Enable(kIdAmount, open);
  Reload();
  if (open) GetDlgItem(kIdAmount)->setFocus();
  return 1;
}

void CPrestamosHipotecariosDlg::OnOK() {
  if (acquisition != 1 && construction != 1) return;
  CTemplatePropPg::UpdateChildControls(this, true);
  date.assign(dateField_, sizeof dateField_);
  if (DateIsBlank() && acquisition == 1 && externalFinancing == 1) {
    ui::ShowMessage(this, QStringLiteral("101DFPH"), platform::kIconAsterisk);
    return;
  }
  done(ui::IDOK);
}

}  // namespace wizards

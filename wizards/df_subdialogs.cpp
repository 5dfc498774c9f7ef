#include "wizards/df_subdialogs.h"

#include <QAbstractButton>

#include "blocks/numtext.h"
#include "ui/double_edit.h"
#include "wizards/fiscal_format.h"
#include "wizards/fiscal_import.h"

namespace {

using ui::Ctl;
using Pension = CTrasladoPlanesPensionesDlg;

constexpr int kPensionGroup = 1;
constexpr ui::ControlDef kPensionControls[] = {
    {.id = Pension::kIdGeneral, .kind = Ctl::Radio, .textId = 98131, .row = 0, .col = 0, .colSpan = 3,
     .radioGroup = kPensionGroup, .code = 0},
    {.kind = Ctl::Static, .textId = 98132, .row = 1, .col = 0, .colSpan = 3},
    {.id = Pension::kIdDisabled, .kind = Ctl::Radio, .textId = 98133, .row = 2, .col = 0, .colSpan = 3,
     .radioGroup = kPensionGroup, .code = 1},
    {.id = Pension::kIdRelatives, .kind = Ctl::Radio, .textId = 98134, .row = 3, .col = 0, .colSpan = 3,
     .radioGroup = kPensionGroup, .code = 2},
    {.id = Pension::kIdSpouse, .kind = Ctl::Radio, .textId = 98135, .row = 4, .col = 0, .colSpan = 3,
     .radioGroup = kPensionGroup, .code = 3},
    {.id = Pension::kIdSportsmen, .kind = Ctl::Radio, .textId = 98136, .row = 5, .col = 0, .colSpan = 3,
     .radioGroup = kPensionGroup, .code = 4},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 2},
};
constexpr ui::DialogTemplate kPensionTemplate{.id = Pension::IDD, .captionId = 98130, .controls = kPensionControls};
constexpr int kPensionIds[] = {Pension::kIdGeneral, Pension::kIdDisabled, Pension::kIdRelatives, Pension::kIdSpouse,
                               Pension::kIdSportsmen};

constexpr int kNoteGroup = 10;
constexpr ui::ControlDef kMurciaControls[] = {
    {.id = CDonacionesMurciaDlg::kIdState, .kind = Ctl::Radio, .textId = 98141, .row = 0, .col = 0, .colSpan = 3},
    {.id = CDonacionesMurciaDlg::kIdRegional, .kind = Ctl::Radio, .textId = 98142, .row = 1, .col = 0, .colSpan = 3},
    {.id = kNoteGroup, .kind = Ctl::GroupBox, .textId = 98143, .row = 2, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 98144, .row = 0, .col = 0, .group = kNoteGroup},
    {.kind = Ctl::Static, .textId = 98145, .row = 1, .col = 0, .group = kNoteGroup},
    {.kind = Ctl::Static, .textId = 98146, .row = 2, .col = 0, .group = kNoteGroup},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kMurciaTemplate{.id = CDonacionesMurciaDlg::IDD, .captionId = 98140, .controls = kMurciaControls};

constexpr ui::ControlDef kExpensesControls[] = {
    {.kind = Ctl::Static, .textId = 98151, .row = 0, .col = 0},
    {.id = CGastosAdqEnajDlg::kIdAmount, .kind = Ctl::Money, .row = 0, .col = 1, .colSpan = 2, .width = 8, .decimals = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 1, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kExpensesTemplate{.id = CGastosAdqEnajDlg::IDD, .captionId = 98150, .controls = kExpensesControls};

}  // namespace

// ---------------------------------------------------------------- pension-plan regime

CTrasladoPlanesPensionesDlg::CTrasladoPlanesPensionesDlg(const fiscal::ImportEnvironment* environment,
                                                         bool spouseRegimeUsed, QWidget* parent)
    : CTemplateDlg(kPensionTemplate, parent), env_(environment), spouseRegimeUsed_(spouseRegimeUsed) {}

void CTrasladoPlanesPensionesDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  // b1) and b2) stand under b).
  for (int id : {kIdDisabled, kIdRelatives})
    if (QWidget* w = GetDlgItem(id)) w->setStyleSheet(QStringLiteral("margin-left: 24px;"));
  const bool joint = env_ && env_->joint;
  const bool noSpouseNif =
      importedMember == 1 && (!env_ || env_->MemberNif(2).find_first_not_of(std::string("\0 ", 2)) == std::string::npos);
  if (spouseRegimeUsed_ || !joint || noSpouseNif) disableC = true;
  const std::pair<int, bool> rules[] = {
      {kIdSportsmen, !disableD}, {kIdRelatives, !disableB2}, {kIdGeneral, !disableA}, {kIdSpouse, !disableC}};
  for (const auto& [id, on] : rules)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  if (QWidget* w = GetDlgItem(kIdDisabled)) w->setEnabled(true);
  for (int id : kPensionIds)
    if (auto* b = Item<QAbstractButton>(id)) b->setChecked(false);
}

bool CTrasladoPlanesPensionesDlg::OptionEnabled(int id) const {
  const QWidget* w = GetDlgItem(id);
  return w && w->isEnabled();
}

void CTrasladoPlanesPensionesDlg::OnOK() {
  regime = -1;
  for (int i = 0; i < 5; ++i)
    if (auto* b = Item<QAbstractButton>(kPensionIds[i]); b && b->isChecked() && b->isEnabled()) regime = i;
  CTemplateDlg::OnOK();
}

// ---------------------------------------------------------------- Murcia donations

CDonacionesMurciaDlg::CDonacionesMurciaDlg(QWidget* parent) : CTemplateDlg(kMurciaTemplate, parent) {}

void CDonacionesMurciaDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  OnAutonomica();
}

void CDonacionesMurciaDlg::OnEstatal() {
  if (auto* b = Item<QAbstractButton>(kIdState)) b->setChecked(true);
  if (auto* b = Item<QAbstractButton>(kIdRegional)) b->setChecked(false);
  choice = 1;
}

void CDonacionesMurciaDlg::OnAutonomica() {
  if (auto* b = Item<QAbstractButton>(kIdState)) b->setChecked(false);
  if (auto* b = Item<QAbstractButton>(kIdRegional)) b->setChecked(true);
  choice = 2;
}

bool CDonacionesMurciaDlg::OnButton(int id) {
  if (id == kIdState) OnEstatal();
  else if (id == kIdRegional) OnAutonomica();
  else return false;
  return true;
}

// ---------------------------------------------------------------- acquisition and disposal expenses

CGastosAdqEnajDlg::CGastosAdqEnajDlg(QWidget* parent) : CTemplateDlg(kExpensesTemplate, parent) {}

void CGastosAdqEnajDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  if (auto* e = Item<CDoubleEdit>(kIdAmount)) {
    e->BindData(&amount);
    e->LoadFromData(0);
  }
}

QString CGastosAdqEnajDlg::AmountText() const {
  const auto* e = Item<CDoubleEdit>(kIdAmount);
  if (!e || e->text().trimmed().isEmpty()) return {};
  const double value = CDoubleEdit::ParseAmountText(e->text());
  return QString::fromStdString(fiscal::FormatWithThousands(blocks::FormatFixed(value, 2)));
}

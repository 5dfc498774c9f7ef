#include "annex/informacion_actividad_dlg.h"

#include <cstring>
#include <vector>

#include "annex/activity_rows.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::informacion_actividad;
namespace rows = annex::activity_rows;
using D = CInformacionRelativaActividadDlg235;

#define QX_LINE(r, label, ident, kd, fld, ...) \
  {.kind = Ctl::Static, .textId = label, .row = r, .col = 0}, {.id = ident, .kind = kd, .row = r, .col = 1, .field = fld, __VA_ARGS__}
constexpr ui::ControlDef kControls[] = {
    QX_LINE(0, 97831, D::kThirdPartyMeans, Ctl::YesNo, f::ThirdPartyMeans),
    QX_LINE(1, 97832, D::kBoughtFeed, Ctl::YesNo, f::BoughtFeed),
    {.kind = Ctl::Static, .textId = 97833, .row = 2, .col = 0},
    {.id = D::kStaffCost, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::StaffCost},
    QX_LINE(3, 97834, D::kOrganic, Ctl::YesNo, f::Organic),
    QX_LINE(4, 97835, D::kFirstInstallation, Ctl::YesNo, f::FirstInstallation),
    QX_LINE(5, 97836, D::kForestry, Ctl::YesNo, f::Forestry),
    {.kind = Ctl::Static, .textId = 97837, .row = 6, .col = 0},
    {.id = D::kWithholdings, .kind = Ctl::Double, .row = 6, .col = 1, .width = 8, .decimals = 2, .field = f::Withholdings},
    {.kind = Ctl::Static, .textId = 97838, .row = 7, .col = 0},
    {.id = D::kPayments, .kind = Ctl::Double, .row = 7, .col = 1, .width = 8, .decimals = 2, .field = f::FractionalPayments},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 8, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 8, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 8, .col = 2},
};
#undef QX_LINE
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97830, .controls = kControls, .helpTopic = 328};

// The questions that do not apply to each activity code.
std::vector<int> NotApplying(char code) {
  switch (code) {
    case '1': return {D::kForestry};
    case '2': return {D::kThirdPartyMeans, D::kBoughtFeed, D::kOrganic, D::kStaffCost};
    case '3': case '7': return {D::kThirdPartyMeans, D::kForestry};
    case '4': case '5': return {D::kThirdPartyMeans, D::kBoughtFeed, D::kOrganic, D::kForestry};
    case '6': return {D::kThirdPartyMeans, D::kBoughtFeed, D::kOrganic, D::kForestry, D::kStaffCost};
    case '8': return {D::kBoughtFeed, D::kOrganic, D::kThirdPartyMeans, D::kStaffCost};
    case '9': return {D::kThirdPartyMeans, D::kBoughtFeed, D::kForestry};
    default: return {};
  }
}

// The payments of the first objective-estimation activity of the holder (non-agrarian rows
// first), or `fallback` when the holder has none.
double FirstHolderPayments(std::uint8_t* declaration, std::uint8_t holder, double fallback) {
  for (const rows::Section* s : {&rows::kObjective, &rows::kAgrarian})
    for (int r = 0; r < rows::kRows; ++r)
      if (rows::Holder(declaration, *s, r) == holder) return rows::Payments(*s).get(rows::Row(declaration, *s, r));
  return fallback;
}
}  // namespace

CInformacionRelativaActividadDlg235::CInformacionRelativaActividadDlg235(QWidget* parent)
    : CAnnexDlg(kTemplate, f::kBlockSize, ui::AnnexArgs{parent}) {}

void D::SetRow(char activityCode, std::uint8_t holder, int row) {
  activityCode_ = activityCode;
  holder_ = holder;
  row_ = row;
}

void D::EnableByActivityCode() {
  for (int id : NotApplying(activityCode_))
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  UpdateAll(false);
}

void D::SyncHolderPayments() {
  std::uint8_t* declaration = doc::Form100Block();
  if (!declaration) return;
  const double current = f::FractionalPayments.get(Data());
  const double payments = rows::HolderPayments(declaration, rows::kAgrarian, holder_, current);
  if (payments == current) return;
  f::FractionalPayments.set(Data(), payments);
  if (row_ >= 0 && row_ < rows::kRows) rows::Payments(rows::kAgrarian).set(rows::Row(declaration, rows::kAgrarian, row_), payments);
}

void D::OnInitAnnex() {
  EnableByActivityCode();
  SyncHolderPayments();
  openedPayments_ = f::FractionalPayments.get(Data());
}

int D::OnEditKillFocus(int id) {
  if (id == kPayments)
    if (CEditEx* e = Edit(kPayments); e && e->IsModifiedEx()) {
      e->StoreToData();
      if (f::FractionalPayments.get(Data()) != openedPayments_ && openedPayments_ != 0.0)
        ui::ShowMessage(this, QStringLiteral("100I006"), platform::kIconAsterisk);
      e->SetModifiedEx(false);
    }
  EnableByActivityCode();
  return 1;
}

bool D::Validate() {
  if (f::BoughtFeed.get(Data()) == 1 && (activityCode_ == '1' || activityCode_ == '7') &&
      ui::ShowMessage(this, QStringLiteral("100P030"), platform::kIconAsterisk) == kAnsCorregir)
    return false;
  return true;
}

bool D::ValidateOK() {
  if (Validate()) return true;
  if (QWidget* feed = GetDlgItem(kBoughtFeed)) feed->setFocus();
  return false;
}

int D::OpenForRow(std::uint8_t* declaration, int row, const std::function<int(QDialog&)>& run) {
  if (!declaration || row < 0 || row >= rows::kRows) return ui::IDCANCEL;
  std::uint8_t* r = rows::Row(declaration, rows::kAgrarian, row);
  D dlg(nullptr);
  std::memcpy(dlg.AnnexBlock().data(), r + f::kRowBlock, f::kBlockSize);
  dlg.shownMember = doc::ShownMember();
  dlg.hasOtherMembers = doc::HouseholdHasSeveralHolders() ? 1 : 0;
  dlg.SetRow(static_cast<char>(r[f::kRowActivityCode]), r[0], row);
  f::FractionalPayments.set(dlg.Data(), FirstHolderPayments(declaration, r[0], 0.0));
  dlg.EnsureCreated();
  const int result = run ? run(dlg) : dlg.DoModal();
  if (result != ui::IDOK) return result;
  std::memcpy(r + f::kRowBlock, dlg.AnnexBlock().data(), f::kBlockSize);
  const double payments = f::FractionalPayments.get(dlg.Data());
  for (const rows::Section* s : {&rows::kObjective, &rows::kAgrarian}) rows::SetHolderPayments(declaration, *s, r[0], payments);
  return result;
}

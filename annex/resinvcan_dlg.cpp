#include "annex/resinvcan_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::resinvcan;
using B = CResinvcanBaseDlg;
using R = CResinvcanDlg;
using R3 = CResinvcan3Dlg;
using R5 = CResinvcan5Dlg;

#define QX_HOLDER(r) {.id = B::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder}
#define QX_MONEY(ids, r, c, fld) \
  {.id = (ids)[r], .kind = Ctl::Money, .row = (r) + 1, .col = (c), .width = 8, .decimals = 2, .field = (fld)}
#define QX_KEY(r, c, fld) \
  {.id = B::kKeys[r], .kind = Ctl::Lista, .row = (r) + 1, .col = (c), .width = 1, .field = (fld), .table = f::kKeyTable}
#define QX_END(c)                                                                                    \
  {.id = B::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = (c)},                        \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},                  \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1}

// ---- 257: the 2000 allowance
constexpr ui::ControlDef kControls257[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97248, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97249, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97250, .row = 0, .col = 3},
    QX_HOLDER(0), QX_MONEY(R::kAllowance, 0, 1, f::Allowance), QX_MONEY(R::kMaterialised, 0, 2, f::Materialised),
    QX_KEY(0, 3, f::Key),
    QX_HOLDER(1), QX_MONEY(R::kAllowance, 1, 1, f::Allowance), QX_MONEY(R::kMaterialised, 1, 2, f::Materialised),
    QX_KEY(1, 3, f::Key),
    QX_END(4),
};
constexpr int kCells257[] = {B::kHolders[0],      B::kHolders[1],      R::kAllowance[0], R::kAllowance[1],
                             R::kMaterialised[0], R::kMaterialised[1], B::kKeys[0],      B::kKeys[1]};
constexpr ui::DialogTemplate kTemplate257{.id = R::kId, .captionId = 97240, .controls = kControls257};
const HolderAmountSpec kSpec257{kTemplate257, f::kBlockSize,
                                {.rows = f::kRows, .columns = 4, .first = 0, .stride = f::kRowSize, .holder = 0,
                                 .cells = kCells257},
                                B::kLegend, nullptr};

// ---- 1846: the 2001 allowance
constexpr ui::ControlDef kControls1846[] = {
    {.kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97243, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97244, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97245, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97246, .row = 0, .col = 4},
    QX_HOLDER(0), QX_MONEY(R3::kAllowance, 0, 1, f::Allowance), QX_MONEY(R3::kMaterialised, 0, 2, f::Materialised),
    QX_KEY(0, 3, f::Key), QX_MONEY(R3::kPending, 0, 4, f::Pending),
    QX_HOLDER(1), QX_MONEY(R3::kAllowance, 1, 1, f::Allowance), QX_MONEY(R3::kMaterialised, 1, 2, f::Materialised),
    QX_KEY(1, 3, f::Key), QX_MONEY(R3::kPending, 1, 4, f::Pending),
    QX_END(5),
};
constexpr int kCells1846[] = {B::kHolders[0],       B::kHolders[1],       R3::kAllowance[0], R3::kAllowance[1],
                              R3::kMaterialised[0], R3::kMaterialised[1], B::kKeys[0],       B::kKeys[1],
                              R3::kPending[0],      R3::kPending[1]};
constexpr ui::DialogTemplate kTemplate1846{.id = R3::kId, .captionId = 97241, .controls = kControls1846};
const HolderAmountSpec kSpec1846{kTemplate1846, f::kBlockSize3,
                                 {.rows = f::kRows, .columns = 5, .first = 0, .stride = f::kRowSize3, .holder = 0,
                                  .cells = kCells1846},
                                 B::kLegend, nullptr};

// ---- 86: investments ahead of future allowances
constexpr ui::ControlDef kControls86[] = {
    {.kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97247, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97245, .row = 0, .col = 2},
    QX_HOLDER(0), QX_MONEY(R5::kInvestment, 0, 1, f::Investment), QX_KEY(0, 2, f::Key5),
    QX_HOLDER(1), QX_MONEY(R5::kInvestment, 1, 1, f::Investment), QX_KEY(1, 2, f::Key5),
    QX_END(3),
};
constexpr int kCells86[] = {B::kHolders[0],     B::kHolders[1], R5::kInvestment[0],
                            R5::kInvestment[1], B::kKeys[0],    B::kKeys[1]};
constexpr ui::DialogTemplate kTemplate86{.id = R5::kId, .captionId = 97242, .controls = kControls86};
const HolderAmountSpec kSpec86{kTemplate86, f::kBlockSize5,
                               {.rows = f::kRows, .columns = 3, .first = 0, .stride = f::kRowSize5, .holder = 0,
                                .cells = kCells86},
                               B::kLegend, nullptr};
#undef QX_HOLDER
#undef QX_MONEY
#undef QX_KEY
#undef QX_END

bool Refuse(CTemplateDlg& d, const char* code, int icon) {
  ui::ShowMessage(&d, QString::fromLatin1(code), icon);
  return false;
}
}  // namespace

void annex::RefuseRepeatedHolder(CHolderAmountDlg& d, int id, const int (&holders)[2]) {
  const int row = id == holders[0] ? 0 : id == holders[1] ? 1 : -1;
  if (row < 0 || d.GetRowOwner(row) == 0 || d.GetRowOwner(0) != d.GetRowOwner(1)) return;
  ui::ShowMessage(&d, QStringLiteral("100R045"), platform::kIconHand);
  d.ClearRowData(row);
  d.ClearRowControls(row);
  d.CompactRows();
  d.UpdateAll(false);
  d.RefreshEnabledRows();
}

// ---------------------------------------------------------------- base

CResinvcanBaseDlg::CResinvcanBaseDlg(const HolderAmountSpec& spec, bool lockKeys, const ui::AnnexArgs& args)
    : CHolderAmountDlg(spec, args), lockKeys_(lockKeys) {}

void CResinvcanBaseDlg::OnInitAnnex() {
  if (!lockKeys_ || index != 3) return;
  for (int id : kKeys) ui::ApplyOptions(GetDlgItem(id), ui::kOptReadOnly);
}

int CResinvcanBaseDlg::OnEditValueChanged(int id) {
  const int answer = CHolderAmountDlg::OnEditValueChanged(id);
  annex::RefuseRepeatedHolder(*this, id, kHolders);
  return answer;
}

// ---------------------------------------------------------------- 257

CResinvcanDlg::CResinvcanDlg(const ui::AnnexArgs& args) : CResinvcanBaseDlg(kSpec257, true, args) {}

bool CResinvcanDlg::ValidateOK() {
  for (int r = 0; r < f::kRows; ++r)
    if (f::Allowance.get(Row(r)) < f::Materialised.get(Row(r))) return Refuse(*this, "100R061", platform::kIconAsterisk);
  return true;
}

// ---------------------------------------------------------------- 1846

CResinvcan3Dlg::CResinvcan3Dlg(const ui::AnnexArgs& args) : CResinvcanBaseDlg(kSpec1846, true, args) {}

bool CResinvcan3Dlg::ValidateOK() {
  for (int r = 0; r < f::kRows; ++r)
    if (f::Pending.get(Row(r)) + f::Materialised.get(Row(r)) > f::Allowance.get(Row(r)))
      return Refuse(*this, "100R062", platform::kIconHand);
  return true;
}

// ---------------------------------------------------------------- 86

CResinvcan5Dlg::CResinvcan5Dlg(const ui::AnnexArgs& args) : CResinvcanBaseDlg(kSpec86, false, args) {}

int CResinvcan5Dlg::OnEditKillFocus(int id) {
  if (!CResinvcanBaseDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(false);
  return 1;
}

int CResinvcan5Dlg::OnEditValueCleared(int id) {
  CResinvcanBaseDlg::OnEditValueCleared(id);
  UpdateAll(false);
  return 1;
}

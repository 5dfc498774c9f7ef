#include "annex/tit2dat1_dlg.h"

#include <QLabel>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::tit2dat1;
using T = CTit2dat1Dlg;
using J = CTranfisintDlg;

constexpr int kCells[] = {T::kHolders[0], T::kHolders[1], T::kAmounts[0], T::kAmounts[1]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 2, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kCells};
#define QX_ROW(r, top)                                                                                      \
  {.id = T::kHolders[r], .kind = Ctl::Titular, .row = (top) + (r), .col = 0, .field = f::Holder},           \
  {.id = T::kAmounts[r], .kind = Ctl::Money, .row = (top) + (r), .col = 1, .width = 8, .decimals = 2,       \
   .field = f::Amount}

// ---- 172
constexpr ui::ControlDef kControls172[] = {
    {.kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.id = T::kAmountHeading, .kind = Ctl::Static, .textId = 95615, .row = 0, .col = 1},
    QX_ROW(0, 1), QX_ROW(1, 1),
    {.id = T::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 2},
};
constexpr ui::DialogTemplate kTemplate172{.id = T::kId, .captionId = 97230, .controls = kControls172};
const HolderAmountSpec kSpec172{kTemplate172, f::kBlockSize, kLayout, T::kLegend, &T::HelpTopic, true};

// ---- 1833
constexpr ui::ControlDef kControls1833[] = {
    {.kind = Ctl::Static, .textId = 97231, .row = 0, .col = 0, .colSpan = 3},
    {.id = 1120, .kind = Ctl::Static, .textId = 95614, .row = 1, .col = 0},
    {.id = 1124, .kind = Ctl::Static, .textId = 97232, .row = 1, .col = 1},
    QX_ROW(0, 2), QX_ROW(1, 2),
    {.id = J::kLegend, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 97233, .row = 5, .col = 0},
    {.id = J::kJoint, .kind = Ctl::Money, .row = 5, .col = 1, .width = 8, .decimals = 2, .field = f::JointDeduction},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
};
constexpr ui::DialogTemplate kTemplate1833{.id = J::kId, .captionId = 97230, .controls = kControls1833};
const HolderAmountSpec kSpec1833{kTemplate1833, f::kTranfisintSize, kLayout, J::kLegend, nullptr, true};
#undef QX_ROW
}  // namespace

// ---------------------------------------------------------------- 172

CTit2dat1Dlg::CTit2dat1Dlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec172, args) {}

int CTit2dat1Dlg::HelpTopic(int variant) {
  switch (variant) {
    case 1: return 975;
    case 2: return 952;
    case 3: return 614;
    case 4: return 645;
    case 5: case 6: case 7: case 8: case 9: return 874;
    case 10: case 11: return 468;
    case 12: return 475;
    case 13: return 497;
    default: return 0;
  }
}

void CTit2dat1Dlg::OnInitAnnex() {
  if (index == 20)
    if (auto* heading = Item<QLabel>(kAmountHeading)) heading->setText(platform::LoadString(2128));
}

bool CTit2dat1Dlg::ValidateOK() {
  if (index != 13 || (f::Amount.get(Row(0)) == 0.0 && f::Amount.get(Row(1)) == 0.0)) return true;
  return ui::ShowMessage(this, QStringLiteral("100I021"), platform::kIconAsterisk) != kAnsCorregir;
}

// ---------------------------------------------------------------- 1833

CTranfisintDlg::CTranfisintDlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec1833, args) {}

void CTranfisintDlg::OnInitAnnex() {
  for (int r = 0; r < f::kRows; ++r) seen_[r] = RowAmount(r);
  familyView_ = HolderModeByte() == ui::kFamilyUnit;
  if (!familyView_) f::JointDeduction.set(Shown(), 0.0);
  if (QWidget* joint = GetDlgItem(kJoint)) joint->setEnabled(familyView_);
}

int CTranfisintDlg::OnEditKillFocus(int id) {
  if (!CHolderAmountDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  const int row = GetRowOfControl(id);
  if (row >= 0 && GetColumnOfControl(id) == 1) {
    if (RowAmount(row) != seen_[row] && familyView_) {
      seen_[row] = RowAmount(row);
      f::JointDeduction.set(Shown(), RowAmount(0) + RowAmount(1));
    }
  } else if (row >= 0) {
    if (RowAmount(0) + RowAmount(1) == 0.0) f::JointDeduction.set(Shown(), 0.0);
  }
  UpdateAll(false);
  return 1;
}

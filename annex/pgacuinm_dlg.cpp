#include "annex/pgacuinm_dlg.h"

#include <QLabel>

#include "data/doc/active_declaration.h"

namespace {
using ui::Ctl;
namespace f = annex::pgacuinm;
using D = CPgacuinmDlg;

constexpr int kCells[] = {D::kHolders[0],  D::kHolders[1],  D::kHolders[2],  D::kHolders[3],  D::kHolders[4],
                          D::kCapital[0],  D::kCapital[1],  D::kCapital[2],  D::kCapital[3],  D::kCapital[4],
                          D::kActivity[0], D::kActivity[1], D::kActivity[2], D::kActivity[3], D::kActivity[4]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 3, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kCells};

#define QX_ROW(r)                                                                                              \
  {.id = D::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},                  \
  {.id = D::kCapital[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,              \
   .field = f::OnCapitalIncome, .options = ui::kOptDisabled},                                                  \
  {.id = D::kActivity[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,             \
   .field = f::OnActivityIncome}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95411, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95412, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95413, .row = 0, .col = 2},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 6, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 7, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 7, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 7, .col = 2},
};
#undef QX_ROW
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95410, .controls = kControls, .helpTopic = 515};
}  // namespace

CPgacuinmDlg::CPgacuinmDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CPgacuinmDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  UpdateEnabledCells();
}

void CPgacuinmDlg::UpdateEnabledCells() {
  for (int id : kCapital)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  if (doc::ShownMember() == 0 || !IsEditable()) return;
  for (int r = 0; r < f::kRows; ++r) {
    if (f::OnCapitalIncome.get(Row(r)) == 0.0) continue;
    if (QWidget* w = GetDlgItem(kHolders[r])) w->setEnabled(false);
    if (f::Holder.get(Row(r)) == 1)
      if (QWidget* w = GetDlgItem(kActivity[r])) w->setEnabled(false);
  }
}

int CPgacuinmDlg::OnEditSetFocus(int id) {
  if (GetColumnOfControl(id) == 0)
    if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  return 1;
}

int CPgacuinmDlg::OnEditValueChanged(int id) {
  const int handled = CAnnexRowsDlg::OnEditValueChanged(id);
  UpdateEnabledCells();
  return handled;
}

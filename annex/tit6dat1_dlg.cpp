#include "annex/tit6dat1_dlg.h"

#include <QLabel>

#include "annex/capital_rows.h"

namespace {
using ui::Ctl;
namespace f = annex::tit6dat1;
using D = CTit6dat1Dlg;

constexpr int kCells[] = {1303, 1322, 1342, 1382, 1401, 1408, 1169, 1182, 1192, 1207, 1215, 1224};
#define QX_ROW(r)                                                                                   \
  {.id = kCells[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},            \
  {.id = kCells[f::kRows + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2, \
   .field = f::Amount}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95221, .row = 0, .col = 1},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 7, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 8, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 8, .col = 1},
};
#undef QX_ROW
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95280, .controls = kControls, .helpTopic = 1};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 2, .first = 0, .stride = f::kRowSize,
                                .holder = f::Holder.off, .cells = kCells};
}  // namespace

CTit6dat1Dlg::CTit6dat1Dlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CTit6dat1Dlg::OnInitAnnex() {
  if (index != 0 && index != 1 && index != 9) return;
  for (int r = 0; r < f::kRows; ++r) ui::ApplyOptions(GetDlgItem(kCells[f::kRows + r]), ui::kOptNegatives);
}

int CTit6dat1Dlg::OnEditSetFocus(int id) {
  annex::ShowHolderLegend(*this, id, kLegend);
  return 1;
}

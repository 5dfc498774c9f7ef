#include "annex/salpen_dlg.h"

#include <QLabel>

#include "annex/capital_rows.h"
#include "platform/strings.h"

namespace {
using ui::Ctl;
namespace f = annex::salpen;
constexpr int kLegend = annex::CPendingRowsDlg::kLegend;
// Labels of the years 1998 .. 2002.
constexpr int kYearText[] = {95234, 95235, 351, 352, 353};

// Field k (0 the holder, then the years) is grid row k: its label, then row 1's and row 2's cell.
#define QX_HOLDER(text, a, b)                                                      \
  {.kind = Ctl::Static, .textId = (text), .row = 0, .col = 0},                     \
  {.id = (a), .kind = Ctl::Titular, .row = 0, .col = 1, .field = f::Holder},       \
  {.id = (b), .kind = Ctl::Titular, .row = 0, .col = 2, .field = f::Holder}
#define QX_YEAR(labelId, text, y, a, b)                                                                       \
  {.id = (labelId), .kind = Ctl::Static, .textId = (text), .row = (y) + 1, .col = 0},                         \
  {.id = (a), .kind = Ctl::Money, .row = (y) + 1, .col = 1, .width = 8, .decimals = 2, .field = f::Year(y)},  \
  {.id = (b), .kind = Ctl::Money, .row = (y) + 1, .col = 2, .width = 8, .decimals = 2, .field = f::Year(y)}
#define QX_END(at)                                                                                \
  {.id = kLegend, .kind = Ctl::Legend, .row = (at), .col = 0, .colSpan = 3},                      \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = (at) + 1, .col = 1},       \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = (at) + 1, .col = 2}

constexpr ui::ControlDef k95Controls[] = {
    QX_HOLDER(95233, 1303, 1322),
    QX_YEAR(0, kYearText[0], 0, 2210, 2211),
    QX_YEAR(0, kYearText[1], 1, 2212, 2213),
    QX_END(3),
};
constexpr int k95Cells[] = {1303, 1322, 2210, 2211, 2212, 2213};

enum : int { kYearLabel1 = 24641, kYearLabel2 = 24642, kYearLabel3 = 24643 };
constexpr ui::ControlDef kEmpleoControls[] = {
    QX_HOLDER(95233, 1901, 1903),
    QX_YEAR(kYearLabel1, kYearText[0], 0, 2210, 2211),
    QX_YEAR(kYearLabel2, kYearText[1], 1, 2212, 2213),
    QX_YEAR(kYearLabel3, kYearText[2], 2, 2214, 2215),
    QX_END(4),
};
constexpr int kEmpleoCells[] = {1901, 1903, 2210, 2211, 2212, 2213, 2214, 2215};

constexpr ui::ControlDef kAnexoc1Controls[] = {
    QX_HOLDER(95233, 1303, 1322),
    QX_YEAR(0, kYearText[0], 0, 24627, 24629),
    QX_YEAR(0, kYearText[1], 1, 24628, 24630),
    QX_YEAR(0, kYearText[2], 2, 2214, 2216),
    QX_YEAR(0, kYearText[3], 3, 2215, 2217),
    QX_YEAR(0, kYearText[4], 4, 2218, 2219),
    QX_END(6),
};
constexpr int kAnexoc1Cells[] = {1303, 1322, 24627, 24629, 24628, 24630, 2214, 2216, 2215, 2217, 2218, 2219};
#undef QX_HOLDER
#undef QX_YEAR
#undef QX_END

constexpr ui::DialogTemplate k95Template{.id = CSalpen95Dlg::kId, .captionId = 95230, .controls = k95Controls};
constexpr ui::DialogTemplate kEmpleoTemplate{.id = CSalpenempleoDlg::kId, .captionId = 95231,
                                             .controls = kEmpleoControls};
constexpr ui::DialogTemplate kAnexoc1Template{.id = CAnexoc1Dlg::kId, .captionId = 95232,
                                              .controls = kAnexoc1Controls};

constexpr ui::RowLayout Layout(std::span<const int> cells, std::size_t rowSize) {
  return {.rows = f::kRows, .columns = static_cast<int>(cells.size()) / f::kRows, .first = 0,
          .stride = static_cast<unsigned>(rowSize), .holder = f::Holder.off, .cells = cells};
}
constexpr ui::RowLayout k95Layout = Layout(k95Cells, 24);
constexpr ui::RowLayout kEmpleoLayout = Layout(kEmpleoCells, 32);
constexpr ui::RowLayout kAnexoc1Layout = Layout(kAnexoc1Cells, 48);
}  // namespace

namespace annex {

int CPendingRowsDlg::OnEditSetFocus(int id) {
  auto* legend = Item<QLabel>(kLegend);
  if (!legend) return 1;
  if (!ShowHolderLegend(*this, id, kLegend) && !keepLegend_) legend->clear();
  return 1;
}

}  // namespace annex

CSalpen95Dlg::CSalpen95Dlg(const ui::AnnexArgs& args) : CPendingRowsDlg(k95Template, 24, k95Layout, args, false) {}

CSalpenempleoDlg::CSalpenempleoDlg(const ui::AnnexArgs& args)
    : CPendingRowsDlg(kEmpleoTemplate, 32, kEmpleoLayout, args, false) {}

void CSalpenempleoDlg::OnInitAnnex() {
  if (index != 2) return;
  const int labels[] = {kYearLabel1, kYearLabel2, kYearLabel3};
  for (int y = 0; y < 3; ++y)
    if (auto* l = Item<QLabel>(labels[y])) l->setText(platform::LoadString(kYearText[y + 2]));
}

CAnexoc1Dlg::CAnexoc1Dlg(const ui::AnnexArgs& args) : CPendingRowsDlg(kAnexoc1Template, 48, kAnexoc1Layout, args, true) {}

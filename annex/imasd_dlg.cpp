#include "annex/imasd_dlg.h"

#include <QLabel>

#include "blocks/rounding.h"
#include "platform/strings.h"

namespace {
using ui::Ctl;
namespace f = annex::imasd;
using D = CImasdDlg;

constexpr int kCells[] = {D::kInnovationHolders[0], D::kInnovationHolders[1], D::kCommissioned[0], D::kCommissioned[1],
                          D::kOther[0], D::kOther[1], D::kInnovationDeductions[0], D::kInnovationDeductions[1]};
constexpr ui::RowLayout kLayout{.rows = 2, .columns = 4, .first = f::kInnovationFirst, .stride = f::kInnovationSize,
                                .holder = 0, .cells = kCells};

constexpr blocks::U8 ResearchHolderAt(int r) { return {f::kResearchSize * static_cast<std::size_t>(r)}; }
constexpr blocks::F64 ResearchAt(blocks::F64 field, int r) { return {field.off + f::kResearchSize * static_cast<std::size_t>(r)}; }

// Cells of the row matrix name their field in the first innovation row.
constexpr blocks::U8 FirstRow(blocks::U8 field) { return {f::kInnovationFirst + field.off}; }
constexpr blocks::F64 FirstRow(blocks::F64 field) { return {f::kInnovationFirst + field.off}; }

constexpr int kResearchGroup = 30083, kInnovationGroup = 30084;
#define QX_MONEY(ident, r, c, fld, g, opt) \
  {.id = ident, .kind = Ctl::Money, .row = r, .col = c, .group = g, .width = 8, .decimals = 2, .field = fld, .options = opt}
#define QX_RESEARCH(r)                                                                                          \
  {.id = D::kResearchHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .group = kResearchGroup,       \
   .field = ResearchHolderAt(r)},                                                                               \
  QX_MONEY(D::kTotals[r], (r) + 1, 1, ResearchAt(f::Total, r), kResearchGroup, 0u),                             \
  QX_MONEY(D::kAverages[r], (r) + 1, 2, ResearchAt(f::Average, r), kResearchGroup, 0u),                         \
  QX_MONEY(D::kAdditional[r], (r) + 1, 3, ResearchAt(f::Additional, r), kResearchGroup, 0u),                    \
  QX_MONEY(D::kResearchDeductions[r], (r) + 1, 4, ResearchAt(f::ResearchDeduction, r), kResearchGroup, ui::kOptDisabled)
#define QX_INNOVATION(r)                                                                                        \
  {.id = D::kInnovationHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .group = kInnovationGroup,   \
   .field = FirstRow(f::InnovationHolder)},                                                                               \
  QX_MONEY(D::kCommissioned[r], (r) + 1, 1, FirstRow(f::Commissioned), kInnovationGroup, 0u),                   \
  QX_MONEY(D::kOther[r], (r) + 1, 2, FirstRow(f::Other), kInnovationGroup, 0u),                                 \
  QX_MONEY(D::kInnovationDeductions[r], (r) + 1, 3, FirstRow(f::InnovationDeduction), kInnovationGroup, ui::kOptDisabled)
constexpr ui::ControlDef kControls[] = {
    {.id = kResearchGroup, .kind = Ctl::GroupBox, .textId = 97881, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0, .group = kResearchGroup},
    {.kind = Ctl::Static, .textId = 97882, .row = 0, .col = 1, .group = kResearchGroup},
    {.kind = Ctl::Static, .textId = 97871, .row = 0, .col = 2, .group = kResearchGroup},
    {.id = D::kAdditionalHeading, .kind = Ctl::Legend, .textId = 97883, .row = 0, .col = 3, .group = kResearchGroup},
    {.kind = Ctl::Static, .textId = 97874, .row = 0, .col = 4, .group = kResearchGroup},
    QX_RESEARCH(0), QX_RESEARCH(1),
    {.kind = Ctl::Static, .textId = 97884, .row = 3, .col = 0, .colSpan = 5, .group = kResearchGroup},
    {.id = kInnovationGroup, .kind = Ctl::GroupBox, .textId = 97885, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0, .group = kInnovationGroup},
    {.kind = Ctl::Static, .textId = 97886, .row = 0, .col = 1, .group = kInnovationGroup},
    {.kind = Ctl::Static, .textId = 97887, .row = 0, .col = 2, .group = kInnovationGroup},
    {.kind = Ctl::Static, .textId = 97888, .row = 0, .col = 3, .group = kInnovationGroup},
    QX_INNOVATION(0), QX_INNOVATION(1),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 0},
};
#undef QX_INNOVATION
#undef QX_RESEARCH
#undef QX_MONEY
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97880, .controls = kControls};

constexpr int kHigherAdditionalHeading = 354;
double Round2(double v) { return blocks::RoundToDecimals(v, 2); }
}  // namespace

D::CImasdDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void D::CalculateDeductions() {
  if (index != 1 && index != 2) return;
  const bool higher = index == 2;
  for (int r = 0; r < 2; ++r) {
    std::uint8_t* row = ResearchRow(r);
    const double t = f::Total.get(row), m = f::Average.get(row), a = f::Additional.get(row);
    const double deduction = higher ? (t > m ? (t - m) * 0.9 + a * 0.3 + m * 0.54 : a * 0.3 + t * 0.54)
                                    : (t > m ? (t - m) * 0.5 + a * 0.1 + m * 0.3 : a * 0.1 + t * 0.3);
    f::ResearchDeduction.set(row, Round2(deduction));
    std::uint8_t* innovation = Row(r);
    f::InnovationDeduction.set(innovation, Round2(f::Commissioned.get(innovation) * (higher ? 0.35 : 0.15)) +
                                               Round2(f::Other.get(innovation) * (higher ? 0.3 : 0.10)));
  }
}

void D::EnableResearchRow(int row, bool enable) {
  for (const int* column : {kTotals, kAverages, kAdditional})
    if (QWidget* w = GetDlgItem(column[row])) w->setEnabled(enable && IsEditable());
}

void D::ClearResearchRow(int row) {
  std::uint8_t* r = ResearchRow(row);
  f::ResearchHolder.set(r, 0);
  for (const blocks::F64 field : {f::Total, f::Average, f::Additional}) field.set(r, 0.0);
}

void D::MoveResearchRow1Up() {
  std::uint8_t *to = ResearchRow(0), *from = ResearchRow(1);
  f::ResearchHolder.set(to, f::ResearchHolder.get(from));
  for (const blocks::F64 field : {f::Total, f::Average, f::Additional}) field.set(to, field.get(from));
}

// The second research row opens only after the first.
void D::UpdateResearchRows() {
  const bool first = f::ResearchHolder.get(ResearchRow(0)) != 0;
  EnableResearchRow(0, first);
  EnableResearchRow(1, first && f::ResearchHolder.get(ResearchRow(1)) != 0);
  if (QWidget* w = GetDlgItem(kResearchHolders[1])) w->setEnabled(first && IsEditable());
  for (const int* column : {kResearchDeductions, kInnovationDeductions})
    for (int r = 0; r < 2; ++r)
      if (QWidget* w = GetDlgItem(column[r])) w->setEnabled(false);
}

void D::OnInitAnnex() {
  if (index == 2)
    if (auto* heading = Item<QLabel>(kAdditionalHeading)) heading->setText(platform::LoadString(kHigherAdditionalHeading));
}

void D::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  UpdateResearchRows();
}

void D::ResearchHolderStored(int id) {
  if (id == kResearchHolders[0] && f::ResearchHolder.get(ResearchRow(0)) == 0) {
    ClearResearchRow(0);
    if (f::ResearchHolder.get(ResearchRow(1)) != 0) {
      MoveResearchRow1Up();
      ClearResearchRow(1);
    }
  } else if (id == kResearchHolders[1] && f::ResearchHolder.get(ResearchRow(1)) == 0) {
    ClearResearchRow(1);
  }
  UpdateResearchRows();
}

void D::AfterChange() {
  CalculateDeductions();
  UpdateAll(false);
  UpdateResearchRows();
}

int D::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  AfterChange();
  return 1;
}

int D::OnEditValueChanged(int id) {
  const int handled = CAnnexRowsDlg::OnEditValueChanged(id);
  UpdateAll(true);
  if (id == kResearchHolders[0] || id == kResearchHolders[1]) ResearchHolderStored(id);
  AfterChange();
  return handled;
}

int D::OnEditValueCleared(int id) {
  if (id != kResearchHolders[0] && id != kResearchHolders[1]) return CAnnexRowsDlg::OnEditValueCleared(id);
  UpdateAll(true);
  ResearchHolderStored(id);
  AfterChange();
  return 1;
}

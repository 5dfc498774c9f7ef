#include "annex/renobga_dlg.h"

#include <QLabel>

#include <cstring>
#include <vector>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "tallyvex.h"
#include "ui/edit_ex.h"

namespace {
using ui::Ctl;
namespace f = annex::renobga;
using D = CRenobgaDlg;

constexpr int kCells[] = {D::kHolders[0], D::kHolders[1], D::kHolders[2], D::kGeneral[0], D::kGeneral[1],
                          D::kGeneral[2], D::kSpecial[0], D::kSpecial[1], D::kSpecial[2], D::kTaxPaid[0],
                          D::kTaxPaid[1], D::kTaxPaid[2]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 4, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kCells};
constexpr int kResultsBox = 30041;

#define QX_ITEM(r)                                                                                            \
  {.id = D::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},                 \
  {.id = D::kGeneral[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,             \
   .field = f::General},                                                                                      \
  {.id = D::kSpecial[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,             \
   .field = f::Special},                                                                                      \
  {.id = D::kTaxPaid[r], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,             \
   .field = f::TaxPaid}
#define QX_RESULT(L, TID, DIG, FOF)                                                              \
  {.kind = Ctl::Static, .textId = (TID), .row = (L) + 1, .col = 0, .group = kResultsBox},               \
  {.id = D::kResultIds[L][0], .kind = Ctl::Money, .row = (L) + 1, .col = 1, .group = kResultsBox,       \
   .width = (DIG), .decimals = 2, .field = FOF(0), .options = ui::kOptNegatives | ui::kOptDisabled},   \
  {.id = D::kResultIds[L][1], .kind = Ctl::Money, .row = (L) + 1, .col = 2, .group = kResultsBox,       \
   .width = (DIG), .decimals = 2, .field = FOF(1), .options = ui::kOptNegatives | ui::kOptDisabled},   \
  {.id = D::kResultIds[L][2], .kind = Ctl::Money, .row = (L) + 1, .col = 3, .group = kResultsBox,       \
   .width = (DIG), .decimals = 2, .field = FOF(2), .options = ui::kOptNegatives | ui::kOptDisabled}
#define QX_GP(k) [](int c) { return f::GeneralPart(c, k); }
#define QX_SP(k) [](int c) { return f::SpecialPart(c, k); }

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95431, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95432, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95433, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95434, .row = 0, .col = 3},
    QX_ITEM(0), QX_ITEM(1), QX_ITEM(2),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 4},
    {.id = kResultsBox, .kind = Ctl::GroupBox, .textId = 95435, .row = 5, .col = 0, .colSpan = 4},
    {.kind = Ctl::Static, .textId = 95436, .row = 0, .col = 1, .group = kResultsBox},
    {.kind = Ctl::Static, .textId = 95437, .row = 0, .col = 2, .group = kResultsBox},
    {.kind = Ctl::Static, .textId = 95438, .row = 0, .col = 3, .group = kResultsBox},
    QX_RESULT(0, 95439, 2, f::GeneralRate),
    QX_RESULT(1, 95440, 2, f::SpecialRate),
    QX_RESULT(2, 95441, 8, QX_GP(0)),
    QX_RESULT(3, 95442, 8, QX_GP(1)),
    QX_RESULT(4, 95443, 8, QX_GP(2)),
    QX_RESULT(5, 95444, 8, QX_SP(0)),
    QX_RESULT(6, 95445, 8, QX_SP(1)),
    QX_RESULT(7, 95446, 8, QX_SP(2)),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
#undef QX_ITEM
#undef QX_RESULT
#undef QX_GP
#undef QX_SP
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95430, .controls = kControls, .helpTopic = 492};

bool IsGeneral(int id) { return std::find(std::begin(D::kGeneral), std::end(D::kGeneral), id) != std::end(D::kGeneral); }
bool IsSpecial(int id) { return std::find(std::begin(D::kSpecial), std::end(D::kSpecial), id) != std::end(D::kSpecial); }
}  // namespace

CRenobgaDlg::CRenobgaDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CRenobgaDlg::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on && IsEditable());
}

void CRenobgaDlg::ZeroResults() { std::memset(Shown() + f::kResults, 0, f::kBlockSize - f::kResults); }

void CRenobgaDlg::CalculateResults() {
  std::uint8_t* declaration = doc::Form100Block();
  if (!declaration) return;
  // A copy of the summary only: the declaration's other records are read, never written here.
  std::vector<std::uint8_t> summary(f100::Summary.size);
  std::memcpy(summary.data(), f100::record(declaration, f100::Summary), summary.size());
  std::memcpy(summary.data() + f::kSummaryOffset, Shown(), f::kBlockSize);
  auto r = [declaration](const blocks::RecordDef& def) { return static_cast<void*>(f100::record(declaration, def)); };
  Calculos100Li(summary.data(), r(f100::SectionH), r(f100::SectionQ), r(f100::SectionB), r(f100::SectionF1),
                r(f100::SectionK), r(f100::SectionD), r(f100::SectionF2), r(f100::SectionE1), r(f100::SectionE4),
                r(f100::SectionE5), r(f100::SectionC), r(f100::SectionF3), r(f100::SectionF4), r(f100::SectionF5),
                r(f100::SectionG6), r(f100::SectionI), r(f100::SectionA), r(f100::SectionJ), r(f100::Result),
                r(f100::Family), 4);
  std::memcpy(Shown(), summary.data() + f::kSummaryOffset, f::kBlockSize);
  if (!doc::HouseholdHasSeveralHolders()) std::memset(Shown() + f::kResults, 0, f::kResultSize);
}

void CRenobgaDlg::OnInitAnnex() {
  if (shownMember != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders()) ZeroResults();
}

void CRenobgaDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  UpdatePartnerCells();
  for (const auto& line : kResultIds)
    for (int id : line)
      if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

void CRenobgaDlg::UpdatePartnerCells() {
  for (int r = 0; r < f::kRows; ++r) {
    if (f::Holder.get(Row(r)) == 0) continue;
    Enable(kSpecial[r], f::General.get(Row(r)) == 0.0);
    Enable(kGeneral[r], f::Special.get(Row(r)) == 0.0);
  }
}

int CRenobgaDlg::OnEditChange(int id) {
  const int row = GetRowOfControl(id);
  if (row < 0) return 0;
  const bool typed = !ControlText(id).trimmed().isEmpty();
  if (IsGeneral(id) && typed) Enable(kSpecial[row], false);
  if (IsSpecial(id) && typed) Enable(kGeneral[row], false);
  return 0;
}

int CRenobgaDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  const int row = GetRowOfControl(id);
  if (row >= 0 && (IsGeneral(id) || IsSpecial(id))) {
    const bool empty = ControlText(id).trimmed().isEmpty();
    Enable(IsGeneral(id) ? kSpecial[row] : kGeneral[row], empty);
  }
  UpdateAll(true);
  CalculateResults();
  UpdateAll(false);
  return 1;
}

int CRenobgaDlg::OnEditValueCleared(int id) {
  CalculateResults();
  ZeroResults();
  UpdateAll(false);
  return 1;
}

int CRenobgaDlg::OnEditValueChanged(int id) {
  CAnnexRowsDlg::OnEditValueChanged(id);
  if (GetColumnOfControl(id) == 0) {
    UpdatePartnerCells();
    bool gap = false;
    for (int r = 0; r < f::kRows; ++r) gap = gap || f::Holder.get(Row(r)) == 0;
    if (gap) {
      ZeroResults();
      CalculateResults();
    }
  }
  UpdateAll(false);
  return 1;
}

int CRenobgaDlg::OnEditSetFocus(int id) {
  if (GetColumnOfControl(id) == 0)
    if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  return 1;
}

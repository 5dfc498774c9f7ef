#include "annex/activity_deduction_dlg.h"

#include <QLabel>

#include <algorithm>
#include <array>
#include <initializer_list>

#include "blocks/form100.h"
#include "blocks/rounding.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "tallyvex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::activity_deduction;
using B = CActivityDeductionDlg;

constexpr int kCells[] = {B::kHolders[0], B::kHolders[1], B::kFirst[0],       B::kFirst[1],
                          B::kSecond[0],  B::kSecond[1],  B::kDeductions[0], B::kDeductions[1]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 4, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kCells};

#define QX_ROW(r)                                                                                              \
  {.id = B::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},                   \
  {.id = B::kFirst[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2, .field = f::First}, \
  {.id = B::kSecond[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2, .field = f::Second}, \
  {.id = B::kDeductions[r], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,             \
   .field = f::Deduction, .options = ui::kOptDisabled}
#define QX_TABLE(name, first, second)                                                 \
  constexpr ui::ControlDef name[] = {                                                 \
      {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},                     \
      {.kind = Ctl::Static, .textId = first, .row = 0, .col = 1},                     \
      {.kind = Ctl::Static, .textId = second, .row = 0, .col = 2},                    \
      {.kind = Ctl::Static, .textId = 97874, .row = 0, .col = 3},                     \
      QX_ROW(0),                                                                      \
      QX_ROW(1),                                                                      \
      {.id = B::kPrompt, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 4},      \
      {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 2}, \
      {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 3}, \
  }
QX_TABLE(kTrainingControls, 97870, 97871);
QX_TABLE(kTechnologyControls, 97872, 97873);
#undef QX_TABLE
#undef QX_ROW
constexpr ui::DialogTemplate kTraining{.id = CFormprofDlg::kId, .captionId = 97875, .controls = kTrainingControls,
                                       .helpTopic = 598};
constexpr ui::DialogTemplate kTechnology{.id = CGtotecinfDlg::kId, .captionId = 97876,
                                         .controls = kTechnologyControls, .helpTopic = 592};

using Vec = std::array<double, 5>;

// The activity rows of the declaration that hold yields by holder.
struct Rows {
  std::size_t first, size;
};
constexpr Rows kE1{f100::SectionE1.offset, 288}, kE4{f100::SectionE4.offset, 1416}, kE5{f100::SectionE5.offset, 2056},
    kF1{f100::SectionF1.offset, 184}, kF2{f100::SectionF2.offset, 216};

// Adds each row's amount (`amount` of the row, 0 where `taken` says no) by its holder code, as the
// calculation library does.
template <class Amount>
void AddRows(Vec& v, const std::uint8_t* decl, Rows rows, Amount amount) {
  for (int r = 0; r < 6; ++r) {
    const std::uint8_t* row = decl + rows.first + rows.size * static_cast<std::size_t>(r);
    Vec one{};
    SumaASuTitular(one.data(), 5, static_cast<int>(row[0]), amount(row), -1);
    for (int k = 0; k < 5; ++k) v[k] += one[k];
  }
}
double At(const std::uint8_t* row, std::size_t off) { return blocks::F64{off}.get(row); }
}  // namespace

B::CActivityDeductionDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args)
    : CAnnexRowsDlg(tmpl, f::kBlockSize, kLayout, args) {}

void B::DisableDeductions() {
  for (int id : kDeductions)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

void B::OnInitAnnex() { DisableDeductions(); }

void B::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  DisableDeductions();
}

int B::OnEditSetFocus(int id) {
  if (auto* prompt = Item<QLabel>(kPrompt)) {
    if (GetColumnOfControl(id) == 0) prompt->setText(GetHolderLegend());
    else prompt->clear();
  }
  return 1;
}

// ---------------------------------------------------------------- professional training

CFormprofDlg::CFormprofDlg(const ui::AnnexArgs& args) : CActivityDeductionDlg(kTraining, args) {}

void CFormprofDlg::CalculateDeduction() {
  if (index != 1 && index != 2) return;
  const double above = index == 1 ? 0.10 : 0.30, base = index == 1 ? 0.05 : 0.25;
  for (int r = 0; r < f::kRows; ++r) {
    std::uint8_t* row = Row(r);
    const double e = f::First.get(row), m = f::Second.get(row);
    f::Deduction.set(row, blocks::RoundToDecimals(e > m ? (e - m) * above + m * base : e * base, 2));
  }
  UpdateAll(false);
}

int CFormprofDlg::OnEditKillFocus(int id) {
  if (!CActivityDeductionDlg::OnEditKillFocus(id)) return 0;
  DisableDeductions();
  UpdateAll(true);
  CalculateDeduction();
  return 1;
}

int CFormprofDlg::OnEditValueChanged(int id) {
  if (!CActivityDeductionDlg::OnEditValueChanged(id)) return 0;
  DisableDeductions();
  return 1;
}

// ---------------------------------------------------------------- information technology

CGtotecinfDlg::CGtotecinfDlg(const ui::AnnexArgs& args) : CActivityDeductionDlg(kTechnology, args) {}

void CGtotecinfDlg::CalculateDeduction() {
  UpdateAll(true);
  Vec s{};
  if (const std::uint8_t* decl = doc::Form100Block()) {
    AddRows(s, decl, kE4, [](const std::uint8_t* row) { return At(row, 1392); });
    AddRows(s, decl, kE5, [](const std::uint8_t* row) { return At(row, 2032); });
    AddRows(s, decl, kF1, [](const std::uint8_t* row) { return row[105] != 0 ? At(row, 112) : 0.0; });
  }
  for (double& v : s) v = std::max(v, 0.0);
  const double rate = index == 1 ? 0.1 : index == 2 ? 0.3 : 0.0;
  for (int r = 0; r < f::kRows; ++r) {
    std::uint8_t* row = Row(r);
    const int h = f::Holder.get(row);
    if (h < 1 || h > 5) continue;
    const double objective = std::min(f::Second.get(row), s[static_cast<std::size_t>(h - 1)]);
    f::Deduction.set(row, blocks::RoundToDecimals((f::First.get(row) + objective) * rate, 2));
  }
  UpdateAll(false);
}

bool CGtotecinfDlg::CheckBases() {
  const std::uint8_t* decl = doc::Form100Block();
  Vec objective{}, direct{};
  if (decl) {
    AddRows(objective, decl, kE4, [](const std::uint8_t* row) { return At(row, 1272); });
    AddRows(objective, decl, kE5, [](const std::uint8_t* row) { return At(row, 1832); });
    AddRows(objective, decl, kF1, [](const std::uint8_t* row) { return row[105] != 0 ? At(row, 112) : 0.0; });
    AddRows(direct, decl, kF2, [](const std::uint8_t* row) { return row[10] == '1' ? 0.0 : At(row, 16); });
    AddRows(direct, decl, kF1, [](const std::uint8_t* row) { return row[105] == 0 && row[104] != 0 ? At(row, 112) : 0.0; });
    AddRows(direct, decl, kE1, [](const std::uint8_t* row) { return At(row, 88); });
  }
  struct Check {
    blocks::F64 base;
    const Vec& yields;
    const char* code;
  };
  for (const Check& c : {Check{f::Second, objective, "100R059"}, Check{f::First, direct, "100R060"}})
    for (int h = 1; h <= 5; ++h)
      for (int r = 0; r < f::kRows; ++r) {
        const std::uint8_t* row = Row(r);
        if (f::Holder.get(row) == h && c.base.get(row) > 0 && c.yields[static_cast<std::size_t>(h - 1)] == 0.0) {
          ui::ShowMessage(this, QString::fromLatin1(c.code), platform::kIconHand);
          return false;
        }
      }
  return true;
}

int CGtotecinfDlg::OnEditKillFocus(int id) {
  if (!CActivityDeductionDlg::OnEditKillFocus(id)) return 0;
  CalculateDeduction();
  DisableDeductions();
  return 1;
}

int CGtotecinfDlg::OnEditValueChanged(int id) {
  if (!CActivityDeductionDlg::OnEditValueChanged(id)) return 0;
  CalculateDeduction();
  DisableDeductions();
  return 1;
}

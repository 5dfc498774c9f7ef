#include "annex/investment_deduction_dlg.h"

#include <QLabel>

#include <algorithm>

#include "annex/capital_rows.h"
#include "blocks/rounding.h"

namespace {
using ui::Ctl;
namespace ci = annex::invcinaud;
namespace pm = annex::invprotmed;
using B = CInvestmentDeductionDlg;
using C = CInvcinaudDlg;
using P = CInvprotmedDlg;


#define QX_MONEY(ident, r, c, fld, opt) \
  {.id = ident, .kind = Ctl::Money, .row = (r) + 1, .col = c, .width = 8, .decimals = 2, .field = fld, .options = opt}
#define QX_FILM(r)                                                                                          \
  {.id = B::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = ci::Holder},               \
  QX_MONEY(C::kProducer[r], r, 1, ci::Producer, 0u), QX_MONEY(C::kCoProducer[r], r, 2, ci::CoProducer, 0u),  \
  QX_MONEY(C::kIncome[r], r, 3, ci::Income, 0u), QX_MONEY(B::kDeductions[r], r, 4, ci::Deduction, ui::kOptDisabled)
constexpr ui::ControlDef kFilmControls[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97890, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97891, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97892, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97874, .row = 0, .col = 4},
    QX_FILM(0), QX_FILM(1),
    {.id = B::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 5},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 3},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 4},
};
#define QX_BASE(r)                                                                                          \
  {.id = B::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = pm::Holder},               \
  QX_MONEY(P::kBase[r], r, 1, pm::Base, 0u), QX_MONEY(B::kDeductions[r], r, 2, pm::Deduction, ui::kOptDisabled)
constexpr ui::ControlDef kBaseControls[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97893, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97874, .row = 0, .col = 2},
    QX_BASE(0), QX_BASE(1),
    {.id = B::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 2},
};
#undef QX_BASE
#undef QX_FILM
#undef QX_MONEY
// The template captions say only "Dialog": the launcher's title is the caption shown.
constexpr ui::DialogTemplate kFilmTemplate{.id = C::kId, .caption = "Dialog", .controls = kFilmControls, .helpTopic = 589};
constexpr ui::DialogTemplate kBaseTemplate{.id = P::kId, .caption = "Dialog", .controls = kBaseControls, .helpTopic = 592};

constexpr int kFilmCells[] = {B::kHolders[0], B::kHolders[1], C::kProducer[0], C::kProducer[1], C::kCoProducer[0],
                              C::kCoProducer[1], C::kIncome[0], C::kIncome[1], B::kDeductions[0], B::kDeductions[1]};
constexpr ui::RowLayout kFilmLayout{.rows = 2, .columns = 5, .first = 0, .stride = ci::kRowSize, .holder = 0,
                                    .cells = kFilmCells};
constexpr int kBaseCells[] = {B::kHolders[0], B::kHolders[1], P::kBase[0], P::kBase[1], B::kDeductions[0],
                              B::kDeductions[1]};
constexpr ui::RowLayout kBaseLayout{.rows = 2, .columns = 3, .first = 0, .stride = pm::kRowSize, .holder = 0,
                                    .cells = kBaseCells};
double Round2(double v) { return blocks::RoundToDecimals(v, 2); }
}  // namespace

B::CInvestmentDeductionDlg(const ui::DialogTemplate& tmpl, std::size_t rowSize, const ui::RowLayout& layout,
                           const ui::AnnexArgs& args)
    : CAnnexRowsDlg(tmpl, rowSize * 2, layout, args) {}

void B::DisableDeductions() {
  if (!ComputesDeduction()) return;
  for (int id : kDeductions)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

void B::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  DisableDeductions();
}

int B::OnEditSetFocus(int id) {
  if (!annex::ShowHolderLegend(*this, id, kLegend))
    if (QWidget* legend = GetDlgItem(kLegend)) static_cast<QLabel*>(legend)->clear();
  return 1;
}

int B::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  DisableDeductions();
  UpdateAll(true);
  CalculateDeduction();
  UpdateAll(false);
  return 1;
}

int B::OnEditValueChanged(int id) {
  if (!CAnnexRowsDlg::OnEditValueChanged(id)) return 0;
  DisableDeductions();
  return 1;
}

C::CInvcinaudDlg(const ui::AnnexArgs& args) : CInvestmentDeductionDlg(kFilmTemplate, ci::kRowSize, kFilmLayout, args) {}

void C::CalculateDeduction() {
  if (index != 1 && index != 2) return;
  const double producerRate = index == 1 ? 0.2 : 0.4, coProducerRate = index == 1 ? 0.05 : 0.25;
  for (int r = 0; r < 2; ++r) {
    std::uint8_t* row = Row(r);
    ci::Deduction.set(row, Round2(ci::Producer.get(row) * producerRate +
                                  std::min(ci::CoProducer.get(row) * coProducerRate, ci::Income.get(row) * 0.05)));
  }
}

P::CInvprotmedDlg(const ui::AnnexArgs& args) : CInvestmentDeductionDlg(kBaseTemplate, pm::kRowSize, kBaseLayout, args) {}

double P::Rate(int n) {
  constexpr double kRates[] = {0.05, 0.10, 0.15, 0.25, 0.30, 0.35, 0.45};
  return n >= 1 && n <= 7 ? kRates[n - 1] : 0.0;
}

// The lines without a rate in the table (an amount per worker, the reinvestment of extraordinary
// profits, other deductions) take the deduction as typed.
void P::CalculateDeduction() {
  const double rate = Rate(index);
  if (rate == 0.0) return;
  for (int r = 0; r < 2; ++r) pm::Deduction.set(Row(r), Round2(pm::Base.get(Row(r)) * rate));
}

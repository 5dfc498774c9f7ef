#include "annex/entered_amounts_dlg.h"

#include <QLabel>

#include "annex/capital_rows.h"

namespace {
using ui::Ctl;
namespace fu = annex::fundaci3;
namespace gs = annex::gassuerus;
namespace dd = annex::dblimpdiv;
namespace dt = annex::dblimptra;
using F = CFundaci3Dlg;
using G = CGassuerusDlg;
using V = CDblimpdivDlg;

#define QX_MONEY(ident, r, c, fld) {.id = ident, .kind = Ctl::Money, .row = r, .col = c, .width = 8, .decimals = 2, .field = fld}

// Donations: three rows of holder and three amounts.
#define QX_DONATION(r)                                                                                       \
  {.id = F::kHolders[r], .kind = Ctl::Titular, .row = (r) + 2, .col = 0, .field = fu::Holder},                \
  QX_MONEY(F::kGeneral[r], (r) + 2, 1, fu::General), QX_MONEY(F::kPriority[r], (r) + 2, 2, fu::Priority),     \
  QX_MONEY(F::kOther[r], (r) + 2, 3, fu::OtherEntities)
constexpr ui::ControlDef kDonations[] = {
    {.kind = Ctl::Static, .textId = 97900, .row = 0, .col = 0, .colSpan = 4},
    {.kind = Ctl::Static, .textId = 97861, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97901, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = 97902, .row = 1, .col = 2},
    {.kind = Ctl::Static, .textId = 97903, .row = 1, .col = 3},
    QX_DONATION(0), QX_DONATION(1), QX_DONATION(2),
    {.id = 1296, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 4},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
#undef QX_DONATION
constexpr int kDonationCells[] = {F::kHolders[0], F::kHolders[1], F::kHolders[2], F::kGeneral[0],  F::kGeneral[1],
                                  F::kGeneral[2], F::kPriority[0], F::kPriority[1], F::kPriority[2], F::kOther[0],
                                  F::kOther[1],   F::kOther[2]};
constexpr ui::RowLayout kDonationLayout{.rows = 3, .columns = 4, .first = 0, .stride = fu::kRowSize, .holder = 0,
                                        .cells = kDonationCells};

// Rural land: one column per holder, the fields down the rows.
#define QX_LAND(k)                                                                                           \
  {.id = G::kHolders[k], .kind = Ctl::Titular, .row = 0, .col = (k) + 1, .field = gs::Holder},                 \
  QX_MONEY(G::kExpense[k], 1, (k) + 1, gs::Expense),                                                          \
  {.id = G::kHectares[k], .kind = Ctl::Double, .row = 2, .col = (k) + 1, .width = 8, .decimals = 2, .field = gs::Hectares}, \
  QX_MONEY(G::kPropertyTax[k], 3, (k) + 1, gs::PropertyTax),                                                  \
  {.id = G::kMark[k], .kind = Ctl::Box, .row = 4, .col = (k) + 1, .width = 1, .field = gs::NaturalArea}
constexpr ui::ControlDef kLand[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97905, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97906, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = 97907, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = 97908, .row = 4, .col = 0},
    QX_LAND(0), QX_LAND(1),
    {.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 2},
};
#undef QX_LAND
constexpr int kLandCells[] = {G::kHolders[0],     G::kHolders[1],     G::kExpense[0], G::kExpense[1], G::kHectares[0],
                              G::kHectares[1],    G::kPropertyTax[0], G::kPropertyTax[1], G::kMark[0], G::kMark[1]};
constexpr ui::RowLayout kLandLayout{.rows = 2, .columns = 5, .first = 0, .stride = gs::kRowSize, .holder = 0,
                                    .cells = kLandCells};

// Pending dividend deductions: five rows.
#define QX_PENDING(r)                                                                                        \
  {.id = V::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = dd::Holder},                \
  QX_MONEY(V::kPending[r], (r) + 1, 1, dd::Pending)
constexpr ui::ControlDef kPending[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97910, .row = 0, .col = 1},
    QX_PENDING(0), QX_PENDING(1), QX_PENDING(2), QX_PENDING(3), QX_PENDING(4),
    {.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 6, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 7, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 7, .col = 1},
};
#undef QX_PENDING
constexpr int kPendingCells[] = {V::kHolders[0], V::kHolders[1], V::kHolders[2], V::kHolders[3], V::kHolders[4],
                                 V::kPending[0], V::kPending[1], V::kPending[2], V::kPending[3], V::kPending[4]};
constexpr ui::RowLayout kPendingLayout{.rows = 5, .columns = 2, .first = 0, .stride = dd::kRowSize, .holder = 0,
                                       .cells = kPendingCells};

constexpr ui::ControlDef kTransfer[] = {
    {.kind = Ctl::Static, .textId = 97912, .row = 0, .col = 0},
    QX_MONEY(CDblimptraDlg::kBase, 0, 1, dt::Base),
    {.kind = Ctl::Static, .textId = 97913, .row = 1, .col = 0},
    QX_MONEY(CDblimptraDlg::kDeduction, 1, 1, dt::Deduction),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 2, .col = 1},
};
#undef QX_MONEY

constexpr ui::DialogTemplate kDonationTemplate{.id = F::kId, .captionId = 97904, .controls = kDonations, .helpTopic = 479};
constexpr ui::DialogTemplate kLandTemplate{.id = G::kId, .captionId = 97909, .controls = kLand, .helpTopic = 928};
constexpr ui::DialogTemplate kPendingTemplate{.id = V::kId, .captionId = 97911, .controls = kPending, .helpTopic = 509};
constexpr ui::DialogTemplate kTransferTemplate{.id = CDblimptraDlg::kId, .captionId = 97914, .controls = kTransfer};
}  // namespace

int CEnteredRowsDlg::OnEditSetFocus(int id) {
  annex::ShowHolderLegend(*this, id, legend_);
  return 1;
}

void CEnteredRowsDlg::OnOK() {
  UpdateAll(true);
  if (IsEditable()) {
    ClearRowsWithoutData();
    CompactRows();
    block_ = working_;
  }
  CTemplateDlg::OnOK();
}

CFundaci3Dlg::CFundaci3Dlg(const ui::AnnexArgs& args)
    : CEnteredRowsDlg(kDonationTemplate, fu::kRowSize * 3, kDonationLayout, 1296, args) {}

CGassuerusDlg::CGassuerusDlg(const ui::AnnexArgs& args)
    : CEnteredRowsDlg(kLandTemplate, gs::kRowSize * 2, kLandLayout, ui::kHolderLegendId, args) {}


CDblimpdivDlg::CDblimpdivDlg(const ui::AnnexArgs& args)
    : CEnteredRowsDlg(kPendingTemplate, dd::kBlockSize, kPendingLayout, ui::kHolderLegendId, args) {}

CDblimptraDlg::CDblimptraDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTransferTemplate, dt::kBlockSize, args) {}

#include "annex/acquisition_value_dlg.h"

#include <QAbstractButton>

#include <cstring>
#include <string>

#include "blocks/dates.h"
#include "blocks/rounding.h"
#include "checks/validation_helper.h"
#include "platform/icons.h"
#include "ui/launcher_edit.h"

namespace {
using ui::Ctl;
namespace it = f100::sec_g4::item;
namespace g3 = f100::sec_g3;
using VH = checks::CValidationHelper;
using Short = CValadquiShortDlg;
using Long = CValadquiLongDlg;

constexpr int kHelpLong = 442, kHelpShort = 433;
constexpr int kExpensesBox = 30001, kDepreciationBox = 30002;
// Computed amounts: shown, never typed.
constexpr unsigned kComputed = ui::kOptDisabled | ui::kOptReadOnly;

constexpr ui::ControlDef Label(int textId, int row, int col, int group = 0, int span = 1) {
  return {.kind = Ctl::Static, .textId = textId, .row = row, .col = col, .colSpan = span, .group = group};
}
constexpr ui::ControlDef Year(const char* text, int row, int group) {
  return {.kind = Ctl::Static, .text = text, .row = row, .col = 0, .group = group};
}
constexpr ui::ControlDef Money(int id, int row, int col, ui::FieldRef f, int group = 0, unsigned options = 0) {
  return {.id = id, .kind = Ctl::Money, .row = row, .col = col, .group = group, .width = 8, .decimals = 2,
          .field = f, .options = options};
}
constexpr ui::ControlDef Date(int id, int row, int col, ui::FieldRef f, int group) {
  return {.id = id, .kind = Ctl::Date, .row = row, .col = col, .group = group, .width = 8, .field = f};
}
constexpr ui::ControlDef Launcher(int id, int row, ui::FieldRef f, const char* descriptor, int group) {
  return {.id = id, .kind = Ctl::Launcher, .row = row, .col = 1, .group = group, .width = 8, .decimals = 2,
          .field = f, .table = descriptor};
}

// ---------------------------------------------------------------- the long-term table's items

#define QX_ACQUISITION_HEAD                                                                                   \
  Label(97402, 0, 0, 0, 2), Money(Long::kAcquisition, 0, 2, it::AcquisitionAmount),                             \
  Label(97403, 1, 0, 0, 2), Money(Long::kAcquisitionUpdated, 1, 2, it::AcquisitionUpdated, 0, kComputed),       \
  {.id = kExpensesBox, .kind = Ctl::GroupBox, .textId = 97404, .row = 2, .col = 0, .colSpan = 4},               \
  Label(97405, 0, 0, kExpensesBox), Label(97406, 0, 1, kExpensesBox), Label(97403, 0, 2, kExpensesBox),         \
  Date(Long::kDate1, 1, 0, it::Expense1Date, kExpensesBox), Money(Long::kExpense1, 1, 1, it::Expense1, kExpensesBox), \
  Money(Long::kExpense1Updated, 1, 2, it::Expense1Updated, kExpensesBox, kComputed),                            \
  Date(Long::kDate2, 2, 0, it::Expense2Date, kExpensesBox), Money(Long::kExpense2, 2, 1, it::Expense2, kExpensesBox), \
  Money(Long::kExpense2Updated, 2, 2, it::Expense2Updated, kExpensesBox, kComputed),                            \
  {.id = kDepreciationBox, .kind = Ctl::GroupBox, .textId = 97407, .row = 3, .col = 0, .colSpan = 4}

#define QX_BUTTONS(r)                                                                                          \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = r, .col = 1},                            \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = r, .col = 2},                \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = r, .col = 3}

using N2 = CValadquina2Dlg;
constexpr ui::ControlDef kNonBusiness[] = {
    QX_ACQUISITION_HEAD,
    Label(97406, 0, 1, kDepreciationBox), Label(97409, 0, 2, kDepreciationBox), Label(97403, 0, 3, kDepreciationBox),
    Label(97408, 1, 0, kDepreciationBox),
    Money(N2::kTo1993, 1, 1, it::DepreciationTo1993, kDepreciationBox),
    Money(N2::kTo1993Updated, 1, 3, it::DepreciationTo1993Updated, kDepreciationBox, kComputed),
    Year("1994", 2, kDepreciationBox),
    Money(N2::k1994, 2, 1, it::Depreciation1994, kDepreciationBox),
    Date(N2::kAllowance1994, 2, 2, it::Allowance1994Date, kDepreciationBox),
    Money(N2::k1994Updated, 2, 3, it::Depreciation1994Updated, kDepreciationBox, kComputed),
    Year("1995", 3, kDepreciationBox),
    Money(N2::k1995, 3, 1, it::Depreciation1995, kDepreciationBox),
    Money(N2::k1995Updated, 3, 3, it::Depreciation1995Updated, kDepreciationBox, kComputed),
    Label(97410, 4, 0, kDepreciationBox),
    Launcher(N2::kFrom1996, 4, it::DepreciationFrom1996, "IDD_VALADQ96", kDepreciationBox),
    Money(N2::kFrom1996Updated, 4, 3, it::DepreciationFrom1996Updated, kDepreciationBox, kComputed),
    QX_BUTTONS(4),
};

using A2 = CValadquia2Dlg;
constexpr ui::ControlDef kBusiness[] = {
    QX_ACQUISITION_HEAD,
    Label(97406, 0, 1, kDepreciationBox), Label(97403, 0, 3, kDepreciationBox),
    Label(97408, 1, 0, kDepreciationBox),
    Launcher(A2::kTo1993, 1, it::DepreciationTo1993, "IDD_VALADQUIABA2", kDepreciationBox),
    Money(A2::kTo1993Updated, 1, 3, it::DepreciationTo1993Updated, kDepreciationBox, kComputed),
    Label(97411, 2, 0, kDepreciationBox),
    Launcher(A2::k1994, 2, it::Depreciation1994, "IDD_VALADQUIABA", kDepreciationBox),
    Money(A2::k1994Updated, 2, 3, it::Depreciation1994Updated, kDepreciationBox, kComputed),
    Label(97410, 3, 0, kDepreciationBox),
    Launcher(A2::k1995, 3, it::Depreciation1995, "IDD_VALADQ96", kDepreciationBox),
    Money(A2::k1995Updated, 3, 3, it::Depreciation1995Updated, kDepreciationBox, kComputed),
    QX_BUTTONS(4),
};
#undef QX_ACQUISITION_HEAD

constexpr ui::DialogTemplate kNonBusinessTemplate{.id = N2::kId, .captionId = 97400, .controls = kNonBusiness,
                                                  .helpTopic = kHelpLong};
constexpr ui::DialogTemplate kBusinessTemplate{.id = A2::kId, .captionId = 97401, .controls = kBusiness,
                                               .helpTopic = kHelpLong};

// ---------------------------------------------------------------- the table with reductions

constexpr ui::ControlDef kShort[] = {
    Label(97412, 0, 0, 0, 2), Money(Short::kAcquisition, 0, 2, g3::AcquisitionAmount),
    Label(97413, 1, 0, 0, 2), Money(Short::kExpenses, 1, 2, g3::AcquisitionExpenses),
    Label(97407, 2, 0, 0, 2), Money(Short::kDepreciation, 2, 2, g3::Amortisation),
    QX_BUTTONS(3),
};
#undef QX_BUTTONS
constexpr ui::DialogTemplate kShortNonBusinessTemplate{.id = CValadquinaDlg::kId, .captionId = 97400,
                                                       .controls = kShort, .helpTopic = kHelpShort};
constexpr ui::DialogTemplate kShortBusinessTemplate{.id = CValadquiaDlg::kId, .captionId = 97401,
                                                    .controls = kShort, .helpTopic = kHelpShort};

double Cents(double v) { return blocks::RoundToDecimals(v, 2); }
bool NoDepreciationKind(char kind) { return kind == '5' || kind == '6'; }
std::string Raw(const std::uint8_t* item, blocks::Text f) { return std::string(f.raw(item)); }
}  // namespace

// ============================================================================= reductions table

bool CValadquiShortDlg::ValidateAmounts() {
  const std::uint8_t* d = Data();
  if (Cents(g3::Amortisation.get(d)) > Cents(g3::AcquisitionAmount.get(d) + g3::AcquisitionExpenses.get(d))) {
    Say("100R036", platform::kIconHand);
    return false;
  }
  return true;
}

CValadquinaDlg::CValadquinaDlg(const ui::AnnexArgs& args) : CValadquiShortDlg(kShortNonBusinessTemplate, args) {}

void CValadquinaDlg::OnInitAnnex() {
  if (NoDepreciationKind(Kind())) Enable(kDepreciation, false);
}

CValadquiaDlg::CValadquiaDlg(const ui::AnnexArgs& args) : CValadquiShortDlg(kShortBusinessTemplate, args) {}

// ============================================================================= long-term table

bool CValadquiLongDlg::ValidateAmounts() {
  const std::uint8_t* d = Data();
  const double cost = it::AcquisitionAmount.get(d) + it::Expense1.get(d) + it::Expense2.get(d);
  const double depreciation = it::DepreciationTo1993.get(d) + it::Depreciation1994.get(d) +
                              it::Depreciation1995.get(d) + it::DepreciationFrom1996.get(d);
  if (Cents(cost) < Cents(depreciation)) {
    Say("100R036", platform::kIconHand);
    return false;
  }
  return true;
}

void CValadquiLongDlg::InitCommon(std::initializer_list<int> launchers) {
  working_.assign(Data(), Data() + annex::capital::kG4ItemSize);
  list_ = {.block = working_.data(), .value = itemIndex_};
  for (int id : launchers)
    if (CEditEx* l = Edit(id)) l->SetOption(&list_);
  const std::uint8_t* d = Data();
  Enable(kExpense1, !it::Expense1Date.isAbsent(d));
  Enable(kExpense2, !it::Expense2Date.isAbsent(d));
}

void CValadquiLongDlg::CheckExpenseDate(int dateId) {
  std::uint8_t* d = Data();
  const bool first = dateId == kDate1;
  const blocks::Text date = first ? it::Expense1Date : it::Expense2Date;
  const blocks::F64 amount = first ? it::Expense1 : it::Expense2;
  const int amountId = first ? kExpense1 : kExpense2;
  bool failed = false;
  if (!date.isAbsent(d) && !VH::IsValidDate(Raw(d, date))) {
    Say("WIN008", platform::kIconExclamation);
    date.clear(d);
    failed = true;
  }
  Enable(amountId, true);
  if (failed || date.isAbsent(d)) {
    amount.set(d, 0.0);
    Enable(amountId, false);
    return;
  }
  const std::string when = Raw(d, date);
  if (tv::CompareDates(when.c_str(), Raw(d, it::TransferDate).c_str()) == 1 ||
      tv::CompareDates(when.c_str(), Raw(d, it::AcquisitionDate).c_str()) == -1) {
    Say("WIN005", platform::kIconAsterisk);
    amount.set(d, 0.0);
    Enable(amountId, false);
    UpdateAll(false);
    annex::capital::ClearDate(d, date);
  }
}

void CValadquiLongDlg::Refresh() {
  RecalculateItem();
  UpdateAll(false);
}

int CValadquiLongDlg::OnEditKillFocus(int id) {
  if (annex::capital::FocusGoneToCancel() || ReadOnlyView()) return 0;
  if (id == kDate1 || id == kDate2) CheckExpenseDate(id);
  OnKillFocusOwn(id);
  Refresh();
  return 1;
}

// ----------------------------------------------------------------------------- non-business assets

CValadquina2Dlg::CValadquina2Dlg(const ui::AnnexArgs& args) : CValadquiLongDlg(kNonBusinessTemplate, args) {}

void CValadquina2Dlg::OnInitAnnex() {
  const bool noDepreciation = NoDepreciationKind(Kind());
  InitCommon({});
  if (!noDepreciation)
    if (CEditEx* l = Edit(kFrom1996)) l->SetOption(&list_);
  Enable(kAllowance1994, it::Depreciation1994.get(Data()) != 0.0);
  const int year = AcquisitionYear();
  if (year > 1993) Enable(kTo1993, false);
  if (year > 1994) Enable(k1994, false);
  if (year > 1995) Enable(k1995, false);
  if (noDepreciation)
    for (int id : std::initializer_list<int>{kTo1993, k1994, k1995, kFrom1996, kAllowance1994}) Enable(id, false);
}

void CValadquina2Dlg::OnKillFocusOwn(int id) {
  std::uint8_t* d = Data();
  if (id == k1994) {
    if (it::Depreciation1994.get(d) != 0.0) {
      Enable(kAllowance1994, true);
      if (it::Allowance1994Date.isAbsent(d)) it::Allowance1994Date.set(d, "31121994");
    } else {
      Enable(kAllowance1994, false);
      annex::capital::ClearDate(d, it::Allowance1994Date);
    }
  } else if (id == kAllowance1994) {
    const bool absent = it::Allowance1994Date.isAbsent(d);
    bool failed = false;
    if (!absent && !VH::IsValidDate(Raw(d, it::Allowance1994Date))) {
      Say("WIN008", platform::kIconExclamation);
      failed = true;
    }
    if (failed || absent) {
      annex::capital::ClearDate(d, it::Allowance1994Date);
    } else if (Raw(d, it::Allowance1994Date).substr(4, 4) != "1994") {
      Say("WIN005", platform::kIconHand);
      it::Allowance1994Date.set(d, "31121994");
    }
    UpdateAll(false);
  }
}

int CValadquina2Dlg::OnSubDialogValue(int id) {
  if (id != kFrom1996) return 1;
  // The years 1996 to 2003 and the 2002 allowance date come back; the rest is this dialog's.
  it::LateYearsArea.copyIn(Data(), working_.data() + it::LateYearsArea.off);
  Refresh();
  return 1;
}

// ----------------------------------------------------------------------------- business assets

CValadquia2Dlg::CValadquia2Dlg(const ui::AnnexArgs& args) : CValadquiLongDlg(kBusinessTemplate, args) {}

void CValadquia2Dlg::OnInitAnnex() {
  const int year = AcquisitionYear();
  InitCommon({k1995});
  if (year <= 1993)
    if (CEditEx* l = Edit(kTo1993)) l->SetOption(&list_);
  if (year <= 1995)
    if (CEditEx* l = Edit(k1994)) l->SetOption(&list_);
  if (year > 1993) Enable(kTo1993, false);
  if (year > 1995) Enable(k1994, false);
  // A launcher's button works without taking the focus: the edit being typed in is stored first,
  // so that the depreciation dialog opens on the values as they stand.
  for (int id : {kTo1993, k1994, k1995})
    if (auto* l = Item<CDialogLauncherEdit>(id); l && l->Button())
      connect(l->Button(), &QAbstractButton::pressed, this, [this] {
        UpdateAll(true);
        SyncWorkingCopy();
      });
}

void CValadquia2Dlg::SyncWorkingCopy() {
  std::memcpy(working_.data(), Data(), annex::capital::kG4ItemSize);
  list_.value = itemIndex_;
}

int CValadquia2Dlg::OnEditSetFocus(int) {
  SyncWorkingCopy();
  return 0;
}

void CValadquia2Dlg::OnKillFocusOwn(int) {}

int CValadquia2Dlg::OnSubDialogValue(int id) {
  // Each depreciation dialog brings back the years it edits; the updated amounts and the totals
  // follow from the recalculation. Entries made here meanwhile stay as they are.
  const blocks::Area years = id == kTo1993 ? it::EarlyYearsArea : id == k1994 ? it::BusinessYears1994Area
                            : id == k1995 ? it::LateYearsArea : blocks::Area{0, 0};
  if (years.size == 0) return 1;
  years.copyIn(Data(), working_.data() + years.off);
  Refresh();
  return 1;
}

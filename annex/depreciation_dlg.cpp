#include "annex/depreciation_dlg.h"

#include <string>

#include "checks/validation_helper.h"
#include "platform/icons.h"

namespace {
using ui::Ctl;
namespace it = f100::sec_g4::item;
using VH = checks::CValidationHelper;

constexpr bool SameYears(const auto& years, blocks::F64 (*amount)(int), blocks::F64 (*updated)(int), int first) {
  for (std::size_t i = 0; i < years.size(); ++i)
    if (years[i].amount.off != amount(first + static_cast<int>(i)).off ||
        years[i].updated.off != updated(first + static_cast<int>(i)).off)
      return false;
  return true;
}
static_assert(SameYears(CValadq96Dlg::kYears, it::LateYear, it::LateYearUpdated, 0));
static_assert(SameYears(CValadquiaba2Dlg::kYears, it::EarlyYear, it::EarlyYearUpdated, 0));
static_assert(CValadquiabaDlg::kYears[0].amount.off == it::Year1994.off &&
              CValadquiabaDlg::kYears[1].updated.off == it::Year1995Updated.off);

constexpr const char* kYearText[] = {"1984", "1985", "1986", "1987", "1988", "1989", "1990", "1991", "1992",
                                     "1993", "1994", "1995", "1996", "1997", "1998", "1999", "2000", "2001",
                                     "2002", "2003"};
constexpr unsigned kComputed = ui::kOptDisabled | ui::kOptReadOnly;

// Headers, one row per year (the first year's label a text of its own when `firstLabel` is set),
// the allowance date on the row of `dateYear`, OK and Cancel.
template <std::size_t N>
constexpr auto MakeYears(const std::array<DepreciationYear, N>& years, int firstLabel, int dateYear, int dateId,
                         blocks::Text date) {
  constexpr std::size_t kCount = 3 + 3 * N + 1 + 2;
  std::array<ui::ControlDef, kCount> c{};
  std::size_t n = 0;
  const int updatedCol = dateYear ? 3 : 2;
  c[n++] = {.kind = Ctl::Static, .textId = 97406, .row = 0, .col = 1};
  c[n++] = {.kind = Ctl::Static, .textId = 97403, .row = 0, .col = updatedCol};
  c[n++] = dateYear ? ui::ControlDef{.kind = Ctl::Static, .textId = 97409, .row = 0, .col = 2}
                    : ui::ControlDef{.kind = Ctl::Static, .row = 0, .col = 0};
  for (std::size_t i = 0; i < N; ++i) {
    const DepreciationYear& y = years[i];
    const int row = static_cast<int>(i) + 1;
    c[n++] = i == 0 && firstLabel ? ui::ControlDef{.kind = Ctl::Static, .textId = firstLabel, .row = row, .col = 0}
                                  : ui::ControlDef{.kind = Ctl::Static, .text = kYearText[y.year - 1984], .row = row, .col = 0};
    c[n++] = {.id = y.amountId, .kind = Ctl::Money, .row = row, .col = 1, .width = 8, .decimals = 2, .field = y.amount};
    c[n++] = {.id = y.updatedId, .kind = Ctl::Money, .row = row, .col = updatedCol, .width = 8, .decimals = 2,
              .field = y.updated, .options = kComputed};
  }
  int dateRow = 0;
  for (std::size_t i = 0; i < N; ++i)
    if (years[i].year == dateYear) dateRow = static_cast<int>(i) + 1;
  c[n++] = dateYear ? ui::ControlDef{.id = dateId, .kind = Ctl::Date, .row = dateRow, .col = 2, .width = 8, .field = date}
                    : ui::ControlDef{.kind = Ctl::Static, .row = 0, .col = 0};
  const int buttons = static_cast<int>(N) + 1;
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = buttons, .col = 1};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = buttons, .col = 2};
  return c;
}

constexpr auto kLateControls = MakeYears(CValadq96Dlg::kYears, 0, 2002, CValadq96Dlg::kAllowance2002, it::Allowance2002Date);
constexpr auto k1994Controls = MakeYears(CValadquiabaDlg::kYears, 0, 0, 0, {});
constexpr auto kEarlyControls = MakeYears(CValadquiaba2Dlg::kYears, 97442, 0, 0, {});
constexpr ui::DialogTemplate kLateTemplate{.id = CValadq96Dlg::kId, .captionId = 97440, .controls = kLateControls};
constexpr ui::DialogTemplate k1994Template{.id = CValadquiabaDlg::kId, .captionId = 97441, .controls = k1994Controls};
constexpr ui::DialogTemplate kEarlyTemplate{.id = CValadquiaba2Dlg::kId, .captionId = 97441, .controls = kEarlyControls};

std::string Raw(const std::uint8_t* item, blocks::Text f) { return std::string(f.raw(item)); }
}  // namespace

int CDepreciationDlg::OnEditKillFocus(int id) {
  if (annex::capital::FocusGoneToCancel() || ReadOnlyView()) return 0;
  OnKillFocusOwn(id);
  RecalculateItem();
  UpdateAll(false);
  return 1;
}

// ============================================================================= 1996 to 2003

CValadq96Dlg::CValadq96Dlg(const ui::AnnexArgs& args) : CDepreciationDlg(kLateTemplate, kYears, args) {}

void CValadq96Dlg::OnInitAnnex() {
  const int acquired = AcquisitionYear();
  if (acquired >= 1997 && acquired <= 2003) CloseYears([&](int year) { return year < acquired; });
  Enable(kAllowance2002, it::LateYear(6).get(Data()) != 0.0);
}

void CValadq96Dlg::OnKillFocusOwn(int id) {
  std::uint8_t* d = Data();
  const blocks::Text date = it::Allowance2002Date;
  if (id == k2002) {
    if (it::LateYear(6).get(d) != 0.0) {
      Enable(kAllowance2002, true);
      if (date.isAbsent(d)) date.set(d, "31122002");
    } else {
      Enable(kAllowance2002, false);
      annex::capital::ClearDate(d, date);
    }
  } else if (id == kAllowance2002) {
    const bool absent = date.isAbsent(d);
    bool failed = false;
    if (!absent && !VH::IsValidDate(Raw(d, date))) {
      Say("WIN008", platform::kIconExclamation);
      failed = true;
    }
    if (failed || absent) {
      annex::capital::ClearDate(d, date);
    } else if (Raw(d, date).substr(4, 4) != "2002" ||
               !VH::IsDateOnOrAfter(Raw(d, date), Raw(d, it::AcquisitionDate), true)) {
      Say("WIN005", platform::kIconHand);
      date.set(d, "31122002");
    }
  }
}

// ============================================================================= 1994 and 1995

CValadquiabaDlg::CValadquiabaDlg(const ui::AnnexArgs& args) : CDepreciationDlg(k1994Template, kYears, args) {}

void CValadquiabaDlg::OnInitAnnex() {
  if (!ReadOnlyView() && AcquisitionYear() > 1994) Enable(kYears[0].amountId, false);
}

// ============================================================================= 1983 to 1993

CValadquiaba2Dlg::CValadquiaba2Dlg(const ui::AnnexArgs& args) : CDepreciationDlg(kEarlyTemplate, kYears, args) {}

void CValadquiaba2Dlg::OnInitAnnex() {
  const int acquired = AcquisitionYear();
  if (!ReadOnlyView()) CloseYears([&](int year) { return acquired > year; });
}

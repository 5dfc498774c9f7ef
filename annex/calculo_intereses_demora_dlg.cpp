#include "annex/calculo_intereses_demora_dlg.h"

#include <QLabel>

#include <charconv>
#include <cstring>

#include "checks/validation_helper.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace in = annex::interest;
using D = CCalculoInteresesDemoraDlg;

constexpr blocks::Text YearAt(int r) { return {in::CaseAt(r) + in::Year.off, 4}; }
constexpr blocks::F64 AmountAt(int r) { return {in::CaseAt(r) + in::Amount.off}; }
constexpr blocks::Text KindAt(int r) { return {in::CaseAt(r) + in::Kind.off, 1}; }
constexpr blocks::Text StartAt(int r) { return {in::CaseAt(r) + in::StartDate.off, 8}; }
constexpr blocks::F64 DaysAt(int r) { return {in::CaseAt(r) + in::Days.off}; }
constexpr blocks::F64 InterestAt(int r) { return {in::CaseAt(r) + in::Interest.off}; }

#define QX_CASE(r)                                                                                                  \
  {.id = D::kYears[r], .kind = Ctl::Lista, .row = (r) + 2, .col = 0, .width = 4, .field = YearAt(r),                \
   .table = "EJERCICE.TAB"},                                                                                        \
  {.id = D::kAmounts[r], .kind = Ctl::Money, .row = (r) + 2, .col = 1, .width = 8, .decimals = 2, .field = AmountAt(r)}, \
  {.id = D::kKinds[r], .kind = Ctl::Lista, .row = (r) + 2, .col = 2, .width = 1, .field = KindAt(r),                \
   .table = "INGDEVUE.TAB"},                                                                                        \
  {.id = D::kStarts[r], .kind = Ctl::Date, .row = (r) + 2, .col = 3, .width = 8, .field = StartAt(r)},              \
  {.id = D::kDays[r], .kind = Ctl::Double, .row = (r) + 2, .col = 4, .width = 8, .field = DaysAt(r),               \
   .options = ui::kOptDisabled},                                                                                    \
  {.id = D::kInterests[r], .kind = Ctl::Money, .row = (r) + 2, .col = 5, .width = 8, .decimals = 2,                 \
   .field = InterestAt(r), .options = ui::kOptDisabled}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97851, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 97852, .row = 0, .col = 3, .colSpan = 2},
    {.id = D::kCalculationDate, .kind = Ctl::Date, .row = 0, .col = 5, .width = 8, .field = in::CalculationDate},
    {.kind = Ctl::Static, .textId = 97853, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97854, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = 97855, .row = 1, .col = 2},
    {.kind = Ctl::Static, .textId = 97856, .row = 1, .col = 3},
    {.kind = Ctl::Static, .textId = 97857, .row = 1, .col = 4},
    {.kind = Ctl::Static, .textId = 97858, .row = 1, .col = 5},
    QX_CASE(0), QX_CASE(1), QX_CASE(2), QX_CASE(3), QX_CASE(4), QX_CASE(5), QX_CASE(6), QX_CASE(7),
    {.kind = Ctl::Static, .textId = 97859, .row = 10, .col = 3, .colSpan = 2},
    {.id = D::kTotal, .kind = Ctl::Money, .row = 10, .col = 5, .width = 8, .decimals = 2, .field = in::Total,
     .options = ui::kOptDisabled},
    {.id = D::kPrompt, .kind = Ctl::Legend, .row = 11, .col = 0, .colSpan = 6},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 12, .col = 3},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 12, .col = 4},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 12, .col = 5},
};
#undef QX_CASE
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97850, .controls = kControls, .helpTopic = 490};

constexpr int kValidCalculationDates = 267;
constexpr int kYearPrompts[] = {270, 276, 278, 279};
constexpr int kHolderWords[] = {94, 188, 190};  // common, declarant, spouse

bool Empty(char c) { return c == 0 || c == ' '; }
void Stop(QWidget* parent, const char* code) { ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconHand); }
}  // namespace

D::CCalculoInteresesDemoraDlg(QWidget* parent) : CAnnexDlg(kTemplate, in::kRecordSize, ui::AnnexArgs{parent}) {}

int D::CaseOf(const int (&ids)[8], int id) {
  for (int r = 0; r < in::kCases; ++r)
    if (ids[r] == id) return r;
  return -1;
}

bool D::YearAccepted(std::string_view year) const {
  // A year without filing deadline has nothing to count from.
  const in::FilingDeadline* d = in::FindDeadline(year);
  if (!d) return false;
  switch (yearMode) {
    case 1: return d->year <= 1996;
    case 2: return d->year >= 1997 && d->year != 2002;
    case 3: return d->year >= 1998;
    case 4: return d->year == 2002;
    default: return true;
  }
}

void D::ClearCase(int r) {
  AmountAt(r).set(Data(), 0.0);
  Data()[KindAt(r).off] = 0;
  std::memset(Data() + StartAt(r).off, 0, 8);
  DaysAt(r).set(Data(), 0.0);
  InterestAt(r).set(Data(), 0.0);
}

bool D::CheckStartDate(int r) {
  if (in::StartDateAccepted(Data(), r)) return true;
  std::memset(Data() + StartAt(r).off, ' ', 8);
  UpdateAll(false);
  Stop(this, "WIN008");
  return false;
}

// A start date not typed yet (cleared when the case became a refund) is not refused: it counts
// nothing until it is typed.
void D::RevalidateStartDates() {
  for (int r = 0; r < in::kCases; ++r) {
    const std::uint8_t* b = Data();
    if (Empty(static_cast<char>(b[YearAt(r).off])) || AmountAt(r).get(b) == 0.0 || b[KindAt(r).off] != in::kRefunded)
      continue;
    const std::string_view start = StartAt(r).raw(b);
    if (start.find_first_not_of(std::string_view("\0 ", 2)) == std::string_view::npos) continue;
    CheckStartDate(r);
  }
}

void D::Recalculate() {
  in::RecalculateAll(Data());
  UpdateRowControls();
  UpdateAll(false);
}

void D::UpdateRowControls() {
  const bool editable = !ReadOnlyView();
  auto enable = [this](int id, bool on) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  for (int r = 0; r < in::kCases; ++r) {
    const bool year = !Empty(static_cast<char>(Data()[YearAt(r).off]));
    enable(kKinds[r], editable && year);
    enable(kStarts[r], editable && year && Data()[KindAt(r).off] == in::kRefunded);
    enable(kDays[r], false);
    enable(kInterests[r], false);
  }
  enable(kTotal, false);
}

void D::ShowHolderInCaption() {
  QString title = platform::LoadString(kTemplate.captionId);
  if (holder >= 1 && holder <= 3) title += u' ' + platform::LoadString(kHolderWords[holder - 1]);
  caption = title;
  setWindowTitle(title);
}

void D::OnInitAnnex() {
  UpdateRowControls();
  ShowHolderInCaption();
}

int D::OnEditKillFocus(int id) {
  if (id == kCalculationDate) {
    UpdateAll(true);
    const char* date = reinterpret_cast<const char*>(Data() + in::CalculationDate.off);
    const std::string text(date, 8);
    if (!checks::CValidationHelper::CheckDateRange(text.c_str(), "03052004", "31122004", 1, false) ||
        !checks::CValidationHelper::IsValidDate(text)) {
      std::memset(Data() + in::CalculationDate.off, 0, 8);
      UpdateAll(false);
      Stop(this, "WIN008");
      if (QWidget* w = GetDlgItem(kCalculationDate)) w->setFocus();
      return 1;
    }
    RevalidateStartDates();
    Recalculate();
  } else if (CaseOf(kAmounts, id) >= 0) {
    UpdateAll(true);
    RevalidateStartDates();
    Recalculate();
  } else if (const int r = CaseOf(kStarts, id); r >= 0) {
    UpdateAll(true);
    if (!CheckStartDate(r))
      if (QWidget* w = GetDlgItem(id)) w->setFocus();
    Recalculate();
  }
  return 1;
}

int D::OnEditValueChanged(int id) {
  UpdateAll(true);
  if (const int r = CaseOf(kYears, id); r >= 0) {
    const std::string_view year = YearAt(r).raw(Data());
    if (Empty(year[0])) {
      ClearCase(r);
    } else if (!YearAccepted(year)) {
      std::memset(Data() + YearAt(r).off, 0, 4);
      UpdateAll(false);
      Stop(this, "WIN007");
      return 0;
    }
  } else if (const int k = CaseOf(kKinds, id); k >= 0 && Data()[KindAt(k).off] == in::kRefunded) {
    std::memset(Data() + StartAt(k).off, 0, 8);
  }
  RevalidateStartDates();
  Recalculate();
  return 0;
}

int D::OnEditValueCleared(int id) {
  const int r = CaseOf(kYears, id);
  if (r < 0) return 0;
  UpdateAll(true);
  ClearCase(r);
  Recalculate();
  return 1;
}

int D::OnEditSetFocus(int id) {
  auto* prompt = Item<QLabel>(kPrompt);
  if (!prompt) return 0;
  if (id == kCalculationDate) prompt->setText(platform::LoadString(kValidCalculationDates));
  else if (CaseOf(kYears, id) >= 0 && yearMode >= 1 && yearMode <= 4) prompt->setText(platform::LoadString(kYearPrompts[yearMode - 1]));
  else prompt->clear();
  return 0;
}

#include "annex/impurentas_dlg.h"

#include <QLabel>

#include <charconv>

#include "blocks/form100.h"
#include "data/doc/reference.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/box_field.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::impurentas;
using D = CImpurentasDlg;

constexpr int kFlatCells[] = {
    D::kCells[0][0], D::kCells[0][1], D::kCells[0][2], D::kCells[0][3], D::kCells[0][4], D::kCells[0][5],
    D::kCells[1][0], D::kCells[1][1], D::kCells[1][2], D::kCells[1][3], D::kCells[1][4], D::kCells[1][5],
    D::kCells[2][0], D::kCells[2][1], D::kCells[2][2], D::kCells[2][3], D::kCells[2][4], D::kCells[2][5],
    D::kCells[3][0], D::kCells[3][1], D::kCells[3][2], D::kCells[3][3], D::kCells[3][4], D::kCells[3][5],
    D::kCells[4][0], D::kCells[4][1], D::kCells[4][2], D::kCells[4][3], D::kCells[4][4], D::kCells[4][5],
    D::kCells[5][0], D::kCells[5][1], D::kCells[5][2], D::kCells[5][3], D::kCells[5][4], D::kCells[5][5],
    D::kCells[6][0], D::kCells[6][1], D::kCells[6][2], D::kCells[6][3], D::kCells[6][4], D::kCells[6][5]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 7, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kFlatCells};

#define QX_ROW(r)                                                                                            \
  {.id = D::kCells[0][r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},               \
  {.id = D::kCells[1][r], .kind = Ctl::Double, .row = (r) + 1, .col = 1, .width = 3, .decimals = 2,          \
   .field = f::Share},                                                                                       \
  {.id = D::kCells[2][r], .kind = Ctl::Edit, .row = (r) + 1, .col = 2, .width = 20, .field = f::Reference},  \
  {.id = D::kCells[3][r], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,           \
   .field = f::Value},                                                                                       \
  {.id = D::kCells[4][r], .kind = Ctl::YesNo, .row = (r) + 1, .col = 4, .field = f::Revised},                \
  {.id = D::kCells[5][r], .kind = Ctl::Double, .row = (r) + 1, .col = 5, .width = 3, .decimals = 0,          \
   .field = f::Days},                                                                                        \
  {.id = D::kCells[6][r], .kind = Ctl::Money, .row = (r) + 1, .col = 6, .width = 8, .decimals = 2,           \
   .field = f::Income, .options = ui::kOptDisabled}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95461, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95462, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95463, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95464, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 95465, .row = 0, .col = 4},
    {.kind = Ctl::Static, .textId = 95466, .row = 0, .col = 5},
    {.kind = Ctl::Static, .textId = 95467, .row = 0, .col = 6},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 7, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95468, .row = 8, .col = 0, .colSpan = 7},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 9, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 9, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 9, .col = 6},
};
#undef QX_ROW
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95460, .controls = kControls, .helpTopic = 160};

constexpr double kOneDay = 0.0027397260273972603;  // 1/365
}  // namespace

CImpurentasDlg::CImpurentasDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

double CImpurentasDlg::GetDayLimit(int row) {
  std::string reference = "31122003";
  if (f::Holder.get(Row(row)) == 2)
    if (const std::uint8_t* decl = doc::Form100Block()) {
      const std::string_view death = f100::personal::PeriodEndDate.raw(f100::record(decl, f100::Personal));
      if (death[0] != '\0' && death[0] != ' ') reference.assign(death);
    }
  // A date of death that is not a valid date after the year's start leaves no days to impute.
  const int days = doc::DaysBetweenDates("31122002", reference.c_str());
  const double limit = days < 0 ? 0.0 : static_cast<double>(days);
  limits_[static_cast<std::size_t>(row)] = limit;
  return limit;
}

void CImpurentasDlg::ComputeRowIncome(int row) {
  std::uint8_t* r = Row(row);
  const double p = f::Share.get(r), v = f::Value.get(r), d = f::Days.get(r);
  const std::uint8_t revised = f::Revised.get(r);
  double income = 0.0;
  if (revised != f::kRevisedBlank) income = ui::RoundToDecimals(d * kOneDay * (p * 0.01) * v * (revised == 0 ? 0.02 : 0.011), 2);
  f::Income.set(r, income);
  UpdateAll(false);
}

void CImpurentasDlg::OnInitAnnex() {
  // A cadastral reference is 20 capitals and digits: wider than 20 average characters.
  for (int id : kCells[kReference])
    if (QWidget* w = GetDlgItem(id))
      w->setMinimumWidth(w->fontMetrics().horizontalAdvance(QStringLiteral("0000000WW0000W0000WW")) + 16);
  for (int r = 0; r < f::kRows; ++r) {
    if (f::Holder.get(Row(r)) == 2) GetDayLimit(r);
    else limits_[static_cast<std::size_t>(r)] = 365;
  }
}

void CImpurentasDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  for (int id : kCells[kIncome])
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

void CImpurentasDlg::ClearRowControls(int row) {
  CAnnexRowsDlg::ClearRowControls(row);
  f::Revised.set(Row(row), f::kRevisedBlank);
  limits_[static_cast<std::size_t>(row)] = 365;
}

void CImpurentasDlg::MoveRow(int destination, int source) {
  CAnnexRowsDlg::MoveRow(destination, source);
  limits_[static_cast<std::size_t>(destination)] = limits_[static_cast<std::size_t>(source)];
}

void CImpurentasDlg::HandleCommonRow(int row) {
  f::Share.set(Row(row), f::Share.get(Row(row)) * 0.5);
  f::Income.set(Row(row), f::Income.get(Row(row)) * 0.5);
}

int CImpurentasDlg::OnEditSetFocus(int id) {
  if (auto* legend = Item<QLabel>(ui::kHolderLegendId))
    legend->setText(GetColumnOfControl(id) == 0 ? GetHolderLegend() : QString());
  return 1;
}

void CImpurentasDlg::ShowDaysLimited(double limit) {
  char text[32] = " ";
  auto res = std::to_chars(text + 1, text + sizeof text - 1, limit);
  *res.ptr = '\0';
  ui::ShowMessage(this, QStringLiteral("WIN031"), platform::kIconExclamation, QString::fromLatin1(text));
}

int CImpurentasDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  const int row = GetRowOfControl(id);
  if (row < 0) return 1;
  UpdateAll(true);
  const int column = GetColumnOfControl(id);
  if (column == kShare && f::Share.get(Row(row)) > 100.0) {
    f::Share.set(Row(row), 100.0);
    ui::ShowMessage(this, QStringLiteral("100R009"), platform::kIconAsterisk);
  }
  if (column == kDays && f::Days.get(Row(row)) > DayLimit(row)) {
    const double limit = GetDayLimit(row);
    f::Days.set(Row(row), limit);
    ComputeRowIncome(row);
    ShowDaysLimited(limit);
    return 1;
  }
  ComputeRowIncome(row);
  return 1;
}

int CImpurentasDlg::OnEditValueChanged(int id) {
  CAnnexRowsDlg::OnEditValueChanged(id);
  const int row = GetRowOfControl(id);
  if (row < 0 || GetColumnOfControl(id) != kHolder || f::Holder.get(Row(row)) == 0) return 1;
  // Choosing a holder fills a full year (or the days to the declarant's death) and whole ownership.
  const double limit = GetDayLimit(row);
  const double days = f::Days.get(Row(row));
  if (days == 0.0) f::Days.set(Row(row), limit);
  if (days > limit) {
    f::Days.set(Row(row), limit);
    ShowDaysLimited(limit);
  }
  if (f::Share.get(Row(row)) == 0.0) f::Share.set(Row(row), 100.0);
  ComputeRowIncome(row);
  return 1;
}

bool CImpurentasDlg::ValidateOK() {
  for (int r = 0; r < f::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (f::Holder.get(row) == 0) continue;
    const char first = f::Reference.raw(row)[0];
    if (f::Value.get(row) == 0.0 || f::Share.get(row) == 0.0 || f::Revised.get(row) == f::kRevisedBlank ||
        first == '\0' || first == ' ' || f::Days.get(row) == 0.0) {
      ui::ShowMessage(this, QStringLiteral("100R114"), platform::kIconHand);
      return false;
    }
  }
  return true;
}

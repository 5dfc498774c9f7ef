#include "annex/zedu_dlg.h"

#include <QLabel>

#include <algorithm>
#include <cstring>

#include "checks/validation_helper.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::zedu;

constexpr int kLegend = 1296;
#define QX_BUTTONS(r)                                                                   \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = (r), .col = 0},               \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = (r), .col = 1},       \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = (r), .col = 2}

// ---- 108: young tenants
constexpr int kYHolders[] = {1303, 1322}, kYCount[] = {1886, 24704}, kYAmount[] = {1887, 1888},
              kYNif[] = {1624, 1625};
#define QX_YOUNG_ROW(r)                                                                                      \
  {.id = kYHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::YoungHolder},            \
  {.id = kYCount[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,               \
   .field = f::YoungContractHolders},                                                                       \
  {.id = kYAmount[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,              \
   .field = f::YoungAmount},                                                                                \
  {.id = kYNif[r], .kind = Ctl::Edit, .row = (r) + 1, .col = 3, .width = 9, .field = f::YoungNif}
constexpr ui::ControlDef kControls108[] = {
    {.kind = Ctl::Static, .textId = 95620, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95621, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95622, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95623, .row = 0, .col = 3},
    QX_YOUNG_ROW(0), QX_YOUNG_ROW(1),
    QX_BUTTONS(3),
};
constexpr int kCells108[] = {kYHolders[0], kYHolders[1], kYCount[0], kYCount[1],
                             kYAmount[0],  kYAmount[1],  kYNif[0],   kYNif[1]};
constexpr ui::DialogTemplate kTemplate108{.id = CTit2dat4Dlg::kId, .captionId = 95624, .controls = kControls108};
int Help108(int n) { return n == 1 ? 945 : 1; }
const HolderAmountSpec kSpec108{
    kTemplate108, f::kYoungBlock,
    {.rows = 2, .columns = 4, .first = 0, .stride = f::kYoungRow, .holder = 0, .cells = kCells108}, 0, &Help108};

// ---- 39: lessor's NIF per contract
constexpr int kLHolders[] = {1303, 1322, 1342}, kLAmount[] = {1556, 1568, 1577}, kLNif[] = {1309, 1310, 1311};
constexpr int kRowLabels[] = {24641, 24642, 24643};
#define QX_LESSOR_ROW(r)                                                                                     \
  {.id = kRowLabels[r], .kind = Ctl::Legend, .textId = 95625 + (r), .row = (r) + 1, .col = 0},              \
  {.id = kLHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 1, .field = f::LessorHolder},           \
  {.id = kLAmount[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,              \
   .field = f::LessorAmount},                                                                               \
  {.id = kLNif[r], .kind = Ctl::Edit, .row = (r) + 1, .col = 3, .width = 9, .field = f::LessorNif}
constexpr ui::ControlDef kControls39[] = {
    {.kind = Ctl::Static, .textId = 95620, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95622, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95623, .row = 0, .col = 3},
    QX_LESSOR_ROW(0), QX_LESSOR_ROW(1), QX_LESSOR_ROW(2),
    {.id = kLegend, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 4},
    QX_BUTTONS(5),
};
constexpr int kCells39[] = {kLHolders[0], kLHolders[1], kLHolders[2], kLAmount[0], kLAmount[1],
                            kLAmount[2],  kLNif[0],     kLNif[1],     kLNif[2]};
constexpr ui::DialogTemplate kTemplate39{.id = CTit3datnifDlg::kId, .captionId = 95628, .controls = kControls39};
int Help39(int n) {
  static constexpr int kTopics[] = {911, 919, 926, 950, 605, 900};
  return n >= 1 && n <= 6 ? kTopics[n - 1] : 0;
}
const HolderAmountSpec kSpec39{
    kTemplate39, f::kLessorBlock,
    {.rows = 3, .columns = 3, .first = 0, .stride = f::kLessorRow, .holder = 0, .cells = kCells39}, kLegend, &Help39,
    true};

// ---- 73: amount and second value
constexpr int kMHolders[] = {1394, 1328, 1354}, kMAmount[] = {1318, 1336, 1378}, kMSecond[] = {24626, 392, 393};
constexpr int kHolderHeading = 1120, kAmountHeading = 1124, kSecondHeading = 1125;
#define QX_MONTHS_ROW(r)                                                                                     \
  {.id = kMHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::MonthsHolder},           \
  {.id = kMAmount[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,              \
   .field = f::MonthsAmount},                                                                               \
  {.id = kMSecond[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,              \
   .field = f::MonthsSecond}
constexpr ui::ControlDef kControls73[] = {
    {.id = kHolderHeading, .kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.id = kAmountHeading, .kind = Ctl::Static, .textId = 95615, .row = 0, .col = 1},
    {.id = kSecondHeading, .kind = Ctl::Static, .textId = 95629, .row = 0, .col = 2},
    QX_MONTHS_ROW(0), QX_MONTHS_ROW(1), QX_MONTHS_ROW(2),
    {.id = kLegend, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 3},
    QX_BUTTONS(5),
};
constexpr int kCells73[] = {kMHolders[0], kMHolders[1], kMHolders[2], kMAmount[0], kMAmount[1],
                            kMAmount[2],  kMSecond[0],  kMSecond[1],  kMSecond[2]};
constexpr ui::DialogTemplate kTemplate73{.id = CTit3dat2Dlg::kId, .captionId = 95630, .controls = kControls73};
int Help73(int n) { return n == 1 ? 938 : n == 3 ? 490 : 1; }
const HolderAmountSpec kSpec73{
    kTemplate73, f::kMonthsBlock,
    {.rows = 3, .columns = 3, .first = 0, .stride = f::kMonthsRow, .holder = 0, .cells = kCells73}, kLegend, &Help73};
#undef QX_BUTTONS
#undef QX_YOUNG_ROW
#undef QX_LESSOR_ROW
#undef QX_MONTHS_ROW

int IndexOf(std::span<const int> ids, int id) {
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == id) return static_cast<int>(i);
  return -1;
}
}  // namespace

// ---------------------------------------------------------------- NIF cells

int CZeduNifDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  std::uint8_t* nif = NifOf(id);
  if (!nif) return 1;
  UpdateAll(true);
  constexpr int kWidth = 9;
  char text[kWidth + 1] = {};
  std::memcpy(text, nif, kWidth);
  const bool blank = std::all_of(text, text + kWidth, [](char c) { return c == ' ' || c == 0; });
  if (!blank) {
    if (checks::CValidationHelper::ValidateNif(text, kWidth, true)) {
      // Normalised, blank padded as it is stored.
      for (int i = 0; i < kWidth; ++i) nif[i] = static_cast<std::uint8_t>(text[i] ? text[i] : ' ');
    } else {
      std::memset(nif, ' ', kWidth);
      ui::ShowMessage(this, QStringLiteral("WIN004"), platform::kIconExclamation);
      if (QWidget* w = GetDlgItem(id)) w->setFocus();
    }
  }
  UpdateAll(false);
  return 1;
}

// ---------------------------------------------------------------- 108

CTit2dat4Dlg::CTit2dat4Dlg(const ui::AnnexArgs& args) : CZeduNifDlg(kSpec108, args) {}

std::uint8_t* CTit2dat4Dlg::NifOf(int id) {
  const int r = IndexOf(kYNif, id);
  return r < 0 ? nullptr : Row(r) + f::YoungNif.off;
}

int CTit2dat4Dlg::OnEditValueChanged(int id) {
  const int answer = CZeduNifDlg::OnEditValueChanged(id);
  const int r = IndexOf(kYHolders, id);
  if (r < 0 || GetRowOwner(r) == 0) return answer;
  if (GetRowOwner(0) != GetRowOwner(1)) return answer;
  ui::ShowMessage(this, QStringLiteral("100R045"), platform::kIconHand);
  ClearRowData(r);
  ClearRowControls(r);
  CompactRows();
  UpdateAll(false);
  RefreshEnabledRows();
  return 1;
}

bool CTit2dat4Dlg::ValidateOK() {
  for (int r = 0; r < spec_.layout.rows; ++r) {
    if (f::YoungContractHolders.get(Row(r)) == 0.0 && f::YoungAmount.get(Row(r)) > 0.0) {
      ui::ShowMessage(this, QStringLiteral("100R095"), platform::kIconHand);
      if (QWidget* w = GetDlgItem(kYCount[r])) w->setFocus();
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- 39

CTit3datnifDlg::CTit3datnifDlg(const ui::AnnexArgs& args) : CZeduNifDlg(kSpec39, args) {}

std::uint8_t* CTit3datnifDlg::NifOf(int id) {
  const int r = IndexOf(kLNif, id);
  return r < 0 ? nullptr : Row(r) + f::LessorNif.off;
}

void CTit3datnifDlg::OnInitAnnex() {
  if (index == 1) return;
  for (int id : kRowLabels)
    if (auto* label = Item<QLabel>(id)) label->clear();
}

// ---------------------------------------------------------------- 73

CTit3dat2Dlg::CTit3dat2Dlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec73, args) {}

void CTit3dat2Dlg::OnInitAnnex() {
  int amount = 0, second = 0;
  if (index == 1) amount = 233, second = 232;
  else if (index == 3 || index == 4) amount = 339, second = 340;
  if (!amount) return;
  if (auto* l = Item<QLabel>(kAmountHeading)) l->setText(platform::LoadString(amount));
  if (auto* l = Item<QLabel>(kSecondHeading)) l->setText(platform::LoadString(second));
}

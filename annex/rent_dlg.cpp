#include "annex/rent_dlg.h"

#include <QLabel>

#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/double_edit.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::rent;

#define QX_BUTTONS(r)                                                                   \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = (r), .col = 1},               \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = (r), .col = 2},       \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = (r), .col = 3}

constexpr int kHolders[] = {1303, 1322, 1342}, kNifs[] = {1309, 1310, 1311};
constexpr int kRowLabels[] = {24641, 24642, 24643};

// ---- 69: three contracts
constexpr int kFirst[] = {1312, 1313, 1314}, kSecond[] = {1556, 1568, 1577};
constexpr int kFirstHeading = 24644, kSecondHeading = 24645;
#define QX_CONTRACT_ROW(r)                                                                                   \
  {.id = kRowLabels[r], .kind = Ctl::Legend, .textId = 95625 + (r), .row = (r) + 1, .col = 0},              \
  {.id = kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 1, .field = f::ContractHolder},          \
  {.id = kFirst[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,                \
   .field = f::ContractFirst},                                                                              \
  {.id = kSecond[r], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,               \
   .field = f::ContractSecond},                                                                             \
  {.id = kNifs[r], .kind = Ctl::Edit, .row = (r) + 1, .col = 4, .width = 9, .field = f::ContractNif}
constexpr ui::ControlDef kControls69[] = {
    {.kind = Ctl::Static, .textId = 95620, .row = 0, .col = 1},
    {.id = kFirstHeading, .kind = Ctl::Legend, .textId = 95621, .row = 0, .col = 2},
    {.id = kSecondHeading, .kind = Ctl::Legend, .textId = 95622, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 95623, .row = 0, .col = 4},
    QX_CONTRACT_ROW(0), QX_CONTRACT_ROW(1), QX_CONTRACT_ROW(2),
    QX_BUTTONS(4),
};
constexpr int kCells69[] = {kHolders[0], kHolders[1], kHolders[2], kFirst[0], kFirst[1], kFirst[2],
                            kSecond[0],  kSecond[1],  kSecond[2],  kNifs[0],  kNifs[1],  kNifs[2]};
constexpr ui::DialogTemplate kTemplate69{.id = CAutonom1GDlg::kId, .captionId = 95628, .controls = kControls69};
int Help69(int n) { return n == 2 ? 968 : 0; }
const HolderAmountSpec kSpec69{
    kTemplate69, f::kContractBlock,
    {.rows = 3, .columns = 4, .first = 0, .stride = f::kContractRow, .holder = 0, .cells = kCells69}, 0, &Help69};

// ---- 51: three rented homes and the household's marks
constexpr int kAmounts[] = {1556, 1568, 1577}, kPersons[] = {24660, 24661, 1314};
#define QX_HOME_ROW(r)                                                                                       \
  {.id = kRowLabels[r], .kind = Ctl::Static, .textId = 97600 + (r), .row = (r) + 1, .col = 0},              \
  {.id = kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 1, .field = f::HomeHolder},              \
  {.id = kAmounts[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,              \
   .field = f::HomeAmount},                                                                                 \
  {.id = kNifs[r], .kind = Ctl::Edit, .row = (r) + 1, .col = 3, .width = 9, .field = f::HomeNif},           \
  {.id = kPersons[r], .kind = Ctl::Money, .row = (r) + 1, .col = 4, .width = 1, .decimals = 0,              \
   .field = f::HomePersons}
constexpr ui::ControlDef kControls51[] = {
    {.kind = Ctl::Static, .textId = 95620, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95622, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95623, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97603, .row = 0, .col = 4},
    QX_HOME_ROW(0), QX_HOME_ROW(1), QX_HOME_ROW(2),
    {.kind = Ctl::Static, .textId = 97604, .row = 4, .col = 0, .colSpan = 4},
    {.id = CAutonom4CaDlg::kDeclarantUnemployed, .kind = Ctl::Box, .row = 4, .col = 4,
     .field = f::DeclarantUnemployed},
    {.kind = Ctl::Static, .textId = 97605, .row = 5, .col = 0, .colSpan = 4},
    {.id = CAutonom4CaDlg::kSpouseUnemployed, .kind = Ctl::Box, .row = 5, .col = 4, .field = f::SpouseUnemployed,
     .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 97606, .row = 6, .col = 0, .colSpan = 4},
    {.id = CAutonom4CaDlg::kLargeFamily, .kind = Ctl::Box, .row = 6, .col = 4, .field = f::LargeFamily},
    QX_BUTTONS(7),
};
constexpr int kCells51[] = {kHolders[0], kHolders[1], kHolders[2], kAmounts[0], kAmounts[1], kAmounts[2],
                            kNifs[0],    kNifs[1],    kNifs[2],    kPersons[0], kPersons[1], kPersons[2]};
constexpr ui::DialogTemplate kTemplate51{.id = CAutonom4CaDlg::kId, .captionId = 95628, .controls = kControls51,
                                         .helpTopic = 941};
const HolderAmountSpec kSpec51{
    kTemplate51, f::kHomeBlock,
    {.rows = 3, .columns = 4, .first = 0, .stride = f::kHomeRow, .holder = 0, .cells = kCells51}, 0, nullptr};
#undef QX_BUTTONS
#undef QX_CONTRACT_ROW
#undef QX_HOME_ROW

int IndexOf(std::span<const int> ids, int id) {
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == id) return static_cast<int>(i);
  return -1;
}
}  // namespace

// ---------------------------------------------------------------- 69

CAutonom1GDlg::CAutonom1GDlg(const ui::AnnexArgs& args) : CZeduNifDlg(kSpec69, args) {}

std::uint8_t* CAutonom1GDlg::NifOf(int id) {
  const int r = IndexOf(kNifs, id);
  return r < 0 ? nullptr : Row(r) + f::ContractNif.off;
}

void CAutonom1GDlg::HandleCommonRow(int row) {
  std::uint8_t* r = Row(row);
  f::ContractFirst.set(r, f::ContractFirst.get(r) / 2.0);
  if (index != 2) f::ContractSecond.set(r, f::ContractSecond.get(r) / 2.0);
}

void CAutonom1GDlg::OnInitAnnex() {
  // Variant 1: the second figure is the amount; else months, shown without decimals.
  for (int id : kSecond)
    if (auto* e = Item<CDoubleEdit>(id)) {
      if (index != 1) e->SetFormat(2, 0);
    }
  if (index == 1 || index == 2)
    for (int id : kRowLabels)
      if (auto* label = Item<QLabel>(id)) label->clear();
  if (index != 2)
    if (QWidget* help = GetDlgItem(ui::kHelpButtonId)) help->hide();
  if (index == 2) {
    if (auto* l = Item<QLabel>(kFirstHeading)) l->setText(platform::LoadString(95622));
    if (auto* l = Item<QLabel>(kSecondHeading)) l->setText(platform::LoadString(95629));
  }
}

int CAutonom1GDlg::OnEditKillFocus(int id) {
  const int r = IndexOf(kSecond, id);
  if (r < 0 || index != 2) return CZeduNifDlg::OnEditKillFocus(id);
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  const double months = f::ContractSecond.get(Row(r));
  if (months == 0.0 || months > 12.0) {
    f::ContractSecond.set(Row(r), 0.0);
    ui::ShowMessage(this, QStringLiteral("100R149"), platform::kIconHand);
  }
  UpdateAll(false);
  return 1;
}

bool CAutonom1GDlg::ValidateOK() {
  for (int r = 0; r < spec_.layout.rows; ++r) {
    const std::uint8_t* row = Row(r);
    if (GetRowOwner(r) == 0 || f::ContractSecond.get(row) != 0.0 || f::ContractFirst.get(row) < 0.0) continue;
    ui::ShowMessage(this, QString::fromLatin1(index == 2 ? "100R113" : "100R095"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kSecond[r])) w->setFocus();
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- 51

CAutonom4CaDlg::CAutonom4CaDlg(const ui::AnnexArgs& args) : CZeduNifDlg(kSpec51, args) {}

std::uint8_t* CAutonom4CaDlg::NifOf(int id) {
  const int r = IndexOf(kNifs, id);
  return r < 0 ? nullptr : Row(r) + f::HomeNif.off;
}

void CAutonom4CaDlg::OnInitAnnex() {
  binder_.ApplyHousehold();
  for (int id : kPersons)
    if (CEditEx* e = Edit(id)) e->SetShownDecimals(0);
}

void CAutonom4CaDlg::HandleCommonRow(int row) {
  f::HomeAmount.set(Row(row), f::HomeAmount.get(Row(row)) / 2.0);
}

bool CAutonom4CaDlg::CheckCommonPersons(int row) {
  UpdateAll(true);
  const double persons = f::HomePersons.get(Row(row));
  if (GetRowOwner(row) != 1 || persons <= 0.0 || persons >= 2.0) return true;
  ui::ShowMessage(this, QStringLiteral("100R128"), platform::kIconHand);
  f::HomePersons.set(Row(row), 0.0);
  UpdateAll(false);
  return false;
}

int CAutonom4CaDlg::OnEditKillFocus(int id) {
  int row = IndexOf(kHolders, id);
  if (row < 0) row = IndexOf(kPersons, id);
  if (row >= 0 && CAnnexRowsDlg::OnEditKillFocus(id)) CheckCommonPersons(row);
  return CZeduNifDlg::OnEditKillFocus(id);
}

int CAutonom4CaDlg::OnEditValueChanged(int id) {
  if (const int row = IndexOf(kHolders, id); row >= 0) CheckCommonPersons(row);
  return CZeduNifDlg::OnEditValueChanged(id);
}

bool CAutonom4CaDlg::ValidateOK() {
  auto refuse = [this](const char* code, int row) {
    ui::ShowMessage(this, QString::fromLatin1(code), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kPersons[row])) w->setFocus();
    return false;
  };
  for (int r = 0; r < spec_.layout.rows; ++r)
    if (f::HomeAmount.get(Row(r)) > 0.0 && f::HomePersons.get(Row(r)) == 0.0) return refuse("100R084", r);
  for (int r = 0; r < spec_.layout.rows; ++r)
    if (GetRowOwner(r) == 1 && f::HomePersons.get(Row(r)) < 2.0) return refuse("100R128", r);
  return true;
}

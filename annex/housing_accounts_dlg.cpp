#include "annex/housing_accounts_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include <cstring>
#include <string>

#include "checks/validation_helper.h"
#include "data/doc/reference.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace cv = annex::cuenvivi;
namespace om = annex::obraminu;
using C = CCuenviviDlg;
using O = CObraminuDlg;
using VH = checks::CValidationHelper;

#define QX_ACCOUNT(r)                                                                                          \
  {.id = C::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = cv::Holder},                  \
  {.id = C::kAmounts[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2, .field = cv::Amount}, \
  {.id = C::kDates[r], .kind = Ctl::Date, .row = (r) + 1, .col = 2, .width = 8, .field = cv::Opened},           \
  {.id = C::kEntities[r], .kind = Ctl::ANum, .row = (r) + 1, .col = 3, .width = 4, .field = cv::Entity},        \
  {.id = C::kOffices[r], .kind = Ctl::ANum, .row = (r) + 1, .col = 4, .width = 4, .field = cv::Office},         \
  {.id = C::kControls[r], .kind = Ctl::ANum, .row = (r) + 1, .col = 5, .width = 2, .field = cv::Control},       \
  {.id = C::kNumbers[r], .kind = Ctl::ANum, .row = (r) + 1, .col = 6, .width = 10, .field = cv::Number}
constexpr ui::ControlDef kAccounts[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97960, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97961, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97962, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97963, .row = 0, .col = 4},
    {.kind = Ctl::Static, .textId = 97964, .row = 0, .col = 5},
    {.kind = Ctl::Static, .textId = 97965, .row = 0, .col = 6},
    QX_ACCOUNT(0), QX_ACCOUNT(1), QX_ACCOUNT(2),
    {.id = C::kDateNote, .kind = Ctl::Static, .textId = 97966, .row = 4, .col = 0, .colSpan = 7},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 5},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 6},
};
#undef QX_ACCOUNT
constexpr ui::DialogTemplate kAccountsTemplate{.id = C::kId, .captionId = 97967, .controls = kAccounts};
constexpr auto kAccountCells = [] {
  std::array<int, 21> cells{};
  const int* columns[] = {C::kHolders, C::kAmounts, C::kDates, C::kEntities, C::kOffices, C::kControls, C::kNumbers};
  for (std::size_t c = 0; c < 7; ++c)
    for (int r = 0; r < 3; ++r) cells[c * 3 + static_cast<std::size_t>(r)] = columns[c][r];
  return cells;
}();
constexpr ui::RowLayout kAccountsLayout{.rows = cv::kRows, .columns = 7, .first = 0, .stride = cv::kRowSize,
                                        .holder = 0, .cells = kAccountCells};

#define QX_WORKS(k)                                                                                            \
  {.id = O::kHolders[k], .kind = Ctl::Titular, .row = 0, .col = (k) + 1, .field = om::Holder},                  \
  {.id = O::kWithin[k], .kind = Ctl::Money, .row = 1, .col = (k) + 1, .width = 8, .decimals = 2, .field = om::FinancedWithin}, \
  {.id = O::kAfter[k], .kind = Ctl::Money, .row = 2, .col = (k) + 1, .width = 8, .decimals = 2, .field = om::FinancedAfter}, \
  {.id = O::kUnfinanced[k], .kind = Ctl::Money, .row = 3, .col = (k) + 1, .width = 8, .decimals = 2, .field = om::Unfinanced}
constexpr ui::ControlDef kWorks[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97970, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97971, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = 97972, .row = 3, .col = 0},
    QX_WORKS(0), QX_WORKS(1), QX_WORKS(2),
    {.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 4},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 3},
};
#undef QX_WORKS
constexpr ui::DialogTemplate kWorksTemplate{.id = O::kId, .captionId = 97973, .controls = kWorks, .helpTopic = 537};
constexpr int kWorkCells[] = {O::kHolders[0], O::kHolders[1], O::kHolders[2], O::kWithin[0], O::kWithin[1],
                              O::kWithin[2],  O::kAfter[0],   O::kAfter[1],   O::kAfter[2],  O::kUnfinanced[0],
                              O::kUnfinanced[1], O::kUnfinanced[2]};
constexpr ui::RowLayout kWorksLayout{.rows = om::kRows, .columns = 4, .first = 0, .stride = om::kRowSize, .holder = 0,
                                     .cells = kWorkCells};

constexpr int kVariant2Note = 191;

void Stop(QWidget* parent, const char* code) { ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconHand); }

// The 20 characters of a row's account, entity to number.
std::string AccountText(const std::uint8_t* row) {
  std::string s;
  for (const blocks::Text& t : {cv::Entity, cv::Office, cv::Control, cv::Number}) s.append(t.raw(row));
  return s;
}
// A bank account code whose parts may still be empty.
bool AccountAcceptable(const std::uint8_t* row) {
  for (const blocks::Text& t : {cv::Entity, cv::Office, cv::Control, cv::Number})
    if (VH::IsCharEmpty(t.raw(row)[0])) return true;
  return checks::util::CheckBankAccountDigits(AccountText(row)) == 0;
}
}  // namespace

// ---------------------------------------------------------------- CCuenviviDlg

C::CCuenviviDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kAccountsTemplate, cv::kRowSize * cv::kRows, kAccountsLayout, args) {}

void C::OnInitAnnex() {
  if (index == 2)
    if (auto* note = Item<QLabel>(kDateNote)) note->setText(platform::LoadString(kVariant2Note));
}

void C::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  const bool memberView = !IsEditable();
  if (memberView)
    for (int r = 0; r < cv::kRows; ++r) {
      std::uint8_t* row = Row(r);
      bool used = cv::Amount.get(row) != 0.0;
      for (const blocks::Text& t : {cv::Entity, cv::Office, cv::Control, cv::Number})
        used = used || t.raw(row).find_first_not_of(' ') != std::string_view::npos;
      if (used) cv::Holder.set(row, 2);
    }
  // Holder codes are typed only in variant 2, in the family unit's view.
  for (int id : kHolders)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(!memberView && index == 2);
}

bool C::CheckDate(int row, int id) {
  std::uint8_t* r = Row(row);
  const std::string date(cv::Opened.raw(r));
  auto refuse = [&](const char* code) {
    std::memset(r + cv::Opened.off, ' ', 8);
    UpdateAll(false);
    Stop(this, code);
    if (QWidget* w = GetDlgItem(id)) w->setFocus();
    return false;
  };
  if (date.find_first_not_of(std::string_view("\0 ", 2)) == std::string::npos) return true;
  if (!VH::IsValidDate(date)) return refuse("WIN008");
  if (index != 2) {
    if (!VH::IsDateInRange(date, "01011998", "01012004", true)) return refuse("WIN008");
  } else if (doc::CompareDates(date.c_str(), "26042003") <= 0 || std::stoi(date.substr(4, 4)) >= 2004) {
    return refuse("WIN005");
  }
  return true;
}

int C::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id) || inKillFocus_) return 0;
  inKillFocus_ = true;
  int result = 1;
  UpdateAll(true);
  const int row = GetRowOfControl(id);
  const int column = GetColumnOfControl(id);
  if (column == 2) {
    result = CheckDate(row, id) ? 1 : 0;
  } else if (column >= 3 && row >= 0 && !AccountAcceptable(Row(row))) {
    const blocks::Text part = column == 3 ? cv::Entity : column == 4 ? cv::Office : column == 5 ? cv::Control : cv::Number;
    std::memset(Row(row) + part.off, ' ', part.width);
    UpdateAll(false);
    Stop(this, "WIN012");
    if (QWidget* w = GetDlgItem(id)) w->setFocus();
    result = 0;
  }
  inKillFocus_ = false;
  return result;
}

bool C::Validate() {
  for (int r = 0; r < cv::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (cv::Holder.get(row) == 0 || cv::Amount.get(row) == 0.0) continue;
    for (const blocks::Text& t : {cv::Entity, cv::Office, cv::Control, cv::Number})
      if (VH::IsCharEmpty(t.raw(row)[0])) {
        Stop(this, "WIN012");
        return false;
      }
  }
  bool accept = true;
  for (int r = 0; r < cv::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (cv::Holder.get(row) == 0 || cv::Amount.get(row) == 0.0) continue;
    if (checks::util::CheckBankAccountDigits(AccountText(row)) != 0) {
      Stop(this, "WIN012");
      accept = false;
    }
  }
  if (!accept) return false;
  for (int r = 0; r < cv::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (cv::Holder.get(row) == 0 || cv::Amount.get(row) == 0.0) continue;
    if (cv::Opened.raw(row).find_first_not_of(std::string_view("\0 ", 2)) == std::string_view::npos) {
      Stop(this, "WIN013");
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- CObraminuDlg

O::CObraminuDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kWorksTemplate, om::kBlockSize, kWorksLayout, args) {}

void O::ApplyFinancingRule() {
  if (!IsEditable()) return;
  auto empty = [this](int id) {
    auto* e = dynamic_cast<QLineEdit*>(GetDlgItem(id));
    return !e || e->text().trimmed().isEmpty();
  };
  auto enable = [this](int id, bool on) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  for (int r = 0; r < om::kRows; ++r) {
    const bool held = GetRowOwner(r) != 0;
    const bool unfinanced = !empty(kUnfinanced[r]);
    const bool financed = !empty(kWithin[r]) || !empty(kAfter[r]);
    enable(kWithin[r], held && !unfinanced);
    enable(kAfter[r], held && !unfinanced);
    enable(kUnfinanced[r], held && !financed);
  }
}

void O::OnInitAnnex() {}

void O::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  ApplyFinancingRule();
}

int O::OnEditChange(int id) {
  if (GetColumnOfControl(id) >= 1) ApplyFinancingRule();
  return 0;
}

int O::OnEditValueChanged(int id) {
  const int handled = CAnnexRowsDlg::OnEditValueChanged(id);
  ApplyFinancingRule();
  return handled;
}

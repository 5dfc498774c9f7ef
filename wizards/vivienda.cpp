#include "wizards/vivienda.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "blocks/dates.h"
#include "blocks/family_entries.h"
#include "blocks/numtext.h"
#include "blocks/rounding.h"
#include "data/doc/active_declaration.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "tallyvex.h"
#include "ui/double_edit.h"
#include "ui/launch_table.h"
#include "ui/launcher_edit.h"
#include "ui/messages.h"
#include "ui/session.h"
#include "ui/titular_edit.h"

namespace housing {

void CopyAcquisitionSlots(std::uint8_t* block, const std::uint8_t* investment) {
  auto put = [block, investment](int m, int entry) {
    std::uint8_t* date = block + kSlotDateAt + 8u * static_cast<std::size_t>(m);
    std::uint8_t* value = block + kSlotValueAt + 8u * static_cast<std::size_t>(m);
    std::uint8_t* loan = block + kSlotLoanAt + 20u * static_cast<std::size_t>(m);
    if (entry < 0) {
      std::memset(date, 0, 8);
      std::memset(value, 0, 8);
      std::memset(loan, 0, 20);
      return;
    }
    std::memcpy(date, investment + inv::InfoDate(entry).off, 8);
    std::memcpy(value, investment + inv::InfoValue(entry).off, 8);
    std::memcpy(loan, investment + inv::InfoLoan(entry).off, 20);
  };
  const int first = inv::InfoHolder(0).get(investment);
  const int second = inv::InfoHolder(1).get(investment);
  switch (first) {
    case ui::kHolderCommon:
      for (int m : {0, 1, 2}) put(m, 0);
      break;
    case ui::kHolderDeclarant:
      put(0, 0);
      put(1, 0);
      put(2, second != 0 && second != ui::kHolderDeclarant ? 1 : -1);
      break;
    case ui::kHolderSpouse:
      put(0, 0);
      put(2, 0);
      put(1, second != 0 && second != ui::kHolderSpouse ? 1 : -1);
      break;
    default:
      for (int m : {0, 1, 2}) put(m, -1);
  }
}

void ComputeCompensation(const std::uint8_t* block, const std::uint8_t* investment, std::uint8_t* compensation) {
  // Both passes write into the records they are given: run on a scratch copy of the whole
  // declaration, so that nothing the user has not accepted reaches it.
  std::vector<std::uint8_t> scratch(block, block + f100::kBlockSize);
  auto r = [&scratch](const blocks::RecordDef& d) -> void* { return scratch.data() + d.offset; };
  std::memcpy(scratch.data() + kInvestmentAt, investment, inv::kSize);
  Calculos100O(r(f100::SectionO), r(f100::SectionK), r(f100::Summary), r(f100::Personal), r(f100::Family),
               r(f100::SectionI), 2);
  std::memcpy(scratch.data() + kCompensationAt, compensation, comp::kSize);
  Calculos100Li(r(f100::Summary), r(f100::SectionH), r(f100::SectionQ), r(f100::SectionB), r(f100::SectionF1),
                r(f100::SectionK), r(f100::SectionD), r(f100::SectionF2), r(f100::SectionE1), r(f100::SectionE4),
                r(f100::SectionE5), r(f100::SectionC), r(f100::SectionF3), r(f100::SectionF4), r(f100::SectionF5),
                r(f100::SectionG6), r(f100::SectionI), r(f100::SectionA), r(f100::SectionJ), r(f100::Result),
                r(f100::Family), 4);
  std::memcpy(compensation, scratch.data() + kCompensationAt, comp::kSize);
}

namespace {

using ui::Ctl;
using IV = CInverVivi;
using CA = CCompAdq;
constexpr int kCorregir = 8;
constexpr int kInfoGroup = 29890, kCatalunaGroup = 29891, kMurciaGroup = 29892, kIncentiveGroup = 29893;
constexpr int kStrWipeNote = 98919;
constexpr int kStrMurciaNote = 98918;

bool Blank(std::string_view t) { return t.empty() || t[0] == '\0' || t[0] == ' '; }
bool Member(int mode) { return mode != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders(); }
QWidget* Control(QWidget* page, int id) { return ui::FindControl(page, id); }
void Enable(QWidget* page, int id, bool on) {
  if (QWidget* w = Control(page, id)) w->setEnabled(on);
}
// An amount edit counts as empty when it shows nothing or a zero.
bool HasAmount(QWidget* page, int id) {
  auto* e = dynamic_cast<QLineEdit*>(Control(page, id));
  return e && !e->text().trimmed().isEmpty() && CDoubleEdit::ParseAmountText(e->text()) != 0.0;
}
int IndexOf(const int* ids, int count, int id) {
  for (int i = 0; i < count; ++i)
    if (ids[i] == id) return i;
  return -1;
}

// ------------------------------------------------------------------ investment page (IDD 1789)

const ui::DialogTemplate& InvestmentTemplate() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    v.push_back({.kind = Ctl::Static, .textId = 98902, .row = 0, .col = 0, .colSpan = 4});
    v.push_back({.kind = Ctl::Static, .textId = 98903, .row = 1, .col = 0});
    v.push_back({.kind = Ctl::Static, .textId = 98904, .row = 2, .col = 0, .colSpan = 4});
    const int labels[] = {98905, 98906, 98907, 98908, 98909};
    for (int k = 0; k < 5; ++k) v.push_back({.kind = Ctl::Static, .textId = labels[k], .row = 3 + k, .col = 0});
    for (int r = 0; r < inv::kRows; ++r) {
      const int col = r + 1;
      v.push_back({.id = IV::kHolders[r], .kind = Ctl::Titular, .row = 1, .col = col, .field = inv::Holder(r)});
      v.push_back({.id = IV::kWithin[r], .kind = Ctl::Money, .row = 3, .col = col, .width = 8, .decimals = 2,
                   .field = inv::FinancedWithin(r)});
      v.push_back({.id = IV::kAfter[r], .kind = Ctl::Money, .row = 4, .col = col, .width = 8, .decimals = 2,
                   .field = inv::FinancedAfter(r)});
      v.push_back({.id = IV::kUnfinanced[r], .kind = Ctl::Money, .row = 5, .col = col, .width = 8, .decimals = 2,
                   .field = inv::Unfinanced(r)});
      v.push_back({.id = IV::kConstruction[r], .kind = Ctl::Money, .row = 6, .col = col, .width = 8, .decimals = 2,
                   .field = inv::Construction(r)});
      v.push_back({.id = IV::kAccounts[r], .kind = Ctl::Launcher, .row = 7, .col = col, .width = 8, .decimals = 2,
                   .field = inv::AccountAmount(r), .table = "IDD_CUENVIVI*1*3"});
    }
    v.push_back({.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 8, .col = 0, .colSpan = 4});
    v.push_back({.id = kInfoGroup, .kind = Ctl::GroupBox, .textId = 98910, .row = 9, .col = 0, .colSpan = 4});
    v.push_back({.kind = Ctl::Static, .textId = 98903, .row = 0, .col = 0, .group = kInfoGroup});
    v.push_back({.kind = Ctl::Static, .textId = 98911, .row = 0, .col = 1, .group = kInfoGroup});
    v.push_back({.kind = Ctl::Static, .textId = 98912, .row = 0, .col = 2, .group = kInfoGroup});
    for (int e = 0; e < 2; ++e) {
      v.push_back({.id = IV::kInfoHolders[e], .kind = Ctl::Titular, .row = 1 + e, .col = 0, .group = kInfoGroup,
                   .field = inv::InfoHolder(e)});
      v.push_back({.id = IV::kInfoDates[e], .kind = Ctl::Date, .row = 1 + e, .col = 1, .group = kInfoGroup,
                   .width = 8, .field = inv::InfoDate(e)});
      v.push_back({.id = IV::kInfoLoans[e], .kind = Ctl::Edit, .row = 1 + e, .col = 2, .group = kInfoGroup,
                   .width = 20, .field = inv::InfoLoan(e)});
    }
    const struct {
      int group, title, note, row;
      const int* ids;
      blocks::U8 declarant, spouse;
    } regions[] = {{kCatalunaGroup, 98913, 98914, 10, IV::kCataluna, inv::CatalunaDeclarant, inv::CatalunaSpouse},
                   {kMurciaGroup, 98917, kStrMurciaNote, 11, IV::kMurcia, inv::MurciaDeclarant, inv::MurciaSpouse}};
    for (const auto& g : regions) {
      v.push_back({.id = g.group, .kind = Ctl::GroupBox, .textId = g.title, .row = g.row, .col = 0, .colSpan = 4});
      v.push_back({.kind = Ctl::Static, .textId = g.note, .row = 0, .col = 0, .colSpan = 4, .group = g.group});
      v.push_back({.kind = Ctl::Static, .textId = 98915, .row = 1, .col = 0, .group = g.group});
      v.push_back({.id = g.ids[0], .kind = Ctl::Box, .row = 1, .col = 1, .group = g.group, .field = g.declarant});
      v.push_back({.kind = Ctl::Static, .textId = 98916, .row = 1, .col = 2, .group = g.group});
      v.push_back({.id = g.ids[1], .kind = Ctl::Box, .row = 1, .col = 3, .group = g.group, .field = g.spouse});
    }
    return v;
  }();
  static const ui::DialogTemplate t{.id = IV::kIdd, .captionId = 98900, .controls = controls,
                                    .helpTopic = IV::kHelpTopic};
  return t;
}

// ------------------------------------------------------------------ compensation page (IDD 1795)

const ui::DialogTemplate& CompensationTemplate() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    v.push_back({.kind = Ctl::Static, .textId = 98920, .row = 0, .col = 0, .colSpan = 3});
    v.push_back({.kind = Ctl::Static, .textId = 98903, .row = 1, .col = 0});
    const int labels[] = {98921, 98922, 98923, 98924, 98925, 98926};
    for (int k = 0; k < 6; ++k) v.push_back({.kind = Ctl::Static, .textId = labels[k], .row = 2 + k, .col = 0});
    for (int r = 0; r < comp::kRows; ++r) {
      const int col = r + 1;
      v.push_back({.id = CA::kHolders[r], .kind = Ctl::Titular, .row = 1, .col = col, .field = comp::Holder(r)});
      v.push_back({.id = CA::kInterest[r], .kind = Ctl::Money, .row = 2, .col = col, .width = 8, .decimals = 2,
                   .field = comp::Interest(r)});
      v.push_back({.id = CA::kInvestment[r], .kind = Ctl::Money, .row = 3, .col = col, .width = 8, .decimals = 2,
                   .field = comp::Investment(r)});
      v.push_back({.id = CA::kCadastral[r], .kind = Ctl::Money, .row = 4, .col = col, .width = 8, .decimals = 2,
                   .field = comp::Cadastral(r)});
      v.push_back({.id = CA::kRevised[r], .kind = Ctl::YesNo, .row = 5, .col = col, .field = comp::Revised(r)});
      v.push_back({.id = CA::kDays[r], .kind = Ctl::Double, .row = 6, .col = col, .width = 3, .decimals = 0,
                   .field = comp::Days(r)});
      v.push_back({.id = CA::kPropertyTax[r], .kind = Ctl::Money, .row = 7, .col = col, .width = 8, .decimals = 2,
                   .field = comp::PropertyTax(r)});
    }
    v.push_back({.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 8, .col = 0, .colSpan = 3});
    v.push_back({.id = kIncentiveGroup, .kind = Ctl::GroupBox, .textId = 98927, .row = 9, .col = 0, .colSpan = 3});
    const int heads[] = {98928, 98915, 98916};
    for (int c = 0; c < 3; ++c)
      v.push_back({.kind = Ctl::Static, .textId = heads[c], .row = 0, .col = 1 + c, .group = kIncentiveGroup});
    for (int item = 0; item < 5; ++item) {
      v.push_back({.kind = Ctl::Static, .textId = 98929 + item, .row = 1 + item, .col = 0, .group = kIncentiveGroup});
      for (int c = 0; c < 3; ++c)
        v.push_back({.id = CA::kIncentiveIds[item][c], .kind = Ctl::Money, .row = 1 + item, .col = 1 + c,
                     .group = kIncentiveGroup, .width = 8, .decimals = 2, .field = comp::Incentive(c, item),
                     .options = ui::kOptDisabled});
    }
    return v;
  }();
  static const ui::DialogTemplate t{.id = CA::kIdd, .captionId = 98901, .controls = controls,
                                    .helpTopic = CA::kHelpTopic};
  return t;
}

void WrapLabels(QWidget* page) {
  for (QLabel* l : page->findChildren<QLabel*>()) {
    if (l->text().size() > 60) l->setWordWrap(true);
    if (l->text().contains(u'\n')) l->setMinimumHeight(2 * l->fontMetrics().height() + 2);
  }
  // A frame's title has one line.
  for (QGroupBox* g : page->findChildren<QGroupBox*>()) g->setTitle(g->title().replace(u'\n', u' '));
}

std::function<int(CVivienda&)>& Runner() {
  static std::function<int(CVivienda&)> runner;
  return runner;
}

}  // namespace
}  // namespace housing

using namespace housing;

// ===================================================================== CInverVivi

CInverVivi::CInverVivi(CVivienda& sheet, int holderMode)
    : CGestorPg(InvestmentTemplate()), sheet_(sheet), mode_(holderMode), binder_(this, InvestmentTemplate()) {
  SetMatrix(inv::kRows, 6, {kHolders[0], kHolders[1], kHolders[2], kWithin[0], kWithin[1], kWithin[2], kAfter[0],
                            kAfter[1], kAfter[2], kUnfinanced[0], kUnfinanced[1], kUnfinanced[2], kConstruction[0],
                            kConstruction[1], kConstruction[2], kAccounts[0], kAccounts[1], kAccounts[2]});
  this->holderMode = holderMode;
  setWindowTitle(platform::LoadString(98900));
}

void CInverVivi::OnInitDialog() {
  CGestorPg::OnInitDialog();
  committed_ = sheet_.Investment();
  working_ = committed_;
  shownMember = doc::ShownMember();
  hasOtherMembers = doc::HouseholdHasSeveralHolders() ? 1 : 0;
  ApplyHolderMode();
  binder_.SetUpEditors(mode_);
  binder_.Bind(working_.data());
  // The accounts dialog always receives the data, never the member's view of it.
  std::uint8_t* accounts =
      (Member(shownMember) ? committed_.data() : working_.data()) + inv::kAccounts;
  for (int id : kAccounts)
    if (auto* l = Item<CDialogLauncherEdit>(id)) l->SetOption(accounts);
  if (Member(shownMember)) {
    PrepareMemberView();
    SetChildEditsEnabled(this, 0);
  }
  RefreshEnabledRows();
  if (!IsEditable()) CompactRows();
  WrapLabels(this);
  Reload();
  UpdateDependentControls();
}

void CInverVivi::PrepareMemberView() {
  const int shown = shownMember;
  for (int e = 0; e < 2; ++e) {
    std::uint8_t* entry = working_.data() + inv::InfoAt(e);
    const int holder = inv::InfoHolder(e).get(working_.data());
    const bool kept = (shown == ui::kDeclarant && (holder == 1 || holder == 2)) ||
                      (shown == ui::kSpouse && (holder == 1 || holder == 3));
    if (kept) inv::InfoHolder(e).set(working_.data(), ui::kHolderDeclarant);
    else std::memset(entry, 0, inv::kInfoSize);
  }
}

void CInverVivi::UpdateDependentControls() {
  // Reloading the controls notifies their changes, which would come back here.
  if (!IsEditable() || updating_) return;
  const QScopedValueRollback<bool> guard(updating_, true);
  std::uint8_t* w = working_.data();
  for (int r = 0; r < inv::kRows; ++r) {
    if (inv::Holder(r).get(w) == 0) {
      for (int id : {kWithin[r], kAfter[r], kUnfinanced[r]}) Enable(this, id, false);
      continue;
    }
    const bool financed = HasAmount(this, kWithin[r]) || HasAmount(this, kAfter[r]);
    const bool unfinanced = HasAmount(this, kUnfinanced[r]);
    Enable(this, kWithin[r], !unfinanced);
    Enable(this, kAfter[r], !unfinanced);
    Enable(this, kUnfinanced[r], !financed);
  }
  const housing::InvestmentRecord before = working_;
  auto entryEdits = [this](int e, bool on) {
    Enable(this, kInfoDates[e], on);
    Enable(this, kInfoLoans[e], on);
  };
  auto zero = [w](int e) { std::memset(w + inv::InfoAt(e), 0, inv::kInfoSize); };
  const bool first = inv::InfoHolder(0).get(w) != 0, second = inv::InfoHolder(1).get(w) != 0;
  if (first) {
    entryEdits(0, true);
    Enable(this, kInfoHolders[1], true);
    entryEdits(1, second);
    if (!second) zero(1);
  } else if (second) {
    std::memcpy(w + inv::InfoAt(0), w + inv::InfoAt(1), inv::kInfoSize);
    zero(1);
    entryEdits(0, true);
    Enable(this, kInfoHolders[1], true);
    entryEdits(1, false);
  } else {
    Enable(this, kInfoHolders[1], false);
    entryEdits(0, false);
    entryEdits(1, false);
    zero(0);
    zero(1);
  }
  const std::uint8_t* personal = sheet_.Block() ? sheet_.Block() + f100::Personal.offset : nullptr;
  for (int p = 0; p < 2; ++p) {
    const std::string code = personal ? std::string(f100::wizard_personal::RegionCode(1 + p).raw(personal)) : "";
    const blocks::U8 cataluna = p == 0 ? inv::CatalunaDeclarant : inv::CatalunaSpouse;
    const blocks::U8 murcia = p == 0 ? inv::MurciaDeclarant : inv::MurciaSpouse;
    const bool inCataluna = code == "09", inMurcia = code == "13";
    Enable(this, kCataluna[p], inCataluna);
    Enable(this, kMurcia[p], inMurcia);
    if (!inCataluna) cataluna.set(w, 0);
    if (!inMurcia) murcia.set(w, 0);
  }
  // Only the controls this rule changes: the edit being typed in keeps its text.
  if (before != working_)
    for (const int* ids : {kInfoHolders, kInfoDates, kInfoLoans, kCataluna, kMurcia})
      for (int k = 0; k < 2; ++k)
        if (CEditEx* e = Edit(ids[k])) e->LoadFromData(0);
}

int CInverVivi::CheckPage() {
  pendingClear_ = {};
  const std::uint8_t* block = sheet_.Block();
  if (!block) return 1;
  const std::uint8_t* w = working_.data();
  auto holderOf = [block](int e) { return static_cast<int>(block[kRegionalListAt + 16u * static_cast<std::size_t>(e)]); };
  const bool declarant = inv::MurciaDeclarant.get(w) != 0, spouse = inv::MurciaSpouse.get(w) != 0;
  auto concerns = [&](int e) {
    const int h = holderOf(e);
    return (declarant && (h == 2 || h == 1)) || (spouse && (h == 3 || h == 1));
  };
  if (!concerns(0) && !concerns(1)) return 1;
  const int answer =
      ui::ShowMessage(this, QStringLiteral("100P079"), platform::kIconAsterisk, platform::LoadString(kStrWipeNote));
  if (answer == kCorregir) return 0;
  for (int e = 0; e < 2; ++e) pendingClear_[static_cast<std::size_t>(e)] = concerns(e);
  return 1;
}

int CInverVivi::ApplyChanges() {
  if (!CheckPage()) return 0;
  if (IsEditable()) committed_ = working_;
  return 1;
}

void CInverVivi::ShowHelp() { platform::ShowHelp(kHelpTopic); }

int CInverVivi::GetRowOwner(int row) const {
  if (row < 0 || row >= inv::kRows) return 0;
  const int code = inv::Holder(row).get(working_.data());
  return code > 5 ? 0 : code;
}

void CInverVivi::ClearRowData(int row) { inv::Holder(row).set(working_.data(), 0); }

void CInverVivi::ClearRowControls(int row) {
  std::uint8_t* w = working_.data();
  for (const blocks::F64& f : {inv::FinancedWithin(row), inv::FinancedAfter(row), inv::Unfinanced(row),
                               inv::Construction(row)})
    f.set(w, 0.0);
  std::memset(w + inv::AccountAt(row) + 8, 0, 36);
}

void CInverVivi::MoveRow(int destination, int source) {
  if (destination == source) return;
  std::uint8_t* w = working_.data();
  inv::Holder(destination).set(w, inv::Holder(source).get(w));
  std::memcpy(w + inv::RowAt(destination) + 8, w + inv::RowAt(source) + 8, 32);
  std::memcpy(w + inv::AccountAt(destination) + 8, w + inv::AccountAt(source) + 8, 36);
}

void CInverVivi::HandleCommonRow(int row) {
  std::uint8_t* w = working_.data();
  for (const blocks::F64& f : {inv::FinancedWithin(row), inv::FinancedAfter(row), inv::Unfinanced(row),
                               inv::Construction(row), inv::AccountAmount(row)})
    f.set(w, f.get(w) * 0.5);
}

void CInverVivi::HandleOwnRow(int row) { inv::Holder(row).set(working_.data(), ui::kHolderDeclarant); }

int CInverVivi::OnEditChange(int id) {
  const int column = GetColumnOfControl(id);
  if (column >= 0 && column <= 3) UpdateDependentControls();
  return 0;
}

int CInverVivi::OnEditKillFocus(int id) {
  if (!CGestorPg::OnEditKillFocus(id) || inKillFocus_) return 0;
  inKillFocus_ = true;
  if (IndexOf(kAccounts, 3, id) >= 0) Reload();
  if (const int e = IndexOf(kInfoDates, 2, id); e >= 0) {
    const blocks::Text field = inv::InfoDate(e);
    const std::string date(field.raw(working_.data()));
    if (!Blank(date)) {
      bool refused = false;
      if (!tv::IsValidDate(date.c_str())) {
        ui::ShowMessage(this, QStringLiteral("WIN008"), platform::kIconHand);
        refused = true;
      } else if (tv::CompareDates("01012004", date.c_str()) != 1) {
        ui::ShowMessage(this, QStringLiteral("WIN008"), platform::kIconAsterisk);
        refused = true;
      }
      if (refused) std::memset(working_.data() + field.off, 0, field.width);
    }
    Reload();
  }
  inKillFocus_ = false;
  return 1;
}

int CInverVivi::OnEditValueCleared(int id) {
  if (const int row = IndexOf(kHolders, 3, id); row >= 0) {
    ClearRowControls(row);
    Reload();
  }
  return 1;
}

int CInverVivi::OnSubDialogValue(int) {
  Reload();
  return 1;
}

int CInverVivi::OnEditValueChanged(int id) {
  CGestorPg::OnEditValueChanged(id);
  UpdateDependentControls();
  if (IndexOf(kInfoHolders, 2, id) >= 0) Reload();
  std::uint8_t* w = working_.data();
  for (int r = 0; r < inv::kRows; ++r) inv::AccountHolder(r).set(w, inv::Holder(r).get(w));
  return 1;
}

// ===================================================================== CCompAdq

CCompAdq::CCompAdq(CVivienda& sheet, int holderMode)
    : CGestorPg(CompensationTemplate()), sheet_(sheet), mode_(holderMode), binder_(this, CompensationTemplate()) {
  SetMatrix(comp::kRows, 7, {kHolders[0], kHolders[1], kInterest[0], kInterest[1], kInvestment[0], kInvestment[1],
                             kCadastral[0], kCadastral[1], kRevised[0], kRevised[1], kDays[0], kDays[1],
                             kPropertyTax[0], kPropertyTax[1]});
  this->holderMode = holderMode;
  setWindowTitle(platform::LoadString(98901));
}

void CCompAdq::OnInitDialog() {
  CGestorPg::OnInitDialog();
  committed_ = sheet_.Compensation();
  working_ = committed_;
  shownMember = doc::ShownMember();
  hasOtherMembers = doc::HouseholdHasSeveralHolders() ? 1 : 0;
  ApplyHolderMode();
  binder_.SetUpEditors(mode_);
  binder_.Bind(working_.data());
  for (const auto& item : kIncentiveIds)
    for (int id : item) Enable(this, id, false);
  if (Member(shownMember)) SetChildEditsEnabled(this, 0);
  limits_ = {365.0, 365.0};
  RefreshEnabledRows();
  if (!IsEditable()) CompactRows();
  for (const auto& item : kIncentiveIds)
    for (int id : item) Enable(this, id, false);
  WrapLabels(this);
  initialised_ = true;
  Reload();
  Recalculate();
}

void CCompAdq::Recalculate() {
  if (!initialised_) return;
  if (sheet_.Block())
    ComputeCompensation(sheet_.Block(), sheet_.InvestmentPage().Working(), working_.data());
  if (Member(shownMember)) comp::Incentives.clear(working_.data());
  else if (!doc::HouseholdHasSeveralHolders())
    for (int item = 0; item < 5; ++item) comp::Incentive(0, item).set(working_.data(), 0.0);
  Reload();
}

double CCompAdq::DaysOwned(int row) const {
  std::string end = "31122003";
  if (comp::Holder(row).get(working_.data()) == ui::kHolderDeclarant && sheet_.Block()) {
    const std::string death(f100::wizard_personal::DeclarantDeath.raw(sheet_.Block() + f100::Personal.offset));
    if (!Blank(death)) end = death;
  }
  const int days = tv::DaysBetween("31122002", end.c_str());
  return days < 0 ? 0.0 : static_cast<double>(days);
}

int CCompAdq::OnEditKillFocus(int id) {
  if (!CGestorPg::OnEditKillFocus(id) || inKillFocus_) return 0;
  inKillFocus_ = true;
  Reload();
  std::uint8_t* w = working_.data();
  if (const int r = IndexOf(kCadastral, 2, id); r >= 0 && comp::Days(r).get(w) == 0.0 && comp::Cadastral(r).get(w) != 0.0) {
    const double days = DaysOwned(r);
    comp::Days(r).set(w, days);
    limits_[static_cast<std::size_t>(r)] = days;
  }
  if (const int r = IndexOf(kDays, 2, id); r >= 0) {
    if (comp::Days(r).get(w) == 0.0 && comp::Cadastral(r).get(w) != 0.0) comp::Cadastral(r).set(w, 0.0);
    if (comp::Days(r).get(w) > limits_[static_cast<std::size_t>(r)]) {
      const double days = DaysOwned(r);
      comp::Days(r).set(w, days);
      limits_[static_cast<std::size_t>(r)] = days;
      Reload();
      ui::ShowMessage(this, QStringLiteral("WIN031"), platform::kIconExclamation,
                             QStringLiteral(" ") + QString::fromStdString(blocks::FormatGeneral(days)));
      inKillFocus_ = false;
      return 1;
    }
  }
  Recalculate();
  inKillFocus_ = false;
  return 1;
}

int CCompAdq::OnEditSetFocus(int id) {
  if (auto* legend = Item<QLabel>(ui::kHolderLegendId))
    legend->setText(GetColumnOfControl(id) == 0 ? GetHolderLegend() : QString());
  Recalculate();
  return 1;
}

int CCompAdq::OnEditValueCleared(int) {
  comp::Incentives.clear(working_.data());
  Reload();
  return 1;
}

int CCompAdq::CheckPage() {
  if (!IsEditable()) return 1;
  const std::uint8_t* iv = sheet_.InvestmentPage().Working();
  const std::uint8_t* w = working_.data();
  double common = 0, declarant = 0, spouse = 0;
  for (int r = 0; r < inv::kRows; ++r) {
    const double s = inv::FinancedWithin(r).get(iv) + inv::FinancedAfter(r).get(iv) + inv::Unfinanced(r).get(iv) + 0.5;
    switch (inv::Holder(r).get(iv)) {
      case ui::kHolderCommon: common += s; break;
      case ui::kHolderDeclarant: declarant += s; break;
      case ui::kHolderSpouse: spouse += s; break;
      default: break;
    }
  }
  declarant += blocks::RoundToDecimals(common * 0.5, 2);
  spouse += blocks::RoundToDecimals(common * 0.5, 2);
  double e = 0, g = 0, i = 0;
  std::array<double, 2> t{};
  for (int r = 0; r < comp::kRows; ++r) {
    t[static_cast<std::size_t>(r)] = comp::Interest(r).get(w) + comp::Investment(r).get(w);
    const int holder = comp::Holder(r).get(w);
    if (holder != 0 && t[static_cast<std::size_t>(r)] != 0.0 && comp::Cadastral(r).get(w) == 0.0) {
      ui::ShowMessage(this, QStringLiteral("100R057"), platform::kIconHand);
      return 0;
    }
    if (holder == ui::kHolderCommon) e += t[static_cast<std::size_t>(r)];
    else if (holder == ui::kHolderDeclarant) g += t[static_cast<std::size_t>(r)];
    else if (holder == ui::kHolderSpouse) i += t[static_cast<std::size_t>(r)];
  }
  g += blocks::RoundToDecimals(e * 0.5, 2);
  i += blocks::RoundToDecimals(e * 0.5, 2);
  if (g > declarant || i > spouse) {
    ui::ShowMessage(this, QStringLiteral("100R056"), platform::kIconHand);
    return 0;
  }
  const double firstRow = inv::FinancedWithin(0).get(iv) + inv::FinancedAfter(0).get(iv) + inv::Unfinanced(0).get(iv);
  if (firstRow > 0 && inv::InfoHolder(0).get(iv) == 0 &&
      ui::ShowMessage(this, QStringLiteral("100R063"), platform::kIconAsterisk) == kCorregir)
    return 0;
  for (int k = 0; k < 2; ++k) {
    if (inv::InfoHolder(k).get(iv) == 0) continue;
    if (Blank(inv::InfoDate(k).raw(iv)) || Blank(inv::InfoLoan(k).raw(iv))) {
      if (ui::ShowMessage(this, QStringLiteral("100P082"), platform::kIconAsterisk) == kCorregir) return 0;
      break;
    }
  }
  for (int r = 0; r < 2; ++r) {
    const std::string date(inv::InfoDate(r).raw(iv));
    if (Blank(date) || t[static_cast<std::size_t>(r)] == 0.0) continue;
    if (tv::CompareDates(date.c_str(), "04051998") != -1) {
      ui::ShowMessage(this, QStringLiteral("100R140"), platform::kIconHand);
      return 0;
    }
  }
  return 1;
}

int CCompAdq::ApplyChanges() {
  if (!CheckPage()) return 0;
  if (IsEditable()) committed_ = working_;
  return 1;
}

void CCompAdq::ShowHelp() { platform::ShowHelp(kHelpTopic); }

int CCompAdq::GetRowOwner(int row) const {
  if (row < 0 || row >= comp::kRows) return 0;
  const int code = comp::Holder(row).get(working_.data());
  return code > 5 ? 0 : code;
}

void CCompAdq::ClearRowData(int row) { comp::Holder(row).set(working_.data(), 0); }

void CCompAdq::ClearRowControls(int row) {
  std::uint8_t* w = working_.data();
  for (const blocks::F64& f : {comp::Interest(row), comp::Investment(row), comp::Cadastral(row), comp::Days(row),
                               comp::PropertyTax(row)})
    f.set(w, 0.0);
  limits_[static_cast<std::size_t>(row)] = 365.0;
  Recalculate();
}

void CCompAdq::MoveRow(int destination, int source) {
  if (destination == source) return;
  std::uint8_t* w = working_.data();
  std::memcpy(w + comp::RowAt(destination), w + comp::RowAt(source), 56);
  limits_[static_cast<std::size_t>(destination)] = limits_[static_cast<std::size_t>(source)];
}

void CCompAdq::HandleCommonRow(int row) {
  std::uint8_t* w = working_.data();
  for (const blocks::F64& f : {comp::Interest(row), comp::Investment(row), comp::Cadastral(row), comp::PropertyTax(row)})
    f.set(w, f.get(w) * 0.5);
}

void CCompAdq::HandleOwnRow(int row) { comp::Holder(row).set(working_.data(), ui::kHolderDeclarant); }

// ===================================================================== CVivienda

CVivienda::CVivienda(const QString& caption, QWidget* parent, int startPage, int holderMode, std::uint8_t* block)
    : CAsistente(caption, parent, startPage), holderMode_(holderMode), startPage_(startPage), block_(block) {
  investmentPage_ = new CInverVivi(*this, holderMode);
  AddPage(investmentPage_);
  compensationPage_ = new CCompAdq(*this, holderMode);
  AddPage(compensationPage_);
}

CVivienda::~CVivienda() = default;

void CVivienda::OnInitDialog() {
  CAsistente::OnInitDialog();
  if (QWidget* apply = FrameButton(kIdApplyNow)) apply->hide();
  OnGoToPage(startPage_);
}

int CVivienda::OnGoToPage(int page) {
  SetActivePage(page);
  return 1;
}

int CVivienda::OnCommand(int id, int code) {
  if (code != ui::kBnClicked) return CAsistente::OnCommand(id, code);
  if (id == kIdOk || id == kIdWizFinish) {
    // The edit being typed in keeps its text through a refused check.
    if (QWidget* f = QApplication::focusWidget())
      if (auto* e = dynamic_cast<CEditEx*>(f); e && e->IsModifiedEx()) e->StoreToData();
    if (investmentPage_->ApplyChanges() != 1) return 1;
    if (compensationPage_->ApplyChanges() != 1) return 1;
    investment_ = investmentPage_->Committed();
    compensation_ = compensationPage_->Committed();
    // A deletion the user confirmed on the first page happens only once the sheet is accepted.
    if (block_) {
      const std::array<bool, 2>& clear = investmentPage_->PendingRegionalClear();
      for (std::size_t e = 0; e < 2; ++e)
        if (clear[e]) {
          std::uint8_t* entry = block_ + kRegionalListAt + 16 * e;
          entry[0] = 0;
          blocks::F64{8}.set(entry, 0.0);
        }
    }
    return CAsistente::OnCommand(kIdOk, code);
  }
  if (id == kIdHelp) {
    if (CTemplatePropPg* page = GetActivePage()) page->ShowHelp();
    return 1;
  }
  return CAsistente::OnCommand(id, code);
}

// ===================================================================== opener

namespace housing {

void SetSheetRunner(std::function<int(CVivienda&)> runner) { Runner() = std::move(runner); }

int OpenHousingSheet(bool fromCompensation, int holderMode, std::uint8_t* annex, std::uint8_t* block) {
  if (!block) return ui::IDCANCEL;
  std::uint8_t* investment = !fromCompensation && annex ? annex : block + kInvestmentAt;
  std::uint8_t* compensation = fromCompensation && annex ? annex : block + kCompensationAt;
  CVivienda sheet(platform::LoadString(CVivienda::kCaptionString), nullptr, fromCompensation ? 1 : 0, holderMode, block);
  std::memcpy(sheet.Investment().data(), investment, inv::kSize);
  std::memcpy(sheet.Compensation().data(), compensation, comp::kSize);
  const int shown = doc::ShownMember();
  if (shown != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders())
    ui::ShowMessage(nullptr, QStringLiteral("100R025"), platform::kIconExclamation);
  const int result = Runner() ? Runner()(sheet) : sheet.DoModal();
  if (result != ui::IDOK) return result;
  std::memcpy(investment, sheet.Investment().data(), inv::kSize);
  std::memcpy(compensation, sheet.Compensation().data(), comp::kSize);
  if (shown == ui::kFamilyUnit || shown == ui::kDeclarant) CopyAcquisitionSlots(block, investment);
  return result;
}

void RegisterHousingWizard() {
  ui::SetWizardOpener([](const ui::LaunchEntry& e, int holderMode, void* annex) {
    const bool fromCompensation = std::strcmp(e.name, "IDD_COMPADQ") == 0;
    return OpenHousingSheet(fromCompensation, holderMode, static_cast<std::uint8_t*>(annex), doc::Form100Block());
  });
}

}  // namespace housing

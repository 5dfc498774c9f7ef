#include "annex/maternidad_dlg.h"

#include <QLabel>

#include <algorithm>
#include <cstring>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/launcher_edit.h"
#include "ui/messages.h"
#include "ui/titular_edit.h"
#include "blocks/numtext.h"
#include "ui/box_field.h"
#include "ui/owner_draw_button.h"

namespace {
using ui::Ctl;
namespace m = annex::maternidad;
using Dlg = CMaternidadDlg;

constexpr int kHelpTopic = 903;
constexpr int kMonthNames = 97987;             // "Enero" .. "Diciembre"
constexpr int kMoreChildrenText = 272;         // inserted in "100P076"
constexpr int kSelfEmployedText = 350;         // inserted in "100P073"
// Descendants born, adopted or fostered after 31/01/2000 give right to the deduction. The
// comparison is by digits: a date that is not eight digits counts as later.
bool AfterEligibilityDay(const std::string& ddmmyyyy) {
  if (ddmmyyyy.size() != 8 || ddmmyyyy.find_first_not_of("0123456789") != std::string::npos) return true;
  const std::string key = ddmmyyyy.substr(4, 4) + ddmmyyyy.substr(2, 2) + ddmmyyyy.substr(0, 2);
  return key > "20000131";
}

// ----------------------------------------------------------------------------- main dialog

constexpr int kChildRow0 = 5;
// Computed amounts are shown, not bound: a bound amount edit rounds its field to the decimals it
// shows, and the deductions keep every decimal of the division by the persons.
constexpr unsigned kComputed = ui::kOptDisabled | ui::kOptReadOnly;
constexpr ui::ControlDef ChildCell(int column, int c) {
  const int row = kChildRow0 + c;
  switch (column) {
    case 0:
      return {.id = Dlg::kMonthLaunchers[c], .kind = Ctl::Launcher, .row = row, .col = 1, .width = 8, .decimals = 0,
              .field = m::Months(c), .table = "IDD_MATMESES"};
    case 1:
      return {.id = Dlg::kContributionEdits[c], .kind = Ctl::Money, .row = row, .col = 2, .width = 8, .decimals = 2,
              .options = kComputed};
    default:
      return {.id = Dlg::kDeductionEdits[c], .kind = Ctl::Money, .row = row, .col = 3, .width = 8, .decimals = 2,
              .options = kComputed};
  }
}
constexpr const char* kChildLabel[m::kChildren] = {"1º", "2º", "3º", "4º", "5º", "6º"};

constexpr std::size_t kHead = 10, kPerChild = 4, kTail = 5;
constexpr std::size_t kMainCount = kHead + kPerChild * m::kChildren + kTail;
constexpr std::array<ui::ControlDef, kMainCount> MakeMain() {
  std::array<ui::ControlDef, kMainCount> c{};
  std::size_t n = 0;
  c[n++] = {.kind = Ctl::Static, .textId = 97976, .row = 0, .col = 0, .colSpan = 2};
  c[n++] = {.id = Dlg::kHolder, .kind = Ctl::Titular, .row = 0, .col = 2, .field = m::Holder};
  c[n++] = {.id = Dlg::kLegend, .kind = Ctl::Legend, .row = 1, .col = 0, .colSpan = 4};
  c[n++] = {.kind = Ctl::Static, .textId = 97977, .row = 2, .col = 0, .colSpan = 2};
  c[n++] = {.id = Dlg::kPersons, .kind = Ctl::Money, .row = 2, .col = 2, .width = 1, .decimals = 0, .field = m::Persons};
  c[n++] = {.kind = Ctl::Static, .textId = 97986, .row = 4, .col = 0};
  c[n++] = {.kind = Ctl::Static, .textId = 97978, .row = 4, .col = 1};
  c[n++] = {.kind = Ctl::Static, .textId = 97979, .row = 4, .col = 2};
  c[n++] = {.kind = Ctl::Static, .textId = 97980, .row = 4, .col = 3};
  c[n++] = {.kind = Ctl::Static, .textId = 97981, .row = 11, .col = 0, .colSpan = 3};
  for (int k = 0; k < m::kChildren; ++k) {
    c[n++] = {.kind = Ctl::Static, .text = kChildLabel[k], .row = kChildRow0 + k, .col = 0};
    for (int column = 0; column < 3; ++column) c[n++] = ChildCell(column, k);
  }
  c[n++] = {.id = Dlg::kAdvance, .kind = Ctl::Money, .row = 11, .col = 3, .width = 4, .decimals = 0, .field = m::Advance};
  c[n++] = {.id = Dlg::kContributionsButton, .kind = Ctl::Button, .textId = 97982, .row = 12, .col = 0, .colSpan = 4};
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 13, .col = 1};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 13, .col = 2};
  c[n++] = {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 13, .col = 3};
  return c;
}
constexpr std::array<ui::ControlDef, kMainCount> kMainControls = MakeMain();
constexpr ui::DialogTemplate kMainTemplate{.id = Dlg::kId, .captionId = 97975, .controls = kMainControls, .helpTopic = kHelpTopic};

// ----------------------------------------------------------------------------- contributions

using Cot = CCotizacionesDevengadasDlg;
constexpr std::size_t kCotCount = 2 + 2 * m::kMonths + 3;
constexpr std::array<ui::ControlDef, kCotCount> MakeContributions() {
  std::array<ui::ControlDef, kCotCount> c{};
  std::size_t n = 0;
  c[n++] = {.kind = Ctl::Static, .textId = 97984, .row = 0, .col = 0, .colSpan = 3};
  c[n++] = {.id = Cot::kAllMonths, .kind = Ctl::Box, .row = 0, .col = 3, .field = m::AllMonths};
  for (int month = 0; month < static_cast<int>(m::kMonths); ++month) {
    const int row = 1 + month % 6, col = month < 6 ? 0 : 2;
    c[n++] = {.kind = Ctl::Static, .textId = kMonthNames + month, .row = row, .col = col};
    c[n++] = {.id = Cot::kMonthEdits[month], .kind = Ctl::Money, .row = row, .col = col + 1, .width = 8, .decimals = 2,
              .field = m::Monthly(month)};
  }
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 7, .col = 1};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 7, .col = 2};
  c[n++] = {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 7, .col = 3};
  return c;
}
constexpr std::array<ui::ControlDef, kCotCount> kCotControls = MakeContributions();
constexpr ui::DialogTemplate kCotTemplate{.id = Cot::kId, .captionId = 97983, .controls = kCotControls, .helpTopic = kHelpTopic};

// ----------------------------------------------------------------------------- months of a child

using Mes = CMatmesesDlg;
constexpr std::size_t kMesCount = 2 * m::kMonths + 3;
constexpr std::array<ui::ControlDef, kMesCount> MakeMonths() {
  std::array<ui::ControlDef, kMesCount> c{};
  std::size_t n = 0;
  for (int month = 0; month < static_cast<int>(m::kMonths); ++month) {
    const int row = month % 6, col = month < 6 ? 0 : 2;
    c[n++] = {.kind = Ctl::Static, .textId = kMonthNames + month, .row = row, .col = col};
    c[n++] = {.id = Mes::kMarks[month], .kind = Ctl::Box, .row = row, .col = col + 1,
              .field = blocks::U8{static_cast<std::size_t>(month)}};
  }
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 1};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 2};
  c[n++] = {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3};
  return c;
}
constexpr std::array<ui::ControlDef, kMesCount> kMesControls = MakeMonths();
constexpr ui::DialogTemplate kMesTemplate{.id = Mes::kId, .captionId = 97985, .controls = kMesControls, .helpTopic = kHelpTopic};

bool Contains(const auto& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
}  // namespace

// ============================================================================= CMaternidadDlg

CMaternidadDlg::CMaternidadDlg(const ui::AnnexArgs& args) : CAnnexDlg(kMainTemplate, m::kBlockSize, args) {}

void CMaternidadDlg::OnInitAnnex() {
  if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  for (int c = 0; c < m::kChildren; ++c) {
    links_[static_cast<std::size_t>(c)] = {.block = Data() + m::Child(c) + m::kMarks,
                                           .item1 = Data() + m::Holder.off,
                                           .item2 = Data() + m::kContributions,
                                           .value = c};
    if (CEditEx* launcher = Edit(kMonthLaunchers[static_cast<std::size_t>(c)]))
      launcher->SetOption(&links_[static_cast<std::size_t>(c)]);
  }
  ApplyHolder();
  if (ReadOnlyView()) AdjustToShownMember();
  Reload();
  if (auto* b = dynamic_cast<COwnerDrawButton*>(GetDlgItem(kContributionsButton))) {
    b->SetIcon(platform::kIconContributions, platform::kIconContributions, 32, 32);
    QFont bold = b->font();
    bold.setWeight(QFont::Black);
    b->setFont(bold);
  }
}

void CMaternidadDlg::Reload() {
  UpdateAll(false);
  const auto show = [this](int id, double v) {
    if (CEditEx* e = Edit(id))
      e->setText(v == 0.0 ? QString() : ui::GroupThousands(QString::fromStdString(blocks::FormatFixed(v, 2))));
  };
  for (int c = 0; c < m::kChildren; ++c) {
    show(kContributionEdits[static_cast<std::size_t>(c)], m::ChildContributions(c).get(Data()));
    show(kDeductionEdits[static_cast<std::size_t>(c)], m::Deduction(c).get(Data()));
  }
}

void CMaternidadDlg::EnableEntry(bool enable) {
  const bool on = enable && !ReadOnlyView();
  auto set = [&](int id) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  set(kPersons);
  set(kAdvance);
  for (int id : kMonthLaunchers) {
    set(id);
    if (auto* l = Item<CDialogLauncherEdit>(id); l && l->Button()) l->Button()->setEnabled(on);
  }
  for (int id : kContributionEdits) if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  for (int id : kDeductionEdits) if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

void CMaternidadDlg::ClearBlock() {
  std::uint8_t* d = Data();
  m::Unused.set(d, 0.0);
  m::Persons.set(d, 0.0);
  for (int c = 0; c < m::kChildren; ++c) {
    m::Months(c).set(d, 0.0);
    std::memset(d + m::Child(c) + m::kMarks, 0, m::kMonths);
    m::ChildContributions(c).set(d, 0.0);
    m::Deduction(c).set(d, 0.0);
  }
  m::Advance.set(d, 0.0);
  for (int month = 0; month < static_cast<int>(m::kMonths); ++month) m::Monthly(month).set(d, 0.0);
  m::AllMonths.set(d, 0);
}

void CMaternidadDlg::ApplyHolder() {
  const bool set = m::Holder.get(Data()) != 0;
  if (!set) ClearBlock();
  EnableEntry(set);
}

void CMaternidadDlg::Recalculate() {
  std::uint8_t* d = Data();
  const double persons = m::Persons.get(d);
  const double divisor = persons != 0.0 ? persons : 1.0;
  if (m::Holder.get(d) == 0) {
    EnableEntry(false);
    ClearBlock();
    Reload();
    return;
  }
  const bool allMonths = m::AllMonths.get(d) != 0;
  for (int c = 0; c < m::kChildren; ++c) {
    double months = 0.0, paid = 0.0;
    for (int month = 0; month < static_cast<int>(m::kMonths); ++month) {
      if (m::Mark(c, month).get(d) == 0) continue;
      months += 1.0;
      paid += m::Monthly(month).get(d);
    }
    m::Months(c).set(d, months);
    if (allMonths) {
      m::Deduction(c).set(d, months * m::kPerMonth / divisor);  // the row's contributions stay
    } else {
      m::ChildContributions(c).set(d, paid);
      m::Deduction(c).set(d, std::min(months * m::kPerMonth, paid) / divisor);
    }
  }
  EnableEntry(true);
  Reload();
}

int CMaternidadDlg::EligibleDescendants() const {
  const std::uint8_t* decl = doc::Form100Block();
  const int holder = m::Holder.get(const_cast<CMaternidadDlg*>(this)->Data());
  if (!decl || (holder != ui::kHolderDeclarant && holder != ui::kHolderSpouse)) return 0;
  namespace de = f100::descendant_entry;
  const std::uint8_t* family = decl + f100::Family.offset;
  int count = 0;
  for (int i = 0; i < de::kCount; ++i) {
    const std::uint8_t* entry = family + f100::family_wizard::Descendants.off + de::kSize * static_cast<std::size_t>(i);
    const std::string adoption(de::AdoptionDate.str(entry));
    const std::string date = adoption.find_first_not_of(' ') == std::string::npos ? std::string(de::BirthDate.str(entry)) : adoption;
    if (!AfterEligibilityDay(date)) continue;
    const char link = static_cast<char>(de::Link.get(entry));
    const bool ofHolder = holder == ui::kHolderDeclarant ? (link == 'D' || link == 'O') : (link == 'C' || link == 'O');
    if (ofHolder) ++count;
  }
  return count;
}

bool CMaternidadDlg::ValidateOK() {
  std::uint8_t* d = Data();
  const int holder = m::Holder.get(d);
  if (const std::uint8_t* decl = doc::Form100Block()) {
    const std::uint8_t* marks = decl + f100::Family.offset + f100::family_wizard::Marks.off + f100::family_wizard::kMale;
    const bool man = (holder == ui::kHolderDeclarant && marks[1] != 0) || (holder == ui::kHolderSpouse && marks[2] != 0);
    if (man && ui::ShowMessage(this, QStringLiteral("100P071"), platform::kIconExclamation) == kAnsCorregir)
      return false;
  }
  int entered = 0;
  double sum = 0.0;
  for (int c = 0; c < m::kChildren; ++c) {
    if (m::Months(c).get(d) != 0.0) ++entered;
    sum += m::Deduction(c).get(d);
  }
  if (entered > EligibleDescendants()) {
    ui::ShowMessage(this, QStringLiteral("100P076"), platform::kIconHand, platform::LoadString(kMoreChildrenText));
    return false;
  }
  if (sum > 0.0 && m::Advance.get(d) == 0.0 &&
      ui::ShowMessage(this, QStringLiteral("100P088"), platform::kIconExclamation) == kAnsCorregir)
    return false;
  return true;
}

int CMaternidadDlg::OnEditKillFocus(int) {
  UpdateAll(true);
  Recalculate();
  return 1;
}

int CMaternidadDlg::OnSubDialogValue(int id) {
  if (Contains(kMonthLaunchers, id)) Recalculate();
  ApplyHolder();
  Reload();
  return 0;
}

int CMaternidadDlg::OnEditValueChanged(int id) {
  if (id != kHolder) return 1;
  UpdateAll(true);
  if (m::Holder.get(Data()) != 0) {
    OnContributions();
    EnableEntry(true);
  } else {
    EnableEntry(false);
    ClearBlock();
  }
  Reload();
  return 1;
}

bool CMaternidadDlg::OnButton(int id) {
  if (id != kContributionsButton) return false;
  OnContributions();
  return true;
}

int CMaternidadDlg::OnContributions(const std::function<int(QDialog&)>& run) {
  UpdateAll(true);
  CCotizacionesDevengadasDlg sub(this);
  sub.shownMember = shownMember;
  sub.hasOtherMembers = hasOtherMembers;
  std::memcpy(sub.AnnexBlock().data(), Data(), m::kBlockSize);
  sub.EnsureCreated();
  const int result = run ? run(sub) : sub.DoModal();
  if (result == ui::IDOK) {
    std::memcpy(Data(), sub.AnnexBlock().data(), m::kBlockSize);
    Recalculate();
  }
  Reload();
  return result;
}

void CMaternidadDlg::AdjustToShownMember() {
  std::uint8_t* d = Data();
  const int holder = m::Holder.get(d);
  const int shown = doc::ShownMember();
  if (shown == ui::kHolderDeclarant && (holder == ui::kHolderCommon || holder == ui::kHolderDeclarant)) {
    m::Holder.set(d, ui::kHolderDeclarant);
  } else if (shown == ui::kHolderSpouse && (holder == ui::kHolderCommon || holder == ui::kHolderSpouse)) {
    m::Holder.set(d, ui::kHolderDeclarant);  // the declarant of the spouse's own return
  } else {
    m::Holder.set(d, 0);
    ClearBlock();
  }
}

// ============================================================================= CCotizacionesDevengadasDlg

CCotizacionesDevengadasDlg::CCotizacionesDevengadasDlg(QWidget* parent)
    : CAnnexDlg(kCotTemplate, m::kBlockSize, ui::AnnexArgs{.parent = parent}) {}

void CCotizacionesDevengadasDlg::EnableMonths(bool enable, bool clear) {
  for (std::size_t month = 0; month < m::kMonths; ++month) {
    if (clear) m::Monthly(static_cast<int>(month)).set(Data(), 0.0);
    if (QWidget* w = GetDlgItem(kMonthEdits[month])) w->setEnabled(enable);
  }
}

void CCotizacionesDevengadasDlg::OnInitAnnex() {
  if (ReadOnlyView() || m::Holder.get(Data()) == 0) {
    for (QWidget* w : findChildren<CEditEx*>()) w->setEnabled(false);
    return;
  }
  const bool all = m::AllMonths.get(Data()) != 0;
  EnableMonths(!all, all);
}

int CCotizacionesDevengadasDlg::ConfirmAllMonthsMark() {
  bool any = false;
  for (int c = 0; c < m::kChildren; ++c) any = any || m::ChildContributions(c).get(Data()) != 0.0;
  if (!any) return 1;
  if (ui::ShowMessage(this, QStringLiteral("100P072"), platform::kIconExclamation) == kAnsCorregir) {
    EnableMonths(true, false);
    return 0;
  }
  for (int c = 0; c < m::kChildren; ++c) m::ChildContributions(c).set(Data(), 0.0);
  return 1;
}

int CCotizacionesDevengadasDlg::OnEditValueChanged(int id) {
  if (id != kAllMonths) return 0;
  UpdateAll(true);
  if (m::AllMonths.get(Data()) != 0) {
    if (ConfirmAllMonthsMark() == 1) EnableMonths(false, true);
    else m::AllMonths.set(Data(), 0);
  } else {
    EnableMonths(true, false);
  }
  UpdateAll(false);
  return 1;
}

// ============================================================================= CMatmesesDlg

CMatmesesDlg::CMatmesesDlg(const ui::AnnexArgs& args) : CAnnexDlg(kMesTemplate, m::kMonths, args) {}

void CMatmesesDlg::SetListItems(const ui::AnnexPointerList& link) {
  if (link.item1) holder_ = *static_cast<const std::uint8_t*>(link.item1);
  if (link.item2) std::memcpy(context_.data(), link.item2, context_.size());
}

void CMatmesesDlg::OnInitAnnex() {
  if (ReadOnlyView() || holder_ == 0)
    for (int id : kMarks) if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
}

bool CMatmesesDlg::ValidateOK() {
  const bool allMonths = context_[m::AllMonths.off - m::kContributions] != 0;
  if (allMonths) return true;
  for (int month = 0; month < static_cast<int>(m::kMonths); ++month) {
    if (Data()[month] == 0) continue;
    const double paid = blocks::F64{8 * static_cast<std::size_t>(month)}.get(context_.data());
    if (paid != 0.0) continue;
    return ui::ShowMessage(this, QStringLiteral("100P073"), platform::kIconExclamation,
                                  platform::LoadString(kSelfEmployedText)) != kAnsCorregir;
  }
  return true;
}

int CMatmesesDlg::OnEditValueChanged(int id) {
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

#include "annex/rdto_trabajo_dlg.h"

#include <QLabel>

#include <cstring>

#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_field.h"
#include "ui/launcher_edit.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::rdto_trabajo;
using D = CRdtoTrabajoDlg;

enum Column : int { kHolderCol, kPayCol, kWithholdingCol, kInKindCol, kPaymentCol, kPassedCol, kLauncherCol,
                    kIrregularCol, kSocialCol, kUnionCol, kAssociationCol, kLegalCol, kColumns };
// The id matrix, column by column, entries 1 to 6.
constexpr int kCells[] = {
    1135, 1138, 1140, 1142, 1144, 1146,  // recipient
    463, 1932, 1165, 1176, 1185, 1200,   // money pay
    1918, 1269, 1292, 1324, 1390, 1412,  // withholding
    674, 1451, 1477, 1505, 1522, 711,    // valuation in kind
    725, 730, 740, 759, 773, 788,        // payment on account
    808, 797, 812, 836, 884, 896,        // payment on account passed on
    1926, 1927, 1928, 1929, 1930, 1931,  // promoter's contributions (launchers)
    954, 967, 978, 986, 991, 999,        // reductions of irregular income
    909, 912, 922, 936, 948, 957,        // social security
    994, 1012, 1021, 1027, 1030, 1919,   // union dues
    1004, 1016, 1024, 1033, 1035, 1920,  // professional association dues
    1009, 1037, 1039, 1042, 1044, 1921,  // legal defence
};
static_assert(std::size(kCells) == kColumns * f::kEntries);
constexpr int Cell(int column, int entry) { return kCells[column * f::kEntries + entry]; }

// Grid rows: the fields stacked under their group headings, the entries side by side.
constexpr int kGridRow[kColumns] = {0, 2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14};
constexpr blocks::F64 kAmount[kColumns] = {{0}, f::MoneyPay, f::Withholding, f::InKind, f::PaymentOnAccount, f::PassedOn,
                                           f::Contribution, f::Irregular, f::SocialSecurity, f::UnionDues,
                                           f::AssociationDues, f::LegalDefence};
constexpr int kLabel[kColumns] = {95300, 95301, 95302, 95303, 95304, 95305, 95306, 95307, 95308, 95309, 95310, 95311};

constexpr ui::ControlDef EntryCell(int column, int entry) {
  if (column == kHolderCol)
    return {.id = Cell(column, entry), .kind = Ctl::Titular, .row = kGridRow[column], .col = entry + 1,
            .field = f::Holder};
  if (column == kLauncherCol)
    return {.id = Cell(column, entry), .kind = Ctl::Launcher, .row = kGridRow[column], .col = entry + 1, .width = 8,
            .decimals = 2, .field = f::Contribution, .table = "IDD_CONPROPP"};
  return {.id = Cell(column, entry), .kind = Ctl::Money, .row = kGridRow[column], .col = entry + 1, .width = 8,
          .decimals = 2, .field = kAmount[column]};
}

constexpr int kHeadings = 3, kButtons = 3, kExtra = 1;
constexpr std::size_t kControlCount = kColumns * (1 + f::kEntries) + kHeadings + kExtra + kButtons;
constexpr std::array<ui::ControlDef, kControlCount> MakeControls() {
  std::array<ui::ControlDef, kControlCount> c{};
  std::size_t n = 0;
  for (int column = 0; column < kColumns; ++column) {
    c[n++] = {.kind = Ctl::Static, .textId = kLabel[column], .row = kGridRow[column], .col = 0};
    for (int e = 0; e < f::kEntries; ++e) c[n++] = EntryCell(column, e);
  }
  c[n++] = {.kind = Ctl::Static, .textId = 95312, .row = 1, .col = 0, .colSpan = 7};
  c[n++] = {.kind = Ctl::Static, .textId = 95313, .row = 4, .col = 0, .colSpan = 7};
  c[n++] = {.kind = Ctl::Static, .textId = 95314, .row = 8, .col = 0, .colSpan = 7};
  c[n++] = {.id = D::kPrompt, .kind = Ctl::Legend, .row = 15, .col = 0, .colSpan = 7};
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 16, .col = 4};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 16, .col = 5};
  c[n++] = {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 16, .col = 6};
  return c;
}
constexpr std::array<ui::ControlDef, kControlCount> kControls = MakeControls();
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95299, .controls = kControls, .helpTopic = 108};
constexpr ui::RowLayout kLayout{.rows = f::kEntries, .columns = kColumns, .first = 0, .stride = f::kEntrySize,
                                .holder = f::Holder.off, .cells = kCells};

double Round2(double x) { return ui::RoundToDecimals(x, 2); }

// One check of an entry: its code, whether it refuses (stop) or warns, and the cell that
// "Corregir" focuses (-1 none).
struct EntryCheck {
  const char* code;
  bool error;
  int focusColumn;
  bool (*fails)(const std::uint8_t* e);
};
constexpr EntryCheck kChecks[] = {
    {"100R026", true, -1, [](const std::uint8_t* e) { return f::PassedOn.get(e) > f::PaymentOnAccount.get(e); }},
    {"100P018", false, kWithholdingCol,
     [](const std::uint8_t* e) { return Round2(f::MoneyPay.get(e) * 0.45) + 0.5 < f::Withholding.get(e); }},
    {"100P019", false, kPaymentCol,
     [](const std::uint8_t* e) { return Round2(f::InKind.get(e) * 0.45) + 0.5 < f::PaymentOnAccount.get(e); }},
    {"100P008", false, kIrregularCol, [](const std::uint8_t* e) {
       const double income = f::MoneyPay.get(e) + f::PaymentOnAccount.get(e) + f::InKind.get(e) - f::PassedOn.get(e);
       return Round2(income * 0.75 + 0.5) < f::Irregular.get(e);
     }},
    {"100P016", false, kPayCol,
     [](const std::uint8_t* e) { return Round2((f::InKind.get(e) + f::MoneyPay.get(e)) * 0.1) < f::SocialSecurity.get(e); }},
    {"100P059", false, kSocialCol, [](const std::uint8_t* e) {
       return f::MoneyPay.get(e) + f::InKind.get(e) + f::PaymentOnAccount.get(e) - f::PassedOn.get(e) <
              f::SocialSecurity.get(e) + f::UnionDues.get(e) + f::LegalDefence.get(e) + f::AssociationDues.get(e);
     }},
};
}  // namespace

CRdtoTrabajoDlg::CRdtoTrabajoDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

int CRdtoTrabajoDlg::CellId(int column, int entry) { return Cell(column, entry); }

void CRdtoTrabajoDlg::ClearRowControls(int row) {
  CAnnexRowsDlg::ClearRowControls(row);
  if (row < 0 || row >= f::kEntries) return;
  f::NestedAmount.set(Row(row), 0.0);
  f::NestedRegime.set(Row(row), ' ');
}

void CRdtoTrabajoDlg::MoveRow(int destination, int source) {
  CAnnexRowsDlg::MoveRow(destination, source);
  if (destination == source || destination < 0 || source < 0 || destination >= f::kEntries || source >= f::kEntries)
    return;
  // The nested holder is rewritten from the entry's holder afterwards.
  f::NestedAmount.set(Row(destination), f::NestedAmount.get(Row(source)));
  f::NestedRegime.set(Row(destination), f::NestedRegime.get(Row(source)));
}

void CRdtoTrabajoDlg::EnableContributionLaunchers() {
  const bool lockedView = shownMember != doc::kFamilyUnit && doc::HouseholdHasSeveralHolders();
  for (int e = 0; e < f::kEntries; ++e) {
    std::uint8_t* entry = Row(e);
    const int holder = f::Holder.get(entry);
    bool enable = !(holder == 0 || holder == doc::kChild1 || holder == doc::kChild2);
    if (!enable) {
      f::Contribution.set(entry, 0.0);
      std::memset(entry + f::kNested, 0, annex::conpropp::kBlockSize);
    }
    if (lockedView) enable = false;
    if (auto* launcher = Item<CDialogLauncherEdit>(Cell(kLauncherCol, e))) {
      launcher->setEnabled(enable);
      if (launcher->Button()) launcher->Button()->setEnabled(enable);
    }
    f::NestedHolder.set(entry, static_cast<std::uint8_t>(holder));
  }
}

void CRdtoTrabajoDlg::OnInitAnnex() {
  for (int e = 0; e < f::kEntries; ++e)
    if (CEditEx* launcher = Edit(Cell(kLauncherCol, e))) launcher->SetOption(Row(e) + f::kNested);
  EnableContributionLaunchers();
}

int CRdtoTrabajoDlg::OnEditSetFocus(int id) {
  auto* prompt = Item<QLabel>(kPrompt);
  if (!prompt) return 1;
  const int column = GetColumnOfControl(id);
  if (column == kHolderCol) prompt->setText(GetHolderLegend());
  else if (column == kSocialCol) prompt->setText(platform::LoadString(55));
  else if (column == kIrregularCol) prompt->setText(platform::LoadString(60));
  else prompt->clear();
  return 1;
}

int CRdtoTrabajoDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  const int column = GetColumnOfControl(id);
  if (column == kHolderCol) {
    if (auto* prompt = Item<QLabel>(kPrompt)) prompt->clear();
  } else if (column == kLauncherCol) {
    UpdateAll(false);
  }
  return 1;
}

int CRdtoTrabajoDlg::OnSubDialogValue(int id) {
  if (GetColumnOfControl(id) != kLauncherCol) return 0;
  const int e = GetRowOfControl(id);
  f::Contribution.set(Row(e), f::NestedAmount.get(Row(e)));
  UpdateAll(false);
  RefreshEnabledRows();
  EnableContributionLaunchers();
  return 1;
}

int CRdtoTrabajoDlg::OnEditValueChanged(int id) {
  const int result = CAnnexRowsDlg::OnEditValueChanged(id);
  EnableContributionLaunchers();
  UpdateAll(false);
  return result;
}

int CRdtoTrabajoDlg::ValidateEntries() {
  for (const EntryCheck& c : kChecks) {
    for (int e = 0; e < f::kEntries; ++e) {
      if (!c.fails(Row(e))) continue;
      const QString code = QString::fromLatin1(c.code);
      if (c.error) {
        ui::ShowMessage(this, code, platform::kIconHand);
        return 0;
      }
      if (ui::ShowMessage(this, code, platform::kIconAsterisk) == kAnsCorregir) {
        if (QWidget* w = GetDlgItem(Cell(c.focusColumn, e))) w->setFocus();
        return 0;
      }
    }
  }
  // Only one holder may carry promoter contributions under the spouse-contribution regime.
  int holders = 0;
  for (int h = doc::kDeclarant; h <= doc::kChild2; ++h) {
    bool counts = false;
    for (int e = 0; e < f::kEntries; ++e)
      counts = counts || (f::Holder.get(Row(e)) == h && f::Contribution.get(Row(e)) > 0.0 &&
                          f::NestedRegime.get(Row(e)) == annex::conpropp::kSpouse);
    holders += counts ? 1 : 0;
  }
  if (holders > 1) {
    ui::ShowMessage(this, QStringLiteral("100R020"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(Cell(kHolderCol, 0))) w->setFocus();
    return 0;
  }
  return 1;
}

#include "annex/transmission_value_dlg.h"

#include <cstring>

#include "blocks/rounding.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace tr = annex::transmission;
using D = CValtransDlg;

constexpr ui::ControlDef Label(int textId, int row, int col, int span = 1) {
  return {.kind = Ctl::Static, .textId = textId, .row = row, .col = col, .colSpan = span};
}
constexpr ui::ControlDef Money(int id, int row, ui::FieldRef f) {
  return {.id = id, .kind = Ctl::Money, .row = row, .col = 2, .width = 8, .decimals = 2, .field = f};
}
constexpr ui::ControlDef Mark(int id, int row, ui::FieldRef f) {
  return {.id = id, .kind = Ctl::Box, .row = row, .col = 2, .width = 1, .field = f};
}

// Amount, expenses, instalments and collections, from `r` on.
#define QX_SALE(r, fl)                                                                                         \
  Label(97424, (r), 0, 2), Money(D::kAmount, (r), fl.amount),                                                   \
  Label(97425, (r) + 1, 0, 2), Money(D::kExpenses, (r) + 1, fl.expenses),                                       \
  Label(97426, (r) + 2, 0), Label(97427, (r) + 2, 1), Mark(D::kInstalments, (r) + 2, fl.instalments),           \
  Label(97428, (r) + 3, 0, 2), Money(D::kCollected, (r) + 3, fl.collected)
#define QX_REINVESTMENT(r, fl)                                                                                 \
  Label(97429, (r), 0), Label(97430, (r), 1), Money(D::kReinvested, (r), fl.reinvested),                        \
  Label(97431, (r) + 1, 0, 2), Money(D::kLoan, (r) + 1, fl.loan)
#define QX_NO_LOSS(r, text, id, fl) Label(text, (r), 0, 2), Mark(id, (r), fl.noLoss)
#define QX_BUTTONS(r)                                                                                          \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = r, .col = 0},                            \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = r, .col = 1},                \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = r, .col = 2}

constexpr ui::ControlDef kNonBusinessLong[] = {
    QX_SALE(0, tr::kLongTerm), QX_REINVESTMENT(4, tr::kLongTerm),
    QX_NO_LOSS(6, 97432, CValtransena2Dlg::kNoLoss, tr::kLongTerm), QX_BUTTONS(7)};
constexpr ui::ControlDef kNonBusinessShort[] = {
    QX_SALE(0, tr::kReductions), QX_REINVESTMENT(4, tr::kReductions),
    QX_NO_LOSS(6, 97432, CValtransenaDlg::kNoLoss, tr::kReductions), QX_BUTTONS(7)};
constexpr ui::ControlDef kBusinessLong[] = {
    Label(97422, 0, 0, 2), Mark(D::kTaxi, 0, tr::kLongTerm.taxi), QX_SALE(1, tr::kLongTerm),
    QX_NO_LOSS(5, 97433, CValtransea2Dlg::kNoLoss, tr::kLongTerm), QX_BUTTONS(6)};
constexpr ui::ControlDef kBusinessShort[] = {
    Label(97423, 0, 0, 2), Mark(D::kTaxi, 0, tr::kReductions.taxi), QX_SALE(1, tr::kReductions),
    QX_NO_LOSS(5, 97433, CValtranseaDlg::kNoLoss, tr::kReductions), QX_BUTTONS(6)};
#undef QX_SALE
#undef QX_REINVESTMENT
#undef QX_NO_LOSS
#undef QX_BUTTONS

constexpr ui::DialogTemplate kNonBusinessLongTemplate{.id = CValtransena2Dlg::kId, .captionId = 97420,
                                                      .controls = kNonBusinessLong, .helpTopic = 440};
constexpr ui::DialogTemplate kNonBusinessShortTemplate{.id = CValtransenaDlg::kId, .captionId = 97420,
                                                       .controls = kNonBusinessShort, .helpTopic = 431};
constexpr ui::DialogTemplate kBusinessLongTemplate{.id = CValtransea2Dlg::kId, .captionId = 97421,
                                                   .controls = kBusinessLong, .helpTopic = 441};
constexpr ui::DialogTemplate kBusinessShortTemplate{.id = CValtranseaDlg::kId, .captionId = 97421,
                                                    .controls = kBusinessShort, .helpTopic = 432};

double Cents(double v) { return blocks::RoundToDecimals(v, 2); }
}  // namespace

// ============================================================================= shared rules

bool CValtransDlg::ValidateAmounts() {
  const std::uint8_t* d = Data();
  const double T = Cents(f_.amount.get(d)), E = Cents(f_.expenses.get(d)), C = Cents(f_.collected.get(d));
  const double R = Cents(f_.reinvested.get(d)), L = Cents(f_.loan.get(d));
  const double EL = Cents(E + L);
  for (const char* code : checks_) {
    if (!code) break;
    const std::string_view c(code);
    bool refused = false;
    int icon = platform::kIconHand;
    if (c == "100R049") refused = EL != 0.0 && EL >= T;
    else if (c == "100R048") refused = R > T;
    else if (c == "100R047") refused = C > T;
    else if (c == "100R053") refused = E >= T && !(E == 0.0 && T == 0.0);
    else if (c == "100R054" || c == "100V165") {
      refused = L >= T && L != 0.0 && T != 0.0;
      icon = platform::kIconAsterisk;
    }
    if (refused) {
      Say(code, icon);
      return false;
    }
  }
  return true;
}

void CValtransDlg::AskCollectedWithoutInstalments() {
  std::uint8_t* d = Data();
  if (f_.instalments.get(d) != 0) {
    Enable(kCollected, true);
    return;
  }
  Enable(kCollected, false);
  if (f_.collected.get(d) == 0.0) return;
  if (Say("100P048", platform::kIconAsterisk) == kAnsCorregir) {
    f_.instalments.set(d, 1);
    Enable(kCollected, true);
  } else {
    f_.collected.set(d, 0.0);
  }
}

void CValtransDlg::ClearLoanWithoutReinvestment() {
  std::uint8_t* d = Data();
  if (f_.reinvested.get(d) != 0.0) {
    Enable(kLoan, true);
  } else {
    f_.loan.set(d, 0.0);
    Enable(kLoan, false);
  }
}

// ============================================================================= IDD 305

CValtransena2Dlg::CValtransena2Dlg(const ui::AnnexArgs& args)
    : CValtransDlg(kNonBusinessLongTemplate, annex::capital::kG4ItemSize, tr::kLongTerm,
                   {"100R049", "100R048", "100R047", "100V165", nullptr}, args) {}

void CValtransena2Dlg::OnInitAnnex() {
  EnableCollected();
  const bool home = Kind() == '3';
  Enable(kReinvested, home);
  Enable(kLoan, home && f_.reinvested.get(Data()) != 0.0);
}

int CValtransena2Dlg::OnEditValueChanged(int id) {
  if (id != kInstalments) return 0;
  if (f_.instalments.get(Data()) != 0) {
    Enable(kCollected, true);
  } else {
    // Without an instalment sale nothing was collected by instalments: no question asked here.
    f_.collected.set(Data(), 0.0);
    if (CEditEx* e = Edit(kCollected)) e->LoadFromData(0);
    Enable(kCollected, false);
  }
  UpdateAll(true);
  return 1;
}

int CValtransena2Dlg::OnEditKillFocus(int id) {
  if (id != kReinvested) return 0;
  ClearLoanWithoutReinvestment();
  UpdateAll(false);
  return 1;
}

// ============================================================================= IDD 303

CValtransenaDlg::CValtransenaDlg(const ui::AnnexArgs& args)
    : CValtransDlg(kNonBusinessShortTemplate, annex::capital::kG3ItemSize, tr::kReductions,
                   {"100R049", "100R048", "100R047", "100R053", "100R054"}, args) {}

void CValtransenaDlg::OnInitAnnex() {
  EnableCollected();
  const bool home = Kind() == '3';
  Enable(kReinvested, home);
  Enable(kLoan, home);
  if (ReadOnlyView()) return;
  Enable(kNoLoss, true);
  // The loan follows the amount reinvested whatever the element's kind.
  Enable(kLoan, f_.reinvested.get(Data()) != 0.0);
}

int CValtransenaDlg::OnEditValueChanged(int) {
  UpdateAll(true);
  AskCollectedWithoutInstalments();
  UpdateAll(false);
  return 1;
}

int CValtransenaDlg::OnEditKillFocus(int id) {
  if (id != kReinvested) return 0;
  ClearLoanWithoutReinvestment();
  if (CEditEx* e = Edit(kLoan)) e->LoadFromData(0);
  UpdateAll(true);
  return 1;
}

// ============================================================================= IDD 254

CValtransea2Dlg::CValtransea2Dlg(const ui::AnnexArgs& args)
    : CValtransDlg(kBusinessLongTemplate, annex::capital::kG4ItemSize, tr::kLongTerm,
                   {"100R053", "100R048", "100R047", "100R054", nullptr}, args) {}

void CValtransea2Dlg::OnInitAnnex() {
  EnableCollected();
  Enable(kTaxi, Kind() == '2');
}

int CValtransea2Dlg::OnEditValueChanged(int) {
  UpdateAll(true);
  AskCollectedWithoutInstalments();
  UpdateAll(false);
  return 1;
}

// ============================================================================= IDD 250

CValtranseaDlg::CValtranseaDlg(const ui::AnnexArgs& args)
    : CValtransDlg(kBusinessShortTemplate, annex::capital::kG3ItemSize, tr::kReductions,
                   {"100R048", "100R047", "100R053", "100R054", nullptr}, args) {}

void CValtranseaDlg::OnInitAnnex() {
  EnableCollected();
  if (Kind() == '1') Enable(kTaxi, false);
}

int CValtranseaDlg::OnEditValueChanged(int) {
  UpdateAll(true);
  AskCollectedWithoutInstalments();
  UpdateAll(false);
  return 1;
}

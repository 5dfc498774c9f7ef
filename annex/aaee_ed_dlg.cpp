#include "annex/aaee_ed_dlg.h"

#include <string_view>

#include "annex/activity_rows.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::aaee_ed;
namespace rows = annex::activity_rows;
using D = CAaeeEdDlg;

#define QX_AMOUNT(r, label, ident, fld) \
  {.kind = Ctl::Static, .textId = label, .row = r, .col = 0}, \
  {.id = ident, .kind = Ctl::Money, .row = r, .col = 1, .width = 8, .decimals = 2, .field = fld}
constexpr ui::ControlDef kControls[] = {
    QX_AMOUNT(0, 97821, D::kOperatingIncome, f::OperatingIncome),
    QX_AMOUNT(1, 97822, D::kOtherIncome, f::OtherIncome),
    QX_AMOUNT(2, 97823, D::kOwnConsumption, f::OwnConsumption),
    QX_AMOUNT(3, 97824, D::kWithholdings, f::Withholdings),
    QX_AMOUNT(4, 97825, D::kLeasingWithholdings, f::LeasingWithholdings),
    QX_AMOUNT(5, 97826, D::kPayments, f::FractionalPayments),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
};
#undef QX_AMOUNT
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97820, .controls = kControls};

bool Asks(QWidget* parent, const char* code) {
  return ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconAsterisk) == kAnsCorregir;
}
}  // namespace

CAaeeEdDlg::CAaeeEdDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

std::uint8_t* CAaeeEdDlg::DeclarationRow() const {
  std::uint8_t* block = doc::Form100Block();
  return block && row_ >= 0 && row_ < rows::kRows ? rows::Row(block, rows::kDirect, row_) : nullptr;
}

void CAaeeEdDlg::SyncHolderPayments() {
  std::uint8_t* row = DeclarationRow();
  if (!row) return;
  const double current = f::FractionalPayments.get(Data());
  const double payments = rows::HolderPayments(doc::Form100Block(), rows::kDirect, row[0], current);
  // Only the dialog's copy: the row takes the payments with the rest of the block on OK, and
  // Cancel leaves the declaration untouched.
  f::FractionalPayments.set(Data(), payments);
}

void CAaeeEdDlg::OnInitAnnex() {
  SyncHolderPayments();
  openedPayments_ = f::FractionalPayments.get(Data());
}

int CAaeeEdDlg::OnEditKillFocus(int id) {
  if (id != kPayments) return 0;
  CEditEx* e = Edit(kPayments);
  if (!e || !e->IsModifiedEx()) return 0;
  e->StoreToData();
  if (openedPayments_ != f::FractionalPayments.get(Data()) && openedPayments_ != 0.0)
    ui::ShowMessage(this, QStringLiteral("100I006"), platform::kIconAsterisk);
  e->SetModifiedEx(false);
  return 0;
}

bool CAaeeEdDlg::Validate() {
  const std::uint8_t* b = Data();
  const std::uint8_t* row = DeclarationRow();
  bool accept = true;
  if (f::LeasingWithholdings.get(b) > 0 && row) {
    const std::string_view heading = f::RowHeading.raw(row);
    const std::string_view text = heading.substr(0, heading.find('\0'));
    const bool leasing = text.empty() || text == "861.1" || text == "861.2" || text == "862  " || text == "     ";
    if (!leasing && Asks(this, "100P024")) accept = false;
  }
  const double income = f::OperatingIncome.get(b) + f::OtherIncome.get(b);
  const bool kindTwo = row && row[f::kRowKind] == '2';
  const double withheld = kindTwo ? f::Withholdings.get(b) : f::Withholdings.get(b) + f::LeasingWithholdings.get(b);
  if (withheld > income * (kindTwo ? 0.02 : 0.15) + 0.5 && Asks(this, "100P044")) accept = false;
  return accept;
}

#include "annex/deccomp_dlg.h"

#include <algorithm>
#include <cstring>

#include "blocks/form100.h"
#include "blocks/form100_payment.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::deccomp;
using D = CDeccompDlg;

// Columns on screen: declarant, spouse, child 1, child 2, joint.
constexpr int kScreenColumn[] = {5, 1, 2, 3, 4};
#define QX_COLUMN(k)                                                                                         \
  {.kind = Ctl::Static, .textId = 97635 + (k), .row = 0, .col = kScreenColumn[k]},                          \
  {.id = D::kEarlier[k], .kind = Ctl::Box, .row = 1, .col = kScreenColumn[k], .field = f::EarlierReturn(k)}, \
  {.id = D::kSpecial[k], .kind = Ctl::Box, .row = 2, .col = kScreenColumn[k], .field = f::SpecialCase(k)},  \
  {.id = D::kToPay[k], .kind = Ctl::Money, .row = 3, .col = kScreenColumn[k], .width = 8, .decimals = 2,     \
   .field = f::ToPay(k)},                                                                                   \
  {.id = D::kRefunded[k], .kind = Ctl::Money, .row = 4, .col = kScreenColumn[k], .width = 8, .decimals = 2,  \
   .field = f::Refunded(k)}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97631, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97632, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = 97633, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = 97634, .row = 4, .col = 0},
    QX_COLUMN(0), QX_COLUMN(1), QX_COLUMN(2), QX_COLUMN(3), QX_COLUMN(4),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 3},
};
#undef QX_COLUMN
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97630, .controls = kControls};

int ColumnOf(const std::array<int, 5>& ids, int id) {
  const auto it = std::find(ids.begin(), ids.end(), id);
  return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}
}  // namespace

D::CDeccompDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockBytes, args) {}

void D::OnInitAnnex() {
  std::uint8_t* rec = Data();
  if (const std::uint8_t* block = doc::Form100Block()) {
    std::memcpy(rec, block + f::kMarks, 10);
    std::memcpy(rec + f::ToPay(0).off, block + f::kToPay, 40);
    std::memcpy(rec + f::Refunded(0).off, block + f::kRefunded, 40);
  }
  // A member's return may be marked from that member's view too.
  const int shown = doc::ShownMember();
  if (shown != doc::kFamilyUnit && doc::HouseholdHasSeveralHolders()) {
    const bool editable[] = {true, true, doc::HouseholdHas(doc::kSpouse), doc::HouseholdHas(doc::kChild1),
                             doc::HouseholdHas(doc::kChild2)};
    for (int k = 0; k < f::kColumns; ++k)
      for (int id : {kEarlier[k], kSpecial[k], kToPay[k], kRefunded[k]})
        if (CEditEx* e = Edit(id)) e->SetEditableInMemberView(editable[k]);
  }
  UpdateColumns();
}

void D::EnableColumn(int k, bool enable) {
  for (int id : {kEarlier[k], kSpecial[k], kToPay[k], kRefunded[k]})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

void D::UpdateColumns() {
  std::uint8_t* rec = Data();
  const std::uint8_t* block = doc::Form100Block();
  const unsigned mode = block ? f100::GetDeclarationMode(block) : 0;
  const bool spouse = doc::HouseholdHas(doc::kSpouse);
  const bool spouseApart = block && f100::family::SpouseExcluded.get(block + f100::Family.offset) == 1;
  EnableColumn(1, true);
  EnableColumn(0, (mode == 1 && spouse) || (block && block[1] == 1));
  EnableColumn(2, mode == 1 && spouse && !spouseApart);
  EnableColumn(3, doc::HouseholdHas(doc::kChild1));
  EnableColumn(4, doc::HouseholdHas(doc::kChild2));
  auto disable = [this](int id) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  };
  for (int k = 1; k < f::kColumns; ++k) {
    if (f::SpecialCase(0).get(rec)) {
      f::SpecialCase(k).set(rec, 0);
      f::EarlierReturn(0).set(rec, 1);
    }
    if (f::EarlierReturn(0).get(rec)) {
      f::EarlierReturn(k).set(rec, 0);
      for (int m = 1; m < f::kColumns; ++m) {
        disable(kEarlier[m]);
        disable(kSpecial[m]);
      }
    }
  }
  for (int k = 1; k < f::kColumns; ++k) {
    if (f::SpecialCase(k).get(rec)) {
      f::SpecialCase(0).set(rec, 0);
      disable(kEarlier[0]);
      disable(kSpecial[0]);
    }
    if (f::EarlierReturn(k).get(rec)) {
      f::EarlierReturn(0).set(rec, 0);
      disable(kEarlier[0]);
      disable(kSpecial[0]);
    }
  }
  UpdateAll(false);
}

void D::ResetPaymentOptions(int k) {
  std::uint8_t* q = doc::Form100Block() ? doc::Form100Block() + f100::SectionQ.offset : nullptr;
  if (!q) return;
  namespace p = f100::payment;
  const int m = k + 1;
  if (p::FirstPayment(m).get(q) != 0.0) p::PayAtOnce(m).set(q, 1);
  p::PayInTwo(m).set(q, 0);
  p::SecondWithoutDebit(m).set(q, 0);
  p::SecondByDebit(m).set(q, 0);
  p::SecondInstalment(m).set(q, 0.0);
  const p::Account account = p::Account2(m);
  for (const blocks::Text& t : {account.entity, account.branch, account.control, account.number})
    std::memset(q + t.off, 0, t.width);
}

int D::OnEditValueChanged(int id) {
  UpdateAll(true);
  std::uint8_t* rec = Data();
  if (const int k = ColumnOf(kEarlier, id); k >= 0) {
    GetDlgItem(id)->setFocus();
    if (f::EarlierReturn(k).get(rec)) resetPending_[static_cast<std::size_t>(k)] = true;
    else f::SpecialCase(k).set(rec, 0);
  } else if (const int k = ColumnOf(kSpecial, id); k >= 0) {
    GetDlgItem(id)->setFocus();
    if (f::SpecialCase(k).get(rec)) {
      f::EarlierReturn(k).set(rec, 1);
      resetPending_[static_cast<std::size_t>(k)] = true;
    }
  } else {
    return 1;
  }
  doc::MarkEditedSincePrinted();
  UpdateColumns();
  return 1;
}

int D::OnEditValueCleared(int id) {
  if (const int k = ColumnOf(kEarlier, id); k >= 0) {
    UpdateAll(true);
    f::SpecialCase(k).set(Data(), 0);
    UpdateColumns();
  }
  return 1;
}

int D::OnEditKillFocus(int id) {
  if (ColumnOf(kToPay, id) >= 0 || ColumnOf(kRefunded, id) >= 0) {
    UpdateAll(true);
    UpdateColumns();
  }
  return 1;
}

bool D::ValidateOK() {
  std::uint8_t* rec = Data();
  for (int k = 0; k < f::kColumns; ++k) {
    const bool marked = f::EarlierReturn(k).get(rec) || f::SpecialCase(k).get(rec);
    const bool amounts = f::ToPay(k).get(rec) != 0.0 || f::Refunded(k).get(rec) != 0.0;
    if (marked && !amounts) {
      if (ui::ShowMessage(this, QStringLiteral("100P043"), platform::kIconAsterisk) == kAnsCorregir) {
        GetDlgItem(kToPay[k])->setFocus();
        return false;
      }
    } else if (!marked && amounts) {
      ui::ShowMessage(this, QStringLiteral("100R039"), platform::kIconHand);
      GetDlgItem(kEarlier[k])->setFocus();
      return false;
    }
  }
  if (std::uint8_t* block = doc::Form100Block()) {
    std::memcpy(block + f::kToPay, rec + f::ToPay(0).off, 40);
    std::memcpy(block + f::kRefunded, rec + f::Refunded(0).off, 40);
    // The payment choices change only with the return that makes them so.
    for (int k = 0; k < f::kColumns; ++k)
      if (resetPending_[static_cast<std::size_t>(k)] && f::EarlierReturn(k).get(rec)) ResetPaymentOptions(k);
  }
  return true;
}

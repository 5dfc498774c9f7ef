#include "forms/pages/ord017.h"

#include <array>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_payment.h"
#include "checks/validation_helper.h"
#include "data/message_service.h"
#include "data/doc/renta_doc.h"
#include "data/doc/active_declaration.h"

namespace forms {

namespace pay = f100::payment;

namespace {

constexpr std::size_t kQ = f100::SectionQ.offset;
constexpr std::size_t kFamily = f100::Family.offset;
constexpr std::size_t kSummary = f100::Summary.offset;
constexpr std::size_t kBlockEnd = f100::SectionQ.offset + f100::SectionQ.size;

// Account parts by page position: account 1 at 27, 2 at 34, 3 at 41.
constexpr int kAccountFirst[] = {27, 34, 41};
constexpr std::size_t kPartWidth[] = {4, 4, 2, 10};
// Identification boxes whose field has no member stride, even on a list fixed to one member.
constexpr std::array<std::pair<int, std::size_t>, 5> kUnstrided = {
    {{45, 5284}, {46, 5304}, {47, 5306}, {48, 5316}, {52, 485}}};
constexpr int kCompensation = 20;
constexpr int kReferenceCode = 1;

int MemberOf(int h) { return h + 1; }

pay::Account AccountFields(int account, int h) {
  const int m = MemberOf(h);
  return account == 1 ? pay::Account1(m) : account == 2 ? pay::Account2(m) : pay::Account3(m);
}

void ClearAccount(std::uint8_t* block, int account, int h) {
  const pay::Account a = AccountFields(account, h);
  for (const blocks::Text& t : {a.entity, a.branch, a.control, a.number}) std::memset(block + kQ + t.off, 0, t.width);
}

bool AccountEmpty(const std::uint8_t* block, int account, int h) {
  const pay::Account a = AccountFields(account, h);
  for (const blocks::Text& t : {a.entity, a.branch, a.control, a.number})
    if (!checks::CValidationHelper::IsCharEmpty(static_cast<char>(block[kQ + t.off]))) return false;
  return true;
}

// The compensation mark of member slot h (the declarant's and the spouse's are the ones used).
blocks::U8 CompensationMark(int h) { return {9880 + static_cast<std::size_t>(h)}; }

int ShownSlot(const CHolderPageBoxList& list) {
  if (list.fixedMember && list.memberIndex >= 1 && list.memberIndex <= 5) return list.memberIndex - 1;
  const int shown = doc::ShownMember();
  return shown >= 1 ? shown - 1 : 0;
}

}  // namespace

namespace ord017 {

std::uint8_t* MarkByte(std::uint8_t* block, int position, int h) {
  const int m = MemberOf(h);
  blocks::U8 field{0};
  switch (position) {
    case kAtOnce: field = pay::PayAtOnce(m); break;
    case kTwoInstalments: field = pay::PayInTwo(m); break;
    case kFirstNoDebit: field = pay::FirstWithoutDebit(m); break;
    case kFirstDebit: field = pay::FirstByDebit(m); break;
    case kSecondNoDebit: field = pay::SecondWithoutDebit(m); break;
    case kSecondDebit: field = pay::SecondByDebit(m); break;
    case kRefundNoAccount: field = pay::RefundWithoutAccount(m); break;
    case kRefundToAccount: field = pay::RefundToAccount(m); break;
    default: return nullptr;
  }
  return block + kQ + field.off;
}

AccountParts Account(std::uint8_t* block, int account, int h) {
  const pay::Account a = AccountFields(account, h);
  return {{block + kQ + a.entity.off, block + kQ + a.branch.off, block + kQ + a.control.off, block + kQ + a.number.off}};
}

double FirstPayment(const std::uint8_t* block, int h) { return pay::FirstPayment(MemberOf(h)).get(block + kQ); }
double SecondInstalment(const std::uint8_t* block, int h) { return pay::SecondInstalment(MemberOf(h)).get(block + kQ); }
double RefundAmount(const std::uint8_t* block, int h) { return pay::RefundAmount(MemberOf(h)).get(block + kQ); }

double MemberResult(const std::uint8_t* block, int h, bool* fromResultRecord) {
  const int m = MemberOf(h);
  const std::uint8_t* family = block + kFamily;
  const bool fromResult = f100::family::ResultSelection1(m).get(family) != 0 || f100::family::ResultSelection2(m).get(family) != 0;
  if (fromResultRecord) *fromResultRecord = fromResult;
  return fromResult ? f100::result::MemberResult.get(block + f100::Result.offset, h)
                    : f100::section_n::ResultCopy.get(block + f100::SectionN.offset, h);
}

}  // namespace ord017

using namespace ord017;

void CBoxesORD017::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> block = Block();
  if (block.size() >= kBlockEnd)
    for (const auto& [position, offset] : kUnstrided)
      if (CBoxField* box = Position(position)) box->data = block.data() + kFamily + offset;
  if (internetCopy && *internetCopy)
    if (CBoxField* box = Position(kReferenceCode)) box->data = nullptr;
  RefreshBoxStates(0);
}

void CBoxesORD017::ApplyHolderMode() {
  BindPageData(1);
  const std::span<std::uint8_t> block = Block();
  CBoxField* mark = Position(kCompensation);
  if (block.size() < kBlockEnd || !mark) return;
  std::uint8_t* b = block.data();
  const int m = fixedMember && memberIndex >= 1 ? memberIndex : doc::ShownMember();
  if (m != doc::kDeclarant && m != doc::kSpouse) {
    mark->SoloLectur = 1;
    return;
  }
  const std::uint8_t* family = b + kFamily;
  const double declarant = blocks::F64{9848}.get(b + kSummary), spouse = blocks::F64{9856}.get(b + kSummary);
  const bool opposite = (declarant > 0 && spouse < 0) || (declarant < 0 && spouse > 0);
  const auto communityOf = [&](std::size_t offset) { return static_cast<char>(b[f100::Personal.offset + offset]); };
  bool open = family[5275] == 0 && family[5276] == 0 && opposite && communityOf(156) != '9' && communityOf(188) != '9';
  if (m == doc::kDeclarant) open = open && doc::HouseholdHas(doc::kSpouse) && family[2070] == 0;
  mark->SoloLectur = open ? 0 : 1;
  if (!open) {
    CompensationMark(1).set(b + kSummary, 0);
    CompensationMark(2).set(b + kSummary, 0);
  }
}

void CBoxesORD017::RefreshBoxStates(int /*position*/) {
  const std::span<std::uint8_t> span = Block();
  if (span.size() < kBlockEnd) return;
  std::uint8_t* b = span.data();
  const int h = ShownSlot(*this);
  const int m = MemberOf(h);
  bool fromResult = false;
  const double r = MemberResult(b, h, &fromResult);
  std::uint8_t* q = b + kQ;
  auto mark = [&](int position) -> std::uint8_t& { return *MarkByte(b, position, h); };
  auto readOnly = [&](std::initializer_list<int> positions, bool on) {
    for (int p : positions)
      if (CBoxField* box = Position(p)) box->SoloLectur = on ? 1 : 0;
  };
  auto accountReadOnly = [&](int account, bool on) {
    const int first = kAccountFirst[account - 1];
    readOnly({first, first + 1, first + 2, first + 3}, on);
  };

  // Refund.
  bool account3 = false;
  if (r >= 0) {
    mark(kRefundNoAccount) = 0;
    mark(kRefundToAccount) = 0;
    pay::RefundAmount(m).set(q, 0.0);
    readOnly({kRefundNoAccount, kRefundToAccount}, true);
  } else {
    readOnly({kRefundNoAccount, kRefundToAccount}, false);
    if (!mark(kRefundNoAccount) && !mark(kRefundToAccount)) mark(kRefundToAccount) = 1;
    if (mark(kRefundNoAccount)) {
      mark(kRefundToAccount) = 0;
    } else {
      mark(kRefundNoAccount) = 0;
      mark(kRefundToAccount) = 1;
      account3 = true;
    }
    pay::RefundAmount(m).set(q, -r);
  }
  accountReadOnly(3, !account3);
  const bool spouses = m == doc::kDeclarant || m == doc::kSpouse;
  if (!account3 && (fromResult || !spouses || CompensationMark(h).get(b + kSummary) == 0)) ClearAccount(b, 3, h);

  // Payment.
  bool account1 = false, account2 = false;
  if (r > 0) {
    if (!mark(kAtOnce) && !mark(kTwoInstalments)) {
      mark(kAtOnce) = 1;
      mark(kFirstDebit) = 1;
    }
    if (mark(kAtOnce)) {
      pay::FirstPayment(m).set(q, r);
      mark(kTwoInstalments) = mark(kSecondNoDebit) = mark(kSecondDebit) = 0;
      pay::SecondInstalment(m).set(q, 0.0);
      readOnly({kSecondNoDebit, kSecondDebit}, true);
    } else {
      if (!mark(kSecondNoDebit) && !mark(kSecondDebit)) mark(kSecondNoDebit) = 1;
      const double first = r * 0.6;
      pay::FirstPayment(m).set(q, first);
      pay::SecondInstalment(m).set(q, mark(kSecondNoDebit) ? 0.0 : r - first);
      mark(kAtOnce) = 0;
      readOnly({kSecondNoDebit, kSecondDebit}, false);
      account2 = !mark(kSecondNoDebit);
    }
    if (mark(kFirstNoDebit)) {
      mark(kFirstDebit) = 0;
    } else {
      mark(kFirstNoDebit) = 0;
      account1 = true;
    }
  } else {
    for (int p : {kAtOnce, kTwoInstalments, kFirstNoDebit, kFirstDebit, kSecondNoDebit, kSecondDebit}) mark(p) = 0;
    pay::FirstPayment(m).set(q, 0.0);
    pay::SecondInstalment(m).set(q, 0.0);
    readOnly({kSecondNoDebit, kSecondDebit}, true);
  }
  readOnly({kAtOnce, kTwoInstalments, kFirstNoDebit, kFirstDebit}, !(r > 0));
  accountReadOnly(1, !account1);
  if (!account1) ClearAccount(b, 1, h);
  accountReadOnly(2, !account2);
  if (!account2) ClearAccount(b, 2, h);

  // The spouses' compensation: the refund account follows the mark.
  if (fromResult || !spouses) return;
  // The member's refund in section N before the compensation.
  const double p = blocks::Vec5{384}.get(b + f100::SectionN.offset, h);
  if (CompensationMark(h).get(b + kSummary) == 0) return;
  const double refund = pay::RefundAmount(m).get(q);
  if (p != 0 && refund != 0) {
    readOnly({kRefundNoAccount, kRefundToAccount}, false);
    if (mark(kRefundNoAccount)) {
      ClearAccount(b, 3, h);
      accountReadOnly(3, true);
    } else {
      mark(kRefundToAccount) = 1;
      accountReadOnly(3, false);
    }
    return;
  }
  if ((p != 0 && refund == 0) || (p == 0 && (mark(kRefundNoAccount) || r >= 0))) ClearAccount(b, 3, h);
}

ORD017::ORD017(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD017>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {
  BindCopyLabel(49);
  // The payment barcode text and the declarant's identification code the printing keeps.
  if (auto* d = dynamic_cast<doc::CRentaDoc*>(GetDocument())) {
    Boxes()->BindOutside(51, d->BarcodeArea().data());
    Boxes()->BindOutside(53, d->PrintSheetState().identificationCodes[0].data());
    if (auto* list = dynamic_cast<CBoxesORD017*>(Boxes())) list->internetCopy = &d->PrintSheetState().internetCopy;
  }
}

bool ORD017::InitPageControls() {
  CRentaVista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void ORD017::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
}

void ORD017::AfterChange() {
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(0);
  RepaintBoxes();
  RepaintBoxes();
}

int ORD017::OnBoxSubDialogValue(int /*position*/) {
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  return 0;
}

namespace {
// The status byte of the member shown: 1 while its printed references are kept.
bool Printed(const std::uint8_t* block, int h) { return block[kFamily + static_cast<std::size_t>(h)] == 1; }
void RenewReferences() { doc::MarkEditedSincePrinted(); }
void MarkSpousesChanged(std::uint8_t* block) { block[kFamily + 1] = block[kFamily + 2] = 2; }
}  // namespace

int ORD017::OnBoxValueChanged(int position) {
  doc::CProg32Doc* d = GetDocument();
  auto* list = static_cast<CBoxesORD017*>(BoxList());
  if (!d || !list || d->Block().size() < kBlockEnd) return 0;
  std::uint8_t* b = d->Block().data();
  const int h = ShownSlot(*list);
  const bool printed = Printed(b, h);
  auto mark = [&](int p) -> std::uint8_t& { return *MarkByte(b, p, h); };
  int result = 0;
  switch (position) {
    case kCompensation: {
      const int shown = doc::ShownMember();
      std::uint8_t* summary = b + kSummary;
      if (shown == doc::kDeclarant) CompensationMark(2).set(summary, CompensationMark(1).get(summary));
      if (shown == doc::kSpouse) CompensationMark(1).set(summary, CompensationMark(2).get(summary));
      d->Calculate(1);
      if (printed) {
        RenewReferences();
        MarkSpousesChanged(b);
      }
      break;
    }
    case kFirstNoDebit: mark(kFirstDebit) = mark(kFirstNoDebit) == 1 ? 0 : 1; break;
    case kFirstDebit: mark(kFirstNoDebit) = mark(kFirstDebit) == 1 ? 0 : 1; break;
    case kSecondNoDebit: mark(kSecondDebit) = mark(kSecondNoDebit) == 1 ? 0 : 1; break;
    case kRefundNoAccount: mark(kRefundToAccount) = mark(kRefundNoAccount) == 1 ? 0 : 1; break;
    case kRefundToAccount: mark(kRefundNoAccount) = mark(kRefundToAccount) == 1 ? 0 : 1; break;
    case kAtOnce:
      if (mark(kAtOnce) == 1) mark(kTwoInstalments) = 0;
      else if (ChooseInstalments(b, h)) mark(kTwoInstalments) = 1;
      break;
    case kTwoInstalments: result = ChooseInstalments(b, h) ? 1 : 0; break;
    case kSecondDebit:
      if (mark(kSecondDebit) == 1) {
        mark(kSecondNoDebit) = 0;
        if (AccountEmpty(b, 2, h)) {
          const AccountParts from = Account(b, 1, h), to = Account(b, 2, h);
          for (std::size_t i = 0; i < 4; ++i) std::memcpy(to.part[i], from.part[i], kPartWidth[i]);
        }
      } else {
        mark(kSecondNoDebit) = 1;
      }
      break;
    default: break;
  }
  if (position >= kAtOnce && position <= kRefundToAccount && printed) RenewReferences();
  AfterChange();
  return result;
}

bool ORD017::ChooseInstalments(std::uint8_t* block, int h) {
  bool fromResult = false;
  MemberResult(block, h, &fromResult);
  std::uint8_t& instalments = *MarkByte(block, kTwoInstalments, h);
  if (fromResult) {
    // Two instalments are not open to a result taken from the result record: nothing changes.
    instalments = 0;
    if (IMessageService* m = Host().Messages()) m->ShowMessage("100R135", MessageIcon::Stop);
    return false;
  }
  *MarkByte(block, kAtOnce, h) = instalments == 1 ? 0 : 1;
  return true;
}

int ORD017::OnBoxValueCleared(int position) {
  doc::CProg32Doc* d = GetDocument();
  auto* list = static_cast<CBoxesORD017*>(BoxList());
  if (!d || !list || d->Block().size() < kBlockEnd) return 1;
  std::uint8_t* b = d->Block().data();
  const int h = ShownSlot(*list);
  const bool printed = Printed(b, h);
  switch (position) {
    case kCompensation: {
      const int shown = doc::ShownMember();
      if (shown == doc::kDeclarant || shown == doc::kSpouse) {
        CompensationMark(1).set(b + kSummary, 0);
        CompensationMark(2).set(b + kSummary, 0);
        d->Calculate(1);
        if (printed) RenewReferences();
      }
      break;
    }
    case kRefundNoAccount:
      *MarkByte(b, kRefundToAccount, h) = 1;
      if (printed) RenewReferences();
      break;
    case kRefundToAccount:
      *MarkByte(b, kRefundNoAccount, h) = 1;
      if (printed) {
        RenewReferences();
        MarkSpousesChanged(b);
      }
      break;
    default: break;
  }
  AfterChange();
  return 1;
}

int ORD017::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  auto* list = static_cast<CBoxesORD017*>(BoxList());
  int result = 1;
  if (d && list && d->Block().size() >= kBlockEnd) {
    for (int account = 1; account <= 3; ++account) {
      const int part = position - kAccountFirst[account - 1];
      if (part < 0 || part > 3) continue;
      std::uint8_t* b = d->Block().data();
      const int h = ShownSlot(*list);
      const AccountParts parts = Account(b, account, h);
      std::array<char, 21> text{};
      std::size_t at = 0;
      for (std::size_t i = 0; i < 4; ++i) {
        std::memcpy(text.data() + at, parts.part[i], kPartWidth[i]);
        at += kPartWidth[i];
      }
      result = Host().RunFieldCheck(kBankAccountCheck, text.data());
      if (!result) std::memset(parts.part[part], ' ', kPartWidth[static_cast<std::size_t>(part)]);
      if (Printed(b, h)) RenewReferences();
    }
  }
  AfterChange();
  return result;
}

}  // namespace forms

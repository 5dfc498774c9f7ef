#include "forms/pages/pat011.h"

#include <QDate>

#include <array>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "data/doc/active_declaration.h"
#include "forms/pages/page714.h"

namespace forms {

namespace {

constexpr std::size_t kR = f714::Result.offset, kS = f714::Summary.offset, kP = f714::Personal.offset;
constexpr blocks::F64 Due{kR + 0}, AlreadyPaid{kR + 8}, Difference{kR + 16}, ToPay{kR + 48};
constexpr blocks::U8 Cash{kR + 24}, Debit{kR + 25};
constexpr blocks::F64 SummaryResult{kS + 536};
constexpr blocks::U8 NothingToPay{kS + 552};
constexpr blocks::Text DeclarationDate{kS + 553, 8};
constexpr blocks::U8 PartialAllowed{kP + 453};
struct Part {
  std::size_t off, width;
};
constexpr Part kAccount[] = {{kR + 26, 4}, {kR + 30, 4}, {kR + 34, 2}, {kR + 36, 10}};
constexpr int kPartial = 18, kCash = 22, kDebit = 23, kFirstAccount = 24, kReferenceCode = 34;
constexpr int kDefaultHelp = 667;

void Editable(CBindingTableList& list, std::initializer_list<int> positions, bool on) {
  for (int p : positions)
    if (CBoxField* b = list.Position(p)) b->SoloLectur = on ? 0 : 1;
}

void BlankAccount(std::uint8_t* b) {
  for (const Part& p : kAccount) std::memset(b + p.off, ' ', p.width);
}

// The amount due and the difference, from the result and the partial payment when it may be typed.
void DeriveAmounts(CBindingTableList& list, std::uint8_t* b) {
  const bool partial = PartialAllowed.get(b) != 0;
  Editable(list, {kPartial}, partial);
  if (partial) {
    Due.set(b, SummaryResult.get(b));
    const double difference = SummaryResult.get(b) - AlreadyPaid.get(b);
    Difference.set(b, difference < 0 ? 0.0 : difference);
  } else {
    Due.set(b, 0.0);
    Difference.set(b, 0.0);
  }
}

}  // namespace

void CBoxesPAT011::ApplyAccountRule() {
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  const bool open = Cash.get(block.data()) == 0 && Debit.get(block.data()) != 0;
  Editable(*this, {24, 25, 26, 27}, open);
}

void CBoxesPAT011::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  std::uint8_t* b = block.data();
  DeriveAmounts(*this, b);
  if (Difference.get(b) >= 0) Editable(*this, {kCash, kDebit}, true);
  else Editable(*this, {22, 23, 24, 25, 26, 27}, false);
  if (ToPay.get(b) > 0) {
    NothingToPay.set(b, 0);
    Editable(*this, {kCash, kDebit}, true);
    if (!Cash.get(b) && !Debit.get(b)) {
      Debit.set(b, 1);
      Cash.set(b, 0);
    }
  } else {
    NothingToPay.set(b, 1);
    Editable(*this, {kCash, kDebit}, false);
    std::memset(b + Cash.off, 0, 22);
    Editable(*this, {24, 25, 26, 27}, false);
  }
  if (b[DeclarationDate.off] == 0) {
    const std::string date = today ? today() : QDate::currentDate().toString(QStringLiteral("ddMMyyyy")).toStdString();
    std::memcpy(b + DeclarationDate.off, date.data(), std::min<std::size_t>(8, date.size()));
  }
  // The month is picked from the months' list, which reads and writes the box's own field.
  if (internetCopy && *internetCopy)
    if (CBoxField* box = Position(kReferenceCode)) box->data = nullptr;
  if (ToPay.get(b) > 0) ApplyAccountRule();
}

void CBoxesPAT011::ReleasePageData() {}

void CBoxesPAT011::RefreshBoxStates(int) {
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  std::uint8_t* b = block.data();
  DeriveAmounts(*this, b);
  if (ToPay.get(b) > 0) {
    NothingToPay.set(b, 0);
    Editable(*this, {kCash, kDebit}, true);
    if (!Cash.get(b) && !Debit.get(b)) {
      Debit.set(b, 1);
      Editable(*this, {24, 25, 26, 27}, true);
    }
  } else {
    NothingToPay.set(b, 1);
    Editable(*this, {kCash, kDebit}, false);
    std::memset(b + Cash.off, 0, 22);
    Editable(*this, {24, 25, 26, 27}, false);
  }
}

PAT011::PAT011(IPageHost& host, QWidget* parent)
    : CGenericPage714(host, kCode, std::make_unique<CBoxesPAT011>(kCode, DocumentBlock714(host)), parent) {
  auto& list = static_cast<CBoxesPAT011&>(*BoxList());
  BindDocumentBoxes714(list, host, kCode);
  if (auto* d = dynamic_cast<doc::C714Doc*>(host.PageDocument())) list.internetCopy = &d->PrintSheetState().internetCopy;
}

int PAT011::OnHelpHitTest(QPoint point) {
  SetHotBox(HitTestBox(point));
  EditHotBox();
  return Editor() && EditedBox() >= 0 ? GetBox(EditedBox())->NumeroDeCo : kDefaultHelp;
}

void PAT011::RepaintBoxes() {
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(0);
  CGenericPage714::RepaintBoxes();
  // An editor left on a box that can no longer be typed moves on.
  if (Editor() && EditedBox() >= 0 && GetBox(EditedBox())->SoloLectur) {
    SetHotBox(-1);
    EditHotBox();
  }
}

void PAT011::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

int PAT011::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  auto* list = static_cast<CBoxesPAT011*>(BoxList());
  if (!d || !list || d->Block().size() < f714::kBlockSize) return 1;
  std::uint8_t* b = d->Block().data();
  if (position == kPartial) {
    doc::MarkEditedSincePrinted();
    if (Due.get(b) - AlreadyPaid.get(b) >= 0) {
      Editable(*list, {kCash, kDebit}, true);
    } else {
      Cash.set(b, 0);
      Debit.set(b, 0);
      BlankAccount(b);
      Editable(*list, {22, 23, 24, 25, 26, 27}, false);
    }
  } else if (position >= kFirstAccount && position <= kFirstAccount + 3) {
    std::array<char, 21> account{};
    std::size_t at = 0;
    for (const Part& p : kAccount) {
      std::memcpy(account.data() + at, b + p.off, p.width);
      at += p.width;
    }
    if (!Host().RunFieldCheck(kBankAccountCheck, account.data())) {
      const Part& p = kAccount[static_cast<std::size_t>(position - kFirstAccount)];
      std::memset(b + p.off, 0, p.width);
      GoToBox(position);
    }
  }
  d->Calculate(1);
  RepaintBoxes();
  return 1;
}

int PAT011::OnBoxValueChanged(int position) {
  doc::CProg32Doc* d = GetDocument();
  auto* list = static_cast<CBoxesPAT011*>(BoxList());
  if (!d || !list || d->Block().size() < f714::kBlockSize) return 0;
  std::uint8_t* b = d->Block().data();
  if (position == kCash) {
    const bool cash = Cash.get(b) != 0;
    Debit.set(b, cash ? 0 : 1);
    if (cash) BlankAccount(b);
    Editable(*list, {24, 25, 26, 27}, !cash);
  } else if (position == kDebit) {
    const bool debit = Debit.get(b) != 0;
    Cash.set(b, debit ? 0 : 1);
    if (!debit) BlankAccount(b);
    Editable(*list, {24, 25, 26, 27}, debit);
  } else {
    return 0;
  }
  CGenericPage714::RepaintBoxes();
  return 1;
}

int PAT011::OnBoxValueCleared(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return 0;
  std::uint8_t* b = d->Block().data();
  if (position == kCash) {
    Debit.set(b, 1);
    return OnBoxValueChanged(kDebit);
  }
  if (position == kDebit) {
    Cash.set(b, 1);
    return OnBoxValueChanged(kCash);
  }
  return 0;
}

void RegisterPat011() {
  RegisterPageClass("PAT011", [](IPageHost& host, QWidget* parent) -> CFormView* { return new PAT011(host, parent); });
}

}  // namespace forms

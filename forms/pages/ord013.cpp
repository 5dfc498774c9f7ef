#include "forms/pages/ord013.h"

#include <array>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "data/doc/active_declaration.h"

namespace forms {

namespace {

// The parts of a member's bank account inside section N: first byte of slot 0, width.
struct AccountPart {
  std::size_t offset;
  std::size_t width;
};
constexpr AccountPart kAccount[] = {{280, 4}, {300, 4}, {320, 2}, {330, 10}};
constexpr int kFirstAccountPosition = 16;
// Boxes showing the place, day and month of the declaration: payment side, refund side.
constexpr int kPaymentPlace = 9, kRefundPlace = 22;
constexpr std::size_t kPlaceFields[] = {5284, 5304, 5306};
constexpr std::size_t kPaymentAmounts[] = {40, 80, 120, 160, 200, 240};
constexpr std::size_t kRefundAmounts[] = {384, 424, 464, 504, 544, 584};
constexpr std::size_t kSuspendedWhole = 200, kWaivedWhole = 464, kWaiverDeclared = 664;

double Element(std::span<const std::uint8_t> block, std::size_t vector, int member) {
  return blocks::F64{f100::SectionN.offset + vector + 8 * static_cast<std::size_t>(member - 1)}.get(block.data());
}

}  // namespace

int CBoxesORD013::AccountSlot() const {
  if (fixedMember && memberIndex >= 1 && memberIndex <= 5) return memberIndex - 1;
  const int shown = doc::ShownMember();
  return shown >= 1 ? shown - 1 : 0;
}

void CBoxesORD013::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  for (int p = kFirstAccountPosition; p < kFirstAccountPosition + 4; ++p)
    if (CBoxField* box = Position(p)) box->SoloLectur = 1;
  RefreshBoxStates(0);
}

void CBoxesORD013::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f100::SectionN.offset + f100::SectionN.size) return;
  const auto j = static_cast<std::size_t>(AccountSlot());
  for (std::size_t part = 0; part < std::size(kAccount); ++part)
    if (CBoxField* box = Position(kFirstAccountPosition + static_cast<int>(part)))
      box->data = block.data() + f100::SectionN.offset + kAccount[part].offset + kAccount[part].width * j;
  RefreshBoxStates(0);
}

void CBoxesORD013::RefreshBoxStates(int /*position*/) {
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f100::SectionN.offset + f100::SectionN.size ||
      block.size() < f100::Family.offset + f100::Family.size)
    return;
  const int m = doc::ShownMember();
  auto setAccount = [&](bool open) {
    for (int p = kFirstAccountPosition; p < kFirstAccountPosition + 4; ++p)
      if (CBoxField* box = Position(p)) {
        box->SoloLectur = open ? 0 : 1;
        box->textFieldFlag = open ? 1 : 0;
      }
  };
  if (m != doc::kDeclarant && m != doc::kSpouse) {
    for (int p : {6, 8, 15, 21})
      if (CBoxField* box = Position(p)) box->Pintacero = 0;
    setAccount(false);
    return;
  }
  if (CBoxField* box = Position(8)) box->Pintacero = Element(block, kSuspendedWhole, m) != 0 ? 1 : 0;
  if (CBoxField* box = Position(15)) box->Pintacero = Element(block, kWaivedWhole, m) != 0 ? 1 : 0;
  const bool declared = blocks::I32{f100::SectionN.offset + kWaiverDeclared}.get(block.data()) != 0;
  setAccount(declared && Element(block, kWaivedWhole, m) != 0);
  auto anyOf = [&](std::span<const std::size_t> vectors) {
    for (std::size_t v : vectors)
      if (Element(block, v, m) != 0) return true;
    return false;
  };
  auto bindPlace = [&](int first, bool bind) {
    for (std::size_t k = 0; k < std::size(kPlaceFields); ++k)
      if (CBoxField* box = Position(first + static_cast<int>(k))) {
        box->data = bind ? block.data() + f100::Family.offset + kPlaceFields[k] : nullptr;
        box->SoloLectur = bind ? 0 : 1;
      }
  };
  if (anyOf(kPaymentAmounts)) {
    bindPlace(kPaymentPlace, true);
    bindPlace(kRefundPlace, false);
  } else if (anyOf(kRefundAmounts)) {
    bindPlace(kPaymentPlace, false);
    bindPlace(kRefundPlace, true);
  }
}

ORD013::ORD013(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD013>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {
  BindCopyLabel(26);
}

int ORD013::OnBoxEdited(int position) {
  int result = 1;
  const int first = position - kFirstAccountPosition;
  auto* list = static_cast<CBoxesORD013*>(BoxList());
  doc::CProg32Doc* d = GetDocument();
  if (first >= 0 && first < 4 && list && d && d->Block().size() >= f100::SectionN.offset + f100::SectionN.size) {
    std::uint8_t* n = d->Block().data() + f100::SectionN.offset;
    const auto j = static_cast<std::size_t>(list->AccountSlot());
    for (int part = first; part < 4; ++part) {
      std::array<char, 21> account{};
      std::size_t at = 0;
      for (const AccountPart& p : kAccount) {
        std::memcpy(account.data() + at, n + p.offset + p.width * j, p.width);
        at += p.width;
      }
      result = Host().RunFieldCheck(kBankAccountCheck, account.data());
      if (!result) {
        const AccountPart& p = kAccount[static_cast<std::size_t>(part)];
        std::memset(n + p.offset + p.width * j, ' ', p.width);
      }
    }
  }
  d = GetDocument();
  if (d) d->Calculate(1);
  RepaintBoxes();
  RepaintBoxes();
  if (d) d->Model().WrittenAll();
  return result;
}

}  // namespace forms

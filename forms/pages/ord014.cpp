#include "forms/pages/ord014.h"

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"

namespace forms {

namespace {

// The key byte of each account group inside section O.
constexpr std::size_t kKeyOffsets[] = {1196, 1341, 2304, 2449};

}  // namespace

void CBoxesORD014::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  const std::span<std::uint8_t> block = Block();
  const int shown = doc::ShownMember();
  if (shown < 1 || block.size() < f100::SectionO.offset + f100::SectionO.size) return;
  for (std::size_t g = 0; g < std::size(kKeyPositions); ++g)
    if (CBoxField* box = Position(kKeyPositions[g]))
      box->data = block.data() + f100::SectionO.offset + kKeyOffsets[g] + static_cast<std::size_t>(shown - 1);
}

ORD014::ORD014(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD014>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {
  BindCopyLabel(67);
}

int ORD014::OnBoxSubDialogValue(int /*position*/) {
  RecalculateAndCheck({kHousingCarryOver, kDepositCarryOver}, f100::SectionO.offset, f100::SectionO.size);
  return 0;
}

}  // namespace forms

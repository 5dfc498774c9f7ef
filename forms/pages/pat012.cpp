#include "forms/pages/pat012.h"

#include "blocks/field.h"
#include "blocks/form714.h"
#include "forms/pages/page714.h"
#include "ui/box_field.h"

namespace forms {

namespace {

constexpr std::size_t kS = f714::Summary.offset;
constexpr blocks::F64 SummaryResult{kS + 536};
constexpr blocks::U8 NothingToPay{kS + 552};

}  // namespace

void CBoxesPAT012::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  for (int i = 0; i < GetSize(); ++i) GetAt(i)->SoloLectur = 1;
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  NothingToPay.set(block.data(), SummaryResult.get(block.data()) > 0 ? 0 : 1);
}

PAT012::PAT012(IPageHost& host, QWidget* parent)
    : CGenericPage714(host, CBoxesPAT012::kCode, std::make_unique<CBoxesPAT012>(DocumentBlock714(host)), parent) {
  BindDocumentBoxes714(static_cast<CBindingTableList&>(*BoxList()), host, CBoxesPAT012::kCode);
}

void RegisterPat012() {
  RegisterPageClass("PAT012", [](IPageHost& host, QWidget* parent) -> CFormView* { return new PAT012(host, parent); });
}

}  // namespace forms

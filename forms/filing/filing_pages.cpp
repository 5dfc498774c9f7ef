#include "forms/filing/filing_pages.h"

#include "forms/pages/firma.h"
#include "forms/view/form_views.h"

namespace forms {

FilingPageFactory BindingTableFilingPages(BoxTables tables, std::span<std::uint8_t> block) {
  return [tables = std::move(tables), block](int pageCode, int member) -> std::unique_ptr<IFilingPage> {
    const bool form714 = pageCode > 300;
    if (pageCode == CBoxesFirma::kCode) {
      auto firma = std::make_unique<CBoxesFirma>(block, member);
      firma->SetTables(tables);
      firma->LoadBoxesNoGeometry(pageCode);
      return std::make_unique<BoxListFilingPage<CBoxesFirma>>(std::move(firma));
    }
    auto list = std::make_unique<CBindingTableList>(pageCode, block, form714 ? -1 : member);
    list->SetTables(tables);
    list->LoadBoxesNoGeometry(pageCode);
    return std::make_unique<BoxListFilingPage<CBindingTableList>>(std::move(list));
  };
}

}  // namespace forms

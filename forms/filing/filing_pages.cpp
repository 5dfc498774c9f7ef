#include "forms/filing/filing_pages.h"

#include "forms/pages/firma.h"
#include "forms/pages/ord001.h"
#include "forms/pages/ord002.h"
#include "forms/pages/ord003.h"
#include "forms/pages/ord005.h"
#include "forms/pages/ord006.h"
#include "forms/pages/ord007.h"
#include "forms/pages/ord008.h"
#include "forms/pages/ord010.h"
#include "forms/pages/ord013.h"
#include "forms/pages/ord014.h"
#include "forms/pages/ord015.h"
#include "forms/pages/ord016.h"
#include "forms/pages/ord017.h"
#include "forms/pages/pat011.h"
#include "forms/view/form_views.h"

namespace forms {

namespace {

// The list the page's view shows, with its own bindings, row tables and continuation sheets, so
// that the file holds what the printed sheets hold.
std::unique_ptr<CBindingTableList> PageList(int pageCode, std::span<std::uint8_t> block, int member) {
  switch (pageCode) {
    case 201: return std::make_unique<CBoxesORD001>(pageCode, block, member);
    case 202: return std::make_unique<CBoxesORD002>(pageCode, block, member);
    case 203: return std::make_unique<CBoxesORD003>(block, member);
    case 205: return std::make_unique<CBoxesORD005>(block, member);
    case 206: return std::make_unique<CBoxesORD006>(block, member);
    case 207: return std::make_unique<CBoxesORD007>(block, member);
    case 208: return std::make_unique<CBoxesORD008>(block, member);
    case 210: return std::make_unique<CBoxesORD010>(block, member);
    case 213: return std::make_unique<CBoxesORD013>(pageCode, block, member);
    case 214: return std::make_unique<CBoxesORD014>(pageCode, block, member);
    case 215: return std::make_unique<CBoxesORD015>(pageCode, block, member);
    case 216: return std::make_unique<CBoxesORD016>(pageCode, block, member);
    case 217: return std::make_unique<CBoxesORD017>(pageCode, block, member);
    case CBoxesFirma::kCode: return std::make_unique<CBoxesFirma>(block, member);
    case 311: return std::make_unique<CBoxesPAT011>(pageCode, block, -1);
    default: return std::make_unique<CBindingTableList>(pageCode, block, pageCode > 300 ? -1 : member);
  }
}

}  // namespace

FilingPageFactory BindingTableFilingPages(BoxTables tables, std::span<std::uint8_t> block) {
  return [tables = std::move(tables), block](int pageCode, int member) -> std::unique_ptr<IFilingPage> {
    std::unique_ptr<CBindingTableList> list = PageList(pageCode, block, member);
    list->SetTables(tables);
    // A page the program does not define yet (page 204) has nothing to file: no message.
    if (CPageBoxList::PageHasBoxes(tables.local, pageCode)) list->LoadBoxesNoGeometry(pageCode);
    return std::make_unique<BoxListFilingPage<CBindingTableList>>(std::move(list));
  };
}

}  // namespace forms

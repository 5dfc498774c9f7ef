// The pages the filing writers read in the program: each page's own box list (the one its view
// shows: bindings, row tables, continuation sheets) loaded from the box definitions without
// coordinates, fixed to the member of the file (form 100) or to the declaration (form 714).
#pragma once

#include <cstdint>
#include <span>

#include "forms/filing/filing_page.h"
#include "forms/view/box_list.h"

namespace forms {

// Form 100 pages are fixed to the member the writer asks for; form-714 pages (301 ...) follow
// no member. A page without box definitions is built without boxes and without a message.
FilingPageFactory BindingTableFilingPages(BoxTables tables, std::span<std::uint8_t> block);

}  // namespace forms

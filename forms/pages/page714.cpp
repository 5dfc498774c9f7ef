#include "forms/pages/page714.h"

#include "blocks/form714.h"
#include "forms/pages/page714_layout.inc"
#include "forms/pages/pat010.h"
#include "forms/pages/pat011.h"
#include "forms/pages/pat012.h"
#include "tallyvex.h"

namespace forms {

namespace {
std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}
}  // namespace

CSectionPage714::CSectionPage714(IPageHost& host, const pat::SectionPage& page, QWidget* parent)
    : CGenericPage714(host, page.code, std::make_unique<CBindingTableList>(page.code, DocumentBlock(host)), parent),
      page_(page) {}

int CSectionPage714::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d) return 1;
  std::span<std::uint8_t> block = d->Block();
  for (const pat::SectionCalc& c : page_.calcs) {
    if (c.position != position) continue;
    if (block.size() < f714::kBlockSize) return 1;
    std::uint8_t* summary = block.data() + f714::Summary.offset;
    c.calc(block.data() + c.record, -1, summary);
    c.calc(block.data() + c.record, 0, summary);
    d->Calculate(0);
    RepaintBoxes();
    Host().UpdateAllViews(kHintRepaintBoxes);
    d->SetModifiedFlag(true);
    return 1;
  }
  return 1;
}

void CSectionPage714::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

void RegisterForm714Pages() {
  RegisterPat010();
  RegisterPat011();
  RegisterPat012();
  for (const pat::SectionPage& page : pat::kSectionPages) {
    RegisterPageBindings(page.code, page.boxes);
    RegisterPageClass(page.name, [&page](IPageHost& host, QWidget* parent) -> CFormView* {
      return new CSectionPage714(host, page, parent);
    });
  }
}

}  // namespace forms

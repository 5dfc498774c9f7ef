#include "forms/pages/page714.h"

#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "forms/pages/page714_layout.inc"
#include "forms/pages/pat001.h"
#include "forms/pages/pat009.h"
#include "forms/pages/pat010.h"
#include "forms/pages/pat011.h"
#include "forms/pages/pat012.h"
#include "tallyvex.h"

namespace forms {

namespace {

constexpr DocumentBoxes714 kDocumentBoxes[] = {
    {301, 0, 45, 44, 50, 0},  {302, 2, 199, 200, 0, 0}, {303, 2, 186, 187, 0, 0}, {304, 2, 111, 112, 0, 0},
    {305, 2, 94, 95, 0, 0},   {306, 2, 80, 81, 0, 0},   {307, 2, 105, 106, 0, 0}, {308, 2, 79, 80, 0, 0},
    {309, 2, 32, 33, 0, 0},   {310, 2, 29, 28, 0, 0},   {311, 0, 33, 35, 37, 38}, {312, 0, 30, 33, 35, 36},
};

}  // namespace

std::span<std::uint8_t> DocumentBlock714(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

const DocumentBoxes714* DocumentBoxesOf(int pageCode) {
  for (const DocumentBoxes714& b : kDocumentBoxes)
    if (b.code == pageCode) return &b;
  return nullptr;
}

void BindDocumentBoxes714(CBindingTableList& list, IPageHost& host, int pageCode) {
  auto* d = dynamic_cast<doc::C714Doc*>(host.PageDocument());
  const DocumentBoxes714* b = DocumentBoxesOf(pageCode);
  if (!d || !b) return;
  doc::C714Doc::PrintSheet& sheet = d->PrintSheetState();
  // Every box reads its text only: none of them is ever typed.
  if (b->name) list.BindOutside(b->name, d->DeclarantNameField());
  if (b->copyLabel) list.BindOutside(b->copyLabel, sheet.copyLabel.data());
  if (b->foot) list.BindOutside(b->foot, sheet.footText.data());
  if (b->identification) list.BindOutside(b->identification, sheet.identificationCode.data());
  if (b->barcode) list.BindOutside(b->barcode, const_cast<char*>(d->BarcodeArea().data()));
}

CSectionPage714::CSectionPage714(IPageHost& host, const pat::SectionPage& page, QWidget* parent)
    : CGenericPage714(host, page.code, std::make_unique<CBindingTableList>(page.code, DocumentBlock714(host)), parent),
      page_(page) {
  BindDocumentBoxes714(static_cast<CBindingTableList&>(*BoxList()), host, page.code);
}

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
    RepaintBoxes();
    d->Model().WrittenAll();
    return 1;
  }
  return 1;
}

void CSectionPage714::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

void RegisterForm714Pages() {
  RegisterPat001();
  RegisterPat009();
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

#include "forms/pages/ord015.h"

#include <algorithm>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"

namespace forms {

namespace ord015 {

std::span<const CommunityGroup> CommunityGroups() {
  static constexpr CommunityGroup groups[] = {
      {"01", {4, 5, 6, 7, 8, 9}},
      {"02", {3}},
      {"03", {11, 12, 13, 14, 15, 16, 17, 18}},
      {"04", {20, 22, 23, 24, 26}},
      {"05", {28, 29, 30, 31}},
      {"06", {33}},
      {"07", {34, 35, 36, 38, 39}},
      {"08", {41, 42, 43, 44, 45}},
      {"09", {47, 48, 49, 50, 51}},
      {"10", {53, 55, 56}},
      {"11", {58, 59, 60, 61}},
      {"12", {63, 64, 65, 66, 67, 68, 69}},
      {"13", {71, 72, 73}},
      {"16", {75, 76, 77}},
      {"17", {79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93}},
  };
  return groups;
}

}  // namespace ord015

namespace {
// The community codes of the declarant, the spouse, child 1 and child 2 in the personal record,
// and the copy kept per member in the family record.
constexpr std::size_t kPersonalCodes[] = {156, 188, 220, 252};
constexpr std::size_t kMemberCodes = 4344;
}  // namespace

std::vector<std::string> CBoxesORD015::CommunitiesShown() const {
  const std::span<std::uint8_t> b = Block();
  std::vector<std::string> codes;
  if (b.size() < f100::Family.offset + f100::Family.size || b.size() < f100::Personal.offset + f100::Personal.size)
    return codes;
  auto code = [&](std::size_t at) { return std::string(reinterpret_cast<const char*>(b.data() + at), 2); };
  const int m = fixedMember && memberIndex >= 1 && memberIndex <= 5 ? memberIndex : doc::ShownMember();
  if (m == doc::kFamilyUnit) {
    for (std::size_t at : kPersonalCodes) codes.push_back(code(f100::Personal.offset + at));
  } else if (m >= doc::kDeclarant && m <= doc::kChild2) {
    codes.push_back(code(f100::Family.offset + kMemberCodes + 2 * static_cast<std::size_t>(m - 1)));
  }
  return codes;
}

void CBoxesORD015::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  const std::vector<std::string> codes = CommunitiesShown();
  for (const ord015::CommunityGroup& g : ord015::CommunityGroups()) {
    const bool present = std::find(codes.begin(), codes.end(), g.code) != codes.end();
    for (int p : g.positions)
      if (CBoxField* box = Position(p)) box->SoloLectur = present && box->data ? 0 : 1;
  }
}

ORD015::ORD015(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD015>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {}

bool ORD015::InitPageControls() {
  CRentaVista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void ORD015::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  if (FindFirstEditableBox() == -1) {
    // No community of the member has boxes here: the editor closes.
    if (Editor()) {
      SetHotBox(EditedBox());
      EditHotBox();
    }
  } else if (!Editor()) {
    SetHotBox(-1);
    EditHotBox();
  }
}

int ORD015::OnBoxSubDialogValue(int /*position*/) {
  if (doc::CProg32Doc* d = GetDocument()) {
    // The regional deductions and the quota they lower depend on each other: twice.
    d->Calculate(1);
    d->Calculate(1);
  }
  RepaintBoxes();
  RepaintBoxes();
  return 0;
}

int ORD015::OnBoxValueChanged(int /*position*/) {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
  RepaintBoxes();
  RepaintBoxes();
  return 0;
}

}  // namespace forms

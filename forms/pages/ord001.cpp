#include "forms/pages/ord001.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "blocks/form100.h"
#include "data/doc/renta_doc.h"
#include "data/message_service.h"
#include "data/doc/active_declaration.h"
#include "ui/sel_str_edit.h"

namespace forms {

using namespace ord001;

namespace {

// An own-data box of the member shown and its counterpart among the other spouse's data.
struct MirrorPair {
  int own, other;
  std::size_t ownField, otherField, width;
  std::size_t ownYear = 0, otherYear = 0;  // the companion year fields of the birth dates
};
constexpr MirrorPair kMirrors[] = {
    {1, 26, 773, 1563, 9},     {2, 27, 893, 1683, 15},  {3, 28, 968, 1758, 15},   {4, 29, 818, 1608, 15},
    {6, 31, 1078, 1873, 20},   {7, 32, 1178, 1973, 5},  {8, 33, 1203, 1998, 2},   {9, 34, 1213, 2008, 2},
    {10, 35, 1223, 2018, 2},   {11, 36, 1233, 2028, 25}, {12, 37, 1358, 2153, 14}, {13, 38, 1428, 2223, 5},
    {22, 41, 1473, 2268, 8, 1453, 2248}, {23, 42, 1513, 2308, 1}, {25, 44, 1518, 2313, 9},
};
constexpr std::size_t kYearWidth = 4;

// Representative boxes kept for the declarant when typed in the family unit's view.
struct Representative {
  int position;
  std::size_t field, width;
};
constexpr Representative kRepresentative[] = {{167, 5037, 9},  {168, 5082, 32}, {169, 5242, 26}, {170, 5372, 4},
                                              {171, 5392, 15}, {172, 5467, 14}, {173, 5537, 5}};

// Place and date: single fields, the same for every member.
constexpr std::pair<int, std::size_t> kUnstrided[] = {{190, 5572}, {191, 5592}, {192, 5594}, {193, 5604}};
constexpr std::size_t kDay = 5592, kMonth = 5594, kYear = 5604;

constexpr int kDescendantFirst = 49, kDescendantLast = 132, kAscendantFirst = 137, kAscendantLast = 160;
constexpr int kDescendantCells[] = {0, 9, 108, 117, 125, -1, 132};  // -1: the member's own flag (+127 + m)
constexpr int kAscendantCells[] = {0, 9, 46, 60, -1, 72};           // -1: +62 + m

constexpr int kAddressMark = 14, kFirstDeclaration = 15, kSpouseAddressMark = 39, kSpouseFirstDeclaration = 40;
constexpr int kSingle = 18, kMarried = 20;
constexpr int kStreetKind = 5, kSpouseStreetKind = 30;
constexpr std::size_t kAddressMarks = 1043, kFirstDeclarationMarks = 1048;
constexpr std::size_t kSpouseAddressMarks = 1833, kSpouseFirstDeclarationMarks = 1838;
constexpr std::size_t kSingleMarks = 753, kMarriedMarks = 763;
constexpr std::size_t kComplementary = 5562, kComplementaryOther = 5567;
constexpr std::size_t kDisagreement = 4644;

bool Blank(std::uint8_t c) { return c == 0 || c == ' '; }

int YearOf(const std::uint8_t* text) {
  int year = 0;
  for (int i = 0; i < 4; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    year = year * 10 + (text[i] - '0');
  }
  return year;
}

std::string Trimmed(const std::uint8_t* field, std::size_t width) {
  std::string s(reinterpret_cast<const char*>(field), width);
  s.resize(std::strlen(s.c_str()));
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Stored left-aligned, followed by a NUL when shorter than the field.
void StoreText(std::uint8_t* field, std::size_t width, const std::string& text) {
  std::memset(field, 0, width);
  std::memcpy(field, text.data(), std::min(width, text.size()));
}

}  // namespace

// ---------------------------------------------------------------- the box list

int CBoxesORD001::Shown() const {
  if (fixedMember && memberIndex >= 1 && memberIndex <= 5) return memberIndex;
  const int m = doc::ShownMember();
  return m >= 1 ? m : 1;
}

void CBoxesORD001::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> span = Block();
  if (span.size() < f100::Family.offset + f100::Family.size) return;
  std::uint8_t* b = span.data();
  const int m = Shown();
  if (!fixedMember) {
    memberIndex = m;
    mode = m == doc::kFamilyUnit ? 1 : 0;
    // The page shows the marks of the member from the start, not only after a refresh.
    SetDeclarationMarks();
  }
  const auto k = static_cast<std::size_t>(Occurrence());
  auto box = [this](int p) { return Position(p); };
  // One byte per member, found by the member itself; the place and date are the same for all.
  if (CBoxField* apart = box(45)) {
    apart->data = b + kSpouseApart + static_cast<std::size_t>(m);
    apart->SoloLectur = 0;
  }
  for (const auto& [position, offset] : kUnstrided)
    if (CBoxField* x = box(position)) {
      x->data = b + offset;
      x->SoloLectur = 0;
    }
  if (CBoxField* x = box(185)) x->data = filing ? reinterpret_cast<std::uint8_t*>(&zero_) : nullptr;
  barcodeText_.fill(' ');
  barcodeText_.back() = 0;
  receiptText_.fill(' ');
  receiptText_.back() = 0;
  if (CBoxField* x = box(198)) x->data = reinterpret_cast<std::uint8_t*>(barcodeText_.data());
  if (CBoxField* x = box(199)) x->data = reinterpret_cast<std::uint8_t*>(receiptText_.data());

  // The boxes that open a dialog: the street kinds the start of the declaration's block (the address
  // dialog tells form 100 from form 714 by it and finds the member's slots there; handed their own
  // field, it took it for a form-714 block and wrote beyond the address), the pairs of marks one
  // record, the assignment marks their own field, the disagreement its block.
  for (int p : {kStreetKind, kSpouseStreetKind})
    if (CBoxField* x = box(p)) {
      x->HandOver(ui::Handed::DeclarationStart, b);
      x->decimals = -1;
    }
  addressMarks_ = {b + kAddressMarks + k, b + kFirstDeclarationMarks + k};
  complementary_ = {b + kComplementary + k, b + kComplementaryOther + k};
  for (int p : {kAddressMark, kFirstDeclaration, kSpouseAddressMark, kSpouseFirstDeclaration})
    if (CBoxField* x = box(p)) x->option = &addressMarks_;
  for (int p : {174, 175})
    if (CBoxField* x = box(p)) x->option = &complementary_;
  for (int p = 163; p <= 166; ++p)
    if (CBoxField* x = box(p)) x->option = x->data;
  if (CBoxField* x = box(162)) x->option = b + kDisagreement;
  FilterTables();
}

void CBoxesORD001::BindTableRows() {
  const auto own = static_cast<std::size_t>(Shown() - 1);
  auto bindRows = [&](int first, std::size_t rows, std::span<const int> cells, std::uint8_t* buffer,
                      std::size_t size, std::size_t flag) {
    for (std::size_t j = 0; j < rows; ++j)
      for (std::size_t c = 0; c < cells.size(); ++c) {
        CBoxField* x = Position(first + static_cast<int>(j * cells.size() + c));
        if (!x) continue;
        const std::size_t at = cells[c] < 0 ? flag + own : static_cast<std::size_t>(cells[c]);
        x->data = buffer + j * size + at;
        // The tables are kept through the family data: the row boxes only show them.
        x->SoloLectur = 1;
      }
    if (CBoxField* head = Position(first)) {
      head->data = buffer;
      head->option = buffer;
      head->decimals = -1;
    }
  };
  bindRows(kDescendantFirst, kDescendantRows, kDescendantCells, descendants.data(), kDescendantSize, 127);
  bindRows(kAscendantFirst, kAscendantRows, kAscendantCells, ascendants.data(), kAscendantSize, 62);
  // Only the first box of each table opens the family data; a child has no table of its own.
  const bool child = Shown() >= doc::kChild1;
  for (int p : {kDescendantFirst, kAscendantFirst})
    if (CBoxField* head = Position(p)) head->SoloLectur = child ? 1 : 0;
}

void CBoxesORD001::FilterTables() {
  descendants.fill(0);
  ascendants.fill(0);
  const std::span<std::uint8_t> span = Block();
  if (span.size() < f100::Family.offset + f100::Family.size) return;
  const std::uint8_t* b = span.data();
  const int m = Shown();
  const bool all = m == doc::kFamilyUnit || (m == doc::kDeclarant && !doc::HouseholdHasSeveralHolders());
  const bool own = m == doc::kDeclarant || m == doc::kSpouse;
  std::size_t n = 0;
  for (std::size_t r = 0; r < kDescendantRows && (all || own); ++r) {
    const std::uint8_t* d = b + kDescendants + r * kDescendantSize;
    if (!all) {
      const bool considered = (d[132] != '2' && YearOf(d + 112) <= 1981) || (d[134] == 0 && d[135] == 0);
      const std::uint8_t flag = d[127 + static_cast<std::size_t>(m - 1)];
      if (!considered || !(Blank(flag) || flag == '1')) continue;
    }
    std::memcpy(descendants.data() + n++ * kDescendantSize, d, kDescendantSize);
  }
  n = 0;
  for (std::size_t r = 0; r < kAscendantRows && (all || own); ++r) {
    const std::uint8_t* a = b + kAscendants + r * kAscendantSize;
    if (!all && a[62 + static_cast<std::size_t>(m - 1)] != '1') continue;
    std::memcpy(ascendants.data() + n++ * kAscendantSize, a, kAscendantSize);
  }
  BindTableRows();
}

void CBoxesORD001::SetDeclarationMarks() {
  const std::span<std::uint8_t> span = Block();
  if (span.size() < f100::Family.offset + f100::Family.size) return;
  // The marks of the occurrence the boxes show: the member's own.
  const int m = Shown();
  const auto slot = static_cast<std::size_t>(m - 1);
  span[kIndividualMark + slot] = m == doc::kFamilyUnit ? 0 : 'X';
  span[kJointMark + slot] = m == doc::kFamilyUnit ? 'X' : 0;
}

void CBoxesORD001::ApplyHolderMode() {
  SetDeclarationMarks();
  BindPageData(1);
  RefreshBoxStates(0);
}

bool CBoxesORD001::SelectSheet(int sheet, int printing) {
  if (sheet != 1) return false;
  BindPageData(1);
  ApplyHolderMode();
  // The common-address mark is for the screen only.
  if (printing)
    if (CBoxField* x = Position(197)) x->data = nullptr;
  RefreshSheet(0);
  return true;
}

void CBoxesORD001::ApplyMemberRules(bool jointDeclaration) {
  const std::span<std::uint8_t> span = Block();
  if (span.size() < f100::Family.offset + f100::Family.size) return;
  const std::uint8_t* b = span.data();
  const int m = Shown();
  const bool spouse = doc::HouseholdHas(doc::kSpouse);
  const bool apart = b[kSpouseApart + 1] != 0;
  const std::uint8_t common = b[kCommonAddress];
  auto set = [this](std::initializer_list<int> positions, bool editable) {
    for (int p : positions)
      if (CBoxField* x = Position(p)) x->SoloLectur = editable ? 0 : 1;
  };
  auto range = [&](int first, int last, bool editable) {
    for (int p = first; p <= last; ++p) set({p}, editable);
  };
  auto ownMarksLocked = [&](int last) {
    range(18, last, false);
    for (int p : {kSingle, kMarried})
      if (CBoxField* x = Position(p)) x->textFieldFlag = 0;
  };
  set({2, 3, 4, kAddressMark}, true);
  switch (m) {
    case doc::kFamilyUnit:
    case doc::kDeclarant:
      set({kStreetKind, kAddressMark, kFirstDeclaration, 162, 163, 164, 165, 166, 174, 175}, true);
      ownMarksLocked(22);
      if (spouse) {
        set({27, 28, 29, 44}, true);
        set({kSpouseAddressMark, kSpouseFirstDeclaration}, !apart);
        set({kSpouseStreetKind}, !apart && (m == doc::kFamilyUnit ? common != 1 : common == 0));
      } else {
        range(27, m == doc::kFamilyUnit ? 40 : 30, false);
        set({kSpouseAddressMark, kSpouseFirstDeclaration, 44}, false);
      }
      if (m == doc::kDeclarant && !jointDeclaration && b[0] == 1) {
        set({27, 28, 29, 44}, true);
        set({kSpouseStreetKind}, common != 1);
      }
      break;
    case doc::kSpouse:
      set({kAddressMark, kFirstDeclaration, 27, 28, 29, kSpouseAddressMark, kSpouseFirstDeclaration, 44}, true);
      set({kStreetKind}, !apart && common == 0);
      set({kSpouseStreetKind}, common == 0);
      ownMarksLocked(22);
      set({162, 163, 164, 165, 166, 174, 175}, false);
      break;
    default: {  // a child
      const auto slot = static_cast<std::size_t>(m - 1);
      span[kSingleMarks + slot] = 1;
      set({kAddressMark, kFirstDeclaration}, true);
      set({kStreetKind}, m == doc::kChild1 ? common == 0 : common != 1);
      ownMarksLocked(21);
      range(27, 40, false);
      set({44, 162, 163, 164, 165, 166, 174, 175}, false);
      break;
    }
  }
}

// ---------------------------------------------------------------- the page

ORD001::ORD001(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD001>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {}

bool ORD001::InitPageControls() {
  CRentaVista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void ORD001::RefreshHeader() {
  if (auto* d = dynamic_cast<doc::CRentaDoc*>(GetDocument())) d->FillHeaderIdentification();
}

void ORD001::RecalculateAndRefresh() {
  if (CBoxesORD001* list = List()) {
    list->BindPageData(1);
    doc::CProg32Doc* d = GetDocument();
    list->ApplyMemberRules(d && d->Modality() == 1);
  }
  RefreshHeader();
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
}

void ORD001::CopyChildName(int member) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f100::Family.offset + f100::Family.size) return;
  std::uint8_t* b = d->Block().data();
  std::uint8_t* record = nullptr;
  for (std::size_t r = 0; r < kDescendantRows; ++r) {
    std::uint8_t* e = b + kDescendants + r * kDescendantSize;
    if (member == doc::kChild1 ? e[146] != 0 : (e[147] != 0 && e[146] == 0)) record = e;
  }
  if (!record) return;
  const auto k = static_cast<std::size_t>(member - 1);
  const std::string name = Trimmed(b + 818 + 15 * k, 15), first = Trimmed(b + 893 + 15 * k, 15);
  std::string second = Trimmed(b + 968 + 15 * k, 15);
  std::memcpy(record + 57, b + 818 + 15 * k, 15);
  std::memcpy(record + 72, b + 893 + 15 * k, 15);
  std::memcpy(record + 87, b + 968 + 15 * k, 15);
  std::string display = first + " " + second + ", " + name;
  if (display.size() > 32) {
    const int room = 30 - static_cast<int>(first.size() + name.size());
    second = room > 0 ? second.substr(0, static_cast<std::size_t>(room)) : std::string();
    display = first + " " + second + ", " + name;
  }
  StoreText(record + 9, 48, display);
}

int ORD001::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  CBoxesORD001* list = List();
  if (!d || !list || d->Block().size() < f100::Family.offset + f100::Family.size) return EndEdit(position, 1);
  std::uint8_t* b = d->Block().data();
  const int m = list->Shown();
  const auto slot = static_cast<std::size_t>(m - 1);
  int result = 1;

  const auto mirror = std::find_if(std::begin(kMirrors), std::end(kMirrors),
                                   [&](const MirrorPair& p) { return p.own == position || p.other == position; });
  auto copyMirror = [&](const MirrorPair& p) {
    const bool own = p.own == position;
    const std::size_t edited = own ? p.ownField : p.otherField, other = own ? p.otherField : p.ownField;
    const std::size_t editedYear = own ? p.ownYear : p.otherYear, otherYear = own ? p.otherYear : p.ownYear;
    auto copy = [&](std::size_t to, std::size_t toSlot) {
      std::memmove(b + to + p.width * toSlot, b + edited + p.width * slot, p.width);
    };
    auto copyYear = [&](std::size_t to, std::size_t toSlot) {
      if (editedYear) std::memmove(b + to + kYearWidth * toSlot, b + editedYear + kYearWidth * slot, kYearWidth);
    };
    // The family unit and the declarant are one person; each spouse is the other's "other spouse".
    switch (m) {
      case doc::kFamilyUnit: case doc::kDeclarant:
        copy(edited, m == doc::kFamilyUnit ? 1 : 0);
        copyYear(editedYear, m == doc::kFamilyUnit ? 1 : 0);
        copy(other, 2);
        copyYear(otherYear, 2);
        break;
      case doc::kSpouse:
        for (std::size_t s : {0, 1}) {
          copy(other, s);
          copyYear(otherYear, s);
        }
        break;
      default: break;
    }
  };

  switch (position) {
    case 1: case 26: {
      const std::size_t field = (position == 1 ? 773 : 1563) + 9 * slot;
      const bool noNif = std::memcmp(b + field, kNoNif, 9) == 0 &&
                         ((position == 1 && m == doc::kSpouse) ||
                          (position == 26 && (m == doc::kFamilyUnit || m == doc::kDeclarant)));
      if (!noNif && !Host().RunFieldCheck(kNifCheck, b + field)) return EndEdit(position, 0);
      copyMirror(*mirror);
      RefreshHeader();
      break;
    }
    case 2: case 3: case 4: case 27: case 28: case 29: {
      const std::size_t field = mirror->own == position ? mirror->ownField : mirror->otherField;
      std::uint8_t* text = b + field + 15 * slot;
      StoreText(text, 15, Trimmed(text, 15));
      copyMirror(*mirror);
      RefreshHeader();
      if ((m == doc::kChild1 || m == doc::kChild2) && position <= 4) CopyChildName(m);
      break;
    }
    case 22: case 41: {
      const std::size_t date = (position == 22 ? 1473 : 2268) + 8 * slot;
      std::uint8_t* year = b + (position == 22 ? 1453 : 2248) + kYearWidth * slot;
      // The year of the date (day, month, year) beside it.
      if (YearOf(b + date + 4) != 0) std::memcpy(year, b + date + 4, kYearWidth);
      else std::memset(year, 0, kYearWidth);
      if (position == 41 && !Host().RunFieldCheck(kYearCheck, year)) return EndEdit(position, 0);
      copyMirror(*mirror);
      if (position == 22) result = Host().RunFieldCheck(kYearCheck, year);
      break;
    }
    case 25: case 44: {
      std::uint8_t* phone = b + (position == 25 ? 1518 : 2313) + 9 * slot;
      const std::string typed = Trimmed(phone, 9);
      if (!typed.empty() && typed.find_first_not_of('0') == std::string::npos) {
        if (IMessageService* messages = Host().Messages()) messages->ShowMessage("WIN046", MessageIcon::Stop);
        std::memset(phone, ' ', 9);
        GoToBox(position - 1);
      }
      copyMirror(*mirror);
      break;
    }
    case 167: {
      result = Host().RunFieldCheck(kRepresentativeNifCheck, b + 5037 + 9 * slot);
      if (result && m == doc::kFamilyUnit) std::memcpy(b + 5037 + 9, b + 5037, 9);
      break;
    }
    case 168: case 169: case 170: case 171: case 172: case 173: {
      const Representative& r = kRepresentative[position - 167];
      if (m == doc::kFamilyUnit) std::memcpy(b + r.field + r.width, b + r.field, r.width);
      break;
    }
    case 191:
      result = Host().RunFieldCheck(kDateCheck, b + kDay);
      if (!result) std::memset(b + kDay, 0, 2);
      break;
    case 192:
      result = Host().RunFieldCheck(kDateCheck, b + kDay);
      if (!result) std::memset(b + kMonth, 0, 10);
      break;
    case 193:
      result = Host().RunFieldCheck(kYearTextCheck, b + kYear);
      if (result) result = Host().RunFieldCheck(kDateCheck, b + kDay);
      if (!result) std::memset(b + kYear, 0, 4);
      break;
    default:
      // Own and other spouse's data without rules of their own are mirrored as typed. The other
      // spouse's disability degree is one character: no amount check reads past it.
      if (mirror != std::end(kMirrors)) copyMirror(*mirror);
      break;
  }
  return EndEdit(position, result);
}

int ORD001::OnBoxSubDialogValue(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d) return 0;
  d->Model().WrittenAll();
  std::uint8_t* b = d->Block().size() >= f100::Family.offset + f100::Family.size ? d->Block().data() : nullptr;
  int result = 0;
  switch (position) {
    case kStreetKind: case kSpouseStreetKind:
      if (b)
        if (CBoxField* x = BoxList()->Position(kSpouseStreetKind)) x->SoloLectur = b[kCommonAddress] != 0 ? 1 : 0;
      result = 1;
      break;
    case kAddressMark: case kFirstDeclaration: case kSpouseAddressMark: case kSpouseFirstDeclaration:
      // Each spouse's marks reappear in the other spouse's area of the other views.
      if (b)
        for (const auto& [own, spouse] : {std::pair{kAddressMarks, kSpouseAddressMarks},
                                          std::pair{kFirstDeclarationMarks, kSpouseFirstDeclarationMarks}}) {
          b[spouse] = b[own + 2];
          b[spouse + 1] = b[own + 2];
          b[spouse + 2] = b[own + 1];
        }
      result = 1;
      break;
    case 174: case 175:
      d->Calculate(1);
      break;
    default: break;
  }
  return EndEdit(position, result);
}

int ORD001::OnBoxValueCleared(int /*position*/) {
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  return 1;
}

int ORD001::OnBoxValueChanged(int position) {
  doc::CProg32Doc* d = GetDocument();
  CBoxesORD001* list = List();
  if (d && list && (position == kSingle || position == kMarried) &&
      d->Block().size() >= f100::Family.offset + f100::Family.size) {
    std::uint8_t* b = d->Block().data();
    const auto slot = static_cast<std::size_t>(list->Shown() - 1);
    const std::size_t marked = position == kSingle ? kSingleMarks : kMarriedMarks;
    const std::size_t other = position == kSingle ? kMarriedMarks : kSingleMarks;
    // Single and married exclude each other.
    if (b[marked + slot] == 1) {
      b[other + slot] = 0;
      d->Calculate(1);
      RepaintBoxes();
      RepaintBoxes();
    }
  }
  RecalculateAndRefresh();
  return 0;
}

void RegisterFamilyTableOpeners() {
  auto opener = [](int startPage) {
    return [startPage](CSelStrEdit& edit) {
      for (QWidget* w = edit.parentWidget(); w; w = w->parentWidget())
        if (auto* view = dynamic_cast<CProg32View*>(w)) return view->Host().EditFamilyData(startPage) ? 1 : 2;
      return 2;
    };
  };
  ui::RegisterSelectionOpener("IDD_DESCENDIENTES", opener(kWizardDescendants));
  ui::RegisterSelectionOpener("IDD_ASCENDIENTES", opener(kWizardAscendants));
}

}  // namespace forms

#include "forms/pages/ord020.h"

#include <cstring>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "ui/box_field.h"

namespace forms {

namespace {

namespace fam = f100::family;


// The own data of the person shown and the other spouse's data, then the further per-member
// fields of page 1 that the printed page carries.
constexpr FieldBinding kFields[] = {
    {1, 773, 9},    {2, 893, 15},   {3, 968, 15},   {4, 818, 15},   {5, 1053, 2},
    {6, 1078, 20},  {7, 1178, 5},   {8, 1203, 2},   {9, 1213, 2},   {10, 1223, 2},
    {11, 1233, 25}, {12, 1358, 14}, {13, 1428, 5},  {14, 1043, 1},  {15, 1048, 1},
    {16, 733, 1},   {17, 738, 1},   {18, 753, 1},   {19, 758, 1},   {20, 763, 1},
    {21, 768, 1},   {22, 1473, 8},  {23, 1513, 1},  {24, 1063, 3},  {25, 1518, 9},
    {26, 1563, 9},  {27, 1683, 15}, {28, 1758, 15}, {29, 1608, 15}, {30, 1848, 2},
    {31, 1873, 20}, {32, 1973, 5},  {33, 1998, 2},  {34, 2008, 2},  {35, 2018, 2},
    {36, 2028, 25}, {37, 2153, 14}, {38, 2223, 5},  {39, 1833, 1},  {40, 1838, 1},
    {41, 2268, 8},  {42, 2308, 1},  {43, 1858, 3},  {44, 2313, 9},  {46, 693, 8},
    {47, 2363, 1},  {48, 2368, 1},  {133, 4472, 8}, {134, 4512, 8}, {135, 4552, 8},
    {136, 4592, 8}, {161, 4632, 2}, {162, 4644, 1}, {163, 5027, 1}, {164, 5032, 1},
    {165, 5037, 9}, {166, 5082, 32}, {167, 5242, 26}, {168, 5372, 4}, {169, 5392, 15},
    {170, 5467, 14}, {171, 5537, 5}, {172, 5562, 1}, {173, 5567, 1}, {175, 393, 60},
};

constexpr int kSpouseMark = 45;
constexpr int kCopyLabel = 174;
constexpr int kFirstDescendantBox = 49, kDescendantColumns = 7;
constexpr int kFirstAscendantBox = 137, kAscendantColumns = 6;
constexpr std::size_t kDescendantTable = f100::Family.offset + fam::kDescendants;
constexpr std::size_t kAscendantTable = f100::Family.offset + fam::FurtherPersons.off;
static_assert(kDescendantTable == 2376 && kAscendantTable == 4152);

bool Blank(std::uint8_t c) { return c == 0 || c == ' '; }

// The four-digit year of a descendant's birth; 0 when it is not four digits.
int BirthYear(const std::uint8_t* record) {
  int year = 0;
  for (std::size_t i = 112; i < 116; ++i) {
    if (record[i] < '0' || record[i] > '9') return 0;
    year = year * 10 + (record[i] - '0');
  }
  return year;
}

bool WholeTable(int m, bool severalHolders) { return m == 1 || (m == 2 && !severalHolders); }

}  // namespace

std::span<const FieldBinding> CBoxesORD020::Fields() { return kFields; }

void CBoxesORD020::FilterDescendants(const std::uint8_t* block, int m, bool severalHolders, Descendants& out) {
  out.fill(0);
  const std::uint8_t* table = block + kDescendantTable;
  if (WholeTable(m, severalHolders)) {
    std::memcpy(out.data(), table, out.size());
    return;
  }
  if (m != 2 && m != 3) return;
  std::size_t n = 0;
  for (int j = 0; j < kDescendants; ++j) {
    const std::uint8_t* r = table + kDescendantSize * static_cast<std::size_t>(j);
    const bool considered = (r[132] != '2' && BirthYear(r) <= 1981) || (r[134] == 0 && r[135] == 0);
    const std::uint8_t own = r[127 + static_cast<std::size_t>(m - 1)];
    if (considered && (Blank(own) || own == '1')) std::memcpy(out.data() + kDescendantSize * n++, r, kDescendantSize);
  }
}

void CBoxesORD020::FilterAscendants(const std::uint8_t* block, int m, bool severalHolders, Ascendants& out) {
  out.fill(0);
  const std::uint8_t* table = block + kAscendantTable;
  if (WholeTable(m, severalHolders)) {
    std::memcpy(out.data(), table, out.size());
    return;
  }
  if (m != 2 && m != 3) return;
  std::size_t n = 0;
  for (int j = 0; j < kAscendants; ++j) {
    const std::uint8_t* r = table + kAscendantSize * static_cast<std::size_t>(j);
    if (r[62 + static_cast<std::size_t>(m - 1)] == '1') std::memcpy(out.data() + kAscendantSize * n++, r, kAscendantSize);
  }
}

void CBoxesORD020::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  UnbindAll();
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f100::kBlockSize) return;
  BindTable(kFields, Occurrence());
  const int m = Member();
  // One byte per member, chosen by the member rather than by the occurrence.
  if (m >= 1 && m <= 5) Bind(kSpouseMark, block.data() + 2357 + static_cast<std::size_t>(m));
  Bind(kCopyLabel, Sheet().copyLabel.data());

  FilterDescendants(block.data(), m, doc::HouseholdHasSeveralHolders(), descendants_);
  FilterAscendants(block.data(), m, doc::HouseholdHasSeveralHolders(), ascendants_);
  const std::size_t flag = m >= 1 && m <= 5 ? static_cast<std::size_t>(m - 1) : 0;
  const std::size_t descendantCells[kDescendantColumns] = {0, 9, 108, 117, 125, 127 + flag, 132};
  for (int j = 0; j < kDescendants; ++j)
    for (int c = 0; c < kDescendantColumns; ++c)
      Bind(kFirstDescendantBox + kDescendantColumns * j + c,
           descendants_.data() + kDescendantSize * static_cast<std::size_t>(j) + descendantCells[c]);
  const std::size_t ascendantCells[kAscendantColumns] = {0, 9, 46, 60, 62 + flag, 72};
  for (int j = 0; j < kAscendants; ++j)
    for (int c = 0; c < kAscendantColumns; ++c)
      Bind(kFirstAscendantBox + kAscendantColumns * j + c,
           ascendants_.data() + kAscendantSize * static_cast<std::size_t>(j) + ascendantCells[c]);
}

ORD020::ORD020(IPageHost& host, QWidget* parent)
    : CPage100(host, CBoxesORD020::kCode,
               std::make_unique<CBoxesORD020>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>(),
                                              RentaDocument(host)),
               parent) {}

}  // namespace forms

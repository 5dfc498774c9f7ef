// The row tables of the form-100 pages: where each array lies, its cells, the amounts a spouse's
// view halves in a common record, and the row events each page sends.
#include <algorithm>

#include "blocks/form100.h"
#include "forms/view/row_table.h"

namespace forms {

namespace {

using K = RowEventKind;
using W = RowCondition;

constexpr std::size_t At(const blocks::RecordDef& section, std::size_t offset) { return section.offset + offset; }

// Cells.
constexpr RowCellRange kCellsOrd002[] = {{0, 1, 0}, {1, 1, 8}, {2, 1, 16}};
constexpr RowCellRange kCellsOrd003[] = {{0, 1, 0}, {1, 4, 1, 1}, {5, 1, 9}, {6, 1, 16}, {7, 27, 72}, {34, 1, 24}};
constexpr RowCellRange kCellsOrd006A[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 16}, {3, 1, 24}, {4, 1, 32},
                                          {5, 7, 56}, {12, 7, 128}, {505, 1, 0}};
// Cells 24 and 25 of ORD006B depend on the shown member: its page binds them.
constexpr RowCellRange kCellsOrd006B[] = {{10, 1, 0}, {11, 1, 1}, {12, 1, 10}, {13, 1, 12}, {14, 1, 16},
                                          {15, 1, 24}, {16, 1, 32}, {17, 1, 40}, {18, 1, 48}, {19, 1, 56},
                                          {20, 1, 72}, {21, 1, 80}, {22, 1, 88}, {23, 1, 176}, {505, 1, 0}};
constexpr RowCellRange kCellsOrd006C[] = {{20, 1, 0}, {21, 1, 1}, {22, 1, 21}, {23, 1, 24}};
constexpr RowCellRange kCellsOrd006D[] = {{10, 1, 0}, {11, 1, 1}, {12, 1, 26}, {13, 1, 56}, {502, 1, 96}};
constexpr RowCellRange kCellsOrd006E[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 24}};
constexpr RowCellRange kCellsOrd007A[] = {{0, 1, 0}, {1, 1, 8}};
constexpr RowCellRange kCellsOrd007B[] = {{0, 1, 0}, {1, 1, 1}, {2, 4, 16}, {9, 1, 48}};
constexpr RowCellRange kCellsOrd007C[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 24}, {3, 1, 40}, {4, 1, 32}, {5, 7, 320}};
constexpr RowCellRange kCellsOrd007D[] = {{0, 1, 0},  {1, 1, 1},  {2, 1, 21}, {3, 1, 24},
                                          {4, 1, 32}, {5, 1, 96}, {6, 1, 104}, {7, 9, 128}, {20, 1, 0}};
constexpr RowCellRange kCellsThree[] = {{0, 1, 0}, {1, 1, 8}, {2, 1, 16}};
constexpr RowCellRange kCellsOrd008C[] = {{0, 1, 0}, {1, 3, 8}};
constexpr RowCellRange kCellsOrd008D[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 21}, {3, 1, 22}, {4, 1, 30},
                                          {5, 1, 40}, {6, 1, 112}, {7, 11, 672}, {22, 1, 0}};
constexpr RowCellRange kCellsOrd010A[] = {{0, 1, 0}, {1, 1, 8},  {2, 1, 48},  {3, 1, 16}, {4, 1, 56},
                                          {5, 1, 40}, {6, 1, 80}, {10, 1, 24}, {11, 1, 64}};
constexpr RowCellRange kCellsOrd010B[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 64}, {3, 1, 72}, {7, 1, 16}};
constexpr RowCellRange kCellsOrd010C[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 16}};

// Halved amounts.
constexpr RowAmountRange kHalfOrd002[] = {{8}};
constexpr RowAmountRange kHalfOrd003[] = {{16}, {72, 27}};
constexpr RowAmountRange kHalfOrd006A[] = {{24}, {56, 6}, {128, 7}};
constexpr RowAmountRange kHalfOrd006B[] = {{16, 5}, {72, 2}, {176}};
constexpr RowAmountRange kHalfAt24[] = {{24}};
constexpr RowAmountRange kHalfOrd007B[] = {{16, 4}};
constexpr RowAmountRange kHalfOrd007C[] = {{24, 2}, {320, 7}};
constexpr RowAmountRange kHalfOrd007D[] = {{24}, {96}, {128, 9}};
constexpr RowAmountRange kHalf8And16[] = {{8, 2}};
constexpr RowAmountRange kHalfOrd008D[] = {{40}, {112}, {672, 3}, {704, 7}};
constexpr RowAmountRange kHalfOrd010A[] = {{8, 2}, {40, 3}, {80}};
constexpr RowAmountRange kHalfOrd010B[] = {{64, 2}};
constexpr RowAmountRange kHalfAt16[] = {{16}};

// Row events: commit, reload, delete (when), clear (when).
constexpr RowEventDef kEvOrd002[] = {{3, K::kCommit}, {4, K::kDelete}};
constexpr RowEventDef kEvOrd003[] = {
    {500, K::kDelete, W::kHolderZero}, {500, K::kClear, W::kHolderSet, false}, {501, K::kCommit}, {502, K::kReload}};
constexpr RowEventDef kEvOrd006A[] = {
    {19, K::kCommit}, {502, K::kReload}, {20, K::kDelete, W::kHolderBlank}, {21, K::kClear, W::kHolderBlank}};
constexpr RowEventDef kEvOrd006B[] = {{28, K::kCommit},
                                      {502, K::kReload},
                                      {27, K::kDelete, W::kHolderBlankOrTextEmpty},
                                      {26, K::kClear, W::kTextEmpty}};
constexpr RowEventDef kEvOrd006C[] = {{24, K::kCommit}, {502, K::kReload}, {25, K::kDelete, W::kHolderZero}};
constexpr RowEventDef kEvOrd006D[] = {{15, K::kCommit}, {502, K::kReload}, {14, K::kDelete, W::kHolderZero}};
constexpr RowEventDef kEvOrd006E[] = {{3, K::kCommit}, {502, K::kReload}, {4, K::kDelete, W::kHolderZero}};
constexpr RowEventDef kEvOrd007A[] = {
    {2, K::kCommit}, {0, K::kReload}, {3, K::kClear, W::kHolderZero}, {3, K::kClear, W::kHolderSet, false}};
constexpr RowEventDef kEvOrd007B[] = {{6, K::kCommit}, {10, K::kReload}, {7, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd007C[] = {{12, K::kCommit}, {15, K::kReload}, {13, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd007D[] = {{16, K::kCommit}, {19, K::kReload}, {17, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEv3_6_4[] = {{3, K::kCommit}, {6, K::kReload}, {4, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd008C[] = {{4, K::kCommit}, {7, K::kReload}, {5, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd008D[] = {{18, K::kCommit}, {21, K::kReload}, {19, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd010A[] = {{7, K::kCommit}, {12, K::kReload}, {8, K::kDelete, W::kHolderBlank}};
constexpr RowEventDef kEvOrd010B[] = {{4, K::kCommit}, {8, K::kReload}, {5, K::kDelete, W::kHolderBlank}};

using namespace f100;

// name, table id, area, record bytes, capacity, visible rows, cells, halved, round, common rows,
// trimmed text, key text, events.
constexpr RowTableModel kModels[] = {
    {"ORD002", 999, At(SectionC, 1560), 40, 3, 3, kCellsOrd002, kHalfOrd002, false, true, 0, 0, kEvOrd002},
    {"ORD003", 995, At(SectionE1, 0), 288, 6, 3, kCellsOrd003, kHalfOrd003, false, true, 0, 0, kEvOrd003},
    {"ORD006A", 167, At(SectionF1, 0), 184, 6, 3, kCellsOrd006A, kHalfOrd006A, false, true, 0, 0, kEvOrd006A},
    {"ORD006B", 168, At(SectionF2, 0), 216, 6, 3, kCellsOrd006B, kHalfOrd006B, false, true, 0, 10, kEvOrd006B},
    {"ORD006C", 169, At(SectionF3, 0), 32, 6, 3, kCellsOrd006C, kHalfAt24, false, true, 20, 0, kEvOrd006C},
    {"ORD006D", 170, At(SectionF4, 0), 120, 1, 1, kCellsOrd006D, {}, false, true, 0, 0, kEvOrd006D},
    {"ORD006E", 171, At(SectionF5, 0), 32, 6, 3, kCellsOrd006E, kHalfAt24, true, true, 24, 0, kEvOrd006E},
    {"ORD007A", 996, At(SectionG1, 0), 16, 2, 2, kCellsOrd007A, {}, false, true, 0, 0, kEvOrd007A},
    {"ORD007B", 997, At(SectionG1, 32), 88, 15, 3, kCellsOrd007B, kHalfOrd007B, false, true, 0, 0, kEvOrd007B},
    {"ORD007C", 998, At(SectionG2, 0), 376, 15, 3, kCellsOrd007C, kHalfOrd007C, false, true, 20, 0, kEvOrd007C},
    {"ORD007D", 999, At(SectionG3, 0), 200, 15, 3, kCellsOrd007D, kHalfOrd007D, false, true, 20, 0, kEvOrd007D},
    {"ORD008A", 984, At(SectionG4, 0), 24, 15, 3, kCellsThree, kHalf8And16, false, true, 0, 0, kEv3_6_4},
    {"ORD008B", 985, At(SectionG4, 400), 24, 15, 3, kCellsThree, kHalf8And16, false, true, 0, 0, kEv3_6_4},
    {"ORD008C", 986, At(SectionG4, 800), 32, 15, 3, kCellsOrd008C, kHalf8And16, false, true, 0, 0, kEvOrd008C},
    {"ORD008D", 987, At(SectionG4, 1320), 760, 15, 3, kCellsOrd008D, kHalfOrd008D, false, true, 20, 0, kEvOrd008D},
    {"ORD008E", 988, At(SectionG4, 12840), 24, 15, 3, kCellsThree, kHalf8And16, false, true, 0, 0, kEv3_6_4},
    {"ORD008F", 989, At(SectionG4, 13240), 24, 15, 3, kCellsThree, kHalf8And16, false, true, 0, 0, kEv3_6_4},
    {"ORD010A", 996, At(SectionJ, 440), 88, 2, 2, kCellsOrd010A, kHalfOrd010A, false, true, 0, 0, kEvOrd010A},
    {"ORD010B", 997, At(SectionJ, 720), 80, 4, 2, kCellsOrd010B, kHalfOrd010B, false, true, 0, 0, kEvOrd010B},
    {"ORD010C", 998, At(SectionJ, 1080), 24, 3, 3, kCellsOrd010C, kHalfAt16, false, true, 0, 0, kEv3_6_4},
    {"ORD010D", 999, At(SectionK, 784), 24, 2, 2, kCellsThree, kHalf8And16, false, true, 0, 0, kEv3_6_4},
};

}  // namespace

std::span<const RowTableModel> RowTableModels() { return kModels; }

const RowTableModel* FindRowTableModel(std::string_view name) {
  auto it = std::find_if(std::begin(kModels), std::end(kModels), [&](const RowTableModel& m) { return m.name == name; });
  return it == std::end(kModels) ? nullptr : &*it;
}

}  // namespace forms

// Form 714, sections K to N: list totals and their copy into the summary.
#include <gtest/gtest.h>

#include <cstring>

#include "blocks/form714_k_n.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

using Export = void (*)(void*, int, void*);
struct ListCase {
  const f714::ValueList* list;
  Export run;
};
const ListCase kLists[] = {{&f714::sec_k::kList, Calculos714K},
                           {&f714::sec_l::kList, Calculos714L},
                           {&f714::sec_m::kList, Calculos714M},
                           {&f714::sec_n::kList, Calculos714N}};

TEST(Form714KN, TotalOfTheRowsThenCopyIntoTheSummary) {
  for (const ListCase& c : kLists) {
    Block714 blk;
    unsigned char* rec = blk[*c.list->record];
    unsigned char* sum = blk[f714::Summary];
    const std::size_t rows = static_cast<std::size_t>(c.list->rows);
    for (std::size_t i = 0; i < rows; ++i) c.list->value(i, c.list->rowSize).set(rec, 1.0 + static_cast<double>(i));
    c.list->value(rows, c.list->rowSize).set(rec, 1000.0);  // the spare row is not a row of the list
    const double want = static_cast<double>(rows * (rows + 1) / 2);

    c.run(rec, -1, sum);
    EXPECT_DOUBLE_EQ(c.list->total.get(rec), want) << c.list->record->name;
    EXPECT_DOUBLE_EQ(c.list->summarySlot.get(sum), 0.0) << "computing leaves the summary alone";
    c.list->total.set(rec, 0.0);
    c.run(rec, 1, sum);
    EXPECT_DOUBLE_EQ(c.list->total.get(rec), want) << "modes 1 and -1 compute alike";

    const std::vector<unsigned char> beforeCopy = blk.bytes;
    c.run(rec, 0, sum);
    EXPECT_DOUBLE_EQ(c.list->summarySlot.get(sum), want);
    for (std::size_t i = 0; i < f714::kBlockSize; ++i)
      if (i < f714::Summary.offset + c.list->summarySlot.off || i >= f714::Summary.offset + c.list->summarySlot.off + 8) {
        ASSERT_EQ(blk.bytes[i], beforeCopy[i]) << "copying changes only the summary slot";
      }
    ExpectIdempotent(blk, [&] {
      c.run(rec, -1, sum);
      c.run(rec, 0, sum);
    });
  }
}

TEST(Form714KN, CopyingBeforeComputingCarriesTheSavedTotalByteForByte) {
  Block714 blk;
  unsigned char* rec = blk[f714::SectionL];
  unsigned char* sum = blk[f714::Summary];
  const unsigned char saved[8] = {1, 2, 3, 4, 5, 6, 0xF8, 0x7F};  // a NaN with a payload
  std::memcpy(rec + f714::sec_l::kList.total.off, saved, 8);
  Calculos714L(rec, 0, sum);
  EXPECT_EQ(std::memcmp(sum + f714::summary::L.off, saved, 8), 0);
}

TEST(Form714KN, UnroundedSumOfDoubles) {
  Block714 blk;
  unsigned char* rec = blk[f714::SectionN];
  const auto& list = f714::sec_n::kList;
  list.value(0, list.rowSize).set(rec, 0.10);
  list.value(1, list.rowSize).set(rec, 0.20);
  list.value(2, list.rowSize).set(rec, 0.30);
  Calculos714N(rec, -1, blk[f714::Summary]);
  EXPECT_EQ(list.total.get(rec), 0.6000000000000001);
}

}  // namespace

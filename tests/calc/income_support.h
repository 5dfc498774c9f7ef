// Small helpers of the income-section tests: expected holder vectors and whole-block snapshots.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "blocks/field.h"

using Want5 = std::array<double, 5>;

// Every column of a stored holder vector equals the expected one.
inline void ExpectVec(const void* rec, blocks::Vec5 v, const Want5& want, const char* what = "") {
  const auto got = v.load(rec);
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(got[static_cast<std::size_t>(k)], want[static_cast<std::size_t>(k)]) << what << " column " << k;
}

// Running a calculation once more leaves the whole block as the first run left it.
template <class Block, class Run>
void ExpectIdempotent(Block& b, Run run) {
  run();
  const std::vector<unsigned char> first = b.bytes;
  run();
  EXPECT_EQ(b.bytes, first) << "a second calculation changed the block";
}

// Late-payment interest over the legal periods: the worked cases and the period boundaries.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "annex/interest_breakdown.h"

namespace {

namespace in = annex::interest;

struct Record {
  std::array<std::uint8_t, in::kRecordSize> bytes{};
  explicit Record(const char* calculation) {
    if (calculation) std::memcpy(bytes.data(), calculation, 8);
  }
  std::uint8_t* Case(int r) { return bytes.data() + in::CaseAt(r); }
  void Set(int r, const char* year, double amount, char kind, const char* start = nullptr) {
    std::memcpy(Case(r) + in::Year.off, year, 4);
    in::Amount.set(Case(r), amount);
    Case(r)[in::Kind.off] = static_cast<std::uint8_t>(kind);
    if (start) std::memcpy(Case(r) + in::StartDate.off, start, 8);
  }
  double Days(int r) { return in::Days.get(Case(r)); }
  double Interest(int r) { return in::Interest.get(Case(r)); }
  std::string Start(int r) { return std::string(in::StartDate.raw(Case(r))); }
};

TEST(LateInterest, WorkedCases) {
  Record rec("30062004");
  rec.Set(0, "2002", 1000, 'I');
  rec.Set(1, "1990", 1000, 'I');
  rec.Set(2, "2003", 1000, 'D', "10052004");
  rec.Set(3, "2001", 1000, 'D', "31122002");  // the last day of a period counts 0 days in it
  in::RecalculateAll(rec.bytes.data());
  EXPECT_EQ(rec.Start(0), "30062003");
  EXPECT_EQ(rec.Days(0), 366.0);
  EXPECT_DOUBLE_EQ(rec.Interest(0), 27.73 + 23.62);
  EXPECT_EQ(rec.Start(1), "20061991");
  EXPECT_EQ(rec.Days(1), 4759.0);
  EXPECT_EQ(rec.Days(2), 51.0);
  EXPECT_DOUBLE_EQ(rec.Interest(2), 6.62);  // 51 x 1000 x 0.0475 / 366
  EXPECT_EQ(rec.Days(3), 365.0 + 182.0);
  EXPECT_DOUBLE_EQ(in::Total.get(rec.bytes.data()), rec.Interest(0) + rec.Interest(1) + rec.Interest(2) + rec.Interest(3));
}

TEST(LateInterest, WhatCountsNothing) {
  Record none(nullptr);
  none.Set(0, "2002", 1000, 'I');
  in::RecalculateAll(none.bytes.data());
  EXPECT_EQ(none.Days(0), 0.0) << "no calculation date";
  EXPECT_EQ(in::Total.get(none.bytes.data()), 0.0);
  Record rec("30062004");
  rec.Set(0, "2002", 0, 'I');
  rec.Set(1, "2002", 1000, 'D');                  // a refund without start date
  rec.Set(2, "2002", 1000, ' ');                  // no kind
  rec.Set(3, "2002", 1000, 'D', "31022004");       // no such day
  in::RecalculateAll(rec.bytes.data());
  for (int r = 0; r < 4; ++r) EXPECT_EQ(rec.Interest(r), 0.0) << r;
}

TEST(LateInterest, ARefundStartsNoEarlierThanItsYearAllowsNorAfterTheCalculation) {
  struct Case {
    const char* year;
    const char* start;
    const char* calculation;
    bool accepted;
  };
  for (const Case& c : {Case{"2002", "02032003", "30062004", true}, Case{"2002", "01032003", "30062004", false},
                        Case{"2002", "30062004", "30062004", true}, Case{"2002", "01072004", "30062004", false},
                        Case{"2002", "01072004", nullptr, true}, Case{"2003", "01072003", "30062004", false}}) {
    Record rec(c.calculation);
    rec.Set(0, c.year, 100, 'D', c.start);
    EXPECT_EQ(in::StartDateAccepted(rec.bytes.data(), 0), c.accepted) << c.year << " " << c.start;
  }
}

}  // namespace

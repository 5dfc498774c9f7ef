// Section E5: agricultural, livestock and forestry activities in objective estimation.
#include <gtest/gtest.h>

#include <string>

#include "blocks/form100_e5.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace e5 = f100::sec_e5;
namespace product = e5::product;

struct Form100E5 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionE5];
  int row = 0;
  double get(blocks::F64 f) { return f(static_cast<std::size_t>(row), e5::kRowSize).get(rec); }
  void set(blocks::F64 f, double v) { f(static_cast<std::size_t>(row), e5::kRowSize).set(rec, v); }
  void setByte(blocks::U8 f, int v) { f(static_cast<std::size_t>(row), e5::kRowSize).set(rec, static_cast<unsigned char>(v)); }
  void activity(int r, int code, char type) {
    row = r;
    setByte(e5::Holder, code);
    setByte(e5::Type, type);
  }
  void prod(int g, int p, double income, double index, double net) {
    e5::productField(row, g, p, product::Income).set(rec, income);
    e5::productField(row, g, p, product::Index).set(rec, index);
    e5::productField(row, g, p, product::Net).set(rec, net);
  }
  void group(int g, std::size_t at, double v) { e5::groupField(row, g, at).set(rec, v); }
  std::string text(int g) { return std::string(e5::groupIndexText(row, g).raw(rec)); }
  void run() { Calculos100E5(rec); }
};

TEST_F(Form100E5, GroupIndexTexts) {
  activity(0, 2, '3');
  prod(1, 1, 100, 0.56, 10);
  prod(1, 3, 200, 0.56, 20);
  prod(3, 4, 300, 0.37, 30);  // rented-land products come first in the comparison
  prod(3, 1, 50, 0.37, 5);
  prod(2, 2, 10, 0.26, 1);
  prod(2, 3, 10, 0.32, 1);
  run();
  EXPECT_EQ(text(1).substr(0, 5), std::string("0,56\0", 5));
  EXPECT_EQ(text(3).substr(0, 5), std::string("0,37\0", 5));
  EXPECT_EQ(text(2).substr(0, 6), "VARIOS");
  EXPECT_EQ(text(4), std::string(8, '\0'));
  EXPECT_DOUBLE_EQ(e5::groupField(0, 1, e5::kIncomeTotal).get(rec), 300);
  EXPECT_DOUBLE_EQ(e5::groupField(0, 1, e5::S6.netTotal).get(rec), 30);
  EXPECT_DOUBLE_EQ(e5::groupField(0, 3, e5::S6B.netTotal).get(rec), 35);
  EXPECT_DOUBLE_EQ(get(e5::TotalIncome), 670);
  EXPECT_DOUBLE_EQ(get(e5::ProductsNet), 67);

  prod(1, 3, 200, 0.37, 20);
  run();
  EXPECT_EQ(text(1).substr(0, 6), "VARIOS");
}

// Type "1": own land (P), rented land (Q), group-1 products 1-2 (R) and 3-6 (S).
struct Form100E5Type1 : Form100E5 {
  void SetUp() override {
    activity(0, 2, '1');
    prod(3, 1, 20000.00, 0, 0);
    group(3, e5::S6B.ownLandTotal, 10000.00);
    group(3, e5::S6B.rentedLandTotal, 5000.00);
    prod(1, 1, 0, 0, 2000.00);
    prod(1, 3, 0, 0, 1000.00);
    set(e5::StaffCost, 3000.00);  // ratio 0.15
  }
};

TEST_F(Form100E5Type1, StaffCostRentedLandAndSmallYield) {
  run();
  EXPECT_DOUBLE_EQ(get(e5::PreviousNet), 3000.00);
  EXPECT_DOUBLE_EQ(get(e5::MeansIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e5::StaffCostIndex), 0.90);
  EXPECT_DOUBLE_EQ(get(e5::RentedLandIndex), 0.90);
  // P 9000, Q 4500 then 4050, R 1800, S 900; then the small-yield index of a holder under 9447.91
  EXPECT_DOUBLE_EQ(get(e5::SmallYieldIndex), 0.90);
  EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), 14175.00);
  ExpectVec(rec, e5::TotalIncomes, {20000, 20000, 0, 0, 0});
  ExpectVec(rec, e5::NetYields, {14175, 14175, 0, 0, 0});
  ExpectIdempotent(blk, [&] { run(); });
}

TEST_F(Form100E5Type1, OthersMeansLeaveOwnAndRentedLandOutOfTheStaffIndex) {
  setByte(e5::OthersMeans, 1);
  setByte(e5::FirstInstallation, 1);
  run();
  EXPECT_DOUBLE_EQ(get(e5::MeansIndex), 0.75);
  EXPECT_DOUBLE_EQ(get(e5::StaffCostIndex), 0.90);
  // P 7500, Q 3750 then 3375, R 1800, S 900; no small-yield index with a first installation
  EXPECT_DOUBLE_EQ(get(e5::SmallYieldIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), 13575.00);
  EXPECT_DOUBLE_EQ(get(e5::InstallationReduction), 3393.75);
  EXPECT_DOUBLE_EQ(get(e5::ActivityNet), 13575.00 - 3393.75);
}

TEST_F(Form100E5Type1, FeedAndOrganicFarming) {
  set(e5::StaffCost, 0.0);
  setByte(e5::BoughtFeed, 1);
  setByte(e5::Organic, 1);
  e5::FeedIndexText(0, e5::kRowSize).set(rec, "XXXXXXXXX");
  run();
  EXPECT_EQ(e5::FeedIndexText(0, e5::kRowSize).raw(rec), "0,75/0,95");
  EXPECT_DOUBLE_EQ(get(e5::OrganicIndex), 0.95);
  // P 10000 x .95, Q 5000 x .9 x .95, R 2000 x .75 x .95, S 1000 x .95 x .95, then small yield
  const double net = 4275.00 + 9500.00 + 1425.00 + 0 + 902.50;
  EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), 14492.25);
  EXPECT_DOUBLE_EQ(net * 0.9, 14492.25);

  prod(1, 1, 0, 0, 0);  // S alone
  run();
  EXPECT_EQ(e5::FeedIndexText(0, e5::kRowSize).raw(rec), std::string("0,95\0\0\0\0\0", 9));
}

// Type "3" with one amount in category T (group 2's total yield).
struct Form100E5TypeT : Form100E5 {
  void SetUp() override {
    activity(0, 3, '3');
    prod(2, 1, 20000.00, 0, 0);
    group(2, e5::S3.yieldTotal, 1000.00);
  }
};

TEST_F(Form100E5TypeT, StaffCostRatioBoundaries) {
  struct Case { double cost; double index; };
  for (const Case c : {Case{2000, 0.0}, Case{2001, 0.90}, Case{4000, 0.90}, Case{4001, 0.85}, Case{6001, 0.80},
                       Case{8001, 0.75}}) {
    set(e5::StaffCost, c.cost);
    run();
    EXPECT_DOUBLE_EQ(get(e5::StaffCostIndex), c.index) << c.cost;
    EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), c.index == 0 ? 1000.00 : 1000.00 * c.index) << c.cost;
  }
  set(e5::StaffCost, 5000.00);
  group(2, e5::S3.yieldTotal, 0.0);
  prod(2, 1, 0, 0, 0);
  run();
  EXPECT_DOUBLE_EQ(get(e5::StaffCostIndex), 0.0) << "no income: ratio 0";
}

TEST_F(Form100E5TypeT, FirstInstallationReduction) {
  group(2, e5::S3.yieldTotal, 4000.00);
  setByte(e5::FirstInstallation, 1);
  set(e5::FirstReduction, 100.00);
  set(e5::SecondReduction, 50.00);
  run();
  EXPECT_DOUBLE_EQ(get(e5::InstallationReduction), 1000.00);
  EXPECT_DOUBLE_EQ(get(e5::ReducedNet), 2900.00);
  EXPECT_DOUBLE_EQ(get(e5::ActivityNet), 2850.00);
  ExpectVec(rec, e5::NetYields, {2850, 0, 2850, 0, 0});
}

TEST_F(Form100E5, SmallYieldIndexByTheHoldersPreviousNets) {
  for (int r = 0; r < 2; ++r) {
    activity(r, 2, '3');
    prod(2, 1, 1000.00, 0, 4500.00);
    group(2, e5::S3.yieldTotal, 4500.00);
  }
  run();
  row = 1;
  EXPECT_DOUBLE_EQ(get(e5::SmallYieldIndex), 0.90);
  EXPECT_DOUBLE_EQ(get(e5::ActivityNet), 4050.00);

  activity(2, 2, '3');  // a third activity takes the declarant over the limit
  prod(2, 1, 1000.00, 0, 447.92);
  run();
  EXPECT_DOUBLE_EQ(get(e5::SmallYieldIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e5::ActivityNet), 0.0);
}

TEST_F(Form100E5, ForestryRows) {
  activity(0, 4, '2');
  prod(2, 1, 3000.00, 0, 3000.00);
  group(2, e5::S3.yieldTotal, 3000.00);
  group(13, e5::S3.yieldTotal, 500.00);
  set(e5::Deductions1Total, 200.00);  // taken as it stands for this type
  run();
  EXPECT_DOUBLE_EQ(get(e5::PreviousNet), 2800.00);
  EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), 2800.00);
  EXPECT_DOUBLE_EQ(get(e5::ForestryIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e5::SmallYieldIndex), 0.0);

  setByte(e5::LongForestry, 1);
  run();
  EXPECT_DOUBLE_EQ(get(e5::ForestryIndex), 0.80);
  EXPECT_DOUBLE_EQ(get(e5::NetAfterIndices), 0.8 * 3000.00 + 500.00);
  ExpectVec(rec, e5::NetYields, {2900, 0, 0, 2900, 0});
  ExpectVec(rec, e5::TotalIncomes, {3000, 0, 0, 3000, 0});
}

TEST_F(Form100E5, HolderCodesWithoutAColumnOfTheirOwn) {
  activity(0, 1, '9');
  group(2, e5::S3.yieldTotal, 100.01);
  prod(2, 1, 100.01, 0, 0);
  activity(1, 200, '9');
  group(2, e5::S3.yieldTotal, 50.00);
  prod(2, 1, 50.00, 0, 0);
  run();
  ExpectVec(rec, e5::TotalIncomes, {150.01, 50.01, 50.01, 0, 0});
  ExpectVec(rec, e5::NetYields, {150.01, 50.01, 50.01, 0, 0});
}

}  // namespace

// Calculos100P: the member loop, the reconciliation of columns and blocks, the totals.
#include <vector>

#include "form100_p_fixture.h"

namespace regional_test {
namespace {

using FrameTest = RegionalTest;

TEST_F(FrameTest, NoMemberInAnyCommunityErasesEveryBlockAndTheNifSlots) {
  std::memset(P(), 0x5A, sp::kRecordSize);  // results, input areas and slots all hold old data
  f100::summary::RegionalDeductionsTotal.store(rec(f100::Summary), {1, 2, 3, 4, 5});
  run();
  for (std::size_t i = 0; i < sp::kUnusedTail; ++i) ASSERT_EQ(P()[i], 0) << "byte +" << i;
  for (std::size_t i = sp::kUnusedTail; i < sp::kRecordSize; ++i) EXPECT_EQ(P()[i], 0x5A) << "unused +" << i;
  for (int k = 0; k < 5; ++k) EXPECT_EQ(total(k), 0.0);
}

TEST_F(FrameTest, EachCommunityKeepsOnlyTheColumnsOfItsMembers) {
  live("03", {1});
  live("01", {2});
  marriedCouple();
  ages(30, 30);
  disability(1, '3');
  disability(2, '3');
  // Community 3's severe-disability deduction and community 1's rent are computed for every column.
  row(sp::c03::SevereDisabilityRows, 0, 1, 2000.0);
  row(sp::c01::RentRows, 0, 1, 2000.0);
  run();
  EXPECT_VEC(*this, sp::c03::SevereDisability, 0.0, 30.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c01::Rent, 0.0, 0.0, 100.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c03::Total, 0.0, 30.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c01::Total, 0.0, 0.0, 100.0, 0.0, 0.0);
  const double expected[5] = {0, 30, 100, 0, 0};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(total(k), expected[k]) << k;

  // With the family unit in community 1 its joint column survives there.
  live("01", {0});
  run();
  EXPECT_DOUBLE_EQ(at(sp::c01::Rent, 0), 150.0);
  EXPECT_DOUBLE_EQ(at(sp::c03::SevereDisability, 0), 0.0);
}

TEST_F(FrameTest, InputAreasOfCommunitiesWithoutMembersAreErasedOthersKept) {
  live("06", {1});
  row(sp::c05::Rows1, 0, 2, 1000.0);   // community 5: nobody lives there
  row(sp::c17::YoungRows, 0, 2, 500.0);  // community 17: nobody either
  set(sp::c06::AidHolder, 2);
  set(sp::c06::AidAmount, 1000.0);
  run();
  for (std::size_t i = sp::c05::Block.off; i < sp::c05::Block.off + sp::c05::Block.size; ++i) ASSERT_EQ(P()[i], 0);
  for (std::size_t i = sp::c17::Block.off; i < sp::c17::Block.off + sp::c17::Block.size; ++i) ASSERT_EQ(P()[i], 0);
  EXPECT_EQ(sp::c06::AidHolder.get(P()), 2);
  EXPECT_DOUBLE_EQ(sp::c06::AidAmount.get(P()), 1000.0);
  EXPECT_VEC(*this, sp::c06::MothersAid, 0.0, 150.0, 0.0, 0.0, 0.0);
}

TEST_F(FrameTest, CommunityCodesAreReadFromTheirTwoCharacters) {
  struct Case {
    const char* code;
    bool community6;
  };
  const Case cases[] = {{"06", true}, {" 6", true}, {"6 ", true}, {"6x", true}, {"14", false},
                        {"15", false}, {"  ", false}, {"99", false}, {"x6", false}};
  for (const Case& c : cases) {
    Regional t;
    t.live(c.code, {1});
    t.set(sp::c06::AidHolder, 2);
    t.set(sp::c06::AidAmount, 1000.0);
    t.run();
    EXPECT_DOUBLE_EQ(t.at(sp::c06::MothersAid, 1), c.community6 ? 150.0 : 0.0) << "'" << c.code << "'";
    EXPECT_DOUBLE_EQ(t.total(1), c.community6 ? 150.0 : 0.0) << "'" << c.code << "'";
  }
}

TEST_F(FrameTest, TotalsAddTheCommunityTotalsColumnByColumn) {
  // Family unit and declarant in 6, spouse in 2, child 1 in 17.
  live("06", {0, 1});
  live("02", {2});
  live("17", {3});
  set(sp::c06::AidHolder, 1);
  set(sp::c06::AidAmount, 1000.0);  // 150: 75 to each spouse
  set(sp::c02::CommonCount, 1.0);   // 300 to each spouse
  row(sp::c17::TwentyPercentRows, 0, 4, 100.005);  // child 1: rnd(20.001)
  row(sp::c17::TwentyPercentRows, 1, 4, 0.03);     // child 1: rnd(0.006)
  run();
  EXPECT_VEC(*this, sp::c06::MothersAid, 150.0, 75.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c02::Births, 0.0, 0.0, 300.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::TwentyPercent, 0.0, 0.0, 0.0, 20.01, 0.0);
  EXPECT_VEC(*this, sp::c17::Total, 0.0, 0.0, 0.0, 20.01, 0.0);
  const double expected[5] = {150.0, 75.0, 300.0, 20.01, 0.0};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(total(k), expected[k]) << k;
}

TEST_F(FrameTest, NifSlotsAreClearedAtEachMembersTurnAndRefilled) {
  live("01", {0, 1, 2});
  marriedCouple();
  ages(30, 30);
  sp::CounterpartyNif(3).set(P(), "OLD000003");  // child 1 lives nowhere: cleared
  sp::SecondCounterpartyNif(1).set(P(), "OLD000001");
  row(sp::c01::RentRows, 0, 2, 2000.0, "11111111H");
  row(sp::c01::RentRows, 1, 1, 2000.0, "33333333P");
  run();
  EXPECT_EQ(nif(3), none());
  EXPECT_EQ(secondNif(1), none());
  EXPECT_EQ(nif(1), "11111111H");  // the declarant's own landlord
  EXPECT_EQ(nif(2), "33333333P");  // the spouse has none: the common one
  EXPECT_EQ(nif(0), "33333333P");  // the joint column: the common one first
}

// A declaration with members in several communities, settled after one calculation.
void fillMixedDeclaration(Regional& t) {
  t.live("01", {0, 1});
  t.live("04", {2});
  t.live("09", {3});
  t.live("17", {4});
  t.marriedCouple();
  t.ages(30, 33);
  t.age(3, 10);
  t.age(4, 20);
  t.row(sp::c01::InvestmentRows, 0, 1, 12000.0);
  t.row(sp::c01::RentRows, 0, 1, 3000.0, "22222222J");
  t.set(sp::c01::AidCommonFirst, 1.0);
  t.row(sp::c04::TextbookRows, 0, 3, 80.0);
  t.row(sp::c04::YoungRentRows, 0, 3, 1500.0, "44444444A");
  t.row(sp::c09::QuotaShareRows, 0, 4, 100.0);
  t.row(sp::c17::TwentyPercentRows, 0, 5, 333.33);
  t.row(sp::c17::BaseLimitedRows, 0, 5, 70.0);
  t.vec(f100::Summary, in::summary::RegionalGrossQuota, {3000.0, 1500.0, 1500.0, 500.0, 500.0});
  t.vec(f100::SectionI, in::sec_i::GeneralBase, {20000.0, 10000.0, 8000.0, 0.0, 0.0});
}

TEST_F(FrameTest, CalculatingTwiceGivesTheSameRecord) {
  fillMixedDeclaration(*this);
  run();
  const std::vector<unsigned char> first(b.bytes);
  run();
  EXPECT_TRUE(first == b.bytes);
  // Something was actually computed in every community that has members.
  EXPECT_GT(at(sp::c01::Total, 0), 0.0);
  EXPECT_GT(at(sp::c04::Total, 2), 0.0);
  EXPECT_GT(at(sp::c09::Total, 3), 0.0);
  EXPECT_GT(at(sp::c17::Total, 4), 0.0);
}

}  // namespace
}  // namespace regional_test

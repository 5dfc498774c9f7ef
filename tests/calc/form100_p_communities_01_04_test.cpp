// Regional deductions of communities 1 to 4.
#include "form100_p_fixture.h"

namespace regional_test {
namespace {

// ---- community 1 ------------------------------------------------------------------------------------

struct Community1 : RegionalTest {
  void SetUp() override {
    live("01", {0, 1, 2, 3, 4});
    marriedCouple();
    ages(30, 30);
  }
};

TEST_F(Community1, FamilyAidSharesCommonChildrenAndDividesOwnOnes) {
  set(sp::c01::AidCommonFirst, 2.0);
  set(sp::c01::AidDeclarantSecond, 3.0);
  set(sp::c01::AidSharersDeclarantSecond, 2.0);  // 1.5 children for the declarant
  set(sp::c01::AidSpouseFirst, 1.0);             // no sharers: counts 0
  run();
  EXPECT_VEC(*this, sp::c01::FamilyAid, 175.0, 125.0, 50.0, 0.0, 0.0);
}

TEST_F(Community1, ProtectedHousingAidIsOnceForTheJointColumn) {
  set(sp::c01::AidMarkCommon, 1);
  set(sp::c01::AidMarkDeclarant, 1);
  set(sp::c01::AidMarkSpouse, 1);
  run();
  EXPECT_VEC(*this, sp::c01::ProtectedHousingAid, 30.0, 30.0, 30.0, 0.0, 0.0);
}

TEST_F(Community1, HousingInvestmentCapsAndBaseLimits) {
  row(sp::c01::InvestmentRows, 0, 2, 12000.0);
  row(sp::c01::InvestmentRows, 1, 3, 5000.0);
  // The individual base is rounded before the test; the joint base is not.
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {22000.004, 18000.004, 18000.01, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c01::HousingInvestment, 0.0, 180.30, 0.0, 0.0, 0.0);

  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {22000.0, 1000.0, 1000.0, 0, 0});
  ages(40, 40);
  run();
  EXPECT_VEC(*this, sp::c01::HousingInvestment, 0.0, 0.0, 0.0, 0.0, 0.0);
  set(sp::c01::ProtectedDwelling, 1);  // the age condition then does not apply
  run();
  EXPECT_VEC(*this, sp::c01::HousingInvestment, 180.30, 180.30, 100.0, 0.0, 0.0);
}

TEST_F(Community1, RentPerContractCeilingAndCommonHalving) {
  for (int i = 0; i < 3; ++i) row(sp::c01::RentRows, i, 2, 2000.0, "11111111H");
  run();
  EXPECT_VEC(*this, sp::c01::Rent, 450.0, 450.0, 0.0, 0.0, 0.0);

  Regional t;
  t.live("01", {0, 1, 2});
  t.marriedCouple();
  t.ages(30, 30);
  t.row(sp::c01::RentRows, 0, 1, 2000.0);
  t.run();
  EXPECT_VEC(t, sp::c01::Rent, 150.0, 100.0, 100.0, 0.0, 0.0);
}

TEST_F(Community1, RentNeedsNoStateRentDeductionAndYouth) {
  row(sp::c01::RentRows, 0, 1, 2000.0);
  vec(f100::Summary, f100::summary::StateZeduDeduction, {0.0, 200.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c01::Rent, 150.0, 0.0, 100.0, 0.0, 0.0);
  // A single parent of 40 whose spouse fields say 20: the spouse's age does not count for the unit.
  vecAll(f100::Summary, f100::summary::StateZeduDeduction, 0.0);
  marriedCouple(false);
  ages(40, 20);
  run();
  EXPECT_VEC(*this, sp::c01::Rent, 0.0, 0.0, 100.0, 0.0, 0.0);
}

TEST_F(Community1, YoungAndConfirmedMarksExcludeEachOther) {
  age(3, 20);
  age(4, 40);
  for (std::size_t p = 0; p < 4; ++p) set(sp::c01::YoungMark(p), 1);
  set(sp::c01::ConfirmedMark(0), 1);
  in::family::FamilyMemberMark(1).set(rec(f100::Family), 1);  // the declarant's F condition holds
  set(sp::c01::ConfirmedMark(1), 1);                          // the spouse's mark is not confirmed
  run();
  EXPECT_VEC(*this, sp::c01::Young, 300.0, 0.0, 150.0, 150.0, 0.0);
  EXPECT_VEC(*this, sp::c01::Confirmed, 300.0, 300.0, 0.0, 0.0, 0.0);
  // Children get only E and F.
  EXPECT_DOUBLE_EQ(at(sp::c01::Total, 3), 150.0);
}

// ---- community 2 ------------------------------------------------------------------------------------

struct Community2 : RegionalTest {
  void SetUp() override { live("02", {0, 1, 2}); }
};

TEST_F(Community2, CommonChildrenAndTheIncomeTest) {
  set(sp::c02::CommonCount, 2.0);
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {32000.0, 20000.0, 12000.0, 0, 0});
  vec(f100::SectionI, in::sec_i::SpecialBaseAfterMinimum, {500.0, 0.0, 500.0, 0, 0});  // 32500 exactly
  run();
  EXPECT_VEC(*this, sp::c02::Births, 1200.0, 600.0, 600.0, 0.0, 0.0);

  // The spouse's income lowers the declarant's amount too; the joint column keeps its own test.
  vec(f100::SectionI, in::sec_i::SpecialBaseAfterMinimum, {500.0, 0.0, 500.01, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c02::Births, 1200.0, 500.0, 500.0, 0.0, 0.0);
}

TEST_F(Community2, TheMarkLowersOnlyTheIndividualColumns) {
  set(sp::c02::CommonCount, 1.0);
  set(sp::c02::DeclarantCount, 1.0);
  set(sp::c02::DeclarantEntitled, 2.0);
  set(sp::c02::SpouseCount, 1.0);  // no persons entitled: counts 0
  set(sp::c02::HighIncomeMark, 1);
  run();
  EXPECT_VEC(*this, sp::c02::Births, 900.0, 500.0, 250.0, 0.0, 0.0);
}

// ---- community 3 ------------------------------------------------------------------------------------

struct Community3 : RegionalTest {
  void SetUp() override {
    live("03", {0, 1, 2, 3, 4});
    marriedCouple();
    ages(35, 35);
  }
};

TEST_F(Community3, PerPersonWithIncomeLimits) {
  set(sp::c03::PersonsCommon, 1.0);
  set(sp::c03::PersonsDeclarant, 1.0);
  set(sp::c03::SharersDeclarant, 2.0);
  vec(f100::SectionI, in::sec_i::GeneralBase, {31000.0, 21000.0, 22000.0, 0, 0});
  vec(f100::SectionI, in::sec_i::SpecialBase, {0.0, 1000.0, 0.01, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c03::PerPerson, 450.0, 300.0, 0.0, 0.0, 0.0);
}

TEST_F(Community3, SevereDisabilityAndRelativesHousing) {
  disability(1, '3');
  disability(2, '1');
  row(sp::c03::SevereDisabilityRows, 0, 2, 20000.0);
  row(sp::c03::SevereDisabilityRows, 1, 3, 5000.0);
  row(sp::c03::RelativesHousingRows, 0, 2, 8000.0);
  set(sp::c03::RelativesHousingTaxpayers, 2.0);
  run();
  EXPECT_VEC(*this, sp::c03::SevereDisability, 360.61, 360.61, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c03::RelativesHousing, 180.30, 180.30, 0.0, 0.0, 0.0);
  set(sp::c03::RelativesHousingTaxpayers, 0.0);
  run();
  EXPECT_VEC(*this, sp::c03::RelativesHousing, 240.0, 240.0, 0.0, 0.0, 0.0);
}

TEST_F(Community3, RentMustExceedFifteenPercentOfTheBase) {
  vec(f100::SectionI, in::sec_i::GeneralBase, {20000.0, 20000.0, 0.0, 0, 0});
  row(sp::c03::RentRows, 0, 2, 3000.0, "12345678Z");
  run();
  EXPECT_DOUBLE_EQ(at(sp::c03::Rent, 1), 0.0);
  EXPECT_EQ(nif(1), none());
  row(sp::c03::RentRows, 0, 2, 3001.0, "12345678Z");
  run();
  EXPECT_VEC(*this, sp::c03::Rent, 150.05, 150.05, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), "12345678Z");
  row(sp::c03::RentRows, 0, 2, 9000.0, "12345678Z");
  vec(f100::Summary, f100::summary::StateZeduDeduction, {0.0, 0.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c03::Rent, 250.0, 250.0, 0.0, 0.0, 0.0);
  vec(f100::Summary, f100::summary::StateZeduDeduction, {0.0, 50.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c03::Rent, 250.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community3, YoungOrFamilyThenOther) {
  // Declarant 35 with the F mark and the family mark: F. Spouse 35 with the F mark only: G.
  set(sp::c03::YoungOrFamilyMark(0), 1);
  in::family::FamilyMemberMark(1).set(rec(f100::Family), 1);
  set(sp::c03::YoungOrFamilyMark(1), 1);
  set(sp::c03::OtherMark(0), 1);
  set(sp::c03::OtherMark(1), 1);
  set(sp::c03::OtherMark(2), 1);
  age(3, 10);
  vec(f100::SectionI, in::sec_i::GeneralBase, {0.0, 0.0, 0.0, 22000.01, 0});
  run();
  EXPECT_VEC(*this, sp::c03::YoungOrFamily, 150.0, 150.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c03::Other, 120.0, 0.0, 60.0, 0.0, 0.0);
}

TEST_F(Community3, QuotaShareStaysWithin95PercentOfTheRegionalQuota) {
  row(sp::c03::QuotaShareRows, 0, 1, 1000.0);
  vec(f100::Summary, in::summary::RegionalGrossQuota, {100.0, 0.0, 1000.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c03::QuotaShare, 95.0, 0.0, 100.0, 0.0, 0.0);
}

TEST_F(Community3, ChildrenGetOnlyFAndG) {
  age(3, 10);
  set(sp::c03::YoungOrFamilyMark(2), 1);
  set(sp::c03::PersonsCommon, 4.0);
  set(sp::c03::MarkDeclarant, 1);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c03::Total, 3), 150.0);
  EXPECT_DOUBLE_EQ(at(sp::c03::Total, 4), 0.0);
}

// ---- community 4 ------------------------------------------------------------------------------------

struct Community4 : RegionalTest {
  void SetUp() override {
    live("04", {0, 1, 2, 3, 4});
    marriedCouple();
    ages(30, 30);
  }
  void bases(double unit, double declarant, double spouse) {
    vec(f100::SectionI, in::sec_i::GeneralBase, {unit, declarant, spouse, 0, 0});
  }
};

TEST_F(Community4, TextbookLimitsByIncomeBand) {
  struct Case {
    double base;
    double declarant;
  };
  const Case cases[] = {{4500.0, 50.0}, {4500.01, 25.0}, {9000.0, 25.0}, {9000.01, 18.0}, {12020.24, 18.0},
                        {12020.25, 0.0}};
  for (const Case& c : cases) {
    Regional t;
    t.live("04", {1});
    t.vec(f100::SectionI, in::sec_i::GeneralBase, {0.0, c.base, 0.0, 0, 0});
    t.row(sp::c04::TextbookRows, 0, 2, 80.0);
    t.run();
    EXPECT_DOUBLE_EQ(t.at(sp::c04::Textbooks, 1), c.declarant) << c.base;
  }
}

TEST_F(Community4, TextbookRowsAreCappedOneByOne) {
  bases(3000.0, 3000.0, 3000.0);
  for (int i = 0; i < 12; ++i) row(sp::c04::TextbookRows, i, 2, 80.0);
  run();
  EXPECT_VEC(*this, sp::c04::Textbooks, 960.0, 600.0, 0.0, 0.0, 0.0);
  for (int i = 0; i < 12; ++i) row(sp::c04::TextbookRows, i, 0, 0.0);
  row(sp::c04::TextbookRows, 0, 1, 80.0);
  run();
  EXPECT_VEC(*this, sp::c04::Textbooks, 80.0, 40.0, 40.0, 0.0, 0.0);
  bases(9000.01, 3000.0, 3000.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c04::Textbooks, 0), 50.0);
}

TEST_F(Community4, ElderlyWithinTheLowIncomeLimit) {
  ages(65, 64);
  bases(24040.48, 12020.24, 100.0);
  run();
  EXPECT_VEC(*this, sp::c04::Elderly, 36.0, 36.0, 0.0, 0.0, 0.0);
}

TEST_F(Community4, YoungHousingWithinWhatTheStateHousingDeductionsLeft) {
  vec(f100::SectionO, in::sec_o::HousingLimitUsed(0), {3000.0, 3000.0, 0, 0, 0});
  vec(f100::SectionO, in::sec_o::HousingLimitUsed(3), {2000.0, 2000.0, 0, 0, 0});
  row(sp::c04::YoungHousingRows, 0, 2, 6000.0);
  bases(30050.603, 18030.36, 0.0);  // C rounds the joint base: 30050.60 passes
  run();
  EXPECT_VEC(*this, sp::c04::YoungHousing, 200.76, 200.76, 0.0, 0.0, 0.0);
  // D: nothing for a member with any housing deduction, C of this community included.
  row(sp::c04::YoungRentRows, 0, 2, 1000.0);
  row(sp::c04::YoungRentRows, 1, 3, 1000.0, "55555555K");
  bases(30050.60, 18030.36, 0.0);
  run();
  EXPECT_VEC(*this, sp::c04::YoungRent, 0.0, 0.0, 100.0, 0.0, 0.0);
  EXPECT_EQ(nif(2), "55555555K");
}

TEST_F(Community4, YoungRentComparesTheJointBaseUnrounded) {
  row(sp::c04::YoungRentRows, 0, 3, 3000.0);
  bases(30050.603, 0.0, 0.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c04::YoungRent, 0), 0.0);
  bases(30050.60, 0.0, 0.0);
  run();
  EXPECT_VEC(*this, sp::c04::YoungRent, 200.0, 0.0, 200.0, 0.0, 0.0);
  vec(f100::Summary, in::summary::HousingInvestmentDeductions(5), {1.0, 0.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c04::YoungRent, 0.0, 0.0, 200.0, 0.0, 0.0);
}

TEST_F(Community4, FifteenPercentCapped) {
  row(sp::c04::FifteenPercentRows, 0, 2, 1000.0);
  row(sp::c04::FifteenPercentRows, 1, 3, 2000.0);
  bases(24040.49, 12020.24, 12020.25);
  run();
  EXPECT_VEC(*this, sp::c04::FifteenPercent, 0.0, 150.0, 0.0, 0.0, 0.0);
}

TEST_F(Community4, DisabilityCountsQualifyingDescendantsForTheJointColumn) {
  namespace d = in::family::descendant;
  unsigned char* fam = rec(f100::Family);
  struct Entry {
    char disability;
    char situation;
    int age;
    unsigned char excluded;
  };
  // counted: situation 3 aged 17, situation 2, situation 4 aged 40; not counted: aged 18 with 3,
  // situation 1, excluded, disability "4".
  const Entry entries[] = {{'2', '3', 17, 0}, {'1', '2', 30, ' '}, {'3', '4', 40, 0}, {'2', '3', 18, 0},
                           {'2', '1', 5, 0},  {'2', '2', 5, 'X'},  {'4', '2', 5, 0}};
  for (int i = 0; i < 7; ++i) {
    d::Disability(i).set(fam, static_cast<unsigned char>(entries[i].disability));
    d::Situation(i).set(fam, static_cast<unsigned char>(entries[i].situation));
    d::Age(i).set(fam, entries[i].age);
    d::Excluded(i).set(fam, entries[i].excluded);
  }
  disability(1, '2');
  disability(3, '1');
  run();
  EXPECT_VEC(*this, sp::c04::Disability, rnd2(4 * 60.1), 60.10, 0.0, 60.10, 0.0);
}

TEST_F(Community4, RuralLandWithEqualKinds) {
  const sp::Rows& rows = sp::c04::RuralLandRows;
  rows.code(0).set(P(), 2);
  rows.f64(0, sp::c04::kLandExpense).set(P(), 1000.0);
  rows.f64(0, sp::c04::kLandHectares).set(P(), 10.0);
  rows.f64(0, sp::c04::kLandTax).set(P(), 100.0);
  rows.byte(0, sp::c04::kLandKind).set(P(), 1);
  rows.byte(1, sp::c04::kLandKind).set(P(), 1);
  run();
  EXPECT_VEC(*this, sp::c04::RuralLand, 300.0, 300.0, 0.0, 0.0, 0.0);  // max(250, 300)
  rows.f64(0, sp::c04::kLandHectares).set(P(), 20.0);
  run();
  EXPECT_VEC(*this, sp::c04::RuralLand, 500.0, 500.0, 0.0, 0.0, 0.0);
  // A child's row keeps half its expense without limit and stays out of the joint column.
  rows.code(1).set(P(), 4);
  rows.f64(1, sp::c04::kLandExpense).set(P(), 99.99);
  run();
  EXPECT_VEC(*this, sp::c04::RuralLand, 500.0, 500.0, 0.0, 50.0, 0.0);
}

TEST_F(Community4, RuralLandWithDifferentKinds) {
  const sp::Rows& rows = sp::c04::RuralLandRows;
  rows.code(0).set(P(), 1);  // common, kind 1: halves
  rows.f64(0, sp::c04::kLandExpense).set(P(), 1000.0);
  rows.f64(0, sp::c04::kLandHectares).set(P(), 10.0);
  rows.f64(0, sp::c04::kLandTax).set(P(), 20.0);
  rows.byte(0, sp::c04::kLandKind).set(P(), 1);
  rows.code(1).set(P(), 4);  // a child's row is ignored here
  rows.f64(1, sp::c04::kLandExpense).set(P(), 1000.0);
  rows.byte(1, sp::c04::kLandKind).set(P(), 2);
  run();
  // limit max(rnd(5 * 25), rnd(10 * 3)) = 125; amount rnd(500 * 0.5) = 250.
  EXPECT_VEC(*this, sp::c04::RuralLand, 250.0, 125.0, 125.0, 0.0, 0.0);
}

}  // namespace
}  // namespace regional_test

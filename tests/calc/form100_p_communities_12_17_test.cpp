// Regional deductions of communities 12, 13, 16 and 17.
#include <vector>

#include "form100_p_fixture.h"

namespace regional_test {
namespace {

struct Everyone : RegionalTest {
  void incomes(double unit, double declarant, double spouse) {
    vec(f100::SectionI, in::sec_i::GeneralBase, {unit, declarant, spouse, 0, 0});
  }
};

// ---- community 12 -----------------------------------------------------------------------------------

struct Community12 : Everyone {
  void SetUp() override { everyoneIn("12"); }
};

TEST_F(Community12, BirthsByRateWithIncomeLimits) {
  for (const auto& n : sp::c12::BirthCounts) set(n.declarant, 1.0);
  incomes(31700.0, 22500.0, 0.0);
  run();
  EXPECT_VEC(*this, sp::c12::Births, 2450.0, 2450.0, 0.0, 0.0, 0.0);
  incomes(31700.01, 22500.01, 0.0);
  run();
  EXPECT_VEC(*this, sp::c12::Births, 0.0, 0.0, 0.0, 0.0, 0.0);
  incomes(31000.0, 23000.0, 0.0);
  set(sp::c12::BirthsLiveWithBoth, 255);  // any non-zero value halves the persons' own counts
  run();
  EXPECT_VEC(*this, sp::c12::Births, 1225.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community12, AdoptedAbroadAndPerItemHalveOnlyOnFlagOne) {
  set(sp::c12::AdoptedCounts.declarant, 1.0);
  set(sp::c12::PerItemCounts[1].spouse, 2.0);
  set(sp::c12::AdoptedLiveWithBoth, 255);
  set(sp::c12::PerItemShared, 255);
  incomes(100000.0, 100000.0, 0.0);  // 12.2 has no income test
  run();
  EXPECT_VEC(*this, sp::c12::AdoptedAbroad, 600.0, 600.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c12::PerItem, 0.0, 0.0, 1500.0, 0.0, 0.0);
  set(sp::c12::AdoptedLiveWithBoth, 1);
  set(sp::c12::PerItemShared, 1);
  run();
  EXPECT_VEC(*this, sp::c12::AdoptedAbroad, 300.0, 300.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c12::PerItem, 0.0, 0.0, 750.0, 0.0, 0.0);
}

TEST_F(Community12, EntitledWithoutPersonsCountsHalfTheCommonItems) {
  set(sp::c12::EntitledCommon, 2.0);
  set(sp::c12::EntitledDeclarant, 1.0);
  set(sp::c12::EntitledSpouse, 1.0);
  set(sp::c12::PersonsSpouse, 4.0);
  run();
  EXPECT_VEC(*this, sp::c12::Entitled, 1350.0, 600.0, 750.0, 0.0, 0.0);
}

TEST_F(Community12, YoungRentAboveTenPercentOfIncome) {
  ages(34, 40);
  incomes(12000.0, 12000.0, 0.0);
  row(sp::c12::RentRows, 0, 3, 5000.0, "99999999R");  // the spouse's row is not the declarant's
  row(sp::c12::RentRows, 1, 2, 1000.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c12::YoungRent, 1), 0.0);  // 1000 is not above 1200
  row(sp::c12::RentRows, 1, 2, 5000.0, "10101010T");
  run();
  EXPECT_VEC(*this, sp::c12::YoungRent, 700.0, 700.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), "10101010T");
  EXPECT_EQ(nif(0), "10101010T");
  vec(f100::Summary, f100::summary::StateZeduDeduction, {0.0, 60.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c12::YoungRent, 700.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community12, SharedLimitAndFifteenPercent) {
  row(sp::c12::SharedLimitRows, 0, 2, 10000.0);
  row(sp::c12::SharedLimitRows, 1, 3, 10000.0);
  row(sp::c12::SharedLimitRows, 2, 4, 10.0);
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {10000.0, 5000.0, 5000.0, 1000.0, 0});
  vec(f100::SectionO, in::sec_o::TenPercentUsedFirst, {0.0, 100.0, 400.0, 0, 0});
  vec(f100::SectionO, in::sec_o::TenPercentUsedSecond, {0.0, 50.0, 200.0, 0, 0});
  row(sp::c12::FifteenPercentRows, 0, 1, 100.0);
  row(sp::c12::FifteenPercentRows, 1, 5, 100.0);
  run();
  EXPECT_VEC(*this, sp::c12::SharedLimit, 100.0, 35.0, 0.0, 1.0, 0.0);
  EXPECT_VEC(*this, sp::c12::FifteenPercent, 30.0, 7.5, 7.5, 0.0, 15.0);
}

// ---- community 13 -----------------------------------------------------------------------------------

struct Community13 : Everyone {
  void SetUp() override { everyoneIn("13"); }
  void taxable(std::initializer_list<double> general, std::initializer_list<double> special) {
    vec(f100::SectionK, in::sec_k::GeneralTaxableBase, general);
    vec(f100::SectionK, in::sec_k::SpecialTaxableBase, special);
  }
};

TEST_F(Community13, YoungHousingRatesAndMargin) {
  ages(36, 30);
  row(sp::c13::YoungHousingRows, 0, 2, 4000.0);
  row(sp::c13::YoungHousingRows, 1, 3, 4000.0);
  taxable({16527.83, 100.0, 16527.82}, {0.0, 0.0, 1652.78});
  vec(f100::SectionO, in::sec_o::HousingLimitUsed(2), {6015.18, 0.0, 0.0, 0, 0});
  run();
  // Unit: only the spouse's 4000, within its margin 3000, at 3 percent.
  EXPECT_VEC(*this, sp::c13::YoungHousing, 90.0, 0.0, 200.0, 0.0, 0.0);
  vec(f100::SectionO, in::sec_o::HousingLimitUsed(4), {9000.0, 9015.18, 9015.18, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c13::YoungHousing, 0.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community13, SharedLimitIsRounded) {
  row(sp::c13::SharedLimitRows, 0, 2, 1000.0);
  taxable({0.0, 1000.05, 0, 0, 0}, {0.0, 0.0, 0, 0, 0});
  vec(f100::SectionO, in::sec_o::TenPercentUsedFirst, {10.0, 0.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c13::SharedLimit, 0.0, 30.0, 0.0, 0.0, 0.0);  // rnd(100.005) = 100.01 -> 30.003
}

TEST_F(Community13, LowIncomeNeedsWorkOrActivityIncome) {
  row(sp::c13::LowIncomeRows, 0, 1, 4000.0);  // 600: 300 each, capped at 150
  row(sp::c13::LowIncomeRows, 1, 4, 200.0);
  taxable({12000.0, 12020.23, 12020.24}, {1202.02, 0.0, 0.0});
  run();
  EXPECT_VEC(*this, sp::c13::LowIncome, 0.0, 0.0, 0.0, 30.0, 0.0);  // no income: flag clear
  vec(f100::SectionA, in::sec_a::WorkIncome2, {0.0, 10.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c13::LowIncome, 300.0, 150.0, 0.0, 30.0, 0.0);
  run(1);  // joint declaration of a married couple: both persons need income
  EXPECT_VEC(*this, sp::c13::LowIncome, 0.0, 0.0, 0.0, 30.0, 0.0);
  sp::c13::LowIncomeRows.code(0).set(P(), 1);
  in::sec_f1::Activities.code(2).set(rec(f100::SectionF1), 3);
  in::sec_f1::Activities.f64(2, in::sec_f1::kAmount96).set(rec(f100::SectionF1), 5.0);
  run(1);
  EXPECT_VEC(*this, sp::c13::LowIncome, 300.0, 150.0, 0.0, 30.0, 0.0);
  taxable({21035.42, 12020.23, 12020.24}, {1202.02, 0.0, 0.0});
  run(1);
  EXPECT_DOUBLE_EQ(at(sp::c13::LowIncome, 0), 0.0);
  marriedCouple(false);  // single parent: limit 12020.24 and cap 150
  taxable({12020.23, 12020.23, 0.0}, {0.0, 0.0, 0.0});
  run(1);
  EXPECT_DOUBLE_EQ(at(sp::c13::LowIncome, 0), 150.0);
}

// ---- community 16 -----------------------------------------------------------------------------------

struct Community16 : Everyone {
  void SetUp() override { everyoneIn("16"); }
};

TEST_F(Community16, PerItemHalvesOwnCountsOnly) {
  set(sp::c16::PerItemCounts[0].common, 1.0);
  set(sp::c16::PerItemCounts[0].declarant, 1.0);
  set(sp::c16::PerItemCounts[2].spouse, 1.0);
  set(sp::c16::PerItemShared, 1);
  run();
  EXPECT_VEC(*this, sp::c16::PerItem, 255.0, 150.0, 105.0, 0.0, 0.0);
}

TEST_F(Community16, HousingFirstThenYoungHousingWithinWhatIsLeft) {
  ages(30, 30);
  row(sp::c16::HousingRows, 0, 2, 10000.0);
  row(sp::c16::YoungHousingRows, 0, 1, 10000.0);
  incomes(30050.61, 18030.36, 18030.37);
  run();
  EXPECT_VEC(*this, sp::c16::Housing, 450.76, 450.76, 0.0, 0.0, 0.0);
  // Declarant: 9015.18 - 6439.36 left; spouse: 5000; unit: the declarant's room plus the spouse's
  // 5000 (taken before the spouse's own income test), within the unit's room.
  EXPECT_VEC(*this, sp::c16::YoungHousing, rnd2(0.03 * 2575.82), rnd2(0.03 * 2575.82), 0.0, 0.0, 0.0);
  vec(f100::SectionO, in::sec_o::HousingLimitUsed(0), {2575.82, 2575.82, 9015.18, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c16::Housing, 450.76, 450.76, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c16::YoungHousing, 0.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community16, YoungHousingUnitSumKeepsAPersonAboveTheIndividualLimit) {
  ages(30, 30);
  row(sp::c16::YoungHousingRows, 0, 1, 1000.0);
  incomes(30000.0, 18030.37, 0.0);
  run();
  EXPECT_VEC(*this, sp::c16::YoungHousing, 30.0, 0.0, 15.0, 0.0, 0.0);
  marriedCouple(false);
  run();
  EXPECT_VEC(*this, sp::c16::YoungHousing, 15.0, 0.0, 0.0, 0.0, 0.0);
}

// ---- community 17 -----------------------------------------------------------------------------------

struct Community17 : Everyone {
  void SetUp() override { everyoneIn("17"); }
  void periodEnd(const char* date) { in::personal::PeriodEndDate.set(rec(f100::Personal), date); }
};

TEST_F(Community17, ItemsPersonsEntitledAndSharing) {
  set(sp::c17::ItemsCommon, 1.0);
  set(sp::c17::ItemsDeclarant, 2.0);  // no persons entitled: left out
  set(sp::c17::ItemsSpouse, 1.0);
  set(sp::c17::ItemsEntitledSpouse, 2.0);
  set(sp::c17::SharedCommon, 1);
  set(sp::c17::SharedDeclarant, 2);
  set(sp::c17::SharedFlag, 1);
  set(sp::c17::FirstCommon, 1.0);
  set(sp::c17::LaterSpouse, 2.0);
  set(sp::c17::DisabledEntitledSpouse, 1.0);
  run();
  EXPECT_VEC(*this, sp::c17::PerItem, 225.0, 75.0, 150.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::SharedItems, 400.0, 300.0, 100.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::DisabledChildren, 700.0, 100.0, 600.0, 0.0, 0.0);
}

TEST_F(Community17, LargeFamilyByCategoryAndHolder) {
  set(sp::c17::FirstCategory, 1);
  set(sp::c17::HonourCategory, 1);
  set(sp::c17::LargeFamilyHolder, 1);
  run();
  EXPECT_VEC(*this, sp::c17::LargeFamily, 420.0, 210.0, 210.0, 0.0, 0.0);
  set(sp::c17::LargeFamilyHolder, 0);
  set(sp::c17::LargeFamilyEntitled, 3.0);
  run();
  EXPECT_VEC(*this, sp::c17::LargeFamily, 140.0, 0.0, 0.0, 0.0, 0.0);
  set(sp::c17::FirstCategory, 0);
  set(sp::c17::HonourCategory, 2);  // only 1 chooses
  run();
  EXPECT_VEC(*this, sp::c17::LargeFamily, 0.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community17, ElderlyFrom65WithDisabilityAndRequest) {
  ages(65, 64);
  disability(1, '1');
  disability(2, '1');
  set(sp::c17::ElderlyRequestDeclarant, 1);
  set(sp::c17::ElderlyRequestSpouse, 1);
  run();
  EXPECT_VEC(*this, sp::c17::Elderly, 160.0, 160.0, 0.0, 0.0, 0.0);
  age(2, 65);
  disability(1, ' ');
  run();
  EXPECT_VEC(*this, sp::c17::Elderly, 160.0, 0.0, 160.0, 0.0, 0.0);
}

TEST_F(Community17, LowIncomeFamily) {
  namespace d = in::family::descendant;
  for (int i = 0; i < 2; ++i) d::Used(i).set(rec(f100::Family), '0');
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {12020.24, 6000.0, 0.0, 6020.24, 0.0});
  vec(f100::SectionA, in::sec_a::WorkIncome1, {6000.0, 6000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::LowIncomeFamily, 120.20, 0.0, 120.20, 0.0, 0.0);
  // A second person with the first income flag.
  vec(f100::SectionA, in::sec_a::WorkIncome1, {6000.0, 6000.0, 0.0, 1.0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::LowIncomeFamily, 0.0, 0.0, 0.0, 0.0, 0.0);
  vec(f100::SectionA, in::sec_a::WorkIncome1, {6000.0, 6000.0, 0.0, 0.0, 0});
  // Capital yields above 300.51 for a person; then a third income for the spouse.
  vec(f100::SectionB, in::sec_b::Yield656, {0.0, 0.0, 0.0, 0.0, 300.515});  // rounded first: 300.52
  run();
  EXPECT_VEC(*this, sp::c17::LowIncomeFamily, 0.0, 0.0, 0.0, 0.0, 0.0);
  vec(f100::SectionB, in::sec_b::Yield656, {0.0, 0.0, 0.0, 0.0, 300.51});
  vec(f100::SectionC, in::sec_c::Net, {0.0, 0.0, 0.01, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::LowIncomeFamily, 120.20, 0.0, 0.0, 0.0, 0.0);
  // One descendant only, or a single parent: nothing.
  vec(f100::SectionC, in::sec_c::Net, {0.0, 0.0, 0.0, 0, 0});
  d::CodeTowardsDeclarant(1).set(rec(f100::Family), '2');
  d::CodeTowardsSpouse(1).set(rec(f100::Family), '2');
  run();
  EXPECT_VEC(*this, sp::c17::LowIncomeFamily, 0.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community17, PeriodEndProratesOnlyTheDeclarantsLimits) {
  ages(30, 30);
  row(sp::c17::YoungRows, 0, 1, 2000.0);  // 30 for each spouse
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {0.0, 2561.33, 12633.6, 0, 0});
  periodEnd("15032003");  // 74 days: rnd(12633.6 * 74 / 365) = 2561.33
  run();
  EXPECT_VEC(*this, sp::c17::Young, 60.0, 30.0, 30.0, 0.0, 0.0);
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {0.0, 2561.34, 12633.61, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::Young, 30.0, 0.0, 0.0, 0.0, 0.0);  // the unit's parts are never prorated
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {0.0, 0.0, 0.0, 0, 0});
  periodEnd("31022003");  // invalid: -1 day, a negative limit
  run();
  EXPECT_VEC(*this, sp::c17::Young, 60.0, 0.0, 30.0, 0.0, 0.0);
}

TEST_F(Community17, DisabledAndClaimed) {
  disability(1, '3');
  ages(40, 40);
  row(sp::c17::DisabledRows, 0, 1, 1000.0);
  set(sp::c17::ClaimDeclarant, 1);
  set(sp::c17::ClaimSpouse, 1);
  marriedCouple(false);  // the spouse part of 17.8 does not test the unit kind
  disability(2, '3');
  run();
  EXPECT_VEC(*this, sp::c17::Disabled, 30.0, 15.0, 15.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::Claimed, 0.0, 0.0, 0.0, 0.0, 0.0);
  disability(2, '2');
  run();
  EXPECT_VEC(*this, sp::c17::Disabled, 15.0, 15.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::Claimed, 90.15, 0.0, 90.15, 0.0, 0.0);
}

TEST_F(Community17, RentCapturesTheLandlordEvenWithoutAmount) {
  ages(40, 40);
  row(sp::c17::RentRows, 0, 3, 0.0, "SPOUSE003");
  row(sp::c17::RentRows, 1, 1, 0.0, "COMMON001");
  row(sp::c17::RentRows, 2, 2, 2500.0, "DECLAR002");
  run();
  EXPECT_VEC(*this, sp::c17::Rent, 180.0, 180.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), "COMMON001");  // the first row of code 2 or 1
  EXPECT_EQ(nif(2), "SPOUSE003");  // captured with a zero amount
  EXPECT_EQ(nif(0), "COMMON001");
  vec(f100::Summary, in::summary::OtherDeductions(3), {0.0, 0.01, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::Rent, 0.0, 0.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), none());
  EXPECT_EQ(nif(0), none());  // the unit only after a positive amount
}

TEST_F(Community17, TheUnitsRentSeesThePersonsColumnsOfThePreviousCalculation) {
  ages(40, 40);
  row(sp::c17::RentRows, 0, 2, 1000.0);
  row(sp::c17::YoungRows, 0, 2, 1000.0);
  run();
  EXPECT_VEC(*this, sp::c17::Rent, 100.0, 100.0, 0.0, 0.0, 0.0);
  age(1, 30);  // now the declarant has 17.7
  run();
  EXPECT_VEC(*this, sp::c17::Young, 30.0, 30.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::Rent, 100.0, 0.0, 0.0, 0.0, 0.0);
  const std::vector<unsigned char> before(b.bytes);
  run();
  EXPECT_VEC(*this, sp::c17::Rent, 0.0, 0.0, 0.0, 0.0, 0.0);
  run();
  const std::vector<unsigned char> settled(b.bytes);
  run();
  EXPECT_TRUE(settled == b.bytes);
  EXPECT_FALSE(before == b.bytes);
}

TEST_F(Community17, RentByMonthsCeilingsAndAmounts) {
  const sp::Rows& rows = sp::c17::RentByMonthsRows;
  auto entry = [&](int i, int code, double amount, double months, const char* nif) {
    row(rows, i, code, amount, nif, sp::c17::kMonthsNif);
    rows.f64(i, sp::c17::kMonths).set(P(), months);
  };
  entry(0, 1, 3000.0, 6.0, "COMMON001");
  run();
  EXPECT_VEC(*this, sp::c17::RentByMonths, 180.0, 90.0, 90.0, 0.0, 0.0);
  EXPECT_EQ(secondNif(1), "COMMON001");
  EXPECT_EQ(secondNif(0), "COMMON001");
  EXPECT_EQ(nif(1), none());
  entry(1, 2, 3000.0, 12.0, "DECLAR002");
  run();
  EXPECT_VEC(*this, sp::c17::RentByMonths, 270.0, 180.0, 90.0, 0.0, 0.0);
  EXPECT_EQ(secondNif(1), "COMMON001");

  Regional t;
  t.live("17", {1, 2});
  auto small = [&](int i, int code, double amount) {
    t.row(rows, i, code, amount);
    rows.f64(i, sp::c17::kMonths).set(t.P(), 12.0);
  };
  small(0, 2, 100.0);
  small(1, 3, 200.0);
  small(2, 1, 300.0);
  t.run();
  EXPECT_VEC(t, sp::c17::RentByMonths, 0.0, 25.0, 35.0, 0.0, 0.0);
}

TEST_F(Community17, PlainPercentagesAndTheBaseLimitedOne) {
  row(sp::c17::TwentyPercentRows, 0, 1, 100.0);
  row(sp::c17::FivePercentRows, 0, 5, 100.0);
  row(sp::c17::BaseLimitedRows, 0, 2, 5000.0);
  row(sp::c17::BaseLimitedRows, 1, 3, 100.0);
  row(sp::c17::BaseLimitedRows, 2, 4, 5000.0);
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {0.0, 10000.0, 10000.0, 0.0, 0});
  run();
  EXPECT_VEC(*this, sp::c17::TwentyPercent, 20.0, 10.0, 10.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c17::FivePercent, 5.0, 0.0, 0.0, 0.0, 5.0);
  EXPECT_VEC(*this, sp::c17::BaseLimited, 105.0, 100.0, 5.0, 250.0, 0.0);
}

}  // namespace
}  // namespace regional_test

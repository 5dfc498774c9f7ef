// Regional deductions of communities 5 to 11.
#include "form100_p_fixture.h"

namespace regional_test {
namespace {


// ---- community 5 ------------------------------------------------------------------------------------

struct Community5 : RegionalTest {
  void SetUp() override {
    everyoneIn("05");
    vecAll(f100::Summary, in::summary::RegionalGrossQuota, 100000.0);
  }
};

TEST_F(Community5, StudiesAwayIncomeThresholds) {
  set(sp::c05::IslandsCommon, 1.0);
  vec(f100::SectionH, in::sec_h::Part0, {0.0, 59000.0, 60000.0, 0, 0});
  set(sp::c05::ExemptDeclarant, 999.994);  // 59999.994 rounds to 59999.99
  run();
  EXPECT_VEC(*this, sp::c05::StudiesAway, 300.0, 150.0, 0.0, 0.0, 0.0);
  vec(f100::SectionH, in::sec_h::Part0, {79000.0, 59000.0, 0.0, 0, 0});
  vec(f100::SectionG6, in::sec_g6::Vector120, {-1.0, 0.0, 0.0, 0, 0});  // subtracted: raises the total
  set(sp::c05::ExemptDeclarant, 999.995);
  run();
  EXPECT_VEC(*this, sp::c05::StudiesAway, 0.0, 0.0, 150.0, 0.0, 0.0);
}

TEST_F(Community5, StudiesAwayCountsAndTheZeroDivisor) {
  set(sp::c05::OutsideCommon, 1.0);
  set(sp::c05::IslandsDeclarant, 2.0);
  set(sp::c05::EntitledDeclarant, 2.0);
  set(sp::c05::OutsideSpouse, 3.0);  // no persons entitled for the spouse: dropped
  run();
  EXPECT_VEC(*this, sp::c05::StudiesAway, 900.0, 600.0, 300.0, 0.0, 0.0);
}

TEST_F(Community5, StudiesAwayWithinTheQuotaAndWhatIsLeftOfIt) {
  set(sp::c05::OutsideCommon, 2.0);  // 600 for each spouse
  vec(f100::Summary, in::summary::RegionalGrossQuota, {100000.0, 1000.0, 300.0, 0, 0});
  row(sp::c05::Rows1, 0, 2, 10000.0);  // 5.1: 1000, limited to 100
  row(sp::c05::Rows2, 0, 4, 777.0);    // child 1 keeps the sum by holder
  run();
  EXPECT_VEC(*this, sp::c05::Deduction1, 1000.0, 100.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c05::Deduction2, 155.4, 0.0, 0.0, 777.0, 0.0);
  EXPECT_VEC(*this, sp::c05::StudiesAway, 1200.0, 400.0, 120.0, 0.0, 0.0);
  vec(f100::Summary, in::summary::RegionalGrossQuota, {100000.0, -10.0, 300.0, 0, 0});
  run();
  EXPECT_DOUBLE_EQ(at(sp::c05::StudiesAway, 1), 0.0);
}

// ---- community 6 ------------------------------------------------------------------------------------

TEST(Community6, FifteenPercentOfTheAidByHolder) {
  struct Case {
    int holder;
    double aid;
    double expected[5];
  };
  const Case cases[] = {{2, 1000.0, {150, 150, 0, 0, 0}},
                        {2, 1500.0, {180, 180, 0, 0, 0}},
                        {1, 1000.0, {150, 75, 75, 0, 0}},
                        {4, 2000.0, {180, 0, 0, 300, 0}}};
  for (const Case& c : cases) {
    Regional t;
    t.live("06", {0, 1, 2, 3, 4});
    t.set(sp::c06::AidHolder, c.holder);
    t.set(sp::c06::AidAmount, c.aid);
    t.run();
    for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(t.at(sp::c06::MothersAid, k), c.expected[k]) << c.aid << " " << k;
  }
}

// ---- community 7 ------------------------------------------------------------------------------------

struct Community7 : RegionalTest {
  void SetUp() override { everyoneIn("07"); }
};

TEST_F(Community7, PerPersonNeedsMostIncomeFromWork) {
  for (const auto* d : {&sp::c07::Persons1, &sp::c07::Persons3}) set(d->common(), 1.0);
  set(sp::c07::Persons1.declarant(), 1.0);
  set(sp::c07::Persons1.declarantEntitled(), 2.0);
  vec(f100::SectionI, in::sec_i::GeneralBase, {29000.0, 21999.99, 0.0, 0, 0});
  vec(f100::SectionA, in::sec_a::NetIncome, {28000.0, 21000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c07::Persons1.result, 150.0, 100.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c07::Persons2.result, 0.0, 0.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c07::Persons3.result, 300.0, 150.0, 0.0, 0.0, 0.0);

  vec(f100::SectionA, in::sec_a::NetIncome, {28000.0, 20899.99, 0.0, 0, 0});  // not above 95 %
  run();
  EXPECT_DOUBLE_EQ(at(sp::c07::Persons3.result, 1), 0.0);
  vec(f100::SectionA, in::sec_a::NetIncome, {28000.0, 21000.0, 0.0, 0, 0});
  vec(f100::SectionI, in::sec_i::GeneralBase, {29000.0, 22000.0, 0.0, 0, 0});
  run();
  EXPECT_DOUBLE_EQ(at(sp::c07::Persons3.result, 1), 0.0);
}

TEST_F(Community7, SevereDisabilityCountsDescendantsForTheJointColumn) {
  namespace d = in::family::descendant;
  unsigned char* fam = rec(f100::Family);
  struct Entry {
    char situation;
    int age;
    bool used;
    char disability;
  };
  // counted: situation 2 at 40, situation 3 at 17; not: situation 1, 3 at 18, unused, disability 2.
  const Entry entries[] = {{'2', 40, true, '3'}, {'3', 17, true, '3'}, {'1', 5, true, '3'},
                           {'3', 18, true, '3'}, {'4', 5, false, '3'}, {'4', 5, true, '2'}};
  for (int i = 0; i < 6; ++i) {
    d::Situation(i).set(fam, static_cast<unsigned char>(entries[i].situation));
    d::Age(i).set(fam, entries[i].age);
    d::Used(i).set(fam, entries[i].used ? '0' : ' ');
    d::Disability(i).set(fam, static_cast<unsigned char>(entries[i].disability));
  }
  disability(2, '3');
  disability(4, '3');
  vec(f100::SectionI, in::sec_i::GeneralBase, {29999.99, 0.0, 0.0, 0.0, 22000.0});
  run();
  EXPECT_VEC(*this, sp::c07::SevereDisability, 900.0, 0.0, 300.0, 0.0, 0.0);
}

TEST_F(Community7, TwoSharesOfTenPercentOfTheTaxableBases) {
  row(sp::c07::FirstShareRows, 0, 2, 1000.0);
  row(sp::c07::SecondShareRows, 0, 2, 100.0);
  row(sp::c07::SecondShareRows, 1, 3, 100.0);
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {5000.0, 4000.0, 5000.0, 0, 0});
  vec(f100::SectionK, in::sec_k::SpecialTaxableBase, {0.0, 1000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c07::FirstShare, 75.0, 75.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c07::SecondShare, 0.0, 0.0, 10.0, 0.0, 0.0);
}

// ---- community 8 ------------------------------------------------------------------------------------

struct Community8 : RegionalTest {
  void SetUp() override { everyoneIn("08"); }
  // n descendants in use with both flags clear.
  void descendants(int n, char situation = '1') {
    namespace d = in::family::descendant;
    for (int i = 0; i < n; ++i) {
      d::Used(i).set(rec(f100::Family), '0');
      d::Situation(i).set(rec(f100::Family), static_cast<unsigned char>(situation));
      d::Age(i).set(rec(f100::Family), 10);
    }
  }
};

TEST_F(Community8, FamilyDeductionBaseAndPersonsBeyondTheThird) {
  descendants(5);
  set(sp::c08::FamilyClaim, 1);
  set(sp::c08::FamilyHolder, 1);
  run();
  EXPECT_VEC(*this, sp::c08::Family, 425.0, 212.5, 212.5, 0.0, 0.0);
  disability(1, '3');
  run();
  EXPECT_VEC(*this, sp::c08::Family, 650.0, 325.0, 325.0, 0.0, 0.0);
  set(sp::c08::FamilyHolder, 2);
  set(sp::c08::FamilyEntitled, 2.0);
  run();
  EXPECT_VEC(*this, sp::c08::Family, 325.0, 325.0, 0.0, 0.0, 0.0);
  set(sp::c08::FamilyClaim, 2);  // only 1 claims
  run();
  EXPECT_VEC(*this, sp::c08::Family, 0.0, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Community8, FamilyDeductionSituationThreeRaisesTheBase) {
  descendants(1, '3');
  in::family::descendant::Flag135(0).set(rec(f100::Family), 1);  // S0 counts it, S1 does not
  set(sp::c08::FamilyClaim, 1);
  set(sp::c08::FamilyHolder, 1);
  run();
  EXPECT_VEC(*this, sp::c08::Family, 450.0, 112.5, 112.5, 0.0, 0.0);
}

TEST_F(Community8, ChildrenByBirthOrder) {
  set(sp::c08::ChildrenCommon(2), 1.0);
  set(sp::c08::ChildrenDeclarant(0), 1.0);
  set(sp::c08::ChildrenShared, 1);
  run();
  EXPECT_VEC(*this, sp::c08::Children, 550.0, 300.0, 250.0, 0.0, 0.0);
}

TEST_F(Community8, PaidLessReceived) {
  row(sp::c08::PaidRows, 0, 2, 1000.0);
  sp::c08::PaidRows.f64(0, sp::c08::kReceived).set(P(), 800.0);
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {10000.0, 10000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c08::PaidLessReceived, 200.0, 150.0, 0.0, 0.0, 0.0);
  sp::c08::PaidRows.f64(0, sp::c08::kReceived).set(P(), 900.0);
  run();
  EXPECT_VEC(*this, sp::c08::PaidLessReceived, 100.0, 100.0, 0.0, 0.0, 0.0);
  vec(f100::SectionI, in::sec_i::SpecialBaseAfterMinimum, {0.0, 8000.005, 0.0, 0, 0});  // rounds to 18000.01
  run();
  EXPECT_DOUBLE_EQ(at(sp::c08::PaidLessReceived, 1), 0.0);
}

TEST_F(Community8, SharesAreLimitedIndependently) {
  row(sp::c08::FirstShareRows, 0, 2, 1000.0);
  row(sp::c08::SecondShareRows, 0, 2, 1000.0);
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {5000.0, 5000.0, -10.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c08::FirstShare, 75.0, 75.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c08::SecondShare, 75.0, 75.0, 0.0, 0.0, 0.0);
}

// ---- community 9 ------------------------------------------------------------------------------------

struct Community9 : RegionalTest {
  void SetUp() override {
    everyoneIn("09");
    ages(30, 40);
  }
  void rent(int i, int code, double paid, double persons, const char* nif = nullptr) {
    row(sp::c09::RentRows, i, code, paid, nif);
    sp::c09::RentRows.f64(i, sp::c09::kRentEntitled).set(P(), persons);
  }
};

TEST_F(Community9, ChildrenForMarriedCouplesAndSingleParents) {
  set(sp::c09::ChildrenCommon, 1.0);
  run();
  EXPECT_VEC(*this, sp::c09::Children, 300.0, 150.0, 150.0, 0.0, 0.0);
  marriedCouple(false);
  set(sp::c09::ChildrenDeclarant, 1.0);
  set(sp::c09::ChildrenSpouse, 5.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Children, 0), 300.0);
}

TEST_F(Community9, RentCeilingsAndTheLargeFamilyMark) {
  rent(0, 2, 3000.0, 1.0, "77777777B");
  vec(f100::SectionA, in::sec_a::NetIncome, {20000.0, 20000.0, 0.0, 0, 0});
  vec(f100::SectionI, in::sec_i::GeneralBaseAfterMinimum, {15000.0, 15000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c09::Rent, 300.0, 300.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), "77777777B");
  EXPECT_EQ(nif(0), "77777777B");
  set(sp::c09::LargeFamily, 1);
  run();
  EXPECT_VEC(*this, sp::c09::Rent, 300.0, 300.0, 0.0, 0.0, 0.0);
  rent(0, 2, 8000.0, 1.0);
  run();
  EXPECT_VEC(*this, sp::c09::Rent, 600.0, 600.0, 0.0, 0.0, 0.0);
  set(sp::c09::LargeFamily, 0);
  run();
  EXPECT_VEC(*this, sp::c09::Rent, 600.0, 300.0, 0.0, 0.0, 0.0);
}

TEST_F(Community9, RentConditions) {
  rent(0, 2, 2000.0, 1.0);
  vec(f100::SectionA, in::sec_a::NetIncome, {20000.0, 20000.0, 0.0, 0, 0});  // 10 % is 2000: not exceeded
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 1), 0.0);
  rent(0, 2, 2000.01, 1.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 1), 200.0);
  vec(f100::SectionI, in::sec_i::SpecialBase, {0.0, 20000.01, 0.0, 0, 0});
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 1), 0.0);
  vec(f100::SectionI, in::sec_i::SpecialBase, {0.0, 0.0, 0.0, 0, 0});
  vec(f100::Summary, f100::summary::StateZeduDeduction, {0.0, 1.0, 0.0, 0, 0});
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 1), 0.0);
  // The spouse (40) qualifies only through the unemployment, disability or large-family marks.
  rent(0, 1, 2000.02, 2.0);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 2), 0.0);
  set(sp::c09::UnemployedSpouse, 1);
  run();
  EXPECT_DOUBLE_EQ(at(sp::c09::Rent, 2), 100.0);
}

TEST_F(Community9, PercentagesWholeAndOnePercent) {
  row(sp::c09::QuotaShareRows, 0, 2, 1000.0);
  row(sp::c09::WholeRows, 0, 5, 123.45);
  row(sp::c09::OnePercentRows, 0, 1, 1000.0);
  vec(f100::Summary, in::summary::RegionalGrossQuota, {2000.0, 1000.0, 0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c09::QuotaShare, 150.0, 100.0, 0.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c09::Whole, 123.45, 0.0, 0.0, 0.0, 123.45);
  EXPECT_VEC(*this, sp::c09::OnePercent, 10.0, 5.0, 5.0, 0.0, 0.0);
}

// ---- community 10 -----------------------------------------------------------------------------------

struct Community10 : RegionalTest {
  void SetUp() override { everyoneIn("10"); }
};

TEST_F(Community10, YoungLowIncome) {
  ages(35, 36);
  row(sp::c10::YoungLowIncomeRows, 0, 2, 10000.0);
  row(sp::c10::YoungLowIncomeRows, 1, 3, 10000.0);
  vec(f100::SectionA, in::sec_a::NetIncome, {15000.0, 15000.0, 0.0, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c10::YoungLowIncome, 270.46, 270.46, 0.0, 0.0, 0.0);
  vec(f100::SectionG6, in::sec_g6::Losses40, {-3000.01, 0.0, 0.0, 0, 0});  // subtracted
  run();
  EXPECT_VEC(*this, sp::c10::YoungLowIncome, 0.0, 270.46, 0.0, 0.0, 0.0);
}

TEST_F(Community10, SmallWorkIncome) {
  vec(f100::SectionA, in::sec_a::WorkIncome1, {0.0, 0.0, 2000.0, 5000.0, 15000.01});
  vec(f100::SectionA, in::sec_a::WorkIncome3, {0.0, 0.0, 3000.0, 0.0, 0.0});
  vec(f100::SectionD, in::sec_d::Net, {0.0, 0.0, 0.0, 600.0, 0.0});
  run();
  EXPECT_VEC(*this, sp::c10::SmallWorkIncome, 240.0, 0.0, 120.0, 120.0, 0.0);
  vec(f100::SectionD, in::sec_d::Net, {0.0, 0.0, 0.0, 600.01, 0.0});
  run();
  EXPECT_VEC(*this, sp::c10::SmallWorkIncome, 120.0, 0.0, 120.0, 0.0, 0.0);
}

TEST_F(Community10, TwoSharesOfOneCeiling) {
  row(sp::c10::FirstShareRows, 0, 2, 3000.0);
  row(sp::c10::FirstShareRows, 1, 3, 1000.0);
  row(sp::c10::SecondShareRows, 0, 1, 10000.0);
  row(sp::c10::SecondShareRows, 1, 4, 50.0);
  run();
  EXPECT_VEC(*this, sp::c10::FirstShare, 300.0, 300.0, 100.0, 0.0, 0.0);
  EXPECT_VEC(*this, sp::c10::SecondShare, 0.0, 0.0, 200.0, 50.0, 0.0);
}

// ---- community 11 -----------------------------------------------------------------------------------

struct Community11 : RegionalTest {
  void SetUp() override { everyoneIn("11"); }
};

TEST_F(Community11, ChildrenInThreeClasses) {
  set(sp::c11::ClassACommon, 1.0);
  run();
  EXPECT_VEC(*this, sp::c11::Children, 240.0, 120.0, 120.0, 0.0, 0.0);

  Regional t;
  t.live("11", {1});
  t.set(sp::c11::ClassCCommon, 1.0);
  const double bases[3] = {21035.0, 21035.01, 30050.01};
  const double expected[3] = {150.0, 120.0, 0.0};
  for (int i = 0; i < 3; ++i) {
    t.vec(f100::SectionI, in::sec_i::GeneralBase, {0.0, bases[i], 0.0, 0, 0});
    t.run();
    EXPECT_DOUBLE_EQ(t.at(sp::c11::Children, 1), expected[i]) << bases[i];
  }
}

TEST_F(Community11, LargeFamilyLaterCategoryReplaces) {
  set(sp::c11::SecondCategory, 1);
  set(sp::c11::HonourCategory, 1);
  set(sp::c11::LargeFamilyHolder, 1);
  run();
  EXPECT_VEC(*this, sp::c11::LargeFamily, 380.0, 190.0, 190.0, 0.0, 0.0);
  set(sp::c11::LargeFamilyHolder, 3);
  set(sp::c11::LargeFamilyEntitled, 3.0);
  run();
  EXPECT_VEC(*this, sp::c11::LargeFamily, 126.67, 0.0, 126.67, 0.0, 0.0);
}

TEST_F(Community11, MarkedWithinTheTaxableBases) {
  set(sp::c11::MarkCommon, 1);
  set(sp::c11::MarkDeclarant, 1);
  set(sp::c11::MarkedEntitledDeclarant, 2.0);
  vec(f100::SectionK, in::sec_k::GeneralTaxableBase, {24040.48, 15025.30, 15025.31, 0, 0});
  run();
  EXPECT_VEC(*this, sp::c11::Marked, 270.45, 90.15, 0.0, 0.0, 0.0);
}

TEST_F(Community11, YoungRentByHolders) {
  ages(35, 36);
  const sp::Rows& rows = sp::c11::RentContracts;
  rows.code(0).set(P(), 2);
  rows.f64(0, sp::c11::kContractHolders).set(P(), 1.0);
  rows.f64(0, sp::c11::kContractRent).set(P(), 4000.0);
  rows.nif(0, sp::c11::kContractNif).set(P(), "88888888Y");
  run();
  EXPECT_VEC(*this, sp::c11::YoungRent, 300.0, 300.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(nif(1), "88888888Y");
  EXPECT_EQ(nif(0), "88888888Y");
  rows.f64(0, sp::c11::kContractHolders).set(P(), 2.0);
  run();
  EXPECT_VEC(*this, sp::c11::YoungRent, 150.0, 150.0, 0.0, 0.0, 0.0);
  ages(36, 30);
  run();
  EXPECT_VEC(*this, sp::c11::YoungRent, 150.0, 0.0, 0.0, 0.0, 0.0);
}

}  // namespace
}  // namespace regional_test

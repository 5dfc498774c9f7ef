// Section O of form 100: donations (pass 1), housing and adaptation works (pass 2), Ceuta and
// Melilla (pass 3), account deposits (pass 4), in place and on the dialogs' scratch copies.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "blocks/form100_o.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

namespace o = f100::sec_o;
namespace sum = f100::summary;
using V = std::array<double, 5>;

class SectionO : public ::testing::Test {
 protected:
  Block100 b;
  unsigned char* o = b[f100::SectionO];
  unsigned char* k = b[f100::SectionK];
  unsigned char* s = b[f100::Summary];
  unsigned char* p = b[f100::Personal];
  unsigned char* f = b[f100::Family];
  unsigned char* i = b[f100::SectionI];

  void run(int pass) { Calculos100O(o, k, s, p, f, i, pass); }
  // Community code of member m (1 unit .. 5 child 2), two characters.
  void community(int member, const char* two) { f100::personal::communityCode(member).set(p, two); }
  void communityAll(const char* two) {
    for (int m = 1; m <= 5; ++m) community(m, two);
  }
  void housing(int column, int code, double a, double b2 = 0, double c = 0, double d = 0, double e = 0) {
    o::HousingCode(column).set(o, static_cast<unsigned char>(code));
    o::HousingFinancedFirst(column).set(o, a);
    o::HousingFinancedLater(column).set(o, b2);
    o::HousingUnfinanced(column).set(o, c);
    o::HousingConstruction(column).set(o, d);
    o::HousingAccountAmount(column).set(o, e);
  }
};

void ExpectVec(const blocks::Vec5& field, const void* rec, const V& want, const char* what) {
  const V got = field.load(rec);
  for (int c = 0; c < 5; ++c) EXPECT_NEAR(got[c], want[c], 1e-9) << what << " column " << c;
}
#define EXPECT_VEC(field, rec, ...) ExpectVec(field, rec, V{__VA_ARGS__}, #field)

// ---------------------------------------------------------------------------------------------
// Pass 1

TEST_F(SectionO, DonationsConsumeTheLimitByPriority) {
  o::from_k::GeneralBaseAfterReductions.store(k, {20000, 20000, 0, 0, 0});
  o::DonationCode(0).set(o, 2);
  o::DonationPriority(0).set(o, 1000);
  o::DonationGeneral(0).set(o, 2000);
  o::DonationOtherEntities(0).set(o, 500);
  run(1);
  EXPECT_VEC(o::DonationTotal, o, 3500, 3500, 0, 0, 0);
  EXPECT_VEC(o::BothItemsTotal, o, 3500, 3500, 0, 0, 0);
  EXPECT_VEC(o::DonationLimit, o, 2000, 2000, 0, 0, 0);
  EXPECT_VEC(o::DonationAdmitted, o, 2000, 2000, 0, 0, 0);  // 1,000 at 30 %, 1,000 at 25 %, none at 10 %
  EXPECT_VEC(o::DonationDeduction, o, 550, 550, 0, 0, 0);
  EXPECT_VEC(sum::DonationState, s, 368.50, 368.50, 0, 0, 0);
  EXPECT_VEC(sum::DonationRegional, s, 181.50, 181.50, 0, 0, 0);
}

TEST_F(SectionO, Item15TakesTheLimitAfterDonationsInGeneral) {
  o::from_k::GeneralBaseAfterReductions.store(k, {0, 6000, 0, 0, 0});
  o::from_k::SpecialLiquidableBase.store(k, {0, 4000, 0, 0, 0});  // limit 1,000
  o::DonationCode(1).set(o, 2);
  o::DonationPriority(1).set(o, 200);
  o::DonationGeneral(1).set(o, 300);
  o::DonationOtherEntities(1).set(o, 500);
  o::Item15Code(2).set(o, 2);
  o::Item15Amount(2).set(o, 400);
  run(1);
  EXPECT_VEC(o::Item15Total, o, 400, 400, 0, 0, 0);
  EXPECT_VEC(o::DonationLimit, o, 0, 1000, 0, 0, 0);  // the unit has items but no base
  EXPECT_VEC(o::Item15Admitted, o, 0, 400, 0, 0, 0);
  EXPECT_VEC(o::Item15Deduction, o, 0, 60, 0, 0, 0);
  EXPECT_VEC(o::DonationAdmitted, o, 0, 600, 0, 0, 0);  // 200 + 300 + the 100 left
  EXPECT_VEC(o::DonationDeduction, o, 0, 145, 0, 0, 0);  // 60 + 75 + 10
  EXPECT_VEC(sum::Item15State, s, 0, 40.20, 0, 0, 0);
  EXPECT_VEC(sum::Item15Regional, s, 0, 19.80, 0, 0, 0);
}

TEST_F(SectionO, CommonDonationSplitsInHalvesAndEachColumnHasItsOwnLimit) {
  o::from_k::GeneralBaseAfterReductions.store(k, {100000, 100000, 2000, 0, 0});
  o::DonationCode(0).set(o, 1);
  o::DonationGeneral(0).set(o, 1000.01);
  run(1);
  EXPECT_VEC(o::DonationTotal, o, 1000.01, 500.01, 500.01, 0, 0);
  EXPECT_VEC(o::DonationLimit, o, 10000, 10000, 200, 0, 0);
  EXPECT_VEC(o::DonationAdmitted, o, 1000.01, 500.01, 200, 0, 0);
  EXPECT_VEC(o::DonationDeduction, o, 250.00, 125.00, 50, 0, 0);
}

TEST_F(SectionO, FourthAmountOnlyEntersTheTotals) {
  o::from_k::GeneralBaseAfterReductions.store(k, {50000, 50000, 0, 0, 0});
  o::DonationCode(2).set(o, 2);
  o::DonationFourth(2).set(o, 700);
  run(1);
  EXPECT_VEC(o::DonationTotal, o, 700, 700, 0, 0, 0);
  EXPECT_VEC(o::BothItemsTotal, o, 700, 700, 0, 0, 0);
  EXPECT_VEC(o::DonationLimit, o, 5000, 5000, 0, 0, 0);
  EXPECT_VEC(o::DonationAdmitted, o, 0, 0, 0, 0, 0);
  EXPECT_VEC(o::DonationDeduction, o, 0, 0, 0, 0, 0);
}

TEST_F(SectionO, NoPositiveTotalOrNegativeBasesGiveNoLimit) {
  // Column 1: negative total; column 2: negative bases.
  o::from_k::GeneralBaseAfterReductions.store(k, {0, 50000, -9000, 0, 0});
  o::from_k::SpecialLiquidableBase.store(k, {0, 0, 1000, 0, 0});
  o::DonationCode(0).set(o, 2);
  o::DonationGeneral(0).set(o, 300);
  o::DonationFourth(0).set(o, -400);
  o::DonationCode(1).set(o, 3);
  o::DonationGeneral(1).set(o, 300);
  run(1);
  EXPECT_VEC(o::DonationLimit, o, 0, 0, 0, 0, 0);
  EXPECT_VEC(o::DonationDeduction, o, 0, 0, 0, 0, 0);
}

TEST_F(SectionO, StateAndRegionalPartsRoundSeparately) {
  o::from_k::GeneralBaseAfterReductions.store(k, {0, 100, 0, 0, 0});
  o::Item15Code(0).set(o, 2);
  o::Item15Amount(0).set(o, 0.07);
  run(1);
  EXPECT_VEC(o::Item15Deduction, o, 0, 0.01, 0, 0, 0);
  EXPECT_VEC(sum::Item15State, s, 0, 0.01, 0, 0, 0);
  EXPECT_VEC(sum::Item15Regional, s, 0, 0.00, 0, 0, 0);
}

TEST(SectionOPasses, OtherPassNumbersTouchNothing) {
  Block100 b;
  for (std::size_t n = 0; n < b.bytes.size(); ++n) b.bytes[n] = static_cast<unsigned char>(n * 7 + 3);
  const std::vector<unsigned char> before = b.bytes;
  for (int pass : {0, 5, -1, 100}) {
    Calculos100O(b[f100::SectionO], b[f100::SectionK], b[f100::Summary], b[f100::Personal], b[f100::Family],
                 b[f100::SectionI], pass);
    // Nothing is read either: null records are never reached.
    Calculos100O(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, pass);
  }
  EXPECT_EQ(b.bytes, before);
}

// ---------------------------------------------------------------------------------------------
// Pass 2: housing

TEST_F(SectionO, HousingFinancedAcquisitionAboveTheThreshold) {
  communityAll("01");
  housing(0, 2, 6000, 5000);
  run(2);
  EXPECT_VEC(o::HousingFinancedFirstState, o, 905.01, 905.01, 0, 0, 0);
  EXPECT_VEC(o::HousingFinancedFirstRegional, o, 445.75, 445.75, 0, 0, 0);
  // 3,015.18 of the limit is left for b, all above the threshold.
  EXPECT_VEC(o::HousingAdmittedFinancedLater, o, 3015.18, 3015.18, 0, 0, 0);
  EXPECT_VEC(o::HousingFinancedLaterState, o, 303.03, 303.03, 0, 0, 0);
  EXPECT_VEC(o::HousingFinancedLaterRegional, o, 149.25, 149.25, 0, 0, 0);
  EXPECT_VEC(sum::HousingFinancedState, s, 1208.04, 1208.04, 0, 0, 0);
  EXPECT_VEC(sum::HousingFinancedRegional, s, 595.00, 595.00, 0, 0, 0);
}

TEST_F(SectionO, HousingLaterPeriodStraddlingTheThreshold) {
  communityAll("01");
  housing(1, 2, 3000, 3000);
  run(2);
  EXPECT_VEC(o::HousingFinancedFirstState, o, 502.50, 502.50, 0, 0, 0);
  EXPECT_VEC(o::HousingFinancedLaterState, o, 352.00, 352.00, 0, 0, 0);
}

TEST_F(SectionO, HousingLimitLeavesNothingAfterAcquisition) {
  communityAll("01");
  housing(0, 2, 10000, 500, 600, 700, 800);
  run(2);
  EXPECT_VEC(o::HousingAdmittedFinancedFirst, o, 9015.18, 9015.18, 0, 0, 0);
  for (const auto& v : {o::HousingAdmittedFinancedLater, o::HousingAdmittedUnfinanced, o::HousingAdmittedConstruction,
                        o::HousingAdmittedAccounts})
    EXPECT_VEC(v, o, 0, 0, 0, 0, 0);
  EXPECT_VEC(sum::HousingUnfinancedState, s, 0, 0, 0, 0, 0);
  EXPECT_VEC(sum::HousingConstructionState, s, 0, 0, 0, 0, 0);
  EXPECT_VEC(sum::HousingAccountState, s, 0, 0, 0, 0, 0);
}

TEST_F(SectionO, HousingUnfinancedConstructionAndAccountsShareTheRemainingLimit) {
  communityAll("01");
  housing(0, 2, 0, 0, 5000, 3000, 2000);  // the accounts get 1,015.18
  run(2);
  EXPECT_VEC(sum::HousingUnfinancedState, s, 502.50, 502.50, 0, 0, 0);
  EXPECT_VEC(sum::HousingUnfinancedRegional, s, 247.50, 247.50, 0, 0, 0);
  EXPECT_VEC(sum::HousingConstructionState, s, 301.50, 301.50, 0, 0, 0);
  EXPECT_VEC(sum::HousingConstructionRegional, s, 148.50, 148.50, 0, 0, 0);
  EXPECT_VEC(o::HousingAdmittedAccounts, o, 1015.18, 1015.18, 0, 0, 0);
  EXPECT_VEC(sum::HousingAccountState, s, 102.03, 102.03, 0, 0, 0);
  EXPECT_VEC(sum::HousingAccountRegional, s, 50.25, 50.25, 0, 0, 0);
}

TEST_F(SectionO, CatalunaEligibilityChoosesIncreasedOrReducedRates) {
  struct Case {
    int age;
    double bases;
    unsigned char flag, disability;
    bool descendant;
    double regional;  // of a = 1,000
  };
  const Case cases[] = {
      {30, 30000.00, 0, 0, false, 97.50},  {30, 30000.01, 0, 0, false, 67.50}, {33, 100, 0, 0, false, 67.50},
      {33, 100, 1, 0, false, 97.50},       {40, 90000, 0, '3', false, 97.50},  {40, 90000, 0, '2', false, 67.50},
      {40, 90000, 0, 0, true, 97.50},      {40, 90000, 0, 0, false, 67.50},
  };
  for (const Case& c : cases) {
    Block100 fresh;
    b = fresh;
    communityAll("09");
    o::from_personal::DeclarantAge.set(p, c.age);
    o::from_i::GeneralBaseAfterMinimum.store(i, {0, c.bases - 1000, 0, 0, 0});
    o::from_i::SpecialBaseAfterMinimum.store(i, {0, 1000, 0, 0, 0});
    o::DeclarantUnemployedCataluna.set(o, c.flag);
    o::from_personal::DeclarantDisability.set(p, c.disability);
    if (c.descendant) {
      f100::family::descendant::BirthDate(3).set(f, "01012000");
      f100::family::descendant::Age(3).set(f, 3);
      o::from_family::DescendantSituation(3).set(f, '3');
    }
    housing(0, 2, 1000);
    run(2);
    const std::string what = "age " + std::to_string(c.age) + " bases " + std::to_string(c.bases);
    EXPECT_NEAR(o::HousingFinancedFirstRegional.get(o, 1), c.regional, 1e-9) << what;
    EXPECT_NEAR(o::HousingFinancedFirstState.get(o, 1), 167.50, 1e-9) << what;
    // The unit is eligible through an eligible spouse or declarant with an investment.
    EXPECT_NEAR(o::HousingFinancedFirstRegional.get(o, 0), c.regional, 1e-9) << what;
  }
}

TEST_F(SectionO, DescendantConditionNeedsALivingQualifyingDescendant) {
  struct Case {
    const char* birth;
    const char* death;
    int age;
    char situation;
    bool qualifies;
  };
  const Case cases[] = {
      {"01012000", "", 3, '3', true},          {"01012000", "", 3, '1', false},
      {"01012000", "", 3, '\0', true},         {"01011980", "", 23, '2', true},
      {"01011980", "", 23, '4', true},         {"01011980", "", 23, '3', false},
      {"", "", 3, '3', false},                 {" 1012000", "", 3, '3', false},
      {"01012000", "01012003", 3, '3', false}, {"01012000", "        ", 3, '3', true},
  };
  for (const Case& c : cases) {
    Block100 fresh;
    b = fresh;
    communityAll("09");
    o::from_personal::DeclarantAge.set(p, 50);
    o::from_i::GeneralBaseAfterMinimum.store(i, {0, 90000, 0, 0, 0});
    namespace d = f100::family::descendant;
    if (*c.birth) d::BirthDate(11).set(f, c.birth);
    if (*c.death) d::DeathDate(11).set(f, c.death);
    d::Age(11).set(f, c.age);
    o::from_family::DescendantSituation(11).set(f, static_cast<unsigned char>(c.situation));
    housing(0, 2, 1000);
    run(2);
    EXPECT_NEAR(o::HousingFinancedFirstRegional.get(o, 1), c.qualifies ? 97.50 : 67.50, 1e-9)
        << c.birth << "/" << c.death << "/" << c.age << "/" << int(c.situation);
  }
}

TEST_F(SectionO, FlagsOutsideTheirCommunityAreCleared) {
  struct Case {
    const char* declarant;
    const char* spouse;
    std::array<unsigned char, 4> kept;
  };
  const Case cases[] = {
      {"01", "01", {0, 0, 0, 0}},
      {"09", "13", {1, 0, 0, 1}},
      {"13", "09", {0, 1, 1, 0}},
      {"9 ", " 9", {1, 1, 0, 0}},  // blanks around the digits
      {"+9", "-9", {1, 0, 0, 0}},
      {"x9", "9x", {0, 1, 0, 0}},  // no digits read as 0; digits stop at the first other character
  };
  for (const Case& c : cases) {
    Block100 fresh;
    b = fresh;
    community(2, c.declarant);
    community(3, c.spouse);
    for (int n = 0; n < 4; ++n) blocks::U8{o::HousingBlock.off + n}.set(o, 1);
    run(2);
    for (int n = 0; n < 4; ++n)
      EXPECT_EQ(blocks::U8{o::HousingBlock.off + n}.get(o), c.kept[n]) << c.declarant << "|" << c.spouse << " flag " << n;
  }
}

TEST_F(SectionO, CommunityCodeReadsOnlyItsTwoCharacters) {
  community(3, "13");
  blocks::U8{f100::personal::communityCode(3).off + 2}.set(p, '7');  // the next byte of the holder block
  o::SpouseEarlierMurcia.set(o, 1);
  run(2);
  EXPECT_EQ(o::SpouseEarlierMurcia.get(o), 1);
}

TEST_F(SectionO, MurciaJointReturnWithOneFlaggedSpouseSplitsTheUnitsRegionalPart) {
  communityAll("13");
  o::SpouseEarlierMurcia.set(o, 1);
  housing(0, 3, 3000, 0, 0, 1000);
  housing(1, 2, 3000, 0, 0, 1000);
  run(2);
  // Each spouse by its own set: the spouse in Murcia's, the declarant in the general one.
  EXPECT_VEC(o::HousingFinancedFirstRegional, o, 486.25, 247.50, 288.00, 0, 0);
  // The unit's state part comes from its own summed amounts.
  EXPECT_VEC(o::HousingFinancedFirstState, o, 905.01, 502.50, 502.50, 0, 0);
  EXPECT_VEC(sum::HousingFinancedRegional, s, 486.25, 247.50, 288.00, 0, 0);
  EXPECT_VEC(o::HousingAdmittedFinancedFirst, o, 6000, 3000, 3000, 0, 0);
  // Construction: the flagged spouse's d at 6.95 %, the other's at 4.95 %.
  EXPECT_VEC(sum::HousingConstructionState, s, 201.00, 100.50, 100.50, 0, 0);
  EXPECT_VEC(sum::HousingConstructionRegional, s, 119.00, 49.50, 69.50, 0, 0);
}

TEST_F(SectionO, MurciaConstructionSplitFollowsWhicheverSpouseIsFlagged) {
  for (bool declarantFlagged : {true, false}) {
    Block100 fresh;
    b = fresh;
    communityAll("13");
    (declarantFlagged ? o::DeclarantEarlierMurcia : o::SpouseEarlierMurcia).set(o, 1);
    housing(0, 2, 0, 0, 0, 1000);
    housing(1, 3, 0, 0, 0, 2000);
    run(2);
    EXPECT_NEAR(sum::HousingConstructionRegional.get(s, 0), declarantFlagged ? 168.50 : 188.50, 1e-9);
    EXPECT_NEAR(sum::HousingConstructionState.get(s, 0), 301.50, 1e-9);
  }
}

TEST_F(SectionO, MurciaSplitLeavesTheUnitItsSharedRemainingLimit) {
  communityAll("13");
  o::DeclarantEarlierMurcia.set(o, 1);
  housing(0, 2, 3000, 0, 0, 2000, 100);
  housing(1, 3, 3000, 0, 0, 2000);
  run(2);
  // 3,015.18 is left after both acquisitions: the state part caps the unit's 4,000, the regional
  // part takes the flagged declarant's 2,000 and 1,015.18 of the spouse's.
  EXPECT_VEC(o::HousingAdmittedConstruction, o, 3015.18, 2000, 2000, 0, 0);
  EXPECT_VEC(sum::HousingConstructionState, s, 303.03, 201.00, 201.00, 0, 0);
  EXPECT_VEC(sum::HousingConstructionRegional, s, 139.00 + 50.25, 139.00, 99.00, 0, 0);
  // Nothing is left for the unit's accounts; the declarant still has room.
  EXPECT_VEC(o::HousingAdmittedAccounts, o, 0, 100, 0, 0, 0);
  EXPECT_VEC(sum::HousingAccountState, s, 0, 10.05, 0, 0, 0);
}

TEST_F(SectionO, MurciaSplitBranches) {
  struct Case {
    double af, ao, bf, bo;
    double first, later;  // unit's regional parts +896 and +976
  };
  const Case cases[] = {
      // Flagged acquisition above the threshold: the Murcia K, then every other amount at 4.95 %.
      {5000, 3000, 0, 0, 605.60, 0},
      // Both acquisitions within the threshold, b straddling what is left of it.
      {1000, 1000, 1000, 2000, 178.50, 219.88},
      // Both within, b within too.
      {1000, 1000, 1000, 500, 178.50, 129.00},
      // Flagged b above what is left of the threshold.
      {1000, 1000, 3000, 1000, 178.50, 265.10 + 49.50},
      // Straddling acquisitions: the other's part is priced on its whole sum, before the cap.
      {1000, 9000, 0, 0, 96.00 + 561.25, 0},
  };
  for (const Case& c : cases) {
    Block100 fresh;
    b = fresh;
    communityAll("13");
    o::SpouseEarlierMurcia.set(o, 1);
    housing(0, 3, c.af, c.bf);
    housing(2, 2, c.ao, c.bo);
    run(2);
    EXPECT_NEAR(o::HousingFinancedFirstRegional.get(o, 0), c.first, 0.005) << c.af << " " << c.bf;
    EXPECT_NEAR(o::HousingFinancedLaterRegional.get(o, 0), c.later, 0.005) << c.af << " " << c.bf;
    EXPECT_NEAR(sum::HousingFinancedRegional.get(s, 0), c.first + c.later, 0.006);
  }
}

TEST_F(SectionO, HousingAccountsTakeCatalunaRatesOrTheGeneralOne) {
  community(1, "13");
  community(2, "09");
  community(3, "13");
  o::from_personal::DeclarantAge.set(p, 25);
  o::SpouseEarlierMurcia.set(o, 1);
  housing(0, 2, 0, 0, 0, 0, 1000);
  housing(1, 3, 0, 0, 0, 0, 1000);
  run(2);
  EXPECT_VEC(sum::HousingAccountState, s, 201.00, 100.50, 100.50, 0, 0);
  EXPECT_VEC(sum::HousingAccountRegional, s, 99.00, 64.50, 49.50, 0, 0);
}

TEST_F(SectionO, ChildrenGetHousingSumsButNoDeduction) {
  communityAll("01");
  housing(0, 4, 1000, 200, 300, 400, 500);
  housing(1, 5, 20000);
  run(2);
  EXPECT_VEC(o::HousingAdmittedFinancedFirst, o, 9015.18, 0, 0, 1000, 20000);
  EXPECT_VEC(o::HousingAdmittedFinancedLater, o, 0, 0, 0, 200, 0);
  EXPECT_VEC(o::HousingAdmittedAccounts, o, 0, 0, 0, 500, 0);
  // Only the unit's own sum yields a deduction.
  EXPECT_VEC(o::HousingFinancedFirstState, o, 1208.03, 0, 0, 0, 0);
  EXPECT_VEC(o::HousingFinancedFirstRegional, o, 595.01, 0, 0, 0, 0);
  EXPECT_VEC(sum::HousingAccountState, s, 0, 0, 0, 0, 0);
  EXPECT_VEC(sum::HousingConstructionState, s, 0, 0, 0, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Pass 2: adaptation works

TEST_F(SectionO, WorksAboveTheThresholdWithTheirOwnLimit) {
  communityAll("01");
  o::WorksCode(0).set(o, 2);
  o::WorksFinancedFirst(0).set(o, 8000);
  o::WorksFinancedLater(0).set(o, 3000);
  o::WorksUnfinanced(0).set(o, 2000);  // 1,020.24 admitted
  run(2);
  EXPECT_VEC(o::WorksFinancedFirstState, o, 1206.68, 1206.68, 0, 0, 0);
  EXPECT_VEC(o::WorksFinancedFirstRegional, o, 594.33, 594.33, 0, 0, 0);
  EXPECT_VEC(o::WorksFinancedLaterState, o, 301.50, 301.50, 0, 0, 0);
  EXPECT_VEC(o::WorksFinancedLaterRegional, o, 148.50, 148.50, 0, 0, 0);
  EXPECT_VEC(sum::WorksFinancedState, s, 1508.18, 1508.18, 0, 0, 0);
  EXPECT_VEC(sum::WorksFinancedRegional, s, 742.83, 742.83, 0, 0, 0);
  EXPECT_VEC(sum::WorksUnfinancedState, s, 102.53, 102.53, 0, 0, 0);
  EXPECT_VEC(sum::WorksUnfinancedRegional, s, 50.50, 50.50, 0, 0, 0);
}

TEST_F(SectionO, WorksCapAtTheLimitAndSumAllSixRows) {
  communityAll("01");
  o::WorksCode(5).set(o, 3);  // a row the dialog does not show
  o::WorksFinancedFirst(5).set(o, 13000);
  o::WorksFinancedLater(5).set(o, 1000);
  o::WorksUnfinanced(5).set(o, 1000);
  run(2);
  EXPECT_VEC(o::WorksFinancedFirstState, o, 1610.72, 0, 1610.72, 0, 0);
  EXPECT_VEC(o::WorksFinancedLaterState, o, 0, 0, 0, 0, 0);
  EXPECT_VEC(sum::WorksUnfinancedState, s, 0, 0, 0, 0, 0);
}

TEST_F(SectionO, WorksOfAChildInCatalunaTakeTheIncreasedRates) {
  communityAll("01");
  community(4, "09");  // child 1
  o::from_personal::DeclarantAge.set(p, 60);
  o::from_i::GeneralBaseAfterMinimum.store(i, {0, 90000, 0, 0, 0});
  o::WorksCode(1).set(o, 4);
  o::WorksFinancedFirst(1).set(o, 1000);
  o::WorksFinancedLater(1).set(o, 1000);
  housing(0, 4, 1000);
  run(2);
  EXPECT_VEC(o::WorksFinancedFirstState, o, 167.50, 0, 0, 167.50, 0);
  EXPECT_VEC(o::WorksFinancedFirstRegional, o, 82.50, 0, 0, 97.50, 0);
  EXPECT_VEC(o::WorksFinancedLaterRegional, o, 66.00, 0, 0, 81.00, 0);
  EXPECT_VEC(o::HousingFinancedFirstRegional, o, 82.50, 0, 0, 0, 0);  // the child's housing gives nothing
}

// ---------------------------------------------------------------------------------------------
// Pass 3: Ceuta and Melilla

TEST_F(SectionO, CeutaShareOfTheGeneralQuota) {
  o::from_i::GeneralTaxBase.store(i, {20000, 20000, 0, 0, 0});
  o::from_summary::GeneralQuotaState.store(s, {2700, 2700, 0, 0, 0});
  o::from_summary::GeneralQuotaRegional.store(s, {1300, 1300, 0, 0, 0});
  o::CeutaCode(4).set(o, 2);
  o::CeutaGeneral(4).set(o, 5000);
  run(3);
  // The unit's column comes from the joint amounts alone, here 0.
  EXPECT_DOUBLE_EQ(o::CeutaShareGeneral(1).get(o), 1000.00);
  EXPECT_DOUBLE_EQ(o::CeutaShareGeneral(0).get(o), 0.0);
  EXPECT_VEC(o::CeutaDeduction, o, 0, 500, 0, 0, 0);
  EXPECT_VEC(sum::CeutaState, s, 0, 335, 0, 0, 0);
  EXPECT_VEC(sum::CeutaRegional, s, 0, 165, 0, 0, 0);
}

TEST_F(SectionO, CeutaSharesAreCutToTheQuotaAndNeedPositiveBases) {
  o::from_i::GeneralTaxBase.store(i, {10000, 1000, 0, 0, 5000});
  o::from_i::SpecialTaxBase.store(i, {10000, 0, 0, 0, 0});
  o::from_summary::GeneralQuotaState.store(s, {1000, 150, 800, 0, 600});
  o::from_summary::GeneralQuotaRegional.store(s, {500, 50, 400, 0, 300});
  o::from_summary::SpecialQuotaState.store(s, {1000, 0, 0, 0, 0});
  o::from_summary::SpecialQuotaRegional.store(s, {500, 0, 0, 0, 0});
  o::CeutaJointGeneral.set(o, 3000);
  o::CeutaJointSpecial.set(o, 2000);
  o::CeutaCode(0).set(o, 2);
  o::CeutaGeneral(0).set(o, 5000);  // above the base of 1,000
  o::CeutaCode(1).set(o, 3);
  o::CeutaGeneral(1).set(o, 5000);  // no base: no share, no division
  o::CeutaCode(2).set(o, 5);
  o::CeutaGeneral(2).set(o, -100);  // negative income
  run(3);
  const double general[5] = {450, 200, 0, 0, 0};
  const double special[5] = {300, 0, 0, 0, 0};
  for (int m = 0; m < 5; ++m) {
    EXPECT_DOUBLE_EQ(o::CeutaShareGeneral(m).get(o), general[m]) << m;
    EXPECT_DOUBLE_EQ(o::CeutaShareSpecial(m).get(o), special[m]) << m;
  }
  EXPECT_VEC(o::CeutaDeduction, o, 375, 100, 0, 0, 0);
  EXPECT_VEC(sum::CeutaState, s, 251.25, 67, 0, 0, 0);
  EXPECT_VEC(sum::CeutaRegional, s, 123.75, 33, 0, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Pass 4: account deposits

TEST_F(SectionO, DepositsCapPerColumn) {
  o::DepositCode(0).set(o, 2);
  o::DepositAmount(0).set(o, 12000);
  o::DepositCode(2).set(o, 1);
  o::DepositAmount(2).set(o, 10000);  // 5,000 to each spouse, the unit capped on the whole
  run(4);
  EXPECT_VEC(o::DepositDeduction, o, 1350, 1350, 750, 0, 0);
  EXPECT_VEC(sum::DepositState, s, 904.50, 904.50, 502.50, 0, 0);
  EXPECT_VEC(sum::DepositRegional, s, 445.50, 445.50, 247.50, 0, 0);
}

TEST_F(SectionO, CommonDepositHalvesAreCappedEachOnTheirOwn) {
  o::DepositCode(1).set(o, 1);
  o::DepositAmount(1).set(o, 24000);
  run(4);
  EXPECT_VEC(o::DepositDeduction, o, 1350, 1350, 1350, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Scratch copies and repeated calculation

// A declaration that reaches every pass, with Cataluña's and Murcia's variants in play.
void Populate(Block100& b) {
  unsigned char* o = b[f100::SectionO];
  unsigned char* p = b[f100::Personal];
  f100::personal::communityCode(1).set(p, "13");
  f100::personal::communityCode(2).set(p, "09");
  f100::personal::communityCode(3).set(p, "13");
  f100::personal::communityCode(4).set(p, "09");
  o::from_personal::DeclarantAge.set(p, 29);
  o::from_k::GeneralBaseAfterReductions.store(b[f100::SectionK], {60000, 35000, 25000, 0, 0});
  o::from_k::SpecialLiquidableBase.store(b[f100::SectionK], {2000, 1000, 1000, 0, 0});
  o::from_i::GeneralTaxBase.store(b[f100::SectionI], {60000, 35000, 25000, 0, 0});
  o::from_i::SpecialTaxBase.store(b[f100::SectionI], {2000, 1000, 1000, 0, 0});
  o::from_i::GeneralBaseAfterMinimum.store(b[f100::SectionI], {50000, 28000, 20000, 0, 0});
  o::from_summary::GeneralQuotaState.store(b[f100::Summary], {9000, 5500, 3500, 0, 0});
  o::from_summary::GeneralQuotaRegional.store(b[f100::Summary], {3000, 1800, 1200, 0, 0});
  o::from_summary::SpecialQuotaState.store(b[f100::Summary], {300, 150, 150, 0, 0});
  o::from_summary::SpecialQuotaRegional.store(b[f100::Summary], {60, 30, 30, 0, 0});
  o::Item15Code(0).set(o, 1);
  o::Item15Amount(0).set(o, 333.33);
  o::DonationCode(0).set(o, 2);
  o::DonationPriority(0).set(o, 1200);
  o::DonationGeneral(0).set(o, 2500);
  o::DonationCode(1).set(o, 3);
  o::DonationOtherEntities(1).set(o, 900);
  o::SpouseEarlierMurcia.set(o, 1);
  o::DeclarantUnemployedCataluna.set(o, 1);
  o::DeclarantEarlierMurcia.set(o, 1);  // cleared: the declarant lives in Cataluña
  const double housing[3][6] = {{2, 3000, 1000, 500, 700, 400}, {3, 5000, 2000, 0, 900, 300}, {4, 800, 0, 0, 0, 100}};
  for (int n = 0; n < 3; ++n) {
    o::HousingCode(n).set(o, static_cast<unsigned char>(housing[n][0]));
    o::HousingFinancedFirst(n).set(o, housing[n][1]);
    o::HousingFinancedLater(n).set(o, housing[n][2]);
    o::HousingUnfinanced(n).set(o, housing[n][3]);
    o::HousingConstruction(n).set(o, housing[n][4]);
    o::HousingAccountAmount(n).set(o, housing[n][5]);
  }
  o::WorksCode(0).set(o, 1);
  o::WorksFinancedFirst(0).set(o, 7000);
  o::WorksFinancedLater(0).set(o, 800);
  o::WorksCode(3).set(o, 4);
  o::WorksUnfinanced(3).set(o, 1500);
  o::CeutaCode(0).set(o, 2);
  o::CeutaGeneral(0).set(o, 4000);
  o::CeutaSpecial(0).set(o, 500);
  o::CeutaJointGeneral.set(o, 4000);
  o::DepositCode(1).set(o, 3);
  o::DepositAmount(1).set(o, 7000);
}

TEST(SectionOPasses, CalculatingTwiceGivesTheSameBlock) {
  Block100 b;
  Populate(b);
  auto runAll = [&] {
    for (int pass = 1; pass <= 4; ++pass)
      Calculos100O(b[f100::SectionO], b[f100::SectionK], b[f100::Summary], b[f100::Personal], b[f100::Family],
                   b[f100::SectionI], pass);
  };
  runAll();
  const std::vector<unsigned char> first = b.bytes;
  EXPECT_EQ(o::DeclarantEarlierMurcia.get(b[f100::SectionO]), 0);
  EXPECT_NE(sum::HousingFinancedRegional.get(b[f100::Summary], 0), 0.0);
  runAll();
  EXPECT_EQ(b.bytes, first);
}

// Each pass reaches only the records it names: the others may be absent.
TEST(SectionOPasses, EachPassReadsOnlyItsOwnRecords) {
  Block100 b, reference;
  Populate(b);
  Populate(reference);
  unsigned char* o = b[f100::SectionO];
  unsigned char* s = b[f100::Summary];
  Calculos100O(o, b[f100::SectionK], s, nullptr, nullptr, nullptr, 1);
  Calculos100O(o, nullptr, s, b[f100::Personal], b[f100::Family], b[f100::SectionI], 2);
  Calculos100O(o, nullptr, s, nullptr, nullptr, b[f100::SectionI], 3);
  Calculos100O(o, nullptr, s, nullptr, nullptr, nullptr, 4);
  for (int pass = 1; pass <= 4; ++pass)
    Calculos100O(reference[f100::SectionO], reference[f100::SectionK], reference[f100::Summary],
                 reference[f100::Personal], reference[f100::Family], reference[f100::SectionI], pass);
  EXPECT_EQ(b.bytes, reference.bytes);
}

// The housing wizard's compensation page runs pass 2 on a copy of the record holding its working
// housing block, with the document's other records.
TEST(SectionOPasses, HousingPassOnAScratchCopyMatchesTheSamePassInPlace) {
  Block100 doc;
  Populate(doc);
  Calculos100O(doc[f100::SectionO], doc[f100::SectionK], doc[f100::Summary], doc[f100::Personal], doc[f100::Family],
               doc[f100::SectionI], 2);
  // The wizard's working copy, where the user changed the first column.
  std::array<unsigned char, o::HousingBlock.size> working{};
  o::HousingBlock.copyOut(doc[f100::SectionO], working.data());
  blocks::F64{o::HousingFinancedFirst(0).off - o::HousingBlock.off}.set(working.data(), 9000.0);
  std::array<unsigned char, o::kSize> scratch{};
  std::memcpy(scratch.data(), doc[f100::SectionO], o::kSize);
  o::HousingBlock.copyIn(scratch.data(), working.data());

  Block100 reference = doc;
  o::HousingBlock.copyIn(reference[f100::SectionO], working.data());
  Calculos100O(reference[f100::SectionO], reference[f100::SectionK], reference[f100::Summary],
               reference[f100::Personal], reference[f100::Family], reference[f100::SectionI], 2);

  const std::vector<unsigned char> before = doc.bytes;
  Calculos100O(scratch.data(), doc[f100::SectionK], doc[f100::Summary], doc[f100::Personal], doc[f100::Family],
               doc[f100::SectionI], 2);
  // The copy holds what the pass computes in place; the document's record is untouched, and only
  // the pass's own summary slots (+640 to +1080) of the document changed.
  EXPECT_EQ(0, std::memcmp(scratch.data(), reference[f100::SectionO], o::kSize));
  EXPECT_EQ(0, std::memcmp(doc[f100::SectionO], before.data() + f100::SectionO.offset, o::kSize));
  EXPECT_EQ(doc.bytes.size(), reference.bytes.size());
  for (std::size_t n = 0; n < doc.bytes.size(); ++n) {
    const std::size_t off = n - f100::Summary.offset;
    const bool slot = n >= f100::Summary.offset && off >= 640 && off < 1120;
    if (n >= f100::SectionO.offset && n < f100::SectionO.offset + o::kSize) continue;
    if (slot)
      ASSERT_EQ(doc.bytes[n], reference.bytes[n]) << "summary +" << off;
    else
      ASSERT_EQ(doc.bytes[n], before[n]) << "byte " << n;
  }
  EXPECT_NE(sum::HousingFinancedState.get(doc[f100::Summary], 1), sum::HousingFinancedState.get(before.data() + f100::Summary.offset, 1));
}

// The Ceuta and Melilla dialog runs pass 3 on a copy holding its own block and takes the block back
// to show the shares.
TEST(SectionOPasses, CeutaPassOnAScratchCopyGivesTheDialogItsShares) {
  Block100 doc;
  Populate(doc);
  std::array<unsigned char, o::CeutaBlock.size> dialog{};
  o::CeutaBlock.copyOut(doc[f100::SectionO], dialog.data());
  // Row 5 of the dialog's copy: the spouse's income in the general part.
  blocks::U8{o::CeutaCode(5).off - o::CeutaBlock.off}.set(dialog.data(), 3);
  blocks::F64{o::CeutaGeneral(5).off - o::CeutaBlock.off}.set(dialog.data(), 6000.0);

  std::array<unsigned char, o::kSize> scratch{};
  std::memcpy(scratch.data(), doc[f100::SectionO], o::kSize);
  o::CeutaBlock.copyIn(scratch.data(), dialog.data());
  const std::vector<unsigned char> before = doc.bytes;
  Calculos100O(scratch.data(), doc[f100::SectionK], doc[f100::Summary], doc[f100::Personal], doc[f100::Family],
               doc[f100::SectionI], 3);
  o::CeutaBlock.copyOut(scratch.data(), dialog.data());

  EXPECT_EQ(0, std::memcmp(doc[f100::SectionO], before.data() + f100::SectionO.offset, o::kSize));
  // Spouse: 6,000 / 25,000 of a general quota of 4,700; declarant: 4,000 / 35,000 of 7,300 and
  // 500 / 1,000 of 180; unit: the joint 4,000 / 60,000 of 12,000.
  auto share = [&](blocks::F64 field) { return blocks::F64{field.off - o::CeutaBlock.off}.get(dialog.data()); };
  EXPECT_DOUBLE_EQ(share(o::CeutaShareGeneral(2)), 1128.00);
  EXPECT_DOUBLE_EQ(share(o::CeutaShareGeneral(1)), 834.29);
  EXPECT_DOUBLE_EQ(share(o::CeutaShareSpecial(1)), 90.00);
  EXPECT_DOUBLE_EQ(share(o::CeutaShareGeneral(0)), 800.00);
  EXPECT_DOUBLE_EQ(share(o::CeutaShareSpecial(0)), 0.0);
  EXPECT_VEC(sum::CeutaState, doc[f100::Summary], 268.00, 309.64, 377.88, 0, 0);
  EXPECT_VEC(sum::CeutaRegional, doc[f100::Summary], 132.00, 152.51, 186.12, 0, 0);
}

}  // namespace

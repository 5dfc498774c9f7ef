#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "fixture.h"
#include "form100_i.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_i;
namespace jf = f100::sec_j;
namespace desc = f100::sec_i::family::descendant;
namespace asc = f100::sec_i::family::ascendant;
using V = blocks::Vec5::Values;

struct I : ::testing::Test {
  Block100 b;
  unsigned char* i = b[f100::SectionI];
  unsigned char* j = b[f100::SectionJ];
  unsigned char* per = b[f100::Personal];
  unsigned char* fam = b[f100::Family];
  void run(int pass) {
    Calculos100I(i, per, fam, b[f100::SectionH], b[f100::SectionA], b[f100::SectionB], b[f100::SectionC],
                 b[f100::SectionD], b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1],
                 b[f100::SectionF2], b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5], b[f100::SectionG6], j,
                 pass);
  }
  void runAll() {
    for (int pass = 1; pass <= 16; ++pass) run(pass);
  }
  void child(int e, int age, const char* birth = "01012000") {
    desc::Age(e).set(fam, age);
    desc::BirthDate(e).set(fam, birth);
  }
  void work(double declarant) {
    f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{declarant, declarant, 0, 0, 0});
  }
};

TEST(MinimoDescendiente, ByRank) {
  const double full[] = {1400, 1500, 2200, 2300, 2300};
  for (int rank = 0; rank < 5; ++rank) {
    EXPECT_DOUBLE_EQ(tv::MinimoDescendiente(rank, 0), full[rank]);
    EXPECT_DOUBLE_EQ(tv::MinimoDescendiente(rank, 1), full[rank] / 2);
  }
}

TEST_F(I, PersonalMinimumByKindOfUnit) {
  run(1);
  EXPECT_EQ(PersonalMinimum.load(i), (V{5550, 3400, 3400, 3400, 3400}));
  desc::Situation(11).set(fam, '3');  // any entry, used or not
  run(1);
  EXPECT_DOUBLE_EQ(PersonalMinimum.load(i)[0], 3400);
  personal::UnitKind.set(per, 1);
  run(1);
  EXPECT_DOUBLE_EQ(PersonalMinimum.load(i)[0], 6800);
  family::SingleMinimum.set(fam, 1);
  run(1);
  EXPECT_DOUBLE_EQ(PersonalMinimum.load(i)[0], 3400);
}

TEST_F(I, DescendantsRankedOldestFirst) {
  personal::UnitKind.set(per, 1);
  child(0, 5);
  child(1, 2);
  child(2, 10);
  run(2);
  // Full in the unit of a couple; each spouse half by rank.
  EXPECT_EQ(DescendantsMinimum.load(i), (V{5100, 2550, 2550, 0, 0}));

  // A one-parent unit: only the entry marked "1" counts whole, so the order shows.
  personal::UnitKind.set(per, 2);
  desc::Entitlement(2, 0).set(fam, '1');
  run(2);
  EXPECT_DOUBLE_EQ(DescendantsMinimum.load(i)[0], 1400 + 750 + 1100);

  // No entitlement in the spouse's column; a deceased descendant counts at the fixed amount.
  desc::Entitlement(0, 2).set(fam, '2');
  desc::DeathDate(3).set(fam, "01052003");
  desc::Age(3).set(fam, 30);
  desc::Entitlement(3, 0).set(fam, '1');
  run(2);
  const V v = DescendantsMinimum.load(i);
  EXPECT_DOUBLE_EQ(v[0], 1400 + 1400 + 750 + 1100);
  EXPECT_DOUBLE_EQ(v[2], 700 + 750);  // the 30-year-old is past 25 in the spouses' columns
}

TEST_F(I, MinimumAppliedToGeneralThenSpecialBase) {
  Minimum.store(i, V{5000, 5000, 0, 0, 0});
  f100::sec_h::GeneralBase.store(b[f100::SectionH], V{2000, 2000, -50, 0, 0});
  f100::sec_h::SpecialBase.store(b[f100::SectionH], V{10000, 1000, 0, 0, 0});
  run(4);
  run(5);
  EXPECT_EQ(MinimumOnGeneral.load(i), (V{2000, 2000, 0, 0, 0}));
  EXPECT_EQ(GeneralAfterMinimum.load(i), (V{0, 0, -50, 0, 0}));
  EXPECT_EQ(MinimumOnSpecial.load(i), (V{3000, 1000, 0, 0, 0}));
  EXPECT_EQ(SpecialAfterMinimum.load(i), (V{7000, 0, 0, 0, 0}));
}

TEST_F(I, ReductionForNetWorkIncome) {
  struct Case { double work, other, reduction; };
  const Case cases[] = {{10000, 1000, 3087.62}, {10000, 7000, 2400}, {5000, 0, 3500}, {2000, 0, 2000},
                        {14000, 0, 2400},      {8200, 0, 3500},     {-10, 0, 0}};
  for (const Case& c : cases) {
    work(c.work);
    f100::sec_b::NetBeforeReductions.store(b[f100::SectionB], V{c.other, c.other, 0, 0, 0});
    run(6);
    EXPECT_DOUBLE_EQ(jf::WorkIncome.load(j)[1], c.reduction) << c.work << " " << c.other;
  }
}

TEST_F(I, IncrementsAndDisabledWorkersWithinWorkIncome) {
  personal::Age(1).set(per, 66);
  family::ProlongedWorkingLife(1).set(fam, 1);
  family::GeographicMobility(1).set(fam, 1);
  personal::WorkerDisability(1).set(per, '2');
  personal::WorkerDisability(2).set(per, '1');  // the spouse has no work income
  work(10000);
  for (int pass = 6; pass <= 8; ++pass) run(pass);
  run(14);
  EXPECT_EQ(jf::ProlongedLife.load(j), (V{3087.62, 3087.62, 0, 0, 0}));
  EXPECT_EQ(jf::Mobility.load(j), (V{3087.62, 3087.62, 0, 0, 0}));
  const double left = 10000 - 3087.62 - 3087.62 - 3087.62;
  EXPECT_EQ(jf::DisabledWorkers.load(j), (V{left, left, 0, 0, 0}));

  work(5000);
  for (int pass = 6; pass <= 8; ++pass) run(pass);
  run(14);
  EXPECT_EQ(jf::WorkIncome.load(j), (V{3500, 3500, 0, 0, 0}));
  EXPECT_EQ(jf::ProlongedLife.load(j), (V{1500, 1500, 0, 0, 0}));
  EXPECT_EQ(jf::Mobility.load(j), (V{0, 0, 0, 0, 0}));
  EXPECT_EQ(jf::DisabledWorkers.load(j), (V{0, 0, 0, 0, 0}));
}

TEST_F(I, AgeDisabilityAndAssistanceOfMembersAndRelatives) {
  personal::UnitKind.set(per, 1);
  personal::Age(1).set(per, 70);
  personal::Age(2).set(per, 80);
  personal::DisabilityCode(2).set(per, '3');
  // An ascendant of 80 with severe disability, shared with another person, claimed by the declarant.
  asc::Age(0).set(fam, 80);
  asc::Presence(0).set(fam, 'S');
  asc::Disability(0).set(fam, '3');
  asc::Entitlement(0, 1).set(fam, '1');
  asc::Sharers(0).set(fam, 2.0);
  // A child of 2 and one of 5 adopted in 2001, the younger with moderate disability.
  child(0, 2, "01062001");
  desc::Disability(0).set(fam, '1');
  child(1, 5, "01011998");
  desc::AdoptionDate(1).set(fam, "15052001");
  runAll();
  EXPECT_EQ(jf::ChildrenUnderThree.load(j), (V{2400, 1200, 1200, 0, 0}));
  EXPECT_EQ(jf::AgeOver64.load(j), (V{1600 + 400, 800 + 400, 800, 0, 0}));
  EXPECT_EQ(jf::AgeOver74.load(j), (V{1000 + 500, 0 + 500, 1000, 0, 0}));
  EXPECT_EQ(jf::MembersDisability.load(j), (V{5000, 0, 5000, 0, 0}));
  EXPECT_EQ(jf::RelativesDisability.load(j), (V{2000 + 2500, 1000 + 2500, 1000, 0, 0}));
  EXPECT_EQ(jf::Assistance.load(j), (V{2000 + 1000, 0 + 1000, 2000, 0, 0}));
  const V total = jf::Total.load(j);
  EXPECT_DOUBLE_EQ(total[0], 2400 + 2000 + 1500 + 5000 + 4500 + 3000);

  const std::vector<unsigned char> once(b.bytes);
  runAll();
  EXPECT_EQ(b.bytes, once);
  run(17);
  run(0);
  EXPECT_EQ(b.bytes, once);
}

}  // namespace

// Section E4: activities in objective estimation (modules).
#include <gtest/gtest.h>

#include "blocks/form100_e4.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;

constexpr double kNoExcess = 1e9;  // an excess threshold no yield reaches

struct Form100E4 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionE4];
  int row = 0;
  double get(blocks::F64 f) { return f(static_cast<std::size_t>(row), e4::kRowSize).get(rec); }
  void set(blocks::F64 f, double v) { f(static_cast<std::size_t>(row), e4::kRowSize).set(rec, v); }
  void setByte(blocks::U8 f, int v) { f(static_cast<std::size_t>(row), e4::kRowSize).set(rec, static_cast<unsigned char>(v)); }
  void activity(int r, int code, int number) {
    row = r;
    setByte(e4::Holder, code);
    e4::Activity(static_cast<std::size_t>(r), e4::kRowSize).set(rec, number);
    set(e4::ExcessThreshold, kNoExcess);
  }
  void module(int k, int kind, double h1, double h2, double h3, double amount) {
    e4::moduleKind(row, k).set(rec, static_cast<unsigned char>(kind));
    e4::moduleField(mod::Hours1, row, k).set(rec, h1);
    e4::moduleField(mod::Hours2, row, k).set(rec, h2);
    e4::moduleField(mod::Hours3, row, k).set(rec, h3);
    e4::moduleField(mod::AmountPerUnit, row, k).set(rec, amount);
  }
  void previous(int k, double h1, double h2, double h3) {
    e4::moduleField(mod::PreviousHours1, row, k).set(rec, h1);
    e4::moduleField(mod::PreviousHours2, row, k).set(rec, h2);
    e4::moduleField(mod::PreviousHours3, row, k).set(rec, h3);
  }
  // A module counted in units entered directly, worth units x amount.
  void units(int k, double n, double amount) {
    e4::moduleKind(row, k).set(rec, 5);
    e4::moduleField(mod::Units, row, k).set(rec, n);
    e4::moduleField(mod::AmountPerUnit, row, k).set(rec, amount);
  }
  double moduleUnits(int k) { return e4::moduleField(mod::Units, row, k).get(rec); }
  void run() { Calculos100E4(rec); }
};

TEST_F(Form100E4, PersonsOfStaffFromHours) {
  activity(0, 2, 500);
  module(0, 1, 3600, 0, 0, 100.00);       // salaried: 2.00
  module(1, 15, 3600, 1000, 0, 100.00);   // (600 + 3600) / 1800 = 2.33
  module(2, 16, 1000, 0, 2000, 100.00);   // agreement hours of its own: 0.50
  module(3, 2, 2000, 900, 0, 100.00);     // non-salaried, one employee at most: 1.25
  run();
  EXPECT_DOUBLE_EQ(moduleUnits(0), 2.00);
  EXPECT_DOUBLE_EQ(moduleUnits(1), 2.33);
  EXPECT_DOUBLE_EQ(moduleUnits(2), 0.50);
  EXPECT_DOUBLE_EQ(moduleUnits(3), 1.25);
  EXPECT_DOUBLE_EQ(e4::moduleField(mod::Yield, 0, 1).get(rec), 233.00);
  EXPECT_DOUBLE_EQ(get(e4::PreviousNet), 200 + 233 + 50 + 125);

  set(e4::MaxEmployees, 2);
  run();
  EXPECT_DOUBLE_EQ(moduleUnits(3), 1.50);
}

TEST_F(Form100E4, ReductionForSalariedStaffAndItsIncrease) {
  activity(0, 2, 500);
  module(0, 1, 5400, 0, 0, 1000.00);  // 3.00 persons
  previous(0, 3600, 0, 0);           // 2.00 persons the year before
  run();
  EXPECT_DOUBLE_EQ(get(e4::StaffReduction), 400.00);  // C(3) = 0.40
  setByte(e4::StaffIncreased, 1);
  run();
  EXPECT_DOUBLE_EQ(get(e4::StaffReduction), 650.00);  // 0.4 x 1 + C(2)
  previous(0, 7200, 0, 0);  // no increase after all
  run();
  EXPECT_DOUBLE_EQ(get(e4::StaffReduction), 400.00);
}

TEST_F(Form100E4, StaffCoefficientIsProgressive) {
  struct Case { double hours; double reduction; };
  // C(1) = 0.10, C(5) = 0.80, C(8) = 1.55, C(10) = 2.15, C(0.5) = 0.05
  for (const Case c : {Case{1800, 100}, Case{9000, 800}, Case{14400, 1550}, Case{18000, 2150}, Case{900, 50}}) {
    activity(0, 2, 500);
    module(0, 1, c.hours, 0, 0, 1000.00);
    run();
    EXPECT_DOUBLE_EQ(get(e4::StaffReduction), c.reduction) << c.hours;
  }
}

TEST_F(Form100E4, TwoStaffModulesShareTheReduction) {
  activity(0, 3, 120);
  module(0, 1, 3600, 0, 0, 1000.00);  // 2 persons
  module(1, 1, 1800, 0, 0, 400.00);   // 1 person
  run();
  // C(3) = 0.40: 0.40 x 2/3 x 1000 + 0.40 x 1/3 x 400
  EXPECT_DOUBLE_EQ(get(e4::StaffReduction), 320.00);
}

TEST_F(Form100E4, SeasonalIndexThenExcessAndNoNewActivityIndex) {
  activity(0, 2, 500);
  units(1, 10, 1000.00);  // reduced net 10000
  set(e4::SeasonalDays, 90);
  set(e4::StartYear, 2003);
  run();
  EXPECT_DOUBLE_EQ(get(e4::SeasonalIndex), 1.35);
  EXPECT_DOUBLE_EQ(get(e4::NewActivityIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e4::ActivityNet), 13500.00);

  set(e4::ExcessThreshold, 12000.00);  // 12000 + 1500 x 1.30
  run();
  EXPECT_DOUBLE_EQ(get(e4::ExcessIndex), 1.30);
  EXPECT_DOUBLE_EQ(get(e4::ActivityNet), 13950.00);

  struct Case { double days; double index; };
  for (const Case c : {Case{60, 1.50}, Case{61, 1.35}, Case{180, 1.25}, Case{181, 0.0}}) {
    set(e4::SeasonalDays, c.days);
    set(e4::ExcessThreshold, kNoExcess);
    run();
    EXPECT_DOUBLE_EQ(get(e4::SeasonalIndex), c.index) << c.days;
  }
}

TEST_F(Form100E4, ExcessAndNewActivityIndices) {
  activity(0, 2, 500);
  units(1, 12, 1000.00);
  set(e4::ExcessThreshold, 10000.00);
  run();
  EXPECT_DOUBLE_EQ(get(e4::NetAfterIndices), 12600.00);

  set(e4::StartYear, 2002);
  run();
  EXPECT_DOUBLE_EQ(get(e4::NewActivityIndex), 0.90);
  EXPECT_DOUBLE_EQ(get(e4::NetAfterIndices), 11340.00);
  set(e4::StartYear, 2003);
  run();
  EXPECT_DOUBLE_EQ(get(e4::NetAfterIndices), 10080.00);
  set(e4::StartYear, 2001);
  run();
  EXPECT_DOUBLE_EQ(get(e4::NewActivityIndex), 0.0);
}

TEST_F(Form100E4, ActivityIndexByClass) {
  struct Case { int activity; double sizeClass; double vehicles; double index; };
  const Case cases[] = {{143, 2, 0, 0.95}, {143, 4, 0, 0.80}, {143, 9, 0, 1.00}, {174, 5, 0, 0.75},
                        {174, 2, 0, 0.90}, {173, 0, 1, 0.80}, {173, 0, 2, 0.0},  {175, 0, 1, 0.80},
                        {227, 1, 0, 0.75}, {227, 6, 0, 0.95}, {227, 7, 0, 0.0},  {500, 1, 1, 0.0}};
  for (const Case& c : cases) {
    Block100 fresh;
    blk = fresh;
    rec = blk[f100::SectionE4];
    activity(0, 2, c.activity);
    units(1, 10, 1000.00);
    set(e4::SizeClass, c.sizeClass);
    set(e4::Vehicles, c.vehicles);
    run();
    EXPECT_DOUBLE_EQ(get(e4::ActivityIndex), c.index) << c.activity << " class " << c.sizeClass;
    EXPECT_DOUBLE_EQ(get(e4::ActivityNet), c.index == 0 ? 10000.00 : 10000.00 * c.index) << c.activity;
  }
}

TEST_F(Form100E4, SingleVehicleIndexNeedsNoSalariedHours) {
  activity(0, 2, 178);
  units(1, 10, 1000.00);
  set(e4::Vehicles, 1);
  module(0, 1, 100, 0, 0, 0.0);
  run();
  EXPECT_DOUBLE_EQ(get(e4::ActivityIndex), 0.0);
}

TEST_F(Form100E4, SmallBusinessIndex) {
  activity(0, 2, 500);
  units(1, 10, 1000.00);
  setByte(e4::SinglePremises, 1);
  set(e4::SizeClass, 2);
  set(e4::ExcessThreshold, 0.0);  // the excess index does not follow a small-business index
  run();
  EXPECT_DOUBLE_EQ(get(e4::SmallBusinessIndex), 0.75);
  EXPECT_DOUBLE_EQ(get(e4::ExcessIndex), 0.0);
  EXPECT_DOUBLE_EQ(get(e4::ActivityNet), 7500.00);

  module(0, 1, 0, 10, 0, 0.0);  // salaried hours, whatever the class
  run();
  EXPECT_DOUBLE_EQ(get(e4::SmallBusinessIndex), 0.90);

  set(e4::Vehicles, 1);
  setByte(e4::HeavyVehicle, 1);
  set(e4::ExcessThreshold, kNoExcess);
  run();
  EXPECT_DOUBLE_EQ(get(e4::SmallBusinessIndex), 0.0);

  activity(1, 3, 143);
  units(1, 10, 1000.00);
  setByte(e4::SinglePremises, 1);
  set(e4::SizeClass, 5);
  run();
  EXPECT_DOUBLE_EQ(get(e4::SmallBusinessIndex), 0.70);
  EXPECT_DOUBLE_EQ(get(e4::ActivityIndex), 0.80);
  EXPECT_DOUBLE_EQ(get(e4::ActivityNet), 10000.00 * 0.80 * 0.70);
}

TEST_F(Form100E4, NegativeReducedNetTakesNoIndex) {
  activity(0, 2, 143);
  units(1, 1, 500.00);
  set(e4::FurtherReduction, 1000.00);
  set(e4::SeasonalDays, 30);
  set(e4::ExcessThreshold, -1e9);
  set(e4::Subtracted1, 10.00);
  set(e4::Subtracted2, 20.00);
  set(e4::Added, 5.00);
  set(e4::LastReduction, 1.00);
  run();
  for (blocks::F64 f : {e4::ActivityIndex, e4::SmallBusinessIndex, e4::SeasonalIndex, e4::ExcessIndex,
                        e4::NewActivityIndex})
    EXPECT_DOUBLE_EQ(get(f), 0.0);
  EXPECT_DOUBLE_EQ(get(e4::ActivityNet), -500.00 - 10.00 - 20.00 + 5.00 - 1.00);
}

TEST_F(Form100E4, ActivitiesAddUpByHolder) {
  activity(0, 2, 500);
  units(1, 1, 1000.00);
  activity(1, 2, 500);
  units(1, 2, 1000.00);
  activity(2, 5, 500);
  units(1, 3, 1000.00);
  activity(3, 0, 500);  // a row without holder still counts in the family unit
  units(1, 4, 1000.00);
  run();
  ExpectVec(rec, e4::NetYields, {10000, 3000, 0, 0, 3000});
  ExpectIdempotent(blk, [&] { run(); });
}

TEST_F(Form100E4, HolderCodesWithoutAColumnOfTheirOwn) {
  activity(0, 1, 500);  // common: halves, the family unit once
  units(1, 1, 1000.01);
  activity(1, 9, 500);  // no such holder: the family unit only
  units(1, 2, 1000.00);
  run();
  ExpectVec(rec, e4::NetYields, {3000.01, 500.01, 500.01, 0, 0});
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "blocks/form100_liquidation.h"
#include "blocks/form100_n.h"
#include "blocks/form100_result.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

using V = blocks::Vec5::Values;
namespace sm = f100::summary;
namespace li = f100::sec_li;
namespace en = f100::sec_li::entries;

// Runs one pass with the block's records; a dialog's working copy may stand for the summary or Q.
void Li(Block100& b, int pass, void* summary = nullptr, void* q = nullptr) {
  using namespace f100;
  Calculos100Li(summary ? summary : b[Summary], b[SectionH], q ? q : b[SectionQ], b[SectionB], b[SectionF1],
                b[SectionK], b[SectionD], b[SectionF2], b[SectionE1], b[SectionE4], b[SectionE5], b[SectionC],
                b[SectionF3], b[SectionF4], b[SectionF5], b[SectionG6], b[SectionI], b[SectionA], b[SectionJ],
                b[Result], b[Family], pass);
}
void LiAll(Block100& b) {
  for (int p = 1; p <= 5; ++p) Li(b, p);
}

void entry(void* rec, const li::Entries& e, int i, int code, std::size_t at, double amount) {
  e.code(i).set(rec, static_cast<unsigned char>(code));
  e.amount(i, at).set(rec, amount);
}

void expectVec(const void* rec, blocks::Vec5 f, const V& want, const char* what) {
  const V got = f.load(rec);
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(got[k], want[k], 1e-9) << what << " column " << k;
}

struct Liquidation : ::testing::Test {
  Block100 b;
  unsigned char* s = b[f100::Summary];
  unsigned char* q = b[f100::SectionQ];
  unsigned char* h = b[f100::SectionH];
};

// ---- dispatch ----------------------------------------------------------------------------------

TEST_F(Liquidation, PassesOutsideOneToFiveWriteNothing) {
  std::mt19937 rng(7);
  for (auto& byte : b.bytes) byte = static_cast<unsigned char>(rng() & 0x3f);
  const std::vector<unsigned char> before = b.bytes;
  for (int pass : {0, 6, -1, 100}) Li(b, pass);
  EXPECT_EQ(b.bytes, before);
}

// ---- pass 1: Canary Islands credits ------------------------------------------------------------

struct Pass1 : Liquidation {
  // Declarant's filing and the joint filing alike: rates 12 + 8, quota 5000 + 3000, income 40000.
  void SetUp() override {
    sm::StateAverageRate.store(s, {12, 12, 0, 0, 0});
    sm::RegionalAverageRate.store(s, {8, 8, 0, 0, 0});
    sm::StateGeneralQuota.store(s, {5000, 5000, 0, 0, 0});
    sm::RegionalGeneralQuota.store(s, {3000, 3000, 0, 0, 0});
    li::in_h::GeneralIncome.store(h, {40000, 40000, 0, 0, 0});
    entry(q, li::in_q::Reserve, 0, 2, li::in_q::kAllocation, 10000);
    li::in_q::Reserve.amount(0, li::in_q::kCanaryIncome).set(q, 50000);
  }
};

TEST_F(Pass1, ReserveCreditOfTheDeclarantsFilingIsTheSmallerOfDeductionAndLimit) {
  Li(b, 1);
  namespace iq = li::in_q;
  EXPECT_DOUBLE_EQ(iq::ReserveAverageRate.get(q, 1), 20.0);
  EXPECT_DOUBLE_EQ(iq::ReserveDeductionBeforeLimit(2).get(q), 2000.00);
  EXPECT_DOUBLE_EQ(iq::ReserveLimit(2).get(q), 6400.00);  // 8000 lowered to 0.8 of the quota
  EXPECT_DOUBLE_EQ(sm::ReserveCreditState.get(s, 1), 1340.00);
  EXPECT_DOUBLE_EQ(sm::ReserveCreditRegional.get(s, 1), 660.00);
  // The joint filing takes the declarant's part; the spouse's part contributes 0 and stores 0.
  EXPECT_DOUBLE_EQ(iq::ReserveDeductionBeforeLimit(0).get(q), 2000.00);
  EXPECT_DOUBLE_EQ(iq::ReserveDeductionBeforeLimit(1).get(q), 0.0);
  EXPECT_DOUBLE_EQ(iq::ReserveLimit(1).get(q), 0.0);
  EXPECT_DOUBLE_EQ(sm::ReserveCreditState.get(s, 0), 1340.00);
  expectVec(q, iq::ReserveDeductionTotal, {2000, 2000, 0, 0, 0}, "reserve total");
}

TEST_F(Pass1, CanaryGoodsShareOfTheQuotaLeftAfterTheReserveCredit) {
  entry(s, en::CanaryGoods, 0, 2, 8, 10000);
  Li(b, 1);
  EXPECT_DOUBLE_EQ(sm::CanaryGoodsQuotaShare.get(s, 1), 1500.00);
  EXPECT_DOUBLE_EQ(sm::CanaryGoodsCreditState.get(s, 1), 502.50);
  EXPECT_DOUBLE_EQ(sm::CanaryGoodsCreditRegional.get(s, 1), 247.50);
}

TEST_F(Pass1, JointCreditIsCappedAgainstTheUnitsQuota) {
  sm::StateGeneralQuota.store(s, {1000, 0, 0, 0, 0});
  sm::RegionalGeneralQuota.store(s, {0, 0, 0, 0, 0});
  sm::StateAverageRate.store(s, {20, 0, 0, 0, 0});
  sm::RegionalAverageRate.store(s, {0, 0, 0, 0, 0});
  for (int e = 0; e < 2; ++e) {
    entry(q, li::in_q::Reserve, e, e + 2, li::in_q::kAllocation, 10000);
    li::in_q::Reserve.amount(e, li::in_q::kCanaryIncome).set(q, 40000);
  }
  Li(b, 1);
  // Each spouse's part is min(2000, 800); the sum 1600 splits 1072 / 528, capped at 536 / 264.
  EXPECT_DOUBLE_EQ(li::in_q::ReserveLimit(0).get(q), 800.00);
  EXPECT_DOUBLE_EQ(li::in_q::ReserveLimit(1).get(q), 800.00);
  EXPECT_DOUBLE_EQ(sm::ReserveCreditState.get(s, 0), 536.00);
  EXPECT_DOUBLE_EQ(sm::ReserveCreditRegional.get(s, 0), 264.00);
}

TEST_F(Pass1, NoIncomeOrNoAllocationZeroesTheColumnAndItsIntermediates) {
  Li(b, 1);
  for (double income : {0.0, -5.0}) {
    li::in_h::GeneralIncome.store(h, {income, income, 0, 0, 0});
    Li(b, 1);
    for (int slot = 0; slot < 4; ++slot) {
      EXPECT_EQ(li::in_q::ReserveDeductionBeforeLimit(slot).get(q), 0.0) << slot;
      EXPECT_EQ(li::in_q::ReserveLimit(slot).get(q), 0.0) << slot;
    }
    expectVec(s, sm::ReserveCreditState, {0, 0, 0, 0, 0}, "state");
    expectVec(q, li::in_q::ReserveAverageRate, {0, 0, 0, 0, 0}, "rate");
  }
}

TEST_F(Pass1, OnlyColumnsZeroToTwoAreWrittenAndTheOverlappingTriplesStayApart) {
  entry(s, en::CanaryGoods, 0, 2, 8, 10000);
  for (blocks::Vec5 f : {sm::ReserveCreditState, sm::ReserveCreditRegional, sm::CanaryGoodsCreditState,
                         sm::CanaryGoodsCreditRegional}) {
    f.set(s, 3, 11.0);
    f.set(s, 4, 22.0);
  }
  Li(b, 1);
  EXPECT_EQ(sm::CanaryGoodsCreditRegional.get(s, 3), 11.0);
  EXPECT_EQ(sm::ReserveCreditState.get(s, 4), 22.0);
  // +1352's three columns end where +1376 begins.
  EXPECT_DOUBLE_EQ(sm::CanaryGoodsCreditRegional.get(s, 1), 247.50);
  // The total over five columns takes the kept columns 3 and 4 too.
  EXPECT_DOUBLE_EQ(li::in_q::ReserveDeductionTotal.get(q, 3), 22.0);
}

TEST_F(Pass1, CanaryGoodsAreFlooredPerHolderAndTheShareIsCappedUnrounded) {
  entry(s, en::CanaryGoods, 0, 3, 8, -500);  // the spouse's negative amount counts as 0
  Li(b, 1);
  EXPECT_EQ(sm::CanaryGoodsQuotaShare.get(s, 2), 0.0);

  li::in_q::Reserve.code(0).set(q, 0);
  sm::StateGeneralQuota.store(s, {0, 1000.004, 0, 0, 0});
  sm::RegionalGeneralQuota.store(s, {0, 0, 0, 0, 0});
  entry(s, en::CanaryGoods, 0, 2, 8, 50000);  // more than the income: share above the quota left
  Li(b, 1);
  EXPECT_EQ(sm::CanaryGoodsQuotaShare.get(s, 1), 1000.004);
  EXPECT_DOUBLE_EQ(sm::CanaryGoodsCreditState.get(s, 1), 335.00);  // R(1000.004 x 0.5 x 0.67)
}

// ---- passes 2 and 3: net and increased net quotas ----------------------------------------------

TEST_F(Liquidation, NetQuotasSubtractEveryDeductionAndNeverGoNegative) {
  sm::StateGrossQuota.store(s, {1000, 1000, 0, 0, 0});
  sm::Item15State.store(s, {100, 100, 0, 0, 0});
  sm::IncentiveDeductionStatePart.store(s, {50, 50, 0, 0, 0});
  sm::ReserveCreditState.store(s, {30, 30, 0, 0, 0});
  sm::DepositState.store(s, {0.01, 2000, 0, 0, 0});
  sm::RegionalGrossQuota.store(s, {500, 500, 0, 0, 0});
  sm::RegionalDeductionsTotal.store(s, {600, 100, 0, 0, 0});  // no state counterpart
  sm::CeutaRegional.store(s, {0, 0.5, 0, 0, 0});
  Li(b, 2);
  expectVec(s, sm::StateNetQuota, {819.99, 0, 0, 0, 0}, "state");
  expectVec(s, sm::RegionalNetQuota, {0, 399.5, 0, 0, 0}, "regional");
}

TEST_F(Liquidation, IncreasedNetQuotasSplitOlderAndNewerAmountsDifferently) {
  sm::StateNetQuota.store(s, {1000, 1000, 0, 0, 0});
  sm::RegionalNetQuota.store(s, {400, 400, 0, 0, 0});
  entry(s, en::Split, 0, 2, 8, 100);                              // amount A
  entry(s, en::PastInterest, 1, 2, en::kPastInterestOld, 200);    // 1997..2001
  en::PastInterest.amount(1, en::kPastInterest2002).set(s, 100);  // 2002
  entry(s, en::StateOnly, 2, 1, 8, 10);
  entry(s, en::RegionalInterest, 0, 3, 8, 7);
  Li(b, 3);
  expectVec(s, sm::SplitIncrementsState, {85, 85, 0, 0, 0}, "split state");
  expectVec(s, sm::SplitIncrementsRegional, {15, 15, 0, 0, 0}, "split regional");
  expectVec(s, sm::SplitIncrementsTotal, {100, 100, 0, 0, 0}, "split total");
  expectVec(s, sm::PastInterestState, {237, 237, 0, 0, 0}, "interest state");  // 100 x .67 + 200 x .85
  expectVec(s, sm::PastInterestRegional, {63, 63, 0, 0, 0}, "interest regional");
  expectVec(s, sm::PastInterestTotal, {300, 300, 0, 0, 0}, "interest total");
  expectVec(s, sm::StateOnlyIncrements, {10, 5, 5, 0, 0}, "state only");
  expectVec(s, sm::StateIncreasedNetQuota, {1332, 1327, 5, 0, 0}, "state increased");
  expectVec(s, sm::RegionalIncreasedNetQuota, {485, 478, 7, 0, 0}, "regional increased");
  expectVec(s, sm::IncreasedNetQuota, {1817, 1805, 12, 0, 0}, "total increased");
}

// ---- pass 4: dividends and income taxed abroad -------------------------------------------------

TEST_F(Liquidation, EarlierDividendsAreServedFirstUpToTheQuota) {
  sm::IncreasedNetQuota.store(s, {500, 500, 0, 0, 0});
  entry(s, en::EarlierDividends, 3, 2, 8, 800);
  unsigned char* bb = b[f100::SectionB];
  li::in_b::Dividends.code(2).set(bb, 2);
  li::in_b::Dividends.at(2, li::in_b::kDividendDeduction).set(bb, 300);
  Li(b, 4);
  expectVec(s, sm::EarlierDividendsApplied, {500, 500, 0, 0, 0}, "earlier applied");
  expectVec(s, sm::EarlierDividendsNotApplied, {300, 300, 0, 0, 0}, "earlier left");
  expectVec(s, sm::YearDividendsClaimed, {300, 300, 0, 0, 0}, "year claimed");
  expectVec(s, sm::YearDividendsApplied, {0, 0, 0, 0, 0}, "year applied");
  expectVec(s, sm::YearDividendsNotApplied, {300, 300, 0, 0, 0}, "year left");
  expectVec(s, sm::DividendsApplied, {500, 500, 0, 0, 0}, "applied");
  expectVec(s, sm::ResultingQuota, {0, 0, 0, 0, 0}, "resulting quota");
}

struct Foreign : Liquidation {
  // Bases and general income 30000 per spouse (60000 joint); all quota on the general base.
  void setColumns(const V& base, const V& netQuota) {
    li::in_k::GeneralLiquidableBase.store(b[f100::SectionK], base);
    li::in_a::NetWorkIncome.store(b[f100::SectionA], base);
    sm::StateNetQuota.store(s, netQuota);
    sm::StateGeneralQuota.store(s, netQuota);
    sm::StateGrossQuota.store(s, netQuota);
  }
  void income(int e, int code, double general, double tax) {
    entry(s, en::ForeignIncome, e, code, en::kForeignGeneral, general);
    en::ForeignIncome.amount(e, en::kForeignTaxPaid).set(s, tax);
  }
};

TEST_F(Foreign, DeclarantsIncomeAtTheTruncatedAverageRate) {
  setColumns({0, 30000, 0, 0, 0}, {0, 5000, 0, 0, 0});
  income(0, 2, 3000, 500);
  Li(b, 4);
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralRate(1).get(s), 16.66);
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralPart(1, 0).get(s), 3000.00);
  expectVec(s, sm::ForeignTaxDeduction, {0, 499.80, 0, 0, 0}, "deduction");

  setColumns({0, 30000, 0, 0, 0}, {0, 5627.7, 0, 0, 0});
  Li(b, 4);
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralRate(1).get(s), 18.75);  // 18.759 truncated
}

TEST_F(Foreign, CommonEntryLimitsEachSpouseToHalfTheTaxPaid) {
  setColumns({60000, 30000, 30000, 0, 0}, {10000, 5000, 5000, 0, 0});
  struct Case { double tax; V want; };
  for (const Case& c : {Case{500, {499.80, 249.90, 249.90, 0, 0}}, Case{400, {400, 200, 200, 0, 0}}}) {
    income(0, 1, 3000, c.tax);
    Li(b, 4);
    expectVec(s, sm::ForeignTaxDeduction, c.want, "deduction");
  }
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralPart(1, 0).get(s), 1500.00);
}

TEST_F(Foreign, VisitEndsAtTheFirstEmptyEntryAndPassesOverChildren) {
  setColumns({60000, 30000, 30000, 0, 0}, {10000, 5000, 5000, 0, 0});
  income(0, 0, 0, 0);
  income(1, 2, 3000, 500);
  Li(b, 4);
  expectVec(s, sm::ForeignTaxDeduction, {0, 0, 0, 0, 0}, "after an empty first entry");

  income(0, 4, 3000, 500);  // a child's entry is skipped, the declarant's still counts
  Li(b, 4);
  EXPECT_DOUBLE_EQ(sm::ForeignTaxDeduction.get(s, 1), 499.80);
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralPart(1, 1).get(s), 3000.00);
  EXPECT_EQ(sm::ForeignGeneralPart(1, 0).get(s), 0.0);
}

TEST_F(Foreign, NegativeBasePartTakesTheRateOfItsBaseWithIt) {
  setColumns({0, 30000, 0, 0, 0}, {0, 5000, 0, 0, 0});
  li::in_k::SpecialLiquidableBase.store(b[f100::SectionK], {0, 10000, 0, 0, 0});
  li::in_g6::LongTermGains.store(b[f100::SectionG6], {0, -5000, 0, 0, 0});
  sm::StateSpecialQuota.store(s, {0, 1000, 0, 0, 0});
  income(0, 2, 3000, 900);
  en::ForeignIncome.amount(0, en::kForeignSpecial).set(s, 1000);
  Li(b, 4);
  EXPECT_EQ(sm::ForeignSpecialPart(1, 0).get(s), 0.0);
  EXPECT_EQ(sm::ForeignSpecialRate(1).get(s), 0.0);
  EXPECT_DOUBLE_EQ(sm::ForeignGeneralRate(1).get(s), 16.66);
}

// ---- pass 4: rent, housing compensation, resulting quota ---------------------------------------

TEST_F(Liquidation, RentDeductionThresholdsRateAndCap) {
  struct Case { int column; double base, income, rent, want; };
  const Case cases[] = {
      {0, 30050.61, 0, 3000, 300.00}, {0, 30050.62, 0, 3000, 0},  {1, 21035.42, 0, 3000, 300.00},
      {1, 21035.43, 0, 3000, 0},      {1, 0, 50000, 5000, 0},      {1, 0, 50000, 5000.01, 500.00},
      {1, 0, 0, 7000, 601.01},
  };
  for (const Case& c : cases) {
    Block100 bl;
    V base{}, income{};
    base[c.column] = c.base;
    income[c.column] = c.income;
    li::in_i::GeneralBase.store(bl[f100::SectionI], base);
    li::in_a::NetWorkIncome.store(bl[f100::SectionA], income);
    entry(bl[f100::Summary], en::RentContracts, 0, 2, en::kRentPaid, c.rent);
    Li(bl, 4);
    EXPECT_DOUBLE_EQ(sm::StateZeduDeduction.get(bl[f100::Summary], c.column), c.want)
        << "column " << c.column << " base " << c.base << " rent " << c.rent;
  }
}

TEST_F(Liquidation, RentLandlordShownIsTheFirstOfTheColumnWithANif) {
  const struct { int code; const char* nif; } contracts[] = {{3, "A11111111"}, {2, " "}, {1, "B22222222"}};
  for (int e = 0; e < 3; ++e) {
    entry(s, en::RentContracts, e, contracts[e].code, en::kRentPaid, 1000);
    blocks::Text{en::RentContracts.first + 32u * e + en::kRentNif, 9}.set(s, contracts[e].nif);
  }
  sm::RentLandlordNif(1).set(s, "STALE");
  Li(b, 4);
  expectVec(s, sm::StateZeduDeduction, {300, 150, 150, 0, 0}, "rent");
  EXPECT_EQ(sm::RentLandlordNif(0).raw(s), "A11111111");
  EXPECT_EQ(sm::RentLandlordNif(1).raw(s), "B22222222");
  EXPECT_EQ(sm::RentLandlordNif(2).raw(s), "A11111111");

  entry(s, en::RentContracts, 0, 3, en::kRentPaid, 0);  // no deduction: the text is emptied
  entry(s, en::RentContracts, 2, 1, en::kRentPaid, 0);
  Li(b, 4);
  EXPECT_EQ(sm::RentLandlordNif(2).raw(s), std::string(9, '\0'));
}

void home(void* s, int e, int code, double interest, double investment, double cadastral, bool revised, double days,
          double propertyTax) {
  const li::Entries& H = en::Homes;
  entry(s, H, e, code, en::kHomeInterest, interest);
  H.amount(e, en::kHomeInvestment).set(s, investment);
  H.amount(e, en::kHomeCadastral).set(s, cadastral);
  blocks::U8{H.first + H.size * e + en::kHomeRevised}.set(s, revised ? 1 : 0);
  H.amount(e, en::kHomeDays).set(s, days);
  H.amount(e, en::kHomePropertyTax).set(s, propertyTax);
}

TEST_F(Liquidation, HousingCompensationOfOneHoldersFiling) {
  home(s, 0, 2, 3000, 6000, 50000, true, 365, 300);
  li::in_k::GeneralBaseAfterReductions.store(b[f100::SectionK], {100000, 100000, 0, 0, 0});
  sm::StateAverageRate.store(s, {12, 12, 0, 0, 0});
  sm::RegionalAverageRate.store(s, {8, 8, 0, 0, 0});
  sm::HousingFinancedState.store(s, {0, 670, 0, 0, 0});
  sm::HousingUnfinancedRegional.store(s, {0, 330, 0, 0, 0});
  Li(b, 4);
  const double want[5] = {550.00, 900.00, 1450.00, 1000.00, 450.00};
  for (int f = 0; f < 5; ++f) EXPECT_DOUBLE_EQ(sm::CompensationField(1, f).get(s), want[f]) << f;
  EXPECT_DOUBLE_EQ(sm::HousingCompensation.get(s, 1), 450.00);

  sm::HousingFinancedState.store(s, {0, 2670, 0, 0, 0});  // more applied than the incentive
  Li(b, 4);
  EXPECT_EQ(sm::CompensationField(1, sm::kCompensation).get(s), 0.0);
  EXPECT_EQ(sm::HousingCompensation.get(s, 1), 0.0);
}

TEST_F(Liquidation, HousingInterestCapsAndImputedIncome) {
  sm::StateAverageRate.store(s, {100, 100, 100, 100, 100});  // incentive = capped interest - imputed
  home(s, 0, 1, 7000, 0, 0, false, 0, 0);
  Li(b, 4);
  expectVec(s, sm::HousingCompensation, {6010.12, 3500, 3500, 0, 0}, "common interest");

  home(s, 0, 2, 2000, 0, 100000, false, 182.5, 0);  // half a year at 2 per cent
  Li(b, 4);
  EXPECT_DOUBLE_EQ(sm::CompensationField(1, sm::kInterestIncentive).get(s), 1000.00);
  home(s, 0, 2, 2000, 0, 100000, true, 182.5, 0);   // revised: 1.1 per cent
  Li(b, 4);
  EXPECT_DOUBLE_EQ(sm::CompensationField(1, sm::kInterestIncentive).get(s), 1450.00);
}

TEST_F(Liquidation, ResultingQuotaNeverNegative) {
  sm::IncreasedNetQuota.store(s, {1000, 600, 400, 0, 0});
  sm::ImageRightsDeduction.store(s, {100, 700, 0, 0, 0});
  en::TransparencyJoint.set(s, 50);
  Li(b, 4);
  expectVec(s, sm::ResultingQuota, {850, 0, 400, 0, 0}, "resulting quota");
}

// The housing wizard's compensation page runs pass 4 on a summary copy holding its own block.
TEST_F(Liquidation, CompensationPageRunsPassFourOnACopy) {
  sm::StateAverageRate.store(s, {20, 20, 0, 0, 0});
  sm::IncreasedNetQuota.store(s, {5000, 5000, 0, 0, 0});
  const std::vector<unsigned char> document = b.bytes;

  std::vector<unsigned char> page(232, 0);
  std::vector<unsigned char> scratch(s, s + f100::Summary.size);
  {
    std::vector<unsigned char> edited(f100::Summary.size, 0);  // the page's own home entries
    home(edited.data(), 0, 2, 3000, 0, 0, false, 0, 0);
    en::CompensationPageBlock.copyOut(edited.data(), page.data());
  }
  en::CompensationPageBlock.copyIn(scratch.data(), page.data());
  Li(b, 4, scratch.data());
  en::CompensationPageBlock.copyOut(scratch.data(), page.data());

  EXPECT_EQ(b.bytes, document);  // the document is untouched
  EXPECT_DOUBLE_EQ(sm::CompensationField(1, sm::kInterestIncentive).get(scratch.data()), 600.00);
  EXPECT_DOUBLE_EQ(blocks::F64{112 + 40 + 8 * sm::kCompensation}.get(page.data()), 600.00);
  EXPECT_DOUBLE_EQ(sm::ResultingQuota.get(scratch.data(), 1), 4400.00);

  // A reserve dialog runs pass 1 on its working copy of section Q.
  std::vector<unsigned char> qCopy(q, q + f100::SectionQ.size);
  entry(qCopy.data(), li::in_q::Reserve, 0, 2, li::in_q::kAllocation, 1000);
  Li(b, 1, scratch.data(), qCopy.data());
  EXPECT_EQ(b.bytes, document);
}

// ---- pass 5: payments on account and the result ------------------------------------------------

struct Pass5 : Liquidation {
  unsigned char* e1 = b[f100::SectionE1];
  unsigned char* e4 = b[f100::SectionE4];
  unsigned char* e5 = b[f100::SectionE5];
  unsigned char* f1 = b[f100::SectionF1];
  void row(unsigned char* rec, const li::Rows& r, int i, int code, std::size_t at, double amount) {
    r.code(i).set(rec, static_cast<unsigned char>(code));
    r.at(i, at).set(rec, amount);
  }
};

TEST_F(Pass5, InstallmentsCountOncePerHolderFromTheFirstNonZeroRow) {
  row(e1, li::in_e1::Activities, 0, 2, li::in_e1::kInstallments, 300);
  row(e1, li::in_e1::Activities, 1, 2, li::in_e1::kInstallments, 500);
  row(e1, li::in_e1::Activities, 2, 3, li::in_e1::kInstallments, 0);
  row(e1, li::in_e1::Activities, 3, 3, li::in_e1::kInstallments, 500);
  row(e4, li::in_e4::Activities, 0, 4, li::in_e4::kInstallments, 0);
  row(e5, li::in_e5::Activities, 0, 4, li::in_e5::kInstallments, 200);
  row(e4, li::in_e4::Activities, 1, 1, li::in_e4::kInstallments, 70);
  row(f1, li::in_f1::Entities, 0, 1, li::in_f1::kInstallments, 1000);  // common: not used anywhere
  row(f1, li::in_f1::Entities, 1, 5, li::in_f1::kInstallments, 40);
  row(e4, li::in_e4::Activities, 2, 9, li::in_e4::kInstallments, 999);  // no such holder: passed over
  Li(b, 5);
  expectVec(s, sm::ActivityInstallments, {70 + 300 + 500 + 200 + 40, 300, 500, 200, 40}, "installments");
}

TEST_F(Pass5, WithholdingsAboveTheQuotaGiveARefund) {
  sm::ResultingQuota.store(s, {1000, 1000, 0, 0, 0});
  sm::WorkWithholdings.store(s, {900, 900, 0, 0, 0});
  li::in_d::Properties.code(0).set(b[f100::SectionD], 2);
  li::in_d::Properties.at(0, li::in_d::kWithholding).set(b[f100::SectionD], 150);
  row(e1, li::in_e1::Activities, 0, 3, li::in_e1::kWithholdingOther, 20);
  entry(s, en::OtherB, 2, 2, 8, 5);
  Li(b, 5);
  expectVec(s, sm::RealEstateWithholdings, {150, 150, 0, 0, 0}, "real estate");
  expectVec(s, sm::PaymentsOnAccount, {1075, 1055, 20, 0, 0}, "payments");
  expectVec(s, sm::DifferentialQuota, {-75, -55, -20, 0, 0}, "differential");
  expectVec(s, sm::DeclarationResult, {-75, -55, -20, 0, 0}, "result");
}

TEST_F(Pass5, MaternityAdvancesAndMemberAdditionsEnterTheResult) {
  sm::ResultingQuota.store(s, {1000, 1000, 0, 0, 0});
  en::MaternityHolder.set(s, 2);
  en::MaternityAmount(0).set(s, 1200);
  en::MaternityAmount(5).set(s, 100);
  en::MaternityAdvanceReceived.set(s, 600);
  en::MemberAddition(0).set(s, 10);
  en::MemberAddition(3).set(s, 4);
  Li(b, 5);
  expectVec(s, sm::MaternityDeduction, {1300, 1300, 0, 0, 0}, "maternity");
  expectVec(s, sm::MaternityAdvances, {600, 600, 0, 0, 0}, "advances");
  expectVec(s, sm::MemberAdditions, {14, 10, 0, 0, 4}, "additions");
  expectVec(s, sm::DeclarationResult, {314, 310, 0, 0, 4}, "result");
}

TEST_F(Pass5, ComplementaryDeclarationResult) {
  unsigned char* r = b[f100::Result];
  unsigned char* fam = b[f100::Family];
  struct Case { double paid, refunded; unsigned char flag; double result, want; };
  const Case cases[] = {{0, 0, 0, 150, 0}, {0, 0, 1, 150, 150}, {100, 0, 0, 150, 50}, {0, 100, 0, -150, -50}};
  for (const Case& c : cases) {
    sm::ResultingQuota.store(s, {0, c.result, 0, 0, 0});
    f100::result::PaidBefore.set(r, 1, c.paid);
    f100::result::RefundedBefore.set(r, 1, c.refunded);
    li::Complementary(1).set(fam, c.flag);
    Li(b, 5);
    EXPECT_DOUBLE_EQ(f100::result::MemberResult.get(r, 1), c.want) << c.paid << " " << c.refunded << " " << int(c.flag);
  }
}

// ---- the whole liquidation ---------------------------------------------------------------------

TEST_F(Liquidation, CalculatingTwiceGivesTheSameBlock) {
  sm::StateGeneralQuota.store(s, {8000, 5000, 3000, 0, 0});
  sm::RegionalGeneralQuota.store(s, {4000, 2500, 1500, 0, 0});
  sm::StateGrossQuota.store(s, {8500, 5300, 3200, 0, 0});
  sm::RegionalGrossQuota.store(s, {4200, 2600, 1600, 0, 0});
  sm::StateAverageRate.store(s, {15, 14, 12, 0, 0});
  sm::RegionalAverageRate.store(s, {7, 6, 5, 0, 0});
  li::in_h::GeneralIncome.store(h, {60000, 35000, 25000, 0, 0});
  li::in_k::GeneralLiquidableBase.store(b[f100::SectionK], {55000, 32000, 23000, 0, 0});
  li::in_a::NetWorkIncome.store(b[f100::SectionA], {60000, 35000, 25000, 0, 0});
  entry(q, li::in_q::Reserve, 0, 1, li::in_q::kAllocation, 3000);
  li::in_q::Reserve.amount(0, li::in_q::kCanaryIncome).set(q, 20000);
  entry(s, en::CanaryGoods, 1, 3, 8, 4000);
  entry(s, en::Split, 0, 1, 8, 33.33);
  entry(s, en::ForeignIncome, 0, 1, en::kForeignGeneral, 2000);
  en::ForeignIncome.amount(0, en::kForeignTaxPaid).set(s, 250);
  home(s, 0, 1, 5000, 4000, 60000, false, 300, 200);
  entry(s, en::RentContracts, 0, 2, en::kRentPaid, 4000);
  sm::WorkWithholdings.store(s, {9000, 6000, 3000, 0, 0});
  f100::summary::SuspensionRequest.set(s, 1);
  f100::summary::WaiverRequest.set(s, 1);

  auto run = [&] {
    LiAll(b);
    Calculos100N(b[f100::SectionN], s, b[f100::Family], b[f100::Personal]);
  };
  run();
  const std::vector<unsigned char> once = b.bytes;
  run();
  EXPECT_EQ(b.bytes, once);
  EXPECT_GT(sm::ReserveCreditState.get(s, 0), 0.0);
  EXPECT_GT(sm::ForeignTaxDeduction.get(s, 0), 0.0);
  EXPECT_GT(sm::HousingCompensation.get(s, 0), 0.0);
}

}  // namespace

// Form100Summary is written by many exports: every byte has one writer. The slots each export
// declares must not overlap another export's, and an export run over arbitrary data changes no
// summary byte outside its own slots.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "blocks/form100_liquidation.h"
#include "blocks/form100_n.h"
#include "blocks/form100_result.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
namespace sm = f100::summary;

struct Slot {
  std::string writer;
  std::size_t off;
  std::size_t width;
};
constexpr std::size_t kVec = blocks::Vec5::width;
constexpr std::size_t kTriple = 24;  // columns 0 to 2 only
Slot vec(const char* w, blocks::Vec5 v, std::size_t width = kVec) { return {w, v.off, width}; }

std::vector<Slot> DeclaredSlots() {
  std::vector<Slot> s = {
      vec("A", sm::WorkWithholdings),
      vec("B", sm::CapitalWithholdings),
      vec("F1", sm::AttributedWithholdings),
      vec("F2", sm::ImputedBaseDeduction),
      vec("F2", sm::ImputedBaseCarried),
      vec("F4", sm::ImageRightsDeduction),
      vec("F4", sm::ImageRightsPayment),
      vec("G1", sm::GainsWithholdings),
      vec("P", sm::RegionalDeductionsTotal),
      vec("Q", sm::IncentiveDeductionStatePart),
      vec("Q", sm::IncentiveDeductionRegionalPart),
      {"N", sm::SuspensionRequest.off, 1},
      {"N", sm::WaiverRequest.off, 1},
  };
  for (blocks::Vec5 v : {sm::ExemptIncome, sm::ChildAnnuities, sm::StateGeneralQuota, sm::RegionalGeneralQuota,
                         sm::StateAverageRate, sm::RegionalAverageRate, sm::StateSpecialQuota, sm::RegionalSpecialQuota,
                         sm::StateGrossQuota, sm::RegionalGrossQuota})
    s.push_back(vec("L", v));
  for (blocks::Vec5 v : {sm::Item15State, sm::Item15Regional, sm::DonationState, sm::DonationRegional,
                         sm::HousingFinancedState, sm::HousingFinancedRegional, sm::HousingUnfinancedState,
                         sm::HousingUnfinancedRegional, sm::HousingConstructionState, sm::HousingConstructionRegional,
                         sm::HousingAccountState, sm::HousingAccountRegional, sm::WorksFinancedState,
                         sm::WorksFinancedRegional, sm::WorksUnfinancedState, sm::WorksUnfinancedRegional,
                         sm::CeutaState, sm::CeutaRegional, sm::DepositState, sm::DepositRegional})
    s.push_back(vec("O", v));
  for (blocks::Vec5 v : {sm::ReserveCreditState, sm::ReserveCreditRegional, sm::CanaryGoodsCreditState,
                         sm::CanaryGoodsQuotaShare, sm::CanaryGoodsCreditRegional, sm::StateZeduDeduction,
                         sm::HousingCompensation})
    s.push_back(vec("Li", v, kTriple));
  for (blocks::Vec5 v :
       {sm::StateNetQuota, sm::RegionalNetQuota, sm::StateOnlyIncrements, sm::StateInterestTotal,
        sm::SplitIncrementsTotal, sm::PastInterestTotal, sm::SplitIncrementsState, sm::PastInterestState,
        sm::SplitIncrementsRegional, sm::PastInterestRegional, sm::RegionalOnlyIncrements, sm::RegionalInterestTotal,
        sm::StateIncreasedNetQuota, sm::RegionalIncreasedNetQuota, sm::IncreasedNetQuota, sm::EarlierDividendsClaimed,
        sm::EarlierDividendsApplied, sm::EarlierDividendsNotApplied, sm::YearDividendsClaimed, sm::YearDividendsApplied,
        sm::YearDividendsNotApplied, sm::DividendsApplied, sm::ForeignTaxDeduction, sm::TransparencyDeduction,
        sm::ResultingQuota, sm::RealEstateWithholdings, sm::ActivityWithholdings, sm::ActivityInstallments,
        sm::OtherPaymentsA, sm::OtherPaymentsB, sm::PaymentsOnAccount, sm::DifferentialQuota, sm::MaternityDeduction,
        sm::MaternityAdvances, sm::MemberAdditions, sm::DeclarationResult})
    s.push_back(vec("Li", v));
  s.push_back({"Li", sm::kForeignRateBlocks, 3 * sm::kForeignRateBlockSize});
  s.push_back({"Li", sm::RentLandlordNif(0).off, 3 * sm::RentLandlordNif(0).width});
  s.push_back({"Li", sm::kCompensationBlocks, 3 * sm::kCompensationBlockSize});
  return s;
}

TEST(SummarySlots, EachByteHasOneWriter) {
  const std::vector<Slot> slots = DeclaredSlots();
  for (const Slot& a : slots) {
    EXPECT_LE(a.off + a.width, f100::Summary.size) << a.writer << " +" << a.off;
    for (const Slot& b : slots) {
      if (a.writer != b.writer) {
        EXPECT_TRUE(a.off + a.width <= b.off || b.off + b.width <= a.off)
            << a.writer << " +" << a.off << " overlaps " << b.writer << " +" << b.off;
      }
    }
  }
}

// A block of arbitrary amounts and codes, with members in several communities.
Block100 Arbitrary(unsigned seed) {
  Block100 b;
  std::mt19937 rng(seed);
  for (std::size_t i = 0; i + 8 <= b.bytes.size(); i += 8) {
    const double v = rng() % 4 == 0 ? 0.0 : std::round(static_cast<double>(rng() % 4000000) - 1000000.0) / 100.0;
    std::memcpy(&b.bytes[i], &v, 8);
  }
  for (int k = 0; k < 6000; ++k) b.bytes[rng() % b.bytes.size()] = static_cast<unsigned char>(rng() % 6);
  for (int m = 1; m <= 5; ++m) {
    const std::string code = std::to_string(10 + (seed + 3u * static_cast<unsigned>(m)) % 8);
    f100::personal::communityCode(m).set(b[f100::Personal], code);
  }
  return b;
}

TEST(SummarySlots, ExportsChangeOnlyTheirOwnSlots) {
  using Run = std::function<void(Block100&)>;
  const std::vector<std::pair<std::string, Run>> exports = {
      {"A", [](Block100& b) { Calculos100A(b[f100::SectionA], b[f100::Summary]); }},
      {"B", [](Block100& b) { for (int p = 1; p <= 2; ++p) Calculos100B(b[f100::SectionB], b[f100::Summary], p); }},
      {"F1", [](Block100& b) { Calculos100F1(b[f100::SectionF1], b[f100::Summary]); }},
      {"F4", [](Block100& b) { Calculos100F4(b[f100::SectionF4], b[f100::Summary]); }},
      {"G1", [](Block100& b) { for (int p = 1; p <= 2; ++p) Calculos100G1(b[f100::SectionG1], b[f100::Summary], p); }},
      {"F2",
       [](Block100& b) {
         Calculos100F2(b[f100::SectionF2], b[f100::SectionA], b[f100::SectionB], b[f100::SectionC], b[f100::SectionD],
                       b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1],
                       b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5], b[f100::SectionH],
                       b[f100::SectionK], b[f100::SectionG6], b[f100::Summary]);
       }},
      {"L", [](Block100& b) { Calculos100L(b[f100::Summary], b[f100::SectionK], b[f100::Personal]); }},
      {"O",
       [](Block100& b) {
         for (int p = 1; p <= 4; ++p)
           Calculos100O(b[f100::SectionO], b[f100::SectionK], b[f100::Summary], b[f100::Personal], b[f100::Family],
                        b[f100::SectionI], p);
       }},
      {"P",
       [](Block100& b) {
         Calculos100P(b[f100::SectionP], b[f100::Personal], b[f100::Summary], b[f100::SectionI], b[f100::Family],
                      b[f100::SectionO], b[f100::SectionA], b[f100::SectionB], b[f100::SectionK], b[f100::SectionC],
                      b[f100::SectionD], b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5],
                      b[f100::SectionF1], b[f100::SectionF2], b[f100::SectionF3], b[f100::SectionF4],
                      b[f100::SectionF5], b[f100::SectionG6], b[f100::SectionH], 1);
       }},
      {"Q",
       [](Block100& b) {
         Calculos100Q(b[f100::SectionQ], b[f100::Summary], b[f100::SectionF1], b[f100::SectionE4], b[f100::SectionE5]);
       }},
      {"Li",
       [](Block100& b) {
         for (int p = 1; p <= 5; ++p)
           Calculos100Li(b[f100::Summary], b[f100::SectionH], b[f100::SectionQ], b[f100::SectionB], b[f100::SectionF1],
                         b[f100::SectionK], b[f100::SectionD], b[f100::SectionF2], b[f100::SectionE1],
                         b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionC], b[f100::SectionF3],
                         b[f100::SectionF4], b[f100::SectionF5], b[f100::SectionG6], b[f100::SectionI],
                         b[f100::SectionA], b[f100::SectionJ], b[f100::Result], b[f100::Family], p);
       }},
      {"N", [](Block100& b) { Calculos100N(b[f100::SectionN], b[f100::Summary], b[f100::Family], b[f100::Personal]); }},
  };
  const std::vector<Slot> slots = DeclaredSlots();
  for (unsigned seed = 1; seed <= 4; ++seed) {
    for (const auto& [writer, run] : exports) {
      Block100 b = Arbitrary(seed);
      // N clears the requests only when they are set.
      f100::summary::SuspensionRequest.set(b[f100::Summary], 1);
      f100::summary::WaiverRequest.set(b[f100::Summary], 1);
      const std::vector<unsigned char> before(b[f100::Summary], b[f100::Summary] + f100::Summary.size);
      run(b);
      for (std::size_t i = 0; i < f100::Summary.size; ++i) {
        if (b[f100::Summary][i] == before[i]) continue;
        bool own = false;
        for (const Slot& s : slots) own = own || (s.writer == writer && i >= s.off && i < s.off + s.width);
        EXPECT_TRUE(own) << writer << " changed summary +" << i << " (seed " << seed << ")";
        if (!own) break;
      }
    }
  }
}

}  // namespace

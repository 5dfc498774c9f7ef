// Sections G1, G2 and G3: gains and losses from funds and shares, prizes, gains by class code and
// transfers with reductions.
#include <string_view>

#include "blocks/form100_g1.h"
#include "blocks/form100_g2.h"
#include "blocks/form100_g3.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace g1 = f100::sec_g1;
namespace g2 = f100::sec_g2;
namespace g3 = f100::sec_g3;
using tv::Vec;

// ---- G1 ----

tv::RowColumn g1Rows(blocks::F64 amount) { return {g1::Holder, amount, g1::kRows, g1::kRowSize}; }
tv::RowColumn cashPrizes(blocks::F64 amount) { return {g1::cash::Holder, amount, g1::cash::kRows, g1::cash::kRowSize}; }
tv::RowColumn kindPrizes(blocks::F64 amount) { return {g1::kind::Holder, amount, g1::kind::kRows, g1::kind::kRowSize}; }

void G1Rows(void* rec) {
  for (std::size_t i = 0; i < g1::kRows; ++i) {
    const tv::RowRef r{rec, i, g1::kRowSize};
    r.zero({g1::ShortTermGain, g1::ShortTermLoss, g1::LongTermGain, g1::LongTermLoss});
    if (r.get(g1::ShortTermValue1) - r.get(g1::ShortTermValue2) >= 0)
      r.set(g1::ShortTermGain, r.get(g1::ShortTermValue1) - r.get(g1::ShortTermValue2));
    else
      r.set(g1::ShortTermLoss, r.get(g1::ShortTermValue2) - r.get(g1::ShortTermValue1));
    if (r.get(g1::LongTermValue1) - r.get(g1::LongTermValue2) >= 0)
      r.set(g1::LongTermGain, r.get(g1::LongTermValue1) - r.get(g1::LongTermValue2));
    else
      r.set(g1::LongTermLoss, r.get(g1::LongTermValue2) - r.get(g1::LongTermValue1));
  }
  g1::ShortTermGains.store(rec, tv::SumByHolder(rec, {g1Rows(g1::ShortTermGain)}));
  g1::ShortTermLosses.store(rec, tv::SumByHolder(rec, {g1Rows(g1::ShortTermLoss)}));
  g1::LongTermGains.store(rec, tv::SumByHolder(rec, {g1Rows(g1::LongTermGain)}));
  g1::LongTermLosses.store(rec, tv::SumByHolder(rec, {g1Rows(g1::LongTermLoss)}));
}

void G1Prizes(void* rec) {
  g1::cash::Total.store(rec, tv::SumByHolder(rec, {cashPrizes(g1::cash::Gross)}));
  const Vec valuations = tv::SumByHolder(rec, {kindPrizes(g1::kind::Valuation)});
  const Vec payments = tv::SumByHolder(rec, {kindPrizes(g1::kind::PaymentOnAccount)});
  const Vec charged = tv::SumByHolder(rec, {kindPrizes(g1::kind::PaymentCharged)});
  Vec total;
  tv::Sumatorio5PorTitulares(total, {{valuations.data(), 1.0}, {payments.data(), 1.0}, {charged.data(), -1.0}});
  g1::kind::Valuations.store(rec, valuations);
  g1::kind::Payments.store(rec, payments);
  g1::kind::PaymentsCharged.store(rec, charged);
  g1::kind::Total.store(rec, total);
}

// ---- G2 ----

struct ClassCoefficient {
  std::string_view code;
  double coefficient;
};
// Classes of long-term gains reduced by a coefficient; compared on exactly three characters.
constexpr ClassCoefficient kReducedClasses[] = {
    {"G21", 1.00}, {"G22", 0.75}, {"G23", 0.50}, {"G24", 0.25}, {"G25", 0.00}};
constexpr std::string_view kShortTermClass = "GP1";
constexpr std::string_view kLongTermLossClass = " P2";

const ClassCoefficient* ReducedClass(std::string_view code) {
  for (const ClassCoefficient& c : kReducedClasses)
    if (c.code == code) return &c;
  return nullptr;
}

void G2Row(void* rec, std::size_t i) {
  const tv::RowRef r{rec, i, g2::kRowSize};
  auto element = [](blocks::F64 f, std::size_t j) { return f(j); };

  r.set(g2::FirstValuesSum, r.get(element(g2::FirstValue, 0)) + r.get(element(g2::FirstValue, 1)) +
                                      r.get(element(g2::FirstValue, 2)));
  r.set(g2::SecondValuesSum, r.get(element(g2::SecondValue, 0)) + r.get(element(g2::SecondValue, 1)) +
                                       r.get(element(g2::SecondValue, 2)));
  r.zero({g2::GainsGP1, g2::LossesGP1, g2::ComputableLossesGP1, g2::GainsG2x, g2::ReducedGainsG2x, g2::LossesP2,
          g2::ComputableLossesP2});

  for (std::size_t j = 0; j < g2::kElements; ++j) {
    const double d = r.get(element(g2::FirstValue, j)) - r.get(element(g2::SecondValue, j));
    const std::string_view code = g2::ClassCode(j)(i, g2::kRowSize).raw(rec);
    const bool computable = g2::LossExcluded(j)(i, g2::kRowSize).get(rec) == 0;
    const ClassCoefficient* reduced = ReducedClass(code);
    if (d > 0 && code == kShortTermClass) r.add(g2::GainsGP1, d);
    if (d < 0 && code == kShortTermClass) {
      r.add(g2::LossesGP1, d);
      if (computable) r.add(g2::ComputableLossesGP1, d);
    }
    if (d > 0 && reduced != nullptr) {
      r.add(g2::GainsG2x, d);
      r.add(g2::ReducedGainsG2x, d * reduced->coefficient);
    }
    if (d < 0 && code == kLongTermLossClass) {
      r.add(g2::LossesP2, d);
      if (computable) r.add(g2::ComputableLossesP2, d);
    }
  }
  for (blocks::F64 f : {g2::LossesGP1, g2::ComputableLossesGP1, g2::LossesP2, g2::ComputableLossesP2})
    r.set(f, -r.get(f));
}

// ---- G3 ----

constexpr double kFourPerCentReduction = 0.04;
bool TakesFourPerCent(unsigned char kind) { return kind == '1' || kind == '2'; }

void G3Row(void* rec, std::size_t i) {
  const tv::RowRef r{rec, i, g3::kRowSize};

  r.zero({g3::TransferValue, g3::AcquisitionValue, g3::Loss, g3::ComputableLoss, g3::Gain, g3::ExemptGain,
          g3::GainNotExempt, g3::ComputableGainNotExempt, g3::Reduction, g3::ReducedGain, g3::ComputableReducedGain});
  const unsigned char kind = r.byte(g3::AssetKind);
  if (r.byte(g3::Holder) == 0 || kind == 0) {
    blocks::Area{g3::TransferInputs.off + i * g3::kRowSize, g3::TransferInputs.size}.clear(rec);
    blocks::Area{g3::AcquisitionInputs.off + i * g3::kRowSize, g3::AcquisitionInputs.size}.clear(rec);
    return;
  }
  r.set(g3::TransferValue, r.get(g3::TransferAmount) - r.get(g3::TransferExpenses));
  r.set(g3::AcquisitionValue, r.get(g3::AcquisitionAmount) + r.get(g3::AcquisitionExpenses) - r.get(g3::Amortisation));
  const bool instalments = r.byte(g3::Instalments) == 1;
  const double amount = r.get(g3::TransferAmount);

  if (r.get(g3::TransferValue) < r.get(g3::AcquisitionValue)) {
    r.set(g3::Loss, r.get(g3::AcquisitionValue) - r.get(g3::TransferValue));
    if (instalments) {
      if (amount != 0) r.set(g3::ComputableLoss, r.get(g3::CollectedInYear) * r.get(g3::Loss) / amount);
    } else {
      r.set(g3::ComputableLoss, r.get(g3::Loss));
    }
    if (r.byte(g3::LossNotComputable) == 1) r.set(g3::ComputableLoss, 0.0);
    return;
  }

  r.set(g3::Gain, r.get(g3::TransferValue) - r.get(g3::AcquisitionValue));
  if (TakesFourPerCent(kind)) {
    if (r.byte(g3::FourPerCentMarker) == 1) r.set(g3::Reduction, tv::Redondea(r.get(g3::Gain) * kFourPerCentReduction, 2));
    r.set(g3::ReducedGain, r.get(g3::Gain) - r.get(g3::Reduction));
    if (instalments) {
      if (amount != 0)
        r.set(g3::ComputableReducedGain, tv::Redondea(r.get(g3::ReducedGain) * r.get(g3::CollectedInYear) / amount, 2));
    } else {
      r.set(g3::ComputableReducedGain, r.get(g3::ReducedGain));
    }
    return;
  }
  // The part of the gain reinvested in a new main home, against the transfer value less the loan.
  const double base = tv::Redondea(amount - r.get(g3::OutstandingLoan) - r.get(g3::TransferExpenses), 2);
  if (base != 0) r.set(g3::ExemptGain, tv::Redondea(r.get(g3::Gain) * r.get(g3::Reinvested) / base, 2));
  if (r.get(g3::ExemptGain) > r.get(g3::Gain)) r.set(g3::ExemptGain, r.get(g3::Gain));
  if (r.get(g3::ExemptGain) < 0) r.set(g3::ExemptGain, 0.0);
  r.set(g3::GainNotExempt, r.get(g3::Gain) - r.get(g3::ExemptGain));
  if (instalments) {
    if (amount != 0)
      r.set(g3::ComputableGainNotExempt, tv::Redondea(r.get(g3::GainNotExempt) * r.get(g3::CollectedInYear) / amount, 2));
  } else {
    r.set(g3::ComputableGainNotExempt, r.get(g3::GainNotExempt));
  }
}

tv::RowColumn g3Rows(blocks::F64 amount) { return {g3::Holder, amount, g3::kRows, g3::kRowSize}; }

}  // namespace

TALLYVEX_API void Calculos100G1(void* secG1, void* summary, int pass) {
  if (pass == 1)
    G1Rows(secG1);
  else if (pass == 2)
    G1Prizes(secG1);
  // Whatever the pass, the withholdings follow the stored amounts.
  f100::summary::GainsWithholdings.store(
      summary, tv::SumByHolder(secG1, {kindPrizes(g1::kind::PaymentOnAccount), cashPrizes(g1::cash::Withholding),
                                       g1Rows(g1::Withholding)}));
}

TALLYVEX_API void Calculos100G2(void* secG2) {
  for (std::size_t i = 0; i < g2::kRows; ++i) G2Row(secG2, i);
  auto rows = [](blocks::F64 amount) { return tv::RowColumn{g2::Holder, amount, g2::kRows, g2::kRowSize}; };
  g2::ShortTermGains.store(secG2, tv::SumByHolder(secG2, {rows(g2::GainsGP1)}));
  g2::ShortTermLosses.store(secG2, tv::SumByHolder(secG2, {rows(g2::ComputableLossesGP1)}));
  g2::LongTermGains.store(secG2, tv::SumByHolder(secG2, {rows(g2::ReducedGainsG2x)}));
  g2::LongTermLosses.store(secG2, tv::SumByHolder(secG2, {rows(g2::ComputableLossesP2)}));
}

TALLYVEX_API void Calculos100G3(void* secG3) {
  for (std::size_t i = 0; i < g3::kRows; ++i) G3Row(secG3, i);
  g3::ComputableLosses.store(secG3, tv::SumByHolder(secG3, {g3Rows(g3::ComputableLoss)}));
  g3::ComputableGainsOther.store(secG3, tv::SumByHolder(secG3, {g3Rows(g3::ComputableGainNotExempt)}));
  g3::ComputableGainsReduced.store(secG3, tv::SumByHolder(secG3, {g3Rows(g3::ComputableReducedGain)}));
}

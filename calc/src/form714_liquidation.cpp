// Form 714, liquidation and result: from the published section totals to the quota to pay.
//
// The library's only state is the three option bytes of Form714Personal that Calculos714DP keeps.
// The liquidation and the result use that copy until the next Calculos714DP call, whatever
// records they are given: callers pass the personal data through Calculos714DP first.
#include "blocks/form714_liquidation.h"
#include "numeric.h"
#include "tallyvex.h"

namespace {

namespace liq = f714::liq;
namespace pers = f714::liq::personal;
namespace res = f714::result;

struct KeptOptions {
  unsigned char reduced = 0;        // +81
  unsigned char second = 0;         // +82, kept only
  unsigned char complementary = 0;  // +453
};
KeptOptions g_kept;

void keepOptions(const void* personal) {
  g_kept.reduced = pers::ReducedLiquidation.get(personal);
  g_kept.second = pers::SecondOption.get(personal);
  g_kept.complementary = pers::Complementary.get(personal);
}

double R(double v) { return tv::Redondea(v, 2); }
double smaller(double a, double b) { return a <= b ? a : b; }  // the first when equal

double exemptMinimum(const void* personal) {
  if (pers::CommunityFirst.get(personal) == liq::kCommunity09[0] &&
      pers::CommunitySecond.get(personal) == liq::kCommunity09[1])
    return pers::DoubleMinimum.get(personal) != 0 ? liq::kMinimumCommunity09Doubled : liq::kMinimumCommunity09;
  return liq::kMinimumGeneral;
}

// The last scale row whose bound does not exceed the rounded base.
int scaleRow(double base) {
  const double rounded = R(base);
  int r = 0;
  while (r < static_cast<int>(liq::kScale.size()) && rounded >= liq::kScale[static_cast<std::size_t>(r)].bound) ++r;
  if (r > 0) r = r - 1;
  return r;
}

void clearReducedInputs(void* s) {
  liq::IncomeTaxMode.set(s, ' ');
  for (const blocks::F64& f : {liq::FirstIncomeBase, liq::IncomeTaxQuota, liq::ExcludedAssets, liq::OtherNetWealth,
                               liq::OtherExcluded, liq::OtherFullQuota})
    f.set(s, 0.0);
  for (int k = 0; k < liq::kPairs; ++k) {
    liq::PaidTax(static_cast<std::size_t>(k), liq::kPairStride).set(s, 0.0);
    liq::PaidValue(static_cast<std::size_t>(k), liq::kPairStride).set(s, 0.0);
  }
}

void scaleQuota(void* s) {
  const double base = liq::TaxableBase.get(s);
  int r = 0;
  if (base >= 0.0) {
    r = scaleRow(base);
    const liq::ScaleRow& row = liq::kScale[static_cast<std::size_t>(r)];
    liq::RowBound.set(s, row.bound);
    liq::RowQuota.set(s, row.quota);
    liq::AboveBound.set(s, R(base - liq::RowBound.get(s)));
  } else {
    liq::RowBound.set(s, 0.0);
    liq::RowQuota.set(s, 0.0);
    liq::AboveBound.set(s, 0.0);
  }
  const double above = liq::AboveBound.get(s);
  if (above != 0.0) {
    const double rate = liq::kScale[static_cast<std::size_t>(r)].rate;
    liq::MarginalRate.set(s, rate * 100.0);
    liq::QuotaAbove.set(s, R(above * rate));
  } else {
    liq::MarginalRate.set(s, 0.0);
    liq::QuotaAbove.set(s, 0.0);
  }
  liq::FullQuota.set(s, liq::RowQuota.get(s) + liq::QuotaAbove.get(s));
  liq::FullQuotaCopy.set(s, liq::FullQuota.get(s));
}

void clearLimit(void* s) {
  for (const blocks::F64& f : {liq::QuotasTogether, liq::CountedQuota, liq::IncomeQuotaCopy, liq::SecondBaseCopy,
                               liq::FirstBaseCopy, liq::GreatestReduction, liq::LimitReduction, liq::Limit})
    f.set(s, 0.0);
  liq::QuotaAfterLimit.set(s, liq::FullQuota.get(s));
}

// The joint quota limit against the income tax.
void incomeTaxLimit(void* s) {
  const double full = liq::FullQuota.get(s);
  if (liq::FirstIncomeBase.get(s) == 0.0 && liq::IncomeTaxData.get(s) == 0) {
    clearLimit(s);
    return;
  }
  liq::FirstBaseCopy.set(s, liq::FirstIncomeBase.get(s));
  liq::SecondBaseCopy.set(s, liq::SecondIncomeBase.get(s));
  double limit = R((liq::FirstBaseCopy.get(s) + liq::SecondBaseCopy.get(s)) * liq::kIncomeLimitFactor);
  if (limit < 0.0) limit = 0.0;
  liq::Limit.set(s, limit);
  liq::IncomeQuotaCopy.set(s, liq::IncomeTaxQuota.get(s));

  const double net = liq::NetWealth.get(s);
  const double excluded = liq::ExcludedAssets.get(s);
  const unsigned char mode = liq::IncomeTaxMode.get(s);
  const bool joint = mode != 'I' && mode != ' ';
  double counted = net > 0.0 ? R((net - excluded) * full / net) : 0.0;
  const double otherNet = liq::OtherNetWealth.get(s);
  if (joint && otherNet > 0.0)
    counted = counted + R((otherNet - liq::OtherExcluded.get(s)) * liq::OtherFullQuota.get(s) / otherNet);
  if (counted < 0.0) counted = 0.0;
  liq::CountedQuota.set(s, counted);
  const double together = liq::IncomeQuotaCopy.get(s) + counted;
  liq::QuotasTogether.set(s, together);

  if (limit > together) {
    liq::QuotaAfterLimit.set(s, full);
    liq::GreatestReduction.set(s, 0.0);
    liq::LimitReduction.set(s, 0.0);
    return;
  }
  double reduction;
  if (!joint)
    reduction = together - limit;
  else if (net <= 0.0 || counted == 0.0)
    reduction = 0.0;
  else
    reduction = R(((net - excluded) * full / net) / counted * (together - limit));
  liq::LimitReduction.set(s, reduction);
  const double greatest = R(liq::kGreatestReduction * full);
  liq::GreatestReduction.set(s, greatest);
  liq::QuotaAfterLimit.set(s, full - (reduction < greatest ? reduction : greatest));
}

// Credit for wealth tax already paid on part of the assets.
void paidCredit(void* s) {
  const double base = liq::TaxableBase.get(s);
  const double net = liq::NetWealth.get(s);
  double average = base > 0.0 ? tv::Trunc(liq::QuotaAfterLimit.get(s) / base, liq::kAverageRateDecimals) : 0.0;
  liq::AverageRate.set(s, average);

  double paid[liq::kPairs], value[liq::kPairs], brought[liq::kPairs], credit[liq::kPairs];
  for (int k = 0; k < liq::kPairs; ++k) {
    const std::size_t i = static_cast<std::size_t>(k);
    paid[k] = liq::PaidTax(i, liq::kPairStride).get(s);
    value[k] = liq::PaidValue(i, liq::kPairStride).get(s);
    brought[k] = net > 0.0 ? R(value[k] * base / net) : 0.0;
    const double cap = R(brought[k] * average);
    credit[k] = smaller(paid[k], cap);
  }
  // Values that together exceed the net wealth are cleared; this run keeps what it computed.
  if (value[0] + value[1] + value[2] > net) {
    for (int k = 0; k < liq::kPairs; ++k) {
      value[k] = 0.0;
      liq::PaidValue(static_cast<std::size_t>(k), liq::kPairStride).set(s, 0.0);
    }
  }
  liq::PaidTotal.set(s, paid[0] + paid[1] + paid[2]);
  liq::BroughtValues.set(s, brought[0] + brought[1] + brought[2]);
  liq::PaidCredit.set(s, credit[0] + credit[1] + credit[2]);
  const bool nothing = paid[0] == 0.0 && paid[1] == 0.0 && paid[2] == 0.0 && value[0] == 0.0 &&
                       value[1] == 0.0 && value[2] == 0.0;
  liq::AverageRate.set(s, nothing ? 0.0 : R(average * 100.0));
}

void ceutaMelillaBonus(void* s) {
  const double net = liq::NetWealth.get(s);
  if (liq::CeutaMelillaValue.get(s) > net) liq::CeutaMelillaValue.set(s, 0.0);
  const double quota = liq::QuotaAfterLimit.get(s);
  const double share = net != 0.0 ? R(liq::CeutaMelillaValue.get(s) * quota / net) : 0.0;
  liq::CeutaMelillaQuota.set(s, share);
  const double onQuota = R(liq::kCeutaMelillaBonus * quota);
  const double onShare = R(liq::kCeutaMelillaBonus * share);
  liq::CeutaMelillaBonus.set(s, onQuota <= onShare ? onQuota : onShare);
}

}  // namespace

TALLYVEX_API void Calculos714DP(void* personal) { keepOptions(personal); }

TALLYVEX_API int Calculos714LI(void* summary, void* personal, int /*pass*/) {
  const bool reduced = g_kept.reduced == 1;
  void* s = summary;

  if (reduced) clearReducedInputs(s);

  double assets = liq::AssetSlot(0).get(s);
  for (std::size_t i = 1; i < static_cast<std::size_t>(liq::kAssetSlots); ++i) assets = assets + liq::AssetSlot(i).get(s);
  liq::TotalAssets.set(s, assets);
  const double net = assets - liq::Debts.get(s);
  liq::NetWealth.set(s, net);

  liq::ExemptMinimum.set(s, reduced ? 0.0 : exemptMinimum(personal));
  if (net < 0.0) liq::ExemptMinimum.set(s, 0.0);

  if (net >= 0.0) {
    double base = net - liq::ExemptMinimum.get(s);
    if (base < 0.0) base = 0.0;
    liq::BaseLessMinimum.set(s, base);
    liq::TaxableBase.set(s, base);
  } else {
    liq::BaseLessMinimum.set(s, net);
    liq::TaxableBase.set(s, net);
  }

  scaleQuota(s);

  if (reduced)
    clearLimit(s);
  else
    incomeTaxLimit(s);

  if (reduced) {
    for (const blocks::F64& f : {liq::AverageRate, liq::PaidCredit, liq::BroughtValues, liq::PaidTotal}) f.set(s, 0.0);
  } else {
    paidCredit(s);
  }

  ceutaMelillaBonus(s);

  const double toPay = liq::QuotaAfterLimit.get(s) - liq::PaidCredit.get(s) - liq::CeutaMelillaBonus.get(s);
  liq::QuotaToPay.set(s, toPay > 0.0 ? toPay : 0.0);
  return 1;
}

TALLYVEX_API void Calculos714DI(void* result, void* summary) {
  const bool complementary = g_kept.complementary == 1;
  const double toPay = liq::QuotaToPay.get(summary);
  if (!complementary) {
    res::AmountToPay.set(result, 0.0);
    res::AlreadyPaid.set(result, 0.0);
    res::Difference.set(result, 0.0);
    res::BarcodeAmount.set(result, R(toPay));
    return;
  }
  res::AmountToPay.set(result, R(toPay));
  const double difference = R(res::AmountToPay.get(result) - res::AlreadyPaid.get(result));
  res::Difference.set(result, difference);
  res::BarcodeAmount.set(result, difference >= 0.0 ? R(difference) : 0.0);
  if (difference <= 0.0) {
    res::Option24.set(result, 0xFF);
    res::Option25.set(result, 0xFF);
    res::Account.clear(result);
  }
}

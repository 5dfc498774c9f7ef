// Section G4: capital gains and losses with a generation period of more than one year.
#include <cstring>
#include <iterator>

#include "blocks/form100_g4.h"
#include "blocks/dates.h"
#include "form100_g4.h"
#include "numeric.h"
#include "tallyvex.h"

namespace tv {
namespace {
namespace it = f100::sec_g4::item;
using f100::sec_g4::AmountList;

// Update coefficients by year of the date, 1984 .. 2003.
constexpr int kFirstTableYear = 1984;
constexpr int kLastTableYear = 2003;
constexpr double kCoefficientBusinessBefore1984 = 1.9956;
constexpr double kCoefficientBusiness[] = {1.812,  1.6736, 1.5754, 1.5008, 1.4339, 1.3712, 1.3175,
                                           1.2727, 1.2443, 1.2282, 1.2059, 1.1577, 1.1026, 1.0778,
                                           1.064,  1.0566, 1.0513, 1.0297, 1.0171, 1.0};
constexpr double kCoefficientNonBusiness[] = {1.1236, 1.1236, 1.1236, 1.1236, 1.1236, 1.1236, 1.1236,
                                              1.1236, 1.1236, 1.1236, 1.1236, 1.1871, 1.1465, 1.1236,
                                              1.1018, 1.082,  1.0612, 1.0404, 1.02,   1.0};
static_assert(std::size(kCoefficientBusiness) == kLastTableYear - kFirstTableYear + 1);
static_assert(std::size(kCoefficientNonBusiness) == kLastTableYear - kFirstTableYear + 1);
constexpr double kCoefficientNonBusinessTo1994 = 1.1236;
constexpr double kCoefficientNonBusinessAt31121994 = 1.1871;

// Yearly depreciation of business assets: 1983 and before, 1984 .. 1993; then 1994, 1995.
constexpr double kEarlyYearBusiness[it::kEarlyYears] = {1.9956, 1.812,  1.6736, 1.5754, 1.5008, 1.4339,
                                                        1.3712, 1.3175, 1.2727, 1.2443, 1.2282};
constexpr double kYear1994Business = 1.2059;
constexpr double kYear1995Business = 1.1577;
// Depreciation of non-business real estate up to 1993, 1995.
constexpr double kTo1993NonBusiness = 1.1236;
constexpr double k1995NonBusiness = 1.1871;
constexpr double k1994NonBusiness = 1.1236;
constexpr double k1994NonBusinessAtAllowance = 1.1871;
// Depreciation 1996 .. 2003; the 2002 slot is the allowance's coefficient c2002.
constexpr int k2002 = 6;
constexpr double kLateYearBusiness[it::kLateYears] = {1.1026, 1.0778, 1.064, 1.0566, 1.0513, 1.0297, 0.0, 1.0};
constexpr double kLateYearNonBusiness[it::kLateYears] = {1.1465, 1.1236, 1.1018, 1.082, 1.0612, 1.0404, 0.0, 1.0};
constexpr double k2002Business = 1.0171;
constexpr double k2002NonBusiness = 1.02;

// Reduction of the gain of a taxi licence by whole-or-partial years held (index Y, 13 and over 1.0).
constexpr double kTaxiReduction[] = {0.04, 0.04, 0.08, 0.12, 0.19, 0.26, 0.33, 0.40, 0.47, 0.54, 0.61, 0.74, 0.87, 1.0};
constexpr int kTaxiWholeReductionYears = 12;  // held longer: the whole gain is reduced

// Transitional reduction of non-business gains: per year held to 1996 beyond two, and the limit.
struct TransitionalReduction {
  char type;
  double percentage;
  int yearLimit;
};
constexpr TransitionalReduction kTransitional[] = {
    {'3', 0.1111, 10}, {'4', 0.1111, 10}, {'5', 0.1428, 8}, {'7', 0.1428, 8}, {'6', 0.25, 5}};

constexpr char kBefore1984[] = "01011984";
constexpr char kEndOf1994[] = "31121994";
constexpr char kEndOf1996[] = "31121996";
constexpr char kEndOf2002[] = "31122002";

// An eight-character date of the record, zero-terminated for the date helpers.
struct Date {
  char text[9];
  bool blank;
  explicit Date(const void* rec, blocks::Text field) : blank(field.isAbsent(rec)) {
    std::memcpy(text, field.raw(rec).data(), 8);
    text[8] = '\0';
  }
  bool is(const char* exact) const { return std::memcmp(text, exact, 8) == 0; }
};

int YearOf(const char* date) {
  int d = 0, m = 0, y = 0;
  SplitDate(date, &d, &m, &y);
  return y;
}

}  // namespace

double CoeficienteAfectos(const char* date) {
  if (CompareDates(date, kBefore1984) == -1) return kCoefficientBusinessBefore1984;
  const int year = YearOf(date);
  if (year < kFirstTableYear) return kCoefficientBusinessBefore1984;
  if (year > kLastTableYear) return 1.0;  // after the tax year: nothing to update
  return kCoefficientBusiness[year - kFirstTableYear];
}

double CoeficienteNoAfectos(const char* date) {
  const int year = YearOf(date);
  if (year <= 1994) return kCoefficientNonBusinessTo1994;
  if (year > kLastTableYear) return 1.0;
  return kCoefficientNonBusiness[year - kFirstTableYear];
}

namespace {

void SumList(void* g4, const AmountList& list, blocks::Vec5 out) {
  Vec v{};
  for (int i = 0; i < AmountList::kRows; ++i)
    AcumulaATitular(v.data(), 5, list.holder(i).get(g4), list.counted(i).get(g4));
  out.store(g4, v);
}

bool IsBusiness(char type) { return type == '1' || type == '2'; }

// 1.0 when the date falls within a year before the transfer, else the coefficient of its year.
double ExpenseCoefficient(const Date& date, const Date& transfer, char type) {
  if (date.blank) return 0.0;
  int years = 0, partial = 0;
  const int r = WholeYearsBetween(date.text, transfer.text, &years, &partial);
  if (r != 0 && r != 1) return 0.0;
  if (years == 0 || (years == 1 && partial == 0)) return 1.0;
  if (IsBusiness(type)) return CoeficienteAfectos(date.text);
  return date.is(kEndOf1994) ? kCoefficientNonBusinessAt31121994 : CoeficienteNoAfectos(date.text);
}

// Copies each yearly amount into its updated field; returns the sum.
double CopyYears(void* item, int n, blocks::F64 (*amount)(int), blocks::F64 (*updated)(int)) {
  double sum = 0.0;
  for (int y = 0; y < n; ++y) {
    const double a = amount(y).get(item);
    updated(y).set(item, a);
    sum += a;
  }
  return sum;
}

void CalculateItem(void* item) {
  for (blocks::F64 f : {it::TransferValue, it::AcquisitionValue, it::Loss, it::LossImputed, it::Gain,
                        it::YearsTo1996, it::GainReduced, it::GainExempt, it::GainNotExempt,
                        it::GainImputedNonBusiness, it::TaxiReduction, it::GainAfterTaxi,
                        it::GainImputedBusiness})
    f.set(item, 0.0);
  double cA = 0.0, c1 = 0.0, c2 = 0.0, cT = 0.0, c1994 = k1994NonBusiness, c2002 = 0.0;
  double p = 0.0;
  int H = 0, n = 0;
  const char type = static_cast<char>(it::AssetType.get(item));
  const Date transfer(item, it::TransferDate);
  const Date acquisition(item, it::AcquisitionDate);

  if (!transfer.blank && !acquisition.blank) {
    int years = 0, partial = 0;
    // Taxi-licence reduction by years held, a started year counting whole.
    int r = WholeYearsBetween(acquisition.text, transfer.text, &years, &partial);
    if (r == 0 || r == 1) {
      const int Y = years + partial;
      cT = kTaxiReduction[Y <= 1 ? 0 : (Y >= 13 ? 13 : Y)];
    }
    // Acquisition coefficient.
    r = WholeYearsBetween(acquisition.text, transfer.text, &years, &partial);
    if (IsBusiness(type)) {
      cA = CoeficienteAfectos(acquisition.text);
    } else if (r == 0 || r == 1) {
      cA = acquisition.is(kEndOf1994) ? kCoefficientNonBusinessAt31121994 : CoeficienteNoAfectos(acquisition.text);
      const Date allowance1994(item, it::Allowance1994Date);
      if (!allowance1994.blank && allowance1994.is(kEndOf1994)) c1994 = k1994NonBusinessAtAllowance;
    }
    // The 2002 allowance is not updated when it lies within a year before the transfer.
    const Date allowance2002(item, it::Allowance2002Date);
    if (allowance2002.is(kEndOf2002)) {
      c2002 = 1.0;
    } else {
      bool recent = false;
      if (!allowance2002.blank) {
        r = WholeYearsBetween(allowance2002.text, transfer.text, &years, &partial);
        recent = (r == 0 || r == 1) && (years == 0 || (years == 1 && partial == 0));
      }
      c2002 = recent ? 1.0 : (IsBusiness(type) ? k2002Business : k2002NonBusiness);
    }
    c1 = ExpenseCoefficient(Date(item, it::Expense1Date), transfer, type);
    c2 = ExpenseCoefficient(Date(item, it::Expense2Date), transfer, type);
    // Holding years, a started year counting whole.
    r = WholeYearsBetween(acquisition.text, transfer.text, &years, &partial);
    const int s = CompareDates(transfer.text, acquisition.text);
    if (r == 0 || r == 1) {
      H = partial == 1 ? years + 1 : years;
      if (years == 0) H = s == 0 ? 0 : 1;
    }
    for (const TransitionalReduction& t : kTransitional)
      if (t.type == type) {
        p = t.percentage;
        n = t.yearLimit;
      }

    // Updated amounts.
    for (blocks::F64 f : {it::AcquisitionUpdated, it::Expense1Updated, it::Expense2Updated,
                          it::DepreciationTo1993Updated, it::Year1994Updated, it::Year1995Updated,
                          it::Depreciation1994Updated, it::Depreciation1995Updated, it::Cleared[0],
                          it::Cleared[1], it::Cleared[2], it::DepreciationFrom1996Updated})
      f.set(item, 0.0);
    for (int y = 0; y < it::kEarlyYears; ++y) it::EarlyYearUpdated(y).set(item, 0.0);
    for (int y = 0; y < it::kLateYears; ++y) it::LateYearUpdated(y).set(item, 0.0);

    auto updateLate = [&](const double* table, double& amounts, double& updates) {
      amounts = 0.0;
      updates = 0.0;
      for (int y = 0; y < it::kLateYears; ++y) {
        const double c = y == k2002 ? c2002 : table[y];
        const double a = it::LateYear(y).get(item);
        const double u = Redondea(c * a, 2);
        it::LateYearUpdated(y).set(item, u);
        amounts += a;
        updates += u;
      }
    };
    auto updateCommon = [&] {
      it::AcquisitionUpdated.set(item, Redondea(cA * it::AcquisitionAmount.get(item), 2));
      it::Expense1Updated.set(item, Redondea(c1 * it::Expense1.get(item), 2));
      it::Expense2Updated.set(item, Redondea(c2 * it::Expense2.get(item), 2));
    };
    auto copyCommon = [&] {
      it::AcquisitionUpdated.set(item, it::AcquisitionAmount.get(item));
      it::Expense1Updated.set(item, it::Expense1.get(item));
      it::Expense2Updated.set(item, it::Expense2.get(item));
    };
    double amounts = 0.0, updates = 0.0;
    if (type == '1') {
      updateCommon();
      for (int y = 0; y < it::kEarlyYears; ++y) {
        const double a = it::EarlyYear(y).get(item);
        const double u = Redondea(kEarlyYearBusiness[y] * a, 2);
        it::EarlyYearUpdated(y).set(item, u);
        amounts += a;
        updates += u;
      }
      it::DepreciationTo1993Updated.set(item, updates);
      it::DepreciationTo1993.set(item, amounts);
      it::Year1994Updated.set(item, Redondea(kYear1994Business * it::Year1994.get(item), 2));
      it::Year1995Updated.set(item, Redondea(kYear1995Business * it::Year1995.get(item), 2));
      it::Depreciation1994Updated.set(item, it::Year1994Updated.get(item) + it::Year1995Updated.get(item));
      it::Depreciation1994.set(item, it::Year1994.get(item) + it::Year1995.get(item));
      updateLate(kLateYearBusiness, amounts, updates);
      it::Depreciation1995Updated.set(item, updates);
      it::Depreciation1995.set(item, amounts);
      it::DepreciationFrom1996Updated.set(item, 0.0);
      it::DepreciationFrom1996.set(item, 0.0);
    } else if (type == '3') {
      updateCommon();
      it::DepreciationTo1993Updated.set(item, Redondea(kTo1993NonBusiness * it::DepreciationTo1993.get(item), 2));
      it::Depreciation1994Updated.set(item, Redondea(c1994 * it::Depreciation1994.get(item), 2));
      it::Depreciation1995Updated.set(item, Redondea(k1995NonBusiness * it::Depreciation1995.get(item), 2));
      updateLate(kLateYearNonBusiness, amounts, updates);
      it::DepreciationFrom1996Updated.set(item, updates);
      it::DepreciationFrom1996.set(item, amounts);
    } else if (type == '2') {
      copyCommon();
      const double early = CopyYears(item, it::kEarlyYears, it::EarlyYear, it::EarlyYearUpdated);
      it::DepreciationTo1993Updated.set(item, early);
      it::DepreciationTo1993.set(item, early);
      it::Year1994Updated.set(item, it::Year1994.get(item));
      it::Year1995Updated.set(item, it::Year1995.get(item));
      it::Depreciation1994Updated.set(item, it::Year1994Updated.get(item) + it::Year1995Updated.get(item));
      it::Depreciation1994.set(item, it::Year1994.get(item) + it::Year1995.get(item));
      const double late = CopyYears(item, it::kLateYears, it::LateYear, it::LateYearUpdated);
      it::Depreciation1995.set(item, late);
      it::Depreciation1995Updated.set(item, late);
    } else {
      copyCommon();
      it::DepreciationTo1993Updated.set(item, it::DepreciationTo1993.get(item));
      it::Depreciation1994Updated.set(item, it::Depreciation1994.get(item));
      it::Depreciation1995Updated.set(item, it::Depreciation1995.get(item));
      const double late = CopyYears(item, it::kLateYears, it::LateYear, it::LateYearUpdated);
      it::DepreciationFrom1996.set(item, late);
      it::DepreciationFrom1996Updated.set(item, late);
    }
  }

  // Transfer and acquisition values.
  const double transferAmount = it::TransferAmount.get(item);
  const double transferValue = transferAmount - it::TransferExpenses.get(item);
  it::TransferValue.set(item, transferValue);
  const double acquisitionValue =
      it::AcquisitionUpdated.get(item) + it::Expense1Updated.get(item) + it::Expense2Updated.get(item) -
      it::DepreciationTo1993Updated.get(item) - it::Depreciation1994Updated.get(item) -
      it::Depreciation1995Updated.get(item) - it::DepreciationFrom1996Updated.get(item);
  it::AcquisitionValue.set(item, acquisitionValue);
  const bool instalments = it::Instalments.get(item) == 1 && transferAmount != 0.0;
  const double collected = it::CollectedInYear.get(item);

  if (acquisitionValue > transferValue) {
    const double loss = acquisitionValue - transferValue;
    it::Loss.set(item, loss);
    double imputed = instalments ? loss * collected / transferAmount : loss;
    if (it::NoLossImputation.get(item) == 1) imputed = 0.0;
    it::LossImputed.set(item, imputed);
    return;
  }

  const double gain = transferValue - acquisitionValue;
  it::Gain.set(item, gain);
  if (IsBusiness(type)) {
    double reduction = 0.0;
    if (it::TaxiLicence.get(item) == 1) {
      reduction = Redondea(cT * gain, 2);
      if (H > kTaxiWholeReductionYears) reduction = gain;
    }
    it::TaxiReduction.set(item, reduction);
    const double after = gain - reduction;
    it::GainAfterTaxi.set(item, after);
    it::GainImputedBusiness.set(item, instalments ? Redondea(after * collected / transferAmount, 2) : after);
    return;
  }

  double years1996 = 0.0;
  if (!transfer.blank && !acquisition.blank) {
    if (CompareDates(acquisition.text, kEndOf1996) != 1) {
      int years = 0, partial = 0;
      const int r = WholeYearsBetween(acquisition.text, kEndOf1996, &years, &partial);
      if (r == 0 || r == 1) {
        years1996 = partial == 1 ? years + 1 : years;
        if (years == 0) years1996 = acquisition.is(kEndOf1996) ? 0 : 1;
      }
    }
  }
  it::YearsTo1996.set(item, years1996);
  double reduced = gain;
  if (years1996 > 2) {
    reduced = Redondea(gain - (years1996 - 2) * p * gain, 2);
    if (years1996 > n) reduced = 0.0;
  }
  it::GainReduced.set(item, reduced);
  double exempt = 0.0;
  const double reinvested = it::Reinvested.get(item);
  if (reinvested > 0.0) {
    const double d = transferAmount - it::PendingLoan.get(item) - it::TransferExpenses.get(item);
    if (d != 0.0) exempt = Redondea(reduced * reinvested / d, 2);
    if (exempt < 0.0) exempt = 0.0;
    if (exempt > reduced) exempt = reduced;
  }
  it::GainExempt.set(item, exempt);
  const double notExempt = reduced - exempt;
  it::GainNotExempt.set(item, notExempt);
  it::GainImputedNonBusiness.set(item, instalments ? Redondea(notExempt * collected / transferAmount, 2) : notExempt);
}

void SumItems(void* g4, blocks::F64 field, blocks::Vec5 out) {
  Vec v{};
  for (int i = 0; i < f100::sec_g4::kItemCount; ++i) {
    const void* item = blocks::at(g4, f100::sec_g4::itemOffset(i));
    AcumulaATitular(v.data(), 5, it::Holder.get(item), field.get(item));
  }
  out.store(g4, v);
}

}  // namespace
}  // namespace tv

TALLYVEX_API void Calculos100G4(void* g4, int pass) {
  using namespace f100::sec_g4;
  switch (pass) {
    case 1:
      tv::SumList(g4, ListA, ShortGainsA);
      tv::SumList(g4, ListB, ShortLossesB);
      break;
    case 2:
      tv::SumList(g4, ListC, ShortGainsC);
      break;
    case 3:
      for (int i = 0; i < kItemCount; ++i) tv::CalculateItem(blocks::at(g4, itemOffset(i)));
      tv::SumItems(g4, item::LossImputed, ItemLosses);
      tv::SumItems(g4, item::GainImputedNonBusiness, ItemGainsNonBusiness);
      tv::SumItems(g4, item::GainImputedBusiness, ItemGainsBusiness);
      break;
    case 4:
      tv::SumList(g4, ListE, LongGainsE);
      tv::SumList(g4, ListF, LongLossesF);
      break;
    default:
      break;
  }
}

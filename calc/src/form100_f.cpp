// Sections F1, F3, F4 and F5: income attributed by entities and imputed income.
#include "blocks/form100_f1.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace f1 = f100::sec_f1;
constexpr unsigned char kCommon = 1;

tv::RowColumn f1Rows(blocks::F64 amount) { return {f1::Holder, amount, f1::kRows, f1::kRowSize}; }

void ImputedList(void* rec) {
  namespace f3 = f100::sec_f3;
  f3::Amounts.store(rec, tv::SumByHolder(rec, {{f3::Holder, f3::Amount, f3::kRows, f3::kRowSize}}));
}

// A complete holder vector of one amount of the single holder.
tv::Vec OneHolder(int code, double amount) {
  tv::Vec v{};
  tv::SumaASuTitular(v.data(), 5, {{code, amount}});
  return v;
}

}  // namespace

TALLYVEX_API void Calculos100F1(void* secF1, void* summary) {
  for (std::size_t i = 0; i < f1::kRows; ++i) {
    const tv::RowRef r{secF1, i, f1::kRowSize};
    r.set(f1::Income3, r.get(f1::Income3Entered));
    r.set(f1::Income1, r.get(f1::Income1PartA) + r.get(f1::Income1PartB));
    r.set(f1::Net1, r.get(f1::Income1) - r.get(f1::Expenses1));
    r.set(f1::Net2, r.get(f1::Income2) - r.get(f1::Expenses2));
    // Income of the third kind is not attributed to a row held in common.
    if (r.byte(f1::Holder) == kCommon) {
      r.set(f1::Expenses3, 0.0);
      r.set(f1::Income3, 0.0);
      r.set(f1::Net3, 0.0);
    } else {
      r.set(f1::Net3, r.get(f1::Income3) - r.get(f1::Expenses3));
    }
  }
  f1::Net1Total.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::Net1)}));
  f1::Net2Total.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::Net2)}));
  f1::Net3Total.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::Net3)}));
  f1::ShortTermGainsTotal.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::ShortTermGains)}));
  f1::ShortTermLossesTotal.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::ShortTermLosses)}));
  f1::LongTermGainsTotal.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::LongTermGains)}));
  f1::LongTermLossesTotal.store(secF1, tv::SumByHolder(secF1, {f1Rows(f1::LongTermLosses)}));
  f100::summary::AttributedWithholdings.store(summary, tv::SumByHolder(secF1, {f1Rows(f1::Withholdings)}));
}

TALLYVEX_API void Calculos100F3(void* secF3) { ImputedList(secF3); }

TALLYVEX_API void Calculos100F5(void* secF5) { ImputedList(secF5); }

TALLYVEX_API void Calculos100F4(void* secF4, void* summary) {
  namespace f4 = f100::sec_f4;
  const int code = f4::Holder.get(secF4);
  f4::AmountToImputeByHolder.store(secF4, OneHolder(code, f4::AmountToImpute.get(secF4)));
  f100::summary::ImageRightsDeduction.store(summary, OneHolder(code, f4::DoubleTaxationDeduction.get(secF4)));
  f100::summary::ImageRightsPayment.store(summary, OneHolder(code, f4::PaymentOnAccount.get(secF4)));
}

#include "data/calc/form714_calculation.h"

#include <array>
#include <cstring>

#include "data/blocks/form714.h"
#include "data/message_service.h"
#include "tallyvex.h"

namespace {

using SectionExport = void (*)(void*, int, void*);

struct SectionCall {
  const blocks::RecordDef* record;
  SectionExport calculate;
};

// The section exports in the driver's order; section C runs its two parts on the same record.
const std::array<SectionCall, 24> kSections{{
    {&f714::SectionA, Calculos714A},   {&f714::SectionB, Calculos714B},   {&f714::SectionC, Calculos714C1},
    {&f714::SectionC, Calculos714C2},  {&f714::SectionD, Calculos714D},   {&f714::SectionE, Calculos714E},
    {&f714::SectionF1, Calculos714F1}, {&f714::SectionF2, Calculos714F2}, {&f714::SectionG1, Calculos714G1},
    {&f714::SectionG2, Calculos714G2}, {&f714::SectionG3, Calculos714G3}, {&f714::SectionG4, Calculos714G4},
    {&f714::SectionH1, Calculos714H1}, {&f714::SectionH2, Calculos714H2}, {&f714::SectionI, Calculos714I},
    {&f714::SectionJ, Calculos714J},   {&f714::SectionK, Calculos714K},   {&f714::SectionL, Calculos714L},
    {&f714::SectionM, Calculos714M},   {&f714::SectionN, Calculos714N},   {&f714::SectionO, Calculos714O},
    {&f714::SectionP, Calculos714P},   {&f714::SectionQ, Calculos714Q},   {&f714::Debts, Calculos714DEUDAS},
}};

// Liquidation values that the messages after a run compare with the values before it.
constexpr blocks::F64 kNetWealth{168};
constexpr blocks::F64 kLimitValue304{304};
constexpr blocks::F64 kLimitValue328{328};
constexpr blocks::F64 kLimitValue336{336};
constexpr blocks::F64 kCredit456{456};
constexpr blocks::F64 kCredit472{472};
constexpr blocks::F64 kCredit488{488};
constexpr blocks::F64 kCeutaMelilla512{512};
constexpr std::size_t kSummaryCopy = 552;

int Run(unsigned char* b, int mode, const Form714CalcContext& ctx, int depth) {
  unsigned char* sum = b + f714::Summary.offset;
  unsigned char* per = b + f714::Personal.offset;
  unsigned char before[kSummaryCopy];
  std::memcpy(before, sum, kSummaryCopy);

  if (mode != 0) {
    Calculos714DP(per);
    for (const SectionCall& s : kSections) {
      s.calculate(b + s.record->offset, -1, sum);
      s.calculate(b + s.record->offset, 0, sum);
    }
  }
  Calculos714LI(sum, per, -1);
  Calculos714LI(sum, per, 0);
  Calculos714DI(b + f714::Result.offset, sum);
  FinishResult714(b);

  const auto changed = [&](const blocks::F64& f) { return f.get(sum) != f.get(before); };
  bool again = false;
  if (changed(kNetWealth) && kNetWealth.get(sum) > 0.0) {
    if (changed(kCeutaMelilla512) && ctx.messages) ctx.messages->ShowMessage("100R111", MessageIcon::Stop);
    if (kLimitValue336.get(sum) > kNetWealth.get(sum)) {
      if (ctx.messages) ctx.messages->ShowMessage("100P103", MessageIcon::Stop);
      kLimitValue304.set(sum, 0.0);
      kLimitValue328.set(sum, 0.0);
      kLimitValue336.set(sum, 0.0);
      again = true;
    }
    if ((changed(kCredit456) || changed(kCredit472) || changed(kCredit488)) && ctx.messages)
      ctx.messages->ShowMessage("714R005", MessageIcon::Stop);
  }
  // The recalculation after the reset runs once: a second reset could otherwise repeat forever.
  if (again && depth == 0) Run(b, 1, ctx, depth + 1);
  return 1;
}

}  // namespace

void FinishResult714(void* block) {
  auto* b = static_cast<unsigned char*>(block);
  unsigned char* sum = b + f714::Summary.offset;
  unsigned char* res = b + f714::Result.offset;
  const unsigned char* per = b + f714::Personal.offset;
  const double result = f714::summary::Result.get(sum);
  f714::summary::NothingToPay.set(sum, result > 0.0 ? 0 : 1);
  for (const blocks::U8& option : {f714::result::Option24, f714::result::Option25})
    if (option.get(res) != 0 && option.get(res) != 1) option.set(res, 0);
  if (f714::personal::CopyResult.isSet(per)) {
    f714::result::AmountToPay.set(res, result);
    const double difference = result - f714::result::AlreadyPaid.get(res);
    f714::result::Difference.set(res, difference < 0.0 ? 0.0 : difference);
  } else {
    f714::result::AmountToPay.set(res, 0.0);
    f714::result::Difference.set(res, 0.0);
  }
}

int CalculateForm714(void* block, int mode, const Form714CalcContext& ctx) {
  return Run(static_cast<unsigned char*>(block), mode, ctx, 0);
}

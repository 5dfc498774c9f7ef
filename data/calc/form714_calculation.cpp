#include "data/calc/form714_calculation.h"

#include <array>
#include <cstring>

#include "blocks/form714.h"
#include "blocks/form714_liquidation.h"
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

// The part of the summary a run compares with what it held before (everything up to the result).
constexpr std::size_t kSummaryCopy = 552;
static_assert(f714::liq::QuotaToPay.off + 8 <= kSummaryCopy && kSummaryCopy <= f714::Summary.size);

int Run(void* block, int mode, const Form714CalcContext& ctx, bool isRecalculation) {
  namespace liq = f714::liq;
  unsigned char* sum = f714::record(block, f714::Summary);
  unsigned char* per = f714::record(block, f714::Personal);
  unsigned char before[kSummaryCopy];
  std::memcpy(before, sum, kSummaryCopy);

  if (mode != 0) {
    Calculos714DP(per);
    for (const SectionCall& s : kSections) {
      s.calculate(f714::record(block, *s.record), -1, sum);
      s.calculate(f714::record(block, *s.record), 0, sum);
    }
  }
  Calculos714LI(sum, per, -1);
  Calculos714LI(sum, per, 0);
  Calculos714DI(f714::record(block, f714::Result), sum);
  FinishResult714(block);
  if (ctx.updateViews) ctx.updateViews(ctx.viewsOwner);

  // The liquidation clears inputs that exceed the net wealth; the user is told which.
  const auto changed = [&](const blocks::F64& f) { return f.get(sum) != f.get(before); };
  const auto show = [&](const char* code) {
    if (ctx.messages) ctx.messages->ShowMessage(code, MessageIcon::Stop);
  };
  bool recalculate = false;
  if (changed(liq::NetWealth) && liq::NetWealth.get(sum) > 0.0) {
    if (changed(liq::CeutaMelillaValue)) show("100R111");
    if (liq::ExcludedAssets.get(sum) > liq::NetWealth.get(sum)) {
      show("100P103");
      liq::FirstIncomeBase.set(sum, 0.0);
      liq::IncomeTaxQuota.set(sum, 0.0);
      liq::ExcludedAssets.set(sum, 0.0);
      recalculate = true;
    }
    bool creditChanged = false;
    for (int k = 0; k < liq::kPairs; ++k) creditChanged = creditChanged || changed(liq::PaidValue(k, liq::kPairStride));
    if (creditChanged) show("714R005");
  }
  // One recalculation after the reset: the reset inputs cannot trigger it again, and a run that
  // did would otherwise repeat without end.
  if (recalculate && !isRecalculation) Run(block, 1, ctx, true);
  return 1;
}

}  // namespace

void FinishResult714(void* block) {
  unsigned char* sum = f714::record(block, f714::Summary);
  unsigned char* res = f714::record(block, f714::Result);
  const unsigned char* per = f714::record(block, f714::Personal);
  const double result = f714::summary::Result.get(sum);
  f714::summary::NothingToPay.set(sum, result > 0.0 ? 0 : 1);
  for (const blocks::U8& option : {f714::result::Option24, f714::result::Option25})
    if (option.get(res) != 0 && option.get(res) != 1) option.set(res, 0);
  if (f714::personal::CopyResult.get(per) != 0) {
    f714::result::AmountToPay.set(res, result);
    const double difference = result - f714::result::AlreadyPaid.get(res);
    f714::result::Difference.set(res, difference < 0.0 ? 0.0 : difference);
  } else {
    f714::result::AmountToPay.set(res, 0.0);
    f714::result::Difference.set(res, 0.0);
  }
}

int CalculateForm714(void* block, int mode, const Form714CalcContext& ctx) { return Run(block, mode, ctx, false); }

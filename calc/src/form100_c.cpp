// Section C: imputed income from urban real estate, and the rows shown for one member.
#include "blocks/form100_c.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace c = f100::sec_c;

constexpr unsigned char kShownSlot = 2;  // slot code of a row shown for a single member
constexpr double kCommonShare = 0.5;     // each spouse's view shows half of a common row

void ClearMemberView(void* secC) {
  c::SlotCodes.clear(secC);
  c::SlotAmounts.clear(secC);
  c::SlotTexts.clear(secC);
  c::SlotImputeds.clear(secC);
}

// Copies a row into a slot of the view at the member's column; a common row shows each spouse
// half of its amounts, rounded to cents.
void ShowRow(void* secC, int row, int slot, int column, bool halved, unsigned char slotCode) {
  const auto r = static_cast<std::size_t>(row);
  const auto s = static_cast<std::size_t>(slot);
  double amount = c::Amount(r, c::kRowSize).get(secC);
  double imputed = c::Imputed(r, c::kRowSize).get(secC);
  if (halved) {
    amount = tv::Redondea(kCommonShare * amount, 2);
    imputed = tv::Redondea(kCommonShare * imputed, 2);
  }
  c::SlotCode(s).set(secC, slotCode);
  c::SlotAmount(s).set(secC, column, amount);
  c::slotText(slot, column).set(secC, c::Reference(r, c::kRowSize).raw(secC));
  c::SlotImputed(s).set(secC, column, imputed);
}

}  // namespace

TALLYVEX_API void Calculos100C(void* secC, int member) {
  c::ImputedIncome.store(secC, tv::SumByHolder(secC, {{c::Holder, c::Imputed, c::kRows, c::kRowSize}}));
  ClearMemberView(secC);

  if (member == f100::kFamilyUnit) {
    for (int k = 0; k < c::kRows; ++k)
      ShowRow(secC, k, k, 0, false, c::Holder(static_cast<std::size_t>(k), c::kRowSize).get(secC));
    return;
  }
  // A member outside 1..5 has no column of its own: the view stays empty.
  if (member < f100::kDeclarant || member > f100::kChild2) return;

  const int column = member - 1;
  int slot = 0;
  for (int k = 0; k < c::kRows; ++k) {
    const int code = c::Holder(static_cast<std::size_t>(k), c::kRowSize).get(secC);
    if (code == 1 && (member == f100::kDeclarant || member == f100::kSpouse))
      ShowRow(secC, k, slot++, column, true, kShownSlot);
    else if (code == member)
      ShowRow(secC, k, slot++, column, false, kShownSlot);
  }
}

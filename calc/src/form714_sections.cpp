// Form 714, section totals: each export sums its rows into the section total (mode != 0) or
// publishes that total into its Form714Summary slot (mode 0). Mode 0 never recomputes: it
// publishes what the last non-zero call left, which is the value saved with the declaration.
#include "blocks/form714_sections.h"
#include "tallyvex.h"

namespace {

namespace s = f714::sections;

// Plain double additions in row order, no rounding; negative amounts count as they are.
void sumRows(void* rec, const s::RowTable& t) {
  double total = 0.0;
  for (int row = 0; row < t.rows; ++row) total = total + t.amount(row).get(rec);
  t.total.set(rec, total);
}

void plainSection(const s::Section& sec, void* rec, int mode, void* summary) {
  if (mode != 0)
    sumRows(rec, sec.table);
  else
    sec.slot.set(summary, sec.table.total.get(rec));
}

// The capped item of section A: its value is exempt up to the cap, the rest is taxable.
void cappedItem(void* rec) {
  namespace a = s::sec_a;
  const double value = a::ItemFirst.get(rec) + a::ItemSecond.get(rec);
  a::ItemValue.set(rec, value);
  const double exempt = value <= a::kExemptCap ? value : a::kExemptCap;
  a::ItemExempt.set(rec, exempt);
  a::ItemTaxable.set(rec, value - exempt);
}

}  // namespace

TALLYVEX_API void Calculos714A(void* secA, int mode, void* summary) {
  namespace a = s::sec_a;
  if (mode != 0) {
    cappedItem(secA);
    sumRows(secA, a::Rows);
    a::Total.set(secA, a::ItemTaxable.get(secA) + a::Rows.total.get(secA));
  } else {
    f714::summary::A.set(summary, a::Total.get(secA));
  }
}

TALLYVEX_API void Calculos714B(void* secB, int mode, void* summary) { plainSection(s::B, secB, mode, summary); }

// The first part is recomputed whatever the mode; the second part and the section total follow
// through Calculos714C2 with the same mode.
TALLYVEX_API void Calculos714C1(void* secC, int mode, void* summary) {
  sumRows(secC, s::sec_c::FirstPart);
  Calculos714C2(secC, mode, summary);
}

TALLYVEX_API void Calculos714C2(void* secC, int mode, void* summary) {
  namespace c = s::sec_c;
  if (mode != 0) {
    sumRows(secC, c::SecondPart);
    c::Total.set(secC, c::FirstPart.total.get(secC) + c::SecondPart.total.get(secC));
  } else {
    f714::summary::C.set(summary, c::Total.get(secC));
  }
}

TALLYVEX_API void Calculos714D(void* secD, int mode, void* summary) { plainSection(s::D, secD, mode, summary); }
TALLYVEX_API void Calculos714E(void* secE, int mode, void* summary) { plainSection(s::E, secE, mode, summary); }
TALLYVEX_API void Calculos714F1(void* secF1, int mode, void* summary) { plainSection(s::F1, secF1, mode, summary); }
TALLYVEX_API void Calculos714F2(void* secF2, int mode, void* summary) { plainSection(s::F2, secF2, mode, summary); }
TALLYVEX_API void Calculos714G1(void* secG1, int mode, void* summary) { plainSection(s::G1, secG1, mode, summary); }
TALLYVEX_API void Calculos714G2(void* secG2, int mode, void* summary) { plainSection(s::G2, secG2, mode, summary); }
TALLYVEX_API void Calculos714G3(void* secG3, int mode, void* summary) { plainSection(s::G3, secG3, mode, summary); }
TALLYVEX_API void Calculos714G4(void* secG4, int mode, void* summary) { plainSection(s::G4, secG4, mode, summary); }
TALLYVEX_API void Calculos714H1(void* secH1, int mode, void* summary) { plainSection(s::H1, secH1, mode, summary); }
TALLYVEX_API void Calculos714H2(void* secH2, int mode, void* summary) { plainSection(s::H2, secH2, mode, summary); }
TALLYVEX_API void Calculos714I(void* secI, int mode, void* summary) { plainSection(s::I, secI, mode, summary); }
TALLYVEX_API void Calculos714J(void* secJ, int mode, void* summary) { plainSection(s::J, secJ, mode, summary); }
TALLYVEX_API void Calculos714O(void* secO, int mode, void* summary) { plainSection(s::O, secO, mode, summary); }
TALLYVEX_API void Calculos714P(void* secP, int mode, void* summary) { plainSection(s::P, secP, mode, summary); }
TALLYVEX_API void Calculos714Q(void* secQ, int mode, void* summary) { plainSection(s::Q, secQ, mode, summary); }
TALLYVEX_API void Calculos714DEUDAS(void* debts, int mode, void* summary) {
  plainSection(s::DebtsSection, debts, mode, summary);
}

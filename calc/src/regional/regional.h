// Shared ground of the regional deductions: the records of one Calculos100P call, the member
// accessors and the small arithmetic every community's rules use.
#pragma once

#include "calc/src/numeric.h"
#include "blocks/form100_liquidation.h"
#include "blocks/form100_p.h"

namespace tv::regional {

namespace sp = f100::sec_p;
namespace in = f100::sec_p::in;

// Member indices of a HolderVector.
inline constexpr int kUnit = 0;
inline constexpr int kDeclarant = 1;
inline constexpr int kSpouse = 2;

// The records of one call, in the export's argument order.
struct Records {
  void* p;
  const void* personal;
  void* summary;  // RegionalDeductionsTotal is written
  const void* secI;
  const void* family;
  const void* secO;
  const void* secA;
  const void* secB;
  const void* secK;
  const void* secC;
  const void* secD;
  const void* secE1;
  const void* secE4;
  const void* secE5;
  const void* secF1;
  const void* secF2;
  const void* secF3;
  const void* secF4;
  const void* secF5;
  const void* secG6;
  const void* secH;
  int joint;  // the document's joint-declaration byte
};

// Rounded to cents, half away from zero.
inline double rnd(double x) { return Redondea(x, 2); }
// x / y, or 0 when the divisor is 0.
inline double q(double x, double y) { return y == 0.0 ? 0.0 : x / y; }

inline Vec load(const void* rec, blocks::Vec5 v) { return v.load(rec); }
inline void store(void* rec, blocks::Vec5 v, const Vec& x) { v.store(rec, x); }

// Holder code of an input row; codes above 5 read as 0 (an empty row).
inline int holder(const void* rec, blocks::U8 code) {
  const int c = code.get(rec);
  return c > 5 ? 0 : c;
}

// Per-holder sum of one amount of every row (a common row gives half, rounded, to each spouse).
inline void addRows(Vec& out, const void* rec, const sp::Rows& rows, std::size_t amount) {
  for (int i = 0; i < rows.count; ++i)
    AcumulaATitular(out.data(), 5, holder(rec, rows.code(i)), rows.f64(i, amount).get(rec));
}
inline Vec splitRows(const void* rec, const sp::Rows& rows, std::size_t amount = sp::kRowAmount) {
  Vec out{};
  addRows(out, rec, rows, amount);
  return out;
}

// Person p = 1 declarant, 2 spouse, 3 child 1, 4 child 2.
inline int age(const Records& r, int p) { return in::personal::Age(p).get(r.personal); }
inline unsigned char disability(const Records& r, int p) { return in::personal::DisabilityCode(p).get(r.personal); }
inline bool marriedCouple(const Records& r) { return in::personal::UnitKind.get(r.personal) == 1; }
inline bool familyMark(const Records& r, int p) { return in::family::FamilyMemberMark(p).get(r.family) != 0; }

// A mark byte of an input area: any non-zero value.
inline bool marked(const void* rec, blocks::U8 b) { return b.get(rec) != 0; }

// Column k of a vector of another record.
inline double col(const void* rec, blocks::Vec5 v, int k) { return v.get(rec, k); }
inline double incomeGeneralSpecial(const Records& r, int k) {  // GeneralBase + SpecialBase
  return col(r.secI, in::sec_i::GeneralBase, k) + col(r.secI, in::sec_i::SpecialBase, k);
}
inline double taxableBases(const Records& r, int k) {  // GeneralTaxableBase + SpecialTaxableBase
  return col(r.secK, in::sec_k::GeneralTaxableBase, k) + col(r.secK, in::sec_k::SpecialTaxableBase, k);
}

// ---- identifications ----------------------------------------------------------------------------
// A row's NIF is present when its first character is neither a zero byte nor a blank.
inline bool nifPresent(const void* rec, blocks::Text nif) { return !nif.isAbsent(rec); }
// A member's slot is empty while its first byte is 0.
inline bool slotEmpty(const void* p, blocks::Text slot) { return *blocks::at(p, slot.off) == 0; }
inline void copyNif(void* p, blocks::Text slot, blocks::Text from) {
  blocks::Area{slot.off, 9}.copyIn(p, blocks::at(static_cast<const void*>(p), from.off));
}
inline void fillSlotIfEmpty(void* p, blocks::Text slot, blocks::Text from) {
  if (slotEmpty(p, slot)) copyNif(p, slot, from);
}

// The last identification seen for each of the holder codes 1 (common), 2 and 3 (spouses).
struct Identifications {
  blocks::Text byCode[4]{};
  bool has[4]{};
  // The first found among the given holder codes, in the order given.
  const blocks::Text* first(std::initializer_list<int> codes) const {
    for (int c : codes)
      if (has[c]) return &byCode[c];
    return nullptr;
  }
};
Identifications collectIdentifications(const void* p, const sp::Rows& rows, std::size_t nifField);
// Fills the slot, when empty, with the first identification found among the codes.
void fillFromIdentifications(void* p, blocks::Text slot, const Identifications& ids, std::initializer_list<int> codes);

// Income of sections E1, E4, E5 (one amount per row) and F1 (the listed amounts of each row), per holder.
struct ActivityAmounts {
  std::size_t e1, e4, e5;
  std::initializer_list<std::size_t> f1;
};
Vec activityIncome(const Records& r, const ActivityAmounts& a);

// A plain percentage of the rows of an area: rnd(rate x rows sum) in every column.
struct RatedRows {
  blocks::Vec5 result;
  sp::Rows rows;
  double rate;
};
void PercentOfRows(Records& r, const RatedRows& d);

// Caps every column at 10 percent of the member's taxable bases, rounded, and floors it at 0.
void capAtTenPercentOfTaxableBases(const Records& r, Vec& amounts);

// A fixed amount for member m (1..4) when the person qualifies; for the family unit (0), that
// amount for each of the four persons who qualify.
template <class Qualifies>
double perPerson(int m, double amount, Qualifies qualifies) {
  if (m >= 1) return qualifies(m) ? amount : 0.0;
  double total = 0.0;
  for (int person = 1; person <= 4; ++person)
    if (qualifies(person)) total += amount;
  return total;
}

// What the state housing deductions leave under 9015.18, column k (communities 13 and 16).
double housingMargin(const Records& r, int k);

// The rules of each community for member m (0 family unit .. 4 child 2).
void Community01(Records& r, int m);
void Community02(Records& r, int m);
void Community03(Records& r, int m);
void Community04(Records& r, int m);
void Community05(Records& r, int m);
void Community06(Records& r, int m);
void Community07(Records& r, int m);
void Community08(Records& r, int m);
void Community09(Records& r, int m);
void Community10(Records& r, int m);
void Community11(Records& r, int m);
void Community12(Records& r, int m);
void Community13(Records& r, int m);
void Community16(Records& r, int m);
void Community17(Records& r, int m);

}  // namespace tv::regional

// Form-714 section records A to J, O, P, Q and the debts: where their rows lie, which double of a
// row is its amount, where the section total is kept and which Form714Summary slot publishes it.
// Sections K to N have their own header. Offsets are within each record and are a stored format.
#pragma once

#include "blocks/form714.h"

namespace f714::sections {

// One row table of a section record: `rows` rows of `rowSize` bytes from `rowsAt`, the amount at
// row +`amountAt`, summed into `total`. Most tables keep one more (unshown, unsummed) row slot
// between the last summed row and the total.
struct RowTable {
  std::size_t rowsAt;
  int rows;
  std::size_t rowSize;
  std::size_t amountAt;
  blocks::F64 total;

  constexpr blocks::F64 amount(int row) const {
    return {rowsAt + static_cast<std::size_t>(row) * rowSize + amountAt};
  }
  constexpr std::size_t end() const { return rowsAt + static_cast<std::size_t>(rows) * rowSize; }
};

// A section whose export totals one row table and publishes `total` into `slot`.
struct Section {
  blocks::RecordDef record;
  RowTable table;
  blocks::F64 slot;  // in Form714Summary
};

inline constexpr std::size_t kRow = 72;       // most sections
inline constexpr std::size_t kShortRow = 64;  // section J
inline constexpr std::size_t kAmount = 64;
inline constexpr std::size_t kShortAmount = 56;

// Sections totalled by the plain rule (A and C are below: they have more than one total).
inline constexpr Section B{SectionB, {0, 20, kRow, kAmount, {1512}}, summary::B};
inline constexpr Section D{SectionD, {0, 13, kRow, kAmount, {1008}}, summary::D};
inline constexpr Section E{SectionE, {0, 15, kRow, kAmount, {1152}}, summary::E};
inline constexpr Section F1{SectionF1, {0, 15, kRow, kAmount, {1152}}, summary::F1};
inline constexpr Section F2{SectionF2, {0, 14, kRow, kAmount, {1080}}, summary::F2};
inline constexpr Section G1{SectionG1, {0, 12, kRow, kAmount, {936}}, summary::G1};
inline constexpr Section G2{SectionG2, {0, 18, kRow, kAmount, {1368}}, summary::G2};
inline constexpr Section G3{SectionG3, {0, 13, kRow, kAmount, {1008}}, summary::G3};
inline constexpr Section G4{SectionG4, {0, 10, kRow, kAmount, {792}}, summary::G4};
inline constexpr Section H1{SectionH1, {0, 5, kRow, kAmount, {432}}, summary::H1};
inline constexpr Section H2{SectionH2, {0, 5, kRow, kAmount, {432}}, summary::H2};
inline constexpr Section I{SectionI, {0, 5, kRow, kAmount, {432}}, summary::I};
inline constexpr Section J{SectionJ, {0, 5, kShortRow, kShortAmount, {384}}, summary::J};
inline constexpr Section O{SectionO, {0, 5, kRow, kAmount, {360}}, summary::O};
inline constexpr Section P{SectionP, {0, 5, kRow, kAmount, {360}}, summary::P};
inline constexpr Section Q{SectionQ, {0, 12, kRow, kAmount, {864}}, summary::Q};
inline constexpr Section DebtsSection{Debts, {0, 13, kRow, kAmount, {936}}, summary::Debts};

// Section A: a capped item ahead of its rows.
namespace sec_a {
inline constexpr blocks::F64 ItemFirst{56};    // input
inline constexpr blocks::F64 ItemSecond{120};  // input
inline constexpr blocks::F64 ItemValue{128};   // ItemFirst + ItemSecond
inline constexpr blocks::F64 ItemExempt{136};  // the value, at most kExemptCap
inline constexpr blocks::F64 ItemTaxable{144}; // value - exempt part
inline constexpr RowTable Rows{152, 20, kRow, kAmount, {1664}};
inline constexpr blocks::F64 Total{1672};      // ItemTaxable + rows total; published to summary::A
inline constexpr double kExemptCap = 150253.03;
}  // namespace sec_a

// Section C: two row tables and the section total.
namespace sec_c {
inline constexpr RowTable FirstPart{0, 13, kRow, kAmount, {1008}};
inline constexpr RowTable SecondPart{1016, 12, kRow, kAmount, {1952}};
inline constexpr blocks::F64 Total{1960};  // FirstPart + SecondPart; published to summary::C
}  // namespace sec_c

constexpr bool fits(const RowTable& t, std::size_t recordSize) {
  return t.end() <= t.total.off && t.total.off + 8 <= recordSize;
}
constexpr bool fits(const Section& s) { return fits(s.table, s.record.size); }

static_assert(fits(B) && fits(D) && fits(E) && fits(F1) && fits(F2) && fits(G1) && fits(G2) && fits(G3) &&
              fits(G4) && fits(H1) && fits(H2) && fits(I) && fits(J) && fits(O) && fits(P) && fits(Q) &&
              fits(DebtsSection));
static_assert(fits(sec_a::Rows, SectionA.size) && sec_a::ItemTaxable.off + 8 <= sec_a::Rows.rowsAt &&
              sec_a::Total.off + 8 <= SectionA.size);
static_assert(fits(sec_c::FirstPart, SectionC.size) && sec_c::FirstPart.total.off + 8 <= sec_c::SecondPart.rowsAt &&
              fits(sec_c::SecondPart, SectionC.size) && sec_c::Total.off + 8 <= SectionC.size);
// The spare row slot of the tables that have one lies between the last row and the total.
static_assert(B.table.end() + kRow == B.table.total.off && J.table.end() + kShortRow == J.table.total.off);
static_assert(O.table.end() == O.table.total.off && DebtsSection.table.end() == DebtsSection.table.total.off);

}  // namespace f714::sections

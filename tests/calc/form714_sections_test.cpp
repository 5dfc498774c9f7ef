#include <gtest/gtest.h>

#include "blocks/form714_sections.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

namespace s = f714::sections;
using Export = void (*)(void*, int, void*);

struct PlainCase {
  const char* name;
  Export fn;
  s::Section sec;
};

const PlainCase kPlain[] = {
    {"B", Calculos714B, s::B},     {"D", Calculos714D, s::D},     {"E", Calculos714E, s::E},
    {"F1", Calculos714F1, s::F1},  {"F2", Calculos714F2, s::F2},  {"G1", Calculos714G1, s::G1},
    {"G2", Calculos714G2, s::G2},  {"G3", Calculos714G3, s::G3},  {"G4", Calculos714G4, s::G4},
    {"H1", Calculos714H1, s::H1},  {"H2", Calculos714H2, s::H2},  {"I", Calculos714I, s::I},
    {"J", Calculos714J, s::J},     {"O", Calculos714O, s::O},     {"P", Calculos714P, s::P},
    {"Q", Calculos714Q, s::Q},     {"DEUDAS", Calculos714DEUDAS, s::DebtsSection},
};

// Row i holds i + 1.25 (the first negative); the spare slot after the rows, where a table has
// one, holds a large amount that must not count.
double fillRows(void* rec, const s::RowTable& t) {
  double expected = 0.0;
  for (int i = 0; i < t.rows; ++i) {
    const double v = i == 0 ? -3.5 : i + 1.25;
    t.amount(i).set(rec, v);
    expected += v;
  }
  if (t.end() < t.total.off) t.amount(t.rows).set(rec, 1e9);
  return expected;
}

TEST(Form714Sections, EachSectionSumsItsRowsThenPublishes) {
  for (const PlainCase& c : kPlain) {
    Block714 b;
    void* rec = b[c.sec.record];
    void* sum = b[f714::Summary];
    const double expected = fillRows(rec, c.sec.table);
    c.sec.slot.set(sum, 77.0);  // the value saved with the declaration

    c.fn(rec, -1, sum);
    EXPECT_DOUBLE_EQ(c.sec.table.total.get(rec), expected) << c.name;
    EXPECT_DOUBLE_EQ(c.sec.slot.get(sum), 77.0) << c.name << ": a non-zero mode leaves the summary";

    c.sec.table.amount(0).set(rec, 1000.0);  // mode 0 publishes without recomputing
    c.fn(rec, 0, sum);
    EXPECT_DOUBLE_EQ(c.sec.slot.get(sum), expected) << c.name;
    EXPECT_DOUBLE_EQ(c.sec.table.total.get(rec), expected) << c.name;
  }
}

TEST(Form714Sections, ModeZeroFirstPublishesTheStoredTotal) {
  Block714 b;
  void* rec = b[s::G2.record];
  s::G2.table.total.set(rec, 1234.56);
  s::G2.table.amount(0).set(rec, 1.0);
  Calculos714G2(rec, 0, b[f714::Summary]);
  EXPECT_DOUBLE_EQ(f714::summary::G2.get(b[f714::Summary]), 1234.56);
}

TEST(Form714SectionA, CappedItemAtTheCap) {
  struct Case { double first, second, exempt, taxable; };
  const Case cases[] = {
      {150000.00, 253.03, 150253.03, 0.0},
      {150000.00, 253.04, 150253.03, 0.01},
      {100.0, 0.0, 100.0, 0.0},
      {200000.0, 50000.0, 150253.03, 99746.97},
      {-10.0, 0.0, -10.0, 0.0},
  };
  for (const Case& c : cases) {
    Block714 b;
    void* a = b[f714::SectionA];
    s::sec_a::ItemFirst.set(a, c.first);
    s::sec_a::ItemSecond.set(a, c.second);
    const double rows = fillRows(a, s::sec_a::Rows);
    Calculos714A(a, -1, b[f714::Summary]);
    EXPECT_DOUBLE_EQ(s::sec_a::ItemValue.get(a), c.first + c.second);
    EXPECT_DOUBLE_EQ(s::sec_a::ItemExempt.get(a), c.exempt) << c.first + c.second;
    EXPECT_NEAR(s::sec_a::ItemTaxable.get(a), c.taxable, 1e-9) << c.first + c.second;
    EXPECT_DOUBLE_EQ(s::sec_a::Rows.total.get(a), rows);
    EXPECT_DOUBLE_EQ(s::sec_a::Total.get(a), s::sec_a::ItemTaxable.get(a) + rows);
    EXPECT_DOUBLE_EQ(f714::summary::A.get(b[f714::Summary]), 0.0);
    Calculos714A(a, 0, b[f714::Summary]);
    EXPECT_DOUBLE_EQ(f714::summary::A.get(b[f714::Summary]), s::sec_a::Total.get(a));
  }
  // Exactly at the cap nothing is taxable; one cent more leaves the cent.
  Block714 b;
  s::sec_a::ItemFirst.set(b[f714::SectionA], 150253.03);
  Calculos714A(b[f714::SectionA], -1, b[f714::Summary]);
  EXPECT_EQ(s::sec_a::ItemTaxable.get(b[f714::SectionA]), 0.0);
}

TEST(Form714SectionC, TwoPartsAndTheModeZeroOfC1) {
  Block714 b;
  void* c = b[f714::SectionC];
  void* sum = b[f714::Summary];
  const double first = fillRows(c, s::sec_c::FirstPart);
  const double second = fillRows(c, s::sec_c::SecondPart);

  // C2 alone forms the section total from the first-part total as stored.
  s::sec_c::FirstPart.total.set(c, 10.0);
  Calculos714C2(c, -1, sum);
  EXPECT_DOUBLE_EQ(s::sec_c::SecondPart.total.get(c), second);
  EXPECT_DOUBLE_EQ(s::sec_c::Total.get(c), 10.0 + second);

  // C1 with mode 0 still recomputes the first part, then publishes the total as it stood.
  Calculos714C1(c, 0, sum);
  EXPECT_DOUBLE_EQ(s::sec_c::FirstPart.total.get(c), first);
  EXPECT_DOUBLE_EQ(f714::summary::C.get(sum), 10.0 + second);

  Calculos714C1(c, -1, sum);
  EXPECT_DOUBLE_EQ(s::sec_c::Total.get(c), first + second);
  Calculos714C1(c, 0, sum);
  EXPECT_DOUBLE_EQ(f714::summary::C.get(sum), first + second);
}

}  // namespace

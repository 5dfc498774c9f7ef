// Per-holder sums over the row tables of the section records: every row begins with its holder
// code byte and carries its amounts at fixed offsets. Fields are addressed by descriptors at row 0
// and stepped by the row size, so nothing inside a record is read through a typed pointer.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "blocks/field.h"
#include "numeric.h"

namespace tv {

// One amount column of a row table.
struct RowColumn {
  blocks::U8 holder;   // holder code of row 0
  blocks::F64 amount;  // the amount of row 0
  int rows;
  std::size_t stride;  // row size
};

// Fields of one row of a row table: descriptors at row 0 stepped to the row.
struct RowRef {
  void* rec;
  std::size_t row;
  std::size_t size;  // row size
  double get(blocks::F64 f) const { return f(row, size).get(rec); }
  void set(blocks::F64 f, double v) const { f(row, size).set(rec, v); }
  void add(blocks::F64 f, double v) const { set(f, get(f) + v); }
  unsigned char byte(blocks::U8 f) const { return f(row, size).get(rec); }
  // Sets each field to 0.
  void zero(std::initializer_list<blocks::F64> fields) const {
    for (blocks::F64 f : fields) set(f, 0.0);
  }
};

// Adds each row's amount by its holder code, in row order (the steps of SumaASuTitular).
inline void AccumulateRows(Vec& v, const void* rec, const RowColumn& c) {
  for (int i = 0; i < c.rows; ++i) {
    const auto r = static_cast<std::size_t>(i);
    AcumulaATitular(v.data(), 5, c.holder(r, c.stride).get(rec), c.amount(r, c.stride).get(rec));
  }
}

// SumaASuTitular over the rows of the columns, one column after the other.
inline Vec SumByHolder(const void* rec, std::initializer_list<RowColumn> columns) {
  Vec v{};
  for (const RowColumn& c : columns) AccumulateRows(v, rec, c);
  return v;
}

// Activity rows (sections E4 and E5) count in the family unit whatever their holder code, 0
// included, and in the holder's own column. They carry one holder (codes 2 to 5): a common row
// splits like any other common amount, and a code without a column reaches no other column.
inline void AddActivityAmount(Vec& v, int code, double amount) {
  v[0] += amount;
  if (code == 1) {
    v[1] += Redondea(0.5 * amount, 2);
    v[2] += Redondea(0.5 * amount, 2);
  } else if (code >= 2 && code <= 5) {
    v[static_cast<std::size_t>(code - 1)] += amount;
  }
}

// Every negative column becomes 0.
inline void FloorAtZero(Vec& v) { LimitaVector(v.data(), 5, {{0.0, 0}, {0.0, 0}, {0.0, 0}, {0.0, 0}, {0.0, 0}}); }

}  // namespace tv

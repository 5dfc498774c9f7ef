// Numeric helpers on which every section calculation rests: rounding, truncation, per-holder
// sums, weighted sums of holder vectors, column limits and the percentage text.
// Internal API of the library (the exports of the same names wrap these).
#pragma once

#include <array>
#include <initializer_list>

#include "blocks/rounding.h"

namespace tv {

// HolderVector held locally: family unit, declarant, spouse, child 1, child 2.
using Vec = std::array<double, 5>;

// Half away from zero, a fraction within 1e-7 of one half counting as one half.
inline double Redondea(double value, int decimals) { return blocks::RoundToDecimals(value, decimals); }
// Toward zero; a positive scaled fraction above 0.9999999 counts as a whole unit.
double Trunc(double value, int decimals);

// Adds one amount to a vector by holder code (1 common: half to each spouse, rounded to cents).
void AcumulaATitular(double* vector, int columns, int code, double amount);

struct Holding {
  int code;
  double amount;
};
// Per-holder sum: out[0..columns-1] = 0, then each pair until the first negative code.
void SumaASuTitular(double* out, int columns, std::initializer_list<Holding> items);

struct Term {
  const double* vector;  // a local five-double vector; nullptr ends the list
  double coefficient;    // 0.0 ends the list
};
// Weighted sum of vectors, each column rounded to cents; out may be one of the inputs.
void Sumatorio5PorTitulares(double* out, std::initializer_list<Term> terms);
inline void Sumatorio5PorTitulares(Vec& out, std::initializer_list<Term> terms) {
  Sumatorio5PorTitulares(out.data(), terms);
}

struct Limit {
  double limit;
  int kind;  // > 0 cap, <= 0 floor
};
// Per-column cap or floor, one pair per column from column 0.
void LimitaVector(double* vector, int n, std::initializer_list<Limit> limits);

// Six-character percentage text of the values (ended by a negative value): "0,75", "VARIOS" or
// six zero bytes. Writes up to seven bytes when the number text needs its terminator.
void TextoPorcentaje(char* out, std::initializer_list<double> values);

double DameCuantiaMaximaPlanPensiones(int age);

// Progressive scales: unrounded quota of a base.
double CuotaEscalaEstatal(double base);
double CuotaEscalaAutonomica(double base);

}  // namespace tv

#include "numeric.h"

#include <cmath>
#include <cstring>

#include "blocks/numtext.h"
#include "blocks/truncate.h"

namespace tv {

double Trunc(double value, int decimals) { return blocks::TruncToDecimals(value, decimals); }

void AcumulaATitular(double* vector, int columns, int code, double amount) {
  // Codes above 5 have no column; they must not reach memory beyond the vector.
  if (columns < 3 || code <= 0 || code > 5) return;
  if (code == 1) {
    vector[1] += Redondea(0.5 * amount, 2);
    vector[2] += Redondea(0.5 * amount, 2);
  } else if (code == 2 || code == 3) {
    vector[code - 1] += amount;
  } else if (columns >= 5) {
    vector[code - 1] += amount;
  }
  vector[0] += amount;
}

void SumaASuTitular(double* out, int columns, std::initializer_list<Holding> items) {
  for (int i = 0; i < columns; ++i) out[i] = 0.0;
  for (const Holding& h : items) {
    if (h.code < 0) break;
    AcumulaATitular(out, columns, h.code, h.amount);
  }
}

void Sumatorio5PorTitulares(double* out, std::initializer_list<Term> terms) {
  double acc[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  for (const Term& t : terms) {
    if (t.vector == nullptr || t.coefficient == 0.0) break;
    for (int k = 0; k < 5; ++k) acc[k] += t.coefficient * t.vector[k];
  }
  for (int k = 0; k < 5; ++k) out[k] = Redondea(acc[k], 2);
}

void LimitaVector(double* vector, int n, std::initializer_list<Limit> limits) {
  int k = 0;
  for (const Limit& l : limits) {
    if (k >= n) break;
    if (l.kind > 0) {
      if (vector[k] >= l.limit) vector[k] = l.limit;
    } else {
      if (vector[k] <= l.limit) vector[k] = l.limit;
    }
    ++k;
  }
}

void TextoPorcentaje(char* out, std::initializer_list<double> values) {
  auto it = values.begin();
  if (it == values.end()) {
    std::memset(out, 0, 6);
    return;
  }
  double first = *it;
  double current = first;
  bool differ = false;
  while (!differ && current >= 0.0) {
    ++it;
    if (it == values.end()) break;  // a list without its negative terminator ends here
    current = Trunc(*it, 2);
    if (current > 0.0) {
      if (first != 0.0) {
        if (Redondea(first, 5) != Redondea(current, 5)) differ = true;
      } else {
        first = current;
      }
    }
  }
  if (differ) {
    std::memcpy(out, "VARIOS", 6);
  } else if (first > 0.0) {
    char text[32] = {};
    blocks::WriteGeneral(text, text + sizeof text - 1, Trunc(first, 2));
    for (int i = 0; i < 6 && text[i] != '\0'; ++i)
      if (text[i] == '.') text[i] = ',';
    // The caller's field holds the text and its terminator (index fields are eight bytes).
    std::size_t n = std::strlen(text);
    if (n > 7) n = 7;
    std::memcpy(out, text, n);
    out[n] = '\0';
  } else {
    std::memset(out, 0, 6);
  }
}

double DameCuantiaMaximaPlanPensiones(int age) {
  static constexpr double kByAge[14] = {8000,  9250,  10500, 11750, 13000, 14250, 15500,
                                        16750, 18000, 19250, 20500, 21750, 23000, 24250};
  if (age < 52) age = 52;
  if (age > 65) age = 65;
  return kByAge[age - 52];
}

namespace {
struct Bracket {
  double lowerBound;
  double accumulatedQuota;
  double ratePercent;
};

// Highest lower bound first.
constexpr Bracket kStateScale[5] = {{45000.00, 8900.64, 29.16},
                                    {25800.00, 4156.32, 24.71},
                                    {13800.00, 1914.72, 18.68},
                                    {4000.00, 362.40, 15.84},
                                    {0.00, 0.00, 9.06}};
constexpr Bracket kRegionalScale[5] = {{45000.00, 4515.36, 15.84},
                                       {25800.00, 2155.68, 12.29},
                                       {13800.00, 1037.28, 9.32},
                                       {4000.00, 237.60, 8.16},
                                       {0.00, 0.00, 5.94}};

double Quota(const Bracket (&scale)[5], double base) {
  for (const Bracket& b : scale)
    if (b.lowerBound <= base) return b.accumulatedQuota + (base - b.lowerBound) * b.ratePercent / 100.0;
  return 0.0;
}
}  // namespace

double CuotaEscalaEstatal(double base) { return Quota(kStateScale, base); }
double CuotaEscalaAutonomica(double base) { return Quota(kRegionalScale, base); }

}  // namespace tv

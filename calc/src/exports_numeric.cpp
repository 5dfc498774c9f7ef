// The four shared helpers exported to the program. The variadic lists are read here and handed to
// the internal helpers one item at a time; holder vectors in the caller's block are copied with
// memcpy, never dereferenced as typed pointers.
#include <cstdarg>
#include <cstring>

#include "numeric.h"
#include "tallyvex.h"

TALLYVEX_API double Trunc(double value, int decimals) { return tv::Trunc(value, decimals); }

TALLYVEX_API void SumaASuTitular(double* out, int columns, ...) {
  double acc[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  const int n = columns < 0 ? 0 : (columns > 5 ? 5 : columns);
  va_list ap;
  va_start(ap, columns);
  for (;;) {
    const int code = va_arg(ap, int);
    if (code < 0) break;
    const double amount = va_arg(ap, double);
    tv::AcumulaATitular(acc, columns, code, amount);
  }
  va_end(ap);
  std::memcpy(static_cast<void*>(out), acc, sizeof(double) * static_cast<std::size_t>(n));
}

TALLYVEX_API void Sumatorio5PorTitulares(double* out, ...) {
  double acc[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  va_list ap;
  va_start(ap, out);
  for (;;) {
    const void* vector = va_arg(ap, const double*);
    if (vector == nullptr) break;
    const double coefficient = va_arg(ap, double);
    if (coefficient == 0.0) break;
    double v[5];
    std::memcpy(v, vector, sizeof v);
    for (int k = 0; k < 5; ++k) acc[k] += coefficient * v[k];
  }
  va_end(ap);
  for (double& a : acc) a = tv::Redondea(a, 2);
  std::memcpy(static_cast<void*>(out), acc, sizeof acc);
}

TALLYVEX_API double DameCuantiaMaximaPlanPensiones(int age) { return tv::DameCuantiaMaximaPlanPensiones(age); }

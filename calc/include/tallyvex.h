/* Tallyvex: calculation library of forms 100 and 714.
 *
 * Every export works in place on records inside the caller's data block (Form100Data or
 * Form714Data), allocates nothing and reports nothing. Pointers point at the start of the named
 * record; ints are pass numbers, modes or selectors; doubles are amounts in euros.
 * Only the entry points declared here are exported (tests compare this list with the library).
 */
#ifndef TALLYVEX_H
#define TALLYVEX_H

#ifdef __cplusplus
#define TALLYVEX_API extern "C" __attribute__((visibility("default")))
#else
#define TALLYVEX_API __attribute__((visibility("default")))
#endif

/* ---- shared numeric helpers ---------------------------------------------------------------- */
TALLYVEX_API double Trunc(double value, int decimals);
/* Pairs (int holder code, double amount), ended by a negative code. */
TALLYVEX_API void SumaASuTitular(double* out, int columns, ...);
/* Pairs (const double* holder vector, double coefficient), ended by a null vector or a 0.0 coefficient. */
TALLYVEX_API void Sumatorio5PorTitulares(double* out, ...);
TALLYVEX_API double DameCuantiaMaximaPlanPensiones(int age);

/* ---- form 100: sections A to G3 ------------------------------------------------------------ */

/* ---- form 100: F2, G4 to L ----------------------------------------------------------------- */

/* ---- form 100: liquidation, N and O -------------------------------------------------------- */
TALLYVEX_API void Calculos100Li(void* summary, void* h, void* q, void* b, void* f1, void* k, void* d, void* f2, void* e1, void* e4, void* e5, void* c, void* f3, void* f4, void* f5, void* g6, void* i, void* a, void* j, void* result, void* family, int pass);
TALLYVEX_API void Calculos100N(void* n, void* summary, void* family, void* personal);

/* ---- form 100: regional deductions (P) ----------------------------------------------------- */

/* ---- form 100: annex C deductions (Q) ------------------------------------------------------ */

/* ---- form 714: section totals K to N ------------------------------------------------------- */

/* ---- form 714: other sections, personal data, liquidation and result ----------------------- */

#endif /* TALLYVEX_H */

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
/* f2, a, b, c, d, e1, e4, e5, f1, f3, f4, f5, h, k, g6, summary. */
TALLYVEX_API void Calculos100F2(void* f2, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5, void* f1, void* f3, void* f4, void* f5, void* h, void* k, void* g6, void* summary);
/* Passes 1 to 4. */
TALLYVEX_API void Calculos100G4(void* g4, int pass);
TALLYVEX_API void Calculos100G5(void* g5);
TALLYVEX_API void Calculos100G6(void* g6, void* f1, void* g1, void* g2, void* g3, void* g4, void* b);
TALLYVEX_API void Calculos100H(void* h, void* g6, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5, void* f1, void* f2, void* f3, void* f4, void* f5);
/* Passes 1 to 16. */
TALLYVEX_API void Calculos100I(void* i, void* personal, void* family, void* h, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5, void* f1, void* f2, void* f3, void* f4, void* f5, void* g6, void* j, int pass);
/* Passes 1 to 5; the member shown changes no result. */
TALLYVEX_API void Calculos100J(void* j, void* personal, void* a, void* b, void* c, void* d, void* e1, void* e4, void* e5, void* f1, void* f2, void* f3, void* f4, void* f5, void* g6, int pass, int member);
/* member: the member shown, 1 family unit .. 5 child 2 (carry-forward records). */
TALLYVEX_API void Calculos100K(void* k, void* i, void* j, void* personal, int member);
TALLYVEX_API void Calculos100L(void* summary, void* k, void* personal);

/* ---- form 100: liquidation, N and O -------------------------------------------------------- */

/* ---- form 100: regional deductions (P) ----------------------------------------------------- */

/* ---- form 100: annex C deductions (Q) ------------------------------------------------------ */

/* ---- form 714: section totals K to N ------------------------------------------------------- */

/* ---- form 714: other sections, personal data, liquidation and result ----------------------- */

#endif /* TALLYVEX_H */

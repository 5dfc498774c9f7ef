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

/* ---- form 100: regional deductions (P) ----------------------------------------------------- */
/* Records of Form100Data: P, Personal, Summary, I, Family, O, A, B, K, C, D, E1, E4, E5, F1 to F5, G6, H;
 * then the joint-declaration byte (1 joint). */
TALLYVEX_API void Calculos100P(void* secP, void* personal, void* summary, void* secI, void* family, void* secO,
                               void* secA, void* secB, void* secK, void* secC, void* secD, void* secE1,
                               void* secE4, void* secE5, void* secF1, void* secF2, void* secF3, void* secF4,
                               void* secF5, void* secG6, void* secH, int modality);

/* ---- form 100: annex C deductions (Q) ------------------------------------------------------ */

/* ---- form 714: section totals K to N ------------------------------------------------------- */

/* ---- form 714: other sections, personal data, liquidation and result ----------------------- */

#endif /* TALLYVEX_H */

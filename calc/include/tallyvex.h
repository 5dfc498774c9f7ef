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
/* Section records and Form100Summary; pass and member selectors as the driver passes them. */
TALLYVEX_API void Calculos100A(void* secA, void* summary);
TALLYVEX_API void Calculos100B(void* secB, void* summary, int pass);
TALLYVEX_API void Calculos100C(void* secC, int member);
TALLYVEX_API void Calculos100D(void* secD, void* summary);
TALLYVEX_API void Calculos100E1(void* secE1);
TALLYVEX_API void Calculos100E4(void* secE4);
TALLYVEX_API void Calculos100E5(void* secE5);
TALLYVEX_API void Calculos100F1(void* secF1, void* summary);
TALLYVEX_API void Calculos100F3(void* secF3);
TALLYVEX_API void Calculos100F4(void* secF4, void* summary);
TALLYVEX_API void Calculos100F5(void* secF5);
TALLYVEX_API void Calculos100G1(void* secG1, void* summary, int pass);
TALLYVEX_API void Calculos100G2(void* secG2);
TALLYVEX_API void Calculos100G3(void* secG3);

/* ---- form 100: F2, G4 to L ----------------------------------------------------------------- */

/* ---- form 100: liquidation, N and O -------------------------------------------------------- */

/* ---- form 100: regional deductions (P) ----------------------------------------------------- */

/* ---- form 100: annex C deductions (Q) ------------------------------------------------------ */

/* ---- form 714: section totals K to N ------------------------------------------------------- */
/* mode != 0: total the rows into the record; mode 0: copy the record's total into Form714Summary. */
TALLYVEX_API void Calculos714K(void* secK, int mode, void* summary);
TALLYVEX_API void Calculos714L(void* secL, int mode, void* summary);
TALLYVEX_API void Calculos714M(void* secM, int mode, void* summary);
TALLYVEX_API void Calculos714N(void* secN, int mode, void* summary);

/* ---- form 714: other sections, personal data, liquidation and result ----------------------- */

#endif /* TALLYVEX_H */

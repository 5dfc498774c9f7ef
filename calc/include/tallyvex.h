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
TALLYVEX_API void Calculos100Li(void* summary, void* h, void* q, void* b, void* f1, void* k, void* d, void* f2, void* e1, void* e4, void* e5, void* c, void* f3, void* f4, void* f5, void* g6, void* i, void* a, void* j, void* result, void* family, int pass);
TALLYVEX_API void Calculos100N(void* n, void* summary, void* family, void* personal);
TALLYVEX_API void Calculos100O(void* o, void* k, void* s, void* p, void* f, void* i, int pass);

/* ---- form 100: regional deductions (P) ----------------------------------------------------- */
/* Records of Form100Data: P, Personal, Summary, I, Family, O, A, B, K, C, D, E1, E4, E5, F1 to F5, G6, H;
 * then the joint-declaration byte (1 joint). */
TALLYVEX_API void Calculos100P(void* secP, void* personal, void* summary, void* secI, void* family, void* secO,
                               void* secA, void* secB, void* secK, void* secC, void* secD, void* secE1,
                               void* secE4, void* secE5, void* secF1, void* secF2, void* secF3, void* secF4,
                               void* secF5, void* secG6, void* secH, int modality);

/* ---- form 100: annex C deductions (Q) ------------------------------------------------------ */
/* Annex C: limited deductions for business investment into Form100SectionQ, their state and
 * regional parts into Form100Summary +1120 and +1160, and the investment reserve totals and keys. */
TALLYVEX_API void Calculos100Q(void* secQ, void* summary, void* secF1, void* secE4, void* secE5);

/* ---- form 714: section totals K to N ------------------------------------------------------- */
/* mode != 0: total the rows into the record; mode 0: copy the record's total into Form714Summary. */
TALLYVEX_API void Calculos714K(void* secK, int mode, void* summary);
TALLYVEX_API void Calculos714L(void* secL, int mode, void* summary);
TALLYVEX_API void Calculos714M(void* secM, int mode, void* summary);
TALLYVEX_API void Calculos714N(void* secN, int mode, void* summary);

/* ---- form 714: other sections, personal data, liquidation and result ----------------------- */
/* Section totals: mode != 0 sums the rows into the record, mode 0 publishes the total into its
 * Form714Summary slot. Calculos714C1 also runs Calculos714C2 with the same arguments. */
TALLYVEX_API void Calculos714A(void* secA, int mode, void* summary);
TALLYVEX_API void Calculos714B(void* secB, int mode, void* summary);
TALLYVEX_API void Calculos714C1(void* secC, int mode, void* summary);
TALLYVEX_API void Calculos714C2(void* secC, int mode, void* summary);
TALLYVEX_API void Calculos714D(void* secD, int mode, void* summary);
TALLYVEX_API void Calculos714E(void* secE, int mode, void* summary);
TALLYVEX_API void Calculos714F1(void* secF1, int mode, void* summary);
TALLYVEX_API void Calculos714F2(void* secF2, int mode, void* summary);
TALLYVEX_API void Calculos714G1(void* secG1, int mode, void* summary);
TALLYVEX_API void Calculos714G2(void* secG2, int mode, void* summary);
TALLYVEX_API void Calculos714G3(void* secG3, int mode, void* summary);
TALLYVEX_API void Calculos714G4(void* secG4, int mode, void* summary);
TALLYVEX_API void Calculos714H1(void* secH1, int mode, void* summary);
TALLYVEX_API void Calculos714H2(void* secH2, int mode, void* summary);
TALLYVEX_API void Calculos714I(void* secI, int mode, void* summary);
TALLYVEX_API void Calculos714J(void* secJ, int mode, void* summary);
TALLYVEX_API void Calculos714O(void* secO, int mode, void* summary);
TALLYVEX_API void Calculos714P(void* secP, int mode, void* summary);
TALLYVEX_API void Calculos714Q(void* secQ, int mode, void* summary);
TALLYVEX_API void Calculos714DEUDAS(void* debts, int mode, void* summary);
/* Keeps the three option bytes of Form714Personal for the liquidation and the result, tied to the
 * declaration they came from. */
TALLYVEX_API void Calculos714DP(void* personal);
/* The liquidation into Form714Summary; `pass` is not read. Returns 1. */
TALLYVEX_API int Calculos714LI(void* summary, void* personal, int pass);
/* The payment document amounts of Form714Result from the summary's quota to pay. */
TALLYVEX_API void Calculos714DI(void* result, void* summary);


#endif /* TALLYVEX_H */

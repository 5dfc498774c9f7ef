#include "data/calc/form100_calculation.h"

#include "blocks/form100.h"
#include "data/message_service.h"
#include "tallyvex.h"

int SectionMember(const Form100CalcContext& ctx) {
  return ctx.useTargetMember ? ctx.targetMember : ctx.shownMember;
}

int CalculateForm100(void* block, const Form100CalcContext& ctx) {
  using namespace f100;
  auto r = [block](const blocks::RecordDef& def) -> void* { return record(block, def); };

  void* per = r(Personal);
  void* fam = r(Family);
  void* sum = r(Summary);
  void* a = r(SectionA);
  void* b = r(SectionB);
  void* c = r(SectionC);
  void* d = r(SectionD);
  void* e1 = r(SectionE1);
  void* e4 = r(SectionE4);
  void* e5 = r(SectionE5);
  void* f1 = r(SectionF1);
  void* f2 = r(SectionF2);
  void* f3 = r(SectionF3);
  void* f4 = r(SectionF4);
  void* f5 = r(SectionF5);
  void* g1 = r(SectionG1);
  void* g2 = r(SectionG2);
  void* g3 = r(SectionG3);
  void* g4 = r(SectionG4);
  void* g5 = r(SectionG5);
  void* g6 = r(SectionG6);
  void* h = r(SectionH);
  void* i = r(SectionI);
  void* j = r(SectionJ);
  void* k = r(SectionK);
  void* res = r(Result);
  void* n = r(SectionN);
  void* o = r(SectionO);
  void* p = r(SectionP);
  void* q = r(SectionQ);
  const int member = SectionMember(ctx);

  if (ctx.reformatBoxes) *ctx.reformatBoxes = true;

  Calculos100A(a, sum);
  for (int pass = 1; pass <= 2; ++pass) Calculos100B(b, sum, pass);
  Calculos100C(c, member);
  Calculos100D(d, sum);
  Calculos100E1(e1);
  Calculos100E4(e4);
  Calculos100E5(e5);
  Calculos100F1(f1, sum);
  Calculos100F2(f2, a, b, c, d, e1, e4, e5, f1, f3, f4, f5, h, k, g6, sum);
  Calculos100F3(f3);
  Calculos100F4(f4, sum);
  Calculos100F5(f5);
  for (int pass = 1; pass <= 2; ++pass) Calculos100G1(g1, sum, pass);
  Calculos100G2(g2);
  Calculos100G3(g3);
  for (int pass = 1; pass <= 4; ++pass) Calculos100G4(g4, pass);
  Calculos100G5(g5);
  Calculos100G6(g6, f1, g1, g2, g3, g4, b);
  Calculos100H(h, g6, a, b, c, d, e1, e4, e5, f1, f2, f3, f4, f5);
  for (int pass = 1; pass <= 16; ++pass)
    Calculos100I(i, per, fam, h, a, b, c, d, e1, e4, e5, f1, f2, f3, f4, f5, g6, j, pass);
  for (int pass = 1; pass <= 5; ++pass)
    Calculos100J(j, per, a, b, c, d, e1, e4, e5, f1, f2, f3, f4, f5, g6, pass, member);
  Calculos100K(k, i, j, per, member);
  Calculos100L(sum, k, per);
  for (int pass = 1; pass <= 4; ++pass) Calculos100O(o, k, sum, per, fam, i, pass);
  Calculos100P(p, per, sum, i, fam, o, a, b, k, c, d, e1, e4, e5, f1, f2, f3, f4, f5, g6, h, ctx.modality);
  Calculos100Q(q, sum, f1, e4, e5);
  for (int pass = 1; pass <= 5; ++pass)
    Calculos100Li(sum, h, q, b, f1, k, d, f2, e1, e4, e5, c, f3, f4, f5, g6, i, a, j, res, fam, pass);

  // Section N may withdraw the spouses' request of suspension and waiver; the user is told once,
  // on the calculation that withdrew it.
  const unsigned char requestBefore = summary::SuspensionRequest.get(sum);
  Calculos100N(n, sum, fam, per);
  if (requestBefore == 1 && summary::SuspensionRequest.get(sum) != 1 && ctx.messages)
    ctx.messages->ShowMessage("100R067", MessageIcon::Information);
  return 1;
}

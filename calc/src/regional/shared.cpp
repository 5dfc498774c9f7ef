// Helpers shared by the communities' rules.
#include "calc/src/regional/regional.h"

namespace tv::regional {

Identifications collectIdentifications(const void* p, const sp::Rows& rows, std::size_t nifField) {
  Identifications ids;
  for (int i = 0; i < rows.count; ++i) {
    const int code = holder(p, rows.code(i));
    const blocks::Text nif = rows.nif(i, nifField);
    // Children's rows still count their amounts; only the spouses' and common ones are named.
    if (code < 1 || code > 3 || !nifPresent(p, nif)) continue;
    ids.byCode[code] = nif;
    ids.has[code] = true;
  }
  return ids;
}

void fillFromIdentifications(void* p, blocks::Text slot, const Identifications& ids, std::initializer_list<int> codes) {
  if (const blocks::Text* nif = ids.first(codes)) fillSlotIfEmpty(p, slot, *nif);
}

void PercentOfRows(Records& r, const RatedRows& d) {
  Vec v = splitRows(r.p, d.rows);
  for (double& x : v) x = rnd(d.rate * x);
  store(r.p, d.result, v);
}

void capAtTenPercentOfTaxableBases(const Records& r, Vec& amounts) {
  constexpr double kShare = 0.1;
  for (std::size_t k = 0; k < 5; ++k) {
    const double limit = rnd(kShare * taxableBases(r, static_cast<int>(k)));
    if (limit < amounts[k]) amounts[k] = limit;
    if (amounts[k] < 0.0) amounts[k] = 0.0;
  }
}

Vec activityIncome(const Records& r, const ActivityAmounts& a) {
  Vec out{};
  addRows(out, r.secE1, in::sec_e1::Activities, a.e1);
  addRows(out, r.secE4, in::sec_e4::Activities, a.e4);
  addRows(out, r.secE5, in::sec_e5::Activities, a.e5);
  const sp::Rows& f1 = in::sec_f1::Activities;
  for (int i = 0; i < f1.count; ++i) {
    const int code = holder(r.secF1, f1.code(i));
    for (std::size_t field : a.f1) AcumulaATitular(out.data(), 5, code, f1.f64(i, field).get(r.secF1));
  }
  return out;
}

}  // namespace tv::regional

// Form 714, sections K to N: the list totals, and their copy into the summary.
#include <cstring>

#include "blocks/form714_k_n.h"
#include "tallyvex.h"

namespace {

void TotalList(const f714::ValueList& list, void* rec, int mode, void* summary) {
  if (mode != 0) {
    // An unrounded sum in row order, whatever the rows' other fields hold.
    double total = 0.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(list.rows); ++i) total += list.value(i, list.rowSize).get(rec);
    list.total.set(rec, total);
    return;
  }
  // The stored total, byte for byte.
  unsigned char bytes[8];
  std::memcpy(bytes, blocks::at(rec, list.total.off), sizeof bytes);
  std::memcpy(blocks::at(summary, list.summarySlot.off), bytes, sizeof bytes);
}

}  // namespace

TALLYVEX_API void Calculos714K(void* secK, int mode, void* summary) { TotalList(f714::sec_k::kList, secK, mode, summary); }
TALLYVEX_API void Calculos714L(void* secL, int mode, void* summary) { TotalList(f714::sec_l::kList, secL, mode, summary); }
TALLYVEX_API void Calculos714M(void* secM, int mode, void* summary) { TotalList(f714::sec_m::kList, secM, mode, summary); }
TALLYVEX_API void Calculos714N(void* secN, int mode, void* summary) { TotalList(f714::sec_n::kList, secN, mode, summary); }

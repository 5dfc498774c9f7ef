// Section G5: the five amounts of its entry split by holder.
#include "blocks/form100_g5.h"
#include "numeric.h"
#include "tallyvex.h"

TALLYVEX_API void Calculos100G5(void* g5) {
  using namespace f100::sec_g5;
  const int code = Holder.get(g5);
  for (int i = 0; i < kAmounts; ++i) {
    tv::Vec v{};
    tv::SumaASuTitular(v.data(), 5, {{code, Amount(i).get(g5)}});
    ByHolder(i).store(g5, v);
  }
}

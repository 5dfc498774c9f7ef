#include "wizards/fiscal_transfer.h"

#include <algorithm>

namespace fiscal {

void PageAmounts::Add(std::size_t k, double value) {
  const int index = static_cast<int>(k);
  if (std::find(used.begin(), used.end(), index) == used.end()) {
    if (amounts.size() <= k) amounts.resize(k + 1, 0.0);
    amounts[k] = 0.0;
    used.push_back(index);
  }
  amounts[k] += value;
  hasData = true;
}

int FiscalTransfer::SlotOf(std::string_view key) const {
  for (int slot = 1; slot < kPageSlots; ++slot) {
    const std::string& held = pageKeys[static_cast<std::size_t>(slot)];
    if (held.empty() || held == key) return slot;
  }
  return 0;
}

}  // namespace fiscal

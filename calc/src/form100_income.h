// Net income by holder that the reductions of sections I and J measure.
#pragma once

#include "numeric.h"

namespace tv {
// Per-holder sum of the net income of each row of sections E1, E4, E5 and F1 (the three F1
// nets, or only its third when `allF1Nets` is false).
Vec ActivityRowsIncome(const void* e1, const void* e4, const void* e5, const void* f1, bool allF1Nets);

// Total net income by holder: the activity rows, the work income of section A when `a` is given,
// sections B, C, D, F2 to F5 and the net short- and long-term balances of section G6.
Vec NetIncome(const Vec& activityRows, const void* a, const void* b, const void* c, const void* d, const void* f2,
              const void* f3, const void* f4, const void* f5, const void* g6);
}  // namespace tv

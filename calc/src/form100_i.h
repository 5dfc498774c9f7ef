#pragma once

namespace tv {
// Family minimum of a living descendant by rank among those counted (0 the oldest): the full
// amount, or half of it when `half` is not 0.
double MinimoDescendiente(int rank, int half);
}  // namespace tv

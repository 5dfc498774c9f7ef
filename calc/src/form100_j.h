#pragma once

namespace tv {
// Maximum reducible pension contribution of the member of holder code 2 .. 5, by its age.
double PensionCap(const void* personal, int code);
}  // namespace tv

// Packing of the printed dot code's record blocks (zlib streams).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace platform {

// Packs `input` into `out`. Answers n: 0 < n <= out.size(), the packed bytes are out[0, n);
// n > out.size(), the buffer is too small and n is the size needed (out is left as it was);
// n <= 0, the input could not be packed.
int Pack(std::span<const unsigned char> input, std::span<unsigned char> out);

// Unpacks one stream made by Pack. None when the bytes are not one whole, intact stream, when
// anything follows it, or when the unpacked text would exceed `maxSize`.
std::optional<std::string> Unpack(std::span<const unsigned char> packed, std::size_t maxSize);

}  // namespace platform

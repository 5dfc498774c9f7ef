#include "platform/packing.h"

#include <zlib.h>

#include <climits>
#include <cstring>
#include <vector>

namespace platform {

int Pack(std::span<const unsigned char> input, std::span<unsigned char> out) {
  if (input.size() > static_cast<std::size_t>(INT_MAX / 2)) return -1;
  uLongf size = compressBound(static_cast<uLong>(input.size()));
  std::vector<unsigned char> packed(size);
  if (compress2(packed.data(), &size, input.data(), static_cast<uLong>(input.size()), Z_BEST_COMPRESSION) != Z_OK)
    return -1;
  if (size > out.size()) return static_cast<int>(size);
  std::memcpy(out.data(), packed.data(), size);
  return static_cast<int>(size);
}

std::optional<std::string> Unpack(std::span<const unsigned char> packed, std::size_t maxSize) {
  if (packed.empty() || packed.size() > UINT_MAX) return std::nullopt;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  z.next_in = const_cast<Bytef*>(packed.data());  // zlib's interface is not const-correct
  z.avail_in = static_cast<uInt>(packed.size());
  std::string text;
  unsigned char chunk[4096];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = chunk;
    z.avail_out = sizeof chunk;
    rc = inflate(&z, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END) break;
    const std::size_t got = sizeof chunk - z.avail_out;
    if (text.size() + got > maxSize) {
      rc = Z_BUF_ERROR;
      break;
    }
    text.append(reinterpret_cast<const char*>(chunk), got);
    if (rc == Z_OK && got == 0 && z.avail_in == 0) {  // truncated: no more input, no end
      rc = Z_DATA_ERROR;
      break;
    }
  }
  const bool whole = rc == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  if (!whole) return std::nullopt;
  return text;
}

}  // namespace platform

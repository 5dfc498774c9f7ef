#include "platform/seal.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform {

unsigned long Crc32(const unsigned char* data, std::size_t size) {
  static const std::array<unsigned long, 256> table = [] {
    std::array<unsigned long, 256> t{};
    for (unsigned long n = 0; n < 256; ++n) {
      unsigned long c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  unsigned long crc = 0xFFFFFFFFUL;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return (crc ^ 0xFFFFFFFFUL) & 0xFFFFFFFFUL;
}

int SelloPos(const std::string& path, char* seal, int position) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const unsigned long crc = Crc32(bytes.data(), bytes.size());
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int i = 0; i < 8; ++i) seal[i] = kHex[(crc >> (28 - 4 * i)) & 0xF];
  unsigned p = static_cast<unsigned>(position < 0 ? -position : position) % 10000u;
  for (int i = 11; i >= 8; --i) {
    seal[i] = static_cast<char>('0' + p % 10);
    p /= 10;
  }
  return 1;
}

}  // namespace platform

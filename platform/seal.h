// The seal of a finished filing file: twelve characters that tie the file's content to the place
// reserved for them, written by the filing writers at the seal position.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Fills the first 12 bytes of `seal` (at least 12 long) with the seal of the file at `path`:
// the CRC-32 of its bytes in 8 upper-case hexadecimal digits, then the seal position modulo
// 10000 in 4 digits. Returns 1; 0 when the file cannot be read, `seal` untouched.
int SelloPos(const std::string& path, char* seal, int position);

// CRC-32 (the polynomial of zip and PNG) of `size` bytes.
unsigned long Crc32(const unsigned char* data, std::size_t size);

}  // namespace platform

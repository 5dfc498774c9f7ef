#include "ui/controls/emul_file.h"

#include <algorithm>
#include <cstring>

void CEmulFile::SetBuffer(const void* data, std::size_t length) {
  buffer_.assign(static_cast<const char*>(data), static_cast<const char*>(data) + (data ? length : 0));
  pos_ = 0;
}

bool CEmulFile::ReadString(std::string& line) {
  line.clear();
  const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(pos_);
  const auto feed = std::find(begin, buffer_.end(), '\n');
  line.assign(begin, feed);
  pos_ = static_cast<std::size_t>(feed - buffer_.begin());
  if (feed != buffer_.end()) ++pos_;
  return !line.empty();
}

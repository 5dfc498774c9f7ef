// A block of text held in memory (a fiscal-data file kept in a database column), read line by line
// as if it were a text file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CEmulFile {
 public:
  CEmulFile() = default;

  // Keeps its own copy of the bytes. The read position goes back to the start: a position into
  // the text that was replaced would point at nothing.
  void SetBuffer(const void* data, std::size_t length);
  void Rewind() { pos_ = 0; }

  // The next line, without its line feed (a carriage return before it stays). False when nothing
  // was read: at the end of the text and at an empty line alike.
  bool ReadString(std::string& line);

  std::size_t GetLength() const { return buffer_.size(); }

 private:
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
};

// A small INI file: sections of "key=value" lines. Section and key names compare without regard
// to case; the order of sections, keys and comment lines is kept when the file is written back.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The leading integer of a text as the profile reads integers: optional blanks and sign, then
// digits; a text that is not a number reads as 0.
int LeadingInt(std::string_view text);

class IniFile {
 public:
  enum class ReadResult { Read, Missing, Failed };
  // Reads the whole file into `text`. The program reads the disk; tests put failures in its place.
  using Reader = std::function<ReadResult(const std::string& path, std::string& text)>;
  static ReadResult ReadFromDisk(const std::string& path, std::string& text);

  explicit IniFile(std::string path, Reader reader = ReadFromDisk)
      : path_(std::move(path)), reader_(std::move(reader)) {}
  const std::string& Path() const { return path_; }

  // A missing file is an empty profile. False when the file is there but could not be read: the
  // profile is then empty, and Save refuses to put it in the file's place.
  bool Load();
  bool ReadFailed() const { return readFailed_; }
  // Written through a temporary file renamed over the profile. A profile that is a symbolic
  // link stays one: its target is written. The file's line ends (CRLF or LF) and its permissions
  // are kept, and so is every line the program did not change. A file that would be written as
  // it was read is left untouched.
  bool Save() const;

  bool Has(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
  int GetInt(std::string_view section, std::string_view key, int fallback) const;
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);

 private:
  struct Line {
    std::string section;  // the section the line belongs to
    std::string key;      // empty for section headers, comments and blank lines
    std::string text;     // the value for keys, the whole line otherwise
    std::string raw;      // the line as read; empty once the program has set the value
  };
  const Line* Find(std::string_view section, std::string_view key) const;

  std::string path_;
  Reader reader_;
  std::vector<Line> lines_;
  bool readFailed_ = false;
  bool crlf_ = false;
  bool read_ = false;  // the file was there and read
  std::string readText_;
};

}  // namespace settings

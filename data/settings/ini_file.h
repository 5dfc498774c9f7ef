// A small INI file: sections of "key=value" lines. Section and key names compare without regard
// to case; the order of sections, keys and comment lines is kept when the file is written back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The leading integer of a text as the profile reads integers: optional blanks and sign, then
// digits; a text that is not a number reads as 0.
int LeadingInt(std::string_view text);

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // A missing file is an empty profile.
  bool Load();
  // Written through a temporary file renamed over the profile.
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
  };
  const Line* Find(std::string_view section, std::string_view key) const;

  std::string path_;
  std::vector<Line> lines_;
};

}  // namespace settings

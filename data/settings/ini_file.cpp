#include "data/settings/ini_file.h"

#include "data/util/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace settings {

using qxtext::SameName;
using qxtext::Trim;

int LeadingInt(std::string_view text) {
  std::string t(text);
  return static_cast<int>(std::strtol(t.c_str(), nullptr, 10));
}

IniFile::ReadResult IniFile::ReadFromDisk(const std::string& path, std::string& text) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return ReadResult::Missing;
  if (status.type() != fs::file_type::regular) return ReadResult::Failed;
  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadResult::Failed;
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) return ReadResult::Failed;
  text = std::move(all).str();
  return ReadResult::Read;
}

bool IniFile::Load() {
  lines_.clear();
  crlf_ = false;
  readText_.clear();
  std::string& text = readText_;
  const ReadResult read = reader_(path_, text);
  readFailed_ = read == ReadResult::Failed;
  read_ = read == ReadResult::Read;
  if (!read_) {
    text.clear();
    return read == ReadResult::Missing;
  }
  std::string section;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string raw = text.substr(pos, end - pos);
    // The first line's end is the file's.
    if (!raw.empty() && raw.back() == '\r') {
      raw.pop_back();
      if (pos == 0) crlf_ = true;
    }
    pos = end + 1;
    std::string t = Trim(raw);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      section = Trim(std::string_view(t).substr(1, t.size() - 2));
      lines_.push_back({section, {}, raw, raw});
      continue;
    }
    std::size_t eq = t.find('=');
    if (t.empty() || t[0] == ';' || t[0] == '#' || eq == std::string::npos) {
      lines_.push_back({section, {}, raw, raw});
      continue;
    }
    lines_.push_back(
        {section, Trim(std::string_view(t).substr(0, eq)), Trim(std::string_view(t).substr(eq + 1)), raw});
  }
  return true;
}

bool IniFile::Save() const {
  namespace fs = std::filesystem;
  // What could not be read must not be replaced by what little was.
  if (readFailed_) return false;
  std::error_code ec;
  fs::path target(path_);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
    const fs::path link = fs::read_symlink(target, ec);
    if (ec) return false;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const fs::path temp = target.string() + ".tmp";
  const char* eol = crlf_ ? "\r\n" : "\n";
  std::string text;
  for (const Line& l : lines_) text += (!l.raw.empty() ? l.raw : l.key.empty() ? l.text : l.key + "=" + l.text) + eol;
  // Every start and end saves the profile; nothing changed is nothing to write.
  if (read_ && text == readText_ && fs::is_regular_file(target, ec)) return true;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    out.flush();
    if (!out) {
      fs::remove(temp, ec);
      return false;
    }
  }
  const fs::file_status before = fs::status(target, ec);
  if (fs::exists(before)) fs::permissions(temp, before.permissions(), ec);
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
  for (const Line& l : lines_)
    if (!l.key.empty() && SameName(l.section, section) && SameName(l.key, key)) return &l;
  return nullptr;
}

bool IniFile::Has(std::string_view section, std::string_view key) const { return Find(section, key) != nullptr; }

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Line* l = Find(section, key);
  return l ? l->text : std::string(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const Line* l = Find(section, key);
  return l ? LeadingInt(l->text) : fallback;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  for (Line& l : lines_)
    if (!l.key.empty() && SameName(l.section, section) && SameName(l.key, key)) {
      // An unchanged value keeps its line as the user wrote it.
      if (l.text != value) {
        l.text = std::string(value);
        l.raw.clear();
      }
      return;
    }
  // After the last line of the section, or a new section at the end.
  auto last = lines_.end();
  for (auto it = lines_.begin(); it != lines_.end(); ++it)
    if (SameName(it->section, section)) last = it;
  if (last == lines_.end()) {
    lines_.push_back({std::string(section), {}, std::string("[").append(section).append("]"), {}});
    lines_.push_back({std::string(section), std::string(key), std::string(value), {}});
    return;
  }
  // Keep blank lines that end the section after the new key.
  while (last != lines_.begin() && last->key.empty() && Trim(last->text).empty()) --last;
  lines_.insert(last + 1, {std::string(section), std::string(key), std::string(value), {}});
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

}  // namespace settings

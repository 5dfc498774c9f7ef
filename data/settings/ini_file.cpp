#include "data/settings/ini_file.h"

#include "data/util/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace settings {

using qxtext::SameName;
using qxtext::Trim;

int LeadingInt(std::string_view text) {
  std::string t(text);
  return static_cast<int>(std::strtol(t.c_str(), nullptr, 10));
}

bool IniFile::Load() {
  lines_.clear();
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  std::string raw, section;
  while (std::getline(in, raw)) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string t = Trim(raw);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      section = Trim(std::string_view(t).substr(1, t.size() - 2));
      lines_.push_back({section, {}, raw});
      continue;
    }
    std::size_t eq = t.find('=');
    if (t.empty() || t[0] == ';' || t[0] == '#' || eq == std::string::npos) {
      lines_.push_back({section, {}, raw});
      continue;
    }
    lines_.push_back({section, Trim(std::string_view(t).substr(0, eq)), Trim(std::string_view(t).substr(eq + 1))});
  }
  return true;
}

bool IniFile::Save() const {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path_);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  std::string temp = path_ + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const Line& l : lines_) out << (l.key.empty() ? l.text : l.key + "=" + l.text) << '\n';
    out.flush();
    if (!out) {
      fs::remove(temp, ec);
      return false;
    }
  }
  if (std::rename(temp.c_str(), path_.c_str()) != 0) {
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
      l.text = std::string(value);
      return;
    }
  // After the last line of the section, or a new section at the end.
  auto last = lines_.end();
  for (auto it = lines_.begin(); it != lines_.end(); ++it)
    if (SameName(it->section, section)) last = it;
  if (last == lines_.end()) {
    lines_.push_back({std::string(section), {}, std::string("[").append(section).append("]")});
    lines_.push_back({std::string(section), std::string(key), std::string(value)});
    return;
  }
  // Keep blank lines that end the section after the new key.
  while (last != lines_.begin() && last->key.empty() && Trim(last->text).empty()) --last;
  lines_.insert(last + 1, {std::string(section), std::string(key), std::string(value)});
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

}  // namespace settings

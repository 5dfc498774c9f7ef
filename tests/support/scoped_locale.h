// Runs a test under another process locale (LC_ALL) and restores the previous one afterwards.
#pragma once

#include <clocale>
#include <string>

namespace qxtest {

class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
    active_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  // False when the locale is not installed (the process locale was left as it was).
  bool Active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

// The Spanish locale the program's users run, with a comma as the decimal point.
inline constexpr const char* kSpanishLocale = "es_ES.UTF-8";

}  // namespace qxtest

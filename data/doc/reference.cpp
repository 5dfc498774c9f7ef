#include "data/doc/reference.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "blocks/dates.h"

namespace doc {

LocalTime SystemLocalTime() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int ReferenceCheckDigit(std::string_view text) {
  int r = 0;
  for (char c : text) {
    if (c == '.') continue;
    r = (10 * r + (c - '0')) % 7;  // truncated toward zero, as the blank's negative value needs
  }
  return r == 0 ? 0 : 7 - r;
}

std::string GetTodayText(const LocalTime& now) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d%02d20%02d", now.day % 100, now.month % 100, now.year % 100);
  return buffer;
}

namespace {

// An id read from a fixed-width field ends at its first zero byte.
std::string_view UpToZero(std::string_view id) { return id.substr(0, std::min(id.find('\0'), id.size())); }

}  // namespace

bool BuildReferenceCode(std::string_view id, int member, bool remote, const LocalTime& now, std::string& out) {
  id = UpToZero(id);
  if (id.empty()) {
    out.assign(60, ' ');
    return false;
  }
  std::string text = remote ? "9997." : "9999.";
  std::string_view w = id.substr(0, 9);
  auto letter = [&](std::size_t i) { return i < w.size() && std::isalpha(static_cast<unsigned char>(w[i])); };
  char part[16];
  if (letter(0) && letter(8)) {
    std::snprintf(part, sizeof part, "9%7.7s", std::string(w.substr(1)).c_str());
  } else if (letter(8)) {
    std::snprintf(part, sizeof part, "%8.8s", std::string(w).c_str());
  } else {
    std::string_view tail = w.size() > 8 ? w.substr(w.size() - 8) : w;
    std::snprintf(part, sizeof part, "%8.8s", std::string(tail).c_str());
  }
  text += part;
  text += '.';

  const int days = tv::DaysBetween("15041996", GetTodayText(now).c_str());
  std::string dayText = std::to_string(days);
  if (dayText.size() < 2) dayText = "0" + dayText;
  text += dayText.substr(dayText.size() - 2) + ".";

  char time[24];
  std::snprintf(time, sizeof time, "%05d", (now.second + 1) * (now.hour + 1) * (now.minute + 1) + member);
  text += time;
  text += '.';
  text += std::to_string(ReferenceCheckDigit(text));
  out = ("Ref.: " + text).substr(0, 60);
  return true;
}

std::string BuildReferenceNumber(int formKind, std::string_view yearText, std::string_view id, int serialOffset,
                                 const LocalTime& now) {
  id = UpToZero(id);
  const char* code = "999";
  switch (formKind) {
    case 0: case 1: case 2: code = "100"; break;
    case 3: code = "714"; break;
    case 5: code = "393"; break;
    case 6: code = "390"; break;
    case 7: code = "311"; break;
    case 8: case 9: code = "104"; break;
    default: break;
  }
  std::string number = code;
  std::string year = std::to_string(std::atoi(std::string(yearText).c_str()) - 4);
  number += year.back();

  std::string s = id.empty() ? "000" : std::string(id.substr(std::min<std::size_t>(5, id.size()), 3));
  s += std::to_string(now.hour * 3600 + now.minute * 60 + now.second);
  const long long serial = 100000000LL - serialOffset - std::strtoll(s.c_str(), nullptr, 10);
  std::string serialText = std::to_string(serial).substr(0, 8);
  number += std::string(8 - serialText.size(), '0') + serialText;
  number += std::to_string(ReferenceCheckDigit(number)).front();
  return number.substr(0, number.size() - 1) + " " + number.back();
}

bool SplitDateText(const char* text, int* day, int* month, int* year) { return tv::SplitDate(text, day, month, year) != 0; }
bool IsValidDate(const char* text) { return tv::IsValidDate(text) != 0; }
int CompareDates(const char* d1, const char* d2) { return tv::CompareDates(d1, d2); }
int DaysBetweenDates(const char* from, const char* to) { return tv::DaysBetween(from, to); }

char GetWindowsVersionCode() { return 'O'; }

bool IsPreprintedField(int pageType, std::string_view id) {
  static constexpr std::string_view kType0[] = {
      "ZDNID", "ZAPEND", "REFERENCIA", "EJEMPLAR", "ET_PRUEBAS", "TIT1", "TIT2", "TIT3", "TIT4", "TIT5", "TIT6",
      "F1ETI0", "F1ETI1", "F1ETI2", "F2ET0", "F2ET1", "F2ET2", "F4ET0", "F4ET1", "F4ET2", "G0T1", "G0T2",
      "G1T0", "G1T1", "G1T2", "G1T3", "G2T0", "G2T1", "G2T2", "G2AT0", "G2AT1", "G2AT2", "G2CT0", "G2CT1",
      "G2CT2", "G2DT0", "G2DT1", "G2DT2"};
  static constexpr std::string_view kType3[] = {"NIF1", "ZAPEND", "REFERENCIA", "EJEMPLAR", "ET_PRUEBAS"};
  static constexpr std::string_view kType4[] = {"ZDNID",      "ZAPEND",    "LUGARDECLP", "DDDECLARP",
                                                              "MMDECLARP",  "LUGARDECLN", "DDDECLARN",  "MMDECLARN",
                                                              "ET_PRUEBAS", "EJEMPLAR",  "REFERENCIA"};
  auto in = [&](const auto& list) { return std::find(std::begin(list), std::end(list), id) != std::end(list); };
  switch (pageType) {
    case 0: return in(kType0);
    case 3: return in(kType3);
    case 4: return in(kType4);
    default: return false;
  }
}

bool PageHasContent(int pageType, std::span<const PageBox> boxes) {
  if (pageType != 0 && pageType != 3 && pageType != 4) return false;
  for (const PageBox& b : boxes) {
    if ((pageType == 0 || pageType == 3) && b.paintIn != 0) continue;
    if ((pageType == 0 || pageType == 4) && b.typeLetter == 'Z') continue;
    if (b.hasValue && !IsPreprintedField(pageType, b.identifier)) return true;
  }
  return false;
}

char SheetMarkChar714(int c) { return c > 4 ? '+' : (c >= 3 ? '*' : ' '); }

char SheetMarkChar100(int c, double x, bool marked) {
  if (c > 4) return '+';
  if (c >= 3) return x < 0 ? 'n' : '*';
  if (marked) return x < 0 ? 'N' : ' ';
  return x < 0 ? 'n' : '|';
}

}  // namespace doc

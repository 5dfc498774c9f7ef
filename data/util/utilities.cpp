#include "data/util/utilities.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <random>

#include "blocks/dates.h"
#include "data/db/ado.h"
#include "platform/cp1252.h"

namespace {

using MonthTable = std::array<const char*, 12>;
constexpr MonthTable kSpanish = {"ENE", "FEB", "MAR", "ABR", "MAY", "JUN", "JUL", "AGO", "SEP", "OCT", "NOV", "DIC"};
constexpr MonthTable kCatalan = {"GEN", "FEB", "MAR", "ABR", "MAI", "JUN", "JUL", "AGO", "SET", "OCT", "NOV", "DES"};
// "XU\xD1" is XUÑ in cp1252.
constexpr MonthTable kGalician = {"XAN", "FEB", "MAR", "ABR", "MAI", "XU\xD1", "XUL", "AGO", "SET", "OUT", "NOV", "DEC"};

std::string MonthNumber(std::string_view name, const MonthTable& table) {
  std::string upper = platform::UpperCp1252(name).substr(0, 3);
  int month = 13;
  for (int i = 0; i < 12; ++i)
    if (upper == table[static_cast<std::size_t>(i)]) {
      month = i + 1;
      break;
    }
  return std::string(month < 10 ? "0" : "").append(std::to_string(month));
}

int Digit(char c) { return c - '0'; }

// 11 - (sum mod 11), 10 -> 1, 11 -> 0.
int ControlDigit(int sum) {
  int d = 11 - sum % 11;
  return d == 10 ? 1 : (d == 11 ? 0 : d);
}

}  // namespace

CUtilities::CUtilities() : monthLengths_{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31} {}

std::string CUtilities::MonthNumberFromSpanish(std::string_view name) { return MonthNumber(name, kSpanish); }
std::string CUtilities::MonthNumberFromCatalan(std::string_view name) { return MonthNumber(name, kCatalan); }
std::string CUtilities::MonthNumberFromGalician(std::string_view name) { return MonthNumber(name, kGalician); }

int CUtilities::GetDaysInMonth(int index) const {
  return index >= 0 && index < 12 ? monthLengths_[static_cast<std::size_t>(index)] : 0;
}

void CUtilities::SetFebruaryForYear(int year) { monthLengths_[1] = tv::IsLeapYear(year) ? 29 : 28; }

std::string CUtilities::CopyLeftChars(std::string_view text, int n) {
  std::size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  return std::string(text.substr(0, static_cast<std::size_t>(std::max(n, 0))));
}

bool CUtilities::SplitDate(std::string_view date, int& day, int& month, int& year) {
  return tv::SplitDateText(date, tv::DateForm::kTyped, day, month, year);
}

int CUtilities::WholeYearsBetween(const char* from, const char* to, int& years, int& notAnniversary) {
  return tv::WholeYearsBetween(from, to, &years, &notAnniversary);
}

int CUtilities::CheckBankAccountDigits(std::string_view account) {
  if (account.size() < 20) return 1;
  int total = 0;
  for (std::size_t i = 0; i < 20; ++i) {
    if (account[i] < '0' || account[i] > '9') return 1;
    total += Digit(account[i]);
  }
  if (total == 0) return 1;
  static constexpr int kWeights[10] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
  int s1 = 0;
  for (int i = 0; i < 8; ++i) s1 += kWeights[i + 2] * Digit(account[static_cast<std::size_t>(i)]);
  if (account[8] != '0' + ControlDigit(s1)) return 1;
  int s2 = 0;
  for (int i = 0; i < 10; ++i) s2 += kWeights[i] * Digit(account[static_cast<std::size_t>(10 + i)]);
  return account[9] != '0' + ControlDigit(s2) ? 2 : 0;
}

bool CUtilities::IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool CUtilities::IsDigitsOrSpaces(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
}

int CUtilities::ParseLeadingInt(std::string_view text, int n) {
  n = std::clamp(n, 0, 255);
  return std::atoi(std::string(text.substr(0, static_cast<std::size_t>(n))).c_str());
}

std::string CUtilities::StripPrefixAndDots(std::string_view text) {
  std::string out;
  if (text.size() > 6)
    for (char c : text.substr(6))
      if (c != '.') out += c;
  return out;
}

std::string CUtilities::MakeTempFilePath(const std::string& directory, const std::string& prefix, int recordPosition) {
  std::string name = recordPosition >= 0 ? std::to_string(recordPosition) + prefix : prefix;
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = directory + name;
    for (int i = 0; i < 6; ++i) path += kChars[random() % (sizeof kChars - 1)];
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

void CUtilities::IncrementUsageCounters(db::CAdoConnection& declarations, int model, bool printed, bool internetFile,
                                        bool immediate) {
  db::CAdoRecordset rs;
  if (rs.Open("CONTADORES", &declarations, db::Filter::Eq("MODELO", std::int64_t{model})) &&
      rs.GetRecordCount() > 0) {
    auto bump = [&](bool flag, const char* column) {
      std::int32_t n = 0;
      if (flag && rs.GetInt(column, n)) rs.SetInt(column, n + 1, true);
    };
    bump(printed, "IMPRESOS");
    bump(internetFile, "INTERNET");
    bump(immediate, "INMEDIATA");
    rs.Close();
    return;
  }
  if (!rs.IsOpen()) return;  // the failure has been reported
  rs.Close();
  if (!rs.Open("CONTADORES", &declarations) && !rs.IsOpen()) return;
  if (rs.PrepareNewRow()) {
    rs.AddPendingInt("MODELO", model);
    rs.AddPendingInt("IMPRESOS", printed ? 1 : 0);
    rs.AddPendingInt("INTERNET", internetFile ? 1 : 0);
    rs.AddPendingInt("INMEDIATA", immediate ? 1 : 0);
    rs.AppendPendingRow();
  }
  rs.Close();
}

std::string CUtilities::LookUpProvinceCode(db::CAdoConnection& local, std::string_view name) {
  // Fourteen characters, not bytes: an accented letter is two bytes of UTF-8.
  std::string cut;
  int chars = 0;
  for (char c : name) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++chars > 14) break;
    cut += c;
  }
  while (!cut.empty() && std::isspace(static_cast<unsigned char>(cut.back()))) cut.pop_back();
  int length = 0;
  for (char c : cut) length += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (length < 4) return {};
  db::CAdoRecordset rs;
  std::string code;
  if (rs.Open("PROVINCE", &local, db::Filter::StartsWith("DESCRIPC", cut))) rs.GetText("CLAVE", code);
  rs.Close();
  return code.substr(0, 2);
}

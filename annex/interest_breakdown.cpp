#include "annex/interest_breakdown.h"

#include <charconv>
#include <cstring>

#include "blocks/rounding.h"
#include "checks/validation_helper.h"
#include "data/doc/reference.h"

namespace annex::interest {

namespace {

using checks::CValidationHelper;

constexpr FilingDeadline kDeadlines[] = {
    {1990, "20061991", "21061991"}, {1991, "22061992", "23061992"}, {1992, "21061993", "22061993"},
    {1993, "20061994", "21061994"}, {1994, "20061995", "21061995"}, {1995, "20061996", "21061996"},
    {1996, "20061997", "21061997"}, {1997, "22061998", "02051998"}, {1998, "21061999", "02051999"},
    {1999, "20062000", "02032000"}, {2000, "20062001", "02032001"}, {2001, "01072002", "02032002"},
    {2002, "30062003", "02032003"},
};

struct Period {
  const char* first;
  const char* last;
  double rate;
  int base;
  int days;  // the whole period's days
};
// 1994 and 1995 form one period of 730 days at one rate.
constexpr Period kPeriods[] = {
    {"01011991", "31121991", 0.12, 365, 0},     {"01011992", "31121992", 0.12, 366, 366},
    {"01011993", "31121993", 0.12, 365, 365},   {"01011994", "31121995", 0.11, 365, 730},
    {"01011996", "31121996", 0.11, 366, 366},   {"01011997", "31121997", 0.095, 365, 365},
    {"01011998", "31121998", 0.075, 365, 365},  {"01011999", "31121999", 0.055, 365, 365},
    {"01012000", "31122000", 0.055, 366, 366},  {"01012001", "31122001", 0.065, 365, 365},
    {"01012002", "31122002", 0.055, 365, 365},  {"01012003", "31122003", 0.055, 365, 365},
};
constexpr const char* kLastPeriodStart = "01012004";
constexpr double kLastPeriodRate = 0.0475;
constexpr int kLastPeriodBase = 366;

bool Empty(char c) { return c == 0 || c == ' '; }
const std::uint8_t* Case(const std::uint8_t* record, int r) { return record + CaseAt(r); }
std::uint8_t* Case(std::uint8_t* record, int r) { return record + CaseAt(r); }
std::string Date(const std::uint8_t* at, blocks::Text t) { return std::string(t.raw(at)); }
// Inclusive at both ends.
bool Between(const std::string& date, std::string_view low, std::string_view high) {
  return CValidationHelper::CheckDateRange(date.c_str(), low, high, 1, false);
}
double PeriodInterest(int days, double amount, double rate, int base) {
  return base == 0 ? 0.0 : blocks::RoundToDecimals(days * amount * rate / base, 2);
}

}  // namespace

const FilingDeadline* FindDeadline(std::string_view year) {
  int y = 0;
  if (std::from_chars(year.data(), year.data() + year.size(), y).ec != std::errc()) return nullptr;
  for (const FilingDeadline& d : kDeadlines)
    if (d.year == y) return &d;
  return nullptr;
}

int RowKind(const std::uint8_t* record, int r) {
  const std::uint8_t* c = Case(record, r);
  if (Empty(static_cast<char>(record[CalculationDate.off])) || Empty(static_cast<char>(c[Year.off])) ||
      Amount.get(c) == 0.0)
    return 0;
  const char kind = static_cast<char>(c[Kind.off]);
  if (kind == kRefunded) {
    const std::string start = Date(c, StartDate);
    return !Empty(start[0]) && CValidationHelper::IsValidDate(start) ? 2 : 0;
  }
  return kind == kToPay ? 1 : 0;
}

void CalculateRow(std::uint8_t* record, int r) {
  std::uint8_t* c = Case(record, r);
  const std::string start = Date(c, StartDate), calculation = Date(record, CalculationDate);
  const double amount = Amount.get(c);
  int days = 0;
  double interest = 0.0;
  bool started = false;
  for (const Period& p : kPeriods) {
    int d = 0;
    if (!started) {
      if (!Between(start, p.first, p.last)) continue;
      started = true;
      d = doc::DaysBetweenDates(start.c_str(), p.last);
    } else {
      d = p.days;
    }
    days += d;
    interest += PeriodInterest(d, amount, p.rate, p.base);
  }
  const int last = Between(start, kLastPeriodStart, calculation)
                       ? doc::DaysBetweenDates(start.c_str(), calculation.c_str())
                       : doc::DaysBetweenDates(kLastPeriodStart, calculation.c_str()) + 1;
  days += last;
  interest += PeriodInterest(last, amount, kLastPeriodRate, kLastPeriodBase);
  Days.set(c, days);
  Interest.set(c, interest);
}

void RecalculateAll(std::uint8_t* record) {
  double total = 0.0;
  for (int r = 0; r < kCases; ++r) {
    std::uint8_t* c = Case(record, r);
    switch (RowKind(record, r)) {
      case 1:
        if (const FilingDeadline* d = FindDeadline(Year.raw(c))) std::memcpy(c + StartDate.off, d->lastDay, 8);
        CalculateRow(record, r);
        break;
      case 2: CalculateRow(record, r); break;
      default:
        Days.set(c, 0.0);
        Interest.set(c, 0.0);
    }
    total += Interest.get(c);
  }
  Total.set(record, total);
}

bool StartDateAccepted(const std::uint8_t* record, int r) {
  const std::uint8_t* c = Case(record, r);
  const FilingDeadline* d = FindDeadline(Year.raw(c));
  if (!d) return false;
  std::string calculation = Date(record, CalculationDate);
  if (Empty(calculation[0])) calculation.clear();
  return Between(Date(c, StartDate), d->earliestRefundStart, calculation);
}

}  // namespace annex::interest

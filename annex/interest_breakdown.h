// Late-payment interest on deductions wrongly applied in earlier tax years: the 400-byte breakdown
// record stored inside the late-payment annex blocks (a calculation date and eight cases) and its
// calculation over the legal interest periods.
#pragma once

#include <cstdint>
#include <string_view>

#include "blocks/field.h"

namespace annex::interest {

inline constexpr std::size_t kRecordSize = 400;
inline constexpr int kCases = 8;
inline constexpr std::size_t kCaseSize = 48;
inline constexpr blocks::Text CalculationDate{0, 8};  // DDMMYYYY
inline constexpr blocks::F64 Total{392};
constexpr std::size_t CaseAt(int r) { return 8 + kCaseSize * static_cast<std::size_t>(r); }
// Fields of a case, relative to the case.
inline constexpr blocks::Text Year{0, 4};  // a zero or blank first character: the case is empty
inline constexpr blocks::F64 Amount{8};
inline constexpr blocks::Text Kind{16, 1};  // 'I' to pay, 'D' refund received
inline constexpr blocks::Text StartDate{17, 8};
inline constexpr blocks::F64 Days{32};
inline constexpr blocks::F64 Interest{40};
static_assert(CaseAt(kCases) == Total.off && Total.off + 8 == kRecordSize && Interest.off + 8 == kCaseSize);

inline constexpr char kToPay = 'I', kRefunded = 'D';

// A tax year's last day of voluntary filing and the earliest start of a refunded case of that
// year; null when the year is not 1990 to 2002.
struct FilingDeadline {
  int year;
  const char* lastDay;
  const char* earliestRefundStart;
};
const FilingDeadline* FindDeadline(std::string_view year);

// 0 nothing to count, 1 an amount to pay (runs from the filing deadline), 2 a refund received
// (runs from its start date).
int RowKind(const std::uint8_t* record, int r);
// Days and interest of case r from its start date to the calculation date.
void CalculateRow(std::uint8_t* record, int r);
// Every case: deadlines of the amounts to pay set, days and interest counted, the total summed.
void RecalculateAll(std::uint8_t* record);
// Whether case r's start date lies between its year's earliest refund start and the calculation
// date (an empty calculation date bounds nothing above).
bool StartDateAccepted(const std::uint8_t* record, int r);

}  // namespace annex::interest

#include "script/calendar.h"

#include <cmath>

#include "common/numbers.h"

namespace rivo {

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days from 1 March of year 0 arithmetic (the leap day falls last in such a
// year), after H. Hinnant's civil calendar algorithms.
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

constexpr int64_t kDayZero = DaysFromCivil(1899, 12, 30);
constexpr int64_t kFirstDay = DaysFromCivil(1, 1, 1) - kDayZero;
constexpr int64_t kLastDay = DaysFromCivil(9999, 12, 31) - kDayZero;

void CivilFromDays(int64_t z, DateTimeParts& parts) {
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  parts.day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  parts.month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  parts.year = static_cast<int32_t>(yoe + era * 400 + (parts.month <= 2));
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

DateTimeParts DecodeDateTime(long double value) {
  DateTimeParts parts;
  // Well beyond year 9999 either way, and far inside the 64-bit range of milliseconds.
  if (!(std::fabs(value) < 1e7L)) return parts;
  int64_t ms = Round(value * kMsPerDay);
  int64_t days = ms / kMsPerDay;
  if (days < kFirstDay || days > kLastDay) return parts;
  int64_t time = ms % kMsPerDay;
  if (time < 0) time = -time;
  parts.valid = true;
  CivilFromDays(days + kDayZero, parts);
  // Day 0 was a Saturday.
  parts.week = static_cast<int32_t>(((days % 7) + 7 + 6) % 7 + 1);
  parts.hour = static_cast<int32_t>(time / 3600000);
  parts.minute = static_cast<int32_t>(time / 60000 % 60);
  parts.second = static_cast<int32_t>(time / 1000 % 60);
  parts.millisecond = static_cast<int32_t>(time % 1000);
  return parts;
}

std::optional<long double> EncodeDate(int32_t year, int32_t month, int32_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  return static_cast<long double>(DaysFromCivil(year, month, day) - kDayZero);
}

std::optional<long double> EncodeTime(int32_t hour, int32_t minute, int32_t second) {
  if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60) return std::nullopt;
  return static_cast<long double>((hour * 3600 + minute * 60 + second) * 1000) / kMsPerDay;
}

}  // namespace rivo

#pragma once
// Date-time values of scripts: a real whose whole part counts days since
// 30 December 1899 (day 0) and whose fraction is the time of day. Before
// day 0 the sign belongs to the day only: -1.25 is 29 December 1899, 6:00.
// Computed by calendar arithmetic alone (the proleptic Gregorian calendar),
// never through the C library's time zones.

#include <cstdint>
#include <optional>

namespace rivo {

struct DateTimeParts {
  // False for values outside 1 January 0001 .. 31 December 9999 (and for
  // NaN): every part is then 0.
  bool valid = false;
  int32_t year = 0, month = 0, day = 0;
  int32_t week = 0;  // 1 = Sunday ... 7 = Saturday
  int32_t hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The value is taken to the nearest millisecond first, so that 10:00 made
// by EncodeTime reads back as 10:00:00 and not 9:59:59.999.
DateTimeParts DecodeDateTime(long double value);

// nullopt for a date that does not exist or lies outside years 1..9999.
std::optional<long double> EncodeDate(int32_t year, int32_t month, int32_t day);
// nullopt unless 0 <= hour < 24, 0 <= minute < 60 and 0 <= second < 60.
std::optional<long double> EncodeTime(int32_t hour, int32_t minute, int32_t second);

}  // namespace rivo

// Dates and times: day numbers from 30 December 1899.

#include <gtest/gtest.h>

#include "script/calendar.h"
#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class DateFunctions : public testing::SystemFunctionTest {};

TEST_F(DateFunctions, EncodeCountsDaysFromTheLastDaysOf1899) {
  const FunctionCase cases[] = {
      {"EncodeDate(1899, 12, 30)", "real:0"},
      {"EncodeDate(1899, 12, 31)", "real:1"},
      {"EncodeDate(1900, 3, 1)", "real:61"},
      {"EncodeDate(2000, 1, 1)", "real:36526"},
      {"EncodeDate(2000, 2, 29)", "real:36585"},
      {"EncodeDate(1, 1, 1)", "real:-693593"},
      {"EncodeDate(9999, 12, 31)", "real:2958465"},
      {"EncodeTime(12, 0, 0)", "real:0.5"},
      {"EncodeTime(6, 0, 0)", "real:0.25"},
      {"EncodeTime(0, 0, 1) * 86400", "real:1"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(DateFunctions, PartsThatMakeNoDateOrTimeAreErrors) {
  for (const char* expression : {"EncodeDate(1900, 2, 29)", "EncodeDate(2023, 2, 29)", "EncodeDate(2000, 13, 1)",
                                 "EncodeDate(2000, 4, 31)", "EncodeDate(0, 1, 1)", "EncodeDate(10000, 1, 1)"}) {
    EXPECT_EQ(Run(expression), "none") << expression;
    EXPECT_EQ(last_error, "Invalid argument to date encode") << expression;
  }
  for (const char* expression : {"EncodeTime(24, 0, 0)", "EncodeTime(0, 60, 0)", "EncodeTime(0, 0, -1)"}) {
    EXPECT_EQ(Run(expression), "none") << expression;
    EXPECT_EQ(last_error, "Invalid argument to time encode") << expression;
  }
}

TEST_F(DateFunctions, TheParts) {
  // 29 February 2024 18:30:15 was a Thursday.
  Var("t", PT_FLOAT).SetFloat(45351 + (18 * 3600 + 30 * 60 + 15) / 86400.0L);
  const FunctionCase cases[] = {
      {"GetYear(t)", "integer:2024"}, {"GetMonth(t)", "integer:2"},     {"GetDay(t)", "integer:29"},
      {"GetHour(t)", "integer:18"},   {"GetMin(t)", "integer:30"},      {"GetSec(t)", "integer:15"},
      {"GetWeek(t)", "integer:5"},    {"GetWeekStr(t)", "string:Thursday"}, {"GetWeekJStr(t)", "string:木"},
  };
  EXPECT_FUNCTION_CASES(cases);
  Var("y", PT_INT);
  Var("m", PT_INT);
  Var("d", PT_INT);
  EXPECT_EQ(Run("DecodeDate(t, y, m, d)"), "integer:0");
  EXPECT_EQ(Value("y") + " " + Value("m") + " " + Value("d"), "integer:2024 integer:2 integer:29");
  Run("DecodeTime(t, y, m, d)");
  EXPECT_EQ(Value("y") + " " + Value("m") + " " + Value("d"), "integer:18 integer:30 integer:15");
}

TEST_F(DateFunctions, WeekdaysStartOnSunday) {
  const FunctionCase cases[] = {
      {"GetWeek(0)", "integer:7"},        {"GetWeekStr(0)", "string:Saturday"}, {"GetWeekJStr(0)", "string:土"},
      {"GetWeek(1)", "integer:1"},        {"GetWeekStr(1)", "string:Sunday"},   {"GetWeekJStr(1)", "string:日"},
      {"GetWeek(-1)", "integer:6"},       {"GetWeekJStr(2)", "string:月"},      {"GetWeekJStr(3)", "string:火"},
      {"GetWeekJStr(4)", "string:水"},    {"GetWeekJStr(6)", "string:金"},      {"GetWeek(36526)", "integer:7"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(DateFunctions, BeforeDayZeroTheTimeStillCountsForward) {
  // -1.25: 29 December 1899, 6:00 (the sign belongs to the day).
  Var("t", PT_FLOAT).SetFloat(-1.25L);
  const FunctionCase cases[] = {
      {"GetYear(t)", "integer:1899"}, {"GetMonth(t)", "integer:12"}, {"GetDay(t)", "integer:29"},
      {"GetHour(t)", "integer:6"},    {"GetMin(t)", "integer:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(DateFunctions, TimesReadBackAsTheyWereMadeAndRoundToTheMillisecond) {
  const FunctionCase cases[] = {
      {"GetHour(EncodeTime(10, 0, 0))", "integer:10"},
      {"GetMin(EncodeTime(10, 0, 0))", "integer:0"},
      {"GetSec(EncodeTime(23, 59, 59))", "integer:59"},
      {"GetSec(EncodeTime(0, 0, 7) * 3)", "integer:21"},
      {"GetDay(EncodeDate(2024, 3, 1) - 1)", "integer:29"},
      {"GetDay(0.9999999999)", "integer:31"},
      {"GetHour(0.9999999999)", "integer:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(DateFunctions, ValuesOutsideTheCalendarGiveZeroParts) {
  const FunctionCase cases[] = {
      {"GetYear(3000000)", "integer:0"}, {"GetWeek(3000000)", "integer:0"}, {"GetWeekStr(-700000)", "string:"},
      {"GetDay(1e300)", "integer:0"},    {"GetHour(-1e300)", "integer:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<long double>::quiet_NaN()).valid);
}

TEST_F(DateFunctions, EveryDayOfFourHundredYearsRoundTrips) {
  // One full cycle of leap years, and the edges of the calendar.
  for (int64_t day = -1000; day < 146097 - 1000; ++day) {
    DateTimeParts parts = DecodeDateTime(static_cast<long double>(day));
    ASSERT_TRUE(parts.valid) << day;
    ASSERT_EQ(EncodeDate(parts.year, parts.month, parts.day), static_cast<long double>(day)) << day;
  }
  EXPECT_EQ(DecodeDateTime(-693593).year, 1);
  EXPECT_FALSE(DecodeDateTime(-693594).valid);
  EXPECT_EQ(DecodeDateTime(2958465).year, 9999);
  EXPECT_FALSE(DecodeDateTime(2958466).valid);
}

}  // namespace
}  // namespace rivo

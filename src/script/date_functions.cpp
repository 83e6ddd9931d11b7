// Dates and times (calendar.h): making date-time values from their parts
// and taking them apart. Values outside years 1..9999 give 0 for every
// part and an empty weekday name.

#include <array>

#include "common/encoding.h"
#include "common/error.h"
#include "script/calendar.h"
#include "script/function_call.h"
#include "script/function_families.h"

namespace rivo {

namespace {

constexpr std::array<const char*, 7> kWeekNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> kWeekJNames = {"日", "月", "火", "水", "木", "金", "土"};

DateTimeParts Parts(const FunctionCall& call) { return DecodeDateTime(call.Float(0)); }

// The run-time library's errors for parts that make no date or time.
void EncodeDate(FunctionCall& call) {
  std::optional<long double> value = rivo::EncodeDate(call.Int(0), call.Int(1), call.Int(2));
  if (!value) throw RivoError("Invalid argument to date encode");
  call.dest.SetFloat(*value);
}

void EncodeTime(FunctionCall& call) {
  std::optional<long double> value = rivo::EncodeTime(call.Int(0), call.Int(1), call.Int(2));
  if (!value) throw RivoError("Invalid argument to time encode");
  call.dest.SetFloat(*value);
}

void DecodeDate(FunctionCall& call) {
  DateTimeParts parts = Parts(call);
  call.Writable(1).SetInt(parts.year);
  call.Writable(2).SetInt(parts.month);
  call.Writable(3).SetInt(parts.day);
}

void DecodeTime(FunctionCall& call) {
  DateTimeParts parts = Parts(call);
  call.Writable(1).SetInt(parts.hour);
  call.Writable(2).SetInt(parts.minute);
  call.Writable(3).SetInt(parts.second);
}

void GetYear(FunctionCall& call) { call.dest.SetInt(Parts(call).year); }
void GetMonth(FunctionCall& call) { call.dest.SetInt(Parts(call).month); }
void GetDay(FunctionCall& call) { call.dest.SetInt(Parts(call).day); }
void GetHour(FunctionCall& call) { call.dest.SetInt(Parts(call).hour); }
void GetMin(FunctionCall& call) { call.dest.SetInt(Parts(call).minute); }
void GetSec(FunctionCall& call) { call.dest.SetInt(Parts(call).second); }
void GetWeek(FunctionCall& call) { call.dest.SetInt(Parts(call).week); }

void GetWeekStr(FunctionCall& call) {
  DateTimeParts parts = Parts(call);
  call.dest.SetStr(parts.valid ? kWeekNames[static_cast<std::size_t>(parts.week - 1)] : "");
}

void GetWeekJStr(FunctionCall& call) {
  DateTimeParts parts = Parts(call);
  call.dest.SetStr(parts.valid ? Utf8ToCp932(kWeekJNames[static_cast<std::size_t>(parts.week - 1)]) : "");
}

}  // namespace

void AddDateFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "EncodeDate", EncodeDate);
  SetBody(bodies, "EncodeTime", EncodeTime);
  SetBody(bodies, "DecodeDate", DecodeDate);
  SetBody(bodies, "DecodeTime", DecodeTime);
  SetBody(bodies, "GetYear", GetYear);
  SetBody(bodies, "GetMonth", GetMonth);
  SetBody(bodies, "GetDay", GetDay);
  SetBody(bodies, "GetHour", GetHour);
  SetBody(bodies, "GetMin", GetMin);
  SetBody(bodies, "GetSec", GetSec);
  SetBody(bodies, "GetWeek", GetWeek);
  SetBody(bodies, "GetWeekStr", GetWeekStr);
  SetBody(bodies, "GetWeekJStr", GetWeekJStr);
}

}  // namespace rivo

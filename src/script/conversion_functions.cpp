// Numbers to text and back.

#include <algorithm>
#include <cstdio>

#include "common/number_text.h"
#include "script/function_call.h"
#include "script/function_families.h"

namespace rivo {

namespace {

// A digit count asks for zero padding up to that many digits. More than a
// 32-bit number ever has is only padding; past kMaxDigits a count is taken
// for a mistake and refused rather than building a string of that size. A
// negative count asks for no padding.
constexpr int32_t kMaxDigits = 255;

std::string Padded(std::string digits, const FunctionCall& call, int32_t count) {
  if (count > kMaxDigits) call.Fail("桁数が不正です");
  if (static_cast<int32_t>(digits.size()) < count) digits.insert(0, static_cast<std::size_t>(count) - digits.size(), '0');
  return digits;
}

void IntToStr(FunctionCall& call) {
  int64_t n = call.Int(0);
  if (!call.Has(1)) return call.dest.SetStr(rivo::IntToStr(n));
  std::string text = Padded(rivo::IntToStr(n < 0 ? -n : n), call, call.Int(1));
  call.dest.SetStr(n < 0 ? "-" + text : text);
}

// The 32-bit pattern: -1 is FFFFFFFF.
void IntToHex(FunctionCall& call) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<uint32_t>(call.Int(0)));
  call.dest.SetStr(Padded(buffer, call, call.Int(1)));
}

void StrToIntDef(FunctionCall& call) { call.dest.SetInt(ParseInt32(call.Str(0)).value_or(call.Int(1))); }

void StrToFloatDef(FunctionCall& call) { call.dest.SetFloat(ParseReal(call.Str(0)).value_or(call.Float(1))); }

}  // namespace

void AddConversionFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "IntToStr", IntToStr);
  SetBody(bodies, "IntToHex", IntToHex);
  SetBody(bodies, "StrToIntDef", StrToIntDef);
  SetBody(bodies, "StrToFloatDef", StrToFloatDef);
}

}  // namespace rivo

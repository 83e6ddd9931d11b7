#include "script/value_conversion.h"

#include "common/number_text.h"
#include "common/numbers.h"

namespace rivo {

int32_t RealToInt(long double value) { return TruncToInt32(value); }

std::string RealToText(long double value) { return FloatToStr(value, 15); }

std::string IntToText(int32_t value) { return IntToStr(value); }

int32_t TextToInt(std::string_view text) { return ParseInt32(text).value_or(0); }

long double TextToReal(std::string_view text) { return ParseReal(text).value_or(0.0L); }

}  // namespace rivo

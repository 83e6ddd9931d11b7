#include "common/numbers.h"

#include <cmath>

namespace rivo {

namespace {
// 2^63 exactly; every long double below it in magnitude fits int64_t.
constexpr long double kTwo63 = 9223372036854775808.0L;

bool FitsInt64(long double x) { return x >= -kTwo63 && x < kTwo63; }
}  // namespace

int64_t Round(long double x) {
  if (!std::isfinite(x)) return INT64_MIN;
  // Halves to even, whatever rounding mode the process runs in.
  long double floor = std::floor(x);
  long double diff = x - floor;
  long double r = floor;
  if (diff > 0.5L || (diff == 0.5L && std::fmod(floor, 2.0L) != 0)) r = floor + 1;
  return FitsInt64(r) ? static_cast<int64_t>(r) : INT64_MIN;
}

int64_t Trunc(long double x) {
  if (!std::isfinite(x)) return INT64_MIN;
  long double t = std::trunc(x);
  return FitsInt64(t) ? static_cast<int64_t>(t) : INT64_MIN;
}

}  // namespace rivo

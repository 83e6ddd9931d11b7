#include "common/extended_real.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

namespace rivo {
namespace {

using Bytes = std::array<uint8_t, 10>;

Bytes Encode(long double v) {
  Bytes b{};
  EncodeExtended(v, b.data());
  return b;
}

struct HandWorked {
  const char* what;
  long double value;
  Bytes bytes;
};

// Worked out by hand: mantissa with its explicit integer bit in bytes 0-7,
// then exponent (bias 16383) with the sign in the top bit.
const HandWorked kCases[] = {
    {"one", 1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
    {"minus two and a half", -2.5L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
    {"a tenth", 0.1L, {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
    {"largest normal", LDBL_MAX, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}},
    {"smallest normal", LDBL_MIN, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}},
    {"smallest denormal", LDBL_TRUE_MIN, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"largest denormal", LDBL_MIN - LDBL_TRUE_MIN, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}},
    {"zero", 0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"minus zero", -0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
    {"infinity", HUGE_VALL, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
    {"minus infinity", -HUGE_VALL, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}},
};

TEST(ExtendedReal, DecodesAndEncodesHandWorkedValues) {
  for (const HandWorked& c : kCases) {
    SCOPED_TRACE(c.what);
    long double decoded = DecodeExtended(c.bytes.data());
    EXPECT_EQ(decoded, c.value);
    EXPECT_EQ(std::signbit(decoded), std::signbit(c.value));
    EXPECT_EQ(Encode(c.value), c.bytes);
  }
}

TEST(ExtendedReal, NaNsStayNaN) {
  Bytes quiet = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
  Bytes signalling = {1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
  EXPECT_TRUE(std::isnan(DecodeExtended(quiet.data())));
  EXPECT_TRUE(std::isnan(DecodeExtended(signalling.data())));
  EXPECT_TRUE(std::isnan(DecodeExtended(Encode(NAN).data())));
}

#if defined(__x86_64__) || defined(__i386__)
// On x86 long double is the same format, so random canonical bit patterns can
// be checked against the machine's own reading of the bytes.
TEST(ExtendedReal, MatchesTheMachineFormatForRandomPatterns) {
  std::mt19937_64 rng(12345);
  for (int i = 0; i < 200000; ++i) {
    Bytes b{};
    uint64_t mantissa = rng();
    unsigned exponent = static_cast<unsigned>(rng() % 0x7FFF);  // finite values only
    if (i % 7 == 0) exponent = static_cast<unsigned>(rng() % 3);  // near and in the denormals
    if (exponent == 0) mantissa &= ~(uint64_t{1} << 63);
    else mantissa |= uint64_t{1} << 63;
    unsigned top = exponent | ((rng() & 1) ? 0x8000u : 0u);
    for (int k = 0; k < 8; ++k) b[k] = static_cast<uint8_t>(mantissa >> (8 * k));
    b[8] = static_cast<uint8_t>(top);
    b[9] = static_cast<uint8_t>(top >> 8);

    long double machine = 0;
    std::memcpy(&machine, b.data(), 10);
    long double decoded = DecodeExtended(b.data());
    ASSERT_EQ(std::memcmp(&decoded, &machine, 10), 0) << "pattern " << i;
    ASSERT_EQ(Encode(decoded), b) << "pattern " << i;
  }
}
#endif

}  // namespace
}  // namespace rivo

#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/number_text.h"

namespace rivo {
namespace {

TEST(Numbers, RoundsHalvesToEven) {
  struct Case {
    long double x;
    int64_t rounded;
  } cases[] = {
      {0.5L, 0},   {1.5L, 2},   {2.5L, 2},    {3.5L, 4},   {-0.5L, 0},  {-1.5L, -2},
      {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {1e18L, 1000000000000000000LL},
  };
  for (const Case& c : cases) EXPECT_EQ(Round(c.x), c.rounded) << static_cast<double>(c.x);
}

TEST(Numbers, ValuesThatDoNotFitGiveIntegerIndefinite) {
  for (long double x : {static_cast<long double>(NAN), HUGE_VALL, -HUGE_VALL, 1e19L, -1e19L}) {
    EXPECT_EQ(Round(x), INT64_MIN);
    EXPECT_EQ(Trunc(x), INT64_MIN);
  }
  EXPECT_EQ(TruncToInt32(NAN), 0);  // low 32 bits of 0x8000000000000000
  EXPECT_EQ(TruncToInt32(4294967297.9L), 1);
  EXPECT_EQ(TruncToInt32(-7.9L), -7);
  EXPECT_EQ(RoundToInt32(2147483648.0L), INT32_MIN);
}

TEST(Numbers, IntegerArithmeticWrapsAndTruncates) {
  EXPECT_EQ(WrapAdd(INT32_MAX, 1), INT32_MIN);
  EXPECT_EQ(WrapSub(INT32_MIN, 1), INT32_MAX);
  EXPECT_EQ(WrapMul(65536, 65536), 0);
  EXPECT_EQ(WrapNeg(INT32_MIN), INT32_MIN);
  EXPECT_EQ(Div(7, 2), 3);
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Mod(-7, 2), -1);
  EXPECT_EQ(Mod(7, -2), 1);
  EXPECT_EQ(Div(INT32_MIN, -1), INT32_MIN);
  EXPECT_EQ(Mod(INT32_MIN, -1), 0);
  EXPECT_EQ(Shl(1, 33), 2);
  EXPECT_EQ(Shl(1, -1), INT32_MIN);  // count taken modulo 32
  EXPECT_EQ(Shr(-1, 28), 15);        // logical
  EXPECT_EQ(Low32(0x1234567890LL), 0x34567890);
}

TEST(NumberText, FormatsRealsInTheShortestGeneralForm) {
  struct Case {
    long double x;
    const char* text;
  } cases[] = {
      {0, "0"},
      {1, "1"},
      {-2.5L, "-2.5"},
      {0.1L, "0.1"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {123456789012345.0L, "123456789012345"},
      {1e15L, "1E15"},
      {1234567890123456.0L, "1.23456789012346E15"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {-1.5e-7L, "-1.5E-7"},
      {100, "100"},
      {HUGE_VALL, "INF"},
      {-HUGE_VALL, "-INF"},
      {static_cast<long double>(NAN), "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.x), c.text);
}

TEST(NumberText, ParsesNumbersWithoutTheLocale) {
  EXPECT_EQ(ParseInt32(" 42 "), 42);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInt32("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInt32("$FF"), 255);
  EXPECT_EQ(ParseInt32("0x10"), 16);
  EXPECT_EQ(ParseInt32("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInt32("12a"), std::nullopt);
  EXPECT_EQ(ParseInt32(""), std::nullopt);
  EXPECT_EQ(ParseReal("1.5"), 1.5L);
  EXPECT_EQ(ParseReal("-.5"), -0.5L);
  EXPECT_EQ(ParseReal("2e3"), 2000.0L);
  EXPECT_EQ(ParseReal("1,5"), std::nullopt);
  EXPECT_EQ(ParseReal("inf"), std::nullopt);
  EXPECT_EQ(IntToStr(-12), "-12");
}

}  // namespace
}  // namespace rivo

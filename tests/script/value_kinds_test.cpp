// The four kinds of values: how each reads and writes as the others, arrays,
// copies between kinds, and the stored form of a value.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cmath>
#include <limits>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/param_factory.h"
#include "script/typed_params.h"

namespace rivo {
namespace {

std::unique_ptr<TCustomParam> Make(uint8_t kind) { return MakeParam(kind, nullptr); }

TEST(ValueKinds, RealsReadAsIntegersTruncatedTowardZero) {
  struct Case {
    long double real;
    int32_t integer;
  } cases[] = {
      {2.9L, 2}, {-2.9L, -2}, {0.5L, 0}, {-0.5L, 0}, {2147483647.0L, 2147483647},
      // Beyond 32 bits the low 32 bits of the whole number are kept.
      {4294967297.0L, 1}, {-2147483649.0L, 2147483647},
      // No whole number at all reads as 0, never undefined.
      {std::numeric_limits<long double>::quiet_NaN(), 0}, {std::numeric_limits<long double>::infinity(), 0},
      {-std::numeric_limits<long double>::infinity(), 0}, {1e30L, 0},
  };
  for (const Case& c : cases) {
    TParamFloat real;
    real.SetFloat(c.real);
    EXPECT_EQ(real.AsInt(), c.integer) << static_cast<double>(c.real);
    TParamInt integer;
    integer.SetFloat(c.real);
    EXPECT_EQ(integer.AsInt(), c.integer) << "written: " << static_cast<double>(c.real);
  }
}

TEST(ValueKinds, RealsReadAsTextWithFifteenSignificantDigits) {
  struct Case {
    long double real;
    const char* text;
  } cases[] = {
      {3.5L, "3.5"},
      {0.1L + 0.2L, "0.3"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {-0.5L, "-0.5"},
      {100.0L, "100"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {1.5e-7L, "1.5E-7"},
      {123456789012345.0L, "123456789012345"},
      {1e15L, "1E15"},
      {123456789012345678.0L, "1.23456789012346E17"},
  };
  for (const Case& c : cases) {
    TParamFloat real;
    real.SetFloat(c.real);
    EXPECT_EQ(real.AsStr(), c.text);
    TParamStr text;
    text.SetFloat(c.real);
    EXPECT_EQ(text.AsStr(), c.text) << "written into a string";
  }
}

// Switches the process to a German locale (decimal comma), building it in a
// temporary folder when the system has none installed.
bool UseDecimalCommaLocale(const std::string& folder) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return true;
  std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(("mkdir -p '" + folder + "' && " + command).c_str()) != 0) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(ValueKinds, NumberTextUsesAPointWhateverTheLocale) {
  bool switched = UseDecimalCommaLocale(::testing::TempDir() + "rivo_locale");
  bool comma = switched && std::localeconv()->decimal_point[0] == ',';
  TParamFloat real;
  real.SetFloat(2.25L);
  std::string text = real.AsStr();
  TParamStr parsed;
  parsed.SetStr("2.25");
  long double back = parsed.AsFloat();
  TParamStr written;
  written.SetFloat(1e-7L);
  std::string small = written.AsStr();
  std::setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma could be made (package locales)";
  EXPECT_EQ(text, "2.25");
  EXPECT_EQ(back, 2.25L);
  EXPECT_EQ(small, "1E-7");
}

TEST(ValueKinds, FlagsAndTextReadAcrossKinds) {
  TParamFlag flag;
  flag.SetBool(true);
  EXPECT_EQ(flag.AsInt(), 1);
  EXPECT_EQ(flag.AsFloat(), 1.0L);
  EXPECT_EQ(flag.AsStr(), "TRUE");
  flag.SetBool(false);
  EXPECT_EQ(flag.AsStr(), "FALSE");

  struct Case {
    const char* text;
    int32_t integer;
    long double real;
    bool flag;
  } cases[] = {
      {"12", 12, 12, false},       {"-7", -7, -7, false},  {"$1F", 31, 0, false},
      {"3.75", 0, 3.75L, false},   {"abc", 0, 0, false},   {"", 0, 0, false},
      {"TRUE", 0, 0, true},        {"true", 0, 0, false},  {"True", 0, 0, false},
      {"99999999999", 0, 99999999999.0L, false},
  };
  for (const Case& c : cases) {
    TParamStr text;
    text.SetStr(c.text);
    EXPECT_EQ(text.AsInt(), c.integer) << c.text;
    EXPECT_EQ(text.AsFloat(), c.real) << c.text;
    EXPECT_EQ(text.AsBool(), c.flag) << c.text;
    // Writing the text into the other kinds converts the same way.
    TParamInt integer;
    integer.SetStr(c.text);
    EXPECT_EQ(integer.AsInt(), c.integer) << c.text;
    TParamFlag written;
    written.SetStr(c.text);
    EXPECT_EQ(written.AsBool(), c.flag) << c.text;
  }

  TParamInt integer;
  integer.SetInt(-42);
  EXPECT_EQ(integer.AsStr(), "-42");
  EXPECT_TRUE(integer.AsBool());
  EXPECT_EQ(integer.AsFloat(), -42.0L);
  TParamFloat real;
  real.SetFloat(0.25L);
  EXPECT_TRUE(real.AsBool());
}

TEST(ValueKinds, ANewValueIsAScalarOfZeroOrEmpty) {
  for (uint8_t kind = PT_INT; kind <= PT_STR; ++kind) {
    auto value = Make(kind);
    EXPECT_EQ(value->GetCount(), 1);
    EXPECT_EQ(value->DimCount(), 1);
    EXPECT_EQ(value->DimSize(0), 1);
    EXPECT_EQ(value->AsInt(), 0);
    EXPECT_FALSE(value->AsBool());
  }
  EXPECT_EQ(Make(PT_STR)->AsStr(), "");
}

TEST(ValueKinds, ArraysAreRowMajorAndAScalarWriteMakesAScalarAgain) {
  TParamInt a;
  int32_t sizes[] = {2, 3};
  a.SetDims(sizes);
  EXPECT_EQ(a.GetCount(), 6);
  EXPECT_EQ(a.DimCount(), 2);
  EXPECT_EQ(a.DimSize(0), 2);
  EXPECT_EQ(a.DimSize(1), 3);
  EXPECT_EQ(a.DimSize(2), 1);
  for (int32_t i = 0; i < 6; ++i) a.SetIntAt(i, 10 + i);
  EXPECT_EQ(a.GetStrAt(5), "15");

  // Growing keeps every element at its flat position.
  int32_t bigger[] = {3, 3};
  a.SetDims(bigger);
  EXPECT_EQ(a.GetCount(), 9);
  EXPECT_EQ(a.GetIntAt(5), 15);
  EXPECT_EQ(a.GetIntAt(8), 0);

  a.SetInt(7);
  EXPECT_EQ(a.GetCount(), 1);
  EXPECT_TRUE(a.DimSizes().empty());
  EXPECT_EQ(a.AsInt(), 7);
}

TEST(ValueKinds, ElementIndexesOutsideTheArrayRaise) {
  TParamStr s;
  int32_t sizes[] = {4};
  s.SetDims(sizes);
  for (int32_t bad : {-1, 4, 1000}) {
    EXPECT_THROW(s.GetStrAt(bad), RivoError);
    EXPECT_THROW(s.SetIntAt(bad, 1), RivoError);
  }
  try {
    s.GetIntAt(4);
  } catch (const RivoError& e) {
    EXPECT_STREQ(e.what(), "配列の添字が不正です");
  }
}

TEST(ValueKinds, BadOrHugeDimensionsRaiseTheArrayError) {
  struct Case {
    std::vector<int32_t> sizes;
    const char* message;
  } cases[] = {
      {{2, 0}, "配列の要素数[2,0]が不正です"},
      {{-1}, "配列の要素数[-1]が不正です"},
      // Products that overflow 32 bits or ask for gigabytes are refused.
      {{65536, 65536}, "配列の要素数[65536,65536]が不正です"},
      {{2147483647, 2147483647, 2}, "配列の要素数[2147483647,2147483647,2]が不正です"},
      {{5000, 5000}, "配列の要素数[5000,5000]が不正です"},
  };
  for (const Case& c : cases) {
    TParamFloat a;
    try {
      a.SetDims(c.sizes);
      ADD_FAILURE() << c.message;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(a.GetCount(), 1) << "unchanged";
  }
  TParamFloat fits;
  int32_t largest[] = {2048, 2048};
  fits.SetDims(largest);
  EXPECT_EQ(fits.GetCount(), 2048 * 2048);
}

TEST(ValueKinds, CopiesCheckTheClassOrConvert) {
  TParamInt integers;
  int32_t sizes[] = {3};
  integers.SetDims(sizes);
  integers.SetIntAt(2, 9);

  TParamStr text;
  try {
    text.AssignSame(integers);
    ADD_FAILURE();
  } catch (const RivoError& e) {
    EXPECT_STREQ(e.what(), "CopyMem:変数の型があいません");
  }
  TParamInt same;
  same.AssignSame(integers);
  EXPECT_EQ(same.GetCount(), 3);
  EXPECT_EQ(same.GetIntAt(2), 9);

  // A raw copy from another class converts instead of reinterpreting.
  text.AssignRaw(integers);
  EXPECT_EQ(text.DimSizes(), std::vector<int32_t>{3});
  EXPECT_EQ(text.GetStrAt(2), "9");

  TParamFloat real;
  real.SetFloat(2.5L);
  TParamInt converted;
  converted.CopyConverted(real);
  EXPECT_EQ(converted.AsInt(), 2);
}

TEST(ValueKinds, IndexOfStrMatchesExactlyOrPartially) {
  TParamStr s;
  int32_t sizes[] = {3};
  s.SetDims(sizes);
  s.SetStrAt(0, "Apple");
  s.SetStrAt(1, "banana");
  s.SetStrAt(2, "Cherry");
  EXPECT_EQ(s.IndexOfStr("banana", true, false), 1);
  EXPECT_EQ(s.IndexOfStr("BANANA", true, false), -1);
  EXPECT_EQ(s.IndexOfStr("BANANA", false, false), 1);
  EXPECT_EQ(s.IndexOfStr("err", true, true), 2);
  EXPECT_EQ(s.IndexOfStr("APP", true, true), -1);
  EXPECT_EQ(s.IndexOfStr("APP", false, true), 0);
  EXPECT_EQ(s.IndexOfStr("nothing", false, true), -1);
}

std::string Saved(const TCustomParam& value) {
  ByteWriter out;
  value.SaveToStream(out);
  return out.Take();
}

TEST(ValueKinds, EveryKindIsSavedAndLoadedBackIdentically) {
  TParamInt integers;
  int32_t sizes[] = {2, 2};
  integers.SetDims(sizes);
  integers.SetIntAt(3, -5);
  TParamFloat real;
  real.SetFloat(1.0L / 3);
  TParamFlag flag;
  flag.SetBool(true);
  TParamStr text;
  text.SetStr("\x83\x5C" "abc");
  for (const TCustomParam* value : std::initializer_list<const TCustomParam*>{&integers, &real, &flag, &text}) {
    std::string bytes = Saved(*value);
    auto loaded = Make(value->GetKind());
    ByteReader in(bytes, "save.dat");
    loaded->LoadFromStream(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Saved(*loaded), bytes);
    EXPECT_EQ(loaded->AsStr(), value->AsStr());
  }
  // Sizes, then count and elements.
  EXPECT_EQ(Saved(integers), std::string("\x02\0\0\0\x02\0\0\0\x02\0\0\0\x04\0\0\0"
                                         "\0\0\0\0\0\0\0\0\0\0\0\0\xFB\xFF\xFF\xFF",
                                         32));
}

TEST(ValueKinds, DamagedStoredValuesGiveLoadErrors) {
  auto bytes = [](std::initializer_list<int32_t> words) {
    ByteWriter out;
    for (int32_t w : words) out.I32(w);
    return out.Take();
  };
  std::string cases[] = {
      bytes({1, 3, 2, 7, 8}),             // sizes say 3 elements, the count 2
      bytes({0, 1000000}),                // more elements than bytes
      bytes({0, -1}),                     // negative count
      bytes({-1}),                        // negative number of sizes
      bytes({2, 65536, 65536, 0}),        // product beyond the cap
      bytes({1, -2, 0}),                  // negative size
      bytes({0, 1}),                      // the element itself is missing
  };
  for (const std::string& data : cases) {
    TParamInt value;
    value.SetInt(5);
    ByteReader in(data, "save.dat");
    EXPECT_THROW(value.LoadFromStream(in), LoadError);
    EXPECT_EQ(value.AsInt(), 5) << "a failed load changes nothing";
  }
}

}  // namespace
}  // namespace rivo

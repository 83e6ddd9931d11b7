#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {
namespace {

TEST(ByteIo, WritesAndReadsBackEveryKind) {
  ByteWriter w;
  w.U8(0xAB);
  w.I16(-2);
  w.I32(-123456);
  w.U32(0xDEADBEEF);
  w.I64(-5000000000LL);
  w.F64(0.25);
  w.Extended(-2.5L);
  w.String("\x83\x5C" "abc");
  w.String("");
  w.Bool(true);

  ByteReader r(w.data(), "test.bin");
  EXPECT_EQ(r.U8(), 0xAB);
  EXPECT_EQ(r.I16(), -2);
  EXPECT_EQ(r.I32(), -123456);
  EXPECT_EQ(r.U32(), 0xDEADBEEF);
  EXPECT_EQ(r.I64(), -5000000000LL);
  EXPECT_EQ(r.F64(), 0.25);
  EXPECT_EQ(r.Extended(), -2.5L);
  EXPECT_EQ(r.String(), "\x83\x5C" "abc");
  EXPECT_EQ(r.String(), "");
  EXPECT_TRUE(r.Bool());
  EXPECT_TRUE(r.AtEnd());
}

TEST(ByteIo, IntegersAreLittleEndian) {
  ByteWriter w;
  w.I32(0x01020304);
  EXPECT_EQ(w.data(), std::string("\x04\x03\x02\x01", 4));
  w.PatchI32(0, -1);
  EXPECT_EQ(w.data(), std::string("\xFF\xFF\xFF\xFF", 4));
}

TEST(ByteIo, DamagedDataGivesLoadErrorsNamingTheFile) {
  auto fails = [](std::string bytes, auto read) {
    ByteReader r(bytes, "broken.dat");
    try {
      read(r);
    } catch (const LoadError& e) {
      EXPECT_EQ(e.file_name(), "broken.dat");
      EXPECT_NE(std::string(e.what()).find("broken.dat"), std::string::npos);
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fails("\x01\x02", [](ByteReader& r) { r.I32(); }));
  EXPECT_TRUE(fails(std::string("\xFF\xFF\xFF\xFF", 4), [](ByteReader& r) { r.String(); }));
  EXPECT_TRUE(fails(std::string("\xFF\xFF\xFF\x7F" "abc", 7), [](ByteReader& r) { r.String(); }));
  EXPECT_TRUE(fails("abcd", [](ByteReader& r) { r.Count(5); }));
  EXPECT_TRUE(fails("abcd", [](ByteReader& r) { r.Count(3, 2); }));
  EXPECT_TRUE(fails("abcd", [](ByteReader& r) { r.Count(-1); }));
  EXPECT_TRUE(fails("abcd", [](ByteReader& r) { r.Seek(5); }));
  EXPECT_TRUE(fails("abcdefghi", [](ByteReader& r) { r.Extended(); }));
  EXPECT_FALSE(fails("abcd", [](ByteReader& r) { EXPECT_EQ(r.Count(2, 2), 2u); }));
  EXPECT_FALSE(fails("", [](ByteReader& r) { EXPECT_EQ(r.Count(1000000, 0), 1000000u); }));
}

}  // namespace
}  // namespace rivo

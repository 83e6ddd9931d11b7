#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "archive_fixtures.h"
#include "common/error.h"
#include "content/big_file_stream.h"
#include "content/big_memory_stream.h"
#include "content/buff_big_stream.h"
#include "content/memory_stream.h"
#include "content/range_stream.h"
#include "content/stream_routines.h"

namespace rivo {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string ReadAll(TQnBigStream& s, int64_t count) {
  std::string out(static_cast<std::size_t>(count), '\0');
  out.resize(static_cast<std::size_t>(s.Read(out.data(), count)));
  return out;
}

std::string ReadAll(TStream& s, int64_t count) {
  std::string out(static_cast<std::size_t>(count), '\0');
  out.resize(static_cast<std::size_t>(s.Read(out.data(), count)));
  return out;
}

TEST(BigFileStream, WritesAcrossPartsOfExactlyThePartSize) {
  TempDir dir;
  const auto path = dir / "game.dat";
  {
    TQnBigFileStream out(path, TQnBigFileStream::kWrite, 8);
    EXPECT_EQ(out.Write("0123456789abcdefXYZ", 19), 19);
  }
  EXPECT_EQ(ReadFile(path), "01234567");
  EXPECT_EQ(ReadFile(dir / "game.001"), "89abcdef");
  EXPECT_EQ(ReadFile(dir / "game.002"), "XYZ");

  TQnBigFileStream in(path, TQnBigFileStream::kRead, 8);
  EXPECT_EQ(in.GetSize(), 19);
  in.SetPosition(8);  // exactly one part size: the first byte of part 1
  EXPECT_EQ(ReadAll(in, 3), "89a");
  in.SetPosition(6);  // a read that spans two part boundaries
  EXPECT_EQ(ReadAll(in, 12), "6789abcdefXY");
  EXPECT_EQ(in.GetPosition(), 18);
  in.SetPosition(1000);  // beyond the end: held at the end
  EXPECT_EQ(in.GetPosition(), 19);
  EXPECT_EQ(ReadAll(in, 4), "");
}

TEST(BigFileStream, WriteModeRemovesOldPartsAndReadModeNeedsTheFile) {
  TempDir dir;
  WriteFile(dir / "a.dat", "old");
  WriteFile(dir / "a.001", "old part");
  { TQnBigFileStream out(dir / "a.dat", TQnBigFileStream::kWrite, 8); }
  EXPECT_FALSE(std::filesystem::exists(dir / "a.001"));
  EXPECT_THROW(TQnBigFileStream(dir / "missing.dat", TQnBigFileStream::kRead), RivoError);
}

TEST(BuffBigStream, GivesBackTheBytesItReadAhead) {
  TQnBigMemoryStream source(std::string("abcdefghij"));
  source.SetPosition(1);
  {
    TQnBuffBigStream reader(source, 4);
    char got[3];
    EXPECT_EQ(reader.Read(got, 3), 3);
    EXPECT_EQ(std::string(got, 3), "bcd");
    EXPECT_EQ(reader.Remaining(), 6);
  }
  EXPECT_EQ(source.GetPosition(), 4);
  EXPECT_EQ(ReadAll(source, 2), "ef");
}

TEST(RangeStream, SeeksAreClampedIntoTheWindow) {
  TRangeStream w(std::make_unique<TQnBigMemoryStream>(std::string("0123456789")), 2, 5);  // "23456"
  EXPECT_EQ(w.GetSize(), 5);
  EXPECT_EQ(ReadAll(w, 100), "23456");
  // Each case starts from position 1 of the window.
  struct Case {
    int64_t offset;
    SeekOrigin origin;
    int64_t expected;
  } cases[] = {
      {-3, SeekOrigin::kBeginning, 0},  // a negative offset lands on the first byte
      {2, SeekOrigin::kBeginning, 2},   {2, SeekOrigin::kCurrent, 3},   {-50, SeekOrigin::kCurrent, 0},
      {-2, SeekOrigin::kEnd, 3},        {10, SeekOrigin::kEnd, 5},      {9, SeekOrigin::kBeginning, 5},
  };
  for (const Case& c : cases) {
    w.Seek(1, SeekOrigin::kBeginning);
    EXPECT_EQ(w.Seek(c.offset, c.origin), c.expected) << c.offset;
  }
  w.Seek(3, SeekOrigin::kBeginning);
  EXPECT_EQ(ReadAll(w, 100), "56");
  EXPECT_EQ(w.Write("x", 1), 0);
}

TEST(RangeStream, WithoutLengthReachesTheEndAndALengthOfZeroIsEmpty) {
  TRangeStream to_end(std::make_unique<TQnBigMemoryStream>(std::string("0123456789")), 7, std::nullopt);
  EXPECT_EQ(ReadAll(to_end, 100), "789");
  TRangeStream empty(std::make_unique<TQnBigMemoryStream>(std::string("0123456789")), 3, 0);
  EXPECT_EQ(ReadAll(empty, 100), "");
  TRangeStream beyond(std::make_unique<TQnBigMemoryStream>(std::string("0123")), 9, 4);
  EXPECT_EQ(ReadAll(beyond, 100), "");
}

TEST(StreamRoutines, StringsAndIntegersRoundTripAndBadLengthsAreRefused) {
  TQnMemoryStream s;
  WriteString(s, "abc");
  WriteString(s, "");
  WriteInt32(s, -2);
  WriteByte(s, 7);
  s.SetPosition(0);
  EXPECT_EQ(ReadString(s), "abc");
  EXPECT_EQ(ReadString(s), "");
  EXPECT_EQ(ReadInt32(s), -2);
  EXPECT_EQ(ReadByte(s), 7);
  EXPECT_THROW(ReadByte(s), RivoError);

  for (int32_t bad : {-1, 1000}) {
    TQnMemoryStream b;
    WriteInt32(b, bad);
    b.SetPosition(0);
    EXPECT_THROW(ReadString(b), RivoError) << bad;
  }
}

TEST(StreamRoutines, CopyStreamOfZeroCopiesTheWholeSource) {
  TQnMemoryStream source(std::string("hello"));
  source.SetPosition(3);
  TQnMemoryStream dest;
  EXPECT_EQ(CopyStream(dest, source, 0), 5);
  EXPECT_EQ(dest.ToString(), "hello");
  source.SetPosition(1);
  TQnMemoryStream part;
  EXPECT_EQ(CopyStream(part, source, 2), 2);
  EXPECT_EQ(part.ToString(), "el");
}

TEST(MemoryStream, GrowingWhileKeepingAPrefixKeepsItAndThePosition) {
  struct Case {
    int64_t size, keep;
  };
  // Within the room already there and beyond it; keeping nothing, part,
  // and more than there is.
  for (const Case c : {Case{4, 2}, Case{1 << 20, 0}, Case{1 << 20, 3}, Case{1 << 20, 100}}) {
    TQnMemoryStream s(std::string("abcdef"));
    s.SetPosition(5);
    s.SetSizeKeeping(c.size, c.keep);
    EXPECT_EQ(s.GetSize(), c.size);
    EXPECT_EQ(s.GetPosition(), 5);
    const auto kept = static_cast<std::size_t>(std::min<int64_t>({c.keep, 6, c.size}));
    EXPECT_EQ(s.View().substr(0, kept), std::string("abcdef").substr(0, kept)) << c.size << " " << c.keep;
  }
}

}  // namespace
}  // namespace rivo

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "content/archive_scramble.h"
#include "content/archive_location.h"
#include "content/big_file_stream.h"
#include "content/big_memory_stream.h"
#include "content/memory_stream.h"
#include "content/vr_file_collection.h"
#include "content/zlib_codec.h"

namespace rivo {
namespace {

using testing::AppendArchive;
using testing::BuildArchive;
using testing::BuildPeWithResource;
using testing::FixtureEntry;
using testing::TempDir;
using testing::WriteFile;

const std::string kSo = "\x83\x5C";     // ソ: its trail byte is "\"
const std::string kHyou = "\x95\x5C";   // 表

std::string Content(TVrFileCollection& c, std::string_view name) {
  TQnMemoryStream out;
  c.ReadEntry(out, name);
  return out.ToString();
}

std::vector<FixtureEntry> SampleEntries() {
  return {{"bg\\room.orb", "ROOM"}, {kSo + "\\" + kHyou + ".txt", "double-byte"}, {"empty.txt", ""}, {"last.bin", "L"}};
}

class ArchiveVersions : public ::testing::TestWithParam<int> {};

TEST_P(ArchiveVersions, ListAndReadEveryEntry) {
  TempDir dir;
  WriteFile(dir / "game.dat", BuildArchive(GetParam(), SampleEntries()));
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  ASSERT_EQ(c.Count(), 5);  // four entries and the sentinel
  EXPECT_EQ(c.Version(), GetParam());
  for (const FixtureEntry& e : SampleEntries()) {
    EXPECT_EQ(Content(c, e.name), e.bytes) << e.name;
    EXPECT_EQ(c.Find(e.name)->Size, static_cast<int64_t>(e.bytes.size()));
  }
  EXPECT_EQ(Content(c, "BG\\ROOM.ORB"), "ROOM");
  // The sentinel stands at the end of the last entry.
  const TVrFile* sentinel = c.Find(TVrFileCollection::kSentinelName);
  ASSERT_NE(sentinel, nullptr);
  EXPECT_EQ(sentinel->Offset, c.Find("last.bin")->Offset + 1);
  EXPECT_EQ(c.IndexOf(TVrFileCollection::kSentinelName), 4);
}

TEST_P(ArchiveVersions, AnEmptyArchiveHoldsOnlyTheSentinel) {
  TempDir dir;
  WriteFile(dir / "game.dat", BuildArchive(GetParam(), {}));
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.IndexOf("\\EOF\\"), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, ArchiveVersions, ::testing::Values(0, 50, 99, 100, 101, 102));

TEST(ArchiveReader, WithoutMagicTheFirstTwoBytesBelongToTheCount) {
  // Version 0 has no magic: the entry count is read from byte 0.
  std::string bytes = BuildArchive(0, {{"a", "x"}});
  ASSERT_EQ(bytes.substr(0, 4), std::string("\x01\0\0\0", 4));
  TVrFileCollection c;
  TQnBigMemoryStream s(bytes);
  c.ReadDirectory(s);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Version(), 0);
}

TEST(ArchiveReader, OfTwoNamesThatDifferOnlyInCaseTheLaterIsFound) {
  TempDir dir;
  WriteFile(dir / "game.dat", BuildArchive(102, {{"Voice.txt", "first"}, {"VOICE.TXT", "second"}}));
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(Content(c, "voice.txt"), "second");
  EXPECT_EQ(c.IndexOf("voice.txt"), 1);
}

// Entries of an archive without flags: zlib streams as the format means
// them, and raw bytes some writers left, mixed in one archive.
struct FlaglessEntry {
  std::string name, content, bytes;
  bool reads_as_stored;
};

std::vector<FlaglessEntry> FlaglessEntries() {
  const std::string text = "compressed text, compressed text, compressed text";
  const std::string zlib = CompressFast(text);
  // "x" 0x01 and "x" 0x9C are zlib headers: raw bytes that begin like one but do not inflate.
  const std::string looks_like_zlib = "x\x9C not a deflate stream";
  return {
      {"zlib.txt", text, zlib, false},
      {"raw.txt", "raw bytes", "raw bytes", true},
      {"header-only.bin", looks_like_zlib, looks_like_zlib, true},
      // Cut short: the stream never ends, so the bytes are the content.
      {"cut.bin", zlib.substr(0, zlib.size() - 6), zlib.substr(0, zlib.size() - 6), true},
      {"one-byte.bin", "x", "x", true},
      {"empty-zlib.bin", "", CompressFast(""), false},
  };
}

TEST(ArchiveReader, ArchivesWithoutFlagsReadZlibEntriesAndFallBackToRawBytes) {
  for (int version : {0, 1, 99, 100}) {
    std::vector<FixtureEntry> fixture;
    for (const FlaglessEntry& e : FlaglessEntries()) fixture.push_back({e.name, e.bytes});
    TVrFileCollection c;
    c.OpenStream(std::make_unique<TQnBigMemoryStream>(BuildArchive(version, fixture)), "old.dat");
    for (const FlaglessEntry& e : FlaglessEntries()) {
      const TVrFile& entry = *c.Find(e.name);
      EXPECT_EQ(entry.Stored, 0) << version << " " << e.name;  // what the directory says
      EXPECT_EQ(c.ReadsAsStored(entry), e.reads_as_stored) << version << " " << e.name;
      EXPECT_EQ(Content(c, e.name), e.content) << version << " " << e.name;
      EXPECT_EQ(c.ReadStoredBytes(entry), e.bytes) << version << " " << e.name;
    }
  }
}

TEST(ArchiveReader, FlaggedArchivesStillRefuseDamagedZlibEntries) {
  std::string zlib = CompressFast("content that will be cut");
  TVrFileCollection c;
  c.OpenStream(std::make_unique<TQnBigMemoryStream>(BuildArchive(101, {{"cut", zlib.substr(0, 8), 0}})), "new.dat");
  EXPECT_FALSE(c.ReadsAsStored(*c.Find("cut")));
  EXPECT_THROW(Content(c, "cut"), LoadError);
}

TEST(ArchiveReader, WithoutFlagsABombIsRefusedAndAnEntryBeyondTheInflateLimitIsRaw) {
  std::string bomb = CompressFast(std::string(4 << 20, '\0'));
  std::string large = testing::Incompressible(64 << 10);
  TVrFileCollection c;
  c.OpenStream(std::make_unique<TQnBigMemoryStream>(BuildArchive(100, {{"bomb", bomb}, {"large", large}})),
               "bomb.dat");
  c.SetInflateLimit(32 << 10);
  TQnMemoryStream out;
  EXPECT_THROW(c.ReadArchiveEntry(out, *c.Find("bomb")), LoadError);
  // No zlib stream of more bytes than the limit can inflate within it: the entry is raw.
  EXPECT_TRUE(c.ReadsAsStored(*c.Find("large")));
  EXPECT_EQ(Content(c, "large"), large);
}

TEST(ZlibCodec, AHeaderIsDeflateWithASmallWindowAndAValidCheck) {
  struct Case {
    std::string bytes;
    bool header;
  } cases[] = {
      {"\x78\x01", true},  {"\x78\x9C", true},  {"\x78\xDA", true},  {"\x08\x1D", true},  // windows 32 KiB .. 256 B
      {"\x78\x02", false},                                                          // check fails
      {"\x88\x98", false},                                                          // window above 32 KiB (CINFO 8)
      {"\x79\x18", false},                                                          // method 9
      {"\x78", false},     {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsZlibHeader(c.bytes), c.header) << ::testing::PrintToString(c.bytes);
}

TEST(ArchiveReader, CompressedEntriesAreInflatedAndZeroSizeEntriesAreEmpty) {
  TempDir dir;
  WriteFile(dir / "game.dat", BuildArchive(102, {{"a.txt", CompressFast("inflated text"), 0},
                                                  {"zero.txt", "", 0},
                                                  {"b.txt", "stored", 1}}));
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(Content(c, "a.txt"), "inflated text");
  EXPECT_EQ(Content(c, "zero.txt"), "");
  EXPECT_EQ(Content(c, "b.txt"), "stored");
  auto window = c.OpenRange("zero.txt");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetSize(), 0);
  char byte;
  EXPECT_EQ(window->Read(&byte, 1), 0);
  auto stored = c.OpenRange("b.txt");
  std::string got(6, '\0');
  EXPECT_EQ(stored->Read(got.data(), 100), 6);
  EXPECT_EQ(got, "stored");
  EXPECT_EQ(c.OpenRange("missing"), nullptr);
  EXPECT_THROW(Content(c, "missing"), RivoError);
}

TEST(ArchiveReader, LooseFilesBesideTheArchiveArePreferredButNotTheArchiveItself) {
  TempDir dir;
  WriteFile(dir / "game.dat", BuildArchive(102, {{"a.txt", "archived"}, {"game.dat", "inner"}}));
  WriteFile(dir / "A.TXT", "loose");
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(Content(c, "a.txt"), "loose");
  EXPECT_EQ(Content(c, "game.dat"), "inner");
}

// Damaged archives: each is refused with an error naming the file, never
// read past its end, never a huge allocation.
struct Damage {
  const char* what;
  std::string bytes;
};

std::string WithI32At(std::string bytes, std::size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
  return bytes;
}

TEST(ArchiveReader, DamagedDirectoriesAreRefusedNamingTheArchive) {
  const std::string good = BuildArchive(99, {{"a", "xx"}, {"b", "yy"}});
  // Version 99: "vf", version, count at 6, then names "a" (4+1) and "b"
  // (4+1), then three int32 offsets at 20.
  const Damage cases[] = {
      {"huge count", WithI32At(good, 6, 0x7FFFFFFF)},
      {"negative count", WithI32At(good, 6, -5)},
      {"negative name length", WithI32At(good, 10, -1)},
      {"name longer than the file", WithI32At(good, 10, 1 << 30)},
      {"decreasing offsets", WithI32At(good, 24, 0)},
      {"negative offset", WithI32At(good, 20, -8)},
      {"end beyond the file", WithI32At(good, 28, 1 << 20)},
      {"truncated tables", good.substr(0, 20)},
      {"one byte", "v"},
  };
  TempDir dir;
  for (const Damage& d : cases) {
    WriteFile(dir / "bad.dat", d.bytes);
    TVrFileCollection c;
    try {
      c.Open(dir / "bad.dat");
      ADD_FAILURE() << d.what << ": accepted";
    } catch (const LoadError& e) {
      EXPECT_NE(std::string(e.what()).find("bad.dat"), std::string::npos) << d.what << ": " << e.what();
    }
    EXPECT_EQ(c.Count(), 0) << d.what;
    EXPECT_FALSE(c.HasArchive()) << d.what;
  }
}

TEST(ArchiveReader, EntriesThatCannotDeliverTheirBytesAreErrors) {
  TempDir dir;
  // The directory is sound; the entries are made to claim what the file cannot give.
  std::string whole = BuildArchive(102, {{"a", "1234"}, {"b", CompressFast(std::string(1000, 'z')), 0}});
  WriteFile(dir / "game.dat", whole);
  {
    TVrFileCollection c;
    c.Open(dir / "game.dat");
    TVrFile* b = c.Find("b");
    b->Size -= 3;  // a compressed stream cut short
    TQnMemoryStream out;
    EXPECT_THROW(c.ReadArchiveEntry(out, *b), LoadError);
    b->Stored = 1;
    b->Size += 10;  // more bytes than the archive holds
    EXPECT_THROW(c.ReadArchiveEntry(out, *b), LoadError);
  }
}

TEST(ArchiveReader, ADeflateBombStopsAtTheLimit) {
  std::string bomb = CompressFast(std::string(4 << 20, '\0'));
  TVrFileCollection c;
  c.OpenStream(std::make_unique<TQnBigMemoryStream>(BuildArchive(102, {{"bomb", bomb, 0}})), "bomb.dat");
  c.SetInflateLimit(1 << 20);
  TQnMemoryStream out;
  EXPECT_THROW(c.ReadArchiveEntry(out, *c.Find("bomb")), LoadError);
  EXPECT_LE(out.GetSize(), (1 << 20) + 1);
}

TEST(ArchiveReader, InflatingChecksTheSizeWhenItIsKnown) {
  std::string packed = CompressFast("12345");
  TQnMemoryStream out;
  InflateInto(out, packed, "x", kMaxInflatedSize, 5);
  EXPECT_EQ(out.ToString(), "12345");
  TQnMemoryStream wrong;
  EXPECT_THROW(InflateInto(wrong, packed, "x", kMaxInflatedSize, 6), LoadError);
  TQnMemoryStream garbage;
  EXPECT_THROW(InflateInto(garbage, "not zlib at all", "x"), LoadError);
}

TEST(ArchiveReader, InflatingTellsWholeStreamsFromDamagedAndOversizedOnes) {
  std::string content;
  for (int i = 0; i < 50000; ++i) content += std::to_string(i % 977) + (i % 13 ? "," : "\n");
  const std::string packed = CompressFast(content);
  const auto size = static_cast<int64_t>(content.size());
  std::string bad_check = packed;
  bad_check.back() ^= 1;
  std::string bad_block = packed;
  bad_block[packed.size() / 2] ^= 0x55;
  struct Case {
    const char* what;
    std::string bytes;
    int64_t limit;
    bool whole;
  };
  const Case cases[] = {
      {"the stream alone", packed, kMaxInflatedSize, true},
      {"bytes after the stream's end are ignored", packed + "trailing", kMaxInflatedSize, true},
      {"content exactly at the limit", packed, size, true},
      {"content one byte beyond the limit", packed, size - 1, false},
      {"the checksum cut off", packed.substr(0, packed.size() - 1), kMaxInflatedSize, false},
      {"the stream cut in half", packed.substr(0, packed.size() / 2), kMaxInflatedSize, false},
      {"a wrong checksum", bad_check, kMaxInflatedSize, false},
      {"a damaged block", bad_block, kMaxInflatedSize, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Appended after what the stream already holds.
    TQnMemoryStream out("head:");
    out.SetPosition(5);
    if (c.whole) {
      InflateInto(out, c.bytes, "x", c.limit);
      EXPECT_EQ(out.ToString(), "head:" + content);
      EXPECT_EQ(out.GetPosition(), 5 + size);
    } else {
      EXPECT_THROW(InflateInto(out, c.bytes, "x", c.limit), LoadError);
      EXPECT_LE(out.GetSize(), 5 + size + 1);
    }
    TQnMemoryStream maybe("head:");
    maybe.SetPosition(5);
    if (c.limit < size) {
      EXPECT_THROW(InflateIfZlib(maybe, c.bytes, "x", c.limit), LoadError);
      continue;
    }
    EXPECT_EQ(InflateIfZlib(maybe, c.bytes, "x", c.limit), c.whole);
    EXPECT_EQ(maybe.ToString(), c.whole ? "head:" + content : "head:");
  }
}

TEST(ArchiveReader, AContentLargerThanTheFirstRoomTriedIsInflatedWhole) {
  const std::string large(20 << 20, 'z');
  TQnMemoryStream out;
  InflateInto(out, CompressFast(large), "x");
  EXPECT_EQ(out.GetSize(), static_cast<int64_t>(large.size()));
  EXPECT_TRUE(out.View() == large);
}

TEST(ArchiveLocation, AnExecutableCarriesItsArchiveAfterTheProgram) {
  TempDir dir;
  std::string program(300, 'P');
  WriteFile(dir / "Game.EXE", AppendArchive(program, BuildArchive(102, {{"a.txt", "from exe"}})));
  EXPECT_TRUE(HasAppendedArchive(dir / "Game.EXE"));
  TVrFileCollection c;
  c.Open(dir / "Game.EXE");
  EXPECT_EQ(Content(c, "a.txt"), "from exe");
  EXPECT_GT(c.Find("a.txt")->Offset, 300);
  auto window = c.OpenRange("a.txt");
  std::string got(8, '\0');
  window->Read(got.data(), 8);
  EXPECT_EQ(got, "from exe");
}

TEST(ArchiveLocation, ATrailerPointingOutsideTheFileIsRefused) {
  TempDir dir;
  std::string exe = AppendArchive("PROGRAM", BuildArchive(102, {{"a", "x"}}));
  for (int32_t start : {-1, static_cast<int32_t>(exe.size() - 5), 1 << 30}) {
    WriteFile(dir / "g.exe", WithI32At(exe, exe.size() - 6, start));
    TVrFileCollection c;
    EXPECT_THROW(c.Open(dir / "g.exe"), LoadError) << start;
  }
  WriteFile(dir / "plain.exe", "MZ no archive here");
  EXPECT_FALSE(HasAppendedArchive(dir / "plain.exe"));
  TVrFileCollection c;
  EXPECT_THROW(c.Open(dir / "plain.exe"), LoadError);
}

TEST(ArchiveLocation, ASideFileHoldsTheDirectoryOfTheMainFile) {
  TempDir dir;
  // The side file is a whole archive whose offsets address the main file's
  // bytes: here the main file is the same archive.
  std::string archive = BuildArchive(101, {{"a.txt", "alpha"}, {"b.txt", "beta"}});
  WriteFile(dir / "game.dat", archive);
  WriteFile(dir / "game.ext", archive);
  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(Content(c, "b.txt"), "beta");
  // Offsets beyond the main file are refused even though the side file is long enough.
  WriteFile(dir / "game.dat", archive.substr(0, archive.size() - 2));
  TVrFileCollection d;
  EXPECT_THROW(d.Open(dir / "game.dat"), LoadError);
}

TEST(ArchiveLocation, AResourceOfAWindowsExecutableIsReadInPlace) {
  TempDir dir;
  std::string archive = BuildArchive(102, {{"a.txt", "from resource"}, {"b.wav", "WAVE", 1}});
  WriteFile(dir / "game.exe", BuildPeWithResource("BINTYPE", "DUMMY", archive + "vf"));
  TVrFileCollection c;
  c.OpenResource(dir / "game.exe", kArchiveResourceType, kArchiveResourceName);
  EXPECT_EQ(Content(c, "a.txt"), "from resource");
  EXPECT_TRUE(HasResourceArchive(dir / "game.exe"));
  auto window = c.OpenRange("b.wav");
  ASSERT_NE(window, nullptr);
  std::string got(4, '\0');
  EXPECT_EQ(window->Read(got.data(), 10), 4);
  EXPECT_EQ(got, "WAVE");

  // Names compare ignoring case; another resource name is not found.
  TVrFileCollection lower;
  lower.OpenResource(dir / "game.exe", "bintype", "dummy");
  EXPECT_EQ(lower.Count(), 3);
  TVrFileCollection other;
  EXPECT_THROW(other.OpenResource(dir / "game.exe", "BINTYPE", "OTHER"), RivoError);
  // A file that is no executable leaves the source empty, without an error.
  WriteFile(dir / "notes.exe", "just text");
  TVrFileCollection none;
  none.OpenResource(dir / "notes.exe", "BINTYPE", "DUMMY");
  EXPECT_FALSE(none.HasArchive());
}

TEST(ArchiveLocation, AnArchiveSplitIntoPartsReadsAcrossTheFirstBoundary) {
  // Part 0 is exactly 2^30 bytes (a sparse file); "x.bin" starts 4 bytes
  // before the boundary and ends in part 1, "game.001".
  TempDir dir;
  const int64_t kPart = TQnBigFileStream::kPartSize;
  ByteWriter w;
  w.Bytes("vf");
  w.I32(102);
  w.I32(2);
  std::vector<std::string> names = {"gap", "x.bin"};
  ScrambleNames(names);
  for (const auto& n : names) w.String(n);
  const int64_t tables = static_cast<int64_t>(w.Size()) + 3 * 8 + 2 * 10;
  std::vector<int64_t> offsets = {tables, kPart - 4, kPart + 6};
  ScrambleOffsets(offsets);
  for (int64_t o : offsets) w.I64(o);
  for (int i = 0; i < 2; ++i) w.U8(1);
  for (int i = 0; i < 4; ++i) w.I32(0);
  for (int i = 0; i < 2; ++i) w.U8(0);
  WriteFile(dir / "game.dat", w.Take());
  {
    TQnBigFileStream out(dir / "game.dat", TQnBigFileStream::kReadWrite);
    std::filesystem::resize_file(dir / "game.dat", static_cast<std::uintmax_t>(kPart - 4));
    out.SetPosition(kPart - 4);
    EXPECT_EQ(out.Write("ABCDEFGHIJ", 10), 10);
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "game.dat"), static_cast<std::uintmax_t>(kPart));
  EXPECT_EQ(testing::ReadFile(dir / "game.001"), "EFGHIJ");

  TVrFileCollection c;
  c.Open(dir / "game.dat");
  EXPECT_EQ(c.Find("x.bin")->Offset, kPart - 4);
  EXPECT_EQ(Content(c, "x.bin"), "ABCDEFGHIJ");
  TQnBigFileStream in(dir / "game.dat", TQnBigFileStream::kRead);
  in.SetPosition(kPart);
  char first;
  EXPECT_EQ(in.Read(&first, 1), 1);
  EXPECT_EQ(first, 'E');
}

}  // namespace
}  // namespace rivo

#include <gtest/gtest.h>

#include <string>

#include "archive_fixtures.h"
#include "content/big_file_stream.h"
#include "content/big_memory_stream.h"
#include "content/memory_stream.h"
#include "content/uncompressed_orba.h"
#include "content/vr_file_collection.h"
#include "content/zlib_codec.h"

namespace rivo {
namespace {

using testing::Incompressible;
using testing::TempDir;
using testing::WriteFile;

constexpr int64_t k5MiB = 5242880;

std::string Content(TVrFileCollection& c, std::string_view name) {
  TQnMemoryStream out;
  c.ReadEntry(out, name);
  return out.ToString();
}

// Writes c to memory and opens the result.
TVrFileCollection Reopen(TVrFileCollection& c) {
  auto out = std::make_unique<TQnBigMemoryStream>();
  EXPECT_TRUE(c.WriteArchive(*out));
  TVrFileCollection read;
  read.OpenStream(std::move(out), "written.dat");
  return read;
}

void SetMemory(TVrFileCollection& c, const std::string& name, const std::string& bytes, uint8_t crc_of_raw = 0) {
  TVrFile& e = c.AddMemoryEntry(name);
  e.Data->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  e.CrcOfRaw = crc_of_raw;
}

TEST(ArchiveWriter, MemoryEntriesOfFiveMebibytesAreStoredAndSmallerOnesCompressed) {
  TVrFileCollection c;
  SetMemory(c, "big.bin", std::string(k5MiB, 'b'));
  SetMemory(c, "small.bin", std::string(k5MiB - 1, 's'));
  SetMemory(c, "raw.txt", "checked over the content", 1);
  SetMemory(c, "packed.txt", "checked over the stored bytes", 0);
  TVrFileCollection r = Reopen(c);
  ASSERT_EQ(r.Version(), 102);
  const TVrFile& big = *r.Find("big.bin");
  const TVrFile& small = *r.Find("small.bin");
  EXPECT_EQ(big.Stored, 1);
  EXPECT_EQ(big.Size, k5MiB);
  EXPECT_EQ(small.Stored, 0);
  EXPECT_LT(small.Size, 100000);
  EXPECT_EQ(Content(r, "small.bin"), std::string(k5MiB - 1, 's'));

  EXPECT_EQ(r.Find("raw.txt")->Crc, Crc32("checked over the content"));
  EXPECT_EQ(r.Find("raw.txt")->CrcOfRaw, 1);
  EXPECT_EQ(r.Find("packed.txt")->Crc, Crc32(CompressFast("checked over the stored bytes")));
}

TEST(ArchiveWriter, LooseFilesFollowTheCompressionRules) {
  TempDir dir;
  std::string text(20000, 't');
  std::string noise = Incompressible(20000);
  std::string orb_raw = std::string("Orba106") + std::string("\x28\0\0\0", 4) + std::string(22, '\0') + '\x01' +
                        std::string(2000, 'o');
  std::string orb_own = orb_raw;
  orb_own[33] = 0;  // compressed by its own codec
  WriteFile(dir / "text.txt", text);
  WriteFile(dir / "noise.bin", noise);  // zlib output above 90 % of the size
  WriteFile(dir / "music.ogg", text);   // media: never compressed
  WriteFile(dir / "Voice.WAV", text);
  WriteFile(dir / "raw.orb", orb_raw);
  WriteFile(dir / "own.orb", orb_own);
  WriteFile(dir / "noext", text);
  WriteFile(dir / "big.txt", std::string(k5MiB, 'x'));

  TVrFileCollection c;
  c.Open(dir.path());
  for (const char* name : {"text.txt", "noise.bin", "music.ogg", "Voice.WAV", "raw.orb", "own.orb", "noext", "big.txt"})
    c.AddEntry(name);
  TVrFileCollection r = Reopen(c);

  struct Expect {
    const char* name;
    uint8_t stored;
  } expected[] = {{"text.txt", 0}, {"noise.bin", 1}, {"music.ogg", 1}, {"Voice.WAV", 1},
                  {"raw.orb", 0},  {"own.orb", 1},   {"noext", 0},     {"big.txt", 1}};
  for (const Expect& e : expected) {
    const TVrFile* entry = r.Find(e.name);
    ASSERT_NE(entry, nullptr) << e.name;
    EXPECT_EQ(entry->Stored, e.stored) << e.name;
    EXPECT_NE(entry->FileTime, 0) << e.name;
  }
  EXPECT_EQ(Content(r, "noise.bin"), noise);
  EXPECT_EQ(Content(r, "raw.orb"), orb_raw);
  EXPECT_EQ(r.Find("noise.bin")->Crc, Crc32(noise));
  EXPECT_EQ(r.Find("text.txt")->Crc, Crc32(CompressFast(text)));
}

TEST(ArchiveWriter, TheUncompressedLayeredImageTestReadsTheHeader) {
  std::string head = std::string("Orba103") + std::string(4, '\0') + std::string(22, '\0') + '\x01';
  EXPECT_TRUE(IsUncompressedOrbaFile(head));
  std::string old = head;
  old[6] = '2';  // version 102 has no compression field
  EXPECT_FALSE(IsUncompressedOrbaFile(old));
  EXPECT_FALSE(IsUncompressedOrbaFile(head.substr(0, 20)));
  EXPECT_FALSE(IsUncompressedOrbaFile("OrbaXYZ" + head.substr(7)));
}

TEST(ArchiveWriter, RewritingAnArchiveKeepsContentNamesAndSoundChecksums) {
  TempDir dir;
  TVrFileCollection first;
  SetMemory(first, "a.txt", "alpha", 1);
  SetMemory(first, "b.txt", "beta", 0);
  SetMemory(first, "", "");
  {
    TQnBigFileStream out(dir / "one.dat", TQnBigFileStream::kWrite);
    first.WriteArchive(out);
  }
  TVrFileCollection second;
  second.Open(dir / "one.dat");
  ASSERT_EQ(second.Count(), 4);  // three entries and the sentinel, which is never written
  TVrFileCollection third = Reopen(second);
  ASSERT_EQ(third.Count(), 4);
  EXPECT_EQ(Content(third, "a.txt"), "alpha");
  EXPECT_EQ(Content(third, "b.txt"), "beta");
  EXPECT_EQ(third.Find("a.txt")->Crc, Crc32("alpha"));
  EXPECT_EQ(third.Find("b.txt")->Crc, Crc32(CompressFast("beta")));
  EXPECT_EQ(third.IndexOf(""), 2);
}

}  // namespace
}  // namespace rivo

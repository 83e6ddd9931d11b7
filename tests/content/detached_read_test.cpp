// An archive entry read apart from its collection (the look-ahead loader
// reads so, outside the file manager's lock): the same content and the same
// errors as the collection's own read, whatever the collection does meanwhile.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "common/error.h"
#include "content/archive_location.h"
#include "content/big_memory_stream.h"
#include "content/memory_stream.h"
#include "content/vr_file_collection.h"
#include "content/zlib_codec.h"

namespace rivo {
namespace {

using testing::AppendArchive;
using testing::BuildArchive;
using testing::BuildPeWithResource;
using testing::TempDir;
using testing::WriteFile;

std::string Patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7) ^ (i >> 9));
  return bytes;
}

std::string ReadOwn(TVrFileCollection& c, const TVrFile& entry) {
  TQnMemoryStream out;
  c.ReadArchiveEntry(out, entry);
  return out.ToString();
}

std::string ReadApart(const TVrFileCollection::DetachedEntry& entry) {
  TQnMemoryStream out;
  TVrFileCollection::ReadDetached(out, entry);
  return out.ToString();
}

// The message a read raises, or "" when it raises nothing.
std::string Raised(const std::function<void()>& read) {
  try {
    read();
  } catch (const LoadError& e) {
    return e.what();
  }
  return {};
}

TEST(DetachedRead, GivesWhatTheCollectionReadsForEveryKindOfArchiveAndEntryEvenOnceItIsClosed) {
  TempDir dir;
  const std::string text = Patterned(70000);
  const std::string packed = CompressFast(text);
  const std::vector<testing::FixtureEntry> flagged = {
      {"packed.bin", packed, 0}, {"stored.bin", text, 1}, {"empty.bin", "", 1}};
  const std::vector<testing::FixtureEntry> flagless = {{"packed.bin", packed}, {"raw.bin", "not a zlib stream"}};
  WriteFile(dir / "game.dat", BuildArchive(102, flagged));
  WriteFile(dir / "old.dat", BuildArchive(100, flagless));
  WriteFile(dir / "game.exe", AppendArchive(std::string(300, 'P'), BuildArchive(102, flagged)));
  WriteFile(dir / "res.exe", BuildPeWithResource("BINTYPE", "DUMMY", BuildArchive(102, flagged) + "vf"));
  struct Case {
    const char* what;
    std::function<void(TVrFileCollection&)> open;
    std::vector<std::string> names;
  } cases[] = {
      {"archive", [&](TVrFileCollection& c) { c.Open(dir / "game.dat"); }, {"packed.bin", "stored.bin", "empty.bin"}},
      {"archive without flags", [&](TVrFileCollection& c) { c.Open(dir / "old.dat"); }, {"packed.bin", "raw.bin"}},
      {"appended to an executable", [&](TVrFileCollection& c) { c.Open(dir / "game.exe"); },
       {"packed.bin", "stored.bin", "empty.bin"}},
      {"in a resource",
       [&](TVrFileCollection& c) { c.OpenResource(dir / "res.exe", kArchiveResourceType, kArchiveResourceName); },
       {"packed.bin", "stored.bin", "empty.bin"}},
  };
  for (const Case& test : cases) {
    auto c = std::make_unique<TVrFileCollection>();
    test.open(*c);
    std::vector<std::pair<std::string, TVrFileCollection::DetachedEntry>> detached;
    for (const std::string& name : test.names) {
      const TVrFile* entry = c->Find(name);
      ASSERT_NE(entry, nullptr) << test.what << " " << name;
      std::optional<TVrFileCollection::DetachedEntry> apart = c->Detach(*entry);
      ASSERT_TRUE(apart) << test.what << " " << name;
      const std::string own = ReadOwn(*c, *entry);
      EXPECT_EQ(ReadApart(*apart), own) << test.what << " " << name;
      detached.emplace_back(own, std::move(*apart));
    }
    EXPECT_EQ(detached.front().first, text) << test.what;
    c.reset();
    for (const auto& [own, apart] : detached) EXPECT_EQ(ReadApart(apart), own) << test.what << " once closed";
  }
}

TEST(DetachedRead, RaisesWhatTheCollectionRaisesForADamagedEntry) {
  TempDir dir;
  const std::string packed = CompressFast(Patterned(5000));
  WriteFile(dir / "game.dat", BuildArchive(102, {{"packed.bin", packed, 0}, {"stored.bin", "STORED", 1}}));
  struct Case {
    const char* what;
    const char* name;
    std::function<void(TVrFileCollection&, TVrFile&)> damage;
  } cases[] = {
      {"stored, longer than the archive", "stored.bin", [](TVrFileCollection&, TVrFile& e) { e.Size += 1 << 20; }},
      {"stored, beyond the end", "stored.bin", [](TVrFileCollection&, TVrFile& e) { e.Offset += 1 << 20; }},
      {"packed, beyond the end", "packed.bin", [](TVrFileCollection&, TVrFile& e) { e.Offset += 1 << 20; }},
      {"packed, cut short", "packed.bin", [](TVrFileCollection&, TVrFile& e) { e.Size -= 10; }},
      {"packed, larger than the limit", "packed.bin",
       [](TVrFileCollection& c, TVrFile&) { c.SetInflateLimit(100); }},
      {"packed, inflating beyond the limit", "packed.bin",
       [&](TVrFileCollection& c, TVrFile&) { c.SetInflateLimit(static_cast<int64_t>(packed.size()) + 10); }},
  };
  for (const Case& test : cases) {
    TVrFileCollection c;
    c.Open(dir / "game.dat");
    TVrFile& entry = *c.Find(test.name);
    test.damage(c, entry);
    std::optional<TVrFileCollection::DetachedEntry> apart = c.Detach(entry);
    ASSERT_TRUE(apart) << test.what;
    const std::string own = Raised([&] { ReadOwn(c, entry); });
    EXPECT_NE(own, "") << test.what;
    EXPECT_EQ(Raised([&] { ReadApart(*apart); }), own) << test.what;
  }
}

TEST(DetachedRead, MemoryEntriesAndArchivesHeldInMemoryHaveNoDetachedRead) {
  TVrFileCollection memory;
  memory.OpenStream(std::make_unique<TQnBigMemoryStream>(BuildArchive(102, {{"a.bin", "A", 1}})), "save.dat");
  EXPECT_FALSE(memory.Detach(*memory.Find("a.bin")));
  TVrFileCollection folder;
  folder.Open({});
  EXPECT_FALSE(folder.Detach(folder.AddMemoryEntry("mem:shot.orb")));
}

}  // namespace
}  // namespace rivo

// Where a file's content lies, as the look-ahead loader checks it: a token
// that stays while the content stays and changes when the game could have
// changed it, and reads from other threads that never touch the player's
// memory entries.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <thread>

#include "archive_fixtures.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "content/zlib_codec.h"

namespace rivo {
namespace {

using testing::BuildArchive;
using testing::TempDir;
using testing::WriteFile;

struct Game {
  TempDir dir;
  std::filesystem::path game = dir / "game";
  TVrFileManager manager{dir / "temp", dir / "mounts"};

  Game() {
    WriteFile(game / "game.dat", BuildArchive(102, {{"packed.orb", "archived"}, {"both.orb", "archived"}}));
    WriteFile(game / "both.orb", "loose");
    WriteFile(dir / "mounts", "");
    std::filesystem::create_directories(dir / "temp");
    manager.MountArchive({});
    manager.SetBaseFolder(game);
    manager.MountArchive(game / "game.dat");
  }
};

TEST(FileOrigin, ReadsGiveWhatLoadingGivesWithAnOriginThatStaysWhileTheFileDoes) {
  Game g;
  for (const char* name : {"packed.orb", "PACKED.ORB", "both.orb"}) {
    std::optional<TVrFileManager::FileWithOrigin> read = g.manager.ReadWithOrigin(name);
    ASSERT_TRUE(read) << name;
    TQnMemoryStream loaded;
    g.manager.LoadToStream(loaded, name);
    EXPECT_EQ(read->bytes, loaded.ToString()) << name;
    EXPECT_EQ(g.manager.Origin(name), read->origin) << name;
  }
  EXPECT_NE(g.manager.Origin("packed.orb"), g.manager.Origin("both.orb"));
  EXPECT_FALSE(g.manager.Origin("missing.orb"));
  EXPECT_FALSE(g.manager.Origin(""));
  EXPECT_FALSE(g.manager.ReadWithOrigin("missing.orb"));
}

TEST(FileOrigin, ChangesWhereTheGameCouldHaveChangedTheContent) {
  Game g;
  const std::optional<std::string> packed = g.manager.Origin("packed.orb");
  const std::optional<std::string> loose = g.manager.Origin("both.orb");
  // A loose file written anew, even with the same size.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  WriteFile(g.game / "both.orb", "LOOSE");
  EXPECT_NE(g.manager.Origin("both.orb"), loose);
  // A loose file that now hides the archived one.
  WriteFile(g.game / "packed.orb", "hiding");
  EXPECT_NE(g.manager.Origin("packed.orb"), packed);
  std::filesystem::remove(g.game / "packed.orb");
  EXPECT_EQ(g.manager.Origin("packed.orb"), packed);
  // Another archive mounted: the same place may now hold something else.
  WriteFile(g.dir / "other" / "extra.dat", BuildArchive(102, {{"extra.orb", "more"}}));
  ASSERT_GE(g.manager.MountArchive(g.dir / "other" / "extra.dat"), 0);
  EXPECT_NE(g.manager.Origin("packed.orb"), packed);
}

TEST(FileOrigin, MemoryEntriesHaveNoneAndReadsFromOtherThreadsPassThemOver) {
  Game g;
  g.manager.Source(0).AddMemoryEntry("mem:shot.orb").Data->WriteBuffer("pixels", 6);
  EXPECT_FALSE(g.manager.Origin("mem:shot.orb"));
  EXPECT_FALSE(g.manager.ReadWithOrigin("mem:shot.orb"));
  // A memory entry hiding an archived file: the read finds the archive's,
  // whose origin no longer matches the name's.
  g.manager.Source(0).AddMemoryEntry("packed.orb").Data->WriteBuffer("memory", 6);
  std::optional<TVrFileManager::FileWithOrigin> read = g.manager.ReadWithOrigin("packed.orb");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->bytes, "archived");
  EXPECT_FALSE(g.manager.Origin("packed.orb"));
}

TEST(FileOrigin, AnotherThreadReadsWhileThePlayerThreadReads) {
  Game g;
  std::thread reader([&] {
    for (int i = 0; i < 200; ++i) {
      std::optional<TVrFileManager::FileWithOrigin> read = g.manager.ReadWithOrigin("packed.orb");
      ASSERT_TRUE(read);
      EXPECT_EQ(read->bytes, "archived");
    }
  });
  for (int i = 0; i < 200; ++i) {
    TQnMemoryStream loaded;
    g.manager.LoadToStream(loaded, "both.orb");
    EXPECT_EQ(loaded.ToString(), "loose");
    EXPECT_TRUE(g.manager.Exists("packed.orb"));
  }
  reader.join();
}

// The player mounts and unmounts while another thread reads: a read never
// finds a source freed under it, and equal origins still mean equal contents.
TEST(FileOrigin, ReadsGoOnWhileThePlayerMountsAndUnmounts) {
  Game g;
  WriteFile(g.dir / "other" / "other.dat", BuildArchive(102, {{"packed.orb", "other"}}));
  std::atomic<bool> done{false};
  std::map<std::string, std::set<std::string>> seen;  // origin -> contents read
  std::thread reader([&] {
    while (!done) {
      if (std::optional<TVrFileManager::FileWithOrigin> read = g.manager.ReadWithOrigin("packed.orb"))
        seen[read->origin].insert(read->bytes);
    }
  });
  // Source 1 is unmounted and mounted again behind the other: the name's
  // first archive alternates.
  std::vector<std::filesystem::path> order{g.game / "game.dat", g.dir / "other" / "other.dat"};
  ASSERT_EQ(g.manager.MountArchive(order[1]), 2);
  for (int i = 0; i < 100; ++i) {
    g.manager.Unmount(1);
    ASSERT_EQ(g.manager.MountArchive(order[static_cast<std::size_t>(i % 2)]), 2);
  }
  done = true;
  reader.join();
  for (const auto& [origin, contents] : seen) EXPECT_EQ(contents.size(), 1u) << origin;
}

// Entries large enough that reads overlap: two threads read the same entry
// and different ones while the player thread reads, looks up and checks
// origins; every read gives what a lone read gives.
TEST(FileOrigin, ThreadsReadingAtOnceGetWhatALoneReadGets) {
  TempDir dir;
  TVrFileManager manager{dir / "temp", dir / "mounts"};
  std::vector<testing::FixtureEntry> entries;
  for (int i = 0; i < 6; ++i) {
    std::string bytes(200000 + 1000 * i, '\0');
    for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>((k * (i + 3)) ^ (k >> 8));
    const bool stored = i % 2;
    entries.push_back({"e" + std::to_string(i) + ".bin", stored ? bytes : CompressFast(bytes), stored});
  }
  WriteFile(dir / "game" / "game.dat", BuildArchive(102, entries));
  WriteFile(dir / "game" / "loose.bin", std::string(100000, 'L'));
  WriteFile(dir / "mounts", "");
  std::filesystem::create_directories(dir / "temp");
  manager.MountArchive({});
  manager.SetBaseFolder(dir / "game");
  manager.MountArchive(dir / "game" / "game.dat");

  std::vector<std::string> names{"loose.bin"};
  for (const auto& entry : entries) names.push_back(entry.name);
  std::map<std::string, TVrFileManager::FileWithOrigin> lone;
  for (const std::string& name : names) lone[name] = *manager.ReadWithOrigin(name);

  constexpr int kRounds = 20;
  const auto reader = [&](std::size_t first, std::size_t step) {
    for (int round = 0; round < kRounds; ++round) {
      const std::string& name = names[(first + step * round) % names.size()];
      std::optional<TVrFileManager::FileWithOrigin> read = manager.ReadWithOrigin(name);
      ASSERT_TRUE(read) << name;
      EXPECT_EQ(read->bytes, lone[name].bytes) << name;
      EXPECT_EQ(read->origin, lone[name].origin) << name;
    }
  };
  std::thread same_a(reader, 1, 0), same_b(reader, 1, 0), different(reader, 2, 1);
  for (int round = 0; round < kRounds; ++round) {
    const std::string& name = names[static_cast<std::size_t>(round) % names.size()];
    TQnMemoryStream loaded;
    manager.LoadToStream(loaded, name);
    EXPECT_EQ(loaded.ToString(), lone[name].bytes) << name;
    EXPECT_EQ(manager.Origin(name), lone[name].origin) << name;
    EXPECT_TRUE(manager.Exists(name));
  }
  same_a.join();
  same_b.join();
  different.join();
}

}  // namespace
}  // namespace rivo

// Where a file's content lies, as the look-ahead loader checks it: a token
// that stays while the content stays and changes when the game could have
// changed it, and reads from another thread that never touch the player's
// memory entries.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "archive_fixtures.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"

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

}  // namespace
}  // namespace rivo

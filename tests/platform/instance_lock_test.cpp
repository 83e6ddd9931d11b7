// One player per game folder.

#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include "platform/private_temp_folder.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(temp_.Path() / "game");
    fs::create_directories(temp_.Path() / "other");
    fs::create_directories(temp_.Path() / "locks");
  }
  fs::path Locks() const { return temp_.Path() / "locks"; }
  PrivateTempFolder temp_;
};

TEST_F(InstanceLockTest, ASecondLockOnTheSameFolderIsRefusedUntilTheFirstIsReleased) {
  auto first = InstanceLock::TryAcquire(temp_.Path() / "game", Locks());
  ASSERT_TRUE(first);
  EXPECT_FALSE(InstanceLock::TryAcquire(temp_.Path() / "game", Locks()));
  first.reset();
  EXPECT_TRUE(InstanceLock::TryAcquire(temp_.Path() / "game", Locks()));
}

TEST_F(InstanceLockTest, OtherSpellingsOfTheSameFolderAreTheSameGame) {
  fs::create_directory_symlink(temp_.Path() / "game", temp_.Path() / "link");
  auto first = InstanceLock::TryAcquire(temp_.Path() / "game", Locks());
  ASSERT_TRUE(first);
  EXPECT_FALSE(InstanceLock::TryAcquire(temp_.Path() / "link", Locks()));
  EXPECT_FALSE(InstanceLock::TryAcquire(temp_.Path() / "other" / ".." / "game", Locks()));
}

TEST_F(InstanceLockTest, DifferentFoldersPlayAtTheSameTime) {
  auto first = InstanceLock::TryAcquire(temp_.Path() / "game", Locks());
  auto second = InstanceLock::TryAcquire(temp_.Path() / "other", Locks());
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_NE(InstanceLock::LockFileFor(temp_.Path() / "game", Locks()),
            InstanceLock::LockFileFor(temp_.Path() / "other", Locks()));
}

TEST_F(InstanceLockTest, ALinkPlantedUnderTheLockFileNameIsNotFollowed) {
  fs::path target = temp_.Path() / "victim";
  fs::create_symlink(target, InstanceLock::LockFileFor(temp_.Path() / "game", Locks()));
  EXPECT_ANY_THROW(InstanceLock::TryAcquire(temp_.Path() / "game", Locks()));
  EXPECT_FALSE(fs::exists(target));
}

TEST(InstanceLockFolder, IsTheRuntimeFolderWhenSetElseTheTemporaryFolder) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  std::string saved_value = saved ? saved : "";
  PrivateTempFolder runtime;
  setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  EXPECT_EQ(InstanceLock::DefaultLockFolder(), runtime.Path());
  setenv("XDG_RUNTIME_DIR", (runtime.Path() / "missing").c_str(), 1);
  EXPECT_EQ(InstanceLock::DefaultLockFolder(), fs::temp_directory_path());
  if (saved) setenv("XDG_RUNTIME_DIR", saved_value.c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace rivo

// A player killed at any moment while it writes "save.dat" leaves the old
// file or the new one, every entry readable: a child process rewrites the
// file in a loop and is killed at random moments, 200 times.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "scenario/save_file.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

TEST(SaveFileKill, AKillAtAnyMomentLeavesTheOldOrTheNewFile) {
  const fs::path folder = fs::temp_directory_path() / ("save_file_kill_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path path = folder / "save.dat";
  // Two versions of every entry, large enough that writing takes a while.
  const std::string versions[2] = {std::string(40000, 'a'), std::string(30000, 'b')};
  {
    SaveFile file(path);
    file.Put("GAMESAVEDATA1", versions[0]);
    file.Put("STATUSSAVEDATA", versions[0]);
  }
  std::mt19937 random(12345);
  for (int round = 0; round < 200; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SaveFile file(path);
      for (int i = 0;; ++i) {
        file.Put("GAMESAVEDATA1", versions[i % 2]);
        file.Put("STATUSSAVEDATA", versions[i % 2]);
      }
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    SaveFile file(path);
    ASSERT_EQ(file.Open(), SaveFile::State::kReadable) << "round " << round;
    for (const char* name : {"GAMESAVEDATA1", "STATUSSAVEDATA"}) {
      std::optional<std::string> entry = file.Entry(name);
      ASSERT_TRUE(entry) << name << " lost in round " << round;
      EXPECT_TRUE(*entry == versions[0] || *entry == versions[1]) << name << " mixed in round " << round;
    }
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace rivo

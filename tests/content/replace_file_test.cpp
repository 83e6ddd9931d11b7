// Replacing a file whole: the new bytes arrive, nothing is left beside the
// file, and a write that cannot happen changes nothing.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

#include "common/error.h"
#include "content/file_stream.h"
#include "content/replace_file.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path path = fs::temp_directory_path() / ("replace_file_test." + std::to_string(::getpid()));
  Folder() { fs::create_directories(path); }
  ~Folder() { fs::remove_all(path); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename().string());
    return names;
  }
};

TEST(ReplaceFile, CreatesThenReplacesLeavingNoTemporaryOrBackupBehind) {
  Folder folder;
  fs::path file = folder.path / "save.dat";
  ReplaceFile(file, "first");
  EXPECT_EQ(ReadWholeFile(file), "first");
  ReplaceFile(file, std::string(100000, 'x'));
  EXPECT_EQ(ReadWholeFile(file), std::string(100000, 'x'));
  ReplaceFile(file, "");
  EXPECT_EQ(ReadWholeFile(file), "");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save.dat"});
}

TEST(ReplaceFile, AStaleBackupOfAnEarlierCrashIsReplacedAndRemoved) {
  Folder folder;
  fs::path file = folder.path / "save.dat";
  std::ofstream(folder.path / "save.dat.bak") << "stale";
  ReplaceFile(file, "old");
  ReplaceFile(file, "new");
  EXPECT_EQ(ReadWholeFile(file), "new");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save.dat"});
}

TEST(ReplaceFile, AFileThatCannotBeWrittenThrowsAndChangesNothing) {
  Folder folder;
  // The target is a folder: the rename fails after the temporary was written.
  fs::create_directories(folder.path / "save.dat" / "inner");
  EXPECT_THROW(ReplaceFile(folder.path / "save.dat", "new"), RivoError);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save.dat"});
  // A folder that does not exist: no temporary can be made.
  EXPECT_THROW(ReplaceFile(folder.path / "absent" / "save.dat", "new"), RivoError);
}

}  // namespace
}  // namespace rivo

// The per-process temporary folder.

#include "platform/private_temp_folder.h"

#include <sys/stat.h>

#include <fstream>

#include <gtest/gtest.h>

namespace rivo {
namespace {

namespace fs = std::filesystem;

TEST(PrivateTempFolder, IsPrivateFreshAndGoneWithEverythingInItAtTheEnd) {
  fs::path path;
  {
    PrivateTempFolder a;
    PrivateTempFolder b;
    path = a.Path();
    EXPECT_NE(a.Path(), b.Path());
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    fs::create_directories(path / "sub");
    std::ofstream(path / "sub" / "~rv00000001.wav") << "x";
  }
  EXPECT_FALSE(fs::exists(path));
}

TEST(PrivateTempFolder, ReportsABaseItCannotWriteInto) {
  EXPECT_ANY_THROW(PrivateTempFolder(fs::path("/nonexistent-rivoplay-base")));
}

}  // namespace
}  // namespace rivo

#include <gtest/gtest.h>

#include "archive_fixtures.h"
#include "content/content_path_resolver.h"

namespace rivo {
namespace {

using testing::TempDir;
using testing::WriteFile;

const std::string kSo = "\x83\x5C";  // ソ, whose trail byte is "\"

TEST(ContentPathResolver, FindsUtf8RawAndCaseFoldedNamesLevelByLevel) {
  TempDir dir;
  WriteFile(dir / "BG" / "Room.orb", "r");
  WriteFile(dir / "\xE3\x82\xBD" / "a.txt", "so");  // the folder ソ in UTF-8
  WriteFile(dir / "raw\x83\x41" / "b.txt", "raw");   // a folder named by its CP932 bytes
  TContentPathResolver r;
  EXPECT_EQ(r.Resolve(dir.path(), "bg\\room.ORB"), dir / "BG" / "Room.orb");
  EXPECT_EQ(r.Resolve(dir.path(), kSo + "\\a.txt"), dir / "\xE3\x82\xBD" / "a.txt");
  EXPECT_EQ(r.Resolve(dir.path(), "RAW\x83\x41\\B.TXT"), dir / "raw\x83\x41" / "b.txt");
  EXPECT_EQ(r.Resolve(dir.path(), "bg/room.orb"), dir / "BG" / "Room.orb");
  EXPECT_EQ(r.Resolve(dir.path(), "bg\\missing.orb"), std::nullopt);
  // ア (0x83 0x41) and ャ (0x83 0x61) differ in a trail byte: never folded together.
  EXPECT_EQ(r.Resolve(dir.path(), "raw\x83\x61\\b.txt"), std::nullopt);
}

TEST(ContentPathResolver, NeverLeadsOutOfTheFolder) {
  TempDir dir;
  WriteFile(dir / "game" / "a.txt", "in");
  WriteFile(dir / "secret.txt", "out");
  TContentPathResolver r;
  const auto game = dir / "game";
  EXPECT_EQ(r.Resolve(game, "sub\\..\\a.txt"), game / "a.txt");
  for (const char* name : {"..\\secret.txt", "a.txt\\..\\..\\secret.txt", "../secret.txt", "\\etc\\passwd", "/etc/passwd",
                           "c:\\secret.txt", "\\\\server\\share\\x", "", "."}) {
    EXPECT_EQ(r.Resolve(game, name), std::nullopt) << name;
  }
  EXPECT_EQ(TContentPathResolver::Components(std::string("a\0b", 3)), std::nullopt);
}

TEST(ContentPathResolver, SeesFilesAddedAfterAFolderWasScanned) {
  TempDir dir;
  WriteFile(dir / "Data" / "one.txt", "1");
  TContentPathResolver r;
  EXPECT_NE(r.Resolve(dir.path(), "DATA\\ONE.TXT"), std::nullopt);
  EXPECT_EQ(r.Resolve(dir.path(), "DATA\\TWO.TXT"), std::nullopt);
  WriteFile(dir / "Data" / "Two.txt", "2");
  EXPECT_EQ(r.Resolve(dir.path(), "DATA\\TWO.TXT"), dir / "Data" / "Two.txt");
}

}  // namespace
}  // namespace rivo

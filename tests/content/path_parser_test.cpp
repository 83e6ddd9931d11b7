#include <gtest/gtest.h>

#include "content/folder_disk_list.h"
#include "content/path_parser.h"

namespace rivo {
namespace {

TEST(ResolvePath, ClimbsFoldersForEachLeadingDotDot) {
  struct Case {
    const char* name;
    const char* folder;
    const char* expected;
  } cases[] = {
      {"..\\..\\img\\a.orb", "d:\\game\\menu\\sub\\", "D:\\GAME\\img\\a.orb"},
      {"img\\a.orb", "d:\\game\\", "d:\\game\\img\\a.orb"},
      {"..\\a.orb", "\\\\server\\share\\menu\\", "\\\\SERVER\\SHARE\\a.orb"},
      {"..\\b.orb", "menu\\sub", "MENU\\b.orb"},
      {"x", "menu\\", "x"},                      // one character: as it is
      {"\\abs.orb", "menu\\", "\\abs.orb"},      // absolute: as it is
      {"c:x.orb", "menu\\", "c:x.orb"},
      // More ".." than folders: climbing stops at the top instead of leading out.
      {"..\\..\\..\\a.orb", "menu\\", "a.orb"},
      {"..\\..\\..\\a.orb", "d:\\game\\", "D:\\a.orb"},
      {"..\\a.orb", "", "a.orb"},
      // A folder whose name ends in ソ (trail byte "\") is one component.
      {"..\\a.orb", "\x83\x5C\\x\\", "\x83\x5C\\a.orb"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolvePath(c.name, c.folder), c.expected) << c.name << " in " << c.folder;
}

TEST(PathParser, SplitsRootsAndFolders) {
  TPathParser drive("d:\\game\\menu");
  EXPECT_EQ(drive.Components(), (std::vector<std::string>{"D:\\", "GAME\\", "MENU\\"}));
  TPathParser server("\\\\srv\\share\\x\\");
  EXPECT_EQ(server.Components(), (std::vector<std::string>{"\\\\SRV\\", "SHARE\\", "X\\"}));
  EXPECT_TRUE(server.DropLast());
  EXPECT_TRUE(server.DropLast());
  EXPECT_FALSE(server.DropLast());
  EXPECT_EQ(server.Join(), "\\\\SRV\\");
}

TEST(FolderDiskList, TheLongestListedFolderDecides) {
  TFolderDiskList list;
  list.Add("movie", 2);
  list.Add("MOVIE\\OP\\", 3);
  list.Add("voice\\\x83\x5C", 4);
  EXPECT_EQ(list.DiskOf("movie\\op\\a.mpg"), 3);
  EXPECT_EQ(list.DiskOf("Movie\\ed.mpg"), 2);
  EXPECT_EQ(list.DiskOf("voice\\\x83\x5C\\a.wav"), 4);
  EXPECT_EQ(list.DiskOf("bg\\a.orb"), 0);
  EXPECT_EQ(list.DiskOf(""), 0);

  ByteWriter w;
  list.Write(w);
  std::string bytes = w.Take();
  ByteReader r(bytes, "rivo.rpb");
  TFolderDiskList read;
  read.Read(r);
  EXPECT_EQ(read.DiskOf("movie\\op\\a.mpg"), 3);
  std::string bad = bytes;
  bad[0] = '\x7F';
  ByteReader damaged(bad, "rivo.rpb");
  EXPECT_THROW(read.Read(damaged), LoadError);
  EXPECT_EQ(read.Count(), 3u);
}

}  // namespace
}  // namespace rivo

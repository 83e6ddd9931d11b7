// The archive commands of rivotool, run as the user runs them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "archive_fixtures.h"
#include "content/archive_location.h"
#include "content/zlib_codec.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;
using testing::AppendArchive;
using testing::BuildArchive;
using testing::BuildPeWithResource;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct ToolRun {
  int code;
  std::string out, err;
};

class RivotoolArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    tool_ = fs::path(RIVO_BIN_DIR) / "rivotool";
    if (!fs::exists(tool_)) GTEST_SKIP() << "rivotool is not built: " << tool_;
  }

  ToolRun Tool(const std::string& args) {
    std::string command = "'" + tool_.string() + "' " + args + " >'" + (dir_ / "tool.stdout").string() + "' 2>'" +
                          (dir_ / "tool.stderr").string() + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir_ / "tool.stdout"), ReadFile(dir_ / "tool.stderr")};
  }
  static std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }

  TempDir dir_;
  fs::path tool_;
};

// Files whose names hold 0x5C trail bytes (ソ, 表) and differ only in case.
void MakeTree(const fs::path& root) {
  WriteFile(root / "ソ表" / "能.txt", "double-byte names");
  WriteFile(root / "bg" / "Room.ORB", std::string(3000, 'r'));
  WriteFile(root / "Voice.txt", "upper");
  WriteFile(root / "voice.txt", "lower");
  WriteFile(root / "music.ogg", testing::Incompressible(5000));
  WriteFile(root / "empty", "");
}

TEST_F(RivotoolArchive, PackThenUnpackGivesIdenticalFiles) {
  MakeTree(dir_ / "src");
  ASSERT_EQ(Tool("pack " + Q(dir_ / "src") + " " + Q(dir_ / "a.dat")).code, 0);
  ToolRun unpack = Tool("unpack " + Q(dir_ / "a.dat") + " " + Q(dir_ / "dst"));
  ASSERT_EQ(unpack.code, 0) << unpack.err;
  for (const char* name : {"ソ表/能.txt", "bg/Room.ORB", "Voice.txt", "voice.txt", "music.ogg", "empty"})
    EXPECT_EQ(ReadFile(dir_ / "dst" / name), ReadFile(dir_ / "src" / name)) << name;

  // The same folder packs to the same bytes.
  ASSERT_EQ(Tool("pack " + Q(dir_ / "src") + " " + Q(dir_ / "b.dat")).code, 0);
  EXPECT_EQ(ReadFile(dir_ / "a.dat"), ReadFile(dir_ / "b.dat"));

  // Names sorted by their bytes: "Voice.txt" before "voice.txt", so the player finds the latter.
  ToolRun cat = Tool("cat " + Q(dir_ / "a.dat") + " VOICE.TXT");
  EXPECT_EQ(cat.code, 0);
  EXPECT_EQ(cat.out, "lower");
  EXPECT_EQ(Tool("cat " + Q(dir_ / "a.dat") + " 'ソ表\\能.TXT'").out, "double-byte names");
  EXPECT_NE(Tool("cat " + Q(dir_ / "a.dat") + " missing").code, 0);
}

TEST_F(RivotoolArchive, LsListsEntriesAsTextAndJson) {
  WriteFile(dir_ / "a.dat", BuildArchive(102, {{"bg\\a.orb", "AAAA", 1, 7, 0xDEADBEEF, 1}, {"b\"q", CompressFast("x"), 0}}));
  ToolRun text = Tool("ls " + Q(dir_ / "a.dat"));
  ASSERT_EQ(text.code, 0);
  EXPECT_EQ(text.out, "bg\\a.orb\t4\tstored\tdeadbeef\nb\"q\t9\tzlib\t00000000\n");
  ToolRun json = Tool("ls --json " + Q(dir_ / "a.dat"));
  EXPECT_NE(json.out.find("{\"name\": \"bg\\\\a.orb\", \"offset\": "), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"size\": 4, \"stored\": true, \"filetime\": 7, \"crc\": \"deadbeef\", \"crc_of_raw\": true}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"b\\\"q\""), std::string::npos);
  WriteFile(dir_ / "empty.dat", BuildArchive(102, {}));
  EXPECT_EQ(Tool("ls --json " + Q(dir_ / "empty.dat")).out, "[]\n");
}

TEST_F(RivotoolArchive, ArchivesWithoutFlagsGiveTheContentOfZlibAndRawEntries) {
  const std::string text(400, 't');
  const std::string zlib = CompressFast(text);
  const std::string cut = zlib.substr(0, zlib.size() - 6);  // a zlib stream cut short
  for (int version : {0, 1, 99, 100}) {
    SCOPED_TRACE(version);
    const fs::path archive = dir_ / ("v" + std::to_string(version) + ".dat");
    WriteFile(archive, BuildArchive(version, {{"zlib.txt", zlib}, {"raw.txt", "raw"}, {"cut.bin", cut}}));
    ToolRun ls = Tool("ls --json " + Q(archive));
    ASSERT_EQ(ls.code, 0) << ls.err;
    for (const std::string listed : {"\"zlib.txt\", \"offset\": [0-9]+, \"size\": [0-9]+, \"stored\": false",
                                      "\"raw.txt\", \"offset\": [0-9]+, \"size\": 3, \"stored\": true",
                                      "\"cut.bin\", \"offset\": [0-9]+, \"size\": [0-9]+, \"stored\": true"})
      EXPECT_THAT(ls.out, ::testing::ContainsRegex(listed));
    EXPECT_EQ(Tool("cat " + Q(archive) + " zlib.txt").out, text);
    EXPECT_EQ(Tool("cat " + Q(archive) + " raw.txt").out, "raw");
    EXPECT_EQ(Tool("cat " + Q(archive) + " cut.bin").out, cut);
    const fs::path out = dir_ / ("out" + std::to_string(version));
    ASSERT_EQ(Tool("unpack " + Q(archive) + " " + Q(out)).code, 0);
    EXPECT_EQ(ReadFile(out / "zlib.txt"), text);
    EXPECT_EQ(ReadFile(out / "raw.txt"), "raw");
    EXPECT_EQ(ReadFile(out / "cut.bin"), cut);
    ToolRun verify = Tool("verify " + Q(archive));
    EXPECT_EQ(verify.code, 0) << verify.err;
  }
}

TEST_F(RivotoolArchive, ExecutablesWithAnAppendedOrAResourceArchiveAreRead) {
  std::string archive = BuildArchive(102, {{"a.txt", "in exe"}});
  WriteFile(dir_ / "appended.exe", AppendArchive("MZ program", archive));
  WriteFile(dir_ / "resource.exe", BuildPeWithResource("BINTYPE", "DUMMY", archive));
  EXPECT_EQ(Tool("cat " + Q(dir_ / "appended.exe") + " a.txt").out, "in exe");
  EXPECT_EQ(Tool("cat " + Q(dir_ / "resource.exe") + " a.txt").out, "in exe");
  WriteFile(dir_ / "plain.exe", "MZ nothing");
  EXPECT_EQ(Tool("ls " + Q(dir_ / "plain.exe")).code, 2);
}

TEST_F(RivotoolArchive, UnpackRefusesNamesThatWouldLandOutside) {
  WriteFile(dir_ / "evil.dat", BuildArchive(102, {{"..\\escape.txt", "x"}, {"\\abs.txt", "x"}, {"ok\\in.txt", "fine"}}));
  ToolRun run = Tool("unpack " + Q(dir_ / "evil.dat") + " " + Q(dir_ / "out"));
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("..\\escape.txt"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\\abs.txt"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(dir_ / "out" / "ok" / "in.txt"), "fine");
  EXPECT_FALSE(fs::exists(dir_ / "escape.txt"));
}

TEST_F(RivotoolArchive, VerifyFindsDamagedEntries) {
  MakeTree(dir_ / "src");
  ASSERT_EQ(Tool("pack " + Q(dir_ / "src") + " " + Q(dir_ / "a.dat")).code, 0);
  ToolRun sound = Tool("verify " + Q(dir_ / "a.dat"));
  EXPECT_EQ(sound.code, 0) << sound.err;
  std::string bytes = ReadFile(dir_ / "a.dat");
  bytes[bytes.size() - 100] ^= 0x55;  // inside the last entry, music.ogg (stored, sorted after bg\Room.ORB)
  WriteFile(dir_ / "a.dat", bytes);
  ToolRun damaged = Tool("verify " + Q(dir_ / "a.dat"));
  EXPECT_EQ(damaged.code, 2);
  EXPECT_NE(damaged.err.find("damaged:"), std::string::npos) << damaged.err;
}

}  // namespace
}  // namespace rivo

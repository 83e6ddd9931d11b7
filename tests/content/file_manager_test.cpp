#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <functional>

#include "archive_fixtures.h"
#include "common/error.h"
#include "content/install_set.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"

namespace rivo {
namespace {

using testing::BuildArchive;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A game folder with loose files and a game.dat, a private temporary
// folder, and a mount table that lists no discs.
struct Game {
  TempDir dir;
  std::filesystem::path game = dir / "game";
  std::filesystem::path temp = dir / "temp";
  std::filesystem::path mounts = dir / "mounts";
  std::unique_ptr<TVrFileManager> manager;

  Game() {
    WriteFile(game / "game.dat", BuildArchive(102, {{"both.txt", "archived"},
                                                    {"only.wav", "RIFF"},
                                                    {"Case.ogg", "upper"},
                                                    {"case.ogg", "lower"},
                                                    {"empty.txt", ""}}));
    WriteFile(game / "both.txt", "loose");
    WriteFile(mounts, "");
    std::filesystem::create_directories(temp);
    manager = std::make_unique<TVrFileManager>(temp, mounts);
    manager->MountArchive({});
    manager->SetBaseFolder(game);
    manager->MountArchive(game / "game.dat");
  }

  std::string Load(std::string_view name) {
    TQnMemoryStream out;
    manager->LoadToStream(out, name);
    EXPECT_EQ(out.GetPosition(), 0);
    return out.ToString();
  }
};

std::string ReadRange(TRangeStream& range) {
  std::string out(static_cast<std::size_t>(range.GetSize()), '\0');
  range.Read(out.data(), range.GetSize());
  return out;
}

TEST(FileManager, ALooseFileInTheBaseFolderWinsOverTheArchive) {
  Game g;
  EXPECT_EQ(g.Load("BOTH.TXT"), "loose");
  EXPECT_EQ(ReadRange(*g.manager->OpenRange("both.txt")), "loose");
  EXPECT_EQ(g.manager->GetFilePath("both.txt"), g.game / "both.txt");
  EXPECT_TRUE(g.manager->Exists("both.txt"));
  EXPECT_TRUE(g.manager->Exists("only.wav"));
  EXPECT_FALSE(g.manager->Exists(""));
  EXPECT_FALSE(g.manager->Exists("missing"));
  EXPECT_EQ(g.Load("only.wav"), "RIFF");
  EXPECT_EQ(g.Load("empty.txt"), "");
  EXPECT_THROW(g.Load("missing"), RivoError);
  EXPECT_THROW(g.manager->OpenRange("missing"), RivoError);
  EXPECT_EQ(g.manager->GetFilePath("missing"), std::filesystem::path());
}

TEST(FileManager, MemoryEntriesLiveInTheFirstSource) {
  Game g;
  TVrFile& entry = g.manager->Source(0).AddMemoryEntry("mem:shot");
  entry.Data->WriteBuffer("pixels", 6);
  EXPECT_TRUE(g.manager->Exists("MEM:SHOT"));
  EXPECT_EQ(g.Load("mem:shot"), "pixels");
  EXPECT_EQ(g.manager->FindEntry("mem:shot"), &entry);
  // A name held by a source without data is passed over.
  g.manager->Source(0).AddEntry("only.wav");
  EXPECT_EQ(g.Load("only.wav"), "RIFF");
}

TEST(FileManager, TemporaryCopiesAreMadeOncePerNameAndRemovedAtTheEnd) {
  Game g;
  auto first = g.manager->GetFilePath("only.wav");
  EXPECT_EQ(first, g.temp / "~rv00000000.wav");
  EXPECT_EQ(ReadFile(first), "RIFF");
  EXPECT_EQ(g.manager->GetFilePath("only.wav"), first);
  // Names that differ only in case are two copies (the later entry serves both).
  auto upper = g.manager->GetFilePath("Case.ogg");
  auto lower = g.manager->GetFilePath("case.ogg");
  EXPECT_NE(upper, lower);
  EXPECT_EQ(g.manager->Locks().Count(), 3u);
  g.manager.reset();
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_FALSE(std::filesystem::exists(upper));
  EXPECT_TRUE(std::filesystem::is_empty(g.temp));
}

TEST(FileManager, TemporaryCopiesNeverWriteThroughWhatIsInTheWay) {
  Game g;
  WriteFile(g.dir / "victim.txt", "precious");
  std::filesystem::create_symlink(g.dir / "victim.txt", g.temp / "~rv00000000.wav");
  WriteFile(g.temp / "~rv00000001.wav", "left over");
  auto path = g.manager->GetFilePath("only.wav");
  EXPECT_EQ(path, g.temp / "~rv00000002.wav");
  EXPECT_EQ(ReadFile(path), "RIFF");
  EXPECT_EQ(ReadFile(g.dir / "victim.txt"), "precious");
  EXPECT_EQ(ReadFile(g.temp / "~rv00000001.wav"), "left over");

  TVrFileManager no_folder(g.dir / "gone", g.mounts);
  no_folder.MountArchive(g.game / "game.dat");
  EXPECT_THROW(no_folder.GetFilePath("only.wav"), RivoError);
}

TEST(FileManager, NamesNeverReachOutsideTheGameFolder) {
  Game g;
  WriteFile(g.dir / "secret.txt", "outside");
  for (const char* name : {"..\\secret.txt", "../secret.txt", "sub\\..\\..\\secret.txt"}) {
    EXPECT_FALSE(g.manager->Exists(name)) << name;
    EXPECT_THROW(g.Load(name), RivoError) << name;
    EXPECT_EQ(g.manager->GetFilePath(name), std::filesystem::path()) << name;
  }
  const std::string absolute = (g.dir / "secret.txt").string();
  EXPECT_FALSE(g.manager->Exists(absolute));
}

TEST(FileManager, MountingTheSameFolderTwiceIsRefused) {
  Game g;
  EXPECT_EQ(g.manager->MountArchive(g.game), -1);
  EXPECT_EQ(g.manager->SourceCount(), 2);
  int extra = g.manager->MountArchive(g.dir.path());
  EXPECT_EQ(extra, 2);
  g.manager->Unmount(extra);
  EXPECT_EQ(g.manager->SourceCount(), 2);
}

TEST(FileManager, ExtractFolderKeepsTheFolderPart) {
  EXPECT_EQ(TVrFileManager::ExtractFolder("bg\\a\\room.orb"), "bg\\a\\");
  EXPECT_EQ(TVrFileManager::ExtractFolder("room.orb"), "");
  EXPECT_EQ(TVrFileManager::ExtractFolder("c:room.orb"), "c:\\");
  EXPECT_EQ(TVrFileManager::ExtractFolder("\\\\srv\\share\\a.orb"), "\\\\srv\\share\\");
  EXPECT_EQ(TVrFileManager::ExtractFolder("\x83\x5C.orb"), "");  // ソ's trail byte is no separator
}

// Answers the disc questions from a script; runs an action before each answer.
class ScriptedPrompt : public DiscPrompt {
 public:
  std::deque<bool> disc_answers, exit_answers;
  std::function<void(int)> before_answer;
  int asked = 0;
  bool closed = false;

  bool AskForDisc(int disk_no) override {
    ++asked;
    if (before_answer) before_answer(asked);
    if (disc_answers.empty()) throw std::runtime_error("asked once too often");
    bool a = disc_answers.front();
    disc_answers.pop_front();
    return a;
  }
  bool ConfirmExit() override {
    bool a = exit_answers.front();
    exit_answers.pop_front();
    return a;
  }
  void RequestClose() override { closed = true; }
};

void MakeDisc(const std::filesystem::path& root, const std::string& title, int index, const std::string& marker) {
  WriteFile(root / "game.dat", BuildArchive(102, {{"disc.txt", marker}}));
  TRivoInstallSet set;
  set.Title = title;
  set.DiskIndex = index;
  set.SaveToFile(root / "install.dat");
}

TEST(FileManager, ADiscInsertedWhileAskingIsFound) {
  Game g;
  ScriptedPrompt prompt;
  prompt.disc_answers = {true, true, true};
  const auto drive = g.dir / "drive";
  g.manager->AddDiscRoot(drive);  // nothing there yet
  g.manager->SetDiscPrompt(&prompt);
  g.manager->SetProjectTitle("My Game");
  prompt.before_answer = [&](int asked) {
    if (asked == 2) MakeDisc(drive, "Other Game", 1, "wrong title");
    if (asked == 3) MakeDisc(drive, "My Game", 1, "disc two");
  };
  EXPECT_TRUE(g.manager->RequestDisk(2));
  EXPECT_EQ(prompt.asked, 3);
  EXPECT_EQ(g.Load("disc.txt"), "disc two");
}

TEST(FileManager, GivingUpOnADiscClosesThePlayer) {
  Game g;
  ScriptedPrompt prompt;
  prompt.disc_answers = {false, false};
  prompt.exit_answers = {false, true};  // the first "no" goes back to the question
  g.manager->SetDiscPrompt(&prompt);
  EXPECT_FALSE(g.manager->RequestDisk(1));
  EXPECT_EQ(prompt.asked, 2);
  EXPECT_TRUE(prompt.closed);
}

TEST(FileManager, DiscRootsComeFromTheMountTableAndFilesOnThemAreFound) {
  Game g;
  const auto cd = g.dir / "media" / "my cd";
  WriteFile(cd / "Movie" / "OP.MPG", "film");
  WriteFile(g.mounts, "/dev/sda1 / ext4 rw 0 0\n/dev/sr0 " + (g.dir / "media").string() +
                          "/my\\040cd iso9660 ro 0 0\n/dev/sr1 /nowhere udf ro 0 0\n");
  TVrFileManager m(g.temp, g.mounts);
  ASSERT_EQ(m.DiscRoots().Roots(), std::vector<std::filesystem::path>{cd});
  EXPECT_TRUE(m.Exists("movie\\op.mpg"));
  EXPECT_EQ(m.GetFilePath("movie\\op.mpg"), cd / "Movie" / "OP.MPG");
  EXPECT_EQ(ReadRange(*m.OpenRange("movie\\op.mpg")), "film");
}

TEST(FileManager, ARequestForADiscUnmountsTheSourcesOfTheDiscs) {
  Game g;
  const auto drive = g.dir / "drive";
  MakeDisc(drive, "T", 0, "first disc");
  g.manager->AddDiscRoot(drive);
  g.manager->SetProjectTitle("T");
  EXPECT_TRUE(g.manager->MountDisk(0));
  EXPECT_EQ(g.Load("disc.txt"), "first disc");
  ScriptedPrompt prompt;
  prompt.disc_answers = {false};
  prompt.exit_answers = {true};
  g.manager->SetDiscPrompt(&prompt);
  EXPECT_FALSE(g.manager->RequestDisk(2));
  EXPECT_FALSE(g.manager->Exists("disc.txt"));
  EXPECT_EQ(g.manager->SourceCount(), 2);
}

}  // namespace
}  // namespace rivo

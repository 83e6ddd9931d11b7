// Whole-player runs of the scenario games in games/: each is built with
// rivotool build and played headless on a 16 ms virtual clock.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "content/install_set.h"
#include "e2e/game_runner.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

// Every page of a built game lists and assembles back to the same bytes.
void ExpectPagesRoundTrip(const fs::path& built, const fs::path& scratch) {
  fs::path copy = scratch / "round-trip";
  fs::copy(built, copy, fs::copy_options::recursive);
  const std::string bin = RIVO_BIN_DIR;
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(built)) {
    if (entry.path().extension() != ".rsb") continue;
    ++pages;
    fs::path listing = scratch / (entry.path().filename().string() + ".txt");
    fs::path rebuilt = copy / entry.path().filename();
    ASSERT_EQ(Execute(bin + "/rivotool disasm '" + entry.path().string() + "' > '" + listing.string() + "'"), 0);
    std::string err;
    ASSERT_EQ(Execute(bin + "/rivotool asm '" + listing.string() + "' '" + rebuilt.string() + "' 2>&1", &err), 0)
        << err;
    std::ifstream a(entry.path(), std::ios::binary), b(rebuilt, std::ios::binary);
    std::stringstream sa, sb;
    sa << a.rdbuf();
    sb << b.rdbuf();
    EXPECT_TRUE(sa.str() == sb.str()) << entry.path().filename() << " did not round-trip";
  }
  EXPECT_GT(pages, 0);
}

TEST(ScenarioGames, IfElseifAndElseTakeTheirBranchesInEveryShape) {
  Scratch s;
  fs::path game = BuildGame("branches", s.Path() / "game");
  PlayResult run = Play(game, "", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("log", "string", "\"if,#elseif,elseif2+,else4+!\"")) << run.vars;
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, LoopsBreakAndContinueAndABreakOutsideALoopReturns) {
  Scratch s;
  fs::path game = BuildGame("loops", s.Path() / "game");
  PlayResult run = Play(game, "", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("total", "integer", "100800")) << run.vars;
  EXPECT_TRUE(run.HasVar("pairs", "integer", "3")) << run.vars;
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, CallsPassArgumentsAndResultsAndJumpsLandOnLabels) {
  Scratch s;
  fs::path game = BuildGame("calls", s.Path() / "game");
  PlayResult run = Play(game, "", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // The empty second of three arguments is left out.
  EXPECT_TRUE(run.HasVar("count", "integer", "2")) << run.vars;
  EXPECT_TRUE(run.HasVar("sum", "integer", "2042")) << run.vars;
  EXPECT_TRUE(run.HasVar("greeting", "string", "\"hello world\"")) << run.vars;
  EXPECT_TRUE(run.HasVar("path", "string", "\"no condition: no jump,entry\"")) << run.vars;
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, WaitsCountTheVirtualClockAndEventsInterruptThem) {
  Scratch s;
  fs::path game = BuildGame("waits", s.Path() / "game");
  // One event during the interruptible wait, one during the blocking one.
  PlayResult run = Play(game, "--event 70,ev.rsb --event 90,ev.rsb", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // 1000 ms with 16 ms ticks: the wait starts in tick 1 and moves on in tick 64.
  EXPECT_GE(run.TraceIndex("00000400 : main.rsb(3)"), 0);
  EXPECT_LT(run.TraceIndex("000003f0 : main.rsb(3)"), 0);
  // The event at tick 70 runs at once; the wait keeps its remaining time and
  // ends in tick 84 as if nothing had come between.
  EXPECT_GE(run.TraceIndex("00000460 : <Event>ev.rsb(20)"), 0);
  EXPECT_GE(run.TraceIndex("00000540 : main.rsb(5)"), 0);
  // The blocking wait (tick 84 to 97) keeps the tick-90 event queued until it ends.
  int wait_end = run.TraceIndex("00000610 : main.rsb(7)");
  int event = run.TraceIndex("<Event>ev.rsb(20)");
  int second_event = -1;
  for (int i = event + 1; i < static_cast<int>(run.trace.size()); ++i)
    if (run.trace[i].find("<Event>") != std::string::npos) second_event = i;
  EXPECT_GE(wait_end, 0);
  ASSERT_GE(second_event, 0);
  EXPECT_EQ(run.trace[second_event], "00000610 : <Event>ev.rsb(20)");
  EXPECT_TRUE(run.HasVar("handled", "integer", "2")) << run.vars;
  // Terminate stops the game; the variables are dumped before the end page,
  // which then runs up to its first wait.
  EXPECT_TRUE(run.HasVar("phase", "integer", "4")) << run.vars;
  EXPECT_TRUE(run.HasVar("ended", "integer", "0")) << run.vars;
  EXPECT_GE(run.TraceIndex("end.rsb(30)"), 0);
  EXPECT_GE(run.TraceIndex("end.rsb(31)"), 0);
  EXPECT_LT(run.TraceIndex("end.rsb(32)"), 0);
  EXPECT_LT(run.TraceIndex("main.rsb(9)"), 0);
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, TwoEventsInOneTickAndAPCResetInsideAHandler) {
  Scratch s;
  fs::path game = BuildGame("events", s.Path() / "game");
  PlayResult run = Play(game, "--ticks 30 --event 5,a.rsb,x --event 5,b.rsb --event 10,reset.rsb", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_GE(run.TraceIndex("00000050 : <Event>a.rsb(10)"), 0);
  EXPECT_GE(run.TraceIndex("00000050 : <Event>b.rsb(20)"), 0);
  EXPECT_TRUE(run.HasVar("log", "string", "\"a1x;b;handler goes on;main moved;\"")) << run.vars;
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, PagesLeavingTheCacheOfTenTakeTheirOwnVariables) {
  Scratch s;
  fs::path game = BuildGame("cache", s.Path() / "game");
  PlayResult run = Play(game, "", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("\\u0001main.rsb", "integer", "1")) << run.vars;
  EXPECT_EQ(run.vars.find("\\u0001p1.rsb\""), std::string::npos) << run.vars;
  EXPECT_EQ(run.vars.find("\\u0001p2.rsb\""), std::string::npos) << run.vars;
  for (int i = 3; i <= 11; ++i)
    EXPECT_TRUE(run.HasVar("\\u0001p" + std::to_string(i) + ".rsb", "integer", "1")) << i << run.vars;
  ExpectPagesRoundTrip(game, s.Path());
}

TEST(ScenarioGames, ProjectsOfEveryVersionPlay) {
  for (int version : {103, 109, 110, 112}) {
    Scratch s;
    fs::path source = s.Path() / "source";
    fs::create_directories(source);
    for (const char* file : {"rivo.rpb.txt", "main.rsb.txt", "end.rsb.txt"}) {
      std::ifstream in(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games/versions" / file);
      std::stringstream text;
      text << in.rdbuf();
      std::ofstream(source / file) << std::regex_replace(text.str(), std::regex("VERSION"), std::to_string(version));
    }
    fs::path game = s.Path() / "game";
    ASSERT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool build '" + source.string() + "' '" + game.string() + "'"),
              0);
    PlayResult run = Play(game, "", s.Path());
    EXPECT_EQ(run.exit_code, 0) << version << run.err;
    EXPECT_TRUE(run.HasVar("steps", "integer", "2")) << version << run.vars;
    // The end page arrived with version 110.
    EXPECT_EQ(run.TraceIndex("end.rsb") >= 0, version >= 110) << version;
    ExpectPagesRoundTrip(game, s.Path());
  }
}

TEST(ScenarioGames, AGamePlaysFromAFolderAGameDatAndAnExecutable) {
  Scratch s;
  fs::path packed = BuildGame("loops", s.Path() / "packed", true);
  ASSERT_TRUE(fs::exists(packed));
  EXPECT_FALSE(fs::exists(s.Path() / "packed" / "rivo.rpb"));
  PlayResult from_dat = Play(packed, "", s.Path());
  EXPECT_EQ(from_dat.exit_code, 0) << from_dat.err;
  EXPECT_TRUE(from_dat.HasVar("total", "integer", "100800")) << from_dat.vars;

  // An executable carrying the archive after its own bytes, found by the
  // trailer: the archive's start and "rv".
  std::ifstream in(packed, std::ios::binary);
  std::stringstream archive;
  archive << in.rdbuf();
  std::string program = "MZ" + std::string(126, '\0');
  int32_t start = static_cast<int32_t>(program.size());
  fs::create_directories(s.Path() / "exe");
  fs::path exe = s.Path() / "exe" / "game.exe";
  std::ofstream out(exe, std::ios::binary);
  out << program << archive.str();
  out.write(reinterpret_cast<const char*>(&start), 4);
  out << "rv";
  out.close();
  PlayResult from_exe = Play(exe, "", s.Path());
  EXPECT_EQ(from_exe.exit_code, 0) << from_exe.err;
  EXPECT_TRUE(from_exe.HasVar("total", "integer", "100800")) << from_exe.vars;
}

// The demo's pages alone (no pictures or sounds: rivotool build copies only
// what its sources hold) still reach the title screen's menu and wait there.
TEST(ScenarioGames, TheDemoPagesReachTheTitleMenuInAHundredTicks) {
  Scratch s;
  fs::path game = BuildSources(fs::path(RIVO_SOURCE_DIR) / "games/demo", s.Path() / "demo");
  PlayResult run = Play(game, "--ticks 100", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("speed", "integer", "40")) << run.vars;
  EXPECT_TRUE(run.HasVar("choice", "string", "\"\"")) << run.vars;
  EXPECT_GE(run.TraceIndex("menu.rsb(2)"), 0);
  ExpectPagesRoundTrip(game, s.Path());
}

// An installed game: its program and "install.dat" on the disk, its
// content on a disc (a folder given with --disc-root).
TEST(ScenarioGames, AnInstalledGameFindsItsContentOnItsDisc) {
  Scratch s;
  fs::path packed = BuildGame("loops", s.Path() / "packed", true);
  fs::path installed = s.Path() / "installed", disc = s.Path() / "disc";
  fs::create_directories(installed);
  fs::create_directories(disc);
  std::ofstream(installed / "game.exe", std::ios::binary) << "MZ" << std::string(126, '\0');
  TRivoInstallSet install;
  install.Title = "Loops";
  install.DiskCount = 1;
  install.DiskValues.resize(1);
  install.SaveToFile(installed / "install.dat");
  install.SaveToFile(disc / "install.dat");
  fs::copy_file(packed, disc / "game.dat");

  PlayResult found = Play(installed / "game.exe", "--disc-root '" + disc.string() + "'", s.Path());
  EXPECT_EQ(found.exit_code, 0) << found.err << found.out;
  EXPECT_TRUE(found.HasVar("total", "integer", "100800")) << found.vars;

  // A disc that never comes: nobody answers, so the player gives up as a
  // user would (Cancel, then OK to leave) and ends by itself.
  fs::create_directories(s.Path() / "empty-drive");
  PlayResult no_disc =
      Play(installed / "game.exe", "--disc-root '" + (s.Path() / "empty-drive").string() + "'", s.Path());
  EXPECT_EQ(no_disc.exit_code, 3) << no_disc.err;
  EXPECT_EQ(no_disc.out,
            "MSGBOX 情報|ディスクを入れてください|OK/Cancel -> Cancel\n"
            "MSGBOX 情報|終了します|OK/Cancel -> OK\n");

  // Installed completely: the "game.dat" beside the program is all it needs.
  install.CompleteInstall = true;
  install.SaveToFile(installed / "install.dat");
  fs::copy_file(packed, installed / "game.dat");
  // The first run left its status variables in save.dat: start this one afresh.
  PlayResult complete = Play(installed / "game.exe", "--save-dir '" + (s.Path() / "saves").string() + "'", s.Path());
  EXPECT_EQ(complete.exit_code, 0) << complete.err << complete.out;
  EXPECT_TRUE(complete.HasVar("total", "integer", "100800")) << complete.vars;
}

TEST(ScenarioGames, AFolderWithoutAProjectWritesNothingAndEndsWithCodeThree) {
  Scratch s;
  fs::create_directories(s.Path() / "empty");
  PlayResult run = Play(s.Path() / "empty", "", s.Path());
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_NE(run.out.find("MSGBOX 警告|プロジェクトがありません"), std::string::npos) << run.out;
  EXPECT_TRUE(run.vars.empty());
  EXPECT_FALSE(fs::exists(s.Path() / "empty" / "save.dat"));
}

}  // namespace
}  // namespace rivo::e2e

// The rivoplay process: options, exit codes, the lock, the settings switch.

#include "host/player_process.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/command_line.h"
#include "platform/instance_lock.h"
#include "platform/private_temp_folder.h"

namespace rivo {
namespace {

using ::testing::HasSubstr;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome RunProcess(std::vector<std::string> args) {
  PlayerParts parts;
  std::ostringstream out, err;
  int code = RunPlayerProcess(args, parts, out, err);
  return {code, out.str(), err.str()};
}

TEST(PlayerProcess, HelpListsTheOptionsAndUsageErrorsGiveCodeOne) {
  Outcome help = RunProcess({"--help"});
  EXPECT_EQ(help.code, kExitNormal);
  EXPECT_THAT(help.out, HasSubstr("usage: rivoplay [options] [GAME]..."));
  Outcome bad = RunProcess({"--frobnicate"});
  EXPECT_EQ(bad.code, kExitUsage);
  EXPECT_THAT(bad.err, HasSubstr("unknown option --frobnicate"));
}

TEST(PlayerProcess, AFolderWithoutAProjectEndsWithCodeThreeAndAMessageBox) {
  PrivateTempFolder game;
  Outcome o = RunProcess({"--headless", "--ticks", "3", game.Path().string()});
  EXPECT_EQ(o.code, kExitCannotStart);
  EXPECT_THAT(o.out, HasSubstr("MSGBOX 警告|プロジェクトがありません"));
  EXPECT_THAT(o.out, HasSubstr("|OK -> OK\n"));
}

TEST(PlayerProcess, AGameThatDoesNotExistEndsWithCodeThree) {
  Outcome o = RunProcess({"--headless", "/nonexistent/rivoplay/game.dat"});
  EXPECT_EQ(o.code, kExitCannotStart);
  EXPECT_THAT(o.err, HasSubstr("no such file or folder"));
}

TEST(PlayerProcess, ASecondPlayerOnTheSameGameEndsWithCodeTwo) {
  PrivateTempFolder game;
  auto lock = InstanceLock::TryAcquire(game.Path());
  ASSERT_TRUE(lock);
  Outcome o = RunProcess({"--headless", "--ticks", "1", game.Path().string() + "/"});
  EXPECT_EQ(o.code, kExitAlreadyRunning);
  EXPECT_EQ(o.out, "");  // no window, no message box
  lock.reset();
  EXPECT_EQ(RunProcess({"--headless", "--ticks", "1", game.Path().string()}).code, kExitCannotStart);
}

TEST(PlayerProcess, TheConfigSwitchShowsTheSettingsInsteadOfPlaying) {
  PrivateTempFolder game;
  std::ofstream(game.Path() / "game.ini") << "[Sound]\nDirectSound=0\nDelayTime=250\n";
  Outcome o = RunProcess({"/config", game.Path().string()});
  EXPECT_EQ(o.code, kExitNormal);
  EXPECT_THAT(o.out, HasSubstr("[Sound]\nDirectSound=0\nDelayTime=200\n[Video]\nUseWMP=0\n"));
  EXPECT_THAT(o.out, ::testing::Not(HasSubstr("MSGBOX")));
}

TEST(PlayerProcess, AnInputScriptThatCannotBeReadIsAUsageError) {
  PrivateTempFolder game;
  std::ofstream(game.Path() / "in.txt") << "1 dance\n";
  Outcome o = RunProcess({"--headless", "--input", (game.Path() / "in.txt").string(), game.Path().string()});
  EXPECT_EQ(o.code, kExitUsage);
  EXPECT_THAT(o.err, HasSubstr("input script line 1"));
}

TEST(PlayerProcess, ASoundFileThatCannotBeWrittenIsAUsageErrorAndOneThatCanIsAWaveFile) {
  PrivateTempFolder game;
  const std::filesystem::path bad = game.Path() / "missing" / "out.wav";
  Outcome o = RunProcess({"--headless", "--ticks", "1", "--audio-out", bad.string(), game.Path().string()});
  EXPECT_EQ(o.code, kExitUsage);
  EXPECT_THAT(o.err, HasSubstr("cannot write the sound to " + bad.string() + ": No such file or directory"));
  EXPECT_EQ(o.out, "");  // refused before anything started
  // A game that does not start still leaves a valid, empty recording.
  const std::filesystem::path good = game.Path() / "out.wav";
  o = RunProcess({"--headless", "--ticks", "1", "--audio-out=" + good.string(), game.Path().string()});
  EXPECT_EQ(o.code, kExitCannotStart);
  std::ifstream in(good, std::ios::binary);
  std::string header(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(header.size(), 44u);
  EXPECT_EQ(header.substr(0, 4) + header.substr(8, 8) + header.substr(36, 4), "RIFFWAVEfmt data");
}

// The built executable, as a user runs it.
int RunRivoplay(const std::string& args, std::string& out, bool with_errors = false) {
  std::string command = std::string(RIVO_BIN_DIR) + "/rivoplay " + args + (with_errors ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RivoplayExecutable, ShowsHelpAndEndsWithCodeThreeOnAFolderWithoutAProject) {
  std::string help;
  EXPECT_EQ(RunRivoplay("--help", help), 0);
  EXPECT_THAT(help, HasSubstr("--headless"));
  PrivateTempFolder game;
  std::string out;
  EXPECT_EQ(RunRivoplay("--headless --ticks 3 '" + game.Path().string() + "'", out), 3);
  EXPECT_THAT(out, HasSubstr("MSGBOX 警告|プロジェクトがありません"));
}

// The test runner sets SDL_VIDEODRIVER=dummy: no box can be shown, so its
// question goes to the log, and the player still ends with code 3.
TEST(RivoplayExecutable, EndsWithCodeThreeOnTheWindowBackEndToo) {
  if (!std::getenv("SDL_VIDEODRIVER")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=dummy (set by ctest)";
  PrivateTempFolder game;
  std::string out;
  EXPECT_EQ(RunRivoplay("'" + game.Path().string() + "'", out, true), 3);
  EXPECT_THAT(out, HasSubstr("MSGBOX 警告|プロジェクトがありません"));
}

}  // namespace
}  // namespace rivo

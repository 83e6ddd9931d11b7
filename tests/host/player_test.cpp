// A whole player on the headless back end, with recording subsystems.

#include "host/player.h"

#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/error.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform_error.h"
#include "platform/private_temp_folder.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/read_png.h"
#include "recording_parts.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing_host::CallLog;

class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() : parts_(log_) {}

  // Plays the game folder with the script for at most `ticks` ticks.
  int Play(const std::string& script, uint64_t ticks) {
    HeadlessOptions o;
    o.script = ParseInputScript(script);
    o.out = &out_;
    o.log = &diagnostics_;
    o.display_modes = modes_;
    HeadlessPlatform platform(std::move(o));
    PlayerContext ctx;
    ctx.options.headless = true;
    ctx.options.full_screen = full_screen_;
    ctx.options.ticks = ticks;
    ctx.options.screenshot = screenshot_;
    ctx.game.folder = game_.Path();
    ctx.game.sources = {game_.Path()};
    ctx.log = &diagnostics_;
    Player player(platform, parts_, std::move(ctx));
    player.Context().trace = [&](std::string_view step) { log_.push_back(std::string(step)); };
    int code = player.Run();
    result_ = player.Context();
    display_ = platform.Display();
    return code;
  }
  long Count(const std::string& call) const { return std::count(log_.begin(), log_.end(), call); }

  PrivateTempFolder game_;
  CallLog log_;
  testing_host::RecordingParts parts_;
  std::ostringstream out_;
  std::ostringstream diagnostics_;
  std::filesystem::path screenshot_;
  std::vector<DisplayMode> modes_ = HeadlessDisplayModes();
  bool full_screen_ = false;
  PlayerContext result_;
  HeadlessDisplay display_;
};

TEST_F(PlayerTest, StartsUpAndShutsDownInTheirFixedOrder) {
  EXPECT_EQ(Play("", 0), kExitNormal);
  EXPECT_THAT(log_, ElementsAre("file manager", "mount", "variables", "system functions", "DXSound.Initialize",
                                "RivoInitialize", "TProject.Create", "MediaInit", "media 8x6", "RivoInitColor",
                                "Project.Free", "SysFuncMan.Free", "system functions freed", "ParamMan.Free",
                                "variables freed", "RivoFinalize", "MediaFinal", "file manager freed"));
}

TEST_F(PlayerTest, RunsTicksOnTheVirtualClockAndPresentsTheComposedFrame) {
  screenshot_ = game_.Path() / "last.png";
  EXPECT_EQ(Play("", 3), kExitNormal);
  EXPECT_EQ(Count("interpreter"), 3);
  EXPECT_EQ(Count("file manager tick 15"), 3);
  EXPECT_EQ(result_.ElapsedMs, 45);
  EXPECT_EQ(result_.FrameDeltaMs, 15);
  EXPECT_EQ(result_.UpdateCount, 3);
  ASSERT_TRUE(display_.has_frame);
  EXPECT_EQ(display_.shown.width, 8);
  EXPECT_EQ(display_.shown.At(0, 0), 0x00FFFFFFu);
  FrameBuffer png = testing_png::ReadPng(screenshot_);
  ASSERT_EQ(png.width, 8);
  EXPECT_EQ(png.At(0, 0), 0x00FFFFFFu);
}

TEST_F(PlayerTest, AProjectThatCannotStartEndsWithCodeThreeAMessageAndNoWindow) {
  parts_.fail_project = true;
  EXPECT_EQ(Play("", 5), kExitCannotStart);
  EXPECT_THAT(out_.str(), HasSubstr("MSGBOX 警告|プロジェクトがありません"));
  EXPECT_EQ(Count("interpreter"), 0);
  EXPECT_EQ(Count("MediaInit"), 0);
  EXPECT_FALSE(display_.has_frame);
  EXPECT_EQ(Count("RivoFinalize"), 1);  // what was made is still freed
  EXPECT_EQ(Count("file manager freed"), 1);
}

TEST_F(PlayerTest, AFolderWithAProjectFileStillCannotStartAndSaysWhy) {
  parts_.fail_project = true;
  std::ofstream(game_.Path() / "Rivo.rpb") << "x";
  EXPECT_EQ(Play("", 5), kExitCannotStart);
  EXPECT_THAT(out_.str(), HasSubstr("cannot play this game yet"));
}

class ThrowingScreenParts : public testing_host::RecordingParts {
 public:
  using RecordingParts::RecordingParts;
  std::unique_ptr<ScreenStage> CreateScreen(PlayerContext&) override {
    throw RivoError("画面を作れません");
  }
};

TEST(PlayerStartUp, AnErrorDuringStartUpIsShownAndEndsWithCodeThree) {
  PrivateTempFolder game;
  CallLog log;
  ThrowingScreenParts parts(log);
  std::ostringstream out, diagnostics;
  HeadlessOptions o;
  o.out = &out;
  HeadlessPlatform platform(std::move(o));
  PlayerContext ctx;
  ctx.options.ticks = 3;
  ctx.game.folder = game.Path();
  ctx.log = &diagnostics;
  Player player(platform, parts, std::move(ctx));
  EXPECT_EQ(player.Run(), kExitCannotStart);
  EXPECT_EQ(out.str(), "MSGBOX 警告|画面を作れません|OK -> OK\n");
}

// A machine whose display cannot take a window.
class WindowlessPlatform final : public Platform {
 public:
  explicit WindowlessPlatform(HeadlessOptions o) : headless_(std::move(o)) {}
  Clock& GetClock() override { return headless_.GetClock(); }
  EventSource& Events() override { return headless_.Events(); }
  MessageBoxes& Boxes() override { return headless_.Boxes(); }
  std::unique_ptr<AudioDevice> OpenAudio() override { return headless_.OpenAudio(); }
  std::unique_ptr<Window> OpenWindow(const WindowSpec&) override { throw PlatformError("no renderer"); }
  DisplayModeSource& DisplayModes() override { return headless_.DisplayModes(); }
  uint32_t TickIntervalMs() const override { return headless_.TickIntervalMs(); }

 private:
  HeadlessPlatform headless_;
};

TEST(PlayerStartUp, AWindowThatCannotBeMadeIsAStartUpErrorWithCodeThree) {
  PrivateTempFolder game;
  CallLog log;
  testing_host::RecordingParts parts(log);
  std::ostringstream out, diagnostics;
  HeadlessOptions o;
  o.out = &out;
  WindowlessPlatform platform(std::move(o));
  PlayerContext ctx;
  ctx.options.ticks = 3;
  ctx.game.folder = game.Path();
  ctx.log = &diagnostics;
  Player player(platform, parts, std::move(ctx));
  EXPECT_EQ(player.Run(), kExitCannotStart);
  EXPECT_EQ(out.str(), "MSGBOX 警告|ウィンドウを作成できません (no renderer)|OK -> OK\n");
  EXPECT_EQ(std::count(log.begin(), log.end(), "interpreter"), 0);
}

TEST_F(PlayerTest, LosingFocusPausesTicksMediaAndKeysUntilFocusReturns) {
  EXPECT_EQ(Play("2 focus lost\n3 key down a\n5 focus gained\n5 key down b\n", 6), kExitNormal);
  // Ticks 2-4 are suspended; tick 5 gets the whole 60 ms since tick 1.
  EXPECT_EQ(Count("interpreter"), 3);
  EXPECT_EQ(result_.ElapsedMs, 15 + 60 + 15);
  EXPECT_EQ(Count("media pause"), 1);
  EXPECT_EQ(Count("clear keys"), 1);
  EXPECT_EQ(Count("media resume"), 1);
  EXPECT_EQ(Count("key pressed 65"), 0);  // pressed while the player had no focus
  EXPECT_EQ(Count("key pressed 66"), 1);
  EXPECT_TRUE(result_.Active);
}

TEST_F(PlayerTest, TheQuitButtonAsksFirstAndOnlyYesCloses) {
  EXPECT_EQ(Play("2 button quit\n2 answer no\n4 button quit\n4 answer yes\n", 10), kExitNormal);
  EXPECT_EQ(out_.str(),
            "MSGBOX テスト|「テスト」を終了しますか？|Yes/No -> No\n"
            "MSGBOX テスト|「テスト」を終了しますか？|Yes/No -> Yes\n");
  EXPECT_EQ(Count("interpreter"), 3);  // closed before tick 4
}

TEST_F(PlayerTest, ABoxRepeatedUnansweredEndsTheRunWithCodeThree) {
  parts_.box_in_project_step = "again";
  EXPECT_EQ(Play("", 100), kExitCannotStart);
  EXPECT_EQ(Count("interpreter"), 10);
  std::string boxes = out_.str();
  EXPECT_EQ(std::count(boxes.begin(), boxes.end(), '\n'), 9);
  EXPECT_EQ(diagnostics_.str(),
            "rivoplay: the message box \"T|again|OK\" came up 10 times in a row with no answer in the input "
            "script; the run ends\n");
  EXPECT_EQ(Count("Project.Free"), 1);  // shut down as usual

  // Answered by the script now and then, the same box lets the run go on.
  out_.str("");
  diagnostics_.str("");
  EXPECT_EQ(Play("5 answer ok\n12 answer ok\n", 20), kExitNormal);
  EXPECT_EQ(Count("interpreter"), 10 + 20);
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(PlayerTest, TheWindowsCloseRequestEndsThePlayerNormally) {
  EXPECT_EQ(Play("3 close\n", 10), kExitNormal);
  EXPECT_EQ(Count("interpreter"), 2);
  EXPECT_EQ(Count("Project.Free"), 1);
}

TEST_F(PlayerTest, TheFullScreenButtonSwitchesTheDisplayBackAndForth) {
  Play("2 button fullscreen\n", 3);
  EXPECT_TRUE(display_.full_screen);
  Play("2 button fullscreen\n3 button fullscreen\n", 4);
  EXPECT_FALSE(display_.full_screen);
}

TEST_F(PlayerTest, SwitchingTheDisplayGivesUpTheScreensSurfacesAndMakesThemAgain) {
  Play("2 button fullscreen\n", 3);
  EXPECT_EQ(Count("release surfaces"), 1);
  EXPECT_EQ(Count("restore surfaces"), 1);
  auto release = std::find(log_.begin(), log_.end(), "release surfaces");
  ASSERT_NE(release, log_.end());
  EXPECT_EQ(*std::next(release), "restore surfaces");
}

TEST_F(PlayerTest, WithoutADisplayModeLargeEnoughFullScreenIsRefused) {
  modes_ = {{4, 4, 32, 60}, {640, 480, 8, 60}};
  Play("2 button fullscreen\n", 3);
  EXPECT_FALSE(display_.full_screen);
  EXPECT_EQ(Count("release surfaces"), 0);
  full_screen_ = true;
  Play("", 1);
  EXPECT_FALSE(display_.full_screen);
}

TEST_F(PlayerTest, StartsInFullScreenWhenAsked) {
  full_screen_ = true;
  Play("", 1);
  EXPECT_TRUE(display_.full_screen);
}

TEST_F(PlayerTest, DeletesTheOldTraceInTheGameFolderOnly) {
  std::ofstream(game_.Path() / "rivoplay.log") << "old";
  PrivateTempFolder elsewhere;
  std::ofstream(elsewhere.Path() / "rivoplay.log") << "not ours";
  Play("", 0);
  EXPECT_FALSE(std::filesystem::exists(game_.Path() / "rivoplay.log"));
  EXPECT_TRUE(std::filesystem::exists(elsewhere.Path() / "rivoplay.log"));
}

class TempFileParts : public testing_host::RecordingParts {
 public:
  TempFileParts(CallLog& log, std::filesystem::path file) : RecordingParts(log), file_(std::move(file)) {}
  std::unique_ptr<PlayerPart> CreateSystemFunctions(PlayerContext& ctx) override {
    std::ofstream(file_) << "x";
    ctx.TempFilesToDelete.push_back(file_);
    return RecordingParts::CreateSystemFunctions(ctx);
  }

 private:
  std::filesystem::path file_;
};

TEST(PlayerEnd, DeletesTheRegisteredTemporaryFilesAfterTheFileManagerIsGone) {
  PrivateTempFolder game;
  CallLog log;
  TempFileParts parts(log, game.Path() / "wall.bmp");
  HeadlessPlatform platform(HeadlessOptions{});
  PlayerContext ctx;
  ctx.options.ticks = 1;
  ctx.game.folder = game.Path();
  Player player(platform, parts, std::move(ctx));
  EXPECT_EQ(player.Run(), kExitNormal);
  EXPECT_FALSE(std::filesystem::exists(game.Path() / "wall.bmp"));
  EXPECT_TRUE(player.Context().TempFilesToDelete.empty());
}

TEST(PlayerOnSdl, OpensTheWindowTicksOnTheRealClockAndShutsDown) {
  PrivateTempFolder game;
  CallLog log;
  testing_host::RecordingParts parts(log);
  std::ostringstream diagnostics;
  std::unique_ptr<Platform> platform;
  try {
    platform = CreateSdlPlatform(diagnostics);
  } catch (const PlatformError& e) {
    GTEST_SKIP() << e.what();
  }
  PlayerContext ctx;
  ctx.options.ticks = 3;
  ctx.game.folder = game.Path();
  ctx.log = &diagnostics;
  Player player(*platform, parts, std::move(ctx));
  EXPECT_EQ(player.Run(), kExitNormal);
  EXPECT_EQ(std::count(log.begin(), log.end(), "interpreter"), 3);
  EXPECT_EQ(std::count(log.begin(), log.end(), "compose"), 3);
  EXPECT_GE(player.Context().ElapsedMs, 3 * 10);  // measured, about 15 ms apart
}

}  // namespace
}  // namespace rivo

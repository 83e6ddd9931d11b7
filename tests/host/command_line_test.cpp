// rivoplay's command line.

#include "host/command_line.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

PlayerOptions Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(CommandLine, ReadsEveryOption) {
  PlayerOptions o = Parse({"--headless", "--ticks", "3", "--tick-ms=20", "--seed", "42", "--input", "in.txt",
                           "--trace", "t.txt", "--dump-vars", "v.json", "--screenshot", "s.png", "--fullscreen",
                           "--scale", "2", "--test-fonts", "--soundfont", "gm.sf2", "--audio-out", "a.wav", "game",
                           "more"});
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.ticks, 3u);
  EXPECT_EQ(o.tick_ms, 20u);
  EXPECT_EQ(o.seed, 42u);
  EXPECT_EQ(o.input, "in.txt");
  EXPECT_EQ(o.trace, "t.txt");
  EXPECT_EQ(o.dump_vars, "v.json");
  EXPECT_EQ(o.screenshot, "s.png");
  EXPECT_TRUE(o.full_screen);
  EXPECT_TRUE(o.test_fonts);
  EXPECT_EQ(o.scale, 2);
  EXPECT_EQ(o.sound_font, "gm.sf2");
  EXPECT_EQ(o.audio_out, "a.wav");
  EXPECT_EQ(o.games, (std::vector<std::string>{"game", "more"}));
  EXPECT_FALSE(o.help || o.config);
}

TEST(CommandLine, ScreenshotsAtTicksAreRepeatableAndTheFileMayHoldColons) {
  PlayerOptions o = Parse({"--headless", "--screenshot-at", "3:a.png", "--screenshot-at=10:c:/b.png",
                           "--invalidate-all"});
  ASSERT_EQ(o.screenshots_at.size(), 2u);
  EXPECT_EQ(o.screenshots_at[0], (std::pair<uint64_t, std::filesystem::path>{3, "a.png"}));
  EXPECT_EQ(o.screenshots_at[1], (std::pair<uint64_t, std::filesystem::path>{10, "c:/b.png"}));
  EXPECT_TRUE(o.invalidate_all);
  EXPECT_FALSE(Parse({}).invalidate_all);
}

TEST(CommandLine, DefaultsLeaveEverythingOff) {
  PlayerOptions o = Parse({});
  EXPECT_TRUE(o.games.empty());
  EXPECT_FALSE(o.headless);
  EXPECT_FALSE(o.ticks);
  EXPECT_EQ(o.tick_ms, 15u);
  EXPECT_FALSE(o.seed);
  EXPECT_EQ(o.scale, 1);
}

TEST(CommandLine, ConfigSwitchAsFirstArgumentInAnyCaseOrAsAnOption) {
  EXPECT_TRUE(Parse({"/config"}).config);
  EXPECT_TRUE(Parse({"/CONFIG", "game"}).config);
  EXPECT_TRUE(Parse({"--config"}).config);
  PlayerOptions later = Parse({"game", "/config"});  // only the first argument is the switch
  EXPECT_FALSE(later.config);
  EXPECT_EQ(later.games.size(), 2u);
}

TEST(CommandLine, HelpAndArgumentsAfterTheEndOfOptions) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_EQ(Parse({"--", "--headless"}).games, (std::vector<std::string>{"--headless"}));
  EXPECT_FALSE(Parse({"--", "--headless"}).headless);
}

TEST(CommandLine, UsageErrorsAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"},        {"--ticks"},        {"--ticks", "x"},        {"--ticks", "-1"},
      {"--tick-ms", "0"}, {"--tick-ms=1001"}, {"--scale", "0"},        {"--scale", "17"},
      {"--seed", "4294967296"}, {"--headless=1"}, {"--input", "f"},     // --input without --headless
      {"--ticks", "3x", "--headless"},
      {"--headless", "--screenshot-at", "a.png"},  {"--headless", "--screenshot-at", "0:a.png"},
      {"--headless", "--screenshot-at", "3:"},     {"--screenshot-at", "3:a.png"},  // needs --headless
      {"--invalidate-all=1"},
      {"--audio-out"},    {"--audio-out="},  // a file must be named
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(args.front());
    EXPECT_THROW(Parse(args), UsageError);
  }
}

TEST(CommandLine, HelpListsEveryOption) {
  std::string help = HelpText();
  for (const char* option : {"--headless", "--ticks", "--tick-ms", "--seed", "--input", "--trace", "--dump-vars",
                             "--screenshot", "--screenshot-at", "--invalidate-all", "--fullscreen", "--scale", "--soundfont", "--audio-out", "--config", "--help"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace rivo

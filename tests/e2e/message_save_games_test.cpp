// A message window inside a whole-player game save: the first run saves
// while the window types the second row of its page, the second run loads
// that save at once. The loaded window shows the glyphs revealed at the
// save and types on from the next one, frame for frame as the first run
// did, and PR_TEXT reads the same revealed text.

#include <gtest/gtest.h>

#include <regex>

#include "e2e/game_runner.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

// The whole page: twenty glyphs 32 ms apart, twelve to a row.
const std::string kPage = "\"あいうえおかきくけこさしすせそたちつてと\"";
constexpr int kSaveTick = 30;

// The frames shown after ticks first to last, each kept once: the window's
// look after every revealed glyph.
std::vector<FrameBuffer> DistinctFrames(const fs::path& game, const std::string& options, const fs::path& dir,
                                        int first, int last, PlayResult& run) {
  fs::create_directories(dir);
  std::string shots;
  for (int tick = first; tick <= last; ++tick)
    shots += " --screenshot-at " + std::to_string(tick) + ":'" + (dir / (std::to_string(tick) + ".png")).string() + "'";
  run = Play(game, "--test-fonts --ticks 200 " + options + shots, dir);
  std::vector<FrameBuffer> frames;
  for (int tick = first; tick <= last; ++tick) {
    // A run ends once its page is typed; its last frame stays.
    if (!fs::exists(dir / (std::to_string(tick) + ".png"))) continue;
    FrameBuffer frame = testing_png::ReadPng(dir / (std::to_string(tick) + ".png"));
    if (frames.empty() || frames.back().pixels != frame.pixels) frames.push_back(std::move(frame));
  }
  return frames;
}

TEST(MessageSaveGames, AWindowSavedWhileTypingComesBackWithItsGlyphsAndTypesOnFromTheNext) {
  Scratch s;
  const fs::path game = BuildGame("mestyping", s.Path() / "game");
  PlayResult first;
  std::vector<FrameBuffer> saved_on = DistinctFrames(
      game, "--event " + std::to_string(kSaveTick) + ",save.rsb", s.Path() / "first", kSaveTick, 60, first);
  ASSERT_EQ(first.exit_code, 0) << first.err;
  ASSERT_TRUE(fs::exists(game / "save.dat"));
  EXPECT_TRUE(first.HasVar("final", "string", kPage)) << first.vars;
  // Saved on the second row: more than twelve glyphs, not all twenty.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(first.vars, m, std::regex(R"re("atsave": \{"kind": "string", "value": ("[^"]*")\})re")))
      << first.vars;
  const std::string at_save = m[1];
  EXPECT_GT(at_save.size(), 2 + 12 * 3u);
  EXPECT_LT(at_save.size(), kPage.size());
  EXPECT_EQ(kPage.compare(0, at_save.size() - 1, at_save, 0, at_save.size() - 1), 0) << at_save;

  PlayResult second;
  std::vector<FrameBuffer> loaded = DistinctFrames(game, "", s.Path() / "second", 1, 40, second);
  ASSERT_EQ(second.exit_code, 0) << second.err;
  // The load page reads the text the save held; every glyph after it was
  // typed once (PR_ONPLAYING appends to what the save's variables held).
  EXPECT_TRUE(second.HasVar("atload", "string", at_save)) << second.vars;
  EXPECT_TRUE(second.HasVar("typed", "string", kPage)) << second.vars;
  EXPECT_TRUE(second.HasVar("final", "string", kPage)) << second.vars;
  // The first frame after the load (the load's own tick is not drawn) shows
  // the saved glyphs, or those and the next; from there on the glyphs come
  // one by one as they did after the save.
  ASSERT_GE(saved_on.size(), 3u);
  ASSERT_FALSE(loaded.empty());
  const std::size_t from = loaded.front().pixels == saved_on[0].pixels ? 0 : 1;
  EXPECT_TRUE(loaded.front().pixels == saved_on[from].pixels) << "the first frame after the load";
  ASSERT_EQ(loaded.size(), saved_on.size() - from);
  for (std::size_t i = 0; i < loaded.size(); ++i)
    EXPECT_TRUE(loaded[i].pixels == saved_on[from + i].pixels) << "frame " << i << " after the load";
}

}  // namespace
}  // namespace rivo::e2e

// Whole-player runs of a message window: text typed glyph by glyph with
// its events, the page-start argument that tells a page read before, a
// link click, and the frames of the window, which must be the same whether
// the text came from a TextIns command or as markup through PR_TEXT; then
// pausing the typing, links that let clicks on plain text through, and
// paging with PR_INDEX, each from its own scene of the same game.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/game_runner.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

std::string Input(const fs::path& scratch, const std::string& lines) {
  fs::path file = scratch / "input.txt";
  std::ofstream(file) << lines;
  return "--input '" + file.string() + "'";
}

// The lit pixels of the window's area (10, 10, 200 x 40).
int LitPixels(const FrameBuffer& f) {
  int lit = 0;
  for (int y = 10; y < 50; ++y)
    for (int x = 10; x < 210; ++x) lit += f.At(x, y) != 0;
  return lit;
}

std::vector<FrameBuffer> Frames(const fs::path& game, const fs::path& dir, int first, int last) {
  std::string shots;
  for (int tick = first; tick <= last; ++tick)
    shots += " --screenshot-at " + std::to_string(tick) + ":'" + (dir / (std::to_string(tick) + ".png")).string() + "'";
  PlayResult run = Play(game, "--test-fonts --ticks " + std::to_string(last + 1) + shots, dir);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  std::vector<FrameBuffer> frames;
  for (int tick = first; tick <= last; ++tick) frames.push_back(testing_png::ReadPng(dir / (std::to_string(tick) + ".png")));
  return frames;
}

// The message game started from another scene; the edits replace text in
// that scene (e.g. to turn a setting off).
fs::path GameFrom(const fs::path& scratch, const std::string& scene,
                  const std::vector<std::pair<std::string, std::string>>& edits = {}) {
  fs::path source = scratch / ("src_" + scene);
  fs::copy(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games/message", source);
  auto rewrite = [](const fs::path& file, const std::string& from, const std::string& to) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::string body = text.str();
    std::size_t at = body.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) body.replace(at, from.size(), to);
    std::ofstream(file) << body;
  };
  rewrite(source / "rivo.rpb.txt", "start main.rsb", "start " + scene + ".rsb");
  for (const auto& [from, to] : edits) rewrite(source / "window.rsb.txt", from, to);
  return BuildSources(source, scratch / ("game_" + scene));
}

// The log entries "TEXT@UPDATE;" left by typed.rsb and the scenes, in order.
std::vector<std::pair<std::string, int>> LogEntries(const PlayResult& run) {
  std::vector<std::pair<std::string, int>> entries;
  std::smatch m;
  if (!std::regex_search(run.vars, m, std::regex(R"re("log": \{"kind": "string", "value": "([^"]*)")re"))) return entries;
  std::string log = m[1];
  std::regex entry("([^@;]*)@([0-9]+);");
  for (auto it = std::sregex_iterator(log.begin(), log.end(), entry); it != std::sregex_iterator(); ++it)
    entries.emplace_back((*it)[1], std::stoi((*it)[2]));
  return entries;
}

// The summed brightness of the window's area: grows while glyphs fade in.
long Brightness(const FrameBuffer& f) {
  long sum = 0;
  for (int y = 10; y < 50; ++y)
    for (int x = 10; x < 210; ++x) sum += f.At(x, y) & 0xff;
  return sum;
}

TEST(MessageGames, TextTypesWithEventsReadMarksAndALink) {
  Scratch s;
  fs::path game = BuildGame("message", s.Path() / "game");
  // A click on the link while it types does nothing; once the page is
  // complete the link takes the click, which @LClick then never sees. The
  // pointer leaves and comes back, since a link lights up only as the
  // pointer moves onto it.
  PlayResult run = Play(game,
                        "--test-fonts --ticks 300 " + Input(s.Path(), "45 down left 80 18\n45 up left 80 18\n"
                                                                      "69 move 1 1\n"
                                                                      "70 move 80 18\n71 down left 80 18\n"
                                                                      "71 up left 80 18\n"),
                        s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // Each round inserts the same text with read marks: the page starts with
  // "0", then "1" once it was read to the end, then "0" again after
  // ClrRead. Typing begins in the tick after the start event ran (update
  // 0), so the first typed text arrives in update 2. The two adjacent
  // events come in one batch.
  EXPECT_TRUE(run.HasVar("log", "string",
                         "\"start0@0;n:ev1;n:e2a;n:e2b;end@12;text=abcd;"
                         "start1@12;n:ev1;n:e2a;n:e2b;end@24;text=abcd;"
                         "start0@24;n:ev1;n:e2a;n:e2b;end@36;text=abcd;"
                         "start0@36;end@61;link3:here,p1,p2;count=0;\""))
      << run.vars;
  EXPECT_TRUE(run.HasVar("typed", "string", "\"abcdabcdabcdGo here!\"")) << run.vars;
  EXPECT_TRUE(run.HasVar("firsttyped", "integer", "2")) << run.vars;
  EXPECT_TRUE(run.HasVar("lclicks", "integer", "0")) << run.vars;
}

TEST(MessageGames, GlyphsAppearOneByOneAndMarkupGivesTheSameFrames) {
  Scratch s;
  fs::path game = BuildGame("message", s.Path() / "game");
  fs::create_directories(s.Path() / "a");
  std::vector<FrameBuffer> inserted = Frames(game, s.Path() / "a", 1, 14);
  // The first tick shows nothing; then each glyph (30 ms apart, two ticks)
  // adds pixels until the four are there.
  EXPECT_EQ(LitPixels(inserted[0]), 0);
  std::vector<int> lit;
  for (const FrameBuffer& f : inserted) lit.push_back(LitPixels(f));
  for (std::size_t i = 1; i < lit.size(); ++i) EXPECT_GE(lit[i], lit[i - 1]) << i;
  EXPECT_GT(lit[2], 0);
  EXPECT_GT(lit[4], lit[2]);
  EXPECT_GT(lit[8], lit[6]);

  // The same text as markup through PR_TEXT (no read marks: the frames of
  // the first page do not depend on them).
  fs::path source = s.Path() / "markup";
  fs::copy(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games/message", source);
  std::ifstream in(source / "main.rsb.txt");
  std::stringstream text;
  text << in.rdbuf();
  in.close();
  std::string page = std::regex_replace(
      text.str(), std::regex("TextIns (<WAIT[^\n]*)\n  \\. window \"mes\"\n  \\. read TRUE\n"),
      "SetProp \"mes\"\n  . property 50\n  . value \"$1\"\n");
  ASSERT_NE(page, text.str());
  std::ofstream(source / "main.rsb.txt") << page;
  fs::path markup_game = BuildSources(source, s.Path() / "markup_game");
  fs::create_directories(s.Path() / "b");
  std::vector<FrameBuffer> markup = Frames(markup_game, s.Path() / "b", 1, 14);
  ASSERT_EQ(markup.size(), inserted.size());
  for (std::size_t i = 0; i < markup.size(); ++i) EXPECT_TRUE(markup[i].pixels == inserted[i].pixels) << "tick " << i + 1;
}

TEST(MessageGames, TextPausedHoldsNewGlyphsLetsFadingOnesFinishAndResumesWithoutAJump) {
  // Ten glyphs 30 ms apart, each fading in over 100 ms; the scene pauses
  // the typing in update 8 and resumes it in update 30.
  Scratch s;
  fs::path game = GameFrom(s.Path(), "pause");
  PlayResult run = Play(game,
                        "--test-fonts --ticks 120 --screenshot-at 8:'" + (s.Path() / "8.png").string() +
                            "' --screenshot-at 20:'" + (s.Path() / "20.png").string() + "' --screenshot-at 29:'" +
                            (s.Path() / "29.png").string() + "'",
                        s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::vector<std::pair<std::string, int>> log = LogEntries(run);
  int paused = -1, resumed = -1;
  std::string typed, after;
  int first_after = 0;
  for (const auto& [text, update] : log) {
    if (text == "pause") paused = update;
    else if (text == "resume") resumed = update;
    else if (text != "start0" && text != "end") {
      typed += text;
      if (paused >= 0 && resumed < 0) { EXPECT_LE(update, paused + 1) << "typed while paused: " << text; }
      if (resumed >= 0) {
        if (after.empty()) first_after = update;
        after += text;
        EXPECT_EQ(text.size(), 1u) << "catching up after the pause: " << text;
      }
    }
  }
  ASSERT_EQ(paused, 8) << run.vars;
  ASSERT_EQ(resumed, 30) << run.vars;
  EXPECT_EQ(typed, "abcdefghij") << run.vars;
  EXPECT_FALSE(after.empty()) << run.vars;
  EXPECT_LE(first_after, resumed + 3) << run.vars;

  // Glyphs fading when the pause came finish; then the frame stands still.
  FrameBuffer at_pause = testing_png::ReadPng(s.Path() / "8.png");
  FrameBuffer settled = testing_png::ReadPng(s.Path() / "20.png");
  FrameBuffer later = testing_png::ReadPng(s.Path() / "29.png");
  EXPECT_GT(Brightness(settled), Brightness(at_pause));
  EXPECT_TRUE(settled.pixels == later.pixels);
}

TEST(MessageGames, CaptureLinkLetsClicksOnPlainTextThrough) {
  // Below the window ("below" sorts under "mes") lies a second window with
  // a link "Go" right under the plain "Go"; it takes the mouse only over
  // that link. Three clicks: on the plain "Go", on empty window area, on
  // the window's own link. With PR_CAPTURELINK the first reaches the link
  // below and the second @LClick; without it the window swallows both. The
  // window's own link takes its click either way.
  const std::string clicks = "39 move 14 18\n40 down left 14 18\n40 up left 14 18\n"
                             "44 move 190 40\n45 down left 190 40\n45 up left 190 40\n"
                             "50 move 1 1\n51 move 80 18\n52 down left 80 18\n52 up left 80 18\n";
  struct Case {
    const char* capture;
    const char* links;
    const char* lclicks;
  } cases[] = {{"PR_CAPTURELINK 1", "link3:Go,u1,u2;link3:here,p1,p2;", "1"},
               {"PR_CAPTURELINK 0", "link3:here,p1,p2;", "0"}};
  for (const Case& c : cases) {
    Scratch s;
    fs::path game = GameFrom(s.Path(), "capture", {{"PR_CAPTURELINK 1", c.capture}});
    PlayResult run = Play(game, "--test-fonts --ticks 200 " + Input(s.Path(), clicks), s.Path());
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(run.HasVar("log", "string", "\"start0@0;Go here!@3;end@11;" + std::string(c.links) + "\""))
        << c.capture << "\n" << run.vars;
    EXPECT_TRUE(run.HasVar("lclicks", "integer", c.lclicks)) << c.capture << "\n" << run.vars;
  }
}

TEST(MessageGames, IndexShowsTheNextPage) {
  Scratch s;
  fs::path game = GameFrom(s.Path(), "pages");
  PlayResult run = Play(game, "--test-fonts --ticks 300", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // Four rows of 16 px in a 40 px window make two pages. Setting PR_INDEX
  // starts the second one like new text: the start event, its glyphs typed
  // one by one, the end event; PR_TEXT reads the revealed text of the page
  // shown.
  EXPECT_TRUE(run.HasVar("log", "string",
                         "\"start0@0;a@3;b@5;c@7;d@9;end@16;count=2;text=ab\\r\\ncd\\r\\n;"
                         "start0@16;e@19;f@21;g@23;h@25;end@32;index=1;text=ef\\r\\ngh;\""))
      << run.vars;
}

}  // namespace
}  // namespace rivo::e2e

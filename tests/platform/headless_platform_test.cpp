// The headless back end: virtual clock, scripted input, message boxes on
// standard output, frame dumps, the null sound device.

#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/headless/null_audio_device.h"
#include "platform/private_temp_folder.h"
#include "read_png.h"

namespace rivo {
namespace {

// Drives the platform as the frame loop does: deadlines every tick_ms,
// events collected per tick.
std::vector<std::vector<InputKind>> EventsPerTick(HeadlessPlatform& p, int ticks) {
  std::vector<std::vector<InputKind>> per_tick;
  uint64_t deadline = p.GetClock().NowMs();
  for (int t = 1; t <= ticks; ++t) {
    deadline += p.TickIntervalMs();
    std::vector<InputKind> kinds;
    while (std::optional<InputEvent> e = p.Events().WaitEvent(deadline)) kinds.push_back(e->kind);
    EXPECT_EQ(p.GetClock().NowMs(), deadline);
    per_tick.push_back(kinds);
  }
  return per_tick;
}

TEST(HeadlessPlatform, HandsOutEachTicksEventsBeforeItsDeadlineAndMovesTimeInFixedSteps) {
  HeadlessOptions o;
  o.tick_ms = 20;
  o.script = ParseInputScript("1 key down a\n3 move 1 1\n3 key up a\n");
  HeadlessPlatform p(std::move(o));
  std::vector<std::vector<InputKind>> got = EventsPerTick(p, 4);
  EXPECT_EQ(got[0], (std::vector{InputKind::kKeyDown}));
  EXPECT_TRUE(got[1].empty());
  EXPECT_EQ(got[2], (std::vector{InputKind::kMouseMove, InputKind::kKeyUp}));
  EXPECT_TRUE(got[3].empty());
  EXPECT_EQ(p.GetClock().NowMs(), 80u);
  EXPECT_EQ(p.TicksReached(), 4u);
}

TEST(HeadlessPlatform, AWarpedPointerReachesTheLoopAsAMoveBeforeTheScriptsEvents) {
  HeadlessOptions o;
  o.script = ParseInputScript("2 move 1 1\n");
  HeadlessPlatform p(std::move(o));
  std::unique_ptr<Window> w = p.OpenWindow({.screen_width = 4, .screen_height = 4});
  w->WarpMouse({3, 2});
  EXPECT_EQ(w->MousePosition(), (DisplayPoint{3, 2}));
  uint64_t deadline = p.GetClock().NowMs() + p.TickIntervalMs();
  std::optional<InputEvent> e = p.Events().WaitEvent(deadline);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, InputKind::kMouseMove);
  EXPECT_EQ((DisplayPoint{e->x, e->y}), (DisplayPoint{3, 2}));
  EXPECT_FALSE(p.Events().WaitEvent(deadline));
}

TEST(HeadlessPlatform, RecordsThePointerNameAndOffersAFixedThirtyTwoBitDisplay) {
  HeadlessPlatform p{HeadlessOptions{}};
  std::unique_ptr<Window> w = p.OpenWindow({.screen_width = 4, .screen_height = 4});
  CursorImage hand{.width = 1, .height = 1, .argb = {0xFF000000}};
  w->SetCursor("hand.cur", &hand);
  EXPECT_EQ(p.Display().cursor_name, "hand.cur");
  w->SetCursor("", nullptr);
  EXPECT_EQ(p.Display().cursor_name, "");
  EXPECT_EQ(p.DisplayModes().DesktopBits(), 32u);
  std::vector<DisplayMode> modes = p.DisplayModes().ListModes();
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.front(), (DisplayMode{640, 480, 32, 60}));
}

TEST(HeadlessPlatform, MessageBoxesPrintOneLineAndTakeTheScriptsAnswers) {
  std::ostringstream out;
  HeadlessOptions o;
  o.out = &out;
  o.script = ParseInputScript("1 answer no\n1 answer yes\n");
  HeadlessPlatform p(std::move(o));
  EventsPerTick(p, 1);
  EXPECT_EQ(p.Boxes().Show("題名", "「題名」を終了しますか？", MessageButtons::kYesNo, MessageIcon::kQuestion),
            MessageAnswer::kNo);
  // "yes" does not fit an OK box: the box gets OK and the answer is used up.
  EXPECT_EQ(p.Boxes().Show("警告", "two\nlines", MessageButtons::kOk, MessageIcon::kWarning), MessageAnswer::kOk);
  EXPECT_EQ(p.Boxes().Show("c", "t", MessageButtons::kOkCancel, MessageIcon::kInformation), MessageAnswer::kOk);
  EXPECT_EQ(out.str(),
            "MSGBOX 題名|「題名」を終了しますか？|Yes/No -> No\n"
            "MSGBOX 警告|two lines|OK -> OK\n"
            "MSGBOX c|t|OK/Cancel -> OK\n");
}

TEST(HeadlessPlatform, UnscriptedBoxesGetTheAnswerTheAskerGivesForNobodyThere) {
  std::ostringstream out;
  HeadlessOptions o;
  o.out = &out;
  o.script = ParseInputScript("1 answer ok\n1 answer yes\n");
  HeadlessPlatform p(std::move(o));
  EventsPerTick(p, 1);
  const auto disc = [&] {
    return p.Boxes().Show("T", "disc", MessageButtons::kOkCancel, MessageIcon::kInformation, MessageAnswer::kCancel);
  };
  EXPECT_EQ(disc(), MessageAnswer::kOk);      // scripted: as asked
  EXPECT_EQ(disc(), MessageAnswer::kCancel);  // "yes" does not fit and is used up
  EXPECT_EQ(disc(), MessageAnswer::kCancel);  // nothing queued
  EXPECT_EQ(out.str(),
            "MSGBOX T|disc|OK/Cancel -> OK\n"
            "MSGBOX T|disc|OK/Cancel -> Cancel\n"
            "MSGBOX T|disc|OK/Cancel -> Cancel\n");
}

TEST(HeadlessPlatform, TheSameBoxUnansweredTenTimesInARowGivesTheRunUp) {
  std::ostringstream out;
  ConsoleMessageBoxes boxes(out);
  const auto show = [&](const std::string& text) {
    return boxes.Show("T", text, MessageButtons::kOk, MessageIcon::kWarning);
  };
  const auto printed = [&] {
    const std::string text = out.str();
    return std::count(text.begin(), text.end(), '\n');
  };
  // A scripted answer or another box in between starts the count again.
  for (int i = 0; i < 9; ++i) show("again");
  boxes.QueueAnswer(MessageAnswer::kOk);
  show("again");
  for (int i = 0; i < 9; ++i) show("again");
  show("other");
  for (int i = 0; i < 9; ++i) show("again");
  EXPECT_EQ(printed(), 29);
  try {
    show("again");
    FAIL() << "the tenth unanswered box in a row should end the run";
  } catch (const AbandonedRun& abandoned) {
    EXPECT_EQ(abandoned.reason,
              "the message box \"T|again|OK\" came up 10 times in a row with no answer in the input script; the run ends");
  }
  EXPECT_EQ(printed(), 29);  // the tenth is not printed
  // Given up once; the boxes of the shutdown still get answers.
  EXPECT_EQ(show("again"), MessageAnswer::kOk);
}

TEST(HeadlessPlatform, DumpsTheFrameShownAfterTheChosenTick) {
  PrivateTempFolder temp;
  std::ostringstream log;
  HeadlessOptions o;
  o.log = &log;
  o.script = ParseInputScript("2 screenshot " + (temp.Path() / "two.png").string() + "\n9 screenshot " +
                              (temp.Path() / "never.png").string() + "\n");
  {
    HeadlessPlatform p(std::move(o));
    std::unique_ptr<Window> w = p.OpenWindow({.screen_width = 4, .screen_height = 3});
    FrameBuffer frame(4, 3);
    uint64_t deadline = 0;
    for (int t = 1; t <= 3; ++t) {
      deadline += p.TickIntervalMs();
      while (p.Events().WaitEvent(deadline)) {
      }
      // "tick t" draws its number into pixel (0, 0)
      frame.At(0, 0) = static_cast<uint32_t>(t);
      w->Present(frame, std::vector<DisplayRect>{{0, 0, 1, 1}});
      EXPECT_EQ(std::filesystem::exists(temp.Path() / "two.png"), t >= 3);
    }
    EXPECT_EQ(p.Display().shown.At(0, 0), 3u);
  }
  FrameBuffer two = testing_png::ReadPng(temp.Path() / "two.png");
  ASSERT_EQ(two.width, 4);
  EXPECT_EQ(two.At(0, 0), 2u);
  EXPECT_FALSE(std::filesystem::exists(temp.Path() / "never.png"));
}

TEST(HeadlessWindow, CopiesOnlyTheChangedRectanglesToWhatItShows) {
  HeadlessPlatform p(HeadlessOptions{});
  std::unique_ptr<Window> w = p.OpenWindow({.screen_width = 4, .screen_height = 4});
  EXPECT_FALSE(p.Display().has_frame);
  FrameBuffer frame(4, 4);
  for (uint32_t& px : frame.pixels) px = 0x00FFFFFF;
  std::vector<DisplayRect> changed{{1, 1, 3, 2}, {-5, 3, 1, 9}};
  w->Present(frame, changed);
  EXPECT_TRUE(p.Display().has_frame);
  const FrameBuffer& shown = p.Display().shown;
  EXPECT_EQ(shown.At(0, 0), 0u);
  EXPECT_EQ(shown.At(1, 1), 0x00FFFFFFu);
  EXPECT_EQ(shown.At(2, 1), 0x00FFFFFFu);
  EXPECT_EQ(shown.At(3, 1), 0u);
  EXPECT_EQ(shown.At(0, 3), 0x00FFFFFFu);
  EXPECT_EQ(shown.At(1, 3), 0u);
}

class CountingSource : public AudioSource {
 public:
  void Render(std::span<int16_t> samples) override {
    frames += samples.size() / kAudioChannels;
    for (int16_t s : samples) EXPECT_EQ(s, 0);
  }
  uint64_t frames = 0;
};

TEST(NullAudioDevice, PullsFortyFourThousandOneHundredFramesPerVirtualSecond) {
  HeadlessPlatform p(HeadlessOptions{});
  std::unique_ptr<AudioDevice> device = p.OpenAudio();
  EXPECT_FALSE(device->Audible());
  EXPECT_TRUE(device->Discards());
  CountingSource source;
  device->SetSource(&source);
  uint64_t deadline = 0;
  for (int t = 0; t < 200; ++t) {  // 200 ticks of 15 ms: 3 s, in uneven sample counts per tick
    deadline += 15;
    while (p.Events().WaitEvent(deadline)) {
    }
  }
  EXPECT_EQ(source.frames, 3u * 44100u);
  device->SetSource(nullptr);
}

}  // namespace
}  // namespace rivo

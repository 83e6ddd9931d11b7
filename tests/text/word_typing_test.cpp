// Typing a laid-out page: the pace of revealing, fading in, events and the
// single report of completion.

#include <gtest/gtest.h>

#include <vector>

#include "text/qn_word.h"

namespace rivo {
namespace {

struct Typist {
  TQnWord word;
  TWdPages pages;
  std::vector<std::string> events;

  Typist(std::string_view markup, int32_t wait, int32_t rate, int32_t fade) {
    word.ParseText(markup, wait);
    word.FontHeight = 10;
    word.WrapWidth = 200;
    word.PageHeight = 100;
    word.TextDelayRate = rate;
    word.FadeTime = fade;
    word.EventsEnabled = 1;
    word.OnEvent = [this](const std::string& e) { events.push_back(e); };
    word.Layout(pages);
  }
  TWdPage& Page() { return *pages.at(0); }
  TQnWord::StepResult Step(int32_t ms) { return word.TypeStep(Page(), ms); }
  const TWdReal& Real(int32_t index) { return dynamic_cast<const TWdReal&>(word[index]); }
};

// The time (in 10 ms ticks, the first at 0) at which each character appears.
std::vector<int32_t> RevealTimes(Typist& t, int32_t ticks) {
  std::vector<int32_t> times;
  for (int32_t tick = 0; tick < ticks; ++tick) {
    std::string typed = t.Step(10).typed;
    for (std::size_t i = 0; i < typed.size(); ++i) times.push_back(tick * 10);
  }
  return times;
}

TEST(WordTyping, ThePaceFollowsWaitAndRate) {
  struct Case {
    const char* markup;
    int32_t wait, rate;
    std::vector<int32_t> times;
  };
  const Case cases[] = {
      {"abcd", 50, 256, {0, 50, 100, 150}},
      {"abcd", 50, 512, {0, 100, 200, 300}},
      {"abcd", 50, 0, {0, 0, 0, 0}},
      {"abcd", 0, 256, {0, 0, 0, 0}},
      // A negative wait is an absolute delay at any rate that is not negative.
      {"<WAIT VALUE=-200>ab</WAIT>c", 0, 256, {0, 200, 400}},
      {"<WAIT VALUE=-200>ab</WAIT>c", 0, 0, {0, 200, 400}},
      {"<WAIT VALUE=-200>ab</WAIT>c", 0, 1000, {0, 200, 400}},
      {"<WAIT VALUE=-200>ab</WAIT>c", 0, -1, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    Typist t(c.markup, c.wait, c.rate, 0);
    EXPECT_EQ(RevealTimes(t, 50), c.times) << c.markup << " rate " << c.rate;
  }
}

TEST(WordTyping, GlyphsFadeInOverTheFadeTime) {
  Typist instant("ab", 0, 0, 0);
  instant.Step(16);
  EXPECT_EQ(instant.Real(0).Alpha(), 255);
  EXPECT_EQ(instant.Real(1).Alpha(), 255);

  Typist slow("a", 0, 0, 300);
  slow.Step(10);  // the first step only reveals
  EXPECT_EQ(slow.Real(0).Alpha(), 0);
  int32_t ms = 0;
  uint8_t previous = 0;
  while (slow.Real(0).Alpha() < 255 && ms < 1000) {
    slow.Step(10);
    ms += 10;
    EXPECT_GE(slow.Real(0).Alpha(), previous);
    previous = slow.Real(0).Alpha();
  }
  EXPECT_GE(ms, 290);
  EXPECT_LE(ms, 310);
}

TEST(WordTyping, CompletionIsReportedOnce) {
  Typist t("ab", 0, 0, 0);
  std::vector<bool> done;
  for (int i = 0; i < 4; ++i) done.push_back(t.Step(10).done);
  EXPECT_EQ(done, (std::vector<bool>{false, true, false, false}));
  t.word.RewindPage(t.Page());
  EXPECT_EQ(t.Step(10).typed, "ab");
  EXPECT_TRUE(t.Step(10).done);
}

TEST(WordTyping, EventsStopTypingUntilHandedOn) {
  Typist t("ab<EVENT VALUE=x>cd", 0, 0, 20);
  EXPECT_EQ(t.Step(10).typed, "ab");
  EXPECT_TRUE(t.events.empty());  // a and b still fade
  EXPECT_EQ(t.Step(10).typed, "");
  EXPECT_TRUE(t.events.empty());
  EXPECT_EQ(t.Step(10).typed, "");
  EXPECT_EQ(t.events, std::vector<std::string>{"x"});
  EXPECT_EQ(t.Page().FadingList.size(), 0u);
  // Typing resumes without counting the step's time: c and d start at 0.
  EXPECT_EQ(t.Step(1000).typed, "cd");
  EXPECT_EQ(t.Real(3).Alpha(), 0);
}

TEST(WordTyping, AdjacentEventsComeInOneBatchUnlessEnded) {
  Typist together("a<EVENT VALUE=x><EVENT VALUE=y>b", 0, 0, 0);
  together.Step(10);
  EXPECT_EQ(together.events, (std::vector<std::string>{"x", "y"}));

  Typist ended("a<EVENT VALUE=x END><EVENT VALUE=y>b", 0, 0, 0);
  EXPECT_EQ(ended.Step(10).typed, "a");
  EXPECT_EQ(ended.events, std::vector<std::string>{"x"});
  EXPECT_EQ(ended.Step(10).typed, "");
  EXPECT_EQ(ended.events, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(ended.Step(10).typed, "b");

  // Without EventsEnabled the events pass unnoticed.
  Typist off("a<EVENT VALUE=x>b", 0, 0, 0);
  off.word.EventsEnabled = 0;
  EXPECT_EQ(off.Step(10).typed, "ab");
  EXPECT_TRUE(off.events.empty());
}

TEST(WordTyping, PauseHoldsNewGlyphsAndTheCaretFollows) {
  Typist t("ab", 50, 256, 0);
  t.word.Paused = 1;
  EXPECT_EQ(t.Step(10).typed, "");
  t.word.Paused = 0;
  EXPECT_EQ(t.Step(10).typed, "a");
  EXPECT_EQ(t.word.CaretX, 10);
  EXPECT_EQ(t.word.CaretHeight, 10);
  EXPECT_FALSE(t.word.DirtyRects.empty());
  EXPECT_TRUE(t.word.StillTyping(t.Page()));
  t.Step(50);
  EXPECT_EQ(t.word.CaretX, 20);
  EXPECT_FALSE(t.word.StillTyping(t.Page()));
}

}  // namespace
}  // namespace rivo

namespace rivo {
namespace {

// Scrolled text types the rows in view and waits for the rest to scroll in.
TEST(WordTyping, RowsBelowTheViewWaitForScrolling) {
  TQnWord word;
  word.ParseText("abcdef", 0);
  word.FontHeight = 10;
  word.WrapWidth = 20;
  word.PageHeight = 10;
  word.Paging = 0;
  word.FadeTime = 0;
  for (int32_t i = 0; i < word.Count(); ++i) static_cast<TWdChar&>(word[i]).Code = 0x82A0 + i;  // kana
  TWdPages pages;
  word.Layout(pages);
  ASSERT_EQ(pages.at(0)->Rows.size(), 3u);
  TWdPage& page = *pages[0];
  EXPECT_EQ(word.TypeStep(page, 10).typed.size(), 8u);  // rows at 0 and 10
  EXPECT_FALSE(word.StillTyping(page));
  EXPECT_EQ(word.TypeStep(page, 10).typed, "");
  page.ScrollY = 20;  // the last row wholly in view
  word.ResetTiming(page);
  EXPECT_TRUE(word.StillTyping(page));
  EXPECT_EQ(word.TypeStep(page, 10).typed.size(), 4u);
}

}  // namespace
}  // namespace rivo

namespace rivo {
namespace {

// With paging on, a row that a smaller height left below the view is never
// typed, and the page goes on counting as typing.
TEST(WordTyping, APagedRowBelowTheViewStopsTypingForGood) {
  TQnWord word;
  word.ParseText("abcd", 0);
  word.FontHeight = 10;
  word.WrapWidth = 20;
  word.PageHeight = 100;
  word.FadeTime = 0;
  for (int32_t i = 0; i < word.Count(); ++i) static_cast<TWdChar&>(word[i]).Code = 0x82A0 + i;  // kana
  TWdPages pages;
  word.Layout(pages);
  TWdPage& page = *pages.at(0);
  ASSERT_EQ(page.Rows.size(), 2u);
  word.PageHeight = 5;  // the second row (at 10) is now below the view
  std::string typed;
  bool done = false;
  for (int i = 0; i < 50; ++i) {
    TQnWord::StepResult step = word.TypeStep(page, 16);
    typed += step.typed;
    done = done || step.done;
  }
  EXPECT_EQ(typed.size(), 4u);  // the first row only
  EXPECT_FALSE(done);
  EXPECT_TRUE(word.StillTyping(page));
}

}  // namespace
}  // namespace rivo

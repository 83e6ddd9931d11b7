#include "objects/key_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int32_t kA = 0x41;

// One input step as the screen runs it: the tables move on, the pending
// events go out (returned as "down", "repeat", "up"), the countdowns run.
std::vector<std::string> Step(TKeyState& keys, int32_t elapsed_ms) {
  keys.BeginTick();
  std::vector<std::string> sent;
  if (keys.DownPending()) sent.push_back("down");
  if (keys.RepeatPending()) sent.push_back("repeat");
  if (keys.UpPending()) sent.push_back("up");
  keys.ClearPending();
  keys.CountRepeats(elapsed_ms);
  return sent;
}

TEST(KeyState, AKeyHeldOneSecondAtFifteenMillisecondTicksRepeatsFrom300MsEvery50Ms) {
  TKeyState keys;
  keys.SetKeyDown(kA, true);
  keys.MarkKeyPressed(kA);
  std::vector<int> down_ticks, repeat_ticks;
  // Tick 1 is the first after the press; the key is released after tick 66.
  for (int tick = 1; tick <= 66; ++tick) {
    std::vector<std::string> sent = Step(keys, 15);
    for (const std::string& s : sent) (s == "down" ? down_ticks : repeat_ticks).push_back(tick);
  }
  EXPECT_THAT(down_ticks, ElementsAre(1));
  // The countdown starts at 300 and loses 15 a tick from tick 1: it runs
  // out in tick 20; the repeat goes out in tick 21, then every 50 ms
  // (4, 3 and 3 ticks of 15 ms, as the remainder carries over).
  EXPECT_THAT(repeat_ticks, ElementsAre(1, 21, 25, 28, 31, 35, 38, 41, 45, 48, 51, 55, 58, 61, 65));
  keys.SetKeyDown(kA, false);
  EXPECT_THAT(Step(keys, 15), ElementsAre("up"));
  // Held one tick longer, the repeat counted down in tick 67 still goes out with the release.
  keys.SetKeyDown(kA, true);
  for (int tick = 1; tick <= 67; ++tick) Step(keys, 15);
  keys.SetKeyDown(kA, false);
  EXPECT_THAT(Step(keys, 15), ElementsAre("repeat", "up"));
  EXPECT_THAT(Step(keys, 15), IsEmpty());
}

TEST(KeyState, PushedAndRepeatedReadThePreviousTicksPressesAndRepeats) {
  TKeyState keys;
  keys.SetKeyDown(kA, true);
  keys.MarkKeyPressed(kA);
  EXPECT_TRUE(keys.KeyIsDown(kA));
  EXPECT_FALSE(keys.KeyWasPushed(kA));
  Step(keys, 15);
  EXPECT_TRUE(keys.KeyWasPushed(kA));
  EXPECT_TRUE(keys.KeyWasRepeated(kA));
  Step(keys, 15);
  EXPECT_FALSE(keys.KeyWasPushed(kA));
  EXPECT_FALSE(keys.KeyWasRepeated(kA));
  EXPECT_TRUE(keys.KeyIsDown(kA));
}

TEST(KeyState, UnchangedStatesCodesOutsideTheTableAndClearingQueueNothing) {
  TKeyState keys;
  keys.SetKeyDown(kA, false);
  for (int32_t code : {-1, 256, 1000}) {
    keys.SetKeyDown(code, true);
    keys.MarkKeyPressed(code);
    EXPECT_FALSE(keys.KeyIsDown(code));
  }
  EXPECT_THAT(Step(keys, 15), IsEmpty());
  keys.SetKeyDown(kA, true);
  keys.SetKeyDown(kA, true);
  EXPECT_THAT(keys.KeysDown(), ElementsAre(kA));
  keys.Clear();
  EXPECT_FALSE(keys.KeyIsDown(kA));
  EXPECT_THAT(Step(keys, 15), IsEmpty());
}

TEST(KeyState, SlowTicksRepeatOnEveryTickWithoutTheCountdownWrapping) {
  TKeyState keys;
  keys.SetKeyDown(kA, true);
  Step(keys, 0);
  keys.CountRepeats(2999);
  for (int i = 0; i < 1000; ++i) keys.CountRepeats(2999);
  EXPECT_THAT(Step(keys, 100), ElementsAre("repeat"));
  EXPECT_THAT(Step(keys, 100), ElementsAre("repeat"));
}

}  // namespace
}  // namespace rivo

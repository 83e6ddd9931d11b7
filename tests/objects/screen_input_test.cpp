// The screen's input step: presses, capture, the hit modes, hovering, the
// wheel, focus and the keys of the focused control.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "object_fixtures.h"
#include "objects/rivo_box.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;
using test::NewControl;

class ScreenInput : public ::testing::Test {
 protected:
  ScreenInput() {
    s.screen.SetWidth(100);
    s.screen.SetHeight(100);
  }
  TRivoBox& Box(const std::string& name, int32_t left, int32_t top, int32_t size, TRivoControl* parent = nullptr) {
    TRivoBox& b = NewControl<TRivoBox>(s.screen, name, parent);
    b.SetBounds(left, top, size, size);
    for (std::string* page : {&b.OnLBtnDown, &b.OnLBtnUp, &b.OnMouseIn, &b.OnMouseOut, &b.OnWheelDown,
                              &b.OnKeyDown, &b.OnKeyRepeat, &b.OnKeyUp, &b.OnFocusIn, &b.OnFocusOut})
      *page = "p.rsb";
    return b;
  }
  TRivoBase& Base() { return s.screen.ActiveBase(); }
  void Move(int32_t x, int32_t y) {
    for (int i = 0; i < 2; ++i) s.screen.BaseAt(i).UpdateMouse(x, y);
  }
  void Press(bool left) {
    for (int i = 0; i < 2; ++i) {
      s.screen.BaseAt(i).LeftHeld = left;
      s.screen.BaseAt(i).RightHeld = !left;
    }
    (left ? Base().LeftPress : Base().RightPress) = true;
  }
  void Release() {
    for (int i = 0; i < 2; ++i) s.screen.BaseAt(i).LeftHeld = s.screen.BaseAt(i).RightHeld = false;
  }
  // The events queued since the last call, as "sender:kind".
  std::vector<std::string> Step() {
    s.screen.ProcessInput();
    std::vector<std::string> events;
    for (const TTimerData& e : s.screen.Events().Entries()) events.push_back(s.screen.SenderName(e.Sender) + ":" + std::to_string(e.Kind));
    s.screen.Events().Clear();
    return events;
  }

  test::Screen s;
};

const std::string kDown = std::to_string(PR_ONLBTNDOWN), kUp = std::to_string(PR_ONLBTNUP),
                  kIn = std::to_string(PR_ONMOUSEIN), kOut = std::to_string(PR_ONMOUSEOUT),
                  kMove = std::to_string(PR_ONMOUSEMOVE), kWheel = std::to_string(PR_ONWHEELDOWN),
                  kFocusIn = std::to_string(PR_ONFOCUSIN), kFocusOut = std::to_string(PR_ONFOCUSOUT),
                  kKeyDown = std::to_string(PR_ONKEYDOWN), kKeyRepeat = std::to_string(PR_ONKEYREPEAT);

TEST_F(ScreenInput, APressHeldOnOneBoxAndReleasedOverAnotherRaisesTheReleaseOnTheFirst) {
  Box("A", 0, 0, 20);
  Box("B", 50, 0, 20);
  Move(5, 5);
  Step();
  Press(true);
  EXPECT_THAT(Step(), ElementsAre("A:" + kDown));
  Move(55, 5);
  EXPECT_THAT(Step(), ElementsAre());  // captured: no hover change, A has no move page
  Release();
  EXPECT_THAT(Step(), ElementsAre("A:" + kUp));
  // Released: the next step hovers B, A is left first.
  EXPECT_THAT(Step(), ElementsAre("A:" + kOut, "B:" + kIn));
}

TEST_F(ScreenInput, ALeftPressPassesABoxThatIgnoresLeftClicksWhileHoverReportsIt) {
  TRivoBox& lower = Box("Lower", 0, 0, 40);
  TRivoBox& upper = Box("Upper", 10, 10, 10);
  upper.SetIgnoreMouse(IM_LCLICK);
  Move(15, 15);
  EXPECT_THAT(Step(), ElementsAre("Upper:" + kIn));
  Press(true);
  EXPECT_THAT(Step(), ElementsAre("Lower:" + kDown, "Upper:" + kOut, "Lower:" + kIn));
  (void)lower;
}

TEST_F(ScreenInput, TheClickFlagStaysOnTheBareBaseAndAPlainBoxConsumesIt) {
  Box("A", 0, 0, 20).OnLBtnDown.clear();
  Move(50, 50);
  Press(true);
  Step();
  EXPECT_TRUE(Base().LeftClick);
  Release();
  Move(5, 5);
  Press(true);
  Step();
  EXPECT_FALSE(Base().LeftClick);
}

TEST_F(ScreenInput, TheWheelReachesTheHoveredBoxOnlyWithoutAPress) {
  Box("A", 0, 0, 20);
  Move(5, 5);
  Step();
  Base().WheelDown = true;
  EXPECT_THAT(Step(), ElementsAre("A:" + kWheel));
  Base().WheelDown = true;
  Press(true);
  EXPECT_THAT(Step(), ElementsAre("A:" + kDown));
}

TEST_F(ScreenInput, APressGivesTheFocusToABoxThatTakesKeysAndItGetsTheKeysWithRepeat) {
  TRivoBox& a = Box("A", 0, 0, 20);
  TRivoBox& b = Box("B", 50, 0, 20);
  a.SetHandleKey(true);
  b.SetHandleKey(true);
  Move(90, 90);
  // Before any press the topmost control that takes keys has it.
  EXPECT_THAT(Step(), ElementsAre("B:" + kFocusIn));
  Move(5, 5);
  Press(true);
  EXPECT_THAT(Step(), ElementsAre("A:" + kDown, "B:" + kFocusOut, "A:" + kFocusIn, "A:" + kIn));
  EXPECT_EQ(s.screen.Focus(), &a);
  s.screen.Keys().SetKeyDown(0x41, true);
  EXPECT_THAT(Step(), ElementsAre("A:" + kKeyDown, "A:" + kKeyRepeat));
}

TEST_F(ScreenInput, TheFocusGoesWhenItsBoxLeavesTheShownBase) {
  TRivoBox& a = Box("A", 0, 0, 20);
  a.SetHandleKey(true);
  Step();
  EXPECT_EQ(s.screen.Focus(), &a);
  s.screen.StartTransition(1, 0, 0, true, 0, 0);
  EXPECT_EQ(s.screen.Focus(), nullptr);
  Step();
  EXPECT_EQ(s.screen.Focus(), nullptr);
}

TEST_F(ScreenInput, AnObjectReleasedInItsOwnHandlerIsNotCalledAgain) {
  TRivoBox& a = Box("A", 0, 0, 20);
  Move(5, 5);
  Step();
  a.Release();
  s.Tick();
  Move(6, 6);
  EXPECT_THAT(Step(), ElementsAre());
  EXPECT_EQ(s.screen.Resolve(Base().Hovered), &Base());
}

}  // namespace
}  // namespace rivo

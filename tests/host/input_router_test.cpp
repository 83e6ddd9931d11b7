// What mouse and key events write into the screen.

#include "host/input_router.h"

#include <array>

#include <gtest/gtest.h>

namespace rivo {
namespace {

// The screen's input fields, as the screen will keep them.
struct ScreenState : ScreenInput {
  void SetButtonsHeld(bool l, bool r) override { left_held = l, right_held = r; }
  void SetButtonsPressed(bool l, bool r) override { left_press = l, right_press = r; }
  void UpdateMouse(int32_t x, int32_t y) override { mouse_x = x, mouse_y = y; }
  void SetWheel(bool down) override { (down ? wheel_down : wheel_up) = true; }
  void SetKeyDown(int code, bool down) override { key_down.at(static_cast<std::size_t>(code)) = down; }
  void MarkKeyPressed(int code) override { ++pressed.at(static_cast<std::size_t>(code)); }
  void ClearKeys() override {}

  bool left_held = false, right_held = false, left_press = false, right_press = false;
  bool wheel_down = false, wheel_up = false;
  int32_t mouse_x = -1, mouse_y = -1;
  std::array<bool, 256> key_down{};
  std::array<int, 256> pressed{};
};

InputEvent Mouse(InputKind kind, MouseButton b) { return {.kind = kind, .x = 3, .y = 4, .button = b}; }
InputEvent Key(InputKind kind, int key, bool repeat = false) { return {.kind = kind, .key = key, .repeat = repeat}; }

TEST(InputRouting, APressSetsHeldAndPressedForItsButtonAndTheMiddleButtonClearsAllFour) {
  ScreenState s;
  RouteInput(Mouse(InputKind::kMouseDown, MouseButton::kLeft), true, s);
  EXPECT_TRUE(s.left_held && s.left_press);
  EXPECT_FALSE(s.right_held || s.right_press);
  RouteInput(Mouse(InputKind::kMouseDown, MouseButton::kRight), true, s);
  EXPECT_TRUE(s.right_held && s.right_press);
  EXPECT_FALSE(s.left_held || s.left_press);
  RouteInput(Mouse(InputKind::kMouseDown, MouseButton::kMiddle), true, s);
  EXPECT_FALSE(s.left_held || s.right_held || s.left_press || s.right_press);
}

TEST(InputRouting, AReleaseClearsBothHeldFlagsButLeavesThePressForTheNextTick) {
  ScreenState s;
  RouteInput(Mouse(InputKind::kMouseDown, MouseButton::kLeft), true, s);
  RouteInput(Mouse(InputKind::kMouseUp, MouseButton::kRight), true, s);
  EXPECT_FALSE(s.left_held || s.right_held);
  EXPECT_TRUE(s.left_press);
}

TEST(InputRouting, PressesAndReleasesMoveThePointerToTheirOwnPosition) {
  ScreenState s;
  RouteInput({.kind = InputKind::kMouseDown, .x = 30, .y = 40, .button = MouseButton::kLeft}, true, s);
  EXPECT_EQ(s.mouse_x, 30);
  EXPECT_EQ(s.mouse_y, 40);
  RouteInput({.kind = InputKind::kMouseUp, .x = 50, .y = 60, .button = MouseButton::kLeft}, false, s);
  EXPECT_EQ(s.mouse_x, 50);
  EXPECT_EQ(s.mouse_y, 60);
}

TEST(InputRouting, WithoutFocusPressesAndKeyDownsAreIgnoredButReleasesAndMovesCount) {
  ScreenState s;
  RouteInput(Mouse(InputKind::kMouseDown, MouseButton::kLeft), false, s);
  EXPECT_FALSE(s.left_held || s.left_press);
  RouteInput(Key(InputKind::kKeyDown, 'A'), false, s);
  EXPECT_FALSE(s.key_down['A']);
  EXPECT_EQ(s.pressed['A'], 0);

  RouteInput(Key(InputKind::kKeyDown, 'B'), true, s);
  RouteInput(Key(InputKind::kKeyUp, 'B'), false, s);
  EXPECT_FALSE(s.key_down['B']);
  RouteInput(Mouse(InputKind::kMouseMove, MouseButton::kLeft), false, s);
  EXPECT_EQ(s.mouse_x, 3);
  EXPECT_EQ(s.mouse_y, 4);
}

TEST(InputRouting, AutoRepeatKeepsTheKeyDownWithoutMarkingItPressedAgain) {
  ScreenState s;
  RouteInput(Key(InputKind::kKeyDown, 0x0D), true, s);
  RouteInput(Key(InputKind::kKeyDown, 0x0D, true), true, s);
  RouteInput(Key(InputKind::kKeyDown, 0x0D, true), true, s);
  EXPECT_TRUE(s.key_down[0x0D]);
  EXPECT_EQ(s.pressed[0x0D], 1);
}

TEST(InputRouting, KeyCodesOutsideTheKeyTablesAreIgnored) {
  ScreenState s;  // SetKeyDown and MarkKeyPressed would throw for them (std::array::at)
  for (int code : {256, 300, 0xFFFF, -1}) {
    RouteInput(Key(InputKind::kKeyDown, code), true, s);
    RouteInput(Key(InputKind::kKeyUp, code), true, s);
  }
  RouteInput(Key(InputKind::kKeyDown, 255), true, s);
  EXPECT_TRUE(s.key_down[255]);
}

TEST(InputRouting, TheWheelMarksItsDirection) {
  ScreenState s;
  RouteInput({.kind = InputKind::kWheel, .wheel_down = true}, true, s);
  EXPECT_TRUE(s.wheel_down);
  EXPECT_FALSE(s.wheel_up);
  RouteInput({.kind = InputKind::kWheel, .wheel_down = false}, true, s);
  EXPECT_TRUE(s.wheel_up);
}

}  // namespace
}  // namespace rivo

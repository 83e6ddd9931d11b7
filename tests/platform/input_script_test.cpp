// The input script of headless runs (docs/input-script.md).

#include "platform/headless/input_script.h"

#include <gtest/gtest.h>

#include "platform/platform_error.h"

namespace rivo {
namespace {

const InputEvent& EventOf(const ScriptAction& a) { return std::get<InputEvent>(a.what); }

TEST(InputScript, ReadsEveryKindOfAction) {
  std::vector<ScriptAction> s = ParseInputScript(
      "# a comment, then blank lines\n"
      "\n"
      "1 move 10 20\r\n"
      "2 down left 10 20\n"
      "2 up right -3 4\n"
      "3 down middle 0 0\n"
      "4 wheel down\n"
      "4 wheel up\n"
      "5 key down Return\n"
      "5 key repeat 0x41\n"
      "5 key up 300\n"
      "6 focus lost\n"
      "7 focus gained\n"
      "8 answer no\n"
      "9 screenshot out dir/frame 9.png\n"
      "10 button quit\n"
      "10 button fullscreen\n"
      "11 close\n");
  ASSERT_EQ(s.size(), 16u);
  EXPECT_EQ(s[0].tick, 1u);
  EXPECT_EQ(EventOf(s[0]).kind, InputKind::kMouseMove);
  EXPECT_EQ(EventOf(s[0]).x, 10);
  EXPECT_EQ(EventOf(s[0]).y, 20);
  EXPECT_EQ(EventOf(s[1]).kind, InputKind::kMouseDown);
  EXPECT_EQ(EventOf(s[1]).button, MouseButton::kLeft);
  EXPECT_EQ(EventOf(s[2]).kind, InputKind::kMouseUp);
  EXPECT_EQ(EventOf(s[2]).button, MouseButton::kRight);
  EXPECT_EQ(EventOf(s[2]).x, -3);
  EXPECT_EQ(EventOf(s[3]).button, MouseButton::kMiddle);
  EXPECT_TRUE(EventOf(s[4]).wheel_down);
  EXPECT_FALSE(EventOf(s[5]).wheel_down);
  EXPECT_EQ(EventOf(s[6]).kind, InputKind::kKeyDown);
  EXPECT_EQ(EventOf(s[6]).key, 0x0D);
  EXPECT_FALSE(EventOf(s[6]).repeat);
  EXPECT_EQ(EventOf(s[7]).key, 0x41);
  EXPECT_TRUE(EventOf(s[7]).repeat);
  EXPECT_EQ(EventOf(s[8]).kind, InputKind::kKeyUp);
  EXPECT_EQ(EventOf(s[8]).key, 300);
  EXPECT_EQ(EventOf(s[9]).kind, InputKind::kFocusLost);
  EXPECT_EQ(EventOf(s[10]).kind, InputKind::kFocusGained);
  EXPECT_EQ(std::get<MessageAnswer>(s[11].what), MessageAnswer::kNo);
  EXPECT_EQ(std::get<ScriptScreenshot>(s[12].what).file, "out dir/frame 9.png");
  EXPECT_EQ(EventOf(s[13]).kind, InputKind::kToolbarQuit);
  EXPECT_EQ(EventOf(s[14]).kind, InputKind::kToolbarToggleFullScreen);
  EXPECT_EQ(EventOf(s[15]).kind, InputKind::kCloseRequest);
}

TEST(InputScript, KeysByNameLetterDigitFunctionKeyOrCode) {
  const std::pair<const char*, int> cases[] = {
      {"a", 'A'}, {"Z", 'Z'}, {"7", '7'}, {"escape", 0x1B}, {"SPACE", 0x20}, {"left", 0x25},
      {"F1", 0x70}, {"f24", 0x87}, {"17", 17}, {"0xDC", 0xDC}, {"ctrl", 17}, {"shift", 16},
  };
  for (auto [name, code] : cases) {
    SCOPED_TRACE(name);
    std::vector<ScriptAction> s = ParseInputScript(std::string("1 key down ") + name);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(EventOf(s[0]).key, code);
  }
}

TEST(InputScript, OrdersByTickAndKeepsTheFileOrderWithinATick) {
  std::vector<ScriptAction> s = ParseInputScript("3 key down a\n1 key down b\n3 key up a\n1 key up b\n");
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].tick, 1u);
  EXPECT_EQ(EventOf(s[0]).kind, InputKind::kKeyDown);
  EXPECT_EQ(EventOf(s[1]).kind, InputKind::kKeyUp);
  EXPECT_EQ(EventOf(s[2]).key, 'A');
  EXPECT_EQ(EventOf(s[2]).kind, InputKind::kKeyDown);
  EXPECT_EQ(EventOf(s[3]).kind, InputKind::kKeyUp);
}

TEST(InputScript, BadLinesAreRefusedNamingTheLine) {
  const char* bad[] = {
      "0 move 1 2",          // ticks count from 1
      "x move 1 2",          "1 jump",         "1 move 1",         "1 move 1 2 3",
      "1 down sideways 1 2", "1 key down F25", "1 key press a",    "1 key down 70000",
      "1 wheel left",        "1 answer maybe", "1 screenshot",     "1 focus away",
      "1 button help",       "1 move 99999999 0", "-5 close",
  };
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    try {
      ParseInputScript(std::string("# first\n") + line + "\n");
      ADD_FAILURE() << "accepted";
    } catch (const PlatformError& e) {
      EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace rivo

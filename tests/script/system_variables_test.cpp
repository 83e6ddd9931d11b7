// The "@" variables read and write the player's state through the services.

#include <gtest/gtest.h>

#include "script/param_collection.h"
#include "script/player_system_services.h"
#include "script/typed_params.h"
#include "script_fixtures.h"

namespace rivo {
namespace {

using testing::Declare;
using testing::Eval;
using testing::FakeServices;
using testing::ValueOf;

class SystemVariables : public ::testing::Test {
 protected:
  SystemVariables() : store_(&services_) {
    services_.params = {"first", "second"};
    services_.sender = "button1";
    services_.title = "\x83\x51\x81\x5B\x83\x80";  // ゲーム
    services_.active_compo = "edit";
    services_.fonts = "A\r\nB";
    services_.midi_ports = {"port0", "port1"};
    services_.midi_port = "port1";
    services_.lclick = services_.lpush = services_.wheel_up = services_.full_screen = true;
    services_.mouse_x = 320;
    services_.mouse_y = 240;
    services_.history_count = 12;
    services_.history_max = 100;
    services_.width = 800;
    services_.height = 600;
    services_.ticks = 123456;
    services_.pc_ticks = -5;
    services_.updates = 99;
    services_.display_modes = 3;
    services_.display_mode = 1;
    services_.now = {2024, 2, 29, 5, 23, 59, 58};
    services_.keys_pushed[65] = true;
    services_.keys_clicked[13] = true;
    services_.keys_repeated[40] = true;
  }

  FakeServices services_;
  TParamCollection store_;
};

TEST_F(SystemVariables, ReadTheServicesAndTheStore) {
  store_.SetSelStr("chosen");
  store_.SetSelIndex(2);
  store_.SetCursorName("hand.cur");
  struct Case {
    const char* expression;
    const char* value;
  } cases[] = {
      {"@LClick", "flag:TRUE"},
      {"@RClick", "flag:FALSE"},
      {"@LPush", "flag:TRUE"},
      {"@RPush", "flag:FALSE"},
      {"@MouseX", "integer:320"},
      {"@MouseY", "integer:240"},
      {"@TextDelay", "integer:50"},
      {"@HistoryCount", "integer:12"},
      {"@ParamCount", "integer:2"},
      {"@ParamStr[1]", "string:second"},
      {"@Sender", "string:button1"},
      {"@ScrWidth", "integer:800"},
      {"@ScrHeight", "integer:600"},
      {"@TickCount", "integer:123456"},
      {"@PCTickCount", "integer:-5"},
      {"@UpdateCount", "integer:99"},
      {"@Year * 10000 + @Month * 100 + @Day", "integer:20240229"},
      {"@Week", "integer:5"},
      {"@Hour ++ \":\" ++ @Min ++ \":\" ++ @Sec", "string:23:59:58"},
      {"@Fonts", "string:A\r\nB"},
      {"@FixedFonts", "string:"},
      {"@FullScr", "flag:TRUE"},
      {"@Cursor", "string:hand.cur"},
      {"@SelStr", "string:chosen"},
      {"@SelIndex", "integer:2"},
      {"@Pi", "real:3.14159265358979"},
      {"@CGDither", "flag:FALSE"},
      {"@1Hour * 24", "real:1"},
      {"@1Min * 1440", "real:1"},
      {"@1Sec * 86400", "real:1"},
      {"@KeyPush[65]", "flag:TRUE"},
      {"@KeyPush[66]", "flag:FALSE"},
      {"@KeyClick[13]", "flag:TRUE"},
      {"@KeyRepeat[40]", "flag:TRUE"},
      {"@KeyPush[256]", "flag:FALSE"},
      {"@KeyClick[257]", "flag:TRUE"},
      {"@DisplayModeCount", "integer:3"},
      {"@DisplayModeIndex", "integer:1"},
      {"@Title", "string:\x83\x51\x81\x5B\x83\x80"},
      {"@SoundON", "flag:FALSE"},
      {"@ActiveCompo", "string:edit"},
      {"@HistoryMaxCount", "integer:100"},
      {"@MidiPort", "string:port1"},
      {"@MidiPorts[0]", "string:port0"},
      {"@WheelDown", "flag:FALSE"},
      {"@WheelUp", "flag:TRUE"},
      {"@IsDebug", "flag:FALSE"},
  };
  for (const Case& c : cases) EXPECT_EQ(Eval(store_, c.expression), c.value) << c.expression;
}

TEST_F(SystemVariables, ArraysReadAsScalarsGiveTheirScalarAnswer) {
  const TCustomParam& keys = store_.Find("@KeyPush")->Param();
  services_.keys_pushed[0] = true;
  EXPECT_FALSE(keys.AsBool()) << "@KeyPush read as a scalar is false";
  EXPECT_EQ(keys.GetCount(), 258);
  EXPECT_EQ(keys.DimSize(0), 258);
  EXPECT_THROW(keys.GetBoolAt(258), RivoError);
  EXPECT_EQ(store_.Find("@ParamStr")->Param().AsStr(), "");
  EXPECT_EQ(store_.Find("@MidiPorts")->Param().AsStr(), "port0");
  EXPECT_EQ(Eval(store_, "@ParamStr[2]"), "none") << "beyond the arguments";
}

TEST_F(SystemVariables, WritesReachTheServicesAndReadOnlyOnesAreIgnored) {
  Eval(store_, "@MouseX = 17");
  Eval(store_, "@MouseY = \"33\"");
  Eval(store_, "@RClick = TRUE");
  Eval(store_, "@TextDelay = 2.9");
  Eval(store_, "@FullScr = 0");
  Eval(store_, "@SelIndex = 5");
  Eval(store_, "@SelStr = 12");
  Eval(store_, "@Cursor = \"wait.cur\"");
  Eval(store_, "@HistoryMaxCount = 8");
  Eval(store_, "@DisplayModeIndex = 2");
  Eval(store_, "@SoundON = TRUE");
  Eval(store_, "@ActiveCompo = \"other\"");
  Eval(store_, "@MidiPort = \"port0\"");
  Eval(store_, "@CGDither = TRUE");
  EXPECT_EQ(services_.mouse_x, 17);
  EXPECT_EQ(services_.mouse_y, 33);
  EXPECT_TRUE(services_.rclick);
  EXPECT_EQ(store_.TextDelay(), 2);
  EXPECT_FALSE(services_.full_screen);
  EXPECT_EQ(store_.SelIndex(), 5);
  EXPECT_EQ(store_.SelStr(), "12");
  EXPECT_EQ(store_.CursorName(), "wait.cur");
  EXPECT_EQ(services_.history_max, 8);
  EXPECT_EQ(services_.display_mode, 2);
  EXPECT_TRUE(services_.sound_on);
  EXPECT_EQ(services_.active_compo, "other");
  EXPECT_EQ(services_.midi_port, "port0");
  EXPECT_TRUE(services_.cg_dither);

  // Text written into a numeric one is parsed; text that is no number
  // leaves it as it was.
  TCustomParam& mouse_x = store_.Find("@MouseX")->Param();
  mouse_x.SetStr("21");
  EXPECT_EQ(services_.mouse_x, 21);
  mouse_x.SetStr("left");
  EXPECT_EQ(services_.mouse_x, 21);

  Eval(store_, "@ScrWidth = 1");
  Eval(store_, "@LPush = FALSE");
  Eval(store_, "@Title = \"x\"");
  EXPECT_EQ(services_.width, 800);
  EXPECT_TRUE(services_.lpush);
  EXPECT_EQ(Eval(store_, "@Title"), "string:\x83\x51\x81\x5B\x83\x80");
}

TEST_F(SystemVariables, ResultStandsForTheCallsResultValue) {
  EXPECT_EQ(Eval(store_, "@Result"), "integer:0") << "no call: a neutral value";
  Eval(store_, "@Result = 5");

  TParamStr result;
  services_.result = &result;
  Eval(store_, "@Result = 5 + 1");
  EXPECT_EQ(result.AsStr(), "6");
  EXPECT_EQ(Eval(store_, "@Result ++ \"!\""), "string:6!");
}

TEST_F(SystemVariables, TempStandsForTheVariableItWasAssigned) {
  Declare(store_, "target", PT_FLOAT, "1.5");
  store_.SetTempTarget("target");
  EXPECT_EQ(Eval(store_, "@Temp * 2"), "real:3");
  Eval(store_, "@Temp = 4");
  EXPECT_EQ(ValueOf(store_, "target"), "real:4");

  store_.SetTempTarget("missing");
  EXPECT_EQ(Eval(store_, "@Temp"), "integer:0");

  // Standing for itself, or for a reference back to itself, does not loop.
  store_.SetTempTarget("@Temp");
  EXPECT_EQ(Eval(store_, "@Temp"), "integer:0");
  Eval(store_, "@Temp = 1");
}

TEST(PlayerSystemServices, AnswerTitleScreenAndClock) {
  PlayerSystemServices services;
  TParamCollection store(&services);
  services.SetProject("title", 640, 480);
  services.BeginFrame(int64_t{1} << 32 | 7, 12);
  EXPECT_EQ(Eval(store, "@Title"), "string:title");
  EXPECT_EQ(Eval(store, "@ScrWidth ++ \"x\" ++ @ScrHeight"), "string:640x480");
  EXPECT_EQ(Eval(store, "@TickCount"), "integer:7") << "32 bits, wrapping";
  EXPECT_EQ(Eval(store, "@UpdateCount"), "integer:12");
  EXPECT_EQ(Eval(store, "@Month >= 1 & @Month <= 12 & @Week >= 1 & @Week <= 7"), "integer:1");
  EXPECT_EQ(Eval(store, "@Year > 2000"), "flag:TRUE");
  EXPECT_EQ(Eval(store, "@MouseX"), "integer:0") << "what nobody answers yet is neutral";
  EXPECT_EQ(Eval(store, "@Fonts"), "string:") << "no fonts yet";
}

TEST(PlayerSystemServices, ListTheFontNamesOnePerLineWithoutATrailingBreak) {
  PlayerSystemServices services;
  TParamCollection store(&services);
  int asked = 0;
  services.SetFontNames([&asked](bool fixed) {
    ++asked;
    return fixed ? std::vector<std::string>{"Mono"} : std::vector<std::string>{"A", "Mono", "B"};
  });
  EXPECT_EQ(Eval(store, "@Fonts"), "string:A\r\nMono\r\nB");
  EXPECT_EQ(Eval(store, "@FixedFonts"), "string:Mono");
  EXPECT_EQ(Eval(store, "@Fonts ++ @FixedFonts"), "string:A\r\nMono\r\nBMono");
  EXPECT_EQ(asked, 2) << "each list is read once";
}

}  // namespace
}  // namespace rivo

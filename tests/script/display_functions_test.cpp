// GetDisplayMode and InPrimary answer from the system services.

#include <gtest/gtest.h>

#include "system_function_fixture.h"

namespace rivo {
namespace {

class DisplayFunctions : public testing::SystemFunctionTest {
 protected:
  DisplayFunctions() {
    services.mode_list = {{640, 480, 16, 60}, {800, 600, 32, 75}};
    services.primary_base = "\x01" "BASE1";
    store.SetServices(&services);
  }
  testing::FakeServices services;
};

TEST_F(DisplayFunctions, GetDisplayModeWritesTheFourValuesOfAModeInTheList) {
  Var("w", PT_INT, "-1");
  Var("h", PT_STR);
  Var("b", PT_FLOAT);
  Var("r", PT_INT);
  EXPECT_EQ(Run("GetDisplayMode(1, w, h, b, r)"), "flag:TRUE");
  EXPECT_EQ(Value("w"), "integer:800");
  EXPECT_EQ(Value("h"), "string:600");
  EXPECT_EQ(Value("b"), "real:32");
  EXPECT_EQ(Value("r"), "integer:75");
}

TEST_F(DisplayFunctions, GetDisplayModeOutsideTheListIsFalseAndWritesNothing) {
  Var("w", PT_INT, "7");
  for (const char* call : {"GetDisplayMode(2, w, w, w, w)", "GetDisplayMode(-1, w, w, w, w)"}) {
    EXPECT_EQ(Run(call), "flag:FALSE") << call;
    EXPECT_EQ(Value("w"), "integer:7") << call;
  }
}

TEST_F(DisplayFunctions, InPrimaryNamesTheBaseThatHasInput) {
  Var("name", PT_STR);
  store.Find("name")->Param().SetStr("\x01" "BASE1");
  EXPECT_EQ(Run("InPrimary(name)"), "flag:TRUE");
  store.Find("name")->Param().SetStr("\x01" "BASE0");
  EXPECT_EQ(Run("InPrimary(name)"), "flag:FALSE");
}

TEST_F(DisplayFunctions, WithoutAScreenThereIsNoModeAndNoBaseHasInput) {
  store.SetServices(nullptr);
  Var("w", PT_INT);
  EXPECT_EQ(Run("GetDisplayMode(0, w, w, w, w)"), "flag:FALSE");
  EXPECT_EQ(Run("InPrimary(\"\")"), "flag:FALSE");
}

}  // namespace
}  // namespace rivo

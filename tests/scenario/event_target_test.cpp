// Splitting an event's target into page and label.

#include <gtest/gtest.h>

#include "scenario/event_target.h"

namespace rivo {
namespace {

TEST(EventTarget, SplitsByCharactersNotBytes) {
  struct Case {
    std::string target, page, label;
  };
  const std::string hyo = "\x95\x5C";   // 表: its second byte is '\'
  const std::string so = "\x83\x5C";    // ソ
  const std::string colon = "\x81\x46";  // ：(full width), second byte 'F'
  for (const Case& c : std::vector<Case>{
           {"main.rsb", "main.rsb", ""},
           {"main.rsb:start", "main.rsb", "start"},
           {"main.txt:start", "main.rsb", "start"},
           {"menu.rsb:" + hyo + "示", "menu.rsb", hyo + "示"},
           {"menu.rsb:" + so, "menu.rsb", so},
           {hyo + ".rsb:a", hyo + ".rsb", "a"},
           {"dir\\p.rsb", "dir\\p.rsb", ""},
           {"a:b.rsb", "a:b.rsb", ""},  // a '.' met first: no label
           {"page" + colon + "x.rsb", "page" + colon + "x.rsb", ""},
       }) {
    std::optional<EventTarget> split = SplitEventTarget(c.target);
    ASSERT_TRUE(split) << c.target;
    EXPECT_EQ(split->page, c.page) << c.target;
    EXPECT_EQ(split->label, c.label) << c.target;
  }
}

TEST(EventTarget, APagePartShorterThanThreeCharactersIsNoPage) {
  EXPECT_FALSE(SplitEventTarget(""));
  EXPECT_FALSE(SplitEventTarget("ab:label"));
  EXPECT_FALSE(SplitEventTarget("\x95\x5C\x83\x5C"));  // two characters, four bytes
  std::optional<EventTarget> three = SplitEventTarget("abc");
  ASSERT_TRUE(three);
  EXPECT_EQ(three->page, "rsb");
}

}  // namespace
}  // namespace rivo

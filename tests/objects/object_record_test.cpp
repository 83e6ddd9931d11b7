// Save records of objects and of the screen: which children are written,
// that writing what was read gives the same bytes, the version gates, and
// damaged records that end in a load error.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "object_fixtures.h"
#include "objects/rivo_base.h"
#include "objects/rivo_cabinet.h"
#include "objects/rivo_timer.h"

namespace rivo {
namespace {

using test::NewControl;

constexpr int32_t kVersion = 140;

std::string Save(const TRivoObject& o) {
  ByteWriter out;
  o.SaveToStream(out);
  return out.Take();
}

// A cabinet holding three children: a plain one, a released one and one
// with a system name.
TRivoCabinet& Family(TRivoBaseList& screen) {
  auto& cabinet = static_cast<TRivoCabinet&>(screen.CreateByType(LT_CABINET));
  cabinet.SetName("box");
  cabinet.SetParent(&screen.ActiveBase());
  auto& kept = static_cast<TRivoControl&>(screen.CreateByType(LT_CABINET));
  kept.SetName("kept");
  kept.SetParent(&cabinet);
  kept.SetLeft(12);
  kept.OnMouseIn = "in.rsb";
  kept.SetTag("tag");
  auto& released = static_cast<TRivoControl&>(screen.CreateByType(LT_CABINET));
  released.SetParent(&cabinet);
  released.Release();
  auto& system = static_cast<TRivoControl&>(screen.CreateByType(LT_CABINET));
  system.SetName("\x01sys");
  system.SetParent(&cabinet);
  return cabinet;
}

TEST(ObjectRecords, OnlyLivingChildrenOfAKindWithPlainNamesAreWritten) {
  test::Screen s;
  TRivoCabinet& cabinet = Family(s.screen);
  const std::string bytes = Save(cabinet);
  test::Screen t;
  auto& copy = static_cast<TRivoCabinet&>(t.screen.CreateByType(LT_CABINET));
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, kVersion);
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(copy.ChildCount(), 1);
  EXPECT_EQ(copy.GetChild(0)->GetName(), "kept");
  EXPECT_EQ(copy.GetChild(0)->GetLeft(), 12);
  EXPECT_EQ(copy.GetChild(0)->OnMouseIn, "in.rsb");
  EXPECT_EQ(Save(copy), bytes);
}

TEST(ObjectRecords, OlderVersionsSkipTheFieldsTheyDidNotHave) {
  // A version-103 control record by hand: no SubPriority, Tag, motion,
  // plus, clip or key fields; OnMouseIn arrives with 102.
  auto record = [](int32_t version) {
    ByteWriter w;
    w.String("old");
    w.I32(4);  // priority
    for (int32_t v : {1, 2, 3, 4, 0, 0}) w.I32(v);
    w.U8(0);  // PosZoomed
    w.U8(1);  // Visible
    w.I32(-1);
    for (int32_t v : {0, 0, 1, 1}) w.I32(v);
    w.U8(IM_NONE);
    w.String("");          // Cursor
    w.String("move.rsb");  // OnMouseMove
    if (version > 101) w.String("in.rsb");
    for (int i = 0; i < 7; ++i) w.String(i == 1 ? "down.rsb" : "");
    w.I32(0);  // children
    return w.Take();
  };
  for (int32_t version : {101, 103}) {
    test::Screen s;
    auto& c = static_cast<TRivoControl&>(s.screen.CreateByType(LT_CABINET));
    const std::string bytes = record(version);
    ByteReader in(bytes, "save.dat");
    c.LoadFromStream(in, version);
    EXPECT_TRUE(in.AtEnd()) << version;
    EXPECT_EQ(c.GetName(), "old");
    EXPECT_EQ(c.GetPriority(), 4);
    EXPECT_EQ(c.GetWidth(), 3);
    EXPECT_EQ(c.OnMouseIn, version > 101 ? "in.rsb" : "");
    EXPECT_EQ(c.OnLBtnDown, "down.rsb");
  }
}

TEST(ObjectRecords, AChildOfAnUnknownKindOrABadCountIsALoadError) {
  test::Screen s;
  TRivoCabinet& cabinet = Family(s.screen);
  std::string bytes = Save(cabinet);
  // The one child's type byte follows the count near the end of the parent's
  // fields; make it a kind without a class.
  const std::size_t count_at = bytes.size() - Save(*s.screen.FindControlByName("kept")).size() - 1 - 4;
  std::string unknown = bytes;
  unknown[count_at + 4] = 10;  // LT_MAP
  std::string huge = bytes;
  huge[count_at + 3] = 0x7F;
  for (const std::string* damaged : {&unknown, &huge}) {
    test::Screen t;
    auto& copy = static_cast<TRivoCabinet&>(t.screen.CreateByType(LT_CABINET));
    ByteReader in(*damaged, "save.dat");
    EXPECT_THROW(copy.LoadFromStream(in, kVersion), LoadError);
  }
}

TEST(ScreenRecords, TheScreenWritesWhatItReads) {
  test::Screen s;
  s.screen.SetWidth(320);
  s.screen.SetHeight(240);
  Family(s.screen);
  TRivoObject& timer = s.screen.CreateByType(LT_TIMER);
  timer.SetName("t");
  test::SetInt(timer, PR_DELAY, 250);
  test::SetStr(timer, PR_ONNOTIFY, "tick.rsb");
  timer.RaiseEvent("tick.rsb:go", PR_ONNOTIFY, {"a", "b"});
  s.screen.Events().Add({"free.rsb", {}, 0, 0, {}});
  ByteWriter first;
  s.screen.SaveToStream(first);
  // A save loads only into a screen of the game's size.
  test::Screen t;
  t.screen.SetWidth(320);
  t.screen.SetHeight(240);
  ByteReader in(first.data(), "save.dat");
  t.screen.LoadFromStream(in, kVersion);
  EXPECT_TRUE(in.AtEnd());
  ByteWriter second;
  t.screen.SaveToStream(second);
  EXPECT_EQ(first.data(), second.data());
  EXPECT_EQ(t.screen.GetWidth(), 320);
  ASSERT_EQ(t.screen.Events().Count(), 2);
  EXPECT_EQ(t.screen.SenderName(t.screen.Events()[0].Sender), "t");
  EXPECT_TRUE(t.screen.Events()[1].Sender.IsNone());
}

TEST(Timers, ATimerWhoseEntryIsNeverTakenQueuesItOnce) {
  test::Screen s;
  s.clock.delta = 100;
  TRivoObject& timer = s.screen.CreateByType(LT_TIMER);
  test::SetStr(timer, PR_ONNOTIFY, "tick.rsb");
  test::SetInt(timer, PR_DELAY, 250);
  s.Tick(2);
  EXPECT_EQ(s.screen.Events().Count(), 0);
  s.Tick(20);
  EXPECT_EQ(s.screen.Events().Count(), 1);
  // Changing the interval drops the waiting entry and restarts the clock.
  test::SetInt(timer, PR_DELAY, 1000);
  EXPECT_EQ(s.screen.Events().Count(), 0);
}

}  // namespace
}  // namespace rivo

// The screen's save record: it reads back to the same bytes, restores the
// shown base without a transition, and refuses records of another game.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "object_fixtures.h"
#include "objects/rivo_box.h"

namespace rivo {
namespace {

using test::NewControl;

constexpr int32_t kVersion = 140;

struct Saved {
  test::Screen s;
  Saved() {
    s.screen.SetWidth(64);
    s.screen.SetHeight(48);
  }
  std::string Save() const {
    ByteWriter out;
    s.screen.SaveToStream(out);
    return out.Take();
  }
  void Load(const std::string& bytes, int32_t version = kVersion) {
    ByteReader in(bytes, "save");
    s.screen.LoadFromStream(in, version);
    EXPECT_TRUE(in.AtEnd());
  }
};

// A record in the layout the screen writes: size, shown base, both bases
// as a plain screen saves them, no objects, the given events, no focus.
std::string Record(int32_t width, int32_t height, int32_t active, const std::string& events) {
  Saved empty;
  std::string bases = empty.Save();
  // Size and active base (12 bytes) ... the two bases ... objects (4), events (4), focus (4).
  std::string middle = bases.substr(12, bases.size() - 12 - 12);
  ByteWriter out;
  out.I32(width);
  out.I32(height);
  out.I32(active);
  out.Bytes(middle);
  out.I32(0);
  out.Bytes(events);
  out.String("");
  return out.Take();
}

TEST(ScreenRecord, WritesReadsAndWritesTheSameBytes) {
  Saved a;
  TRivoBox& box = NewControl<TRivoBox>(a.s.screen, "box");
  box.SetBounds(1, 2, 3, 4);
  box.SetAlpha(300);
  box.SetHandleKey(true);
  NewControl<TRivoBox>(a.s.screen, "inner", &box).SetColor(0xFF);
  NewControl<TRivoBox>(a.s.screen, "back", &a.s.screen.BackBase());
  box.RaiseEvent("p.rsb", PR_ONLBTNDOWN, {"1", "2"});
  a.s.screen.SetFocus(&box);
  std::string first = a.Save();
  Saved b;
  b.Load(first);
  EXPECT_EQ(b.Save(), first);
  ASSERT_NE(b.s.screen.Focus(), nullptr);
  EXPECT_EQ(b.s.screen.Focus()->GetName(), "box");
  EXPECT_EQ(b.s.screen.SenderName(b.s.screen.Events().Entries().front().Sender), "box");
}

TEST(ScreenRecord, ASaveWhoseShownBaseIsOneShowsItWithoutATransition) {
  Saved a;
  NewControl<TRivoBox>(a.s.screen, "x", &a.s.screen.BaseAt(1)).SetBounds(0, 0, 8, 8);
  a.s.screen.StartTransition(1, 0, 0, true, 0, 0);
  Saved b;
  TDIBX back;
  back.SetSize(64, 48, 32);
  b.s.screen.SetBackBuffer(&back);
  b.Load(a.Save());
  EXPECT_EQ(b.s.screen.ActiveIndex(), 1);
  EXPECT_EQ(b.s.screen.TransitionKind(), 0);
  auto* x = b.s.screen.FindControlByName("x");
  ASSERT_NE(x, nullptr);
  x->SetColor(0xFFFFFF);
  b.s.screen.Draw();
  EXPECT_EQ(back.GetPixel(3, 3), 0x00FFFFFFu);
}

TEST(ScreenRecord, SendersByNameNoneForEmptyOrGoneAndBaseNamesExactly) {
  ByteWriter events;
  events.I32(4);
  for (const char* sender : {"", "gone", "\x01" "BASE0", "\x01" "BASE1"}) {
    events.String("p.rsb");
    events.String(sender);
    events.U8(PR_ONIDLE);
    events.I32(0);
    events.I32(0);
  }
  Saved b;
  b.Load(Record(64, 48, 1, events.Take()));
  const auto& entries = b.s.screen.Events().Entries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(b.s.screen.Resolve(entries[0].Sender), nullptr);
  EXPECT_EQ(b.s.screen.Resolve(entries[1].Sender), nullptr);
  EXPECT_EQ(b.s.screen.Resolve(entries[2].Sender), &b.s.screen.BaseAt(0));
  EXPECT_EQ(b.s.screen.Resolve(entries[3].Sender), &b.s.screen.BaseAt(1));
}

// A base's record as a version-113 save holds it: sub-priority and clip
// fields, but no tag, motion, key handling or focus pages yet.
std::string OldBaseRecord(const std::string& name, int32_t width, int32_t height) {
  ByteWriter w;
  w.String(name);
  w.I32(0);  // priority
  w.I32(0);  // sub-priority
  for (int32_t v : {0, 0, width, height, 0, 0}) w.I32(v);
  w.U8(0);  // PosZoomed
  for (int32_t v : {0, 0, 0, 0}) w.I32(v);  // clip
  w.U8(0);  // AniPaused
  w.U8(1);  // Visible
  w.I32(0);
  for (int32_t v : {0, 0, 0, 0}) w.I32(v);
  w.U8(IM_NONE);
  for (int i = 0; i < 10; ++i) w.String("");  // cursor and the mouse pages
  w.I32(0);                                   // children
  return w.Take();
}

TEST(ScreenRecord, SavesUpToVersion113StoreEachEventLevelInOneByte) {
  ByteWriter w;
  w.I32(64);
  w.I32(48);
  w.I32(0);
  w.Bytes(OldBaseRecord("\x01" "BASE0", 64, 48));
  w.Bytes(OldBaseRecord("\x01" "BASE1", 64, 48));
  w.I32(0);  // no objects
  const uint8_t levels[] = {0, 1, 7};
  w.I32(3);
  for (uint8_t level : levels) {
    w.String("p.rsb");
    w.String("");
    w.U8(PR_ONIDLE);
    w.U8(level);
    w.I32(1);
    w.String("arg");
  }
  // No focus name before version 119.
  for (int32_t version : {104, 113}) {
    Saved b;
    b.Load(w.data(), version);
    const auto& entries = b.s.screen.Events().Entries();
    ASSERT_EQ(entries.size(), 3u) << version;
    EXPECT_EQ(entries[0].Level, 0);
    EXPECT_EQ(entries[1].Level, 1);
    EXPECT_EQ(entries[2].Level, 1);  // any other byte is a set flag
    EXPECT_EQ(entries[2].Args, std::vector<std::string>{"arg"});
    // Written again, the level takes the four bytes of today's layout.
    const std::string again = b.Save();
    ByteReader again_in(again, "again");
    Saved c;
    c.s.screen.LoadFromStream(again_in, kVersion);
    EXPECT_EQ(c.s.screen.Events().Entries()[2].Level, 1);
  }
}

TEST(ScreenRecord, AnotherSizeAMissingBaseOrMissingBytesAreLoadErrors) {
  ByteWriter no_events;
  no_events.I32(0);
  const std::string good = Record(64, 48, 0, no_events.data());
  ByteWriter too_many;
  too_many.I32(1000000);
  const std::string cases[] = {
      Record(65, 48, 0, no_events.data()),
      Record(64, 47, 0, no_events.data()),
      Record(64, 48, 2, no_events.data()),
      Record(64, 48, -1, no_events.data()),
      Record(64, 48, 0, too_many.data()),
      good.substr(0, good.size() - 1),
      good.substr(0, 20),
  };
  for (const std::string& bytes : cases) {
    Saved b;
    ByteReader in(bytes, "save");
    EXPECT_THROW(b.s.screen.LoadFromStream(in, kVersion), LoadError) << bytes.size();
  }
  Saved ok;
  ok.Load(good);
}

}  // namespace
}  // namespace rivo

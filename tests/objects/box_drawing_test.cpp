// Boxes in pixels: the opacity rules, borders, children clipped to their
// parent, the base's colour, and what a frame leaves to present.

#include "objects/rivo_box.h"

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "object_fixtures.h"

namespace rivo {
namespace {

using test::NewControl;

class BoxDrawing : public ::testing::Test {
 protected:
  BoxDrawing() {
    s.screen.SetWidth(64);
    s.screen.SetHeight(48);
    back.SetSize(64, 48, 32);
    s.screen.SetBackBuffer(&back);
  }
  TRivoBox& Box(int32_t left, int32_t top, int32_t w, int32_t h, int32_t color, int32_t alpha = 255,
                TRivoControl* parent = nullptr) {
    TRivoBox& b = NewControl<TRivoBox>(s.screen, {}, parent);
    b.SetBounds(left, top, w, h);
    b.SetColor(color);
    b.SetAlpha(alpha);
    return b;
  }
  uint32_t Frame() {
    s.screen.Draw();
    s.screen.ClearDirty();
    return 0;
  }
  uint32_t At(int32_t x, int32_t y) const { return back.GetPixel(x, y); }

  test::Screen s;
  TDIBX back;
};

TEST_F(BoxDrawing, OpacityCodesCopyBlendAddOrDrawNothing) {
  back.Clear(0x00404040);
  struct Case {
    int32_t alpha;
    uint32_t expected;  // over grey 0x40 with white (0xFF) boxes
  } cases[] = {
      {255, 0x00FFFFFF},
      {128, 0x009F9F9F},
      {300, 0x006B6B6B},  // 0x40 + 255 * 44 / 256
      {511, 0x00FFFFFF},
      {0, 0x00404040},
      {512, 0x00404040},
      {-5, 0x00404040},
  };
  int32_t x = 0;
  for (const Case& c : cases) {
    Box(x, 0, 8, 8, 0xFFFFFF, c.alpha);
    x += 9;
  }
  Frame();
  x = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(At(x + 3, 3), c.expected) << "alpha " << c.alpha;
    x += 9;
  }
}

TEST_F(BoxDrawing, ABorderFramesTheBoxAndTheFillStaysInside) {
  back.Clear(0x00102030);
  TRivoBox& frame = Box(10, 10, 20, 20, -1);
  frame.SetBorderWidth(2);
  frame.SetBorderColor(0x0000FF);  // red
  TRivoBox& filled = Box(40, 10, 20, 20, 0xFF0000);
  filled.SetBorderWidth(3);
  filled.SetBorderColor(0x00FF00);
  Frame();
  EXPECT_EQ(At(10, 10), 0x00FF0000u);
  EXPECT_EQ(At(11, 20), 0x00FF0000u);
  EXPECT_EQ(At(12, 12), 0x00102030u);  // untouched inside
  EXPECT_EQ(At(29, 29), 0x00FF0000u);
  EXPECT_EQ(At(30, 30), 0x00102030u);
  EXPECT_EQ(At(42, 12), 0x0000FF00u);
  EXPECT_EQ(At(43, 13), 0x000000FFu);
}

TEST_F(BoxDrawing, ChildrenAreClippedToTheirParentAndHiddenWithIt) {
  s.screen.ActiveBase().SetColor(0);
  TRivoBox& parent = Box(10, 10, 10, 10, 0x0000FF);
  Box(5, 5, 20, 20, 0x00FF00, 255, &parent);  // at (15, 15): child coordinates are the parent's
  Frame();
  EXPECT_EQ(At(12, 12), 0x00FF0000u);
  EXPECT_EQ(At(15, 15), 0x0000FF00u);
  EXPECT_EQ(At(19, 19), 0x0000FF00u);
  EXPECT_EQ(At(20, 20), 0u);
  EXPECT_EQ(At(25, 25), 0u);
  parent.SetVisible(false);
  Frame();
  EXPECT_EQ(At(16, 16), 0u);
  EXPECT_EQ(At(12, 12), 0u);
}

TEST_F(BoxDrawing, OnlyChangedRectanglesAreRedrawnAndPresented) {
  s.screen.ActiveBase().SetColor(0x000000);
  Frame();
  TRivoBox& b = Box(4, 4, 4, 4, 0xFFFFFF);
  back.SetPixel(60, 40, 0x00ABCDEF);  // nothing invalidates it: it stays
  s.screen.Draw();
  EXPECT_EQ(s.screen.ActiveBase().Dirty.Rects(), (std::vector<TRect>{{4, 4, 8, 8}}));
  EXPECT_TRUE(s.screen.PresentRect().IsEmpty());
  s.screen.ClearDirty();
  EXPECT_EQ(At(5, 5), 0x00FFFFFFu);
  EXPECT_EQ(At(60, 40), 0x00ABCDEFu);
  b.SetLeft(30);
  s.screen.Draw();
  EXPECT_EQ(At(5, 5), 0u);
  EXPECT_EQ(At(31, 5), 0x00FFFFFFu);
  // Both places, 22 pixels apart: two rectangles.
  EXPECT_EQ(s.screen.ActiveBase().Dirty.Count(), 2u);
}

TEST_F(BoxDrawing, AFreedBoxAndItsChildrenLeaveTheirPlaceToBeDrawnAgain) {
  s.screen.ActiveBase().SetColor(0x000000);
  TRivoBox& outer = Box(4, 4, 8, 8, 0xFFFFFF);
  Box(30, 2, 4, 4, 0xFF, 255, &outer);  // sticks out of its parent: clipped to it
  Frame();
  ASSERT_EQ(At(5, 5), 0x00FFFFFFu);
  s.screen.Free(outer);
  EXPECT_EQ(s.screen.ActiveBase().Dirty.Rects(), (std::vector<TRect>{{4, 4, 12, 12}}));
  Frame();
  EXPECT_EQ(At(5, 5), 0u);
}

TEST_F(BoxDrawing, TheBackBaseDrawsIntoItsOwnSurface) {
  back.Clear(0);
  TRivoBox& hidden = NewControl<TRivoBox>(s.screen, {}, &s.screen.BackBase());
  hidden.SetBounds(0, 0, 8, 8);
  hidden.SetColor(0xFFFFFF);
  Frame();
  EXPECT_EQ(At(2, 2), 0u);
  EXPECT_EQ(s.screen.BackBase().Surface.GetPixel(2, 2), 0x00FFFFFFu);
}

TEST_F(BoxDrawing, AFlipWithoutATransitionShowsTheOtherBaseAtOnce) {
  back.Clear(0);
  TRivoBox& other = NewControl<TRivoBox>(s.screen, {}, &s.screen.BackBase());
  other.SetBounds(0, 0, 8, 8);
  other.SetColor(0xFFFFFF);
  Frame();
  EXPECT_EQ(s.screen.StartTransition(1, 39, 0, true, 0, 500), nullptr);  // a code without a wipe
  s.screen.StartTransition(1, 0, 0, true, 0, 0);
  Frame();
  EXPECT_EQ(s.screen.ActiveIndex(), 1);
  EXPECT_EQ(At(2, 2), 0x00FFFFFFu);
}

TEST_F(BoxDrawing, TheRecordReadsBackTheSameAndOldVersionsStopAfterTheAlpha) {
  TRivoBox& b = Box(1, 2, 3, 4, 0x123456, 300);
  b.SetBorderWidth(2);
  b.SetBorderColor(0xFF);
  b.OnIdle = "idle.rsb";
  b.OnPlayEnd = "end.rsb";
  b.SetSource("move.rmt");
  b.SetRepeat(true);
  b.AutoScrap = true;
  b.SetPaused(true);
  ByteWriter out;
  b.SaveToStream(out);
  TRivoBox& copy = NewControl<TRivoBox>(s.screen);
  ByteReader in(out.data(), "box");
  copy.LoadFromStream(in, 140);
  EXPECT_TRUE(in.AtEnd());
  ByteWriter again;
  copy.SaveToStream(again);
  EXPECT_EQ(again.data(), out.data());
  EXPECT_EQ(copy.GetAlpha(), 300);
  EXPECT_EQ(copy.OnIdle, "idle.rsb");
}

}  // namespace
}  // namespace rivo

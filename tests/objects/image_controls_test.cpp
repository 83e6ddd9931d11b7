// Image controls on a screen with an image cache: the opacity rule, the
// automatic and the explicit size, frame animation, brightness copies, the
// mask hit test (plain, stretched, rotated), zoomed children, records, and
// frames composed from changed rectangles that equal full redraws.

#include <gtest/gtest.h>

#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "image_fixtures.h"
#include "objects/rivo_base.h"
#include "objects/rivo_box.h"
#include "objects/rivo_image.h"
#include "objects/rivo_images.h"

namespace rivo {
namespace {

using test::FrameSpec;
using test::ImageScreen;
using test::Solid;

TRivoImages& NewImages(ImageScreen& s, const std::string& source, TRivoControl* parent = nullptr) {
  auto& image = static_cast<TRivoImages&>(s.screen.CreateByType(LT_IMAGES));
  image.SetParent(parent ? parent : &s.screen.ActiveBase());
  image.SetSource(source);
  return image;
}

TEST(ImageControls, TheOpacityCodeAddsCopiesOrDrawsNothing) {
  ImageScreen s;
  s.Add("red.orb", {Solid(4, 4, 0xFF0000)});
  s.back.Clear(0x00202020);
  s.screen.ActiveBase().SetColor(0x202020);
  struct Case {
    int32_t alpha;
    uint32_t expected;
  } cases[] = {
      {300, 0x004B2020},  // 0x20 + 255 * 44 / 256
      {255, 0x00FF0000},
      {0, 0x00202020},
      {128, 0x008F0F0F},
  };
  int32_t x = 0;
  for (const Case& c : cases) {
    TRivoImages& image = NewImages(s, "red.orb");
    image.SetLeft(x);
    image.SetAlpha(c.alpha);
    x += 5;
  }
  s.Compose();
  x = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(s.At(x + 1, 1), c.expected) << "alpha " << c.alpha;
    x += 5;
  }
}

TEST(ImageControls, AnExplicitWidthStretchesAndFreezesTheZoomUntilAZoomIsSet) {
  ImageScreen s;
  // Left half red, right half blue.
  s.Add("half.orb", {{4, 2, [](int32_t x, int32_t) { return x < 2 ? 0xFF0000u : 0x0000FFu; }, {}, 100}});
  TRivoImages& image = NewImages(s, "half.orb");
  EXPECT_EQ(image.GetWidth(), 4);
  EXPECT_EQ(test::GetInt(image, PR_ORIGWIDTH), 4);
  test::SetInt(image, PR_WIDTH, 8);
  EXPECT_EQ(test::GetInt(image, PR_ZOOMX), 0);
  EXPECT_EQ(test::GetInt(image, PR_ZOOMY), 256);
  s.Tick();
  EXPECT_EQ(image.GetWidth(), 8);  // frozen: the tick does not undo it
  s.Compose();
  EXPECT_EQ(s.At(3, 0), 0x00FF0000u);
  EXPECT_EQ(s.At(4, 0), 0x000000FFu);
  EXPECT_EQ(s.At(7, 1), 0x000000FFu);
  for (int32_t zoom : {0, -5}) {
    test::SetInt(image, PR_ZOOMX, zoom);
    EXPECT_EQ(test::GetInt(image, PR_ZOOMX), 1) << zoom;
  }
  test::SetInt(image, PR_ZOOMX, 512);
  EXPECT_EQ(image.GetWidth(), 8);  // the size follows at the next tick
  s.Tick();
  EXPECT_EQ(image.GetWidth(), 8);
  test::SetInt(image, PR_ZOOMX, 128);
  s.Tick();
  EXPECT_EQ(image.GetWidth(), 2);
  // No picture: nothing to follow.
  image.SetSource("none.orb");
  EXPECT_EQ(image.GetWidth(), 0);
  EXPECT_EQ(image.GetCount(), 0);
  EXPECT_EQ(image.GetIndex(), -1);
}

TEST(ImageControls, TwoFramesAlternateOnTheirDelaysWithoutCarryingTheOvershoot) {
  ImageScreen s;
  s.clock.delta = 45;
  s.Add("two.orb", {Solid(2, 2, 0xFF0000, 100), Solid(2, 2, 0x00FF00, 100)});
  TRivoImages& image = NewImages(s, "two.orb");
  image.SetRepeat(true);
  // 100 ms per frame at 45 ms ticks: the frame changes at the third tick
  // of each, and every frame starts afresh (no drift).
  std::string seen;
  for (int i = 0; i < 12; ++i) {
    s.Tick();
    seen += std::to_string(image.GetIndex());
  }
  EXPECT_EQ(seen, "001110001110");
  EXPECT_TRUE(test::GetInt(image, PR_PLAYING));
}

TEST(ImageControls, TheLastFrameEndsTheRunOnceOrEndsTheControl) {
  ImageScreen s;
  s.Add("two.orb", {Solid(2, 2, 0xFF0000, 30), Solid(2, 2, 0x00FF00, 30)});
  TRivoImages& plain = NewImages(s, "two.orb");
  plain.OnPlayEnd = "end.rsb";
  plain.SetName("plain");
  TRivoImages& scrap = NewImages(s, "two.orb");
  scrap.AutoScrap = true;
  scrap.SetName("scrap");
  s.Tick(10);
  EXPECT_EQ(plain.GetIndex(), 1);
  EXPECT_FALSE(test::GetInt(plain, PR_PLAYING));
  EXPECT_EQ(s.screen.Events().Count(), 1);  // once, not every tick
  EXPECT_EQ(s.screen.FindObjectByName("scrap"), nullptr);
  // Pausing stops the frames; PR_REPEAT with frames left starts over.
  plain.SetRepeat(true);
  EXPECT_TRUE(test::GetInt(plain, PR_PLAYING));
  test::SetInt(plain, PR_PAUSED, 1);
  EXPECT_FALSE(test::GetInt(plain, PR_PLAYING));
}

TEST(ImageControls, BrightnessCopiesAreClampedAndLeaveTheCachedFrameAlone) {
  TDIBX frame;
  frame.SetSize(2, 1, 32);
  frame.SetPixel(0, 0, 0x00806040);
  frame.SetPixel(1, 0, 0x00F0F0F0);
  frame.SetTransparentColor(0x00F0F0F0);
  struct Case {
    int32_t brightness;
    uint32_t first;
    int64_t key;
  } cases[] = {
      {0x20, 0x00A08060, 0x00FFFFFF},
      {300, 0x00FFFFFF, 0x00FFFFFF},  // at most white: nothing spills over
      {-0x50, 0x00301000, 0x00A0A0A0},
      {-1000, 0x00000000, 0x00000000},
  };
  for (const Case& c : cases) {
    TDIBX copy;
    MakeBrightnessCopy(frame, c.brightness, copy);
    EXPECT_EQ(copy.GetPixel(0, 0), c.first) << c.brightness;
    EXPECT_EQ(copy.TransparentColor(), c.key) << c.brightness;
  }
  EXPECT_EQ(frame.GetPixel(0, 0), 0x00806040u);

  ImageScreen s;
  s.Add("grey.orb", {Solid(2, 2, 0x404040)});
  TRivoImages& lit = NewImages(s, "grey.orb");
  test::SetInt(lit, PR_BRIGHTNESS, 0x10);
  TRivoImages& plain = NewImages(s, "grey.orb");
  plain.SetLeft(4);
  s.Compose();
  EXPECT_EQ(s.At(0, 0), 0x00505050u);
  EXPECT_EQ(s.At(4, 0), 0x00404040u);
  // TRivoImage darkens by 255 - brightness and keeps it within 0..255.
  auto& still = s.screen.Create<TRivoImage>();
  still.SetParent(&s.screen.ActiveBase());
  still.SetSource("grey.orb");
  still.SetLeft(8);
  still.SetBrightness(0xFF - 0x30);
  s.Compose();
  EXPECT_EQ(s.At(8, 1), 0x00101010u);
  still.SetBrightness(999);
  EXPECT_EQ(still.GetBrightness(), 255);
}

// A 4 x 4 picture whose mask is opaque in the left half only.
FrameSpec LeftHalfMasked() {
  return {4, 4, [](int32_t, int32_t) { return 0xFFFFFFu; }, [](int32_t x, int32_t) { return x < 2 ? 255 : 0; },
          100};
}

TEST(ImageControls, ACaptureMaskIsHitOnOpaquePixelsOnlyAlsoStretchedAndTurned) {
  ImageScreen s;
  s.Add("masked.orb", {LeftHalfMasked()});
  TRivoImages& image = NewImages(s, "masked.orb");
  image.SetBounds(10, 10, 4, 4);
  TRivoBase& base = s.screen.ActiveBase();
  auto hit = [&](int32_t x, int32_t y) { return base.HitTest(x, y, kHitForLeftPress) == &image; };
  EXPECT_TRUE(hit(13, 11));  // without the capture mask the whole rectangle
  image.SetCaptureMask(true);
  EXPECT_TRUE(hit(11, 11));
  EXPECT_FALSE(hit(12, 11));
  // Stretched to 8 wide by an explicit width (zoom 0): through the real stretch.
  test::SetInt(image, PR_WIDTH, 8);
  EXPECT_TRUE(hit(13, 11));
  EXPECT_FALSE(hit(14, 11));
  EXPECT_FALSE(hit(18, 11));
  // Mirrored: the opaque half is on the right, and the rectangle moves to
  // put the mirrored offset at the reference point (3 .. 11).
  image.SetFlipH(true);
  EXPECT_EQ(image.AbsLeft(), 3);
  EXPECT_FALSE(hit(6, 11));
  EXPECT_TRUE(hit(7, 11));
  image.SetFlipH(false);
  test::SetInt(image, PR_ZOOMX, 256);
  s.Tick();
  // A quarter turn about the corner (offset 0): column x of the picture
  // lands on row y + x below the reference point, to its left.
  image.SetAngle(64);
  const TRect box = image.GetScreenRect();
  EXPECT_EQ(box, (TRect{7, 10, 11, 14}));
  int32_t px = -1, py = -1;
  ASSERT_TRUE(image.PicturePixelAt(9, 10, px, py));
  EXPECT_EQ(px, 0);
  EXPECT_TRUE(hit(9, 10));   // picture column 0
  EXPECT_FALSE(hit(9, 13));  // picture column 3
}

TEST(ImageControls, ZoomedChildrenUseTheParentsPictureScaleOrTheOrdinaryRule) {
  ImageScreen s;
  s.Add("big.orb", {Solid(20, 20, 0x808080)});
  s.Add("dot.orb", {Solid(2, 2, 0xFF0000)});
  TRivoImages& parent = NewImages(s, "big.orb");
  parent.SetLeft(5);
  test::SetInt(parent, PR_WIDTH, 40);  // picture pixels per base pixel: 1/2
  TRivoImages& child = NewImages(s, "dot.orb", &parent);
  child.SetLeft(3);
  test::SetInt(child, PR_POSZOOMED, 1);
  // Zooms differ (the parent's is frozen): the ordinary rule.
  s.Tick();
  EXPECT_EQ(child.AbsLeft(), 8);
  test::SetInt(child, PR_WIDTH, 2);  // same frozen zoom: the parent's scale
  EXPECT_EQ(child.AbsLeft(), 5 + 6);
  // A parent without size has no scale: the ordinary rule (the frozen zoom
  // scales Left to 0), no division by 0.
  test::SetInt(parent, PR_WIDTH, 0);
  EXPECT_EQ(child.AbsLeft(), 5);
  // Following the parent's zoom, the child's size is the scaled span.
  test::SetInt(parent, PR_ZOOMX, 512);
  test::SetInt(child, PR_ZOOMX, 512);
  s.Tick();
  EXPECT_EQ(parent.GetWidth(), 40);
  EXPECT_EQ(child.GetWidth(), 4);
  EXPECT_EQ(child.AbsLeft(), 5 + 6);
}

std::string Save(const TRivoObject& o) {
  ByteWriter out;
  o.SaveToStream(out);
  return out.Take();
}

TEST(ImageControls, ARecordRoundTripsWithItsFrameAndTimer) {
  ImageScreen s;
  s.Add("three.orb", {Solid(2, 2, 1), Solid(3, 3, 2), Solid(4, 4, 3)});
  TRivoImages& image = NewImages(s, "three.orb");
  image.SetName("img");
  image.SetIndex(2);
  test::SetInt(image, PR_ZOOMY, 300);
  test::SetInt(image, PR_WIDTH, 9);
  image.SetAngle(12);
  image.SetRepeat(true);
  image.OnIdle = "idle.rsb";
  test::SetInt(image, PR_BRIGHTNESS, -20);
  const std::string bytes = Save(image);
  {
    ImageScreen t;
    t.pictures = s.pictures;
    auto& copy = static_cast<TRivoImages&>(t.screen.CreateByType(LT_IMAGES));
    ByteReader in(bytes, "save.dat");
    copy.LoadFromStream(in, 140);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(copy.GetIndex(), 2);
    EXPECT_EQ(copy.GetSurface()->Width(), 4);
    EXPECT_EQ(copy.GetZoomX(), 0);
    EXPECT_EQ(copy.GetZoomY(), 300);
    EXPECT_EQ(copy.FrameTimer(), image.FrameTimer());
    EXPECT_EQ(Save(copy), bytes);
  }
}

// Every frame composed from the changed rectangles equals one drawn whole.
TEST(ImageControls, IncrementalFramesEqualFullRedrawsForTurnsZoomsAndAnimations) {
  ImageScreen s(96, 64);
  s.clock.delta = 40;
  s.Add("anim.orb", {Solid(10, 6, 0xFF0000, 50), Solid(14, 8, 0x00FF00, 50), Solid(6, 12, 0x0000FF, 50)});
  s.Add("masked.orb", {LeftHalfMasked()});
  TRivoImages& turning = NewImages(s, "anim.orb");
  turning.SetBounds(30, 30, 0, 0);
  turning.SetOffsetX(5);
  turning.SetOffsetY(3);
  turning.SetRepeat(true);
  TRivoImages& zooming = NewImages(s, "masked.orb");
  zooming.SetLeft(60);
  zooming.SetRepeat(true);
  TRivoImages& child = NewImages(s, "anim.orb", &zooming);
  test::SetInt(child, PR_POSZOOMED, 1);
  child.SetLeft(1);
  for (int step = 0; step < 12; ++step) {
    turning.SetAngle(step * 23);
    test::SetInt(turning, PR_ZOOMX, 256 + step * 40);
    test::SetInt(zooming, PR_ZOOMX, 256 + (step % 4) * 100);
    test::SetInt(child, PR_ZOOMX, 256 + (step % 4) * 100);
    test::SetInt(zooming, PR_ALPHA, step % 2 ? 300 : 200);
    zooming.SetFlipV(step % 3 == 0);
    s.Tick();
    s.Compose();
    std::vector<uint32_t> incremental;
    for (int32_t y = 0; y < 64; ++y)
      for (int32_t x = 0; x < 96; ++x) incremental.push_back(s.At(x, y));
    s.screen.InvalidateAll();
    s.Compose();
    for (int32_t y = 0; y < 64; ++y)
      for (int32_t x = 0; x < 96; ++x)
        ASSERT_EQ(incremental[static_cast<std::size_t>(y * 96 + x)], s.At(x, y))
            << "step " << step << " at " << x << "," << y;
  }
}

// A changed rectangle is composed from the pictures that reach into it; one
// that only comes near it (above, below or beside) is passed over, with its
// children, before anything else is worked out. Either way the rectangle
// comes out as the full redraw has it.
TEST(ImageControls, AChangedRectangleShowsWhatAFullRedrawShowsThere) {
  const TRect changed = Bounds(20, 16, 12, 10);
  struct Case {
    const char* name;
    int32_t left, top, width;  // width 0: the picture's own
    bool flip;
    int32_t alpha;
    bool visible = true;
    int32_t angle = 0;
    // A child picture at (child_left, child_top) of it; none when child is false.
    bool child = false;
    int32_t child_left = 0, child_top = 0;
  };
  const Case cases[] = {
      // 8 x 6 pictures; the ones over an edge reach one pixel into the rectangle.
      {"inside", 22, 18, 0, false, 255},          {"over the left edge", 13, 18, 0, false, 255},
      {"over the right edge", 31, 18, 0, true, 128}, {"over the top edge", 22, 11, 0, false, 255},
      {"over the bottom edge", 22, 25, 0, false, 300}, {"touching the left", 12, 18, 0, false, 255},
      {"touching the right", 32, 18, 0, false, 255}, {"touching the top", 22, 10, 0, false, 255},
      {"touching the bottom", 22, 26, 0, false, 255}, {"stretched across", 2, 17, 60, true, 255},
      {"stretched beside", 33, 17, 20, false, 255},
      {"hidden inside", 22, 18, 0, false, 255, false}, {"transparent inside", 22, 18, 0, false, 0},
      // Turned, the picture leaves its rectangle: one beside the changed
      // rectangle reaches into it.
      {"turned from beside", 13, 18, 0, false, 255, true, 45}, {"turned inside", 22, 18, 0, true, 200, true, 90},
      // Children are cut to their parent: one inside the rectangle shows
      // only where its parent meets it too.
      {"child inside, parent above", 22, 10, 0, false, 255, true, 0, true, 0, 7},
      {"child inside, parent beside", 33, 17, 0, false, 255, true, 0, true, -6, 2},
      {"child beside, parent over the edge", 13, 18, 0, false, 255, true, 0, true, 7, 1},
      {"child inside, hidden parent", 22, 18, 0, false, 255, false, 0, true, 1, 1},
      {"child inside, transparent parent", 22, 18, 0, false, 0, true, 0, true, 1, 1},
  };
  for (const Case& c : cases) {
    ImageScreen s;
    auto grain = [](int32_t x, int32_t y) { return uint32_t(x * 30 << 16 | y * 40 << 8 | 0x80); };
    s.Add("grain.orb", {{8, 6, grain, {}, 100}});
    s.Add("green.orb", {Solid(5, 4, 0x00C000)});
    TRivoImages& image = NewImages(s, "grain.orb");
    image.SetBounds(c.left, c.top, 0, 0);
    if (c.width) test::SetInt(image, PR_WIDTH, c.width);
    image.SetFlipH(c.flip);
    test::SetInt(image, PR_ALPHA, c.alpha);
    image.SetAngle(c.angle);
    if (c.child) NewImages(s, "green.orb", &image).SetBounds(c.child_left, c.child_top, 0, 0);
    image.SetVisible(c.visible);
    s.Tick();
    s.Compose();
    std::vector<uint32_t> full;
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) full.push_back(s.At(x, y));
    s.back.FillRect(changed, 0x00123456);
    s.screen.ActiveBase().InvalidateRect(changed);
    s.Compose();
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x)
        ASSERT_EQ(full[static_cast<std::size_t>(y * 64 + x)], s.At(x, y)) << c.name << " at " << x << "," << y;
  }
}

// Only a picture copied whole and opaque paints its rectangle whatever lies
// beneath; under it a box draws neither its fill nor its earlier children
// (a translucent one here), and the same pixels show over any background,
// the picture's own children drawn over it.
TEST(ImageControls, OnlyAPictureCopiedWholeAndOpaqueHidesWhatLiesUnderIt) {
  struct Case {
    const char* name;
    void (*set)(TRivoImages&);
    bool opaque;
  } cases[] = {
      {"plain", [](TRivoImages&) {}, true},
      {"flipped", [](TRivoImages& i) { i.SetFlipH(true); }, true},
      {"translucent", [](TRivoImages& i) { test::SetInt(i, PR_ALPHA, 200); }, false},
      {"added", [](TRivoImages& i) { test::SetInt(i, PR_ALPHA, 300); }, false},
      {"stretched", [](TRivoImages& i) { test::SetInt(i, PR_WIDTH, 40); }, false},
      {"turned", [](TRivoImages& i) { i.SetAngle(30); }, false},
      {"masked", [](TRivoImages& i) { i.SetSource("masked.orb"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> shown[2];
    for (int32_t under = 0; under < 2; ++under) {
      ImageScreen s;
      auto grain = [](int32_t x, int32_t y) { return uint32_t(x * 7 << 16 | y * 9 << 8 | 0x80); };
      s.Add("grain.orb", {{32, 24, grain, {}, 100}});
      s.Add("masked.orb", {{32, 24, grain, [](int32_t x, int32_t) { return uint8_t(x * 8); }, 100}});
      s.Add("dot.orb", {Solid(3, 3, 0x00FF00)});
      s.screen.ActiveBase().SetColor(under ? 0x3060A0 : 0x000000);
      TRivoBox& box = test::NewControl<TRivoBox>(s.screen);
      box.SetBounds(4, 4, 40, 30);
      box.SetColor(under ? 0xFFFFFF : 0x102030);
      TRivoBox& glass = test::NewControl<TRivoBox>(s.screen, {}, &box);
      glass.SetBounds(0, 0, 40, 30);
      glass.SetColor(0x0000FF);
      glass.SetAlpha(under ? 100 : 30);
      TRivoImages& image = NewImages(s, "grain.orb", &box);
      image.SetLeft(2);
      image.SetTop(3);
      NewImages(s, "dot.orb", &image).SetLeft(5);
      c.set(image);
      s.Tick();
      s.Compose();
      EXPECT_EQ(image.FillsOpaquely(), c.opaque);
      // Where the picture lies on the box (a flip mirrors it to the left).
      const TRect area = Intersect(image.GetScreenRect(), box.GetScreenRect());
      EXPECT_EQ(box.CoveringChild(area), c.opaque ? 1u : 2u);
      // A changed rectangle within it: the box's fill and the glass are left out there.
      const TRect changed = Intersect(area, Bounds(5, 10, 8, 8));
      s.screen.ActiveBase().InvalidateRect(changed);
      s.back.FillRect(changed, 0x00ABCDEF);
      s.Compose();
      for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x) shown[under].push_back(s.At(x, y));
    }
    if (c.opaque) { EXPECT_EQ(shown[0], shown[1]); }
  }
}

TEST(ImageControls, ADisplayChangeGivesUpThePicturesAndBringsBackTheSameFrame) {
  ImageScreen s;
  s.Add("three.orb", {Solid(2, 2, 0xFF0000), Solid(3, 3, 0x00FF00), Solid(4, 4, 0x0000FF)});
  TRivoImages& image = NewImages(s, "three.orb");
  image.SetIndex(1);
  test::SetInt(image, PR_BRIGHTNESS, -0x10);
  const int32_t timer = image.FrameTimer();
  s.screen.ReleaseSurfaces();
  EXPECT_EQ(s.cache.Count(), 0);  // nothing holds the picture any more
  EXPECT_EQ(image.GetSurface(), nullptr);
  s.screen.RestoreSurfaces();
  EXPECT_EQ(image.GetIndex(), 1);
  EXPECT_EQ(image.FrameTimer(), timer);
  s.Compose();
  EXPECT_EQ(s.At(1, 1), 0x0000EF00u);
}

TEST(ImageControls, FilmAndOtherSourcesAreKeptAndShowNothingWhileAnyPictureShowsThroughTRivoImage) {
  ImageScreen s;
  s.Add("red.orb", {Solid(4, 4, 0xFF0000)});
  s.pictures.files["film.rmt"] = "not a picture";
  for (const char* name : {"film.rmt", "FILM.RMT", "red.bmp", ""}) {
    TRivoImages& image = NewImages(s, "red.orb");
    image.SetSource(name);
    EXPECT_EQ(image.GetSource(), name);
    EXPECT_EQ(image.GetCount(), 0) << name;
    EXPECT_EQ(image.GetSurface(), nullptr) << name;
    EXPECT_EQ(image.GetWidth(), 0) << name;
  }
  // TRivoImage takes any picture the cache reads; its record round-trips.
  auto& still = s.screen.Create<TRivoImage>();
  still.SetParent(&s.screen.ActiveBase());
  still.SetSource("red.orb");
  still.SetBrightness(200);
  EXPECT_EQ(still.GetWidth(), 4);
  ByteWriter out;
  still.SaveToStream(out);
  const std::string bytes = out.Take();
  auto& copy = s.screen.Create<TRivoImage>();
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, 140);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.GetBrightness(), 200);
  EXPECT_EQ(copy.GetSurface()->GetPixel(0, 0), 0x00C80000u);
  EXPECT_EQ(Save(copy), bytes);
}

}  // namespace
}  // namespace rivo

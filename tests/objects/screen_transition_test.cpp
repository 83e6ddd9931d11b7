// The screen's transitions: StartTransition makes the wipe of a code over
// the two bases' pictures with the code's default parameters, each drawing
// step composes the frame of its time into the back buffer and presents
// exactly its rectangle, and ending the flip shows the other base.

#include <gtest/gtest.h>

#include "graphics/wipe_start.h"
#include "objects/rivo_box.h"
#include "object_fixtures.h"

namespace rivo {
namespace {

using test::NewControl;

// A picture source whose one picture is a horizontal grey ramp.
class RampMasks : public TWipeMaskSource {
 public:
  std::optional<TDIBSurface> FindMaskPicture(const std::string& name) const override {
    asked.push_back(name);
    if (name != "ramp.orb") return std::nullopt;
    TDIBSurface ramp;
    ramp.SetSize(8, 1, 24);
    for (int32_t x = 0; x < 8; ++x) ramp.WritePixel(x, 0, 0x010101u * static_cast<uint32_t>(x * 32));
    return ramp;
  }
  mutable std::vector<std::string> asked;
};

// A screen of w x h drawing into a dark grey back buffer, its back base
// light grey.
struct GreyScreen {
  GreyScreen(int32_t w, int32_t h) {
    s.screen.SetWidth(w);
    s.screen.SetHeight(h);
    back.SetSize(w, h, 32);
    back.Clear(0x303030);
    s.screen.SetBackBuffer(&back);
    s.screen.BaseAt(1).SetColor(0x808080);
  }
  test::Screen s;
  TDIBX back;
};

class ScreenTransition : public ::testing::Test {
 protected:
  static constexpr int32_t kW = 40, kH = 30;

  ScreenTransition() {
    s.screen.SetWidth(kW);
    s.screen.SetHeight(kH);
    back.SetSize(kW, kH, 32);
    s.screen.SetBackBuffer(&back);
    // The shown base: dark blue with a red box; behind it: grey with a green one.
    s.screen.BaseAt(0).SetColor(0x400000);
    s.screen.BaseAt(1).SetColor(0x808080);
    Box(s.screen.BaseAt(0), 4, 4, 10, 10, 0x0000FF);
    Box(s.screen.BaseAt(1), 20, 10, 12, 12, 0x00FF00);
    Frame();
  }
  void Box(TRivoBase& base, int32_t left, int32_t top, int32_t w, int32_t h, int32_t color) {
    TRivoBox& b = NewControl<TRivoBox>(s.screen, {}, &base);
    b.SetBounds(left, top, w, h);
    b.SetColor(color);
  }
  void Frame() {
    s.screen.Draw();
    s.screen.ClearDirty();
  }
  // The frame the wipe alone gives for the two bases' pictures at time t.
  const TDIBX& Expected(const TWipeRequest& request, int32_t t, const TWipeMaskSource* masks = nullptr) {
    TDIBX old_picture, new_picture;
    TDIBX& out = expected;
    old_picture.SetSize(kW, kH, 32);
    old_picture.Assign(s.screen.BaseAt(0).Surface);
    new_picture.SetSize(kW, kH, 32);
    new_picture.Assign(s.screen.BaseAt(1).Surface);
    out.SetSize(kW, kH, 32);
    TWipeDefaults defaults;
    defaults.SetScreenSize(kW, kH);
    auto wipe = StartWipe(request, defaults, out, new_picture, old_picture, TWipeEnvironment{masks, 5});
    wipe->SetTime(t);
    EXPECT_FALSE(wipe->Step());
    return out;
  }
  static bool Same(const TDIBX& a, const TDIBX& b) {
    for (int32_t y = 0; y < a.Height(); ++y)
      for (int32_t x = 0; x < a.Width(); ++x)
        if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
  }

  test::Screen s;
  TDIBX back, expected;
};

TEST_F(ScreenTransition, EachStepShowsTheWipeOfItsTimeAndPresentsItsRectangle) {
  s.screen.WipeDefaults().SetScreenSize(kW, kH);
  s.screen.SetWipeSeed(5);
  struct Case {
    int32_t code;
    bool reverse;
  } cases[] = {{WP_FADE, false}, {WP_BLINDH, true}, {WP_ZOOMIN, false}, {WP_BLOCKRANDOM, false}, {WP_CRACK, true}};
  for (const Case& c : cases) {
    TCustomWipe* wipe = s.screen.StartTransition(0, c.code, c.reverse ? 1 : 0, true, 0, 400);
    ASSERT_NE(wipe, nullptr) << c.code;
    ApplyWipeOverrides(*wipe, {});
    EXPECT_EQ(s.screen.TransitionDuration(), 400);
    TWipeRequest request;
    request.code = c.code;
    request.duration = 400;
    request.reverse = c.reverse;
    // Any time, in any order.
    for (int32_t t : {300, 0, 150}) {
      s.screen.SetTransitionPosition(t);
      s.screen.Draw();
      EXPECT_EQ(s.screen.PresentRect(), (TRect{0, 0, kW, kH}));
      EXPECT_TRUE(Same(back, Expected(request, t))) << "code " << c.code << " t " << t;
      s.screen.ClearDirty();
    }
    s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
    Frame();
  }
}

TEST_F(ScreenTransition, TheZoomInGoesToTheScreenCentreUnlessTheFlipSaysOtherwise) {
  EXPECT_EQ(s.screen.WipeDefaults().Of(WP_ZOOMIN).p0, 0);
  s.screen.WipeDefaults().SetScreenSize(kW, kH);
  TCustomWipe* wipe = s.screen.StartTransition(0, WP_ZOOMIN, 0, true, 0, 100);
  ASSERT_NE(wipe, nullptr);
  EXPECT_EQ(wipe->GetParam(0), kW / 2);
  EXPECT_EQ(wipe->GetParam(1), kH / 2);
  TWipeOverrides overrides;
  overrides.p1 = 3;
  ApplyWipeOverrides(*wipe, overrides);
  EXPECT_EQ(wipe->GetParam(0), kW / 2);
  EXPECT_EQ(wipe->GetParam(1), 3);
}

TEST_F(ScreenTransition, CodesWithoutAWipeMakeNoneAndTheOtherBaseShowsAtOnce) {
  for (int32_t code : {-1, 0, 39, 1000}) {
    EXPECT_EQ(s.screen.StartTransition(1, code, 0, true, 0, 500), nullptr) << code;
    EXPECT_EQ(s.screen.TransitionDuration(), 0);
  }
  s.screen.StartTransition(1, WP_NONE, 0, true, 0, 0);
  Frame();
  EXPECT_EQ(back.GetPixel(25, 15), 0x0000FF00u);
  EXPECT_EQ(back.GetPixel(1, 1), 0x00808080u);
}

TEST_F(ScreenTransition, AMaskFadeReadsItsPictureFromTheScreensSource) {
  RampMasks masks;
  s.screen.SetWipeMasks(&masks);
  TCustomWipe* wipe = s.screen.StartTransition(0, WP_MASKFADE, 0, true, 0, 1000);
  ASSERT_NE(wipe, nullptr);
  TWipeOverrides overrides;
  overrides.mask_name = "ramp.orb";
  ApplyWipeOverrides(*wipe, overrides);
  s.screen.SetTransitionPosition(400);
  s.screen.Draw();
  TWipeRequest request;
  request.code = WP_MASKFADE;
  request.duration = 1000;
  request.mask_name = "ramp.orb";
  EXPECT_TRUE(Same(back, Expected(request, 400, &masks)));
  // Bright columns are further on than dark ones.
  EXPECT_FALSE(Same(back, Expected(request, 400)));
  EXPECT_FALSE(masks.asked.empty());
}

TEST_F(ScreenTransition, AWipeWhoseTimeHasRunOutLeavesTheLastFrameAndPresentsNothing) {
  s.screen.StartTransition(0, WP_FADE, 0, true, 0, 100);
  s.screen.SetTransitionPosition(50);
  Frame();
  TDIBX before;
  before.SetSize(kW, kH, 32);
  before.Assign(back);
  s.screen.SetTransitionPosition(100);
  s.screen.Draw();
  EXPECT_TRUE(s.screen.PresentRect().IsEmpty());
  EXPECT_TRUE(Same(back, before));
}

// The shown base takes the back buffer's pixels at a transition's start;
// until the transition draws, the back buffer gets them back whenever the
// transition stops or cannot draw.
class ScreenTransitionStart : public ScreenTransition {
 protected:
  ScreenTransitionStart() {
    shown.SetSize(kW, kH, 32);
    shown.Assign(back);
    // What the shown base's own surface held while it drew into the back buffer.
    s.screen.BaseAt(0).Surface.Clear(0x777777);
  }
  TWipeRequest Request(int32_t code, int32_t duration) const {
    TWipeRequest request;
    request.code = code;
    request.duration = duration;
    return request;
  }
  TCustomWipe* Start(int32_t code, int32_t duration, int32_t position = 0) {
    TCustomWipe* wipe = s.screen.StartTransition(0, code, 0, true, position, duration);
    if (wipe) ApplyWipeOverrides(*wipe, {});
    return wipe;
  }
  TDIBX shown;  // the picture on the screen before the transition
};

TEST_F(ScreenTransitionStart, TheShownBaseTakesThePictureAndTheFirstFrameWritesTheWholeScreen) {
  for (int32_t code : {WP_FADE, WP_MASKFADE, WP_BLINDH, WP_SCROLLH, WP_WHITE, WP_BLOCKRANDOM}) {
    SCOPED_TRACE(code);
    Start(code, 300);
    EXPECT_TRUE(Same(s.screen.BaseAt(0).Surface, shown));
    s.screen.SetTransitionPosition(100);
    s.screen.Draw();
    EXPECT_TRUE(Same(back, Expected(Request(code, 300), 100)));
    s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
    Frame();
    EXPECT_TRUE(Same(back, shown));
    s.screen.BaseAt(0).Surface.Clear(0x777777);
  }
}

TEST_F(ScreenTransitionStart, ATransitionStoppedBeforeItDrewLeavesTheScreenAsItWas) {
  struct Case {
    const char* what;
    void (*stop)(TRivoBaseList&);
  } cases[] = {
      {"flip ended", [](TRivoBaseList& screen) { screen.StartTransition(1, WP_NONE, 0, true, 0, 0); }},
      {"released", [](TRivoBaseList& screen) { screen.ReleaseSurfaces(); }},
      {"reset", [](TRivoBaseList& screen) { screen.Reset(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(WP_FADE, 300);
    c.stop(s.screen);
    EXPECT_TRUE(Same(back, shown));
    // Everything draws again as before.
    s.screen.RestoreSurfaces();
    s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
    s.screen.BaseAt(0).SetColor(0x400000);
    s.screen.BaseAt(1).SetColor(0x808080);
    if (s.screen.BaseAt(0).ChildCount() == 0) Box(s.screen.BaseAt(0), 4, 4, 10, 10, 0x0000FF);
    Frame();
    EXPECT_TRUE(Same(back, shown));
    s.screen.BaseAt(0).Surface.Clear(0x777777);
  }
}

TEST_F(ScreenTransitionStart, AWipeThatCannotDrawGivesThePictureBack) {
  // Its time has run out before the first frame.
  Start(WP_FADE, 100, 250);
  s.screen.Draw();
  EXPECT_TRUE(s.screen.PresentRect().IsEmpty());
  EXPECT_TRUE(Same(back, shown));
  s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
  // The back base has another size: the pictures do not fit the screen.
  s.screen.BaseAt(1).SetWidth(kW / 2);
  Start(WP_FADE, 100);
  s.screen.Draw();
  EXPECT_TRUE(s.screen.PresentRect().IsEmpty());
  EXPECT_TRUE(Same(back, shown));
  EXPECT_TRUE(Same(s.screen.BaseAt(0).Surface, shown));
}

TEST_F(ScreenTransitionStart, ATransitionStartedAgainOrForcedWhileOneRunsShowsTheLastOne) {
  // Started twice before a frame, then forced while the second runs.
  Start(WP_BLINDH, 300);
  Start(WP_FADE, 300);
  s.screen.SetTransitionPosition(120);
  s.screen.Draw();
  EXPECT_TRUE(Same(back, Expected(Request(WP_FADE, 300), 120)));
  Start(WP_MASKFADE, 500);
  s.screen.SetTransitionPosition(200);
  s.screen.Draw();
  EXPECT_TRUE(Same(back, Expected(Request(WP_MASKFADE, 500), 200)));
  EXPECT_TRUE(Same(s.screen.BaseAt(0).Surface, shown));
  s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
  Frame();
  EXPECT_TRUE(Same(back, shown));
}

// A frame that is the old picture (a fade's first moments) is drawn and
// presented only where the old base changes, while the display shows the
// rest already; the back buffer stays lent and gets its picture back as
// before. The display here takes what each frame presents, as a window.
class ScreenTransitionOldPicture : public ScreenTransitionStart {
 protected:
  ScreenTransitionOldPicture() {
    display.SetSize(kW, kH, 32);
    display.Assign(back);
  }
  // Draws a frame at time t and presents it; false when it showed more than the old picture.
  bool ShowFrame(int32_t t) {
    s.screen.SetTransitionPosition(t);
    s.screen.Draw();
    const std::optional<std::vector<TRect>>& changes = s.screen.OldPictureChanges();
    std::vector<TRect> shown = changes ? *changes : std::vector<TRect>{s.screen.PresentRect()};
    for (const TRect& r : shown) display.Draw(r.Left, r.Top, false, false, false, r, back);
    s.screen.ClearDirty();
    return changes.has_value();
  }
  TDIBX display;
};

TEST_F(ScreenTransitionOldPicture, AFadesFirstMomentsPresentOnlyWhatTheOldBaseChanges) {
  Start(WP_FADE, 300);
  EXPECT_TRUE(ShowFrame(0));
  EXPECT_EQ(s.screen.OldPictureChanges()->size(), 0u);
  EXPECT_TRUE(Same(display, shown));
  // The old base's box moves while new's alpha 256 t / 300 is still 0.
  s.screen.BaseAt(0).Children().front()->SetLeft(12);
  EXPECT_TRUE(ShowFrame(1));
  EXPECT_FALSE(s.screen.OldPictureChanges()->empty());
  EXPECT_TRUE(Same(display, Expected(Request(WP_FADE, 300), 1)));
  EXPECT_FALSE(Same(display, shown));
  EXPECT_FALSE(ShowFrame(2));
  EXPECT_TRUE(Same(back, Expected(Request(WP_FADE, 300), 2)));
  EXPECT_TRUE(Same(display, back));
  s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
  Frame();
  EXPECT_TRUE(Same(back, s.screen.BaseAt(0).Surface));
}

TEST_F(ScreenTransitionOldPicture, AFadeEndedBeforeItDrewGivesTheBackBufferItsPicture) {
  Start(WP_FADE, 300);
  s.screen.BaseAt(0).Children().front()->SetLeft(12);
  EXPECT_TRUE(ShowFrame(0));
  s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
  Frame();
  EXPECT_TRUE(Same(back, display));
  EXPECT_TRUE(Same(back, s.screen.BaseAt(0).Surface));
}

TEST_F(ScreenTransitionOldPicture, OtherWipesDrawTheirFirstFrameWhole) {
  Start(WP_BLINDH, 300);
  EXPECT_FALSE(ShowFrame(0));
  EXPECT_TRUE(Same(back, Expected(Request(WP_BLINDH, 300), 0)));
  EXPECT_TRUE(Same(display, back));
}

// While the old picture shows, the new base is drawn once a frame shows it
// when a redraw of it gives the same picture whatever its surface held
// (here its colour), with every change made meanwhile; else every tick.
TEST_F(ScreenTransitionOldPicture, TheNewPictureIsDrawnWithItsChangesWhenAFrameFirstShowsIt) {
  TRivoBase& next = s.screen.BaseAt(1);
  auto drawn_whole = [&] {  // the new base's surface is what a whole redraw gives
    const TClipList pending = next.Dirty;
    next.InvalidateAll();
    TDIBX whole;
    next.ComposeInto(whole);
    next.Dirty = pending;
    return Same(next.Surface, whole);
  };
  for (bool coloured : {true, false}) {
    SCOPED_TRACE(coloured);
    if (!coloured) next.SetColor(-1);
    Frame();
    s.screen.BaseAt(0).Surface.Clear(0x777777);
    Start(WP_FADE, 300);
    for (int32_t left : {12, 16}) {  // the green box moves while the old picture shows
      next.Children().front()->SetLeft(left);
      ASSERT_TRUE(ShowFrame(0));
      EXPECT_EQ(next.Dirty.Rects().empty(), !coloured);
      EXPECT_EQ(drawn_whole(), !coloured);
    }
    EXPECT_FALSE(ShowFrame(100));
    EXPECT_TRUE(drawn_whole());
    EXPECT_TRUE(Same(back, Expected(Request(WP_FADE, 300), 100)));
    s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
  }
}

// An old base that draws nothing (no colour, no controls) keeps the picture
// it took from the back buffer: that picture is the display's once a frame
// has been presented, not before.
TEST(ScreenTransitionFromAnEmptyBase, TheFirstFrameIsDrawnUnlessTheBackBufferWasPresented) {
  constexpr int32_t kW = 16, kH = 8;
  for (bool presented : {false, true}) {
    SCOPED_TRACE(presented);
    GreyScreen grey(kW, kH);
    TRivoBaseList& screen = grey.s.screen;
    TDIBX& back = grey.back;
    for (int32_t base : {0, 1}) screen.BaseAt(base).Surface.SetSize(kW, kH, 32);  // as a drawn one's
    if (presented) {
      screen.Draw();
      screen.ClearDirty();
    }
    screen.StartTransition(0, WP_FADE, 0, true, 0, 300);
    screen.Draw();
    ASSERT_EQ(screen.OldPictureChanges().has_value(), presented);
    if (presented) {
      EXPECT_TRUE(screen.OldPictureChanges()->empty());
    } else {
      EXPECT_EQ(back.GetPixel(3, 3), 0x00303030u);
    }
  }
}

TEST_F(ScreenTransitionStart, CodesWithoutAWipeLeaveTheBackBufferAsItWas) {
  for (int32_t code : {-1, 39}) {
    EXPECT_EQ(Start(code, 300), nullptr);
    s.screen.Draw();
    EXPECT_TRUE(Same(back, shown)) << code;
    EXPECT_TRUE(Same(s.screen.BaseAt(0).Surface, shown)) << code;
    s.screen.StartTransition(0, WP_NONE, 0, true, 0, 0);
    Frame();
  }
}

TEST_F(ScreenTransitionStart, ABackBufferOfAnotherSizeIsCopiedFrom) {
  TDIBX wide;
  wide.SetSize(kW + 3, kH, 32);
  wide.Clear(0x222222);
  s.screen.SetBackBuffer(&wide);
  Frame();
  Start(WP_FADE, 300);
  EXPECT_EQ(wide.Width(), kW + 3);
  EXPECT_EQ(s.screen.BaseAt(0).Surface.Width(), kW);
  EXPECT_TRUE(Same(s.screen.BaseAt(0).Surface, shown));
}

// At a transition's start the shown base draws into its own surface, which
// gets its last picture. Where redrawing it whole would paint every pixel
// alike whatever lay beneath (its colour, or an opaque box over all of it),
// only what changed since is drawn; elsewhere it is redrawn whole, over
// that picture, as always (a translucent box then darkens once more).
TEST(ScreenTransitionRedraw, TheShownBaseRedrawsOnlyWhatChangedWhenAWholeRedrawWouldPaintTheSame) {
  constexpr int32_t kW = 40, kH = 30;
  using Build = void (*)(TRivoBase&, TRivoBox&);
  struct Case {
    const char* what;
    Build build;  // the shown base and a box filling it, opaque, under a translucent one
    int32_t shown;  // the base the transition starts on (base 0 was shown)
    bool redrawn_whole;
  } cases[] = {
      {"opaque box over the base", [](TRivoBase&, TRivoBox&) {}, 0, false},
      {"box larger than the base", [](TRivoBase&, TRivoBox& b) { b.SetBounds(-5, -5, kW + 10, kH + 10); }, 0, false},
      {"base of a colour", [](TRivoBase& base, TRivoBox& b) { base.SetColor(0x400000); b.SetAlpha(100); }, 0, false},
      {"translucent box", [](TRivoBase&, TRivoBox& b) { b.SetAlpha(100); }, 0, true},
      {"additive box", [](TRivoBase&, TRivoBox& b) { b.SetAlpha(300); }, 0, true},
      {"box short of the edge", [](TRivoBase&, TRivoBox& b) { b.SetBounds(0, 0, kW - 1, kH); }, 0, true},
      {"hidden box", [](TRivoBase&, TRivoBox& b) { b.SetVisible(false); }, 0, true},
      {"box with a clip", [](TRivoBase&, TRivoBox& b) { b.SetClipWidth(kW); b.SetClipHeight(kH); }, 0, true},
      {"box with a border", [](TRivoBase&, TRivoBox& b) { b.SetBorderWidth(2); b.SetBorderColor(0xFF); }, 0, true},
      {"box without a colour", [](TRivoBase&, TRivoBox& b) { b.SetColor(-1); }, 0, true},
      {"the other base shown", [](TRivoBase&, TRivoBox&) {}, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GreyScreen grey(kW, kH);
    TRivoBaseList& screen = grey.s.screen;
    TRivoBase& old_base = screen.BaseAt(0);
    TRivoBox& cover = NewControl<TRivoBox>(screen, {}, &old_base);
    cover.SetBounds(0, 0, kW, kH);
    cover.SetColor(0x00FF00);
    TRivoBox& glass = NewControl<TRivoBox>(screen, {}, &old_base);
    glass.SetBounds(6, 6, 20, 20);
    glass.SetColor(0xFF0000);
    glass.SetAlpha(128);
    c.build(old_base, cover);
    screen.Draw();
    screen.ClearDirty();
    // A change not drawn yet.
    TRivoBox& late = NewControl<TRivoBox>(screen, {}, &old_base);
    late.SetBounds(30, 2, 4, 4);
    late.SetColor(0x0000FF);

    // What the whole redraw over the last picture gives.
    TRivoBase& shown = screen.BaseAt(c.shown);
    const TClipList pending = shown.Dirty;
    shown.InvalidateAll();
    TDIBX whole;
    shown.ComposeInto(whole);
    shown.Dirty = pending;

    screen.StartTransition(c.shown, WP_FADE, 0, true, 0, 300);
    const std::vector<TRect> full{TRect{0, 0, kW, kH}};
    EXPECT_EQ(shown.Dirty.Rects(), c.redrawn_whole ? full : pending.Rects());
    screen.Draw();
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x) ASSERT_EQ(shown.Surface.GetPixel(x, y), whole.GetPixel(x, y)) << x << "," << y;
  }
}

TEST_F(ScreenTransition, AResetEndsARunningTransition) {
  s.screen.StartTransition(0, WP_FADE, 0, true, 0, 1000);
  ASSERT_EQ(s.screen.TransitionKind(), WP_FADE);
  s.screen.Reset();
  EXPECT_EQ(s.screen.TransitionKind(), 0);
  EXPECT_EQ(s.screen.TransitionDuration(), 0);
  // The new shown base draws straight into the back buffer again.
  s.screen.ActiveBase().SetColor(0x123456);
  Frame();
  EXPECT_EQ(back.GetPixel(5, 5), 0x00563412u);  // colours are 0x00BBGGRR
}

}  // namespace
}  // namespace rivo

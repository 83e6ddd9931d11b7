// Naming, parenting, drawing order, coordinates, visibility and hit testing
// of controls in the screen's trees.

#include <gtest/gtest.h>

#include "graphics/dibx.h"
#include "object_fixtures.h"
#include "objects/rivo_base.h"
#include "objects/rivo_timer.h"

namespace rivo {
namespace {

using test::NewControl;
using test::ShapedControl;

TEST(Naming, ObjectsGetTheFirstFreeAutomaticName) {
  test::Screen s;
  TRivoObject& a = s.screen.CreateByType(LT_TIMER);
  TRivoObject& b = s.screen.CreateByType(LT_TIMER);
  EXPECT_EQ(a.GetName(), "object0");
  EXPECT_EQ(b.GetName(), "object1");
  a.Free();
  EXPECT_EQ(s.screen.CreateByType(LT_TIMER).GetName(), "object0");
  EXPECT_EQ(s.screen.CreateByType(LT_TIMER).GetName(), "object2");
}

TEST(Naming, ASecondControlOfANameMovesTheFirstToAFreeSuffix) {
  struct Case {
    std::vector<std::string> existing;
    std::string wanted;
    std::vector<std::string> after;  // the existing ones, renamed
  };
  const Case cases[] = {
      {{"btn"}, "btn", {"btn_2"}},
      {{"btn", "btn_2"}, "btn", {"btn_3", "btn_2"}},
      {{"btn_7"}, "btn_7", {"btn_8"}},
      {{"a_1"}, "a_1", {"a_1_2"}},  // 1 is no suffix: the whole name is cut at nothing
      {{"x_y"}, "x_y", {"x_y_2"}},
      {{"btn_2147483647"}, "btn_2147483647", {"btn_2147483648"}},
      {{"\x83\x5f_5"}, "\x83\x5f_5", {"\x83\x5f_6"}},
  };
  for (const Case& c : cases) {
    test::Screen s;
    std::vector<TRivoControl*> controls;
    for (const std::string& name : c.existing) controls.push_back(&NewControl(s.screen, name));
    TRivoControl& newcomer = NewControl(s.screen);
    newcomer.SetName(c.wanted);
    EXPECT_EQ(newcomer.GetName(), c.wanted);
    for (std::size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(controls[i]->GetName(), c.after[i]) << c.wanted;
  }
}

TEST(Naming, ATrailByteUnderscoreIsNoSuffix) {
  test::Screen s;
  // 0x83 0x5F is one character whose second byte is "_".
  TRivoControl& a = NewControl(s.screen, std::string("ab\x83_5"));
  NewControl(s.screen).SetName(std::string("ab\x83_5"));
  EXPECT_EQ(a.GetName(), std::string("ab\x83_5_2"));
}

TEST(Naming, AComponentNamedLikeAnotherObjectReleasesIt) {
  test::Screen s;
  TRivoObject& old = s.screen.CreateByType(LT_TIMER);
  old.SetName("t");
  TRivoObject& fresh = s.screen.CreateByType(LT_TIMER);
  fresh.SetName("t");
  EXPECT_TRUE(old.IsReleased());
  EXPECT_EQ(old.GetName(), "");
  EXPECT_EQ(s.screen.FindObjectByName("t"), &fresh);
  s.Tick();
  EXPECT_EQ(s.screen.ObjectCount(), 1);
}

TEST(Naming, AnEmptyNameIsAPlainClear) {
  test::Screen s;
  TRivoObject& released = s.screen.CreateByType(LT_TIMER);
  released.Release();  // has no name now
  TRivoObject& timer = s.screen.CreateByType(LT_TIMER);
  TRivoControl& control = NewControl(s.screen, "c");
  timer.SetName("");
  control.SetName("");
  EXPECT_EQ(timer.GetName(), "");
  EXPECT_FALSE(timer.IsReleased());
  EXPECT_FALSE(control.IsReleased());
  EXPECT_EQ(s.screen.ReleasedCount(), 1);
}

TEST(Lookup, SystemNamesFindTheBases) {
  test::Screen s;
  TRivoBaseList& sc = s.screen;
  sc.SetActiveIndex(1);
  EXPECT_EQ(sc.FindObjectByName(""), &sc.BaseAt(1));
  EXPECT_EQ(sc.FindObjectByName("\x01" "BASE0"), &sc.BaseAt(1));  // the active one, whatever its number
  EXPECT_EQ(sc.FindObjectByName("\x01"), &sc.BaseAt(0));
  EXPECT_EQ(sc.FindControlByName(""), &sc.BaseAt(1));
  EXPECT_EQ(sc.FindControlByName("\x01"), &sc.BaseAt(0));
  EXPECT_EQ(sc.FindControlByName("\x01" "BASE0"), &sc.BaseAt(0));
  EXPECT_EQ(sc.FindControlByName("\x01" "BASE1"), &sc.BaseAt(1));
  TRivoObject& timer = sc.CreateByType(LT_TIMER);
  timer.SetName("t");
  EXPECT_EQ(sc.FindObjectByName("t"), &timer);
  EXPECT_EQ(sc.FindControlByName("t"), nullptr);
  EXPECT_EQ(sc.FindObjectByName("T"), nullptr);
  EXPECT_EQ(sc.IndexOfName("t"), 0);
}

TEST(Parenting, CyclesAreRefusedAndTheParentNameIsRead) {
  test::Screen s;
  TRivoControl& a = NewControl(s.screen, "a");
  TRivoControl& b = NewControl(s.screen, "b", &a);
  TRivoControl& c = NewControl(s.screen, "c", &b);
  test::SetStr(a, PR_PARENT, "c");
  EXPECT_EQ(a.Parent(), &s.screen.ActiveBase());
  test::SetStr(c, PR_PARENT, "nowhere");
  EXPECT_EQ(c.Parent(), &b);
  EXPECT_EQ(test::GetStr(c, PR_PARENT), "b");
  EXPECT_EQ(test::GetStr(a, PR_PARENT), "\x01" "BASE0");
  TRivoControl& orphan = s.screen.Create<ShapedControl>();
  EXPECT_EQ(test::GetStr(orphan, PR_PARENT), "");
  EXPECT_FALSE(orphan.IsVisible());
}

TEST(Priority, SiblingsSortByPriorityThenNameWithSystemNamesAtTheEnds) {
  test::Screen s;
  TRivoControl& top = NewControl(s.screen, "\x01\x01");
  TRivoControl& b = NewControl(s.screen, "b");
  TRivoControl& a = NewControl(s.screen, "a");
  TRivoControl& sys = NewControl(s.screen, "\x01sys");
  TRivoControl& high = NewControl(s.screen, "high");
  test::SetInt(high, PR_PRIORITY, 5);
  test::SetInt(top, PR_PRIORITY, -100);
  const std::vector<TRivoControl*> expected{&sys, &a, &b, &high, &top};
  EXPECT_EQ(s.screen.ActiveBase().Children(), expected);
  high.SetSubPriority(3);
  test::SetInt(high, PR_PRIORITY, 1);
  EXPECT_EQ(high.GetSubPriority(), 0);  // setting the priority resets it
}

TEST(Coordinates, ZoomFlipsPlusAndParentScroll) {
  struct Case {
    int32_t zoom;
    bool pos_zoomed, flip;
    int32_t left, offset, width, plus;
    int32_t parent_left, parent_scroll;
    int32_t abs_left;
  };
  const Case cases[] = {
      {256, false, false, 10, 0, 50, 0, 0, 0, 10},
      {512, true, false, 10, 0, 50, 0, 0, 0, 20},
      {512, false, false, 10, 4, 50, 0, 0, 0, 2},
      {256, false, true, 10, 4, 50, 0, 0, 0, 10 - (50 - 4 - 1)},
      {512, false, true, 10, 4, 50, 0, 0, 0, 10 - (50 - 8 - 1)},
      {256, false, false, 10, 0, 50, 3, 100, 30, 83},
      // Large zooms and positions do not overflow on the way.
      {65536, true, false, 100000, 0, 1, 0, 0, 0, 25600000},
  };
  for (const Case& c : cases) {
    test::Screen s;
    ShapedControl& parent = NewControl(s.screen, "p");
    parent.SetLeft(c.parent_left);
    parent.scroll_x = c.parent_scroll;
    ShapedControl& child = NewControl(s.screen, "c", &parent);
    child.zoom_x = c.zoom;
    child.flip_h = c.flip;
    child.SetPosZoomed(c.pos_zoomed);
    child.SetWidth(c.width);
    child.SetOffsetX(c.offset);
    child.SetLeft(c.left);
    child.SetPlusX(c.plus);
    EXPECT_EQ(child.AbsLeft(), c.abs_left) << c.zoom << " " << c.left;
    int32_t x = 0, y = 0;
    child.ClientToScreen(x, y);
    EXPECT_EQ(x, c.abs_left);
    child.ScreenToClient(x, y);
    EXPECT_EQ(x, 0);
  }
}

// While its parent draws it, a control's position comes from an origin the
// parent worked out once: it must be the position it has at any other time,
// and once drawn, the parent's later moves count again.
TEST(Coordinates, ADrawnControlStandsWhereItStandsAtAnyOtherTime) {
  // Notes where it stands while it is drawn.
  class Probe : public ShapedControl {
   public:
    using ShapedControl::ShapedControl;
    void Draw(TCustomDIBX& surface) override {
      int32_t x = 0, y = 0;
      GetRefPoint(x, y);
      seen = {AbsLeft(), AbsTop(), x, y, GetScreenRect().Left, GetScreenRect().Top};
      ShapedControl::Draw(surface);
    }
    std::vector<int32_t> Now() const {
      int32_t x = 0, y = 0;
      GetRefPoint(x, y);
      return {AbsLeft(), AbsTop(), x, y, GetScreenRect().Left, GetScreenRect().Top};
    }
    std::vector<int32_t> seen;
  };
  struct Case {
    int32_t outer_scroll_x, outer_scroll_y, inner_scroll_x, inner_scroll_y;
    int32_t zoom;
    bool flip, pos_zoomed;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 256, false, false},   {7, 3, 0, 0, 256, false, false},  {0, 0, -5, 9, 256, false, false},
      {4, -6, 11, 2, 512, false, true},  {2, 2, 3, 3, 128, true, false},   {-9, 1, 6, -4, 384, true, true},
  };
  for (const Case& c : cases) {
    test::Screen s;
    ShapedControl& outer = NewControl(s.screen, "outer");
    outer.SetBounds(10, 20, 150, 150);
    outer.scroll_x = c.outer_scroll_x;
    outer.scroll_y = c.outer_scroll_y;
    ShapedControl& inner = NewControl(s.screen, "inner", &outer);
    inner.SetBounds(15, 5, 120, 120);
    inner.scroll_x = c.inner_scroll_x;
    inner.scroll_y = c.inner_scroll_y;
    Probe& probe = NewControl<Probe>(s.screen, "probe", &inner);
    probe.zoom_x = probe.zoom_y = c.zoom;
    probe.flip_h = probe.flip_v = c.flip;
    probe.SetPosZoomed(c.pos_zoomed);
    probe.SetBounds(12, 8, 30, 20);
    probe.SetOffsetX(3);
    probe.SetOffsetY(2);
    TDIBX surface;
    surface.SetSize(200, 200, 32);
    outer.Draw(surface);
    EXPECT_EQ(probe.seen, probe.Now()) << c.outer_scroll_x << " " << c.inner_scroll_x << " zoom " << c.zoom;
    outer.scroll_x += 5;
    inner.scroll_y -= 3;
    EXPECT_EQ(probe.Now()[0], probe.seen[0] - 5);
    EXPECT_EQ(probe.Now()[1], probe.seen[1] + 3);
  }
}

TEST(Visibility, AChildIsVisibleOnlyUnderAVisibleParent) {
  test::Screen s;
  TRivoControl& parent = NewControl(s.screen, "p");
  TRivoControl& child = NewControl(s.screen, "c", &parent);
  test::SetInt(parent, PR_VISIBLE, 0);
  EXPECT_FALSE(child.IsVisible());
  test::SetInt(parent, PR_VISIBLE, 1);
  EXPECT_TRUE(child.IsVisible());
  EXPECT_TRUE(child.IsShown());
  child.SetParent(&s.screen.BackBase());
  EXPECT_TRUE(child.IsVisible());
  EXPECT_FALSE(child.IsShown());
}

TEST(HitTesting, ModesDecideWhoIsHitAndIgnoredControlsStillPassToTheirChildren) {
  test::Screen s;
  s.screen.SetWidth(100);
  s.screen.SetHeight(100);
  TRivoControl& under = NewControl(s.screen, "a_under");
  under.SetBounds(0, 0, 50, 50);
  TRivoControl& over = NewControl(s.screen, "b_over");
  over.SetBounds(0, 0, 50, 50);
  TRivoControl& child = NewControl(s.screen, "child", &over);
  child.SetBounds(10, 10, 5, 5);
  TRivoBase& base = s.screen.ActiveBase();
  struct Case {
    int32_t mode;
    HitModes search;
    int32_t x, y;
    TRivoControl* expected;
  };
  const Case cases[] = {
      {IM_NONE, kHitForHover, 1, 1, &over},
      {IM_ALL, kHitForHover, 1, 1, &under},
      {IM_ALL, kHitForHover, 11, 11, &child},
      {IM_LCLICK, kHitForLeftPress, 1, 1, &under},
      {IM_LCLICK, kHitForHover, 1, 1, &over},
      {IM_LCLICK, kHitForRightPress, 1, 1, &over},
      {IM_NONE, kHitForHover, 60, 60, &base},
      {IM_NONE, kHitForHover, 200, 1, nullptr},
  };
  for (const Case& c : cases) {
    test::SetInt(over, PR_IGNOREMOUSE, c.mode);
    EXPECT_EQ(base.HitTest(c.x, c.y, c.search), c.expected) << c.mode << " " << c.x;
  }
  test::SetInt(over, PR_VISIBLE, 0);
  EXPECT_EQ(base.HitTest(11, 11, kHitForHover), &under);  // an invisible control hides its children
}

}  // namespace
}  // namespace rivo

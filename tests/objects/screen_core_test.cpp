// The screen's object core: handles, the event queue, the three ways an
// object ends, the tick walk and focus bookkeeping.

#include <gtest/gtest.h>

#include "object_fixtures.h"
#include "objects/rivo_base.h"
#include "objects/rivo_timer.h"

namespace rivo {
namespace {

using test::NewControl;
using test::ShapedControl;

TEST(Handles, NoneAndDestroyedAreDifferentAnswersEvenWhenTheSlotIsReused) {
  test::Screen s;
  ObjectHandle none;
  EXPECT_TRUE(none.IsNone());
  TRivoObject& first = s.screen.CreateByType(LT_TIMER);
  const ObjectHandle handle = first.Handle();
  EXPECT_EQ(s.screen.Resolve(handle), &first);
  first.Free();
  EXPECT_FALSE(handle.IsNone());
  EXPECT_EQ(s.screen.Resolve(handle), nullptr);
  TRivoObject& second = s.screen.CreateByType(LT_TIMER);
  EXPECT_EQ(second.Handle().slot, handle.slot);
  EXPECT_EQ(s.screen.Resolve(handle), nullptr);
  EXPECT_EQ(s.screen.Resolve(second.Handle()), &second);
}

TEST(EventQueue, WaitingEntriesAreCountedBySenderAndKind) {
  TTimerList q;
  const ObjectHandle a{1, 0}, b{2, 0};
  q.Add({"p.rsb", a, PR_ONIDLE, 0, {}});
  q.Add({"p.rsb", a, PR_ONLBTNDOWN, 0, {"1", "2"}});
  q.Add({"p.rsb", b, PR_ONIDLE, 0, {}});
  EXPECT_TRUE(q.Waits(a, PR_ONIDLE));
  EXPECT_FALSE(q.Waits(a, PR_ONNOTIFY));
  EXPECT_FALSE(q.Waits({1, 1}, PR_ONIDLE));  // the same slot, another object
  EXPECT_EQ(q.FirstWaiting(), 0);
  q.Take(0, 1);
  EXPECT_FALSE(q.Waits(a, PR_ONIDLE));  // taken entries do not wait
  EXPECT_EQ(q.FirstWaiting(), 1);
  q.Take(1, 2);
  q.RemoveLevel(2);
  EXPECT_EQ(q.Count(), 2);
  q.RemoveWaitingOf(b);
  EXPECT_FALSE(q.Waits(b, PR_ONIDLE));
  EXPECT_EQ(q.Count(), 1);  // the taken entry of a stays
  q.RemoveTaken();
  EXPECT_EQ(q.Count(), 0);
}

TEST(Deletion, ReleasedObjectsWorkUntilTheEndOfTheTickWithoutAName) {
  test::Screen s;
  TRivoControl& c = NewControl(s.screen, "c");
  const ObjectHandle handle = c.Handle();
  c.Release();
  c.Release();
  EXPECT_EQ(s.screen.ReleasedCount(), 1);
  EXPECT_EQ(c.GetName(), "");
  EXPECT_EQ(s.screen.FindObjectByName("c"), nullptr);
  EXPECT_EQ(s.screen.Resolve(handle), &c);
  s.Tick();
  EXPECT_EQ(s.screen.Resolve(handle), nullptr);
  EXPECT_EQ(s.screen.ObjectCount(), 0);
}

TEST(Deletion, DestroyingAControlTakesItsChildrenItsEventsAndItsFocusAndHover) {
  test::Screen s;
  TRivoControl& parent = NewControl(s.screen, "p");
  TRivoControl& child = NewControl(s.screen, "c", &parent);
  const ObjectHandle child_handle = child.Handle();
  child.RaiseEvent("x.rsb", PR_ONLBTNDOWN);
  s.screen.Events().Take(0, 1);  // the interpreter runs this one
  child.RaiseEvent("x.rsb", PR_ONMOUSEMOVE);
  child.SetHandleKey(true);
  s.screen.SetFocus(&child);
  s.screen.ActiveBase().Hovered = child_handle;
  parent.Free();
  EXPECT_EQ(s.screen.Resolve(child_handle), nullptr);
  EXPECT_EQ(s.screen.ObjectCount(), 0);
  EXPECT_EQ(s.screen.Focus(), nullptr);
  EXPECT_TRUE(s.screen.FocusDirty());
  EXPECT_TRUE(s.screen.ActiveBase().Hovered.IsNone());
  // The taken entry stays, its sender destroyed (not none).
  ASSERT_EQ(s.screen.Events().Count(), 1);
  EXPECT_EQ(s.screen.Events()[0].Kind, PR_ONLBTNDOWN);
  EXPECT_EQ(s.screen.SenderName(s.screen.Events()[0].Sender), "");
}

// A control that asks to be destroyed from its tick.
class Expiring : public ShapedControl {
 public:
  using ShapedControl::ShapedControl;
  bool Tick() override {
    ++ticks;
    if (outside) ++*outside;
    return expire;
  }
  bool expire = false;
  int ticks = 0;
  int* outside = nullptr;  // counts on after the object is gone
};

TEST(TickWalk, AnObjectFreedInTheWalkTakesItsEarlierChildrenAndEveryOtherStillTicks) {
  test::Screen s;
  Expiring& child = s.screen.Create<Expiring>();       // listed before its parent
  Expiring& before = s.screen.Create<Expiring>();
  Expiring& parent = NewControl<Expiring>(s.screen, "p");
  Expiring& after = NewControl<Expiring>(s.screen, "after");
  child.SetParent(&parent);
  before.SetParent(&s.screen.ActiveBase());
  parent.expire = true;
  s.Tick();
  EXPECT_EQ(s.screen.ObjectCount(), 2);
  EXPECT_EQ(before.ticks, 1);
  EXPECT_EQ(after.ticks, 1);
  s.Tick();
  EXPECT_EQ(before.ticks, 2);
  EXPECT_EQ(after.ticks, 2);
}

TEST(TickWalk, PausedReleasedAndCabinetObjectsDoNotTickNorRaiseIdle) {
  test::Screen s;
  TRivoControl& cabinet = static_cast<TRivoControl&>(s.screen.CreateByType(LT_CABINET));
  cabinet.SetParent(&s.screen.BaseAt(0));
  Expiring& parked = NewControl<Expiring>(s.screen, "parked", &cabinet);
  Expiring& released = NewControl<Expiring>(s.screen, "released");
  int released_ticks = 0;
  released.outside = &released_ticks;
  released.Release();
  parked.expire = true;
  s.Tick();
  EXPECT_EQ(parked.ticks, 0);
  EXPECT_EQ(released_ticks, 0);
  EXPECT_TRUE(parked.IsInCabinet());
}

TEST(Reset, TheScreenStartsOverWithTwoEmptyBasesOfTheSameSize) {
  test::Screen s;
  s.screen.SetWidth(640);
  s.screen.SetHeight(480);
  NewControl(s.screen, "a").RaiseEvent("p.rsb", PR_ONNOTIFY);
  s.screen.ActiveBase().UpdateMouse(5, 6);
  s.screen.Reset();
  EXPECT_EQ(s.screen.ObjectCount(), 0);
  EXPECT_EQ(s.screen.Events().Count(), 0);
  EXPECT_EQ(s.screen.ActiveBase().GetWidth(), 640);
  EXPECT_EQ(s.screen.BaseAt(1).MouseY, 6);
  EXPECT_EQ(s.screen.BaseAt(0).GetName(), "\x01" "BASE0");
}

TEST(ListNames, ByTypeAndParent) {
  test::Screen s;
  TRivoControl& p = NewControl(s.screen, "p");
  NewControl(s.screen, "c", &p);
  s.screen.CreateByType(LT_TIMER).SetName("t");
  std::vector<std::string> names;
  EXPECT_EQ(s.screen.ListNames(names, 0, nullptr), 3);
  names.clear();
  EXPECT_EQ(s.screen.ListNames(names, LT_TIMER, nullptr), 1);
  EXPECT_EQ(names, std::vector<std::string>{"t"});
  names.clear();
  EXPECT_EQ(s.screen.ListNames(names, 0, &p), 1);
  EXPECT_EQ(names, std::vector<std::string>{"c"});
}

}  // namespace
}  // namespace rivo

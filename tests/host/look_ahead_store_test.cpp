// The store between the look-ahead loader's worker and the player thread:
// each picture is taken once, a picture under way is waited for, failures
// and what the plan drops are simply absent, and the decoded pixels stay
// within the budget in the plan's order.

#include "host/look_ahead_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace rivo {
namespace {

// A picture of one frame of exactly bytes pixels (bytes a multiple of 4),
// its first pixel marked.
LookAheadStore::Picture Picture(int32_t bytes, uint8_t mark = 1, std::string origin = "a1") {
  LookAheadStore::Picture picture{{}, std::move(origin), 7};
  TOrbaItemFrame& frame = picture.frames.frames.emplace_back();
  frame.surface = std::make_unique<TDIBX>();
  frame.surface->SetSize(1, bytes / 4, 32);
  frame.surface->Store().WritePixel(0, 0, mark);
  return picture;
}

uint32_t Mark(const LookAheadStore::Picture& picture) {
  return picture.frames.frames.front().surface->Store().ReadPixel(0, 0);
}

constexpr int64_t kBudget = 1000;

TEST(LookAheadStore, APictureIsTakenOnceAndAMissIsNothing) {
  LookAheadStore store;
  EXPECT_FALSE(store.TakePicture("a.orb"));
  ASSERT_TRUE(store.Claim("a.orb"));
  EXPECT_FALSE(store.Claim("A.ORB"));  // under way already
  EXPECT_TRUE(store.Finish("a.orb", Picture(400, 9), kBudget));
  EXPECT_EQ(store.Bytes(), 400);
  EXPECT_FALSE(store.Claim("a.orb"));  // stored
  std::optional<LookAheadStore::Picture> taken = store.TakePicture("A.Orb");
  ASSERT_TRUE(taken);
  EXPECT_EQ(Mark(*taken), 9u);
  EXPECT_EQ(taken->identification_code, 7);
  EXPECT_EQ(taken->origin, "a1");
  EXPECT_EQ(store.Bytes(), 0);
  EXPECT_FALSE(store.TakePicture("a.orb"));
}

TEST(LookAheadStore, AFailureIsDroppedAndMayBeTriedAgain) {
  LookAheadStore store;
  ASSERT_TRUE(store.Claim("bad.orb"));
  EXPECT_TRUE(store.Finish("bad.orb", std::nullopt, kBudget));  // the budget is not what stopped it
  EXPECT_FALSE(store.TakePicture("bad.orb"));
  EXPECT_TRUE(store.Claim("bad.orb"));
}

TEST(LookAheadStore, ATakerWaitsForAPictureUnderWay) {
  for (bool fails : {false, true}) {
    LookAheadStore store;
    ASSERT_TRUE(store.Claim("a.orb"));
    std::optional<LookAheadStore::Picture> taken;
    bool returned = false;
    std::thread player([&] {
      taken = store.TakePicture("a.orb");
      returned = true;
    });
    // Whether the player asks before or after the worker finishes, it gets
    // the worker's result: the picture, or nothing after a failure.
    std::this_thread::yield();
    store.Finish("a.orb", fails ? std::nullopt : std::optional(Picture(400, 5)), kBudget);
    player.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(taken.has_value(), !fails);
    if (taken) { EXPECT_EQ(Mark(*taken), 5u); }
    EXPECT_EQ(store.Bytes(), 0);
  }
}

// A worker short of processor time is not waited for beyond the taker's
// patience; the picture it finishes late is dropped, not kept for nobody.
TEST(LookAheadStore, ATakerGivesUpOnAStarvedWorker) {
  LookAheadStore store;
  ASSERT_TRUE(store.Claim("a.orb"));
  EXPECT_FALSE(store.TakePicture("a.orb", std::chrono::milliseconds(1)));
  EXPECT_TRUE(store.Finish("a.orb", Picture(400, 5), kBudget));
  EXPECT_FALSE(store.TakePicture("a.orb"));
  EXPECT_EQ(store.Bytes(), 0);
  // A picture that is ready is taken whatever the patience.
  ASSERT_TRUE(store.Claim("b.orb"));
  store.Finish("b.orb", Picture(400, 6), kBudget);
  const std::optional<LookAheadStore::Picture> taken = store.TakePicture("b.orb", std::chrono::milliseconds(0));
  ASSERT_TRUE(taken);
  EXPECT_EQ(Mark(*taken), 6u);
}

// Within its patience, a taker waits on only while the worker gets on:
// a worker that had no processor in the last step is given up at once.
TEST(LookAheadStore, ATakerWaitsOnlyWhileTheWorkerGetsOn) {
  constexpr std::chrono::seconds kLongPatience{20};
  {
    LookAheadStore store;
    ASSERT_TRUE(store.Claim("a.orb"));
    int asked = 0;
    EXPECT_FALSE(store.TakePicture("a.orb", kLongPatience, [&] { return ++asked, false; }));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(store.Finish("a.orb", Picture(400, 5), kBudget));
    EXPECT_FALSE(store.TakePicture("a.orb"));  // the late result is dropped
  }
  {
    LookAheadStore store;
    ASSERT_TRUE(store.Claim("a.orb"));
    std::atomic<int> asked = 0;
    std::thread worker([&] {
      while (asked < 3) std::this_thread::yield();
      store.Finish("a.orb", Picture(400, 6), kBudget);
    });
    const std::optional<LookAheadStore::Picture> taken =
        store.TakePicture("a.orb", kLongPatience, [&] { return ++asked, true; });
    worker.join();
    ASSERT_TRUE(taken);
    EXPECT_EQ(Mark(*taken), 6u);
    EXPECT_GE(asked, 3);
  }
}

TEST(LookAheadStore, PicturesStayWithinTheBudgetInThePlansOrder) {
  LookAheadStore store;
  for (const char* name : {"a.orb", "b.orb", "c.orb"}) {
    ASSERT_TRUE(store.Claim(name));
    EXPECT_TRUE(store.Finish(name, Picture(400), 1200));
  }
  // A fourth would pass the budget: it is dropped and the worker told.
  ASSERT_TRUE(store.Claim("d.orb"));
  EXPECT_FALSE(store.Finish("d.orb", Picture(400), 1599));
  EXPECT_EQ(store.Bytes(), 1200);
  EXPECT_FALSE(store.TakePicture("d.orb"));
  // The next plan wants c first, then a; b is no longer named. With room
  // for two, c and a stay.
  store.Keep({"c.orb", "x.orb", "a.orb"}, {}, 800);
  EXPECT_EQ(store.Bytes(), 800);
  EXPECT_FALSE(store.TakePicture("b.orb"));
  // With room for one, the plan's first.
  store.Keep({"c.orb", "a.orb"}, {}, 799);
  EXPECT_EQ(store.Bytes(), 400);
  EXPECT_FALSE(store.TakePicture("a.orb"));
  EXPECT_TRUE(store.TakePicture("c.orb"));
}

TEST(LookAheadStore, APictureUnderWaySurvivesAPlanThatDropsIt) {
  LookAheadStore store;
  ASSERT_TRUE(store.Claim("a.orb"));
  store.Keep({}, {}, kBudget);
  EXPECT_TRUE(store.Finish("a.orb", Picture(400), kBudget));
  EXPECT_TRUE(store.TakePicture("a.orb"));
}

TEST(LookAheadStore, PicturesTheCacheHoldsAreNotClaimedUntilItLetsGoOfEveryEntry) {
  LookAheadStore store;
  store.SetHeld("a.orb", true);
  store.SetHeld("A.ORB", true);  // the same file with masks
  EXPECT_FALSE(store.Claim("a.orb"));
  store.SetHeld("a.orb", false);
  EXPECT_FALSE(store.Claim("a.orb"));
  store.SetHeld("a.orb", false);
  EXPECT_TRUE(store.Claim("a.orb"));
  store.SetHeld("never.orb", false);  // ignored
  EXPECT_TRUE(store.Claim("never.orb"));
}

// A picture the cache gives back is taken again like one the worker made,
// keeps its origin, and counts within the budget; one given back while the
// store has another of the name is not offered, and the plan's next Keep
// drops what it does not name.
TEST(LookAheadStore, APictureGivenBackIsKeptLikeAFinishedOne) {
  LookAheadStore store;
  store.SetHeld("a.orb", true);
  store.PutBack("A.orb", Picture(400, 5, "a2"));
  EXPECT_EQ(store.Bytes(), 400);
  EXPECT_FALSE(store.Claim("a.orb"));  // stored: not decoded again
  std::optional<LookAheadStore::Picture> again = store.TakePicture("a.orb");
  ASSERT_TRUE(again);
  EXPECT_EQ(Mark(*again), 5u);
  EXPECT_EQ(again->origin, "a2");

  ASSERT_TRUE(store.Claim("b.orb"));
  ASSERT_TRUE(store.Finish("b.orb", Picture(400, 1), kBudget));
  store.PutBack("b.orb", Picture(400, 2));
  store.PutBack("c.orb", Picture(400, 3));
  EXPECT_EQ(Mark(*store.TakePicture("b.orb")), 1u);
  EXPECT_FALSE(store.TakePicture("b.orb"));
  store.Keep({"x.orb"}, {}, kBudget);
  EXPECT_EQ(store.Bytes(), 0);
  EXPECT_FALSE(store.TakePicture("c.orb"));
}

TEST(LookAheadStore, FilesAreTakenOnceAndDroppedWhenThePlanNoLongerNamesThem) {
  LookAheadStore store;
  store.PutFile("a.rsb", {"page a", "a1", nullptr, nullptr});
  store.PutFile("b.rsb", {"page b", "a2", nullptr, nullptr});
  store.Keep({}, {"A.RSB"}, kBudget);
  EXPECT_FALSE(store.TakeFile("b.rsb"));
  std::optional<LookAheadStore::File> a = store.TakeFile("a.rsb");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->bytes, "page a");
  EXPECT_EQ(a->origin, "a1");
  EXPECT_FALSE(store.TakeFile("a.rsb"));
  // What a plan dropped is wanted again; what the player took is not.
  EXPECT_TRUE(store.FileWanted("B.rsb"));
  EXPECT_FALSE(store.FileWanted("a.rsb"));
  store.PutFile("b.rsb", {"page b", "a2", nullptr, nullptr});
  EXPECT_FALSE(store.FileWanted("b.rsb"));
}

}  // namespace
}  // namespace rivo

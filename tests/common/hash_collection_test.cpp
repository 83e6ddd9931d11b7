#include "common/hash_collection.h"

#include <gtest/gtest.h>

#include "common/qn_random.h"

namespace rivo {
namespace {

struct Named : THashCollectionItem {
  int payload = 0;
};

Named& Add(THashCollection<Named>& c, const std::string& name, int payload) {
  auto item = std::make_unique<Named>();
  item->payload = payload;
  return c.Add(std::move(item), name);
}

TEST(HashCollection, BucketFollowsLengthFirstAndSecondToLastByte) {
  EXPECT_EQ(HashCollectionBucket("abc"), (3 * 16 + 'a' + 'b') % 256);
  EXPECT_EQ(HashCollectionBucket("ABC"), HashCollectionBucket("abc"));
  EXPECT_EQ(HashCollectionBucket("x"), 16);
  EXPECT_EQ(HashCollectionBucket(""), 0);
  // ソ followed by "A": the second-to-last byte is a trail byte and keeps its case.
  EXPECT_EQ(HashCollectionBucket("\x83\x5C" "A"), (3 * 16 + 0x83 + 0x5C) % 256);
  EXPECT_EQ(HashCollectionBucket("\x83\x41" "a"), (3 * 16 + 0x83 + 0x41) % 256);
}

TEST(HashCollection, FindsTheLastInsertedOfEqualNames) {
  THashCollection<Named> c;
  Add(c, "Room.orb", 1);
  Add(c, "other", 2);
  Add(c, "ROOM.ORB", 3);
  EXPECT_EQ(c.IndexOf("room.orb"), 2);
  EXPECT_EQ(c.Find("room.ORB")->payload, 3);
  EXPECT_EQ(c.IndexOf("missing"), -1);
  // ア and ャ differ only by a trail byte's case.
  Add(c, "\x83\x41", 4);
  EXPECT_EQ(c.IndexOf("\x83\x61"), -1);
}

TEST(HashCollection, DeletingAndRenamingKeepPositionsAndChains) {
  THashCollection<Named> c;
  Add(c, "a", 0);
  Add(c, "b", 1);
  Named& third = Add(c, "c", 2);
  c.Delete(0);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.IndexOf("b"), 0);
  EXPECT_EQ(c.IndexOf("c"), 1);
  EXPECT_EQ(c.IndexOf("a"), -1);
  c.Rename(third, "b");  // a rename inserts again: now the one found first
  EXPECT_EQ(c.IndexOf("B"), 1);
  EXPECT_EQ(c.IndexOf("c"), -1);
  c.Delete(1);
  EXPECT_EQ(c.IndexOf("b"), 0);
  c.Clear();
  EXPECT_EQ(c.IndexOf("b"), -1);
}

TEST(QnRandom, StepsAndDrawsFromThePool) {
  TQnRandom r(TQnRandom::kArchiveSeed);
  EXPECT_EQ(r.Next(), 1462093715u);
  EXPECT_EQ(r.Next(), 182627698u);  // 6 * seed mod 2^32

  TQnRandom p(1);  // states 1, 6, 31
  p.ResetPool(3);
  EXPECT_EQ(p.DrawFromPool(), 1);
  EXPECT_EQ(p.DrawFromPool(), 0);
  EXPECT_EQ(p.DrawFromPool(), 2);
  EXPECT_EQ(p.DrawFromPool(), -1);

  TQnRandom identity(0);  // key 0 always takes the front: the identity shuffle
  identity.ResetPool(5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(identity.DrawFromPool(), i);
}

}  // namespace
}  // namespace rivo

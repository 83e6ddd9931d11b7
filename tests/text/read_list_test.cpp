// Read marks: what counts as read, the pending mark of a window, and the
// stored form with its checks.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "text/rivo_read_list.h"

namespace rivo {
namespace {

TEST(ReadList, APageIsReadOnceItsWindowCommitsIt) {
  TRivoReadList list;
  list.SetPending("mes1", "story", 2, 40);
  EXPECT_FALSE(list.IsRead("story", 40, 2));
  list.Commit("mes2");  // another window: the mark stays pending
  EXPECT_FALSE(list.IsRead("story", 40, 2));
  list.Commit("mes1");
  EXPECT_TRUE(list.IsRead("story", 40, 2));
  EXPECT_FALSE(list.IsRead("story", 40, 3));
  EXPECT_FALSE(list.IsRead("story", 41, 2));
  list.SetPending("mes1", "other", 0, 0);
  list.Commit("mes1");
  list.Commit("mes1");  // nothing pending any more
  EXPECT_TRUE(list.IsRead("other", 0, 0));
  list.Clear();
  EXPECT_FALSE(list.IsRead("story", 40, 2));
}

TEST(ReadList, PageNamesIgnoreTheCaseOfSingleByteLettersOnly) {
  TRivoReadList list;
  list.SetPending("w", "Story", 0, 1);
  list.Commit("w");
  EXPECT_TRUE(list.IsRead("STORY", 1, 0));
  EXPECT_TRUE(list.IsRead("story", 1, 0));
  // ア is 0x83 0x41 and ソ 0x83 0x5C: their trail bytes are not letters to fold.
  list.SetPending("w", Utf8ToCp932("ア"), 0, 1);
  list.Commit("w");
  EXPECT_TRUE(list.IsRead(Utf8ToCp932("ア"), 1, 0));
  EXPECT_FALSE(list.IsRead("\x83\x61", 1, 0));
}

TEST(ReadList, TheStoredFormRoundTrips) {
  TRivoReadList list;
  for (int32_t i = 0; i < 3; ++i) {
    list.SetPending("w", "page", i, 10 * i);
    list.Commit("w");
  }
  list.SetPending("w", "pending", 7, 70);
  ByteWriter out;
  list.SaveToStream(out);
  // 1 item: "page", 3 positions, 3 indexes; then the pending mark.
  EXPECT_EQ(out.Size(), 4u + 8 + 4 + 24 + 11 + 8 + 5);

  TRivoReadList copy;
  ByteReader in(out.data(), "save");
  copy.LoadFromStream(in, 120);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_TRUE(copy.IsRead("PAGE", 20, 2));
  copy.Commit("w");
  EXPECT_TRUE(copy.IsRead("pending", 70, 7));

  // Older saves carry no marks: nothing is read from them.
  ByteReader old(out.data(), "save");
  copy.LoadFromStream(old, 99);
  EXPECT_EQ(old.Position(), 0u);
  EXPECT_FALSE(copy.IsRead("page", 20, 2));
}

TEST(ReadList, DamagedCountsAreRefusedBeforeAllocating) {
  const int32_t counts[][2] = {{-1, 0}, {0x7FFFFFFF, 0}, {1, -5}, {1, 0x10000000}};
  for (const auto& [items, pairs] : counts) {
    ByteWriter out;
    out.I32(items);
    out.String("page");
    out.I32(pairs);
    out.I32(1);
    out.I32(2);
    TRivoReadList list;
    ByteReader in(out.data(), "save");
    EXPECT_THROW(list.LoadFromStream(in, 120), LoadError) << items << " " << pairs;
    EXPECT_FALSE(list.IsRead("page", 1, 2));
  }
}

}  // namespace
}  // namespace rivo

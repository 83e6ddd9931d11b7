// The style table: equal styles share one record, counted; a record goes
// when its last user lets go; a sole user changes its record in place.

#include <gtest/gtest.h>

#include "text/decorate.h"

namespace rivo {
namespace {

TEST(DecorateList, EqualStylesShareOneCountedRecord) {
  TDecorateList list;
  TDecorate bold;
  bold.Style = FS_BOLD;
  TDecorate plain;
  TDecorate* a = list.Intern(plain);
  TDecorate* b = list.Intern(bold);
  EXPECT_EQ(list.Intern(plain), a);
  EXPECT_EQ(a->RefCount, 2);
  EXPECT_EQ(b->RefCount, 1);
  TDecorate ruby = plain;
  ruby.Ruby = "X";
  TDecorate ruby_lower = plain;
  ruby_lower.Ruby = "x";  // strings compare case-sensitively
  EXPECT_NE(list.Intern(ruby), list.Intern(ruby_lower));
  EXPECT_EQ(list.Count(), 4);
}

TEST(DecorateList, ReleaseAndChangeKeepCountsAndRecordsStable) {
  TDecorateList list;
  TDecorate plain, bold;
  bold.Style = FS_BOLD;
  TDecorate* shared = list.Intern(plain);
  list.Intern(plain);
  TDecorate* sole = list.Intern(bold);

  // A shared record is left alone: the changed style is interned apart.
  TDecorate italic = plain;
  italic.Style = FS_ITALIC;
  TDecorate* changed = list.Change(shared, italic);
  EXPECT_NE(changed, shared);
  EXPECT_EQ(shared->RefCount, 1);
  EXPECT_EQ(shared->Style, 0);

  // A record with one user changes in place, and is then found by its new style.
  TDecorate underline = plain;
  underline.Style = FS_UNDERLINE;
  EXPECT_EQ(list.Change(sole, underline), sole);
  EXPECT_EQ(sole->Style, FS_UNDERLINE);
  EXPECT_EQ(list.Intern(underline), sole);
  EXPECT_EQ(sole->RefCount, 2);

  // A sole user changes in place even to a style another record has; the
  // first of equal records is then the one found.
  EXPECT_EQ(list.Change(changed, plain), changed);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Intern(plain), shared);
  EXPECT_EQ(shared->RefCount, 2);

  list.Release(changed);
  EXPECT_EQ(list.Count(), 2);
  list.Release(shared);
  list.Release(shared);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(&list[0], sole);
}

TEST(DecorateList, AmongEqualStoredRecordsTheFirstIsTaken) {
  TDecorateList list;
  TDecorate record;
  record.RefCount = 7;
  TDecorate* first = list.Append(record);
  list.Append(record);
  EXPECT_EQ(list.Intern(TDecorate{}), first);
  EXPECT_EQ(first->RefCount, 8);
}

}  // namespace
}  // namespace rivo

// TDBTable: fields, records, conversions, search, sort and tab-separated loading.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "script/db_table.h"
#include "script/typed_params.h"

namespace rivo {
namespace {

// A one-dimensional value of texts (as the DB functions get names and keys).
std::unique_ptr<TParamStr> Texts(std::vector<std::string> texts) {
  auto value = std::make_unique<TParamStr>();
  int32_t count = static_cast<int32_t>(texts.size());
  value->SetDims({&count, 1});
  for (int32_t i = 0; i < count; ++i) value->SetStrAt(i, texts[static_cast<std::size_t>(i)]);
  return value;
}

template <typename Param, typename T>
std::unique_ptr<Param> Scalar(T value) {
  auto param = std::make_unique<Param>();
  if constexpr (std::is_same_v<Param, TParamInt>) param->SetInt(value);
  else if constexpr (std::is_same_v<Param, TParamFlag>) param->SetBool(value);
  else param->SetStr(value);
  return param;
}

TEST(DBTable, FieldsLayRecordsOutInOrderWithoutGaps) {
  TDBTable table("t", 0);
  EXPECT_EQ(table.AddField("i", DB_INT, 99), 0);
  EXPECT_EQ(table.AddField("r", DB_FLOAT, 0), 1);
  EXPECT_EQ(table.AddField("b", DB_BOOL, 0), 2);
  EXPECT_EQ(table.AddField("s", DB_STR, 10), 3);
  const TDBFieldList& fields = table.Fields();
  EXPECT_EQ(fields[0].size, 4);
  EXPECT_EQ(fields[1].size, 10);
  EXPECT_EQ(fields[2].size, 1);
  EXPECT_EQ(fields[3].size, 11);
  EXPECT_EQ(fields.Total(), 26);
  EXPECT_EQ(fields.FieldOffset(3), 15);
  EXPECT_EQ(fields.IndexOf("S"), 3);
  for (uint8_t type : {uint8_t{0}, uint8_t{5}}) EXPECT_EQ(table.AddField("x", type, 0), -1);
  EXPECT_EQ(table.AddField("x", DB_STR, -1), -1);
  EXPECT_EQ(table.AddField("x", DB_STR, kMaxDBStringSize + 1), -1);
}

TEST(DBTable, AddingAndDeletingFieldsKeepsTheOtherValues) {
  TDBTable table("t", 0);
  table.AddField("a", DB_INT, 0);
  for (int32_t v : {11, 22}) {
    table.Append();
    table.SetInt("a", v);
  }
  table.AddField("s", DB_STR, 4);
  table.AddField("c", DB_INT, 0);
  EXPECT_EQ(table.GetInt(0, 0), 11);
  EXPECT_EQ(table.GetStr(1, 1), "");
  EXPECT_EQ(table.GetInt(1, 2), 0);
  table.SetStr(1, 1, "xy");
  table.SetInt(1, 2, 33);
  table.DeleteField(1);
  EXPECT_EQ(table.GetInt(1, 0), 22);
  EXPECT_EQ(table.GetInt(1, 1), 33);
  EXPECT_EQ(table.Fields().Total(), 8);
}

TEST(DBTable, ValuesConvertBetweenTheStoredAndTheRequestedType) {
  TDBTable table("t", 0);
  table.AddField("i", DB_INT, 0);
  table.AddField("r", DB_FLOAT, 0);
  table.AddField("b", DB_BOOL, 0);
  table.AddField("s", DB_STR, 10);
  table.Append();
  // A real read as an integer goes to the nearest integer, ties to even.
  for (auto [stored, read] : {std::pair{2.5L, 2}, {3.5L, 4}, {2.7L, 3}, {-2.5L, -2}, {-2.7L, -3}}) {
    table.SetFloat("r", stored);
    EXPECT_EQ(table.GetInt("r"), read) << static_cast<double>(stored);
  }
  table.SetFloat("i", 2.5L);
  EXPECT_EQ(table.GetInt("i"), 2);
  table.SetInt("r", 7);
  EXPECT_EQ(table.GetFloat("r"), 7.0L);
  EXPECT_EQ(table.GetStr("r"), "7");
  table.SetStr("r", "3.25");
  EXPECT_EQ(table.GetFloat("r"), 3.25L);
  table.SetStr("i", "x");
  EXPECT_EQ(table.GetInt("i"), 0);
  table.SetInt("s", -12);
  EXPECT_EQ(table.GetStr("s"), "-12");
  EXPECT_EQ(table.GetInt("s"), -12);
  table.SetStr("s", "true");
  EXPECT_EQ(table.GetBool("s"), false);
  table.SetBool("s", true);
  EXPECT_EQ(table.GetStr("s"), "TRUE");
  EXPECT_EQ(table.GetBool("s"), true);
  table.SetStr("b", "TRUE");
  EXPECT_EQ(table.GetInt("b"), 1);
  table.SetFloat("b", 0.0L);
  EXPECT_EQ(table.GetStr("b"), "FALSE");
  EXPECT_FALSE(table.GetInt("nope"));
  EXPECT_FALSE(table.SetInt("nope", 1));
  EXPECT_FALSE(table.GetInt(1, 0));
}

TEST(DBTable, AStringFieldKeepsAtMostItsDeclaredBytesAndNeverHalfACharacter) {
  TDBTable table("t", 0);
  table.AddField("s", DB_STR, 10);
  table.AddField("k", DB_STR, 4);
  table.Append();
  table.SetStr("s", "0123456789abc");
  EXPECT_EQ(table.GetStr("s"), "0123456789");
  // "aあい": a, then 82 A0, 82 A2; four bytes would end inside い.
  table.SetStr("k", "a\x82\xa0\x82\xa2");
  EXPECT_EQ(table.GetStr("k"), "a\x82\xa0");
  table.SetStr("s", "x");
  EXPECT_EQ(table.GetStr("s"), "x");
}

TEST(DBTable, MovingBetweenRecords) {
  TDBTable table("t", 0);
  EXPECT_FALSE(table.First());
  EXPECT_FALSE(table.Last());
  EXPECT_FALSE(table.Delete());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(table.Append());
  EXPECT_EQ(table.Current(), 2);
  EXPECT_FALSE(table.Next());
  EXPECT_EQ(table.Current(), 2);
  EXPECT_TRUE(table.First());
  EXPECT_FALSE(table.Prior());
  EXPECT_EQ(table.Current(), 0);
  EXPECT_TRUE(table.Next());
  EXPECT_EQ(table.Current(), 1);
  EXPECT_FALSE(table.GoTo(3));
  EXPECT_EQ(table.Current(), 1);
  EXPECT_FALSE(table.GoTo(-1));
  EXPECT_EQ(table.Current(), -1);
  EXPECT_FALSE(table.Next());
  EXPECT_FALSE(table.Prior());
  EXPECT_TRUE(table.GoTo(2));
  EXPECT_TRUE(table.Delete());
  EXPECT_EQ(table.Current(), 1);
  EXPECT_TRUE(table.GoTo(0));
  EXPECT_TRUE(table.Delete());
  EXPECT_EQ(table.Current(), 0);
  EXPECT_TRUE(table.Delete());
  EXPECT_EQ(table.Current(), -1);
  EXPECT_EQ(table.RecordCount(), 0);
}

class DBTableRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    table.AddField("id", DB_INT, 0);
    table.AddField("name", DB_STR, 20);
    table.AddField("ok", DB_BOOL, 0);
    struct Row {
      int32_t id;
      const char* name;
      bool ok;
    } rows[] = {{3, "apple", true}, {-2147483647 - 1, "Pear", false}, {2147483647, "grape", true}, {0, "b", false},
                {-1, "a", true}};
    for (const Row& row : rows) {
      table.Append();
      table.SetInt("id", row.id);
      table.SetStr("name", row.name);
      table.SetBool("ok", row.ok);
    }
  }
  std::vector<int32_t> Ids() {
    std::vector<int32_t> ids;
    for (int32_t r = 0; r < table.RecordCount(); ++r) ids.push_back(*table.GetInt(r, 0));
    return ids;
  }
  std::vector<std::string> Names(const std::vector<int32_t>& records) {
    std::vector<std::string> names;
    for (int32_t r : records) names.push_back(*table.GetStr(r, 1));
    return names;
  }

  TDBTable table{"fruit", 0};
};

TEST_F(DBTableRecords, SearchComparesByTheKindOfTheValues) {
  using Found = std::vector<std::string>;
  EXPECT_EQ(table.Search(nullptr, nullptr, false, false).size(), 5u);
  auto names = Texts({"name"});
  EXPECT_EQ(Names(table.Search(names.get(), Texts({"pear"}).get(), false, false)), Found{});
  EXPECT_EQ(Names(table.Search(names.get(), Texts({"pear"}).get(), false, true)), Found{"Pear"});
  // Partial: the record's text is looked for inside the value.
  EXPECT_EQ(Names(table.Search(names.get(), Texts({"grapes and apples"}).get(), true, false)),
            (Found{"apple", "grape", "a"}));
  EXPECT_EQ(Names(table.Search(names.get(), Texts({"PEARS"}).get(), true, true)), (Found{"Pear", "a"}));
  auto ok = Texts({"ok"});
  EXPECT_EQ(Names(table.Search(ok.get(), Scalar<TParamFlag>(true).get(), false, false)),
            (Found{"apple", "grape", "a"}));
  auto id = Texts({"id"});
  EXPECT_EQ(Names(table.Search(id.get(), Scalar<TParamInt>(0).get(), false, false)), Found{"b"});
  // An integer field compared as text, by its decimal form.
  EXPECT_EQ(Names(table.Search(id.get(), Texts({"-1"}).get(), false, false)), Found{"a"});
  // Two keys, both must match; keys beyond the shorter list are ignored.
  EXPECT_EQ(Names(table.Search(Texts({"name", "id"}).get(), Texts({"apple", "3", "x"}).get(), false, false)),
            Found{"apple"});
  // An absent field ends the search with what was found so far (nothing).
  EXPECT_EQ(Names(table.Search(Texts({"nope"}).get(), Texts({"apple"}).get(), false, false)), Found{});
}

TEST_F(DBTableRecords, SortOrdersExtremeIntegersCorrectly) {
  table.Sort(*Texts({"id"}), *Scalar<TParamFlag>(false));
  EXPECT_EQ(Ids(), (std::vector<int32_t>{-2147483647 - 1, -1, 0, 3, 2147483647}));
  table.Sort(*Texts({"id"}), *Scalar<TParamFlag>(true));
  EXPECT_EQ(Ids(), (std::vector<int32_t>{2147483647, 3, 0, -1, -2147483647 - 1}));
}

TEST_F(DBTableRecords, SortByTextIsOrdinalAndDescendingPutsBBeforeA) {
  table.Sort(*Texts({"name"}), *Scalar<TParamFlag>(true));
  EXPECT_EQ(Names({0, 1, 2, 3, 4}), (std::vector<std::string>{"grape", "b", "apple", "a", "Pear"}));
  // Several keys: flags first (false before true), then names ascending;
  // a missing descending flag means ascending, an absent field is skipped.
  table.Sort(*Texts({"nope", "ok", "name"}), *Scalar<TParamFlag>(false));
  EXPECT_EQ(Names({0, 1, 2, 3, 4}), (std::vector<std::string>{"Pear", "b", "a", "apple", "grape"}));
}

TEST(DBTable, SortPutsRealsThatAreNoNumberLast) {
  TDBTable table("t", 0);
  table.AddField("r", DB_FLOAT, 0);
  for (long double v : {2.0L, std::numeric_limits<long double>::quiet_NaN(), -1.0L, 0.5L}) {
    table.Append();
    table.SetFloat("r", v);
  }
  table.Sort(*Texts({"r"}), *Scalar<TParamFlag>(false));
  EXPECT_EQ(table.GetFloat(0, 0), -1.0L);
  EXPECT_EQ(table.GetFloat(2, 0), 2.0L);
  EXPECT_TRUE(std::isnan(*table.GetFloat(3, 0)));
}

TEST(DBTable, LoadTsvReadsTheHeaderThenOneRecordPerLine) {
  TDBTable table("t", 0);
  ASSERT_TRUE(table.LoadTsv({"id int\tname str 5\tscore float\tok bool\tnote",
                             "1\tab\\\"cdefg\t2.5\tTRUE\tx\\ny",
                             "",
                             "2\t\\\\z",
                             "3\ta\tb\tc\td\te\tf",
                             "4\t\x83\x5cn"}));
  const TDBFieldList& fields = table.Fields();
  ASSERT_EQ(fields.Count(), 5);
  EXPECT_EQ(fields[0].type, DB_INT);
  EXPECT_EQ(fields[1].size, 6);
  EXPECT_EQ(fields[2].type, DB_FLOAT);
  EXPECT_EQ(fields[3].type, DB_BOOL);
  EXPECT_EQ(fields[4].type, DB_STR);
  EXPECT_EQ(fields[4].size, 81);
  ASSERT_EQ(table.RecordCount(), 4);
  EXPECT_EQ(table.GetStr(0, 1), "ab\"cd");
  EXPECT_EQ(table.GetFloat(0, 2), 2.5L);
  EXPECT_EQ(table.GetBool(0, 3), true);
  EXPECT_EQ(table.GetStr(0, 4), "x\r\ny");
  EXPECT_EQ(table.GetStr(1, 1), "\\z");
  EXPECT_EQ(table.GetStr(1, 2), "0");
  EXPECT_EQ(table.GetStr(2, 4), "d");
  // ソ ends in 0x5C, which escapes nothing.
  EXPECT_EQ(table.GetStr(3, 1), "\x83\x5cn");
  EXPECT_EQ(table.Current(), 3);
}

TEST(DBTable, LoadTsvFailsOnAColumnWithoutANameAndKeepsNoFields) {
  TDBTable table("t", 0);
  table.AddField("old", DB_INT, 0);
  table.Append();
  EXPECT_FALSE(table.LoadTsv({"a int\t\tb int", "1\t2\t3"}));
  EXPECT_EQ(table.Fields().Count(), 0);
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_FALSE(table.LoadTsv({}));
  // A size that is no usable number gives the default.
  EXPECT_TRUE(table.LoadTsv({"a str x\tb str -4\tc str 3"}));
  EXPECT_EQ(table.Fields()[0].size, 81);
  EXPECT_EQ(table.Fields()[1].size, 81);
  EXPECT_EQ(table.Fields()[2].size, 4);
}

TEST(DBTable, RecordsStopGrowingAtTheLimit) {
  TDBTable table("t", 0);
  ASSERT_GE(table.AddField("s", DB_STR, kMaxDBStringSize), 0);
  int32_t appended = 0;
  while (table.Append()) ++appended;
  EXPECT_EQ(appended, kMaxDBTableBytes / (kMaxDBStringSize + 1));
  EXPECT_EQ(table.AddField("t", DB_STR, 100), -1);
  // A table without fields has records of no bytes: any number of them is free.
  TDBTable empty("e", 0);
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(empty.Append());
}

TEST(DBTable, AppendCopyCopiesARecordEvenFromItself) {
  TDBTable table("t", 0);
  table.AddField("s", DB_STR, 8);
  table.Append();
  table.SetStr("s", "one");
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(table.AppendCopy(table, 0));
  EXPECT_EQ(table.GetStr(20, 0), "one");
  EXPECT_FALSE(table.AppendCopy(table, 21));
}

}  // namespace
}  // namespace rivo

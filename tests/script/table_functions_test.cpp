// The "DB" functions as scripts call them.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class TableFunctions : public testing::SystemFunctionTest {
 protected:
  // items: id (integer), name (text of 8), price (real), with three records.
  void MakeItems() {
    const FunctionCase cases[] = {
        {R"(DBCreateTable("items", 0))", "flag:TRUE"},
        {R"(DBAddField("id", 1))", "flag:TRUE"},
        {R"(DBAddField("name", 4, 8))", "flag:TRUE"},
        {R"(DBAddField("price", 2))", "flag:TRUE"},
        {R"(DBInsert(1, "apple", 1.5))", "flag:TRUE"},
        {R"(DBInsert(2, "pear", 2.5))", "flag:TRUE"},
        {R"(DBInsert(3, "grape", 0.5))", "flag:TRUE"},
    };
    EXPECT_FUNCTION_CASES(cases);
  }
};

TEST_F(TableFunctions, WithoutATableEveryFunctionGivesItsNeutralAnswer) {
  const FunctionCase cases[] = {
      {R"(DBSetActive("x"))", "flag:FALSE"},  {R"(DBAddField("a", 1))", "flag:FALSE"},
      {"DBSetRecNo(0)", "flag:FALSE"},        {"DBInsert(1)", "flag:FALSE"},
      {"DBDelete()", "flag:FALSE"},           {R"(DBGetInt("a"))", "integer:0"},
      {R"(DBGetFloat("a"))", "real:0"},       {R"(DBGetBool("a"))", "flag:FALSE"},
      {R"(DBGetStr("a"))", "string:"},        {R"(DBSetInt("a", 1))", "flag:FALSE"},
      {"DBRecordCount()", "integer:-1"},      {R"(DBRecordCount("x"))", "integer:-1"},
      {"DBFindFirst()", "flag:FALSE"},        {"DBFindNext()", "flag:FALSE"},
      {R"(DBLocate("a", 1))", "flag:FALSE"},  {R"(DBLoadTsvFile("t.tsv"))", "flag:FALSE"},
      {R"(DBCopyTable("x"))", "flag:FALSE"},  {"DBDeleteTable()", "flag:FALSE"},
      {R"(DBInsertTable("x"))", "flag:FALSE"}, {R"(DBCopy("x"))", "flag:FALSE"},
      {"DBSort(\"a\", TRUE)", "flag:FALSE"},  {"DBGetActive()", "string:"},
      {"DBGetRecNo()", "integer:-1"},         {"DBClearRecord()", "flag:FALSE"},
      {R"(DBDirectGetStr("x", "a", 1, FALSE, FALSE, "b", "none"))", "string:none"},
      {R"(DBDirectSetInt("x", "a", 1, FALSE, FALSE, "b", 5))", "flag:FALSE"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(TableFunctions, RecordsAreAddedReadAndVisited) {
  MakeItems();
  const FunctionCase cases[] = {
      {"DBRecordCount()", "integer:3"},
      {R"(DBRecordCount("items"))", "integer:3"},
      {"DBGetRecNo()", "integer:2"},
      {R"(DBGetStr("name"))", "string:grape"},
      {"DBSetRecNo(0)", "flag:TRUE"},
      {R"(DBGetInt("ID"))", "integer:1"},
      {R"(DBGetStr("id"))", "string:1"},
      {R"(DBGetFloat("price"))", "real:1.5"},
      {R"(DBGetInt("price"))", "integer:2"},
      {R"(DBGetBool("price"))", "flag:TRUE"},
      {"DBFindPrior()", "flag:FALSE"},
      {"DBFindNext()", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:pear"},
      {"DBFindLast()", "flag:TRUE"},
      {"DBFindNext()", "flag:FALSE"},
      {"DBGetRecNo()", "integer:2"},
      {"DBSetRecNo(3)", "flag:FALSE"},
      {R"(DBSetStr("name", "blueberries"))", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:blueberr"},
      {R"(DBSetInt("nope", 1))", "flag:FALSE"},
      {"DBFindFirst()", "flag:TRUE"},
      {"DBDelete()", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:pear"},
      {"DBRecordCount()", "integer:2"},
      {"DBGetActive()", "string:items"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(TableFunctions, InsertStoresEachArgumentByItsKind) {
  MakeItems();
  const FunctionCase cases[] = {
      // 2.5 into the integer field goes to the nearest even integer.
      {R"(DBInsert(2.5, 7, "3.25"))", "flag:TRUE"},
      {R"(DBGetInt("id"))", "integer:2"},
      {R"(DBGetStr("name"))", "string:7"},
      {R"(DBGetFloat("price"))", "real:3.25"},
      // More arguments than fields: the rest are dropped.
      {R"(DBInsert(9, "x", 1, 2, 3))", "flag:TRUE"},
      {"DBInsert()", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:"},
      {"DBRecordCount()", "integer:6"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(TableFunctions, LocateSortAndDirectAccess) {
  MakeItems();
  Var("names", PT_STR);
  Var("keys", PT_STR);
  Run(R"(StringToArray("name,id", names, ","))");
  Run(R"(StringToArray("pear,2", keys, ","))");
  const FunctionCase cases[] = {
      {R"(DBLocate("name", "PEAR"))", "flag:FALSE"},
      {R"(DBLocate("name", "PEAR", FALSE, TRUE))", "flag:TRUE"},
      {"DBGetRecNo()", "integer:1"},
      {R"(DBLocate("id", 3))", "flag:TRUE"},
      {"DBGetRecNo()", "integer:2"},
      {"DBLocate(names, keys)", "flag:TRUE"},
      {"DBGetRecNo()", "integer:1"},
      {R"(DBLocate("name", "grapefruit", TRUE))", "flag:TRUE"},
      {"DBGetRecNo()", "integer:2"},
      {R"(DBSort("price", FALSE))", "flag:TRUE"},
      {"DBFindFirst()", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:grape"},
      {R"(DBSort("id", TRUE))", "flag:TRUE"},
      {"DBFindFirst()", "flag:TRUE"},
      {R"(DBGetInt("id"))", "integer:3"},
      {R"(DBDirectGetStr("items", "id", 1, FALSE, FALSE, "name", "none"))", "string:apple"},
      {R"(DBDirectGetStr("items", "id", 9, FALSE, FALSE, "name", "none"))", "string:none"},
      {R"(DBDirectGetInt("items", "name", "Pear", FALSE, TRUE, "id", 0))", "integer:2"},
      {R"(DBDirectGetFloat("items", "id", 2, FALSE, FALSE, "price", 0))", "real:2.5"},
      {R"(DBDirectGetBool("items", "id", 2, FALSE, FALSE, "nope", TRUE))", "flag:FALSE"},
      {R"(DBDirectSetFloat("items", "id", 2, FALSE, FALSE, "price", 9.75))", "flag:TRUE"},
      {R"(DBDirectSetStr("items", "id", 2, FALSE, FALSE, "name", "plum"))", "flag:TRUE"},
      {R"(DBDirectSetBool("items", "id", 2, FALSE, FALSE, "id", TRUE))", "flag:TRUE"},
      {R"(DBDirectGetStr("items", "name", "plum", FALSE, FALSE, "price", ""))", "string:9.75"},
      {R"(DBDirectGetInt("items", "name", "plum", FALSE, FALSE, "id", 0))", "integer:1"},
      {"DBGetRecNo()", "integer:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(TableFunctions, TablesAreCopiedInsertedAndDeleted) {
  MakeItems();
  const FunctionCase cases[] = {
      {R"(DBCopyTable("cheap", "price", 0.5))", "flag:FALSE"},
      {R"(DBCreateTable("cheap", 0))", "flag:TRUE"},
      {R"(DBSetActive("items"))", "flag:TRUE"},
      {R"(DBCopyTable("cheap", "price", 0.5))", "flag:TRUE"},
      {R"(DBRecordCount("cheap"))", "integer:1"},
      {R"(DBCopyTable("cheap"))", "flag:TRUE"},
      {R"(DBRecordCount("cheap"))", "integer:3"},
      {R"(DBInsertTable("cheap", "id", 2))", "flag:TRUE"},
      {"DBRecordCount()", "integer:4"},
      {"DBFindLast()", "flag:TRUE"},
      {R"(DBGetStr("name"))", "string:pear"},
      {R"(DBCopy("cheap"))", "flag:TRUE"},
      {R"(DBRecordCount("cheap"))", "integer:4"},
      {R"(DBGetRecNo("cheap"))", "integer:3"},
      {R"(DBClearRecord("cheap"))", "flag:TRUE"},
      {R"(DBRecordCount("cheap"))", "integer:0"},
      {R"(DBCreateTable("other", 1))", "flag:TRUE"},
      {R"(DBAddField("x", 3))", "flag:TRUE"},
      {R"(DBAddField("y", 9))", "flag:FALSE"},
      {R"(DBSetActive("items"))", "flag:TRUE"},
      {R"(DBCopy("other"))", "flag:FALSE"},
      {R"(DBDeleteTable("cheap"))", "flag:TRUE"},
      {"DBGetActive()", "string:items"},
      {"DBDeleteTable()", "flag:TRUE"},
      {"DBGetActive()", "string:"},
      {R"(DBRecordCount("other"))", "integer:0"},
      {"DBClearTable()", "flag:FALSE"},
      {R"(DBRecordCount("other"))", "integer:-1"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(TableFunctions, PersistentTablesAreKeptWithTheStatusData) {
  Run(R"(DBCreateTable("progress", 1))");
  Run(R"(DBAddField("chapter", 1))");
  Run("DBInsert(4)");
  Run(R"(DBCreateTable("session", 0))");
  ByteWriter status;
  functions.Tables().SaveToStream(status, 1);
  functions.Tables().ClearUnsaved();
  EXPECT_EQ(Run(R"(DBRecordCount("session"))"), "integer:-1");

  TParamCollection next_store;
  TSysFuncMan next(next_store, nullptr, 1);
  ByteReader in(status.data(), "save.dat");
  next.Tables().LoadFromStream(in, 1);
  TRivoParser parser;
  CompileExpression(R"(DBDirectGetInt("progress", "chapter", 4, FALSE, FALSE, "chapter", 0))", parser);
  parser.Evaluate(next_store);
  EXPECT_EQ(testing::ShowUtf8(parser.Result()), "integer:4");
  EXPECT_EQ(next.Tables().IndexOf("session"), -1);
}

}  // namespace
}  // namespace rivo

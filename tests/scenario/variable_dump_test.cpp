// The variables as --dump-vars writes them.

#include <gtest/gtest.h>

#include "scenario/variable_dump.h"
#include "script/build_rivo_parser.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"

namespace rivo {
namespace {

TParamCollectionItem& Add(TParamCollection& store, uint8_t kind, const std::string& name) {
  TParamCollectionItem& item = store.AddVariable(kind);
  store.SetName(item, name);
  return item;
}

TEST(VariableDump, EveryKindArraysNestedAndSystemVariablesLeftOut) {
  TParamCollection store;
  Add(store, PT_INT, "n").Param().SetInt(-7);
  Add(store, PT_FLOAT, "r").Param().SetFloat(0.1L);
  Add(store, PT_BOOL, "f").Param().SetBool(true);
  Add(store, PT_STR, "s").Param().SetStr("say \"\x83\x5C\"\r\n");
  TParamCollectionItem& grid = Add(store, PT_INT, "grid");
  int32_t sizes[] = {2, 3};
  grid.Param().SetDims(sizes);
  for (int32_t i = 0; i < 6; ++i) grid.Param().SetIntAt(i, i);
  std::string json = DumpVariablesJson(store);
  EXPECT_EQ(json,
            "{\n"
            "  \"n\": {\"kind\": \"integer\", \"value\": -7},\n"
            "  \"r\": {\"kind\": \"real\", \"value\": 0.1},\n"
            "  \"f\": {\"kind\": \"flag\", \"value\": true},\n"
            "  \"s\": {\"kind\": \"string\", \"value\": \"say \\\"ソ\\\"\\r\\n\"},\n"
            "  \"grid\": {\"kind\": \"integer\", \"value\": [[0, 1, 2], [3, 4, 5]]}\n"
            "}\n");
  EXPECT_EQ(json.find('@'), std::string::npos);
}

TEST(VariableDump, RealsCarryTheDigitsThatReadBackTheSameValue) {
  TParamCollection store;
  long double third = 1.0L / 3;
  Add(store, PT_FLOAT, "third").Param().SetFloat(third);
  std::string json = DumpVariablesJson(store);
  std::size_t at = json.find("\"value\": ") + 9;
  EXPECT_EQ(std::strtold(json.c_str() + at, nullptr), third) << json;
  EXPECT_EQ(DumpVariablesJson(TParamCollection()), "{}\n");
}

}  // namespace
}  // namespace rivo

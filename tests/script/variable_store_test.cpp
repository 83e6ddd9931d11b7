// The variable store: lookups with scopes, declaring, deleting, resetting,
// and references between variables.

#include <gtest/gtest.h>

#include "common/error.h"
#include "script/param_collection.h"
#include "script/param_system.h"
#include "script/param_var.h"
#include "script_fixtures.h"

namespace rivo {
namespace {

using testing::Declare;
using testing::ValueOf;

int32_t UserVariables(const TParamCollection& store) { return store.Count() - kSystemVariableCount; }

TEST(VariableStore, StartsWithTheFiftySystemVariablesInCodeOrder) {
  TParamCollection store;
  ASSERT_EQ(store.Count(), kSystemVariableCount);
  EXPECT_EQ(store[0].Name(), "@Result");
  EXPECT_EQ(store[14].Name(), "@TickCount");
  EXPECT_EQ(store[49].Name(), "@IsDebug");
  EXPECT_EQ(store.Find("@tickcount"), &store[14]) << "names ignore case";
  EXPECT_EQ(store.TextDelay(), 50);
  EXPECT_THROW(SystemVariableAt(50), RivoError);
}

TEST(VariableStore, ALocalVariableHidesAGlobalOnlyAtItsDepth) {
  TParamCollection store;
  Declare(store, "x", PT_INT, "1");
  store.SetCurrentDepth(3);
  Declare(store, "X", PT_INT, "3", VS_LOCAL);
  EXPECT_EQ(ValueOf(store, "x"), "integer:3");
  store.SetCurrentDepth(4);
  EXPECT_EQ(ValueOf(store, "x"), "integer:1");
  store.SetCurrentDepth(2);
  EXPECT_EQ(ValueOf(store, "x"), "integer:1");
  store.SetCurrentDepth(3);
  EXPECT_EQ(ValueOf(store, "x"), "integer:3");
  EXPECT_EQ(store.FindScoped("x", false)->AsInt(), 1);
  EXPECT_EQ(store.FindScoped("x", true)->AsInt(), 3);
  store.SetCurrentDepth(0);
  EXPECT_EQ(store.FindScoped("x", true), nullptr);
}

TEST(VariableStore, OfSeveralNonLocalVariablesTheEarliestIsFound) {
  TParamCollection store;
  Declare(store, "n", PT_INT, "1");
  store.SetCurrentDepth(2);
  // An auto-delete variable of the same name is not local: the global,
  // created first, stays the one found; FindScoped sees the latest.
  TParamCollectionItem& later = store.AddVariable(PT_INT);
  store.SetName(later, "N");
  store.SetScope(later, VS_AUTODELETE);
  later.SetInt(2);
  EXPECT_EQ(ValueOf(store, "n"), "integer:1");
  EXPECT_EQ(store.FindScoped("n", false), &later);
  store.DeleteOwnedBy(2);
  EXPECT_EQ(UserVariables(store), 1);
}

TEST(VariableStore, DeclaringFindsOrAddsWithTheScopeFlags) {
  TParamCollection store;
  store.SetCurrentDepth(5);
  struct Case {
    const char* name;
    uint8_t scope;
    uint8_t local, status;
    int32_t owner;
  } cases[] = {
      {"g", VS_GLOBAL, 0, 0, -1},
      {"a", VS_AUTODELETE, 0, 0, 5},
      {"l", VS_LOCAL, 1, 0, 5},
      {"s", VS_STATUS, 0, 1, -1},
  };
  for (const Case& c : cases) {
    TParamCollectionItem* item = store.DeclareVariable(c.name, PT_STR, c.scope);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Local(), c.local) << c.name;
    EXPECT_EQ(item->Status(), c.status) << c.name;
    EXPECT_EQ(item->Owner(), c.owner) << c.name;
    EXPECT_EQ(item->Param().GetKind(), PT_STR);
  }
  // Declared again: the same variable takes the value, except a status one.
  EXPECT_EQ(store.DeclareVariable("g", PT_INT, VS_GLOBAL), store.Find("g"));
  EXPECT_EQ(store.DeclareVariable("s", PT_STR, VS_STATUS), nullptr);
  EXPECT_EQ(UserVariables(store), 4);
}

TEST(VariableStore, BadNamesAreRefused) {
  TParamCollection store;
  for (const char* bad : {"", "two words", "1st", "9"}) {
    try {
      store.DeclareVariable(bad, PT_INT, VS_GLOBAL);
      ADD_FAILURE() << bad;
    } catch (const RivoError& e) {
      EXPECT_EQ(std::string(e.what()), "\"" + std::string(bad) + "\"：変数名が不正です");
    }
  }
  EXPECT_EQ(UserVariables(store), 0) << "nothing half-made stays behind";
  EXPECT_NO_THROW(store.DeclareVariable("_1st", PT_INT, VS_GLOBAL));
  EXPECT_NO_THROW(store.DeclareVariable("\x95\x5C", PT_INT, VS_GLOBAL));  // 表
}

TEST(VariableStore, DeleteOwnedByRemovesOnlyThatDepthsVariables) {
  TParamCollection store;
  Declare(store, "global", PT_INT);
  store.SetCurrentDepth(1);
  Declare(store, "one", PT_INT, "", VS_AUTODELETE);
  store.SetCurrentDepth(2);
  Declare(store, "two", PT_INT, "", VS_LOCAL);
  Declare(store, "twoToo", PT_INT, "", VS_AUTODELETE);
  store.DeleteOwnedBy(2);
  EXPECT_NE(store.FindScoped("one", false), nullptr);
  EXPECT_EQ(store.FindScoped("twoToo", false), nullptr);
  EXPECT_EQ(store.FindScoped("two", true), nullptr);
  EXPECT_EQ(UserVariables(store), 2);
  store.DeleteOwnedBy(1);
  EXPECT_EQ(UserVariables(store), 1);
  EXPECT_EQ(store.Count(), kSystemVariableCount + 1) << "system variables stay";
}

TEST(VariableStore, ResetKeepsSystemAndStatusVariables) {
  TParamCollection store;
  Declare(store, "kept", PT_INT, "7", VS_STATUS);
  Declare(store, "gone", PT_INT, "1");
  store.SetCurrentDepth(1);
  Declare(store, "goneToo", PT_INT, "1", VS_LOCAL);
  store.SetTextDelay(10);
  store.SetCursorName("hand.cur");
  store.SetSelStr("choice");
  store.Reset();
  EXPECT_EQ(UserVariables(store), 1);
  EXPECT_EQ(ValueOf(store, "kept"), "integer:7");
  EXPECT_EQ(store.TextDelay(), 50);
  EXPECT_EQ(store.CursorName(), "");
  EXPECT_EQ(store.SelStr(), "choice");
}

TEST(VariableStore, SystemVariablesCannotBeDeleted) {
  TParamCollection store;
  EXPECT_FALSE(store.Delete(*store.Find("@MouseX")));
  EXPECT_NE(store.Find("@MouseX"), nullptr);
  TParamCollectionItem& user = Declare(store, "u", PT_INT);
  EXPECT_TRUE(store.Delete(user));
  EXPECT_EQ(store.Find("u"), nullptr);
}

TEST(VariableStore, CopyValueOfMakesAnUnownedCopyOfTheSameKind) {
  TParamCollection store;
  TParamCollectionItem& a = Declare(store, "a", PT_FLOAT);
  int32_t sizes[] = {2};
  a.Param().SetDims(sizes);
  a.Param().SetFloatAt(1, 2.5L);
  std::unique_ptr<TCustomParam> copy = store.CopyValueOf("A");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetKind(), PT_FLOAT);
  EXPECT_EQ(copy->GetFloatAt(1), 2.5L);
  a.Param().SetFloatAt(1, 0);
  EXPECT_EQ(copy->GetFloatAt(1), 2.5L);
  EXPECT_EQ(store.CopyValueOf("missing"), nullptr);

  // A reference is no value of its own, bound or not.
  TParamCollectionItem& r = store.AddVariable(PT_NONE);
  store.SetName(r, "ref");
  EXPECT_THROW(store.CopyValueOf("ref"), RivoError);
  static_cast<TParamVar&>(r.Param()).BindTo(&a);
  EXPECT_THROW(store.CopyValueOf("ref"), RivoError);
  EXPECT_EQ(store.CopyValueOf("@MouseX")->GetKind(), PT_INT);
}

TEST(VariableStore, ReferencesForwardToTheirTargetOrElement) {
  TParamCollection store;
  TParamCollectionItem& a = Declare(store, "a", PT_INT);
  int32_t sizes[] = {2, 3};
  a.Param().SetDims(sizes);

  TParamVar element(&store);
  int32_t at[] = {1, 2};
  element.BindElement("a", at);
  EXPECT_EQ(element.ElementIndex(), 5);
  element.SetInt(42);
  EXPECT_EQ(a.Param().GetIntAt(5), 42);
  EXPECT_EQ(a.Param().GetCount(), 6) << "an element write keeps the array";
  EXPECT_EQ(element.AsStr(), "42");
  EXPECT_EQ(element.GetKind(), PT_INT);
  EXPECT_EQ(element.DimSize(1), 3) << "shape questions go to the whole array";

  TParamVar whole(&store);
  whole.SetTargetName("a");
  whole.Bind();
  whole.SetInt(9);  // through element 0, so the array stays an array
  EXPECT_EQ(a.Param().GetIntAt(0), 9);

  // A reference to a reference lends it the element.
  TParamCollectionItem& r = store.AddVariable(PT_NONE);
  store.SetName(r, "r");
  static_cast<TParamVar&>(r.Param()).BindElement("a", at);
  TParamVar through(&store);
  through.SetTargetName("r");
  through.Bind();
  EXPECT_EQ(through.ElementIndex(), 5);
  EXPECT_EQ(through.AsInt(), 42);
}

TEST(VariableStore, BindingErrorsNameTheElement) {
  TParamCollection store;
  TParamCollectionItem& a = Declare(store, "a", PT_INT);
  int32_t sizes[] = {2, 3};
  a.Param().SetDims(sizes);
  struct Case {
    std::vector<int32_t> indexes;
    const char* message;
  } cases[] = {
      {{1}, "a[1]\r\n添え字が不正です"},
      {{1, 2, 0}, "a[1,2,0]\r\n添え字が不正です"},
      {{2, 0}, "a[2,0]\r\n要素数を超えています"},
      {{0, -1}, "a[0,-1]\r\n要素数を超えています"},
      {{2147483647, 2147483647}, "a[2147483647,2147483647]\r\n要素数を超えています"},
  };
  for (const Case& c : cases) {
    TParamVar ref(&store);
    try {
      ref.BindElement("a", c.indexes);
      ADD_FAILURE() << c.message;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  TParamVar ref(&store);
  ref.SetTargetName("nothing");
  try {
    ref.Bind();
  } catch (const RivoError& e) {
    EXPECT_STREQ(e.what(), "\"nothing\" 変数がありません");
  }
  // Unbound, it reads as nothing and ignores writes.
  ref.SetInt(5);
  EXPECT_EQ(ref.AsInt(), 0);
  EXPECT_EQ(ref.AsStr(), "");
  EXPECT_EQ(ref.GetKind(), PT_NONE);
}

TEST(VariableStore, AReferenceOutlivingItsTargetBindsAgainByName) {
  TParamCollection store;
  store.SetCurrentDepth(1);
  Declare(store, "t", PT_INT, "1", VS_AUTODELETE);
  TParamVar ref(&store);
  ref.SetTargetName("t");
  ref.Bind();
  EXPECT_EQ(ref.AsInt(), 1);
  store.DeleteOwnedBy(1);
  EXPECT_EQ(ref.Target(), nullptr);
  EXPECT_EQ(ref.AsInt(), 0);
  Declare(store, "t", PT_STR, "again");
  EXPECT_EQ(ref.AsStr(), "again");
}

TEST(VariableStore, ReferencesThatLeadBackToThemselvesActUnbound) {
  TParamCollection store;
  TParamCollectionItem& p = store.AddVariable(PT_NONE);
  store.SetName(p, "p");
  TParamCollectionItem& q = store.AddVariable(PT_NONE);
  store.SetName(q, "q");
  auto& ref_p = static_cast<TParamVar&>(p.Param());
  auto& ref_q = static_cast<TParamVar&>(q.Param());
  ref_p.SetTargetName("q");
  ref_p.Bind();
  ref_q.SetTargetName("p");
  ref_q.Bind();
  ref_p.SetInt(3);
  EXPECT_EQ(ref_p.AsInt(), 0);
  EXPECT_EQ(ref_q.AsStr(), "");
  EXPECT_EQ(ref_p.GetCount(), 1);

  // Bound to the variable that holds it: refused.
  ref_q.SetTargetName("q");
  ref_q.Bind();
  EXPECT_EQ(ref_q.Target(), nullptr);
}

}  // namespace
}  // namespace rivo

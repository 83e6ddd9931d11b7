// Which ids each kind supports, straight from the kinds' property lists:
// supported ids answer, the others read as nothing and ignore writes, and
// the error ids raise the property errors.

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "common/error.h"
#include "object_fixtures.h"
#include "objects/rivo_base.h"

namespace rivo {
namespace {

constexpr const char* kEveryObject = "NAME PRIORITY TAG COMPOTYPE";
constexpr const char* kEveryControl =
    "PARENT LEFT TOP WIDTH HEIGHT OFFSETX OFFSETY COLOR VISIBLE IGNOREMOUSE CURSOR POSZOOMED CLIPLEFT CLIPTOP "
    "CLIPWIDTH CLIPHEIGHT PLUSX PLUSY ANIPAUSED PLAYING HANDLEKEY ONMOUSEMOVE ONMOUSEIN ONMOUSEOUT ONLBTNDOWN "
    "ONLBTNUP ONRBTNDOWN ONRBTNUP ONWHEELDOWN ONWHEELUP ONKEYDOWN ONKEYUP ONKEYREPEAT ONFOCUSIN ONFOCUSOUT";

struct KindList {
  int32_t type;
  bool control;
  const char* further;
};

// The further properties of each kind, as the kinds' list gives them.
const KindList kKinds[] = {
    {LT_BOX, true, "SOURCE BORDERWIDTH BORDERCOLOR ALPHA PAUSED REPEAT ONPLAYEND AUTOSCRAP ONIDLE"},
    {LT_IMAGES, true,
     "SOURCE ZOOMX ZOOMY ALPHA ANGLE BRIGHTNESS FLIPH FLIPV CAPTUREMASK PAUSED REPEAT ONPLAYEND INDEX COUNT "
     "ORIGWIDTH ORIGHEIGHT AUTOSCRAP ONIDLE"},
    {LT_TILE, true,
     "SOURCE ZOOMX ZOOMY ALPHA ANGLE BRIGHTNESS FLIPH FLIPV CAPTUREMASK PAUSED REPEAT INDEX COUNT ORIGWIDTH "
     "ORIGHEIGHT SCROLLX SCROLLY DISTANCEX DISTANCEY ONIDLE"},
    {LT_BUTTON, true,
     "SOURCE HOVERSOURCE PRESSEDSOURCE CLICKEDSOURCE ZOOMX ZOOMY ALPHA ANGLE BRIGHTNESS FLIPH FLIPV CAPTUREMASK TEXT "
     "FONTNAME FONTHEIGHT FONTSTYLE FONTCOLOR ANTIALIAS GROUPINDEX ALLOWALLUP SELECTED PAUSED REPEAT INDEX COUNT "
     "ORIGWIDTH ORIGHEIGHT ONNOTIFY ONPLAYEND AUTOSCRAP ONIDLE"},
    {LT_CGLABEL, true,
     "SOURCE TEXT MAPTEXT GLYPHWIDTH GLYPHHEIGHT LINESPACE HALIGN ALPHA ORIGWIDTH ORIGHEIGHT PAUSED ONIDLE"},
    {LT_MAPIMG, true,
     "SOURCE MAPSOURCE HOVERSOURCE ALPHA BRIGHTNESS PAUSED REPEAT AUTOSCRAP RCLICKSCRAP ONSELECT ONMAPIN ONMAPOUT "
     "ONIDLE"},
    {LT_CABINET, true, ""},
    {LT_TIMER, false, "DELAY PAUSED ONNOTIFY AUTOSCRAP"},
    {LT_PROPMOTION, false, "PAUSED"},
    {LT_HTTP, false, "SOURCE TEXT ONPLAYEND"},
};

std::set<int32_t> Ids(const std::string& names) {
  std::set<int32_t> ids;
  std::istringstream in(names);
  for (std::string name; in >> name;) {
    int32_t id = FindPropertyByName("PR_" + name);
    EXPECT_GE(id, 0) << name;
    ids.insert(id);
  }
  return ids;
}

std::set<int32_t> Expected(const KindList& kind) {
  std::set<int32_t> ids = Ids(kEveryObject);
  if (kind.control) ids.merge(Ids(kEveryControl));
  ids.merge(Ids(kind.further));
  return ids;
}

// Every supported property's value as text, to see that nothing changed.
std::string Snapshot(const TRivoObject& o) {
  std::string all;
  for (int32_t id = 0; id < kPropertyCount; ++id) all += test::GetStr(o, id) + "|";
  return all;
}

void CheckKind(TRivoObject& o, const std::set<int32_t>& expected) {
  for (int32_t id = 0; id < kPropertyCount; ++id)
    EXPECT_EQ(SupportsProperty(o, id), expected.contains(id)) << FindProperty(id)->name;
  const std::string before = Snapshot(o);
  for (int32_t id = 0; id < kPropertyCount; ++id) {
    const PropertyInfo& info = *FindProperty(id);
    if (info.Has(kErrorOnWrite)) {
      EXPECT_THROW(test::SetInt(o, id, 5), RivoError) << info.name;
      continue;
    }
    if (expected.contains(id) && !info.Has(kReadOnly)) continue;
    // Unsupported: reads give nothing; unsupported and read-only ids
    // ignore writes.
    if (!expected.contains(id)) {
      EXPECT_EQ(test::GetStr(o, id), info.kind == PT_INT || info.kind == PT_FLOAT ? "0"
                                     : info.kind == PT_BOOL                      ? "FALSE"
                                                                                 : "")
          << info.name;
    }
    test::SetInt(o, id, 77);
    test::SetStr(o, id, "x");
  }
  EXPECT_EQ(Snapshot(o), before);
  for (int32_t bad : {-1, 163, -2147483647 - 1}) {
    EXPECT_THROW(test::GetInt(o, bad), RivoError);
    EXPECT_THROW(test::SetInt(o, bad, 1), RivoError);
  }
  EXPECT_EQ(test::GetInt(o, PR_APPEARX), 0);
}

TEST(PropertySupport, EveryKindThePlayerHasSupportsExactlyItsList) {
  for (const KindList& kind : kKinds) {
    if (!HasObjectKind(kind.type)) continue;
    SCOPED_TRACE(ObjectTypeName(kind.type));
    test::Screen s;
    TRivoObject& o = s.screen.CreateByType(kind.type);
    CheckKind(o, Expected(kind));
    EXPECT_EQ(test::GetInt(o, PR_COMPOTYPE), kind.type);
  }
}

TEST(PropertySupport, ABaseIsAControlWithoutAParentToSet) {
  test::Screen s;
  TRivoBase& base = s.screen.ActiveBase();
  CheckKind(base, Expected({LT_NONE, true, ""}));
  EXPECT_EQ(test::GetStr(base, PR_PARENT), "");
  test::SetStr(base, PR_PARENT, "\x01" "BASE1");
  EXPECT_EQ(base.Parent(), nullptr);
}

TEST(PropertySupport, TheErrorsCarryTheirMessages) {
  test::Screen s;
  TRivoObject& timer = s.screen.CreateByType(LT_TIMER);
  for (int32_t id : {92, 93, 163, -1}) {
    try {
      test::SetInt(timer, id, 1);
      ADD_FAILURE() << id;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), "SetPropエラー");
    }
  }
  for (int32_t id : {163, -1}) {
    try {
      test::GetInt(timer, id);
      ADD_FAILURE() << id;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), "GetPropエラー");
    }
  }
}

TEST(PropertySupport, KindsWithoutAClassAreRefusedByName) {
  test::Screen s;
  for (int32_t type : {0, 1, 10, 28, 127}) EXPECT_THROW(s.screen.CreateByType(type), RivoError) << type;
  // Only the low seven bits count.
  EXPECT_EQ(s.screen.CreateByType(128 + LT_TIMER).GetCompoType(), LT_TIMER);
  for (int32_t type = 0; type < kObjectTypeCount; ++type) {
    if (HasObjectKind(type)) continue;
    EXPECT_THROW(s.screen.CreateByType(type), RivoError) << type;
  }
  EXPECT_EQ(s.screen.ObjectCount(), 1);
}

TEST(PropertyTable, CreationOrderPutsNameParentSourceFirstAndZoomBeforeSizeBeforePosition) {
  const auto& order = CreationOrder();
  EXPECT_EQ(order[0], PR_NAME);
  EXPECT_EQ(order[1], PR_PARENT);
  EXPECT_EQ(order[2], PR_SOURCE);
  auto rank = [](int32_t id) { return FindProperty(id)->creation_rank; };
  EXPECT_LT(rank(PR_ZOOMX), rank(PR_WIDTH));
  EXPECT_LT(rank(PR_ZOOMY), rank(PR_WIDTH));
  EXPECT_LT(rank(PR_WIDTH), rank(PR_LEFT));
  EXPECT_EQ(order.back(), PR_MUTEONLOAD);
  std::set<int32_t> all(order.begin(), order.end());
  EXPECT_EQ(all.size(), static_cast<std::size_t>(kPropertyCount));
  for (int32_t id : {78, 79, 92, 93, 138, 140, 159, 160, 161})
    EXPECT_TRUE(FindProperty(id)->Has(kSkippedOnCreation)) << id;
}

}  // namespace
}  // namespace rivo

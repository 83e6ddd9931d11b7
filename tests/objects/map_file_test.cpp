// Reading map files: areas in file order, the three shapes, and damaged
// files that keep what was read before the damage.

#include "objects/map_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "objects/map_file_fixture.h"

namespace rivo {
namespace {

using test::MapFileWriter;

TEST(MapFile, AreasKeepFileOrderNamesAndShapes) {
  const std::string bytes = MapFileWriter()
                                .Rectangle("door", 10, 20, 29, 39)
                                .Ellipse("moon", 0, 0, 7, 7)
                                .Polygon("roof", {{0, 0}, {8, 0}, {0, 8}})
                                .Polygon("other shape byte", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, 200)
                                .Bytes();
  const TMapFile map = ReadMapFile(bytes);
  EXPECT_TRUE(map.Complete);
  ASSERT_EQ(map.Areas.size(), 4u);
  EXPECT_EQ(map.Areas[0].Name, "door");
  EXPECT_EQ(map.Areas[0].Region.Bounds(), (TRect{10, 20, 30, 40}));
  EXPECT_EQ(map.Areas[1].Name, "moon");
  EXPECT_TRUE(map.Areas[1].Region.Contains(3, 3));
  EXPECT_FALSE(map.Areas[1].Region.Contains(0, 0));  // a corner of the box, outside the ellipse
  EXPECT_TRUE(map.Areas[2].Region.Contains(1, 1));
  EXPECT_FALSE(map.Areas[2].Region.Contains(6, 6));
  EXPECT_EQ(map.Areas[3].Region.Bounds(), (TRect{0, 0, 4, 4}));
}

TEST(MapFile, DamagedFilesKeepTheAreasReadBefore) {
  const MapFileWriter two = MapFileWriter().Rectangle("a", 0, 0, 1, 1).Polygon("b", {{0, 0}, {3, 0}, {0, 3}});
  const std::string whole = two.Bytes();
  const std::size_t first_area_end = 4 + (4 + 1) + 1 + 16;
  struct Case {
    const char* what;
    std::string bytes;
    std::size_t areas;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"count alone, cut", whole.substr(0, 3), 0},
      {"cut inside the first area", whole.substr(0, 10), 0},
      {"cut right after the first area", whole.substr(0, first_area_end), 1},
      {"cut inside the polygon's points", whole.substr(0, whole.size() - 3), 1},
      {"a count far beyond the bytes", two.Bytes(INT_MAX), 2},
      {"a negative count", two.Bytes(-5), 0},
  };
  for (const Case& c : cases) {
    const TMapFile map = ReadMapFile(c.bytes);
    EXPECT_FALSE(map.Complete) << c.what;
    EXPECT_EQ(map.Areas.size(), c.areas) << c.what;
    if (!map.Areas.empty()) { EXPECT_EQ(map.Areas[0].Name, "a") << c.what; }
  }
  // Every shorter prefix is read without an error, never more areas than whole.
  for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_LE(ReadMapFile(whole.substr(0, n)).Areas.size(), 2u);
}

TEST(MapFile, PointCountsAreCheckedBeforeAnythingIsMade) {
  // A polygon claiming two billion points in a file of a few bytes.
  MapFileWriter w;
  w.Polygon("huge", {});
  std::string bytes = w.Bytes();
  bytes.replace(bytes.size() - 4, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  TMapFile map = ReadMapFile(bytes);
  EXPECT_FALSE(map.Complete);
  EXPECT_TRUE(map.Areas.empty());
  bytes.replace(bytes.size() - 4, 4, std::string("\xFF\xFF\xFF\xFF", 4));  // -1 points
  map = ReadMapFile(bytes);
  EXPECT_FALSE(map.Complete);
  EXPECT_TRUE(map.Areas.empty());
}

TEST(MapFile, PolygonsOfFewerThanThreePointsAreEmptyAreasThatKeepTheirPlace) {
  const TMapFile map = ReadMapFile(MapFileWriter()
                                       .Polygon("none", {})
                                       .Polygon("point", {{5, 5}})
                                       .Polygon("line", {{0, 0}, {9, 9}})
                                       .Rectangle("after", 0, 0, 9, 9)
                                       .Bytes());
  EXPECT_TRUE(map.Complete);
  ASSERT_EQ(map.Areas.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(map.Areas[static_cast<std::size_t>(i)].Region.IsEmpty()) << i;
  EXPECT_EQ(map.Areas[3].Name, "after");
  EXPECT_TRUE(map.Areas[3].Region.Contains(5, 5));
}

}  // namespace
}  // namespace rivo

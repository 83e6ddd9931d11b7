#pragma once
// TSpanRegion: a set of pixels made from a rectangle, an ellipse or a
// polygon, the shapes of a map image's clickable areas. The region keeps
// its shape and gives, for any row, the runs of pixels it covers, so a hit
// test looks at one row and painting a mask walks only the rows it paints;
// nothing is allocated by the region's size, however large a damaged map
// file says it is.
//
// A pixel belongs to an ellipse or a polygon when its centre (x + 0.5,
// y + 0.5) lies inside; a crossing exactly on a centre counts to the right
// of the edge, so a polygon's right and bottom edges are exclusive and a
// polygon tracing a rectangle covers the same pixels as the rectangle.
// Rectangles and ellipses are given by inclusive corners: they cover
// right + 1 and bottom + 1 exclusive. Polygons are filled by the nonzero
// winding rule.

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/rect.h"
#include "graphics/shape_raster.h"

namespace rivo {

struct TRegionPoint {
  int32_t x = 0, y = 0;
};

class TSpanRegion {
 public:
  // Coordinates are kept within +-2^28 so that the exact integer tests
  // cannot overflow; no picture comes near.
  static constexpr int32_t kCoordinateLimit = 1 << 28;

  // The empty region.
  TSpanRegion() = default;
  // Corners in either order; (left, top) to (right, bottom) inclusive.
  static TSpanRegion Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The ellipse inscribed in the same inclusive box.
  static TSpanRegion Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The closed polygon through the points; fewer than 3 points: empty.
  static TSpanRegion Polygon(std::span<const TRegionPoint> points);

  // Surely no pixel (a polygon whose points lie on a slanted line covers
  // none either, but is not empty by this test).
  bool IsEmpty() const { return kind_ == Kind::kEmpty; }
  // A rectangle holding every pixel of the region (empty for none).
  TRect Bounds() const;
  // The runs of row y, left to right, neither overlapping nor touching.
  void RowSpans(int32_t y, std::vector<TSpan>& out) const;
  bool Contains(int32_t x, int32_t y) const;

 private:
  enum class Kind : uint8_t { kEmpty, kRectangle, kEllipse, kPolygon };
  // An edge going downwards (y0 < y1); dir is +1 when the polygon runs
  // down along it, -1 when up.
  struct Edge {
    int64_t x0, y0, x1, y1;
    int32_t dir;
  };

  // The box normalised to left < right, top < bottom (exclusive).
  static TSpanRegion Box(Kind kind, int32_t left, int32_t top, int32_t right, int32_t bottom);
  TSpan EllipseRow(int32_t y) const;
  void PolygonRow(int32_t y, std::vector<TSpan>& out) const;

  Kind kind_ = Kind::kEmpty;
  // Rectangle and ellipse: the covered box; polygon: its vertices' extent.
  int64_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  std::vector<Edge> edges_;
};

}  // namespace rivo

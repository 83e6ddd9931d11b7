#include "graphics/span_region.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace rivo {
namespace {

int64_t Clamp(int64_t v) {
  return std::clamp<int64_t>(v, -TSpanRegion::kCoordinateLimit, TSpanRegion::kCoordinateLimit);
}

// Divisions rounding down and up (b > 0).
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

int32_t ToColumn(int64_t v) { return static_cast<int32_t>(v); }

}  // namespace

TSpanRegion TSpanRegion::Box(Kind kind, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  TSpanRegion r;
  r.kind_ = kind;
  r.left_ = Clamp(std::min(left, right));
  r.right_ = Clamp(int64_t{std::max(left, right)} + 1);
  r.top_ = Clamp(std::min(top, bottom));
  r.bottom_ = Clamp(int64_t{std::max(top, bottom)} + 1);
  if (r.left_ >= r.right_ || r.top_ >= r.bottom_) r.kind_ = Kind::kEmpty;
  return r;
}

TSpanRegion TSpanRegion::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return Box(Kind::kRectangle, left, top, right, bottom);
}

TSpanRegion TSpanRegion::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return Box(Kind::kEllipse, left, top, right, bottom);
}

TSpanRegion TSpanRegion::Polygon(std::span<const TRegionPoint> points) {
  TSpanRegion r;
  if (points.size() < 3) return r;
  r.left_ = r.top_ = kCoordinateLimit;
  r.right_ = r.bottom_ = -kCoordinateLimit;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TRegionPoint& a = points[i];
    const TRegionPoint& b = points[(i + 1) % points.size()];
    const int64_t ax = Clamp(a.x), ay = Clamp(a.y), bx = Clamp(b.x), by = Clamp(b.y);
    r.left_ = std::min(r.left_, ax);
    r.right_ = std::max(r.right_, ax);
    r.top_ = std::min(r.top_, ay);
    r.bottom_ = std::max(r.bottom_, ay);
    // Level edges never cross a row's sampling line.
    if (ay < by)
      r.edges_.push_back({ax, ay, bx, by, 1});
    else if (ay > by)
      r.edges_.push_back({bx, by, ax, ay, -1});
  }
  // A polygon without width or height holds no pixel centre.
  const bool flat = r.left_ >= r.right_ || r.top_ >= r.bottom_;
  r.kind_ = flat ? Kind::kEmpty : Kind::kPolygon;
  return r;
}

TRect TSpanRegion::Bounds() const {
  if (IsEmpty()) return {};
  return {ToColumn(left_), ToColumn(top_), ToColumn(right_), ToColumn(bottom_)};
}

// In doubled coordinates the box's centre is (left + right, top + bottom),
// a pixel's centre is (2x + 1, 2y + 1) and the semi-axes are the box's width
// W and height H: a pixel is inside when dx^2 H^2 + dy^2 W^2 <= W^2 H^2.
// The products stay below 2^120 for coordinates within the limit.
TSpan TSpanRegion::EllipseRow(int32_t y) const {
  using Wide = unsigned __int128;
  const int64_t w = right_ - left_, h = bottom_ - top_;
  const int64_t dy = 2 * int64_t{y} + 1 - (top_ + bottom_);
  if (dy < -h || dy > h) return {};
  // The widest |dx| with dx^2 H^2 <= W^2 (H^2 - dy^2): a floating guess made exact.
  const Wide room = Wide(w) * Wide(w) * Wide(h * h - dy * dy);
  auto fits = [&](int64_t m) { return Wide(m) * Wide(m) * Wide(h) * Wide(h) <= room; };
  int64_t m = static_cast<int64_t>(std::sqrt(static_cast<long double>(room)) / static_cast<long double>(h));
  while (m > 0 && !fits(m)) --m;
  while (fits(m + 1)) ++m;
  // dx = 2x + 1 - (left + right), so x = (dx + left + right - 1) / 2.
  const int64_t first = CeilDiv(-m + left_ + right_ - 1, 2);
  const int64_t last = FloorDiv(m + left_ + right_ - 1, 2) + 1;
  if (first >= last) return {};
  return {ToColumn(first), ToColumn(last)};
}

// The row is sampled along y + 0.5. An edge crossing it at X lights the
// pixels from ceil(X - 0.5) on; in twice the edge's height that column is
// an exact integer division. The winding number is then summed from the
// left, and the runs where it is not 0 are the row's spans.
void TSpanRegion::PolygonRow(int32_t y, std::vector<TSpan>& out) const {
  std::vector<std::pair<int64_t, int32_t>> crossings;
  for (const Edge& e : edges_) {
    if (y < e.y0 || y >= e.y1) continue;
    const int64_t dy = e.y1 - e.y0;
    const int64_t num = (2 * e.x0 - 1) * dy + (2 * int64_t{y} + 1 - 2 * e.y0) * (e.x1 - e.x0);
    crossings.emplace_back(CeilDiv(num, 2 * dy), e.dir);
  }
  std::sort(crossings.begin(), crossings.end());
  int32_t winding = 0;
  int64_t start = 0;
  for (std::size_t i = 0; i < crossings.size();) {
    const int64_t column = crossings[i].first;
    const int32_t before = winding;
    for (; i < crossings.size() && crossings[i].first == column; ++i) winding += crossings[i].second;
    if (before == 0 && winding != 0) start = column;
    if (before != 0 && winding == 0 && start < column) out.push_back({ToColumn(start), ToColumn(column)});
  }
}

void TSpanRegion::RowSpans(int32_t y, std::vector<TSpan>& out) const {
  out.clear();
  if (IsEmpty() || y < top_ || y >= bottom_) return;
  switch (kind_) {
    case Kind::kRectangle: out.push_back({ToColumn(left_), ToColumn(right_)}); break;
    case Kind::kEllipse:
      if (TSpan s = EllipseRow(y); !s.IsEmpty()) out.push_back(s);
      break;
    case Kind::kPolygon: PolygonRow(y, out); break;
    case Kind::kEmpty: break;
  }
}

bool TSpanRegion::Contains(int32_t x, int32_t y) const {
  if (IsEmpty() || x < left_ || x >= right_ || y < top_ || y >= bottom_) return false;
  if (kind_ == Kind::kRectangle) return true;
  if (kind_ == Kind::kEllipse) {
    const TSpan s = EllipseRow(y);
    return x >= s.first && x < s.last;
  }
  std::vector<TSpan> spans;
  RowSpans(y, spans);
  return std::any_of(spans.begin(), spans.end(), [x](const TSpan& s) { return x >= s.first && x < s.last; });
}

}  // namespace rivo

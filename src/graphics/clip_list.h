#pragma once
// TClipList: the changed rectangles of a screen page, kept short by merging
// rectangles that lie within 20 pixels of each other. Redrawing a little
// more than changed is cheaper than redrawing many small pieces.

#include <cstddef>
#include <vector>

#include "graphics/rect.h"

namespace rivo {

class TClipList {
 public:
  // Rectangles closer than this (on both axes) merge into their union.
  static constexpr int32_t kMergeDistance = 20;

  // An empty rectangle is ignored; one inside a near rectangle changes
  // nothing; otherwise the near rectangle is replaced by the union, and the
  // union is added again by the same rule (it may now be near others).
  void Add(const TRect& r);
  void Clear() { rects_.clear(); }
  bool IsEmpty() const { return rects_.empty(); }
  std::size_t Count() const { return rects_.size(); }
  const std::vector<TRect>& Rects() const { return rects_; }

 private:
  std::vector<TRect> rects_;
};

// Whether b lies within kMergeDistance of a.
bool AreNear(const TRect& a, const TRect& b);

}  // namespace rivo

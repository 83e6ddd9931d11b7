#include "graphics/clip_list.h"

#include <cstdint>

namespace rivo {

bool AreNear(const TRect& a, const TRect& b) {
  // 64-bit sums: a rectangle at the edge of the coordinate range must not wrap into nearness.
  constexpr int64_t d = TClipList::kMergeDistance;
  return !(int64_t{a.Right} + d < b.Left || int64_t{a.Bottom} + d < b.Top || b.Right < int64_t{a.Left} - d ||
           b.Bottom < int64_t{a.Top} - d);
}

void TClipList::Add(const TRect& r) {
  if (r.IsEmpty()) return;
  // Each union swallows one rectangle of the list, so this ends after at
  // most Count() rounds; done recursively a long list of nearly touching
  // pieces would nest as deep as it is long.
  TRect added = r;
  for (;;) {
    auto near = rects_.begin();
    while (near != rects_.end() && !AreNear(*near, added)) ++near;
    if (near == rects_.end()) break;
    if (Union(*near, added) == *near) return;
    added = Union(*near, added);
    rects_.erase(near);
  }
  rects_.push_back(added);
}

}  // namespace rivo

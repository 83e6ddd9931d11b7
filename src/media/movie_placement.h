#pragma once
// Where a movie shown as a window of its own must stand so that its source
// rectangle falls exactly on the destination rectangle (the rest of the
// picture lies outside, clipped by the screen).

#include <cstdint>

namespace rivo {

struct MovieRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const MovieRect&) const = default;
};

// A source rectangle of no width or height has no scale: the movie then
// fills the destination.
MovieRect MoviePlacement(const MovieRect& source, const MovieRect& dest, int32_t movie_width, int32_t movie_height);

}  // namespace rivo

#pragma once
// Discs and pie sectors as runs of pixels per row, for the round mask
// wipes. A pixel belongs to a shape when its centre (x + 0.5, y + 0.5) lies
// inside it. Angles are in radians, clockwise from 12 o'clock on the screen
// (y grows downwards).

#include <cstdint>

namespace rivo {

// Columns [first, last) of one row.
struct TSpan {
  int32_t first = 0, last = 0;
  bool IsEmpty() const { return last <= first; }
};

struct TDisc {
  double cx = 0, cy = 0, radius = 0;
};

// The part of row y (of a row width pixels wide) inside the disc; a radius
// of 0 or less holds nothing.
TSpan DiscSpan(const TDisc& disc, int32_t y, int32_t width);

// The pie of a disc that starts at angle start and sweeps clockwise by sweep
// (nothing for sweep <= 0, the whole disc from a full turn on).
class TPie {
 public:
  TPie(const TDisc& disc, double start, double sweep);
  // Writes up to two spans of row y and returns their number.
  int Spans(int32_t y, int32_t width, TSpan out[2]) const;

 private:
  // A ray from the centre at some angle, as its normal (cos, sin).
  struct Ray {
    double cos = 0, sin = 0;
  };
  TSpan ClockwiseSide(const Ray& ray, int32_t y, int32_t width) const;

  TDisc disc_;
  double sweep_;
  // Up to half a turn: clockwise of first and anticlockwise of second. More:
  // the hole between second (clockwise of it) and first (anticlockwise).
  Ray first_, second_;
};

}  // namespace rivo

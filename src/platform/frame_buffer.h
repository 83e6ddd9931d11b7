#pragma once
// The picture the player hands to a window: 32-bit pixels in Windows DIB
// order (blue, green, red, unused byte, i.e. 0x00RRGGBB as a little-endian
// word), rows top-down. The unused byte is always 0.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rivo {

// A rectangle of pixels; Right and Bottom are exclusive.
struct DisplayRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool operator==(const DisplayRect&) const = default;
};

struct DisplayPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const DisplayPoint&) const = default;
};

// Pixels of a picture someone else owns, in the same layout; pitch is the
// distance between rows in pixels (at least width).
struct PixelView {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;

  const uint32_t& At(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y) * pitch + x]; }
};

struct FrameBuffer {
  FrameBuffer() = default;
  FrameBuffer(int32_t w, int32_t h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}

  const uint32_t& At(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  uint32_t& At(int32_t x, int32_t y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  DisplayRect Bounds() const { return {0, 0, width, height}; }
  PixelView View() const { return {pixels.data(), width, height, width}; }
  operator PixelView() const { return View(); }

  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

}  // namespace rivo

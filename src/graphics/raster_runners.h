#pragma once
// The families of raster operations, each in its own file, each written once
// over the pixel policies and run for the target's format (32 or 8 bits).

#include <cstdint>

#include "graphics/raster_op.h"

namespace rivo {

void RunFill(const TPixelTarget& target, const RasterOp& op);
void RunPlacement(const TPixelTarget& target, const RasterOp& op);
void RunStretch(const TPixelTarget& target, const RasterOp& op);
void RunRotate(const TPixelTarget& target, const RasterOp& op);
void RunPattern(const TPixelTarget& target, const RasterOp& op);

// The pixels of an operation's source, mask or pattern (invalid when absent).
TPixelSource PixelsOf(const TCustomDIBX* surface);

// Calls fn.template operator()<Policy>() for the target's format.
template <typename Fn>
void WithPolicy(int32_t bit_count, Fn&& fn);

inline constexpr uint32_t ClampWeight(int32_t alpha) {
  return alpha >= 255 ? 255u : static_cast<uint32_t>(alpha);
}

}  // namespace rivo

#include "graphics/pixel_policy.h"

namespace rivo {

template <typename Fn>
void WithPolicy(int32_t bit_count, Fn&& fn) {
  if (bit_count == Bgrx32::kBitCount) fn.template operator()<Bgrx32>();
  else if (bit_count == Byte8::kBitCount) fn.template operator()<Byte8>();
}

}  // namespace rivo

#pragma once
// TDIBXWave: a surface without pixels that draws onto a target surface,
// shifting each destination row right by that row's offset (the wave
// effect). Its coordinates are the target's; it covers the rows
// y0 .. y0 + height - 1, and offset i belongs to row y0 + i. Nothing is
// drawn on other rows.
//
// Every operation arrives at Execute and is re-issued on the target:
// placements and fills once per band of rows with equal offsets, region
// operations (stretch, rotation, patterns) once per row with the target
// clipped to that row, so that each row is exactly the row the unshifted
// operation would draw.

#include <vector>

#include "graphics/custom_dibx.h"

namespace rivo {

class TDIBXWave : public TCustomDIBX {
 public:
  void SetTarget(TCustomDIBX* target) { target_ = target; }
  TCustomDIBX* Target() const { return target_; }
  void SetOrigin(int32_t x0, int32_t y0) {
    x0_ = x0;
    y0_ = y0;
  }
  int32_t OriginX() const { return x0_; }
  int32_t OriginY() const { return y0_; }
  std::vector<int32_t>& Offsets() { return offsets_; }
  const std::vector<int32_t>& Offsets() const { return offsets_; }

  int32_t BitCount() const override { return target_ ? target_->BitCount() : 0; }
  uint32_t RedMask() const override { return target_ ? target_->RedMask() : 0; }
  uint32_t GreenMask() const override { return target_ ? target_->GreenMask() : 0; }
  uint32_t BlueMask() const override { return target_ ? target_->BlueMask() : 0; }
  // Records the size; the offset table gets one entry per row.
  void SetSize(int32_t width, int32_t height, int32_t bit_count) override;
  int64_t ColorToPixel(int64_t color) const override;

  // The wave's area on the target.
  TRect GetBounds() const override { return Bounds(x0_, y0_, Width(), Height()); }
  void ResetClip() override;
  // Cut to the wave's area, kept here and passed to the target.
  void AddClipRect(const TRect& r) override;

  void Execute(const RasterOp& op) override;

 private:
  TCustomDIBX* target_ = nullptr;
  std::vector<int32_t> offsets_;
  int32_t x0_ = 0, y0_ = 0;
};

}  // namespace rivo

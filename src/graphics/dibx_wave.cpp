#include "graphics/dibx_wave.h"

#include <algorithm>

namespace rivo {

void TDIBXWave::SetSize(int32_t width, int32_t height, int32_t bit_count) {
  TCustomDIBX::SetSize(width, height, bit_count);
  offsets_.resize(static_cast<std::size_t>(std::max(height, 0)), 0);
}

int64_t TDIBXWave::ColorToPixel(int64_t color) const {
  return target_ ? target_->ColorToPixel(color) : TCustomDIBX::ColorToPixel(color);
}

void TDIBXWave::ResetClip() {
  TCustomDIBX::ResetClip();
  if (target_) target_->ResetClip();
}

void TDIBXWave::AddClipRect(const TRect& r) {
  TCustomDIBX::AddClipRect(r);
  if (target_) target_->AddClipRect(Intersect(r, GetBounds()));
}

void TDIBXWave::Execute(const RasterOp& op) {
  if (!target_ || offsets_.empty()) return;
  const bool had_clip = target_->HasClip();
  const TRect saved = target_->GetClipRect();
  TRect area = Intersect(saved, target_->GetBounds());
  if (HasClip()) area = Intersect(area, GetClipRect());
  const int32_t rows_end = static_cast<int32_t>(
      std::min<int64_t>(int64_t{y0_} + static_cast<int64_t>(offsets_.size()), INT32_MAX));
  const TRect extent = op.Extent();
  const int32_t top = std::max({extent.Top, area.Top, y0_});
  const int32_t bottom = std::min({extent.Bottom, area.Bottom, rows_end});
  const bool per_row = op.IsRegionOp();
  for (int32_t y = top; y < bottom;) {
    const int32_t offset = offsets_[static_cast<std::size_t>(y - y0_)];
    int32_t end = y + 1;
    while (!per_row && end < bottom && offsets_[static_cast<std::size_t>(end - y0_)] == offset) ++end;
    target_->SetClipRect({area.Left, y, area.Right, end});
    target_->Execute(op.MovedRight(offset));
    y = end;
  }
  if (had_clip) target_->SetClipRect(saved);
  else target_->ResetClip();
}

}  // namespace rivo

#include "graphics/wipe_mask.h"

#include <algorithm>
#include <cstring>

#include "graphics/bgrx_simd.h"
#include "graphics/row_kernels.h"

namespace rivo {

int32_t TWipeMask::ClampParam(int32_t index, int32_t value) const {
  return std::max(value, index == 0 ? 2 : 1);
}

int32_t TWipeMask::Slat() const { return std::max(P0(), 2); }
int32_t TWipeMask::Ramp() const { return std::max(P1(), 1); }

void TWipeMask::Prepare() {
  mask_rows_ = std::max(MaskHeight(), 1);
  mask_.SetSize(W(), mask_rows_, 8);
  mask_.Clear(0);
  mask_bits_ = mask_.Store().MutableBits();
  mask_pitch_ = mask_.Store().Pitch();
  last_phase_ = -1;
  PrepareMask();
}

void TWipeMask::FillMaskRect(TRect r, uint8_t value) {
  r = Intersect(r, TRect{0, 0, W(), mask_rows_});
  if (r.IsEmpty()) return;
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    std::memset(MaskRow(y) + r.Left, value, static_cast<std::size_t>(r.Width()));
}

bool TWipeMask::UpdateMask() {
  const int64_t phase = Phase();
  if (phase == last_phase_) return false;
  last_phase_ = phase;
  hard_edge_ = WriteMask(phase);
  return true;
}

void TWipeMask::Draw() {
  if (UpdateMask()) Compose();
}

// One pass over the three pictures and the mask, reading old as the screen
// is written. Hard edges take new where the mask is not 0 and old
// elsewhere; soft masks go through the surfaces' masked blend: 0 keeps old,
// 255 copies new, and m in between gives (new m + old (255 - m)) shr 8 in
// each byte.
void TWipeMask::Compose() {
  const BgrxKernelSet& kernels = BgrxKernels();
  const MaskRule copy_at_255{256, At255::kCopy};
  const TPixelSource o = old_.SourcePixels();
  const TPixelSource n = new_.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  const int32_t w = W();
  for (int32_t y = 0; y < H(); ++y) {
    const uint8_t* m = MaskRow(y % mask_rows_);
    const uint32_t* orow = o.Row<uint32_t>(y);
    const uint32_t* nrow = n.Row<uint32_t>(y);
    auto* drow = reinterpret_cast<uint32_t*>(bits + store.Pitch() * y);
    if (hard_edge_)
      kernels.select_onto(drow, orow, nrow, m, w);
    else
      kernels.mask_blend_onto(drow, orow, nrow, m, w, copy_at_255);
  }
}

}  // namespace rivo

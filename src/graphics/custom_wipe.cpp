#include "graphics/custom_wipe.h"

#include <algorithm>

namespace rivo {

TCustomWipe::TCustomWipe(TDIBX& dest, const TCustomDIBX& new_picture,
                         const TCustomDIBX& old_picture, const TWipeEnvironment& environment)
    : dest_(dest), new_(new_picture), old_(old_picture), environment_(environment) {}

void TCustomWipe::SetReverse(bool reverse) {
  reverse_ = reverse;
  prepared_ = false;
}

int32_t TCustomWipe::GetParam(int32_t index) const {
  return index == 0 ? p0_ : index == 1 ? p1_ : 0;
}

void TCustomWipe::SetParam(int32_t index, int32_t value) {
  if (index == 0) SetParams(ClampParam(0, value), p1_);
  if (index == 1) SetParams(p0_, ClampParam(1, value));
}

void TCustomWipe::SetParams(int32_t p0, int32_t p1) {
  p0_ = p0;
  p1_ = p1;
  prepared_ = false;
}

void TCustomWipe::SetMaskName(const std::string& name) {
  mask_name_ = name;
  prepared_ = false;
}

void TCustomWipe::SetDuration(int32_t ms) {
  duration_ = std::max(ms, 1);
  prepared_ = false;
}

void TCustomWipe::SetTime(int32_t ms) { time_ = std::max(ms, 0); }

void TCustomWipe::Init() {
  if (PicturesFit()) Prepare();
  prepared_ = true;
}

bool TCustomWipe::PicturesFit() {
  width_ = dest_.Width();
  height_ = dest_.Height();
  if (dest_.IsEmpty() || dest_.BitCount() != 32) return false;
  for (const TCustomDIBX* picture : {&new_, &old_}) {
    const TPixelSource p = picture->SourcePixels();
    if (!p.Valid() || p.bit_count != 32 || p.width != W() || p.height != H()) return false;
  }
  return true;
}

bool TCustomWipe::ShowsOldPicture() { return time_ < duration_ && PicturesFit() && DrawsOldPicture(); }

bool TCustomWipe::Step() {
  if (time_ >= duration_ || !PicturesFit()) return true;
  if (!prepared_) Init();
  dest_.AddClipRect(dest_.GetBounds());
  changed_ = dest_.GetBounds();
  Draw();
  return false;
}

}  // namespace rivo

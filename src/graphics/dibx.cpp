#include "graphics/dibx.h"

#include <algorithm>
#include <cstring>

#include "graphics/bmp_codec.h"

namespace rivo {

TDIBX::TDIBX() : owned_(std::make_unique<TDIBSurface>()), store_(owned_.get()) {
  store_->SetSize(1, 1, 32);
}

TDIBX::TDIBX(TDIBSurface& borrowed_store) : store_(&borrowed_store) {
  RecordSize(store_->Width(), store_->Height());
}

void TDIBX::SetSize(int32_t width, int32_t height, int32_t bit_count) {
  store_->SetSize(width, height, bit_count);
  RecordSize(store_->Width(), store_->Height());
}

void TDIBX::SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count) {
  store_->SetSizeForOverwrite(width, height, bit_count);
  RecordSize(store_->Width(), store_->Height());
}

void TDIBX::FreeImage() {
  store_->SetSize(8, 8, store_->EffectiveBitCount());
  RecordSize(0, 0);
}

int64_t TDIBX::ColorToPixel(int64_t color) const {
  if (color < 0) return -1;
  const auto c = static_cast<uint32_t>(color);
  switch (BitCount()) {
    case 15: case 16: case 24: case 32:
      return store_->Format().Pack(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    default:
      return color;
  }
}

void TDIBX::SetPixel(int32_t x, int32_t y, uint32_t value) {
  if (x < Width() && y < Height()) store_->WritePixel(x, y, BitCount() == 32 ? value & 0xFFFFFF : value);
}

void TDIBX::Clear(uint32_t value) {
  if (IsEmpty()) return;
  store_->FillRect(store_->GetBounds(), BitCount() == 32 ? value & 0xFFFFFF : value);
}

void TDIBX::Assign(const TCustomDIBX& source) {
  if (&source == this) return;
  const TPixelSource s = source.SourcePixels();
  if (s.Valid() && s.width == Width() && s.height == Height() && s.bit_count == BitCount() &&
      s.pitch == store_->Pitch()) {
    std::memcpy(store_->MutableBits(), s.bits, static_cast<std::size_t>(s.pitch) * s.height);
    return;
  }
  TCustomDIBX::Assign(source);
}

void TDIBX::Execute(const RasterOp& op) {
  if (IsEmpty()) return;
  TPixelTarget target;
  target.bits = store_->MutableBits();
  target.pitch = store_->Pitch();
  target.width = std::min(Width(), store_->Width());
  target.height = std::min(Height(), store_->Height());
  target.bit_count = BitCount();
  target.clip = Intersect(GetClipRect(), TRect{0, 0, target.width, target.height});
  ExecuteRasterOp(target, op);
}

void TDIBX::CopyFromPicture(const TDIB& picture) {
  TDIB converted = picture;
  converted.SetBitCount(BitCount());
  SetSize(picture.Width(), picture.Height(), BitCount());
  if (IsEmpty()) return;
  const auto bytes = static_cast<std::size_t>(store_->RowLength());
  for (int32_t y = 0; y < Height(); ++y) {
    uint8_t* row = store_->ScanLine(y);
    std::memcpy(row, converted.ScanLine(y), bytes);
    if (BitCount() == 32)  // the player's pixels keep their fourth byte 0
      for (int32_t x = 0; x < Width(); ++x) row[4 * x + 3] = 0;
  }
}

void TDIBX::LoadFromBitmap(std::string_view bytes, const std::string& name) {
  const TDIB picture = ReadBitmapFile(bytes, name);
  if (!picture.IsEmpty()) CopyFromPicture(picture);
}

std::string TDIBX::SaveToBitmap() const {
  if (IsEmpty()) return {};
  TDIB picture = *store_;
  picture.SetBitCount(24);
  return WriteBitmapFile(picture);
}

TPixelSource TDIBX::SourcePixels() const {
  if (IsEmpty()) return {};
  TPixelSource s;
  s.bits = store_->Bits();
  s.pitch = store_->Pitch();
  s.width = std::min(Width(), store_->Width());
  s.height = std::min(Height(), store_->Height());
  s.bit_count = BitCount();
  s.transparent = TransparentColor();
  return s;
}

}  // namespace rivo

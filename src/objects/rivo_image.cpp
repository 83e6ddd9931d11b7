#include "objects/rivo_image.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/rivo_base_list.h"

namespace rivo {

const PropertyAccessors& TRivoImage::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoCustomImage::ClassProperties();
    t.Add<&TRivoImage::GetSource, &TRivoImage::SetSource>(PR_SOURCE);
    t.Add<&TRivoImage::GetBrightness, &TRivoImage::SetBrightness>(PR_BRIGHTNESS);
    return t;
  }();
  return table;
}

void TRivoImage::DropPicture() {
  Invalidate();
  SetSurfaceOverride(nullptr);
  SetImageItem(nullptr);
  Surface.FreeImage();
}

void TRivoImage::ShowPicture() {
  DropPicture();
  if (!list_.IsEmpty()) {
    const TOrbaItemFrame& frame = list_.At(0).Frame();
    SetImageItem(&frame);
    if (brightness_ >= 255) SetSurfaceOverride(frame.surface.get());
    else MakeBrightnessCopy(*frame.surface, brightness_ - 255, Surface);
  }
  UpdateSize();
  Invalidate();
}

void TRivoImage::SetSource(std::string_view name) {
  ReleaseSurfaces();
  source_ = name;
  RestoreSurfaces();
}

void TRivoImage::SetBrightness(int32_t v) {
  v = std::clamp(v, 0, 255);
  if (v == brightness_) return;
  brightness_ = v;
  ShowPicture();
}

void TRivoImage::ReleaseSurfaces() {
  // The shown picture belongs to the entry about to go.
  DropPicture();
  list_.Clear();
}

void TRivoImage::RestoreSurfaces() {
  list_.Load(Owner(), *this, source_);
  ShowPicture();
}

void TRivoImage::SaveToStream(ByteWriter& out) const {
  TRivoCustomImage::SaveToStream(out);
  out.String(source_);
  out.I32(brightness_);
}

void TRivoImage::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoCustomImage::LoadFromStream(in, version);
  SetSource(in.String());
  SetBrightness(in.I32());
}

}  // namespace rivo

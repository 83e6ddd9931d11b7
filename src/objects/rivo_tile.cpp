#include "objects/rivo_tile.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_images.h"

namespace rivo {

const PropertyAccessors& TRivoTile::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoCustomImages::ClassProperties();
    t.Add<&TRivoTile::GetSource, &TRivoTile::SetSource>(PR_SOURCE);
    t.Get<&TRivoTile::GetRepeat>(PR_REPEAT);
    t.Add<&TRivoTile::GetScrollX, &TRivoTile::SetScrollX>(PR_SCROLLX);
    t.Add<&TRivoTile::GetScrollY, &TRivoTile::SetScrollY>(PR_SCROLLY);
    t.Add<&TRivoTile::GetDistanceX, &TRivoTile::SetDistanceX>(PR_DISTANCEX);
    t.Add<&TRivoTile::GetDistanceY, &TRivoTile::SetDistanceY>(PR_DISTANCEY);
    t.Data<&TRivoTile::OnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

void TRivoTile::LoadList() {
  if (IsLayeredImageName(source_)) list_.Load(Owner(), source_);
  else list_.Clear();
}

void TRivoTile::SetSource(std::string_view name) {
  DropPicture();
  source_ = name;
  LoadList();
  SetIndex(list_.IsEmpty() ? -1 : 0);
}

void TRivoTile::ReloadLists() { LoadList(); }

void TRivoTile::SetScrollX(int32_t v) {
  if (v != scroll_x_) Repaint([&] { scroll_x_ = v; });
}

void TRivoTile::SetScrollY(int32_t v) {
  if (v != scroll_y_) Repaint([&] { scroll_y_ = v; });
}

void TRivoTile::SetDistanceX(int32_t v) {
  if (v != distance_x_) Repaint([&] { distance_x_ = v; });
}

void TRivoTile::SetDistanceY(int32_t v) {
  if (v != distance_y_) Repaint([&] { distance_y_ = v; });
}

int32_t TRivoTile::AbsLeft() const {
  const int64_t own = HasMotion() ? GetMotionX() : GetLeft();
  return Low32(own + ParentOriginX());
}

int32_t TRivoTile::AbsTop() const {
  const int64_t own = HasMotion() ? GetMotionY() : GetTop();
  return Low32(own + ParentOriginY());
}

bool TRivoTile::PlainPattern(const TCustomDIBX* picture) const {
  return picture && !picture->IsEmpty() && AlphaCode() == 255 && GetWidth() > 0 && GetHeight() > 0 &&
         GetZoomX() == 256 && GetZoomY() == 256 && distance_x_ <= picture->Width() &&
         distance_y_ <= picture->Height() && !picture->HasTransparentColor() && !GetMask();
}

bool TRivoTile::FillsOpaquely() const {
  // A pattern of another depth than the screen's is not drawn at all.
  const TCustomDIBX* picture = GetSurface();
  return PlainPattern(picture) && picture->BitCount() == 32;
}

void TRivoTile::Draw(TCustomDIBX& target) {
  const TCustomDIBX* picture = GetSurface();
  const int32_t zoom_x = GetZoomX(), zoom_y = GetZoomY();
  const int32_t code = AlphaCode();
  const TRect area = Bounds(AbsLeft(), AbsTop(), GetWidth(), GetHeight());
  if (PlainPattern(picture)) {
    target.FillPattern(area, *picture, GetFlipV(), GetFlipH(), scroll_x_, scroll_y_);
  } else if (picture && !picture->IsEmpty() && code > 0 && GetWidth() > 0 && GetHeight() > 0 && zoom_x > 0 &&
             zoom_y > 0) {
    const TCustomDIBX* mask = GetMask();
    const int32_t pitch_x = distance_x_ >= picture->Width() ? distance_x_ : picture->Width();
    const int32_t pitch_y = distance_y_ >= picture->Height() ? distance_y_ : picture->Height();
    const bool keyed = picture->HasTransparentColor();
    if (pitch_x == picture->Width() && pitch_y == picture->Height()) {
      if (mask)
        target.FillPatternZoomMask(area, *picture, code, *mask, GetFlipV(), GetFlipH(), scroll_x_, scroll_y_, zoom_x,
                                   zoom_y);
      else
        target.FillPatternZoom(area, *picture, code, GetFlipV(), GetFlipH(), keyed, scroll_x_, scroll_y_, zoom_x,
                               zoom_y);
    } else {
      const TTileLayout layout{pitch_x, pitch_y, scroll_x_, scroll_y_, zoom_x, zoom_y};
      if (mask)
        target.TileStretchDrawMask(area, layout, code, *mask, GetFlipV(), GetFlipH(), picture->GetBounds(), *picture);
      else
        target.TileStretchDraw(area, layout, code, GetFlipV(), GetFlipH(), keyed, picture->GetBounds(), *picture);
    }
  }
  DrawChildren(target);
}

void TRivoTile::SaveToStream(ByteWriter& out) const {
  TRivoCustomImages::SaveToStream(out);
  out.I32(scroll_x_);
  out.I32(scroll_y_);
  out.String(source_);
  out.String(OnIdle);
  out.I32(distance_x_);
  out.I32(distance_y_);
}

void TRivoTile::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoCustomImages::LoadFromStream(in, version);
  scroll_x_ = in.I32();
  scroll_y_ = in.I32();
  SetSource(in.String());
  OnIdle = in.String();
  distance_x_ = in.I32();
  distance_y_ = in.I32();
  ApplySavedIndex();
}

}  // namespace rivo

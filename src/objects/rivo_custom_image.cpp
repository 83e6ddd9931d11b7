#include "objects/rivo_custom_image.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"
#include "objects/rivo_base_list.h"

namespace rivo {
namespace {

// A stored zoom: 0 keeps a frozen side, anything else below 1 is 1.
int32_t StoredZoom(int32_t zoom) { return zoom < 0 ? 1 : zoom; }

}  // namespace

const PropertyAccessors& TRivoCustomImage::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoCustomImage::GetZoomX, &TRivoCustomImage::SetZoomX>(PR_ZOOMX);
    t.Add<&TRivoCustomImage::GetZoomY, &TRivoCustomImage::SetZoomY>(PR_ZOOMY);
    t.Add<&TRivoCustomImage::GetAlpha, &TRivoCustomImage::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoCustomImage::GetAngle, &TRivoCustomImage::SetAngle>(PR_ANGLE);
    t.Add<&TRivoCustomImage::GetFlipH, &TRivoCustomImage::SetFlipH>(PR_FLIPH);
    t.Add<&TRivoCustomImage::GetFlipV, &TRivoCustomImage::SetFlipV>(PR_FLIPV);
    t.Add<&TRivoCustomImage::GetCaptureMask, &TRivoCustomImage::SetCaptureMask>(PR_CAPTUREMASK);
    t.Add<&TRivoControl::GetPosZoomed, &TRivoCustomImage::SetPosZoomedProp>(PR_POSZOOMED);
    t.Get<&TRivoCustomImage::GetOrigWidth>(PR_ORIGWIDTH);
    t.Get<&TRivoCustomImage::GetOrigHeight>(PR_ORIGHEIGHT);
    return t;
  }();
  return table;
}

// --- the picture

const TCustomDIBX* TRivoCustomImage::GetSurface() const {
  if (surface_override_) return surface_override_;
  return Surface.IsEmpty() ? nullptr : &Surface;
}

const TCustomDIBX* TRivoCustomImage::GetMask() const {
  const TOrbaItemFrame* item = item_override_ ? item_override_ : image_item_;
  return item ? item->mask.get() : nullptr;
}

int32_t TRivoCustomImage::GetOrigWidth() const {
  const TCustomDIBX* s = GetSurface();
  return s ? s->Width() : 0;
}

int32_t TRivoCustomImage::GetOrigHeight() const {
  const TCustomDIBX* s = GetSurface();
  return s ? s->Height() : 0;
}

// --- appearance

void TRivoCustomImage::SetAlpha(int32_t v) {
  if (v != alpha_) Repaint([&] { alpha_ = v; });
}

void TRivoCustomImage::SetZoomX(int32_t v) {
  v = v <= 0 ? 1 : v;
  if (v != zoom_x_) Repaint([&] { zoom_x_ = v; });
  MarkSizeDirty();
}

void TRivoCustomImage::SetZoomY(int32_t v) {
  v = v <= 0 ? 1 : v;
  if (v != zoom_y_) Repaint([&] { zoom_y_ = v; });
  MarkSizeDirty();
}

void TRivoCustomImage::SetAngle(int32_t v) {
  if (v != angle_) Repaint([&] { angle_ = v; });
}

void TRivoCustomImage::SetFlipH(bool v) {
  if (v != flip_h_) Repaint([&] { flip_h_ = v; });
  UpdateSize();
}

void TRivoCustomImage::SetFlipV(bool v) {
  if (v != flip_v_) Repaint([&] { flip_v_ = v; });
  UpdateSize();
}

void TRivoCustomImage::SetPosZoomedProp(bool v) {
  SetPosZoomed(v);
  MarkSizeDirty();
}

// --- size

void TRivoCustomImage::SetWidth(int32_t v) {
  zoom_x_ = 0;
  TRivoControl::SetWidth(v);
}

void TRivoCustomImage::SetHeight(int32_t v) {
  zoom_y_ = 0;
  TRivoControl::SetHeight(v);
}

void TRivoCustomImage::MarkSizeDirty() {
  SizeDirty = true;
  for (TRivoControl* child : Children())
    if (auto* image = dynamic_cast<TRivoCustomImage*>(child); image && image->GetPosZoomed()) image->MarkSizeDirty();
}

void TRivoCustomImage::UpdateSize() {
  if (HasMotion()) return;
  const TCustomDIBX* s = GetSurface();
  int32_t width = GetWidth(), height = GetHeight();
  auto side = [&](bool vertical, int32_t zoom, int32_t picture, int32_t& out) {
    if (zoom == 0) return;  // frozen by an explicit size
    int64_t start = 0, length = 0;
    out = ScaledSpan(vertical, start, length) ? Low32(length) : Low32(int64_t{picture} * zoom / 256);
  };
  side(false, zoom_x_, s ? s->Width() : 0, width);
  side(true, zoom_y_, s ? s->Height() : 0, height);
  SetBounds(GetLeft(), GetTop(), width, height);
}

// --- geometry

const TRivoCustomImage* TRivoCustomImage::ScaleParent(bool vertical, int64_t& scale) const {
  if (!GetPosZoomed() || HasMotion()) return nullptr;
  const auto* parent = dynamic_cast<const TRivoCustomImage*>(Parent());
  if (!parent) return nullptr;
  const TCustomDIBX* picture = parent->GetSurface();
  if (!picture || (vertical ? parent->zoom_y_ != zoom_y_ : parent->zoom_x_ != zoom_x_)) return nullptr;
  const int64_t shown = vertical ? parent->GetHeight() : parent->GetWidth();
  // A parent without size, or one so large that a picture pixel rounds to
  // nothing, has no scale to divide by: the ordinary rule places the child.
  if (shown <= 0) return nullptr;
  scale = Round(static_cast<long double>(vertical ? picture->Height() : picture->Width()) * 65536 / shown);
  return scale > 0 ? parent : nullptr;
}

bool TRivoCustomImage::ScaledSpan(bool vertical, int64_t& start, int64_t& length) const {
  int64_t scale = 0;
  if (!ScaleParent(vertical, scale)) return false;
  const TCustomDIBX* s = GetSurface();
  const int64_t size = s ? (vertical ? s->Height() : s->Width()) : 0;
  const int64_t position = vertical ? GetTop() : GetLeft();
  const int64_t offset = vertical ? GetOffsetY() : GetOffsetX();
  const bool flip = vertical ? flip_v_ : flip_h_;
  const int64_t edge = position - (flip ? size - offset - 1 : offset);
  auto to_base = [scale](int64_t v) {
    const int64_t n = v * 65536;
    return n / scale + (n % scale > 32767 ? 1 : 0);
  };
  start = to_base(edge);
  length = to_base(edge + size) - start;
  return true;
}

int32_t TRivoCustomImage::AbsLeft() const {
  int64_t start = 0, length = 0;
  if (!ScaledSpan(false, start, length)) return Low32(LocalLeftAt(zoom_x_, flip_h_) + ParentOriginX());
  return Low32(start + ParentOriginX() + GetPlusX());
}

int32_t TRivoCustomImage::AbsTop() const {
  int64_t start = 0, length = 0;
  if (!ScaledSpan(true, start, length)) return Low32(LocalTopAt(zoom_y_, flip_v_) + ParentOriginY());
  return Low32(start + ParentOriginY() + GetPlusY());
}

TRotation TRivoCustomImage::Rotation(const TCustomDIBX& picture) const {
  const int32_t sw = picture.Width(), sh = picture.Height();
  // A frozen side turns at the zoom its stretch amounts to.
  auto zoom = [](int32_t z, int32_t shown, int32_t size) {
    return z > 0 ? z : std::max<int32_t>(1, Low32(int64_t{shown} * 256 / std::max(size, 1)));
  };
  return {angle_, flip_h_ ? Low32(int64_t{sw} - GetOffsetX() - 1) : GetOffsetX(),
          flip_v_ ? Low32(int64_t{sh} - GetOffsetY() - 1) : GetOffsetY(), zoom(zoom_x_, GetWidth(), sw),
          zoom(zoom_y_, GetHeight(), sh)};
}

TRect TRivoCustomImage::GetScreenRect() const {
  const TCustomDIBX* picture = GetSurface();
  if (!IsTurned() || !picture) return TRivoControl::GetScreenRect();
  int32_t cx = 0, cy = 0;
  GetRefPoint(cx, cy);
  return RotatedBoundingBox(cx, cy, Rotation(*picture), picture->Width(), picture->Height());
}

bool TRivoCustomImage::PicturePixelAt(int32_t x, int32_t y, int32_t& px, int32_t& py) const {
  const TCustomDIBX* picture = GetSurface();
  if (!picture || picture->IsEmpty()) return false;
  const int64_t sw = picture->Width(), sh = picture->Height();
  int64_t column = 0, row = 0;
  if (IsTurned()) {
    const TRotation turn = Rotation(*picture);
    const TRotationSteps steps = RotationSteps(turn);
    int32_t cx = 0, cy = 0;
    GetRefPoint(cx, cy);
    const int64_t dx = int64_t{x} - cx, dy = int64_t{y} - cy;
    column = (int64_t{turn.pivot_x} * 65536 + dx * steps.row_x + dy * steps.column_x) >> 16;
    row = (int64_t{turn.pivot_y} * 65536 + dx * steps.row_y + dy * steps.column_y) >> 16;
  } else {
    const int64_t width = GetWidth(), height = GetHeight();
    const int64_t dx = int64_t{x} - AbsLeft(), dy = int64_t{y} - AbsTop();
    if (width < 1 || height < 1 || dx < 0 || dy < 0 || dx >= width || dy >= height) return false;
    // Through the real stretch, whatever the zoom says (0 after an explicit size).
    column = dx * sw / width;
    row = dy * sh / height;
  }
  if (column < 0 || row < 0 || column >= sw || row >= sh) return false;
  px = static_cast<int32_t>(flip_h_ ? sw - 1 - column : column);
  py = static_cast<int32_t>(flip_v_ ? sh - 1 - row : row);
  return true;
}

// --- drawing and hits

void TRivoCustomImage::Draw(TCustomDIBX& target) {
  const TCustomDIBX* picture = GetSurface();
  if (IsTurned()) {
    if (HasPicture(picture)) DrawTurned(target, *picture);
  } else {
    // Unturned, the picture covers exactly the control's rectangle, and the
    // children are cut to it: a control that misses the clip (a changed
    // rectangle elsewhere on the screen) has nothing to draw there but what
    // goes over its picture (a button's caption may reach beyond). Most
    // controls on the screen miss it, so this comes before anything else;
    // the rows alone often tell.
    const TRect clip = target.GetClipRect();
    const int32_t y = AbsTop();
    if (y >= clip.Bottom || WrapAdd(y, GetHeight()) <= clip.Top) return DrawOverPicture(target);
    const int32_t x = AbsLeft();
    if (x >= clip.Right || WrapAdd(x, GetWidth()) <= clip.Left) return DrawOverPicture(target);
    if (HasPicture(picture)) DrawPicture(target, *picture, x, y);
  }
  DrawOverPicture(target);
  DrawChildren(target);
}

bool TRivoCustomImage::FillsOpaquely() const {
  const TCustomDIBX* picture = GetSurface();
  return !IsTurned() && HasPicture(picture) && AlphaCode() == 255 && !GetMask() && !picture->HasTransparentColor() &&
         picture->BitCount() == 32 && picture->Width() == GetWidth() && picture->Height() == GetHeight() &&
         picture->FirstRects().empty();
}

void TRivoCustomImage::DrawTurned(TCustomDIBX& target, const TCustomDIBX& picture) {
  int32_t cx = 0, cy = 0;
  GetRefPoint(cx, cy);
  const TRotation turn = Rotation(picture);
  const TRect all = picture.GetBounds();
  if (const TCustomDIBX* mask = GetMask())
    target.DrawRotateMask(cx, cy, AlphaCode(), *mask, flip_v_, flip_h_, turn, all, picture);
  else
    target.DrawRotate(cx, cy, AlphaCode(), flip_v_, flip_h_, picture.HasTransparentColor(), turn, all, picture);
}

void TRivoCustomImage::DrawPicture(TCustomDIBX& target, const TCustomDIBX& picture, int32_t x, int32_t y) {
  const TCustomDIBX* mask = GetMask();
  const int32_t code = AlphaCode();
  const TRect all = picture.GetBounds();
  const bool keyed = picture.HasTransparentColor();
  if (picture.Width() == GetWidth() && picture.Height() == GetHeight()) {
    const std::vector<TRect>& opaque = picture.FirstRects();
    if (opaque.empty()) {
      TOrbaCollection::DrawPicture(picture, mask, target, x, y, code, flip_v_, flip_h_, all);
      return;
    }
    // Only the parts the frame lists hold pixels; each goes where the flips put it.
    for (const TRect& listed : opaque) {
      const TRect part = Intersect(listed, all);
      if (part.IsEmpty()) continue;
      const int32_t px = flip_h_ ? all.Right - part.Right : part.Left;
      const int32_t py = flip_v_ ? all.Bottom - part.Bottom : part.Top;
      TOrbaCollection::DrawPicture(picture, mask, target, WrapAdd(x, px), WrapAdd(y, py), code, flip_v_, flip_h_,
                                   part);
    }
    return;
  }
  const TRect dest = Bounds(x, y, GetWidth(), GetHeight());
  if (code > 255) {
    if (mask) target.StretchDrawAddMask(dest, picture, code - 256, *mask, flip_v_, flip_h_, all);
    else target.StretchDrawAdd(dest, picture, code - 256, flip_v_, flip_h_, keyed, all);
  } else if (mask) {
    target.StretchDrawMask(dest, picture, code, *mask, flip_v_, flip_h_, all);
  } else {
    target.StretchDraw(dest, picture, code, flip_v_, flip_h_, keyed, all);
  }
}

TRivoControl* TRivoCustomImage::HitTest(int32_t x, int32_t y, HitModes modes) {
  if (!IsVisible() || !GetScreenRect().Contains(x, y)) return nullptr;
  for (std::size_t i = Children().size(); i-- > 0;)
    if (TRivoControl* hit = Children()[i]->HitTest(x, y, modes)) return hit;
  if (!(modes & HitMode(GetIgnoreMouse()))) return nullptr;
  if (!GetSurface()) return this;  // no picture: a plain rectangle
  int32_t px = 0, py = 0;
  if (!PicturePixelAt(x, y, px, py)) return nullptr;
  if (const TCustomDIBX* mask = capture_mask_ ? GetMask() : nullptr) {
    // A mask smaller than the picture leaves the rest not hit.
    if (px >= mask->Width() || py >= mask->Height() || mask->GetPixel(px, py) <= 127) return nullptr;
  }
  return this;
}

bool TRivoCustomImage::Tick() {
  if (SizeDirty) {
    SizeDirty = false;
    UpdateSize();
    Invalidate();
  }
  return false;
}

// --- saving

void TRivoCustomImage::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  out.I32(alpha_);
  out.I32(zoom_x_);
  out.I32(angle_);
  out.Bool(flip_h_);
  out.Bool(flip_v_);
  out.Bool(capture_mask_);
  out.I32(zoom_y_);
}

void TRivoCustomImage::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  alpha_ = in.I32();
  zoom_x_ = StoredZoom(in.I32());
  angle_ = in.I32();
  flip_h_ = in.Bool();
  flip_v_ = in.Bool();
  capture_mask_ = in.Bool();
  zoom_y_ = version >= 104 ? StoredZoom(in.I32()) : zoom_x_;
}

}  // namespace rivo

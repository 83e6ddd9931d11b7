#include "objects/rivo_label.h"

#include <cmath>
#include <numbers>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "graphics/rotation.h"
#include "objects/rivo_base_list.h"
#include "text/default_faces.h"

namespace rivo {

TRivoLabel::TRivoLabel(TRivoBaseList& owner) : TRivoControl(owner) {
  style_.FontName = DefaultProportionalGothicFace();
}

const PropertyAccessors& TRivoLabel::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoLabel::GetText, &TRivoLabel::SetText>(PR_TEXT);
    t.Add<&TRivoLabel::GetFontName, &TRivoLabel::SetFontName>(PR_FONTNAME);
    t.Add<&TRivoLabel::GetFontHeight, &TRivoLabel::SetFontHeight>(PR_FONTHEIGHT);
    t.Add<&TRivoLabel::GetFontStyle, &TRivoLabel::SetFontStyle>(PR_FONTSTYLE);
    t.Add<&TRivoLabel::GetLineSpace, &TRivoLabel::SetLineSpace>(PR_LINESPACE);
    t.Add<&TRivoLabel::GetFontColor, &TRivoLabel::SetFontColor>(PR_FONTCOLOR);
    t.Add<&TRivoLabel::GetAntialias, &TRivoLabel::SetAntialias>(PR_ANTIALIAS);
    t.Add<&TRivoLabel::GetHAlign, &TRivoLabel::SetHAlign>(PR_HALIGN);
    t.Add<&TRivoLabel::GetAlpha, &TRivoLabel::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoLabel::GetZoomX, &TRivoLabel::SetZoomX>(PR_ZOOMX);
    t.Add<&TRivoLabel::GetZoomY, &TRivoLabel::SetZoomY>(PR_ZOOMY);
    t.Add<&TRivoLabel::GetAngle, &TRivoLabel::SetAngle>(PR_ANGLE);
    t.Add<&TRivoLabel::GetFlipH, &TRivoLabel::SetFlipH>(PR_FLIPH);
    t.Add<&TRivoLabel::GetFlipV, &TRivoLabel::SetFlipV>(PR_FLIPV);
    t.Add<&TRivoLabel::GetSource, &TRivoLabel::SetSource>(PR_SOURCE);
    t.Add<&TRivoLabel::GetRepeat, &TRivoLabel::SetRepeat>(PR_REPEAT);
    t.Add<&TRivoLabel::GetPaused, &TRivoLabel::SetPaused>(PR_PAUSED);
    t.Add<&TRivoLabel::GetAutoScrap, &TRivoLabel::SetAutoScrap>(PR_AUTOSCRAP);
    t.Data<&TRivoLabel::OnPlayEnd>(PR_ONPLAYEND);
    t.Add<&TRivoLabel::GetOnIdle, &TRivoLabel::SetOnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

void TRivoLabel::Relayout() {
  if (TFontPixelManager* glyphs = Owner().Glyphs())
    layout_.Layout(*glyphs, lines_, style_);
  else
    layout_.Clear();
  SetBounds(GetLeft(), GetTop(), static_cast<int32_t>(int64_t{layout_.TextWidth()} * zoom_x_ / 256),
            static_cast<int32_t>(int64_t{layout_.TextHeight()} * zoom_y_ / 256));
  Invalidate();
}

void TRivoLabel::SetText(std::string_view text) {
  lines_ = SplitLabelLines(std::string(text));
  Relayout();
}

void TRivoLabel::SetFontName(std::string_view name) {
  style_.FontName = name;
  Relayout();
}

void TRivoLabel::SetFontHeight(int32_t height) {
  style_.FontHeight = height;
  Relayout();
}

void TRivoLabel::SetFontStyle(int32_t style) {
  style_.FontStyle = static_cast<uint8_t>(style);
  Relayout();
}

void TRivoLabel::SetLineSpace(int32_t space) {
  style_.LineSpace = space;
  Relayout();
}

void TRivoLabel::SetFontColor(int32_t color) {
  style_.FontColor = color;
  Relayout();
}

void TRivoLabel::SetAntialias(bool on) {
  style_.Antialias = on;
  Relayout();
}

void TRivoLabel::SetHAlign(int32_t align) {
  style_.HAlign = align;
  Relayout();
}

void TRivoLabel::SetAlpha(int32_t alpha) {
  Repaint([&] { alpha_ = alpha; });
}

void TRivoLabel::SetZoomX(int32_t zoom) {
  zoom_x_ = zoom <= 0 ? 1 : zoom;
  Relayout();
}

void TRivoLabel::SetZoomY(int32_t zoom) {
  zoom_y_ = zoom <= 0 ? 1 : zoom;
  Relayout();
}

void TRivoLabel::SetAngle(int32_t angle) {
  Repaint([&] { angle_ = angle; });
}

void TRivoLabel::SetFlipH(bool on) {
  Repaint([&] { flip_h_ = on; });
}

void TRivoLabel::SetFlipV(bool on) {
  Repaint([&] { flip_v_ = on; });
}

TRect TRivoLabel::GetScreenRect() const {
  if (!IsTurned()) return TRivoControl::GetScreenRect();
  int32_t cx = 0, cy = 0;
  GetRefPoint(cx, cy);
  const TRotation turn{angle_, GetOffsetX(), GetOffsetY(), 256, 256};
  return RotatedBoundingBox(cx, cy, turn, GetWidth(), GetHeight());
}

bool TRivoLabel::ContainsTurned(int32_t x, int32_t y) const {
  int32_t cx = 0, cy = 0;
  GetRefPoint(cx, cy);
  // Turned back by the angle about the reference point, then placed in the
  // unturned rectangle, whose corner lies the offset before that point.
  const long double a = -angle_ * 2 * std::numbers::pi_v<long double> / 256;
  const long double dx = static_cast<long double>(x) - cx, dy = static_cast<long double>(y) - cy;
  const long double lx = dx * std::cos(a) - dy * std::sin(a) + GetOffsetX();
  const long double ly = dx * std::sin(a) + dy * std::cos(a) + GetOffsetY();
  return lx >= 0 && ly >= 0 && lx < GetWidth() && ly < GetHeight();
}

TRivoControl* TRivoLabel::HitTest(int32_t x, int32_t y, HitModes modes) {
  if (!IsTurned()) return TRivoControl::HitTest(x, y, modes);
  if (!IsVisible() || !ContainsTurned(x, y)) return nullptr;
  for (std::size_t i = Children().size(); i-- > 0;)
    if (TRivoControl* hit = Children()[i]->HitTest(x, y, modes)) return hit;
  return (modes & HitMode(GetIgnoreMouse())) ? this : nullptr;
}

void TRivoLabel::Draw(TCustomDIBX& target) {
  DrawText(target);
  DrawChildren(target);
}

void TRivoLabel::DrawText(TCustomDIBX& target) const {
  const TDIBX& colour = layout_.Colour();
  const TDIBX& coverage = layout_.Coverage();
  if (lines_.empty() || alpha_ <= 0 || layout_.TextWidth() == 0 || layout_.TextHeight() == 0) return;
  const TRect source = coverage.GetBounds();
  const int32_t alpha = std::min(alpha_, 255);
  if (!IsTurned()) {
    target.StretchDrawMask(Bounds(AbsLeft(), AbsTop(), GetWidth(), GetHeight()), colour, alpha, coverage,
                           flip_v_, flip_h_, source);
    return;
  }
  int32_t cx = 0, cy = 0;
  GetRefPoint(cx, cy);
  // The pivot in layer pixels: the reference offset undone by the zoom.
  const TRotation turn{angle_, static_cast<int32_t>(int64_t{GetOffsetX()} * 256 / zoom_x_),
                       static_cast<int32_t>(int64_t{GetOffsetY()} * 256 / zoom_y_), zoom_x_, zoom_y_};
  target.DrawRotateMask(cx, cy, alpha, coverage, flip_v_, flip_h_, turn, source, colour);
}

void TRivoLabel::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  out.String(style_.FontName);
  out.I32(style_.FontHeight);
  out.I32(style_.LineSpace);
  out.U8(style_.FontStyle);
  out.I32(alpha_);
  out.I32(style_.FontColor);
  out.U8(static_cast<uint8_t>(style_.HAlign));
  out.Bool(style_.Antialias);
  out.Bool(flip_h_);
  out.Bool(flip_v_);
  out.I32(angle_);
  out.I32(zoom_x_);
  out.String(GetText());
  out.String(on_idle_);
  out.String(source_);
  out.Bool(repeat_);
  out.Bool(auto_scrap_);
  out.String(OnPlayEnd);
  out.Bool(paused_);
  out.I32(zoom_y_);
}

void TRivoLabel::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  style_.FontName = in.String();
  style_.FontHeight = in.I32();
  style_.LineSpace = in.I32();
  style_.FontStyle = in.U8();
  alpha_ = in.I32();
  style_.FontColor = in.I32();
  style_.HAlign = in.U8();
  style_.Antialias = in.Bool();
  flip_h_ = in.Bool();
  flip_v_ = in.Bool();
  angle_ = in.I32();
  const int32_t zoom_x = in.I32();
  zoom_x_ = zoom_x <= 0 ? 1 : zoom_x;
  lines_ = SplitLabelLines(in.String());
  if (version >= 104) {
    on_idle_ = in.String();
    source_ = in.String();
    repeat_ = in.Bool();
    auto_scrap_ = in.Bool();
    OnPlayEnd = in.String();
    paused_ = in.Bool();
    const int32_t zoom_y = in.I32();
    zoom_y_ = zoom_y <= 0 ? 1 : zoom_y;
  } else {
    zoom_y_ = zoom_x_;
  }
  Relayout();
}

}  // namespace rivo

#include "objects/rivo_box.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"

namespace rivo {
namespace {

// A colour added with strength s counts each channel s/256.
int32_t ScaledColor(int32_t color, int32_t strength) {
  auto channel = [&](int shift) { return (((color >> shift) & 0xFF) * strength / 256) << shift; };
  return channel(0) | channel(8) | channel(16);
}

}  // namespace

const PropertyAccessors& TRivoBox::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoBox::GetSource, &TRivoBox::SetSource>(PR_SOURCE);
    t.Add<&TRivoBox::GetBorderWidth, &TRivoBox::SetBorderWidth>(PR_BORDERWIDTH);
    t.Add<&TRivoBox::GetBorderColor, &TRivoBox::SetBorderColor>(PR_BORDERCOLOR);
    t.Add<&TRivoBox::GetAlpha, &TRivoBox::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoBox::GetPaused, &TRivoBox::SetPaused>(PR_PAUSED);
    t.Add<&TRivoBox::GetRepeat, &TRivoBox::SetRepeat>(PR_REPEAT);
    t.Data<&TRivoBox::OnPlayEnd>(PR_ONPLAYEND);
    t.Data<&TRivoBox::AutoScrap>(PR_AUTOSCRAP);
    t.Data<&TRivoBox::OnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

void TRivoBox::SetBorderWidth(int32_t v) {
  if (v != border_width_) Repaint([&] { border_width_ = v; });
}

void TRivoBox::SetBorderColor(int32_t v) {
  if (v != border_color_) Repaint([&] { border_color_ = v; });
}

void TRivoBox::SetAlpha(int32_t v) {
  if (v != alpha_) Repaint([&] { alpha_ = v; });
}

// Only film files move a box; until films exist the name is kept for the save.
void TRivoBox::SetSource(std::string_view film) { source_ = film; }

void TRivoBox::Draw(TCustomDIBX& surface) {
  if (alpha_ >= 1 && alpha_ <= 511) {
    const TRect r = GetScreenRect();
    // A child over all of the box hides its fill and border.
    if (CoveringChild(Intersect(r, surface.GetClipRect())) < Children().size()) return DrawChildren(surface);
    auto fill = [&](const TRect& area, int32_t color) {
      if (alpha_ >= 256)
        surface.FillRectAdd(area, static_cast<uint32_t>(surface.ColorToPixel(ScaledColor(color, alpha_ - 256))));
      else if (alpha_ == 255)
        surface.FillRect(area, static_cast<uint32_t>(surface.ColorToPixel(color)));
      else
        surface.FillRectAlpha(area, static_cast<uint32_t>(surface.ColorToPixel(color)), alpha_);
    };
    if (border_width_ > 0) {
      if (border_color_ >= 0) {
        if (alpha_ >= 256)
          surface.FrameRectAdd(r, border_width_,
                               static_cast<uint32_t>(surface.ColorToPixel(ScaledColor(border_color_, alpha_ - 256))));
        else if (alpha_ == 255)
          surface.FrameRect(r, border_width_, static_cast<uint32_t>(surface.ColorToPixel(border_color_)));
        else
          surface.FrameRectAlpha(r, border_width_, alpha_, static_cast<uint32_t>(surface.ColorToPixel(border_color_)));
      }
      if (GetColor() >= 0)
        fill({WrapAdd(r.Left, border_width_), WrapAdd(r.Top, border_width_), WrapSub(r.Right, border_width_),
              WrapSub(r.Bottom, border_width_)},
             GetColor());
    } else if (GetColor() >= 0) {
      fill(r, GetColor());
    }
    DrawChildren(surface);
  }
}

void TRivoBox::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  out.I32(border_width_);
  out.I32(border_color_);
  out.I32(alpha_);
  out.String(OnIdle);
  out.String(source_);
  out.Bool(repeat_);
  out.Bool(AutoScrap);
  out.String(OnPlayEnd);
  out.Bool(paused_);
  out.Bool(GetAniPaused());
}

void TRivoBox::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  border_width_ = in.I32();
  border_color_ = in.I32();
  alpha_ = in.I32();
  if (version <= 103) return;
  OnIdle = in.String();
  SetSource(in.String());
  repeat_ = in.Bool();
  AutoScrap = in.Bool();
  OnPlayEnd = in.String();
  paused_ = in.Bool();
  SetAniPaused(in.Bool());
}

}  // namespace rivo

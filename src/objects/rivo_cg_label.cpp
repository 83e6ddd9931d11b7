#include "objects/rivo_cg_label.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"
#include "common/sjis.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_images.h"
#include "text/label_layout.h"

namespace rivo {
namespace {

// The characters of a CP932 text, a double-byte character as one.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = std::min(sjis::CharSize(text, i), text.size() - i);
    chars.push_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

}  // namespace

const PropertyAccessors& TRivoCGLabel::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    t.Add<&TRivoCGLabel::GetSource, &TRivoCGLabel::SetSource>(PR_SOURCE);
    t.Add<&TRivoCGLabel::GetText, &TRivoCGLabel::SetText>(PR_TEXT);
    t.Add<&TRivoCGLabel::GetMapText, &TRivoCGLabel::SetMapText>(PR_MAPTEXT);
    t.Add<&TRivoCGLabel::GetGlyphWidth, &TRivoCGLabel::SetGlyphWidth>(PR_GLYPHWIDTH);
    t.Add<&TRivoCGLabel::GetGlyphHeight, &TRivoCGLabel::SetGlyphHeight>(PR_GLYPHHEIGHT);
    t.Add<&TRivoCGLabel::GetLineSpace, &TRivoCGLabel::SetLineSpace>(PR_LINESPACE);
    t.Add<&TRivoCGLabel::GetHAlign, &TRivoCGLabel::SetHAlign>(PR_HALIGN);
    t.Add<&TRivoCGLabel::GetAlpha, &TRivoCGLabel::SetAlpha>(PR_ALPHA);
    t.Add<&TRivoCGLabel::GetPaused, &TRivoCGLabel::SetPaused>(PR_PAUSED);
    t.Get<&TRivoCGLabel::GetPlaying>(PR_PLAYING);
    t.Get<&TRivoCGLabel::GetOrigWidth>(PR_ORIGWIDTH);
    t.Get<&TRivoCGLabel::GetOrigHeight>(PR_ORIGHEIGHT);
    t.Data<&TRivoCGLabel::OnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

void TRivoCGLabel::LoadSheet() {
  if (IsLayeredImageName(source_)) sheet_.Load(Owner(), source_);
  else sheet_.Clear();
}

void TRivoCGLabel::SetSource(std::string_view name) {
  Invalidate();
  source_ = name;
  LoadSheet();
  Invalidate();
}

void TRivoCGLabel::Relayout() {
  const std::vector<std::string_view> map = Characters(map_text_);
  lines_.clear();
  int32_t longest = 0;
  for (const std::string& line : SplitLabelLines(text_)) {
    std::vector<int32_t>& cells = lines_.emplace_back();
    for (std::string_view c : Characters(line)) {
      auto found = std::find(map.begin(), map.end(), c);
      cells.push_back(found == map.end() ? -1 : static_cast<int32_t>(found - map.begin()));
    }
    longest = std::max(longest, static_cast<int32_t>(cells.size()));
  }
  const int64_t count = static_cast<int64_t>(lines_.size());
  const int64_t height = count == 0 ? 0 : count * glyph_height_ + int64_t{line_space_} * (count - 1);
  SetBounds(GetLeft(), GetTop(), Low32(int64_t{longest} * glyph_width_), Low32(height));
  Invalidate();
}

void TRivoCGLabel::SetText(std::string_view text) {
  text_ = text;
  Relayout();
}

void TRivoCGLabel::SetMapText(std::string_view text) {
  map_text_ = text;
  Relayout();
}

void TRivoCGLabel::SetGlyphWidth(int32_t v) {
  glyph_width_ = std::max(v, 1);
  Relayout();
}

void TRivoCGLabel::SetGlyphHeight(int32_t v) {
  glyph_height_ = std::max(v, 1);
  Relayout();
}

void TRivoCGLabel::SetLineSpace(int32_t v) {
  line_space_ = v;
  Relayout();
}

void TRivoCGLabel::SetHAlign(int32_t v) {
  if (v != h_align_) Repaint([&] { h_align_ = v; });
}

void TRivoCGLabel::SetAlpha(int32_t v) {
  if (v != alpha_) Repaint([&] { alpha_ = v; });
}

int32_t TRivoCGLabel::GetOrigWidth() const { return sheet_.Current() ? sheet_.Current()->Shown().Width() : 0; }
int32_t TRivoCGLabel::GetOrigHeight() const { return sheet_.Current() ? sheet_.Current()->Shown().Height() : 0; }

void TRivoCGLabel::Draw(TCustomDIBX& target) {
  const TRivoImageData* frame = sheet_.Current();
  if (frame && GetWidth() > 0 && GetHeight() > 0 && alpha_ > 0) {
    const TDIBX& sheet = frame->Shown();
    const int32_t per_row = sheet.Width() / glyph_width_;
    const int32_t cells = per_row < 1 ? 0 : sheet.Height() / glyph_height_ * per_row;
    const int32_t code = std::min(alpha_, 511);
    int64_t y = AbsTop();
    for (const std::vector<int32_t>& line : lines_) {
      const int64_t line_width = static_cast<int64_t>(line.size()) * glyph_width_;
      int64_t x = AbsLeft();
      if (h_align_ == 1) x += (GetWidth() - line_width) / 2;
      else if (h_align_ == 2) x += GetWidth() - line_width;
      for (int32_t cell : line) {
        // Only cells the sheet has: a map text longer than the sheet draws nothing for the rest.
        if (cell >= 0 && cell < cells) {
          const TRect source = Bounds(cell % per_row * glyph_width_, cell / per_row * glyph_height_, glyph_width_,
                                      glyph_height_);
          TOrbaCollection::DrawPicture(sheet, frame->Mask(), target, Low32(x), Low32(y), code, false, false, source);
        }
        x += glyph_width_;
      }
      y += int64_t{glyph_height_} + line_space_;
    }
  }
  DrawChildren(target);
}

bool TRivoCGLabel::Tick() {
  if (!GetAniPaused() && sheet_.Advance(Owner().FrameDeltaMs())) Invalidate();
  return false;
}

void TRivoCGLabel::ReleaseSurfaces() {
  Invalidate();
  sheet_.Clear();
}

void TRivoCGLabel::RestoreSurfaces() {
  LoadSheet();
  Invalidate();
}

void TRivoCGLabel::SaveToStream(ByteWriter& out) const {
  TRivoControl::SaveToStream(out);
  out.String(source_);
  out.String(text_);
  out.String(map_text_);
  out.I32(glyph_width_);
  out.I32(glyph_height_);
  out.I32(line_space_);
  out.Bool(paused_);
  out.U8(static_cast<uint8_t>(h_align_));
  out.I32(alpha_);
  out.String(OnIdle);
}

void TRivoCGLabel::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoControl::LoadFromStream(in, version);
  SetSource(in.String());
  text_ = in.String();
  map_text_ = in.String();
  glyph_width_ = std::max(in.I32(), 1);
  glyph_height_ = std::max(in.I32(), 1);
  line_space_ = in.I32();
  paused_ = in.Bool();
  h_align_ = in.U8();
  alpha_ = in.I32();
  if (version > 124) OnIdle = in.String();
  Relayout();
}

}  // namespace rivo

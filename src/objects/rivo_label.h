#pragma once
// TRivoLabel (type 9, made by the Caption command): a plain text of one or
// more lines in one font, drawn from the glyph cache into a colour layer
// and a coverage layer and shown through the coverage, zoomed, mirrored,
// with an opacity and turned about its reference point.

#include <string>
#include <vector>

#include "graphics/custom_dibx.h"
#include "objects/rivo_control.h"
#include "text/label_layout.h"

namespace rivo {

class TRivoLabel : public TRivoControl {
 public:
  explicit TRivoLabel(TRivoBaseList& owner);

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_LABEL; }
  bool IsPaused() const override { return paused_; }
  const std::string& IdlePage() const override { return on_idle_; }

  // PR_TEXT: the lines joined with CR LF; a final line break is dropped.
  std::string GetText() const { return JoinLabelLines(lines_); }
  void SetText(std::string_view text);
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& GetFontName() const { return style_.FontName; }
  void SetFontName(std::string_view name);
  int32_t GetFontHeight() const { return style_.FontHeight; }
  void SetFontHeight(int32_t height);
  int32_t GetFontStyle() const { return style_.FontStyle; }
  void SetFontStyle(int32_t style);
  int32_t GetLineSpace() const { return style_.LineSpace; }
  void SetLineSpace(int32_t space);
  int32_t GetFontColor() const { return style_.FontColor; }
  void SetFontColor(int32_t color);
  bool GetAntialias() const { return style_.Antialias; }
  void SetAntialias(bool on);
  int32_t GetHAlign() const { return style_.HAlign; }
  void SetHAlign(int32_t align);
  int32_t GetAlpha() const { return alpha_; }
  void SetAlpha(int32_t alpha);
  // 256 = 100 %; 0 or less reads 1.
  int32_t GetZoomX() const override { return zoom_x_; }
  void SetZoomX(int32_t zoom);
  int32_t GetZoomY() const override { return zoom_y_; }
  void SetZoomY(int32_t zoom);
  int32_t GetAngle() const { return angle_; }
  void SetAngle(int32_t angle);
  bool GetFlipH() const override { return flip_h_; }
  void SetFlipH(bool on);
  bool GetFlipV() const override { return flip_v_; }
  void SetFlipV(bool on);
  // The motion that moves the label is kept for the films.
  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view file) { source_ = file; }
  bool GetRepeat() const { return repeat_; }
  void SetRepeat(bool on) { repeat_ = on; }
  bool GetPaused() const { return paused_; }
  void SetPaused(bool on) { paused_ = on; }
  bool GetAutoScrap() const { return auto_scrap_; }
  void SetAutoScrap(bool on) { auto_scrap_ = on; }
  std::string OnPlayEnd;

  const std::string& GetOnIdle() const { return on_idle_; }
  void SetOnIdle(std::string_view page) { on_idle_ = page; }

  const TLabelLayout& Layout() const { return layout_; }
  // Rotated: the bounding box of the turned rectangle.
  TRect GetScreenRect() const override;
  // Rotated: the point is turned back about the reference point and tested
  // against the unturned rectangle.
  TRivoControl* HitTest(int32_t x, int32_t y, HitModes modes) override;
  // Draws the label onto a 32-bit surface in base coordinates, then its children.
  void Draw(TCustomDIBX& target) override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  bool IsTurned() const { return (angle_ & 0xFF) != 0; }
  // The text alone, through its coverage layer.
  void DrawText(TCustomDIBX& target) const;
  bool ContainsTurned(int32_t x, int32_t y) const;
  // Measures and renders the text again and sizes the control to it.
  void Relayout();

  std::vector<std::string> lines_;
  TLabelStyle style_;
  int32_t alpha_ = 255;
  int32_t zoom_x_ = 256, zoom_y_ = 256;
  int32_t angle_ = 0;
  bool flip_h_ = false, flip_v_ = false;
  std::string source_;
  bool repeat_ = false;
  bool paused_ = false;
  bool auto_scrap_ = false;
  std::string on_idle_;
  TLabelLayout layout_;
};

}  // namespace rivo

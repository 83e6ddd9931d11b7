#pragma once
// TRivoCGLabel (LT_CGLABEL, made by CGCaption): a text written with the
// cells of a glyph sheet, a layered image cut into cells of GlyphWidth x
// GlyphHeight. Each character of the text is looked up in PR_MAPTEXT; its
// position there is the cell it shows (a character missing from it leaves
// a gap). The sheet's frames animate and loop.

#include <cstdint>
#include <string>
#include <vector>

#include "objects/rivo_control.h"
#include "objects/rivo_image_list.h"

namespace rivo {

class TRivoCGLabel : public TRivoControl {
 public:
  explicit TRivoCGLabel(TRivoBaseList& owner) : TRivoControl(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_CGLABEL; }
  bool IsPaused() const override { return paused_; }
  const std::string& IdlePage() const override { return OnIdle; }

  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view name);
  const std::string& GetText() const { return text_; }
  void SetText(std::string_view text);
  const std::string& GetMapText() const { return map_text_; }
  void SetMapText(std::string_view text);
  // At least 1.
  int32_t GetGlyphWidth() const { return glyph_width_; }
  void SetGlyphWidth(int32_t v);
  int32_t GetGlyphHeight() const { return glyph_height_; }
  void SetGlyphHeight(int32_t v);
  int32_t GetLineSpace() const { return line_space_; }
  void SetLineSpace(int32_t v);
  // 0 left, 1 centre, 2 right.
  int32_t GetHAlign() const { return h_align_; }
  void SetHAlign(int32_t v);
  int32_t GetAlpha() const { return alpha_; }
  void SetAlpha(int32_t v);
  bool GetPaused() const { return paused_; }
  void SetPaused(bool v) { paused_ = v; }
  bool GetPlaying() const { return !paused_; }
  // The sheet's size.
  int32_t GetOrigWidth() const;
  int32_t GetOrigHeight() const;
  std::string OnIdle;

  // The cell of each character, line by line (-1: not in the map text).
  const std::vector<std::vector<int32_t>>& GlyphLines() const { return lines_; }

  void Draw(TCustomDIBX& target) override;
  bool Tick() override;
  void ReleaseSurfaces() override;
  void RestoreSurfaces() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  // Looks the characters up again and sizes the control to the lines.
  void Relayout();
  void LoadSheet();

  std::string source_, text_, map_text_;
  int32_t glyph_width_ = 1, glyph_height_ = 1;
  int32_t line_space_ = 0;
  int32_t h_align_ = 0;
  int32_t alpha_ = 255;
  bool paused_ = false;
  TRivoImageList sheet_;
  std::vector<std::vector<int32_t>> lines_;
};

}  // namespace rivo

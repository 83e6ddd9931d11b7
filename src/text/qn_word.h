#pragma once
// TQnWord: a piece of text as a flat list of glyphs, with the table of
// character styles they share. It is compiled from tagged text (ParseText)
// or read from the stored form that pages carry (LoadGlyphs), and written
// back to that form (SaveGlyphs).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/decorate.h"
#include "text/default_faces.h"
#include "common/encoding.h"
#include "graphics/dibx.h"
#include "graphics/rect.h"
#include "text/glyphs.h"
#include "text/word_page.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TFontPixelManager;
class TParamCollection;

// Stored glyph lists: "QnWord" and three digits, then the layout of that
// version. 102 is the newest; lists without the header are version 0.
constexpr int32_t kNewestGlyphVersion = 102;

// The error of a link without a target.
constexpr const char* kNoHrefMessage = "<A>タグにHREF値がありません";

class TQnWord {
 public:
  TQnWord() = default;
  TQnWord(const TQnWord&) = delete;
  TQnWord& operator=(const TQnWord&) = delete;
  TQnWord(TQnWord&&) = default;  // glyphs, styles and layers stay where they are
  TQnWord& operator=(TQnWord&&) = default;

  // Replaces the glyphs by the compilation of the markup text (CP932; its
  // lines split at CR, LF or CR LF). text_delay is the typing delay of
  // glyphs outside any WAIT (the value of "@TextDelay"). A link without a
  // target raises RivoError; the word is then left empty.
  void ParseText(std::string_view text, int32_t text_delay);
  void ParseText(const std::vector<std::string>& lines, int32_t text_delay);

  // Appends the stored glyph list read from in (callers clear the word
  // first). Damage raises LoadError; the glyphs read before it stay.
  void LoadGlyphs(ByteReader& in);
  // Writes the glyphs and the whole style table in the layout of version
  // (0 writes no header). The newest layout is what pages carry; the older
  // ones exist for tests.
  void SaveGlyphs(ByteWriter& out, int32_t version = kNewestGlyphVersion) const;

  void Clear();

  int32_t Count() const { return static_cast<int32_t>(glyphs_.size()); }
  TWdGlyph& operator[](int32_t index) const { return *glyphs_[static_cast<std::size_t>(index)]; }
  TDecorateList& Decorations() { return decorations_; }
  const TDecorateList& Decorations() const { return decorations_; }
  void Append(std::unique_ptr<TWdGlyph> glyph) { glyphs_.push_back(std::move(glyph)); }

  // Recorded variable values, one "name=value" each (a line break of a
  // value as byte 0x01). While there are any, variables take their text
  // from here instead of being evaluated.
  std::vector<std::string> VarValues;
  // The values as a page records them: lines joined by CR LF.
  void SetVarValues(std::string_view recorded);
  // Where variables are evaluated (not owned; nullptr: they show nothing).
  TParamCollection* Variables = nullptr;
  // Where the pictures of IMG glyphs come from (not owned; nullptr: none).
  InlineImageSource* Images = nullptr;

  // Variables (word_vars.cpp). Between two glyph indexes (last < 0 or past
  // the end: to the end), each VAR glyph gets the glyphs of its text right
  // after it, or loses them. Pages laid out over those glyphs must be freed
  // before collapsing.
  void ExpandVars(int32_t first = 0, int32_t last = -1);
  void CollapseVars(int32_t first = 0, int32_t last = -1);
  // Fills the page's RecordedValues from the variables shown on it.
  void RecordVarValues(TWdPage& page) const;

  // Appends copies of the stored glyphs of source from source position
  // first to last (last < 0: to the end); their styles are interned in
  // this word's table.
  void CopyGlyphs(const TQnWord& source, int32_t first = 0, int32_t last = -1);

  // Settings of the text area (the message window maps its properties here).
  int32_t FontHeight = 12;
  std::string FontName = DefaultGothicFace();
  int32_t FontColor = 0;
  int32_t LinkColor = 0xFF0000;
  int32_t HoverColor = 0x008000;
  int32_t BorderColor = 0x808080;
  int32_t ShadowColor = 0;
  int32_t BorderWidth = 0;
  int32_t ShadowOffset = 0;
  int32_t LineSpace = 0;
  int32_t WrapWidth = 0;  // 0: no wrapping; the layout sets the widest row
  int32_t PageHeight = 0;
  uint8_t Paging = 1;
  int32_t FadeTime = 1;
  int32_t TextDelayRate = 0;  // 256: the glyphs' own delays
  int32_t AntialiasLevel = 3;
  int32_t Alpha = 255;
  uint8_t Paused = 0;
  uint8_t EventsEnabled = 0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  int32_t CaretX = 0;
  int32_t CaretY = 0;
  int32_t CaretHeight = 0;
  std::vector<TRect> DirtyRects;
  std::function<void(const std::string&)> OnEvent;

  // Layout (word_layout.cpp).
  // Whether a row may end between two glyphs.
  static bool CanBreak(const TWdGlyph& previous, const TWdGlyph& next);
  struct Unit {
    int32_t width = 0;
    int32_t count = 0;
  };
  // The unbreakable unit starting at glyph index, not reaching end.
  Unit MeasureUnit(int32_t index, int32_t end) const;
  // Lays out the glyphs from first to the one at source position last
  // (last < 0: to the end) and appends the pages made.
  void Layout(TWdPages& pages, int32_t first = 0, int32_t last = -1);
  int32_t GlyphToPosition(int32_t index) const;
  int32_t PositionToGlyph(int32_t position) const;

  // Typing (word_typing.cpp).
  struct StepResult {
    bool done = false;  // the page has just been fully revealed
    std::string typed;  // characters revealed in this step, "*" per image
  };
  // One tick of typing; elapsed_ms is the time since the previous tick.
  StepResult TypeStep(TWdPage& page, int32_t elapsed_ms);
  void RewindPage(TWdPage& page) const;
  void ResetTiming(TWdPage& page) const;
  void ResetPage(TWdPage& page);
  // Whether the page still reveals or fades glyphs.
  bool StillTyping(const TWdPage& page) const;
  // The settings record of saved windows (word_settings.cpp); version is
  // the save's version, older saves lacking the shadow and border fields.
  void SaveSettings(ByteWriter& out) const;
  void LoadSettings(ByteReader& in, int32_t version);

  // Links (word_links.cpp). x and y are surface coordinates.
  // The glyph under a point: a fully shown glyph of the row there, else an
  // image whose box holds the point.
  TWdReal* HitTest(const TWdPage& page, int32_t x, int32_t y) const;
  // Lights the link run under the point (none for negative coordinates),
  // adding the rectangles that change to DirtyRects.
  void SetHover(TWdPage& page, int32_t x, int32_t y);
  // The characters of the lit link run.
  std::string HoveredLinkText(const TWdPage& page) const;

  // A glyph's rectangle on the drawing surface.
  TRect AbsoluteRect(const TWdGlyph& glyph) const;

  // Rendering (word_render.cpp). Characters are drawn once into the two
  // layers (colour and coverage, page-sized) and copied to Surface by
  // DrawPage as they are revealed.
  TFontPixelManager* Glyphs = nullptr;  // the glyph cache (not owned)
  TCustomDIBX* Surface = nullptr;       // what DrawPage draws onto (not owned)
  TRect ClipRect;
  TDIBX& ColorLayer() { return layers_->color; }
  TDIBX& CoverageLayer() { return layers_->coverage; }
  // Set when a display change took the layers: nothing is rendered until
  // the owner restores them.
  bool LayersLost = false;
  // Renders every glyph of the page; with reset_alpha they all become
  // transparent first.
  void Render(TWdPage& page, bool reset_alpha);
  void DrawPage(const TWdPage& page);

  // Typing state of a page as saved windows carry it (word_page_state.cpp).
  void SavePageState(const TWdPage& page, ByteWriter& out) const;
  // Reads what in holds of one page's state. A record cut short leaves the
  // rest of the page unrevealed; the position is kept within the page.
  void LoadPageState(TWdPage& page, ByteReader& in);

 private:
  void Compile(std::string_view joined, int32_t text_delay);
  void Measure(TWdGlyph& glyph) const;
  void Invalidate(const TWdGlyph& glyph);
  // What a change of a revealed glyph's opacity changes on the surface.
  void InvalidateShown(const TWdReal& glyph);
  void MoveCaret(const TWdPage& page, const TWdGlyph& revealed);
  std::string RecordedValue(const std::string& name) const;
  std::string VarText(TWdOpeVar& var) const;
  int32_t RangeEnd(int32_t last) const;
  void RemoveGenerated(int32_t index);
  // Renders the glyphs whose cells meet area (layer coordinates) again,
  // within area only.
  void RenderArea(TWdPage& page, const TRect& area);
  void RenderChar(TWdChar& glyph, const TWdGlyph* previous, const TWdGlyph* next);
  void DrawImage(const TWdImg& img, const TRect& area);
  // The text colour of a character (COLORREF).
  int32_t TextColor(const TWdChar& glyph) const;
  // A character's size, border and shadow after the word's defaults.
  struct Look {
    int32_t size, border, shadow, border_color, shadow_color;
    bool Joins(const Look& o) const {
      return border == o.border && shadow == o.shadow && border_color == o.border_color &&
             shadow_color == o.shadow_color;
    }
  };
  Look LookOf(const TWdChar& glyph) const;

  std::vector<std::unique_ptr<TWdGlyph>> glyphs_;
  TDecorateList decorations_;
  struct Layers {
    TDIBX color;     // 32 bits
    TDIBX coverage;  // 8 bits
  };
  std::unique_ptr<Layers> layers_ = std::make_unique<Layers>();
};

}  // namespace rivo

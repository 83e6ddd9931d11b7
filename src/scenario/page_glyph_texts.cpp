#include "scenario/page_glyph_texts.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <tuple>

#include "common/byte_reader.h"
#include "common/sjis.h"
#include "scenario/command_codes.h"
#include "scenario/component_commands.h"
#include "scenario/page.h"
#include "scenario/string_constants.h"
#include "scenario/text_commands.h"
#include "script/custom_param.h"
#include "script/param_kind.h"
#include "text/decorate.h"
#include "text/default_faces.h"
#include "text/glyphs.h"
#include "text/layer_limits.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

constexpr int32_t kDefaultHeight = 12;


// What objects start with, by the command that creates them: labels and
// button captions draw in ＭＳ Ｐゴシック, message windows in ＭＳ ゴシック,
// all at height 12; message windows and buttons antialias, labels do not.
// Other kinds are guessed at, likeliest first.
struct Defaults {
  std::vector<std::string> faces;
  std::vector<int32_t> levels;
};
Defaults DefaultsOf(uint8_t command_code) {
  switch (command_code) {
    case CC_CAPTION: return {{DefaultProportionalGothicFace()}, {0}};
    case CC_BUTTON: return {{DefaultProportionalGothicFace()}, {3}};
    case CC_MESNEW: return {{DefaultGothicFace()}, {3}};
    default: return {{DefaultProportionalGothicFace(), DefaultGothicFace()}, {3, 0}};
  }
}

// The value of an expression that is a constant, or nullptr.
const TCustomParam* ConstantOf(const std::unique_ptr<TRivoParser>& slot) { return slot ? slot->Constant() : nullptr; }

bool HasFontSlot(const PropertySlots& slots) {
  return slots[PR_FONTNAME] || slots[PR_FONTHEIGHT] || slots[PR_FONTSTYLE] || slots[PR_ANTIALIAS];
}

// The fonts a creation may give its object: what it sets as constants, the
// defaults for the rest.
std::vector<GlyphFont> CreationFonts(const PropertySlots& slots, const Defaults& defaults) {
  std::vector<std::string> faces = defaults.faces;
  if (const TCustomParam* name = ConstantOf(slots[PR_FONTNAME]); name && !name->AsStr().empty())
    faces = {name->AsStr()};
  int32_t height = kDefaultHeight;
  if (const TCustomParam* value = ConstantOf(slots[PR_FONTHEIGHT])) height = ClampLabelFontHeight(value->AsInt());
  uint8_t style = 0;
  if (const TCustomParam* value = ConstantOf(slots[PR_FONTSTYLE])) style = static_cast<uint8_t>(value->AsInt());
  std::vector<int32_t> levels = defaults.levels;
  if (const TCustomParam* value = ConstantOf(slots[PR_ANTIALIAS])) levels = {value->AsBool() ? 3 : 0};
  std::vector<GlyphFont> fonts;
  for (int32_t level : levels)
    for (const std::string& face : faces) fonts.push_back({face, height, style, level});
  return fonts;
}

// Collects codes once each, up to the page's limit.
class Codes {
 public:
  explicit Codes(std::size_t& budget) : budget_(budget) {}
  void Add(std::vector<uint16_t>& into, uint16_t code) {
    if (budget_ == 0 || code < 0x20 || !seen_.insert(code).second) return;
    into.push_back(code);
    --budget_;
  }
  void AddText(std::vector<uint16_t>& into, std::string_view text) {
    for (uint16_t code : sjis::CharCodes(text)) Add(into, code);
  }

 private:
  std::size_t& budget_;
  std::set<uint16_t> seen_;
};

class Finder {
 public:
  explicit Finder(PageGlyphTexts& found) : found_(found), others_(budget_) {}

  void Component(TComComponent& command) {
    const std::unique_ptr<TRivoParser>& text_slot = command.Properties[PR_TEXT];
    if (const TCustomParam* text = ConstantOf(text_slot); text && text->GetKind() == PT_STR) {
      PageGlyphTexts::Caption caption;
      Codes codes(budget_);
      codes.AddText(caption.codes, text->AsStr());
      if (caption.codes.empty()) return;
      caption.fonts = CreationFonts(command.Properties, DefaultsOf(command.GetType()));
      found_.captions.push_back(std::move(caption));
      return;
    }
    if (text_slot) AddFonts(found_.computed, command);
    if (HasFontSlot(command.Properties)) AddFonts(found_.windows, command);
  }

  void Message(const TComTextIns& command) {
    TQnWord word;
    try {
      ByteReader in(command.Text, "TextIns");
      word.LoadGlyphs(in);
    } catch (const std::exception&) {
      // The glyphs read before the damage are still worth having.
    }
    for (int32_t i = 0; i < word.Count(); ++i) {
      if (word[i].Kind() != GK_CHAR) continue;
      const auto& glyph = static_cast<const TWdChar&>(word[i]);
      static const TDecorate kPlain;
      const TDecorate& d = glyph.Decoration ? *glyph.Decoration : kPlain;
      const uint8_t style = static_cast<uint8_t>(d.Style | (glyph.Link.empty() ? 0 : FS_UNDERLINE));
      RunOf(d.FontName, d.Size, style, false).Add(glyph.Code);
      if (!d.Ruby.empty()) {
        Run& ruby = RunOf(d.FontName, d.Size, d.Style & (FS_BOLD | FS_ITALIC), true);
        for (uint16_t code : sjis::CharCodes(d.Ruby)) ruby.Add(code);
      }
    }
  }

  void Other(std::string_view text) { others_.AddText(found_.others, text); }

  void Finish() {
    for (auto& [key, run] : runs_)
      if (!run.run.codes.empty()) found_.messages.push_back(std::move(run.run));
  }

 private:
  struct Run {
    Run(PageGlyphTexts::MessageRun r, std::size_t& budget) : run(std::move(r)), codes(budget) {}
    void Add(uint16_t code) { codes.Add(run.codes, code); }
    PageGlyphTexts::MessageRun run;
    Codes codes;
  };

  static void AddFonts(std::vector<GlyphFont>& into, const TComComponent& command) {
    for (GlyphFont& font : CreationFonts(command.Properties, DefaultsOf(command.GetType())))
      if (std::find(into.begin(), into.end(), font) == into.end()) into.push_back(std::move(font));
  }

  Run& RunOf(const std::string& face, int32_t size, uint8_t style, bool ruby) {
    auto key = std::make_tuple(face, size, style, ruby);
    auto it = runs_.find(key);
    if (it == runs_.end())
      it = runs_.emplace(key, Run{{face, size, style, ruby, {}}, budget_}).first;
    return it->second;
  }

  PageGlyphTexts& found_;
  std::size_t budget_ = kMaxPageGlyphCodes;
  Codes others_;
  std::map<std::tuple<std::string, int32_t, uint8_t, bool>, Run> runs_;
};

}  // namespace

GlyphFont PageGlyphTexts::RunFont(const MessageRun& run, const GlyphFont& window) {
  const int32_t size = std::clamp(run.size != 0 ? run.size : window.size, 1, kMaxFontSize);
  return {run.face.empty() ? window.face : run.face, run.ruby ? std::max(1, size / 2) : size, run.style,
          window.level};
}

PageGlyphTexts FindPageGlyphTexts(TPage& page) {
  PageGlyphTexts found;
  Finder finder(found);
  for (int32_t i = 0; i < page.Count(); ++i) {
    TCommand& command = page[i];
    if (auto* component = dynamic_cast<TComComponent*>(&command)) finder.Component(*component);
    if (auto* message = dynamic_cast<TComTextIns*>(&command)) finder.Message(*message);
    ForEachStringConstant(command, page.Version, [&](std::string_view text) { finder.Other(text); });
  }
  finder.Finish();
  return found;
}

}  // namespace rivo

// The tag pass: tokens become glyphs under the style state of TTagValList.

#include "text/qn_word.h"

#include <algorithm>

#include "common/error.h"
#include "common/sjis.h"
#include "text/tag.h"
#include "text/tag_val_list.h"
#include "text/token_pass.h"

namespace rivo {
namespace {

// Sizes from the text are bounded (see decorate.h); 0 or less is the
// window's size.
int32_t BoundedSize(int32_t size) { return size <= 0 ? 0 : std::min(size, kMaxFontSize); }

// BORDER and SHADOW: absent keeps the enclosing value, present without a
// number is 1, negative is 0.
int32_t WidthAttr(const TTag& tag, std::string_view name, int32_t enclosing, int32_t limit) {
  if (!tag.HasAttr(name)) return enclosing;
  return std::clamp(tag.GetIntAttr(name, 1), 0, limit);
}

class TagPass {
 public:
  TagPass(TQnWord& word, int32_t text_delay) : word_(word), state_(text_delay) {}

  void Token(std::string_view token) {
    tag_.Parse(token);
    switch (tag_.TagCode()) {
      case TC_TEXT: return Characters(token);
      case TC_A: {
        std::string href = UnescapeAttrValue(tag_.GetAttr("HREF", ""));
        if (href.empty()) throw RivoError(kNoHrefMessage);
        state_.Link = std::move(href);
        return;
      }
      case TC_A_END: return state_.Link.clear();
      case TC_B: return SetStyle(FS_BOLD, true);
      case TC_B_END: return SetStyle(FS_BOLD, false);
      case TC_I: return SetStyle(FS_ITALIC, true);
      case TC_I_END: return SetStyle(FS_ITALIC, false);
      case TC_U: return SetStyle(FS_UNDERLINE, true);
      case TC_U_END: return SetStyle(FS_UNDERLINE, false);
      case TC_S: return SetStyle(FS_STRIKEOUT, true);
      case TC_S_END: return SetStyle(FS_STRIKEOUT, false);
      case TC_FONT: return Font();
      case TC_FONT_END:
        state_.Size.Pop();
        state_.Color.Pop();
        state_.BColor.Pop();
        state_.SColor.Pop();
        state_.FontName.Pop();
        state_.Border.Pop();
        state_.Shadow.Pop();
        return StyleChanged();
      case TC_NOBR: return SetNoBreak(1);
      case TC_NOBR_END: return SetNoBreak(0);
      case TC_RUBY:
        state_.Ruby = tag_.GetAttr("VALUE", "");
        return StyleChanged();
      case TC_RUBY_END:
        state_.Ruby.clear();
        return StyleChanged();
      case TC_DIV:
        state_.Align.Push(tag_.GetAlignAttr(AL_LEFT, AL_CENTER, AL_LEFT));
        return AddAlign();
      case TC_DIV_END:
        state_.Align.Pop();
        return AddAlign();
      case TC_INDENT: return word_.Append(std::make_unique<TWdOpeIndent>());
      case TC_UNDENT: return word_.Append(std::make_unique<TWdOpeUndent>());
      case TC_BR: return AddReturn(tag_.HasAttr("CLEAR"));
      case TC_CLEAR: return AddReturn(true);
      case TC_EVENT: {
        auto event = std::make_unique<TWdOpeEvent>();
        event->Value = UnescapeAttrValue(tag_.GetAttr("VALUE", ""));
        event->End = tag_.HasAttr("END");
        return word_.Append(std::move(event));
      }
      case TC_WAIT: return state_.Wait.Push(tag_.GetIntAttr("VALUE", state_.Wait.Top()));
      case TC_WAIT_END: return state_.Wait.Pop();
      case TC_VAR: return Var();
      case TC_IMG: return Image();
      default: return;  // outside the table, comments
    }
  }

 private:
  void Characters(std::string_view token) {
    // A lead byte that ends the token is a character of its own: the next
    // byte belongs to another token.
    for (std::size_t i = 0; i < token.size();) {
      std::size_t size = sjis::CharSize(token, i);
      auto glyph = std::make_unique<TWdChar>();
      uint8_t first = static_cast<uint8_t>(token[i]);
      glyph->Code = size == 2 ? static_cast<uint16_t>(first << 8 | static_cast<uint8_t>(token[i + 1])) : first;
      glyph->Decoration = Decoration();
      glyph->Link = state_.Link;
      glyph->Wait = state_.Wait.Top();
      word_.Append(std::move(glyph));
      i += size;
    }
  }

  // The record of the current style; looked up once per change of style.
  TDecorate* Decoration() {
    if (current_) {
      ++current_->RefCount;
      return current_;
    }
    TDecorate style;
    style.Size = state_.Size.Top();
    style.Color = state_.Color.Top();
    style.BColor = state_.BColor.Top();
    style.SColor = state_.SColor.Top();
    style.FontName = state_.FontName.Top();
    style.Border = state_.Border.Top();
    style.Shadow = state_.Shadow.Top();
    style.Style = state_.Style;
    style.NoBreak = state_.NoBreak;
    style.Ruby = state_.Ruby;
    current_ = word_.Decorations().Intern(style);
    return current_;
  }
  void StyleChanged() { current_ = nullptr; }

  void SetStyle(uint8_t bit, bool on) {
    state_.Style = on ? state_.Style | bit : state_.Style & ~bit;
    StyleChanged();
  }
  void SetNoBreak(uint8_t on) {
    state_.NoBreak = on;
    StyleChanged();
  }

  void Font() {
    state_.Size.Push(BoundedSize(tag_.GetIntAttr("SIZE", state_.Size.Top())));
    state_.Color.Push(tag_.GetColorAttr("COLOR", state_.Color.Top()));
    state_.BColor.Push(tag_.GetColorAttr("BCOLOR", state_.BColor.Top()));
    state_.SColor.Push(tag_.GetColorAttr("SCOLOR", state_.SColor.Top()));
    state_.FontName.Push(tag_.GetAttr("NAME", state_.FontName.Top()));
    state_.Border.Push(WidthAttr(tag_, "BORDER", state_.Border.Top(), kMaxBorderWidth));
    state_.Shadow.Push(WidthAttr(tag_, "SHADOW", state_.Shadow.Top(), kMaxShadowOffset));
    StyleChanged();
  }

  void AddAlign() {
    auto align = std::make_unique<TWdOpeAlign>();
    align->Align = state_.Align.Top();
    word_.Append(std::move(align));
  }
  void AddReturn(bool clear) {
    auto ret = std::make_unique<TWdOpeReturn>();
    ret->Clear = clear ? 1 : 0;
    word_.Append(std::move(ret));
  }

  void Var() {
    std::string name = tag_.GetAttr("NAME", "");
    if (name.empty()) return;
    auto var = std::make_unique<TWdOpeVar>();
    var->Name = std::move(name);
    var->Decoration = Decoration();
    var->Link = state_.Link;
    var->Wait = state_.Wait.Top();
    word_.Append(std::move(var));
  }
  void Image() {
    std::string source = tag_.GetAttr("SRC", "");
    if (source.empty()) return;
    auto image = std::make_unique<TWdImg>();
    image->Source = std::move(source);
    image->Align = tag_.GetAlignAttr(AL_CENTER, AL_BOTTOM, AL_BOTTOM);
    image->Link = state_.Link;
    image->Wait = state_.Wait.Top();
    word_.Append(std::move(image));
  }

  TQnWord& word_;
  TTagValList state_;
  TTag tag_;
  TDecorate* current_ = nullptr;
};

}  // namespace

void TQnWord::ParseText(std::string_view text, int32_t text_delay) { Compile(JoinLines(text), text_delay); }

void TQnWord::ParseText(const std::vector<std::string>& lines, int32_t text_delay) {
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += '\r';
    joined += lines[i];
  }
  Compile(joined, text_delay);
}

void TQnWord::Compile(std::string_view joined, int32_t text_delay) {
  Clear();
  try {
    TagPass pass(*this, text_delay);
    for (const std::string& token : SplitTokens(joined)) pass.Token(token);
  } catch (...) {
    Clear();
    throw;
  }
}

void TQnWord::Clear() {
  glyphs_.clear();
  decorations_.Clear();
  VarValues.clear();
}

}  // namespace rivo

#include "text/markup_form.h"

#include <array>
#include <tuple>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/sjis.h"

namespace rivo {
namespace {

// Thrown inside the writer when a glyph cannot be expressed.
struct Inexpressible {};

using FontValues = std::tuple<int32_t, int32_t, int32_t, int32_t, std::string, int32_t, int32_t>;
const FontValues kDefaultFont{0, -1, -1, -1, std::string(), -1, -1};

constexpr std::array<std::pair<uint8_t, std::string_view>, 4> kStyleTags = {
    {{FS_BOLD, "B"}, {FS_ITALIC, "I"}, {FS_UNDERLINE, "U"}, {FS_STRIKEOUT, "S"}}};
constexpr std::string_view kAlignWords[] = {"", "LEFT", "RIGHT", "CENTER", "TOP", "BOTTOM"};

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

// A quoted attribute value as the token pass and the tag parser read it:
// taken literally up to the next quote, so it holds no quote, and no control
// character a line could not carry.
std::string Quoted(std::string_view value) {
  for (char c : value)
    if (c == '"' || IsControl(c)) throw Inexpressible{};
  return "\"" + std::string(value) + "\"";
}

// HREF and EVENT values are unescaped after parsing: backslashes double and
// CR LF becomes \n.
std::string QuotedEscaped(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size();) {
    std::size_t size = sjis::CharSize(value, i);
    if (size == 1 && value[i] == '\\') {
      out += "\\\\";
    } else if (size == 1 && value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
      out += "\\n";
      size = 2;
    } else {
      out.append(value.substr(i, size));
    }
    i += size;
  }
  return Quoted(out);
}

std::string ColorText(int32_t color) {
  if (color < 0 || color > 0xFFFFFF) throw Inexpressible{};
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return text;
}

class MarkupWriter {
 public:
  explicit MarkupWriter(int32_t text_delay) : text_delay_(text_delay), wait_(text_delay) {}

  void Glyph(const TWdGlyph& glyph) {
    switch (glyph.Kind()) {
      case GK_CHAR: {
        const auto& c = static_cast<const TWdChar&>(glyph);
        Reach(c.Decoration, c.Link, c.Wait);
        return Character(c.Code);
      }
      case GK_ALIGN: {
        uint8_t align = static_cast<const TWdOpeAlign&>(glyph).Align;
        if (align < AL_LEFT || align > AL_CENTER) throw Inexpressible{};
        return Tag("<DIV ALIGN=" + std::string(kAlignWords[align]) + ">");
      }
      case GK_RETURN: {
        uint8_t clear = static_cast<const TWdOpeReturn&>(glyph).Clear;
        if (clear > 1) throw Inexpressible{};
        return Tag(clear ? "<CLEAR>" : "<BR>");
      }
      case GK_INDENT: return Tag("<INDENT>");
      case GK_UNDENT: return Tag("<UNDENT>");
      case GK_EVENT: {
        const auto& e = static_cast<const TWdOpeEvent&>(glyph);
        std::string tag = "<EVENT";
        if (!e.Value.empty()) tag += " VALUE=" + QuotedEscaped(e.Value);
        if (e.End) tag += " END";
        return Tag(tag + ">");
      }
      case GK_VAR: {
        const auto& v = static_cast<const TWdOpeVar&>(glyph);
        if (v.Expression || v.Name.empty()) throw Inexpressible{};
        Reach(v.Decoration, v.Link, v.Wait);
        return Tag("<VAR NAME=" + Quoted(v.Name) + ">");
      }
      case GK_IMG: {
        const auto& m = static_cast<const TWdImg&>(glyph);
        if (m.Source.empty() || m.Align < AL_CENTER || m.Align > AL_BOTTOM) throw Inexpressible{};
        Reach(nullptr, m.Link, m.Wait);
        std::string tag = "<IMG SRC=" + Quoted(m.Source);
        if (m.Align != AL_BOTTOM) tag += " ALIGN=" + std::string(kAlignWords[m.Align]);
        return Tag(tag + ">");
      }
      default: throw Inexpressible{};
    }
  }

  std::string Finish() {
    // A line's edges must not be blank, and an empty line would read as no text.
    if (out_.empty() || out_.front() == ' ') out_.insert(0, kEmptyComment);
    if (out_.back() == ' ') Tag(std::string(kEmptyComment));
    return std::move(out_);
  }

 private:
  // Writes the tags that bring the compiler's state to what a glyph needs:
  // its style (none for images), its link and its delay.
  void Reach(const TDecorate* d, const std::string& link, int32_t wait) {
    if (d) {
      FontValues font{d->Size, d->Color, d->BColor, d->SColor, d->FontName, d->Border, d->Shadow};
      if (font != font_) OpenFont(font);
      if (d->Style & ~0x0F) throw Inexpressible{};
      for (const auto& [bit, name] : kStyleTags)
        if ((d->Style & bit) != (style_ & bit)) Tag(((d->Style & bit) ? "<" : "</") + std::string(name) + ">");
      style_ = d->Style;
      if (d->NoBreak > 1) throw Inexpressible{};
      if (d->NoBreak != nobreak_) Tag(d->NoBreak ? "<NOBR>" : "</NOBR>");
      nobreak_ = d->NoBreak;
      if (d->Ruby != ruby_) Tag(d->Ruby.empty() ? "</RUBY>" : "<RUBY VALUE=" + Quoted(d->Ruby) + ">");
      ruby_ = d->Ruby;
    }
    if (link != link_) Tag(link.empty() ? "</A>" : "<A HREF=" + QuotedEscaped(link) + ">");
    link_ = link;
    if (wait != wait_) {
      if (wait_open_) Tag("</WAIT>");
      wait_open_ = wait != text_delay_;
      if (wait_open_) Tag("<WAIT VALUE=" + std::to_string(wait) + ">");
      wait_ = wait;
    }
  }

  void OpenFont(const FontValues& font) {
    if (font_open_) Tag("</FONT>");
    font_ = kDefaultFont;
    font_open_ = font != kDefaultFont;
    if (!font_open_) return;
    const auto& [size, color, bcolor, scolor, name, border, shadow] = font;
    if (size < 0 || size > kMaxFontSize || border < -1 || border > kMaxBorderWidth || shadow < -1 ||
        shadow > kMaxShadowOffset)
      throw Inexpressible{};
    std::string tag = "<FONT";
    if (size != 0) tag += " SIZE=" + std::to_string(size);
    if (color != -1) tag += " COLOR=" + ColorText(color);
    if (bcolor != -1) tag += " BCOLOR=" + ColorText(bcolor);
    if (scolor != -1) tag += " SCOLOR=" + ColorText(scolor);
    if (!name.empty()) tag += " NAME=" + Quoted(name);
    if (border != -1) tag += " BORDER=" + std::to_string(border);
    if (shadow != -1) tag += " SHADOW=" + std::to_string(shadow);
    Tag(tag + ">");
    font_ = font;
  }

  void Tag(const std::string& tag) {
    if (quoted_) throw Inexpressible{};  // a tag inside a quoted stretch is text
    out_ += tag;
    BetweenTokens();
  }
  // A tag or comment ends the text token before it.
  void BetweenTokens() {
    ends_in_space_ = lone_lead_ = starts_with_lt_ = false;
    token_empty_ = true;
  }

  void Character(uint16_t code) {
    bool double_byte = code > 0xFF;
    uint8_t first = double_byte ? static_cast<uint8_t>(code >> 8) : static_cast<uint8_t>(code);
    if (double_byte && !sjis::IsLeadByte(first)) throw Inexpressible{};
    // The byte after a lone lead byte would become its trail: end the token.
    if (lone_lead_) {
      if (quoted_) throw Inexpressible{};
      Tag(std::string(kEmptyComment));
    }
    if (double_byte) {
      Append(static_cast<char>(first));
      // The trail byte goes through the byte-wise scan like any byte: a trail
      // 0x5C gets its second backslash, a trail '<' its escape.
      Byte(static_cast<char>(code & 0xFF), true);
      lone_lead_ = false;
    } else {
      Byte(static_cast<char>(first));
      lone_lead_ = sjis::IsLeadByte(first);
    }
  }

  // One byte of text as the token pass must meet it to append it. A trail
  // byte cannot be parted from its lead byte by a comment.
  void Byte(char c, bool trail = false) {
    if (c == '\r' || c == '\n' || c == '\t' || (!quoted_ && IsControl(c))) throw Inexpressible{};
    // A text token that begins with '<' and ends with '>' would be read as
    // a tag: such a token is ended before each '>'.
    if (c == '>' && starts_with_lt_) {
      if (quoted_ || trail) throw Inexpressible{};
      Tag(std::string(kEmptyComment));
    }
    if (quoted_) {
      if (c == '"') quoted_ = false;
    } else if (c == '<' || c == '>' || c == '\\') {
      out_ += '\\';
    } else if (c == '"') {
      quoted_ = true;
    } else if (c == ' ' && ends_in_space_) {
      Tag(std::string(kEmptyComment));  // runs of spaces collapse within a token
    }
    Append(c);
  }

  void Append(char c) {
    if (token_empty_) starts_with_lt_ = c == '<';
    token_empty_ = false;
    out_ += c;
    ends_in_space_ = c == ' ';
  }

  int32_t text_delay_;
  std::string out_;
  FontValues font_ = kDefaultFont;
  bool font_open_ = false;
  uint8_t style_ = 0, nobreak_ = 0;
  std::string ruby_, link_;
  int32_t wait_;
  bool wait_open_ = false;
  bool quoted_ = false, ends_in_space_ = false, lone_lead_ = false;
  bool token_empty_ = true, starts_with_lt_ = false;
};

}  // namespace

std::string StoredListOfMarkup(std::string_view markup, int32_t text_delay) {
  TQnWord word;
  word.ParseText(markup, text_delay);
  ByteWriter out;
  word.SaveGlyphs(out);
  return out.Take();
}

std::optional<std::string> MarkupOfGlyphs(const TQnWord& word, int32_t text_delay) {
  MarkupWriter writer(text_delay);
  try {
    for (int32_t i = 0; i < word.Count(); ++i) writer.Glyph(word[i]);
    return writer.Finish();
  } catch (const Inexpressible&) {
    return std::nullopt;
  }
}

std::optional<std::string> MarkupOfStoredList(std::string_view stored, int32_t text_delay) {
  TQnWord word;
  try {
    ByteReader in(stored, "");
    word.LoadGlyphs(in);
    if (!in.AtEnd()) return std::nullopt;
    std::optional<std::string> markup = MarkupOfGlyphs(word, text_delay);
    if (markup && StoredListOfMarkup(*markup, text_delay) == stored) return markup;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace rivo

#pragma once
// TQnWord: a piece of text as a flat list of glyphs, with the table of
// character styles they share. It is compiled from tagged text (ParseText)
// or read from the stored form that pages carry (LoadGlyphs), and written
// back to that form (SaveGlyphs).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/decorate.h"
#include "text/glyphs.h"

namespace rivo {

class ByteReader;
class ByteWriter;

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
  TQnWord(TQnWord&&) = default;  // glyphs and styles stay where they are
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

  // Recorded variable values ("name=value"), filled by the layout.
  std::vector<std::string> VarValues;

 private:
  void Compile(std::string_view joined, int32_t text_delay);

  std::vector<std::unique_ptr<TWdGlyph>> glyphs_;
  TDecorateList decorations_;
};

}  // namespace rivo

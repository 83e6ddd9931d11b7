// The stored form of a glyph list, as page files carry the text of TextIns
// and the message history reads it back.
//
//   header   "QnWord" + three digits (absent: version 0)
//   styles   int32 count, then per record: RefCount, Color, BColor, Size
//            (int32), Style, NoBreak (byte), Border (int32 from version 100,
//            one byte before), FontName, Ruby (strings), from version 100
//            Shadow and SColor (int32)
//   glyphs   int32 count, then per glyph a kind byte (low 7 bits) and its
//            data; a kind outside the table has no data and makes no glyph

#include <cstdio>
#include <unordered_map>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

constexpr std::string_view kMagic = "QnWord";
constexpr std::size_t kHeaderBytes = 9;

int32_t ReadVersion(ByteReader& in) {
  // A stream too short for the header is version 0 and keeps every byte.
  if (in.Remaining() < kHeaderBytes) return 0;
  std::size_t start = in.Position();
  if (in.View(kMagic.size()) != kMagic) {
    in.Seek(start);
    return 0;
  }
  int32_t version = 0;
  for (char digit : in.View(3)) {
    if (digit < '0' || digit > '9') return 0;
    version = version * 10 + (digit - '0');
  }
  return version;
}

// The smallest record of each layout, for checking counts before reading.
std::size_t MinStyleBytes(int32_t version) {
  return version > 99 ? 4 * 4 + 2 + 4 + 2 * 4 + 2 * 4 : 4 * 4 + 2 + 1 + 2 * 4;
}

TDecorate ReadStyle(ByteReader& in, int32_t version) {
  TDecorate d;
  d.RefCount = in.I32();
  d.Color = in.I32();
  d.BColor = in.I32();
  d.Size = in.I32();
  d.Style = in.U8();
  d.NoBreak = in.U8();
  d.Border = version > 99 ? in.I32() : (in.U8() != 0 ? 1 : 0);
  d.FontName = in.String();
  d.Ruby = in.String();
  if (version >= 100) {
    d.Shadow = in.I32();
    d.SColor = in.I32();
  } else {
    d.Shadow = 0;
    d.SColor = 0;
  }
  return d;
}

void WriteStyle(ByteWriter& out, const TDecorate& d, int32_t version) {
  out.I32(d.RefCount);
  out.I32(d.Color);
  out.I32(d.BColor);
  out.I32(d.Size);
  out.U8(d.Style);
  out.U8(d.NoBreak);
  if (version > 99) out.I32(d.Border);
  else out.U8(d.Border != 0 ? 1 : 0);
  out.String(d.FontName);
  out.String(d.Ruby);
  if (version >= 100) {
    out.I32(d.Shadow);
    out.I32(d.SColor);
  }
}

}  // namespace

void TQnWord::LoadGlyphs(ByteReader& in) {
  int32_t version = ReadVersion(in);
  int32_t first_style = decorations_.Count();
  std::size_t styles = in.Count(in.I32(), MinStyleBytes(version));
  for (std::size_t i = 0; i < styles; ++i) decorations_.Append(ReadStyle(in, version));
  int32_t style_count = static_cast<int32_t>(styles);

  // Indexes count from the first record of this list, and must name one.
  auto style_at = [&](int32_t index) {
    if (index < 0 || index >= style_count) in.Fail("a glyph names a style the list does not hold");
    return &decorations_[first_style + index];
  };

  std::size_t glyphs = in.Count(in.I32(), 1);
  for (std::size_t i = 0; i < glyphs; ++i) {
    switch (in.U8() & 0x7F) {
      case GK_CHAR: {
        auto glyph = std::make_unique<TWdChar>();
        glyph->Link = in.String();
        glyph->Wait = in.I32();
        glyph->Code = in.U16();
        glyph->Decoration = style_at(in.I32());
        Append(std::move(glyph));
        break;
      }
      case GK_ALIGN: {
        auto glyph = std::make_unique<TWdOpeAlign>();
        glyph->Align = in.U8();
        Append(std::move(glyph));
        break;
      }
      case GK_RETURN: {
        auto glyph = std::make_unique<TWdOpeReturn>();
        glyph->Clear = in.U8();
        Append(std::move(glyph));
        break;
      }
      case GK_INDENT: Append(std::make_unique<TWdOpeIndent>()); break;
      case GK_UNDENT: Append(std::make_unique<TWdOpeUndent>()); break;
      case GK_EVENT: {
        auto glyph = std::make_unique<TWdOpeEvent>();
        glyph->Value = in.String();
        if (!glyph->Value.empty() && glyph->Value[0] == '\x01') {
          glyph->Value.erase(0, 1);
          glyph->End = true;
        }
        Append(std::move(glyph));
        break;
      }
      case GK_VAR: {
        auto glyph = std::make_unique<TWdOpeVar>();
        glyph->Decoration = style_at(in.I32());
        if (version > 100) {
          glyph->Wait = in.I32();
          glyph->Link = in.String();
        }
        if (version < 102) {
          glyph->Expression = std::make_unique<TRivoParser>();
          glyph->Expression->LoadFromStream(in);
        } else {
          glyph->Name = in.String();
        }
        Append(std::move(glyph));
        break;
      }
      case GK_IMG: {
        auto glyph = std::make_unique<TWdImg>();
        glyph->Link = in.String();
        glyph->Wait = in.I32();
        glyph->Source = in.String();
        glyph->Align = in.U8();
        Append(std::move(glyph));
        break;
      }
      default: break;  // no glyph, no data: stored lists may hold such bytes
    }
  }
}

void TQnWord::SaveGlyphs(ByteWriter& out, int32_t version) const {
  if (version > 0) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", version % 1000);
    out.Bytes(kMagic);
    out.Bytes(std::string_view(digits, 3));
  }
  std::unordered_map<const TDecorate*, int32_t> index_of;
  out.I32(decorations_.Count());
  for (int32_t i = 0; i < decorations_.Count(); ++i) {
    WriteStyle(out, decorations_[i], version);
    index_of.emplace(&decorations_[i], i);
  }
  auto style_index = [&](const TDecorate* record) {
    auto it = index_of.find(record);
    if (it == index_of.end()) throw RivoError("a glyph's style is not in its word's table");
    return it->second;
  };
  out.I32(GlyphToPosition(Count()));
  for (const auto& glyph : glyphs_) {
    if (glyph->IsGenerated()) continue;
    out.U8(glyph->Kind());
    switch (glyph->Kind()) {
      case GK_CHAR: {
        const auto& c = static_cast<const TWdChar&>(*glyph);
        out.String(c.Link);
        out.I32(c.Wait);
        out.U16(c.Code);
        out.I32(style_index(c.Decoration));
        break;
      }
      case GK_ALIGN: out.U8(static_cast<const TWdOpeAlign&>(*glyph).Align); break;
      case GK_RETURN: out.U8(static_cast<const TWdOpeReturn&>(*glyph).Clear); break;
      case GK_EVENT: {
        const auto& e = static_cast<const TWdOpeEvent&>(*glyph);
        out.String(e.End ? "\x01" + e.Value : e.Value);
        break;
      }
      case GK_VAR: {
        const auto& v = static_cast<const TWdOpeVar&>(*glyph);
        out.I32(style_index(v.Decoration));
        if (version > 100) {
          out.I32(v.Wait);
          out.String(v.Link);
        }
        if (version < 102) {
          if (v.Expression) v.Expression->SaveToStream(out);
          else out.I32(0);  // an empty expression
        } else {
          out.String(v.Name);
        }
        break;
      }
      case GK_IMG: {
        const auto& m = static_cast<const TWdImg&>(*glyph);
        out.String(m.Link);
        out.I32(m.Wait);
        out.String(m.Source);
        out.U8(m.Align);
        break;
      }
      default: break;  // indent, undent: the kind says it all
    }
  }
}

}  // namespace rivo

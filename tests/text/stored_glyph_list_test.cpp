// Stored glyph lists: every layout reads as it was written, the newest is
// written back byte for byte, and damaged lists are errors, never crashes.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/build_rivo_parser.h"
#include "text/qn_word.h"
#include "text_fixtures.h"

namespace rivo {
namespace {

using test::CharAt;
using test::Summary;

void Load(TQnWord& word, const std::string& bytes) {
  ByteReader in(bytes, "text");
  word.LoadGlyphs(in);
}

std::string Saved(const TQnWord& word, int32_t version) {
  ByteWriter out;
  word.SaveGlyphs(out, version);
  return out.Take();
}

// A list written field by field in the layout of version: one style, then
// a character, every operator, a variable and an image.
std::string Fixture(int32_t version, uint8_t border_byte = 1) {
  ByteWriter out;
  if (version > 0) out.Bytes("QnWord" + std::string(version < 100 ? "0" : "") + std::to_string(version));
  out.I32(1);
  out.I32(2);      // RefCount
  out.I32(0xFF);   // Color
  out.I32(-1);     // BColor
  out.I32(20);     // Size
  out.U8(FS_BOLD);
  out.U8(1);       // NoBreak
  if (version > 99) out.I32(3);
  else out.U8(border_byte);
  out.String("ＭＳ 明朝");
  out.String("るび");
  if (version >= 100) {
    out.I32(4);  // Shadow
    out.I32(5);  // SColor
  }
  out.I32(8);
  out.U8(GK_CHAR);
  out.String("link");
  out.I32(7);
  out.U16(0x82A0);
  out.I32(0);
  out.U8(GK_ALIGN);
  out.U8(AL_CENTER);
  out.U8(GK_RETURN);
  out.U8(1);
  out.U8(GK_INDENT);
  out.U8(GK_UNDENT);
  out.U8(GK_EVENT);
  out.String("\x01" "done");
  out.U8(GK_VAR);
  out.I32(0);
  if (version > 100) {
    out.I32(9);
    out.String("vlink");
  }
  if (version < 102) {
    TRivoParser expression;
    CompileExpression("score + 1", expression);
    expression.SaveToStream(out);
  } else {
    out.String("score");
  }
  out.U8(GK_IMG);
  out.String("");
  out.I32(11);
  out.String("face.png");
  out.U8(AL_TOP);
  return out.Take();
}

TEST(StoredGlyphList, EveryLayoutReadsAsWrittenAndWritesBackTheSameBytes) {
  for (int32_t version : {0, 99, 100, 101, 102}) {
    SCOPED_TRACE(version);
    std::string bytes = Fixture(version);
    TQnWord word;
    Load(word, bytes);
    ASSERT_EQ(Summary(word), "\x82\xA0|align3|clear|indent|undent|event:done!|var:" +
                                 std::string(version >= 102 ? "score" : "") + "|img:face.png@4");
    const TDecorate& d = *CharAt(word, 0).Decoration;
    EXPECT_EQ(d.RefCount, 2);
    EXPECT_EQ(d.Color, 0xFF);
    EXPECT_EQ(d.BColor, -1);
    EXPECT_EQ(d.Size, 20);
    EXPECT_EQ(d.Style, FS_BOLD);
    EXPECT_EQ(d.NoBreak, 1);
    EXPECT_EQ(d.Border, version > 99 ? 3 : 1);
    EXPECT_EQ(d.FontName, "ＭＳ 明朝");
    EXPECT_EQ(d.Ruby, "るび");
    EXPECT_EQ(d.Shadow, version >= 100 ? 4 : 0);
    EXPECT_EQ(d.SColor, version >= 100 ? 5 : 0);
    EXPECT_EQ(CharAt(word, 0).Link, "link");
    EXPECT_EQ(CharAt(word, 0).Wait, 7);
    const auto& var = static_cast<const TWdOpeVar&>(word[6]);
    EXPECT_EQ(var.Decoration, &d);
    EXPECT_EQ(var.Wait, version > 100 ? 9 : 0);
    EXPECT_EQ(var.Link, version > 100 ? "vlink" : "");
    EXPECT_EQ(var.Expression != nullptr, version < 102);
    if (var.Expression) { EXPECT_FALSE(var.Expression->Operations().empty()); }
    const auto& image = static_cast<const TWdImg&>(word[7]);
    EXPECT_EQ(image.Wait, 11);
    EXPECT_EQ(Saved(word, version), bytes);
  }
}

TEST(StoredGlyphList, OldBordersAreOneByteWhereAnyNonZeroMeansOne) {
  TQnWord word;
  Load(word, Fixture(99, 5));
  EXPECT_EQ(word.Decorations()[0].Border, 1);
  TQnWord none;
  Load(none, Fixture(0, 0));
  EXPECT_EQ(none.Decorations()[0].Border, 0);
}

TEST(StoredGlyphList, CompiledTextWritesReadsAndWritesTheSameBytes) {
  TQnWord word;
  word.ParseText("a<B>b</B><FONT SIZE=30 NAME=x BORDER SHADOW=2>c<VAR NAME=v></FONT><EVENT VALUE=e END>"
                 "<IMG SRC=i ALIGN=CENTER><A HREF=h>d</A><BR CLEAR>",
                 50);
  std::string first = Saved(word, kNewestGlyphVersion);
  EXPECT_EQ(first.substr(0, 9), "QnWord102");
  TQnWord again;
  Load(again, first);
  EXPECT_EQ(Saved(again, kNewestGlyphVersion), first);
  EXPECT_EQ(Summary(again), Summary(word));
}

TEST(StoredGlyphList, KindsOutsideTheTableGiveNoGlyphAndNoData) {
  ByteWriter out;
  out.Bytes("QnWord102");
  out.I32(0);
  out.I32(5);
  out.U8(0);
  out.U8(8);
  out.U8(0x7F);
  out.U8(0x80 | GK_INDENT);  // only the low seven bits count
  out.U8(GK_UNDENT);
  TQnWord word;
  Load(word, out.data());
  EXPECT_EQ(Summary(word), "indent|undent");
}

TEST(StoredGlyphList, AStreamShorterThanTheHeaderIsVersionZero) {
  TQnWord word;
  Load(word, std::string(8, '\0'));  // no styles, no glyphs
  EXPECT_EQ(word.Count(), 0);
  TQnWord cut;
  EXPECT_THROW(Load(cut, "QnWord1"), LoadError);
}

TEST(StoredGlyphList, DamagedListsAreErrors) {
  auto list = [](int32_t styles, int32_t glyphs, auto&& write_glyphs) {
    ByteWriter out;
    out.Bytes("QnWord102");
    out.I32(styles);
    for (int32_t i = 0; i < styles && styles < 10; ++i) {
      for (int k = 0; k < 4; ++k) out.I32(k == 0 ? 1 : 0);
      out.U8(0);
      out.U8(0);
      out.I32(0);
      out.String("");
      out.String("");
      out.I32(0);
      out.I32(0);
    }
    out.I32(glyphs);
    write_glyphs(out);
    return out.Take();
  };
  auto character = [](int32_t style) {
    return [style](ByteWriter& out) {
      out.U8(GK_CHAR);
      out.String("");
      out.I32(0);
      out.U16('a');
      out.I32(style);
    };
  };
  auto variable = [](int32_t style) {
    return [style](ByteWriter& out) {
      out.U8(GK_VAR);
      out.I32(style);
      out.I32(0);
      out.String("");
      out.String("v");
    };
  };
  const std::pair<const char*, std::string> cases[] = {
      {"style index past the table", list(1, 1, character(1))},
      {"negative style index", list(1, 1, character(-1))},
      {"variable with a bad index", list(1, 1, variable(5))},
      {"index with no table", list(0, 1, character(0))},
      {"huge style count", list(0x7FFFFFFF, 0, [](ByteWriter&) {})},
      {"negative style count", list(-1, 0, [](ByteWriter&) {})},
      {"huge glyph count", list(0, 0x7FFFFFFF, [](ByteWriter& out) { out.U8(GK_INDENT); })},
      {"huge string", list(0, 1, [](ByteWriter& out) {
         out.U8(GK_EVENT);
         out.I32(0x7FFFFFF0);
       })},
      {"glyph cut short", list(1, 2, character(0))},
  };
  for (const auto& [what, bytes] : cases) {
    TQnWord word;
    EXPECT_THROW(Load(word, bytes), LoadError) << what;
  }
  // What was read before the damage stays.
  TQnWord partial;
  EXPECT_THROW(Load(partial, list(1, 2, [](ByteWriter& out) {
                 out.U8(GK_INDENT);
                 out.U8(GK_CHAR);
                 out.String("");
                 out.I32(0);
                 out.U16('a');
                 out.I32(3);
               })),
               LoadError);
  EXPECT_EQ(Summary(partial), "indent");
}

TEST(StoredGlyphList, IndexesCountFromTheStylesOfTheirOwnList) {
  TQnWord word;
  word.ParseText("<B>a</B>", 50);
  std::string bytes = Saved(word, kNewestGlyphVersion);
  word.ParseText("b<I>c", 50);  // two styles already in the table
  Load(word, bytes);
  ASSERT_EQ(word.Decorations().Count(), 3);
  EXPECT_EQ(CharAt(word, 2).Decoration, &word.Decorations()[2]);
  EXPECT_EQ(CharAt(word, 2).Decoration->Style, FS_BOLD);
}

}  // namespace
}  // namespace rivo

// Tiles (patterns that scroll, spaced copies, position and size rules) and
// glyph-sheet captions (cells looked up in the map text, gaps, alignment,
// cells the sheet does not have) in pixels.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "image_fixtures.h"
#include "objects/rivo_cg_label.h"
#include "objects/rivo_tile.h"

namespace rivo {
namespace {

using test::FrameSpec;
using test::ImageScreen;

// Column x of the 4 x 2 picture is (x + 1) * 0x30 grey.
FrameSpec Columns() {
  return {4, 2, [](int32_t x, int32_t) { return static_cast<uint32_t>((x + 1) * 0x30) * 0x010101u; }, {}, 100};
}

uint32_t ColumnPixel(int32_t column) { return static_cast<uint32_t>((column + 1) * 0x30) * 0x010101u; }

TRivoTile& NewTile(ImageScreen& s, int32_t left, int32_t width) {
  auto& tile = static_cast<TRivoTile&>(s.screen.CreateByType(LT_TILE));
  tile.SetParent(&s.screen.ActiveBase());
  tile.SetSource("columns.orb");
  test::SetInt(tile, PR_LEFT, left);
  test::SetInt(tile, PR_WIDTH, width);
  test::SetInt(tile, PR_HEIGHT, 2);
  return tile;
}

TEST(Tiles, APatternScrollsAndSpacedCopiesLeaveGaps) {
  ImageScreen s;
  s.Add("columns.orb", {Columns()});
  TRivoTile& pattern = NewTile(s, 0, 12);
  test::SetInt(pattern, PR_OFFSETX, 7);  // offsets and zoom do not move a tile
  EXPECT_EQ(pattern.AbsLeft(), 0);
  EXPECT_EQ(pattern.GetWidth(), 12);  // nor does the picture size it
  TRivoTile& spaced = NewTile(s, 20, 12);
  test::SetInt(spaced, PR_DISTANCEX, 6);
  s.Compose();
  for (int32_t x = 0; x < 12; ++x) EXPECT_EQ(s.At(x, 0), ColumnPixel(x % 4)) << x;
  EXPECT_EQ(s.At(20 + 3, 0), ColumnPixel(3));
  EXPECT_EQ(s.At(20 + 4, 0), 0u);  // the gap between copies 6 apart
  EXPECT_EQ(s.At(20 + 6, 0), ColumnPixel(0));
  test::SetInt(pattern, PR_SCROLLX, 3);
  s.Compose();
  for (int32_t x = 0; x < 12; ++x) EXPECT_EQ(s.At(x, 0), ColumnPixel((x + 3) % 4)) << x;
  EXPECT_TRUE(test::GetInt(pattern, PR_REPEAT));
}

// Only a plain pattern paints all of its tile whatever lies beneath: under
// it the base draws no fill, and the same pixels show over any background
// (even over leftovers in the back buffer where it changed).
TEST(Tiles, OnlyAPlainPatternHidesWhatLiesUnderIt) {
  struct Case {
    const char* name;
    void (*set)(TRivoTile&);
    bool opaque;
  } cases[] = {
      {"plain", [](TRivoTile&) {}, true},
      {"scrolled and flipped", [](TRivoTile& t) { test::SetInt(t, PR_SCROLLX, 3), t.SetFlipH(true); }, true},
      {"spaced", [](TRivoTile& t) { test::SetInt(t, PR_DISTANCEX, 6); }, false},
      {"zoomed", [](TRivoTile& t) { test::SetInt(t, PR_ZOOMX, 512); }, false},
      {"translucent", [](TRivoTile& t) { test::SetInt(t, PR_ALPHA, 200); }, false},
      {"masked", [](TRivoTile& t) { t.SetSource("masked.orb"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> shown[2];
    for (int32_t under = 0; under < 2; ++under) {
      ImageScreen s;
      s.Add("columns.orb", {Columns()});
      FrameSpec masked = Columns();
      masked.mask = [](int32_t x, int32_t) { return static_cast<uint8_t>(x * 60); };
      s.Add("masked.orb", {masked});
      s.screen.ActiveBase().SetColor(under ? 0x3060A0 : 0x000000);
      TRivoTile& tile = NewTile(s, 2, 20);
      c.set(tile);
      s.Compose();
      EXPECT_EQ(tile.FillsOpaquely(), c.opaque);
      const TRect area = tile.GetScreenRect();
      EXPECT_EQ(s.screen.ActiveBase().CoveringChild(area), c.opaque ? 0u : 1u);
      const TRect changed = Bounds(5, 0, 9, 2);
      s.screen.ActiveBase().InvalidateRect(changed);
      s.back.FillRect(changed, 0x00ABCDEF);
      s.Compose();
      for (int32_t x = area.Left; x < area.Right; ++x) shown[under].push_back(s.At(x, 1));
    }
    if (c.opaque) { EXPECT_EQ(shown[0], shown[1]); }
  }
}

TEST(Tiles, ARecordRoundTrips) {
  ImageScreen s;
  s.Add("columns.orb", {Columns()});
  TRivoTile& tile = NewTile(s, 5, 30);
  test::SetInt(tile, PR_SCROLLX, 3);
  test::SetInt(tile, PR_DISTANCEY, 9);
  tile.OnIdle = "idle.rsb";
  ByteWriter out;
  tile.SaveToStream(out);
  const std::string bytes = out.Take();
  ImageScreen t;
  t.pictures = s.pictures;
  auto& copy = static_cast<TRivoTile&>(t.screen.CreateByType(LT_TILE));
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, 140);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.GetCount(), 1);
  ByteWriter again;
  copy.SaveToStream(again);
  EXPECT_EQ(again.Take(), bytes);
}

// A sheet of 2 x 2 cells of 2 x 2 pixels: cell i is grey (i + 1) * 0x30.
FrameSpec Sheet() {
  return {4, 4, [](int32_t x, int32_t y) { return static_cast<uint32_t>((y / 2 * 2 + x / 2 + 1) * 0x30) * 0x010101u; },
          {}, 100};
}

uint32_t CellPixel(int32_t cell) { return static_cast<uint32_t>((cell + 1) * 0x30) * 0x010101u; }

TRivoCGLabel& NewCaption(ImageScreen& s, const std::string& map, const std::string& text) {
  auto& caption = static_cast<TRivoCGLabel&>(s.screen.CreateByType(LT_CGLABEL));
  caption.SetParent(&s.screen.ActiveBase());
  caption.SetSource("sheet.orb");
  test::SetInt(caption, PR_GLYPHWIDTH, 2);
  test::SetInt(caption, PR_GLYPHHEIGHT, 2);
  test::SetStr(caption, PR_MAPTEXT, map);
  test::SetStr(caption, PR_TEXT, text);
  return caption;
}

TEST(GlyphCaptions, CharactersShowTheirCellsAndMissingOnesLeaveAGap) {
  ImageScreen s;
  s.Add("sheet.orb", {Sheet()});
  // "\x82\xa0" is one double-byte character (あ), the fourth cell.
  TRivoCGLabel& caption = NewCaption(s, "AB\x82\xa0" "C", "AxC\x82\xa0\r\nB");
  EXPECT_EQ(caption.GetWidth(), 8);
  EXPECT_EQ(caption.GetHeight(), 4);
  test::SetInt(caption, PR_LINESPACE, 1);
  EXPECT_EQ(caption.GetHeight(), 5);
  EXPECT_EQ(test::GetInt(caption, PR_ORIGWIDTH), 4);
  s.Compose();
  EXPECT_EQ(s.At(0, 0), CellPixel(0));
  EXPECT_EQ(s.At(2, 0), 0u);  // "x": a gap of one glyph width
  EXPECT_EQ(s.At(4, 0), CellPixel(3));
  EXPECT_EQ(s.At(6, 1), CellPixel(2));
  EXPECT_EQ(s.At(0, 3), CellPixel(1));  // second line, after the line space
  // Centred: the short line moves to the middle.
  test::SetInt(caption, PR_HALIGN, 1);
  s.Compose();
  EXPECT_EQ(s.At(3, 3), CellPixel(1));
  EXPECT_EQ(s.At(1, 3), 0u);
}

TEST(GlyphCaptions, AMapTextLongerThanTheSheetDrawsNothingForCellsBeyondIt) {
  ImageScreen s;
  s.Add("sheet.orb", {Sheet()});
  // Cells 4 and 5 do not exist in a sheet of four.
  TRivoCGLabel& caption = NewCaption(s, "ABCDEF", "EFA");
  s.Compose();
  EXPECT_EQ(s.At(0, 0), 0u);
  EXPECT_EQ(s.At(2, 0), 0u);
  EXPECT_EQ(s.At(4, 0), CellPixel(0));
  ByteWriter out;
  caption.SaveToStream(out);
  const std::string bytes = out.Take();
  ImageScreen t;
  t.pictures = s.pictures;
  auto& copy = static_cast<TRivoCGLabel&>(t.screen.CreateByType(LT_CGLABEL));
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, 140);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.GlyphLines(), caption.GlyphLines());
  EXPECT_EQ(copy.GetWidth(), 6);
}

}  // namespace
}  // namespace rivo

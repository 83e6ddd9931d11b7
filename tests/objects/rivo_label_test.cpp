// The text label with the test rasteriser: its text and lines, its size,
// zoom, the rotated hit test, drawing at an opacity and its save record.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "object_fixtures.h"
#include "objects/rivo_label.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace rivo {
namespace {

using test::GetInt;
using test::GetStr;
using test::SetInt;
using test::SetStr;

struct LabelScreen : test::Screen {
  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
  LabelScreen() { screen.SetGlyphs(&glyphs); }
  TRivoLabel& NewLabel() { return static_cast<TRivoLabel&>(screen.CreateByType(LT_LABEL)); }
};

TEST(RivoLabel, ATextEndingWithALineBreakHasNoEmptyLastLineAndReadsBackWithoutIt) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  SetInt(label, PR_FONTHEIGHT, 20);
  SetInt(label, PR_LINESPACE, 3);
  SetStr(label, PR_TEXT, "AB\r\nCDE\r\n");
  EXPECT_EQ(label.Lines(), (std::vector<std::string>{"AB", "CDE"}));
  EXPECT_EQ(GetStr(label, PR_TEXT), "AB\r\nCDE");
  EXPECT_EQ(label.GetHeight(), (20 + 3) * 2);
  EXPECT_EQ(label.GetWidth(), 30) << "the widest line: three half-width characters of 10";
}

TEST(RivoLabel, ZoomScalesTheBoundsAndZeroOrLessReadsOne) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  SetInt(label, PR_FONTHEIGHT, 20);
  SetStr(label, PR_TEXT, "AB");
  SetInt(label, PR_ZOOMX, 512);
  SetInt(label, PR_ZOOMY, 128);
  EXPECT_EQ(label.GetWidth(), 40);
  EXPECT_EQ(label.GetHeight(), 10);
  for (int32_t zoom : {0, -5}) {
    SetInt(label, PR_ZOOMX, zoom);
    SetInt(label, PR_ZOOMY, zoom);
    EXPECT_EQ(GetInt(label, PR_ZOOMX), 1);
    EXPECT_EQ(GetInt(label, PR_ZOOMY), 1);
  }
}

TEST(RivoLabel, ARotatedLabelIsHitOnlyInsideItsRotatedRectangle) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  label.SetParent(&s.screen.ActiveBase());
  SetInt(label, PR_FONTHEIGHT, 20);
  SetStr(label, PR_TEXT, "ABCDEFGH");  // 80 x 20
  label.SetLeft(100);
  label.SetTop(100);
  const HitModes all = HitMode(IM_NONE);
  ASSERT_EQ(label.HitTest(170, 105, all), &label) << "unturned: the far end of the text";
  SetInt(label, PR_ANGLE, 32);  // an eighth of a turn about the top-left corner
  EXPECT_EQ(label.HitTest(170, 105, all), nullptr) << "the far end has turned away";
  EXPECT_EQ(label.HitTest(128, 128, all), &label) << "halfway along the turned text";
  EXPECT_EQ(label.HitTest(90, 160, all), nullptr) << "inside the bounding box but outside the text";
  const TRect box = label.GetScreenRect();
  EXPECT_TRUE(box.Contains(90, 160));
  EXPECT_TRUE(box.Contains(128, 128));
}

TEST(RivoLabel, TheBaseDrawsItsLabelsAndTheLabelItsChildren) {
  LabelScreen s;
  s.screen.SetWidth(40);
  s.screen.SetHeight(40);
  TRivoLabel& label = s.NewLabel();
  label.SetParent(&s.screen.ActiveBase());
  SetInt(label, PR_FONTHEIGHT, 16);
  SetInt(label, PR_FONTCOLOR, 0xFFFFFF);
  SetStr(label, PR_TEXT, "WW");
  TRivoControl& box = static_cast<TRivoControl&>(s.screen.CreateByType(LT_BOX));
  box.SetParent(&label);
  SetInt(box, PR_TOP, 10);
  SetInt(box, PR_WIDTH, 4);
  SetInt(box, PR_HEIGHT, 4);
  SetInt(box, PR_COLOR, 0x0000FF);
  TDIBX target;
  target.SetSize(40, 40, 32);
  target.Clear(0);
  s.screen.ActiveBase().Draw(target);
  const TDIBX& coverage = label.Layout().Coverage();
  int lit = 0;
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < coverage.Width(); ++x)
      if (coverage.GetPixel(x, y) == 255) lit += target.GetPixel(x, y) == 0xFFFFFFu ? 1 : -1000;
  EXPECT_GT(lit, 0) << "the text is drawn where its coverage is full";
  EXPECT_EQ(target.GetPixel(1, 11), 0xFF0000u) << "the child box is drawn inside the label";
}

TEST(RivoLabel, OpacityBlendsTheTextOverWhatIsBelow) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  label.SetParent(&s.screen.ActiveBase());
  SetInt(label, PR_FONTHEIGHT, 16);
  SetInt(label, PR_FONTCOLOR, 0xFFFFFF);
  SetStr(label, PR_TEXT, "WW");
  TDIBX opaque, half;
  for (TDIBX* t : {&opaque, &half}) {
    t->SetSize(40, 40, 32);
    t->Clear(0);
  }
  label.Draw(opaque);
  SetInt(label, PR_ALPHA, 128);
  label.Draw(half);
  int full = 0;
  const TDIBX& coverage = label.Layout().Coverage();
  for (int32_t y = 0; y < coverage.Height(); ++y)
    for (int32_t x = 0; x < coverage.Width(); ++x) {
      if (coverage.GetPixel(x, y) != 255) continue;
      ++full;
      EXPECT_EQ(opaque.GetPixel(x, y), 0xFFFFFFu);
      EXPECT_GT(half.GetPixel(x, y) & 0xFF, 0x60u);
      EXPECT_LT(half.GetPixel(x, y) & 0xFF, 0xA0u);
    }
  EXPECT_GT(full, 10);
  SetInt(label, PR_ALPHA, 0);
  TDIBX none;
  none.SetSize(40, 40, 32);
  none.Clear(0);
  label.Draw(none);
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 40; ++x) ASSERT_EQ(none.GetPixel(x, y), 0u);
}

TEST(RivoLabel, UnderlineAndStrikeOutBarsShowInTheFontColourAfterEveryColourChange) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  label.SetParent(&s.screen.ActiveBase());
  SetInt(label, PR_FONTHEIGHT, 20);
  SetInt(label, PR_FONTSTYLE, FS_UNDERLINE | FS_STRIKEOUT);
  SetStr(label, PR_TEXT, "AB");
  // The second colour keeps the label's size: its layers are drawn again in place.
  for (int32_t colour : {0x0000FF, 0x00FF00}) {
    SetInt(label, PR_FONTCOLOR, colour);
    TDIBX target;
    target.SetSize(40, 40, 32);
    target.Clear(0);
    label.Draw(target);
    const TDIBX& coverage = label.Layout().Coverage();
    const uint32_t shown = static_cast<uint32_t>(target.ColorToPixel(colour));
    int bar_rows = 0;
    for (int32_t y = 0; y < coverage.Height(); ++y) {
      bool bar = true;
      for (int32_t x = 0; x < coverage.Width(); ++x) bar = bar && coverage.GetPixel(x, y) == 255;
      if (!bar) continue;
      ++bar_rows;
      for (int32_t x = 0; x < coverage.Width(); ++x)
        ASSERT_EQ(target.GetPixel(x, y), shown) << std::hex << colour << " at " << std::dec << x << "," << y;
    }
    EXPECT_GE(bar_rows, 2) << "an underline and a strike-out across the whole text";
  }
}

TEST(RivoLabel, TheSaveRecordRoundTripsWithItsVersion104Fields) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  SetStr(label, PR_TEXT, "one\r\ntwo");
  SetInt(label, PR_FONTHEIGHT, 18);
  SetInt(label, PR_LINESPACE, 2);
  SetInt(label, PR_FONTSTYLE, FS_BOLD);
  SetInt(label, PR_ALPHA, 77);
  SetInt(label, PR_FONTCOLOR, 0x123456);
  SetInt(label, PR_HALIGN, 1);
  SetInt(label, PR_ANTIALIAS, 1);
  SetInt(label, PR_FLIPH, 1);
  SetInt(label, PR_ANGLE, 9);
  SetInt(label, PR_ZOOMX, 300);
  SetInt(label, PR_ZOOMY, 200);
  SetStr(label, PR_ONIDLE, "idle.rsb");
  SetStr(label, PR_SOURCE, "move.rmt");
  SetInt(label, PR_REPEAT, 1);
  SetStr(label, PR_ONPLAYEND, "end.rsb");
  SetInt(label, PR_PAUSED, 1);
  ByteWriter out;
  label.SaveToStream(out);
  const std::string bytes = out.Take();

  TRivoLabel& copy = s.NewLabel();
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, 140);
  EXPECT_EQ(in.Remaining(), 0u);
  for (int32_t id : {PR_FONTHEIGHT, PR_LINESPACE, PR_FONTSTYLE, PR_ALPHA, PR_FONTCOLOR, PR_HALIGN, PR_ANTIALIAS,
                     PR_FLIPH, PR_FLIPV, PR_ANGLE, PR_ZOOMX, PR_ZOOMY, PR_REPEAT, PR_PAUSED, PR_AUTOSCRAP})
    EXPECT_EQ(GetInt(copy, id), GetInt(label, id)) << id;
  for (int32_t id : {PR_TEXT, PR_FONTNAME, PR_ONIDLE, PR_SOURCE, PR_ONPLAYEND})
    EXPECT_EQ(GetStr(copy, id), GetStr(label, id)) << id;
  EXPECT_EQ(copy.GetWidth(), label.GetWidth()) << "measured again";
  ByteWriter again;
  copy.SaveToStream(again);
  EXPECT_EQ(again.Take(), bytes);
}

TEST(RivoLabel, AScreenWithoutFontsMeasuresTheTextAsEmptyAndShowsNothing) {
  LabelScreen s;
  TRivoLabel& label = s.NewLabel();
  SetStr(label, PR_TEXT, "text");
  ByteWriter out;
  label.SaveToStream(out);
  const std::string bytes = out.Take();
  test::Screen bare;  // no glyph cache
  TRivoLabel& copy = static_cast<TRivoLabel&>(bare.screen.CreateByType(LT_LABEL));
  ByteReader in(bytes, "save.dat");
  copy.LoadFromStream(in, 140);
  EXPECT_EQ(GetStr(copy, PR_TEXT), "text");
  EXPECT_EQ(copy.GetWidth(), 0);
  EXPECT_EQ(copy.GetHeight(), 0);
  TDIBX target;
  target.SetSize(8, 8, 32);
  target.Clear(0x123456);
  copy.Draw(target);
  EXPECT_EQ(target.GetPixel(0, 0), 0x123456u);
}

}  // namespace
}  // namespace rivo

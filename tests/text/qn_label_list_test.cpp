// The label renderer with the test rasteriser: measuring, rendering,
// drawing and the save record.

#include <gtest/gtest.h>

#include "platform/headless/test_font_rasteriser.h"
#include "text/glyph_fixture.h"
#include "text/outline_metrics_record.h"
#include "text/qn_label_list.h"

namespace rivo {
namespace {

class QnLabelListTest : public ::testing::Test {
 protected:
  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
  TQnLabelList list{glyphs};
};

TEST_F(QnLabelListTest, LabelsAreMeasuredByAbcWidthsAndTheBorder) {
  list.FontHeight = 20;
  // At 20: 'A' A 1 B 7 C 2, 'B' A 0 B 9 C 1, あ (0x82A0) A 0 B 19 C 1.
  struct Case {
    int32_t border;
    std::string text;
    std::vector<int32_t> widths;
    int32_t height;
  } cases[] = {
      {0, "AB", {10, 10}, 20},
      {2, "AB", {14, 14}, 24},
      {0, "A\x82\xA0" "A", {10, 20, 10}, 20},
      {1, "", {}, 22},
  };
  for (const Case& c : cases) {
    list.Clear();
    list.Border = c.border;
    const TQnLabelDIB& label = list.Item(list.Add(c.text));
    EXPECT_EQ(label.CharWidths, c.widths) << c.text;
    int32_t sum = 0;
    for (int32_t w : c.widths) sum += w;
    EXPECT_EQ(label.Width, sum);
    EXPECT_EQ(label.Height, c.height);
  }
}

// A font whose characters reach 3 pixels past their advance.
class OverhangingRasteriser : public FontRasteriser {
  class Font : public RasterFont {
   public:
    Font() { metrics_.height = 16; metrics_.ascent = 13; metrics_.descent = 3; }
    const FontMetrics& Metrics() const override { return metrics_; }
    bool Render(uint16_t, int32_t, RasterGlyph& out) override { out = {}; return true; }
    int32_t TextWidth(uint16_t) override { return 9; }
    AbcWidths CharAbcWidths(uint16_t) override { return {2, 10, -3}; }
   private:
    FontMetrics metrics_;
  };

 public:
  std::shared_ptr<RasterFont> Open(const FontRequest&) override { return std::make_shared<Font>(); }
  std::vector<std::string> InstalledFamilies(bool) override { return {}; }
};

TEST(QnLabelListMeasure, TheLastCharacterKeepsTheBlackBoxThatReachesPastItsAdvance) {
  OverhangingRasteriser fonts;
  TFontPixelManager glyphs(fonts);
  TQnLabelList list(glyphs);
  const TQnLabelDIB& label = list.Item(list.Add("fff"));
  EXPECT_EQ(label.CharWidths, (std::vector<int32_t>{9, 9, 12}));
  EXPECT_EQ(label.Width, 30);
}

TEST_F(QnLabelListTest, APlainLabelFillsItsColourThroughTheCoverageLayer) {
  list.AntialiasLevel = 0;  // coverage 0 or 255
  list.FontHeight = 16;
  list.FontColor = 0x0000FF;  // red
  list.Add("Hi");
  TDIBX target;
  target.SetSize(40, 30, 32);
  target.Clear(0);
  list.Draw(target, 0, 5, 3);
  const TQnLabelDIB& label = list.Item(0);
  ASSERT_EQ(label.Coverage.Width(), label.Width);
  int full = 0;
  for (int32_t y = 0; y < label.Height; ++y)
    for (int32_t x = 0; x < label.Width; ++x) {
      const uint32_t coverage = label.Coverage.GetPixel(x, y);
      const uint32_t pixel = target.GetPixel(5 + x, 3 + y);
      if (coverage == 255) {
        ++full;
        // BGRX: red in the third byte (the mask fill weighs by m * alpha >> 8).
        EXPECT_EQ(pixel & 0xFEFFFFu, 0xFE0000u) << x << "," << y;
      }
      if (coverage == 0) { EXPECT_EQ(pixel, 0u) << x << "," << y; }
    }
  EXPECT_GT(full, 5);
}

TEST_F(QnLabelListTest, ABorderedLabelDrawsItsColourLayerAndAtHalfAlphaBlends) {
  list.AntialiasLevel = 0;
  list.FontHeight = 16;
  list.Border = 1;
  list.BorderColor = 0x00FF00;
  list.FontColor = 0xFFFFFF;
  list.Add("W");
  TDIBX opaque, half;
  for (TDIBX* t : {&opaque, &half}) {
    t->SetSize(30, 30, 32);
    t->Clear(0);
  }
  list.Draw(opaque, 0, 0, 0);
  list.Alpha = 128;
  list.Draw(half, 0, 0, 0);
  const TQnLabelDIB& label = list.Item(0);
  int border_pixels = 0;
  for (int32_t y = 0; y < label.Height; ++y)
    for (int32_t x = 0; x < label.Width; ++x) {
      if (label.Coverage.GetPixel(x, y) != 255) continue;
      EXPECT_EQ(opaque.GetPixel(x, y), label.Colour.GetPixel(x, y));
      if (label.Colour.GetPixel(x, y) == 0x00FF00u) {
        ++border_pixels;
        EXPECT_LT(half.GetPixel(x, y), 0x00FF00u);
        EXPECT_GT(half.GetPixel(x, y), 0u);
      }
    }
  EXPECT_GT(border_pixels, 5);
}

TEST_F(QnLabelListTest, HugeSettingsFromAScriptStayWithinTheSurfaceLimits) {
  list.FontHeight = 1 << 30;
  list.Border = 1 << 20;
  list.Add(std::string(200, 'M'));
  const TQnLabelDIB& label = list.Item(0);
  EXPECT_EQ(label.Height, kMaxFontHeight + 2 * kMaxBorderWidth);
  EXPECT_LE(label.Width, kMaxPictureSide);
  list.FontHeight = -5;
  list.Border = -5;
  list.Measure();
  EXPECT_EQ(list.Item(0).Height, 1);
}

TEST_F(QnLabelListTest, TheSaveRecordRoundTripsAndItsMetricsAreNeverTrusted) {
  EXPECT_EQ(OutlineMetricsRecord(FontMetrics{}).size(), kOutlineMetricsRecordSize);
  list.AntialiasLevel = 0;
  list.Border = 2;
  list.Alpha = 200;
  list.FontHeight = 18;
  list.FontName = testing::Gothic();
  list.FontColor = 0x123456;
  list.BorderColor = 0x654321;
  list.Style = FS_BOLD | FS_UNDERLINE;
  list.Shadow = 3;
  list.ShadowColor = 0x0A0B0C;
  ByteWriter out;
  list.SaveToStream(out);
  std::string bytes = out.Take();
  ASSERT_EQ(bytes.size(), 4u * 4 + 4 + list.FontName.size() + 4 * 2 + 1 + kOutlineMetricsRecordSize + 8);

  // The stored metrics are overwritten with garbage: loading measures anew.
  const std::size_t metrics_at = 4u * 4 + 4 + list.FontName.size() + 8 + 1;
  for (std::size_t i = 0; i < kOutlineMetricsRecordSize; ++i) bytes[metrics_at + i] = static_cast<char>(0xEE);
  TQnLabelList loaded(glyphs);
  loaded.Add("AB");
  ByteReader in(bytes, "save.dat");
  loaded.LoadFromStream(in, 140);
  EXPECT_EQ(in.Remaining(), 0u);
  ByteWriter again;
  loaded.SaveToStream(again);
  ByteWriter first;
  list.SaveToStream(first);
  EXPECT_EQ(again.Take(), first.Take());
  EXPECT_EQ(loaded.Item(0).Height, 18 + 4);

  // Before version 122 there is no shadow; before 109 the level was a flag.
  struct Case {
    int32_t version, stored_level, level;
  } cases[] = {{108, 2, 3}, {108, 1, 0}, {121, 2, 2}};
  for (const Case& c : cases) {
    ByteWriter old;
    list.AntialiasLevel = c.stored_level;
    list.SaveToStream(old);
    std::string old_bytes = old.Take();
    old_bytes.resize(old_bytes.size() - 8);
    ByteReader old_in(old_bytes, "save.dat");
    TQnLabelList restored(glyphs);
    restored.LoadFromStream(old_in, c.version);
    EXPECT_EQ(restored.AntialiasLevel, c.level) << c.version;
    EXPECT_EQ(restored.Shadow, 0);
  }
  // A record cut short is an error, not a crash.
  ByteReader short_in(std::string_view(bytes).substr(0, 40), "save.dat");
  TQnLabelList damaged(glyphs);
  EXPECT_THROW(damaged.LoadFromStream(short_in, 140), LoadError);
}

}  // namespace
}  // namespace rivo

// Font files found once and shared by rasterisers on several threads: each
// rasteriser renders from the shared files exactly what a rasteriser that
// found the files itself renders, and the files are found and mapped once.

#include "platform/font_files.h"

#include <gtest/gtest.h>

#include <thread>

#include "common/encoding.h"
#include "platform/freetype_rasteriser.h"

namespace rivo {
namespace {

struct Rendered {
  std::string identity;
  bool ok = false;
  RasterGlyph glyph;
};

// Kana, kanji, a Latin letter and the yen sign, plain, bold and slanted.
std::vector<Rendered> RenderTable(FreeTypeRasteriser& fonts) {
  std::vector<Rendered> out;
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐ明朝"})
    for (uint8_t style : {uint8_t{0}, FS_BOLD, FS_ITALIC})
      for (int32_t level : {0, 3}) {
        std::shared_ptr<RasterFont> font = fonts.Open({Utf8ToCp932(face), 24, style});
        if (!font) {
          out.push_back({});
          continue;
        }
        for (uint16_t code : {uint16_t{0x82A0}, uint16_t{0x8EF7}, uint16_t{'g'}, uint16_t{0x5C}}) {
          Rendered r;
          r.identity = font->Identity();
          r.ok = font->Render(code, level, r.glyph);
          out.push_back(std::move(r));
        }
      }
  return out;
}

void ExpectSame(const std::vector<Rendered>& a, const std::vector<Rendered>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a[i].identity, b[i].identity);
    EXPECT_EQ(a[i].ok, b[i].ok);
    EXPECT_EQ(a[i].glyph.width, b[i].glyph.width);
    EXPECT_EQ(a[i].glyph.height, b[i].glyph.height);
    EXPECT_EQ(a[i].glyph.origin_x, b[i].glyph.origin_x);
    EXPECT_EQ(a[i].glyph.origin_y, b[i].glyph.origin_y);
    EXPECT_EQ(a[i].glyph.advance, b[i].glyph.advance);
    EXPECT_EQ(a[i].glyph.levels, b[i].glyph.levels);
  }
}

TEST(FontFiles, RasterisersOnTwoThreadsDrawFromFilesFoundOnceAsARasteriserOfItsOwn) {
  FreeTypeRasteriser alone;
  const std::optional<FontFile> gothic = alone.Resolve(Utf8ToCp932("ＭＳ ゴシック"), false);
  if (!gothic || gothic->family != "IPAGothic") GTEST_SKIP() << "IPA fonts are not installed";
  const std::vector<Rendered> expected = RenderTable(alone);

  auto files = std::make_shared<FontFiles>();
  FreeTypeRasteriser first(files);
  first.Preload(Utf8ToCp932("ＭＳ ゴシック"));
  std::vector<Rendered> on_first, on_second;
  // The second starts from what the first found, while the first draws.
  std::thread second_thread([&] {
    FreeTypeRasteriser second(first.Files());
    on_second = RenderTable(second);
  });
  on_first = RenderTable(first);
  second_thread.join();
  ExpectSame(on_first, expected);
  ExpectSame(on_second, expected);

  // Found and mapped once: the same answer and the same bytes for both.
  EXPECT_EQ(files->Resolve(Utf8ToCp932("ＭＳ ゴシック"), false)->path, gothic->path);
  const auto mapped = files->Map(gothic->path.string());
  EXPECT_FALSE(mapped->Bytes().empty());
  EXPECT_EQ(files->Map(gothic->path.string()), mapped);
}

TEST(FontFiles, AFileThatCannotBeMappedHasNoBytesAndIsAskedOnce) {
  FontFiles files;
  const auto missing = files.Map("/nonexistent/font.ttf");
  EXPECT_TRUE(missing->Bytes().empty());
  EXPECT_EQ(files.Map("/nonexistent/font.ttf"), missing);
}

}  // namespace
}  // namespace rivo

// Pictures in a message window's text: measured from the image cache,
// drawn once revealed, animated, and shared by glyphs of the same file.

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "objects/rivo_mes.h"

namespace rivo {
namespace {

TEST(RivoMesImages, PicturesTakeTheirSizeAppearWhenRevealedAndAnimate) {
  test::ImageScreen s(64, 48);
  s.Add("a.orb", {test::Solid(8, 6, 0xFF0000, 32), test::Solid(8, 6, 0x00FF00, 32)});
  TRivoMes& mes = s.screen.Create<TRivoMes>();
  mes.SetParent(&s.screen.ActiveBase());
  mes.SetBounds(0, 0, 64, 48);
  mes.SetDelay(0);
  mes.SetText("<IMG SRC=a.orb><IMG SRC=a.orb><IMG SRC=missing.orb>");
  const TWdPage& page = *mes.Pages().at(0);
  ASSERT_EQ(page.Rows.size(), 1u);
  const auto& glyphs = page.Rows[0]->Glyphs;
  EXPECT_EQ(glyphs[0]->Width, 8);
  EXPECT_EQ(glyphs[0]->Height, 6);
  EXPECT_EQ(glyphs[1]->X, 8);
  EXPECT_EQ(glyphs[2]->Width, 0);  // a file the game lacks: 0 x 0
  s.Compose();
  EXPECT_EQ(s.At(1, 1), 0u);  // not revealed yet
  s.Tick(2);                  // the start delay, then every glyph (rate 0)
  s.Compose();
  EXPECT_EQ(s.At(1, 1), 0xFF0000u);
  EXPECT_EQ(s.At(9, 1), 0xFF0000u);
  s.Tick(2);  // 32 ms: the second frame
  s.Compose();
  EXPECT_EQ(s.At(1, 1), 0x00FF00u);
  EXPECT_EQ(s.At(9, 1), 0x00FF00u);
  // New text lets the pictures go; the cache entry goes with the last one.
  mes.SetText("");
  EXPECT_EQ(s.cache.Count(), 0);
}

}  // namespace
}  // namespace rivo

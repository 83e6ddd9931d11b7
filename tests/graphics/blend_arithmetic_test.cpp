// The blend formulas, checked on one-pixel surfaces: every weight divides
// by 256, equal pixels are skipped where the rules say so, adds saturate.

#include <gtest/gtest.h>

#include "graphics/surface_fixture.h"

namespace rivo {
namespace {

using testing::Grey;
using testing::Surface;

struct Case {
  const char* name;
  uint32_t dest, source;
  int alpha;
  uint32_t expected;
};

TEST(BlendArithmeticTest, DrawAlphaAndDrawAddFollowTheIntegerFormulas) {
  const Case alpha_cases[] = {
      {"128 of white on black", Grey(0), Grey(255), 128, Grey(127)},
      {"255 of white on black", Grey(0), Grey(255), 255, Grey(254)},
      {"1 of white on black", Grey(0), Grey(255), 1, Grey(0)},
      {"128 of black on white", Grey(255), Grey(0), 128, Grey(126)},
      {"a pixel over itself stays", 0x806040, 0x806040, 128, 0x806040},
      {"channels apart", 0x00FF00, 0xFF0000, 64, 0x3FBE00},
  };
  for (const Case& c : alpha_cases) {
    auto d = Surface(1, 1, 32, c.dest), s = Surface(1, 1, 32, c.source);
    d->DrawAlpha(0, 0, c.alpha, false, false, false, s->GetBounds(), *s);
    EXPECT_EQ(d->GetPixel(0, 0), c.expected) << c.name;
  }
  const Case add_cases[] = {
      {"200 over 100 at 255 saturates", Grey(100), Grey(200), 255, Grey(255)},
      {"200 over 100 at 128", Grey(100), Grey(200), 128, Grey(200)},
      {"weight 1 adds nothing", Grey(100), Grey(200), 1, Grey(100)},
      {"each channel on its own", 0xF00010, 0x200020, 255, 0xFF002F},
  };
  for (const Case& c : add_cases) {
    auto d = Surface(1, 1, 32, c.dest), s = Surface(1, 1, 32, c.source);
    d->DrawAdd(0, 0, c.alpha, false, false, s->GetBounds(), *s);
    EXPECT_EQ(d->GetPixel(0, 0), c.expected) << c.name;
  }
}

TEST(BlendArithmeticTest, DrawCopiesExactly) {
  auto d = Surface(1, 1), s = Surface(1, 1, 32, Grey(255));
  d->Draw(0, 0, false, false, false, s->GetBounds(), *s);
  EXPECT_EQ(d->GetPixel(0, 0), Grey(255));
}

TEST(BlendArithmeticTest, MaskWeightsAreMaskTimesAlphaShiftedExceptAtFullMask) {
  struct MaskCase {
    const char* name;
    int alpha;
    uint32_t mask;
    uint32_t expected;  // white over black
  };
  const MaskCase cases[] = {
      {"DrawMask 255 copies", 255, 255, Grey(255)},
      {"DrawMask 0 keeps", 255, 0, Grey(0)},
      {"DrawMask 128 blends with 128", 255, 128, Grey(127)},
      {"DrawAlphaMask full mask weighs alpha", 128, 255, Grey(127)},
      {"DrawAlphaMask 128 x 128 shr 8 = 64", 128, 128, Grey(63)},
      {"DrawAlphaMask 200 x 100 shr 8 = 78", 200, 100, Grey(77)},
  };
  for (const MaskCase& c : cases) {
    auto d = Surface(1, 1), s = Surface(1, 1, 32, Grey(255)), m = Surface(1, 1, 8, c.mask);
    if (c.alpha == 255) d->DrawMask(0, 0, *m, false, false, s->GetBounds(), *s);
    else d->DrawAlphaMask(0, 0, c.alpha, *m, false, false, s->GetBounds(), *s);
    EXPECT_EQ(d->GetPixel(0, 0), c.expected) << c.name;
  }
  auto d = Surface(1, 1, 32, Grey(100)), s = Surface(1, 1, 32, Grey(200)), m = Surface(1, 1, 8, 255);
  d->DrawAddMask(0, 0, 128, *m, false, false, s->GetBounds(), *s);
  EXPECT_EQ(d->GetPixel(0, 0), Grey(200));  // m = 255 weighs alpha
  m->Clear(128);
  d->DrawAddMask(0, 0, 128, *m, false, false, s->GetBounds(), *s);
  EXPECT_EQ(d->GetPixel(0, 0), Grey(250));  // w = 64: 200 + 50
}

TEST(BlendArithmeticTest, EqualPixelsAreSkippedByTheMaskedBlends) {
  auto d = Surface(1, 1, 32, Grey(90)), s = Surface(1, 1, 32, Grey(90)), m = Surface(1, 1, 8, 100);
  d->DrawMask(0, 0, *m, false, false, s->GetBounds(), *s);
  d->DrawAlphaMask(0, 0, 100, *m, false, false, s->GetBounds(), *s);
  EXPECT_EQ(d->GetPixel(0, 0), Grey(90));
}

TEST(BlendArithmeticTest, FillsBlendAddAndSubtractPerChannel) {
  auto d = Surface(2, 1, 32, 0x102030);
  d->SetPixel(1, 0, 0x808080);
  d->FillRectAlpha({0, 0, 2, 1}, 0x808080, 128);
  EXPECT_EQ(d->GetPixel(0, 0), 0x474F57u);
  EXPECT_EQ(d->GetPixel(1, 0), 0x808080u);  // already the fill value: untouched
  d->FillRectAdd({0, 0, 1, 1}, 0xC0C0C0);
  EXPECT_EQ(d->GetPixel(0, 0), 0xFFFFFFu);
  d->FillRectSub({0, 0, 2, 1}, 0x9000F0);
  EXPECT_EQ(d->GetPixel(0, 0), 0x6FFF0Fu);
  EXPECT_EQ(d->GetPixel(1, 0), 0x008000u);
}

TEST(BlendArithmeticTest, FillMaskBlendsTheColourThroughCoverage) {
  auto d = Surface(4, 1, 32, Grey(0));
  d->SetPixel(3, 0, Grey(255));
  auto cover = testing::SurfaceOf(4, 1, 8, {0, 255, 128, 128});
  d->FillMask(0, 0, 255, Grey(255), false, false, cover->GetBounds(), *cover);
  EXPECT_EQ(testing::Row(*d, 0), (std::vector<uint32_t>{0, Grey(254), Grey(127), Grey(255)}));
  auto e = Surface(2, 1, 32, Grey(0));
  auto full = testing::SurfaceOf(2, 1, 8, {255, 128});
  e->FillMask(0, 0, 128, Grey(255), false, false, full->GetBounds(), *full);
  EXPECT_EQ(testing::Row(*e, 0), (std::vector<uint32_t>{Grey(127), Grey(63)}));
}

TEST(BlendArithmeticTest, EightBitSurfacesBlendTheirOneChannel) {
  auto d = Surface(1, 1, 8, 0), s = Surface(1, 1, 8, 255);
  d->DrawAlpha(0, 0, 128, false, false, false, s->GetBounds(), *s);
  EXPECT_EQ(d->GetPixel(0, 0), 127u);
  d->FillRectAdd({0, 0, 1, 1}, 200);
  EXPECT_EQ(d->GetPixel(0, 0), 255u);
}

TEST(BlendArithmeticTest, TheFourthByteStaysZero) {
  auto d = Surface(1, 1);
  d->FillRect(d->GetBounds(), 0xFF123456);
  EXPECT_EQ(d->GetPixel(0, 0), 0x123456u);
  d->FillRectAdd(d->GetBounds(), 0xFFFFFFFF);
  EXPECT_EQ(d->GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(d->ColorToPixel(0x0000FF), 0xFF0000);
  EXPECT_EQ(d->ColorToPixel(-1), -1);
}

}  // namespace
}  // namespace rivo

#include "graphics/dibx_wave.h"

#include <gtest/gtest.h>

#include "graphics/surface_fixture.h"

namespace rivo {
namespace {

using testing::Numbered;
using testing::Surface;

// A wave over rows 1..4 of an 10 x 7 target with row offsets 0, 1, 1, -2.
struct WaveFixture {
  std::unique_ptr<TDIBX> target = Surface(10, 7, 32, 1);
  std::unique_ptr<TDIBX> reference = Surface(10, 7, 32, 1);
  TDIBXWave wave;
  const std::vector<int32_t> offsets = {0, 1, 1, -2};

  WaveFixture() {
    wave.SetTarget(target.get());
    wave.SetSize(10, 4, 32);
    wave.SetOrigin(0, 1);
    wave.Offsets() = offsets;
  }
  // Draws each wave row on the reference with the row's shift.
  template <typename Draw>
  void ShiftedRows(Draw draw) {
    for (int32_t i = 0; i < 4; ++i) {
      reference->SetClipRect({0, 1 + i, 10, 2 + i});
      draw(*reference, offsets[static_cast<std::size_t>(i)]);
    }
    reference->ResetClip();
  }
};

TEST(WaveSurfaceTest, PlacementsEqualPerRowShiftedDrawsAndSkipRowsOutside) {
  WaveFixture f;
  auto src = Numbered(6, 7);
  f.wave.Draw(2, 0, false, true, false, src->GetBounds(), *src);
  f.ShiftedRows([&](TDIBX& d, int32_t dx) {
    d.Draw(2 + dx, 0, false, true, false, src->GetBounds(), *src);
  });
  EXPECT_EQ(testing::PixelsOf(*f.target), testing::PixelsOf(*f.reference));
  EXPECT_EQ(testing::Row(*f.target, 0), std::vector<uint32_t>(10, 1));
  EXPECT_EQ(testing::Row(*f.target, 5), std::vector<uint32_t>(10, 1));
  EXPECT_FALSE(f.target->HasClip());
}

TEST(WaveSurfaceTest, RegionOperationsEqualPerRowShiftedDraws) {
  WaveFixture f;
  auto src = Numbered(5, 3);
  f.wave.StretchDraw({1, 0, 9, 7}, *src, 200, false, false, false, src->GetBounds());
  f.wave.DrawRotate(5, 3, 255, false, false, false, {20, 2, 1, 300, 256}, src->GetBounds(), *src);
  f.wave.FillRectAdd({0, 2, 4, 4}, 0x10);
  f.ShiftedRows([&](TDIBX& d, int32_t dx) {
    d.StretchDraw({1 + dx, 0, 9 + dx, 7}, *src, 200, false, false, false, src->GetBounds());
    d.DrawRotate(5 + dx, 3, 255, false, false, false, {20, 2, 1, 300, 256}, src->GetBounds(), *src);
    d.FillRectAdd(TRect{0, 2, 4, 4}.Offset(dx, 0), 0x10);
  });
  EXPECT_EQ(testing::PixelsOf(*f.target), testing::PixelsOf(*f.reference));
}

TEST(WaveSurfaceTest, ClipRectanglesStayInsideTheWaveAndReachTheTarget) {
  WaveFixture f;
  f.wave.AddClipRect({-5, -5, 3, 2});
  EXPECT_EQ(f.wave.GetClipRect(), (TRect{0, 1, 3, 2}));
  EXPECT_EQ(f.target->GetClipRect(), (TRect{0, 1, 3, 2}));
  f.wave.FillRect({0, 0, 10, 7}, 7);
  EXPECT_EQ(testing::Row(*f.target, 1), (std::vector<uint32_t>{7, 7, 7, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(f.target->GetPixel(0, 2), 1u);
  f.wave.ResetClip();
  EXPECT_FALSE(f.wave.HasClip());
  EXPECT_FALSE(f.target->HasClip());
  EXPECT_EQ(f.wave.ColorToPixel(0x0000FF), 0xFF0000);
}

}  // namespace
}  // namespace rivo

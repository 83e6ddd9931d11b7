// The vector kernels against the scalar reference, on random rows that are
// full of the special cases: equal pixels, key pixels, masks 0 and 255.

#include "graphics/row_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace rivo {
namespace {

struct RandomRows {
  std::mt19937 rng{12345};
  std::vector<uint32_t> source, dest;
  std::vector<uint8_t> mask;

  void Make(int32_t n, uint32_t key) {
    source.resize(static_cast<std::size_t>(n));
    dest.resize(static_cast<std::size_t>(n));
    mask.resize(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
      const uint32_t pick = rng() % 8;
      source[i] = pick == 0 ? key : rng() & 0xFFFFFF;
      dest[i] = pick == 1 ? source[i] : rng() & 0xFFFFFF;
      const uint32_t m = rng() % 4;
      mask[i] = static_cast<uint8_t>(m == 0 ? 0 : m == 1 ? 255 : rng());
    }
    if (n >= 16) {  // whole vectors of clear and of full mask values
      for (int32_t i = 0; i < 8; ++i) mask[i] = 0, mask[8 + i] = 255;
      dest[9] = key;  // a pixel under full coverage already of the fill colour
    }
  }
};

TEST(RowKernelsTest, EveryKernelSetGivesTheScalarBytes) {
  using Scalar = ScalarRows<Bgrx32>;
  RandomRows r;
  const MaskRule rules[] = {{256, At255::kCopy}, {77, At255::kAlpha}, {256, At255::kFormula},
                            {200, At255::kFormula}};
  for (int set = 0; set < BgrxKernelSetCount(); ++set) {
    const BgrxKernelSet& k = BgrxKernelSetAt(set);
    for (int32_t n : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 23, 31, 64, 101}) {
      for (int trial = 0; trial < 20; ++trial) {
        const uint32_t key = r.rng() & 0xFFFFFF;
        r.Make(n, key);
        const RowKey row_key{trial % 2 == 0, key};
        const uint32_t w = r.rng() % 256;
        const bool skip = trial % 3 != 0;
        const MaskRule rule = rules[trial % 4];
        auto check = [&](const char* what, auto fast, auto reference) {
          std::vector<uint32_t> a = r.dest, b = r.dest;
          fast(a.data());
          reference(b.data());
          ASSERT_EQ(a, b) << k.name << " " << what << " n=" << n << " trial " << trial;
        };
        const uint32_t* s = r.source.data();
        const uint8_t* m = r.mask.data();
        check("blend", [&](uint32_t* d) { k.blend(d, s, n, w, row_key, skip); },
              [&](uint32_t* d) { Scalar::Blend(d, s, n, 1, w, row_key, skip); });
        check("add", [&](uint32_t* d) { k.add(d, s, n, w, row_key); },
              [&](uint32_t* d) { Scalar::Add(d, s, n, 1, w, row_key); });
        check("copy keyed", [&](uint32_t* d) { k.copy_keyed(d, s, n, row_key); },
              [&](uint32_t* d) { Scalar::CopyKeyed(d, s, n, 1, row_key); });
        check("mask blend", [&](uint32_t* d) { k.mask_blend(d, s, m, RowBlock{n}, rule, skip); },
              [&](uint32_t* d) { Scalar::MaskBlend(d, s, m, n, 1, rule, skip); });
        check("mask add", [&](uint32_t* d) { k.mask_add(d, s, m, n, rule); },
              [&](uint32_t* d) { Scalar::MaskAdd(d, s, m, n, 1, rule); });
        check("fill mask", [&](uint32_t* d) { k.fill_mask(d, m, n, key, rule); },
              [&](uint32_t* d) { Scalar::FillMask(d, m, n, 1, key, rule); });
        check("fill", [&](uint32_t* d) { k.fill(d, n, key); }, [&](uint32_t* d) { Scalar::Fill(d, n, key); });
        check("fill blend", [&](uint32_t* d) { k.fill_blend(d, n, key, w); },
              [&](uint32_t* d) { Scalar::FillBlend(d, n, key, w); });
        // Every byte saturates, the fourth included, whatever the destination holds.
        const uint32_t colour = r.rng();
        check("fill add", [&](uint32_t* d) { k.fill_add(d, n, colour); },
              [&](uint32_t* d) { Scalar::FillAdd(d, n, colour); });
        // The one-pass forms write over whatever out held, reading under
        // (the destination rows, whose equal pixels and masks are set up
        // above), as a copy of under then the blend would.
        const std::vector<uint32_t> under = r.dest;
        const auto copy_under = [&](uint32_t* d) { std::copy(under.begin(), under.end(), d); };
        r.dest.assign(r.dest.size(), 0xDEADBEEF);
        check("blend onto", [&](uint32_t* d) { k.blend_onto(d, under.data(), s, n, w); },
              [&](uint32_t* d) { copy_under(d), Scalar::Blend(d, s, n, 1, w, RowKey{}, true); });
        check("mask blend onto", [&](uint32_t* d) { k.mask_blend_onto(d, under.data(), s, m, n, rule); },
              [&](uint32_t* d) { copy_under(d), Scalar::MaskBlend(d, s, m, n, 1, rule, false); });
        check("fill add onto", [&](uint32_t* d) { k.fill_add_onto(d, under.data(), n, colour); },
              [&](uint32_t* d) { copy_under(d), Scalar::FillAdd(d, n, colour); });
        check("fill sub onto", [&](uint32_t* d) { k.fill_sub_onto(d, under.data(), n, colour); },
              [&](uint32_t* d) { copy_under(d), Scalar::FillSub(d, n, colour); });
        // In place: the subtracting fill of a rectangle.
        check("fill sub in place", [&](uint32_t* d) { copy_under(d), k.fill_sub_onto(d, d, n, colour); },
              [&](uint32_t* d) { copy_under(d), Scalar::FillSub(d, n, colour); });
        check("select onto", [&](uint32_t* d) { k.select_onto(d, under.data(), s, m, n); },
              [&](uint32_t* d) {
                for (int32_t i = 0; i < n; ++i) d[i] = m[i] != 0 ? s[i] : under[i];
              });
      }
    }
  }
}

// A whole placement in one call gives what its rows give one by one: rows
// of several widths in pictures wider than they are, the source read
// downwards and upwards (mirrored).
TEST(RowKernelsTest, AMaskBlendBlockGivesWhatItsRowsGiveOneByOne) {
  using Scalar = ScalarRows<Bgrx32>;
  RandomRows r;
  const MaskRule rules[] = {{256, At255::kCopy}, {77, At255::kAlpha}};
  constexpr int32_t kPicture = 40, kHeight = 6;  // pixels a row, rows
  for (int set = 0; set < BgrxKernelSetCount(); ++set) {
    const BgrxKernelSet& k = BgrxKernelSetAt(set);
    for (int32_t n : {1, 7, 8, 9, 28, 33}) {
      for (int trial = 0; trial < 8; ++trial) {
        r.Make(kPicture * kHeight, 0);
        const bool upwards = trial % 2 == 1;
        const MaskRule rule = rules[trial / 2 % 2];
        const int32_t left = trial % 3, rows = kHeight - trial % 3;
        const std::ptrdiff_t pitch = kPicture * 4, step = upwards ? -pitch : pitch;
        const int32_t first = upwards ? kHeight - 1 : 0;
        const int32_t offset = first * kPicture + left;
        std::vector<uint32_t> a = r.dest, b = r.dest;
        k.mask_blend(a.data() + left, r.source.data() + offset, r.mask.data() + offset,
                     RowBlock{n, rows, pitch, step, upwards ? -kPicture : kPicture}, rule, true);
        for (int32_t y = 0; y < rows; ++y) {
          const int32_t from = (upwards ? first - y : y) * kPicture + left;
          Scalar::MaskBlend(b.data() + y * kPicture + left, r.source.data() + from, r.mask.data() + from, n, 1, rule,
                            true);
        }
        ASSERT_EQ(a, b) << k.name << " n=" << n << " trial " << trial;
      }
    }
  }
}

TEST(RowKernelsTest, ThePackedScalarFormulasMatchThePerByteOnes) {
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const uint32_t s = rng(), d = rng(), w = rng() % 256;
    uint32_t blend = 0, add = 0, addsat = 0, subsat = 0;
    for (int b = 0; b < 4; ++b) {
      const uint32_t sc = (s >> (8 * b)) & 0xFF, dc = (d >> (8 * b)) & 0xFF;
      blend |= ((sc * w + dc * (255 - w)) >> 8) << (8 * b);
      add |= std::min(255u, dc + ((sc * w) >> 8)) << (8 * b);
      addsat |= std::min(255u, dc + sc) << (8 * b);
      subsat |= (dc > sc ? dc - sc : 0) << (8 * b);
    }
    ASSERT_EQ(Bgrx32::Blend(s, d, w), blend);
    ASSERT_EQ(Bgrx32::Add(d, s, w), add);
    ASSERT_EQ(Bgrx32::AddSaturate(d, s), addsat);
    ASSERT_EQ(Bgrx32::SubSaturate(d, s), subsat);
  }
}

// Masks of whole runs of 0 and 255 (the clear and covered parts of a
// picture) with partial values between, every run boundary at every place
// of rows of every length up to several vectors, the row starting at every
// pixel of a vector: the runs skipped or copied at once, and the last
// vector overlapping the one before, give the bytes of the pixel-by-pixel
// formula, in masked draws and fills.
TEST(RowKernelsTest, MaskRunsOfClearAndCoveredBytesGiveTheScalarBytes) {
  using Scalar = ScalarRows<Bgrx32>;
  RandomRows r;
  constexpr int32_t kLongest = 72, kShift = 8;
  r.Make(kLongest + kShift, 0x123456);
  // Half the source pixels equal the destination, for skip_equal.
  for (std::size_t i = 0; i < r.source.size(); i += 2) r.source[i] = r.dest[i];
  const MaskRule rules[] = {{256, At255::kCopy}, {90, At255::kAlpha}, {256, At255::kFormula}};
  // Each layout names the mask byte at position i of n for a boundary at k.
  const auto layouts = {
      +[](int32_t i, int32_t k) { return i < k ? 0 : 255; },
      +[](int32_t i, int32_t k) { return i < k ? 255 : 0; },
      +[](int32_t i, int32_t k) { return i == k ? 128 : 255; },
      +[](int32_t i, int32_t k) { return i == k ? 255 : 0; },
      +[](int32_t i, int32_t k) { return i < k ? 0 : i == k ? 1 : i < 2 * k ? 255 : 254; },
  };
  std::vector<uint8_t> mask(r.mask.size());
  for (int set = 0; set < BgrxKernelSetCount(); ++set) {
    const BgrxKernelSet& k = BgrxKernelSetAt(set);
    for (int32_t n = 1; n <= kLongest; ++n) {
      for (int32_t boundary = 0; boundary <= n; ++boundary) {
        int layout_index = 0;
        for (const auto layout : layouts) {
          const int32_t shift = (n + boundary + layout_index) % kShift;
          for (int32_t i = 0; i < n; ++i) mask[shift + i] = static_cast<uint8_t>(layout(i, boundary));
          const MaskRule rule = rules[(boundary + layout_index) % 3];
          const bool skip = boundary % 2 == 0;
          std::vector<uint32_t> a = r.dest, b = r.dest;
          k.mask_blend(a.data() + shift, r.source.data() + shift, mask.data() + shift, RowBlock{n}, rule, skip);
          Scalar::MaskBlend(b.data() + shift, r.source.data() + shift, mask.data() + shift, n, 1, rule, skip);
          ASSERT_EQ(a, b) << k.name << " n=" << n << " boundary " << boundary << " layout " << layout_index;
          // The fill through a mask, some pixels already of the colour.
          const uint32_t colour = r.dest[static_cast<std::size_t>(shift + n / 2)];
          a = r.dest, b = r.dest;
          k.fill_mask(a.data() + shift, mask.data() + shift, n, colour, rule);
          Scalar::FillMask(b.data() + shift, mask.data() + shift, n, 1, colour, rule);
          ASSERT_EQ(a, b) << k.name << " fill n=" << n << " boundary " << boundary << " layout " << layout_index;
          ++layout_index;
        }
      }
    }
  }
}

// A translucent fill at every weight over every byte value, the colour's
// own pixels among them, in rows of every tail length.
TEST(RowKernelsTest, AFillBlendGivesTheScalarBytesAtEveryWeight) {
  using Scalar = ScalarRows<Bgrx32>;
  constexpr int32_t kRow = 256 + 19;
  const uint32_t colours[] = {0x000000, 0xFFFFFF, 0x80FF01, 0x00FE7F};
  std::vector<uint32_t> row(kRow);
  for (int32_t i = 0; i < kRow; ++i)
    row[i] = static_cast<uint32_t>(i & 0xFF) * 0x00010101u ^ static_cast<uint32_t>(i >> 2) << 24;
  for (int set = 0; set < BgrxKernelSetCount(); ++set) {
    const BgrxKernelSet& k = BgrxKernelSetAt(set);
    for (const uint32_t c : colours) {
      std::vector<uint32_t> dest = row;
      for (int32_t i = 3; i < kRow; i += 7) dest[i] = c;
      for (uint32_t w = 0; w < 256; ++w) {
        const int32_t n = kRow - static_cast<int32_t>(w % 20);
        std::vector<uint32_t> a = dest, b = dest;
        k.fill_blend(a.data(), n, c, w);
        Scalar::FillBlend(b.data(), n, c, w);
        ASSERT_EQ(a, b) << k.name << " colour " << c << " weight " << w << " n=" << n;
      }
    }
  }
}

}  // namespace
}  // namespace rivo

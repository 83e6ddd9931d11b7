#pragma once
// The per-row loops of every blend, written once over a pixel policy. The
// source walks forward (step 1) or backward (step -1, mirrored); a mask row
// walks with its source. The scalar loops are the reference; Rows<Bgrx32>
// hands forward rows to the vector kernels of bgrx_simd.h, which give the
// same bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "graphics/pixel_policy.h"

namespace rivo {

struct RowKey {
  bool enabled = false;
  uint32_t value = 0;
  bool Skips(uint32_t pixel) const { return enabled && pixel == value; }
};

// Weight of a mask value m: mask 0 skips the pixel; otherwise
// w = (m * alpha) shr 8 (alpha 256 gives w = m), except that m = 255 copies
// the source (kCopy), weighs alpha (kAlpha) or follows the formula.
enum class At255 : uint8_t { kCopy, kAlpha, kFormula };
struct MaskRule {
  uint32_t alpha = 256;
  At255 at_255 = At255::kCopy;
  uint32_t Weight(uint32_t m) const {
    return m == 255 && at_255 == At255::kAlpha ? alpha : (m * alpha) >> 8;
  }
  bool Copies(uint32_t m) const { return m == 255 && at_255 == At255::kCopy; }
};

// A rectangle of rows handed to a kernel in one call (a glyph is a few dozen
// short rows, too short to pay a call each): the width and height, and the
// bytes from one row to the next of the destination, source and mask. A
// source mirrored upside down runs upwards: a negative pitch.
struct RowBlock {
  int32_t width = 0, height = 1;
  std::ptrdiff_t dest_pitch = 0, source_pitch = 0, mask_pitch = 0;
  // The row pitch bytes after row.
  template <class T>
  static T* Next(T* row, std::ptrdiff_t pitch) {
    using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(row) + pitch);
  }
};

template <class P>
struct ScalarRows {
  using Pixel = typename P::Pixel;

  static void Copy(Pixel* d, const Pixel* s, int32_t n, int32_t step) {
    if (n <= 0) return;
    if (step == 1) {
      std::memmove(d, s, sizeof(Pixel) * static_cast<std::size_t>(n));
      return;
    }
    for (int32_t i = 0; i < n; ++i, s += step) d[i] = *s;
  }
  static void CopyKeyed(Pixel* d, const Pixel* s, int32_t n, int32_t step, RowKey key) {
    for (int32_t i = 0; i < n; ++i, s += step)
      if (!key.Skips(*s)) d[i] = *s;
  }
  // skip_equal: a source pixel equal to the destination leaves it alone.
  static void Blend(Pixel* d, const Pixel* s, int32_t n, int32_t step, uint32_t w, RowKey key,
                    bool skip_equal) {
    for (int32_t i = 0; i < n; ++i, s += step) {
      if (key.Skips(*s) || (skip_equal && *s == d[i])) continue;
      d[i] = P::Blend(*s, d[i], w);
    }
  }
  // Blend without a key (skipping equal pixels) into out, which starts as under.
  static void BlendOnto(Pixel* out, const Pixel* under, const Pixel* s, int32_t n, uint32_t w) {
    for (int32_t i = 0; i < n; ++i) out[i] = s[i] == under[i] ? under[i] : P::Blend(s[i], under[i], w);
  }
  static void Add(Pixel* d, const Pixel* s, int32_t n, int32_t step, uint32_t w, RowKey key) {
    for (int32_t i = 0; i < n; ++i, s += step)
      if (!key.Skips(*s)) d[i] = P::Add(d[i], *s, w);
  }
  static void MaskBlend(Pixel* d, const Pixel* s, const uint8_t* m, int32_t n, int32_t step,
                        MaskRule rule, bool skip_equal) {
    for (int32_t i = 0; i < n; ++i, s += step, m += step) {
      if (*m == 0 || (skip_equal && *s == d[i])) continue;
      d[i] = rule.Copies(*m) ? *s : P::Blend(*s, d[i], rule.Weight(*m));
    }
  }
  // MaskBlend (not skipping equal pixels) into out, which starts as under.
  static void MaskBlendOnto(Pixel* out, const Pixel* under, const Pixel* s, const uint8_t* m, int32_t n,
                            MaskRule rule) {
    for (int32_t i = 0; i < n; ++i)
      out[i] = m[i] == 0 ? under[i] : rule.Copies(m[i]) ? s[i] : P::Blend(s[i], under[i], rule.Weight(m[i]));
  }
  static void MaskBlendBlock(Pixel* d, const Pixel* s, const uint8_t* m, const RowBlock& b, int32_t step,
                             MaskRule rule, bool skip_equal) {
    for (int32_t y = 0; y < b.height; ++y) {
      MaskBlend(d, s, m, b.width, step, rule, skip_equal);
      d = RowBlock::Next(d, b.dest_pitch);
      s = RowBlock::Next(s, b.source_pitch);
      m = RowBlock::Next(m, b.mask_pitch);
    }
  }
  static void MaskAdd(Pixel* d, const Pixel* s, const uint8_t* m, int32_t n, int32_t step,
                      MaskRule rule) {
    for (int32_t i = 0; i < n; ++i, s += step, m += step)
      if (*m != 0) d[i] = P::Add(d[i], *s, rule.Weight(*m));
  }
  // Colour c through a mask; pixels already equal to c stay.
  static void FillMask(Pixel* d, const uint8_t* m, int32_t n, int32_t step, Pixel c, MaskRule rule) {
    for (int32_t i = 0; i < n; ++i, m += step) {
      if (*m == 0 || d[i] == c) continue;
      d[i] = rule.Copies(*m) ? c : P::Blend(c, d[i], rule.Weight(*m));
    }
  }
  static void Fill(Pixel* d, int32_t n, Pixel c) {
    for (int32_t i = 0; i < n; ++i) d[i] = c;
  }
  static void FillBlend(Pixel* d, int32_t n, Pixel c, uint32_t w) {
    for (int32_t i = 0; i < n; ++i)
      if (d[i] != c) d[i] = P::Blend(c, d[i], w);
  }
  static void FillAdd(Pixel* d, int32_t n, Pixel c) {
    for (int32_t i = 0; i < n; ++i) d[i] = P::AddSaturate(d[i], c);
  }
  static void FillSub(Pixel* d, int32_t n, Pixel c) {
    for (int32_t i = 0; i < n; ++i) d[i] = P::SubSaturate(d[i], c);
  }
  // FillAdd and FillSub into out, which starts as under.
  static void FillAddOnto(Pixel* out, const Pixel* under, int32_t n, Pixel c) {
    for (int32_t i = 0; i < n; ++i) out[i] = P::AddSaturate(under[i], c);
  }
  static void FillSubOnto(Pixel* out, const Pixel* under, int32_t n, Pixel c) {
    for (int32_t i = 0; i < n; ++i) out[i] = P::SubSaturate(under[i], c);
  }
  static void SelectOnto(Pixel* out, const Pixel* under, const Pixel* s, const uint8_t* m, int32_t n) {
    for (int32_t i = 0; i < n; ++i) out[i] = m[i] != 0 ? s[i] : under[i];
  }
};

template <class P>
struct Rows : ScalarRows<P> {};

}  // namespace rivo

#include "graphics/bgrx_simd.h"

namespace rivo {

template <>
struct Rows<Bgrx32> : ScalarRows<Bgrx32> {
  using Scalar = ScalarRows<Bgrx32>;
  static void Blend(uint32_t* d, const uint32_t* s, int32_t n, int32_t step, uint32_t w,
                    RowKey key, bool skip_equal) {
    if (step == 1) BgrxKernels().blend(d, s, n, w, key, skip_equal);
    else Scalar::Blend(d, s, n, step, w, key, skip_equal);
  }
  static void Add(uint32_t* d, const uint32_t* s, int32_t n, int32_t step, uint32_t w, RowKey key) {
    if (step == 1) BgrxKernels().add(d, s, n, w, key);
    else Scalar::Add(d, s, n, step, w, key);
  }
  static void CopyKeyed(uint32_t* d, const uint32_t* s, int32_t n, int32_t step, RowKey key) {
    if (step == 1) BgrxKernels().copy_keyed(d, s, n, key);
    else Scalar::CopyKeyed(d, s, n, step, key);
  }
  static void MaskBlend(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, int32_t step,
                        MaskRule rule, bool skip_equal) {
    if (step == 1) BgrxKernels().mask_blend(d, s, m, RowBlock{n}, rule, skip_equal);
    else Scalar::MaskBlend(d, s, m, n, step, rule, skip_equal);
  }
  static void MaskBlendBlock(uint32_t* d, const uint32_t* s, const uint8_t* m, const RowBlock& b, int32_t step,
                             MaskRule rule, bool skip_equal) {
    if (step == 1) BgrxKernels().mask_blend(d, s, m, b, rule, skip_equal);
    else Scalar::MaskBlendBlock(d, s, m, b, step, rule, skip_equal);
  }
  static void MaskAdd(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, int32_t step,
                      MaskRule rule) {
    if (step == 1) BgrxKernels().mask_add(d, s, m, n, rule);
    else Scalar::MaskAdd(d, s, m, n, step, rule);
  }
  static void FillMask(uint32_t* d, const uint8_t* m, int32_t n, int32_t step, uint32_t c,
                       MaskRule rule) {
    if (step == 1) BgrxKernels().fill_mask(d, m, n, c, rule);
    else Scalar::FillMask(d, m, n, step, c, rule);
  }
  static void Fill(uint32_t* d, int32_t n, uint32_t c) { BgrxKernels().fill(d, n, c); }
  static void FillBlend(uint32_t* d, int32_t n, uint32_t c, uint32_t w) {
    BgrxKernels().fill_blend(d, n, c, w);
  }
  static void FillAdd(uint32_t* d, int32_t n, uint32_t c) { BgrxKernels().fill_add(d, n, c); }
  // Each vector reads under before writing out, so out may be under itself.
  static void FillSub(uint32_t* d, int32_t n, uint32_t c) { BgrxKernels().fill_sub_onto(d, d, n, c); }
};

}  // namespace rivo

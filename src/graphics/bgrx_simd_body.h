#pragma once
// The vector kernels, written once over a vector type V (V128: SSE2,
// V256: AVX2) and compiled in one file per instruction set. Each kernel does
// whole vectors and leaves the tail to the scalar loop (the mask blend and
// mask fill, which draw text, and the plain fill overlap their last vector
// instead). The arithmetic is
// the scalar formula on 16-bit lanes: s*w + d*(255 - w) <= 65025 never
// overflows, and the per-pixel choices (key, equal pixels, mask 0 and 255)
// become lane selections.
//
// Included by exactly one file per V; everything here is internal to it.

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "graphics/row_kernels.h"

namespace rivo {
namespace {

template <class V>
struct Kernels {
  using T = typename V::T;
  using Scalar = ScalarRows<Bgrx32>;
  // The mask bytes of one vector.
  using MaskWord = std::conditional_t<V::kLanes == 8, uint64_t, uint32_t>;
  static_assert(sizeof(MaskWord) == V::kLanes);

  // s*w + d*(255-w) shr 8 per byte, with 16-bit weights for the low and high pixel halves.
  static T Mix(T s, T d, T w_lo, T w_hi) {
    const T full = V::Set16(255);
    const T lo = V::Shr16(V::Add16(V::Mul16(V::Lo8(s), w_lo), V::Mul16(V::Lo8(d), V::Sub16(full, w_lo))));
    const T hi = V::Shr16(V::Add16(V::Mul16(V::Hi8(s), w_hi), V::Mul16(V::Hi8(d), V::Sub16(full, w_hi))));
    return V::Pack(lo, hi);
  }
  // (s*w) shr 8 per byte.
  static T Scale(T s, T w_lo, T w_hi) {
    return V::Pack(V::Shr16(V::Mul16(V::Lo8(s), w_lo)), V::Shr16(V::Mul16(V::Hi8(s), w_hi)));
  }
  static T Select(T mask, T if_set, T otherwise) { return V::Select(mask, if_set, otherwise); }
  // Per-pixel weights (32-bit lanes) spread to the 16-bit channel lanes.
  static void Spread(T w32, T& w_lo, T& w_hi) {
    const T both = V::Or(w32, V::Shl32By16(w32));
    w_lo = V::UnpackLo32(both, both);
    w_hi = V::UnpackHi32(both, both);
  }
  static T MaskWeights(T m32, const MaskRule& rule) {
    // (m * 256) shr 8 is m: drawing at full opacity weighs by the mask alone.
    T w = rule.alpha == 256 ? m32 : V::Shr16(V::Mul16(m32, V::Set32(rule.alpha)));
    if (rule.at_255 == At255::kAlpha)
      w = Select(V::Eq32(m32, V::Set32(255)), V::Set32(rule.alpha), w);
    return w;
  }

  static void Blend(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key,
                    bool skip_equal) {
    const T w16 = V::Set16(static_cast<uint16_t>(w)), kv = V::Set32(key.value);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      const T sv = V::Load(s + i), dv = V::Load(d + i);
      T keep = skip_equal ? V::Eq32(sv, dv) : V::Zero();
      if (key.enabled) keep = V::Or(keep, V::Eq32(sv, kv));
      V::Store(d + i, Select(keep, dv, Mix(sv, dv, w16, w16)));
    }
    Scalar::Blend(d + i, s + i, n - i, 1, w, key, skip_equal);
  }

  static void BlendOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, int32_t n, uint32_t w) {
    const T w16 = V::Set16(static_cast<uint16_t>(w));
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      const T sv = V::Load(s + i), uv = V::Load(under + i);
      V::Store(out + i, Select(V::Eq32(sv, uv), uv, Mix(sv, uv, w16, w16)));
    }
    Scalar::BlendOnto(out + i, under + i, s + i, n - i, w);
  }

  static void Add(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key) {
    const T w16 = V::Set16(static_cast<uint16_t>(w)), kv = V::Set32(key.value);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      const T sv = V::Load(s + i), dv = V::Load(d + i);
      const T sum = V::AddSat8(dv, Scale(sv, w16, w16));
      V::Store(d + i, key.enabled ? Select(V::Eq32(sv, kv), dv, sum) : sum);
    }
    Scalar::Add(d + i, s + i, n - i, 1, w, key);
  }

  static void CopyKeyed(uint32_t* d, const uint32_t* s, int32_t n, RowKey key) {
    if (!key.enabled) {
      Scalar::Copy(d, s, n, 1);
      return;
    }
    const T kv = V::Set32(key.value);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      const T sv = V::Load(s + i);
      V::Store(d + i, Select(V::Eq32(sv, kv), V::Load(d + i), sv));
    }
    Scalar::CopyKeyed(d + i, s + i, n - i, 1, key);
  }

  // One vector of MaskBlend at d, read before anything is written; false
  // when every mask value is 0 (nothing to store).
  static bool MaskBlendVector(const uint32_t* d, const uint32_t* s, const uint8_t* m, const MaskRule& rule,
                              bool skip_equal, T& result) {
    // Outside and inside the strokes of text the mask bytes, read as one
    // word, tell the vector's fate sooner than vector compares.
    MaskWord word;
    std::memcpy(&word, m, sizeof word);
    if (word == 0) return false;
    const T sv = V::Load(s);
    if (rule.at_255 == At255::kCopy && word == static_cast<MaskWord>(~MaskWord{0})) {
      result = sv;
      return true;
    }
    const T m32 = V::LoadMask32(m);
    const T clear = V::Eq32(m32, V::Zero());
    const T full = V::Eq32(m32, V::Set32(255));
    const T dv = V::Load(d);
    T w_lo, w_hi;
    Spread(MaskWeights(m32, rule), w_lo, w_hi);
    T out = Mix(sv, dv, w_lo, w_hi);
    if (rule.at_255 == At255::kCopy) out = Select(full, sv, out);
    const T keep = skip_equal ? V::Or(clear, V::Eq32(sv, dv)) : clear;
    result = Select(keep, dv, out);
    return true;
  }

  static void MaskBlendBlock(uint32_t* d, const uint32_t* s, const uint8_t* m, const RowBlock& b, MaskRule rule,
                             bool skip_equal) {
    for (int32_t y = 0; y < b.height; ++y) {
      MaskBlend(d, s, m, b.width, rule, skip_equal);
      d = RowBlock::Next(d, b.dest_pitch);
      s = RowBlock::Next(s, b.source_pitch);
      m = RowBlock::Next(m, b.mask_pitch);
    }
  }

  static void MaskBlend(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, const MaskRule& rule,
                        bool skip_equal) {
    if (n < V::kLanes) return Scalar::MaskBlend(d, s, m, n, 1, rule, skip_equal);
    // Text rows are short: rather than finishing pixel by pixel, the last
    // vector overlaps the one before it. Every vector is worked out from the
    // pixels as they were, so the overlap gets the same value twice; the
    // last is read first, as reading pixels just written in part stalls.
    const int32_t last = n - V::kLanes;
    T tail;
    const bool tail_stored = MaskBlendVector(d + last, s + last, m + last, rule, skip_equal, tail);
    int32_t i = 0;
    // Pictures with a mask are mostly wholly clear or wholly covered: the
    // mask bytes of a run of vectors, read as one vector, skip it or copy
    // it at once (a copied pixel equal to the old one changes nothing, so
    // skip_equal does not matter).
    constexpr int32_t kRun = static_cast<int32_t>(sizeof(T));
    static_assert(kRun % V::kLanes == 0);
    const bool copies = rule.at_255 == At255::kCopy;
    const int32_t last_run = std::min(n - kRun, last - 1);
    for (; i <= last_run; i += kRun) {
      const T run = V::LoadBytes(m + i);
      if (V::AllZero(run)) continue;
      if (copies && V::AllOnes(run)) {
        for (int32_t j = i; j < i + kRun; j += V::kLanes) V::Store(d + j, V::Load(s + j));
        continue;
      }
      // Along a hard edge every mask byte is 0 or 255: each pixel is the
      // old one or the source's.
      if (copies && V::AllSet(V::Or(V::Eq8(run, V::Zero()), V::Eq8(run, V::Set32(~0u))))) {
        for (int32_t j = i; j < i + kRun; j += V::kLanes)
          V::Store(d + j, Select(V::Eq32(V::LoadMask32(m + j), V::Zero()), V::Load(d + j), V::Load(s + j)));
        continue;
      }
      for (int32_t j = i; j < i + kRun; j += V::kLanes) {
        T out;
        if (MaskBlendVector(d + j, s + j, m + j, rule, skip_equal, out)) V::Store(d + j, out);
      }
    }
    for (; i < last; i += V::kLanes) {
      T out;
      if (MaskBlendVector(d + i, s + i, m + i, rule, skip_equal, out)) V::Store(d + i, out);
    }
    if (tail_stored) V::Store(d + last, tail);
  }

  static void MaskBlendOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n,
                            MaskRule rule) {
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      T v;
      if (!MaskBlendVector(under + i, s + i, m + i, rule, false, v)) v = V::Load(under + i);
      V::Store(out + i, v);
    }
    Scalar::MaskBlendOnto(out + i, under + i, s + i, m + i, n - i, rule);
  }

  static void MaskAdd(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, MaskRule rule) {
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      const T m32 = V::LoadMask32(m + i);
      const T clear = V::Eq32(m32, V::Zero());
      if (V::AllSet(clear)) continue;
      const T sv = V::Load(s + i), dv = V::Load(d + i);
      T w_lo, w_hi;
      Spread(MaskWeights(m32, rule), w_lo, w_hi);
      V::Store(d + i, Select(clear, dv, V::AddSat8(dv, Scale(sv, w_lo, w_hi))));
    }
    Scalar::MaskAdd(d + i, s + i, m + i, n - i, 1, rule);
  }

  static void FillMask(uint32_t* d, const uint8_t* m, int32_t n, uint32_t c, MaskRule rule) {
    if (n < V::kLanes) return Scalar::FillMask(d, m, n, 1, c, rule);
    const T cv = V::Set32(c), zero = V::Zero(), opaque = V::Set32(255);
    // Inside the strokes of text every pixel is covered. When full coverage
    // weighs the old pixel 0, such a vector becomes one value: the colour
    // itself when it is copied, else the colour mixed at that weight.
    const T w_full = MaskWeights(opaque, rule);
    const bool full_is_constant = rule.at_255 == At255::kCopy || V::AllSet(V::Eq32(w_full, opaque));
    T full_lo, full_hi;
    Spread(w_full, full_lo, full_hi);
    const T full_value = rule.at_255 == At255::kCopy ? cv : Mix(cv, zero, full_lo, full_hi);
    // One vector at p from the pixels as they were; false when every mask
    // byte is 0 (nothing to store). A vector's mask bytes read as one word
    // tell an empty or full vector sooner than vector compares.
    const auto vector = [&](const uint32_t* p, const uint8_t* mp, T& result) {
      MaskWord word;
      std::memcpy(&word, mp, sizeof word);
      if (word == 0) return false;
      const T dv = V::Load(p);
      if (full_is_constant && word == static_cast<MaskWord>(~MaskWord{0})) {
        // Pixels already of the colour stay.
        result = Select(V::Eq32(dv, cv), cv, full_value);
        return true;
      }
      const T m32 = V::LoadMask32(mp);
      const T clear = V::Eq32(m32, zero);
      T w_lo, w_hi;
      Spread(MaskWeights(m32, rule), w_lo, w_hi);
      T out = Mix(cv, dv, w_lo, w_hi);
      if (rule.at_255 == At255::kCopy) out = Select(V::Eq32(m32, opaque), cv, out);
      result = Select(V::Or(clear, V::Eq32(dv, cv)), dv, out);
      return true;
    };
    // Glyph rows are short: the last vector overlaps the one before it, as
    // in MaskBlend (worked out first, stored last).
    const int32_t last = n - V::kLanes;
    T tail;
    const bool tail_stored = vector(d + last, m + last, tail);
    for (int32_t i = 0; i < last; i += V::kLanes) {
      T out;
      if (vector(d + i, m + i, out)) V::Store(d + i, out);
    }
    if (tail_stored) V::Store(d + last, tail);
  }

  static void Fill(uint32_t* d, int32_t n, uint32_t c) {
    if (n < V::kLanes) return Scalar::Fill(d, n, c);
    const T cv = V::Set32(c);
    uint32_t* p = d;
    uint32_t* const end = d + n;
    // Whole screens are filled: 8 vectors a step keep the loop's own work small.
    for (; end - p >= 8 * V::kLanes; p += 8 * V::kLanes)
      for (int32_t j = 0; j < 8 * V::kLanes; j += V::kLanes) V::Store(p + j, cv);
    for (; end - p >= V::kLanes; p += V::kLanes) V::Store(p, cv);
    // Filling twice gives the same pixels: the last vector may overlap.
    V::Store(d + n - V::kLanes, cv);
  }

  static void FillBlend(uint32_t* d, int32_t n, uint32_t c, uint32_t w) {
    // The colour's share c*w is the same for every pixel. Each 16-bit lane
    // takes the even or the odd bytes of the pixels as they lie: the even
    // sums are shifted down, the odd ones keep their high byte in place, so
    // nothing is unpacked or packed.
    const T cv = V::Set32(c), low_bytes = V::Set16(0x00FF), w16 = V::Set16(static_cast<uint16_t>(w));
    const T c_even = V::Mul16(V::And(cv, low_bytes), w16), c_odd = V::Mul16(V::Shr16(cv), w16);
    const uint32_t rest = 255 - w;
    if constexpr (requires(T a) { V::MulAddBytes(a, a); }) {
      // Translucent boxes are mostly more opaque than clear: when 255 - w
      // fits a signed byte, one multiply-add of the pixels' bytes weighs
      // the even (odd) bytes by it and the others by 0.
      if (rest < 128) {
        const T even_weight = V::Set16(static_cast<uint16_t>(rest));
        const T odd_weight = V::Set16(static_cast<uint16_t>(rest << 8));
        return FillBlendRow(d, n, c, w, c_even, c_odd, [&](T dv, T& even, T& odd) {
          even = V::MulAddBytes(dv, even_weight);
          odd = V::MulAddBytes(dv, odd_weight);
        });
      }
    }
    const T rest16 = V::Set16(static_cast<uint16_t>(rest));
    FillBlendRow(d, n, c, w, c_even, c_odd, [&](T dv, T& even, T& odd) {
      even = V::Mul16(V::And(dv, low_bytes), rest16);
      odd = V::Mul16(V::Shr16(dv), rest16);
    });
  }

  // FillBlend given the destination's shares d*(255-w) of each pixel's even
  // and odd bytes, in 16-bit lanes.
  template <class Shares>
  static void FillBlendRow(uint32_t* d, int32_t n, uint32_t c, uint32_t w, T c_even, T c_odd, Shares shares) {
    const T cv = V::Set32(c);
    const auto fill = [&](uint32_t* p) {
      const T dv = V::Load(p);
      T even, odd;
      shares(dv, even, odd);
      const T mixed = V::MergeBytes(V::Shr16(V::Add16(even, c_even)), V::Add16(odd, c_odd));
      // Pixels already of the colour stay.
      V::Store(p, Select(V::Eq32(dv, cv), dv, mixed));
    };
    // Boxes cover whole screens: 4 vectors a step keep the loop's own work small.
    uint32_t* p = d;
    uint32_t* const end = d + n;
    for (; end - p >= 4 * V::kLanes; p += 4 * V::kLanes)
      for (int32_t j = 0; j < 4 * V::kLanes; j += V::kLanes) fill(p + j);
    for (; end - p >= V::kLanes; p += V::kLanes) fill(p);
    Scalar::FillBlend(p, static_cast<int32_t>(end - p), c, w);
  }

  static void FillAdd(uint32_t* d, int32_t n, uint32_t c) {
    const T cv = V::Set32(c);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) V::Store(d + i, V::AddSat8(V::Load(d + i), cv));
    Scalar::FillAdd(d + i, n - i, c);
  }

  static void FillAddOnto(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c) {
    const T cv = V::Set32(c);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) V::Store(out + i, V::AddSat8(V::Load(under + i), cv));
    Scalar::FillAddOnto(out + i, under + i, n - i, c);
  }

  static void FillSubOnto(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c) {
    const T cv = V::Set32(c);
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) V::Store(out + i, V::SubSat8(V::Load(under + i), cv));
    Scalar::FillSubOnto(out + i, under + i, n - i, c);
  }

  static void SelectOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n) {
    int32_t i = 0;
    for (; i + V::kLanes <= n; i += V::kLanes) {
      // Most vectors of a hard edge lie wholly on one side of it.
      MaskWord word;
      std::memcpy(&word, m + i, sizeof word);
      const T uv = V::Load(under + i);
      V::Store(out + i, word == 0 ? uv : Select(V::Eq32(V::LoadMask32(m + i), V::Zero()), uv, V::Load(s + i)));
    }
    Scalar::SelectOnto(out + i, under + i, s + i, m + i, n - i);
  }

  static constexpr BgrxKernelSet Set(const char* name) {
    return {name, Blend, Add, CopyKeyed, MaskBlendBlock, MaskAdd, FillMask, Fill, FillBlend, FillAdd, BlendOnto,
            MaskBlendOnto,
            FillAddOnto, FillSubOnto, SelectOnto};
  }
};

}  // namespace
}  // namespace rivo

// The vector kernels on SSE2, which every x86-64 processor has.

#if defined(__x86_64__) || defined(_M_X64)

#include <emmintrin.h>

#include <cstring>

#include "graphics/bgrx_simd_body.h"

namespace rivo {
namespace {

struct V128 {
  using T = __m128i;
  static constexpr int32_t kLanes = 4;
  static T Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static void Store(uint32_t* p, T v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
  static T LoadMask32(const uint8_t* m) {
    int32_t bytes;
    std::memcpy(&bytes, m, 4);
    const T v = _mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), _mm_setzero_si128());
    return _mm_unpacklo_epi16(v, _mm_setzero_si128());
  }
  static T LoadBytes(const uint8_t* m) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(m)); }
  static T Zero() { return _mm_setzero_si128(); }
  static T Set32(uint32_t v) { return _mm_set1_epi32(static_cast<int32_t>(v)); }
  static T Set16(uint16_t v) { return _mm_set1_epi16(static_cast<int16_t>(v)); }
  static T Lo8(T a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
  static T Hi8(T a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
  static T Pack(T lo, T hi) { return _mm_packus_epi16(lo, hi); }
  static T Mul16(T a, T b) { return _mm_mullo_epi16(a, b); }
  static T Add16(T a, T b) { return _mm_add_epi16(a, b); }
  static T Sub16(T a, T b) { return _mm_sub_epi16(a, b); }
  static T Shr16(T a) { return _mm_srli_epi16(a, 8); }
  static T Shl32By16(T a) { return _mm_slli_epi32(a, 16); }
  static T AddSat8(T a, T b) { return _mm_adds_epu8(a, b); }
  static T SubSat8(T a, T b) { return _mm_subs_epu8(a, b); }
  static T Eq32(T a, T b) { return _mm_cmpeq_epi32(a, b); }
  static T And(T a, T b) { return _mm_and_si128(a, b); }
  static T AndNot(T a, T b) { return _mm_andnot_si128(a, b); }
  static T Or(T a, T b) { return _mm_or_si128(a, b); }
  static T UnpackLo32(T a, T b) { return _mm_unpacklo_epi32(a, b); }
  static T UnpackHi32(T a, T b) { return _mm_unpackhi_epi32(a, b); }
  static T Eq8(T a, T b) { return _mm_cmpeq_epi8(a, b); }
  static bool AllSet(T a) { return _mm_movemask_epi8(a) == 0xFFFF; }
  static bool AllZero(T a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, _mm_setzero_si128())) == 0xFFFF; }
  static bool AllOnes(T a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, _mm_set1_epi8(-1))) == 0xFFFF; }
  // Lanes of if_set where mask is set (masks are whole lanes of 0 or ~0).
  static T Select(T mask, T if_set, T otherwise) { return Or(And(mask, if_set), AndNot(mask, otherwise)); }
  // The low byte of each 16-bit lane of low (whose high byte is 0), the high byte of high.
  static T MergeBytes(T low, T high) { return Or(low, And(high, Set16(0xFF00))); }
};

}  // namespace

BgrxKernelSet BgrxSse2Kernels() { return Kernels<V128>::Set("sse2"); }

}  // namespace rivo

#endif

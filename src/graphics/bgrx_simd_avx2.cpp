// The vector kernels on AVX2; this file alone is compiled for AVX2 and runs
// only after the processor said it has it.

#if defined(__x86_64__) || defined(_M_X64)

#include <immintrin.h>

#include "graphics/bgrx_simd_body.h"

namespace rivo {
namespace {

struct V256 {
  using T = __m256i;
  static constexpr int32_t kLanes = 8;
  static T Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static void Store(uint32_t* p, T v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  static T LoadMask32(const uint8_t* m) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(m)));
  }
  static T LoadBytes(const uint8_t* m) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(m)); }
  static T Zero() { return _mm256_setzero_si256(); }
  static T Set32(uint32_t v) { return _mm256_set1_epi32(static_cast<int32_t>(v)); }
  static T Set16(uint16_t v) { return _mm256_set1_epi16(static_cast<int16_t>(v)); }
  // Within each 128-bit half, like the SSE2 forms; weights follow the same order.
  static T Lo8(T a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
  static T Hi8(T a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
  static T Pack(T lo, T hi) { return _mm256_packus_epi16(lo, hi); }
  static T Mul16(T a, T b) { return _mm256_mullo_epi16(a, b); }
  // Per 16-bit lane a.lo * b.lo + a.hi * b.hi, a's bytes unsigned, b's signed.
  static T MulAddBytes(T a, T b) { return _mm256_maddubs_epi16(a, b); }
  static T Add16(T a, T b) { return _mm256_add_epi16(a, b); }
  static T Sub16(T a, T b) { return _mm256_sub_epi16(a, b); }
  static T Shr16(T a) { return _mm256_srli_epi16(a, 8); }
  static T Shl32By16(T a) { return _mm256_slli_epi32(a, 16); }
  static T AddSat8(T a, T b) { return _mm256_adds_epu8(a, b); }
  static T SubSat8(T a, T b) { return _mm256_subs_epu8(a, b); }
  static T Eq32(T a, T b) { return _mm256_cmpeq_epi32(a, b); }
  static T And(T a, T b) { return _mm256_and_si256(a, b); }
  static T AndNot(T a, T b) { return _mm256_andnot_si256(a, b); }
  static T Or(T a, T b) { return _mm256_or_si256(a, b); }
  static T UnpackLo32(T a, T b) { return _mm256_unpacklo_epi32(a, b); }
  static T UnpackHi32(T a, T b) { return _mm256_unpackhi_epi32(a, b); }
  static T Eq8(T a, T b) { return _mm256_cmpeq_epi8(a, b); }
  static bool AllSet(T a) { return _mm256_movemask_epi8(a) == -1; }
  static bool AllZero(T a) { return _mm256_testz_si256(a, a) != 0; }
  static bool AllOnes(T a) { return _mm256_testc_si256(a, _mm256_cmpeq_epi8(a, a)) != 0; }
  // Lanes of if_set where mask is set (masks are whole lanes of 0 or ~0).
  static T Select(T mask, T if_set, T otherwise) { return _mm256_blendv_epi8(otherwise, if_set, mask); }
  // The low byte of each 16-bit lane of low, the high byte of high.
  static T MergeBytes(T low, T high) { return _mm256_blendv_epi8(low, high, Set16(0xFF00)); }
};

}  // namespace

BgrxKernelSet BgrxAvx2Kernels() { return Kernels<V256>::Set("avx2"); }

}  // namespace rivo

#endif

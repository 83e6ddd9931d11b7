#include "media/mix_kernel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rivo {

namespace {

#if defined(__SSE2__)
// Which samples need the correction for gains of 32768 and up: none (both
// gains below), all (both at or above), or those of one side (a mask).
enum class Carry { kNone, kAll, kMasked };

template <Carry kCarry>
std::size_t AddScaledSse2(int32_t* acc, const int16_t* in, std::size_t samples, __m128i gains, __m128i carries) {
  std::size_t i = 0;
  for (; i + 8 <= samples; i += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    __m128i scaled = _mm_mulhi_epi16(s, gains);
    if constexpr (kCarry == Carry::kAll) scaled = _mm_add_epi16(scaled, s);
    if constexpr (kCarry == Carry::kMasked) scaled = _mm_add_epi16(scaled, _mm_and_si128(s, carries));
    // Sign-extended to 32 bits by interleaving with the sign of each value.
    const __m128i sign = _mm_cmpgt_epi16(_mm_setzero_si128(), scaled);
    const __m128i low = _mm_unpacklo_epi16(scaled, sign);
    const __m128i high = _mm_unpackhi_epi16(scaled, sign);
    __m128i* out = reinterpret_cast<__m128i*>(acc + i);
    _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), low));
    _mm_storeu_si128(out + 1, _mm_add_epi32(_mm_loadu_si128(out + 1), high));
  }
  return i;
}
#endif

}  // namespace

void AddScaledStereo(int32_t* acc, const int16_t* in, std::size_t frames, int32_t gain_left, int32_t gain_right) {
  std::size_t i = 0;
  const std::size_t samples = frames * 2;
#if defined(__SSE2__)
  // s × g = s × (g − 65536) + s × 65536 for g ≥ 32768, so the high half of
  // the product is the signed 16-bit multiply's high half by g taken as a
  // signed 16-bit value, plus s itself where g ≥ 32768 (g = 65536 gives
  // s exactly). The sum never leaves 16 bits, as the true result does not.
  auto lane = [](int32_t g) { return static_cast<int16_t>(static_cast<uint16_t>(g & 0xFFFF)); };
  auto carry = [](int32_t g) { return static_cast<int16_t>(g >= 32768 ? -1 : 0); };
  const __m128i gains = _mm_set_epi16(lane(gain_right), lane(gain_left), lane(gain_right), lane(gain_left),
                                      lane(gain_right), lane(gain_left), lane(gain_right), lane(gain_left));
  const __m128i carries = _mm_set_epi16(carry(gain_right), carry(gain_left), carry(gain_right), carry(gain_left),
                                        carry(gain_right), carry(gain_left), carry(gain_right), carry(gain_left));
  if (carry(gain_left) != carry(gain_right))
    i = AddScaledSse2<Carry::kMasked>(acc, in, samples, gains, carries);
  else if (carry(gain_left))
    i = AddScaledSse2<Carry::kAll>(acc, in, samples, gains, carries);
  else
    i = AddScaledSse2<Carry::kNone>(acc, in, samples, gains, carries);
#endif
  for (; i < samples; i += 2) {
    acc[i] += in[i] * gain_left >> 16;
    acc[i + 1] += in[i + 1] * gain_right >> 16;
  }
}

}  // namespace rivo

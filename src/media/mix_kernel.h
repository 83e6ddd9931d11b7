#pragma once
// The inner loop of the mixer: one voice's interleaved stereo samples,
// scaled by a Q16 gain per side (0 … 65536), added into the accumulator:
// acc[i] += (s × g) >> 16, the shift arithmetic. Where the processor has
// SSE2 the scaling runs eight samples at a time on the 16-bit multiply's
// high half, corrected for gains of 32768 and up, with the same results.

#include <cstddef>
#include <cstdint>

namespace rivo {

void AddScaledStereo(int32_t* acc, const int16_t* in, std::size_t frames, int32_t gain_left, int32_t gain_right);

}  // namespace rivo

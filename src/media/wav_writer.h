#pragma once
// A RIFF WAVE file of plain PCM: what `rivotool play --wav` writes, and how
// tests make their sounds.

#include <cstdint>
#include <string>
#include <string_view>

#include "media/pcm_format.h"

namespace rivo {

// The 44 bytes before the samples: "RIFF", "fmt " and the "data" chunk's
// header, sized for data_bytes of samples (and the pad byte an odd count needs).
std::string WavHeaderBytes(const PcmFormat& format, uint32_t data_bytes);

std::string WavFileBytes(const PcmFormat& format, std::string_view pcm);

}  // namespace rivo

#pragma once
// A RIFF WAVE file of plain PCM: what `rivotool play --wav` writes, and how
// tests make their sounds.

#include <string>
#include <string_view>

#include "media/pcm_format.h"

namespace rivo {

std::string WavFileBytes(const PcmFormat& format, std::string_view pcm);

}  // namespace rivo

#pragma once
// Sound in any codec FFmpeg knows (WMA, ADPCM or MP3 inside WAVE, ...),
// decoded whole into the mixer's format at Add time. Such files are sound
// effects and the odd music track, so holding them decoded costs little and
// makes seeking exact; a cap keeps a damaged or hostile file from filling
// memory.

#include <memory>

#include "media/pcm_stream.h"

namespace rivo {

// Ten minutes of 44,100 Hz 16-bit stereo.
constexpr int64_t kMaxDecodedBytes = int64_t{600} * 176400;

// Raises kBadSoundData when no audio stream decodes.
std::unique_ptr<PcmStream> DecodeWithFfmpeg(std::unique_ptr<TStream> file);

}  // namespace rivo

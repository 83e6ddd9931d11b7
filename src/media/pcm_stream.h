#pragma once
// PcmStream: a read-only stream of PCM bytes in one format, what every
// decoder delivers and what the mixers read. Seeking is by byte and cheap
// enough to use for loops.

#include <string>

#include "content/stream.h"
#include "media/pcm_format.h"

namespace rivo {

// The error of every sound file the decoders cannot read.
inline constexpr const char* kBadSoundData = "サウンドデータが不正です";

class PcmStream : public TStream {
 public:
  virtual const PcmFormat& Format() const = 0;
  // The whole sound, already in the mixer's format, in memory for as long
  // as the stream lives: the mixer then reads it in place. nullptr when the
  // sound must be decoded.
  virtual const int16_t* ResidentMixSamples() const { return nullptr; }
  int64_t Write(const void*, int64_t) override { return 0; }
};

}  // namespace rivo

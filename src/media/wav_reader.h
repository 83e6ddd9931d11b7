#pragma once
// RIFF WAVE files: the chunk walk that finds "fmt " and "data", and a PCM
// stream over the data chunk for the codecs we play ourselves (integer PCM
// of 8, 16, 24 or 32 bits and 32- or 64-bit float). Other codecs (ADPCM,
// MP3 in WAVE, ...) go to FFmpeg.

#include <cstdint>
#include <memory>

#include "media/pcm_stream.h"

namespace rivo {

struct WavLayout {
  PcmFormat Format;      // FormatTag is the file's codec (extensible files give their sub-format)
  int64_t DataOffset = 0;
  int64_t DataSize = 0;  // whole frames, clamped to what the file holds
};

// Walks the chunks from the stream's start. Raises kBadSoundData when the
// file is no RIFF WAVE, lacks "fmt " or "data", or its format is nonsense.
WavLayout ReadWavLayout(TStream& stream);

// Whether the codec is one WavPcmStream plays.
bool IsPlainPcm(const PcmFormat& format);

class WavPcmStream final : public PcmStream {
 public:
  // layout must describe plain PCM (IsPlainPcm).
  WavPcmStream(std::unique_ptr<TStream> file, const WavLayout& layout);

  const PcmFormat& Format() const override { return layout_.Format; }
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override { return layout_.DataSize; }

 private:
  std::unique_ptr<TStream> file_;
  WavLayout layout_;
  int64_t position_ = 0;
};

}  // namespace rivo

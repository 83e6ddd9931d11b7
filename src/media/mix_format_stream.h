#pragma once
// Any plain PCM (8 to 32-bit integers, float, one or more channels, any
// rate) as the mixer's 44,100 Hz 16-bit stereo. Rates convert by linear
// interpolation, computed from the output frame number alone, so a seek
// lands on exactly the samples a straight run would give. Mono plays on
// both sides; of more channels the first two (left and right) play.

#include <memory>
#include <vector>

#include "media/pcm_stream.h"

namespace rivo {

class MixFormatStream final : public PcmStream {
 public:
  explicit MixFormatStream(std::unique_ptr<PcmStream> source);

  // The source itself when it is in the mixer's format already.
  static std::unique_ptr<PcmStream> Wrap(std::unique_ptr<PcmStream> source);

  const PcmFormat& Format() const override { return kMixFormat; }
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override;

 private:
  int64_t OutFrames();
  // Decodes source frames [first, first + count) into the cache.
  void Load(int64_t first, int64_t count);
  int32_t Sample(int64_t frame, int side);

  std::unique_ptr<PcmStream> source_;
  PcmFormat in_;
  int64_t position_ = 0;  // output frame
  std::vector<int32_t> cache_;  // left, right per source frame
  int64_t cache_first_ = 0;
  std::vector<uint8_t> raw_;
};

}  // namespace rivo

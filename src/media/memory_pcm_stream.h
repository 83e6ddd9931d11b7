#pragma once
// PCM held whole in memory: what FFmpeg decodes for the codecs we cannot
// stream ourselves, and sounds built in tests.

#include <string>

#include "media/pcm_stream.h"

namespace rivo {

class MemoryPcmStream final : public PcmStream {
 public:
  MemoryPcmStream(const PcmFormat& format, std::string bytes);

  const PcmFormat& Format() const override { return format_; }
  const int16_t* ResidentMixSamples() const override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(bytes_.size()); }

 private:
  PcmFormat format_;
  std::string bytes_;
  int64_t position_ = 0;
};

}  // namespace rivo

#include "media/pcm_format.h"

#include <cmath>

namespace rivo {

PcmFormat PcmFormat::Make(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag) {
  PcmFormat f;
  f.FormatTag = tag;
  f.Channels = channels;
  f.SamplesPerSec = rate;
  f.BitsPerSample = bits;
  f.BlockAlign = static_cast<uint16_t>(channels * ((bits + 7) / 8));
  f.AvgBytesPerSec = rate * f.BlockAlign;
  return f;
}

double PcmFormat::BytesPerMs() const {
  return static_cast<double>(BitsPerSample) * Channels * SamplesPerSec / 8000.0;
}

int64_t MsToBytes(const PcmFormat& format, int64_t ms) {
  int64_t bytes = std::llround(static_cast<double>(ms) * format.BytesPerMs());
  int64_t frame = format.BlockAlign > 0 ? format.BlockAlign : 1;
  return bytes / frame * frame;
}

int32_t BytesToMs(const PcmFormat& format, int64_t bytes) {
  double per_ms = format.BytesPerMs();
  if (per_ms <= 0) return 0;
  return static_cast<int32_t>(std::llround(static_cast<double>(bytes) / per_ms));
}

}  // namespace rivo

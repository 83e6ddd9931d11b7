#pragma once
// The shape of a stream of PCM bytes, as a wave file's "fmt " chunk gives it.
// Positions in a PCM stream are bytes; items speak milliseconds, and every
// conversion between the two goes through here so that a byte position
// always falls on a sample frame.

#include <cstdint>

namespace rivo {

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatFloat = 3;

struct PcmFormat {
  uint16_t FormatTag = kWaveFormatPcm;
  uint16_t Channels = 2;
  uint32_t SamplesPerSec = 44100;
  uint32_t AvgBytesPerSec = 176400;
  uint16_t BlockAlign = 4;
  uint16_t BitsPerSample = 16;

  static PcmFormat Make(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = kWaveFormatPcm);
  // bits × channels × rate / 8000, as a real: 176.4 for the mixer's format.
  double BytesPerMs() const;
  bool operator==(const PcmFormat&) const = default;
};

// What the mixer plays: 44,100 Hz, 16-bit, stereo.
inline const PcmFormat kMixFormat = PcmFormat::Make(2, 44100, 16);

// Milliseconds to a byte offset, rounded to the nearest integer and then
// down to a whole frame (a 3 ms loop start must not land mid-sample).
int64_t MsToBytes(const PcmFormat& format, int64_t ms);
// A byte offset to milliseconds, rounded to the nearest integer.
int32_t BytesToMs(const PcmFormat& format, int64_t bytes);

}  // namespace rivo

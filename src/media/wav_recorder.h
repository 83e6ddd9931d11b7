#pragma once
// A WAVE file written while its samples come, for recordings whose length
// nobody knows ahead (the player's --audio-out). The header's sizes are set
// when the recording is finished; until then they say no samples.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "media/pcm_format.h"

namespace rivo {

class WavRecorderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class WavRecorder {
 public:
  // The most sample bytes a WAVE file's 32-bit sizes can describe, in whole frames.
  static uint32_t MaxDataBytes(const PcmFormat& format);

  // Creates (or empties) file; throws WavRecorderError when it cannot.
  // max_data_bytes caps the samples kept, in whole frames (tests give a small cap).
  WavRecorder(const std::filesystem::path& file, const PcmFormat& format, uint32_t max_data_bytes = 0);
  WavRecorder(const WavRecorder&) = delete;
  WavRecorder& operator=(const WavRecorder&) = delete;
  // Finishes the file.
  ~WavRecorder();

  // Appends PCM bytes in the file's format. What would pass the cap is
  // dropped: the file keeps its first ~4 GB rather than turning unreadable.
  void Append(std::string_view pcm);
  // Interleaved 16-bit samples, stored little-endian whatever the machine.
  void AppendSamples(std::span<const int16_t> samples);
  // Writes the sizes into the header and closes the file; false when a
  // write failed on the way (disk full). Later calls do nothing.
  bool Finish();

  uint32_t DataBytes() const { return data_bytes_; }
  bool Truncated() const { return truncated_; }

 private:
  PcmFormat format_;
  uint32_t max_data_bytes_;
  std::FILE* file_ = nullptr;
  uint32_t data_bytes_ = 0;
  bool failed_ = false;
  bool truncated_ = false;
  std::string buffer_;  // AppendSamples' bytes, kept to spare the audio thread an allocation
};

}  // namespace rivo

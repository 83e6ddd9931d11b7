#include "media/wav_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "media/wav_writer.h"

namespace rivo {

uint32_t WavRecorder::MaxDataBytes(const PcmFormat& format) {
  // The RIFF size counts the 36 header bytes after it and a pad byte.
  constexpr uint32_t kLimit = UINT32_MAX - 36 - 1;
  uint32_t block = std::max<uint32_t>(format.BlockAlign, 1);
  return kLimit - kLimit % block;
}

WavRecorder::WavRecorder(const std::filesystem::path& file, const PcmFormat& format, uint32_t max_data_bytes)
    : format_(format),
      max_data_bytes_(max_data_bytes == 0 ? MaxDataBytes(format) : std::min(max_data_bytes, MaxDataBytes(format))) {
  // A recording cut short ends on a whole frame.
  max_data_bytes_ -= max_data_bytes_ % std::max<uint32_t>(format.BlockAlign, 1);
  file_ = std::fopen(file.c_str(), "wb");
  if (!file_) throw WavRecorderError("cannot write the sound to " + file.string() + ": " + std::strerror(errno));
  const std::string header = WavHeaderBytes(format_, 0);
  failed_ = std::fwrite(header.data(), 1, header.size(), file_) != header.size();
}

WavRecorder::~WavRecorder() { Finish(); }

void WavRecorder::Append(std::string_view pcm) {
  if (!file_) return;
  std::size_t room = max_data_bytes_ - data_bytes_;
  if (pcm.size() > room) {
    pcm = pcm.substr(0, room);
    truncated_ = true;
  }
  if (pcm.empty()) return;
  if (std::fwrite(pcm.data(), 1, pcm.size(), file_) != pcm.size()) failed_ = true;
  data_bytes_ += static_cast<uint32_t>(pcm.size());
}

void WavRecorder::AppendSamples(std::span<const int16_t> samples) {
  buffer_.resize(samples.size() * 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    auto v = static_cast<uint16_t>(samples[i]);
    buffer_[2 * i] = static_cast<char>(v & 0xFF);
    buffer_[2 * i + 1] = static_cast<char>(v >> 8);
  }
  Append(buffer_);
}

bool WavRecorder::Finish() {
  if (!file_) return !failed_;
  if (data_bytes_ & 1) failed_ |= std::fputc(0, file_) == EOF;
  const std::string header = WavHeaderBytes(format_, data_bytes_);
  failed_ |= std::fseek(file_, 0, SEEK_SET) != 0;
  failed_ |= std::fwrite(header.data(), 1, header.size(), file_) != header.size();
  failed_ |= std::fclose(file_) != 0;
  file_ = nullptr;
  return !failed_;
}

}  // namespace rivo

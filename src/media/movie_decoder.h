#pragma once
// The picture of a movie, frame by frame, through FFmpeg: decodes forward
// to a time, converts the latest frame due to BGRX, seeks back to a time.

#include <cstdint>
#include <memory>
#include <vector>

#include "content/stream.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace rivo {

class FfmpegInput;

class MovieDecoder {
 public:
  // Raises kBadSoundData when the file holds no picture that decodes.
  explicit MovieDecoder(std::unique_ptr<TStream> file);
  ~MovieDecoder();
  MovieDecoder(const MovieDecoder&) = delete;
  MovieDecoder& operator=(const MovieDecoder&) = delete;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t LengthMs() const { return length_ms_; }
  // Makes the last frame due at ms the current one; true when it changed.
  // The first frame is shown at once, whatever its time.
  bool AdvanceTo(int64_t ms);
  void SeekTo(int64_t ms);
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

 private:
  bool DecodeNext();
  void Convert();

  std::unique_ptr<FfmpegInput> input_;
  int stream_ = -1;
  double ms_per_tick_ = 0;
  double origin_ms_ = 0;  // the container's start time: movie time 0
  AVCodecContext* codec_ = nullptr;
  AVFrame* pending_ = nullptr;  // decoded, not yet due
  AVFrame* current_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* sws_ = nullptr;
  bool have_pending_ = false;
  bool shown_any_ = false;
  bool eof_ = false;
  int64_t pending_ms_ = 0;
  int32_t width_ = 0, height_ = 0, length_ms_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace rivo

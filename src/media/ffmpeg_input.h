#pragma once
// An FFmpeg demuxer reading through one of our streams by a custom I/O
// context, so archive entries play in place. Shared by the audio decoder
// and the movie player.

#include <memory>

#include "content/stream.h"

struct AVFormatContext;
struct AVIOContext;

namespace rivo {

class FfmpegInput {
 public:
  // Raises kBadSoundData when FFmpeg finds no readable container.
  explicit FfmpegInput(std::unique_ptr<TStream> file);
  ~FfmpegInput();
  FfmpegInput(const FfmpegInput&) = delete;
  FfmpegInput& operator=(const FfmpegInput&) = delete;

  AVFormatContext* Context() const { return format_; }

 private:
  void Release();

  std::unique_ptr<TStream> file_;
  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
};

}  // namespace rivo

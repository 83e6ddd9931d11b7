#include "media/ffmpeg_input.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

#include "common/error.h"
#include "media/pcm_stream.h"

namespace rivo {

namespace {

constexpr int kIoBufferSize = 32768;

int ReadPacket(void* opaque, uint8_t* buffer, int size) {
  int64_t got = static_cast<TStream*>(opaque)->Read(buffer, size);
  return got > 0 ? static_cast<int>(got) : AVERROR_EOF;
}

int64_t SeekStream(void* opaque, int64_t offset, int whence) {
  auto* file = static_cast<TStream*>(opaque);
  if (whence == AVSEEK_SIZE) return file->GetSize();
  SeekOrigin origin = (whence & 3) == SEEK_SET ? SeekOrigin::kBeginning
                      : (whence & 3) == SEEK_CUR ? SeekOrigin::kCurrent
                                                 : SeekOrigin::kEnd;
  return file->Seek(offset, origin);
}

}  // namespace

FfmpegInput::FfmpegInput(std::unique_ptr<TStream> file) : file_(std::move(file)) {
  av_log_set_level(AV_LOG_QUIET);
  file_->SetPosition(0);
  auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
  io_ = avio_alloc_context(buffer, kIoBufferSize, 0, file_.get(), ReadPacket, nullptr, SeekStream);
  format_ = avformat_alloc_context();
  if (!io_ || !format_) {
    Release();
    throw RivoError(kBadSoundData);
  }
  format_->pb = io_;
  // avformat_open_input frees the context when it fails.
  if (avformat_open_input(&format_, nullptr, nullptr, nullptr) < 0 || avformat_find_stream_info(format_, nullptr) < 0) {
    Release();
    throw RivoError(kBadSoundData);
  }
}

FfmpegInput::~FfmpegInput() { Release(); }

void FfmpegInput::Release() {
  if (format_) avformat_close_input(&format_);
  if (io_) {
    av_freep(&io_->buffer);
    avio_context_free(&io_);
  }
}

}  // namespace rivo

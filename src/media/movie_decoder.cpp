#include "media/movie_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

#include "common/error.h"
#include "media/ffmpeg_input.h"
#include "media/pcm_stream.h"

namespace rivo {

namespace {
// Pictures larger than this are refused rather than allocated.
constexpr int32_t kMaxSide = 8192;
}  // namespace

MovieDecoder::MovieDecoder(std::unique_ptr<TStream> file) : input_(std::make_unique<FfmpegInput>(std::move(file))) {
  AVFormatContext* fmt = input_->Context();
  const AVCodec* codec = nullptr;
  stream_ = av_find_best_stream(fmt, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  if (stream_ < 0 || !codec) throw RivoError(kBadSoundData);
  AVStream* st = fmt->streams[stream_];
  codec_ = avcodec_alloc_context3(codec);
  if (!codec_ || avcodec_parameters_to_context(codec_, st->codecpar) < 0 || avcodec_open2(codec_, codec, nullptr) < 0) {
    avcodec_free_context(&codec_);
    throw RivoError(kBadSoundData);
  }
  width_ = codec_->width;
  height_ = codec_->height;
  if (width_ <= 0 || height_ <= 0 || width_ > kMaxSide || height_ > kMaxSide) {
    avcodec_free_context(&codec_);
    throw RivoError(kBadSoundData);
  }
  ms_per_tick_ = av_q2d(st->time_base) * 1000.0;
  // MPEG program streams start their clocks at half a second or so.
  if (fmt->start_time != AV_NOPTS_VALUE) origin_ms_ = static_cast<double>(fmt->start_time) / 1000.0;
  if (fmt->duration != AV_NOPTS_VALUE && fmt->duration > 0)
    length_ms_ = static_cast<int32_t>(std::min<int64_t>(fmt->duration / 1000, INT32_MAX));
  else if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
    length_ms_ = static_cast<int32_t>(std::lround(static_cast<double>(st->duration) * ms_per_tick_));
  pending_ = av_frame_alloc();
  current_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

MovieDecoder::~MovieDecoder() {
  sws_freeContext(sws_);
  av_packet_free(&packet_);
  av_frame_free(&current_);
  av_frame_free(&pending_);
  avcodec_free_context(&codec_);
}

bool MovieDecoder::DecodeNext() {
  while (!eof_) {
    int r = avcodec_receive_frame(codec_, pending_);
    if (r >= 0) {
      int64_t ts = pending_->best_effort_timestamp;
      pending_ms_ = ts == AV_NOPTS_VALUE ? pending_ms_ : std::llround(static_cast<double>(ts) * ms_per_tick_ - origin_ms_);
      return true;
    }
    if (r == AVERROR_EOF) {
      eof_ = true;
      break;
    }
    // The decoder wants more input.
    if (av_read_frame(input_->Context(), packet_) < 0) {
      avcodec_send_packet(codec_, nullptr);  // drain what it holds
      continue;
    }
    if (packet_->stream_index == stream_) avcodec_send_packet(codec_, packet_);  // a bad packet is skipped
    av_packet_unref(packet_);
  }
  return false;
}

bool MovieDecoder::AdvanceTo(int64_t ms) {
  bool changed = false;
  for (;;) {
    if (!have_pending_) {
      if (!DecodeNext()) break;
      have_pending_ = true;
    }
    if (shown_any_ && pending_ms_ > ms) break;
    av_frame_unref(current_);
    av_frame_move_ref(current_, pending_);
    have_pending_ = false;
    shown_any_ = true;
    changed = true;
  }
  if (changed) Convert();
  return changed;
}

void MovieDecoder::SeekTo(int64_t ms) {
  int64_t ts = ms_per_tick_ > 0 ? static_cast<int64_t>((static_cast<double>(ms) + origin_ms_) / ms_per_tick_) : 0;
  av_seek_frame(input_->Context(), stream_, ts, AVSEEK_FLAG_BACKWARD);
  avcodec_flush_buffers(codec_);
  av_frame_unref(pending_);
  have_pending_ = false;
  shown_any_ = false;
  eof_ = false;
}

void MovieDecoder::Convert() {
  // A picture whose size changed mid-stream is scaled to the size announced.
  sws_ = sws_getCachedContext(sws_, current_->width, current_->height, static_cast<AVPixelFormat>(current_->format),
                              width_, height_, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!sws_) return;
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(pixels_.data()), nullptr, nullptr, nullptr};
  int strides[4] = {width_ * 4, 0, 0, 0};
  sws_scale(sws_, current_->data, current_->linesize, 0, current_->height, planes, strides);
  // The fourth byte of our pixels is always 0.
  for (uint32_t& p : pixels_) p &= 0x00FFFFFF;
}

}  // namespace rivo

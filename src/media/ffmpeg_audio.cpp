#include "media/ffmpeg_audio.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <string>

#include "common/error.h"
#include "media/ffmpeg_input.h"
#include "media/memory_pcm_stream.h"

namespace rivo {

namespace {

struct CodecDeleter {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct SwrDeleter {
  void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FrameDeleter {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};

class AudioDecoder {
 public:
  explicit AudioDecoder(std::unique_ptr<TStream> file) : input_(std::move(file)) {
    AVFormatContext* fmt = input_.Context();
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(fmt, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) throw RivoError(kBadSoundData);
    codec_.reset(avcodec_alloc_context3(codec));
    if (!codec_ || avcodec_parameters_to_context(codec_.get(), fmt->streams[stream_]->codecpar) < 0 ||
        avcodec_open2(codec_.get(), codec, nullptr) < 0)
      throw RivoError(kBadSoundData);
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
  }

  std::string DecodeAll() {
    while (out_.size() < static_cast<std::size_t>(kMaxDecodedBytes)) {
      int r = av_read_frame(input_.Context(), packet_.get());
      if (r < 0) break;
      if (packet_->stream_index == stream_) Send(packet_.get());
      av_packet_unref(packet_.get());
    }
    Send(nullptr);
    if (swr_) Convert(nullptr, 0);  // what the resampler still holds
    if (out_.size() > static_cast<std::size_t>(kMaxDecodedBytes)) out_.resize(kMaxDecodedBytes);
    return std::move(out_);
  }

 private:
  void Send(AVPacket* packet) {
    // A packet the codec refuses is skipped: the sound goes on with the next.
    if (avcodec_send_packet(codec_.get(), packet) < 0 && packet) return;
    while (avcodec_receive_frame(codec_.get(), frame_.get()) >= 0) {
      Convert(const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
      av_frame_unref(frame_.get());
    }
  }

  void Convert(const uint8_t** data, int samples) {
    if (!swr_ && data) {
      SwrContext* swr = nullptr;
      AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
      AVChannelLayout in = frame_->ch_layout;
      if (in.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&in, in.nb_channels);
      if (swr_alloc_set_opts2(&swr, &stereo, AV_SAMPLE_FMT_S16, 44100, &in,
                              static_cast<AVSampleFormat>(frame_->format), frame_->sample_rate, 0, nullptr) < 0 ||
          swr_init(swr) < 0) {
        swr_free(&swr);
        throw RivoError(kBadSoundData);
      }
      swr_.reset(swr);
    }
    if (!swr_) return;
    int room = swr_get_out_samples(swr_.get(), samples);
    if (room <= 0) return;
    std::size_t at = out_.size();
    out_.resize(at + static_cast<std::size_t>(room) * 4);
    auto* dest = reinterpret_cast<uint8_t*>(out_.data() + at);
    int made = swr_convert(swr_.get(), &dest, room, data, samples);
    out_.resize(at + static_cast<std::size_t>(std::max(made, 0)) * 4);
  }

  FfmpegInput input_;
  int stream_ = -1;
  std::unique_ptr<AVCodecContext, CodecDeleter> codec_;
  std::unique_ptr<SwrContext, SwrDeleter> swr_;
  std::unique_ptr<AVFrame, FrameDeleter> frame_;
  std::unique_ptr<AVPacket, PacketDeleter> packet_;
  std::string out_;
};

}  // namespace

std::unique_ptr<PcmStream> DecodeWithFfmpeg(std::unique_ptr<TStream> file) {
  AudioDecoder decoder(std::move(file));
  std::string pcm = decoder.DecodeAll();
  if (pcm.empty()) throw RivoError(kBadSoundData);
  return std::make_unique<MemoryPcmStream>(kMixFormat, std::move(pcm));
}

}  // namespace rivo

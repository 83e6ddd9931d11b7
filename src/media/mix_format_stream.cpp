#include "media/mix_format_stream.h"

#include <algorithm>
#include <cstring>

namespace rivo {

namespace {

constexpr int64_t kOutRate = 44100;
constexpr int64_t kChunkFrames = 4096;

int32_t Clamp16(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -32768, 32767)); }

// One channel's sample at p, as a 16-bit value.
int32_t Decode(const uint8_t* p, const PcmFormat& f) {
  if (f.FormatTag == kWaveFormatFloat) {
    double v;
    if (f.BitsPerSample == 32) {
      float x;
      std::memcpy(&x, p, 4);
      v = x;
    } else {
      std::memcpy(&v, p, 8);
    }
    if (!(v == v)) return 0;  // NaN
    return Clamp16(static_cast<int64_t>(std::clamp(v, -1.0, 1.0) * 32767.0));
  }
  switch (f.BitsPerSample) {
    case 8: return (static_cast<int32_t>(p[0]) - 128) * 256;
    case 16: return static_cast<int16_t>(p[0] | p[1] << 8);
    case 24: return static_cast<int16_t>(p[1] | p[2] << 8);
    default: return static_cast<int16_t>(p[2] | p[3] << 8);
  }
}

}  // namespace

MixFormatStream::MixFormatStream(std::unique_ptr<PcmStream> source) : source_(std::move(source)), in_(source_->Format()) {}

std::unique_ptr<PcmStream> MixFormatStream::Wrap(std::unique_ptr<PcmStream> source) {
  if (source->Format() == kMixFormat) return source;
  return std::make_unique<MixFormatStream>(std::move(source));
}

int64_t MixFormatStream::OutFrames() {
  int64_t frames = source_->GetSize() / in_.BlockAlign;
  return frames * kOutRate / in_.SamplesPerSec;
}

int64_t MixFormatStream::GetSize() { return OutFrames() * 4; }

void MixFormatStream::Load(int64_t first, int64_t count) {
  raw_.resize(static_cast<std::size_t>(count * in_.BlockAlign));
  source_->SetPosition(first * in_.BlockAlign);
  int64_t got = source_->Read(raw_.data(), static_cast<int64_t>(raw_.size())) / in_.BlockAlign;
  cache_.assign(static_cast<std::size_t>(got * 2), 0);
  const int bytes = in_.BlockAlign / in_.Channels;
  for (int64_t i = 0; i < got; ++i) {
    const uint8_t* frame = raw_.data() + i * in_.BlockAlign;
    int32_t left = Decode(frame, in_);
    cache_[static_cast<std::size_t>(i * 2)] = left;
    cache_[static_cast<std::size_t>(i * 2 + 1)] = in_.Channels > 1 ? Decode(frame + bytes, in_) : left;
  }
  cache_first_ = first;
}

int32_t MixFormatStream::Sample(int64_t frame, int side) {
  int64_t cached = static_cast<int64_t>(cache_.size() / 2);
  if (frame < cache_first_ || frame >= cache_first_ + cached) {
    Load(frame, kChunkFrames);
    cached = static_cast<int64_t>(cache_.size() / 2);
    if (cached == 0) return 0;
  }
  return cache_[static_cast<std::size_t>((frame - cache_first_) * 2 + side)];
}

int64_t MixFormatStream::Read(void* buffer, int64_t count) {
  const int64_t last_source = source_->GetSize() / in_.BlockAlign - 1;
  int64_t frames = std::clamp<int64_t>(OutFrames() - position_, 0, std::max<int64_t>(count, 0) / 4);
  auto* out = static_cast<int16_t*>(buffer);
  for (int64_t n = 0; n < frames; ++n) {
    int64_t p = (position_ + n) * in_.SamplesPerSec;
    int64_t i = p / kOutRate, frac = p % kOutRate;
    int64_t j = std::min(i + 1, last_source);
    for (int side = 0; side < 2; ++side) {
      int64_t a = Sample(i, side);
      int64_t b = frac ? Sample(j, side) : a;
      out[n * 2 + side] = static_cast<int16_t>(a + (b - a) * frac / kOutRate);
    }
  }
  position_ += frames;
  return frames * 4;
}

int64_t MixFormatStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t size = GetSize();
  int64_t base = origin == SeekOrigin::kBeginning ? 0 : origin == SeekOrigin::kCurrent ? position_ * 4 : size;
  position_ = std::clamp<int64_t>(base + offset, 0, size) / 4;
  return position_ * 4;
}

}  // namespace rivo

#include "media/wav_out.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace rivo {

namespace {

constexpr std::size_t kPoolBlocks = 4;

// How a source of one of the six played formats becomes 44,100 Hz 16-bit
// stereo: each source frame makes `repeat` output frames, and the source is
// read in pieces of BufferBytes / divisor bytes so that a whole block
// results.
struct Conversion {
  bool eight_bit;
  bool mono;
  int repeat;   // 1 at 44,100 Hz, 2 at 22,050 Hz
  int divisor;  // BufferBytes / bytes read
};

bool ConversionOf(const PcmFormat& f, Conversion& c) {
  if (f.FormatTag != kWaveFormatPcm) return false;
  if (f.Channels != 1 && f.Channels != 2) return false;
  if (f.BitsPerSample != 8 && f.BitsPerSample != 16) return false;
  if (f.SamplesPerSec != 44100 && f.SamplesPerSec != 22050) return false;
  c.eight_bit = f.BitsPerSample == 8;
  c.mono = f.Channels == 1;
  c.repeat = f.SamplesPerSec == 22050 ? 2 : 1;
  c.divisor = (c.eight_bit ? 2 : 1) * (c.mono ? 2 : 1) * c.repeat;
  return true;
}

}  // namespace

bool IsWavOutFormat(const PcmFormat& format) {
  Conversion c;
  return ConversionOf(format, c);
}

// ---------------------------------------------------------------- TWavBuffer

TWavBuffer::TWavBuffer(TWavOut& owner, const PcmFormat& format, PcmStream* source)
    : owner_(owner), format_(format), source_(source),
      scratch_(static_cast<std::size_t>(owner.BufferBytes() / 2)) {}

TWavBuffer::~TWavBuffer() { owner_.Activate(this, false); }

void TWavBuffer::Play() {
  std::lock_guard lock(owner_.lock_);
  if (!owner_.open_) return;
  started_ = true;
  paused_ = false;
  ended_ = false;
  owner_.Activate(this, true);
}

void TWavBuffer::Pause() {
  std::lock_guard lock(owner_.lock_);
  if (!owner_.open_) return;
  paused_ = true;
  owner_.Activate(this, false);
}

void TWavBuffer::SetPosition(int32_t bytes) {
  std::lock_guard lock(owner_.lock_);
  position_ = bytes;
}

void TWavBuffer::SetVolume(int32_t volume) {
  std::lock_guard lock(owner_.lock_);
  volume_ = volume;
}

bool TWavBuffer::Started() {
  std::lock_guard lock(owner_.lock_);
  return started_;
}

bool TWavBuffer::Paused() {
  std::lock_guard lock(owner_.lock_);
  return paused_;
}

bool TWavBuffer::IsEnd() {
  std::lock_guard lock(owner_.lock_);
  if (!owner_.open_) return true;
  if (!ended_) return false;
  // Ended means the last samples were mixed; they are heard once the blocks
  // queued before them have played.
  return owner_.Now() - last_fill_ > static_cast<uint64_t>(2 * owner_.delay_ms_ + 10);
}

int32_t TWavBuffer::GetPosition() {
  std::lock_guard lock(owner_.lock_);
  uint64_t now = owner_.Now();
  int64_t elapsed = now > last_fill_ ? static_cast<int64_t>(now - last_fill_) : 0;
  if (elapsed > 2 * owner_.delay_ms_) return position_;
  double per_ms = format_.BytesPerMs();
  int64_t behind = std::llround(owner_.delay_ms_ * per_ms);
  int64_t since = std::llround(static_cast<double>(elapsed) * per_ms);
  return static_cast<int32_t>(std::clamp<int64_t>(position_ - behind + since, 0, source_->GetSize()));
}

int64_t TWavBuffer::ReadSource(char* into, int64_t wanted) {
  const int64_t size = source_->GetSize();
  const int64_t frame = std::max<int64_t>(format_.BlockAlign, 1);
  // Byte positions set by items are rounded to the frame; a loop start at or
  // past the end is taken as the last frame, so the loop cannot spin.
  int64_t loop_start = std::clamp<int64_t>(LoopStart.load() / frame * frame, 0, std::max<int64_t>(size - frame, 0));
  source_->SetPosition(position_ / frame * frame);
  int64_t done = 0;
  while (done < wanted) {
    if (source_->GetPosition() >= size) {
      if (!Looping.load()) break;
      source_->SetPosition(loop_start);
    }
    int64_t got = source_->Read(into + done, wanted - done);
    if (got <= 0) break;  // a decoder that delivers nothing more before its end
    done += got;
  }
  position_ = static_cast<int32_t>(source_->GetPosition());
  return done;
}

bool TWavBuffer::FillAndAdd(std::span<int16_t> block) {
  if (source_->GetSize() == 0 || ended_ || paused_ || !owner_.open_) return false;
  // A source never started is never heard, even when others play.
  if (!started_) return false;
  Conversion c;
  if (!ConversionOf(format_, c)) return false;

  char* raw = reinterpret_cast<char*>(scratch_.data());
  int64_t bytes = ReadSource(raw, owner_.buffer_bytes_ / c.divisor);
  ended_ = position_ >= source_->GetSize();

  // Expand in place from the last frame backwards, so that the output never
  // overwrites input not yet read.
  const int in_channels = c.mono ? 1 : 2;
  const int in_bytes = c.eight_bit ? 1 : 2;
  const int64_t in_frames = bytes / (in_channels * in_bytes);
  const int64_t out_frames = in_frames * c.repeat;
  auto sample = [&](int64_t index) -> int16_t {
    if (c.eight_bit) return static_cast<int16_t>((static_cast<uint8_t>(raw[index]) - 128) * 256);
    int16_t v;
    std::memcpy(&v, raw + index * 2, 2);
    return v;
  };
  for (int64_t f = in_frames - 1; f >= 0; --f) {
    int16_t left = sample(f * in_channels);
    int16_t right = c.mono ? left : sample(f * in_channels + 1);
    for (int r = c.repeat - 1; r >= 0; --r) {
      int64_t o = (f * c.repeat + r) * 2;
      scratch_[static_cast<std::size_t>(o)] = left;
      scratch_[static_cast<std::size_t>(o + 1)] = right;
    }
  }
  const std::size_t samples = static_cast<std::size_t>(out_frames * 2);
  if (samples == 0) return false;

  if (volume_ < 255)
    for (std::size_t i = 0; i < samples; ++i)
      scratch_[i] = static_cast<int16_t>(scratch_[i] * volume_ >> 8);
  for (std::size_t i = 0; i < samples; ++i)
    block[i] = static_cast<int16_t>(std::clamp(block[i] + scratch_[i], -32768, 32767));
  last_fill_ = owner_.Now();
  return true;
}

// ------------------------------------------------------------------ TWavOut

TWavOut::TWavOut(AudioMixer& mixer, Clock& clock, int32_t delay_ms)
    : mixer_(mixer), clock_(clock), delay_ms_(delay_ms),
      buffer_bytes_(static_cast<int32_t>(int64_t{delay_ms} * 176400 / 1000)) {}

TWavOut::~TWavOut() { Close(); }

bool TWavOut::Open() {
  {
    std::lock_guard lock(lock_);
    if (open_ || mixer_.Pull() == AudioPull::kNone) return false;
    open_ = true;
    while (pool_.size() < kPoolBlocks) pool_.emplace_back(static_cast<std::size_t>(buffer_bytes_ / 2));
  }
  // Outside the output's lock: a pull holds the mixer's lock and then takes
  // the output's, so taking them the other way round here could deadlock.
  mixer_.Add(shared_from_this());
  if (!mixer_.DecodesInPull()) {
    feeder_stop_ = false;
    feeder_ = std::thread([this] { FeederLoop(); });
  }
  return true;
}

void TWavOut::Close() {
  {
    std::lock_guard lock(lock_);
    if (!open_) return;
    open_ = false;
  }
  {
    std::lock_guard lock(feeder_mutex_);
    feeder_stop_ = true;
  }
  feeder_wake_.notify_all();
  if (feeder_.joinable()) feeder_.join();
  mixer_.Remove(this);
  std::lock_guard lock(lock_);
  sources_.clear();
  active_.clear();
  std::lock_guard device(device_mutex_);
  queue_.clear();
}

bool TWavOut::IsOpen() {
  std::lock_guard lock(lock_);
  return open_;
}

TWavBuffer* TWavOut::AddBuffer(const PcmFormat& format, PcmStream* source) {
  std::lock_guard lock(lock_);
  sources_.push_back(std::make_unique<TWavBuffer>(*this, format, source));
  return sources_.back().get();
}

void TWavOut::RemoveBuffer(TWavBuffer* buffer) {
  std::lock_guard lock(lock_);
  std::erase_if(sources_, [&](const auto& s) { return s.get() == buffer; });
}

void TWavOut::Activate(TWavBuffer* buffer, bool active) {
  std::lock_guard lock(lock_);
  auto at = std::find(active_.begin(), active_.end(), buffer);
  if (active && at == active_.end()) active_.push_back(buffer);
  if (!active && at != active_.end()) active_.erase(at);
}

std::size_t TWavOut::QueuedBlocks() {
  std::lock_guard device(device_mutex_);
  return queue_.size();
}

bool TWavOut::Mix(std::span<int16_t> block) {
  std::fill(block.begin(), block.end(), int16_t{0});
  bool produced = false;
  for (const auto& source : sources_) produced |= source->FillAndAdd(block);
  return produced;
}

void TWavOut::Pump() {
  std::lock_guard lock(lock_);
  {
    std::lock_guard device(device_mutex_);
    while (!queue_.empty() && queue_.front().done) {
      pool_.push_back(std::move(queue_.front().samples));
      queue_.pop_front();
    }
  }
  for (int i = 0; i < 2; ++i) {
    if (!open_ || active_.empty() || QueuedBlocks() > 1) break;
    std::vector<int16_t> samples;
    if (pool_.empty()) {
      samples.resize(static_cast<std::size_t>(buffer_bytes_ / 2));
    } else {
      samples = std::move(pool_.back());
      pool_.pop_back();
    }
    if (Mix(samples)) {
      std::lock_guard device(device_mutex_);
      queue_.push_back(Block{std::move(samples)});
    } else {
      pool_.push_back(std::move(samples));
    }
  }
}

void TWavOut::MixInto(std::span<int32_t> acc) {
  if (mixer_.DecodesInPull()) Pump();
  std::lock_guard device(device_mutex_);
  std::size_t at = 0;
  for (Block& b : queue_) {
    if (at == acc.size()) break;
    if (b.done) continue;
    std::size_t n = std::min(acc.size() - at, b.samples.size() - b.played);
    for (std::size_t i = 0; i < n; ++i) acc[at + i] += b.samples[b.played + i];
    b.played += n;
    at += n;
    b.done = b.played == b.samples.size();
  }
}

void TWavOut::FeederLoop() {
  const auto period = std::chrono::milliseconds(std::max(delay_ms_ / 4, 1));
  std::unique_lock lock(feeder_mutex_);
  while (!feeder_stop_) {
    if (feeder_wake_.wait_for(lock, period, [this] { return feeder_stop_; })) break;
    lock.unlock();
    Pump();
    lock.lock();
  }
}

}  // namespace rivo

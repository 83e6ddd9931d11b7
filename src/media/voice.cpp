#include "media/voice.h"

#include <algorithm>
#include <cmath>

#include "media/mix_kernel.h"

namespace rivo {

namespace {
// The worker keeps about half a second decoded; a pull decodes at least
// this many frames at a time so that small pulls do not decode page by page.
constexpr int64_t kAheadFrames = 22050;
constexpr int64_t kMinDecodeFrames = 4096;
constexpr int64_t kChunkFrames = 8192;
}  // namespace

int32_t GainOfVolume(int32_t hundredths_db) {
  int32_t v = std::min(hundredths_db, 0);
  // Sounds silenced at −50 dB and below must not stay faintly audible.
  if (v <= -5000) return 0;
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, v / 2000.0)));
}

Voice::Voice(std::unique_ptr<PcmStream> source, bool decode_in_pull)
    : source_(std::move(source)), resident_(source_->ResidentMixSamples()), decode_in_pull_(decode_in_pull),
      length_frames_(source_->GetSize() / 4) {}

void Voice::Play() {
  std::lock_guard lock(mutex_);
  started_ = true;
  paused_ = false;
  ended_ = false;
}

void Voice::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void Voice::Seek(int64_t frame) {
  std::lock_guard lock(mutex_);
  frame = std::clamp<int64_t>(frame, 0, length_frames_);
  chunks_.clear();
  pending_seek_ = frame;
  ++generation_;
  source_done_ = false;
  ended_ = false;
  heard_frame_ = frame;
}

void Voice::SetLoop(bool loop, int64_t loop_start_frame) {
  std::lock_guard lock(mutex_);
  loop_ = loop;
  loop_start_ = loop_start_frame;
}

void Voice::SetVolume(int32_t hundredths_db, int32_t pan) {
  int64_t gain = GainOfVolume(hundredths_db);
  int64_t left = gain * GainOfVolume(-std::max(pan, 0)) >> 16;
  int64_t right = gain * GainOfVolume(std::min(pan, 0)) >> 16;
  std::lock_guard lock(mutex_);
  gain_left_ = static_cast<int32_t>(left);
  gain_right_ = static_cast<int32_t>(right);
}

int64_t Voice::PositionFrames() const {
  std::lock_guard lock(mutex_);
  return heard_frame_;
}

bool Voice::Playing() const {
  std::lock_guard lock(mutex_);
  return started_ && !paused_ && !ended_;
}

bool Voice::Paused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

bool Voice::Ended() const {
  std::lock_guard lock(mutex_);
  return ended_;
}

int64_t Voice::BufferedFrames() const {
  int64_t frames = 0;
  for (const Chunk& c : chunks_) frames += static_cast<int64_t>(c.samples.size() - c.used) / 2;
  return frames;
}

void Voice::TopUp(int64_t want_frames) {
  std::optional<int64_t> seek;
  uint64_t generation;
  bool loop;
  int64_t loop_start;
  int64_t need;
  std::vector<std::vector<int16_t>> buffers;
  {
    std::lock_guard lock(mutex_);
    if (source_done_ && !pending_seek_) return;
    int64_t buffered = BufferedFrames();
    if (!pending_seek_ && buffered >= want_frames) return;
    seek = pending_seek_;
    pending_seek_.reset();
    generation = generation_;
    loop = loop_;
    // A loop start at or past the end would seek to the end forever.
    loop_start = std::clamp<int64_t>(loop_start_, 0, std::max<int64_t>(length_frames_ - 1, 0));
    need = std::max(want_frames - buffered, kMinDecodeFrames);
    buffers.swap(spare_);
  }
  if (seek) source_->SetPosition(*seek * 4);
  std::vector<Chunk> made;
  bool done = false;
  while (need > 0) {
    if (source_->GetPosition() >= length_frames_ * 4) {
      if (!loop || length_frames_ == 0) {
        done = true;
        break;
      }
      source_->SetPosition(loop_start * 4);
    }
    Chunk chunk{source_->GetPosition() / 4, {}};
    if (!buffers.empty()) {
      chunk.samples = std::move(buffers.back());
      buffers.pop_back();
    }
    chunk.samples.resize(static_cast<std::size_t>(std::min(need, kChunkFrames) * 2));
    int64_t got = source_->Read(chunk.samples.data(), static_cast<int64_t>(chunk.samples.size()) * 2) / 4;
    if (got <= 0) {
      // A decoder that stops short of its length (damaged data) ends the
      // sound rather than being asked again and again.
      done = true;
      break;
    }
    chunk.samples.resize(static_cast<std::size_t>(got * 2));
    made.push_back(std::move(chunk));
    need -= got;
  }
  std::lock_guard lock(mutex_);
  for (auto& b : buffers) spare_.push_back(std::move(b));
  if (generation != generation_) return;  // a seek came meanwhile
  for (Chunk& c : made) chunks_.push_back(std::move(c));
  if (done) source_done_ = true;
}

void Voice::MixResident(std::span<int32_t> acc) {
  const int64_t frames = static_cast<int64_t>(acc.size() / 2);
  int64_t position = heard_frame_;
  int64_t done = 0;
  while (done < frames && !ended_) {
    if (position >= length_frames_) {
      if (!loop_ || length_frames_ == 0) {
        ended_ = true;
        break;
      }
      // A loop start at or past the end would find nothing to play.
      position = std::clamp<int64_t>(loop_start_, 0, length_frames_ - 1);
    }
    const int64_t n = std::min(frames - done, length_frames_ - position);
    AddScaledStereo(acc.data() + done * 2, resident_ + position * 2, static_cast<std::size_t>(n), gain_left_, gain_right_);
    position += n;
    done += n;
    // The last sample heard ends the sound in the same pull.
    if (position >= length_frames_ && !loop_) ended_ = true;
  }
  heard_frame_ = position;
}

void Voice::MixInto(std::span<int32_t> acc) {
  const int64_t frames = static_cast<int64_t>(acc.size() / 2);
  if (resident_) {
    std::lock_guard lock(mutex_);
    if (started_ && !paused_ && !ended_) MixResident(acc);
    return;
  }
  if (decode_in_pull_) {
    if (!Playing()) return;
    TopUp(frames);
  }
  std::lock_guard lock(mutex_);
  if (!started_ || paused_ || ended_) return;
  int64_t done = 0;
  while (done < frames && !chunks_.empty()) {
    Chunk& c = chunks_.front();
    const int64_t n = std::min(frames - done, static_cast<int64_t>(c.samples.size() - c.used) / 2);
    AddScaledStereo(acc.data() + done * 2, c.samples.data() + c.used, static_cast<std::size_t>(n), gain_left_,
                    gain_right_);
    c.used += static_cast<std::size_t>(n * 2);
    done += n;
    heard_frame_ = c.first_frame + static_cast<int64_t>(c.used / 2);
    if (c.used == c.samples.size()) {
      if (spare_.size() < 8) spare_.push_back(std::move(c.samples));
      chunks_.pop_front();
    }
  }
  if (chunks_.empty() && source_done_) ended_ = true;
}

void Voice::DecodeAhead() {
  if (!decode_in_pull_ && !resident_) TopUp(kAheadFrames);
}

}  // namespace rivo

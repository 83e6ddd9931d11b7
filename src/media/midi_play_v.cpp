#include "media/midi_play_v.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace rivo {

TMidiPlayV::TMidiPlayV(Clock& clock, SleepMs sleep, bool run_timer) : clock_(clock), sleep_(std::move(sleep)) {
  for (auto& channel : scales_) std::fill(std::begin(channel), std::end(channel), 100);
  if (run_timer) timer_ = std::thread([this] { TimerLoop(); });
}

TMidiPlayV::~TMidiPlayV() {
  {
    std::lock_guard lock(hold_);
    terminating_ = true;
  }
  wake_.notify_all();
  if (timer_.joinable()) timer_.join();
}

void TMidiPlayV::TimerLoop() {
  std::unique_lock lock(hold_);
  while (!terminating_) {
    // Parked while disabled; then one step every interval.
    wake_.wait(lock, [&] { return enabled_ || terminating_; });
    if (wake_.wait_for(lock, std::chrono::milliseconds(kIntervalMs), [&] { return terminating_; })) break;
    if (enabled_) StepLocked();
  }
}

void TMidiPlayV::Load(std::span<const uint8_t> bytes) {
  TMidiV parsed;
  parsed.Load(bytes);
  Load(std::move(parsed));
}

void TMidiPlayV::Load(TMidiV parsed) {
  std::lock_guard lock(hold_);
  if (enabled_) {
    enabled_ = false;
    AllNotesOff();
  }
  midi_ = std::move(parsed);
  for (auto& channel : values_) channel[7] = 127;
}

bool TMidiPlayV::Open(std::shared_ptr<MidiOutput> output) {
  std::lock_guard lock(hold_);
  output_ = std::move(output);
  return output_ != nullptr;
}

void TMidiPlayV::Close() {
  std::lock_guard lock(hold_);
  if (!output_) return;
  enabled_ = false;
  output_->Reset();
  output_.reset();
}

void TMidiPlayV::PlayFrom(int32_t ms) {
  std::lock_guard lock(hold_);
  enabled_ = false;
  // The first event at or after the position, so that playing again from
  // a paused position finds the event that was due next and sends nothing
  // twice; past the end the music starts again.
  auto at = std::lower_bound(midi_.Events.begin(), midi_.Events.end(), ms,
                             [](const TMidiMsgEvent& e, int32_t t) { return e.Time < t; });
  const bool inside = at != midi_.Events.end();
  const int32_t target = inside ? static_cast<int32_t>(at - midi_.Events.begin()) : 0;
  if (target < current_) {
    AllNotesOff();
    current_ = 0;
    play_time_ = 0;
  } else if (target > current_) {
    AllNotesOff();
  }
  while (current_ < target) {
    const TMidiMsgEvent& e = midi_.Events[current_];
    play_time_ = e.Time;
    if (e.Class != MC_NOTE_ON && e.Class != MC_NOTE_OFF) Send(e);
    // A tone generator needs a moment after its reset before it listens.
    if (e.Class == MC_GS_RESET) sleep_(10);
    ++current_;
  }
  if (inside) play_time_ = ms;
  last_tick_ = clock_.NowMs();
  enabled_ = true;
  wake_.notify_all();
}

void TMidiPlayV::Stop() {
  std::lock_guard lock(hold_);
  if (!enabled_) return;
  enabled_ = false;
  sleep_(1);
  AllNotesOff();
}

bool TMidiPlayV::IsRunning() const {
  std::lock_guard lock(hold_);
  return enabled_;
}

bool TMidiPlayV::IsEnd() const {
  std::lock_guard lock(hold_);
  return !repeat_ && current_ >= LastIndex();
}

void TMidiPlayV::SetScaleAll(int controller, int percent) {
  for (int channel = 0; channel < 16; ++channel) SetScale(channel, controller, percent);
}

void TMidiPlayV::SetScale(int channel, int controller, int percent) {
  if (channel < 0 || channel > 15 || controller < 0 || controller > 127) return;
  std::lock_guard lock(hold_);
  scales_[channel][controller] = percent;
  if (enabled_) SendControl(channel, controller);
}

void TMidiPlayV::SendMasterVolume() {
  static constexpr uint8_t kMasterVolumeFull[] = {0xF0, 0x7F, 0x7F, 0x04, 0x01, 0x00, 0x7F, 0xF7};
  std::lock_guard lock(hold_);
  if (output_) output_->LongMessage(kMasterVolumeFull);
}

bool TMidiPlayV::DeviceOpen() const {
  std::lock_guard lock(hold_);
  return output_ != nullptr;
}

int32_t TMidiPlayV::PlayTime() const {
  std::lock_guard lock(hold_);
  return play_time_;
}

int32_t TMidiPlayV::Length() const {
  std::lock_guard lock(hold_);
  return midi_.Length;
}

bool TMidiPlayV::Repeat() const {
  std::lock_guard lock(hold_);
  return repeat_;
}

void TMidiPlayV::SetRepeat(bool repeat) {
  std::lock_guard lock(hold_);
  repeat_ = repeat;
}

void TMidiPlayV::TimerStep() {
  std::lock_guard lock(hold_);
  if (enabled_) StepLocked();
}

void TMidiPlayV::StepLocked() {
  // An ended song rests; a repeating one must still reach its last event
  // to start over.
  if (midi_.Events.empty() || (!repeat_ && current_ >= LastIndex())) return;
  const uint64_t now = clock_.NowMs();
  play_time_ += static_cast<int32_t>(std::min<uint64_t>(1000, now - last_tick_));
  last_tick_ = now;
  while (midi_.Events[current_].Time < play_time_) {
    if (current_ < LastIndex()) {
      Send(midi_.Events[current_++]);
    } else if (!repeat_) {
      return;  // the last event (an end of track) is never sent
    } else {
      AllNotesOff();
      current_ = 0;
      play_time_ = midi_.Events[0].Time;
    }
  }
}

void TMidiPlayV::Send(const TMidiMsgEvent& e) {
  if (!output_) return;
  auto byte = [&](std::size_t i) { return i < e.Data.size() ? static_cast<uint8_t>(e.Data[i]) : uint8_t{0}; };
  switch (e.Kind) {
    case MK_CHANNEL:
      if (e.Class == MC_CONTROL) {
        values_[byte(0) & 0x0F][byte(1) & 0x7F] = byte(2);
        SendControl(byte(0) & 0x0F, byte(1) & 0x7F);
      } else {
        Short(byte(0) | byte(1) << 8 | byte(2) << 16);
      }
      break;
    case MK_SYSEX:
      output_->LongMessage({reinterpret_cast<const uint8_t*>(e.Data.data()), e.Data.size()});
      break;
    case MK_META:
      break;
  }
}

// Scales above 100 % would make values a controller cannot carry: they stop at 127.
void TMidiPlayV::SendControl(int channel, int controller) {
  int64_t value = int64_t{values_[channel][controller]} * scales_[channel][controller] / 100;
  value = std::clamp<int64_t>(value, 0, 127);
  Short(static_cast<uint32_t>(0xB0 + channel) | static_cast<uint32_t>(controller) << 8 |
        static_cast<uint32_t>(value) << 16);
}

void TMidiPlayV::AllNotesOff() {
  for (uint32_t channel = 0; channel < 16; ++channel) Short((0xB0 + channel) | 123u << 8);
}

void TMidiPlayV::Short(uint32_t packed) {
  if (output_) output_->ShortMessage(packed);
}

}  // namespace rivo

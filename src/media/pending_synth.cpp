#include "media/pending_synth.h"

#include <chrono>
#include <exception>
#include <utility>

namespace rivo {

PendingSynth::PendingSynth(SynthAhead ahead) : ahead_(std::move(ahead)) {}

void PendingSynth::ShortMessage(uint32_t packed) {
  std::lock_guard lock(mutex_);
  Keep({.kind = Message::Kind::kShort, .packed = packed});
}

void PendingSynth::LongMessage(std::span<const uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  Keep({.kind = Message::Kind::kLong, .bytes = {bytes.begin(), bytes.end()}});
}

void PendingSynth::Reset() {
  std::lock_guard lock(mutex_);
  // A reset undoes everything before it, so the waiting list never grows
  // past one tune.
  waiting_.clear();
  Keep({.kind = Message::Kind::kReset});
}

void PendingSynth::Keep(Message message) {
  if (synth_) Deliver(message);
  else if (!failed_ && waiting_.size() < kMaxWaiting) waiting_.push_back(std::move(message));
}

void PendingSynth::Deliver(const Message& message) {
  switch (message.kind) {
    case Message::Kind::kShort: synth_->ShortMessage(message.packed); break;
    case Message::Kind::kLong: synth_->LongMessage(message.bytes); break;
    case Message::Kind::kReset: synth_->Reset(); break;
  }
}

void PendingSynth::MixInto(std::span<int32_t> acc) {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->MixInto(acc);
}

void PendingSynth::DecodeAhead() {
  std::lock_guard lock(mutex_);
  if (synth_ || failed_ || ahead_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  try {
    synth_ = ahead_.get();
  } catch (const std::exception&) {
    // No sound font (or no memory for it): the music stays silent, and
    // the mixer's worker goes on.
  }
  failed_ = !synth_;
  if (synth_)
    for (const Message& message : waiting_) Deliver(message);
  waiting_ = {};
}

}  // namespace rivo

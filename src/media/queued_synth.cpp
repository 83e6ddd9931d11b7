#include "media/queued_synth.h"

#include <chrono>
#include <exception>
#include <utility>

namespace rivo {

QueuedSynth::QueuedSynth(SynthAhead ahead) : ahead_(std::move(ahead)) {}

void QueuedSynth::ShortMessage(uint32_t packed) { Post({.kind = Message::Kind::kShort, .packed = packed, .bytes = {}}); }

void QueuedSynth::LongMessage(std::span<const uint8_t> bytes) {
  Post({.kind = Message::Kind::kLong, .packed = 0, .bytes = {bytes.begin(), bytes.end()}});
}

void QueuedSynth::Reset() {
  std::lock_guard lock(inbox_mutex_);
  // A reset undoes everything before it.
  inbox_.clear();
  if (!discarding_) inbox_.push_back({.kind = Message::Kind::kReset, .packed = 0, .bytes = {}});
}

void QueuedSynth::Post(Message message) {
  std::lock_guard lock(inbox_mutex_);
  if (!discarding_ && inbox_.size() < kMaxWaiting) inbox_.push_back(std::move(message));
}

void QueuedSynth::PlayWhatCame() {
  {
    std::lock_guard lock(inbox_mutex_);
    playing_.swap(inbox_);  // the inbox keeps the emptied list's memory
  }
  for (const Message& message : playing_) {
    switch (message.kind) {
      case Message::Kind::kShort: synth_->ShortMessage(message.packed); break;
      case Message::Kind::kLong: synth_->LongMessage(message.bytes); break;
      case Message::Kind::kReset: synth_->Reset(); break;
    }
  }
  playing_.clear();
}

void QueuedSynth::MixInto(std::span<int32_t> acc) {
  std::lock_guard lock(synth_mutex_);
  if (!synth_) return;
  PlayWhatCame();
  synth_->MixInto(acc);
}

void QueuedSynth::DecodeAhead() {
  std::lock_guard lock(synth_mutex_);
  if (!synth_ && ahead_.valid()) {
    if (ahead_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    try {
      synth_ = ahead_.get();
    } catch (const std::exception&) {
      // No sound font (or no memory for it): the mixer's worker goes on.
    }
    if (!synth_) {
      // Silent for good: nothing more is kept.
      std::lock_guard inbox_lock(inbox_mutex_);
      discarding_ = true;
      inbox_ = {};
    }
  }
  if (synth_) PlayWhatCame();
}

}  // namespace rivo

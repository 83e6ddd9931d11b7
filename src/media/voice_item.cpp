#include "media/voice_item.h"

#include <algorithm>
#include <cmath>

#include "media/mix_format_stream.h"

namespace rivo {

namespace {
int64_t MsToFrames(int64_t ms) { return ms * 441 / 10; }
int32_t FramesToMs(int64_t frames) { return static_cast<int32_t>((frames * 10 + 220) / 441); }
}  // namespace

TVoiceItem::TVoiceItem(std::unique_ptr<PcmStream> decoded, AudioMixer& mixer)
    : mixer_(mixer),
      voice_(std::make_shared<Voice>(MixFormatStream::Wrap(std::move(decoded)), mixer.DecodesInPull())),
      silent_(mixer.Pull() == AudioPull::kNone) {
  mixer_.Add(voice_);
}

TVoiceItem::~TVoiceItem() { mixer_.Remove(voice_.get()); }

void TVoiceItem::SetAutoRepeat(bool repeat) {
  repeat_ = repeat;
  voice_->SetLoop(repeat_, MsToFrames(repeat_pos_));
}

void TVoiceItem::SetRepeatPos(int32_t ms) {
  repeat_pos_ = std::max(ms, 0);
  voice_->SetLoop(repeat_, MsToFrames(repeat_pos_));
}

void TVoiceItem::SetPan(int32_t pan) {
  pan_ = std::clamp(pan, -10000, 10000);
  voice_->SetVolume(volume_, pan_);
}

void TVoiceItem::SetVol(int32_t volume) {
  volume_ = std::clamp(volume, -10000, 0);
  voice_->SetVolume(volume_, pan_);
}

int32_t TVoiceItem::GetPosition() { return FramesToMs(voice_->PositionFrames()); }
int32_t TVoiceItem::GetLen() { return FramesToMs(voice_->LengthFrames()); }
bool TVoiceItem::IsPlaying() { return !silent_ && voice_->Playing(); }

bool TVoiceItem::HasRunOut() { return silent_ ? played_ : voice_->Ended(); }

void TVoiceItem::DoPlay() {
  played_ = true;
  voice_->Play();
}

void TVoiceItem::DoSetPosition(int32_t ms) { voice_->Seek(MsToFrames(ms)); }

}  // namespace rivo

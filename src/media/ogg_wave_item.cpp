#include "media/ogg_wave_item.h"

#include <algorithm>

#include "media/mix_format_stream.h"

namespace rivo {

namespace {
std::unique_ptr<PcmStream> Playable(std::unique_ptr<PcmStream> decoded) {
  if (IsWavOutFormat(decoded->Format())) return decoded;
  return std::make_unique<MixFormatStream>(std::move(decoded));
}
}  // namespace

TOggWaveItem::TOggWaveItem(std::unique_ptr<PcmStream> decoded, std::shared_ptr<TWavOut> output)
    : source_(Playable(std::move(decoded))), output_(std::move(output)),
      buffer_(output_->AddBuffer(source_->Format(), source_.get())), length_bytes_(source_->GetSize()) {}

TOggWaveItem::~TOggWaveItem() { output_->RemoveBuffer(buffer_); }

void TOggWaveItem::SetRepeatPos(int32_t ms) {
  repeat_pos_ = ms;
  buffer_->LoopStart = static_cast<int32_t>(MsToBytes(source_->Format(), std::max(ms, 0)));
}

void TOggWaveItem::SetVol(int32_t volume) {
  volume_ = volume;
  int32_t v = std::clamp(volume, -5000, 0);
  buffer_->SetVolume((v + 5000) * 256 / 5000);
}

int32_t TOggWaveItem::GetPosition() { return BytesToMs(source_->Format(), buffer_->GetPosition()); }
int32_t TOggWaveItem::GetLen() { return BytesToMs(source_->Format(), length_bytes_); }

bool TOggWaveItem::IsPlaying() { return buffer_->Started() && !buffer_->Paused() && !buffer_->IsEnd(); }

bool TOggWaveItem::HasRunOut() {
  if (buffer_->Looping && buffer_->IsEnd()) {
    buffer_->Play();
    return false;
  }
  return buffer_->IsEnd();
}

void TOggWaveItem::DoSetPosition(int32_t ms) {
  buffer_->SetPosition(static_cast<int32_t>(MsToBytes(source_->Format(), ms)));
}

}  // namespace rivo

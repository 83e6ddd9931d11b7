#include "media/movie_item.h"

#include <algorithm>

#include "common/error.h"
#include "media/ffmpeg_audio.h"
#include "media/movie_decoder.h"

namespace rivo {

TMovieItem::TMovieItem(std::unique_ptr<TStream> video, std::unique_ptr<TStream> audio, AudioMixer& mixer,
                       Clock& clock, bool for_drawing)
    : decoder_(std::make_unique<MovieDecoder>(std::move(video))), mixer_(mixer), clock_(clock),
      for_drawing_(for_drawing), length_ms_(decoder_->LengthMs()) {
  if (audio) {
    try {
      voice_ = std::make_shared<Voice>(DecodeWithFfmpeg(std::move(audio)), mixer.DecodesInPull());
      mixer_.Add(voice_);
    } catch (const RivoError&) {
      // A movie without a sound track (or with one that does not decode)
      // plays silently.
    }
  }
  decoder_->AdvanceTo(0);
  need_paint_ = true;
}

TMovieItem::~TMovieItem() {
  if (voice_) mixer_.Remove(voice_.get());
}

void TMovieItem::SetPan(int32_t pan) {
  pan_ = std::clamp(pan, -10000, 10000);
  if (voice_) voice_->SetVolume(volume_, pan_);
}

void TMovieItem::SetVol(int32_t volume) {
  volume_ = std::clamp(volume, -10000, 0);
  if (voice_) voice_->SetVolume(volume_, pan_);
}

int64_t TMovieItem::Now() const {
  int64_t ms = base_ms_;
  if (playing_ && !paused_) ms += static_cast<int64_t>(clock_.NowMs() - started_at_);
  return std::min<int64_t>(ms, length_ms_);
}

int32_t TMovieItem::GetPosition() { return static_cast<int32_t>(Now()); }

bool TMovieItem::HasRunOut() { return playing_ && !repeat_ && Now() >= length_ms_; }

int32_t TMovieItem::GetSourceWidth() const { return decoder_->Width(); }
int32_t TMovieItem::GetSourceHeight() const { return decoder_->Height(); }

void TMovieItem::SetRect(const MovieRect& source, const MovieRect& dest) {
  placement_ = MoviePlacement(source, dest, GetSourceWidth(), GetSourceHeight());
}

const std::vector<uint32_t>& TMovieItem::TakeFrame() {
  need_paint_ = false;
  return decoder_->Pixels();
}

void TMovieItem::FrameDone() {
  if (playing_ && !paused_ && repeat_ && length_ms_ > 0 && Now() >= length_ms_) DoSetPosition(0);
  if (decoder_->AdvanceTo(Now())) need_paint_ = true;
}

void TMovieItem::DoPlay() {
  if (playing_ && !paused_) return;
  base_ms_ = Now();
  started_at_ = clock_.NowMs();
  playing_ = true;
  paused_ = false;
  if (voice_) voice_->Play();
}

void TMovieItem::DoPause() {
  base_ms_ = Now();
  paused_ = true;
  if (voice_) voice_->Pause();
}

void TMovieItem::DoSetPosition(int32_t ms) {
  base_ms_ = std::min<int64_t>(ms, length_ms_);
  started_at_ = clock_.NowMs();
  decoder_->SeekTo(base_ms_);
  if (decoder_->AdvanceTo(base_ms_)) need_paint_ = true;
  if (voice_) voice_->Seek(base_ms_ * 441 / 10);
}

}  // namespace rivo

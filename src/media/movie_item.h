#pragma once
// TMovieItem: a movie decoded by FFmpeg (MPEG-1/2, WMV, AVI, ...), its
// picture handed to the movie control as 32-bit BGRX frames and its sound
// played by a voice of the mixer. Movie time runs on the player's clock,
// so headless runs show the same frames at the same ticks every time; the
// picture follows that time on every frame tick (FrameDone).
//
// The file is read through the file manager's streams like every sound
// (archive entries in place), never through a temporary copy.

#include <cstdint>
#include <memory>
#include <vector>

#include "media/audio_mixer.h"
#include "media/movie_placement.h"
#include "media/media_item.h"
#include "media/voice.h"
#include "platform/clock.h"

namespace rivo {

class MovieDecoder;

class TMovieItem final : public TDMediaItem {
 public:
  // video: the file for the picture; audio: the same file again for the
  // sound (nullptr for none). Raises kBadSoundData when no picture decodes.
  TMovieItem(std::unique_ptr<TStream> video, std::unique_ptr<TStream> audio, AudioMixer& mixer, Clock& clock,
             bool for_drawing);
  ~TMovieItem() override;

  bool GetAutoRepeat() override { return repeat_; }
  void SetAutoRepeat(bool repeat) override { repeat_ = repeat; }
  int32_t GetPan() override { return pan_; }
  int32_t GetVol() override { return volume_; }
  void SetPan(int32_t pan) override;
  void SetVol(int32_t volume) override;
  int32_t GetPosition() override;
  int32_t GetLen() override { return length_ms_; }
  bool IsPlaying() override { return playing_ && !HasRunOut(); }
  bool IsPaused() override { return paused_; }
  bool HasRunOut() override;

  int32_t GetSourceWidth() const;
  int32_t GetSourceHeight() const;
  bool ForDrawing() const { return for_drawing_; }
  // Shown as a window of its own (not for drawing): visibility and place.
  bool GetVisible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  void SetRect(const MovieRect& source, const MovieRect& dest);
  const MovieRect& Placement() const { return placement_; }

  // A frame newer than the last one taken waits.
  bool NeedPaint() const { return need_paint_; }
  // The current frame: GetSourceWidth × GetSourceHeight BGRX pixels, rows
  // top-down, the fourth byte 0. Taking it lets the next one in.
  const std::vector<uint32_t>& TakeFrame();
  // Once per frame tick: the picture catches up with the movie's time (and
  // a repeating movie starts over at its end).
  void FrameDone();

 protected:
  void DoPlay() override;
  void DoPause() override;
  void DoSetPosition(int32_t ms) override;

 private:
  int64_t Now() const;

  std::unique_ptr<MovieDecoder> decoder_;
  AudioMixer& mixer_;
  Clock& clock_;
  const bool for_drawing_;
  std::shared_ptr<Voice> voice_;
  int32_t length_ms_ = 0;
  // Movie time: base_ms_ at clock time started_at_ while playing.
  int64_t base_ms_ = 0;
  uint64_t started_at_ = 0;
  bool playing_ = false;
  bool paused_ = false;
  bool repeat_ = false;
  int32_t volume_ = 0;
  int32_t pan_ = 0;
  bool visible_ = false;
  MovieRect placement_;
  bool need_paint_ = false;
};

}  // namespace rivo

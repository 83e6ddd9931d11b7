#pragma once
// Voice: one decoded sound in the mixer, the player behind the sound items
// of the default path (ogg, wave, Windows Media audio, CD tracks). Volume is
// in hundredths of a decibel like the sound device's: g = 10^(v / 2000),
// silent at −5000 and below; pan attenuates the other side the same way.
//
// Two roles touch a voice: the frame loop (play, pause, seek, volume) and
// the device (mixing). The decoder stream belongs to whoever decodes: the
// worker thread, or the pull itself when the device pulls on the caller's
// thread. Decoded frames travel in chunks that remember where in the sound
// they came from, so the position heard is exact even across a loop. A
// sound held whole in memory in the mixer's format (what FFmpeg decodes at
// once) needs no decoding: the pull reads it in place.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "media/audio_mixer.h"
#include "media/pcm_stream.h"

namespace rivo {

// Q16 gain of a volume in hundredths of a decibel (65536 = full).
int32_t GainOfVolume(int32_t hundredths_db);

class Voice final : public MixerInput {
 public:
  // source must be in the mixer's format (MixFormatStream::Wrap).
  Voice(std::unique_ptr<PcmStream> source, bool decode_in_pull);

  void Play();
  void Pause();
  // Frames of 44,100 Hz; past the end means ended at the next pull.
  void Seek(int64_t frame);
  void SetLoop(bool loop, int64_t loop_start_frame);
  void SetVolume(int32_t hundredths_db, int32_t pan);

  int64_t LengthFrames() const { return length_frames_; }
  int64_t PositionFrames() const;
  bool Playing() const;  // started, not paused, not ended
  bool Paused() const;
  bool Ended() const;

  void MixInto(std::span<int32_t> acc) override;
  void DecodeAhead() override;

 private:
  struct Chunk {
    int64_t first_frame;
    std::vector<int16_t> samples;
    std::size_t used = 0;  // samples already mixed
  };
  // Decodes until want frames wait in the chunks (or the sound ends).
  void TopUp(int64_t want_frames);
  int64_t BufferedFrames() const;
  // The pull of a resident sound; under mutex_.
  void MixResident(std::span<int32_t> acc);

  std::unique_ptr<PcmStream> source_;  // the decoding role's alone
  const int16_t* const resident_;      // the whole sound, or nullptr
  const bool decode_in_pull_;
  const int64_t length_frames_;

  mutable std::mutex mutex_;
  std::deque<Chunk> chunks_;
  // Buffers of chunks already mixed, reused so that decoding ahead neither
  // allocates nor touches fresh pages in the steady state.
  std::vector<std::vector<int16_t>> spare_;
  std::optional<int64_t> pending_seek_;
  uint64_t generation_ = 0;  // bumped by every seek: decoding done before it is dropped
  bool source_done_ = false;
  bool started_ = false;
  bool paused_ = false;
  bool ended_ = false;
  bool loop_ = false;
  int64_t loop_start_ = 0;
  int64_t heard_frame_ = 0;
  int32_t gain_left_ = 65536;
  int32_t gain_right_ = 65536;
};

}  // namespace rivo
